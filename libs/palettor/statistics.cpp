// Frame statistics: maximum, minimum, average, histogram and automatic range.
#include "imaging.h"

#include "shared_passes.h"
#include "window_counts.h"

#include <algorithm>
#include <optional>

namespace palettor::detail {

namespace {

struct Extremes {
    tagPAD max{};
    tagPAD min{};
    uint64_t sum = 0;
    uint64_t count = 0;

    void take(int x, int y, uint16_t v)
    {
        if (v > max.ad) {
            max = {static_cast<uint16_t>(x), static_cast<uint16_t>(y), v};
        } else if (v < min.ad) {
            min = {static_cast<uint16_t>(x), static_cast<uint16_t>(y), v};
        }
        sum += v;
    }
};

// The first pixel of row y of the window with this value, which the row holds.
tagPAD first_in_row(const uint16_t* ad, int width, const Window& win, int y, uint16_t value)
{
    const uint16_t* row = ad + static_cast<size_t>(y) * width;
    const uint16_t* at = std::find(row + win.left, row + win.right + 1, value);
    return {static_cast<uint16_t>(at - row), static_cast<uint16_t>(y), value};
}

void fill_out(const Extremes& e, tagPAD* max, tagPAD* min, uint16_t* avg)
{
    if (max) {
        *max = e.max;
    }
    if (min) {
        *min = e.min;
    }
    if (avg) {
        *avg = static_cast<uint16_t>(e.sum / e.count);
    }
}

// Walks the histogram from `from` one AD at a time towards `to` (exclusive)
// and stops at the first AD by which `needed` pixels have been passed: true
// with that AD and the count passed, false when the walk never gets there.
bool walk_until(const ScratchVector<uint32_t>& histogram, uint32_t from, uint32_t to, uint64_t needed, uint32_t* ad,
                uint32_t* passed)
{
    const int step = from < to ? 1 : -1;
    uint64_t total = 0;
    for (int64_t d = from; d != to; d += step) {
        total += histogram[static_cast<size_t>(d)];
        if (total >= needed) {
            *ad = static_cast<uint32_t>(d);
            *passed = static_cast<uint32_t>(total);
            return true;
        }
    }
    return false;
}

// An automatic range is at least 10 AD wide and stays inside 0..65535.
void widen(uint32_t low, uint32_t high, uint16_t* out_low, uint16_t* out_high)
{
    if (high - low < 10) {
        low = std::min<uint32_t>(low, 65535 - 10);
        high = low + 10;
    }
    *out_low = static_cast<uint16_t>(low);
    *out_high = static_cast<uint16_t>(high);
}

}  // namespace

bool Imaging::calc_statistics(const uint16_t* ad, int width, int height, const Window& win, tagPAD* max,
                              tagPAD* min, uint16_t* avg)
{
    if (ad == nullptr || win.bottom >= height) {
        IMAGING_LOG(4, "Imaging::calc_max_min_avg_of_ad", "pus_ad =0 or bottom %d or height %d is error", win.bottom,
                    height);
        return false;
    }
    if (!window_ok(width, height, win)) {
        IMAGING_LOG(4, "Imaging::calc_max_min_avg_of_ad", "window [%d, %d, %d, %d] of %d x %d is error", win.left,
                    win.top, win.right, win.bottom, width, height);
        return false;
    }
    const int mode = algorithm_mode();
    int workers = 1;
    {
        VyLockGuard map(map_lock_);
        if (map) {
            workers = cpu_workers();
        }
    }
    std::optional<BorrowedPool> pool;
    WorkerPool* shared = borrow_awake(
        workers, static_cast<int64_t>(win.right - win.left + 1) * (win.bottom - win.top + 1), &pool);
    VyLockGuard stats(stats_lock_);
    if (!stats) {
        return false;
    }
    width_ = static_cast<uint16_t>(width);
    height_ = static_cast<uint16_t>(height);
    Extremes e;
    window_histogram(ad, width, win, shared, &e.max, &e.min, &e.sum);
    e.count = static_cast<uint64_t>(win.right - win.left + 1) * static_cast<uint64_t>(win.bottom - win.top + 1);
    frame_min_ = e.min.ad;
    frame_max_ = e.max.ad;
    fill_out(e, max, min, avg);

    // Automatic range: cut a few pixels off each end of the histogram.
    const uint64_t low_cut = mode == 1 ? static_cast<uint64_t>(width) * 3 : 30;
    uint32_t low = e.min.ad, high = e.max.ad;
    trimmed_low_ = 0;
    walk_until(histogram_, e.min.ad, e.max.ad, low_cut, &low, &trimmed_low_);
    // Pixels outside the window count as trimmed off the low end.
    trimmed_low_ += static_cast<uint32_t>(
        static_cast<int64_t>(win.left + width - 1 - win.right) * (win.bottom - win.top + 1) +
        static_cast<int64_t>(win.top + height - 1 - win.bottom) * width);
    trimmed_high_ = 0;
    walk_until(histogram_, e.max.ad, low, static_cast<uint64_t>(height / 2) + 1, &high, &trimmed_high_);
    const float limit = static_cast<float>(width) * static_cast<float>(height) * threshold_fraction_.load();
    uint64_t total = 0;
    for (uint32_t d = high; d > low; --d) {
        total += histogram_[d];
        if (static_cast<float>(total) > limit) {
            ad_threshold_ = static_cast<uint16_t>(d);
            break;
        }
    }
    widen(low, high, &auto_low_, &auto_high_);
    return true;
}

void Imaging::clear_histogram()
{
    if (counted_low_ <= counted_high_) {
        std::fill(histogram_.begin() + counted_low_, histogram_.begin() + counted_high_ + 1, 0);
    }
}

void Imaging::window_histogram(const uint16_t* ad, int width, const Window& win, WorkerPool* pool, tagPAD* max,
                               tagPAD* min, uint64_t* total)
{
    clear_histogram();
    // Extremes as a scan in row order finds them: the first pixel of each,
    // in the first row that holds it.
    uint16_t lo = 0xFFFF, hi = 0;
    int lo_row = win.top, hi_row = win.top;
    uint64_t sum = 0;
    if (pool != nullptr) {
        const RowsExtremes e =
            shared_counts_.count(ad, width, win.left, win.top, win.right, win.bottom, pool, histogram_.data());
        lo = e.lo;
        hi = e.hi;
        lo_row = e.lo_row;
        hi_row = e.hi_row;
        sum = e.sum;
    } else {
        // The partial histograms stay zero between calls: only [lo, hi] is
        // used and cleared again after the merge.
        if (partials_.empty()) {
            partials_.assign(3 * static_cast<size_t>(kMapSize), 0);
        }
        uint32_t* h1 = partials_.data();
        uint32_t* h2 = h1 + kMapSize;
        uint32_t* h3 = h2 + kMapSize;
        const int columns = win.right - win.left + 1;
        // Each row is counted while it is in the cache.
        for (int y = win.top; y <= win.bottom; ++y) {
            const uint16_t* row = ad + static_cast<size_t>(y) * width + win.left;
            uint16_t row_lo, row_hi;
            count_row_extremes(row, columns, histogram_.data(), h1, h2, h3, &row_lo, &row_hi, &sum);
            if (row_lo < lo || y == win.top) {
                lo = row_lo;
                lo_row = y;
            }
            if (row_hi > hi || y == win.top) {
                hi = row_hi;
                hi_row = y;
            }
        }
        for (uint32_t v = lo; v <= hi; ++v) {
            histogram_[v] += h1[v] + h2[v] + h3[v];
            h1[v] = h2[v] = h3[v] = 0;
        }
    }
    counted_low_ = lo;
    counted_high_ = hi;
    *max = first_in_row(ad, width, win, hi_row, hi);
    *min = first_in_row(ad, width, win, lo_row, lo);
    *total = sum;
}

bool Imaging::calc_statistics_ex(const uint16_t* ad, int width, int height, const LineSpan* spans, int count,
                                 tagPAD* max, tagPAD* min, uint16_t* avg)
{
    if (ad == nullptr) {
        IMAGING_LOG(4, "Imaging::calc_max_min_avg_of_ad_ex", "pus_ad =0 ");
        return false;
    }
    if (width <= 0 || height <= 0 || count < 0 || (spans == nullptr && count > 0)) {
        IMAGING_LOG(4, "Imaging::calc_max_min_avg_of_ad_ex", "frame %d x %d or %d spans is error", width, height,
                    count);
        return false;
    }
    // Validate every span before anything is changed.
    uint64_t pixels = 0;
    for (int i = 0; i < count; ++i) {
        const int row = static_cast<int>(spans[i].row_and_first & 0xFFFF);
        const int first = static_cast<int>(spans[i].row_and_first >> 16);
        const int last = spans[i].last;
        if (last < first) {
            continue;
        }
        if (row >= height || last >= width) {
            IMAGING_LOG(4, "Imaging::calc_max_min_avg_of_ad_ex", "span %d (row %d, %d..%d) is outside %d x %d", i, row,
                        first, last, width, height);
            return false;
        }
        pixels += static_cast<uint64_t>(last - first + 1);
    }
    if (pixels == 0) {
        IMAGING_LOG(4, "Imaging::calc_max_min_avg_of_ad_ex", "total pts count is 0");
        return false;
    }
    VyLockGuard stats(stats_lock_);
    if (!stats) {
        return false;
    }
    width_ = static_cast<uint16_t>(width);
    height_ = static_cast<uint16_t>(height);
    clear_histogram();
    Extremes e;
    bool started = false;
    for (int i = 0; i < count; ++i) {
        const int row = static_cast<int>(spans[i].row_and_first & 0xFFFF);
        const int first = static_cast<int>(spans[i].row_and_first >> 16);
        const uint16_t* line = ad + static_cast<size_t>(row) * width;
        for (int x = first; x <= spans[i].last; ++x) {
            const uint16_t v = line[x];
            if (!started) {
                e.max = e.min = {static_cast<uint16_t>(x), static_cast<uint16_t>(row), v};
                started = true;
            }
            ++histogram_[v];
            e.take(x, row, v);
        }
    }
    e.count = pixels;
    counted_low_ = e.min.ad;
    counted_high_ = e.max.ad;
    frame_min_ = e.min.ad;
    frame_max_ = e.max.ad;
    fill_out(e, max, min, avg);

    uint32_t low = e.min.ad, high = e.max.ad;
    trimmed_low_ = 0;
    walk_until(histogram_, e.min.ad, e.max.ad, 31, &low, &trimmed_low_);
    trimmed_high_ = 0;
    walk_until(histogram_, e.max.ad, low, 31, &high, &trimmed_high_);
    widen(low, high, &auto_low_, &auto_high_);
    return true;
}

int Imaging::cpu_workers() const
{
    return engine_ && !engine_->on_opencl() ? std::max(engine_->worker_count(), 1) : 1;
}

bool Imaging::pixel_count(uint16_t low, uint16_t high, int32_t* out)
{
    VyLockGuard stats(stats_lock_);
    if (!stats) {
        return false;
    }
    uint64_t total = 0;
    for (uint32_t d = low; d <= high && high >= low; ++d) {
        total += histogram_[d];
    }
    *out = static_cast<int32_t>(std::min<uint64_t>(total, INT32_MAX));
    return true;
}

}  // namespace palettor::detail
