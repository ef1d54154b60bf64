#include "rgb_to_i420.h"
#include "sps_timing.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace clipenc::detail;

namespace {

struct Yuv {
    double y, u, v;
};

// BT.601 studio range in floating point.
Yuv reference(double r, double g, double b)
{
    r /= 255;
    g /= 255;
    b /= 255;
    return {16 + 65.481 * r + 128.553 * g + 24.966 * b, 128 - 37.797 * r - 74.203 * g + 112.0 * b,
            128 + 112.0 * r - 93.786 * g - 18.214 * b};
}

TEST(rgb_to_i420, colours_match_the_studio_range_matrix)
{
    struct Case {
        const char* name;
        uint8_t r, g, b;
    };
    const Case cases[] = {
        {"black", 0, 0, 0},      {"white", 255, 255, 255}, {"red", 255, 0, 0},  {"green", 0, 255, 0},
        {"blue", 0, 0, 255},     {"grey", 128, 128, 128},  {"cyan", 0, 255, 255}, {"odd", 17, 200, 99},
    };
    for (const Case& c : cases) {
        // A flat 2 x 2 picture: one chroma sample from four equal pixels.
        std::vector<uint8_t> rgb32;
        for (int i = 0; i < 4; ++i) {
            rgb32.insert(rgb32.end(), {c.b, c.g, c.r, 0});
        }
        I420Layout layout(2, 2);
        std::vector<uint8_t> planes(layout.total_size());
        rgb32_to_i420(rgb32.data(), layout, planes.data());
        Yuv expected = reference(c.r, c.g, c.b);
        EXPECT_NEAR(planes[0], expected.y, 1.0) << c.name;
        EXPECT_NEAR(planes[3], expected.y, 1.0) << c.name;
        EXPECT_NEAR(planes[4], expected.u, 1.0) << c.name;
        EXPECT_NEAR(planes[5], expected.v, 1.0) << c.name;
    }
}

TEST(rgb_to_i420, odd_sizes_average_the_pixels_they_have)
{
    // 3 x 3: the last chroma column covers one pixel column, the last chroma
    // row one pixel row. Column 2 is blue, the rest black.
    I420Layout layout(3, 3);
    ASSERT_EQ(layout.chroma_width, 2);
    ASSERT_EQ(layout.total_size(), 9u + 2 * 4);
    std::vector<uint8_t> rgb32(3 * 3 * 4, 0);
    for (int y = 0; y < 3; ++y) {
        rgb32[(y * 3 + 2) * 4 + 0] = 255;
    }
    std::vector<uint8_t> planes(layout.total_size() + 1, 0xAB);
    rgb32_to_i420(rgb32.data(), layout, planes.data());
    const uint8_t* u = planes.data() + 9;
    const uint8_t* v = u + 4;
    Yuv blue = reference(0, 0, 255);
    Yuv black = reference(0, 0, 0);
    EXPECT_NEAR(u[0], black.u, 1.0);
    EXPECT_NEAR(u[1], blue.u, 1.0);  // right column: blue only
    EXPECT_NEAR(u[3], blue.u, 1.0);  // bottom-right corner: one blue pixel
    EXPECT_NEAR(v[3], blue.v, 1.0);
    EXPECT_EQ(planes.back(), 0xAB);  // nothing written past the planes
}

TEST(sps_timing, refuses_units_that_are_not_a_plain_sps)
{
    std::vector<uint8_t> out{42};
    const uint8_t pps[] = {0x68, 0xCE, 0x3C, 0x80};
    const uint8_t truncated_sps[] = {0x67, 0x42};
    EXPECT_FALSE(add_sps_timing(pps, sizeof(pps), 25, &out));
    EXPECT_FALSE(add_sps_timing(truncated_sps, sizeof(truncated_sps), 25, &out));
    EXPECT_FALSE(add_sps_timing(nullptr, 0, 25, &out));
    EXPECT_EQ(out, std::vector<uint8_t>{42});
    double fps = 0;
    EXPECT_FALSE(sps_frame_rate(truncated_sps, sizeof(truncated_sps), &fps));
}

}  // namespace
