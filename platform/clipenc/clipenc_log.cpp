#include "clipenc_log.h"

#include <cstdarg>
#include <cstdio>

namespace clipenc {
namespace detail {

void report(VyVideoLogCallback on_log, int level, const char* source, int line, const char* function,
            const char* format, ...)
{
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof(text), format, arguments);
    va_end(arguments);
    logline_print(level, "clipenc", source, line, function, "%s", text);
    if (on_log != nullptr) {
        on_log(level, text);
    }
}

}  // namespace detail
}  // namespace clipenc
