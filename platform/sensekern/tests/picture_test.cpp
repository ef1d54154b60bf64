// Radiometric and national-grid blocks appended to pictures: round trips and
// damaged files.
#include "basekit.h"
#include "fixture.h"
#include "reseal.h"
#include "tempcore.h"

#include <zlib.h>

#include <cstring>
#include <functional>
#include <dirent.h>
#include <map>
#include <set>
#include <sys/stat.h>

namespace {

using Bytes = std::vector<uint8_t>;

const std::string kUser = "{\"VYPalette\":3,\"site\":\"bay 4\"}";
const Bytes kSound = {128, 140, 150, 140, 128, 116, 106, 116};
const Bytes kThird = {1, 2, 3, 4, 5};

// A frame of the scene with parameters, time and analysis objects set.
void dress(void* h, const samples::Scene& s)
{
    ASSERT_TRUE(sensekern_set_emiss(h, 0.9f));
    ASSERT_TRUE(sensekern_set_dist(h, 4.0f));
    ASSERT_TRUE(sensekern_set_env_temp(h, 21.0f));
    tagTimeVal time{1773567000, 123456};
    ASSERT_TRUE(sensekern_set_capture_time(h, &time));
    std::string anas = "P:" + std::to_string(s.hottest_x) + "," + std::to_string(s.hottest_y) +
                       ";-R:4,4;40,30;-L:2,50;90,60;-L7E:50,10;80,40;-";
    ASSERT_TRUE(sensekern_add_anas(h, anas.c_str()));
    ASSERT_TRUE(sensekern_ana_set_alias(h, "R:4,4;40,30;-", "warm box"));
    ASSERT_TRUE(sensekern_ana_set_line_color(h, "R:4,4;40,30;-", 0x00FF00));
    ASSERT_TRUE(sensekern_ana_set_show_text_type(h, "R:4,4;40,30;-", static_cast<ShowTextType>(5)));
    ASSERT_TRUE(sensekern_ana_show_cursor(h, "L:2,50;90,60;-", true));
    ASSERT_TRUE(sensekern_ana_set_scale_of_cursor(h, "L:2,50;90,60;-", 0.25f));
    ASSERT_TRUE(sensekern_ana_set_self_para(h, "E:50,10;80,40;-", true, 0.9f, 4.0f));
}

bool append(void* h, const std::string& path)
{
    return sensekern_append_temperature_to_file(h, path.c_str(), kThird.data(), static_cast<uint32_t>(kThird.size()),
                                                kSound.data(), static_cast<uint32_t>(kSound.size()),
                                                reinterpret_cast<const unsigned char*>(kUser.data()),
                                                static_cast<uint32_t>(kUser.size()));
}

// A picture of the frame with the radiometric block appended.
std::string radiometric_file(const sktest::TempDir& dir, void* h, const std::string& name, const char* format)
{
    std::string path = dir.file(name);
    EXPECT_TRUE(sktest::save_picture(h, path, format));
    EXPECT_TRUE(append(h, path));
    return path;
}

Bytes attached(void* h, SensekernAttached which)
{
    uint32_t length = 0;
    EXPECT_TRUE(sensekern_get_attached_data(h, which, nullptr, &length));
    Bytes out(length);
    EXPECT_TRUE(sensekern_get_attached_data(h, which, out.data(), &length));
    return out;
}

TEST(radiometric_picture, round_trip_through_jpeg_and_png)
{
    samples::Scene s = samples::make_scene(96, 72);
    sktest::Frame f(s);
    dress(f.h(), s);
    sktest::TempDir dir;
    for (const char* format : {"JPG", "PNG"}) {
        SCOPED_TRACE(format);
        std::string path = dir.file(std::string("pic.") + format);
        ASSERT_TRUE(sktest::save_picture(f.h(), path, format));
        uint64_t picture_size = sktest::read_bytes(path).size();
        ASSERT_TRUE(append(f.h(), path));
        uint64_t length = 0;
        ASSERT_TRUE(sensekern_get_picture_length(f.h(), path.c_str(), &length));
        EXPECT_EQ(length, picture_size);
        EXPECT_FALSE(QImage(QString::fromStdString(path)).isNull());  // ordinary viewers still show it
        SensekernFileKind kind = SENSEKERN_FILE_PLAIN;
        ASSERT_TRUE(sensekern_probe_file(f.h(), path.c_str(), &kind));
        EXPECT_EQ(kind, SENSEKERN_FILE_RADIOMETRIC);

        sktest::Frame back;
        ASSERT_TRUE(sensekern_load_picture_file(back.h(), path.c_str()));
        EXPECT_EQ(sktest::plane_of(back.h()), sktest::plane_of(f.h()));
        EXPECT_EQ(sktest::temperatures_of(back.h()), sktest::temperatures_of(f.h()));
        float e = 0, d = 0, a = 0;
        ASSERT_TRUE(sensekern_get_temperature_para(back.h(), &e, &d, &a, nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(e, 0.9f);
        EXPECT_EQ(d, 4.0f);
        EXPECT_EQ(a, 21.0f);
        tagTimeVal time{};
        ASSERT_TRUE(sensekern_get_capture_time(back.h(), &time));
        EXPECT_EQ(time.sec, 1773567000u);
        EXPECT_EQ(time.usec, 123456u);
        EXPECT_EQ(attached(back.h(), SENSEKERN_USER), Bytes(kUser.begin(), kUser.end()));
        EXPECT_EQ(attached(back.h(), SENSEKERN_SOUND), kSound);
        EXPECT_EQ(attached(back.h(), SENSEKERN_THIRD), kThird);
        char productor[SENSEKERN_MAC_TEXT_CAPACITY];
        ASSERT_TRUE(sensekern_get_mac_info(back.h(), productor, nullptr, nullptr, nullptr, nullptr));
        EXPECT_STREQ(productor, "Pyravue Labs");
        tagLenInfo lens{};
        tagLenInfo original{};
        ASSERT_TRUE(sensekern_get_cur_len_range_info(back.h(), &lens));
        ASSERT_TRUE(sensekern_get_cur_len_range_info(f.h(), &original));
        EXPECT_EQ(std::memcmp(&lens, &original, sizeof(lens)), 0);

        // Analysis objects with their attributes and temperatures.
        AnaType type = ANA_ALL;
        char text[100];
        uint32_t n = sizeof(text);
        ASSERT_TRUE(sensekern_get_hit_ana(back.h(), 90, 60, &type, text, &n));
        EXPECT_STREQ(text, "L:2,50;90,60;-L7");
        // The whole list, by type, each text as it was added.
        uint32_t all_length = 0;
        ASSERT_TRUE(sensekern_get_anas(back.h(), nullptr, &all_length));
        std::string all(all_length + 1, '\0');
        uint32_t short_length = all_length;
        EXPECT_FALSE(sensekern_get_anas(back.h(), &all[0], &short_length));
        uint32_t capacity = all_length + 1;
        ASSERT_TRUE(sensekern_get_anas(back.h(), &all[0], &capacity));
        EXPECT_EQ(capacity, all_length);
        all.resize(capacity);
        EXPECT_EQ(all, "P:" + std::to_string(s.hottest_x) + "," +
                           std::to_string(s.hottest_y) +
                           ";-L:2,50;90,60;-L7E:50,10;80,40;-R:4,4;40,30;-");
        char alias[32];
        n = sizeof(alias);
        ASSERT_TRUE(sensekern_ana_get_alias(back.h(), "R:4,4;40,30;-", alias, &n));
        EXPECT_STREQ(alias, "warm box");
        uint32_t colour = 0;
        ShowTextType mask = SHOW_TEXT_MAX;
        ASSERT_TRUE(sensekern_ana_get_line_color(back.h(), "R:4,4;40,30;-", &colour));
        ASSERT_TRUE(sensekern_ana_get_show_text_type(back.h(), "R:4,4;40,30;-", &mask));
        EXPECT_EQ(colour, 0x00FF00u);
        EXPECT_EQ(static_cast<int>(mask), 5);
        bool show = false;
        float scale = 0;
        ASSERT_TRUE(sensekern_get_cursor_info(back.h(), "L:2,50;90,60;-", &show, nullptr, &scale, nullptr, nullptr,
                                              nullptr));
        EXPECT_TRUE(show);
        EXPECT_FLOAT_EQ(scale, 0.25f);
        bool own = false;
        ASSERT_TRUE(sensekern_ana_get_self_para(back.h(), "E:50,10;80,40;-", &own, &e, &d));
        EXPECT_TRUE(own);
        for (const char* ana : {"R:4,4;40,30;-", "E:50,10;80,40;-", "L:2,50;90,60;-"}) {
            float t0 = 0, t1 = 0;
            ASSERT_TRUE(sensekern_ana_get_max_temperature(f.h(), ana, nullptr, &t0));
            ASSERT_TRUE(sensekern_ana_get_max_temperature(back.h(), ana, nullptr, &t1)) << ana;
            EXPECT_EQ(t0, t1) << ana;
        }
    }
}

// The picture as the first writer made it: a version 1 block, without the
// calibration model and the view (sections 12 and 13), resealed.
Bytes as_version_one(const Bytes& file)
{
    uint64_t length = 0;
    std::memcpy(&length, file.data() + file.size() - 24, 8);
    const std::size_t start = file.size() - 24 - static_cast<std::size_t>(length);
    Bytes block(file.begin() + static_cast<std::ptrdiff_t>(start), file.end() - 24);
    Bytes out(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(start));
    Bytes old(block.begin(), block.begin() + 8);
    const uint16_t version = 1;
    std::memcpy(&old[4], &version, 2);
    uint16_t kept = 0;
    for (std::size_t at = 8; at + 6 <= block.size();) {
        uint16_t id = 0;
        uint32_t size = 0;
        std::memcpy(&id, &block[at], 2);
        std::memcpy(&size, &block[at + 2], 4);
        if (id < 12) {
            old.insert(old.end(), block.begin() + static_cast<std::ptrdiff_t>(at),
                       block.begin() + static_cast<std::ptrdiff_t>(at + 6 + size));
            ++kept;
        }
        at += 6 + size;
    }
    std::memcpy(&old[6], &kept, 2);
    out.insert(out.end(), old.begin(), old.end());
    const uint64_t old_length = old.size();
    Bytes footer(file.end() - 24, file.end());
    std::memcpy(&footer[0], &old_length, 8);
    out.insert(out.end(), footer.begin(), footer.end());
    skfuzz::reseal_picture(&out);
    return out;
}

TEST(radiometric_picture, a_loaded_picture_is_measured_again_under_new_parameters)
{
    samples::Scene s = samples::make_scene(32, 24);
    sktest::Frame f(s);
    sktest::TempDir dir;
    std::string path = radiometric_file(dir, f.h(), "p.png", "PNG");
    sktest::Frame back;
    ASSERT_TRUE(sensekern_load_picture_file(back.h(), path.c_str()));
    EXPECT_EQ(sktest::temperatures_of(back.h()), sktest::temperatures_of(f.h()));
    float e = 0;
    ASSERT_TRUE(sensekern_get_temperature_para(back.h(), &e, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    // The stored model gives the temperatures the calibration gives directly.
    ASSERT_TRUE(sensekern_set_emiss(back.h(), e / 2));
    ASSERT_TRUE(sensekern_set_emiss(f.h(), e / 2));
    const std::vector<float> changed = sktest::temperatures_of(back.h());
    EXPECT_EQ(changed, sktest::temperatures_of(f.h()));
    EXPECT_NE(changed[s.hottest_y * s.width + s.hottest_x], 0.0f);
    void* engine = nullptr;
    EXPECT_TRUE(sensekern_get_handle_of_ad_temp(back.h(), &engine));
    // Calibration data loaded from a file afterwards is what the next save stores.
    ASSERT_TRUE(sensekern_load_calibration_file(back.h(), sktest::calibration()));
    std::string again = radiometric_file(dir, back.h(), "again.png", "PNG");
    sktest::Frame reread;
    ASSERT_TRUE(sensekern_load_picture_file(reread.h(), again.c_str()));
    EXPECT_EQ(sktest::temperatures_of(reread.h()), sktest::temperatures_of(back.h()));
    EXPECT_TRUE(sensekern_set_emiss(reread.h(), 0.8f));
}

// A picture opened again may take the calibration engine its last frame
// made; one that was changed meanwhile, through the frame or by a caller it
// was lent to, must not come back (it would disagree with the stored table,
// and the picture could no longer be measured under new parameters).
TEST(radiometric_picture, an_engine_changed_before_its_frame_closed_is_not_taken_again)
{
    samples::Scene s = samples::make_scene(32, 24);
    sktest::Frame f(s);
    sktest::TempDir dir;
    const std::string path = radiometric_file(dir, f.h(), "p.png", "PNG");
    const std::vector<float> stored = sktest::temperatures_of(f.h());
    float e = 0;
    ASSERT_TRUE(sensekern_get_temperature_para(f.h(), &e, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(sensekern_set_emiss(f.h(), e / 2));
    const std::vector<float> halved = sktest::temperatures_of(f.h());
    ASSERT_NE(halved, stored);
    auto remeasured = [&](void* h) {
        EXPECT_TRUE(sensekern_set_emiss(h, e / 2));
        EXPECT_EQ(sktest::temperatures_of(h), halved);
    };
    auto lent_and_changed = [&](void* h) {
        void* engine = nullptr;
        ASSERT_TRUE(sensekern_get_handle_of_ad_temp(h, &engine));
        EXPECT_TRUE(vy_at_set_emiss(engine, e / 2));
    };
    // Each open converts as the stored picture says, then is changed (or
    // not) before it closes.
    const std::function<void(void*)> steps[] = {remeasured, lent_and_changed, remeasured, [](void*) {},
                                                remeasured, [](void*) {}, [](void*) {}, lent_and_changed,
                                                remeasured};
    int step = 0;
    for (const auto& before_close : steps) {
        SCOPED_TRACE(step++);
        sktest::Frame frame;
        ASSERT_TRUE(sensekern_load_picture_file(frame.h(), path.c_str()));
        EXPECT_EQ(sktest::temperatures_of(frame.h()), stored);
        before_close(frame.h());
    }
}

struct Setting {
    float emissivity;
    float distance;
    float ambient;
    float humidity;
    float modify;
    int32_t lens;
    int32_t range;
};

// A picture of the scene taken with the given lens, range and parameters.
std::string picture_with(const sktest::TempDir& dir, const samples::Scene& s, const Setting& p,
                         const std::string& name)
{
    sktest::Frame f(s);
    EXPECT_TRUE(sensekern_set_len_and_range(f.h(), p.lens, p.range));
    EXPECT_TRUE(sensekern_set_emiss(f.h(), p.emissivity));
    EXPECT_TRUE(sensekern_set_dist(f.h(), p.distance));
    EXPECT_TRUE(sensekern_set_env_temp(f.h(), p.ambient));
    EXPECT_TRUE(sensekern_set_rel_hum(f.h(), p.humidity));
    EXPECT_TRUE(sensekern_set_modify_temp(f.h(), p.modify));
    return radiometric_file(dir, f.h(), name, "PNG");
}

std::vector<float> params_of(void* h)
{
    std::vector<float> p(6);
    EXPECT_TRUE(sensekern_get_temperature_para(h, &p[0], &p[1], &p[2], &p[3], &p[4], &p[5], nullptr));
    return p;
}

// Picture B opened into the frame that held picture A is B as opened into a
// fresh frame: its parameters to the bit, its temperatures, and its model,
// which lets it be measured under new parameters. A's values are near B's,
// closer than the 0.001 under which a setter keeps the value it holds.
TEST(radiometric_picture, a_picture_opens_the_same_whatever_the_frame_held_before)
{
    const Setting a{0.8f, 10.0f, 21.0f, 0.4f, 1.5f, 0, 0};
    const std::pair<const char*, Setting> cases[] = {
        {"emissivity", {0.8005f, 10.0f, 21.0f, 0.4f, 1.5f, 0, 0}},
        {"distance", {0.8f, 10.0009f, 21.0f, 0.4f, 1.5f, 0, 0}},
        {"ambient", {0.8f, 10.0f, 21.0007f, 0.4f, 1.5f, 0, 0}},
        {"humidity", {0.8f, 10.0f, 21.0f, 0.4008f, 1.5f, 0, 0}},
        {"modify", {0.8f, 10.0f, 21.0f, 0.4f, 1.5006f, 0, 0}},
        {"all at once", {0.8009f, 9.9995f, 20.9992f, 0.3995f, 1.4991f, 0, 0}},
        {"lens", {0.8f, 10.0f, 21.0f, 0.4f, 1.5f, 1, 0}},
        {"range", {0.8f, 10.0f, 21.0f, 0.4f, 1.5f, 0, 1}},
    };
    const samples::Scene s = samples::make_scene(32, 24);
    sktest::TempDir dir;
    const std::string path_a = picture_with(dir, s, a, "a.png");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        const Setting& b = c.second;
        const std::string path_b = picture_with(dir, s, b, std::string(c.first) + ".png");
        sktest::Frame reused;
        ASSERT_TRUE(sensekern_load_picture_file(reused.h(), path_a.c_str()));
        ASSERT_TRUE(sensekern_load_picture_file(reused.h(), path_b.c_str()));
        sktest::Frame fresh;
        ASSERT_TRUE(sensekern_load_picture_file(fresh.h(), path_b.c_str()));

        const std::vector<float> expected = {b.emissivity, b.distance, b.ambient, b.humidity, b.modify};
        std::vector<float> got = params_of(fresh.h());
        EXPECT_EQ(std::vector<float>(got.begin(), got.begin() + 5), expected);
        EXPECT_EQ(params_of(reused.h()), got);
        tagLenInfo lens_reused{};
        tagLenInfo lens_fresh{};
        ASSERT_TRUE(sensekern_get_cur_len_range_info(reused.h(), &lens_reused));
        ASSERT_TRUE(sensekern_get_cur_len_range_info(fresh.h(), &lens_fresh));
        EXPECT_EQ(lens_reused.len_type, b.lens);
        EXPECT_EQ(lens_reused.ranges[0].meas_range, b.range);
        EXPECT_EQ(lens_fresh.len_type, b.lens);
        EXPECT_EQ(lens_fresh.ranges[0].meas_range, b.range);
        EXPECT_EQ(sktest::temperatures_of(reused.h()), sktest::temperatures_of(fresh.h()));

        EXPECT_TRUE(sensekern_set_emiss(fresh.h(), 0.6f));
        EXPECT_TRUE(sensekern_set_emiss(reused.h(), 0.6f));
        EXPECT_EQ(sktest::temperatures_of(reused.h()), sktest::temperatures_of(fresh.h()));
    }
}

// A cold detector reading moves the engine to its cold calibration
// environment; lens and range are selected there again, or, where that
// environment lacks the lens, the engine stays where the lens is. Either way
// the picture keeps its calibration model.
TEST(radiometric_picture, a_cold_detector_picture_keeps_its_model)
{
    const samples::Scene s = samples::make_scene(32, 24);
    sktest::TempDir dir;
    for (int32_t lens : {0, 1}) {
        SCOPED_TRACE(lens);
        sktest::Frame f(s);
        ASSERT_TRUE(sensekern_set_len_and_range(f.h(), lens, 0));
        ASSERT_TRUE(sensekern_set_sensor_temp(f.h(), 15.0f, 15.0f, 15.0f, 15.0f, 15.0f));
        tagLenInfo current{};
        ASSERT_TRUE(sensekern_get_cur_len_range_info(f.h(), &current));
        EXPECT_EQ(current.len_type, lens);
        const std::string path = radiometric_file(dir, f.h(), "cold" + std::to_string(lens) + ".png", "PNG");

        sktest::Frame back;
        ASSERT_TRUE(sensekern_load_picture_file(back.h(), path.c_str()));
        EXPECT_EQ(sktest::temperatures_of(back.h()), sktest::temperatures_of(f.h()));
        EXPECT_TRUE(sensekern_set_emiss(back.h(), 0.6f));
        ASSERT_TRUE(sensekern_set_emiss(f.h(), 0.6f));
        EXPECT_EQ(sktest::temperatures_of(back.h()), sktest::temperatures_of(f.h()));
    }
}

TEST(radiometric_picture, a_version_one_picture_keeps_its_parameters)
{
    samples::Scene s = samples::make_scene(32, 24);
    sktest::Frame f(s);
    sktest::TempDir dir;
    std::string path = radiometric_file(dir, f.h(), "p.png", "PNG");
    sktest::write_bytes(path, as_version_one(sktest::read_bytes(path)));
    sktest::Frame back;
    ASSERT_TRUE(sensekern_load_picture_file(back.h(), path.c_str()));
    EXPECT_EQ(sktest::temperatures_of(back.h()), sktest::temperatures_of(f.h()));
    EXPECT_FALSE(sensekern_get_stored_view(back.h(), nullptr, nullptr, nullptr, nullptr));
    float e = 0;
    ASSERT_TRUE(sensekern_get_temperature_para(back.h(), &e, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    // Without the calibration the stored temperatures can not follow a new
    // emissivity: refused rather than left wrong.
    EXPECT_FALSE(sensekern_set_emiss(back.h(), e / 2));
    EXPECT_TRUE(sensekern_set_emiss(back.h(), e));
    std::vector<float> celsius = sktest::temperatures_of(back.h());
    ASSERT_TRUE(sensekern_set_temperature_unit(back.h(), TEMP_UNIT_FAHRENHEIT));
    std::vector<float> fahrenheit = sktest::temperatures_of(back.h());
    EXPECT_NEAR(fahrenheit[0], celsius[0] * 1.8f + 32.0f, 1e-3f);
    // With the calibration loaded again the frame converts afresh.
    ASSERT_TRUE(sensekern_load_calibration_file(back.h(), sktest::calibration()));
    EXPECT_TRUE(sensekern_set_emiss(back.h(), e / 2));
}

TEST(radiometric_picture, a_model_that_disagrees_with_the_table_is_not_used)
{
    samples::Scene s = samples::make_scene(32, 24);
    sktest::Frame f(s);
    sktest::TempDir dir;
    std::string path = radiometric_file(dir, f.h(), "p.png", "PNG");
    const std::vector<float> stored = sktest::temperatures_of(f.h());
    // Sensor readings far from the recorded ones: the model would give other
    // temperatures than the table, so the table stays in charge.
    ASSERT_TRUE(sensekern_set_sensor_temp(f.h(), 60.0f, 60.0f, 60.0f, 60.0f, 60.0f));
    Bytes file = sktest::read_bytes(path);
    Bytes other = sktest::read_bytes(radiometric_file(dir, f.h(), "q.png", "PNG"));
    // Take the sensor readings of the second file's model into the first.
    auto model_at = [](const Bytes& b) {
        uint64_t length = 0;
        std::memcpy(&length, b.data() + b.size() - 24, 8);
        std::size_t at = b.size() - 24 - static_cast<std::size_t>(length) + 8;
        while (at + 6 <= b.size() - 24) {
            uint16_t id = 0;
            uint32_t size = 0;
            std::memcpy(&id, &b[at], 2);
            std::memcpy(&size, &b[at + 2], 4);
            if (id == 12) return at + 6 + 8;  // the sensor readings after lens and range
            at += 6 + size;
        }
        return std::size_t{0};
    };
    const std::size_t a = model_at(file);
    const std::size_t b = model_at(other);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    std::copy(other.begin() + static_cast<std::ptrdiff_t>(b), other.begin() + static_cast<std::ptrdiff_t>(b + 20),
              file.begin() + static_cast<std::ptrdiff_t>(a));
    skfuzz::reseal_picture(&file);
    sktest::write_bytes(path, file);
    sktest::Frame back;
    ASSERT_TRUE(sensekern_load_picture_file(back.h(), path.c_str()));
    EXPECT_EQ(sktest::temperatures_of(back.h()), stored);
    float e = 0;
    ASSERT_TRUE(sensekern_get_temperature_para(back.h(), &e, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(sensekern_set_emiss(back.h(), e / 2));
}

TEST(radiometric_picture, a_new_block_replaces_the_earlier_one)
{
    samples::Scene s = samples::make_scene(32, 24);
    sktest::Frame f(s);
    sktest::TempDir dir;
    std::string path = radiometric_file(dir, f.h(), "p.jpg", "JPG");
    uint64_t once = sktest::read_bytes(path).size();
    ASSERT_TRUE(append(f.h(), path));
    EXPECT_EQ(sktest::read_bytes(path).size(), once);
    const std::string other = "{}";
    ASSERT_TRUE(sensekern_append_temperature_to_file(f.h(), path.c_str(), nullptr, 0, nullptr, 0,
                                                     reinterpret_cast<const unsigned char*>(other.data()), 2));
    sktest::Frame back;
    ASSERT_TRUE(sensekern_load_picture_file(back.h(), path.c_str()));
    EXPECT_EQ(attached(back.h(), SENSEKERN_USER), Bytes(other.begin(), other.end()));
    EXPECT_TRUE(attached(back.h(), SENSEKERN_SOUND).empty());
}

TEST(radiometric_picture, wide_paths)
{
    samples::Scene s = samples::make_scene(32, 24);
    sktest::Frame f(s);
    sktest::TempDir dir;
    std::string path = dir.file("b\xc3\xa4y \xe6\xb8\xa9.jpg");  // "bay" with a-umlaut, a space and a CJK sign
    ASSERT_TRUE(sktest::save_picture(f.h(), path, "JPG"));
    std::wstring wide = std::wstring(path.begin(), path.end() - 12) + L"b\u00e4y \u6e29.jpg";
    ASSERT_TRUE(sensekern_append_temperature_to_file_w(f.h(), wide.c_str(), nullptr, 0, nullptr, 0, nullptr, 0));
    sktest::Frame back;
    ASSERT_TRUE(sensekern_load_picture_file(back.h(), path.c_str()));
    EXPECT_EQ(sktest::plane_of(back.h()), sktest::plane_of(f.h()));
    ASSERT_TRUE(sensekern_append_temperature_to_national_grid_file_w(f.h(), wide.c_str(), nullptr, 0));
    ASSERT_TRUE(sensekern_load_national_grid_file(back.h(), path.c_str()));

    std::wstring irv = wide.substr(0, wide.size() - 4) + L".irv";
    void* rec = nullptr;
    ASSERT_TRUE(sensekern_start_record_w(f.h(), irv.c_str(), &rec));
    ASSERT_TRUE(sensekern_record_one_frame(f.h(), rec, 0, nullptr));
    ASSERT_TRUE(sensekern_stop_record(f.h(), &rec, 0, nullptr));
    void* reader = nullptr;
    ASSERT_TRUE(sensekern_record_open(&reader, (path.substr(0, path.size() - 4) + ".irv").c_str()));
    sensekern_record_close(&reader);

    std::vector<uint32_t> thumb(16 * 12);
    EXPECT_TRUE(sensekern_get_thumbnail_bits(back.h(), 16, 12, thumb.data()));
}

// A name of 240 bytes (80 CJK signs) saves, and so does the hidden file a
// picture saver writes beside it first: their temporary names are cut.
TEST(radiometric_picture, long_names_save)
{
    samples::Scene s = samples::make_scene(32, 24);
    sktest::Frame f(s);
    sktest::TempDir dir;
    std::string name;
    for (int i = 0; i < 80; ++i) {
        name += "\xe6\xb8\xa9";
    }
    ASSERT_EQ(name.size(), 240u);
    for (const std::string& stem : {name, name.substr(0, 234) + "ab"}) {
        const std::string path = radiometric_file(dir, f.h(), stem + ".jpg", "JPG");
        char pattern[4096];
        ASSERT_EQ(VY_OK, vy_temp_file_pattern(path.c_str(), pattern, sizeof pattern));
        std::string first(pattern);
        first.replace(first.size() - 6, 6, "Ab12Cd");
        ASSERT_TRUE(sktest::save_picture(f.h(), first, "JPG"));
        ASSERT_TRUE(append(f.h(), first));
        sktest::Frame back;
        ASSERT_TRUE(sensekern_load_picture_file(back.h(), first.c_str()));
        ASSERT_TRUE(sensekern_load_picture_file(back.h(), path.c_str()));
        EXPECT_EQ(attached(back.h(), SENSEKERN_USER), Bytes(kUser.begin(), kUser.end()));
        ASSERT_EQ(::unlink(first.c_str()), 0);
    }
    // Nothing but the pictures is left.
    DIR* folder = ::opendir(dir.path().c_str());
    ASSERT_NE(folder, nullptr);
    int entries = 0;
    while (const dirent* entry = ::readdir(folder)) {
        entries += entry->d_name[0] != '.' || std::strlen(entry->d_name) > 2;
    }
    ::closedir(folder);
    EXPECT_EQ(entries, 2);
}

TEST(radiometric_picture, appending_refuses_what_is_not_a_picture)
{
    sktest::Frame f(samples::make_scene(32, 24));
    sktest::TempDir dir;
    std::string text = dir.file("notes.txt");
    sktest::write_bytes(text, Bytes{'h', 'e', 'l', 'l', 'o'});
    EXPECT_FALSE(append(f.h(), text));
    EXPECT_EQ(sktest::read_bytes(text), (Bytes{'h', 'e', 'l', 'l', 'o'}));
    EXPECT_FALSE(append(f.h(), dir.file("missing.jpg")));
    EXPECT_FALSE(append(f.h(), "/nonexistent-folder/p.jpg"));
    // A named pipe with no writer is refused at once, not waited on.
    std::string pipe = dir.file("pipe.jpg");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(append(f.h(), pipe));
    EXPECT_FALSE(sensekern_load_picture_file(f.h(), pipe.c_str()));
    void* reader = nullptr;
    EXPECT_FALSE(sensekern_record_open(&reader, pipe.c_str()));
    std::string path = dir.file("p.jpg");
    ASSERT_TRUE(sktest::save_picture(f.h(), path, "JPG"));
    EXPECT_FALSE(sensekern_append_temperature_to_file(f.h(), path.c_str(), nullptr, 5, nullptr, 0, nullptr, 0));
    sktest::Frame empty;
    EXPECT_FALSE(append(empty.h(), path));
    SensekernFileKind kind = SENSEKERN_FILE_RADIOMETRIC;
    ASSERT_TRUE(sensekern_probe_file(f.h(), path.c_str(), &kind));
    EXPECT_EQ(kind, SENSEKERN_FILE_PLAIN);
    EXPECT_FALSE(sensekern_load_picture_file(f.h(), path.c_str()));
}

std::set<std::string> entries_of(const std::string& folder)
{
    std::set<std::string> names;
    DIR* d = opendir(folder.c_str());
    EXPECT_NE(d, nullptr);
    while (d != nullptr) {
        dirent* e = readdir(d);
        if (e == nullptr) {
            break;
        }
        std::string name = e->d_name;
        if (name != "." && name != "..") {
            names.insert(name);
        }
    }
    if (d != nullptr) {
        closedir(d);
    }
    return names;
}

// The footer is read from the end of the file first: a large picture without
// temperature data is answered without reading it into memory.
TEST(radiometric_picture, a_large_plain_picture_is_not_read_whole)
{
    sktest::Frame f(samples::make_scene(32, 24));
    sktest::TempDir dir;
    std::string path = dir.file("big.jpg");
    ASSERT_TRUE(sktest::save_picture(f.h(), path, "JPG"));
    const uint64_t size = 600ull << 20;
    sktest::extend_sparse(path, size);
    long before = sktest::peak_memory_kib();
    SensekernFileKind kind = SENSEKERN_FILE_RADIOMETRIC;
    ASSERT_TRUE(sensekern_probe_file(f.h(), path.c_str(), &kind));
    EXPECT_EQ(kind, SENSEKERN_FILE_PLAIN);
    uint64_t length = 0;
    ASSERT_TRUE(sensekern_get_picture_length(f.h(), path.c_str(), &length));
    EXPECT_EQ(length, size);
    EXPECT_FALSE(sensekern_load_picture_file(f.h(), path.c_str()));
    EXPECT_LT(sktest::peak_memory_kib() - before, 128 * 1024);
}

// Saving through a symbolic link keeps the link and writes the picture it
// points to, with the temporary file beside that picture.
TEST(radiometric_picture, saving_through_a_link_writes_the_linked_picture)
{
    samples::Scene s = samples::make_scene(32, 24);
    sktest::Frame f(s);
    sktest::TempDir dir;
    ASSERT_EQ(mkdir(dir.file("pictures").c_str(), 0700), 0);
    std::string real = dir.file("pictures/p.jpg");
    ASSERT_TRUE(sktest::save_picture(f.h(), real, "JPG"));
    std::string link = dir.file("link.jpg");
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
    ASSERT_TRUE(append(f.h(), link));
    struct stat st;
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    SensekernFileKind kind = SENSEKERN_FILE_PLAIN;
    ASSERT_TRUE(sensekern_probe_file(f.h(), real.c_str(), &kind));
    EXPECT_EQ(kind, SENSEKERN_FILE_RADIOMETRIC);
    // Nothing is left beside the link or the picture.
    EXPECT_EQ(entries_of(dir.file("")), (std::set<std::string>{"link.jpg", "pictures"}));
    EXPECT_EQ(entries_of(dir.file("pictures")), (std::set<std::string>{"p.jpg"}));
}

// --- damaged files ----------------------------------------------------------------------

struct Layout {
    std::size_t block = 0;                        // offset of the block in the file
    std::map<uint16_t, std::size_t> sections;     // id -> offset of its payload
};

Layout layout_of(const Bytes& file, std::size_t block)
{
    Layout l;
    l.block = block;
    uint16_t count;
    std::memcpy(&count, &file[block + 6], 2);
    std::size_t at = block + 8;
    for (uint16_t i = 0; i < count; ++i) {
        uint16_t id;
        uint32_t length;
        std::memcpy(&id, &file[at], 2);
        std::memcpy(&length, &file[at + 2], 4);
        l.sections[id] = at + 6;
        at += 6 + length;
    }
    return l;
}

// Recomputes the footer's checksum so that a change inside the block reaches
// the parser.
void reseal(Bytes* file, std::size_t block)
{
    std::size_t end = file->size() - 24;
    uint32_t crc = static_cast<uint32_t>(crc32(0L, file->data() + block, static_cast<uInt>(end - block)));
    std::memcpy(file->data() + end + 8, &crc, 4);
}

template <class T>
void put_at(Bytes* file, std::size_t at, T value)
{
    std::memcpy(file->data() + at, &value, sizeof(T));
}

struct Damage {
    const char* name;
    bool reseal;
    std::function<void(Bytes*, const Layout&)> apply;
};

TEST(radiometric_picture, damaged_blocks_are_refused)
{
    samples::Scene s = samples::make_scene(48, 32);
    sktest::Frame f(s);
    dress(f.h(), s);
    sktest::TempDir dir;
    std::string path = dir.file("good.jpg");
    ASSERT_TRUE(sktest::save_picture(f.h(), path, "JPG"));
    uint64_t picture = sktest::read_bytes(path).size();
    ASSERT_TRUE(append(f.h(), path));
    const Bytes good = sktest::read_bytes(path);
    const Layout l = layout_of(good, picture);
    ASSERT_EQ(l.sections.count(1), 1u);
    ASSERT_EQ(l.sections.count(3), 1u);
    ASSERT_EQ(l.sections.count(8), 1u);

    const Damage cases[] = {
        {"cut by one byte", false, [](Bytes* b, const Layout&) { b->pop_back(); }},
        {"cut in half", false, [](Bytes* b, const Layout&) { b->resize(b->size() / 2); }},
        {"footer only", false, [](Bytes* b, const Layout&) { b->erase(b->begin(), b->end() - 24); }},
        {"flipped byte", false, [](Bytes* b, const Layout& l) { (*b)[l.block + 20] ^= 0x40; }},
        {"huge block length", false, [](Bytes* b, const Layout&) { put_at<uint64_t>(b, b->size() - 24, ~0ull); }},
        {"block length past the start", false,
         [](Bytes* b, const Layout&) { put_at<uint64_t>(b, b->size() - 24, b->size()); }},
        {"later footer version", false, [](Bytes* b, const Layout&) { put_at<uint16_t>(b, b->size() - 12, 2); }},
        {"wrong block magic", true, [](Bytes* b, const Layout& l) { (*b)[l.block] = 'X'; }},
        {"too many sections", true, [](Bytes* b, const Layout& l) { put_at<uint16_t>(b, l.block + 6, 400); }},
        {"section length past the block", true,
         [](Bytes* b, const Layout& l) { put_at<uint32_t>(b, l.sections.at(1) - 4, 0x7FFFFFFF); }},
        {"zero width", true, [](Bytes* b, const Layout& l) { put_at<uint16_t>(b, l.sections.at(1), 0); }},
        {"huge height", true, [](Bytes* b, const Layout& l) { put_at<uint16_t>(b, l.sections.at(1) + 2, 60000); }},
        {"plane length past its section", true,
         [](Bytes* b, const Layout& l) { put_at<uint32_t>(b, l.sections.at(1) + 5, 0xFFFFFFF0u); }},
        {"table past 65535", true, [](Bytes* b, const Layout& l) { put_at<uint16_t>(b, l.sections.at(3) + 1, 65535); }},
        {"table count huge", true,
         [](Bytes* b, const Layout& l) { put_at<uint32_t>(b, l.sections.at(3) + 3, 0x40000000); }},
        {"table value not a number", true,
         [](Bytes* b, const Layout& l) { put_at<uint32_t>(b, l.sections.at(3) + 7, 0x7FC00000u); }},
        {"analysis count huge", true,
         [](Bytes* b, const Layout& l) { put_at<uint32_t>(b, l.sections.at(8), 0xFFFFFFFFu); }},
        {"analysis text length past its section", true,
         [](Bytes* b, const Layout& l) { put_at<uint16_t>(b, l.sections.at(8) + 4, 0xFFFF); }},
        {"analysis text not an analysis", true, [](Bytes* b, const Layout& l) { (*b)[l.sections.at(8) + 6] = 'Z'; }},
        {"duplicate section", true,
         [](Bytes* b, const Layout& l) { put_at<uint16_t>(b, l.sections.at(3) - 6, 1); }},
    };
    for (const Damage& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bad = good;
        c.apply(&bad, l);
        if (c.reseal) {
            reseal(&bad, l.block);
        }
        std::string bad_path = dir.file("bad.jpg");
        sktest::write_bytes(bad_path, bad);
        sktest::Frame target(samples::make_scene(16, 12));
        std::vector<uint16_t> before = sktest::plane_of(target.h());
        EXPECT_FALSE(sensekern_load_picture_file(target.h(), bad_path.c_str()));
        EXPECT_FALSE(sensekern_load_picture_buffer(target.h(), bad.data(), bad.size()));
        EXPECT_EQ(sktest::plane_of(target.h()), before);
        SensekernFileKind kind = SENSEKERN_FILE_RADIOMETRIC;
        ASSERT_TRUE(sensekern_probe_file(target.h(), bad_path.c_str(), &kind));
        EXPECT_EQ(kind, SENSEKERN_FILE_PLAIN);
    }
}

// --- national grid ------------------------------------------------------------------------

TEST(national_grid, round_trip_keeps_every_temperature)
{
    samples::Scene s = samples::make_scene(64, 48);
    sktest::Frame f(s);
    ASSERT_TRUE(sensekern_set_emiss(f.h(), 0.92f));
    sktest::TempDir dir;
    std::string path = dir.file("grid.jpg");
    ASSERT_TRUE(sktest::save_picture(f.h(), path, "JPG"));
    ASSERT_TRUE(sensekern_append_temperature_to_national_grid_file(
        f.h(), path.c_str(), reinterpret_cast<const unsigned char*>(kUser.data()), static_cast<uint32_t>(kUser.size())));
    SensekernFileKind kind = SENSEKERN_FILE_PLAIN;
    ASSERT_TRUE(sensekern_probe_file(f.h(), path.c_str(), &kind));
    EXPECT_EQ(kind, SENSEKERN_FILE_NATIONAL_GRID);

    sktest::Frame back;
    EXPECT_FALSE(sensekern_load_picture_file(back.h(), path.c_str()));
    ASSERT_TRUE(sensekern_load_national_grid_file(back.h(), path.c_str()));
    std::vector<float> expected = sktest::temperatures_of(f.h());
    EXPECT_EQ(sktest::temperatures_of(back.h()), expected);
    float t = 0;
    uint16_t ad = 0;
    ASSERT_TRUE(sensekern_get_temperature_and_ad_from_position(back.h(), s.hottest_x, s.hottest_y, &ad, &t));
    EXPECT_EQ(t, expected[s.hottest_y * s.width + s.hottest_x]);
    tagPAD hot{};
    ASSERT_TRUE(sensekern_get_max_temperature(back.h(), &hot, &t));
    EXPECT_EQ(hot.x, s.hottest_x);
    EXPECT_EQ(t, expected[s.hottest_y * s.width + s.hottest_x]);
    float e = 0;
    ASSERT_TRUE(sensekern_get_temperature_para(back.h(), &e, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(e, 0.92f);
    EXPECT_EQ(attached(back.h(), SENSEKERN_USER), Bytes(kUser.begin(), kUser.end()));

    // Damaged national-grid blocks.
    const Bytes good = sktest::read_bytes(path);
    uint64_t picture = 0;
    ASSERT_TRUE(sensekern_get_picture_length(f.h(), path.c_str(), &picture));
    for (int which = 0; which < 3; ++which) {
        Bytes bad = good;
        if (which == 0) {
            bad.resize(bad.size() - 3);
        } else if (which == 1) {
            put_at<uint32_t>(&bad, picture + 39 + kUser.size() + 8, 0x7FC00000u);  // NaN in the matrix
            reseal(&bad, picture);
        } else {
            put_at<uint32_t>(&bad, picture + 35, 0xFFFFFFF0u);  // user length
            reseal(&bad, picture);
        }
        EXPECT_FALSE(sensekern_load_national_grid_buffer(back.h(), bad.data(), bad.size())) << which;
    }
    EXPECT_EQ(sktest::temperatures_of(back.h()), expected);
}

TEST(national_grid, version_one_loads_from_its_matrix_and_version_two_is_measured_again)
{
    samples::Scene s = samples::make_scene(32, 24);
    sktest::Frame f(s);
    sktest::TempDir dir;
    std::string path = dir.file("grid.jpg");
    ASSERT_TRUE(sktest::save_picture(f.h(), path, "JPG"));
    tagTimeVal time{1773567000, 5};
    ASSERT_TRUE(sensekern_set_capture_time(f.h(), &time));
    ASSERT_TRUE(sensekern_append_temperature_to_national_grid_file(f.h(), path.c_str(), nullptr, 0));
    const std::vector<float> expected = sktest::temperatures_of(f.h());

    // Version 2: the capture time, and the model takes a new emissivity.
    sktest::Frame back;
    ASSERT_TRUE(sensekern_load_national_grid_file(back.h(), path.c_str()));
    tagTimeVal read{};
    ASSERT_TRUE(sensekern_get_capture_time(back.h(), &read));
    EXPECT_EQ(read.sec, time.sec);
    EXPECT_EQ(sktest::plane_of(back.h()), sktest::plane_of(f.h()));
    ASSERT_TRUE(sensekern_set_emiss(back.h(), 0.5f));
    ASSERT_TRUE(sensekern_set_emiss(f.h(), 0.5f));
    EXPECT_EQ(sktest::temperatures_of(back.h()), sktest::temperatures_of(f.h()));

    // Version 1, as the first writer made it: the block ends with the matrix.
    Bytes file = sktest::read_bytes(path);
    uint64_t picture = 0;
    ASSERT_TRUE(sensekern_get_picture_length(f.h(), path.c_str(), &picture));
    const std::size_t matrix_end = static_cast<std::size_t>(picture) + 39 + expected.size() * 4;
    Bytes old(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(matrix_end));
    old.insert(old.end(), file.end() - 24, file.end());
    put_at<uint16_t>(&old, picture + 4, 1);
    put_at<uint64_t>(&old, old.size() - 24, matrix_end - picture);
    reseal(&old, picture);
    sktest::Frame first;
    ASSERT_TRUE(sensekern_load_national_grid_buffer(first.h(), old.data(), old.size()));
    const std::vector<float> temps = sktest::temperatures_of(first.h());
    ASSERT_EQ(temps.size(), expected.size());
    for (std::size_t i = 0; i < temps.size(); ++i) {
        ASSERT_EQ(temps[i], expected[i]) << i;
    }
    float e = 0;
    ASSERT_TRUE(sensekern_get_temperature_para(first.h(), &e, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(sensekern_set_emiss(first.h(), e / 2));
    ASSERT_TRUE(sensekern_get_capture_time(first.h(), &read));
    EXPECT_EQ(read.sec, 0u);
}

}  // namespace
