// Extremes, sums and histograms of AD rows.
#include "window_counts.h"

#include "filter_rows.h"
#include "kernel_path.h"
#include "shared_passes.h"

#include <immintrin.h>

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

namespace {

// GCC 12 warns about the intrinsics' own undefined registers.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

// The increments of count_row are bound by their stores, so the extremes and
// the sum of each 32 pixels ride along on the other ports almost free. The
// sum adds pairs of ADs less 32,768 each as signed words.
__attribute__((target("avx512f,avx512bw"))) void count_row_extremes_avx512(
    const uint16_t* __restrict row, int count, uint32_t* __restrict h0, uint32_t* __restrict h1,
    uint32_t* __restrict h2, uint32_t* __restrict h3, uint16_t* lo, uint16_t* hi, uint64_t* sum)
{
    __m512i low = _mm512_set1_epi16(-1), high = _mm512_setzero_si512(), pairs = _mm512_setzero_si512();
    const __m512i flip = _mm512_set1_epi16(static_cast<short>(0x8000));
    const __m512i ones = _mm512_set1_epi16(1);
    int x = 0;
    for (; x + 32 <= count; x += 32) {
        const __m512i v = _mm512_loadu_si512(row + x);
        low = _mm512_min_epu16(low, v);
        high = _mm512_max_epu16(high, v);
        pairs = _mm512_add_epi32(pairs, _mm512_madd_epi16(_mm512_xor_si512(v, flip), ones));
        const uint16_t* p = row + x;
        for (int i = 0; i < 32; i += 4) {
            ++h0[p[i]];
            ++h1[p[i + 1]];
            ++h2[p[i + 2]];
            ++h3[p[i + 3]];
        }
    }
    // Each doubleword holds at most 2 * 2,048 terms of magnitude 32,768 or less.
    const __m256i pairs_low = _mm512_castsi512_si256(pairs), pairs_high = _mm512_extracti64x4_epi64(pairs, 1);
    const int64_t vector_sum = _mm512_reduce_add_epi64(_mm512_add_epi64(_mm512_cvtepi32_epi64(pairs_low),
                                                                        _mm512_cvtepi32_epi64(pairs_high)));
    uint64_t s = static_cast<uint64_t>(vector_sum + int64_t{32768} * x);
    uint32_t l = _mm512_reduce_min_epu32(_mm512_min_epu32(_mm512_cvtepu16_epi32(_mm512_castsi512_si256(low)),
                                                          _mm512_cvtepu16_epi32(_mm512_extracti64x4_epi64(low, 1))));
    uint32_t h = _mm512_reduce_max_epu32(_mm512_max_epu32(_mm512_cvtepu16_epi32(_mm512_castsi512_si256(high)),
                                                          _mm512_cvtepu16_epi32(_mm512_extracti64x4_epi64(high, 1))));
    // The rest as count_row counts it, so that the partial histograms agree too.
    if (x < count) {
        uint16_t rest_lo = 0, rest_hi = 0;
        row_extremes(row + x, count - x, &rest_lo, &rest_hi, &s);
        l = std::min<uint32_t>(l, rest_lo);
        h = std::max<uint32_t>(h, rest_hi);
        count_row(row + x, count - x, h0, h1, h2, h3);
    }
    *lo = static_cast<uint16_t>(l);
    *hi = static_cast<uint16_t>(h);
    *sum += s;
}

#pragma GCC diagnostic pop

}  // namespace

void count_row_extremes(const uint16_t* row, int count, uint32_t* h0, uint32_t* h1, uint32_t* h2, uint32_t* h3,
                        uint16_t* lo, uint16_t* hi, uint64_t* sum)
{
    // Rows up to 65,535 pixels keep the doublewords of the sum in range.
    if (count < 65536 && avx512_rows()) {
        count_row_extremes_avx512(row, count, h0, h1, h2, h3, lo, hi, sum);
        return;
    }
    row_extremes(row, count, lo, hi, sum);
    count_row(row, count, h0, h1, h2, h3);
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
                count_row_extremes(row, columns, h0, h1, h2, h3, &line.lo, &line.hi, &line.sum);
                line.lo_row = line.hi_row = y;
                part.take(line);
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
