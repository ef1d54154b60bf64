// The high/low decoder on hostile streams. The first two bytes choose the
// value count; the plane is exactly that large so ASan sees any overrun.
#include "basekit.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) {
        return 0;
    }
    int count = (data[0] | (data[1] << 8)) + 1;
    std::vector<uint16_t> plane(count);
    if (vy_high_low_uncompress(static_cast<uint32_t>(size - 2), data + 2, plane.data(), count) == VY_OK) {
        std::vector<uint8_t> again(vy_high_low_bound(count));
        uint32_t length = static_cast<uint32_t>(again.size());
        int result = vy_high_low_compress(plane.data(), count, again.data(), &length);
        if (result != VY_OK && result != VY_ERR_NOT_SHRINK) {
            __builtin_trap();
        }
    }
    return 0;
}
