// Handle checks shared by the exports: nothing is thrown across the library
// boundary and a bad handle touches nothing.
#pragma once

#include "ad_data.h"
#include "frame_log.h"

#include <exception>

namespace framekit {
namespace detail {

// Writes an extreme as the {x, y, AD} record of the exports.
inline void write_pad_record(const tagPAD& pad, uint16_t record[3])
{
    record[0] = pad.x;
    record[1] = pad.y;
    record[2] = pad.ad;
}

// Writes an extreme into whichever of the three outputs the caller gave.
inline void write_pad_fields(const tagPAD& pad, uint16_t* x, uint16_t* y, uint16_t* ad)
{
    if (x != nullptr) {
        *x = pad.x;
    }
    if (y != nullptr) {
        *y = pad.y;
    }
    if (ad != nullptr) {
        *ad = pad.ad;
    }
}

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
