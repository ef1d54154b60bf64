#include "label_place.h"

#include "gui_app.h"
#include "label_scenes.h"

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

    LabelWork work_;
};

TEST_F(label_place, point_in_open_window_goes_above_left)
{
    const LabelMetrics m = measure("P1 36.6");
    std::vector<QRegion> working;
    LabelPlacement p;
    ASSERT_TRUE(place_label(ANA_POINT, nodes({{200, 200}}), nodes({{100, 100}}), m,
                            LabelWindow{640, 480, 0}, working, p, work_));
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
                                LabelWindow{640, 480, 0}, working, p, work_));
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
                            LabelWindow{640, 480, 0}, working, first, work_));
    ASSERT_TRUE(place_label(ANA_POINT, nodes({{204, 200}}), nodes({{204, 200}}), m,
                            LabelWindow{640, 480, 0}, working, second, work_));
    ASSERT_EQ(working.size(), 2u);
    EXPECT_FALSE(working[0].intersects(working[1]));
    EXPECT_FALSE(second.dx == -15 && second.dy == -20 - m.line_height);
}

TEST_F(label_place, wide_rectangle_label_goes_above)
{
    const LabelMetrics m = measure("R1 Max:35.2");
    const int top = m.line_height + 5;
    const std::vector<tagVYPoint> rect = nodes({{0, static_cast<uint16_t>(top)}, {639, 479}});
    std::vector<QRegion> working{covered_region(ANA_RECT, rect, work_)};
    LabelPlacement p;
    ASSERT_TRUE(place_label(ANA_RECT, rect, rect, m, LabelWindow{640, 480, 0}, working, p, work_));
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
    std::vector<QRegion> working{covered_region(ANA_RECT, rect, work_)};
    LabelPlacement p;
    ASSERT_TRUE(place_label(ANA_RECT, rect, rect, m, LabelWindow{640, 480, 0}, working, p, work_));
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
                            working, p, work_));
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
                            nodes({{50, 50}, {150, 100}}), m, LabelWindow{640, 480, 0}, working, p, work_));
    EXPECT_EQ(p.side, 0);
    EXPECT_EQ(p.dx, 2);
    EXPECT_EQ(p.dy, -2 - m.line_height);
    EXPECT_EQ(p.anchor_x, 50);

    const std::vector<tagVYPoint> triangle = nodes({{100, 100}, {200, 100}, {150, 200}});
    working.clear();
    ASSERT_TRUE(place_label(ANA_POLYGON, triangle, triangle, m, LabelWindow{640, 480, 0}, working, p, work_));
    EXPECT_EQ(p.side, 0);
    EXPECT_EQ(p.dx, -2);
    EXPECT_EQ(p.anchor_x, 100);

    // Two nodes are not enough for a polygon label; nothing is changed.
    LabelPlacement untouched;
    untouched.dx = 77;
    EXPECT_FALSE(place_label(ANA_POLYGON, nodes({{1, 1}, {5, 5}}), nodes({{1, 1}, {5, 5}}), m,
                             LabelWindow{640, 480, 0}, working, untouched, work_));
    EXPECT_EQ(untouched.dx, 77);
    EXPECT_FALSE(place_label(ANA_POINT, nodes({}), nodes({}), m, LabelWindow{640, 480, 0},
                             working, untouched, work_));
    EXPECT_FALSE(place_label(60, triangle, triangle, m, LabelWindow{640, 480, 0}, working, untouched, work_));
}

TEST_F(label_place, covered_regions)
{
    EXPECT_EQ(covered_region(ANA_RECT, nodes({{30, 40}, {10, 20}}), work_).boundingRect(),
              QRect(QPoint(10, 20), QPoint(30, 40)));
    EXPECT_TRUE(covered_region(ANA_POINT, nodes({{3, 3}}), work_).isEmpty());
    EXPECT_TRUE(covered_region(ANA_LINE, nodes({{3, 3}, {9, 9}}), work_).isEmpty());
    const QRegion triangle = covered_region(ANA_POLYGON, nodes({{0, 0}, {100, 0}, {0, 100}}), work_);
    EXPECT_TRUE(triangle.contains(QPoint(10, 10)));
    EXPECT_FALSE(triangle.contains(QPoint(90, 90)));
}

// Lays a scene out as a picture does (the regions of area objects, then the
// labels kind by kind) with fixed label metrics; a digest of every placement.
uint64_t lay_out(const std::vector<labeltest::SceneObject>& objects, LabelWork& work, size_t& boxes)
{
    const int32_t region_kinds[] = {ANA_RECT, ANA_ELLIPSE, ANA_POLYGON, ANA_POLYLINE};
    const int32_t layout_kinds[] = {ANA_RECT, ANA_LINE, ANA_ELLIPSE, ANA_POLYGON, ANA_POINT, ANA_POLYLINE};
    std::vector<QRegion> working;
    for (int32_t kind : region_kinds) {
        for (const labeltest::SceneObject& object : objects) {
            const QRegion region = object.type == kind ? covered_region(kind, object.nodes, work) : QRegion();
            if (!region.isEmpty()) {
                working.push_back(region);
            }
        }
    }
    const size_t regions = working.size();
    uint64_t digest = 1469598103934665603ull;
    const auto mix = [&digest](int64_t value) {
        digest = (digest ^ static_cast<uint64_t>(value)) * 1099511628211ull;
    };
    const LabelMetrics metrics{60, 14, 12};
    const LabelWindow window{labeltest::kWindowWidth, labeltest::kWindowHeight, 0};
    for (int32_t kind : layout_kinds) {
        for (const labeltest::SceneObject& object : objects) {
            LabelPlacement p;
            if (object.type == kind &&
                place_label(kind, object.nodes, object.nodes, metrics, window, working, p, work)) {
                for (int64_t value : {p.side, p.dx, p.dy, p.anchor_x, p.anchor_y}) {
                    mix(value);
                }
            }
        }
    }
    boxes = working.size() - regions;
    return digest;
}

// The digests were taken from the exhaustive placement that every label had
// before the work was bounded.
TEST(label_scenes, ordinary_pictures_place_as_before)
{
    struct Case {
        const char* name;
        std::vector<labeltest::SceneObject> objects;
        uint64_t digest;
    };
    const Case cases[] = {
        {"mixed objects", labeltest::ordinary_scene(), 0x3356f59d0dd1dd44ull},
        {"240 convex polygons of 60 points", labeltest::convex_scene(240, 60), 0x5dfacd14daa4c931ull},
    };
    for (const Case& c : cases) {
        LabelWork work;
        size_t boxes = 0;
        EXPECT_EQ(lay_out(c.objects, work, boxes), c.digest) << c.name;
        EXPECT_EQ(boxes, c.objects.size()) << c.name;
        EXPECT_FALSE(work.spent()) << c.name << ": " << work.steps;
    }
}

// Many large self-intersecting polygons: every label still gets a place,
// and the work stays within the limit plus what the simple placement of the
// objects past it takes.
TEST(label_scenes, crafted_polygons_are_bounded)
{
    struct Case {
        int count;
        int points;
    };
    for (const Case c : {Case{10, 150}, Case{120, 150}, Case{1000, 150}, Case{400, 40}}) {
        LabelWork work;
        size_t boxes = 0;
        lay_out(labeltest::crafted_scene(c.count, c.points), work, boxes);
        EXPECT_EQ(boxes, static_cast<size_t>(c.count)) << c.count << " of " << c.points;
        const int64_t per_object = 2 * c.points + 2;
        const int64_t bound = work.limit + c.count * per_object + kMaxRegionRects + c.points * c.points;
        EXPECT_LE(work.steps, bound) << c.count << " of " << c.points;
    }
    // A smaller limit is kept just the same.
    LabelWork small;
    small.limit = 1000;
    size_t boxes = 0;
    lay_out(labeltest::ordinary_scene(), small, boxes);
    EXPECT_EQ(boxes, 240u);
    EXPECT_LE(small.steps, small.limit + 240 * (2 * 60 + 2) + kMaxRegionRects + 60 * 60);
}

TEST(label_scenes, polygons_crossing_themselves_often_cover_their_bounds)
{
    LabelWork work;
    const std::vector<labeltest::SceneObject> star = labeltest::crafted_scene(1, 150);
    const QRegion region = covered_region(ANA_POLYGON, star[0].nodes, work);
    EXPECT_EQ(region.rectCount(), 1);
    // A figure of eight crosses itself once: its region is exact.
    const std::vector<tagVYPoint> eight = {{0, 0}, {100, 100}, {100, 0}, {0, 100}};
    const QRegion bow = covered_region(ANA_POLYGON, eight, work);
    EXPECT_TRUE(bow.contains(QPoint(10, 50)));
    EXPECT_FALSE(bow.contains(QPoint(50, 10)));
}

}  // namespace
