// Layout files that would cost the readers far more than their size: a deep
// nesting, more cells than any report holds, more components than allowed.
// Each comes with the warning its refusal logs.
#pragma once

#include "reports/report_com_table.h"
#include "reports/report_data.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace hostile_layouts {

struct Layout {
    const char* name;
    QByteArray bytes;
    QString warning;
};

inline QByteArray wrap(const QByteArray& components)
{
    return "<Report version=\"1\"><Printer width=\"600\" height=\"800\"/><ReportCom count=\"1\">" + components +
           "</ReportCom></Report>";
}

inline QList<Layout> all()
{
    const int depth = 30000;
    QByteArray deep = QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth);
    QByteArray tables;
    for (int i = 0; i < 5000; ++i) {
        tables += QString("<ComTable version=\"1\" page=\"0\" rows=\"%1\" columns=\"%2\"/>")
                      .arg(ReportComTable::kMaxRows)
                      .arg(ReportComTable::kMaxColumns)
                      .toUtf8();
    }
    QByteArray many;
    for (int i = 0; i <= ReportData::kMaxComs; ++i) many += "<ComText/>";
    return {{"nested 30000 deep", wrap(deep), "nested deeper than"},
            {"5000 full tables", wrap(tables), "table cells more than"},
            {"too many components", wrap(many), "components more than"}};
}

}  // namespace hostile_layouts
