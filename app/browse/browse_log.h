// Log category of the start page, folders and thumbnails: pyravue.browse.
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lc_browse)
