// Logging of the panmount sources.
#pragma once

#include "logline.h"

#define PM_LOG(level, ...) logline_print((level), "panmount", __FILE__, __LINE__, __func__, __VA_ARGS__)
#define PM_ERROR(...) PM_LOG(LOGLINE_ERROR, __VA_ARGS__)
#define PM_INFO(...) PM_LOG(LOGLINE_INFO, __VA_ARGS__)
