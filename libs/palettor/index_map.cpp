// The AD-to-palette-index map: dispatch, range setters and the automatic,
// fire-fighting and manual computations.
#include "imaging.h"

#include <algorithm>

namespace palettor::detail {

namespace {

int clamp_index(int index)
{
    return std::clamp(index, 0, kMaxIndex);
}

// Index span of the palette a range [low, high] covers when the automatic
// range [alow, ahigh] lies partly inside it.
void index_span(int low, int high, int alow, int ahigh, int* bottom, int* top, int* span)
{
    *bottom = low < alow ? clamp_index((alow - low) * 163 / (high - low)) : 0;
    *top = kMaxIndex;
    if (ahigh < high) {
        *top = clamp_index(163 - (high - ahigh) * 163 / (high - low));
    }
    *span = std::max(*top - *bottom + 1, 1);
}

// k / (extent / 3000 + 1) in single precision; a non-positive divisor
// (extent at or below -3000) counts as 1.
int band_weight(int count, int extent)
{
    float divisor = static_cast<float>(extent) / 3000.0f + 1.0f;
    if (divisor <= 0.0f) {
        divisor = 1.0f;
    }
    return static_cast<int>(static_cast<float>(count) / divisor);
}

// Pixels left once the ten lowest ADs of the automatic range are taken from
// the untrimmed ones.
int64_t body_pixels(const ScratchVector<uint32_t>& histogram, int alow, int64_t untrimmed)
{
    int64_t body = untrimmed;
    for (int d = alow; d <= std::min(alow + 9, kMapSize - 1); ++d) {
        body -= histogram[d];
    }
    return body;
}

}  // namespace

int Imaging::eased_peak(int alow, int ahigh, bool stabilization, uint32_t raw_limit, int* raw_peak)
{
    uint32_t largest = 0;
    int peak = alow;
    bool raw_fixed = false;
    for (int d = alow; d < ahigh; ++d) {
        if (histogram_[d] > largest) {
            largest = histogram_[d];
            peak = d;
        }
        if (raw_peak && !raw_fixed && largest > raw_limit && 0.5 * largest > histogram_[d]) {
            *raw_peak = peak;
            raw_fixed = true;
        }
    }
    if (stabilization && peak_ad_ != 0) {
        peak = peak_ad_ + (peak - peak_ad_) / 20;
    }
    peak_ad_ = static_cast<uint16_t>(peak);
    return peak;
}

bool Imaging::check_ranges(const char* function, int low, int high)
{
    if (auto_low_ == 0xFFFF && auto_high_ == 0) {
        IMAGING_LOG(1, function, "can not calculate palette index, because haven't initialized");
        return false;
    }
    if (auto_high_ < auto_low_ || auto_high_ - auto_low_ > 60000) {
        IMAGING_LOG(4, function, "can not calculate palette index, auto imaging range [%d, %d] is error", auto_low_,
                    auto_high_);
        return false;
    }
    if (low >= high) {
        IMAGING_LOG(4, function, "can not calculate palette index, imaging range [%d, %d] is error", low, high);
        return false;
    }
    return true;
}

bool Imaging::recompute()
{
    const int mode = algorithm_mode();
    if (!compute_ && mode == 0) {
        return true;
    }
    const int type = imaging_type_;
    int low, high, alow, ahigh;
    {
        VyLockGuard map(map_lock_);
        VyLockGuard stats(stats_lock_);
        if (!map || !stats) {
            return false;
        }
        low = range_low_;
        high = range_high_;
        alow = auto_low_;
        ahigh = auto_high_;
    }
    if (type == PALETTOR_IMAGING_MANUAL) {
        return calc_manual(low, high);
    }
    if (mode == 1) {
        return type == PALETTOR_IMAGING_FIRE_FIGHTING ? calc_histogram(low, high) : calc_histogram(alow, ahigh);
    }
    if (type == PALETTOR_IMAGING_FIRE_FIGHTING) {
        return calc_fire_fighting(low, high);
    }
    return calc_automatic(alow, ahigh);
}

void Imaging::reset()
{
    VyLockGuard map(map_lock_);
    wide_scene_ = false;
    wide_count_ = narrow_count_ = 0;
    band_i0_ = band_i1_ = 0;
    split_z_ = split_s1_ = split_s2_ = split_s3_ = 0;
    peak_ad_ = 0;
}

bool Imaging::auto_adjust()
{
    imaging_type_ = PALETTOR_IMAGING_AUTO;
    reset();
    if (!computes()) {
        return true;
    }
    int alow, ahigh;
    {
        VyLockGuard stats(stats_lock_);
        alow = auto_low_;
        ahigh = auto_high_;
    }
    if (algorithm_mode() == 1) {
        calc_histogram(alow, ahigh);
    } else {
        calc_automatic(alow, ahigh);
    }
    return true;
}

bool Imaging::auto_adjust_fpga(uint16_t low, uint16_t high)
{
    return store_range(PALETTOR_IMAGING_AUTO, low, high);
}

bool Imaging::set_range(uint16_t low, uint16_t high)
{
    return store_range(PALETTOR_IMAGING_MANUAL, low, high);
}

// Fire fighting keeps its type whichever way the range comes in.
bool Imaging::store_range(int type, uint16_t low, uint16_t high)
{
    if (imaging_type_ != PALETTOR_IMAGING_FIRE_FIGHTING) {
        imaging_type_ = type;
    }
    {
        VyLockGuard map(map_lock_);
        range_low_ = low;
        range_high_ = high;
    }
    if (computes()) {
        recompute();
    }
    return true;
}

bool Imaging::set_range_end(bool low_end, uint16_t value)
{
    imaging_type_ = PALETTOR_IMAGING_MANUAL;
    int low, high;
    {
        VyLockGuard map(map_lock_);
        (low_end ? range_low_ : range_high_) = value;
        low = range_low_;
        high = range_high_;
    }
    if (computes()) {
        calc_manual(low, high);
    }
    return true;
}

void Imaging::get_range(uint16_t* low, uint16_t* high)
{
    VyLockGuard map(map_lock_);
    if (low) {
        *low = range_low_;
    }
    if (high) {
        *high = range_high_;
    }
}

void Imaging::get_auto_range(uint16_t* low, uint16_t* high)
{
    VyLockGuard stats(stats_lock_);
    if (low) {
        *low = auto_low_;
    }
    if (high) {
        *high = auto_high_;
    }
}

void Imaging::get_ad_threshold(uint16_t* out)
{
    VyLockGuard stats(stats_lock_);
    *out = ad_threshold_;
}

void Imaging::set_threshold_fraction(float fraction)
{
    threshold_fraction_ = fraction;
}

template <class IndexOf>
void Imaging::walk_present(int low, int high, int top, uint16_t fill, IndexOf index_of)
{
    // What the walk leaves alone: the ADs up to low, and those between the
    // last one walked and the first at or above high.
    std::fill(map_.begin(), map_.begin() + low + 1, fill);
    // Local pointers: the compiler cannot tell that the map's stores leave
    // the members alone and would reload them every step.
    uint16_t* map = map_.data();
    const uint32_t* histogram = histogram_.data();
    const uint32_t cap = height_;
    uint64_t running = 0;
    int previous = low;
    int last_index = -1;
    int stopped = -1;
    int last_walked = low;
    for (const uint16_t ad : present_) {
        const int d = ad;
        if (d >= high) {
            stopped = d;
            break;
        }
        running += std::min(histogram[d], cap);
        last_walked = d;
        if (d <= low) {
            continue;
        }
        int index = std::min(static_cast<int>(index_of(d, running)), top);
        index = clamp_index(index);
        // Mostly the next AD: one store rather than a fill's set-up.
        if (d == previous + 1) {
            map[d] = static_cast<uint16_t>(index);
        } else {
            std::fill(map + previous + 1, map + d + 1, static_cast<uint16_t>(index));
        }
        previous = d;
        last_index = index;
    }
    const uint16_t tail = static_cast<uint16_t>(last_index < 0 ? kMaxIndex : last_index);
    if (stopped >= 0) {
        // Pixels at or above high are painted as the top of the bar: the index
        // of the last AD walked below high can lie far lower when the frame has
        // few levels.
        std::fill(map_.begin() + previous + 1, map_.begin() + stopped, fill);
        std::fill(map_.begin() + stopped, map_.end(), static_cast<uint16_t>(clamp_index(top)));
    } else {
        // ADs below low that were present stay at the fill.
        const int m = std::max(last_walked, low);
        std::fill(map_.begin() + m, map_.begin() + std::max(m, high), tail);
        std::fill(map_.begin() + high, map_.end(), static_cast<uint16_t>(clamp_index(top)));
    }
}

void Imaging::narrow_mapping(int low, int high)
{
    const int r = high - low;
    int w;
    float slope;
    if (r < 40) {
        w = r;
        slope = 1.0f;
    } else {
        w = std::min(r + r / 4, 163);
        slope = static_cast<float>(w) / static_cast<float>(r);
    }
    const int base = (103 + w * 60 / 163 - w) & 0xFF;
    std::fill(map_.begin(), map_.begin() + low, static_cast<uint16_t>(clamp_index(base)));
    for (int d = low; d < high; ++d) {
        map_[d] = static_cast<uint16_t>(clamp_index(base + static_cast<int>(static_cast<float>(d - low) * slope)));
    }
    std::fill(map_.begin() + high, map_.end(), static_cast<uint16_t>(clamp_index(base + w - 1)));
}

void Imaging::smooth_map(float factor)
{
    if (smoothed_map_.empty()) {
        smoothed_map_.assign(map_.begin(), map_.end());
        return;
    }
    for (int d = 0; d < kMapSize; ++d) {
        smoothed_map_[d] = smoothed_map_[d] + (static_cast<float>(map_[d]) - smoothed_map_[d]) * factor;
        map_[d] = static_cast<uint16_t>(smoothed_map_[d]);
    }
}

void Imaging::split_points(int z, int ahigh, int start, int64_t body, int* s1, int* s2, int* s3)
{
    *s1 = ahigh;
    for (int d = z; d <= ahigh; ++d) {
        body -= histogram_[d];
        if (d >= start) {
            *s1 = d;
            break;
        }
    }
    const int64_t third = body / 3;
    int64_t sum = 0;
    *s3 = ahigh;
    for (int d = ahigh; d > *s1; --d) {
        sum += histogram_[d];
        if (sum >= third) {
            *s3 = d;
            break;
        }
    }
    sum = 0;
    *s2 = *s1;
    for (int d = *s3 - 1; d > *s1; --d) {
        sum += histogram_[d];
        if (sum >= third) {
            *s2 = d;
            break;
        }
    }
}

uint64_t Imaging::collect_present(int first, int last, uint32_t cap)
{
    // Written through a local pointer and summed in a register: push_back
    // and a running total kept in the object reload and store every step.
    present_.resize(static_cast<size_t>(std::max(last - first + 1, 0)));
    uint16_t* out = present_.data();
    size_t count = 0;
    uint64_t total = 0;
    for (int d = first; d <= last; ++d) {
        const uint32_t n = histogram_[d];
        out[count] = static_cast<uint16_t>(d);
        count += n != 0 ? 1 : 0;
        total += std::min(n, cap);
    }
    present_.resize(count);
    return total;
}

namespace {

int count_above_one(const ScratchVector<uint32_t>& hist, int first, int end)
{
    int k = 0;
    for (int d = std::max(first, 0); d < std::min(end, kMapSize); ++d) {
        k += hist[d] > 1 ? 1 : 0;
    }
    return k;
}

}  // namespace

bool Imaging::calc_automatic(int low, int high)
{
    const char* function = "Imaging::calc_pal_no_of_ad";
    const int mode = algorithm_mode();
    const int type = imaging_type_;
    const bool stabilization = stabilization_;
    {
        VyLockGuard map(map_lock_);
        VyLockGuard stats(stats_lock_);
        if (!map || !stats || !check_ranges(function, low, high)) {
            return false;
        }
        int alow = auto_low_, ahigh = auto_high_;
        const int W = width_, H = height_;
        int64_t trimmed_high = trimmed_high_;
        if (mode == 2) {
            // Bands take the top of the fire table: the palette stops below them.
            VyLockGuard bands(isotherm_lock_);
            for (const IsothermRecord& r : isotherms_) {
                high = std::min<int>(high, r.low);
            }
            for (int d = high + 1; d <= ahigh; ++d) {
                trimmed_high += histogram_[d];
            }
            ahigh = std::min(ahigh, high);
            if (high <= low || ahigh < alow) {
                IMAGING_LOG(4, function, "can not calculate palette index, imaging range [%d, %d] is error", low, high);
                return false;
            }
        }

        int raw_peak = alow;
        const int peak = eased_peak(alow, ahigh, stabilization, static_cast<uint32_t>(W / 2), &raw_peak);
        const int64_t body = body_pixels(histogram_, alow, static_cast<int64_t>(W) * H - trimmed_high - trimmed_low_);
        const bool narrow = 16384 - raw_peak <= 600 || high - low <= 255;
        if (narrow) {
            ++narrow_count_;
            wide_count_ = 0;
            if ((wide_scene_ && narrow_count_ > 40) || split_z_ == 0) {
                wide_scene_ = false;
            }
        } else {
            ++wide_count_;
            narrow_count_ = 0;
            if ((!wide_scene_ && wide_count_ > 40) || split_z_ == 0) {
                wide_scene_ = true;
            }
        }

        const int z = alow + 10;
        const int offset = std::clamp((raw_peak - 16384) / 2 + 450, 100, 600);
        int s1, s2, s3;
        split_points(z, ahigh, peak + offset, body, &s1, &s2, &s3);
        if (type == PALETTOR_IMAGING_AUTO) {
            if (split_s1_ != 0) s1 = split_s1_ + (s1 - split_s1_) / 40;
            if (split_s2_ != 0) s2 = split_s2_ + (s2 - split_s2_) / 40;
            if (split_s3_ != 0) s3 = split_s3_ + (s3 - split_s3_) / 40;
        }
        s1 = std::max(s1, z);
        s2 = std::max(s2, s1);
        s3 = std::max(s3, s2);
        split_z_ = static_cast<uint16_t>(std::min(z, 65535));
        split_s1_ = static_cast<uint16_t>(std::min(s1, 65535));
        split_s2_ = static_cast<uint16_t>(std::min(s2, 65535));
        split_s3_ = static_cast<uint16_t>(std::min(s3, 65535));

        const uint64_t clipped_total = collect_present(alow, ahigh, static_cast<uint32_t>(H));
        range_low_ = static_cast<uint16_t>(low);
        range_high_ = static_cast<uint16_t>(high);

        int w0 = s1 - z;
        int w1 = band_weight(count_above_one(histogram_, s1, s2), s3 - low);
        const int w2 = band_weight(count_above_one(histogram_, s2, s3), high - low);
        const int w3 = band_weight(count_above_one(histogram_, s3, high + 1), high - low);
        if (wide_scene_) {
            w0 /= 4;
            w1 /= 8;
        }
        const int n = w0 + w1 + w2 + w3;

        int bottom, top, span;
        index_span(low, high, alow, ahigh, &bottom, &top, &span);
        const int p = std::max(span - 10, 0);
        int i0 = 0, i1 = 0, i2 = 0, i3 = 0;
        if (n > 0) {
            i0 = p * w0 / n;
            i1 = p * w1 / n;
            i2 = p * w2 / n;
            if (type == PALETTOR_IMAGING_AUTO) {
                if (band_i0_ != 0) i0 = band_i0_ + (i0 - band_i0_) / 4;
                if (band_i1_ != 0) i1 = band_i1_ + (i1 - band_i1_) / 4;
            }
            band_i0_ = static_cast<uint8_t>(i0);
            band_i1_ = static_cast<uint8_t>(i1);
            i3 = std::max(span - i0 - i1 - i2 - 10, 0);
        }

        if (type == PALETTOR_IMAGING_AUTO && high - low <= 162) {
            narrow_mapping(low, high);
        } else {
            walk_present(low, high, top, static_cast<uint16_t>(bottom), [&](int d, uint64_t running) {
                int index;
                if (d <= z) {
                    index = (d - low) * 10 / (z - low);
                } else if (d <= s1) {
                    index = 10 + (d - z) * i0 / (s1 - z);
                } else if (d <= s2) {
                    index = 10 + i0 + (d - s1) * i1 / (s2 - s1);
                } else if (d <= s3) {
                    index = 10 + i0 + i1 + (d - s2) * i2 / (s3 - s2);
                } else {
                    index = 10 + i0 + i1 + i2 + (d - s3) * i3 / (high - s3);
                }
                index += bottom;
                if (mode == 2 && clipped_total > 0) {
                    const int64_t share = static_cast<int64_t>(running * 163 / clipped_total);
                    index = static_cast<int>(0.6 * static_cast<double>(share) + 0.4 * index);
                }
                return index;
            });
        }
        if (stabilization && mode == 2 && type == PALETTOR_IMAGING_AUTO) {
            smooth_map(1.0f / 30.0f);
        }
    }
    return overlay_isotherms();
}

bool Imaging::calc_fire_fighting(int low, int high)
{
    const char* function = "Imaging::calc_pal_no_of_ad_ff";
    const bool stabilization = stabilization_;
    {
        VyLockGuard map(map_lock_);
        VyLockGuard stats(stats_lock_);
        if (!map || !stats || !check_ranges(function, low, high)) {
            return false;
        }
        const int alow = auto_low_, ahigh = auto_high_;
        const int W = width_, H = height_;
        const int peak = eased_peak(alow, ahigh, stabilization, 0, nullptr);
        const int64_t body =
            body_pixels(histogram_, alow, static_cast<int64_t>(W) * H - trimmed_high_ - trimmed_low_);
        const int z = alow + 10;
        int s1, s2, s3;
        split_points(z, ahigh, peak + 450, body, &s1, &s2, &s3);
        split_z_ = static_cast<uint16_t>(std::min(z, 65535));
        split_s1_ = static_cast<uint16_t>(s1);
        split_s2_ = static_cast<uint16_t>(s2);
        split_s3_ = static_cast<uint16_t>(s3);

        collect_present(alow, ahigh, 0);
        range_low_ = static_cast<uint16_t>(low);
        range_high_ = static_cast<uint16_t>(high);

        const float f = ahigh > alow ? static_cast<float>(high - low) / static_cast<float>(ahigh - alow) : 0.0f;
        auto scale = [&](int x) { return low + static_cast<int>(static_cast<float>(x - alow) * f); };
        const int zs = scale(z), s1s = scale(s1), s2s = scale(s2), s3s = scale(s3);
        const int w0 = s1s - zs;
        const int w1 = band_weight(count_above_one(histogram_, s1s, s2s), s3s - low);
        const int w2 = band_weight(count_above_one(histogram_, s2s, s3s), high - low);
        const int w3 = band_weight(count_above_one(histogram_, s3s, high + 1), high - low);
        const int n = w0 + w1 + w2 + w3;

        int bottom, top, span;
        index_span(low, high, alow, ahigh, &bottom, &top, &span);
        const int p = std::max(span - 10, 0);
        int i0 = 0, i1 = 0, i2 = 0, i3 = 0;
        if (n > 0) {
            i0 = p * w0 / n;
            i1 = p * w1 / n;
            i2 = p * w2 / n;
            i3 = std::max(span - i0 - i1 - i2 - 10, 0);
        }

        if (high - low <= 162) {
            narrow_mapping(low, high);
        } else {
            walk_present(low, high, top, 0, [&](int d, uint64_t) {
                int band;
                if (d <= zs) {
                    band = (d - low) * 10 / (zs - low);
                } else if (d <= s1s) {
                    band = 10 + (d - zs) * i0 / (s1s - zs);
                } else if (d <= s2s) {
                    band = 10 + i0 + (d - s1s) * i1 / (s2s - s1s);
                } else if (d <= s3s) {
                    band = 10 + i0 + i1 + (d - s2s) * i2 / (s3s - s2s);
                } else {
                    band = 10 + i0 + i1 + i2 + (d - s3s) * i3 / (high - s3s);
                }
                return (band + bottom) & 0xFF;
            });
        }
    }
    return overlay_isotherms();
}

bool Imaging::calc_manual(int low, int high)
{
    if (algorithm_mode() == 1) {
        return calc_histogram(low, high);
    }
    const char* function = "Imaging::calc_pal_no_of_ad_manual";
    {
        VyLockGuard map(map_lock_);
        VyLockGuard stats(stats_lock_);
        if (!map || !stats || !check_ranges(function, low, high)) {
            return false;
        }
        const int alow = auto_low_, ahigh = auto_high_;
        split_z_ = static_cast<uint16_t>(std::min(alow + 10, 65535));
        collect_present(frame_min_, frame_max_, 0);
        range_low_ = static_cast<uint16_t>(low);
        range_high_ = static_cast<uint16_t>(high);
        // The knee h splits the range: ten automatic-range widths of AD take
        // the first nine indexes. A flat frame (automatic range exactly 10 AD)
        // puts h on high, so both divisors are kept at 1 or more.
        const int h = low + static_cast<int>(10.0f * static_cast<float>(high - low) /
                                              static_cast<float>(std::max(ahigh - alow, 1)));
        const int below = std::max(h - low, 1);
        const int above = std::max(high - h, 1);
        int top = kMaxIndex;
        if (frame_max_ < high) {
            top = clamp_index(163 - (high - frame_max_) * 153 / above);
        }
        walk_present(low, high, top, 10, [&](int d, uint64_t) {
            return d <= h ? (d - low) * 9 / below : ((d - h) * 154 / above + 9) & 0xFF;
        });
        // Pixels at or below low are painted as the bottom of the bar, not
        // with the fill, which lies above the indexes of the ADs just over low.
        std::fill(map_.begin(), map_.begin() + low + 1, 0);
    }
    return overlay_isotherms();
}

}  // namespace palettor::detail
