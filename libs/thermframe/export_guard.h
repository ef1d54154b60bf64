// Handle checks shared by the exports: nothing is thrown across the library
// boundary and a bad handle touches nothing.
#pragma once

#include "frame_doc.h"
#include "raw_enum.h"
#include "tf_log.h"

#include <cstdint>
#include <cstring>
#include <exception>

namespace thermframe {
namespace detail {

template <class Body>
bool with_doc(void* handle, const char* function, Body body)
{
    FrameDoc* doc = doc_of(handle);
    if (doc == nullptr) {
        return false;
    }
    try {
        return body(*doc);
    } catch (const std::exception& e) {
        TF_ERROR(function, "%s", e.what());
        return false;
    }
}

using vy::pass_enum;
using vy::raw_enum;

// body(sensekern handle) under the document's sensekern lock.
template <class Body>
bool with_sensekern(FrameDoc& doc, Body body)
{
    VyLockGuard guard(doc.sensekern_lock);
    if (!guard) {
        return false;
    }
    return body(doc.sensekern_handle());
}

}  // namespace detail
}  // namespace thermframe
