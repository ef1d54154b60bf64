// Decoders of the packages a camera sends unasked: video, temperature
// frames, imaging information, rule temperatures and alarms, broadcasts,
// visible video and record-download chunks. Each takes the payload only and
// reads nothing past it.
#pragma once

#include "streamnet.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace streamnet {
namespace detail {

// 161/131. The video bytes are usable once the sections up to the ps head
// passed (has_video); the function's result says whether the trailing
// sections passed as well.
struct PsPackage {
    bool has_video = false;
    int32_t frame_type = 0;  // 2 or 3
    const uint8_t* video = nullptr;
    std::size_t video_size = 0;
};
bool decode_ps_package(const uint8_t* payload, std::size_t size, PsPackage* out);

// 161/132 on the visible link: 16-byte head, then L - 16 video bytes.
bool decode_visible_video(const uint8_t* payload, std::size_t size, PsPackage* out);

// 161/134. Writes size / 2 temperatures (value / 10 - 300 degrees) into
// out, which has room for them. An odd last byte is ignored.
void convert_temperature_frame(const uint8_t* payload, std::size_t size, bool big_endian, float* out);

// 161/136.
struct ImagingInfo {
    uint32_t mode = 0;
    float first = 0;
    float second = 0;
};
bool decode_imaging_info(const uint8_t* payload, std::size_t size, ImagingInfo* out);

// 161/139, 161/140, 161/141.
struct RuleTemperatures {
    NvsRuleSummary summary{};
    std::vector<NvsRuleTemperature> records;
};
bool decode_rule_temperatures(const uint8_t* payload, std::size_t size, RuleTemperatures* out);

struct RuleAlarms {
    uint16_t rule_set = 0;
    std::vector<NvsRuleAlarm> records;
};
bool decode_rule_alarms(const uint8_t* payload, std::size_t size, RuleAlarms* out);

struct RuleDiffAlarms {
    uint16_t rule_set = 0;
    std::vector<NvsRuleDiffAlarm> records;
};
bool decode_rule_diff_alarms(const uint8_t* payload, std::size_t size, RuleDiffAlarms* out);

// 176/146: payload of exactly 5 bytes.
struct PresetChange {
    uint8_t value = 0;
    uint16_t first = 0;
    uint16_t second = 0;
};
bool decode_preset_change(const uint8_t* payload, std::size_t size, PresetChange* out);

// 178/163 on the download link: u32 chunk size c, u32 bytes left r, c bytes.
struct DownloadChunk {
    uint32_t size = 0;
    uint32_t left = 0;
    const uint8_t* data = nullptr;
};
bool decode_download_chunk(const uint8_t* payload, std::size_t size, DownloadChunk* out);

}  // namespace detail
}  // namespace streamnet
