// Log category of the report layouts and their components: pyravue.report.
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lc_report)
