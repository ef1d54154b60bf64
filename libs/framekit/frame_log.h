// Log helpers of framekit: module tags and the logline call with the source
// position filled in.
#pragma once

#include "logline.h"

namespace framekit {
namespace detail {

constexpr const char* kModuleFrame = "ad_data";
constexpr const char* kModuleAna = "ana";

}  // namespace detail
}  // namespace framekit

#define FK_LOG(level, module, function, ...) \
    logline_print((level), (module), __FILE__, __LINE__, (function), __VA_ARGS__)
#define FK_ERROR(function, ...) \
    FK_LOG(LOGLINE_ERROR, ::framekit::detail::kModuleFrame, (function), __VA_ARGS__)
#define FK_INFO(function, ...) \
    FK_LOG(LOGLINE_INFO, ::framekit::detail::kModuleFrame, (function), __VA_ARGS__)
#define FK_ANA_ERROR(function, ...) \
    FK_LOG(LOGLINE_ERROR, ::framekit::detail::kModuleAna, (function), __VA_ARGS__)
