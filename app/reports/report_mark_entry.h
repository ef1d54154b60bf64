// One piece of a data-mark text: a literal text (mark type 0) or a
// placeholder naming a report field of an IR picture of the layout. Mark
// components and table cells hold their text as a list of these.
#pragma once

#include <QString>
#include <QVector>

struct ReportMarkEntry {
    // The literal text, or the placeholder without braces (IR1DeviceName).
    QString mark;
    // The literal text, or the placeholder's last resolved value.
    QString value;
    // Picture number (placeholder number - 1); -1 for a literal piece.
    int ir_id = -1;
    // Analysis index and second analysis index ("Minus"), -1 when absent.
    int ana_id = -1;
    int ana_id_minus = -1;
    // Report field id; 0 for a literal piece.
    int mark_type = 0;

    bool is_field() const { return mark_type != 0; }
};

using ReportMarkEntries = QVector<ReportMarkEntry>;
