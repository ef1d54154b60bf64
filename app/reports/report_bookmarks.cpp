#include "reports/report_bookmarks.h"

#include "reports/report_field_values.h"

#include <cmath>

namespace report_bookmarks {

namespace {

using V = ReportFieldValues;
const QString kDegree = QString(QChar(0x2103));

// The name plain and followed by 1 ... 9.
void set_numbered(const SetText& set, const QString& name, const QString& text)
{
    set(name, text);
    for (int i = 1; i <= 9; ++i) set(name + QString::number(i), text);
}

QString difference_text(const QString& first, const QString& second)
{
    const float d = std::fabs(first.toFloat() - second.toFloat());
    return d <= 100.0f ? QString::asprintf("%.1f", static_cast<double>(d))
                       : QString::number(static_cast<qint64>(d));
}

void write_fields(const ReportFieldValues& values, const SetText& set)
{
    const auto& t = values.texts;
    struct Field {
        const char* name;
        QString text;
    };
    const Field fields[] = {
        {"SubstationName", t[V::kSubstationName]},
        {"DeviceArea", t[V::kDeviceArea]},
        {"DeviceType", t[V::kDeviceName]},
        {"DeviceName", t[V::kDeviceArea] + t[V::kDeviceType] + t[V::kDeviceName] + t[V::kPartPosition]},
        {"Phase", t[V::kPhase]},
        {"RunningVoltage", t[V::kRunningVoltage]},
        {"LoadCurrent", t[V::kLoadCurrent]},
        {"DocumentTitle", t[V::kTitle]},
        {"RecordingDate", t[V::kCaptureDate]},
        {"RecordingTime", t[V::kCaptureTime]},
        {"Emissivity", t[V::kEmissivity]},
        {"RecordingDistances", t[V::kDistance]},
        {"AambientTemperature", t[V::kAmbientTemperature]},
        {"RelativeHumidity", t[V::kRelativeHumidity]},
        {"FullscreenMaxTemperature", t[V::kPictureMax]},
        {"FullscreenMinTemperature", t[V::kPictureMin]},
        {"FullscreenAvgTemperature", t[V::kPictureAvg]},
    };
    for (const Field& field : fields) {
        set_numbered(set, QLatin1String(field.name), field.text);
        set_numbered(set, QLatin1String("IR1") + QLatin1String(field.name), field.text);
    }
    const Field picture_only[] = {
        {"IR1Weather", t[V::kWeather]},     {"IR1WindSpeed", t[V::kWindSpeed]},
        {"IR1DesMark", t[V::kTextNote]},    {"IR1PresetText", t[V::kPresetText]},
        {"IR1Longitude", t[V::kLongitude]}, {"IR1Latitude", t[V::kLatitude]},
        {"IR1Altitude", t[V::kAltitude]},
    };
    for (const Field& field : picture_only) set_numbered(set, QLatin1String(field.name), field.text);
}

void write_analyses(const ReportFieldValues& values, const SetText& set)
{
    for (int k = 0; k < V::kAnalysisCount; ++k) {
        if (values.ana_max[k].isEmpty()) continue;
        const QString n = QString::number(k + 1);
        const QString max = values.ana_max[k] + kDegree;
        const QString min = values.ana_min[k] + kDegree;
        const QString avg = values.ana_avg[k] + kDegree;
        set("AnalyzeName" + n, values.ana_names[k]);
        set("AnalyzeTemperature" + n, max);
        set("IR1AnalyzeName" + n, values.ana_names[k]);
        set("IR1AnalyzeMaxTemperature" + n, max);
        set("IR1AnalyzeMinTemperature" + n, min);
        set("IR1AnalyzeAvgTemperature" + n, avg);
        set_numbered(set, "IR1Analyze" + n + "Name", values.ana_names[k]);
        set_numbered(set, "IR1Analyze" + n + "MaxTemperature", max);
        set_numbered(set, "IR1Analyze" + n + "MinTemperature", min);
        set_numbered(set, "IR1Analyze" + n + "AvgTemperature", avg);
        for (int m = 0; m < V::kAnalysisCount; ++m) {
            if (m == k || values.ana_max[m].isEmpty()) continue;
            set_numbered(set, QString("IR1Analyze%1Minus%2MaxTemperature").arg(k + 1).arg(m + 1),
                         difference_text(values.ana_max[k], values.ana_max[m]) + kDegree);
        }
    }
}

void write_kinds(const ReportFieldValues& values, const SetText& set)
{
    const struct {
        const char* prefix;
        int kind;
    } kinds[] = {{"Line", V::kLine},       {"Point", V::kPoint},     {"Rect", V::kRect},
                 {"Ellipse", V::kEllipse}, {"Poly", V::kPolygon},    {"Polyline", V::kPolyline}};
    for (const auto& kind : kinds) {
        for (int k = 0; k < V::kKindAnalysisCount; ++k) {
            const QString& name = values.kind_names[kind.kind][k];
            if (name.isEmpty()) continue;
            const QString n = QString::number(k + 1);
            set(QLatin1String(kind.prefix) + "AnalyzeName" + n, name);
            set(QLatin1String(kind.prefix) + "AnalyzeTemperature" + n, values.kind_max[kind.kind][k]);
        }
    }
}

}  // namespace

void write_values(const ReportFieldValues& values, const SetText& set)
{
    write_fields(values, set);
    write_analyses(values, set);
    write_kinds(values, set);
}

}  // namespace report_bookmarks
