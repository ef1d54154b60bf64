// The whole frame: handles, feeding, temperatures, parameters, colour and
// isotherms.
#include "fixture.h"

#include "tempcore.h"

#include <cstring>
#include <functional>
#include <optional>

namespace {

using samples::make_scene;

TEST(frame_core, bad_handles_are_refused)
{
    void* h = nullptr;
    ASSERT_TRUE(sensekern_init(&h));
    void* copy = h;
    ASSERT_TRUE(sensekern_uninit(&h));
    EXPECT_EQ(h, nullptr);
    EXPECT_FALSE(sensekern_uninit(&copy));
    EXPECT_FALSE(sensekern_uninit(nullptr));

    void* engine = nullptr;
    ASSERT_TRUE(vy_at_init(&engine));
    uint16_t w = 0;
    uint16_t ht = 0;
    float t = 0.0f;
    for (void* bad : {static_cast<void*>(nullptr), copy, engine}) {
        EXPECT_FALSE(sensekern_get_resolution(bad, &w, &ht));
        EXPECT_FALSE(sensekern_set_emiss(bad, 0.9f));
        EXPECT_FALSE(sensekern_get_temperature_and_ad_from_position(bad, 0, 0, nullptr, &t));
        EXPECT_FALSE(sensekern_add_anas(bad, "P:1,1;-"));
        EXPECT_FALSE(sensekern_uninit(&bad));
    }
    vy_at_uninit(&engine);
}

TEST(frame_core, temperatures_follow_the_calibration)
{
    samples::Scene scene = make_scene(64, 48);
    sktest::Frame f(scene);
    void* engine = nullptr;
    ASSERT_TRUE(sensekern_get_handle_of_ad_temp(f.h(), &engine));
    std::vector<uint16_t> plane = sktest::plane_of(f.h());
    std::vector<float> expected(plane.size());
    ASSERT_TRUE(vy_at_get_temperature_from_ad(engine, plane.data(), static_cast<int>(plane.size()), expected.data()));
    std::vector<float> all = sktest::temperatures_of(f.h());
    EXPECT_EQ(all, expected);
    for (int y = 0; y < scene.height; y += 7) {
        for (int x = 0; x < scene.width; x += 5) {
            uint16_t ad = 0;
            float t = 0.0f;
            ASSERT_TRUE(sensekern_get_temperature_and_ad_from_position(f.h(), x, y, &ad, &t));
            EXPECT_EQ(ad, plane[y * scene.width + x]);
            EXPECT_EQ(t, expected[y * scene.width + x]);
            EXPECT_NEAR(t, scene.temperature(x, y), 0.05f) << x << "," << y;
        }
    }
    float t = 0.0f;
    EXPECT_FALSE(sensekern_get_temperature_and_ad_from_position(f.h(), 64, 0, nullptr, &t));
    EXPECT_FALSE(sensekern_get_temperature_and_ad_from_position(f.h(), 0, 48, nullptr, &t));
}

TEST(frame_core, extremes_and_average_of_the_whole_frame)
{
    samples::Scene scene = make_scene(64, 48);
    sktest::Frame f(scene);
    std::vector<uint16_t> plane = sktest::plane_of(f.h());
    tagPAD hot{};
    tagPAD cold{};
    float tmax = 0.0f;
    float tmin = 0.0f;
    ASSERT_TRUE(sensekern_get_max_temperature(f.h(), &hot, &tmax));
    ASSERT_TRUE(sensekern_get_min_temperature(f.h(), &cold, &tmin));
    EXPECT_EQ(hot.x, scene.hottest_x);
    EXPECT_EQ(hot.y, scene.hottest_y);
    EXPECT_EQ(cold.x, scene.coldest_x);
    EXPECT_EQ(cold.y, scene.coldest_y);
    EXPECT_NEAR(tmax, scene.hottest, 0.05f);
    EXPECT_NEAR(tmin, scene.coldest, 0.05f);
    // The frame statistics leave out the one-pixel border.
    double sum = 0.0;
    int n = 0;
    for (int y = 1; y < scene.height - 1; ++y) {
        for (int x = 1; x < scene.width - 1; ++x) {
            sum += plane[y * scene.width + x];
            ++n;
        }
    }
    uint16_t avg = 0;
    float tavg = 0.0f;
    ASSERT_TRUE(sensekern_get_avg_temperature(f.h(), &avg, &tavg));
    EXPECT_NEAR(avg, sum / n, 1.0);
    float expected = 0.0f;
    ASSERT_TRUE(sensekern_get_temperature_from_ad(f.h(), &avg, 1, &expected));
    EXPECT_EQ(tavg, expected);
}

TEST(frame_core, line_and_rect_temperatures)
{
    samples::Scene scene = make_scene(64, 48);
    sktest::Frame f(scene);
    const samples::Box& hb = scene.hot_box;
    tagPAD hot{};
    tagPAD cold{};
    float tmax = 0, tmin = 0, tavg = 0;
    uint16_t avg = 0;
    ASSERT_TRUE(sensekern_get_rect_temperature(f.h(), hb.x0 - 2, hb.y0 - 2, hb.x1 + 2, hb.y1 + 2, &hot, &tmax, &cold,
                                               &tmin, &avg, &tavg));
    EXPECT_EQ(hot.x, scene.hottest_x);
    EXPECT_EQ(hot.y, scene.hottest_y);
    EXPECT_NEAR(tmax, scene.hottest, 0.05f);
    EXPECT_NEAR(tmin, scene.ambient, 0.05f);
    uint16_t x = 0, y = 0, ad = 0;
    ASSERT_TRUE(sensekern_get_line_temperature_ex(f.h(), scene.coldest_x, 0, scene.coldest_x, 47, nullptr, nullptr,
                                                  nullptr, &tmax, &x, &y, &ad, &tmin, nullptr, nullptr));
    EXPECT_EQ(x, scene.coldest_x);
    EXPECT_EQ(y, scene.coldest_y);
    EXPECT_NEAR(tmin, scene.coldest, 0.05f);
}

TEST(frame_core, parameters_reach_the_conversion)
{
    samples::Scene scene = make_scene(32, 24);
    sktest::Frame f(scene);
    float before = 0.0f;
    ASSERT_TRUE(sensekern_get_max_temperature(f.h(), nullptr, &before));
    ASSERT_TRUE(sensekern_set_emiss(f.h(), 0.5f));
    ASSERT_TRUE(sensekern_set_dist(f.h(), 12.0f));
    ASSERT_TRUE(sensekern_set_env_temp(f.h(), 18.0f));
    ASSERT_TRUE(sensekern_set_rel_hum(f.h(), 0.7f));
    float e = 0, d = 0, a = 0, hum = 0;
    TemperatureUnit unit = TEMP_UNIT_FAHRENHEIT;
    ASSERT_TRUE(sensekern_get_temperature_para(f.h(), &e, &d, &a, &hum, nullptr, nullptr, &unit));
    EXPECT_FLOAT_EQ(e, 0.5f);
    EXPECT_FLOAT_EQ(d, 12.0f);
    EXPECT_FLOAT_EQ(a, 18.0f);
    EXPECT_FLOAT_EQ(hum, 0.7f);
    EXPECT_EQ(unit, TEMP_UNIT_CELSIUS);
    float after = 0.0f;
    ASSERT_TRUE(sensekern_get_max_temperature(f.h(), nullptr, &after));
    EXPECT_GT(after, before + 10.0f);  // a poor emitter reads colder: the object is hotter

    ASSERT_TRUE(sensekern_set_temperature_unit(f.h(), TEMP_UNIT_FAHRENHEIT));
    float fahrenheit = 0.0f;
    ASSERT_TRUE(sensekern_get_max_temperature(f.h(), nullptr, &fahrenheit));
    EXPECT_NEAR(fahrenheit, after * 1.8f + 32.0f, 0.05f);
}

TEST(frame_core, refused_planes_keep_the_frame)
{
    samples::Scene scene = make_scene(32, 24);
    sktest::Frame f(scene);
    std::vector<uint16_t> before = sktest::plane_of(f.h());
    std::vector<uint16_t> other(5000 * 4, 1000);
    EXPECT_FALSE(sensekern_set_ad_frame(f.h(), other.data(), 2, 2));
    EXPECT_FALSE(sensekern_set_ad_frame(f.h(), other.data(), 5000, 4));
    EXPECT_FALSE(sensekern_set_ad_frame(f.h(), nullptr, 32, 24));
    EXPECT_EQ(sktest::plane_of(f.h()), before);
    uint32_t count = 10;
    std::vector<uint16_t> small(10);
    EXPECT_FALSE(sensekern_get_ad_frame(f.h(), small.data(), &count));
    EXPECT_EQ(count, 32u * 24u);

    sktest::Frame empty;
    uint16_t w = 0, h = 0;
    float t = 0;
    EXPECT_FALSE(sensekern_get_resolution(empty.h(), &w, &h));
    EXPECT_FALSE(sensekern_get_max_temperature(empty.h(), nullptr, &t));
    std::vector<unsigned char> bits(16);
    uint32_t length = static_cast<uint32_t>(bits.size());
    EXPECT_FALSE(sensekern_get_bits(empty.h(), bits.data(), &length));
}

TEST(frame_core, bits_do_not_depend_on_buffer_alignment)
{
    samples::Scene scene = make_scene(32, 24);
    sktest::Frame f(scene);
    ASSERT_TRUE(sensekern_set_imaging_range(f.h(), 14000, 29000));
    std::vector<uint32_t> aligned(32 * 24);
    std::vector<unsigned char> raw(32 * 24 * 4 + 1);
    uint32_t length = static_cast<uint32_t>(aligned.size() * 4);
    ASSERT_TRUE(sensekern_get_bits(f.h(), reinterpret_cast<unsigned char*>(aligned.data()), &length));
    length = static_cast<uint32_t>(raw.size() - 1);
    ASSERT_TRUE(sensekern_get_bits(f.h(), raw.data() + 1, &length));
    EXPECT_EQ(std::memcmp(aligned.data(), raw.data() + 1, aligned.size() * 4), 0);
    uint32_t hot = aligned[scene.hottest_y * 32 + scene.hottest_x];
    EXPECT_NE(hot, aligned[0]);

    uint16_t low = 0, high = 0;
    ASSERT_TRUE(sensekern_get_imaging_range(f.h(), &low, &high));
    EXPECT_EQ(low, 14000);
    EXPECT_EQ(high, 29000);
    EXPECT_FALSE(sensekern_set_imaging_range(f.h(), 500, 500));
    ASSERT_TRUE(sensekern_set_palette(f.h(), PAL_GRAY));
    PALETTE palette = PAL_IRON;
    ASSERT_TRUE(sensekern_get_palette(f.h(), &palette));
    EXPECT_EQ(palette, PAL_GRAY);
    EXPECT_FALSE(sensekern_set_palette(f.h(), static_cast<PALETTE>(18)));
}

TEST(frame_core, bits_refuse_a_buffer_smaller_than_the_frame)
{
    samples::Scene scene = make_scene(32, 24);
    sktest::Frame f(scene);
    uint32_t length = 0;
    ASSERT_TRUE(sensekern_get_bits(f.h(), nullptr, &length));
    EXPECT_EQ(length, 32u * 24 * 4);
    // Guard bytes past the declared capacity must stay as they were.
    std::vector<unsigned char> bits(32 * 24 * 4, 0xEE);
    length = 32 * 24 * 4 - 1;
    EXPECT_FALSE(sensekern_get_bits(f.h(), bits.data(), &length));
    EXPECT_EQ(length, 32u * 24 * 4);
    EXPECT_EQ(bits.back(), 0xEE);
    EXPECT_FALSE(sensekern_get_bits(f.h(), bits.data(), nullptr));
}

TEST(frame_core, repeated_bits_follow_every_change)
{
    // A frame that painted its picture before a change must paint what a frame
    // that never painted gives after the same change.
    samples::Scene scene = make_scene(48, 36);
    auto bits_of = [](void* frame) {
        std::vector<uint32_t> bits(48 * 36);
        uint32_t length = static_cast<uint32_t>(bits.size() * 4);
        EXPECT_TRUE(sensekern_get_bits(frame, reinterpret_cast<unsigned char*>(bits.data()), &length));
        return bits;
    };
    auto add_band = [](void* frame) {
        void* band = nullptr;
        return sensekern_add_isotherm(frame, 40.0f, 50.0f, 0x0000FF, false, &band) ? band : nullptr;
    };
    auto first_band = [](void* frame) {
        // The band handles differ between frames; each frame has one band here.
        void* band = nullptr;
        sensekern_add_isotherm(frame, 60.0f, 70.0f, 0x00FF00, false, &band);
        return band;
    };
    struct Change {
        const char* name;
        std::function<void(void*)> setup;
        std::function<bool(void*)> apply;
        // The picture differs afterwards; unset where that depends on the
        // scene (the first stabilized frame weighs its blur differently).
        std::optional<bool> visible;
    };
    const std::vector<Change> changes = {
        {"new frame", nullptr,
         [](void* f) {
             std::vector<uint16_t> ad(48 * 36);
             uint32_t count = static_cast<uint32_t>(ad.size());
             if (!sensekern_get_ad_frame(f, ad.data(), &count)) {
                 return false;
             }
             for (int x = 10; x < 30; ++x) {
                 ad[18 * 48 + x] = static_cast<uint16_t>(ad[18 * 48 + x] + 2000);
             }
             return sensekern_set_ad_frame(f, ad.data(), 48, 36);
         },
         true},
        {"palette", nullptr, [](void* f) { return sensekern_set_palette(f, PAL_RAINBOW); }, true},
        {"range", nullptr, [](void* f) { return sensekern_set_imaging_range(f, 14000, 16000); }, true},
        {"range low end", nullptr, [](void* f) { return sensekern_set_low_of_imaging_range(f, 15500); }, true},
        {"filters off", nullptr, [](void* f) { return sensekern_enable_image_process(f, false); }, true},
        {"algorithm", nullptr, [](void* f) { return sensekern_set_imaging_algorithm_mode(f, IMAGING_ALGORITHM_1); }, true},
        {"stabilization", nullptr, [](void* f) { return sensekern_enable_image_stabilization(f); }, std::nullopt},
        {"isotherm added", nullptr, [&](void* f) { return add_band(f) != nullptr; }, true},
        {"isotherm moved", [&](void* f) { first_band(f); },
         [&](void* f) { return sensekern_delete_all_isotherm(f) && add_band(f) != nullptr; }, true},
        {"isotherm deleted", [&](void* f) { add_band(f); }, [](void* f) { return sensekern_delete_all_isotherm(f); },
         true},
        {"emissivity", nullptr, [](void* f) { return sensekern_set_emiss(f, 0.5f); }, false},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        sktest::Frame painted(scene), fresh(scene);
        if (change.setup) {
            change.setup(painted.h());
            change.setup(fresh.h());
        }
        const std::vector<uint32_t> before = bits_of(painted.h());
        EXPECT_EQ(bits_of(painted.h()), before);
        ASSERT_TRUE(change.apply(painted.h()));
        ASSERT_TRUE(change.apply(fresh.h()));
        const std::vector<uint32_t> after = bits_of(painted.h());
        EXPECT_EQ(after, bits_of(fresh.h()));
        if (change.visible) {
            EXPECT_EQ(after != before, *change.visible);
        }
    }
}

TEST(frame_core, isotherms)
{
    samples::Scene scene = make_scene(32, 24);
    sktest::Frame f(scene);
    void* band = nullptr;
    EXPECT_FALSE(sensekern_add_isotherm(f.h(), 50.0f, 40.0f, 0xFF, false, &band));
    ASSERT_TRUE(sensekern_add_isotherm(f.h(), 40.0f, 50.0f, 0x0000FF, false, &band));
    ASSERT_NE(band, nullptr);
    std::vector<uint32_t> bits(32 * 24);
    uint32_t length = static_cast<uint32_t>(bits.size() * 4);
    ASSERT_TRUE(sensekern_get_bits(f.h(), reinterpret_cast<unsigned char*>(bits.data()), &length));
    const samples::Box& warm = scene.warm_box;
    uint32_t banded = bits[(warm.y0 + 1) * 32 + warm.x0 + 1];
    EXPECT_EQ((banded >> 16) & 0xFF, 0xFFu);  // red in the picture
    EXPECT_LT((banded >> 8) & 0xFF, 0x10u);
    EXPECT_TRUE(sensekern_update_isotherm(f.h(), band, 100.0f, 140.0f, 0x00FF00, true));
    EXPECT_FALSE(sensekern_update_isotherm(f.h(), &bits, 100.0f, 140.0f, 0x00FF00, true));
    EXPECT_TRUE(sensekern_delete_isotherm(f.h(), band));
    EXPECT_FALSE(sensekern_delete_isotherm(f.h(), band));
    ASSERT_TRUE(sensekern_add_isotherm(f.h(), 40.0f, 50.0f, 0x0000FF, false, &band));
    EXPECT_TRUE(sensekern_delete_all_isotherm(f.h()));
    EXPECT_FALSE(sensekern_delete_isotherm(f.h(), band));
}

TEST(frame_core, identity_and_lenses_from_the_calibration)
{
    sktest::Frame f(make_scene(32, 24));
    char texts[5][SENSEKERN_MAC_TEXT_CAPACITY];
    ASSERT_TRUE(sensekern_get_mac_info(f.h(), texts[0], texts[1], texts[2], texts[3], texts[4]));
    EXPECT_STREQ(texts[0], "Pyravue Labs");
    EXPECT_STREQ(texts[1], "PV-640");
    EXPECT_STREQ(texts[3], "D640-7781");
    unsigned char count = 0;
    ASSERT_TRUE(sensekern_get_supported_lens_info(f.h(), nullptr, &count));
    EXPECT_GE(count, 1);
    tagLenInfo lens{};
    ASSERT_TRUE(sensekern_get_cur_len_range_info(f.h(), &lens));
    EXPECT_EQ(lens.len_type, 0);
    EXPECT_TRUE(sensekern_set_len_and_range(f.h(), 0, 1));
    EXPECT_FALSE(sensekern_set_len_and_range(f.h(), 4, 0));
    EXPECT_FALSE(sensekern_load_calibration_file(f.h(), "/nonexistent/ad_temp"));
    void* engine = nullptr;
    EXPECT_TRUE(sensekern_get_handle_of_ad_temp(f.h(), &engine));
    float s1 = 0.0f;
    EXPECT_TRUE(vy_at_get_sensor_temp(engine, &s1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
}

}  // namespace
