// National-grid frames: temperatures in, AD values and real extremes out.
#include "frame_fixture.h"

#include <cmath>
#include <limits>

using fk_test::Frame;

namespace {

constexpr int kWidth = 8;
constexpr int kHeight = 6;

uint16_t ad_of(float t)
{
    uint16_t ad = 0;
    vy_get_ad_from_temp_national_grid(t, &ad);
    return ad;
}

bool load(void* h, const std::vector<float>& temps)
{
    return vy_ad_load_national_grid_data_from_buffer_checked(h, reinterpret_cast<const uint8_t*>(temps.data()),
                                                             static_cast<uint32_t>(temps.size() * 4));
}

}  // namespace

TEST(NationalGrid, extremes_from_temperatures)
{
    Frame f(1, 0, true);
    ASSERT_TRUE(f.ok());
    std::vector<float> temps(kWidth * kHeight, 20.0f);
    EXPECT_FALSE(load(f.h(), temps));  // no resolution yet
    ASSERT_TRUE(vy_ad_set_resolution(f.h(), kWidth, kHeight));
    EXPECT_FALSE(vy_ad_load_national_grid_data_from_buffer(f.h(), nullptr));
    EXPECT_FALSE(vy_ad_load_national_grid_data_from_buffer_checked(
        f.h(), reinterpret_cast<const uint8_t*>(temps.data()), static_cast<uint32_t>(temps.size() * 4 - 1)));

    // Below zero, two equal maxima, and values that are not numbers.
    for (float& t : temps) {
        t = -12.5f;
    }
    temps[2 * kWidth + 3] = 41.0f;
    temps[4 * kWidth + 5] = 41.0f;
    temps[1 * kWidth + 6] = -30.25f;
    temps[0] = std::numeric_limits<float>::quiet_NaN();
    temps[1] = std::numeric_limits<float>::infinity();
    temps[2] = -std::numeric_limits<float>::infinity();
    load(f.h(), temps);

    uint16_t x = 0;
    uint16_t y = 0;
    ASSERT_TRUE(vy_ad_get_max_ad_ex(f.h(), &x, &y, nullptr));
    EXPECT_EQ(3, x);
    EXPECT_EQ(2, y);
    ASSERT_TRUE(vy_ad_get_min_ad_ex(f.h(), &x, &y, nullptr));
    EXPECT_EQ(6, x);
    EXPECT_EQ(1, y);
    uint16_t ad = 1;
    ASSERT_TRUE(vy_ad_get_ad_from_position(f.h(), 0, 0, &ad));
    EXPECT_EQ(0, ad);
    ASSERT_TRUE(vy_ad_get_ad_from_position(f.h(), 3, 2, &ad));
    EXPECT_EQ(ad_of(41.0f), ad);

    // Analyses take their extremes and average from the temperatures, skipping
    // the non-finite ones, summed in double precision.
    tagVYAnaInfo info = fk_test::default_info();
    ASSERT_TRUE(vy_ad_add_ana(f.h(), "R:0,0;7,2;-", &info));
    uint16_t record[3];
    ASSERT_TRUE(vy_ana_get_max_ad(f.h(), "R:0,0;7,2;-", record));
    fk_test::expect_pad(tagPAD{3, 2, ad_of(41.0f)}, record, "hottest");
    ASSERT_TRUE(vy_ana_get_min_ad(f.h(), "R:0,0;7,2;-", record));
    fk_test::expect_pad(tagPAD{6, 1, ad_of(-30.25f)}, record, "coldest");
    double sum = 0;
    int count = 0;
    for (int i = 0; i < 3 * kWidth; ++i) {
        if (std::isfinite(temps[i])) {
            sum += temps[i];
            ++count;
        }
    }
    uint16_t avg = 0;
    ASSERT_TRUE(vy_ana_get_avg_ad(f.h(), "R:0,0;7,2;-", &avg));
    EXPECT_EQ(ad_of(static_cast<float>(sum / count)), avg);

    // The line measurement reads the temperatures as well.
    uint16_t hottest[3];
    uint16_t coldest[3];
    ASSERT_TRUE(vy_ad_get_line_temperature(f.h(), 0, 1, 7, 1, hottest, coldest, &avg));
    fk_test::expect_pad(tagPAD{6, 1, ad_of(-30.25f)}, coldest, "line coldest");
    EXPECT_EQ(ad_of(-12.5f), hottest[2]);
}

TEST(NationalGrid, extremes_start_from_the_first_pixel)
{
    Frame f(1, 0, true);
    ASSERT_TRUE(vy_ad_set_resolution(f.h(), kWidth, kHeight));
    std::vector<float> temps(kWidth * kHeight, 12000.0f);
    temps[9] = 12500.0f;
    temps[17] = 11000.0f;
    load(f.h(), temps);
    uint16_t x = 0;
    uint16_t y = 0;
    ASSERT_TRUE(vy_ad_get_min_ad_ex(f.h(), &x, &y, nullptr));
    EXPECT_EQ(17 % kWidth, x);
    EXPECT_EQ(17 / kWidth, y);
    ASSERT_TRUE(vy_ad_get_max_ad_ex(f.h(), &x, &y, nullptr));
    EXPECT_EQ(9 % kWidth, x);
    EXPECT_EQ(9 / kWidth, y);
}

TEST(NationalGrid, plain_data_replaces_the_temperatures)
{
    Frame f(1, 0, true);
    ASSERT_TRUE(vy_ad_set_resolution(f.h(), kWidth, kHeight));
    std::vector<float> warm(kWidth * kHeight, 36.6f);
    ASSERT_TRUE(vy_ad_load_national_grid_data_from_buffer(f.h(), reinterpret_cast<const uint8_t*>(warm.data())));
    tagVYAnaInfo info = fk_test::default_info();
    ASSERT_TRUE(vy_ad_add_ana(f.h(), "R:1,1;4,4;-", &info));
    uint16_t avg = 0;
    ASSERT_TRUE(vy_ana_get_avg_ad(f.h(), "R:1,1;4,4;-", &avg));
    EXPECT_EQ(ad_of(36.6f), avg);

    std::vector<uint16_t> plane(kWidth * kHeight, 5000);
    std::vector<uint8_t> bytes = fk_test::bytes_of(plane);
    vy_ad_set_data_checked(f.h(), bytes.data(), static_cast<uint32_t>(bytes.size()));
    ASSERT_TRUE(vy_ana_get_avg_ad(f.h(), "R:1,1;4,4;-", &avg));
    EXPECT_EQ(5000, avg);
}
