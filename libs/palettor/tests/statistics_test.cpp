// Statistics, automatic range, the handle lifecycle and refused windows.
#include "palettor_test_util.h"

#include <map>
#include <random>
#include <tuple>

TEST(handle, uninit_clears_the_variable_and_refuses_twice)
{
    void* h = nullptr;
    ASSERT_TRUE(palettor_init(&h, false));
    EXPECT_TRUE(palettor_is_valid_handle(h));
    void* copy = h;
    EXPECT_TRUE(palettor_uninit(&h));
    EXPECT_EQ(h, nullptr);
    EXPECT_FALSE(palettor_uninit(&copy));
    EXPECT_FALSE(palettor_is_valid_handle(copy));
    EXPECT_FALSE(palettor_uninit(nullptr));
    EXPECT_FALSE(palettor_init(nullptr, false));
}

TEST(handle, foreign_and_null_handles_are_refused)
{
    int not_a_handle = 0;
    uint16_t low = 1, high = 2;
    EXPECT_FALSE(palettor_is_valid_handle(&not_a_handle));
    EXPECT_FALSE(palettor_get_range(&not_a_handle, &low, &high));
    EXPECT_FALSE(palettor_calc_pal_no_of_ad(nullptr));
    EXPECT_FALSE(palettor_set_palette(nullptr, PAL_IRON));
    EXPECT_FALSE(vy_set_imaging_type(&not_a_handle, 1));
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 2);
}

TEST(statistics, one_pixel_window)
{
    Handle h;
    std::vector<uint16_t> ad = flat_frame(4, 3, 100);
    ad[1 * 4 + 2] = 7777;
    tagPAD max{}, min{};
    uint16_t avg = 0;
    ASSERT_TRUE(palettor_calc_max_min_avg_of_ad(h, ad.data(), 4, 3, 2, 1, 2, 1, &max, &min, &avg));
    EXPECT_EQ(max.ad, 7777);
    EXPECT_EQ(min.ad, 7777);
    EXPECT_EQ(avg, 7777);
    EXPECT_EQ(max.x, 2);
    EXPECT_EQ(max.y, 1);
    uint16_t low = 0, high = 0;
    ASSERT_TRUE(palettor_get_auto_range(h, &low, &high));
    EXPECT_EQ(low, 7777);
    EXPECT_EQ(high, 7787);
}

TEST(statistics, extremes_positions_and_average)
{
    Handle h;
    std::vector<uint16_t> ad = flat_frame(5, 4, 1000);
    ad[1 * 5 + 1] = 3000;
    ad[3 * 5 + 4] = 3000;  // equal later maximum: the first one wins
    ad[2 * 5 + 3] = 10;
    tagPAD max{}, min{};
    uint16_t avg = 0;
    ASSERT_TRUE(palettor_calc_max_min_avg_of_ad(h, ad.data(), 5, 4, 0, 0, 4, 3, &max, &min, &avg));
    EXPECT_EQ(max.x, 1);
    EXPECT_EQ(max.y, 1);
    EXPECT_EQ(min.x, 3);
    EXPECT_EQ(min.y, 2);
    EXPECT_EQ(min.ad, 10);
    EXPECT_EQ(avg, (17 * 1000 + 6000 + 10) / 20);
    EXPECT_TRUE(palettor_calc_max_min_avg_of_ad(h, ad.data(), 5, 4, 0, 0, 4, 3, nullptr, nullptr, nullptr));
}

// Extremes (first in row order), average and per-value counts of a window
// as a plain scan finds them, with nothing left over from a frame before.
void expect_plain_scan(void* h, const std::vector<uint16_t>& ad, int w, int height, int left, int top, int right,
                       int bottom, int values_checked)
{
    tagPAD want_max{}, want_min{};
    uint64_t sum = 0;
    std::map<uint16_t, int> counts;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const uint16_t v = ad[y * w + x];
            if (counts.empty() || v > want_max.ad) {
                want_max = {static_cast<uint16_t>(x), static_cast<uint16_t>(y), v};
            }
            if (counts.empty() || v < want_min.ad) {
                want_min = {static_cast<uint16_t>(x), static_cast<uint16_t>(y), v};
            }
            sum += v;
            ++counts[v];
        }
    }
    tagPAD max{}, min{};
    uint16_t avg = 0;
    ASSERT_TRUE(palettor_calc_max_min_avg_of_ad(h, ad.data(), w, height, left, top, right, bottom, &max, &min, &avg));
    EXPECT_EQ(std::make_tuple(max.x, max.y, max.ad), std::make_tuple(want_max.x, want_max.y, want_max.ad));
    EXPECT_EQ(std::make_tuple(min.x, min.y, min.ad), std::make_tuple(want_min.x, want_min.y, want_min.ad));
    EXPECT_EQ(avg, sum / ((right - left + 1) * (bottom - top + 1)));
    int checked = 0;
    for (const auto& [v, n] : counts) {
        int32_t count = -1;
        ASSERT_TRUE(palettor_get_biggerthan_pixel_count(h, v, v, &count));
        EXPECT_EQ(count, n) << v;
        if (++checked == values_checked) {
            break;
        }
    }
    int32_t all = -1;
    ASSERT_TRUE(palettor_get_biggerthan_pixel_count(h, 0, 65535, &all));
    EXPECT_EQ(all, (right - left + 1) * (bottom - top + 1));
}

TEST(statistics, successive_frames_match_a_plain_scan)
{
    // One handle through frames of different spreads and windows.
    struct Case {
        const char* name;
        int spread;  // random values in base .. base + spread
        uint16_t base;
        int left, top, right, bottom;
    };
    const Case cases[] = {
        {"wide", 65535, 0, 0, 0, 36, 20},
        {"narrow", 6, 30000, 0, 0, 36, 20},
        {"window", 900, 100, 3, 2, 30, 17},
        {"one column", 50, 65000, 9, 0, 9, 20},
        {"flat", 0, 65535, 1, 1, 35, 19},
        {"narrow again", 3, 12, 5, 5, 6, 6},
    };
    Handle h;
    std::mt19937 random(99);
    const int w = 37, height = 21;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::uniform_int_distribution<int> value(0, c.spread);
        std::vector<uint16_t> ad(w * height);
        for (uint16_t& v : ad) {
            v = static_cast<uint16_t>(c.base + value(random));
        }
        expect_plain_scan(h, ad, w, height, c.left, c.top, c.right, c.bottom, 40);
    }
}

TEST(statistics, large_frames_beside_the_filter_workers_match_a_plain_scan)
{
    // Frames large enough for the statistics to be shared among the filter
    // engine's workers when they are awake from the filter call before: the
    // same extremes, average and counts, shared or not. The extremes repeat
    // in several rows, the first of them not in the first rows, so that the
    // row order of the strips decides.
    Handle h;
    ASSERT_TRUE(palettor_init_image_process(h));
    const int w = 331, height = 263;  // rows that do not fill the last strip
    std::vector<uint32_t> bits(w * height);
    std::mt19937 random(5);
    struct Case {
        const char* name;
        int spread;
        uint16_t base;
        int left, top, right, bottom;
    };
    const Case cases[] = {
        {"whole frame", 4000, 20000, 0, 0, w - 1, height - 1},
        {"wide range", 65535, 0, 0, 0, w - 1, height - 1},
        {"window", 300, 7000, 5, 3, w - 2, height - 4},
        {"narrow", 2, 100, 0, 0, w - 1, height - 1},
        {"whole frame again", 4000, 20000, 0, 0, w - 1, height - 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::uniform_int_distribution<int> value(1, std::max(c.spread - 1, 1));
        std::vector<uint16_t> ad(w * height);
        for (uint16_t& v : ad) {
            v = static_cast<uint16_t>(c.base + std::min(value(random), c.spread));
        }
        for (int y : {70, 71, 200}) {
            ad[y * w + 40 + y] = static_cast<uint16_t>(c.base + c.spread);
            ad[y * w + 90 - y / 10] = c.base;
        }
        statistics(h, ad, w, height);
        palettor_calc_pal_no_of_ad(h);  // refused for the widest range; the filter runs all the same
        ASSERT_TRUE(palettor_ad_to_pixel(h, ad.data(), w, height, 0, 0, w - 1, height - 1, bits.data(), false));
        expect_plain_scan(h, ad, w, height, c.left, c.top, c.right, c.bottom, 6000);
    }
}

TEST(statistics, refused_windows_change_nothing)
{
    Handle h;
    std::vector<uint16_t> ad = flat_frame(8, 6, 500);
    statistics(h, ad, 8, 6);
    uint16_t low = 0, high = 0;
    palettor_get_auto_range(h, &low, &high);
    struct Case {
        const char* name;
        const uint16_t* ad;
        uint16_t width, height, left, top, right, bottom;
    } cases[] = {
        {"null plane", nullptr, 8, 6, 0, 0, 7, 5},
        {"bottom equal to height", ad.data(), 8, 6, 0, 0, 7, 6},
        {"right equal to width", ad.data(), 8, 6, 0, 0, 8, 5},
        {"left past right", ad.data(), 8, 6, 5, 0, 4, 5},
        {"top past bottom", ad.data(), 8, 6, 0, 4, 7, 3},
        {"zero width", ad.data(), 0, 6, 0, 0, 0, 5},
    };
    const std::vector<uint16_t> other = flat_frame(8, 6, 9000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const uint16_t* plane = c.ad == nullptr ? nullptr : other.data();
        tagPAD max{}, min{};
        uint16_t avg = 0;
        EXPECT_FALSE(palettor_calc_max_min_avg_of_ad(h, plane, c.width, c.height, c.left, c.top, c.right, c.bottom,
                                                     &max, &min, &avg));
        std::vector<uint32_t> bits(8 * 6 + 16, 0x12345678);
        EXPECT_FALSE(palettor_ad_to_pixel(h, plane, c.width, c.height, c.left, c.top, c.right, c.bottom, bits.data(),
                                          false));
        EXPECT_EQ(bits, std::vector<uint32_t>(8 * 6 + 16, 0x12345678));
        std::vector<uint8_t> index(8 * 6, 1);
        EXPECT_FALSE(palettor_clr_index_to_pixel(h, plane ? index.data() : nullptr, c.width, c.height, c.left, c.top,
                                                 c.right, c.bottom, bits.data()));
    }
    uint16_t low2 = 0, high2 = 0;
    palettor_get_auto_range(h, &low2, &high2);
    EXPECT_EQ(low2, low);
    EXPECT_EQ(high2, high);
}

TEST(statistics, counts_of_a_full_frame_do_not_wrap)
{
    // 640 x 512 has more pixels than 16 bits count: the threshold cut still
    // finds the hot half of the frame.
    Handle h;
    std::vector<uint16_t> ad(640 * 512);
    for (size_t i = 0; i < ad.size(); ++i) {
        ad[i] = i < ad.size() / 2 ? 1000 : 2000;
    }
    statistics(h, ad, 640, 512);
    uint16_t threshold = 0;
    ASSERT_TRUE(palettor_get_ad_threshold(h, &threshold));
    EXPECT_EQ(threshold, 2000);
    int32_t count = 0;
    ASSERT_TRUE(palettor_get_biggerthan_pixel_count(h, 1500, 65535, &count));
    EXPECT_EQ(count, 640 * 256);
    uint16_t low = 0, high = 0;
    palettor_get_auto_range(h, &low, &high);
    EXPECT_EQ(low, 1000);
    EXPECT_EQ(high, 2000);
}

TEST(statistics, pixel_count_ranges)
{
    Handle h;
    std::vector<uint16_t> ad = {5, 6, 6, 7, 65535, 0};
    statistics(h, ad, 6, 1);
    int32_t count = -1;
    EXPECT_TRUE(palettor_get_biggerthan_pixel_count(h, 6, 7, &count));
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(palettor_get_biggerthan_pixel_count(h, 7, 6, &count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(palettor_get_biggerthan_pixel_count(h, 0, 65535, &count));
    EXPECT_EQ(count, 6);
    EXPECT_FALSE(palettor_get_biggerthan_pixel_count(h, 0, 1, nullptr));
}

TEST(statistics, flat_frames_at_the_ends_of_the_scale)
{
    for (uint16_t value : {uint16_t(0), uint16_t(65535), uint16_t(65530)}) {
        SCOPED_TRACE(value);
        Handle h;
        statistics(h, flat_frame(16, 8, value), 16, 8);
        uint16_t low = 0, high = 0;
        palettor_get_auto_range(h, &low, &high);
        EXPECT_EQ(high - low, 10);
        EXPECT_LE(low, value);
        EXPECT_GE(high, value);
    }
}

TEST(statistics, spans)
{
    Handle h;
    std::vector<uint16_t> ad(10 * 4);
    for (size_t i = 0; i < ad.size(); ++i) {
        ad[i] = static_cast<uint16_t>(100 + i);
    }
    const LineSpan spans[] = {
        {1u | (2u << 16), 4},   // row 1, columns 2..4: 112..114
        {3u | (9u << 16), 9},   // row 3, column 9: 139
        {0u | (5u << 16), 3},   // empty (last before first): skipped
    };
    tagPAD max{}, min{};
    uint16_t avg = 0;
    ASSERT_TRUE(palettor_calc_max_min_avg_of_ad_ex(h, ad.data(), 10, 4, spans, 3, &max, &min, &avg));
    EXPECT_EQ(max.ad, 139);
    EXPECT_EQ(max.x, 9);
    EXPECT_EQ(max.y, 3);
    EXPECT_EQ(min.ad, 112);
    EXPECT_EQ(avg, (112 + 113 + 114 + 139) / 4);

    const LineSpan outside_row[] = {{4u | (0u << 16), 1}};
    const LineSpan outside_column[] = {{0u | (0u << 16), 10}};
    EXPECT_FALSE(palettor_calc_max_min_avg_of_ad_ex(h, ad.data(), 10, 4, outside_row, 1, &max, &min, &avg));
    EXPECT_FALSE(palettor_calc_max_min_avg_of_ad_ex(h, ad.data(), 10, 4, outside_column, 1, &max, &min, &avg));
    EXPECT_FALSE(palettor_calc_max_min_avg_of_ad_ex(h, ad.data(), 10, 4, spans, -1, &max, &min, &avg));
    EXPECT_FALSE(palettor_calc_max_min_avg_of_ad_ex(h, ad.data(), 10, 4, spans + 2, 1, &max, &min, &avg));
    EXPECT_FALSE(palettor_calc_max_min_avg_of_ad_ex(h, nullptr, 10, 4, spans, 1, &max, &min, &avg));
}
