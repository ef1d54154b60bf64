// The .irv recording: shared layout constants of the writer and the reader.
#pragma once

#include "frame.h"

namespace sensekern {
namespace detail {

constexpr char kIrvMagic[8] = {'P', 'V', 'I', 'R', 'V', 'R', 'E', 'C'};
constexpr char kIrvEnd[8] = {'P', 'V', 'I', 'R', 'V', 'E', 'N', 'D'};
// Version 2 adds the calibration model to the header and the sensor
// readings to the table records; version 1 recordings still load.
constexpr uint16_t kIrvVersion = 2;
constexpr uint32_t kRecordHead = 8;   // tag, payload length
constexpr uint32_t kRecordCrc = 4;
constexpr uint32_t kIrvEndSize = 16;  // trailer offset, end magic
constexpr uint32_t kMaxFrames = 10000000;
constexpr uint32_t kMaxNoteBytes = 1 << 20;
// The fixed fields and the texts, and a stored calibration model.
constexpr uint32_t kMaxHeaderBytes = 4096 + kMaxCalibrationBytes;

constexpr uint32_t tag_of(const char (&t)[5])
{
    return static_cast<uint32_t>(static_cast<uint8_t>(t[0])) |
           static_cast<uint32_t>(static_cast<uint8_t>(t[1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(t[2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(t[3])) << 24;
}
constexpr uint32_t kFrameRecord = tag_of("PVFR");
constexpr uint32_t kTableRecord = tag_of("PVTB");
constexpr uint32_t kIndexRecord = tag_of("PVIX");

// Smallest payload of a frame record of a width x height recording: no mark
// and a plane packed to its smallest size (one byte a pixel).
inline uint64_t min_frame_payload(uint32_t width, uint32_t height)
{
    return 12 + 25 + 2 + 5 + uint64_t{width} * height;
}

// Largest payload of a frame record of a width x height recording.
inline uint64_t max_frame_payload(uint32_t width, uint32_t height)
{
    return 12 + 25 + 2 + SENSEKERN_MAX_MARK_BYTES + 5 + 2ull * width * height;
}

}  // namespace detail
}  // namespace sensekern
