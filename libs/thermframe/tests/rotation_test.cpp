#include "rotation.h"

#include <gtest/gtest.h>

using namespace thermframe::detail;

namespace {

struct Corner {
    uint16_t x, y;
};

// Rotation 0..4 applied to the four corners of a 384 x 288 frame.
TEST(rotation_table, corners_and_round_trip)
{
    const uint16_t w = 384;
    const uint16_t h = 288;
    const Corner corners[4] = {{0, 0}, {383, 0}, {0, 287}, {383, 287}};
    const Corner expected[5][4] = {
        {{0, 0}, {383, 0}, {0, 287}, {383, 287}},      // 0: unchanged
        {{287, 0}, {287, 383}, {0, 0}, {0, 383}},      // 1: (H-1-y, x)
        {{0, 383}, {0, 0}, {287, 383}, {287, 0}},      // 2: (y, W-1-x)
        {{383, 287}, {0, 287}, {383, 0}, {0, 0}},      // 3: half turn
        {{383, 287}, {0, 287}, {383, 0}, {0, 0}},      // 4: half turn
    };
    for (int rotation = 0; rotation <= 4; ++rotation) {
        for (int i = 0; i < 4; ++i) {
            uint16_t x = corners[i].x;
            uint16_t y = corners[i].y;
            abs_to_direction(rotation, w, h, x, y);
            EXPECT_EQ(x, expected[rotation][i].x) << "rotation " << rotation << " corner " << i;
            EXPECT_EQ(y, expected[rotation][i].y) << "rotation " << rotation << " corner " << i;
            direction_to_abs(rotation, w, h, x, y);
            EXPECT_EQ(x, corners[i].x) << "round trip, rotation " << rotation;
            EXPECT_EQ(y, corners[i].y) << "round trip, rotation " << rotation;
        }
    }
}

TEST(rotation_table, unknown_rotation_leaves_point)
{
    for (int rotation : {-1, 5, 100}) {
        uint16_t x = 12;
        uint16_t y = 34;
        abs_to_direction(rotation, 384, 288, x, y);
        EXPECT_EQ(x, 12);
        EXPECT_EQ(y, 34);
    }
}

TEST(rotation_table, position_codes)
{
    // The same visual corner after a turn and back: each table is a permutation.
    for (int rotation = 1; rotation <= 4; ++rotation) {
        bool seen[12] = {};
        for (int code = 0; code < 12; ++code) {
            int mapped = map_position_code(rotation, code);
            ASSERT_GE(mapped, 0);
            ASSERT_LT(mapped, 12);
            seen[mapped] = true;
        }
        for (bool s : seen) {
            EXPECT_TRUE(s) << "rotation " << rotation;
        }
    }
    EXPECT_EQ(map_position_code(3, 0), 1);
    EXPECT_EQ(map_position_code(1, 0), 8);
    EXPECT_EQ(map_position_code(2, 11), 5);
    EXPECT_EQ(map_position_code(0, 7), 7);
    EXPECT_EQ(map_position_code(1, 12), 12);
}

}  // namespace
