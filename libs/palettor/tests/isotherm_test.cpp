// Isotherm bands: ids, colour ramps, their place in the map and table limits.
#include "palettor_test_util.h"

namespace {

constexpr uint32_t kRed = 0x0000FF;  // band colours: byte 0 red, 1 green, 2 blue
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0xFF0000;

// A computed handle over a frame of ADs 1000..1039.
void prepare(void* h)
{
    std::vector<uint16_t> ad(64 * 8);
    for (size_t i = 0; i < ad.size(); ++i) {
        ad[i] = static_cast<uint16_t>(i < 100 ? 1000 : 1000 + i % 40);
    }
    statistics(h, ad, 64, 8);
    ASSERT_TRUE(palettor_calc_pal_no_of_ad(h));
}

std::vector<uint32_t> colours_of(void* h, std::vector<uint16_t> ads)
{
    std::vector<uint32_t> bits(ads.size());
    EXPECT_TRUE(palettor_ad_to_pixel(h, ads.data(), static_cast<uint16_t>(ads.size()), 1, 0, 0,
                                     static_cast<uint16_t>(ads.size() - 1), 0, bits.data(), false));
    for (uint32_t& b : bits) {
        b &= 0xFFFFFF;
    }
    return bits;
}

}  // namespace

TEST(isotherm, ids_are_never_reused)
{
    Handle h;
    int32_t id = 0;
    for (int expected = 1; expected <= 3; ++expected) {
        ASSERT_TRUE(palettor_add_isotherm_ex(h, 100 * expected, 100 * expected + 10, kRed, 0, &id));
        EXPECT_EQ(id, expected);
    }
    EXPECT_TRUE(palettor_delete_isotherm(h, 1));
    ASSERT_TRUE(palettor_add_isotherm(h, IsothermRecord{500, 510, kGreen, 1}, &id));
    EXPECT_EQ(id, 4);
    EXPECT_FALSE(palettor_delete_isotherm(h, 1));
    EXPECT_FALSE(palettor_update_isotherm_ex(h, 1, 0, 1, kRed, 0));

    const IsothermRecord changed{300, 333, kBlue, 1};
    EXPECT_TRUE(palettor_update_isotherm(h, 3, &changed));
    EXPECT_FALSE(palettor_update_isotherm(h, 3, nullptr));
    uint8_t count = 0;
    ASSERT_TRUE(palettor_get_isotherm_count(h, &count));
    ASSERT_EQ(count, 3);
    const int32_t ids[] = {2, 3, 4};
    for (uint8_t i = 0; i < count; ++i) {
        IsothermRecord r{};
        ASSERT_TRUE(palettor_get_isotherm(h, i, &id, &r));
        EXPECT_EQ(id, ids[i]);
        if (id == 3) {
            EXPECT_EQ(r.low, 300);
            EXPECT_EQ(r.high, 333);
            EXPECT_EQ(r.colour, kBlue);
            EXPECT_EQ(r.mode, 1);
        }
    }
    IsothermRecord r{};
    EXPECT_FALSE(palettor_get_isotherm(h, 3, &id, &r));
    EXPECT_FALSE(palettor_get_isotherm(h, 0, nullptr, &r));
    EXPECT_FALSE(palettor_get_isotherm(h, 0, &id, nullptr));
    EXPECT_FALSE(palettor_get_isotherm_count(h, nullptr));
    EXPECT_FALSE(palettor_add_isotherm_ex(h, 1, 2, kRed, 0, nullptr));
    EXPECT_FALSE(palettor_add_isotherm_ex(h, 20, 10, kRed, 0, &id));

    EXPECT_TRUE(palettor_delete_all_isotherm(h));
    ASSERT_TRUE(palettor_get_isotherm_count(h, &count));
    EXPECT_EQ(count, 0);
    ASSERT_TRUE(palettor_add_isotherm_ex(h, 1, 2, kRed, 0, &id));
    EXPECT_EQ(id, 5);
}

TEST(isotherm, ramps_of_the_named_colours)
{
    struct Case {
        uint32_t colour;      // band colour as handed in
        uint32_t entries[4];  // ramp entries 0, 14, 15 and 29 as 0xRRGGBB
    } cases[] = {
        {0x00FFFF, {0xFFFF08, 0xFFFF78, 0xFFFF80, 0xFFFFF0}},
        {0x0080FF, {0xFF8204, 0xFF9E3C, 0xFFA040, 0xFFBC78}},
        {kRed, {0xFF0505, 0xFF5050, 0xFF5555, 0xFFA0A0}},
        {0x000080, {0x880000, 0xFF0000, 0xFF0808, 0xFF7878}},
        {kGreen, {0x08FF08, 0x78FF78, 0x80FF80, 0xF0FFF0}},
        {kBlue, {0x0808FF, 0x7878FF, 0x8080FF, 0xF0F0FF}},
        {0xC8325A, {0x5A32C8, 0x301A6A, 0x2D1964, 0x030106}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.colour);
        Handle h;
        prepare(h);
        int32_t id = 0;
        // Graded over 30 ADs: AD 1000 + k takes ramp entry k.
        ASSERT_TRUE(palettor_add_isotherm_ex(h, 1000, 1029, c.colour, 1, &id));
        const std::vector<uint32_t> got = colours_of(h, {1000, 1014, 1015, 1029});
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(got[i], c.entries[i]) << i;
        }
    }
}

TEST(isotherm, flat_and_one_ad_bands_show_their_first_colour)
{
    Handle h;
    prepare(h);
    int32_t id = 0;
    ASSERT_TRUE(palettor_add_isotherm_ex(h, 1010, 1020, kRed, 0, &id));
    ASSERT_TRUE(palettor_add_isotherm_ex(h, 1030, 1030, kGreen, 1, &id));
    const std::vector<uint32_t> got = colours_of(h, {1009, 1010, 1015, 1020, 1030});
    EXPECT_NE(got[0], 0xFF0505u);
    EXPECT_EQ(got[1], 0xFF0505u);
    EXPECT_EQ(got[2], 0xFF0505u);
    EXPECT_EQ(got[3], 0xFF0505u);
    EXPECT_EQ(got[4], 0x08FF08u);
}

TEST(isotherm, later_bands_win_and_move_up_after_a_delete)
{
    Handle h;
    prepare(h);
    int32_t red = 0, green = 0;
    ASSERT_TRUE(palettor_add_isotherm_ex(h, 1010, 1020, kRed, 0, &red));
    ASSERT_TRUE(palettor_add_isotherm_ex(h, 1015, 1025, kGreen, 0, &green));
    std::vector<uint32_t> got = colours_of(h, {1012, 1017, 1024});
    EXPECT_EQ(got[0], 0xFF0505u);
    EXPECT_EQ(got[1], 0x08FF08u);
    EXPECT_EQ(got[2], 0x08FF08u);
    ASSERT_TRUE(palettor_delete_isotherm(h, red));
    got = colours_of(h, {1012, 1017});
    EXPECT_NE(got[0], 0xFF0505u);
    EXPECT_EQ(got[1], 0x08FF08u);
}

TEST(isotherm, palette_change_keeps_the_band_colours)
{
    Handle h;
    prepare(h);
    int32_t id = 0;
    ASSERT_TRUE(palettor_add_isotherm_ex(h, 1010, 1020, kBlue, 0, &id));
    const uint32_t outside_before = colours_of(h, {1005})[0];
    ASSERT_TRUE(palettor_set_palette(h, PAL_RAINBOW));
    EXPECT_EQ(colours_of(h, {1015})[0], 0x0808FFu);
    EXPECT_NE(colours_of(h, {1005})[0], outside_before);
}

TEST(isotherm, graded_band_in_fire_mode_stays_in_its_own_ramp)
{
    Handle h;
    ASSERT_TRUE(palettor_set_algorithm_mode(h, 2));
    prepare(h);
    ASSERT_TRUE(palettor_set_fire_fighting(h, true));
    const std::vector<uint32_t> fire = index_table(h);
    ASSERT_TRUE(palettor_set_fire_fighting(h, false));
    int32_t id = 0;
    ASSERT_TRUE(palettor_add_isotherm_ex(h, 1010, 1020, kGreen, 1, &id));
    const std::vector<uint32_t> got = colours_of(h, {1020});
    EXPECT_EQ(got[0], fire[163 + 29]);
}

TEST(isotherm, bands_that_do_not_fit_the_colour_table_are_refused)
{
    Handle h;
    int32_t id = 0;
    for (int i = 0; i < 60; ++i) {
        ASSERT_TRUE(palettor_add_isotherm_ex(h, static_cast<uint16_t>(i * 10), static_cast<uint16_t>(i * 10 + 5), kRed,
                                             1, &id))
            << i;
    }
    EXPECT_FALSE(palettor_add_isotherm_ex(h, 9000, 9001, kRed, 0, &id));
    EXPECT_EQ(id, 60);

    Handle fire;
    ASSERT_TRUE(palettor_set_algorithm_mode(fire, 2));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(palettor_add_isotherm_ex(fire, 100, 200, kRed, 1, &id));
    }
    EXPECT_FALSE(palettor_add_isotherm_ex(fire, 100, 200, kRed, 1, &id));
    uint8_t count = 0;
    ASSERT_TRUE(palettor_get_isotherm_count(fire, &count));
    EXPECT_EQ(count, 3);
}
