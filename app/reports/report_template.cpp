#include "reports/report_template.h"

#include <QFileInfo>

ReportTemplateKind report_template_kind(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare("xml", Qt::CaseInsensitive) == 0) return ReportTemplateKind::kLayout;
    if (suffix.compare("dot", Qt::CaseInsensitive) == 0) return ReportTemplateKind::kWordTemplate;
    return ReportTemplateKind::kUnknown;
}
