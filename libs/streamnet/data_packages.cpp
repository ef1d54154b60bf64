#include "data_packages.h"

#include "byte_reader.h"
#include "streamnet_log.h"

namespace streamnet {
namespace detail {

namespace {

constexpr uint32_t kHeadMagic = 0xA0A05A5Au;
constexpr uint32_t kSectionMagic = 0xA1A11A1Au;
constexpr std::size_t kSectionHead = 16;

struct Section {
    uint32_t magic = 0;
    uint32_t type = 0;
    uint32_t length = 0;
};

Section read_section(ByteReader& reader)
{
    Section section;
    section.magic = reader.u32();
    section.type = reader.u32();
    section.length = reader.u32();
    reader.u32();
    return section;
}

// The 20-byte measurement block: T1, R1, R2, T3, R3, R4, T2.
struct Measurement {
    float t1, t2, t3, r1, r2, r3, r4;
};

float temperature_of(uint32_t value)
{
    return static_cast<float>(value) / 10.0f - 100.0f;
}

Measurement read_measurement(ByteReader& reader)
{
    Measurement m;
    m.t1 = temperature_of(reader.u32());
    m.r1 = reader.u16() / 1000.0f;
    m.r2 = reader.u16() / 1000.0f;
    m.t3 = temperature_of(reader.u32());
    m.r3 = reader.u16() / 1000.0f;
    m.r4 = reader.u16() / 1000.0f;
    m.t2 = temperature_of(reader.u32());
    return m;
}

bool skip_points(ByteReader& reader)
{
    uint16_t count = reader.u16();
    return reader.skip(static_cast<std::size_t>(count) * 4);
}

float alarm_temperature(uint32_t value)
{
    return temperature_of(value) + 0.05f;
}

}  // namespace

bool decode_ps_package(const uint8_t* payload, std::size_t size, PsPackage* out)
{
    *out = PsPackage();
    ByteReader reader(payload, size);
    reader.u32();
    uint8_t version = reader.u8();
    if (!reader.ok() || version != 2) {
        SN_ERROR("on_ps_h264_package version = %d is error", version);
        return false;
    }
    Section time = read_section(reader);
    reader.skip(8);
    if (!reader.ok() || time.magic != kHeadMagic) {
        SN_ERROR("on_ps_h264_package time Magic = %d is error", static_cast<int>(time.magic));
        return false;
    }
    if (time.type != 33) {
        SN_ERROR("on_ps_h264_package time type = %d is error", static_cast<int>(time.type));
        return false;
    }
    uint32_t magic = reader.u32();
    uint32_t frame_type = reader.u32();
    uint32_t length = reader.u32();
    reader.u32();
    if (!reader.ok() || magic != kHeadMagic) {
        SN_ERROR("on_ps_h264_package ps head Magic = %d is error", static_cast<int>(magic));
        return false;
    }
    if (frame_type != 2 && frame_type != 3) {
        SN_ERROR("on_ps_h264_package ps head type = %d is error", static_cast<int>(frame_type));
        return false;
    }
    // The section length counts its own 16-byte head.
    if (length < kSectionHead || length - kSectionHead > reader.remaining()) {
        SN_ERROR("on_ps_h264_package ps head len = %u is error, data len = %zu", length, size);
        return false;
    }
    out->video = reader.bytes(length - kSectionHead);
    out->video_size = length - kSectionHead;
    out->frame_type = static_cast<int32_t>(frame_type);
    out->has_video = true;

    Section content = read_section(reader);
    reader.skip(16);
    if (!reader.ok() || content.magic != kSectionMagic) {
        SN_ERROR("on_ps_h264_package ps content Magic = %d is error", static_cast<int>(content.magic));
        return false;
    }
    if (content.type != 32) {
        SN_ERROR("on_ps_h264_package ps content type = %d is error", static_cast<int>(content.type));
        return false;
    }
    if (content.length != 32) {
        SN_ERROR("on_ps_h264_package ps content len = %d is error", static_cast<int>(content.length));
        return false;
    }
    Section analysis = read_section(reader);
    uint32_t count = reader.u32();
    if (!reader.ok() || analysis.magic != kSectionMagic || analysis.type != 16) {
        return false;
    }
    if ((analysis.length == kSectionHead) != (count == 0) || !reader.holds(count, 24)) {
        SN_ERROR("on_ps_h264_package ana content len = %d is error", static_cast<int>(analysis.length));
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t text = reader.u32();
        if (!reader.skip(text) || !reader.skip(20)) {
            SN_ERROR("on_ps_h264_package ana content len = %d is error", static_cast<int>(analysis.length));
            return false;
        }
    }
    Section fullscreen = read_section(reader);
    reader.skip(20);
    if (!reader.ok() || fullscreen.magic != kSectionMagic) {
        SN_ERROR("on_ps_h264_package fullscreen Magic = %d is error", static_cast<int>(fullscreen.magic));
        return false;
    }
    if (fullscreen.type != 17) {
        SN_ERROR("on_ps_h264_package fullscreen Type = %d is error", static_cast<int>(fullscreen.type));
        return false;
    }
    if (fullscreen.length != 36) {
        SN_ERROR("on_ps_h264_package fullscreen Len = %d is error", static_cast<int>(fullscreen.length));
        return false;
    }
    Section end = read_section(reader);
    if (!reader.ok() || end.magic != kSectionMagic) {
        SN_ERROR("on_ps_h264_package end Magic = %d is error", static_cast<int>(end.magic));
        return false;
    }
    if (end.type != 31) {
        SN_ERROR("on_ps_h264_package end Type = %d is error", static_cast<int>(end.type));
        return false;
    }
    if (end.length != 16) {
        SN_ERROR("on_ps_h264_package end Len = %d is error", static_cast<int>(end.length));
        return false;
    }
    return true;
}

bool decode_visible_video(const uint8_t* payload, std::size_t size, PsPackage* out)
{
    *out = PsPackage();
    ByteReader reader(payload, size);
    reader.u32();
    uint32_t frame_type = reader.u32();
    uint32_t length = reader.u32();
    reader.u32();
    if (!reader.ok() || length < kSectionHead || length - kSectionHead > reader.remaining()) {
        SN_ERROR("visible video len = %u is error, data len = %zu", length, size);
        return false;
    }
    out->video = reader.bytes(length - kSectionHead);
    out->video_size = length - kSectionHead;
    out->frame_type = static_cast<int32_t>(frame_type);
    out->has_video = true;
    return true;
}

void convert_temperature_frame(const uint8_t* payload, std::size_t size, bool big_endian, float* out)
{
    std::size_t count = size / 2;
    const int high = big_endian ? 0 : 1;
    const int low = 1 - high;
    for (std::size_t i = 0; i < count; ++i) {
        unsigned value = static_cast<unsigned>(payload[2 * i + high]) << 8 | payload[2 * i + low];
        out[i] = static_cast<float>(value) / 10.0f - 300.0f;
    }
}

bool decode_imaging_info(const uint8_t* payload, std::size_t size, ImagingInfo* out)
{
    ByteReader reader(payload, size);
    uint8_t version = reader.u8();
    if (!reader.ok() || version != 1) {
        SN_ERROR("analyse stream data's version = %d is error", version);
        return false;
    }
    reader.skip(16);
    ImagingInfo info;
    info.mode = reader.u32();
    reader.skip(4);
    info.first = reader.f32_host();
    info.second = reader.f32_host();
    if (!reader.ok()) {
        SN_ERROR("imaging info len = %zu is error", size);
        return false;
    }
    *out = info;
    return true;
}

bool decode_rule_temperatures(const uint8_t* payload, std::size_t size, RuleTemperatures* out)
{
    ByteReader reader(payload, size);
    reader.skip(1);
    uint8_t g = reader.u8();
    RuleTemperatures rules;
    rules.summary.rule_set = reader.u16();
    Measurement set = read_measurement(reader);
    rules.summary.t1 = set.t1;
    rules.summary.t2 = set.t2;
    rules.summary.t3 = set.t3;
    rules.summary.r1 = set.r1;
    rules.summary.r2 = set.r2;
    rules.summary.r3 = set.r3;
    rules.summary.r4 = set.r4;
    uint16_t count = reader.u16();
    if (!reader.ok() || !reader.holds(count, 56)) {
        SN_ERROR("rule temperature count = %u is error, data len = %zu", count, size);
        return false;
    }
    rules.records.resize(count);
    for (NvsRuleTemperature& record : rules.records) {
        record.a = reader.u8();
        reader.skip(32);
        record.b = reader.u8();
        record.g = g;
        skip_points(reader);
        Measurement m = read_measurement(reader);
        record.t1 = m.t1;
        record.t2 = m.t2;
        record.t3 = m.t3;
        record.r1 = m.r1;
        record.r2 = m.r2;
        record.r3 = m.r3;
        record.r4 = m.r4;
    }
    if (!reader.ok()) {
        SN_ERROR("rule temperature data len = %zu is shorter than its %u entries", size, count);
        return false;
    }
    *out = std::move(rules);
    return true;
}

bool decode_rule_alarms(const uint8_t* payload, std::size_t size, RuleAlarms* out)
{
    ByteReader reader(payload, size);
    reader.skip(1);
    uint8_t g = reader.u8();
    RuleAlarms alarms;
    alarms.rule_set = reader.u16();
    uint16_t count = reader.u16();
    if (!reader.ok() || !reader.holds(count, 35)) {
        SN_ERROR("rule alarm count = %u is error, data len = %zu", count, size);
        return false;
    }
    alarms.records.resize(count);
    for (NvsRuleAlarm& record : alarms.records) {
        record.a = reader.u8();
        reader.skip(1);
        record.b = reader.u8();
        record.c = reader.u8();
        record.d = reader.u8();
        record.g = g;
        skip_points(reader);
        record.t1 = alarm_temperature(reader.u32());
        record.t2 = alarm_temperature(reader.u32());
        reader.skip(20);
    }
    if (!reader.ok()) {
        SN_ERROR("rule alarm data len = %zu is shorter than its %u entries", size, count);
        return false;
    }
    *out = std::move(alarms);
    return true;
}

bool decode_rule_diff_alarms(const uint8_t* payload, std::size_t size, RuleDiffAlarms* out)
{
    ByteReader reader(payload, size);
    reader.skip(1);
    uint8_t g = reader.u8();
    RuleDiffAlarms alarms;
    alarms.rule_set = reader.u16();
    uint16_t count = reader.u16();
    if (!reader.ok() || !reader.holds(count, 18)) {
        SN_ERROR("rule diff alarm count = %u is error, data len = %zu", count, size);
        return false;
    }
    alarms.records.resize(count);
    for (NvsRuleDiffAlarm& record : alarms.records) {
        record.a = reader.u8();
        record.b = reader.u8();
        reader.skip(1);
        record.c = reader.u8();
        record.d = reader.u8();
        reader.skip(1);
        record.constant_one = 1;
        record.g = g;
        skip_points(reader);
        skip_points(reader);
        record.t1 = alarm_temperature(reader.u32());
        record.t2 = alarm_temperature(reader.u32());
    }
    if (!reader.ok()) {
        SN_ERROR("rule diff alarm data len = %zu is shorter than its %u entries", size, count);
        return false;
    }
    *out = std::move(alarms);
    return true;
}

bool decode_preset_change(const uint8_t* payload, std::size_t size, PresetChange* out)
{
    if (size != 5) {
        SN_ERROR("VY_PTZ_BROADCAST's data len = %d is wrong", static_cast<int>(size));
        return false;
    }
    ByteReader reader(payload, size);
    out->value = reader.u8();
    out->first = reader.u16();
    out->second = reader.u16();
    return true;
}

bool decode_download_chunk(const uint8_t* payload, std::size_t size, DownloadChunk* out)
{
    ByteReader reader(payload, size);
    DownloadChunk chunk;
    chunk.size = reader.u32();
    chunk.left = reader.u32();
    if (!reader.ok() || chunk.size > reader.remaining() || chunk.size > chunk.left) {
        SN_ERROR("download chunk size = %u, left = %u is error, data len = %zu", chunk.size, chunk.left, size);
        return false;
    }
    chunk.data = reader.bytes(chunk.size);
    *out = chunk;
    return true;
}

}  // namespace detail
}  // namespace streamnet
