// Line and rectangle measurement, zoom, super resolution, point repair and
// the pixel-count comparison.
#include "frame_fixture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

using fk_test::Frame;

namespace {

constexpr int kWidth = 20;
constexpr int kHeight = 12;

class Geometry : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.ok());
        ASSERT_TRUE(vy_ad_set_resolution(frame.h(), kWidth, kHeight));
        plane = fk_test::gradient_plane(kWidth, kHeight);
        plane[7] = 9;         // row 0
        plane[15] = 60000;    // row 0
        set(plane);
    }
    void set(const std::vector<uint16_t>& p)
    {
        std::vector<uint8_t> bytes = fk_test::bytes_of(p);
        vy_ad_set_data_checked(frame.h(), bytes.data(), static_cast<uint32_t>(bytes.size()));
    }
    std::vector<uint16_t> data(std::size_t count)
    {
        std::vector<uint16_t> out(count);
        EXPECT_TRUE(vy_ad_get_data(frame.h(), out.data()));
        return out;
    }

    Frame frame;
    std::vector<uint16_t> plane;
};

}  // namespace

TEST_F(Geometry, line_and_rectangle_statistics)
{
    std::vector<tagVYPoint> row0;
    for (int x = 0; x < kWidth; ++x) {
        row0.push_back(tagVYPoint{static_cast<uint16_t>(x), 0});
    }
    fk_test::Extremes e = fk_test::direct(plane, kWidth, row0);
    uint16_t hottest[3];
    uint16_t coldest[3];
    uint16_t avg = 0;
    ASSERT_TRUE(vy_ad_get_line_temperature(frame.h(), 0, 0, kWidth - 1, 0, hottest, coldest, &avg));
    fk_test::expect_pad(tagPAD{15, 0, 60000}, hottest, "line hottest");
    fk_test::expect_pad(tagPAD{7, 0, 9}, coldest, "line coldest");
    EXPECT_EQ(e.avg, avg);
    EXPECT_FALSE(vy_ad_get_line_temperature(frame.h(), 0, 0, kWidth, 0, hottest, coldest, &avg));

    std::vector<tagVYPoint> box;
    for (uint16_t y = 2; y <= 6; ++y) {
        for (uint16_t x = 3; x <= 9; ++x) {
            box.push_back(tagVYPoint{x, y});
        }
    }
    e = fk_test::direct(plane, kWidth, box);
    uint16_t max_x = 0;
    uint16_t max_y = 0;
    uint16_t min_ad = 0;
    ASSERT_TRUE(vy_ad_get_rect_temperature_ex(frame.h(), 3, 2, 9, 6, &max_x, &max_y, nullptr, nullptr, nullptr,
                                              &min_ad, &avg));
    EXPECT_EQ(e.hottest.x, max_x);
    EXPECT_EQ(e.hottest.y, max_y);
    EXPECT_EQ(e.coldest.ad, min_ad);
    EXPECT_EQ(e.avg, avg);
    ASSERT_TRUE(vy_ad_get_rect_temperature(frame.h(), 3, 2, 9, 6, nullptr, nullptr, nullptr));
    // x1 = x2, or a corner outside the frame: refused.
    EXPECT_FALSE(vy_ad_get_rect_temperature(frame.h(), 3, 2, 3, 6, hottest, coldest, &avg));
    EXPECT_FALSE(vy_ad_get_rect_temperature(frame.h(), 3, 2, kWidth, 6, hottest, coldest, &avg));
    EXPECT_FALSE(vy_ad_get_rect_temperature(frame.h(), 3, 6, 9, 2, hottest, coldest, &avg));
}

TEST_F(Geometry, zoom)
{
    EXPECT_FALSE(vy_ad_zoom(frame.h(), kWidth, kHeight));
    EXPECT_EQ(plane, data(plane.size()));
    EXPECT_FALSE(vy_ad_zoom(frame.h(), 0, 10));
    EXPECT_FALSE(vy_ad_zoom(frame.h(), 10, 2));

    set(std::vector<uint16_t>(kWidth * kHeight, 4321));
    ASSERT_TRUE(vy_ad_zoom(frame.h(), 2 * kWidth, 2 * kHeight));
    uint16_t w = 0;
    uint16_t h = 0;
    ASSERT_TRUE(vy_ad_get_resolution(frame.h(), &w, &h));
    EXPECT_EQ(2 * kWidth, w);
    EXPECT_EQ(2 * kHeight, h);
    EXPECT_EQ(std::vector<uint16_t>(4 * kWidth * kHeight, 4321), data(4 * kWidth * kHeight));

    // Down to the smallest frame and back up again stays inside the planes.
    ASSERT_TRUE(vy_ad_zoom(frame.h(), 3, 3));
    ASSERT_TRUE(vy_ad_zoom(frame.h(), 50, 7));
    EXPECT_EQ(std::vector<uint16_t>(50 * 7, 4321), data(50 * 7));

    // A frame buffer saved after the zoom holds the new plane.
    uint32_t length = 0;
    ASSERT_TRUE(vy_ad_save_data_to_buffer(frame.h(), nullptr, &length));
    EXPECT_GT(length, 5u);
}

namespace {

// Bilinear resampling as defined, one target pixel at a time: centre-aligned
// source coordinates, clamped, and the interpolation form truncated.
std::vector<uint16_t> defined_zoom(const std::vector<uint16_t>& in, int sw, int sh, int tw, int th)
{
    auto coordinate = [](int i, int source, int target, int* lo, int* hi, double* f) {
        if (source < 2) {
            *lo = *hi = 0;
            *f = 0.0;
            return;
        }
        double s = (i + 0.5) * source / target - 0.5;
        s = std::min(std::max(s, 0.0), static_cast<double>(source - 1));
        if (s >= source - 1) {
            s = source - 2;
        }
        *lo = static_cast<int>(std::floor(s));
        *hi = static_cast<int>(std::ceil(s));
        *f = s - *lo;
    };
    std::vector<uint16_t> out(static_cast<std::size_t>(tw) * th);
    for (int r = 0; r < th; ++r) {
        int y0, y1, x0, x1;
        double fy, fx;
        coordinate(r, sh, th, &y0, &y1, &fy);
        for (int c = 0; c < tw; ++c) {
            coordinate(c, sw, tw, &x0, &x1, &fx);
            auto at = [&](int x, int y) { return in[static_cast<std::size_t>(y) * sw + x]; };
            const double upper = at(x0, y0) + (static_cast<double>(at(x1, y0)) - at(x0, y0)) * fx;
            const double lower = at(x0, y1) + (static_cast<double>(at(x1, y1)) - at(x0, y1)) * fx;
            out[static_cast<std::size_t>(r) * tw + c] = static_cast<uint16_t>(upper + (lower - upper) * fy);
        }
    }
    return out;
}

}  // namespace

TEST(Zoom, planes_follow_the_definition_and_survive_a_save)
{
    struct Case {
        int kind;  // 1 plain, 0 indexed
        int sw, sh, tw, th;
        bool full_range = false;  // values all over 0 .. 65535, else a narrow band
    };
    // Zooms by 2 and 4 take whole eighths as weights, the others any.
    const Case cases[] = {{1, 20, 12, 40, 24},       {1, 20, 12, 7, 31},  {0, 33, 9, 66, 18},
                          {0, 33, 9, 5, 4},          {1, 3, 3, 11, 5},    {1, 16, 8, 64, 32, true},
                          {1, 21, 13, 42, 26, true}, {1, 21, 13, 30, 17, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + ": " + std::to_string(c.tw) + "x" + std::to_string(c.th));
        Frame frame(c.kind);
        ASSERT_TRUE(frame.ok());
        ASSERT_TRUE(vy_ad_set_resolution(frame.h(), c.sw, c.sh));
        std::vector<uint16_t> plane(static_cast<std::size_t>(c.sw) * c.sh);
        for (std::size_t i = 0; i < plane.size(); ++i) {
            plane[i] = c.full_range ? static_cast<uint16_t>(i % 5 == 0 ? 65535 : (i * 40503) % 65536)
                                    : static_cast<uint16_t>(20000 + (i * 7919) % 150 + (i % 23 == 0 ? 90 : 0));
        }
        // The plain frame takes the plane itself, the indexed one a raw frame.
        const std::vector<uint8_t> bytes =
            c.kind == 1 ? fk_test::bytes_of(plane) : fk_test::compressed_raw_frame(plane);
        ASSERT_TRUE(vy_ad_set_data_checked(frame.h(), bytes.data(), static_cast<uint32_t>(bytes.size())));
        ASSERT_TRUE(vy_ad_zoom(frame.h(), c.tw, c.th));
        const std::vector<uint16_t> expected = defined_zoom(plane, c.sw, c.sh, c.tw, c.th);
        std::vector<uint16_t> zoomed(expected.size());
        ASSERT_TRUE(vy_ad_get_data(frame.h(), zoomed.data()));
        EXPECT_EQ(zoomed, expected);

        uint32_t length = 0;
        ASSERT_TRUE(vy_ad_save_data_to_buffer(frame.h(), nullptr, &length));
        std::vector<uint8_t> saved(length);
        ASSERT_TRUE(vy_ad_save_data_to_buffer(frame.h(), saved.data(), &length));
        // Type, length and the plane, raw (0) or high/low compressed (1).
        ASSERT_GE(length, 5u);
        const uint32_t stored = saved[1] | saved[2] << 8 | saved[3] << 16 | static_cast<uint32_t>(saved[4]) << 24;
        ASSERT_EQ(stored + 5, length);
        std::vector<uint16_t> decoded(expected.size());
        if (saved[0] == 0) {
            ASSERT_EQ(stored, decoded.size() * 2);
            std::memcpy(decoded.data(), saved.data() + 5, stored);
        } else {
            ASSERT_EQ(saved[0], 1);
            ASSERT_EQ(VY_OK, vy_high_low_uncompress(stored, saved.data() + 5, decoded.data(),
                                                    static_cast<int>(decoded.size())));
        }
        EXPECT_EQ(decoded, expected);
    }
}

TEST_F(Geometry, super_resolution_view)
{
    uint8_t on = 1;
    ASSERT_TRUE(vy_ad_is_super_resolution(frame.h(), &on));
    EXPECT_EQ(0, on);
    std::vector<uint16_t> big(4 * kWidth * kHeight);
    EXPECT_FALSE(vy_ad_get_data_super_resolution(frame.h(), big.data()));

    set(std::vector<uint16_t>(kWidth * kHeight, 777));
    ASSERT_TRUE(vy_ad_enable_super_resolution(frame.h(), true));
    uint16_t w = 0;
    uint16_t h = 0;
    ASSERT_TRUE(vy_ad_get_resolution(frame.h(), &w, &h));
    EXPECT_EQ(2 * kWidth, w);
    EXPECT_EQ(2 * kHeight, h);
    ASSERT_TRUE(vy_ad_get_data_super_resolution(frame.h(), big.data()));
    EXPECT_EQ(std::vector<uint16_t>(big.size(), 777), big);
    // The AD lookup works in the doubled size.
    uint16_t ad = 0;
    ASSERT_TRUE(vy_ad_get_ad_from_position(frame.h(), 2 * kWidth - 1, 2 * kHeight - 1, &ad));
    EXPECT_EQ(777, ad);
    EXPECT_EQ(std::vector<uint16_t>(kWidth * kHeight, 777), data(kWidth * kHeight));

    ASSERT_TRUE(vy_ad_enable_super_resolution(frame.h(), false));
    ASSERT_TRUE(vy_ad_get_resolution(frame.h(), &w, &h));
    EXPECT_EQ(kWidth, w);
}

TEST_F(Geometry, repair_and_count_comparison)
{
    ASSERT_TRUE(vy_ad_repair_pt(frame.h(), 4, 5, 1234));
    uint16_t ad = 0;
    ASSERT_TRUE(vy_ad_get_ad_from_position(frame.h(), 4, 5, &ad));
    EXPECT_EQ(1234, ad);
    EXPECT_FALSE(vy_ad_repair_pt(frame.h(), kWidth, 5, 1));
    EXPECT_FALSE(vy_ad_repair_pt(frame.h(), 4, kHeight, 1));

    uint8_t result = 9;
    EXPECT_FALSE(vy_ad_compare_count_of_temperature(frame.h(), 2, 0, 10, 0, 10, 100, 0, &result));
    EXPECT_FALSE(vy_ad_compare_count_of_temperature(frame.h(), 0, 0, 10, 0, 10, 100, 0, nullptr));
    // No AD reaches a threshold above 65535: the count is 0.
    ASSERT_TRUE(vy_ad_compare_count_of_temperature(frame.h(), 0, 0, 1, 0, 0, 70000, 0, &result));
    EXPECT_EQ(1, result);
    ASSERT_TRUE(vy_ad_compare_count_of_temperature(frame.h(), 1, 0, 0, 0, 0, 70000, 0, &result));
    EXPECT_EQ(0, result);
}
