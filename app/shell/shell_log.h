// Log category of the program's shell (start-up, configuration, translator,
// global functions).
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcShell)
