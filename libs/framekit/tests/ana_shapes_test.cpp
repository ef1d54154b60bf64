// Pixel sets, statistics and hit codes of the six shapes.
#include "frame_fixture.h"

#include <algorithm>
#include <set>

using fk_test::Frame;

namespace {

constexpr int kWidth = 24;
constexpr int kHeight = 16;

std::vector<tagVYPoint> box_pixels(int x0, int y0, int x1, int y1)
{
    std::vector<tagVYPoint> out;
    for (int y = std::max(0, y0); y <= std::min(y1, kHeight - 1); ++y) {
        for (int x = std::max(0, x0); x <= std::min(x1, kWidth - 1); ++x) {
            out.push_back(tagVYPoint{static_cast<uint16_t>(x), static_cast<uint16_t>(y)});
        }
    }
    return out;
}

std::vector<tagVYPoint> inside(const std::vector<tagVYPoint>& points)
{
    std::vector<tagVYPoint> out;
    for (const tagVYPoint& p : points) {
        if (p.x < kWidth && p.y < kHeight) {
            out.push_back(p);
        }
    }
    return out;
}

std::vector<tagVYPoint> segment(tagVYPoint a, tagVYPoint b)
{
    int count = 0;
    vy_calc_pts_in_line(a, b, nullptr, &count);
    std::vector<tagVYPoint> out(count);
    vy_calc_pts_in_line(a, b, out.data(), &count);
    return out;
}

std::vector<tagVYPoint> ellipse_pixels(tagVYPoint a, tagVYPoint b)
{
    int count = 0;
    vy_calc_lines_in_ellipse(a, b, nullptr, &count);
    std::vector<tagVYRun> runs(count);
    vy_calc_lines_in_ellipse(a, b, runs.data(), &count);
    std::vector<tagVYPoint> out;
    for (const tagVYRun& r : runs) {
        for (int x = r.first_x; x <= r.last_x; ++x) {
            out.push_back(tagVYPoint{static_cast<uint16_t>(x), r.y});
        }
    }
    return inside(out);
}

bool same(const std::vector<tagVYPoint>& a, const std::vector<tagVYPoint>& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].x != b[i].x || a[i].y != b[i].y) {
            return false;
        }
    }
    return true;
}

class Shapes : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.ok());
        ASSERT_TRUE(vy_ad_set_resolution(frame.h(), kWidth, kHeight));
        plane = fk_test::gradient_plane(kWidth, kHeight);
        // Two equal maxima: the first visited stays the hottest.
        plane[6 * kWidth + 8] = 40000;
        plane[6 * kWidth + 12] = 40000;
        plane[9 * kWidth + 10] = 12;
        plane[kHeight * kWidth - 1] = 50000;
        std::vector<uint8_t> bytes = fk_test::bytes_of(plane);
        vy_ad_set_data_checked(frame.h(), bytes.data(), static_cast<uint32_t>(bytes.size()));
    }

    std::vector<tagVYPoint> positions(const std::string& ana)
    {
        uint32_t count = 0;
        EXPECT_TRUE(vy_ana_get_pixel_count(frame.h(), ana.c_str(), &count));
        std::vector<tagVYPoint> out(count);
        if (count > 0) {
            EXPECT_TRUE(vy_ana_get_track_pos(frame.h(), ana.c_str(), out.data()));
        }
        return out;
    }

    void expect_statistics(const std::string& ana, const std::vector<tagVYPoint>& pixels)
    {
        fk_test::Extremes e = fk_test::direct(plane, kWidth, pixels);
        uint16_t record[3];
        ASSERT_TRUE(vy_ana_get_max_ad(frame.h(), ana.c_str(), record));
        fk_test::expect_pad(e.hottest, record, ana + " hottest");
        ASSERT_TRUE(vy_ana_get_min_ad(frame.h(), ana.c_str(), record));
        fk_test::expect_pad(e.coldest, record, ana + " coldest");
        uint16_t avg = 0;
        ASSERT_TRUE(vy_ana_get_avg_ad(frame.h(), ana.c_str(), &avg));
        EXPECT_EQ(e.avg, avg) << ana;
        std::vector<uint16_t> ads(pixels.size());
        ASSERT_TRUE(vy_ana_get_ad(frame.h(), ana.c_str(), ads.data()));
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            EXPECT_EQ(plane[pixels[i].y * kWidth + pixels[i].x], ads[i]) << ana << " pixel " << i;
        }
    }

    Frame frame;
    std::vector<uint16_t> plane;
};

}  // namespace

TEST_F(Shapes, pixel_sets_and_statistics_match_direct_computation)
{
    std::vector<tagVYPoint> polyline;
    for (const auto& part : {segment({2, 2}, {12, 6}), segment({12, 6}, {20, 1})}) {
        polyline.insert(polyline.end(), part.begin(), part.end());  // joints twice
    }
    struct Case {
        AnaType type;
        std::vector<tagVYPoint> nodes;
        std::vector<tagVYPoint> pixels;
    };
    std::vector<Case> cases = {
        {ANA_POINT, {{8, 6}}, {{8, 6}}},
        {ANA_LINE, {{1, 6}, {20, 6}}, segment({1, 6}, {20, 6})},
        {ANA_LINE, {{3, 14}, {15, 1}}, segment({3, 14}, {15, 1})},
        {ANA_RECT, {{14, 11}, {5, 4}}, box_pixels(5, 4, 14, 11)},
        {ANA_ELLIPSE, {{2, 1}, {19, 13}}, ellipse_pixels({2, 1}, {19, 13})},
        // An edge covers the rows from its lower y up to, not including, its upper y.
        {ANA_POLYGON, {{4, 3}, {16, 3}, {16, 12}, {4, 12}}, box_pixels(4, 3, 16, 11)},
        {ANA_POLYLINE, {{2, 2}, {12, 6}, {20, 1}}, polyline},
    };
    for (const Case& c : cases) {
        std::string ana = fk_test::format(c.type, c.nodes);
        tagVYAnaInfo info = fk_test::default_info();
        ASSERT_TRUE(vy_ad_add_ana(frame.h(), ana.c_str(), &info)) << ana;
        std::vector<tagVYPoint> got = positions(ana);
        EXPECT_TRUE(same(c.pixels, got)) << ana << ": " << got.size() << " pixels, expected " << c.pixels.size();
        expect_statistics(ana, got);
    }
    // The equal maxima of row 6: the line meets (8, 6) first.
    uint16_t x = 0;
    ASSERT_TRUE(vy_ana_get_max_ad_ex(frame.h(), "L:1,6;20,6;-", &x, nullptr, nullptr));
    EXPECT_EQ(8, x);
}

TEST_F(Shapes, nodes_outside_the_frame_are_clipped)
{
    struct Case {
        AnaType type;
        std::vector<tagVYPoint> nodes;
        std::vector<tagVYPoint> pixels;
    };
    std::vector<Case> cases = {
        {ANA_POINT, {{300, 200}}, {{kWidth - 1, kHeight - 1}}},
        {ANA_LINE, {{10, 10}, {60000, 10}}, inside(segment({10, 10}, {60000, 10}))},
        {ANA_RECT, {{20, 10}, {65535, 65535}}, box_pixels(20, 10, 65535, 65535)},
        {ANA_ELLIPSE, {{15, 8}, {40, 30}}, ellipse_pixels({15, 8}, {40, 30})},
        {ANA_POLYGON, {{18, 12}, {900, 12}, {900, 700}, {18, 700}}, box_pixels(18, 12, 899, 699)},
        {ANA_POLYLINE, {{22, 14}, {400, 14}}, inside(segment({22, 14}, {400, 14}))},
    };
    for (const Case& c : cases) {
        std::string ana = fk_test::format(c.type, c.nodes);
        tagVYAnaInfo info = fk_test::default_info();
        ASSERT_TRUE(vy_ad_add_ana(frame.h(), ana.c_str(), &info)) << ana;
        std::vector<tagVYPoint> got = positions(ana);
        EXPECT_TRUE(same(c.pixels, got)) << ana << ": " << got.size() << " pixels, expected " << c.pixels.size();
        expect_statistics(ana, got);
    }
    // Entirely outside: no pixel, no statistics, no failure of the frame.
    tagVYAnaInfo info = fk_test::default_info();
    ASSERT_TRUE(vy_ad_add_ana(frame.h(), "R:100,100;200,200;-", &info));
    uint32_t count = 7;
    ASSERT_TRUE(vy_ana_get_pixel_count(frame.h(), "R:100,100;200,200;-", &count));
    EXPECT_EQ(0u, count);
    ASSERT_TRUE(vy_ad_reapply(frame.h()));
}

TEST_F(Shapes, hit_codes)
{
    struct Probe {
        int x, y, code;
    };
    struct Case {
        std::string ana;
        std::vector<Probe> probes;
    };
    std::vector<Case> cases = {
        {"P:5,5;-", {{5, 5, 0}, {12, 5, 0}, {30, 30, 100}}},
        {"L:10,10;30,10;-", {{10, 10, 11}, {30, 10, 12}, {20, 14, 10}, {20, 40, 100}}},
        {"R:10,10;40,30;-",
         {{10, 10, 31}, {40, 10, 33}, {40, 30, 35}, {10, 30, 37}, {25, 20, 30}, {12, 20, 38}, {25, 12, 32},
          {38, 20, 34}, {25, 28, 36}, {60, 60, 100}}},
        {"E:10,10;50,40;-", {{30, 25, 20}, {12, 12, 21}, {10, 25, 22}, {0, 0, 100}, {80, 80, 100}}},
        {"A:10,10;40,10;40,40;10,40;-", {{10, 10, 42}, {25, 1, 41}, {25, 25, 40}, {80, 80, 100}}},
        {"S:10,10;30,10;30,30;-", {{10, 10, 52}, {20, 2, 51}, {15, 25, 50}, {50, 50, 100}}},
    };
    for (const Case& c : cases) {
        vy_ad_delete_all_ana(frame.h());
        tagVYAnaInfo info = fk_test::default_info();
        ASSERT_TRUE(vy_ad_add_ana(frame.h(), c.ana.c_str(), &info)) << c.ana;
        for (const Probe& p : c.probes) {
            int32_t code = -1;
            std::string hit = "none";
            ASSERT_TRUE(vy_ad_get_hit_ana(frame.h(), static_cast<uint16_t>(p.x), static_cast<uint16_t>(p.y), &code, &hit));
            EXPECT_EQ(p.code, code) << c.ana << " at " << p.x << "," << p.y;
            EXPECT_EQ(p.code == 100 ? std::string("none") : c.ana, hit) << c.ana;
        }
    }
}

TEST_F(Shapes, line_cursor)
{
    tagVYAnaInfo info = fk_test::default_info();
    ASSERT_TRUE(vy_ad_add_ana(frame.h(), "L:10,10;30,10;-", &info));
    ASSERT_TRUE(vy_ad_add_ana(frame.h(), "L:5,5;5,5;-", &info));
    ASSERT_TRUE(vy_ad_add_ana(frame.h(), "L:50,0;50,40;-", &info));
    uint16_t x = 0;
    uint16_t y = 0;
    float scale = 0;
    ASSERT_TRUE(vy_ana_get_cursor_info(frame.h(), "L:10,10;30,10;-", nullptr, nullptr, &scale, &x, &y));
    EXPECT_FLOAT_EQ(0.5f, scale);
    EXPECT_EQ(20, x);
    EXPECT_EQ(10, y);
    ASSERT_TRUE(vy_ana_set_scale_of_cursor(frame.h(), "L:10,10;30,10;-", 1.0f));
    ASSERT_TRUE(vy_ana_get_cursor_info(frame.h(), "L:10,10;30,10;-", nullptr, nullptr, nullptr, &x, &y));
    EXPECT_EQ(30, x);
    EXPECT_FALSE(vy_ana_set_scale_of_cursor(frame.h(), "L:10,10;30,10;-", 1.01f));
    EXPECT_FALSE(vy_ana_set_scale_of_cursor(frame.h(), "L:10,10;30,10;-", -0.1f));

    // A line of two equal nodes is one pixel, and the cursor sits on it.
    uint32_t count = 0;
    ASSERT_TRUE(vy_ana_get_pixel_count(frame.h(), "L:5,5;5,5;-", &count));
    EXPECT_EQ(1u, count);
    ASSERT_TRUE(vy_ana_get_cursor_info(frame.h(), "L:5,5;5,5;-", nullptr, nullptr, nullptr, &x, &y));
    EXPECT_EQ(5, x);
    EXPECT_EQ(5, y);

    // A shown cursor answers before the nodes: 13 along a mainly horizontal line, 14 a vertical one.
    ASSERT_TRUE(vy_ana_show_cursor(frame.h(), "L:10,10;30,10;-", 1));
    ASSERT_TRUE(vy_ana_set_scale_of_cursor(frame.h(), "L:10,10;30,10;-", 0.5f));
    ASSERT_TRUE(vy_ana_show_cursor(frame.h(), "L:50,0;50,40;-", 1));
    int32_t code = 0;
    std::string hit;
    ASSERT_TRUE(vy_ad_get_hit_ana(frame.h(), 20, 10, &code, &hit));
    EXPECT_EQ(13, code);
    ASSERT_TRUE(vy_ad_get_hit_ana(frame.h(), 50, 20, &code, &hit));
    EXPECT_EQ(14, code);
    // Cursor exports refuse other shapes.
    ASSERT_TRUE(vy_ad_add_ana(frame.h(), "P:1,1;-", &info));
    EXPECT_FALSE(vy_ana_show_cursor(frame.h(), "P:1,1;-", 1));
}

TEST_F(Shapes, huge_ellipse_hit_test_stays_in_range)
{
    tagVYAnaInfo info = fk_test::default_info();
    ASSERT_TRUE(vy_ad_add_ana(frame.h(), "E:0,0;65535,65535;-", &info));
    struct P {
        uint16_t x, y;
    };
    for (const P& p : std::vector<P>{{65535, 0}, {65535, 32767}, {60000, 9000}, {1, 65535}}) {
        int32_t code = -1;
        std::string hit;
        ASSERT_TRUE(vy_ad_get_hit_ana(frame.h(), p.x, p.y, &code, &hit));
        EXPECT_TRUE(code == 20 || code == 21 || code == 22 || code == 100) << code;
    }
    int32_t code = -1;
    std::string hit;
    ASSERT_TRUE(vy_ad_get_hit_ana(frame.h(), 65535, 0, &code, &hit));
    EXPECT_EQ(100, code);
}

TEST_F(Shapes, own_palette_recolours_only_the_shape_inside_the_frame)
{
    std::vector<uint32_t> plain(kWidth * kHeight);
    ASSERT_TRUE(vy_ad_get_bits(frame.h(), plain.data()));

    tagVYAnaInfo info = fk_test::default_info();
    const std::vector<std::string> shapes = {"R:18,10;400,400;-", "E:2,9;30,30;-", "A:0,0;6,0;6,5;0,5;-"};
    ASSERT_TRUE(vy_ad_add_ana(frame.h(), shapes[0].c_str(), &info));
    ASSERT_TRUE(vy_ad_add_ana(frame.h(), shapes[1].c_str(), &info));
    ASSERT_TRUE(vy_ad_add_ana(frame.h(), shapes[2].c_str(), &info));
    ASSERT_TRUE(vy_ad_add_ana(frame.h(), "P:3,3;-", &info));
    // Points and lines have no palette of their own.
    EXPECT_FALSE(vy_ana_apply_self_palette(frame.h(), "P:3,3;-", true));
    for (const std::string& name : shapes) {
        const char* ana = name.c_str();
        ASSERT_TRUE(vy_ana_apply_self_palette(frame.h(), ana, true)) << ana;
        uint8_t on = 0;
        ASSERT_TRUE(vy_ana_is_use_self_palette(frame.h(), ana, &on));
        EXPECT_EQ(1, on);
        ASSERT_TRUE(vy_ana_set_palette(frame.h(), ana, PAL_GRAY)) << ana;
        int32_t palette = -1;
        ASSERT_TRUE(vy_ana_get_palette(frame.h(), ana, &palette));
        EXPECT_EQ(PAL_GRAY, palette);
        ASSERT_TRUE(vy_ana_set_imaging_range(frame.h(), ana, 8000, 8200));
        uint16_t low = 0;
        uint16_t high = 0;
        ASSERT_TRUE(vy_ana_get_imaging_range(frame.h(), ana, &low, &high));
        EXPECT_EQ(8000, low);
        EXPECT_EQ(8200, high);
    }
    EXPECT_FALSE(vy_ana_set_palette(frame.h(), "R:18,10;400,400;-", PAL_COUNT));

    std::vector<uint32_t> own(kWidth * kHeight);
    ASSERT_TRUE(vy_ad_get_bits(frame.h(), own.data()));
    std::vector<tagVYPoint> covered = positions("R:18,10;400,400;-");
    for (const std::string& ana : {shapes[1], shapes[2]}) {
        std::vector<tagVYPoint> more = positions(ana);
        covered.insert(covered.end(), more.begin(), more.end());
    }
    std::vector<bool> in_shape(kWidth * kHeight, false);
    for (const tagVYPoint& p : covered) {
        in_shape[p.y * kWidth + p.x] = true;
    }
    int changed = 0;
    for (int i = 0; i < kWidth * kHeight; ++i) {
        if (!in_shape[i]) {
            EXPECT_EQ(plain[i], own[i]) << "pixel " << i << " lies outside every shape";
        } else {
            changed += plain[i] != own[i];
        }
    }
    EXPECT_GT(changed, 0);

    ASSERT_TRUE(vy_ana_apply_self_palette(frame.h(), "R:18,10;400,400;-", false));
    uint8_t on = 1;
    ASSERT_TRUE(vy_ana_is_use_self_palette(frame.h(), "R:18,10;400,400;-", &on));
    EXPECT_EQ(0, on);
}

TEST(IndexedAnalyses, refuse_own_palette_and_ad_values)
{
    Frame f(0, 0);
    ASSERT_TRUE(f.ok());
    ASSERT_TRUE(vy_ad_set_resolution(f.h(), 16, 10));
    std::vector<uint8_t> raw = fk_test::compressed_raw_frame(fk_test::gradient_plane(16, 10));
    ASSERT_TRUE(vy_ad_set_data_checked(f.h(), raw.data(), static_cast<uint32_t>(raw.size())));
    tagVYAnaInfo info = fk_test::default_info();
    ASSERT_TRUE(vy_ad_add_ana(f.h(), "R:2,2;6,6;-", &info));
    EXPECT_FALSE(vy_ana_apply_self_palette(f.h(), "R:2,2;6,6;-", true));
    std::vector<uint16_t> ads(25);
    EXPECT_FALSE(vy_ana_get_ad(f.h(), "R:2,2;6,6;-", ads.data()));
    // Analyses of an indexed frame are not measured on their own.
    uint16_t avg = 1;
    ASSERT_TRUE(vy_ana_get_avg_ad(f.h(), "R:2,2;6,6;-", &avg));
    EXPECT_EQ(0, avg);
    std::vector<tagVYPoint> positions(25);
    EXPECT_TRUE(vy_ana_get_track_pos(f.h(), "R:2,2;6,6;-", positions.data()));
}
