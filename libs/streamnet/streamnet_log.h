// Logging of the streamnet sources: tag "streamnet", level 1 information, 4 error.
#pragma once

#include "logline.h"

#define SN_LOG(level, ...) logline_print((level), "streamnet", __FILE__, __LINE__, __func__, __VA_ARGS__)
#define SN_ERROR(...) SN_LOG(LOGLINE_ERROR, __VA_ARGS__)
#define SN_INFO(...) SN_LOG(LOGLINE_INFO, __VA_ARGS__)
