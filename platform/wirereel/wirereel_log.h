// Logging of the wirereel sources.
#pragma once

#include "logline.h"

#define WR_LOG(level, ...) logline_print((level), "wirereel", __FILE__, __LINE__, __func__, __VA_ARGS__)
#define WR_ERROR(...) WR_LOG(LOGLINE_ERROR, __VA_ARGS__)
#define WR_INFO(...) WR_LOG(LOGLINE_INFO, __VA_ARGS__)
