// Handle checks shared by the exports: nothing is thrown across the library
// boundary and a bad handle touches nothing.
#pragma once

#include "ad_data.h"
#include "frame_log.h"

#include <exception>

namespace framekit {
namespace detail {

inline ADData* frame_of(void* handle)
{
    if (!_VYBaseObject::is_valid_handle(handle, kFrameTag)) {
        return nullptr;
    }
    return static_cast<ADData*>(static_cast<_VYBaseObject*>(handle));
}

template <class Body>
bool with_frame(void* handle, const char* function, Body body)
{
    ADData* frame = frame_of(handle);
    if (frame == nullptr) {
        return false;
    }
    try {
        return body(*frame);
    } catch (const std::exception& e) {
        FK_ERROR(function, "%s", e.what());
        return false;
    }
}

// The analysis of a frame registered under the string (any string with its
// type and nodes).
template <class Body>
bool with_ana(void* handle, const char* text, const char* function, Body body)
{
    if (text == nullptr) {
        return false;
    }
    return with_frame(handle, function, [&](ADData& frame) {
        AnaPtr ana = frame.anas().find(text);
        return ana ? body(frame, *ana) : false;
    });
}

}  // namespace detail
}  // namespace framekit
