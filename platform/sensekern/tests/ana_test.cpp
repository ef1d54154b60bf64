// Analysis objects on a frame: statistics against the pixels computed here,
// hit codes, and the attributes and own parameters.
#include "fixture.h"

#include "basekit.h"
#include "tempcore.h"

#include <algorithm>
#include <set>
#include <utility>

namespace {

using Pixels = std::set<std::pair<int, int>>;

void add_line(Pixels* out, int x0, int y0, int x1, int y1)
{
    std::vector<tagVYPoint> pts(4096);
    int count = static_cast<int>(pts.size());
    tagVYPoint a{static_cast<uint16_t>(x0), static_cast<uint16_t>(y0)};
    tagVYPoint b{static_cast<uint16_t>(x1), static_cast<uint16_t>(y1)};
    ASSERT_EQ(vy_calc_pts_in_line(a, b, pts.data(), &count), 0);
    for (int i = 0; i < count; ++i) {
        out->insert({pts[i].x, pts[i].y});
    }
}

void add_box(Pixels* out, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            out->insert({x, y});
        }
    }
}

void add_ellipse(Pixels* out, int x0, int y0, int x1, int y1)
{
    std::vector<tagVYRun> runs(4096);
    int count = static_cast<int>(runs.size());
    tagVYPoint a{static_cast<uint16_t>(x0), static_cast<uint16_t>(y0)};
    tagVYPoint b{static_cast<uint16_t>(x1), static_cast<uint16_t>(y1)};
    ASSERT_EQ(vy_calc_lines_in_ellipse(a, b, runs.data(), &count), 0);
    for (int i = 0; i < count; ++i) {
        for (int x = runs[i].first_x; x <= runs[i].last_x; ++x) {
            out->insert({x, runs[i].y});
        }
    }
}

struct ShapeCase {
    const char* name;
    std::string text;
    Pixels pixels;
    std::vector<std::pair<int, int>> twice = {};  // pixels measured twice (polyline joints)
};

TEST(frame_ana, statistics_of_every_kind_match_their_pixels)
{
    samples::Scene s = samples::make_scene(96, 72);
    sktest::Frame f(s);
    std::vector<uint16_t> plane = sktest::plane_of(f.h());
    const samples::Box& hb = s.hot_box;
    const int cx = s.coldest_x;
    const int cy = s.coldest_y;
    std::vector<ShapeCase> cases(5);
    cases[0] = {"point", "P:" + std::to_string(s.hottest_x) + "," + std::to_string(s.hottest_y) + ";-", {}};
    cases[0].pixels.insert({s.hottest_x, s.hottest_y});
    // A line from the hot spot's centre down through the coldest pixel's column.
    cases[1] = {"line", "L:" + std::to_string(s.hottest_x) + "," + std::to_string(s.hottest_y) + ";" +
                            std::to_string(cx) + "," + std::to_string(cy) + ";-", {}};
    add_line(&cases[1].pixels, s.hottest_x, s.hottest_y, cx, cy);
    cases[2] = {"rectangle", "R:" + std::to_string(hb.x0 - 4) + "," + std::to_string(hb.y0 - 4) + ";" +
                                 std::to_string(hb.x1 + 4) + "," + std::to_string(hb.y1 + 4) + ";-", {}};
    add_box(&cases[2].pixels, hb.x0 - 4, hb.y0 - 4, hb.x1 + 4, hb.y1 + 4);
    cases[3] = {"ellipse", "E:" + std::to_string(hb.x0 - 6) + "," + std::to_string(hb.y0 - 6) + ";" +
                               std::to_string(hb.x1 + 6) + "," + std::to_string(hb.y1 + 6) + ";-", {}};
    add_ellipse(&cases[3].pixels, hb.x0 - 6, hb.y0 - 6, hb.x1 + 6, hb.y1 + 6);
    // A polyline of two legs: hot spot to coldest pixel, then along the band.
    cases[4] = {"polyline", cases[1].text.substr(0, cases[1].text.size() - 1) + std::to_string(cx + 10) + "," +
                                std::to_string(cy) + ";-", {}};
    cases[4].text[0] = 'S';
    add_line(&cases[4].pixels, s.hottest_x, s.hottest_y, cx, cy);
    add_line(&cases[4].pixels, cx, cy, cx + 10, cy);
    cases[4].twice = {{cx, cy}};

    for (std::size_t i = 0; i < cases.size(); ++i) {
        const ShapeCase& c = cases[i];
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(sensekern_add_anas(f.h(), c.text.c_str())) << c.text;
        uint16_t max_ad = 0;
        uint16_t min_ad = 65535;
        double sum = 0.0;
        for (const auto& p : c.pixels) {
            uint16_t v = plane[p.second * s.width + p.first];
            max_ad = std::max(max_ad, v);
            min_ad = std::min(min_ad, v);
            sum += v;
        }
        for (const auto& p : c.twice) {
            sum += plane[p.second * s.width + p.first];
        }
        const std::size_t measured = c.pixels.size() + c.twice.size();
        uint32_t count = 0;
        ASSERT_TRUE(sensekern_ana_get_pixel_count(f.h(), c.text.c_str(), &count));
        EXPECT_EQ(count, measured);
        tagPAD hot{};
        tagPAD cold{};
        float tmax = 0, tmin = 0, tavg = 0, expected = 0;
        uint16_t avg = 0;
        ASSERT_TRUE(sensekern_ana_get_max_temperature(f.h(), c.text.c_str(), &hot, &tmax));
        ASSERT_TRUE(sensekern_ana_get_min_temperature(f.h(), c.text.c_str(), &cold, &tmin));
        ASSERT_TRUE(sensekern_ana_get_avg_temperature(f.h(), c.text.c_str(), &avg, &tavg));
        EXPECT_EQ(hot.ad, max_ad);
        EXPECT_EQ(cold.ad, min_ad);
        EXPECT_EQ(plane[hot.y * s.width + hot.x], max_ad);
        EXPECT_EQ(plane[cold.y * s.width + cold.x], min_ad);
        EXPECT_NEAR(avg, sum / measured, 1.0);
        ASSERT_TRUE(sensekern_get_temperature_from_ad(f.h(), &max_ad, 1, &expected));
        EXPECT_EQ(tmax, expected);
        ASSERT_TRUE(sensekern_get_temperature_from_ad(f.h(), &min_ad, 1, &expected));
        EXPECT_EQ(tmin, expected);
        ASSERT_TRUE(sensekern_get_temperature_from_ad(f.h(), &avg, 1, &expected));
        EXPECT_EQ(tavg, expected);

        std::vector<float> temps(count);
        uint32_t n = count;
        ASSERT_TRUE(sensekern_ana_get_temperature(f.h(), c.text.c_str(), &n, temps.data()));
        EXPECT_EQ(n, count);
        EXPECT_EQ(*std::max_element(temps.begin(), temps.end()), tmax);
        n = count == 0 ? 0 : count - 1;
        EXPECT_FALSE(sensekern_ana_get_temperature(f.h(), c.text.c_str(), &n, temps.data()));
        EXPECT_EQ(n, count);
    }
}

TEST(frame_ana, polygon_statistics)
{
    samples::Scene s = samples::make_scene(96, 72);
    sktest::Frame f(s);
    std::vector<uint16_t> plane = sktest::plane_of(f.h());
    // A triangle around the hot spot whose inside holds the hottest pixel.
    const int x = s.hottest_x;
    const int y = s.hottest_y;
    std::string text = "A:" + std::to_string(x - 10) + "," + std::to_string(y - 8) + ";" + std::to_string(x + 10) +
                       "," + std::to_string(y - 8) + ";" + std::to_string(x) + "," + std::to_string(y + 10) + ";-";
    ASSERT_TRUE(sensekern_add_anas(f.h(), text.c_str()));
    tagPAD hot{};
    float tmax = 0, expected = 0;
    ASSERT_TRUE(sensekern_ana_get_max_temperature(f.h(), text.c_str(), &hot, &tmax));
    EXPECT_EQ(hot.x, x);
    EXPECT_EQ(hot.y, y);
    ASSERT_TRUE(sensekern_get_temperature_from_ad(f.h(), &plane[y * s.width + x], 1, &expected));
    EXPECT_EQ(tmax, expected);
    float tmin = 0;
    ASSERT_TRUE(sensekern_ana_get_min_temperature(f.h(), text.c_str(), nullptr, &tmin));
    EXPECT_NEAR(tmin, s.ambient, 0.05f);

    // A polygon drawn as an upright box covers the box's pixels but for its
    // closing edge: a half-open area, so that two polygons sharing an edge do
    // not share its pixels.
    const samples::Box& w = s.warm_box;
    std::string box = "A:" + std::to_string(w.x0 - 2) + "," + std::to_string(w.y0 - 2) + ";" + std::to_string(w.x1) +
                      "," + std::to_string(w.y0 - 2) + ";" + std::to_string(w.x1) + "," + std::to_string(w.y1) + ";" +
                      std::to_string(w.x0 - 2) + "," + std::to_string(w.y1) + ";-";
    ASSERT_TRUE(sensekern_add_anas(f.h(), box.c_str()));
    Pixels pixels;
    add_box(&pixels, w.x0 - 2, w.y0 - 2, w.x1, w.y1 - 1);
    double sum = 0.0;
    for (const auto& p : pixels) {
        sum += plane[p.second * s.width + p.first];
    }
    uint32_t count = 0;
    uint16_t avg = 0;
    ASSERT_TRUE(sensekern_ana_get_pixel_count(f.h(), box.c_str(), &count));
    ASSERT_TRUE(sensekern_ana_get_avg_temperature(f.h(), box.c_str(), &avg, nullptr));
    EXPECT_EQ(count, pixels.size());
    EXPECT_NEAR(avg, sum / pixels.size(), 1.0);
}

TEST(frame_ana, own_parameters_convert_with_their_emissivity)
{
    samples::Scene s = samples::make_scene(64, 48);
    sktest::Frame f(s);
    std::string text = "P:" + std::to_string(s.hottest_x) + "," + std::to_string(s.hottest_y) + ";-";
    ASSERT_TRUE(sensekern_add_anas(f.h(), text.c_str()));
    float plain = 0, own = 0;
    ASSERT_TRUE(sensekern_ana_get_max_temperature(f.h(), text.c_str(), nullptr, &plain));
    EXPECT_FALSE(sensekern_ana_set_self_para(f.h(), text.c_str(), true, 1.5f, 3.0f));
    ASSERT_TRUE(sensekern_ana_set_self_para(f.h(), text.c_str(), true, 0.6f, 8.0f));
    bool flag = false;
    float e = 0, d = 0;
    ASSERT_TRUE(sensekern_ana_get_self_para(f.h(), text.c_str(), &flag, &e, &d));
    EXPECT_TRUE(flag);
    EXPECT_FLOAT_EQ(e, 0.6f);
    EXPECT_FLOAT_EQ(d, 8.0f);
    ASSERT_TRUE(sensekern_ana_get_max_temperature(f.h(), text.c_str(), nullptr, &own));
    void* engine = nullptr;
    ASSERT_TRUE(sensekern_get_handle_of_ad_temp(f.h(), &engine));
    uint16_t ad = sktest::plane_of(f.h())[s.hottest_y * s.width + s.hottest_x];
    float expected = 0;
    ASSERT_TRUE(vy_at_get_temperature_from_ad_ex(engine, &ad, 1, 0.6f, 8.0f, &expected));
    EXPECT_EQ(own, expected);
    EXPECT_GT(own, plain);
}

struct HitCase {
    const char* text;
    int x;
    int y;
    int code;
};

TEST(frame_ana, hit_codes_for_the_shape_adjuster)
{
    sktest::Frame f(samples::make_scene(200, 160));
    const HitCase cases[] = {
        {"P:20,20;-", 20, 20, 0},
        {"L:40,100;140,100;-L9", 40, 100, 11},
        {"L:40,100;140,100;-L9", 140, 100, 12},
        {"L:40,100;140,100;-L9", 90, 101, 10},
        {"R:60,20;120,60;-", 60, 20, 31},
        {"R:60,20;120,60;-", 120, 60, 35},
        {"R:60,20;120,60;-", 90, 40, 30},
        {"E:150,20;190,60;-", 170, 40, 20},
        {"A:20,130;60,130;40,150;-", 60, 130, 42},
        {"S:100,140;150,140;190,150;-", 150, 140, 52},
    };
    for (const HitCase& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(sensekern_delete_all_ana(f.h()));
        ASSERT_TRUE(sensekern_add_anas(f.h(), c.text));
        AnaType type = ANA_ALL;
        char text[100];
        uint32_t length = sizeof(text);
        ASSERT_TRUE(sensekern_get_hit_ana(f.h(), c.x, c.y, &type, text, &length));
        EXPECT_EQ(static_cast<int>(type), c.code);
        EXPECT_STREQ(text, c.text);  // the text as added, alias part included
        EXPECT_EQ(length, std::string(c.text).size());
    }
    AnaType type = ANA_ALL;
    char text[100] = "untouched";
    uint32_t length = sizeof(text);
    EXPECT_FALSE(sensekern_get_hit_ana(f.h(), 5, 155, &type, text, &length));
    EXPECT_EQ(type, ANA_ALL);
    EXPECT_STREQ(text, "untouched");
    EXPECT_EQ(length, 0u);
    EXPECT_FALSE(sensekern_get_hit_ana(f.h(), -1, 20, &type, text, &length));
    length = 4;
    EXPECT_FALSE(sensekern_get_hit_ana(f.h(), 150, 140, &type, text, &length));
    EXPECT_EQ(length, std::string("S:100,140;150,140;190,150;-").size());
}

TEST(frame_ana, malformed_strings_add_nothing)
{
    sktest::Frame f(samples::make_scene(64, 48));
    for (const char* bad : {"", "X:1,2;-", "P:1,2-", "P:1,2;-Q:3", "L:1,1;-", "P:1,2;-L:3,4;-P"}) {
        EXPECT_FALSE(sensekern_add_anas(f.h(), bad)) << bad;
    }
    AnaType type = ANA_ALL;
    char text[100];
    uint32_t length = sizeof(text);
    EXPECT_FALSE(sensekern_get_hit_ana(f.h(), 1, 2, &type, text, &length));
    EXPECT_FALSE(sensekern_add_anas(f.h(), nullptr));
}

// The frame document stores colours with red in bits 0-7: a new object's
// yellow outline reads 0x00FFFF, and any colour set reads back unchanged.
TEST(frame_ana, line_colours_use_the_stored_colour_layout)
{
    sktest::Frame f(samples::make_scene(64, 48));
    ASSERT_TRUE(sensekern_add_anas(f.h(), "R:5,5;20,20;-"));
    uint32_t colour = 0;
    ASSERT_TRUE(sensekern_ana_get_line_color(f.h(), "R:5,5;20,20;-", &colour));
    EXPECT_EQ(colour, 0x00FFFFu);
    for (uint32_t stored : {0x0000FFu, 0xFF0000u, 0x123456u}) {
        ASSERT_TRUE(sensekern_ana_set_line_color(f.h(), "R:5,5;20,20;-", stored));
        ASSERT_TRUE(sensekern_ana_get_line_color(f.h(), "R:5,5;20,20;-", &colour));
        EXPECT_EQ(colour, stored);
    }
}

TEST(frame_ana, update_delete_and_attributes)
{
    sktest::Frame f(samples::make_scene(64, 48));
    ASSERT_TRUE(sensekern_add_anas(f.h(), "R:5,5;20,20;-P:30,30;-"));
    ASSERT_TRUE(sensekern_update_ana_size(f.h(), "R:5,5;20,20;-", "R:6,6;25,25;-"));
    uint32_t count = 0;
    EXPECT_FALSE(sensekern_ana_get_pixel_count(f.h(), "R:5,5;20,20;-", &count));
    ASSERT_TRUE(sensekern_ana_get_pixel_count(f.h(), "R:6,6;25,25;-", &count));
    EXPECT_EQ(count, 20u * 20u);

    const char* r = "R:6,6;25,25;-";
    ASSERT_TRUE(sensekern_ana_set_alias(f.h(), r, "box"));
    char alias[32];
    uint32_t length = sizeof(alias);
    ASSERT_TRUE(sensekern_ana_get_alias(f.h(), r, alias, &length));
    EXPECT_STREQ(alias, "box");
    ASSERT_TRUE(sensekern_ana_set_line_color(f.h(), r, 0x123456));
    uint32_t colour = 0;
    ASSERT_TRUE(sensekern_ana_get_line_color(f.h(), r, &colour));
    EXPECT_EQ(colour, 0x123456u);
    ASSERT_TRUE(sensekern_ana_set_show_text_type(f.h(), r, static_cast<ShowTextType>(7)));
    ShowTextType mask = SHOW_TEXT_MAX;
    ASSERT_TRUE(sensekern_ana_get_show_text_type(f.h(), r, &mask));
    EXPECT_EQ(static_cast<int>(mask), 7);
    bool on = false;
    ASSERT_TRUE(sensekern_ana_show_max_point(f.h(), r, true));
    ASSERT_TRUE(sensekern_ana_is_show_max_point(f.h(), r, &on));
    EXPECT_TRUE(on);
    ASSERT_TRUE(sensekern_ana_set_visible(f.h(), r, false));
    ASSERT_TRUE(sensekern_ana_is_visible(f.h(), r, &on));
    EXPECT_FALSE(on);
    ASSERT_TRUE(sensekern_ana_apply_self_palette(f.h(), r, true));
    ASSERT_TRUE(sensekern_ana_set_palette(f.h(), r, PAL_RAINBOW));
    ASSERT_TRUE(sensekern_ana_set_imaging_range(f.h(), r, 15000, 20000));
    PALETTE palette = PAL_IRON;
    uint16_t low = 0, high = 0;
    ASSERT_TRUE(sensekern_ana_get_palette(f.h(), r, &palette));
    ASSERT_TRUE(sensekern_ana_get_imaging_range(f.h(), r, &low, &high));
    EXPECT_EQ(palette, PAL_RAINBOW);
    EXPECT_EQ(low, 15000);
    EXPECT_EQ(high, 20000);

    ASSERT_TRUE(sensekern_add_anas(f.h(), "L:2,40;60,40;-"));
    ASSERT_TRUE(sensekern_ana_show_cursor(f.h(), "L:2,40;60,40;-", true));
    ASSERT_TRUE(sensekern_ana_set_scale_of_cursor(f.h(), "L:2,40;60,40;-", 0.5f));
    bool show = false;
    float scale = 0, t = 0;
    uint16_t x = 0, y = 0;
    ASSERT_TRUE(sensekern_get_cursor_info(f.h(), "L:2,40;60,40;-", &show, nullptr, &scale, &x, &y, &t));
    EXPECT_TRUE(show);
    EXPECT_FLOAT_EQ(scale, 0.5f);
    EXPECT_EQ(y, 40);
    EXPECT_NEAR(x, 31, 1);

    ASSERT_TRUE(sensekern_delete_anas(f.h(), "P:30,30;-"));
    EXPECT_FALSE(sensekern_ana_get_pixel_count(f.h(), "P:30,30;-", &count));
    ASSERT_TRUE(sensekern_delete_all_ana(f.h()));
    EXPECT_FALSE(sensekern_ana_get_pixel_count(f.h(), r, &count));
}

}  // namespace
