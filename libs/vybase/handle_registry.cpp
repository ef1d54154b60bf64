#include "handle_registry.h"

#include <cstring>
#include <mutex>
#include <unordered_set>

namespace vy {
namespace {

struct Registry {
    std::mutex mutex;
    std::unordered_set<const void*> live;
};

Registry& registry()
{
    // Never destroyed: exports may run from other libraries' exit handlers.
    static Registry* instance = new Registry;
    return *instance;
}

bool tag_matches(const _VYBaseObject* object, const char* tag)
{
    return std::strncmp(object->type_tag(), tag, std::strlen(tag)) == 0;
}

}  // namespace

void register_handle(_VYBaseObject* object)
{
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.live.insert(object->get_handle());
}

_VYBaseObject* unregister_handle(const void* handle, const char* tag)
{
    if (handle == nullptr || tag == nullptr) {
        return nullptr;
    }
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.live.find(handle);
    if (it == r.live.end()) {
        return nullptr;
    }
    auto* object = static_cast<_VYBaseObject*>(const_cast<void*>(handle));
    if (!tag_matches(object, tag)) {
        return nullptr;
    }
    r.live.erase(it);
    return object;
}

bool is_registered_handle(const void* handle, const char* tag)
{
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    if (r.live.count(handle) == 0) {
        return false;
    }
    return tag_matches(static_cast<const _VYBaseObject*>(handle), tag);
}

bool destroy_handle(void** handle, const char* tag)
{
    if (handle == nullptr) {
        return false;
    }
    _VYBaseObject* object = unregister_handle(*handle, tag);
    if (object == nullptr) {
        return false;
    }
    delete object;
    *handle = nullptr;
    return true;
}

}  // namespace vy
