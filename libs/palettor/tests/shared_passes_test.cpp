// Passes over a frame shared among the members of a worker pool: the same
// results as one thread gives.
#include "shared_passes.h"
#include "window_counts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <utility>
#include <tuple>
#include <vector>

namespace palettor::detail {
namespace {

TEST(shared_histogram, matches_one_scan_in_row_order_frame_after_frame)
{
    // Frames of different ranges through one histogram object, so that what
    // a member counted the frame before must not show in the next; the
    // extremes repeat in several rows, the first of them not in the first
    // strip, so that the row order of the strips decides.
    struct Case {
        const char* name;
        int spread;
        uint16_t base;
        int left, top, right, bottom;
    };
    const int w = 211, h = 173;  // the last strip is short
    const Case cases[] = {
        {"wide", 65535, 0, 0, 0, w - 1, h - 1},
        {"window", 3000, 9000, 7, 3, w - 5, h - 2},
        {"narrow", 2, 60000, 0, 0, w - 1, h - 1},
        {"one row", 500, 100, 0, 50, w - 1, 50},
        {"wide again", 65535, 0, 0, 0, w - 1, h - 1},
        {"narrow again", 4, 20, 1, 1, w - 2, h - 2},
    };
    WorkerPool pool(4);
    SharedHistogram shared;
    std::vector<uint32_t> histogram(65536, 0xDEAD);
    std::mt19937 random(3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::uniform_int_distribution<int> value(1, std::max(c.spread - 1, 1));
        std::vector<uint16_t> ad(w * h);
        for (uint16_t& v : ad) {
            v = static_cast<uint16_t>(c.base + std::min(value(random), c.spread));
        }
        for (int y : {60, 61, 150}) {
            ad[y * w + 20 + y / 2] = static_cast<uint16_t>(c.base + c.spread);
            ad[y * w + 90 - y / 3] = c.base;
        }
        std::vector<uint32_t> want(65536, 0);
        RowsExtremes scan;
        for (int y = c.top; y <= c.bottom; ++y) {
            for (int x = c.left; x <= c.right; ++x) {
                const uint16_t v = ad[y * w + x];
                ++want[v];
                if (scan.lo_row < 0 || v < scan.lo) {
                    scan.lo = v;
                    scan.lo_row = y;
                }
                if (scan.hi_row < 0 || v > scan.hi) {
                    scan.hi = v;
                    scan.hi_row = y;
                }
                scan.sum += v;
            }
        }
        // Several runs of one frame, as members join the runs differently.
        for (int run = 0; run < 3; ++run) {
            const std::vector<uint32_t> before = histogram;
            const RowsExtremes got = shared.count(ad.data(), w, c.left, c.top, c.right, c.bottom, &pool,
                                                  histogram.data());
            EXPECT_EQ(std::make_tuple(got.lo, got.lo_row, got.hi, got.hi_row, got.sum),
                      std::make_tuple(scan.lo, scan.lo_row, scan.hi, scan.hi_row, scan.sum));
            for (uint32_t v = 0; v < 65536; ++v) {
                ASSERT_EQ(histogram[v], v >= scan.lo && v <= scan.hi ? want[v] : before[v]) << v;
            }
        }
    }
}

TEST(shared_passes, rows_are_dealt_once_each)
{
    // Windows whose rows do not fill the last strip, one row, whole strips.
    WorkerPool pool(4);
    for (auto [top, bottom] : {std::pair{0, 99}, std::pair{7, 70}, std::pair{5, 5}, std::pair{16, 47}}) {
        for (WorkerPool* shared : {static_cast<WorkerPool*>(nullptr), &pool}) {
            std::vector<std::atomic<int>> seen(120);
            deal_rows(shared, top, bottom, [&](int begin, int end) {
                for (int y = begin; y < end; ++y) {
                    seen[static_cast<size_t>(y)].fetch_add(1);
                }
            });
            for (int y = 0; y < 120; ++y) {
                EXPECT_EQ(seen[static_cast<size_t>(y)].load(), y >= top && y <= bottom ? 1 : 0) << top << " " << y;
            }
        }
    }
}

TEST(shared_passes, index_plane_matches_the_map_with_its_copies)
{
    // A height that does not fill the last strip; the map's last entry is
    // read by AD 65535.
    const int w = 83, h = 61;
    std::mt19937 random(12);
    std::vector<uint16_t> map(65536), ad(w * h);
    for (uint16_t& m : map) {
        m = static_cast<uint16_t>(random());
    }
    for (uint16_t& v : ad) {
        v = static_cast<uint16_t>(random());
    }
    ad.back() = 65535;
    std::vector<uint8_t> want(w * h);
    for (size_t i = 0; i < ad.size(); ++i) {
        want[i] = static_cast<uint8_t>(map[ad[i]]);
    }
    WorkerPool pool(4);
    for (WorkerPool* shared : {static_cast<WorkerPool*>(nullptr), &pool}) {
        for (int run = 0; run < 3; ++run) {
            std::vector<uint8_t> index(w * h, 1);
            std::vector<uint16_t> ad_copy(w * h, 2), map_copy(65536, 3);
            index_plane(ad.data(), w, h, map.data(), index.data(), ad_copy.data(), map_copy.data(), shared);
            EXPECT_EQ(index, want);
            EXPECT_EQ(ad_copy, ad);
            EXPECT_EQ(map_copy, map);
            std::vector<uint8_t> alone(w * h, 1);
            index_plane(ad.data(), w, h, map.data(), alone.data(), nullptr, nullptr, shared);
            EXPECT_EQ(alone, want);
        }
    }
}

}  // namespace
}  // namespace palettor::detail
