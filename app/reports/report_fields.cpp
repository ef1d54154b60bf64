#include "reports/report_fields.h"

#include "reports/report_settings.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace report_fields {

namespace {

struct FieldKey {
    const char* key;
    int mark_type;
};

const FieldKey kFieldKeys[] = {
    {"AnalyzeName", kAnalyzeName},
    {"AnalyzeMaxTemperature", kAnalyzeMaxTemperature},
    {"AnalyzeMinTemperature", kAnalyzeMinTemperature},
    {"AnalyzeAvgTemperature", kAnalyzeAvgTemperature},
    {"DocumentTitle", kDocumentTitle},
    {"RecordingDate", kRecordingDate},
    {"RecordingTime", kRecordingTime},
    {"RunningVoltage", kRunningVoltage},
    {"LoadCurrent", kLoadCurrent},
    {"Emissivity", kEmissivity},
    {"RecordingDistances", kRecordingDistances},
    {"AambientTemperature", kAmbientTemperature},
    {"RelativeHumidity", kRelativeHumidity},
    {"FullscreenMaxTemperature", kFullscreenMaxTemperature},
    {"FullscreenMinTemperature", kFullscreenMinTemperature},
    {"FullscreenAvgTemperature", kFullscreenAvgTemperature},
    {"MeasurementPointTemperature", kMeasurementPointTemperature},
    {"NormalPointTemperature", kNormalPointTemperature},
    {"TemperatureRise", kTemperatureRise},
    {"TemperatureDifference", kTemperatureDifference},
    {"RelativeTemperatureDifference", kRelativeTemperatureDifference},
    {"UltrasonicDetectResult", kUltrasonicDetectResult},
    {"InfraredDetectResult", kInfraredDetectResult},
    {"IntegrateDetectResult", kIntegrateDetectResult},
    {"DeviceArea", kDeviceArea},
    {"SubstationName", kSubstationName},
    {"DeviceType", kDeviceType},
    {"DeviceName", kDeviceName},
    {"Phase", kPhase},
    {"ParPosition", kParPosition},
    {"Weather", kWeather},
    {"WindSpeed", kWindSpeed},
    {"DesMark", kDesMark},
    {"PresetText", kPresetText},
    {"Latitude", kLatitude},
    {"Longitude", kLongitude},
    {"Altitude", kAltitude},
    {"AnalyzeMinusMaxTemperature", kAnalyzeMinusMaxTemperature},
};

const QHash<QString, int>& key_table()
{
    static const QHash<QString, int> table = [] {
        QHash<QString, int> keys;
        for (const FieldKey& field : kFieldKeys) keys.insert(QString::fromLatin1(field.key), field.mark_type);
        return keys;
    }();
    return table;
}

// A decimal number of the placeholder; anything else reads as 0, so the
// entry's index becomes -1 (no picture, no analysis).
int number_of(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok && value > 0 ? value : 0;
}

ReportMarkEntry literal_entry(const QString& text)
{
    ReportMarkEntry entry;
    entry.mark = text;
    entry.value = text;
    return entry;
}

}  // namespace

int mark_type_of_key(const QString& key) { return key_table().value(key, 0); }

QString key_of_mark_type(int mark_type)
{
    for (const FieldKey& field : kFieldKeys) {
        if (field.mark_type == mark_type) return QString::fromLatin1(field.key);
    }
    return QString();
}

bool parse_mark_key(const QString& placeholder, ReportMarkEntry& entry)
{
    static const QRegularExpression digits("\\d+");
    if (placeholder.isEmpty() || !placeholder.startsWith("IR")) return false;
    const QString rest = placeholder.mid(2);
    const QStringList parts = rest.split(digits, Qt::KeepEmptyParts);
    const QString analyze = QStringLiteral("Analyze");
    QString key;
    int n = 0;
    int m = 0;
    int k = 0;
    if (!rest.contains(analyze)) {
        if (parts.size() != 2 && parts.size() != 3) return false;
        key = parts.at(1);
        if (key.isEmpty()) return false;
        n = number_of(QString(rest).remove(key));
    } else {
        if (parts.size() != 3 && parts.size() != 4) return false;
        const QString& second = parts.at(1);
        const QString& third = parts.at(2);
        if (second == analyze) {
            if (third.isEmpty()) return false;
            const int at = rest.indexOf(analyze);
            n = number_of(rest.left(at));
            const QString after = rest.mid(at + analyze.size());
            if (third != "Minus") {
                key = analyze + third;
                const QStringList pieces = after.split(third);
                if (pieces.size() != 2) return false;
                m = number_of(pieces.at(0));
            } else {
                if (parts.size() != 4 || parts.at(3).isEmpty()) return false;
                const QString& tail = parts.at(3);
                key = "AnalyzeMinus" + tail;
                const QStringList pieces = after.split("Minus");
                if (pieces.size() != 2) return false;
                m = number_of(pieces.at(0));
                const QStringList second_pieces = pieces.at(1).split(tail);
                if (second_pieces.size() != 2) return false;
                k = number_of(second_pieces.at(0));
            }
        } else {
            key = second;
            if (key.isEmpty()) return false;
            const QStringList pieces = rest.split(key);
            if (pieces.size() != 2) return false;
            n = number_of(pieces.at(0));
            m = number_of(pieces.at(1));
        }
    }
    const int mark_type = mark_type_of_key(key);
    if (mark_type == 0) return false;
    entry = ReportMarkEntry();
    entry.mark = placeholder;
    entry.ir_id = n - 1;
    entry.ana_id = m - 1;
    entry.ana_id_minus = k - 1;
    entry.mark_type = mark_type;
    return true;
}

int parse_mark_text(const QString& text, ReportMarkEntries& entries, QString& error)
{
    entries.clear();
    const int opening = text.count('{');
    const int closing = text.count('}');
    if (opening != closing) return kUnbalancedBraces;
    if (opening == 0) return kNoPlaceholder;
    int pos = 0;  // start of the text not yet consumed
    while (pos < text.size()) {
        const int open = text.indexOf('{', pos);
        if (open < 0) break;
        if (open > pos) entries.append(literal_entry(text.mid(pos, open - pos)));
        pos = open + 1;
        const int close = text.indexOf('}', pos);
        if (close < 0) break;
        const QString placeholder = text.mid(pos, close - pos);
        ReportMarkEntry entry;
        if (!parse_mark_key(placeholder, entry)) {
            error = placeholder;
            entries.clear();
            return kBadPlaceholder;
        }
        entries.append(entry);
        pos = close + 1;
    }
    if (pos < text.size()) entries.append(literal_entry(text.mid(pos)));
    return kParsed;
}

QString joined_values(const ReportMarkEntries& entries)
{
    QString text;
    for (const ReportMarkEntry& entry : entries) text += entry.value;
    return text;
}

QString font_family_display_name(const QString& family)
{
    return font_family_display_name(family, report_settings::is_chinese_language());
}

QString font_family_display_name(const QString& family, bool chinese)
{
    if (!chinese) return family;
    static const QHash<QString, QString> names = {
        {"SimSun", QString::fromUtf8("宋体")},
        {"SimHei", QString::fromUtf8("黑体")},
        {"Microsoft YaHei", QString::fromUtf8("微软雅黑")},
        {"Microsoft JhengHe", QString::fromUtf8("微软正黑体i")},
        {"NSimSun", QString::fromUtf8("新宋体")},
        {"PMingLiU", QString::fromUtf8("新细明体")},
        {"MingLiU", QString::fromUtf8("细明体")},
        {"DFKai-SB", QString::fromUtf8("标楷体")},
        {"FangSong", QString::fromUtf8("仿宋")},
        {"KaiTi", QString::fromUtf8("楷体")},
        {"FangSong_GB2312", QString::fromUtf8("仿宋_GB2312")},
        {"KaiTi_GB2312", QString::fromUtf8("楷体_GB2312")},
        {"LiSu", QString::fromUtf8("隶书")},
        {"YouYuan", QString::fromUtf8("幼圆")},
        {"STXihei", QString::fromUtf8("华文细黑")},
        {"STKaiti", QString::fromUtf8("华文楷体")},
        {"STSong", QString::fromUtf8("华文宋体")},
        {"STZhongsong", QString::fromUtf8("华文中宋")},
        {"STFangsong", QString::fromUtf8("华文仿宋")},
        {"FZShuTi", QString::fromUtf8("方正舒体")},
        {"FZYaoti", QString::fromUtf8("方正姚体")},
        {"STCaiyun", QString::fromUtf8("华文彩云")},
        {"STHupo", QString::fromUtf8("华文琥珀")},
        {"STLiti", QString::fromUtf8("华文隶书")},
        {"STXingkai", QString::fromUtf8("华文行楷")},
        {"STXinwei", QString::fromUtf8("华文新魏")},
    };
    return names.value(family, family);
}

}  // namespace report_fields
