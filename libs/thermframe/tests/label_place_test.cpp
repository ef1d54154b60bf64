#include "label_place.h"

#include "gui_app.h"

#include <gtest/gtest.h>

using namespace thermframe::detail;

namespace {

class label_place : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test_gui_app(); }

    LabelMetrics measure(const char* text, int pixels = 12)
    {
        QFontMetrics m(font_of_pixels(pixels));
        return LabelMetrics{m.horizontalAdvance(QString::fromUtf8(text)), m.height(),
                            m.horizontalAdvance(QStringLiteral("<-"))};
    }

    static std::vector<tagVYPoint> nodes(std::initializer_list<tagVYPoint> list) { return list; }
};

TEST_F(label_place, point_in_open_window_goes_above_left)
{
    const LabelMetrics m = measure("P1 36.6");
    std::vector<QRegion> working;
    LabelPlacement p;
    ASSERT_TRUE(place_label(ANA_POINT, nodes({{200, 200}}), nodes({{100, 100}}), m,
                            LabelWindow{640, 480, 0}, working, p));
    EXPECT_EQ(p.side, 0);
    EXPECT_EQ(p.dx, -15);
    EXPECT_EQ(p.dy, -20 - m.line_height);
    EXPECT_EQ(p.anchor_x, 100);
    EXPECT_EQ(p.anchor_y, 100);
    ASSERT_EQ(working.size(), 1u);
    EXPECT_EQ(working[0].boundingRect(),
              QRect(185, 180 - m.line_height, m.text_width, m.line_height));
}

TEST_F(label_place, point_at_corner_depends_on_font_height)
{
    for (int pixels : {10, 12, 16, 24, 40}) {
        const LabelMetrics m = measure("P1 36.6", pixels);
        std::vector<QRegion> working;
        LabelPlacement p;
        ASSERT_TRUE(place_label(ANA_POINT, nodes({{0, 0}}), nodes({{0, 0}}), m,
                                LabelWindow{640, 480, 0}, working, p));
        if (m.line_height <= 21) {
            // Only the box right of the point, its top at 10 - h/2, stays inside.
            EXPECT_EQ(p.dx, 8) << "height " << m.line_height;
            EXPECT_EQ(p.dy, 10 - m.line_height / 2);
            EXPECT_EQ(working.size(), 1u);
        } else {
            // Nothing fits: candidate 0 is stored and no box is taken.
            EXPECT_EQ(p.dx, -15) << "height " << m.line_height;
            EXPECT_EQ(p.dy, -20 - m.line_height);
            EXPECT_TRUE(working.empty());
        }
    }
}

TEST_F(label_place, second_point_avoids_first_label)
{
    const LabelMetrics m = measure("P1 36.6");
    std::vector<QRegion> working;
    LabelPlacement first;
    LabelPlacement second;
    ASSERT_TRUE(place_label(ANA_POINT, nodes({{200, 200}}), nodes({{200, 200}}), m,
                            LabelWindow{640, 480, 0}, working, first));
    ASSERT_TRUE(place_label(ANA_POINT, nodes({{204, 200}}), nodes({{204, 200}}), m,
                            LabelWindow{640, 480, 0}, working, second));
    ASSERT_EQ(working.size(), 2u);
    EXPECT_FALSE(working[0].intersects(working[1]));
    EXPECT_FALSE(second.dx == -15 && second.dy == -20 - m.line_height);
}

TEST_F(label_place, wide_rectangle_label_goes_above)
{
    const LabelMetrics m = measure("R1 Max:35.2");
    const int top = m.line_height + 5;
    const std::vector<tagVYPoint> rect = nodes({{0, static_cast<uint16_t>(top)}, {639, 479}});
    std::vector<QRegion> working{covered_region(ANA_RECT, rect)};
    LabelPlacement p;
    ASSERT_TRUE(place_label(ANA_RECT, rect, rect, m, LabelWindow{640, 480, 0}, working, p));
    EXPECT_EQ(p.side, 2);
    EXPECT_EQ(p.dx, 0);
    EXPECT_EQ(p.dy, -1 - m.line_height);
    EXPECT_EQ(p.anchor_x, 0);
    EXPECT_EQ(p.anchor_y, top);
}

TEST_F(label_place, rectangle_filling_window_stores_candidate_zero)
{
    const LabelMetrics m = measure("R1");
    const std::vector<tagVYPoint> rect = nodes({{0, 0}, {639, 479}});
    std::vector<QRegion> working{covered_region(ANA_RECT, rect)};
    LabelPlacement p;
    ASSERT_TRUE(place_label(ANA_RECT, rect, rect, m, LabelWindow{640, 480, 0}, working, p));
    EXPECT_EQ(p.side, 0);
    EXPECT_EQ(p.dx, 1);
    EXPECT_EQ(p.dy, -(m.line_height / 2));
    EXPECT_EQ(p.anchor_x, 639);
    EXPECT_EQ(p.anchor_y, 240);
    EXPECT_EQ(working.size(), 1u);
}

TEST_F(label_place, rotated_rectangle_anchor_maps_code)
{
    const LabelMetrics m = measure("R1");
    const std::vector<tagVYPoint> window_rect = nodes({{200, 200}, {300, 260}});
    const std::vector<tagVYPoint> image_rect = nodes({{10, 20}, {110, 80}});
    std::vector<QRegion> working;
    LabelPlacement p;
    ASSERT_TRUE(place_label(ANA_RECT, window_rect, image_rect, m, LabelWindow{640, 480, 3},
                            working, p));
    // Code 0 (right middle) won; at a half turn that is code 1 of the image rectangle.
    EXPECT_EQ(p.side, 0);
    EXPECT_EQ(p.anchor_x, 10);
    EXPECT_EQ(p.anchor_y, 20 + 61 / 2);
    EXPECT_EQ(working.back().boundingRect().left(), 301);
    EXPECT_EQ(working.back().boundingRect().width(), m.text_width + m.arrow_width);
}

TEST_F(label_place, line_and_polygon_candidates)
{
    const LabelMetrics m = measure("L1 Max:20.0");
    std::vector<QRegion> working;
    LabelPlacement p;
    ASSERT_TRUE(place_label(ANA_LINE, nodes({{100, 100}, {300, 200}}),
                            nodes({{50, 50}, {150, 100}}), m, LabelWindow{640, 480, 0}, working, p));
    EXPECT_EQ(p.side, 0);
    EXPECT_EQ(p.dx, 2);
    EXPECT_EQ(p.dy, -2 - m.line_height);
    EXPECT_EQ(p.anchor_x, 50);

    const std::vector<tagVYPoint> triangle = nodes({{100, 100}, {200, 100}, {150, 200}});
    working.clear();
    ASSERT_TRUE(place_label(ANA_POLYGON, triangle, triangle, m, LabelWindow{640, 480, 0}, working, p));
    EXPECT_EQ(p.side, 0);
    EXPECT_EQ(p.dx, -2);
    EXPECT_EQ(p.anchor_x, 100);

    // Two nodes are not enough for a polygon label; nothing is changed.
    LabelPlacement untouched;
    untouched.dx = 77;
    EXPECT_FALSE(place_label(ANA_POLYGON, nodes({{1, 1}, {5, 5}}), nodes({{1, 1}, {5, 5}}), m,
                             LabelWindow{640, 480, 0}, working, untouched));
    EXPECT_EQ(untouched.dx, 77);
    EXPECT_FALSE(place_label(ANA_POINT, nodes({}), nodes({}), m, LabelWindow{640, 480, 0},
                             working, untouched));
    EXPECT_FALSE(place_label(60, triangle, triangle, m, LabelWindow{640, 480, 0}, working, untouched));
}

TEST_F(label_place, covered_regions)
{
    EXPECT_EQ(covered_region(ANA_RECT, nodes({{30, 40}, {10, 20}})).boundingRect(),
              QRect(QPoint(10, 20), QPoint(30, 40)));
    EXPECT_TRUE(covered_region(ANA_POINT, nodes({{3, 3}})).isEmpty());
    EXPECT_TRUE(covered_region(ANA_LINE, nodes({{3, 3}, {9, 9}})).isEmpty());
    const QRegion triangle = covered_region(ANA_POLYGON, nodes({{0, 0}, {100, 0}, {0, 100}}));
    EXPECT_TRUE(triangle.contains(QPoint(10, 10)));
    EXPECT_FALSE(triangle.contains(QPoint(90, 90)));
}

}  // namespace
