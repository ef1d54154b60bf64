// Extremes, sums and histograms of AD rows.
#include "window_counts.h"

#include "shared_passes.h"

#include <algorithm>
#include <atomic>

namespace palettor::detail {

namespace {

// ADs per share of the merge of the members' histograms; a smaller range is
// merged by the caller alone.
constexpr uint32_t kMergeChunk = 512;
constexpr size_t kMapSize = 65536;

}  // namespace

// Lowest, highest and sum of a row, in one pass that vectorizes (AVX2 where
// present, chosen at load time).
__attribute__((target_clones("avx2", "default"))) void row_extremes(const uint16_t* __restrict row, int count,
                                                                      uint16_t* lo, uint16_t* hi, uint64_t* sum)
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

// Two runs on the pool. Each member counts its strips into two histograms
// of its own (in turn, so that a run of equal values does not wait on its
// own previous increment), noting the extremes of each strip, and adds the
// pair up over the ADs it met once its last strip is done. The strips'
// extremes are taken in row order, and the members' histograms added up a
// share of the ADs at a time. A member's histograms are zero outside the ADs
// it met the last time it joined, and are cleared there when it joins again.
RowsExtremes SharedHistogram::count(const uint16_t* ad, int width, int left, int top, int right, int bottom,
                                    WorkerPool* pool, uint32_t* histogram)
{
    const size_t members = static_cast<size_t>(pool->count());
    if (counts_.size() != 2 * kMapSize * members) {
        counts_.assign(2 * kMapSize * members, 0);
        met_.assign(members, Met{});
    }
    const int columns = right - left + 1;
    const int rows = bottom - top + 1;
    const int strips = (rows + kStripRows - 1) / kStripRows;
    std::vector<RowsExtremes> parts(static_cast<size_t>(strips));
    std::vector<uint8_t> joined(members, 0);
    std::atomic<int> next{0};
    pool->run([&](int member) {
        uint32_t* even = counts_.data() + 2 * kMapSize * static_cast<size_t>(member);
        uint32_t* odd = even + kMapSize;
        Met& met = met_[static_cast<size_t>(member)];
        RowsExtremes mine;
        for (int strip; (strip = next.fetch_add(1, std::memory_order_relaxed)) < strips;) {
            if (mine.lo_row < 0 && met.low <= met.high) {
                std::fill(even + met.low, even + met.high + 1, 0);
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
                int x = 0;
                for (; x + 2 <= columns; x += 2) {
                    ++even[row[x]];
                    ++odd[row[x + 1]];
                }
                if (x < columns) {
                    ++even[row[x]];
                }
            }
            parts[static_cast<size_t>(strip)] = part;
            mine.take(part);
        }
        if (mine.lo_row >= 0) {
            for (uint32_t v = mine.lo; v <= mine.hi; ++v) {
                even[v] += odd[v];
                odd[v] = 0;
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
            taken.push_back(counts_.data() + 2 * kMapSize * m);
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
