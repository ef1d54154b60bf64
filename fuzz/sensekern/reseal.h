// The readers check CRC-32 sums before parsing; a mutated input would rarely
// get past them. These helpers recompute the sums in a copy of the input so
// that the fuzzer reaches the parsers behind the checks.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace skfuzz {

inline uint32_t crc_of(const uint8_t* data, uint64_t size)
{
    return static_cast<uint32_t>(crc32(0L, data, static_cast<uInt>(size)));
}

// The footer's sum over the block it announces, when that block fits.
inline void reseal_picture(std::vector<uint8_t>* bytes)
{
    if (bytes->size() < 24) {
        return;
    }
    std::size_t footer = bytes->size() - 24;
    uint64_t length;
    std::memcpy(&length, bytes->data() + footer, 8);
    if (length <= footer) {
        uint32_t crc = crc_of(bytes->data() + footer - length, length);
        std::memcpy(bytes->data() + footer + 8, &crc, 4);
    }
}

// The sum of every record from the header on, as far as the records fit.
inline void reseal_recording(std::vector<uint8_t>* bytes)
{
    if (bytes->size() < 14) {
        return;
    }
    uint32_t at32;
    std::memcpy(&at32, bytes->data() + 10, 4);
    uint64_t at = at32;
    while (at + 8 <= bytes->size()) {
        uint32_t length;
        std::memcpy(&length, bytes->data() + at + 4, 4);
        if (length > bytes->size() - at - 8 || bytes->size() - at - 8 - length < 4) {
            break;
        }
        uint32_t crc = crc_of(bytes->data() + at + 8, length);
        std::memcpy(bytes->data() + at + 8 + length, &crc, 4);
        at += 8 + uint64_t{length} + 4;
    }
}

}  // namespace skfuzz
