// RGB32 (blue, green, red, unused bytes) to I420 with the BT.601 studio-range
// matrix that decoders assume when a stream says nothing else.
#pragma once

#include <cstddef>
#include <cstdint>

namespace clipenc {
namespace detail {

struct I420Layout {
    int width = 0;
    int height = 0;
    int chroma_width = 0;   // (width + 1) / 2
    int chroma_height = 0;  // (height + 1) / 2

    I420Layout() = default;
    I420Layout(int w, int h) : width(w), height(h), chroma_width((w + 1) / 2), chroma_height((h + 1) / 2) {}

    std::size_t luma_size() const { return static_cast<std::size_t>(width) * height; }
    std::size_t chroma_size() const { return static_cast<std::size_t>(chroma_width) * chroma_height; }
    std::size_t total_size() const { return luma_size() + 2 * chroma_size(); }
};

// Writes the Y plane, then U, then V, packed without padding into `planes`
// (layout.total_size() bytes). Chroma is taken from the mean of each 2 x 2
// block; an odd last column or row uses the pixels it has.
void rgb32_to_i420(const uint8_t* rgb32, const I420Layout& layout, uint8_t* planes);

}  // namespace detail
}  // namespace clipenc
