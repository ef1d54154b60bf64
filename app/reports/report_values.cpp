#include "reports/report_values.h"

#include <QDateTime>
#include <QFileInfo>

namespace report_values {

namespace {
const QString kDegree = QString(QChar(0x2103));
}

QString temperature_text(float value)
{
    if (value <= 100.0f) return QString::asprintf("%.1f", static_cast<double>(value)) + kDegree;
    return QString::number(static_cast<qint64>(value)) + kDegree;
}

QString fixed_temperature_text(float value) { return QString::asprintf("%.1f", static_cast<double>(value)) + kDegree; }

QString picture_name(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const int dot = name.indexOf('.');
    return dot < 0 ? name : name.left(dot);
}

QStringList name_parts(const QString& name) { return name.split('-', Qt::KeepEmptyParts); }

namespace {
QDateTime parse_stamp(const QString& stamp) { return QDateTime::fromString(stamp, "yyyyMMddhhmmss"); }
}  // namespace

QString storage_date(const QString& stamp)
{
    const QDateTime time = parse_stamp(stamp);
    return time.isValid() ? time.toString("yyyy-MM-dd") : QString();
}

QString storage_clock(const QString& stamp)
{
    const QDateTime time = parse_stamp(stamp);
    return time.isValid() ? time.toString("hh:mm:ss") : QString();
}

HotCool hot_and_cool(const ReportPicture& picture)
{
    HotCool result;
    for (int kind : kKindOrder) {
        for (const ReportAnalysis& analysis : picture.analyses_of_kind(kind)) {
            if (!analysis.max_ok || !analysis.alias_ok) continue;
            result.any = true;
            if (analysis.max > result.hot) result.hot = analysis.max;
            if (analysis.max < result.cool) result.cool = analysis.max;
        }
    }
    return result;
}

}  // namespace report_values
