// The arithmetic of a chart axis: the 1-2-5 step search and the tick list.
// Every loop here is bounded, whatever range it is given: an empty, inverted,
// NaN or infinite range leaves the step as it was and yields no ticks.
#pragma once

#include <QString>
#include <QVector>

struct AxisTick {
    int n_offset = 0;   // pixels from the axis origin
    float f_value = 0;  // value of the following tick (labelled value + step)
    QString str_label;
};

class ChartAxis {
public:
    // The most ticks one axis ever holds; more than any plot has room for.
    static constexpr int kMaxTicks = 4096;

    // Walks the 1-2-5 ladder from a step of 10 until range / step fits
    // between min_px and max_px pixels per step on an axis of `pixels`.
    // False, with step and step_px untouched, when the range is not a finite
    // width of at least min_range or the axis has no pixels.
    static bool search_step(double range, int pixels, int min_px, int max_px, double min_range,
                            float& step, int& step_px);

    // The n-th candidate step of the ladder (0 is 10, 1 is 20, -1 is 5, ...).
    static double ladder_step(int n);

    // X ticks from lo to hi: the first tick on lo when lo <= 0 falls on a
    // multiple, else the next multiple above; labels "%.0f".
    static void first_tick(float lo, float step, float step_px, float& value, float& offset);
    static QVector<AxisTick> x_ticks(float lo, float hi, float step, float step_px);

    // Y ticks from lo to hi, labels "%.0f" for whole tenths and "%.1f" else.
    static QVector<AxisTick> y_ticks(float lo, float hi, float step, int step_px);

    // Temperature text of the charts: "%d" of the truncated value above 100,
    // "%.1f" otherwise.
    static QString temp_text(float value);
};
