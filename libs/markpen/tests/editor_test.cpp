// Mouse gestures through the exports against a real frame document made
// from the sample picture, with the sample's own objects removed.
#include "sample_picture.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using markpen::test::kSamplePicture;
using markpen::test::Opened;

// m move, d press (after a move there, as the program sends it), u release,
// c double click, A / S choose polygon / polyline mode.
struct Event {
    char kind;
    int x = 0, y = 0;
};

void play(void* paint, const std::vector<Event>& events)
{
    for (const Event& e : events) {
        switch (e.kind) {
        case 'm': ASSERT_TRUE(markpen_mouse_move(paint, e.x, e.y)); break;
        case 'd':
            ASSERT_TRUE(markpen_mouse_move(paint, e.x, e.y));
            ASSERT_TRUE(markpen_mouse_down(paint, e.x, e.y));
            break;
        case 'u': ASSERT_TRUE(markpen_mouse_up(paint, e.x, e.y)); break;
        case 'c': ASSERT_TRUE(markpen_mouse_double_clicked(paint, e.x, e.y)); break;
        case 'A': ASSERT_TRUE(markpen_add_poly_ana(paint)); break;
        case 'S': ASSERT_TRUE(markpen_add_polyline_ana(paint)); break;
        default: FAIL() << "unknown event " << e.kind;
        }
    }
}

// A click: press and release at one point.
std::vector<Event> clicks(std::initializer_list<std::pair<int, int>> points)
{
    std::vector<Event> events;
    for (const auto& p : points) {
        events.push_back({'d', p.first, p.second});
        events.push_back({'u', p.first, p.second});
    }
    return events;
}

std::vector<Event> operator+(std::vector<Event> a, const std::vector<Event>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<std::string> all_anas(void* doc)
{
    std::vector<std::string> texts;
    for (AnaType type : {ANA_POINT, ANA_LINE, ANA_ELLIPSE, ANA_RECT, ANA_POLYGON, ANA_POLYLINE}) {
        int32_t count = 0;
        if (!thermframe_get_anas_count(doc, type, count)) continue;
        for (int32_t i = 0; i < count; ++i) {
            std::string text;
            if (thermframe_get_ana(doc, type, i, text)) texts.push_back(text);
        }
    }
    return texts;
}

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFile::exists(kSamplePicture)) {
            GTEST_SKIP() << kSamplePicture << " was not generated (tools/make-samples)";
        }
        ASSERT_EQ(picture.open(kSamplePicture), "");
        ASSERT_TRUE(thermframe_delete_all_ana(picture.doc));
        markpen_set_analysis_mode(false);
    }
    void TearDown() override { markpen_set_analysis_mode(false); }

    Opened picture;
};

using ModeExport = bool (*)(void*);

struct AddCase {
    const char* name;
    ModeExport mode;
    std::vector<Event> events;
    std::vector<std::string> added;
};

TEST_F(EditorTest, editor_add_modes)
{
    const std::vector<AddCase> cases = {
        {"rectangle dragged up-left", markpen_add_rect_ana,
         {{'d', 100, 100}, {'m', 50, 40}, {'u', 50, 40}}, {"R:50,40;100,100;-"}},
        {"line under 5 pixels", markpen_add_line_ana,
         {{'d', 10, 10}, {'m', 13, 12}, {'u', 13, 12}}, {}},
        {"vertical line", markpen_add_line_ana,
         {{'d', 10, 10}, {'m', 10, 30}, {'u', 10, 30}}, {"L:10,10;10,30;-"}},
        {"rectangle of zero height", markpen_add_rect_ana,
         {{'d', 10, 10}, {'m', 40, 10}, {'u', 40, 10}}, {}},
        {"ellipse is a circle about the press", markpen_add_ellipse_ana,
         {{'d', 50, 50}, {'m', 53, 54}, {'u', 53, 54}}, {"E:45,45;55,55;-"}},
        {"ellipse too close to the edge", markpen_add_ellipse_ana,
         {{'d', 2, 50}, {'m', 20, 50}, {'u', 20, 50}}, {}},
        {"point at the release", markpen_add_point_ana,
         {{'d', 30, 40}, {'m', 35, 45}, {'u', 36, 46}}, {"P:36,46;-"}},
        {"polygon of three clicks", markpen_add_poly_ana,
         clicks({{10, 10}, {60, 10}, {60, 60}}) + std::vector<Event>{{'c'}},
         {"A:10,10;60,10;60,60;-"}},
        {"polygon of two clicks is dropped", markpen_add_poly_ana,
         clicks({{10, 10}, {60, 10}}) + std::vector<Event>{{'c'}}, {}},
        {"two presses at one point place one node", markpen_add_poly_ana,
         clicks({{10, 10}, {10, 10}, {60, 10}, {60, 60}}) + std::vector<Event>{{'c'}},
         {"A:10,10;60,10;60,60;-"}},
        {"first node where the last shape ended", markpen_add_poly_ana,
         clicks({{10, 10}, {60, 10}, {60, 60}}) + std::vector<Event>{{'c'}, {'A'}} +
             clicks({{60, 60}, {100, 10}, {100, 100}}) + std::vector<Event>{{'c'}},
         {"A:10,10;60,10;60,60;-", "A:60,60;100,10;100,100;-"}},
        {"switching to polyline commits the polygon", markpen_add_poly_ana,
         clicks({{10, 10}, {60, 10}, {60, 60}}) + std::vector<Event>{{'S'}} +
             clicks({{200, 200}, {250, 200}, {250, 250}}) + std::vector<Event>{{'c'}},
         {"A:10,10;60,10;60,60;-", "S:200,200;250,200;250,250;-"}},
        {"choosing polygon again keeps the nodes", markpen_add_poly_ana,
         clicks({{10, 10}, {60, 10}}) + std::vector<Event>{{'A'}} + clicks({{60, 60}}) +
             std::vector<Event>{{'c'}},
         {"A:10,10;60,10;60,60;-"}},
        {"polyline", markpen_add_polyline_ana,
         clicks({{300, 300}, {320, 310}, {340, 300}, {360, 330}}) + std::vector<Event>{{'c'}},
         {"S:300,300;320,310;340,300;360,330;-"}},
        {"release without a press completes nothing", markpen_add_rect_ana,
         {{'m', 100, 100}, {'u', 150, 150}, {'d', 100, 100}, {'m', 150, 160}, {'u', 150, 160}},
         {"R:100,100;150,160;-"}},
    };
    for (const AddCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(thermframe_delete_all_ana(picture.doc));
        ASSERT_TRUE(markpen_add_null_ana(picture.paint));
        std::string before;
        ASSERT_TRUE(markpen_get_added_ana(picture.paint, before));
        ASSERT_TRUE(c.mode(picture.paint));
        play(picture.paint, c.events);
        std::vector<std::string> expected = c.added;
        std::vector<std::string> got = all_anas(picture.doc);
        std::sort(expected.begin(), expected.end());
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, expected);
        std::string added;
        ASSERT_TRUE(markpen_get_added_ana(picture.paint, added));
        EXPECT_EQ(added, c.added.empty() ? before : c.added.back());
        bool adding = true;
        ASSERT_TRUE(markpen_has_added_ana(picture.paint, adding));
        EXPECT_FALSE(adding);
    }
}

TEST_F(EditorTest, editor_keep_mode_and_hidden_objects)
{
    ASSERT_TRUE(markpen_set_analysis_mode(true));
    ASSERT_TRUE(markpen_add_rect_ana(picture.paint));
    play(picture.paint, {{'d', 10, 10}, {'m', 50, 50}, {'u', 50, 50}});
    play(picture.paint, {{'d', 100, 100}, {'m', 150, 150}, {'u', 150, 150}});
    bool adding = false;
    ASSERT_TRUE(markpen_has_added_ana(picture.paint, adding));
    EXPECT_TRUE(adding);
    EXPECT_EQ(all_anas(picture.doc).size(), 2u);

    // Hidden: the add modes and gestures are ignored, delete mode is not.
    ASSERT_TRUE(markpen_add_null_ana(picture.paint));
    ASSERT_TRUE(markpen_set_all_ana_show(picture.paint, false));
    EXPECT_TRUE(markpen_add_rect_ana(picture.paint));
    ASSERT_TRUE(markpen_has_added_ana(picture.paint, adding));
    EXPECT_FALSE(adding);
    EXPECT_TRUE(markpen_mouse_down(picture.paint, 200, 200));
    EXPECT_TRUE(markpen_mouse_move(picture.paint, 300, 300));
    EXPECT_TRUE(markpen_mouse_up(picture.paint, 300, 300));
    EXPECT_EQ(all_anas(picture.doc).size(), 2u);
    ASSERT_TRUE(markpen_set_delete_ana(picture.paint));
    bool deleting = false;
    ASSERT_TRUE(markpen_is_delete_ana(picture.paint, deleting));
    EXPECT_TRUE(deleting);
    ASSERT_TRUE(markpen_set_all_ana_show(picture.paint, true));
    play(picture.paint, {{'d', 10, 10}, {'m', 60, 60}, {'u', 60, 60}});
    EXPECT_EQ(all_anas(picture.doc).size(), 2u);
}

TEST_F(EditorTest, editor_presses_outside_the_picture_are_clamped)
{
    const int w = picture.width, h = picture.height;
    // A window twice the picture: window pixels halve into image pixels.
    ASSERT_TRUE(markpen_set_wnd_size(picture.paint, static_cast<uint16_t>(2 * w),
                                     static_cast<uint16_t>(2 * h)));
    ASSERT_TRUE(markpen_add_rect_ana(picture.paint));
    play(picture.paint, {{'d', -30, -30}, {'m', 5000, 6000}, {'u', 5000, 6000}});
    // A window half the picture: far beyond it the map still ends at the
    // picture's edge.
    ASSERT_TRUE(markpen_set_wnd_size(picture.paint, static_cast<uint16_t>(w / 2),
                                     static_cast<uint16_t>(h / 2)));
    ASSERT_TRUE(markpen_add_line_ana(picture.paint));
    play(picture.paint, {{'d', 5, 5}, {'m', INT32_MAX, INT32_MAX}, {'u', 0, 0}});
    const std::string whole =
        "R:0,0;" + std::to_string(w - 1) + "," + std::to_string(h - 1) + ";-";
    const std::string diagonal =
        "L:10,10;" + std::to_string(w - 1) + "," + std::to_string(h - 1) + ";-";
    EXPECT_EQ(all_anas(picture.doc), (std::vector<std::string>{diagonal, whole}));

    // A quarter turn: a window x past the turned picture's width maps to a
    // negative image y before the clamp.
    ASSERT_TRUE(thermframe_delete_all_ana(picture.doc));
    ASSERT_TRUE(markpen_set_rotation_angle(picture.paint, ROTATION_90));
    ASSERT_TRUE(markpen_set_wnd_size(picture.paint, static_cast<uint16_t>(h),
                                     static_cast<uint16_t>(w)));
    ASSERT_TRUE(markpen_add_point_ana(picture.paint));
    play(picture.paint, {{'d', h + 100, 10}, {'u', h + 100, 10}});
    EXPECT_EQ(all_anas(picture.doc), std::vector<std::string>{"P:10,0;-"});
}

struct AdjustCase {
    const char* name;
    const char* object;
    std::vector<Event> events;
    int hit;  // code reported after the press
    const char* result;
};

TEST_F(EditorTest, adjuster_grips_and_bodies)
{
    const std::vector<AdjustCase> cases = {
        {"point follows the pointer", "P:300,300;-",
         {{'d', 302, 301}, {'m', 320, 330}, {'u', 320, 330}}, 0, "P:320,330;-"},
        {"line body stops at the left edge, length kept", "L:20,100;120,150;-",
         {{'d', 70, 125}, {'m', -100, 125}, {'u', -100, 125}}, 10, "L:0,100;100,150;-"},
        {"line end clamped into the picture", "L:20,100;120,150;-",
         {{'d', 120, 150}, {'m', 900, 900}, {'u', 900, 900}}, 12, "L:20,100;639,511;-"},
        {"rectangle top-left past the opposite corner", "R:100,100;200,180;-",
         {{'d', 100, 100}, {'m', 250, 220}, {'u', 250, 220}}, 31, "R:200,180;250,220;-"},
        {"rectangle right edge", "R:100,100;200,180;-",
         {{'d', 200, 140}, {'m', 230, 150}, {'u', 230, 150}}, 34, "R:100,100;230,180;-"},
        {"rectangle body stops at the corner", "R:100,100;200,180;-",
         {{'d', 150, 140}, {'m', -500, -500}, {'u', -500, -500}}, 30, "R:0,0;100,80;-"},
        {"ellipse grip makes a circle about the centre", "E:100,100;160,160;-",
         {{'d', 105, 105}, {'m', 137, 130}, {'u', 137, 130}}, 21, "E:123,123;137,137;-"},
        {"polygon body stops at the right edge", "A:100,100;150,100;125,150;-",
         {{'d', 125, 115}, {'m', 1000, 115}, {'u', 1000, 115}}, 40,
         "A:589,100;639,100;614,150;-"},
        {"polygon node", "A:100,100;150,100;125,150;-",
         {{'d', 150, 100}, {'m', 170, 90}, {'u', 170, 90}}, 42, "A:100,100;170,90;125,150;-"},
        {"the later node wins the pick", "S:100,100;110,100;200,200;-",
         {{'d', 105, 100}, {'m', 105, 150}, {'u', 105, 150}}, 52,
         "S:100,100;105,150;200,200;-"},
    };
    for (const AdjustCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(thermframe_delete_all_ana(picture.doc));
        ASSERT_TRUE(thermframe_add_ana(picture.doc, std::string(c.object)));
        play(picture.paint, {c.events[0]});
        AnaType code = ANA_ALL;
        std::string text;
        ASSERT_TRUE(markpen_get_mouse_down_ana_str(picture.paint, code, text));
        EXPECT_EQ(code, c.hit);
        EXPECT_EQ(text, c.object);
        play(picture.paint, std::vector<Event>(c.events.begin() + 1, c.events.end()));
        EXPECT_EQ(all_anas(picture.doc), std::vector<std::string>{c.result});
        ASSERT_TRUE(markpen_get_mouse_down_ana_str(picture.paint, code, text));
        EXPECT_EQ(text, c.result);
    }
}

TEST_F(EditorTest, adjuster_hover_codes_and_selection)
{
    void* doc = picture.doc;
    const std::string rect = "R:100,100;200,180;-", line = "L:20,300;120,350;-";
    ASSERT_TRUE(thermframe_add_ana(doc, rect));
    ASSERT_TRUE(thermframe_add_ana(doc, line));
    struct Hover {
        int x, y, code;
        std::string text;
    };
    for (const Hover& h : std::vector<Hover>{{150, 140, 30, rect},
                                             {100, 100, 31, rect},
                                             {200, 180, 35, rect},
                                             {20, 300, 11, line},
                                             {70, 325, 10, line},
                                             {400, 50, ANA_ALL, ""}}) {
        SCOPED_TRACE(std::to_string(h.x) + "," + std::to_string(h.y));
        ASSERT_TRUE(markpen_mouse_move(picture.paint, h.x, h.y));
        AnaType code = ANA_POINT;
        std::string text = "?";
        ASSERT_TRUE(markpen_get_mouse_down_ana_str(picture.paint, code, text));
        EXPECT_EQ(code, h.code);
        EXPECT_EQ(text, h.text);
    }

    bool selected = false;
    play(picture.paint, {{'d', 150, 140}, {'u', 150, 140}});
    ASSERT_TRUE(thermframe_ana_has_select(doc, rect, selected));
    EXPECT_TRUE(selected);
    // A press on empty picture clears the selection and moves nothing.
    play(picture.paint, {{'d', 400, 50}, {'m', 420, 60}, {'u', 420, 60}});
    ASSERT_TRUE(thermframe_ana_has_select(doc, rect, selected));
    EXPECT_FALSE(selected);
    EXPECT_EQ(all_anas(doc), (std::vector<std::string>{line, rect}));
}

TEST_F(EditorTest, adjuster_line_cursor)
{
    void* doc = picture.doc;
    const std::string line = "L:100,200;300,200;-";
    ASSERT_TRUE(thermframe_add_ana(doc, line));
    ASSERT_TRUE(thermframe_ana_show_cursor(doc, line, true));
    uint16_t x = 0, y = 0;
    float t = 0;
    ASSERT_TRUE(thermframe_ana_get_temperature_of_cursor(doc, line, x, y, t));
    play(picture.paint, {{'d', x, y}});
    AnaType code = ANA_ALL;
    std::string text;
    ASSERT_TRUE(markpen_get_mouse_down_ana_str(picture.paint, code, text));
    EXPECT_EQ(code, 13);
    play(picture.paint, {{'m', 250, 210}, {'u', 250, 210}});
    ASSERT_TRUE(thermframe_ana_get_temperature_of_cursor(doc, line, x, y, t));
    EXPECT_EQ(x, 250);
    EXPECT_EQ(y, 200);
    EXPECT_EQ(all_anas(doc), std::vector<std::string>{line});
}

}  // namespace

namespace {

// What the picture source does on opening: the objects stored in the file
// become the document's.
void restore_stored_objects(const Opened& picture)
{
    uint32_t length = 0;
    ASSERT_TRUE(sensekern_get_anas(picture.frame, nullptr, &length));
    if (length == 0) return;
    std::string anas(length + 1, '\0');
    uint32_t capacity = length + 1;
    ASSERT_TRUE(sensekern_get_anas(picture.frame, &anas[0], &capacity));
    anas.resize(capacity);
    ASSERT_TRUE(thermframe_add_anas(picture.doc, anas));
}

struct Temperatures {
    float max = 0, min = 0, avg = 0;
    bool operator==(const Temperatures& o) const
    {
        return max == o.max && min == o.min && avg == o.avg;
    }
};

Temperatures temperatures(void* doc, const std::string& text)
{
    Temperatures t;
    uint16_t x = 0, y = 0, ad = 0;
    EXPECT_TRUE(thermframe_ana_get_max_temp(doc, text, x, y, ad, t.max)) << text;
    EXPECT_TRUE(thermframe_ana_get_min_temp(doc, text, x, y, ad, t.min)) << text;
    EXPECT_TRUE(thermframe_ana_get_avg_temp(doc, text, ad, t.avg)) << text;
    return t;
}

TEST(editor_round_trip, drawn_objects_keep_their_temperatures_in_the_saved_picture)
{
    if (!QFile::exists(kSamplePicture)) {
        GTEST_SKIP() << kSamplePicture << " was not generated (tools/make-samples)";
    }
    markpen_set_analysis_mode(false);
    Opened picture;
    ASSERT_EQ(picture.open(kSamplePicture), "");
    restore_stored_objects(picture);
    const size_t stored = all_anas(picture.doc).size();
    EXPECT_GT(stored, 0u);

    struct Drawing {
        ModeExport mode;
        std::vector<Event> events;
    };
    const std::vector<Drawing> drawings = {
        {markpen_add_point_ana, clicks({{500, 100}})},
        {markpen_add_line_ana, {{'d', 40, 420}, {'m', 600, 440}, {'u', 600, 440}}},
        {markpen_add_ellipse_ana, {{'d', 120, 100}, {'m', 150, 140}, {'u', 150, 140}}},
        {markpen_add_rect_ana, {{'d', 400, 300}, {'m', 200, 150}, {'u', 200, 150}}},
        {markpen_add_poly_ana,
         clicks({{300, 350}, {380, 340}, {360, 420}}) + std::vector<Event>{{'c'}}},
        {markpen_add_polyline_ana,
         clicks({{450, 200}, {520, 260}, {600, 210}}) + std::vector<Event>{{'c'}}},
    };
    std::vector<std::string> drawn;
    std::vector<Temperatures> before;
    for (const Drawing& d : drawings) {
        ASSERT_TRUE(d.mode(picture.paint));
        play(picture.paint, d.events);
        std::string text;
        ASSERT_TRUE(markpen_get_added_ana(picture.paint, text));
        ASSERT_TRUE(drawn.empty() || text != drawn.back()) << "nothing added";
        drawn.push_back(text);
        before.push_back(temperatures(picture.doc, text));
    }
    EXPECT_EQ(drawn, (std::vector<std::string>{
                         "P:500,100;-", "L:40,420;600,440;-", "E:70,50;170,150;-",
                         "R:200,150;400,300;-", "A:300,350;380,340;360,420;-",
                         "S:450,200;520,260;600,210;-"}));
    std::vector<std::string> objects = all_anas(picture.doc);
    ASSERT_EQ(objects.size(), stored + drawings.size());

    ASSERT_TRUE(markpen_update(picture.paint, true, true));
    QTemporaryDir dir;
    const std::string out = dir.filePath("drawn.jpg").toStdString();
    ASSERT_TRUE(markpen_save_jpg_file(picture.paint, out, std::string("drawn by mouse"), true, true));

    Opened back;
    ASSERT_EQ(back.open(out.c_str()), "");
    restore_stored_objects(back);
    std::vector<std::string> reloaded = all_anas(back.doc);
    std::sort(objects.begin(), objects.end());
    std::sort(reloaded.begin(), reloaded.end());
    EXPECT_EQ(reloaded, objects);
    for (size_t i = 0; i < drawn.size(); ++i) {
        SCOPED_TRACE(drawn[i]);
        EXPECT_TRUE(temperatures(back.doc, drawn[i]) == before[i]);
    }
}

}  // namespace
