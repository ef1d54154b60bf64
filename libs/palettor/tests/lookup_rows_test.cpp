// The row kernels of the colouring and the statistics: every processor path
// against the plain one.
#include "filter_rows.h"
#include "kernel_path_guard.h"
#include "picture_cache.h"
#include "shared_passes.h"
#include "window_counts.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace palettor::detail;

namespace {

// Lengths around the vector steps: empty, tails only, whole steps, steps and tails.
const size_t kCounts[] = {0, 1, 15, 16, 17, 63, 64, 65, 640, 1000};

struct RowResults {
    std::vector<uint8_t> index;
    std::vector<uint32_t> colours;
    std::vector<uint64_t> extremes;
    std::vector<uint32_t> counts;  // AD and its four partial counts, where any is not 0
    bool operator==(const RowResults& o) const
    {
        return index == o.index && colours == o.colours && extremes == o.extremes && counts == o.counts;
    }
};

// Index pictures, their colours and the rows' extremes of a plane whose
// rows run through the lengths around the vector steps.
RowResults run_rows(const std::vector<uint16_t>& ad, int width, int height, const std::vector<uint16_t>& map,
                    const std::vector<uint32_t>& table)
{
    RowResults r;
    r.index.assign(ad.size(), 0xA5);
    index_plane(ad.data(), width, height, map.data(), r.index.data(), nullptr, nullptr, nullptr);
    const IndexColours colours(table.data());
    for (size_t count : kCounts) {
        std::vector<uint32_t> out(count + 1, 0xA5A5A5A5u);
        colours.row(r.index.data(), static_cast<int>(count), out.data());
        r.colours.insert(r.colours.end(), out.begin(), out.end());
    }
    for (int y = 0; y < height; ++y) {
        for (size_t count : kCounts) {
            uint16_t lo = 0, hi = 0;
            uint64_t sum = 1;
            row_extremes(ad.data() + static_cast<size_t>(y) * width, static_cast<int>(std::min<size_t>(count, width)),
                         &lo, &hi, &sum);
            r.extremes.insert(r.extremes.end(), {lo, hi, sum});
            // The same with the row counted into four histograms at once.
            std::vector<uint32_t> counts(4 * 65536, 0);
            uint32_t* h = counts.data();
            lo = hi = 0;
            sum = 1;
            count_row_extremes(ad.data() + static_cast<size_t>(y) * width,
                               static_cast<int>(std::min<size_t>(count, width)), h, h + 65536, h + 2 * 65536,
                               h + 3 * 65536, &lo, &hi, &sum);
            r.extremes.insert(r.extremes.end(), {lo, hi, sum});
            for (uint32_t v = 0; v < 65536; ++v) {
                if (counts[v] + counts[v + 65536] + counts[v + 2 * 65536] + counts[v + 3 * 65536] != 0) {
                    r.counts.insert(r.counts.end(), {v, counts[v], counts[v + 65536], counts[v + 2 * 65536],
                                                     counts[v + 3 * 65536]});
                }
            }
        }
    }
    return r;
}

}  // namespace

TEST(lookup_rows, every_processor_path_gives_the_plain_bytes)
{
    vytest::KernelPathGuard guard;
    std::mt19937 random(8);
    std::vector<uint16_t> map(65536);
    for (uint16_t& m : map) {
        m = static_cast<uint16_t>(random());
    }
    std::vector<uint32_t> table(256);
    for (uint32_t& t : table) {
        t = static_cast<uint32_t>(random());
    }
    const int width = 1000;
    const int height = 7;
    std::vector<uint16_t> ad(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < ad.size(); ++i) {
        // Both extremes, flat runs and noise.
        ad[i] = static_cast<uint16_t>(i % 11 == 0 ? 65535 : i % 13 == 0 ? 0 : (i / 64) % 3 == 0 ? 4000 : random());
    }
    ASSERT_EQ(vybase::force_kernel_path(vybase::KernelPath::plain), vybase::KernelPath::plain);
    const RowResults plain = run_rows(ad, width, height, map, table);
    for (size_t i = 0; i < ad.size(); ++i) {
        ASSERT_EQ(plain.index[i], static_cast<uint8_t>(map[ad[i]]));
    }
    for (vybase::KernelPath path : vybase::kernel_paths()) {
        SCOPED_TRACE(vybase::kernel_path_name(path));
        ASSERT_EQ(vybase::force_kernel_path(path), path);
        EXPECT_TRUE(run_rows(ad, width, height, map, table) == plain);
    }
}
