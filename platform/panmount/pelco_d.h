// Pelco-D frames: sync byte 0xFF, address, command 1, command 2, data 1,
// data 2 and a checksum, the sum of bytes 1 to 5 modulo 256.
#pragma once

#include <array>
#include <cstdint>

namespace panmount {
namespace detail {

using PelcoFrame = std::array<uint8_t, 7>;

constexpr uint8_t kPelcoSync = 0xFF;

PelcoFrame pelco_frame(uint8_t address, uint8_t command1, uint8_t command2, uint8_t data1, uint8_t data2);

// Movement in a PtzDirection (PTZ_STOP stops). False for an unknown code.
bool movement_frame(uint8_t address, int direction, uint8_t pan_speed, uint8_t tilt_speed,
                    PelcoFrame* frame);

PelcoFrame set_preset_frame(uint8_t address, uint8_t preset);
PelcoFrame goto_preset_frame(uint8_t address, uint8_t preset);

// Auxiliary output 1 drives the wiper.
PelcoFrame wiper_frame(uint8_t address, bool on);

}  // namespace detail
}  // namespace panmount
