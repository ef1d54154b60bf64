// Extremes, sums and histograms of AD rows, by one thread or shared among
// the members of a worker pool.
#pragma once

#include "scratch_vector.h"
#include "worker_pool.h"

#include <stddef.h>
#include <stdint.h>

#include <vector>

namespace palettor::detail {

// Lowest, highest and sum of a row; the sum is added to *sum.
void row_extremes(const uint16_t* row, int count, uint16_t* lo, uint16_t* hi, uint64_t* sum);

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
    ScratchVector<uint32_t> counts_;  // two full histograms per member
    std::vector<Met> met_;
};

}  // namespace palettor::detail
