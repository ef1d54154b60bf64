#include "doc_fixture.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

using frame_doc = DocTest;

TEST_F(frame_doc, handles_are_checked)
{
    void* none = nullptr;
    EXPECT_FALSE(thermframe_doc_init(none, nullptr));
    EXPECT_EQ(none, nullptr);

    int not_a_doc = 0;
    uint16_t w = 0;
    uint16_t h = 0;
    for (void* bad : {static_cast<void*>(nullptr), static_cast<void*>(&not_a_doc), sensekern_}) {
        EXPECT_FALSE(thermframe_get_resolution(bad, w, h));
        EXPECT_FALSE(thermframe_add_ana(bad, "P:1,1;-"));
        EXPECT_FALSE(thermframe_set_user_data(bad, nullptr, 0));
    }

    void* second = nullptr;
    ASSERT_TRUE(thermframe_doc_init(second, sensekern_));
    void* copy = second;
    EXPECT_TRUE(thermframe_doc_uninit(second));
    EXPECT_EQ(second, nullptr);
    EXPECT_FALSE(thermframe_doc_uninit(copy));
    EXPECT_FALSE(thermframe_get_resolution(copy, w, h));
}

TEST_F(frame_doc, show_resolution_and_rotation)
{
    struct Case {
        RotationAngle rotation;
        uint16_t w, h;
    };
    for (const Case& c : {Case{ROTATION_NONE, 384, 288}, Case{ROTATION_90, 288, 384},
                          Case{ROTATION_270, 288, 384}, Case{ROTATION_180, 384, 288},
                          Case{ROTATION_180_ALT, 384, 288}}) {
        ASSERT_TRUE(thermframe_set_rotation_angle(doc_, c.rotation));
        RotationAngle read;
        ASSERT_TRUE(thermframe_get_rotation_angle(doc_, read));
        EXPECT_EQ(read, c.rotation);
        uint16_t w = 0;
        uint16_t h = 0;
        ASSERT_TRUE(thermframe_get_show_resolution(doc_, w, h));
        EXPECT_EQ(w, c.w) << "rotation " << c.rotation;
        EXPECT_EQ(h, c.h) << "rotation " << c.rotation;
    }
    EXPECT_FALSE(thermframe_set_rotation_angle(doc_, static_cast<RotationAngle>(7)));

    ASSERT_TRUE(thermframe_set_rotation_angle(doc_, ROTATION_90));
    uint16_t x = 0;
    uint16_t y = 0;
    ASSERT_TRUE(thermframe_pt_abs_to_direction(doc_, x, y));
    EXPECT_EQ(x, 287);
    EXPECT_EQ(y, 0);
    ASSERT_TRUE(thermframe_pt_direction_to_abs(doc_, x, y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST_F(frame_doc, extremes_come_back_in_display_orientation)
{
    if (!calibrated_) {
        GTEST_SKIP() << "the sample calibration (bin/ad_temp) did not load";
    }
    ASSERT_TRUE(thermframe_set_rotation_angle(doc_, ROTATION_90));
    uint16_t x = 0, y = 0, ad = 0;
    float hottest = 0.0f;
    ASSERT_TRUE(thermframe_get_max_temp(doc_, x, y, ad, hottest));
    EXPECT_EQ(ad, 29000);
    EXPECT_EQ(x, kHeight - 1 - kHotY);
    EXPECT_EQ(y, kHotX);
    float at_position = 0.0f;
    ASSERT_TRUE(thermframe_get_temp_from_position(doc_, x, y, at_position));
    EXPECT_FLOAT_EQ(at_position, hottest);
    float from_ad = 0.0f;
    ASSERT_TRUE(thermframe_get_temp_from_ad(doc_, 29000, from_ad));
    EXPECT_FLOAT_EQ(from_ad, hottest);
}

TEST_F(frame_doc, get_bits_follows_a_resolution_change)
{
    uint32_t length = 0;
    ASSERT_TRUE(thermframe_get_bits(doc_, nullptr, length));
    EXPECT_EQ(length, 384u * 288 * 4);
    std::vector<unsigned char> small(length);

    // The frame grows behind the document's back (a new picture or camera mode).
    const std::vector<uint16_t> big = plane(640, 512);
    ASSERT_TRUE(sensekern_set_ad_frame(sensekern_, big.data(), 640, 512));
    length = static_cast<uint32_t>(small.size());
    EXPECT_FALSE(thermframe_get_bits(doc_, small.data(), length));
    EXPECT_EQ(length, 640u * 512 * 4);

    std::vector<unsigned char> bits(length);
    EXPECT_TRUE(thermframe_get_bits(doc_, bits.data(), length));
    EXPECT_EQ(length, 640u * 512 * 4);
}

TEST_F(frame_doc, sound_and_user_data_buffers)
{
    using Setter = bool (*)(void*, unsigned char*, uint32_t);
    using Getter = bool (*)(void*, unsigned char*, uint32_t&);
    const std::pair<Setter, Getter> pairs[] = {
        {thermframe_set_sound_data, thermframe_get_sound_data},
        {thermframe_set_user_data, thermframe_get_user_data},
    };
    for (const auto& pair : pairs) {
        unsigned char data[64];
        for (int i = 0; i < 64; ++i) {
            data[i] = static_cast<unsigned char>(i + 1);
        }
        uint32_t length = 99;
        ASSERT_TRUE(pair.second(doc_, nullptr, length));
        EXPECT_EQ(length, 0u);

        ASSERT_TRUE(pair.first(doc_, data, 64));
        ASSERT_TRUE(pair.first(doc_, data, 16));  // keeps its block, shorter length
        length = 0;
        ASSERT_TRUE(pair.second(doc_, nullptr, length));
        EXPECT_EQ(length, 16u);

        unsigned char out[64] = {};
        length = 8;
        EXPECT_FALSE(pair.second(doc_, out, length));  // capacity below the stored size
        EXPECT_EQ(length, 16u);
        EXPECT_EQ(out[0], 0);
        length = sizeof(out);
        ASSERT_TRUE(pair.second(doc_, out, length));
        EXPECT_EQ(length, 16u);
        EXPECT_EQ(std::memcmp(out, data, 16), 0);

        EXPECT_FALSE(pair.first(doc_, nullptr, 5));
        ASSERT_TRUE(pair.first(doc_, nullptr, 0));
        length = 77;
        ASSERT_TRUE(pair.second(doc_, out, length));
        EXPECT_EQ(length, 0u);
    }
}

TEST_F(frame_doc, palette_type_changes)
{
    PaletteType type;
    ASSERT_TRUE(thermframe_get_palette_type(doc_, type));
    EXPECT_EQ(type, PALETTE_TYPE_AUTO_EVERY_FRAME);
    for (int refused : {0, 4, -1}) {
        EXPECT_FALSE(thermframe_set_palette_type(doc_, static_cast<PaletteType>(refused)));
        ASSERT_TRUE(thermframe_get_palette_type(doc_, type));
        EXPECT_EQ(type, PALETTE_TYPE_AUTO_EVERY_FRAME);
    }
    ASSERT_TRUE(thermframe_set_palette_type(doc_, PALETTE_TYPE_AUTO_ONCE));
    ASSERT_TRUE(thermframe_get_palette_type(doc_, type));
    EXPECT_EQ(type, PALETTE_TYPE_AUTO_ONCE);
    ASSERT_TRUE(thermframe_set_imaging_range(doc_, 12000, 20000));
    ASSERT_TRUE(thermframe_get_palette_type(doc_, type));
    EXPECT_EQ(type, PALETTE_TYPE_MANUAL);
    uint16_t low = 0;
    uint16_t high = 0;
    ASSERT_TRUE(thermframe_get_imaging_range(doc_, low, high));
    EXPECT_EQ(low, 12000);
    EXPECT_EQ(high, 20000);
    EXPECT_FALSE(thermframe_set_anas_scale(doc_, 1.0, 1.0));
}

TEST_F(frame_doc, temperature_marks_and_flags)
{
    ASSERT_TRUE(thermframe_add_temp_mark(doc_, 5, 6, 36.5f));
    ASSERT_TRUE(thermframe_add_temp_mark(doc_, 7, 8, 40.0f));
    int32_t count = 0;
    ASSERT_TRUE(thermframe_get_temp_mark_count(doc_, count));
    EXPECT_EQ(count, 2);
    uint16_t x = 0, y = 0;
    float t = 0.0f;
    ASSERT_TRUE(thermframe_get_temp_mark_info(doc_, 1, x, y, t));
    EXPECT_EQ(x, 7);
    EXPECT_FLOAT_EQ(t, 40.0f);
    EXPECT_FALSE(thermframe_get_temp_mark_info(doc_, -1, x, y, t));
    EXPECT_FALSE(thermframe_get_temp_mark_info(doc_, 2, x, y, t));
    ASSERT_TRUE(thermframe_clear_temp_mark(doc_));
    ASSERT_TRUE(thermframe_get_temp_mark_count(doc_, count));
    EXPECT_EQ(count, 0);

    bool on = true;
    ASSERT_TRUE(thermframe_is_show_max(doc_, on));
    EXPECT_FALSE(on);
    ASSERT_TRUE(thermframe_show_max(doc_, true));
    ASSERT_TRUE(thermframe_is_show_max(doc_, on));
    EXPECT_TRUE(on);
}

}  // namespace

// Choosing a palette switches automatic imaging off first: the range stays
// where it was when the next frame comes in.
TEST_F(frame_doc, set_palette_turns_automatic_imaging_off)
{
    uint16_t low = 0, high = 0;
    ASSERT_TRUE(thermframe_get_imaging_range(doc_, low, high));
    ASSERT_TRUE(thermframe_set_palette(doc_, PAL_RAINBOW));
    PALETTE palette = PAL_IRON;
    ASSERT_TRUE(thermframe_get_palette(doc_, palette));
    EXPECT_EQ(palette, PAL_RAINBOW);
    std::vector<uint16_t> warmer = plane(kWidth, kHeight);
    for (uint16_t& v : warmer) {
        v = static_cast<uint16_t>(v + 3000);
    }
    ASSERT_TRUE(sensekern_set_ad_frame(sensekern_, warmer.data(), kWidth, kHeight));
    uint16_t after_low = 0, after_high = 0;
    ASSERT_TRUE(thermframe_get_imaging_range(doc_, after_low, after_high));
    EXPECT_EQ(after_low, low);
    EXPECT_EQ(after_high, high);
    EXPECT_FALSE(thermframe_set_palette(doc_, static_cast<PALETTE>(18)));
    ASSERT_TRUE(thermframe_get_palette(doc_, palette));
    EXPECT_EQ(palette, PAL_RAINBOW);
}

// Sensor temperatures, identity texts and recordings are sensekern's,
// reached through the document.
TEST_F(frame_doc, sensors_identity_and_recording_forward_to_the_frame)
{
    ASSERT_TRUE(calibrated_);
    ASSERT_TRUE(sensekern_set_sensor_temp(sensekern_, 31.0f, 32.0f, 33.0f, 34.0f, 35.0f));
    float s[8] = {};
    ASSERT_TRUE(thermframe_get_sensor_temp(doc_, &s[0], &s[1], &s[2], &s[3], &s[4], nullptr, nullptr, &s[7]));
    EXPECT_EQ(s[0], 31.0f);
    EXPECT_EQ(s[1], 32.0f);
    EXPECT_EQ(s[4], 35.0f);

    char texts[5][SENSEKERN_MAC_TEXT_CAPACITY] = {};
    ASSERT_TRUE(sensekern_get_mac_info(sensekern_, texts[0], texts[1], texts[2], texts[3], texts[4]));
    std::string a, b, c, sn;
    ASSERT_TRUE(thermframe_get_mac_info(doc_, a, b, c));
    ASSERT_TRUE(thermframe_get_detector_sn(doc_, sn));
    EXPECT_EQ(a, texts[0]);
    EXPECT_EQ(b, texts[1]);
    EXPECT_EQ(c, texts[2]);
    EXPECT_EQ(sn, texts[3]);
    EXPECT_FALSE(sn.empty());

    char dir[] = "/tmp/thermframe_record_XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    std::string path = std::string(dir) + "/r.irv";
    void* record = nullptr;
    ASSERT_TRUE(thermframe_start_record(doc_, path, record));
    char mark[] = "m";
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(thermframe_record_one_frame(doc_, record, i == 1 ? 1 : 0, i == 1 ? mark : nullptr));
    }
    uint32_t length = 0;
    ASSERT_TRUE(thermframe_get_record_file_length(doc_, record, length));
    EXPECT_GT(length, 3u * kWidth * kHeight);
    char note[] = "end";
    ASSERT_TRUE(thermframe_stop_record(doc_, record, 3, note));
    EXPECT_EQ(record, nullptr);
    void* reader = nullptr;
    ASSERT_TRUE(sensekern_record_open(&reader, path.c_str()));
    uint32_t frames = 0, marks = 0;
    ASSERT_TRUE(sensekern_record_get_info(reader, &frames, nullptr, nullptr, nullptr));
    ASSERT_TRUE(sensekern_record_get_mark_count(reader, &marks));
    EXPECT_EQ(frames, 3u);
    EXPECT_EQ(marks, 1u);
    sensekern_record_close(&reader);
    std::remove(path.c_str());
    rmdir(dir);
}
