// Decoders of answers and packages against the camera simulator's writers:
// whole inputs decode to the written values; every truncation and every
// count or length claiming more than the bytes hold is refused.
#include "camera_packets.h"
#include "data_packages.h"
#include "response_decoders.h"

#include "log_watch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace streamnet::detail;

namespace {

using Decoder = std::function<bool(const uint8_t*, std::size_t)>;

struct DecoderCase {
    const char* name;
    std::vector<uint8_t> bytes;
    Decoder decode;
    std::size_t count_offset;  // a u32 or u16 count/length to inflate; SIZE_MAX for none
    int count_width;
};

void inflate(std::vector<uint8_t>& bytes, std::size_t offset, int width)
{
    for (int i = 0; i < width; ++i) {
        bytes[offset + i] = 0xFF;
    }
}

camsim::DeviceModel sample_model(const std::string& firmware = "1.1.39")
{
    camsim::DeviceModel model;
    model.firmware = firmware;
    model.lenses = {{0, {{0, -20, 150}, {1, 100, 650}}}, {3, {{2, 300, 1200}}}};
    return model;
}

std::vector<DecoderCase> decoder_cases()
{
    DeviceDescription description;
    PresetList presets;
    std::vector<NvsPresetAlarmInfo> alarms;
    std::vector<NvsRecordFile> files;
    std::string text;
    PsPackage package;
    ImagingInfo info;
    RuleTemperatures rules;
    RuleAlarms rule_alarms;
    RuleDiffAlarms diff_alarms;
    DownloadChunk chunk;
    const uint8_t video[5] = {1, 2, 3, 4, 5};
    const uint8_t data[7] = {9, 8, 7, 6, 5, 4, 3};
    return {
        {"device description", camsim::device_description(sample_model()),
         [=](const uint8_t* p, std::size_t n) mutable { return decode_device_description(p, n, &description); },
         241, 1},
        {"preset list", camsim::preset_list(1, {{1, {1, 2, 3, 4}, "gate"}, {2, {5, 6, 7, 8}, ""}}),
         [=](const uint8_t* p, std::size_t n) mutable { return decode_preset_list(p, n, &presets); }, 2, 4},
        {"alarm list", camsim::alarm_list({{1, "max>80"}, {4, "x"}}),
         [=](const uint8_t* p, std::size_t n) mutable { return decode_alarm_list(p, n, &alarms); }, 0, 4},
        {"record file list", camsim::record_file_list({{"a.ps", "1", "200"}, {"b.ps", "-5", "0"}}),
         [=](const uint8_t* p, std::size_t n) mutable { return decode_record_file_list(p, n, &files); }, 0, 4},
        {"text", camsim::counted_text("127.0.0.9"),
         [=](const uint8_t* p, std::size_t n) mutable { return decode_text(p, n, &text); }, 0, 4},
        {"ps package", camsim::ps_package(2, video, sizeof(video)),
         [=](const uint8_t* p, std::size_t n) mutable { return decode_ps_package(p, n, &package); }, 37, 4},
        {"visible video", camsim::visible_video(3, video, sizeof(video)),
         [=](const uint8_t* p, std::size_t n) mutable { return decode_visible_video(p, n, &package); }, 8, 4},
        {"imaging info", camsim::imaging_info(3, 1.5f, 2.5f),
         [=](const uint8_t* p, std::size_t n) mutable { return decode_imaging_info(p, n, &info); }, SIZE_MAX, 0},
        {"rule temperatures", camsim::rule_temperatures(7, 3, 3, 1),
         [=](const uint8_t* p, std::size_t n) mutable { return decode_rule_temperatures(p, n, &rules); }, 24, 2},
        {"rule alarms", camsim::rule_alarms(7, 3, 3, 1),
         [=](const uint8_t* p, std::size_t n) mutable { return decode_rule_alarms(p, n, &rule_alarms); }, 4, 2},
        {"rule diff alarms", camsim::rule_diff_alarms(7, 3, 3, 1),
         [=](const uint8_t* p, std::size_t n) mutable { return decode_rule_diff_alarms(p, n, &diff_alarms); }, 4,
         2},
        {"download chunk", camsim::download_chunk(data, 7, 20),
         [=](const uint8_t* p, std::size_t n) mutable { return decode_download_chunk(p, n, &chunk); }, 0, 4},
    };
}

}  // namespace

TEST(decoders, whole_inputs_decode_and_every_truncation_is_refused)
{
    for (DecoderCase& c : decoder_cases()) {
        EXPECT_TRUE(c.decode(c.bytes.data(), c.bytes.size())) << c.name;
        for (std::size_t n = 0; n < c.bytes.size(); ++n) {
            // An exact-size copy, so that a read past the input is caught.
            std::vector<uint8_t> cut(c.bytes.begin(), c.bytes.begin() + static_cast<long>(n));
            EXPECT_FALSE(c.decode(cut.data(), cut.size())) << c.name << " cut to " << n;
        }
    }
}

TEST(decoders, counts_and_lengths_beyond_the_bytes_are_refused)
{
    for (DecoderCase& c : decoder_cases()) {
        if (c.count_offset == SIZE_MAX) {
            continue;
        }
        std::vector<uint8_t> bytes = c.bytes;
        inflate(bytes, c.count_offset, c.count_width);
        EXPECT_FALSE(c.decode(bytes.data(), bytes.size())) << c.name;
    }
}

TEST(decoders, device_description_values_and_ranges_capped_per_lens)
{
    camsim::DeviceModel model = sample_model("2.0.50");
    model.width = 384;
    model.height = 288;
    model.lens_index = 3;
    model.meas_range = 2;
    model.lens_position = 4321;
    model.unit = 1;
    // Six ranges on lens 5: only as many as the getters have room for are kept.
    camsim::LensRanges wide{5, {}};
    for (uint8_t r = 0; r < 6; ++r) {
        wide.ranges.push_back({r, static_cast<int16_t>(-10 * r), static_cast<int16_t>(100 * r)});
    }
    model.lenses.push_back(wide);
    std::vector<uint8_t> bytes = camsim::device_description(model);
    DeviceDescription d;
    ASSERT_TRUE(decode_device_description(bytes.data(), bytes.size(), &d));
    EXPECT_EQ(d.texts[2], "2.0.50");
    EXPECT_EQ(d.firmware.major, 2);
    EXPECT_EQ(d.firmware.minor, 0);
    EXPECT_EQ(d.firmware.patch, 50);
    EXPECT_EQ(d.sizes[2], 384);
    EXPECT_EQ(d.sizes[3], 288);
    EXPECT_EQ(d.lens_index, 3);
    EXPECT_EQ(d.meas_range, 2);
    EXPECT_EQ(d.lens_position, 4321);
    EXPECT_TRUE(d.lens_position_supported());
    EXPECT_EQ(d.unit, 1);
    EXPECT_FLOAT_EQ(d.params[0], 0.95f);
    EXPECT_FLOAT_EQ(d.params[2], 25.0f);
    ASSERT_EQ(d.lenses.size(), 3u);
    EXPECT_EQ(d.lenses[0].size(), 2u);
    EXPECT_EQ(d.lenses[0][0].min_temp, -20);
    EXPECT_EQ(d.lenses[3][0].max_temp, 1200);
    ASSERT_EQ(d.lenses[5].size(), static_cast<std::size_t>(NVS_MAX_RANGES));
    EXPECT_EQ(d.lenses[5][3].range, 3);
}

TEST(decoders, firmware_text_filling_its_field_is_terminated_before_parsing)
{
    struct Case {
        std::string field;  // exactly the bytes of the field, no terminator
        bool parsed;
        int patch;
    };
    const Case cases[] = {
        {"1.1.39__________", true, 39},
        {"1.1.3999999999999", true, 399999999},
        {"2.0.50", true, 50},
        {"v1.1.39", false, 0},
        {"1.1", false, 0},
        {"1..39", false, 0},
    };
    for (const Case& c : cases) {
        // An exact-size copy: a parser reading past the field is caught.
        std::vector<uint8_t> field(c.field.begin(), c.field.end());
        FirmwareVersion version;
        EXPECT_EQ(parse_firmware_version(field.data(), field.size(), &version), c.parsed) << c.field;
        if (c.parsed) {
            EXPECT_EQ(version.patch, c.patch) << c.field;
        }
    }
}

TEST(decoders, firmware_numbers_are_compared_each_by_itself)
{
    struct Case {
        FirmwareVersion version;
        bool newer;
    };
    // Not a version order: 2.0.50 and 1.2.0 are older cameras.
    const Case cases[] = {
        {{1, 1, 38}, false}, {{1, 1, 39}, true},   {{1, 1, 40}, true},  {{2, 0, 50}, false}, {{2, 1, 40}, true},
        {{1, 2, 0}, false},  {{0, 9, 99}, false},  {{1, 0, 99}, false}, {{0, 0, 0}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(is_newer_firmware(c.version), c.newer)
            << c.version.major << "." << c.version.minor << "." << c.version.patch;
    }
}

TEST(decoders, lists_beyond_their_stores_are_refused)
{
    std::vector<camsim::Preset> many(256);
    std::vector<uint8_t> bytes = camsim::preset_list(0, many);
    PresetList presets;
    EXPECT_FALSE(decode_preset_list(bytes.data(), bytes.size(), &presets));
    many.resize(255);
    bytes = camsim::preset_list(0, many);
    EXPECT_TRUE(decode_preset_list(bytes.data(), bytes.size(), &presets));
    EXPECT_EQ(presets.presets.size(), 255u);

    std::vector<NvsPresetAlarmInfo> alarms;
    bytes = camsim::alarm_list({{1, std::string(1024, 'a')}});
    EXPECT_TRUE(decode_alarm_list(bytes.data(), bytes.size(), &alarms));
    EXPECT_EQ(alarms[0].text_length, 1024u);
    EXPECT_EQ(alarms[0].text[1024], '\0');
    bytes = camsim::alarm_list({{1, std::string(1025, 'a')}});
    EXPECT_FALSE(decode_alarm_list(bytes.data(), bytes.size(), &alarms));
}

TEST(decoders, record_file_names_must_be_plain_names_and_numbers_short)
{
    struct Case {
        camsim::RecordFileEntry entry;
        bool accepted;
    };
    const Case cases[] = {
        {{"rec_1.ps", "1765000000", "200000"}, true},
        {{std::string(63, 'n'), "1", "2"}, true},
        {{std::string(64, 'n'), "1", "2"}, false},
        {{"../../etc/passwd", "1", "2"}, false},
        {{"dir/rec.ps", "1", "2"}, false},
        {{"dir\\rec.ps", "1", "2"}, false},
        {{"..", "1", "2"}, false},
        {{"", "1", "2"}, false},
        {{std::string("a\0b", 3), "1", "2"}, false},
        {{"rec.ps", "123456789012345", "-1"}, true},
        {{"rec.ps", "1234567890123456", "1"}, false},
        {{"rec.ps", "12x", "1"}, false},
        {{"rec.ps", "", "1"}, false},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = camsim::record_file_list({c.entry});
        std::vector<NvsRecordFile> files;
        EXPECT_EQ(decode_record_file_list(bytes.data(), bytes.size(), &files), c.accepted) << c.entry.name;
    }
    std::vector<uint8_t> bytes = camsim::record_file_list({{"rec_1.ps", "-42", "200000"}});
    std::vector<NvsRecordFile> files;
    ASSERT_TRUE(decode_record_file_list(bytes.data(), bytes.size(), &files));
    EXPECT_EQ(std::string(files[0].name), "rec_1.ps");
    EXPECT_EQ(files[0].first, -42);
    EXPECT_EQ(files[0].second, 200000);
}

TEST(decoders, temperature_frames_in_either_byte_order)
{
    const float temperatures[4] = {0.0f, -300.0f, 36.6f, 6253.5f};
    for (bool big_endian : {true, false}) {
        std::vector<uint8_t> bytes = camsim::temperature_frame(temperatures, 4, big_endian);
        float out[4];
        convert_temperature_frame(bytes.data(), bytes.size(), big_endian, out);
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(out[i], temperatures[i], 0.05f) << i << (big_endian ? " big" : " little");
        }
    }
    // 3000 is 0 degrees; the same bytes read in the other order are another value.
    const uint8_t value[2] = {0x0B, 0xB8};
    float t;
    convert_temperature_frame(value, 2, true, &t);
    EXPECT_FLOAT_EQ(t, 0.0f);
    convert_temperature_frame(value, 2, false, &t);
    EXPECT_FLOAT_EQ(t, static_cast<float>(0xB80B) / 10.0f - 300.0f);
}

TEST(decoders, rule_packages_deliver_their_record_orders)
{
    std::vector<uint8_t> bytes = camsim::rule_temperatures(7, 3, 2, 1);
    RuleTemperatures rules;
    ASSERT_TRUE(decode_rule_temperatures(bytes.data(), bytes.size(), &rules));
    EXPECT_EQ(rules.summary.rule_set, 7u);
    EXPECT_NEAR(rules.summary.t1, 21.0f, 1e-4);
    EXPECT_NEAR(rules.summary.t3, 25.0f, 1e-4);
    EXPECT_NEAR(rules.summary.r1, 0.101f, 1e-6);
    ASSERT_EQ(rules.records.size(), 2u);
    EXPECT_EQ(rules.records[1].a, 1u);
    EXPECT_EQ(rules.records[1].b, 101u);
    EXPECT_EQ(rules.records[1].g, 3u);
    EXPECT_NEAR(rules.records[1].t2, 32.0f, 1e-4);

    bytes = camsim::rule_alarms(9, 4, 2, 1);
    RuleAlarms alarms;
    ASSERT_TRUE(decode_rule_alarms(bytes.data(), bytes.size(), &alarms));
    EXPECT_EQ(alarms.rule_set, 9);
    ASSERT_EQ(alarms.records.size(), 2u);
    const NvsRuleAlarm& alarm = alarms.records[1];
    EXPECT_EQ(alarm.a, 1u);
    EXPECT_EQ(alarm.d, 4u);
    EXPECT_EQ(alarm.g, 4u);
    EXPECT_EQ(alarm.b, 2u);
    EXPECT_EQ(alarm.c, 3u);
    EXPECT_NEAR(alarm.t1, 41.05f, 1e-4);
    EXPECT_NEAR(alarm.t2, 50.05f, 1e-4);

    bytes = camsim::rule_diff_alarms(9, 4, 1, 0);
    RuleDiffAlarms diff;
    ASSERT_TRUE(decode_rule_diff_alarms(bytes.data(), bytes.size(), &diff));
    ASSERT_EQ(diff.records.size(), 1u);
    EXPECT_EQ(diff.records[0].constant_one, 1u);
    EXPECT_EQ(diff.records[0].b, 1u);
    EXPECT_EQ(diff.records[0].c, 2u);
    EXPECT_NEAR(diff.records[0].t2, 15.05f, 1e-4);
}

TEST(decoders, ps_package_hands_out_video_before_a_broken_trailer)
{
    const uint8_t video[3] = {7, 8, 9};
    std::vector<uint8_t> bytes = camsim::ps_package(3, video, 3);
    // Damage the end section's type: the video is still delivered, the
    // package as a whole fails with its message.
    streamnet_test::LogWatch log;
    bytes[bytes.size() - 12] = 0x55;
    PsPackage package;
    EXPECT_FALSE(decode_ps_package(bytes.data(), bytes.size(), &package));
    ASSERT_TRUE(package.has_video);
    EXPECT_EQ(package.frame_type, 3);
    ASSERT_EQ(package.video_size, 3u);
    EXPECT_EQ(package.video[2], 9);
    EXPECT_TRUE(log.saw("on_ps_h264_package end Type ="));

    // A frame type other than 2 or 3 delivers nothing.
    bytes = camsim::ps_package(4, video, 3);
    EXPECT_FALSE(decode_ps_package(bytes.data(), bytes.size(), &package));
    EXPECT_FALSE(package.has_video);
}
