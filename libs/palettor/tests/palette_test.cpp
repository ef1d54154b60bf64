// Palettes: anchor colours, reversal, the fire table and palette switching.
#include "palettor_test_util.h"

#include <cstdlib>

namespace {

struct Anchors {
    int palette;
    uint32_t first, middle, last;
};

// First, middle (entry 81) and last colour as shown for every palette number.
const Anchors kAnchors[] = {
    {0, 0x000000, 0xE84A12, 0xFFFFFF},  {1, 0x000000, 0x256800, 0xFFFFFF},  {2, 0x000000, 0xCAD501, 0xFFE6CD},
    {3, 0x000000, 0x929292, 0xFFFFFF},  {4, 0x000000, 0x027CD8, 0xEDD008},  {5, 0xFFFFFF, 0xE84A12, 0x000000},
    {6, 0xFFFFFF, 0x256800, 0x000000},  {7, 0xFFE6CD, 0xCAD501, 0x000000},  {8, 0xFFFFFF, 0x929292, 0x000000},
    {9, 0xEDD008, 0x027CD8, 0x000000},  {10, 0x4D0677, 0xA4FF00, 0xFFFFFF}, {11, 0x0A0203, 0x9D6001, 0xFFFFFF},
    {12, 0x096993, 0xAC3301, 0xFFFFFF}, {13, 0x260601, 0xF28300, 0xF4F6CD}, {14, 0xFFFFFF, 0xA4FF00, 0x4D0677},
    {15, 0xFFFFFF, 0x9D6001, 0x0A0203}, {16, 0xFFFFFF, 0xAC3301, 0x096993}, {17, 0xF4F6CD, 0xF28300, 0x260601},
};

int channel_step(uint32_t a, uint32_t b)
{
    int worst = 0;
    for (int shift : {0, 8, 16}) {
        worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    }
    return worst;
}

}  // namespace

TEST(palette, anchors_of_every_palette_number)
{
    Handle h;
    for (const Anchors& a : kAnchors) {
        SCOPED_TRACE(a.palette);
        ASSERT_TRUE(palettor_set_palette(h, static_cast<PALETTE>(a.palette)));
        const std::vector<uint32_t> t = index_table(h);
        EXPECT_EQ(t[0], a.first);
        EXPECT_EQ(t[81], a.middle);
        EXPECT_EQ(t[162], a.last);
        for (int i = 163; i < 256; ++i) {
            ASSERT_EQ(t[i], t[162]) << i;
        }
        // Smooth: no jump between neighbouring entries.
        for (int i = 1; i < 163; ++i) {
            EXPECT_LE(channel_step(t[i - 1], t[i]), 16) << "entry " << i;
        }
        int32_t got = -1;
        EXPECT_TRUE(palettor_get_palette(h, &got));
        EXPECT_EQ(got, a.palette);
    }
}

TEST(palette, reversed_numbers_are_their_table_upside_down)
{
    Handle h;
    const int pairs[][2] = {{0, 5}, {1, 6}, {2, 7}, {3, 8}, {4, 9}, {10, 14}, {11, 15}, {12, 16}, {13, 17}};
    for (const auto& p : pairs) {
        ASSERT_TRUE(palettor_set_palette(h, static_cast<PALETTE>(p[0])));
        const std::vector<uint32_t> plain = index_table(h);
        ASSERT_TRUE(palettor_set_palette(h, static_cast<PALETTE>(p[1])));
        const std::vector<uint32_t> reversed = index_table(h);
        for (int i = 0; i < 163; ++i) {
            ASSERT_EQ(reversed[i], plain[162 - i]) << p[1] << " entry " << i;
        }
    }
}

TEST(palette, gray_is_a_monotone_curve_through_0x929292)
{
    Handle h;
    ASSERT_TRUE(palettor_set_palette(h, PAL_GRAY));
    const std::vector<uint32_t> t = index_table(h);
    for (int i = 1; i < 163; ++i) {
        const uint32_t v = t[i] & 0xFF;
        EXPECT_EQ(t[i], v * 0x010101u);
        EXPECT_LE(t[i - 1] & 0xFF, v);
    }
    EXPECT_EQ(t[81], 0x929292u);
}

TEST(palette, fire_table_anchors)
{
    Handle h;
    ASSERT_TRUE(palettor_set_fire_fighting(h, true));
    const std::vector<uint32_t> t = index_table(h);
    EXPECT_EQ(t[0], 0x1E1E1Eu);
    EXPECT_EQ(t[162], 0xFFFFFFu);
    EXPECT_EQ(t[163], 0xFBFE8Du);
    EXPECT_EQ(t[180], 0xEFEC2Fu);
    EXPECT_EQ(t[209], 0xFC7C0Eu);
    for (int i = 252; i < 256; ++i) {
        EXPECT_EQ(t[i], 0x820B0Fu) << i;
    }
    for (int i = 1; i < 163; ++i) {
        EXPECT_EQ(t[i], (t[i] & 0xFF) * 0x010101u);  // the grey ramp
        EXPECT_LE(t[i - 1] & 0xFF, t[i] & 0xFF);
    }
}

TEST(palette, same_number_and_refused_numbers)
{
    Handle h;
    EXPECT_TRUE(palettor_set_palette(h, PAL_RAINBOW));
    EXPECT_TRUE(palettor_set_palette(h, PAL_RAINBOW));
    const std::vector<uint32_t> before = index_table(h);
    EXPECT_FALSE(palettor_set_palette(h, static_cast<PALETTE>(18)));
    EXPECT_FALSE(palettor_set_palette(h, static_cast<PALETTE>(-1)));
    EXPECT_EQ(index_table(h), before);
    int32_t got = -1;
    EXPECT_TRUE(palettor_get_palette(h, &got));
    EXPECT_EQ(got, PAL_RAINBOW);
    EXPECT_FALSE(palettor_get_palette(h, nullptr));
}

TEST(palette, new_object_shows_iron)
{
    Handle h;
    int32_t got = -1;
    EXPECT_TRUE(palettor_get_palette(h, &got));
    EXPECT_EQ(got, PAL_IRON);
    EXPECT_EQ(index_table(h)[81], 0xE84A12u);
}
