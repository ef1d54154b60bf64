// The analysis collection: keys, counts, hit order, updates, attributes and
// the anas buffer.
#include "frame_fixture.h"

#include <cstdlib>

using fk_test::Frame;

namespace {

class Collection : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.ok());
        ASSERT_TRUE(vy_ad_set_resolution(frame.h(), 64, 48));
        std::vector<uint8_t> bytes = fk_test::bytes_of(fk_test::gradient_plane(64, 48));
        vy_ad_set_data_checked(frame.h(), bytes.data(), static_cast<uint32_t>(bytes.size()));
    }
    bool add(const std::string& ana)
    {
        tagVYAnaInfo info = fk_test::default_info();
        return vy_ad_add_ana(frame.h(), ana.c_str(), &info);
    }
    uint32_t count(int type)
    {
        uint32_t n = 999;
        EXPECT_TRUE(vy_ad_get_ana_count(frame.h(), type, &n));
        return n;
    }
    std::vector<uint8_t> anas_buffer()
    {
        uint32_t length = 0;
        EXPECT_TRUE(vy_ad_save_anas_to_buffer(frame.h(), nullptr, &length));
        std::vector<uint8_t> buffer(length);
        EXPECT_TRUE(vy_ad_save_anas_to_buffer(frame.h(), buffer.data(), &length));
        return buffer;
    }

    Frame frame;
};

}  // namespace

TEST_F(Collection, keys_are_canonical_and_collisions_refused)
{
    ASSERT_TRUE(add("R:1,1;5,5;-R1"));
    ASSERT_TRUE(add("R:1,1;5,5;-R1"));
    EXPECT_EQ(1u, count(ANA_ALL));
    // Same nodes under another alias would strand one of the two.
    EXPECT_FALSE(add("R:1,1;5,5;-R2"));
    EXPECT_EQ(1u, count(ANA_RECT));

    // Any string with the type and nodes finds the analysis.
    uint32_t pixels = 0;
    EXPECT_TRUE(vy_ana_get_pixel_count(frame.h(), "R:1,1;5,5;-", &pixels));
    EXPECT_TRUE(vy_ana_get_pixel_count(frame.h(), "R:1,1;5,5;-R1", &pixels));
    EXPECT_EQ(25u, pixels);
    EXPECT_FALSE(vy_ana_get_pixel_count(frame.h(), "R:1,1;5,6;-", &pixels));
    EXPECT_FALSE(vy_ana_get_pixel_count(frame.h(), nullptr, &pixels));

    char alias[8] = {};
    uint32_t length = sizeof(alias);
    ASSERT_TRUE(vy_ana_get_alias(frame.h(), "R:1,1;5,5;-", alias, &length));
    EXPECT_STREQ("R1", alias);

    EXPECT_FALSE(add(""));
    EXPECT_FALSE(add("Q:1,1;-"));
    EXPECT_FALSE(add("A:1,1;2,2;-"));  // a polygon needs three nodes
    EXPECT_FALSE(vy_ad_add_ana(frame.h(), "P:1,1;-", nullptr));
}

TEST_F(Collection, counts_strings_and_long_polygons)
{
    std::vector<tagVYPoint> poly;
    for (int i = 0; i < 40; ++i) {
        poly.push_back(tagVYPoint{static_cast<uint16_t>(100 + i * 13 % 50), static_cast<uint16_t>(200 + i * 7)});
    }
    std::string polygon = fk_test::format(ANA_POLYGON, poly);
    ASSERT_GT(polygon.size(), 128u);
    ASSERT_TRUE(vy_ad_add_anas(frame.h(), ("P:3,4;-P1" + polygon + "L:0,0;9,9;-L1P:1,2;-P2").c_str()));
    EXPECT_EQ(4u, count(ANA_ALL));
    EXPECT_EQ(2u, count(ANA_POINT));
    EXPECT_EQ(1u, count(ANA_POLYGON));
    EXPECT_EQ(0u, count(ANA_ELLIPSE));

    std::string all;
    ASSERT_TRUE(vy_ad_get_str_of_anas(frame.h(), ANA_ALL, &all));
    EXPECT_EQ(polygon + "L:0,0;9,9;-P:1,2;-P:3,4;-", all);
    std::string points;
    ASSERT_TRUE(vy_ad_get_str_of_anas(frame.h(), ANA_POINT, &points));
    EXPECT_EQ("P:3,4;-P:1,2;-", points);

    uint32_t nodes = 0;
    ASSERT_TRUE(vy_ana_get_nodes(frame.h(), polygon.c_str(), &nodes, nullptr));
    EXPECT_EQ(40u, nodes);
    std::vector<tagVYPoint> back(40);
    nodes = 39;
    EXPECT_FALSE(vy_ana_get_nodes(frame.h(), polygon.c_str(), &nodes, back.data()));
    nodes = 40;
    ASSERT_TRUE(vy_ana_get_nodes(frame.h(), polygon.c_str(), &nodes, back.data()));
    EXPECT_EQ(poly[39].y, back[39].y);

    // Deleting stops at the first analysis that is not there.
    EXPECT_FALSE(vy_ad_delete_anas(frame.h(), "P:3,4;-P:7,7;-P:1,2;-"));
    EXPECT_EQ(3u, count(ANA_ALL));
    EXPECT_FALSE(vy_ad_delete_anas(frame.h(), "garbage"));
    ASSERT_TRUE(vy_ad_delete_all_ana(frame.h()));
    EXPECT_EQ(0u, count(ANA_ALL));
}

TEST_F(Collection, hit_order_range_and_visibility)
{
    ASSERT_TRUE(add("P:14,10;-"));
    ASSERT_TRUE(add("P:10,10;-"));
    ASSERT_TRUE(vy_ad_set_hit_range(frame.h(), ANA_ALL, 2));
    int32_t code = -1;
    std::string hit;
    // Equal distance: the smaller string is asked first.
    ASSERT_TRUE(vy_ad_get_hit_ana(frame.h(), 12, 10, &code, &hit));
    EXPECT_EQ(0, code);
    EXPECT_EQ("P:10,10;-", hit);
    ASSERT_TRUE(vy_ad_get_hit_ana(frame.h(), 14, 11, &code, &hit));
    EXPECT_EQ("P:14,10;-", hit);

    // Range 0 is stored as 1.
    ASSERT_TRUE(vy_ad_set_hit_range(frame.h(), ANA_POINT, 0));
    hit = "unchanged";
    ASSERT_TRUE(vy_ad_get_hit_ana(frame.h(), 12, 10, &code, &hit));
    EXPECT_EQ(100, code);
    EXPECT_EQ("unchanged", hit);
    ASSERT_TRUE(vy_ad_get_hit_ana(frame.h(), 11, 10, &code, &hit));
    EXPECT_EQ("P:10,10;-", hit);

    // Hidden or fixed analyses take no part.
    ASSERT_TRUE(vy_ana_set_visible(frame.h(), "P:10,10;-", 0));
    ASSERT_TRUE(vy_ana_set_can_move(frame.h(), "P:14,10;-", 0));
    code = -1;
    hit = "unchanged";
    ASSERT_TRUE(vy_ad_get_hit_ana(frame.h(), 10, 10, &code, &hit));
    EXPECT_EQ(-1, code);
    EXPECT_EQ("unchanged", hit);
}

TEST_F(Collection, updates_rekey_and_refuse_collisions)
{
    ASSERT_TRUE(add("R:2,2;8,8;-R1"));
    ASSERT_TRUE(add("E:20,20;30,28;-"));
    ASSERT_TRUE(add("R:40,40;45,45;-"));
    ASSERT_TRUE(vy_ad_update_ana_size(frame.h(), "R:2,2;8,8;-R1", "R:3,3;9,9;-R1"));
    uint32_t pixels = 0;
    EXPECT_FALSE(vy_ana_get_pixel_count(frame.h(), "R:2,2;8,8;-", &pixels));
    ASSERT_TRUE(vy_ana_get_pixel_count(frame.h(), "R:3,3;9,9;-", &pixels));
    EXPECT_EQ(49u, pixels);
    std::string all;
    ASSERT_TRUE(vy_ad_get_str_of_anas(frame.h(), ANA_ALL, &all));
    EXPECT_EQ("E:20,20;30,28;-R:3,3;9,9;-R:40,40;45,45;-", all);

    // Onto another analysis's nodes, or to another type: refused, nothing moves.
    EXPECT_FALSE(vy_ad_update_ana_size(frame.h(), "R:3,3;9,9;-", "E:20,20;30,28;-"));
    tagVYPoint onto[2] = {{40, 40}, {45, 45}};
    EXPECT_FALSE(vy_ad_update_ana_size_ex(frame.h(), "R:3,3;9,9;-", onto, 2));
    tagVYPoint three[3] = {{1, 1}, {2, 2}, {3, 3}};
    EXPECT_FALSE(vy_ad_update_ana_size_ex(frame.h(), "R:3,3;9,9;-", three, 3));
    EXPECT_FALSE(vy_ad_update_ana_size_ex(frame.h(), "R:9,9;9,9;-", onto, 2));
    EXPECT_EQ(3u, count(ANA_ALL));

    tagVYPoint moved[2] = {{1, 1}, {4, 2}};
    ASSERT_TRUE(vy_ad_update_ana_size_ex(frame.h(), "R:3,3;9,9;-", moved, 2));
    ASSERT_TRUE(vy_ana_get_pixel_count(frame.h(), "R:1,1;4,2;-", &pixels));
    EXPECT_EQ(8u, pixels);
    // The statistics follow the new nodes.
    uint16_t record[3];
    ASSERT_TRUE(vy_ana_get_max_ad(frame.h(), "R:1,1;4,2;-", record));
    EXPECT_LE(record[0], 4);
    EXPECT_LE(record[1], 2);
}

TEST_F(Collection, attributes_texts_and_info)
{
    ASSERT_TRUE(add("L:1,1;20,5;-"));
    const char* ana = "L:1,1;20,5;-";
    ASSERT_TRUE(vy_ana_set_alias(frame.h(), ana, "hot pipe"));
    uint32_t length = 0;
    ASSERT_TRUE(vy_ana_get_alias(frame.h(), ana, nullptr, &length));
    EXPECT_EQ(8u, length);
    // A capacity equal to the length leaves no room for the terminator.
    char text[16];
    std::memset(text, 'x', sizeof(text));
    length = 8;
    EXPECT_FALSE(vy_ana_get_alias(frame.h(), ana, text, &length));
    EXPECT_EQ('x', text[8]);
    length = 9;
    ASSERT_TRUE(vy_ana_get_alias(frame.h(), ana, text, &length));
    EXPECT_STREQ("hot pipe", text);
    EXPECT_FALSE(vy_ana_set_des(frame.h(), ana, nullptr));

    ASSERT_TRUE(vy_ana_set_self_para(frame.h(), ana, 1, 0.9f, 2.5f));
    uint8_t flag = 0;
    uint32_t v1 = 0;
    uint32_t v2 = 0;
    ASSERT_TRUE(vy_ana_get_self_para(frame.h(), ana, &flag, &v1, &v2));
    float f1 = 0;
    std::memcpy(&f1, &v1, 4);
    EXPECT_EQ(1, flag);
    EXPECT_FLOAT_EQ(0.9f, f1);
    EXPECT_FALSE(vy_ana_get_self_para(frame.h(), ana, &flag, nullptr, &v2));

    ASSERT_TRUE(vy_ana_set_line_color(frame.h(), ana, 0x123456));
    tagVYAnaInfo info{};
    ASSERT_TRUE(vy_ana_get_info(frame.h(), ana, &info));
    EXPECT_EQ(0x123456u, info.line_color);
    ASSERT_NE(nullptr, info.alias);
    EXPECT_STREQ("hot pipe", info.alias);
    EXPECT_EQ(nullptr, info.des);
    ASSERT_NE(nullptr, info.cursor);
    EXPECT_FLOAT_EQ(0.5f, info.cursor->scale);
    std::free(info.alias);
    std::free(info.cursor);

    tagVYAnaInfo set = fk_test::default_info();
    char des[] = "flange";
    set.des = des;
    set.show_text_type = 7;
    ASSERT_TRUE(vy_ana_set_info(frame.h(), ana, &set));
    uint32_t type = 0;
    ASSERT_TRUE(vy_ana_get_show_text_type(frame.h(), ana, &type));
    EXPECT_EQ(7u, type);
    length = sizeof(text);
    ASSERT_TRUE(vy_ana_get_des(frame.h(), ana, text, &length));
    EXPECT_STREQ("flange", text);
}

TEST_F(Collection, anas_buffer_layout)
{
    std::vector<uint8_t> empty = anas_buffer();
    EXPECT_EQ((std::vector<uint8_t>{0, 0, 0, 0, 0}), empty);

    ASSERT_TRUE(add("R:2,2;8,8;-"));
    ASSERT_TRUE(add("L:1,1;9,1;-"));
    std::vector<uint8_t> buffer = anas_buffer();
    // By type: the line (44-byte record) before the rectangle (40 bytes).
    const std::string line = "L:1,1;9,1;-";
    const std::string rect = "R:2,2;8,8;-";
    ASSERT_EQ(5u + 2 + line.size() + 44 + 2 + rect.size() + 40, buffer.size());
    EXPECT_EQ(2, buffer[1]);
    EXPECT_EQ(line.size(), buffer[5]);
    EXPECT_EQ(line, std::string(buffer.begin() + 7, buffer.begin() + 7 + line.size()));

    uint32_t length = static_cast<uint32_t>(buffer.size() - 1);
    std::vector<uint8_t> small(length, 0xEE);
    EXPECT_FALSE(vy_ad_save_anas_to_buffer(frame.h(), small.data(), &length));
    EXPECT_EQ(buffer.size(), length);
    EXPECT_EQ(std::vector<uint8_t>(small.size(), 0xEE), small);
    EXPECT_FALSE(vy_ad_save_anas_to_buffer(frame.h(), small.data(), nullptr));

    // Own parameters, alias and description lengthen the record.
    ASSERT_TRUE(vy_ana_set_self_para(frame.h(), rect.c_str(), 1, 0.95f, 3.0f));
    ASSERT_TRUE(vy_ana_set_alias(frame.h(), rect.c_str(), "R1"));
    EXPECT_EQ(buffer.size() + 5 + 2, anas_buffer().size());
}
