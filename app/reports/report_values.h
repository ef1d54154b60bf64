// The text rules of report values shared by the picture component's data
// marks and a picture's report record: temperature texts, the parts of a
// picture's file name, the storage time and the hottest and coolest analysis.
#pragma once

#include "reports/report_picture.h"

#include <QString>
#include <QStringList>

namespace report_values {

// Analysis kinds in report order: rectangle, line, ellipse, polygon,
// polyline, point.
constexpr int kKindOrder[6] = {30, 10, 20, 40, 50, 0};
// Below this a read temperature counts as absent.
constexpr float kAbsentLow = -999.0f;
constexpr float kAbsentHigh = 99999.0f;

// "%.1f" up to 100.0, the truncated whole number above; then "℃".
QString temperature_text(float value);
// "%.1f" then "℃".
QString fixed_temperature_text(float value);
// The file name without folder and without everything from its first '.'.
QString picture_name(const QString& path);
// The name split at every "-", empty parts kept.
QStringList name_parts(const QString& name);
// A storage time "yyyyMMddhhmmss" as "yyyy-MM-dd" or "hh:mm:ss"; empty when
// it does not parse.
QString storage_date(const QString& stamp);
QString storage_clock(const QString& stamp);

// The largest and the smallest maximum over every readable analysis of the
// picture (an object whose maximum or alias cannot be read is skipped).
struct HotCool {
    bool any = false;
    float hot = kAbsentLow;
    float cool = kAbsentHigh;
};
HotCool hot_and_cool(const ReportPicture& picture);

}  // namespace report_values
