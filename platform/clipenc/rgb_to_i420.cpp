#include "rgb_to_i420.h"

namespace clipenc {
namespace detail {
namespace {

// Fixed-point BT.601 coefficients scaled by 256, rounded.
inline uint8_t luma(int r, int g, int b)
{
    return static_cast<uint8_t>(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16);
}

inline uint8_t chroma_u(int r, int g, int b)
{
    return static_cast<uint8_t>(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128);
}

inline uint8_t chroma_v(int r, int g, int b)
{
    return static_cast<uint8_t>(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128);
}

}  // namespace

void rgb32_to_i420(const uint8_t* rgb32, const I420Layout& layout, uint8_t* planes)
{
    const int width = layout.width;
    const int height = layout.height;
    const std::size_t stride = static_cast<std::size_t>(width) * 4;
    uint8_t* y_plane = planes;
    uint8_t* u_plane = planes + layout.luma_size();
    uint8_t* v_plane = u_plane + layout.chroma_size();

    for (int row = 0; row < height; ++row) {
        const uint8_t* pixel = rgb32 + stride * row;
        uint8_t* y = y_plane + static_cast<std::size_t>(width) * row;
        for (int column = 0; column < width; ++column, pixel += 4) {
            y[column] = luma(pixel[2], pixel[1], pixel[0]);
        }
    }
    for (int row = 0; row < layout.chroma_height; ++row) {
        const int top = row * 2;
        const int rows = top + 1 < height ? 2 : 1;
        for (int column = 0; column < layout.chroma_width; ++column) {
            const int left = column * 2;
            const int columns = left + 1 < width ? 2 : 1;
            int r = 0, g = 0, b = 0;
            for (int dy = 0; dy < rows; ++dy) {
                const uint8_t* pixel = rgb32 + stride * (top + dy) + static_cast<std::size_t>(left) * 4;
                for (int dx = 0; dx < columns; ++dx, pixel += 4) {
                    b += pixel[0];
                    g += pixel[1];
                    r += pixel[2];
                }
            }
            const int count = rows * columns;
            r = (r + count / 2) / count;
            g = (g + count / 2) / count;
            b = (b + count / 2) / count;
            const std::size_t at = static_cast<std::size_t>(layout.chroma_width) * row + column;
            u_plane[at] = chroma_u(r, g, b);
            v_plane[at] = chroma_v(r, g, b);
        }
    }
}

}  // namespace detail
}  // namespace clipenc
