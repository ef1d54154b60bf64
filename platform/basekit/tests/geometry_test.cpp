#include "basekit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

std::vector<tagVYPoint> line(tagVYPoint a, tagVYPoint b)
{
    int count = 0;
    EXPECT_EQ(VY_OK, vy_calc_pts_in_line(a, b, nullptr, &count));
    std::vector<tagVYPoint> points(count);
    EXPECT_EQ(VY_OK, vy_calc_pts_in_line(a, b, points.data(), &count));
    return points;
}

}  // namespace

TEST(Geometry, segment_pixels)
{
    struct Case {
        tagVYPoint a, b;
        int count;
    };
    for (const Case& c : std::vector<Case>{{{2, 5}, {9, 5}, 8},
                                           {{4, 9}, {4, 1}, 9},
                                           {{0, 0}, {6, 6}, 7},
                                           {{10, 3}, {0, 7}, 11},
                                           {{7, 7}, {7, 7}, 1}}) {
        std::vector<tagVYPoint> points = line(c.a, c.b);
        ASSERT_EQ(static_cast<std::size_t>(c.count), points.size());
        EXPECT_EQ(c.a.x, points.front().x);
        EXPECT_EQ(c.a.y, points.front().y);
        EXPECT_EQ(c.b.x, points.back().x);
        EXPECT_EQ(c.b.y, points.back().y);
        for (std::size_t i = 1; i < points.size(); ++i) {
            // 8-connected, one step along the major axis each pixel.
            EXPECT_LE(std::abs(points[i].x - points[i - 1].x), 1);
            EXPECT_LE(std::abs(points[i].y - points[i - 1].y), 1);
        }
    }
    std::vector<tagVYPoint> diagonal = line({0, 0}, {6, 6});
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(i, diagonal[i].x);
        EXPECT_EQ(i, diagonal[i].y);
    }
    int count = 3;
    tagVYPoint small[3];
    EXPECT_EQ(VY_ERR_CAPACITY, vy_calc_pts_in_line({0, 0}, {9, 0}, small, &count));
    EXPECT_EQ(10, count);
}

TEST(Geometry, ellipse_runs_cover_the_box_symmetrically)
{
    struct Case {
        tagVYPoint a, b;
    };
    for (const Case& c : std::vector<Case>{{{10, 20}, {30, 30}}, {{5, 5}, {5, 5}}, {{0, 0}, {1, 8}},
                                           {{40, 2}, {3, 60}}}) {
        int count = 0;
        ASSERT_EQ(VY_OK, vy_calc_lines_in_ellipse(c.a, c.b, nullptr, &count));
        std::vector<tagVYRun> runs(count);
        ASSERT_EQ(VY_OK, vy_calc_lines_in_ellipse(c.a, c.b, runs.data(), &count));
        int x0 = std::min(c.a.x, c.b.x), x1 = std::max(c.a.x, c.b.x);
        int y0 = std::min(c.a.y, c.b.y), y1 = std::max(c.a.y, c.b.y);
        ASSERT_EQ(y1 - y0 + 1, count);
        int widest_first = x1, widest_last = x0;
        for (int i = 0; i < count; ++i) {
            const tagVYRun& run = runs[i];
            EXPECT_EQ(y0 + i, run.y);
            EXPECT_LE(x0, run.first_x);
            EXPECT_LE(run.first_x, run.last_x);
            EXPECT_LE(run.last_x, x1);
            // Mirror symmetry about the centre.
            const tagVYRun& mirror = runs[count - 1 - i];
            EXPECT_EQ(run.first_x - x0, x1 - mirror.last_x);
            widest_first = std::min<int>(widest_first, run.first_x);
            widest_last = std::max<int>(widest_last, run.last_x);
        }
        EXPECT_EQ(x0, widest_first);
        EXPECT_EQ(x1, widest_last);
    }
}

TEST(Geometry, hit_tests_at_their_tolerance)
{
    EXPECT_EQ(0, vy_pt_hit_pt(10, 10, 10, 10, 0));
    EXPECT_EQ(0, vy_pt_hit_pt(13, 14, 10, 10, 5));
    EXPECT_NE(0, vy_pt_hit_pt(14, 14, 10, 10, 5));
    EXPECT_NE(0, vy_pt_hit_pt(10, 10, 10, 10, -1));

    EXPECT_EQ(0, vy_pt_hit_line(5, 3, 0, 0, 10, 0, 3));
    EXPECT_NE(0, vy_pt_hit_line(5, 4, 0, 0, 10, 0, 3));
    // Beyond an end the distance is to the end point, not to the infinite line.
    EXPECT_NE(0, vy_pt_hit_line(14, 0, 0, 0, 10, 0, 3));
    EXPECT_EQ(0, vy_pt_hit_line(13, 0, 0, 0, 10, 0, 3));
    // A segment of two equal nodes behaves as a point.
    EXPECT_EQ(0, vy_pt_hit_line(7, 9, 7, 7, 7, 7, 2));
    EXPECT_NE(0, vy_pt_hit_line(7, 10, 7, 7, 7, 7, 2));
}
