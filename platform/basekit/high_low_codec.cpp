// High/low codec of raw AD planes: the N low bytes, then (run count, high
// byte) pairs whose run counts sum to N. Neighbouring detector values share
// their high byte, so the pairs are few.
#include "basekit.h"

#include <cstring>

namespace {

constexpr int kMaxRun = 255;

// Length of the run of equal high bytes that starts at i, at most kMaxRun.
int run_at(const uint16_t* plane, int count, int i)
{
    uint8_t high = static_cast<uint8_t>(plane[i] >> 8);
    int run = 1;
    while (i + run < count && run < kMaxRun && static_cast<uint8_t>(plane[i + run] >> 8) == high) {
        ++run;
    }
    return run;
}

uint64_t pair_count(const uint16_t* plane, int count)
{
    uint64_t pairs = 0;
    for (int i = 0; i < count; i += run_at(plane, count, i)) {
        ++pairs;
    }
    return pairs;
}

}  // namespace

uint32_t vy_high_low_bound(int count)
{
    return count > 0 ? static_cast<uint32_t>(2 * static_cast<uint64_t>(count) - 1) : 0;
}

int vy_high_low_compress(const uint16_t* plane, int count, uint8_t* out, uint32_t* length)
{
    if (plane == nullptr || length == nullptr || count <= 0 ||
        static_cast<uint64_t>(count) * 2 > UINT32_MAX) {
        return VY_ERR_ARGUMENT;
    }
    uint64_t needed = static_cast<uint64_t>(count) + 2 * pair_count(plane, count);
    if (needed >= 2 * static_cast<uint64_t>(count)) {
        return VY_ERR_NOT_SHRINK;
    }
    uint32_t capacity = *length;
    *length = static_cast<uint32_t>(needed);
    if (out == nullptr) {
        return VY_OK;
    }
    if (capacity < needed) {
        return VY_ERR_CAPACITY;
    }
    for (int i = 0; i < count; ++i) {
        out[i] = static_cast<uint8_t>(plane[i] & 0xFF);
    }
    uint8_t* pair = out + count;
    for (int i = 0; i < count;) {
        int run = run_at(plane, count, i);
        *pair++ = static_cast<uint8_t>(run);
        *pair++ = static_cast<uint8_t>(plane[i] >> 8);
        i += run;
    }
    return VY_OK;
}

int vy_high_low_uncompress(uint32_t length, const uint8_t* data, uint16_t* plane, int count)
{
    if (data == nullptr || plane == nullptr || count <= 0) {
        return VY_ERR_ARGUMENT;
    }
    uint64_t n = static_cast<uint64_t>(count);
    if (length < n + 2 || (length - n) % 2 != 0) {
        return VY_ERR_DATA;
    }
    // Check the run counts before writing anything, so a corrupt stream
    // leaves the plane as it was.
    const uint8_t* pairs = data + count;
    uint64_t pair_total = (length - n) / 2;
    uint64_t covered = 0;
    for (uint64_t p = 0; p < pair_total; ++p) {
        uint8_t run = pairs[2 * p];
        if (run == 0) {
            return VY_ERR_DATA;
        }
        covered += run;
        if (covered > n) {
            return VY_ERR_DATA;
        }
    }
    if (covered != n) {
        return VY_ERR_DATA;
    }
    uint64_t i = 0;
    for (uint64_t p = 0; p < pair_total; ++p) {
        uint16_t high = static_cast<uint16_t>(pairs[2 * p + 1]) << 8;
        for (uint8_t k = 0; k < pairs[2 * p]; ++k, ++i) {
            plane[i] = static_cast<uint16_t>(high | data[i]);
        }
    }
    return VY_OK;
}
