#include "rotation.h"

namespace thermframe {
namespace detail {

// Arithmetic is on u16 on purpose: a point outside the frame wraps the same
// way in both directions, so a round trip still returns the original point.
void abs_to_direction(int32_t rotation, uint16_t width, uint16_t height, uint16_t& x, uint16_t& y)
{
    const uint16_t ox = x;
    const uint16_t oy = y;
    switch (rotation) {
    case 1:
        x = static_cast<uint16_t>(height - 1 - oy);
        y = ox;
        break;
    case 2:
        x = oy;
        y = static_cast<uint16_t>(width - 1 - ox);
        break;
    case 3:
    case 4:
        x = static_cast<uint16_t>(width - 1 - ox);
        y = static_cast<uint16_t>(height - 1 - oy);
        break;
    default:
        break;
    }
}

void direction_to_abs(int32_t rotation, uint16_t width, uint16_t height, uint16_t& x, uint16_t& y)
{
    const uint16_t ox = x;
    const uint16_t oy = y;
    switch (rotation) {
    case 1:
        x = oy;
        y = static_cast<uint16_t>(height - 1 - ox);
        break;
    case 2:
        x = static_cast<uint16_t>(width - 1 - oy);
        y = ox;
        break;
    case 3:
    case 4:
        x = static_cast<uint16_t>(width - 1 - ox);
        y = static_cast<uint16_t>(height - 1 - oy);
        break;
    default:
        break;
    }
}

int map_position_code(int32_t rotation, int code)
{
    static const int kRotation1[12] = {8, 10, 6, 9, 7, 11, 5, 3, 1, 4, 0, 2};
    static const int kRotation2[12] = {10, 8, 11, 7, 9, 6, 2, 4, 0, 3, 1, 5};
    static const int kHalfTurn[12] = {1, 0, 5, 4, 3, 2, 11, 9, 10, 7, 8, 6};
    if (code < 0 || code > 11) {
        return code;
    }
    switch (rotation) {
    case 1: return kRotation1[code];
    case 2: return kRotation2[code];
    case 3:
    case 4: return kHalfTurn[code];
    default: return code;
    }
}

}  // namespace detail
}  // namespace thermframe
