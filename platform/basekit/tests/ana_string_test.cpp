#include "basekit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string format(AnaType type, const std::vector<tagVYPoint>& nodes)
{
    char buffer[VY_ANA_STR_CAPACITY] = {};
    int length = sizeof(buffer);
    EXPECT_EQ(VY_OK, vy_format_ana_str(type, nodes.data(), static_cast<int>(nodes.size()), buffer,
                                       &length));
    EXPECT_EQ(static_cast<int>(std::string(buffer).size()), length);
    return buffer;
}

std::vector<tagVYPoint> parse(const std::string& text)
{
    int count = 0;
    EXPECT_EQ(VY_OK, vy_parse_pts_from_ana_str(text.c_str(), nullptr, &count)) << text;
    std::vector<tagVYPoint> nodes(count);
    EXPECT_EQ(VY_OK, vy_parse_pts_from_ana_str(text.c_str(), nodes.data(), &count)) << text;
    return nodes;
}

std::vector<tagVYPoint> poly_nodes(int count)
{
    std::vector<tagVYPoint> nodes;
    for (int i = 0; i < count; ++i) {
        nodes.push_back({static_cast<uint16_t>(i % 97), static_cast<uint16_t>((i * 7) % 89)});
    }
    return nodes;
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

}  // namespace

TEST(AnaString, round_trip_all_six_types)
{
    struct Case {
        AnaType type;
        char letter;
        std::vector<tagVYPoint> nodes;
    };
    const std::vector<Case> cases = {
        {ANA_POINT, 'P', {{0, 65535}}},
        {ANA_LINE, 'L', {{3, 4}, {10, 12}}},
        {ANA_ELLIPSE, 'E', {{100, 50}, {20, 30}}},
        {ANA_RECT, 'R', {{1, 1}, {639, 479}}},
        {ANA_POLYGON, 'A', {{1, 2}, {30, 4}, {15, 40}}},
        {ANA_POLYLINE, 'S', {{5, 5}, {6, 6}}},
    };
    for (const Case& c : cases) {
        std::string text = format(c.type, c.nodes);
        EXPECT_EQ(c.letter, text[0]);
        EXPECT_EQ('-', text.back());
        AnaType type;
        ASSERT_EQ(VY_OK, vy_parse_ana_type_of_char(text[0], &type));
        EXPECT_EQ(c.type, type);
        EXPECT_TRUE(same(c.nodes, parse(text))) << text;
    }
    EXPECT_EQ("L:3,4;10,12;-", format(ANA_LINE, {{3, 4}, {10, 12}}));
}

TEST(AnaString, node_counts_are_checked_per_type)
{
    std::vector<tagVYPoint> nodes = poly_nodes(151);
    char buffer[VY_ANA_STR_CAPACITY];
    struct Case {
        AnaType type;
        int count;
        bool ok;
    };
    for (const Case& c : std::vector<Case>{{ANA_POINT, 1, true},
                                           {ANA_POINT, 2, false},
                                           {ANA_LINE, 1, false},
                                           {ANA_RECT, 3, false},
                                           {ANA_POLYGON, 1, false},
                                           {ANA_POLYGON, 150, true},
                                           {ANA_POLYLINE, 151, false},
                                           {ANA_ALL, 1, false}}) {
        int length = sizeof(buffer);
        EXPECT_EQ(c.ok, vy_format_ana_str(c.type, nodes.data(), c.count, buffer, &length) == VY_OK)
            << c.type << " " << c.count;
    }
    int count = 0;
    EXPECT_NE(VY_OK, vy_parse_pts_from_ana_str("P:1,2;3,4;-", nullptr, &count));
    EXPECT_NE(VY_OK, vy_parse_pts_from_ana_str("R:1,2;-", nullptr, &count));
    AnaType type;
    EXPECT_NE(VY_OK, vy_parse_ana_type_of_char('X', &type));
}

TEST(AnaString, malformed_and_out_of_range_text_is_refused)
{
    for (const char* text : {"", "P", "P:", "P:-", "P:1,2", "P:1,2;x", "P:1;-", "P:-1,2;-",
                             "P:1,65536;-", "P:99999999999999999999,1;-", "P:+1,2;-", "P:1,2;-a:b",
                             "P:1,2;-a;b", "Q:1,2;-", "p:1,2;-", "P:1, 2;-", "P:1,2;-L:1,2;3,4;-"}) {
        int count = 0;
        EXPECT_NE(VY_OK, vy_parse_pts_from_ana_str(text, nullptr, &count)) << text;
    }
    int count = 0;
    EXPECT_EQ(VY_OK, vy_parse_pts_from_ana_str("P:0,65535;", nullptr, &count));
    EXPECT_EQ(1, count);
}

TEST(AnaString, alias_and_index_parts)
{
    char buffer[128];
    int length = sizeof(buffer);
    ASSERT_EQ(VY_OK, vy_format_ana_index(ANA_RECT, 3, buffer, &length));
    EXPECT_STREQ("R3", buffer);
    EXPECT_EQ(2, length);
    length = sizeof(buffer);
    EXPECT_NE(VY_OK, vy_format_ana_index(ANA_RECT, 0, buffer, &length));

    length = sizeof(buffer);
    ASSERT_EQ(VY_OK, vy_parse_alias_of_ana_str("R:1,2;3,4;-R3", buffer, &length));
    EXPECT_STREQ("R3", buffer);
    length = sizeof(buffer);
    ASSERT_EQ(VY_OK, vy_parse_alias_of_ana_str("R:1,2;3,4;-", buffer, &length));
    EXPECT_EQ(0, length);
    EXPECT_STREQ("", buffer);

    // A buffer too small is refused with the size needed, never cut.
    length = 2;
    EXPECT_EQ(VY_ERR_CAPACITY, vy_parse_alias_of_ana_str("R:1,2;3,4;-R3", buffer, &length));
    EXPECT_EQ(2, length);
}

TEST(AnaString, list_iteration_with_long_polygon)
{
    std::string polygon = format(ANA_POLYGON, poly_nodes(150));
    ASSERT_GT(polygon.size(), 127u);
    ASSERT_LT(polygon.size(), 1024u);
    std::string list = "P:1,2;-P1" + polygon + "A7" + "L:3,4;10,12;-" + "S:5,5;6,6;7,9;-S1";

    int count = 0;
    ASSERT_EQ(VY_OK, vy_parse_anas_count_of_anas_str(list.c_str(), &count));
    EXPECT_EQ(4, count);

    std::vector<std::string> pieces;
    char buffer[VY_ANA_STR_CAPACITY];
    int position = 0;
    int length = sizeof(buffer);
    int result = vy_get_first_ana_from_anas_str(list.c_str(), &position, buffer, &length);
    while (result == VY_OK) {
        pieces.emplace_back(buffer);
        length = sizeof(buffer);
        result = vy_get_next_ana_from_anas_str(list.c_str(), &position, buffer, &length);
    }
    ASSERT_EQ(4u, pieces.size());
    EXPECT_EQ("P:1,2;-P1", pieces[0]);
    EXPECT_EQ(polygon + "A7", pieces[1]);
    EXPECT_TRUE(same(poly_nodes(150), parse(pieces[1])));
    EXPECT_EQ("S:5,5;6,6;7,9;-S1", pieces[3]);
    EXPECT_EQ(static_cast<int>(list.size()), position);

    // The 128-character buffer of older callers gets a refusal and the size,
    // and the position stays so the caller can retry with more room.
    char small[128];
    position = 0;
    length = sizeof(small);
    ASSERT_EQ(VY_OK, vy_get_first_ana_from_anas_str(list.c_str(), &position, small, &length));
    int before = position;
    length = sizeof(small);
    EXPECT_EQ(VY_ERR_CAPACITY, vy_get_next_ana_from_anas_str(list.c_str(), &position, small, &length));
    EXPECT_EQ(static_cast<int>(polygon.size() + 2), length);
    EXPECT_EQ(before, position);
}

TEST(AnaString, longer_than_1023_characters_is_refused)
{
    std::vector<tagVYPoint> big(150, tagVYPoint{65535, 65535});
    char buffer[VY_ANA_STR_CAPACITY];
    int length = sizeof(buffer);
    EXPECT_EQ(VY_ERR_ARGUMENT, vy_format_ana_str(ANA_POLYGON, big.data(), 150, buffer, &length));

    std::string text = "A:";
    for (int i = 0; i < 150; ++i) {
        text += "65535,65535;";
    }
    text += "-";
    int count = 0;
    EXPECT_NE(VY_OK, vy_parse_pts_from_ana_str(text.c_str(), nullptr, &count));
    EXPECT_NE(VY_OK, vy_parse_anas_count_of_anas_str(text.c_str(), &count));
}

TEST(AnaString, broken_list_ends_iteration)
{
    const char* list = "P:1,2;-P1L:3,4;junk";
    int count = 0;
    EXPECT_EQ(VY_ERR_DATA, vy_parse_anas_count_of_anas_str(list, &count));
    char buffer[128];
    int position = 0;
    int length = sizeof(buffer);
    ASSERT_EQ(VY_OK, vy_get_first_ana_from_anas_str(list, &position, buffer, &length));
    length = sizeof(buffer);
    EXPECT_EQ(VY_ERR_DATA, vy_get_next_ana_from_anas_str(list, &position, buffer, &length));
    position = 1000;
    length = sizeof(buffer);
    EXPECT_NE(VY_OK, vy_get_next_ana_from_anas_str(list, &position, buffer, &length));
    EXPECT_EQ(VY_OK, vy_parse_anas_count_of_anas_str("", &count));
    EXPECT_EQ(0, count);
}
