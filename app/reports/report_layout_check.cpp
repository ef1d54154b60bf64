#include "reports/report_layout_check.h"

#include "reports/report_com_table.h"
#include "reports/report_log.h"

#include <QXmlStreamReader>

namespace report_layout_check {

namespace {

qint64 bounded(const QXmlStreamAttributes& attributes, const char* name, int high)
{
    bool ok = false;
    const int value = attributes.value(QLatin1String(name)).toInt(&ok);
    return ok ? qBound(1, value, high) : 1;
}

bool refuse(const char* what, qint64 limit)
{
    qCWarning(lc_report) << "layout refused:" << what << limit;
    return false;
}

}  // namespace

bool check(const QByteArray& bytes, int max_components)
{
    QXmlStreamReader reader(bytes);
    int depth = 0;
    qint64 elements = 0;
    qint64 components = 0;
    qint64 cells = 0;
    bool in_components = false;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (--depth == 1) in_components = false;
            continue;
        }
        if (token != QXmlStreamReader::StartElement) continue;
        if (++depth > kMaxDepth) return refuse("nested deeper than", kMaxDepth);
        if (++elements > kMaxElements) return refuse("elements more than", kMaxElements);
        if (depth == 2) {
            in_components = reader.name() == QLatin1String("ReportCom");
        } else if (depth == 3 && in_components) {
            if (++components > max_components) return refuse("components more than", max_components);
            if (reader.name() == QLatin1String("ComTable")) {
                cells += bounded(reader.attributes(), "rows", ReportComTable::kMaxRows) *
                         bounded(reader.attributes(), "columns", ReportComTable::kMaxColumns);
                if (cells > kMaxCells) return refuse("table cells more than", kMaxCells);
            }
        }
    }
    if (reader.hasError()) {
        qCDebug(lc_report) << "parse file failed:" << reader.lineNumber() << "---" << reader.columnNumber() << ":"
                           << reader.errorString();
        return false;
    }
    return true;
}

}  // namespace report_layout_check
