// The AD-to-index map: automatic, manual, histogram and fire-fighting
// computations, their refusals and hostile frames.
#include "palettor_test_util.h"

#include <random>
#include <set>

namespace {

// 64 x 8 frame with an automatic range of exactly [1000, 1039].
std::vector<uint16_t> frame_39()
{
    std::vector<uint16_t> ad(64 * 8);
    for (size_t i = 0; i < ad.size(); ++i) {
        ad[i] = static_cast<uint16_t>(i < 100 ? 1000 : 1000 + i % 40);
    }
    return ad;
}

std::vector<uint32_t> picture(void* h, const std::vector<uint16_t>& ad, int width, int height)
{
    std::vector<uint32_t> bits(ad.size());
    EXPECT_TRUE(palettor_ad_to_pixel(h, ad.data(), width, height, 0, 0, width - 1, height - 1, bits.data(), false));
    return bits;
}

}  // namespace

TEST(index_map, automatic_39_ad_range_maps_78_to_116)
{
    Handle h;
    const std::vector<uint16_t> ad = frame_39();
    statistics(h, ad, 64, 8);
    uint16_t low = 0, high = 0;
    palettor_get_auto_range(h, &low, &high);
    ASSERT_EQ(low, 1000);
    ASSERT_EQ(high, 1039);
    ASSERT_TRUE(palettor_calc_pal_no_of_ad(h));
    std::vector<uint16_t> probe = {999, 0};
    for (int d = 1000; d <= 1041; ++d) {
        probe.push_back(static_cast<uint16_t>(d));
    }
    probe.push_back(65535);
    const std::vector<int> index = indexes_of(h, probe);
    EXPECT_EQ(index[0], 78);
    EXPECT_EQ(index[1], 78);
    for (int d = 1000; d < 1039; ++d) {
        EXPECT_EQ(index[2 + d - 1000], 78 + d - 1000) << d;
    }
    EXPECT_EQ(index[2 + 39], 116);
    EXPECT_EQ(index[2 + 40], 116);
    EXPECT_EQ(index[2 + 41], 116);
    EXPECT_EQ(index.back(), 116);
    palettor_get_range(h, &low, &high);
    EXPECT_EQ(low, 1000);
    EXPECT_EQ(high, 1039);
}

TEST(index_map, nothing_is_computed_before_the_first_statistics)
{
    Handle h;
    const std::vector<uint16_t> ad = frame_39();
    const std::vector<uint32_t> before = picture(h, ad, 64, 8);
    EXPECT_FALSE(palettor_calc_pal_no_of_ad(h));
    EXPECT_TRUE(palettor_set_range(h, 100, 200));  // stored, not computed
    EXPECT_EQ(picture(h, ad, 64, 8), before);
    uint16_t low = 0, high = 0;
    palettor_get_auto_range(h, &low, &high);
    EXPECT_EQ(low, 0xFFFF);
    EXPECT_EQ(high, 0);
}

TEST(index_map, automatic_range_wider_than_60000_is_refused)
{
    Handle h;
    statistics(h, frame_39(), 64, 8);
    ASSERT_TRUE(palettor_calc_pal_no_of_ad(h));
    std::vector<uint16_t> wide(64 * 8);
    for (size_t i = 0; i < wide.size(); ++i) {
        wide[i] = i % 2 ? 65535 : 0;
    }
    const std::vector<uint32_t> before = picture(h, wide, 64, 8);
    statistics(h, wide, 64, 8);
    EXPECT_FALSE(palettor_calc_pal_no_of_ad(h));
    EXPECT_EQ(picture(h, wide, 64, 8), before);
}

TEST(index_map, empty_manual_range_is_refused)
{
    Handle h;
    statistics(h, frame_39(), 64, 8);
    EXPECT_TRUE(palettor_set_range(h, 1020, 1020));
    EXPECT_FALSE(palettor_calc_pal_no_of_ad(h));
    EXPECT_TRUE(palettor_set_range(h, 1030, 1010));
    EXPECT_FALSE(palettor_calc_pal_no_of_ad(h));
    int32_t type = -1;
    EXPECT_TRUE(palettor_get_imaging_type(h, &type));
    EXPECT_EQ(type, PALETTOR_IMAGING_MANUAL);
}

TEST(index_map, histogram_mode_widens_a_narrow_range_to_10)
{
    Handle h;
    statistics(h, frame_39(), 64, 8);
    ASSERT_TRUE(palettor_set_algorithm_mode(h, 1));
    ASSERT_TRUE(palettor_set_range(h, 1000, 1005));
    uint16_t low = 0, high = 0;
    palettor_get_range(h, &low, &high);
    EXPECT_EQ(low, 1000);
    EXPECT_EQ(high, 1010);
}

TEST(index_map, manual_range_on_a_closed_shutter_frame)
{
    // A flat frame gives an automatic range exactly 10 AD wide, which puts
    // the manual computation's knee on the top of the range.
    Handle h;
    const std::vector<uint16_t> flat = flat_frame(32, 16, 5000);
    statistics(h, flat, 32, 16);
    ASSERT_TRUE(palettor_set_range(h, 4000, 6000));
    ASSERT_TRUE(palettor_calc_pal_no_of_ad(h));
    for (int index : indexes_of(h, {3000, 4000, 4999, 5000, 5001, 5999, 6000, 65535})) {
        EXPECT_GE(index, 0);
        EXPECT_LE(index, 162);
    }
}

TEST(index_map, manual_range_is_monotone)
{
    Handle h;
    std::vector<uint16_t> ad(100 * 20);
    for (size_t i = 0; i < ad.size(); ++i) {
        ad[i] = static_cast<uint16_t>(2000 + (i * 37) % 3000);
    }
    statistics(h, ad, 100, 20);
    ASSERT_TRUE(palettor_set_range(h, 2500, 4500));
    // Only ADs present in the frame are mapped; absent ones may keep the fill.
    // Those below the range take the bottom of the bar, those above its top.
    const std::set<uint16_t> present(ad.begin(), ad.end());
    const std::vector<uint16_t> probe(present.begin(), present.end());
    const std::vector<int> index = indexes_of(h, probe);
    for (size_t i = 1; i < index.size(); ++i) {
        ASSERT_NE(index[i], -1);
        EXPECT_LE(index[i - 1], index[i]) << probe[i];
    }
    EXPECT_EQ(index.front(), 0);
    EXPECT_EQ(index.back(), 162);
}

TEST(index_map, every_mode_on_hostile_frames_stays_on_the_palette)
{
    std::mt19937 random(99);
    std::uniform_int_distribution<int> any(0, 65535);
    struct Frame {
        const char* name;
        int width, height;
        std::vector<uint16_t> ad;
    };
    std::vector<Frame> frames = {
        {"flat_0", 20, 10, flat_frame(20, 10, 0)},
        {"flat_65535", 20, 10, flat_frame(20, 10, 65535)},
        {"flat_5000", 20, 10, flat_frame(20, 10, 5000)},
        {"one_pixel", 1, 1, {7}},
        {"two_by_two", 2, 2, {0, 65535, 65535, 0}},
    };
    Frame extremes{"extremes", 40, 20, std::vector<uint16_t>(800)};
    Frame noise{"noise", 40, 20, std::vector<uint16_t>(800)};
    Frame scene{"scene", 64, 48, std::vector<uint16_t>(64 * 48)};
    for (size_t i = 0; i < 800; ++i) {
        extremes.ad[i] = i % 3 ? 0 : 65535;
        noise.ad[i] = static_cast<uint16_t>(any(random));
    }
    for (size_t i = 0; i < scene.ad.size(); ++i) {
        // A cool background with a warm blob and a few hot spikes.
        const int x = static_cast<int>(i % 64), y = static_cast<int>(i / 64);
        const int r2 = (x - 30) * (x - 30) + (y - 20) * (y - 20);
        scene.ad[i] = static_cast<uint16_t>(15000 + (r2 < 200 ? 2500 - r2 * 10 : 0) + (i * 13) % 40);
    }
    scene.ad[100] = 40000;
    frames.push_back(extremes);
    frames.push_back(noise);
    frames.push_back(scene);

    for (const Frame& f : frames) {
        for (int mode = 0; mode <= 3; ++mode) {
            for (int type : {0, 1, 255}) {
                for (bool flag : {false, true}) {
                    for (bool stabilization : {false, true}) {
                        SCOPED_TRACE(testing::Message() << f.name << " mode " << mode << " type " << type << " flag "
                                                        << flag << " stabilization " << stabilization);
                        Handle h(flag);
                        ASSERT_TRUE(palettor_set_algorithm_mode(h, mode));
                        ASSERT_TRUE(palettor_enable_image_stabilization(h, stabilization));
                        ASSERT_TRUE(palettor_enable_image_process(h, false));
                        int32_t id = 0;
                        ASSERT_TRUE(palettor_add_isotherm_ex(h, 14000, 15010, 0x00FF00, 1, &id));
                        ASSERT_TRUE(palettor_add_isotherm_ex(h, 60000, 65535, 0xFF0000, 0, &id));
                        const std::vector<uint32_t> palette = index_table(h);
                        ASSERT_TRUE(palettor_set_fire_fighting(h, true));
                        const std::vector<uint32_t> fire = index_table(h);
                        ASSERT_TRUE(palettor_set_fire_fighting(h, false));
                        std::set<uint32_t> allowed(palette.begin(), palette.end());
                        allowed.insert(fire.begin(), fire.end());
                        for (uint32_t k = 1; k <= 30; ++k) {
                            allowed.insert(8 * k << 16 | 0xFF00u | 8 * k);      // green band ramp
                            allowed.insert(8 * k << 16 | 8 * k << 8 | 0xFFu);  // blue band ramp
                        }
                        ASSERT_TRUE(vy_set_imaging_type(h, type));
                        for (int frame = 0; frame < 2; ++frame) {
                            statistics(h, f.ad, f.width, f.height);
                            uint16_t low = 0, high = 0;
                            palettor_get_auto_range(h, &low, &high);
                            palettor_auto_adjust_fpga(h, low, high);
                            palettor_set_range(h, static_cast<uint16_t>(low / 2), high);
                            palettor_calc_pal_no_of_ad(h);
                            const std::vector<uint32_t> bits = picture(h, f.ad, f.width, f.height);
                            for (uint32_t b : bits) {
                                ASSERT_EQ(b & 0xFF000000u, 0xFF000000u);
                                ASSERT_TRUE(allowed.count(b & 0xFFFFFFu)) << std::hex << b;
                            }
                        }
                        palettor_auto_adjust(h);
                        palettor_set_low_of_range(h, 3);
                        palettor_set_high_of_range(h, 65000);
                    }
                }
            }
        }
    }
}

TEST(index_map, modes_and_types_are_stored)
{
    Handle h;
    int32_t value = -1;
    EXPECT_TRUE(palettor_get_algorithm_mode(h, &value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(palettor_set_algorithm_mode(h, 3));
    EXPECT_FALSE(palettor_set_algorithm_mode(h, 4));
    EXPECT_FALSE(palettor_set_algorithm_mode(h, -1));
    EXPECT_TRUE(palettor_get_algorithm_mode(h, &value));
    EXPECT_EQ(value, 3);
    EXPECT_FALSE(palettor_get_algorithm_mode(h, nullptr));
    EXPECT_TRUE(vy_set_imaging_type(h, 255));
    EXPECT_TRUE(palettor_set_range(h, 10, 20));  // fire-fighting stays fire-fighting
    EXPECT_TRUE(palettor_get_imaging_type(h, &value));
    EXPECT_EQ(value, 255);
    EXPECT_TRUE(palettor_auto_adjust(h));
    EXPECT_TRUE(palettor_get_imaging_type(h, &value));
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(palettor_get_imaging_type(h, nullptr));
    EXPECT_TRUE(palettor_set_ad_threshold_percentage(h, 0.2f));
    EXPECT_TRUE(palettor_reset(h));
    EXPECT_TRUE(palettor_set_stabilization_value(h, 2, 2, 0.3f));
}

TEST(index_map, walk_end_above_and_below_the_range)
{
    Handle h;
    std::vector<uint16_t> ad(100 * 10);
    for (size_t i = 0; i < ad.size(); ++i) {
        ad[i] = static_cast<uint16_t>(1000 + i);  // ADs 1000..1999, each present
    }
    statistics(h, ad, 100, 10);

    // Every present AD below high: high and above take top, the ADs between
    // the last present one and high take the last index.
    ASSERT_TRUE(palettor_set_range(h, 500, 3000));
    std::vector<int> index = indexes_of(h, {1999, 2500, 2999, 3000, 65535});
    EXPECT_EQ(index[1], index[0]);
    EXPECT_EQ(index[2], index[0]);
    EXPECT_EQ(index[3], index[4]);
    EXPECT_GE(index[3], index[0]);

    // A present AD at or above high: from it through 65535 the top of the
    // bar. On this continuous frame the last AD below high is already there.
    ASSERT_TRUE(palettor_set_range(h, 1200, 1800));
    index = indexes_of(h, {1799, 1800, 1999, 65535});
    EXPECT_EQ(index[0], 162);
    EXPECT_EQ(index[1], 162);
    EXPECT_EQ(index[2], 162);
    EXPECT_EQ(index[3], 162);

    ASSERT_TRUE(palettor_set_low_of_range(h, 1100));
    uint16_t low = 0, high = 0;
    palettor_get_range(h, &low, &high);
    EXPECT_EQ(low, 1100);
    EXPECT_EQ(high, 1800);
    ASSERT_TRUE(palettor_set_high_of_range(h, 1900));
    palettor_get_range(h, &low, &high);
    EXPECT_EQ(high, 1900);
}
