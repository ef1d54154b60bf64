// Frame statistics: maximum, minimum, average, histogram and automatic range.
#include "imaging.h"

#include <algorithm>

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
bool walk_until(const std::vector<uint32_t>& histogram, uint32_t from, uint32_t to, uint64_t needed, uint32_t* ad,
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
    VyLockGuard stats(stats_lock_);
    if (!stats) {
        return false;
    }
    width_ = static_cast<uint16_t>(width);
    height_ = static_cast<uint16_t>(height);
    std::fill(histogram_.begin(), histogram_.end(), 0);
    Extremes e;
    const uint16_t first = ad[win.top * width + win.left];
    e.max = {static_cast<uint16_t>(win.left), static_cast<uint16_t>(win.top), first};
    e.min = e.max;
    for (int y = win.top; y <= win.bottom; ++y) {
        const uint16_t* row = ad + static_cast<size_t>(y) * width;
        for (int x = win.left; x <= win.right; ++x) {
            const uint16_t v = row[x];
            ++histogram_[v];
            e.take(x, y, v);
        }
    }
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
    std::fill(histogram_.begin(), histogram_.end(), 0);
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
