// Registry of the live handle objects of one library. The base library is
// linked statically into each shared library, so every library has its own.
#pragma once

#include "vy_base_object.h"

#include <memory>
#include <utility>

namespace vy {

// Adds a fully constructed object; from then on its handle validates.
void register_handle(_VYBaseObject* object);

// Removes the object if it is registered under a tag starting with `tag`.
// Returns the object (no longer registered) or null.
_VYBaseObject* unregister_handle(const void* handle, const char* tag);

bool is_registered_handle(const void* handle, const char* tag);

// Creates an object, registers it and writes its handle into *out.
template <class T, class... Args>
bool create_handle(void** out, Args&&... args)
{
    if (out == nullptr) {
        return false;
    }
    *out = nullptr;
    std::unique_ptr<T> object(new (std::nothrow) T(std::forward<Args>(args)...));
    if (!object) {
        return false;
    }
    T* raw = object.release();
    register_handle(raw);
    *out = raw->get_handle();
    return true;
}

// Unregisters and deletes the object in *handle and clears the caller's
// variable. A null, foreign or already freed handle returns false.
bool destroy_handle(void** handle, const char* tag);

}  // namespace vy
