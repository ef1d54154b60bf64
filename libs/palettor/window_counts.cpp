// Extremes, sums and histograms of AD rows.
#include "window_counts.h"

#include "kernel_path.h"
#include "shared_passes.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

namespace palettor::detail {

namespace {

// ADs per share of the merge of the members' histograms; a smaller range is
// merged by the caller alone.
constexpr uint32_t kMergeChunk = 512;
constexpr size_t kMapSize = 65536;
constexpr size_t kTables = 4;  // histograms per member

}  // namespace

namespace {

// Lowest, highest and sum of a row, in one pass that vectorizes (built for
// AVX2 and plain, kernel_path.h).
__attribute__((always_inline)) inline void row_extremes_body(const uint16_t* __restrict row, int count, uint16_t* lo,
                                                            uint16_t* hi, uint64_t* sum)
{
    uint16_t l = 0xFFFF, h = 0;
    uint32_t s = 0;  // a row has fewer than 65,536 pixels
    for (int x = 0; x < count; ++x) {
        l = std::min(l, row[x]);
        h = std::max(h, row[x]);
        s += row[x];
    }
    *lo = l;
    *hi = h;
    *sum += s;
}

}  // namespace

VY_ROW_KERNEL_AVX2(void, row_extremes,
                   (const uint16_t* __restrict row, int count, uint16_t* lo, uint16_t* hi, uint64_t* sum),
                   (row, count, lo, hi, sum))

// Counts a row into four partial histograms in turn, so that a run of equal
// values does not wait on its own previous increment.
void count_row(const uint16_t* __restrict row, int count, uint32_t* __restrict h0, uint32_t* __restrict h1,
               uint32_t* __restrict h2, uint32_t* __restrict h3)
{
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        ++h0[row[x]];
        ++h1[row[x + 1]];
        ++h2[row[x + 2]];
        ++h3[row[x + 3]];
    }
    for (; x < count; ++x) {
        ++h0[row[x]];
    }
}

void RowsExtremes::take(const RowsExtremes& later)
{
    if (later.lo_row < 0) {
        return;
    }
    if (lo_row < 0 || later.lo < lo) {
        lo = later.lo;
        lo_row = later.lo_row;
    }
    if (hi_row < 0 || later.hi > hi) {
        hi = later.hi;
        hi_row = later.hi_row;
    }
    sum += later.sum;
}

// Two runs on the pool. Each member counts its strips into four histograms
// of its own (as count_row does), noting the extremes of each strip, and
// adds them up into the first over the ADs it met once its last strip is
// done. The strips'
// extremes are taken in row order, and the members' histograms added up a
// share of the ADs at a time. A member's histograms are zero outside the ADs
// it met the last time it joined, and are cleared there when it joins again.
RowsExtremes SharedHistogram::count(const uint16_t* ad, int width, int left, int top, int right, int bottom,
                                    WorkerPool* pool, uint32_t* histogram)
{
    const size_t members = static_cast<size_t>(pool->count());
    if (members_ != members) {
        // Large zeroed blocks come as untouched pages: only the ADs counted
        // take memory.
        counts_.reset(static_cast<uint32_t*>(std::calloc(kTables * kMapSize * members, sizeof(uint32_t))));
        if (!counts_) {
            throw std::bad_alloc();
        }
        met_.assign(members, Met{});
        members_ = members;
    }
    const int columns = right - left + 1;
    const int rows = bottom - top + 1;
    const int strips = (rows + kStripRows - 1) / kStripRows;
    std::vector<RowsExtremes> parts(static_cast<size_t>(strips));
    std::vector<uint8_t> joined(members, 0);
    std::atomic<int> next{0};
    pool->run([&](int member) {
        uint32_t* h0 = counts_.get() + kTables * kMapSize * static_cast<size_t>(member);
        uint32_t* h1 = h0 + kMapSize;
        uint32_t* h2 = h1 + kMapSize;
        uint32_t* h3 = h2 + kMapSize;
        Met& met = met_[static_cast<size_t>(member)];
        RowsExtremes mine;
        for (int strip; (strip = next.fetch_add(1, std::memory_order_relaxed)) < strips;) {
            if (mine.lo_row < 0 && met.low <= met.high) {
                std::fill(h0 + met.low, h0 + met.high + 1, 0);
            }
            const int begin = top + strip * kStripRows;
            const int end = std::min(bottom + 1, begin + kStripRows);
            RowsExtremes part;
            for (int y = begin; y < end; ++y) {
                const uint16_t* row = ad + static_cast<size_t>(y) * width + left;
                RowsExtremes line;
                row_extremes(row, columns, &line.lo, &line.hi, &line.sum);
                line.lo_row = line.hi_row = y;
                part.take(line);
                count_row(row, columns, h0, h1, h2, h3);
            }
            parts[static_cast<size_t>(strip)] = part;
            mine.take(part);
        }
        if (mine.lo_row >= 0) {
            for (uint32_t v = mine.lo; v <= mine.hi; ++v) {
                h0[v] += h1[v] + h2[v] + h3[v];
                h1[v] = h2[v] = h3[v] = 0;
            }
            met = {mine.lo, mine.hi};
            joined[static_cast<size_t>(member)] = 1;
        }
    });
    RowsExtremes all;
    for (const RowsExtremes& part : parts) {
        all.take(part);
    }
    std::vector<const uint32_t*> taken;
    for (size_t m = 0; m < members; ++m) {
        if (joined[m]) {
            taken.push_back(counts_.get() + kTables * kMapSize * m);
        }
    }
    auto merge = [&](uint32_t first, uint32_t last) {
        for (uint32_t v = first; v <= last; ++v) {
            uint32_t n = 0;
            for (const uint32_t* t : taken) {
                n += t[v];
            }
            histogram[v] = n;
        }
    };
    const uint32_t range = static_cast<uint32_t>(all.hi - all.lo) + 1;
    if (taken.size() == 1 || range <= kMergeChunk) {
        merge(all.lo, all.hi);
    } else {
        deal_strips(pool, static_cast<int>((range + kMergeChunk - 1) / kMergeChunk), [&](int, int chunk) {
            const uint32_t first = all.lo + static_cast<uint32_t>(chunk) * kMergeChunk;
            merge(first, std::min<uint32_t>(all.hi, first + kMergeChunk - 1));
        });
    }
    return all;
}

}  // namespace palettor::detail
