// Base of every handle object of tempcore, framekit, camlink and palettor.
#pragma once

#include <cstddef>

class _VYBaseObject {
public:
    static constexpr std::size_t kTagCapacity = 64;

    explicit _VYBaseObject(const char* type_tag);
    virtual ~_VYBaseObject();

    _VYBaseObject(const _VYBaseObject&) = delete;
    _VYBaseObject& operator=(const _VYBaseObject&) = delete;

    // The value every init function hands out as the handle.
    virtual void* get_handle();
    virtual void* get_object();

    const char* type_tag() const { return type_tag_; }

    // True when the handle is a live object of this library (registered by
    // vy::register_handle) whose tag starts with the whole of `expected`.
    static bool is_valid_handle(const void* handle, const char* expected);

private:
    char type_tag_[kTagCapacity + 1];
};
