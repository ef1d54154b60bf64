#include "pelco_d.h"

#include "panmount.h"

namespace panmount {
namespace detail {
namespace {

// Command 2 bits.
constexpr uint8_t kRight = 0x02;
constexpr uint8_t kLeft = 0x04;
constexpr uint8_t kUp = 0x08;
constexpr uint8_t kDown = 0x10;

// Extended commands in command 2, with command 1 zero.
constexpr uint8_t kSetPreset = 0x03;
constexpr uint8_t kGotoPreset = 0x07;
constexpr uint8_t kSetAuxiliary = 0x09;
constexpr uint8_t kClearAuxiliary = 0x0B;
constexpr uint8_t kWiperAuxiliary = 1;

}  // namespace

PelcoFrame pelco_frame(uint8_t address, uint8_t command1, uint8_t command2, uint8_t data1, uint8_t data2)
{
    uint8_t sum = static_cast<uint8_t>(address + command1 + command2 + data1 + data2);
    return PelcoFrame{kPelcoSync, address, command1, command2, data1, data2, sum};
}

bool movement_frame(uint8_t address, int direction, uint8_t pan_speed, uint8_t tilt_speed,
                    PelcoFrame* frame)
{
    static constexpr uint8_t kBits[] = {
        kLeft, kUp, kRight, kDown, kLeft | kUp, kLeft | kDown, kRight | kUp, kRight | kDown, 0,
    };
    if (direction < PTZ_LEFT || direction > PTZ_STOP) {
        return false;
    }
    uint8_t bits = kBits[direction];
    // A speed byte is sent only for the axis that moves.
    uint8_t pan = (bits & (kLeft | kRight)) != 0 ? pan_speed : 0;
    uint8_t tilt = (bits & (kUp | kDown)) != 0 ? tilt_speed : 0;
    *frame = pelco_frame(address, 0, bits, pan, tilt);
    return true;
}

PelcoFrame set_preset_frame(uint8_t address, uint8_t preset)
{
    return pelco_frame(address, 0, kSetPreset, 0, preset);
}

PelcoFrame goto_preset_frame(uint8_t address, uint8_t preset)
{
    return pelco_frame(address, 0, kGotoPreset, 0, preset);
}

PelcoFrame wiper_frame(uint8_t address, bool on)
{
    return pelco_frame(address, 0, on ? kSetAuxiliary : kClearAuxiliary, 0, kWiperAuxiliary);
}

}  // namespace detail
}  // namespace panmount
