// Plain records that the trend charts pass between the frame threads, the
// GUI thread and their series.
#pragma once

#include <QString>

#include <cstdint>

// One raw sample of one analysis object, taken on a frame thread and moved
// into the series on the GUI thread.
struct TrendSample {
    float f_max = -99999.0f;
    float f_min = -99999.0f;
    float f_avg = -99999.0f;
    int n_frame = 0;       // kTrendEndFrame marks the end of a trend
    int64_t n_time = 0;    // ms since the epoch
    int64_t n_start = 0;   // recording start, ms (0 for live sources)
    int64_t n_end = 0;     // recording end, ms (0 for live sources)
    bool b_mark = false;
    QString str_mark;
    QString str_file;      // recording path, or the camera's name
};

// Frame number of the sample that ends a recording trend.
constexpr int kTrendEndFrame = -9999;
// Temperatures at or below this are failed reads and never become samples.
constexpr float kTrendNoTemp = -9999.0f;

// One plotted point of a series.
struct TrendPoint {
    float f_value = 0.0f;
    int n_value2 = 0;      // pixel count of a percentage series
    int32_t n_frame = 0;   // full frame number: long recordings pass 65,535
    int64_t n_time = 0;
};

// A marker of the player shown on the chart.
struct TrendMark {
    int n_frame = 0;
    QString str_file;
    QString str_text;
};

// A live sampling condition.
struct RecordCondition {
    int h_ana = 0;            // 0: the whole picture
    int h_ir = 0;
    int n_ana_temp_type = 0;  // 0 maximum, 1 minimum, else average
    int n_ana_attach = 0;     // 0 value, 1 change since the last check, 2 absolute value
    int n_operator = 0;       // 0 greater than, else less than
    float f_operator_temp = 25.0f;
    float f_last = 0.0f;
};

// One recording's stretch of points of a series.
struct FileSegment {
    int n_first = 0;
    int n_last = 0;
    int64_t n_last_time = 0;
    int64_t n_start = 0;
    int64_t n_end = 0;
    QString str_file;

    bool is_empty() const { return n_first == 0 && n_last == 0; }
    bool contains(int index) const { return n_first <= index && index <= n_last; }
};

// The temperature kind a trend series plots.
enum TrendKind { TREND_MAX = 1, TREND_MIN = 2, TREND_AVG = 3 };
