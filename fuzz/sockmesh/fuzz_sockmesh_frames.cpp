// The frame assembler on a byte stream cut into reads of varying size. The
// first byte of the input picks the read sizes.
#include "frame_assembler.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    std::size_t step = 1 + data[0] % 97;
    ++data;
    --size;
    sockmesh::detail::FrameAssembler assembler(64);
    for (std::size_t pos = 0; pos < size; pos += step) {
        std::size_t n = size - pos < step ? size - pos : step;
        assembler.append(reinterpret_cast<const char*>(data) + pos, n);
        const char* payload = nullptr;
        uint32_t length = 0;
        while (assembler.next(&payload, &length)) {
            // Every delivered payload lies inside what arrived and is framed.
            if (length > size || std::memcmp(payload + length, "VYEND", 5) != 0) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
