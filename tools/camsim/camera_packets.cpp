#include "camera_packets.h"

#include "nvs_packet.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using streamnet::detail::put_bytes;
using streamnet::detail::put_host32;
using streamnet::detail::put_u16;
using streamnet::detail::put_u32;
using streamnet::detail::put_u8;

namespace camsim {

namespace {

constexpr uint32_t kHeadMagic = 0xA0A05A5Au;
constexpr uint32_t kSectionMagic = 0xA1A11A1Au;

void put_section(std::vector<uint8_t>& out, uint32_t magic, uint32_t type, uint32_t length)
{
    put_u32(out, magic);
    put_u32(out, type);
    put_u32(out, length);
    put_u32(out, 0);
}

void put_fixed_text(std::vector<uint8_t>& out, const std::string& text, std::size_t size)
{
    std::size_t n = std::min(text.size(), size);
    put_bytes(out, text.data(), n);
    out.insert(out.end(), size - n, 0);
}

void pad_to(std::vector<uint8_t>& out, std::size_t size)
{
    if (out.size() < size) {
        out.resize(size, 0);
    }
}

void put_counted(std::vector<uint8_t>& out, const std::string& text)
{
    put_u32(out, static_cast<uint32_t>(text.size()));
    put_bytes(out, text.data(), text.size());
}

// The 20-byte measurement block: T1, R1, R2, T3, R3, R4, T2.
void put_measurement(std::vector<uint8_t>& out, uint32_t seed)
{
    put_u32(out, rule_value(20.0f + seed % 10));
    put_u16(out, static_cast<uint16_t>(100 + seed % 7));
    put_u16(out, static_cast<uint16_t>(200 + seed % 7));
    put_u32(out, rule_value(25.0f));
    put_u16(out, 300);
    put_u16(out, 400);
    put_u32(out, rule_value(30.0f + seed % 10));
}

void put_points(std::vector<uint8_t>& out, int count)
{
    put_u16(out, static_cast<uint16_t>(count));
    for (int i = 0; i < count; ++i) {
        put_u16(out, static_cast<uint16_t>(10 * i));
        put_u16(out, static_cast<uint16_t>(20 * i));
    }
}

}  // namespace

uint32_t rule_value(float temperature)
{
    return static_cast<uint32_t>(std::lround((temperature + 100.0f) * 10.0f));
}

std::vector<uint8_t> device_description(const DeviceModel& model)
{
    // Offsets in the comments are from the packet start (payload + 23).
    std::vector<uint8_t> out(17, 0);
    put_fixed_text(out, "camsim", 16);          // 40
    put_fixed_text(out, model.hardware, 16);    // 56
    put_fixed_text(out, model.firmware, 16);    // 72
    put_fixed_text(out, "simulated camera", 32);  // 88
    put_u16(out, 0);                            // 120
    put_u16(out, 0);
    put_u16(out, model.width);                  // 124
    put_u16(out, model.height);                 // 126
    put_u8(out, 0);                             // 128
    put_u16(out, model.lens_position);          // 129
    pad_to(out, 113);
    put_u8(out, model.lens_index);              // 136
    put_u8(out, model.meas_range);              // 137
    for (const float& value : model.params) {   // 138
        put_host32(out, &value);
    }
    out.insert(out.end(), 8, 0);
    put_u8(out, model.unit);                    // 162
    pad_to(out, 148);
    for (int group = 0; group < 5; ++group) {   // 171
        out.insert(out.end(), 8, static_cast<uint8_t>(group));
        put_u32(out, 1000u + static_cast<uint32_t>(group));
        put_u16(out, 7);
        put_u8(out, 1);
    }
    put_u8(out, 1);                             // 246
    put_u8(out, model.lens_adjust_method);      // 247
    put_u8(out, model.lens_position_supported ? 1 : 0);  // 248
    pad_to(out, 241);
    put_u8(out, static_cast<uint8_t>(model.lenses.size()));  // 264
    for (const LensRanges& lens : model.lenses) {
        put_u8(out, lens.lens);
        put_u8(out, static_cast<uint8_t>(lens.ranges.size()));
        for (const LensRanges::Range& range : lens.ranges) {
            put_u8(out, range.range);
            put_u16(out, static_cast<uint16_t>(range.min_temp));
            put_u16(out, static_cast<uint16_t>(range.max_temp));
        }
    }
    put_u8(out, 1);
    for (int group = 0; group < 11; ++group) {
        put_u8(out, 1);
        put_u8(out, static_cast<uint8_t>(group));
        put_u16(out, 0);
        put_u16(out, 0);
    }
    return out;
}

std::vector<uint8_t> preset_list(uint16_t current, const std::vector<Preset>& presets)
{
    std::vector<uint8_t> out;
    put_u16(out, current);
    put_u32(out, static_cast<uint32_t>(presets.size()));
    for (const Preset& preset : presets) {
        put_u16(out, preset.id);
        for (const uint32_t& value : preset.values) {
            put_host32(out, &value);
        }
        put_counted(out, preset.text);
    }
    return out;
}

std::vector<uint8_t> alarm_list(const std::vector<PresetAlarm>& alarms)
{
    std::vector<uint8_t> out;
    put_u32(out, static_cast<uint32_t>(alarms.size()));
    for (const PresetAlarm& alarm : alarms) {
        put_u16(out, alarm.id);
        put_counted(out, alarm.text);
    }
    return out;
}

std::vector<uint8_t> record_file_list(const std::vector<RecordFileEntry>& files)
{
    std::vector<uint8_t> out;
    put_u32(out, static_cast<uint32_t>(files.size()));
    for (const RecordFileEntry& file : files) {
        put_counted(out, file.name);
        put_counted(out, file.first);
        put_counted(out, file.second);
    }
    return out;
}

std::vector<uint8_t> counted_text(const std::string& text)
{
    std::vector<uint8_t> out;
    put_counted(out, text);
    return out;
}

std::vector<uint8_t> ps_package(int frame_type, const uint8_t* video, std::size_t size)
{
    std::vector<uint8_t> out;
    out.reserve(size + 200);
    put_u32(out, 0);
    put_u8(out, 2);
    put_section(out, kHeadMagic, 33, 24);
    put_u32(out, 0);
    put_u32(out, 0);
    put_section(out, kHeadMagic, static_cast<uint32_t>(frame_type), static_cast<uint32_t>(size + 16));
    put_bytes(out, video, size);
    put_section(out, kSectionMagic, 32, 32);
    out.insert(out.end(), 16, 0);
    put_section(out, kSectionMagic, 16, 16);
    put_u32(out, 0);
    put_section(out, kSectionMagic, 17, 36);
    out.insert(out.end(), 20, 0);
    put_section(out, kSectionMagic, 31, 16);
    return out;
}

std::vector<uint8_t> visible_video(int frame_type, const uint8_t* video, std::size_t size)
{
    std::vector<uint8_t> out;
    out.reserve(size + 16);
    put_u32(out, 0);
    put_u32(out, static_cast<uint32_t>(frame_type));
    put_u32(out, static_cast<uint32_t>(size + 16));
    put_u32(out, 0);
    put_bytes(out, video, size);
    return out;
}

std::vector<uint8_t> temperature_frame(const float* temperatures, std::size_t count, bool big_endian)
{
    std::vector<uint8_t> out(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        long value = std::lround((temperatures[i] + 300.0f) * 10.0f);
        uint16_t v = static_cast<uint16_t>(std::min(65535L, std::max(0L, value)));
        out[2 * i + (big_endian ? 0 : 1)] = static_cast<uint8_t>(v >> 8);
        out[2 * i + (big_endian ? 1 : 0)] = static_cast<uint8_t>(v);
    }
    return out;
}

std::vector<uint8_t> imaging_info(uint32_t mode, float first, float second)
{
    std::vector<uint8_t> out;
    put_u8(out, 1);
    for (int i = 0; i < 4; ++i) {
        put_u32(out, 0);
    }
    put_u32(out, mode);
    put_u16(out, 0);
    put_u16(out, 0);
    put_host32(out, &first);
    put_host32(out, &second);
    return out;
}

std::vector<uint8_t> rule_temperatures(uint16_t rule_set, uint8_t g, int count, uint32_t seed)
{
    std::vector<uint8_t> out;
    put_u8(out, 0);
    put_u8(out, g);
    put_u16(out, rule_set);
    put_measurement(out, seed);
    put_u16(out, static_cast<uint16_t>(count));
    for (int i = 0; i < count; ++i) {
        put_u8(out, static_cast<uint8_t>(i));
        out.insert(out.end(), 32, 0xEE);
        put_u8(out, static_cast<uint8_t>(i + 100));
        put_points(out, i % 3);
        put_measurement(out, seed + static_cast<uint32_t>(i));
    }
    return out;
}

std::vector<uint8_t> rule_alarms(uint16_t rule_set, uint8_t g, int count, uint32_t seed)
{
    std::vector<uint8_t> out;
    put_u8(out, 0);
    put_u8(out, g);
    put_u16(out, rule_set);
    put_u16(out, static_cast<uint16_t>(count));
    for (int i = 0; i < count; ++i) {
        put_u8(out, static_cast<uint8_t>(i));      // a
        put_u8(out, 0xEE);
        put_u8(out, static_cast<uint8_t>(i + 1));  // b
        put_u8(out, static_cast<uint8_t>(i + 2));  // c
        put_u8(out, static_cast<uint8_t>(i + 3));  // d
        put_points(out, i % 4);
        put_u32(out, rule_value(40.0f + static_cast<float>(seed % 5)));
        put_u32(out, rule_value(50.0f));
        put_measurement(out, seed);
    }
    return out;
}

std::vector<uint8_t> rule_diff_alarms(uint16_t rule_set, uint8_t g, int count, uint32_t seed)
{
    std::vector<uint8_t> out;
    put_u8(out, 0);
    put_u8(out, g);
    put_u16(out, rule_set);
    put_u16(out, static_cast<uint16_t>(count));
    for (int i = 0; i < count; ++i) {
        put_u8(out, static_cast<uint8_t>(i));      // a
        put_u8(out, static_cast<uint8_t>(i + 1));  // b
        put_u8(out, 0xEE);
        put_u8(out, static_cast<uint8_t>(i + 2));  // c
        put_u8(out, static_cast<uint8_t>(i + 3));  // d
        put_u8(out, 0xEE);
        put_points(out, 2);
        put_points(out, i % 3);
        put_u32(out, rule_value(10.0f + static_cast<float>(seed % 5)));
        put_u32(out, rule_value(15.0f));
    }
    return out;
}

std::vector<uint8_t> download_chunk(const uint8_t* data, uint32_t size, uint32_t left)
{
    std::vector<uint8_t> out;
    out.reserve(size + 8);
    put_u32(out, size);
    put_u32(out, left);
    put_bytes(out, data, size);
    return out;
}

std::vector<uint8_t> video_frame(bool key_frame, const uint8_t* picture, std::size_t size)
{
    std::vector<uint8_t> out;
    out.reserve(size + 64);
    // Pack header: start code, six bytes of clock reference, three of mux
    // rate and a stuffing length of 6, so that byte 20 starts what follows.
    put_u32(out, 0x000001BA);
    static const uint8_t pack[10] = {0x44, 0x00, 0x04, 0x00, 0x04, 0x01, 0x01, 0x89, 0xC3, 0xFE};
    put_bytes(out, pack, sizeof(pack));
    out.insert(out.end(), 6, 0xFF);
    if (key_frame) {
        put_u32(out, 0x000001BB);
        put_u16(out, 6);
        static const uint8_t system[6] = {0x80, 0x01, 0x01, 0x04, 0xE1, 0xFF};
        put_bytes(out, system, sizeof(system));
    }
    // One private-stream PES packet per 65,000 bytes of picture.
    for (std::size_t pos = 0; pos < size || pos == 0; pos += 65000) {
        std::size_t n = std::min<std::size_t>(65000, size - pos);
        put_u32(out, 0x000001BD);
        put_u16(out, static_cast<uint16_t>(n));
        put_bytes(out, picture + pos, n);
        if (size == 0) {
            break;
        }
    }
    return out;
}

}  // namespace camsim
