#include "reports/report_field_values.h"

#include "reports/report_fields.h"
#include "reports/report_picture.h"
#include "reports/report_values.h"

#include <QMap>

#include <cmath>

namespace report_field_values {

namespace {

const QString kDegree = QString(QChar(0x2103));
using V = ReportFieldValues;

QString one_decimal(float value) { return QString::asprintf("%.1f", static_cast<double>(value)); }
QString no_decimal(float value) { return QString::asprintf("%.0f", static_cast<double>(value)); }

// Analysis maxima: whole from 100.0 up; minima and averages above 100.0.
QString max_text(float value) { return value >= 100.0f ? no_decimal(value) : one_decimal(value); }
QString min_avg_text(float value) { return value > 100.0f ? no_decimal(value) : one_decimal(value); }

QString weather_text(const QString& stored, bool chinese)
{
    static const char* const kWords[][2] = {
        {"Sunny", "晴朗"}, {"Cloudy", "多云"}, {"Drizzle", "小雨"}, {"Rain", "中雨"},
        {"Heavy Rain", "大雨"}, {"Fog", "雾"}, {"Snow", "雪"},
    };
    // Either form of a known word gives the form of the interface language.
    for (const auto& pair : kWords) {
        if (stored == QLatin1String(pair[0]) || stored == QString::fromUtf8(pair[1])) {
            return chinese ? QString::fromUtf8(pair[1]) : QString::fromLatin1(pair[0]);
        }
    }
    return stored;
}

// Index of a kind's arrays.
int kind_slot(int kind)
{
    switch (kind) {
    case 30: return V::kRect;
    case 10: return V::kLine;
    case 0: return V::kPoint;
    case 20: return V::kEllipse;
    case 40: return V::kPolygon;
    default: return V::kPolyline;
    }
}

void fill_names(const QString& path, ReportFieldValues& values)
{
    const QString name = report_values::picture_name(path);
    const QStringList parts = report_values::name_parts(name);
    if (parts.size() != 6) {
        values.texts[V::kTitle] = name;
        return;
    }
    values.texts[V::kTitle] = parts.join(QString());
    values.texts[V::kSubstationName] = parts.at(0);
    values.texts[V::kDeviceArea] = parts.at(1);
    values.texts[V::kDeviceType] = parts.at(2);
    values.texts[V::kDeviceName] = parts.at(3);
    values.texts[V::kPartPosition] = parts.at(4);
    values.texts[V::kPhase] = parts.at(5);
}

void fill_analyses(const ReportPicture& picture, ReportFieldValues& values)
{
    float reference = report_values::kAbsentLow;
    if (!picture.read_reference_temperature(reference)) reference = report_values::kAbsentLow;
    float hottest = report_values::kAbsentLow;
    float coolest = report_values::kAbsentLow;
    bool first = true;
    QMap<QString, QString> kind_max[V::kKindCount];
    QMap<QString, QString> common_min;
    QMap<QString, QString> common_avg;
    for (int kind : report_values::kKindOrder) {
        for (const ReportAnalysis& analysis : picture.analyses_of_kind(kind)) {
            if (!analysis.max_ok || !analysis.alias_ok) continue;
            if (analysis.max > hottest) hottest = analysis.max;
            if (first || analysis.max < coolest) coolest = analysis.max;
            first = false;
            kind_max[kind_slot(kind)].insert(analysis.alias, max_text(analysis.max));
            common_min.insert(analysis.alias, analysis.min_ok ? min_avg_text(analysis.min) : QString());
            common_avg.insert(analysis.alias, analysis.avg_ok ? min_avg_text(analysis.avg) : QString());
        }
    }
    int placed = 0;
    for (int kind : report_values::kKindOrder) {
        const int slot = kind_slot(kind);
        int in_kind = 0;
        for (auto it = kind_max[slot].constBegin(); it != kind_max[slot].constEnd(); ++it) {
            if (in_kind < V::kKindAnalysisCount) {
                values.kind_names[slot][in_kind] = it.key();
                values.kind_max[slot][in_kind] = it.value();
                ++in_kind;
            }
            if (placed < V::kAnalysisCount) {
                values.ana_names[placed] = it.key();
                values.ana_max[placed] = it.value();
                values.ana_min[placed] = common_min.value(it.key());
                values.ana_avg[placed] = common_avg.value(it.key());
                ++placed;
            }
        }
    }
    if (!(hottest > report_values::kAbsentLow) || !(coolest > report_values::kAbsentLow)) return;
    const float base = reference > report_values::kAbsentLow ? reference : 0.0f;
    const float rise = hottest - base;
    const float difference = hottest - coolest;
    if (rise > 0.0f) {
        float relative = difference * 100.0f / rise;
        if (relative > 100.0f) relative = 100.0f;
        values.texts[V::kTemperatureRise] = one_decimal(rise) + kDegree;
        values.texts[V::kTemperatureDifference] = one_decimal(difference) + kDegree;
        values.texts[V::kRelativeDifference] = QString::number(static_cast<qint64>(relative)) + "%";
    }
    values.texts[V::kMeasurementPoint] = one_decimal(hottest) + kDegree;
    values.texts[V::kNormalPoint] = one_decimal(coolest) + kDegree;
}

}  // namespace

bool fill_report_info(const ReportPicture& picture, ReportFieldValues& values, bool chinese)
{
    if (picture.is_visible_picture()) return false;
    fill_names(picture.file_path(), values);
    float value = 0.0f;
    if (picture.read_max_temperature(value)) values.texts[V::kPictureMax] = report_values::temperature_text(value);
    if (picture.read_min_temperature(value)) values.texts[V::kPictureMin] = report_values::temperature_text(value);
    if (picture.read_avg_temperature(value)) values.texts[V::kPictureAvg] = report_values::temperature_text(value);
    const QString stamp = picture.storage_time();
    values.texts[V::kCaptureDate] = report_values::storage_date(stamp);
    values.texts[V::kCaptureTime] = report_values::storage_clock(stamp);
    auto with_unit = [](const QString& text, const char* unit) { return text.isEmpty() ? text : text + unit; };
    values.texts[V::kRunningVoltage] = with_unit(picture.user_data_string("VYVoltage"), " kV");
    values.texts[V::kLoadCurrent] = with_unit(picture.user_data_string("VYLoadCurrent"), " A");
    values.texts[V::kWeather] = weather_text(picture.user_data_string("VYWeather"), chinese);
    values.texts[V::kWindSpeed] = with_unit(picture.user_data_string("VYWindSpeed"), " m/s");
    values.texts[V::kTextNote] = picture.user_data_string("VYDescriptionText");
    values.texts[V::kPresetText] = picture.preset_text();
    values.texts[V::kLongitude] = picture.longitude_text();
    values.texts[V::kLatitude] = picture.latitude_text();
    values.texts[V::kAltitude] = picture.altitude_text();
    if (picture.read_emissivity(value)) values.texts[V::kEmissivity] = QString::asprintf("%.2f", double(value));
    if (picture.read_distance(value)) values.texts[V::kDistance] = one_decimal(value);
    if (picture.read_ambient_temperature(value)) values.texts[V::kAmbientTemperature] = one_decimal(value) + kDegree;
    // In single precision, so that a stored 0.65 reads 65 % and not 64 %.
    if (picture.read_relative_humidity(value)) {
        values.texts[V::kRelativeHumidity] = QString::number(static_cast<qint64>(value * 100.0f)) + "%";
    }
    fill_analyses(picture, values);
    return true;
}

QString mark_value(const ReportFieldValues& values, int ir_id, int ana_id, int ana_id_minus, int mark_type)
{
    using namespace report_fields;
    if (ir_id != 0) return QString();
    const bool analysis_field = (mark_type >= kAnalyzeName && mark_type <= kAnalyzeAvgTemperature) ||
                                mark_type == kAnalyzeMinusMaxTemperature;
    if (analysis_field && (ana_id < 0 || ana_id >= V::kAnalysisCount)) return QString();
    auto with_degree = [](const QString& text) { return text.isEmpty() ? text : text + kDegree; };
    switch (mark_type) {
    case kAnalyzeName: return values.ana_names[ana_id];
    case kAnalyzeMaxTemperature: return with_degree(values.ana_max[ana_id]);
    case kAnalyzeMinTemperature: return with_degree(values.ana_min[ana_id]);
    case kAnalyzeAvgTemperature: return with_degree(values.ana_avg[ana_id]);
    case kDocumentTitle: return values.texts[V::kTitle];
    case kRecordingDate: return values.texts[V::kCaptureDate];
    case kRecordingTime: return values.texts[V::kCaptureTime];
    case kRunningVoltage: return values.texts[V::kRunningVoltage];
    case kLoadCurrent: return values.texts[V::kLoadCurrent];
    case kEmissivity: return values.texts[V::kEmissivity];
    case kRecordingDistances: return values.texts[V::kDistance];
    case kAmbientTemperature: return values.texts[V::kAmbientTemperature];
    case kRelativeHumidity: return values.texts[V::kRelativeHumidity];
    case kFullscreenMaxTemperature: return values.texts[V::kPictureMax];
    case kFullscreenMinTemperature: return values.texts[V::kPictureMin];
    case kFullscreenAvgTemperature: return values.texts[V::kPictureAvg];
    case kMeasurementPointTemperature: return values.texts[V::kMeasurementPoint];
    case kNormalPointTemperature: return values.texts[V::kNormalPoint];
    case kTemperatureRise: return values.texts[V::kTemperatureRise];
    case kTemperatureDifference: return values.texts[V::kTemperatureDifference];
    case kRelativeTemperatureDifference: return values.texts[V::kRelativeDifference];
    case kDeviceArea: return values.texts[V::kDeviceArea];
    case kSubstationName: return values.texts[V::kSubstationName];
    case kDeviceType: return values.texts[V::kDeviceType];
    case kDeviceName: return values.texts[V::kDeviceName];
    case kPhase: return values.texts[V::kPhase];
    case kParPosition: return values.texts[V::kPartPosition];
    case kWeather: return values.texts[V::kWeather];
    case kWindSpeed: return values.texts[V::kWindSpeed];
    case kDesMark: return values.texts[V::kTextNote];
    case kPresetText: return values.texts[V::kPresetText];
    case kLatitude: return values.texts[V::kLatitude];
    case kLongitude: return values.texts[V::kLongitude];
    case kAltitude: return values.texts[V::kAltitude];
    case kAnalyzeMinusMaxTemperature: {
        if (ana_id_minus < 0 || ana_id_minus >= V::kAnalysisCount) return QString();
        const QString& first = values.ana_max[ana_id];
        const QString& second = values.ana_max[ana_id_minus];
        if (first.isEmpty() || second.isEmpty()) return QString();
        const double d = std::fabs(first.toDouble() - second.toDouble());
        return (d > 100.0 ? QString::number(static_cast<qint64>(d)) : QString::asprintf("%.1f", d)) + kDegree;
    }
    default: return QString();
    }
}

}  // namespace report_field_values
