// The mark file reader of reelplay. The frame count and recording size are
// taken from the input's own header, so that the parser gets past them.
#include "mark_store.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    uint32_t frames = 0;
    uint64_t file_size = 0;
    if (size >= 20) {
        std::memcpy(&frames, data + 8, 4);
        std::memcpy(&file_size, data + 12, 8);
    }
    reelplay::detail::Marks marks;
    reelplay::detail::parse_mark_file(data, size, frames, file_size, &marks);
    return 0;
}
