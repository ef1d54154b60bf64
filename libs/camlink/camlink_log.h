// Log helpers of camlink: the two module tags and the logline call with the
// source position filled in.
#pragma once

#include "logline.h"

namespace camlink {
namespace detail {

constexpr const char* kModuleDevice = "dev_cap";
constexpr const char* kModuleDetector = "detector";

}  // namespace detail
}  // namespace camlink

#define DC_LOG(level, module, function, ...) \
    logline_print((level), (module), __FILE__, __LINE__, (function), __VA_ARGS__)
#define DC_ERROR(function, ...) DC_LOG(LOGLINE_ERROR, ::camlink::detail::kModuleDevice, (function), __VA_ARGS__)
#define DC_INFO(function, ...) DC_LOG(LOGLINE_INFO, ::camlink::detail::kModuleDevice, (function), __VA_ARGS__)
#define DT_ERROR(function, ...) DC_LOG(LOGLINE_ERROR, ::camlink::detail::kModuleDetector, (function), __VA_ARGS__)
#define DT_INFO(function, ...) DC_LOG(LOGLINE_INFO, ::camlink::detail::kModuleDetector, (function), __VA_ARGS__)
