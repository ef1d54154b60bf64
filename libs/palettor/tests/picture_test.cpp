// Pictures: windows, compact output, spans, thumbnails, the border the
// filters leave, and filtered pictures on CPU and OpenCL.
#include "palettor_test_util.h"

#include <cstdlib>
#include <functional>
#include <random>
#include <set>
#include <thread>
#include <atomic>

namespace {

constexpr uint32_t kSentinel = 0x12345678;

// 16 x 8 frame of ADs 1000 + x * 8 + y with a computed map.
std::vector<uint16_t> prepared(void* h)
{
    std::vector<uint16_t> ad(16 * 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            ad[y * 16 + x] = static_cast<uint16_t>(1000 + x * 8 + y);
        }
    }
    statistics(h, ad, 16, 8);
    EXPECT_TRUE(palettor_calc_pal_no_of_ad(h));
    EXPECT_TRUE(palettor_enable_image_process(h, false));
    return ad;
}

}  // namespace

TEST(picture, compact_window_is_written_from_the_start)
{
    Handle h;
    const std::vector<uint16_t> ad = prepared(h);
    std::vector<uint32_t> full(16 * 8);
    ASSERT_TRUE(palettor_ad_to_pixel(h, ad.data(), 16, 8, 0, 0, 15, 7, full.data(), false));
    std::vector<uint32_t> bits(16 * 8, kSentinel);
    ASSERT_TRUE(palettor_ad_to_pixel(h, ad.data(), 16, 8, 3, 2, 9, 5, bits.data(), true));
    const int w = 9 - 3 + 1, rows = 5 - 2 + 1;
    for (int i = 0; i < static_cast<int>(bits.size()); ++i) {
        if (i < w * rows) {
            EXPECT_EQ(bits[i], full[(2 + i / w) * 16 + 3 + i % w]) << i;
        } else {
            EXPECT_EQ(bits[i], kSentinel) << i;
        }
    }
}

TEST(picture, frame_layout_window_touches_only_the_window)
{
    Handle h;
    const std::vector<uint16_t> ad = prepared(h);
    std::vector<uint32_t> full(16 * 8);
    ASSERT_TRUE(palettor_ad_to_pixel(h, ad.data(), 16, 8, 0, 0, 15, 7, full.data(), false));
    std::vector<uint32_t> bits(16 * 8, kSentinel);
    ASSERT_TRUE(palettor_ad_to_pixel(h, ad.data(), 16, 8, 3, 2, 9, 5, bits.data(), false));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool inside = x >= 3 && x <= 9 && y >= 2 && y <= 5;
            EXPECT_EQ(bits[y * 16 + x], inside ? full[y * 16 + x] : kSentinel) << x << "," << y;
        }
    }
}

TEST(picture, spans_are_coloured_in_place)
{
    Handle h;
    const std::vector<uint16_t> ad = prepared(h);
    std::vector<uint32_t> full(16 * 8);
    ASSERT_TRUE(palettor_ad_to_pixel(h, ad.data(), 16, 8, 0, 0, 15, 7, full.data(), false));
    std::vector<uint32_t> bits(16 * 8, kSentinel);
    const LineSpan spans[] = {{2u | (4u << 16), 6}, {7u | (15u << 16), 15}, {3u | (9u << 16), 2}};
    ASSERT_TRUE(palettor_ad_to_pixel_ex(h, ad.data(), 16, 8, spans, 3, bits.data()));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool inside = (y == 2 && x >= 4 && x <= 6) || (y == 7 && x == 15);
            EXPECT_EQ(bits[y * 16 + x], inside ? full[y * 16 + x] : kSentinel) << x << "," << y;
        }
    }
    const LineSpan bad[] = {{2u | (4u << 16), 6}, {8u | (0u << 16), 1}};
    std::vector<uint32_t> untouched(16 * 8, kSentinel);
    EXPECT_FALSE(palettor_ad_to_pixel_ex(h, ad.data(), 16, 8, bad, 2, untouched.data()));
    const LineSpan wide[] = {{0u | (10u << 16), 16}};
    EXPECT_FALSE(palettor_ad_to_pixel_ex(h, ad.data(), 16, 8, wide, 1, untouched.data()));
    EXPECT_FALSE(palettor_ad_to_pixel_ex(h, ad.data(), 16, 8, nullptr, 1, untouched.data()));
    EXPECT_FALSE(palettor_ad_to_pixel_ex(h, ad.data(), 16, 8, spans, -2, untouched.data()));
    EXPECT_EQ(untouched, std::vector<uint32_t>(16 * 8, kSentinel));
}

TEST(picture, thumbnail_steps_rows_and_columns_separately)
{
    Handle h;
    // Index picture 8 x 4 whose index names its position.
    std::vector<uint8_t> index(8 * 4);
    for (int i = 0; i < 32; ++i) {
        index[i] = static_cast<uint8_t>(i);
    }
    const std::vector<uint32_t> table = index_table(h);
    std::vector<uint32_t> bits(4 * 4 + 1, kSentinel);
    ASSERT_TRUE(palettor_clr_index_to_thumbnail_pixel(h, index.data(), 8, 4, 4, 4, bits.data()));
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(bits[r * 4 + c] & 0xFFFFFF, table[r * 8 + c * 2]) << r << "," << c;
        }
    }
    EXPECT_EQ(bits[16], kSentinel);

    // Larger than the source: positions stop at the edge.
    std::vector<uint32_t> big(20 * 9 + 1, kSentinel);
    ASSERT_TRUE(palettor_clr_index_to_thumbnail_pixel(h, index.data(), 8, 4, 20, 9, big.data()));
    EXPECT_EQ(big[20 * 9 - 1] & 0xFFFFFF, table[31]);
    EXPECT_EQ(big[20 * 9], kSentinel);
    EXPECT_FALSE(palettor_clr_index_to_thumbnail_pixel(h, index.data(), 8, 4, 0, 4, bits.data()));
    EXPECT_FALSE(palettor_clr_index_to_thumbnail_pixel(h, index.data(), 8, 4, 4, 0, bits.data()));
    EXPECT_FALSE(palettor_clr_index_to_thumbnail_pixel(h, nullptr, 8, 4, 4, 4, bits.data()));
}

// Rows are coloured 64 pixels at a time where the processor allows, the rest
// one by one: every index, at every offset, gives the colour a single pixel
// gets, for the index table and (with a band) the full table.
TEST(picture, whole_rows_colour_as_single_pixels)
{
    const int w = 300, h = 5;
    std::vector<uint8_t> index(w * h);
    std::mt19937 random(7);
    for (uint8_t& i : index) {
        i = static_cast<uint8_t>(random());
    }
    for (int i = 0; i < 256; ++i) {
        index[i] = static_cast<uint8_t>(i);
    }
    for (bool band : {false, true}) {
        SCOPED_TRACE(band);
        Handle hd;
        prepared(hd);
        ASSERT_TRUE(palettor_set_palette(hd, PAL_IRON));
        int32_t id = 0;
        if (band) {
            ASSERT_TRUE(palettor_add_isotherm_ex(hd, 1010, 1040, 0x00FF00, 0, &id));
        }
        std::vector<uint32_t> single(w * h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                ASSERT_TRUE(palettor_clr_index_to_pixel(hd, index.data(), w, h, x, y, x, y, &single[y * w + x]));
            }
        }
        EXPECT_GT(std::set<uint32_t>(single.begin(), single.end()).size(), 150u);
        for (int left : {0, 1, 37, 63, 64, 200}) {
            std::vector<uint32_t> rows((w - left) * h, kSentinel);
            ASSERT_TRUE(palettor_clr_index_to_pixel(hd, index.data(), w, h, left, 0, w - 1, h - 1, rows.data()));
            for (int y = 0; y < h; ++y) {
                for (int x = left; x < w; ++x) {
                    ASSERT_EQ(rows[y * (w - left) + x - left], single[y * w + x]) << left << " " << x << "," << y;
                }
            }
        }
    }
}

TEST(picture, ad_thumbnail_samples_the_frame)
{
    Handle h;
    const std::vector<uint16_t> ad = prepared(h);
    std::vector<uint32_t> full(16 * 8);
    ASSERT_TRUE(palettor_ad_to_pixel(h, ad.data(), 16, 8, 0, 0, 15, 7, full.data(), false));
    std::vector<uint32_t> bits(4 * 4);
    ASSERT_TRUE(palettor_ad_to_thumbnail_pixel(h, ad.data(), 16, 8, 4, 4, bits.data()));
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(bits[r * 4 + c], full[(r * 2) * 16 + c * 4]) << r << "," << c;
        }
    }
    EXPECT_FALSE(palettor_ad_to_thumbnail_pixel(h, ad.data(), 16, 8, 0, 0, bits.data()));
    EXPECT_FALSE(palettor_ad_to_thumbnail_pixel(h, ad.data(), 16, 0, 4, 4, bits.data()));
    EXPECT_FALSE(palettor_ad_to_thumbnail_pixel(h, ad.data(), 16, 8, 4, 4, nullptr));
}

TEST(picture, processing_repairs_the_two_outer_rings)
{
    Handle h;
    std::vector<uint16_t> ad = prepared(h);
    ASSERT_TRUE(palettor_enable_image_process(h, true));  // no engine yet: only the repair
    std::vector<uint32_t> bits(16 * 8);
    ASSERT_TRUE(palettor_ad_to_pixel(h, ad.data(), 16, 8, 0, 0, 15, 7, bits.data(), false));
    auto at = [&](int x, int y) { return bits[y * 16 + x]; };
    for (int x = 2; x < 14; ++x) {
        EXPECT_EQ(at(x, 0), at(x, 2));
        EXPECT_EQ(at(x, 1), at(x, 2));
        EXPECT_EQ(at(x, 7), at(x, 5));
        EXPECT_EQ(at(x, 6), at(x, 5));
    }
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(at(0, y), at(2, y));
        EXPECT_EQ(at(15, y), at(13, y));
    }
}

TEST(picture, tiny_frames_with_filters)
{
    Handle h;
    ASSERT_TRUE(palettor_init_image_process(h));
    ASSERT_TRUE(palettor_init_image_process(h));  // made once
    for (int size = 1; size <= 6; ++size) {
        SCOPED_TRACE(size);
        std::vector<uint16_t> ad(size * size);
        for (int i = 0; i < size * size; ++i) {
            ad[i] = static_cast<uint16_t>(i % 2 ? 65535 : 0);
        }
        statistics(h, ad, size, size);
        palettor_calc_pal_no_of_ad(h);
        std::vector<uint32_t> bits(size * size + 1, kSentinel);
        for (bool stabilization : {false, true}) {
            ASSERT_TRUE(palettor_enable_image_stabilization(h, stabilization));
            ASSERT_TRUE(palettor_ad_to_pixel(h, ad.data(), size, size, 0, 0, size - 1, size - 1, bits.data(), false));
            EXPECT_EQ(bits[size * size], kSentinel);
            std::vector<uint8_t> index(size * size, 80);
            ASSERT_TRUE(palettor_clr_index_to_pixel(h, index.data(), size, size, 0, 0, size - 1, size - 1, bits.data()));
            EXPECT_EQ(bits[size * size], kSentinel);
        }
    }
}

TEST(picture, filtered_pictures_agree_on_cpu_and_opencl)
{
    // The first handle is made without the opt-in, so it takes CPU workers
    // when no GPU is present; the second may take a CPU OpenCL device.
    Handle cpu;
    ASSERT_TRUE(palettor_init_image_process(cpu));
    setenv("PYRAVUE_OPENCL_DEVICE", "any", 1);
    Handle device;
    ASSERT_TRUE(palettor_init_image_process(device));
    unsetenv("PYRAVUE_OPENCL_DEVICE");

    std::mt19937 random(7);
    std::normal_distribution<float> noise(0.0f, 30.0f);
    const int w = 160, h = 120;
    std::vector<uint16_t> ad(w * h);
    for (int frame = 0; frame < 4; ++frame) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int blob = (x - 80) * (x - 80) + (y - 60) * (y - 60) < 900 ? 3000 : 0;
                ad[y * w + x] = static_cast<uint16_t>(16000 + x * 20 + blob + static_cast<int>(noise(random)));
            }
        }
        for (void* handle : {cpu.get(), device.get()}) {
            ASSERT_TRUE(palettor_enable_image_stabilization(handle, frame >= 2));
            statistics(handle, ad, w, h);
            ASSERT_TRUE(palettor_calc_pal_no_of_ad(handle));
        }
        std::vector<uint32_t> a(w * h), b(w * h);
        ASSERT_TRUE(palettor_ad_to_pixel(cpu, ad.data(), w, h, 0, 0, w - 1, h - 1, a.data(), false));
        ASSERT_TRUE(palettor_ad_to_pixel(device, ad.data(), w, h, 0, 0, w - 1, h - 1, b.data(), false));
        EXPECT_EQ(a, b) << "frame " << frame;
    }
}

TEST(picture, repeated_filtered_pictures_follow_every_input)
{
    // A handle that painted the picture before a change must give what a
    // handle that never painted it gives after the same change.
    const int w = 40, h = 30;
    auto scene = [&](uint16_t bump) {
        std::vector<uint16_t> ad(w * h);
        for (int i = 0; i < w * h; ++i) {
            ad[i] = static_cast<uint16_t>(12000 + (i % w) * 37 + (i / w) * 11 + (i % 7) * 5 + (i == 500 ? bump : 0));
        }
        return ad;
    };
    struct Change {
        const char* name;
        std::function<void(void*, std::vector<uint16_t>&)> apply;
    };
    const std::vector<Change> changes = {
        {"plane edited in place", [](void*, std::vector<uint16_t>& ad) { ad[500] += 3000; }},
        {"palette", [](void* x, std::vector<uint16_t>&) { palettor_set_palette(x, PAL_RAINBOW); }},
        {"range", [](void* x, std::vector<uint16_t>&) { palettor_set_range(x, 12500, 13000); }},
        {"filters off", [](void* x, std::vector<uint16_t>&) { palettor_enable_image_process(x, false); }},
        {"algorithm", [](void* x, std::vector<uint16_t>&) { palettor_set_algorithm_mode(x, 1); }},
        {"isotherm",
         [](void* x, std::vector<uint16_t>&) {
             int32_t id = 0;
             palettor_add_isotherm_ex(x, 12600, 12900, 0x00FF00, 0, &id);
         }},
    };
    auto paint = [&](void* x, const std::vector<uint16_t>& ad, std::vector<uint32_t>* bits) {
        bits->assign(w * h, kSentinel);
        ASSERT_TRUE(palettor_ad_to_pixel(x, ad.data(), w, h, 0, 0, w - 1, h - 1, bits->data(), false));
    };
    auto prepare = [&](void* x, const std::vector<uint16_t>& ad) {
        ASSERT_TRUE(palettor_init_image_process(x));
        statistics(x, ad, w, h);
        ASSERT_TRUE(palettor_calc_pal_no_of_ad(x));
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        Handle painted, fresh;
        std::vector<uint16_t> ad = scene(0);
        prepare(painted, ad);
        std::vector<uint32_t> before, again, after, expected;
        paint(painted, ad, &before);
        paint(painted, ad, &again);
        EXPECT_EQ(before, again);
        std::vector<uint16_t> fresh_ad = ad;
        change.apply(painted, ad);
        paint(painted, ad, &after);
        prepare(fresh, fresh_ad);
        change.apply(fresh, fresh_ad);
        paint(fresh, fresh_ad, &expected);
        EXPECT_EQ(after, expected);
        EXPECT_NE(after, before);
    }
}

TEST(picture, repeated_filtered_windows_keep_their_layout)
{
    Handle h;
    ASSERT_TRUE(palettor_init_image_process(h));
    std::vector<uint16_t> ad = prepared(h);
    ASSERT_TRUE(palettor_enable_image_process(h, true));
    std::vector<uint32_t> full(16 * 8);
    ASSERT_TRUE(palettor_ad_to_pixel(h, ad.data(), 16, 8, 0, 0, 15, 7, full.data(), false));
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        for (bool compact : {false, true}) {
            std::vector<uint32_t> bits(16 * 8, kSentinel);
            ASSERT_TRUE(palettor_ad_to_pixel(h, ad.data(), 16, 8, 3, 2, 9, 5, bits.data(), compact));
            for (int i = 0; i < 16 * 8; ++i) {
                const int x = compact ? 3 + i % 7 : i % 16, y = compact ? 2 + i / 7 : i / 16;
                const bool written = compact ? i < 7 * 4 : x >= 3 && x <= 9 && y >= 2 && y <= 5;
                EXPECT_EQ(bits[i], written ? full[y * 16 + x] : kSentinel) << compact << " " << i;
            }
        }
    }
}

TEST(picture, concurrent_callers_share_one_handle)
{
    // framekit's users and camlink's capture thread call one handle at once:
    // statistics, index maps, pictures and isotherm edits must not deadlock.
    Handle h;
    ASSERT_TRUE(palettor_init_image_process(h));
    std::vector<uint16_t> ad(64 * 48);
    for (size_t i = 0; i < ad.size(); ++i) {
        ad[i] = static_cast<uint16_t>(15000 + (i * 37) % 900);
    }
    statistics(h, ad, 64, 48);
    std::atomic<int> failures{0};
    auto frames = [&] {
        std::vector<uint32_t> bits(ad.size());
        tagPAD max{}, min{};
        uint16_t avg = 0;
        for (int i = 0; i < 100; ++i) {
            failures += !palettor_calc_max_min_avg_of_ad(h, ad.data(), 64, 48, 1, 1, 62, 46, &max, &min, &avg);
            palettor_calc_pal_no_of_ad(h);
            failures += !palettor_ad_to_pixel(h, ad.data(), 64, 48, 0, 0, 63, 47, bits.data(), false);
        }
    };
    auto settings = [&] {
        int32_t id = 0;
        for (int i = 0; i < 100; ++i) {
            failures += !palettor_add_isotherm_ex(h, 15100, 15200, 0x00FF00, i % 2, &id);
            failures += !palettor_set_palette(h, static_cast<PALETTE>(i % 18));
            failures += !palettor_enable_image_stabilization(h, i % 3 == 0);
            failures += !palettor_delete_isotherm(h, id);
            palettor_set_range(h, 15000, static_cast<uint16_t>(15500 + i));
            palettor_auto_adjust(h);
        }
    };
    std::thread a(frames), b(frames), c(settings);
    a.join();
    b.join();
    c.join();
    EXPECT_EQ(failures.load(), 0);
}

TEST(picture, handles_live_and_die_on_short_lived_threads)
{
    // Frame objects are made and freed on camera and batch threads; loading
    // the OpenCL runtime there must not break the thread's exit.
    std::atomic<int> failures{0};
    for (int round = 0; round < 3; ++round) {
        std::thread worker([&] {
            void* h = nullptr;
            failures += !palettor_init(&h, true);
            failures += !palettor_init_image_process(h);
            std::vector<uint16_t> ad(32 * 24, 16000);
            statistics(h, ad, 32, 24);
            palettor_calc_pal_no_of_ad(h);
            std::vector<uint32_t> bits(ad.size());
            failures += !palettor_ad_to_pixel(h, ad.data(), 32, 24, 0, 0, 31, 23, bits.data(), false);
            failures += !palettor_uninit(&h);
            failures += h != nullptr;
        });
        worker.join();
    }
    EXPECT_EQ(failures.load(), 0);
}
