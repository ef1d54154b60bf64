// Logging shared by the libraries. Reference counted: every object calls
// logline_init when it is created and logline_uninit when it is destroyed.
// Thread-safe; never fails its caller.
#pragma once

#include "vyapi.h"

enum LoglineLevel {
    LOGLINE_INFO = 1,
    LOGLINE_ERROR = 4,
    LOGLINE_PROGRESS = 8,
};

// Opens the log in `directory` (the program directory) when it is writable,
// else in $XDG_STATE_HOME/pyravue/log. keep_files older files are kept beside
// the current one, which rolls over at max_file_mib MiB. The first successful
// init fixes the place; later inits only count. False when no file could be
// opened (records then go to standard error).
VY_API bool logline_init(const char* directory, int keep_files, int max_file_mib);

VY_API void logline_print(int level, const char* module, const char* source, int line,
                          const char* function, const char* format, ...)
    __attribute__((format(printf, 6, 7)));

// Drops one reference; the file is closed with the last one. False when
// there was no reference to drop.
VY_API bool logline_uninit();

// Path of the open log file, or an empty text when none is open. For tests
// and diagnostics.
VY_API const char* logline_current_file();
