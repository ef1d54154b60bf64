#include "shape_raster.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <utility>

using namespace markpen::detail;

namespace {

using PixelSet = std::set<std::pair<int, int>>;

// A picture of exactly width x height pixels, so that the sanitizers see any
// write past it.
struct Canvas {
    std::vector<uint32_t> pixels;
    RasterTarget target;
    Canvas(int width, int height, uint32_t colour = 0x00ffffff)
        : pixels(static_cast<size_t>(width) * height, 0)
    {
        target.pixels = pixels.data();
        target.width = static_cast<uint16_t>(width);
        target.height = static_cast<uint16_t>(height);
        target.colour = colour;
    }
    PixelSet painted() const
    {
        PixelSet set;
        for (int y = 0; y < target.height; ++y) {
            for (int x = 0; x < target.width; ++x) {
                if (pixels[static_cast<size_t>(y) * target.width + x] != 0) set.insert({x, y});
            }
        }
        return set;
    }
    bool at(int x, int y) const { return pixels[static_cast<size_t>(y) * target.width + x] != 0; }
};


TEST(raster, parse_nodes_cases)
{
    struct Case {
        const char* text;
        bool ok;
        std::vector<std::pair<int, int>> nodes;
    } cases[] = {
        {"P:10,20;-", true, {{10, 20}}},
        {"L:1,2;3,4;-", true, {{1, 2}, {3, 4}}},
        {"R:", false, {}},
        {"no colon", false, {}},
        {"L:5;6,7;-", false, {}},
        // Coordinates outside 0..65535 are refused, not wrapped onto the picture.
        {"P:70000,1;-", false, {}},
        {"P:1,-1;-", false, {}},
        {"P:65535,0;-", true, {{65535, 0}}},
        {"L:1,2;-", false, {}},
        // After a node, fewer than four characters cannot hold another node
        // and end the list, whatever they are; four or more are parsed.
        {"L:1,1;2,2;3,", true, {{1, 1}, {2, 2}}},
        {"L:1,1;2,2;3,4", true, {{1, 1}, {2, 2}}},
        {"P:5,6;-A", true, {{5, 6}}},
        {"P:5,6;x", true, {{5, 6}}},
        {"L:1,1;2,2;33,4", false, {}},
        {"P:5,6;-A;b", false, {}},
    };
    for (const Case& c : cases) {
        NodeList nodes{{9, 9}};
        EXPECT_EQ(parse_ana_nodes(c.text, nodes), c.ok) << c.text;
        ASSERT_EQ(nodes.size(), c.nodes.size()) << c.text;
        for (size_t i = 0; i < nodes.size(); ++i) {
            EXPECT_EQ(nodes[i].x, c.nodes[i].first) << c.text;
            EXPECT_EQ(nodes[i].y, c.nodes[i].second) << c.text;
        }
    }
}

TEST(raster, line_pixels_exact_lists)
{
    struct Case {
        tagVYPoint a, b;
        std::vector<std::pair<int, int>> pixels;
    } cases[] = {
        {{0, 0}, {4, 2}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
        {{4, 2}, {0, 0}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
        {{5, 3}, {5, 0}, {{5, 0}, {5, 1}, {5, 2}, {5, 3}}},
        {{2, 7}, {6, 7}, {{2, 7}, {3, 7}, {4, 7}, {5, 7}, {6, 7}}},
        // y-major, downwards and upwards: (x1, y1) itself is not produced.
        {{0, 0}, {2, 4}, {{0, 0}, {1, 1}, {1, 2}, {2, 3}}},
        {{0, 4}, {2, 0}, {{0, 4}, {1, 3}, {1, 2}, {2, 1}}},
    };
    for (const Case& c : cases) {
        NodeList out;
        line_pixels(c.a, c.b, out);
        ASSERT_EQ(out.size(), c.pixels.size());
        for (size_t i = 0; i < out.size(); ++i) {
            EXPECT_EQ(out[i].x, c.pixels[i].first) << "pixel " << i;
            EXPECT_EQ(out[i].y, c.pixels[i].second) << "pixel " << i;
        }
    }
}

TEST(raster, point_cross_cut_at_edges)
{
    Canvas canvas(40, 40);
    ASSERT_TRUE(draw_ana("P:3,3;-", canvas.target));
    PixelSet expected;
    for (int i = 8; i <= 18; ++i) {
        expected.insert({i, 3});
        expected.insert({3, i});
    }
    EXPECT_EQ(canvas.painted(), expected);

    Canvas full(60, 60);
    ASSERT_TRUE(draw_ana("P:30,30;-", full.target));
    EXPECT_EQ(full.painted().size(), 44u);
    EXPECT_FALSE(full.at(30, 30));
    EXPECT_TRUE(full.at(14, 30));
    EXPECT_TRUE(full.at(24, 30));
    EXPECT_FALSE(full.at(25, 30));
    EXPECT_TRUE(full.at(35, 30));
    EXPECT_TRUE(full.at(45, 30));
}

TEST(raster, point_node_markers_near_edges)
{
    Canvas near(100, 100);
    near.target.show_nodes = 1;
    ASSERT_TRUE(draw_ana("P:16,40;-", near.target));
    EXPECT_FALSE(near.at(0, 38));  // no left marker at x = 16

    Canvas moved(100, 100);
    moved.target.show_nodes = 1;
    ASSERT_TRUE(draw_ana("P:17,40;-", moved.target));
    // The marker for (1, 40) is drawn around (2, 40).
    EXPECT_TRUE(moved.at(0, 38));
    EXPECT_TRUE(moved.at(4, 42));
    EXPECT_FALSE(moved.at(2, 39));

    Canvas corner(40, 40);
    corner.target.show_nodes = 1;
    ASSERT_TRUE(draw_ana("P:3,3;-", corner.target));
    // Right marker around (19, 3), bottom one around (3, 19); none left or top.
    EXPECT_TRUE(corner.at(17, 1));
    EXPECT_TRUE(corner.at(1, 17));
    EXPECT_FALSE(corner.at(0, 0));
}

TEST(raster, rect_outline_and_reversed_corners)
{
    Canvas ordered(20, 20), reversed(20, 20);
    ASSERT_TRUE(draw_ana("R:2,3;6,5;-", ordered.target));
    ASSERT_TRUE(draw_ana("R:6,5;2,3;-", reversed.target));
    EXPECT_EQ(ordered.painted(), reversed.painted());
    PixelSet expected;
    for (int x = 2; x <= 6; ++x) {
        expected.insert({x, 3});
        expected.insert({x, 5});
    }
    expected.insert({2, 4});
    expected.insert({6, 4});
    EXPECT_EQ(ordered.painted(), expected);

    Canvas clamped(10, 10);
    ASSERT_TRUE(draw_ana("R:5,5;30,40;-", clamped.target));
    EXPECT_TRUE(clamped.at(9, 9));
    EXPECT_TRUE(clamped.at(5, 9));
}

TEST(raster, ellipse_shapes)
{
    Canvas flat(30, 30);
    ASSERT_TRUE(draw_ana("E:10,10;10,20;-", flat.target));
    const PixelSet pixels = flat.painted();
    ASSERT_FALSE(pixels.empty());
    for (const auto& p : pixels) EXPECT_EQ(p.first, 10);
    EXPECT_TRUE(flat.at(10, 10));
    EXPECT_TRUE(flat.at(10, 20));

    // 600 x 600 needs more than 32 bits for the inside test.
    std::vector<EllipseSpan> spans;
    ellipse_spans({0, 0}, {600, 600}, spans);
    PixelSet set;
    for (const EllipseSpan& s : spans) {
        set.insert({s.x_left, s.row});
        set.insert({s.x_right, s.row});
    }
    EXPECT_TRUE(set.count({0, 300}));
    EXPECT_TRUE(set.count({600, 300}));
    EXPECT_TRUE(set.count({300, 0}));
    EXPECT_TRUE(set.count({300, 600}));
    for (const auto& p : set) {
        const double dx = (p.first - 300) / 300.0, dy = (p.second - 300) / 300.0;
        EXPECT_NEAR(dx * dx + dy * dy, 1.0, 0.02) << p.first << "," << p.second;
    }
}

TEST(raster, polygon_of_two_nodes_is_a_line)
{
    Canvas polygon(20, 20), line(20, 20);
    ASSERT_TRUE(draw_ana("A:1,1;15,9;-", polygon.target));
    ASSERT_TRUE(draw_ana("L:1,1;15,9;-", line.target));
    EXPECT_EQ(polygon.painted(), line.painted());
    EXPECT_FALSE(draw_ana("L:1,1;-", line.target));
    EXPECT_FALSE(draw_ana("A:1,1;-", line.target));
}

TEST(raster, every_primitive_stays_inside_tiny_targets)
{
    const char* shapes[] = {"P:1,1;-",          "P:0,3;-",        "L:0,0;3,3;-",   "L:3,0;0,3;-",
                            "E:0,0;3,3;-",      "E:0,0;90,90;-",  "R:0,0;3,3;-",   "R:1,1;2,2;-",
                            "A:0,0;3,0;3,3;-",  "S:0,3;3,0;1,1;-", "L:100,100;200,0;-"};
    for (int side : {1, 2, 3, 4, 5}) {
        for (const char* shape : shapes) {
            Canvas canvas(side, side);
            canvas.target.show_nodes = 1;
            canvas.target.line_width = 3;
            EXPECT_TRUE(draw_ana(shape, canvas.target)) << shape << " on " << side;
        }
        for (int y : {0, side - 1}) {
            Canvas canvas(side, side);
            draw_triangle_below(side - 1, y, canvas.target);
            draw_triangle_above(0, y, canvas.target);
            EXPECT_FALSE(canvas.painted().empty());
        }
    }
}

TEST(raster, triangles_on_short_pictures)
{
    for (int height : {10, 20, 24}) {
        Canvas below(40, height), above(40, height);
        draw_triangle_below(20, height - 3, below.target);
        draw_triangle_above(20, 2, above.target);
        EXPECT_TRUE(below.at(20, height - 3));
        EXPECT_TRUE(above.at(20, 2));
        EXPECT_GT(below.painted().size(), 10u);
        EXPECT_GT(above.painted().size(), 10u);
    }
    Canvas tall(40, 40);
    draw_triangle_below(20, 5, tall.target);
    // Apex at the point, base 12 rows below from x - 6 to x + 6.
    EXPECT_TRUE(tall.at(20, 5));
    EXPECT_TRUE(tall.at(14, 17));
    EXPECT_TRUE(tall.at(26, 17));
    EXPECT_FALSE(tall.at(20, 18));
}

TEST(raster, node_markers_on_small_targets)
{
    for (int side : {1, 3, 4, 5, 6}) {
        Canvas canvas(side, side);
        draw_node_marker({0, 0}, canvas.target);
        draw_node_marker({static_cast<uint16_t>(side - 1), static_cast<uint16_t>(side - 1)},
                         canvas.target);
        EXPECT_FALSE(canvas.painted().empty()) << side;
    }
}

TEST(raster, draw_anas_lists_colours_and_failures)
{
    Canvas canvas(300, 300, 0x00112233);
    // A polygon of 30 nodes is far longer than 128 characters.
    std::string polygon = "A:";
    for (int i = 0; i < 30; ++i) {
        polygon += std::to_string(10 + i * 9) + "," + std::to_string(i % 2 ? 200 : 100) + ";";
    }
    polygon += "-";
    ASSERT_TRUE(draw_anas(polygon + "L:0,290;5,290;-", canvas.target));
    EXPECT_EQ(canvas.target.colour, 0x00332211u);
    EXPECT_EQ(canvas.pixels[199 * 300 + 271], 0xff332211u);  // beside the last node, opaque
    EXPECT_TRUE(canvas.at(5, 290));

    Canvas stopped(50, 50);
    EXPECT_FALSE(draw_anas("L:0,0;3,3;-P:1,1", stopped.target));
    EXPECT_FALSE(draw_ana("X:1,1;-", stopped.target));
    EXPECT_FALSE(draw_ana("", stopped.target));
    EXPECT_TRUE(draw_anas("", stopped.target));

    struct Bad {
        const char* what;
        void (*spoil)(RasterTarget&);
    } bad[] = {
        {"null pixels", [](RasterTarget& t) { t.pixels = nullptr; }},
        {"line width 0", [](RasterTarget& t) { t.line_width = 0; }},
        {"width 0", [](RasterTarget& t) { t.width = 0; }},
        {"height 0", [](RasterTarget& t) { t.height = 0; }},
        {"no bits", [](RasterTarget& t) { t.bits_per_pixel = 0; }},
    };
    for (const Bad& b : bad) {
        Canvas c(10, 10);
        b.spoil(c.target);
        EXPECT_FALSE(draw_anas("L:0,0;3,3;-", c.target)) << b.what;
        EXPECT_FALSE(draw_ana("L:0,0;3,3;-", c.target)) << b.what;
    }
}

std::string ellipse_text(int i)
{
    return "E:" + std::to_string(i) + ",0;" + std::to_string(i + 10) + ",10;-";
}

TEST(cache, evicts_least_drawn_first_in_key_order)
{
    shape_cache_clear();
    Canvas canvas(200, 50);
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(draw_ana(ellipse_text(i), canvas.target));
        ASSERT_TRUE(draw_ana(ellipse_text(i), canvas.target));
    }
    // Entry 7 was drawn once less than the others after this.
    for (int i = 0; i < 50; ++i) {
        if (i != 7 && i != 30) draw_ana(ellipse_text(i), canvas.target);
    }
    EXPECT_EQ(shape_cache_stats().computed, 50u);
    ASSERT_TRUE(draw_ana(ellipse_text(100), canvas.target));
    const ShapeCacheStats stats = shape_cache_stats();
    EXPECT_EQ(stats.computed, 51u);
    EXPECT_EQ(stats.entries[static_cast<int>(CachedKind::ellipse)], kCacheCapacity);
    // 30 and 7 tie; "E:30,..." comes before "E:7,..." in string order.
    EXPECT_FALSE(shape_cache_contains(CachedKind::ellipse, ellipse_text(30), 200, 50));
    EXPECT_TRUE(shape_cache_contains(CachedKind::ellipse, ellipse_text(7), 200, 50));
    EXPECT_TRUE(shape_cache_contains(CachedKind::ellipse, ellipse_text(100), 200, 50));

    // Drawing a cached string again neither recomputes nor evicts.
    ASSERT_TRUE(draw_ana(ellipse_text(100), canvas.target));
    EXPECT_EQ(shape_cache_stats().computed, 51u);
    EXPECT_TRUE(shape_cache_contains(CachedKind::ellipse, ellipse_text(7), 200, 50));
}

TEST(cache, keyed_by_target_size)
{
    shape_cache_clear();
    Canvas big(100, 100), small(10, 10);
    ASSERT_TRUE(draw_ana("L:0,0;90,90;-", big.target));
    ASSERT_TRUE(draw_ana("L:0,0;90,90;-", small.target));
    EXPECT_EQ(shape_cache_stats().computed, 2u);
    EXPECT_TRUE(big.at(90, 89));
    EXPECT_TRUE(small.at(9, 8));
    // A failed parse leaves the cache as it was.
    EXPECT_FALSE(draw_ana("L:0,0;-", big.target));
    EXPECT_EQ(shape_cache_stats().computed, 2u);
}

TEST(cache, shared_by_threads)
{
    shape_cache_clear();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            Canvas canvas(120, 120);
            for (int round = 0; round < 200; ++round) {
                const int i = (round * 7 + t) % 80;
                draw_ana("L:" + std::to_string(i) + ",0;100," + std::to_string(i) + ";-",
                         canvas.target);
                draw_ana(ellipse_text(i), canvas.target);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    const ShapeCacheStats stats = shape_cache_stats();
    EXPECT_LE(stats.entries[static_cast<int>(CachedKind::line)], kCacheCapacity);
    EXPECT_LE(stats.entries[static_cast<int>(CachedKind::ellipse)], kCacheCapacity);
}

}  // namespace
