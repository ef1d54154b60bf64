// Handle check shared by the exports: nothing is thrown across the library
// boundary and a bad handle touches nothing.
#pragma once

#include "camlink_log.h"
#include "dev_cap.h"

#include <exception>

namespace camlink {
namespace detail {

template <class Body>
bool with_device(void* handle, const char* function, Body body)
{
    DevCap* device = device_of(handle);
    if (device == nullptr) {
        return false;
    }
    try {
        return body(*device);
    } catch (const std::exception& e) {
        DC_ERROR(function, "%s", e.what());
        return false;
    }
}

}  // namespace detail
}  // namespace camlink

// Runs the statement block with `d` bound to the device; false for a bad handle.
#define DC_WITH(handle, ...) \
    ::camlink::detail::with_device((handle), __func__, [&](::camlink::detail::DevCap & d) -> bool __VA_ARGS__)
