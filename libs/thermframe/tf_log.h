// Log helpers of thermframe.
#pragma once

#include "logline.h"

#define TF_LOG(level, function, ...) \
    logline_print((level), "thermframe", __FILE__, __LINE__, (function), __VA_ARGS__)
#define TF_ERROR(function, ...) TF_LOG(LOGLINE_ERROR, (function), __VA_ARGS__)
#define TF_INFO(function, ...) TF_LOG(LOGLINE_INFO, (function), __VA_ARGS__)
