// What a test reads off a rendered picture.
#pragma once

#include <QImage>

#include <algorithm>

namespace roadtest {

// Pixels of exactly this colour in the rows y - 3 to y + 3 from x0 to x1:
// an outline drawn along row y shows there, whatever rounding placed it.
inline int pixels_of_colour(const QImage& image, QRgb colour, int x0, int x1, int y)
{
    int count = 0;
    for (int yy = std::max(0, y - 3); yy <= std::min(image.height() - 1, y + 3); ++yy) {
        for (int x = std::max(0, x0); x <= std::min(image.width() - 1, x1); ++x) {
            count += (image.pixel(x, yy) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
        }
    }
    return count;
}

}  // namespace roadtest
