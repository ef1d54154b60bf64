// Conversion between image orientation (the stored frame) and display
// orientation (after the rotation angle), for points and label position codes.
#pragma once

#include <cstdint>

namespace thermframe {
namespace detail {

// width and height are those of the stored (unrotated) frame.
void abs_to_direction(int32_t rotation, uint16_t width, uint16_t height, uint16_t& x, uint16_t& y);
void direction_to_abs(int32_t rotation, uint16_t width, uint16_t height, uint16_t& x, uint16_t& y);

// The position code (0..11) of a rectangle that lands on the same visual
// corner of the unrotated image. Other codes and rotations map to themselves.
int map_position_code(int32_t rotation, int code);

}  // namespace detail
}  // namespace thermframe
