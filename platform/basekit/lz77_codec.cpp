// LZ77 (LZSS) codec of calibration scripts. Bit stream, most significant bit
// first: flag 1 and 8 bits of literal, or flag 0, a 12-bit distance (1..4095)
// and a 4-bit length (match length - 3, so 3..18).
#include "basekit.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int kDistanceBits = 12;
constexpr int kLengthBits = 4;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = kMinMatch + (1 << kLengthBits) - 1;
constexpr int kWindow = (1 << kDistanceBits) - 1;
constexpr int kHashSize = 1 << 12;
constexpr int kMaxChain = 64;

class BitWriter {
public:
    BitWriter(uint8_t* out, uint64_t capacity_bytes) : out_(out), capacity_bits_(capacity_bytes * 8) {}

    bool put(uint32_t value, int bits)
    {
        if (bits_ + bits > capacity_bits_) {
            return false;
        }
        for (int i = bits - 1; i >= 0; --i) {
            uint64_t byte = bits_ >> 3;
            uint8_t mask = static_cast<uint8_t>(0x80u >> (bits_ & 7));
            if ((bits_ & 7) == 0) {
                out_[byte] = 0;
            }
            if ((value >> i) & 1u) {
                out_[byte] |= mask;
            }
            ++bits_;
        }
        return true;
    }
    uint64_t bits() const { return bits_; }

private:
    uint8_t* out_;
    uint64_t capacity_bits_;
    uint64_t bits_ = 0;
};

class BitReader {
public:
    BitReader(const uint8_t* data, uint64_t bits) : data_(data), total_(bits) {}

    bool get(int bits, uint32_t* value)
    {
        if (position_ + bits > total_) {
            return false;
        }
        uint32_t v = 0;
        for (int i = 0; i < bits; ++i, ++position_) {
            v = (v << 1) | ((data_[position_ >> 3] >> (7 - (position_ & 7))) & 1u);
        }
        *value = v;
        return true;
    }
    bool at_end() const { return position_ == total_; }

private:
    const uint8_t* data_;
    uint64_t total_;
    uint64_t position_ = 0;
};

uint32_t hash3(const uint8_t* p)
{
    return ((p[0] << 8) ^ (p[1] << 4) ^ p[2]) & (kHashSize - 1);
}

}  // namespace

int vy_lz77_compress(const void* data, int length, void* out, uint32_t* bits)
{
    if (data == nullptr || out == nullptr || bits == nullptr || length <= 0) {
        return VY_ERR_ARGUMENT;
    }
    const uint8_t* in = static_cast<const uint8_t*>(data);
    BitWriter writer(static_cast<uint8_t*>(out), static_cast<uint64_t>(length));
    std::vector<int> head(kHashSize, -1);
    std::vector<int> previous(static_cast<std::size_t>(length), -1);

    int i = 0;
    while (i < length) {
        int best_length = 0;
        int best_distance = 0;
        if (i + kMinMatch <= length) {
            int candidate = head[hash3(in + i)];
            for (int chain = 0; candidate >= 0 && i - candidate <= kWindow && chain < kMaxChain;
                 ++chain, candidate = previous[candidate]) {
                int limit = std::min(kMaxMatch, length - i);
                int n = 0;
                while (n < limit && in[candidate + n] == in[i + n]) {
                    ++n;
                }
                if (n > best_length) {
                    best_length = n;
                    best_distance = i - candidate;
                    if (n == limit) {
                        break;
                    }
                }
            }
        }
        int step = 1;
        bool ok;
        if (best_length >= kMinMatch) {
            ok = writer.put(0, 1) && writer.put(static_cast<uint32_t>(best_distance), kDistanceBits) &&
                 writer.put(static_cast<uint32_t>(best_length - kMinMatch), kLengthBits);
            step = best_length;
        } else {
            ok = writer.put(1, 1) && writer.put(in[i], 8);
        }
        if (!ok) {
            return VY_ERR_CAPACITY;
        }
        for (int k = 0; k < step; ++k, ++i) {
            if (i + kMinMatch <= length) {
                uint32_t h = hash3(in + i);
                previous[i] = head[h];
                head[h] = i;
            }
        }
    }
    if (writer.bits() > UINT32_MAX) {
        return VY_ERR_CAPACITY;
    }
    *bits = static_cast<uint32_t>(writer.bits());
    return VY_OK;
}

int vy_lz77_uncompress(const void* data, uint32_t bits, void* out, uint32_t* length)
{
    if (data == nullptr || out == nullptr || length == nullptr) {
        return VY_ERR_ARGUMENT;
    }
    uint8_t* target = static_cast<uint8_t*>(out);
    uint32_t capacity = *length;
    uint32_t produced = 0;
    BitReader reader(static_cast<const uint8_t*>(data), bits);
    while (!reader.at_end()) {
        uint32_t flag;
        if (!reader.get(1, &flag)) {
            return VY_ERR_DATA;
        }
        if (flag == 1) {
            uint32_t literal;
            if (!reader.get(8, &literal)) {
                return VY_ERR_DATA;
            }
            if (produced >= capacity) {
                return VY_ERR_CAPACITY;
            }
            target[produced++] = static_cast<uint8_t>(literal);
            continue;
        }
        uint32_t distance;
        uint32_t match;
        if (!reader.get(kDistanceBits, &distance) || !reader.get(kLengthBits, &match)) {
            return VY_ERR_DATA;
        }
        match += kMinMatch;
        if (distance == 0 || distance > produced) {
            return VY_ERR_DATA;
        }
        if (match > capacity - produced) {
            return VY_ERR_CAPACITY;
        }
        // Byte by byte: a match may overlap the bytes it produces.
        for (uint32_t k = 0; k < match; ++k, ++produced) {
            target[produced] = target[produced - distance];
        }
    }
    *length = produced;
    return VY_OK;
}
