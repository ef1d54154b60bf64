// The camera side's writers of the answers and packages it sends. Tests,
// fuzz seeds and benchmarks use them as the reference peer of the client's
// decoders.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace camsim {

struct LensRanges {
    uint8_t lens = 0;
    struct Range {
        uint8_t range;
        int16_t min_temp;
        int16_t max_temp;
    };
    std::vector<Range> ranges;
};

struct DeviceModel {
    std::string firmware = "1.1.39";
    std::string hardware = "2.0.1";
    uint16_t width = 640;
    uint16_t height = 512;
    uint16_t lens_position = 0;
    bool lens_position_supported = true;
    uint8_t lens_adjust_method = 1;  // 0 manual, 1 electric, 2 continuous magnification
    uint8_t lens_index = 0;
    uint8_t meas_range = 0;
    float params[4] = {0.95f, 5.0f, 25.0f, 0.5f};  // emissivity, distance, ambient, humidity
    uint8_t unit = 0;
    std::vector<LensRanges> lenses;
};

struct Preset {
    uint16_t id = 0;
    uint32_t values[4] = {0, 0, 0, 0};
    std::string text;
};

struct PresetAlarm {
    uint16_t id = 0;
    std::string text;
};

struct RecordFileEntry {
    std::string name;
    std::string first;   // decimal texts as the camera lists them
    std::string second;
};

// 160/129.
std::vector<uint8_t> device_description(const DeviceModel& model);
// 170/138.
std::vector<uint8_t> preset_list(uint16_t current, const std::vector<Preset>& presets);
// 170/140, 170/142.
std::vector<uint8_t> alarm_list(const std::vector<PresetAlarm>& alarms);
// 178/162.
std::vector<uint8_t> record_file_list(const std::vector<RecordFileEntry>& files);
// u32 length and text (169/149).
std::vector<uint8_t> counted_text(const std::string& text);

// 161/131 with all its sections around `video`.
std::vector<uint8_t> ps_package(int frame_type, const uint8_t* video, std::size_t size);
// 161/132 on the visible link.
std::vector<uint8_t> visible_video(int frame_type, const uint8_t* video, std::size_t size);
// 161/134: (t + 300) * 10 as u16 in the given byte order.
std::vector<uint8_t> temperature_frame(const float* temperatures, std::size_t count, bool big_endian);
// 161/136.
std::vector<uint8_t> imaging_info(uint32_t mode, float first, float second);

// Rule packages with `count` entries each, values derived from `seed`.
std::vector<uint8_t> rule_temperatures(uint16_t rule_set, uint8_t g, int count, uint32_t seed);
std::vector<uint8_t> rule_alarms(uint16_t rule_set, uint8_t g, int count, uint32_t seed);
std::vector<uint8_t> rule_diff_alarms(uint16_t rule_set, uint8_t g, int count, uint32_t seed);

// 178/163 download chunk.
std::vector<uint8_t> download_chunk(const uint8_t* data, uint32_t size, uint32_t left);

// An MPEG program-stream frame: pack header, a system header at byte 20 on
// key frames, and one PES packet carrying `picture`.
std::vector<uint8_t> video_frame(bool key_frame, const uint8_t* picture, std::size_t size);

// Temperature value t as the camera's raw rule value (t + 100) * 10.
uint32_t rule_value(float temperature);

}  // namespace camsim
