// Logging of the office sources.
#pragma once

#include "logline.h"

#define OF_LOG(level, ...) logline_print((level), "office", __FILE__, __LINE__, __func__, __VA_ARGS__)
#define OF_ERROR(...) OF_LOG(LOGLINE_ERROR, __VA_ARGS__)
