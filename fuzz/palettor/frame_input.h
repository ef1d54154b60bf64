// Layout of a palettor fuzz input, shared by the target and its seed maker.
//
// byte 0      algorithm mode (taken modulo 4, 4..7 ask for a refused mode)
// byte 1      imaging type: 0 automatic, 1 manual, else fire-fighting (255)
// byte 2      bit 0 stabilization, 1 image processing, 2 fire-fighting flag,
//             3 init flag (caller drives), 4 make the filter engine
// byte 3, 4   width, height (1..64 after adding 1)
// bytes 5..12 window left, top, right, bottom (u16, may be outside the frame)
// bytes 13..16 manual range low, high (u16)
// byte 17     palette number (refused from 18 on)
// byte 18     isotherm count (0..4 used), then 9 bytes each
// then        AD values (u16), repeated to fill width x height
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fuzz_palettor {

constexpr size_t kHeaderSize = 19;
constexpr size_t kBandSize = 9;

inline void put16(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

}  // namespace fuzz_palettor
