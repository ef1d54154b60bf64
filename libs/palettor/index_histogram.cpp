// Histogram computation (algorithm mode 1): the range is cut into segments
// around the histogram's peaks and each segment gets a share of the palette
// by its pixel count and width.
#include "imaging.h"

#include <algorithm>
#include <cmath>

namespace palettor::detail {

namespace {

// AD of the largest bin in [first, last] (first of equals); -1 when empty.
int peak_in(const ScratchVector<uint32_t>& hist, int first, int last)
{
    int at = -1;
    uint32_t best = 0;
    for (int d = std::max(first, 0); d <= std::min(last, kMapSize - 1); ++d) {
        if (at < 0 || hist[d] > best) {
            best = hist[d];
            at = d;
        }
    }
    return at;
}

uint32_t bin(const ScratchVector<uint32_t>& hist, int d)
{
    return d >= 0 && d < kMapSize ? hist[d] : 0;
}

// Weight of a narrow last segment with a small pixel share.
float damp_last(float weight, float share, bool wide)
{
    if (share < 0.001f) {
        return 0.0f;
    }
    if (share < 0.01f && wide) {
        return weight / (3.1111112f - 111.111115f * share);
    }
    if (share < 0.02f && wide) {
        return weight / (2.0f - (share - 0.01f) / 0.01f);
    }
    return weight;
}

}  // namespace

void Imaging::build_segments(int low, int high)
{
    const ScratchVector<uint32_t>& h = histogram_;
    const int p = std::max(peak_in(h, low, high - 1), low);
    const float p_bin = static_cast<float>(bin(h, p));
    int c = low - 1, d = high + 1;
    for (int x = p; x >= low; --x) {
        if (static_cast<float>(bin(h, x)) <= 0.02f * p_bin) {
            c = x;
            break;
        }
    }
    for (int x = p; x <= high; ++x) {
        if (static_cast<float>(bin(h, x)) <= 0.02f * p_bin) {
            d = x;
            break;
        }
    }
    const int q = peak_in(h, d, high);
    const uint32_t q_bin = q < 0 ? 0 : bin(h, q);
    std::vector<Segment>& s = segments_;
    s.clear();
    if (q_bin < 1000) {
        const int r = peak_in(h, low, c);
        const uint32_t r_bin = r < 0 ? 0 : bin(h, r);
        if (r_bin >= 500) {
            const float limit = 0.1f * static_cast<float>(r_bin);
            int c2 = low - 1, e2 = c;
            for (int x = r; x >= low; --x) {
                if (static_cast<float>(bin(h, x)) < limit) {
                    c2 = x;
                    break;
                }
            }
            for (int x = r; x < c; ++x) {
                if (static_cast<float>(bin(h, x)) < limit) {
                    e2 = x;
                    break;
                }
            }
            if (c - e2 >= 10) {
                s = {{low, c2}, {c2, e2}, {e2, c}, {c, d}, {d, high}};
            } else {
                s = {{low, c2}, {c2, d}, {d, high}};
            }
        } else {
            s = {{low, c}, {c, d}, {d, high}};
        }
    } else {
        const float limit = 0.1f * static_cast<float>(q_bin);
        int f = d - 1, g = high + 1;
        for (int x = q; x >= d; --x) {
            if (static_cast<float>(bin(h, x)) < limit) {
                f = x;
                break;
            }
        }
        for (int x = q; x <= high; ++x) {
            if (static_cast<float>(bin(h, x)) < limit) {
                g = x;
                break;
            }
        }
        if (std::abs(d - f) <= 2) {
            s = {{low, c}, {c, g}, {g, high}};
        } else {
            s = {{low, c}, {c, d}, {d, f}, {f, g}, {g, high}};
        }
    }
    // The shoulders may lie one past the range (low - 1, high + 1): keep every
    // segment inside [low, high] and the segments end to end.
    for (size_t i = 0; i < s.size(); ++i) {
        s[i].first = i == 0 ? low : s[i - 1].last;
        s[i].last = std::clamp(s[i].last, s[i].first, high);
    }
}

void Imaging::allocate_segments(int low, int high)
{
    const std::vector<Segment>& s = segments_;
    const size_t n = s.size();
    std::vector<float> cs(n), ws(n), weight(n);
    float count_sum = 0.0f, width_sum = 0.0f;
    for (size_t i = 0; i < n; ++i) {
        uint64_t pixels = 0;
        for (int d = s[i].first; d < s[i].last; ++d) {
            pixels += histogram_[d];
        }
        cs[i] = static_cast<float>(pixels);
        ws[i] = static_cast<float>(s[i].last - s[i].first);
        count_sum += cs[i];
        width_sum += ws[i];
    }
    for (size_t i = 0; i < n; ++i) {
        cs[i] = count_sum > 0.0f ? cs[i] / count_sum : 0.0f;
        ws[i] = width_sum > 0.0f ? ws[i] / width_sum : 0.0f;
    }
    const int range = high - low;
    for (size_t i = 0; i < n; ++i) {
        if (range >= 400) {
            weight[i] = i < 2 ? 0.3f * cs[i] + 0.7f * ws[i] : 0.5f * cs[i] + 0.5f * ws[i];
        } else {
            weight[i] = i + 1 == n ? 0.4f * cs[i] + 0.6f * ws[i] : ws[i];
        }
    }
    if (n == 5) {
        if (range >= 400) {
            weight[1] /= 2.0f;
            weight[2] /= 2.0f;
        } else {
            weight[0] /= 3.0f;
            weight[1] /= 3.0f;
        }
        weight[4] = damp_last(weight[4], cs[4], ws[4] > 0.333f * (ws[1] + ws[2] + ws[3]));
    } else if (n == 3) {
        if (cs[0] < 0.01f) {
            weight[0] /= 10.889f - 888.9f * cs[0];
        } else if (cs[0] < 0.05f) {
            weight[0] /= 2.0f - (cs[0] - 0.01f) / 0.04f;
        }
        weight[2] = damp_last(weight[2], cs[2], ws[2] > 0.333f * ws[1]);
        const float wd = range < 163 ? 40.0f
                                     : std::min(std::trunc(40.0f * ((static_cast<float>(range) - 163.0f) / 163.0f + 1.0f)),
                                                70.0f);
        const int second_width = s[1].last - s[1].first;
        if (static_cast<float>(high - s[2].first) > 1.8f * static_cast<float>(second_width) &&
            static_cast<float>(second_width) < wd) {
            const float divisor = range <= 600 ? 5.0f : 3.0f;
            weight[0] /= divisor;
            weight[1] /= divisor;
        }
    }
    float total = 0.0f;
    for (float w : weight) {
        total += w;
    }
    for (float& w : weight) {
        w = total > 0.0f ? w / total : 0.0f;
    }

    int running_base = hist_base_;
    for (size_t i = 0; i < n; ++i) {
        const int allocated = static_cast<int>(weight[i] * static_cast<float>(hist_span_));
        const uint32_t cap = i + 1 == n ? 30 : 200;
        uint64_t sum = 0;
        for (int d = s[i].first; d <= s[i].last; ++d) {
            clipped_[d] = static_cast<uint16_t>(std::min(histogram_[d], cap));
            sum += clipped_[d];
        }
        uint64_t cumulative = 0;
        for (int d = s[i].first; d <= s[i].last; ++d) {
            cumulative += clipped_[d];
            // An empty segment has nothing to spread: it stays at the base.
            const float share = sum > 0 ? static_cast<float>(allocated) * static_cast<float>(cumulative) /
                                              static_cast<float>(sum)
                                        : 0.0f;
            map_[d] = static_cast<uint16_t>(std::clamp(static_cast<int>(share + static_cast<float>(running_base)), 0,
                                                       kMaxIndex));
        }
        running_base = std::min(running_base + allocated, kMaxIndex);
    }
    std::fill(map_.begin(), map_.begin() + s.front().first, static_cast<uint16_t>(std::clamp(hist_base_, 0, kMaxIndex)));
    std::fill(map_.begin() + s.back().last, map_.end(), static_cast<uint16_t>(std::clamp(hist_top_, 0, kMaxIndex)));
}

bool Imaging::calc_histogram(int low, int high)
{
    const char* function = "Imaging::calc_pal_no_of_ad_histgram";
    const int type = imaging_type_;
    const bool stabilization = stabilization_;
    {
        VyLockGuard map(map_lock_);
        VyLockGuard stats(stats_lock_);
        if (!map || !stats || !check_ranges(function, low, high)) {
            return false;
        }
        // Level list: a new level every time more than 10 pixels were passed.
        present_.assign(1, static_cast<uint16_t>(low));
        uint64_t sum = 0;
        for (int d = low; d < frame_max_ && d != 65535; ++d) {
            sum += histogram_[d];
            if (sum > 10) {
                present_.push_back(static_cast<uint16_t>(d + 1));
                sum = 0;
            }
        }
        if (present_.back() != high) {
            present_.push_back(static_cast<uint16_t>(high));
        }
        if (high - low < 10) {
            low = std::min(low, 65535 - 10);
            high = low + 10;
        }
        range_low_ = static_cast<uint16_t>(low);
        range_high_ = static_cast<uint16_t>(high);
        const int n = static_cast<int>(present_.size());

        int span, base, top;
        if (n < 40) {
            top = static_cast<int>(static_cast<float>(n) * 60.0f / 163.0f + 103.0f);
            base = top - n;
            span = n;
        } else if (n < 163) {
            span = std::min(n + n / 2, kMaxIndex);
            top = std::min(static_cast<int>(static_cast<float>(span) * 60.0f / 163.0f + 103.0f), kMaxIndex);
            base = top - span;
        } else {
            span = 163;
            base = 0;
            top = kMaxIndex;
        }
        const int lo = std::max<int>(frame_min_, low);
        const int hi = std::min<int>(frame_max_, high);
        if (lo != hi) {
            base = std::max(base + (lo - low) * span / (high - low), 0);
            span = std::max((hi - lo) * span / (high - low), 0);
            top = std::min(base + span, kMaxIndex);
        }
        hist_span_ = span;
        hist_base_ = std::clamp(base, 0, kMaxIndex);
        hist_top_ = std::clamp(top, 0, kMaxIndex);

        build_segments(low, high);
        allocate_segments(low, high);
        if (stabilization && type == PALETTOR_IMAGING_AUTO) {
            smooth_map(1.0f / 16.0f);
        }
    }
    return overlay_isotherms();
}

}  // namespace palettor::detail
