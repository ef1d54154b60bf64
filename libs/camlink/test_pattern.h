// The simulated detector's picture: a horizontal ramp of AD values that
// moves one column a frame and an extra column every fifth frame, written as
// a raw AD frame (index plane, header, high/low-compressed AD plane).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace camlink {
namespace detail {

constexpr uint16_t kPatternBase = 16300;

class TestPattern {
public:
    // Writes the next frame at `frame` (the raw frame, index plane first),
    // whose capacity is `capacity` bytes. Returns the compressed length, or
    // 0 when the frame does not fit.
    uint32_t fill(uint8_t* frame, std::size_t capacity, uint16_t width, uint16_t height);

private:
    uint32_t counter_ = 0;
    uint32_t frames_ = 0;
    std::vector<uint16_t> plane_;
};

// The capture loop's check of a compressed AD plane of `length` bytes:
// N < length < 3N - 1034, and the run bytes of the (run, high byte) pairs
// after the N low bytes sum to N.
bool compressed_frame_intact(const uint8_t* compressed, uint32_t length, std::size_t pixels);

// Offsets inside a raw frame that follows N index bytes.
constexpr std::size_t kRawMinOffset = 0;
constexpr std::size_t kRawMaxOffset = 2;
constexpr std::size_t kRawTypeOffset = 4;
constexpr std::size_t kRawLengthOffset = 6;
constexpr std::size_t kRawHeaderBytes = 10;

}  // namespace detail
}  // namespace camlink
