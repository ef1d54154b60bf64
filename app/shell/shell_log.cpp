#include "shell/shell_log.h"

Q_LOGGING_CATEGORY(lcShell, "pyravue.shell")
