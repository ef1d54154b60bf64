// The kind of a report template by its file name: a layout (".xml") or a
// word-processor template (".dot"), compared without case on the suffix
// after the last '.' of the file name, not of the folders.
#pragma once

#include <QString>

enum class ReportTemplateKind { kUnknown = 0, kLayout = 1, kWordTemplate = 2 };

ReportTemplateKind report_template_kind(const QString& path);
