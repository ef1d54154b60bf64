// The bookmark texts of one picture's page of a word-processor template:
// every field under its bookmark names (each also with the suffixes 1 to 9,
// so that a template may show a value more than once), the analyses and
// their differences, and the names and maxima per analysis kind.
#pragma once

#include <QString>

#include <functional>

struct ReportFieldValues;

namespace report_bookmarks {

using SetText = std::function<void(const QString& bookmark, const QString& text)>;

void write_values(const ReportFieldValues& values, const SetText& set);

}  // namespace report_bookmarks
