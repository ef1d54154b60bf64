#include "views/isotherm_axis.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMinStepPixels = 39;
constexpr int kMaxStepPixels = 102;
const int kMantissas[3] = {1, 2, 5};

QString label_text(float value)
{
    const double whole = std::trunc(static_cast<double>(value));
    return whole == static_cast<double>(value) ? QString::asprintf("%.0f", value) : QString::asprintf("%.1f", value);
}

}  // namespace

bool IsothermAxis::layout(int length)
{
    const double range = static_cast<double>(max) - static_cast<double>(min);
    if (length < 1 || !std::isfinite(range) || range <= 0.0) {
        return false;
    }
    // Each round is one notch up or down the 1-2-5 ladder; a finite, positive
    // range settles within a few dozen notches, the bound only guards the
    // loop against a ladder that cannot meet the window.
    int mantissa = 0;
    int exponent = 1;
    double chosen = 10.0;
    int pixels = 0;
    for (int round = 0; round < 200; ++round) {
        chosen = kMantissas[mantissa] * std::pow(10.0, exponent);
        const double exact = length * chosen / range;
        pixels = exact >= kMaxStepPixels ? kMaxStepPixels : static_cast<int>(exact);
        if (pixels < kMinStepPixels) {
            if (++mantissa == 3) { mantissa = 0; ++exponent; }
        } else if (pixels >= kMaxStepPixels) {
            if (--mantissa < 0) { mantissa = 2; --exponent; }
        } else {
            break;
        }
    }
    if (pixels < kMinStepPixels || pixels >= kMaxStepPixels) {
        return false;
    }
    step = static_cast<float>(chosen);
    px_per_step = pixels;

    labels.clear();
    const double q = static_cast<double>(min) / chosen;
    double value = std::trunc(q) * chosen;
    double pixel = std::fabs((q - std::trunc(q)) * px_per_step);
    if (min > 0.0f) {
        value += chosen;
        pixel = std::fabs(pixel - px_per_step);
    }
    for (; value <= static_cast<double>(max) + 1e-6 * chosen; value += chosen, pixel += px_per_step) {
        labels.push_back({static_cast<int>(pixel), label_text(static_cast<float>(value))});
    }
    return true;
}

void IsothermAxis::place(IsothermBand& band) const
{
    const float dpp = degrees_per_pixel();
    if (band.low < min) {
        band.span -= min - band.low;
        band.low = min;
    }
    band.span = std::max(kIsothermMinSpan, band.span);
    if (band.low + band.span > max) {
        band.span = max - band.low;
        if (band.span < kIsothermMinSpan) {
            band.span = kIsothermMinSpan;
            band.low = max - kIsothermMinSpan;
        }
    }
    band.px_start = static_cast<int>((band.low - min) / dpp);
    band.px_end = static_cast<int>((band.low + band.span - min) / dpp);
    if (band.px_end < band.px_start + 4) {
        if ((max - band.low) / dpp > band.px_start) {
            band.px_end = band.px_start + 4;
        } else {
            band.px_start = band.px_end - 4;
        }
    }
}

void IsothermAxis::set_min(float value)
{
    min = max - value < kIsothermMinSpan ? max - kIsothermMinSpan : value;
}

void IsothermAxis::set_max(float value)
{
    max = value - min < kIsothermMinSpan ? min + kIsothermMinSpan : value;
}
