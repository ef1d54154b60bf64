// A save is refused when its target is a file the same operation reads
// from (a clip's source recordings, the pictures and the layout a report
// is printed from): writing it would replace the data still being read.
#pragma once

#include <QString>
#include <QStringList>

namespace save_target {

// True when `target` names one of `sources`: the same existing file by any
// path (links, "..", relative names), or the same absolute path.
bool is_source(const QString& target, const QStringList& sources);

// The first of `targets` that names one of `sources`, or an empty text.
QString source_among(const QStringList& targets, const QStringList& sources);

// The translated message that tells the user why the save was refused.
QString refusal_message(const QString& target);

}  // namespace save_target
