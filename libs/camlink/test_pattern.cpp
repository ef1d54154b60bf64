#include "test_pattern.h"

#include "basekit.h"

#include <cstring>

namespace camlink {
namespace detail {

namespace {

void put_u16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void put_u32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

}  // namespace

uint32_t TestPattern::fill(uint8_t* frame, std::size_t capacity, uint16_t width, uint16_t height)
{
    const std::size_t n = static_cast<std::size_t>(width) * height;
    if (n == 0 || capacity < n + kRawHeaderBytes) {
        return 0;
    }
    plane_.resize(n);
    uint32_t counter = counter_;
    // The counter goes up by one, so the next multiple of the width is the
    // only value at which it can wrap.
    uint32_t wrap = (counter / width + 1) * width;
    for (std::size_t i = 0; i < n; ++i) {
        frame[i] = static_cast<uint8_t>(counter);
        plane_[i] = static_cast<uint16_t>(counter + kPatternBase);
        if (++counter == wrap) {
            counter = 0;
            wrap = width;
        }
    }
    ++frames_;
    // The start is kept inside the row: a start past the width would run the
    // ramp beyond the maximum the frame announces.
    counter_ = (counter + (frames_ % 5 == 0 ? 2 : 1)) % width;

    uint8_t* header = frame + n;
    put_u16(header + kRawMinOffset, kPatternBase);
    put_u16(header + kRawMaxOffset, static_cast<uint16_t>(kPatternBase + width));
    put_u16(header + kRawTypeOffset, 1);
    uint32_t length = static_cast<uint32_t>(capacity - n - kRawHeaderBytes);
    if (vy_high_low_compress(plane_.data(), static_cast<int>(n), header + kRawHeaderBytes, &length) != VY_OK) {
        return 0;
    }
    put_u32(header + kRawLengthOffset, length);
    return length;
}

bool compressed_frame_intact(const uint8_t* compressed, uint32_t length, std::size_t pixels)
{
    const uint64_t n = pixels;
    if (!(n < length && length + 1034ull < 3 * n)) {
        return false;
    }
    uint64_t sum = 0;
    const uint8_t* pairs = compressed + n;
    for (uint64_t i = 0; i < length - n; i += 2) {
        sum += pairs[i];
    }
    return sum == n;
}

}  // namespace detail
}  // namespace camlink
