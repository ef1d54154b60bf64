#include "vy_base_object.h"

#include "handle_registry.h"

#include <cstring>

_VYBaseObject::_VYBaseObject(const char* type_tag)
{
    std::memset(type_tag_, 0, sizeof(type_tag_));
    if (type_tag != nullptr) {
        std::strncpy(type_tag_, type_tag, kTagCapacity);
    }
}

_VYBaseObject::~_VYBaseObject() = default;

void* _VYBaseObject::get_handle()
{
    return this;
}

void* _VYBaseObject::get_object()
{
    return this;
}

bool _VYBaseObject::is_valid_handle(const void* handle, const char* expected)
{
    if (handle == nullptr || expected == nullptr) {
        return false;
    }
    // The registry check comes first: a freed or foreign pointer is never read.
    return vy::is_registered_handle(handle, expected);
}
