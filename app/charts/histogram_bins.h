// The histogram of a set of temperatures: how many bins a range takes, which
// bin each temperature falls in and the share of each bin. Counts are 64-bit
// and the share is taken of all points given, also those outside the range.
#pragma once

#include <cstdint>
#include <vector>

class HistogramBins {
public:
    // Bins of at least a tenth of a degree, at most `requested` (taken as 1
    // when below 1); 1 for an empty, inverted or non-finite range.
    static int bin_count(float lo, float hi, int requested);

    // Computes counts and percentages of `total` temperatures over (lo, hi)
    // in `bins` equal bins. `fix_sum`: the largest bin absorbs the rounding
    // so that the shares add up to exactly 100 percent.
    void compute(const float* temps, int64_t total, float lo, float hi, int bins, bool fix_sum);

    // The bin of t among edges e[0..n] (e[n] = hi lands in the last bin).
    static int bin_of(const std::vector<float>& edges, float t);

    int bins() const { return static_cast<int>(m_counts.size()); }
    const std::vector<int64_t>& counts() const { return m_counts; }
    const std::vector<float>& percents() const { return m_percents; }
    const std::vector<float>& edges() const { return m_edges; }
    int64_t total() const { return m_total; }
    void clear();

private:
    std::vector<int64_t> m_counts;
    std::vector<float> m_percents;
    std::vector<float> m_edges;
    int64_t m_total = 0;
};
