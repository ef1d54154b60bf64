// Logging and libuv error texts shared by the sockmesh sources.
#pragma once

#include "logline.h"

#include <string>

#define SM_LOG(level, ...) logline_print((level), "sockmesh", __FILE__, __LINE__, __func__, __VA_ARGS__)
#define SM_ERROR(...) SM_LOG(LOGLINE_ERROR, __VA_ARGS__)
#define SM_TRACE(...) SM_LOG(LOGLINE_PROGRESS, __VA_ARGS__)

namespace sockmesh {
namespace detail {

// "NAME:description" of a libuv error; an error without a name reads
// "unknown system errcode N:description".
std::string uv_error_text(int error);

// Logs "[NAME]: description" of a libuv error.
void log_uv_failure(int error);

// Opens the library's log in the program's folder. False when the program's
// path cannot be read (a line on standard error says so) or no log file opens.
bool start_log();

}  // namespace detail
}  // namespace sockmesh
