#include "charts/histogram_bins.h"

#include <algorithm>
#include <cmath>

int HistogramBins::bin_count(float lo, float hi, int requested)
{
    int n = requested < 1 ? 1 : requested;
    if (!std::isfinite(lo) || !std::isfinite(hi) || hi < lo) {
        return 1;
    }
    const double range = static_cast<double>(hi) - lo;
    // Each turn takes one bin away, so the loop ends after at most n turns.
    while (n > 1) {
        const double width = range / n;
        if (width == 0.0) {
            return 1;
        }
        if (std::trunc(width * 10.0) < 1.0) {
            --n;
            continue;
        }
        const double last_start = (n - 1) * width + lo;
        if (std::trunc(last_start * 10.0) < std::trunc(static_cast<double>(hi) * 10.0)) {
            return n;
        }
        --n;
    }
    return 1;
}

int HistogramBins::bin_of(const std::vector<float>& edges, float t)
{
    const int n = static_cast<int>(edges.size()) - 1;
    int lo = 0;
    int hi = n;
    const int half = n / 2;
    if (edges[half] > t) {
        hi = half;
    } else {
        lo = half;
    }
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        if (edges[mid] > t) {
            hi = mid;
        } else {
            lo = mid;
        }
    }
    return lo < n ? lo : n - 1;
}

void HistogramBins::clear()
{
    std::fill(m_counts.begin(), m_counts.end(), 0);
    std::fill(m_percents.begin(), m_percents.end(), 0.0f);
    m_total = 0;
}

void HistogramBins::compute(const float* temps, int64_t total, float lo, float hi, int bins, bool fix_sum)
{
    const int n = bins < 1 ? 1 : bins;
    m_counts.assign(n, 0);
    m_percents.assign(n, 0.0f);
    m_edges.resize(n + 1);
    m_total = total < 0 ? 0 : total;
    const double width = (static_cast<double>(hi) - lo) / n;
    for (int i = 0; i < n; ++i) {
        m_edges[i] = static_cast<float>(i * width + lo);
    }
    m_edges[n] = hi;
    if (temps != nullptr && std::isfinite(lo) && std::isfinite(hi) && lo <= hi) {
        for (int64_t i = 0; i < m_total; ++i) {
            const float t = temps[i];
            if (t >= lo && t <= hi) {
                ++m_counts[bin_of(m_edges, t)];
            }
        }
    }
    // Shares in hundredths of a percent; nothing to share out of no points.
    if (m_total == 0) {
        return;
    }
    std::vector<int64_t> p(n, 0);
    int64_t sum = 0;
    int largest = 0;
    for (int i = 0; i < n; ++i) {
        p[i] = m_counts[i] * 10000 / m_total;
        if (p[i] == 0 && m_counts[i] > 0) {
            p[i] = 1;
        }
        sum += p[i];
        if (p[i] >= p[largest]) {
            largest = i;
        }
    }
    if (fix_sum && sum > 0 && sum != 10000) {
        p[largest] += 10000 - sum;
    }
    for (int i = 0; i < n; ++i) {
        m_percents[i] = static_cast<float>(p[i]) / 100.0f + 0.001f;
    }
}
