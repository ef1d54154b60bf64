// One cell of a table component: its alignment, font, shown text and the
// mark text the user typed with its parsed entries.
#pragma once

#include "reports/report_font.h"
#include "reports/report_mark_entry.h"

#include <QFont>
#include <QString>

struct ReportCell {
    int flags = report_font::kFlagsLeft;
    QFont font = report_font::default_font();
    QString text;
    QString mark_text;
    int reserved = 0;
    ReportMarkEntries entries;
};
