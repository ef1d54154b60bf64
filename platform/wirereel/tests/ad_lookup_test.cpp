// The mapping from camera temperatures to calibration AD values, and the
// choice of the calibration pair that shows a camera pair.
#include "ad_lookup.h"

#include "basekit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace wirereel::detail;

namespace {

std::string sample_calibration()
{
    char directory[4096];
    int length = sizeof(directory);
    EXPECT_EQ(vy_get_exe_path(directory, &length), VY_OK);
    return std::string(directory, static_cast<std::size_t>(length)) + "/ad_temp";
}

tagLenInfo lens(int type, std::vector<int> ranges)
{
    tagLenInfo info{};
    info.len_type = type;
    info.range_count = static_cast<unsigned char>(ranges.size());
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        info.ranges[i].meas_range = ranges[i];
    }
    return info;
}

}  // namespace

TEST(ad_lookup, wire_values_round_and_clamp)
{
    const struct {
        float temperature;
        uint16_t wire;
    } cases[] = {
        {0.0f, 3000},      {-300.0f, 0},     {-299.96f, 0},  {-299.94f, 1},   {25.04f, 3250},
        {25.06f, 3251},    {-1000.0f, 0},    {6253.5f, 65535}, {1e9f, 65535}, {-1e9f, 0},
        {std::numeric_limits<float>::quiet_NaN(), 0},        {std::numeric_limits<float>::infinity(), 65535},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wire_value_of(c.temperature), c.wire) << c.temperature;
    }
}

TEST(ad_lookup, camera_pairs_map_to_calibration_pairs)
{
    const std::vector<tagLenInfo> lenses = {lens(0, {0, 1}), lens(1, {0, 1})};
    Selection chosen;
    ASSERT_TRUE(choose_selection(lenses, {1, 1}, &chosen));
    EXPECT_EQ(chosen, (Selection{1, 1}));
    // A pair the calibration lacks is shown with its first lens and range.
    ASSERT_TRUE(choose_selection(lenses, {0, 2}, &chosen));
    EXPECT_EQ(chosen, (Selection{0, 0}));
    ASSERT_TRUE(choose_selection(lenses, {5, 0}, &chosen));
    EXPECT_EQ(chosen, (Selection{0, 0}));
    EXPECT_FALSE(choose_selection({}, {0, 0}, &chosen));
    EXPECT_FALSE(choose_selection({lens(0, {})}, {0, 0}, &chosen));
}

TEST(ad_lookup, temperatures_come_back_through_the_calibration)
{
    AdLookup lookup;
    EXPECT_FALSE(lookup.prepare("/nonexistent/ad_temp", {0, 0}));
    EXPECT_FALSE(lookup.prepare(sample_calibration(), {9, 9}));
    ASSERT_TRUE(lookup.prepare(sample_calibration(), {0, 0}));
    const std::vector<float> temperatures = {20.0f, 20.1f, 55.5f, 80.0f, 149.9f};
    std::vector<uint16_t> ad(temperatures.size());
    lookup.convert(temperatures.data(), temperatures.size(), ad.data());
    // Hotter is a higher AD value in the sample detector.
    for (std::size_t i = 1; i < ad.size(); ++i) {
        EXPECT_GT(ad[i], ad[i - 1]) << i;
    }
    // The same values again come from the table.
    std::vector<uint16_t> again(temperatures.size());
    lookup.convert(temperatures.data(), temperatures.size(), again.data());
    EXPECT_EQ(ad, again);
    // Another range of the same lens gives other values for the same temperature.
    ASSERT_TRUE(lookup.prepare(sample_calibration(), {0, 1}));
    std::vector<uint16_t> other(temperatures.size());
    lookup.convert(temperatures.data(), temperatures.size(), other.data());
    EXPECT_NE(ad, other);
}
