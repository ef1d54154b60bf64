#include "charts/chart_axis.h"

#include <cmath>

namespace {

// The ladder ends here either way: 10^-30 .. 10^30 covers every float range.
constexpr int kLadderLimit = 90;

bool usable(float step, float step_px)
{
    return std::isfinite(step) && std::isfinite(step_px) && step > 0.0f && step_px > 0.0f;
}

}  // namespace

double ChartAxis::ladder_step(int n)
{
    static const double kMultiplier[3] = {1.0, 2.0, 5.0};
    // n = 3 * (decade - 1) + m with m in 0..2; decade 1 is step 10.
    const int m = ((n % 3) + 3) % 3;
    const int decade = (n - m) / 3 + 1;
    return kMultiplier[m] * std::pow(10.0, decade);
}

bool ChartAxis::search_step(double range, int pixels, int min_px, int max_px, double min_range,
                            float& step, int& step_px)
{
    if (!std::isfinite(range) || range < min_range || range <= 0.0 || pixels < 1) {
        return false;
    }
    int n = 0;
    int px = 0;
    double candidate = ladder_step(0);
    // The window min_px..max_px is wider than the ladder's largest ratio
    // (2.5), so the walk only ever moves one way and ends within the limit.
    for (int guard = 0; guard < 2 * kLadderLimit; ++guard) {
        candidate = ladder_step(n);
        const double exact = pixels * candidate / range;
        px = exact >= 1e9 ? 1000000000 : static_cast<int>(exact);
        if (px < min_px && n < kLadderLimit) {
            ++n;
        } else if (px > max_px && n > -kLadderLimit) {
            --n;
        } else {
            break;
        }
    }
    if (px < min_px || px > max_px) {
        return false;  // the ladder ran out: no step of ours fits this range
    }
    step = static_cast<float>(candidate);
    step_px = px;
    return true;
}

void ChartAxis::first_tick(float lo, float step, float step_px, float& value, float& offset)
{
    value = 0.0f;
    offset = 0.0f;
    if (!usable(step, step_px) || !std::isfinite(lo)) {
        return;
    }
    const double v = static_cast<double>(lo) / step;
    const double k = std::trunc(v);
    const double f = v - k;
    if (lo > 0.0f) {
        value = static_cast<float>((k + 1.0) * step);
        offset = std::fabs(std::trunc(std::trunc(f * step_px) - step_px));
    } else {
        value = static_cast<float>(k * step);
        offset = std::fabs(std::trunc(f * step_px));
    }
}

QVector<AxisTick> ChartAxis::x_ticks(float lo, float hi, float step, float step_px)
{
    QVector<AxisTick> ticks;
    if (!usable(step, step_px) || !std::isfinite(lo) || !std::isfinite(hi)) {
        return ticks;
    }
    float first = 0.0f;
    float offset = 0.0f;
    first_tick(lo, step, step_px, first, offset);
    // A float step is not exact: a tick within rounding of hi still counts.
    const double end = hi + std::fabs(static_cast<double>(step)) * 1e-4;
    for (int i = 0; i < kMaxTicks; ++i) {
        const double value = first + static_cast<double>(i) * step;
        if (value > end) {
            break;
        }
        AxisTick tick;
        tick.n_offset = static_cast<int>(offset + static_cast<double>(i) * step_px);
        tick.f_value = static_cast<float>(value + step);
        tick.str_label = QString::asprintf("%.0f", value);
        ticks.append(tick);
    }
    return ticks;
}

QVector<AxisTick> ChartAxis::y_ticks(float lo, float hi, float step, int step_px)
{
    QVector<AxisTick> ticks;
    if (!usable(step, static_cast<float>(step_px)) || !std::isfinite(lo) || !std::isfinite(hi)) {
        return ticks;
    }
    double v = static_cast<double>(lo) / step;
    const double k = std::trunc(v);
    const double f = v - k;
    int offset = static_cast<int>(f * step_px);
    if (lo > 0.0f) {
        v += 1.0;
        offset -= step_px;
    }
    offset = std::abs(offset);
    const double first = std::trunc(v) * step;
    const double end = hi + std::fabs(static_cast<double>(step)) * 1e-4;
    for (int i = 0; i < kMaxTicks; ++i) {
        const double value = first + static_cast<double>(i) * step;
        if (value > end) {
            break;
        }
        AxisTick tick;
        tick.n_offset = offset + i * step_px;
        tick.f_value = static_cast<float>(value + step);
        const bool whole = std::trunc(value) * 10.0 == std::trunc(value * 10.0);
        tick.str_label = QString::asprintf(whole ? "%.0f" : "%.1f", value);
        ticks.append(tick);
    }
    return ticks;
}

QString ChartAxis::temp_text(float value)
{
    if (value > 100.0f) {
        return QString::asprintf("%d", static_cast<int>(value));
    }
    return QString::asprintf("%.1f", value);
}
