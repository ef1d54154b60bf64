#include "doc_fixture.h"

#include <atomic>
#include <cmath>
#include <thread>

namespace {

using ana_registry = DocTest;

std::string alias_of(void* ana)
{
    std::string alias;
    return thermframe_ana_get_alias(ana, alias) ? alias : std::string("<none>");
}

TEST_F(ana_registry, aliases_are_generated_and_reused)
{
    void* first = nullptr;
    void* second = nullptr;
    void* third = nullptr;
    ASSERT_TRUE(thermframe_add_ana(doc_, "P:10,20;-", first));
    ASSERT_TRUE(thermframe_add_ana(doc_, "P:30,40;-", second));
    EXPECT_EQ(alias_of(first), "P1");
    EXPECT_EQ(alias_of(second), "P2");
    AnaType type;
    ASSERT_TRUE(thermframe_ana_get_type(first, type));
    EXPECT_EQ(type, ANA_POINT);

    ASSERT_TRUE(thermframe_delete_ana(doc_, "P:10,20;-"));
    EXPECT_FALSE(thermframe_ana_is_valid(doc_, first));
    EXPECT_FALSE(thermframe_ana_get_type(first, type));
    void* found = nullptr;
    EXPECT_FALSE(thermframe_get_ana_handle_from_alias(doc_, "P1", found));

    ASSERT_TRUE(thermframe_add_ana(doc_, "P:50,60;-", third));
    EXPECT_EQ(alias_of(third), "P1");
    ASSERT_TRUE(thermframe_get_ana_handle_from_alias(doc_, "P1", found));
    EXPECT_EQ(found, third);
    std::string name;
    ASSERT_TRUE(thermframe_ana_get_name(third, name));
    EXPECT_EQ(name, "P2");  // second in the list of points
}

TEST_F(ana_registry, same_text_replaces_entry)
{
    void* first = nullptr;
    void* second = nullptr;
    ASSERT_TRUE(thermframe_add_ana(doc_, "R:10,10;50,40;-", first));
    ASSERT_TRUE(thermframe_add_ana(doc_, "R:10,10;50,40;-", second));
    int32_t count = -1;
    ASSERT_TRUE(thermframe_get_anas_count(doc_, ANA_RECT, count));
    EXPECT_EQ(count, 1);
    EXPECT_FALSE(thermframe_ana_is_valid(doc_, first) && first != second);
    EXPECT_TRUE(thermframe_ana_is_valid(doc_, second));
    ASSERT_TRUE(thermframe_add_ana(doc_, "L:1,1;100,100;-"));
    ASSERT_TRUE(thermframe_get_anas_count(doc_, ANA_ALL, count));
    EXPECT_EQ(count, 2);
    ASSERT_TRUE(thermframe_get_anas_count(doc_, static_cast<AnaType>(60), count));
    EXPECT_EQ(count, 0);

    void* by_index = nullptr;
    std::string text;
    ASSERT_TRUE(thermframe_get_ana(doc_, ANA_LINE, 0, text));
    EXPECT_EQ(text, "L:1,1;100,100;-");
    EXPECT_FALSE(thermframe_get_ana(doc_, ANA_LINE, 1, text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(thermframe_get_ana(doc_, ANA_LINE, -1, by_index));
    EXPECT_EQ(by_index, nullptr);
    by_index = &count;
    EXPECT_FALSE(thermframe_get_ana(doc_, static_cast<AnaType>(60), 0, by_index));
    EXPECT_EQ(by_index, static_cast<void*>(&count));
}

TEST_F(ana_registry, refused_lists_leave_no_trace)
{
    const std::string polygon_150 = [] {
        std::string s = "A:";
        for (int i = 0; i < 150; ++i) {
            s += std::to_string(10 + i % 90) + "," + std::to_string(i < 75 ? 1 : 9) + ";";
        }
        return s + "-";
    }();
    const char* refused[] = {
        "",                           // empty
        "X:1,1;-",                    // unknown letter
        "P:1,1;-L:5,5;-",             // a line with one node
        "P:1,1;-R:1,1;9,9;-Q:3,3;-",  // good pieces before a bad one
        "P:1,1;2,2;-",                // a point with two nodes
    };
    // Longer than the 128 characters a short split buffer would hold.
    ASSERT_GT(polygon_150.size(), 128u);
    ASSERT_LT(polygon_150.size(), 1024u);
    for (const char* list : refused) {
        EXPECT_FALSE(thermframe_add_anas(doc_, list)) << list;
        EXPECT_FALSE(thermframe_load_anas(doc_, list)) << list;
    }
    EXPECT_FALSE(thermframe_add_ana(doc_, "X:1,1;-"));
    EXPECT_FALSE(thermframe_add_ana(doc_, std::string(2000, 'P')));
    int32_t count = -1;
    ASSERT_TRUE(thermframe_get_anas_count(doc_, ANA_ALL, count));
    EXPECT_EQ(count, 0);
    // sensekern got none of the good pieces either: adding them now works once.
    std::string alias;
    EXPECT_FALSE(thermframe_ana_get_alias(doc_, "P:1,1;-", alias));

    ASSERT_TRUE(thermframe_add_anas(doc_, "P:1,1;-" + polygon_150 + "R:1,1;9,9;-"));
    ASSERT_TRUE(thermframe_get_anas_count(doc_, ANA_ALL, count));
    EXPECT_EQ(count, 3);
    ASSERT_TRUE(thermframe_load_anas(doc_, "L:5,5;50,50;-"));
    ASSERT_TRUE(thermframe_get_anas_count(doc_, ANA_ALL, count));
    EXPECT_EQ(count, 1);
}

TEST_F(ana_registry, hit_test_returns_long_polygon_text)
{
    std::string polygon = "A:";
    for (int i = 0; i < 40; ++i) {
        // A ring of 40 nodes around (200, 150), radius 80.
        const double a = i * 2 * 3.14159265358979 / 40;
        polygon += std::to_string(static_cast<int>(200 + 80 * std::cos(a))) + "," +
                   std::to_string(static_cast<int>(150 + 80 * std::sin(a))) + ";";
    }
    polygon += "-";
    ASSERT_GT(polygon.size(), 100u);
    void* added = nullptr;
    ASSERT_TRUE(thermframe_add_ana(doc_, polygon, added));
    AnaType code = ANA_ALL;
    void* hit = nullptr;
    ASSERT_TRUE(thermframe_get_hit_ana(doc_, 200, 150, code, hit));
    EXPECT_EQ(hit, added);
    EXPECT_GE(static_cast<int>(code), 40);
    EXPECT_LE(static_cast<int>(code), 42);

    code = ANA_ALL;
    std::string text;
    EXPECT_FALSE(thermframe_get_hit_ana_str(doc_, 5, 280, code, text));
    EXPECT_EQ(code, ANA_ALL);
}

TEST_F(ana_registry, move_stays_inside_the_frame)
{
    void* point = nullptr;
    ASSERT_TRUE(thermframe_add_ana(doc_, "P:3,10;-", point));
    EXPECT_FALSE(thermframe_ana_move_position(point, -5, 0));
    void* edge = nullptr;
    ASSERT_TRUE(thermframe_add_ana(doc_, "P:383,10;-", edge));
    EXPECT_FALSE(thermframe_ana_move_position(edge, 1, 0));

    ASSERT_TRUE(thermframe_ana_move_position(point, 7, 5));
    std::string text;
    ASSERT_TRUE(thermframe_get_ana_str_from_handle(doc_, point, text));
    EXPECT_EQ(text, "P:10,15;-");
    std::vector<tagVYPoint> nodes;
    ASSERT_TRUE(thermframe_ana_get_node(point, nodes));
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0].x, 10);
    EXPECT_EQ(nodes[0].y, 15);

    ASSERT_TRUE(thermframe_update_ana_size(doc_, "P:10,15;-", "P:20,25;-"));
    EXPECT_FALSE(thermframe_update_ana_size(doc_, "P:10,15;-", "P:21,25;-"));
    EXPECT_FALSE(thermframe_update_ana_size(doc_, "P:20,25;-", "L:1,1;2,2;-"));
    ASSERT_TRUE(thermframe_get_ana_str_from_handle(doc_, point, text));
    EXPECT_EQ(text, "P:20,25;-");
}

TEST_F(ana_registry, selection_and_alias_changes)
{
    void* a = nullptr;
    void* b = nullptr;
    ASSERT_TRUE(thermframe_add_ana(doc_, "P:10,10;-", a));
    ASSERT_TRUE(thermframe_add_ana(doc_, "P:20,20;-", b));
    ASSERT_TRUE(thermframe_ana_set_select(doc_, "P:20,20;-"));
    void* selected = nullptr;
    ASSERT_TRUE(thermframe_get_select_ana(doc_, selected));
    EXPECT_EQ(selected, b);
    ASSERT_TRUE(thermframe_ana_set_select(doc_, "P:99,99;-"));
    EXPECT_FALSE(thermframe_get_select_ana(doc_, selected));

    ASSERT_TRUE(thermframe_ana_set_alias(a, "Hot spot"));
    EXPECT_EQ(alias_of(a), "Hot spot");
    void* found = nullptr;
    ASSERT_TRUE(thermframe_get_ana_handle_from_alias(doc_, "Hot spot", found));
    EXPECT_EQ(found, a);
    EXPECT_FALSE(thermframe_get_ana_handle_from_alias(doc_, "P1", found));
    EXPECT_TRUE(thermframe_ana_set_alias(a, "Hot spot"));    // already its own
    EXPECT_FALSE(thermframe_ana_set_alias(b, "Hot spot"));   // held by another
    EXPECT_FALSE(thermframe_ana_set_alias(b, ""));
    EXPECT_FALSE(thermframe_ana_set_alias(b, std::string(100, 'x')));
    EXPECT_EQ(alias_of(b), "P2");

    ASSERT_TRUE(thermframe_delete_all_ana(doc_));
    EXPECT_FALSE(thermframe_get_ana_handle_from_alias(doc_, "Hot spot", found));
    EXPECT_FALSE(thermframe_ana_set_alias(a, "again"));
}

TEST_F(ana_registry, label_of_point_in_open_window)
{
    ASSERT_TRUE(thermframe_set_wnd_show_resolution(doc_, 768, 576));
    ASSERT_TRUE(thermframe_add_ana(doc_, "P:192,144;-"));
    int32_t ax = 0, ay = 0, side = -1, dx = 0, dy = 0;
    ASSERT_TRUE(thermframe_get_text_loc(doc_, "P:192,144;-", false, ax, ay, side, dx, dy));
    EXPECT_EQ(ax, 192);
    EXPECT_EQ(ay, 144);
    EXPECT_EQ(side, 0);
    EXPECT_EQ(dx, -15);
    EXPECT_EQ(dy, -20 - line_height());
    EXPECT_FALSE(thermframe_get_text_loc(doc_, "P:1,1;-", false, ax, ay, side, dx, dy));

    // Rectangle spanning the whole window width: its label goes above it.
    ASSERT_TRUE(thermframe_add_ana(doc_, "R:0,100;383,287;-"));
    ASSERT_TRUE(thermframe_get_text_loc(doc_, "R:0,100;383,287;-", false, ax, ay, side, dx, dy));
    EXPECT_EQ(side, 2);
    EXPECT_EQ(ax, 0);
    EXPECT_EQ(ay, 100);
    EXPECT_EQ(dy, -1 - line_height());
}

TEST_F(ana_registry, two_threads_add_delete_and_query)
{
    std::atomic<bool> stop{false};
    std::thread reader([&] {
        while (!stop.load()) {
            int32_t count = 0;
            thermframe_get_anas_count(doc_, ANA_ALL, count);
            void* ana = nullptr;
            if (thermframe_get_ana(doc_, ANA_POINT, 0, ana)) {
                uint16_t x, y, ad;
                float t;
                std::string alias;
                thermframe_ana_get_max_temp(ana, x, y, ad, t);
                thermframe_ana_get_alias(ana, alias);
                thermframe_ana_is_valid(doc_, ana);
            }
            std::string text;
            thermframe_get_ana(doc_, ANA_RECT, 0, text);
            int32_t ax, ay, side, dx, dy;
            thermframe_get_text_loc(doc_, text, false, ax, ay, side, dx, dy);
        }
    });
    for (int i = 0; i < 60; ++i) {
        const std::string point = "P:" + std::to_string(10 + i) + ",20;-";
        ASSERT_TRUE(thermframe_add_ana(doc_, point));
        ASSERT_TRUE(thermframe_add_ana(doc_, "R:5,5;" + std::to_string(40 + i) + ",60;-"));
        if (i % 3 == 0) {
            ASSERT_TRUE(thermframe_delete_ana(doc_, point));
        }
        if (i % 20 == 19) {
            ASSERT_TRUE(thermframe_delete_all_ana(doc_));
        }
    }
    stop = true;
    reader.join();
    int32_t count = -1;
    ASSERT_TRUE(thermframe_get_anas_count(doc_, ANA_ALL, count));
    EXPECT_EQ(count, 0);
}

}  // namespace
