// Counts the temperatures inside a focus range and inside an overall range
// in one pass (both ends included) and turns them into the share that the
// pixel trend plots.
#pragma once

#include <cstdint>

struct PixelBandCount {
    int64_t n_focus = 0;
    int64_t n_overall = 0;

    // focus count x 100 / overall count; 0 when nothing lies in the overall range.
    float percentage() const
    {
        return n_overall == 0 ? 0.0f : static_cast<float>(n_focus * 100.0 / n_overall);
    }

    static PixelBandCount count(const float* temps, int64_t n, float focus_lo, float focus_hi, float all_lo,
                                float all_hi)
    {
        PixelBandCount c;
        if (temps == nullptr) {
            return c;
        }
        // Branch-free sums, so the compiler can vectorise the pass.
        int64_t focus = 0;
        int64_t overall = 0;
        for (int64_t i = 0; i < n; ++i) {
            const float t = temps[i];
            focus += (t >= focus_lo) & (t <= focus_hi);
            overall += (t >= all_lo) & (t <= all_hi);
        }
        c.n_focus = focus;
        c.n_overall = overall;
        return c;
    }
};
