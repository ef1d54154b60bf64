// Analysis strings drawn into small targets: every write must stay inside
// the target whatever the string or the size.
//
// Input: byte 0 width (1..64), byte 1 height (1..64), byte 2 flags (bit 0
// node markers, bits 1-2 line width 1..4), bytes 3-4 a triangle position,
// then the anas string.
#include "shape_raster.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 5) {
        return 0;
    }
    const int width = 1 + data[0] % 64;
    const int height = 1 + data[1] % 64;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    markpen::detail::RasterTarget target;
    target.pixels = pixels.data();
    target.width = static_cast<uint16_t>(width);
    target.height = static_cast<uint16_t>(height);
    target.show_nodes = data[2] & 1;
    target.line_width = static_cast<uint8_t>(1 + ((data[2] >> 1) & 3));
    const std::string text(reinterpret_cast<const char*>(data + 5), size - 5);
    markpen::detail::draw_anas(text, target);
    markpen::detail::draw_ana(text, target);
    markpen::detail::draw_triangle_below(data[3] - 64, data[4] - 64, target);
    markpen::detail::draw_triangle_above(data[4] - 64, data[3] - 64, target);
    return 0;
}
