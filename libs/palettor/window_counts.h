// Extremes, sums and histograms of AD rows, by one thread or shared among
// the members of a worker pool.
#pragma once

#include "worker_pool.h"

#include <stddef.h>
#include <stdint.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace palettor::detail {

// Lowest, highest and sum of a row; the sum is added to *sum.
void row_extremes(const uint16_t* row, int count, uint16_t* lo, uint16_t* hi, uint64_t* sum);

// Counts a row into four partial histograms in turn.
void count_row(const uint16_t* row, int count, uint32_t* h0, uint32_t* h1, uint32_t* h2, uint32_t* h3);

// row_extremes and count_row of a row, in one pass where the processor path
// allows.
void count_row_extremes(const uint16_t* row, int count, uint32_t* h0, uint32_t* h1, uint32_t* h2, uint32_t* h3,
                        uint16_t* lo, uint16_t* hi, uint64_t* sum);

// Lowest and highest AD of some rows, the first row holding each, and their
// sum; lo_row < 0 for no rows.
struct RowsExtremes {
    uint16_t lo = 0xFFFF;
    uint16_t hi = 0;
    int lo_row = -1;
    int hi_row = -1;
    uint64_t sum = 0;

    // Rows in order: the first row holding an extreme stays.
    void take(const RowsExtremes& later);
};

// Histogram of a window dealt out in strips of rows among the members of a
// pool that join the run: each member counts into histograms of its own,
// which are added up afterwards. The same counts and extremes as one scan
// in row order, whoever took which strip.
class SharedHistogram {
public:
    // Counts columns [left, right] of rows [top, bottom] of a plane `width`
    // ADs wide: histogram[v] is set for every v in [lo, hi] of the result
    // and left alone elsewhere (65,536 entries).
    RowsExtremes count(const uint16_t* ad, int width, int left, int top, int right, int bottom, WorkerPool* pool,
                       uint32_t* histogram);

private:
    // The ADs outside which a member's histograms are zero.
    struct Met {
        uint32_t low = 1;
        uint32_t high = 0;
    };
    struct Free {
        void operator()(uint32_t* p) const { std::free(p); }
    };
    std::unique_ptr<uint32_t, Free> counts_;  // four full histograms per member
    size_t members_ = 0;
    std::vector<Met> met_;
};

}  // namespace palettor::detail
