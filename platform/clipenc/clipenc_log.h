// Logging of the clipenc sources: every line goes to the library log and to
// the caller's log callback of the encoder concerned.
#pragma once

#include "clipenc.h"
#include "logline.h"

namespace clipenc {
namespace detail {

// Never call it while holding a lock: the callback is the caller's code.
void report(VyVideoLogCallback on_log, int level, const char* source, int line, const char* function,
            const char* format, ...) __attribute__((format(printf, 6, 7)));

}  // namespace detail
}  // namespace clipenc

#define CE_REPORT(on_log, level, ...) \
    ::clipenc::detail::report((on_log), (level), __FILE__, __LINE__, __func__, __VA_ARGS__)
#define CE_ERROR(on_log, ...) CE_REPORT((on_log), LOGLINE_ERROR, __VA_ARGS__)
#define CE_INFO(on_log, ...) CE_REPORT((on_log), LOGLINE_INFO, __VA_ARGS__)
