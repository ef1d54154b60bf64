// The LZ77 decoder on hostile streams. The first two bytes choose the output
// capacity (the buffer is exactly that large so ASan sees any overrun), the
// third how many padding bits of the last byte are not part of the stream.
#include "basekit.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4) {
        return 0;
    }
    uint32_t capacity = data[0] | (data[1] << 8);
    std::vector<uint8_t> out(capacity);
    uint32_t length = capacity;
    uint32_t bits = static_cast<uint32_t>((size - 3) * 8 - (data[2] & 7));
    if (vy_lz77_uncompress(data + 3, bits, out.data(), &length) == VY_OK && length > capacity) {
        __builtin_trap();
    }
    return 0;
}
