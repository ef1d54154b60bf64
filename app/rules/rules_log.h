// Log category of the rule database: pyravue.db.
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lc_db)
