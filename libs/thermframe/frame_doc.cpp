#include "frame_doc.h"

#include "basekit.h"
#include "logline.h"

#include <mutex>
#include <unordered_map>

namespace thermframe {
namespace detail {
namespace {

// Analysis-object handles reach the exports without their document; this map
// finds the owner without reading the (possibly freed) entry.
std::mutex g_owner_mutex;
std::unordered_map<const AnaEntry*, FrameDoc*>& owners()
{
    static std::unordered_map<const AnaEntry*, FrameDoc*> map;
    return map;
}

}  // namespace

FrameDoc::FrameDoc() : _VYBaseObject(kDocTag)
{
    char directory[4096];
    int length = sizeof(directory);
    logline_init(vy_get_exe_path(directory, &length) == VY_OK ? directory : ".", 7, 200);
}

FrameDoc::~FrameDoc()
{
    for (auto& kind : anas) {
        for (AnaEntry* entry : kind.second) {
            untrack_ana(entry);
            delete entry;
        }
    }
    for (IsothermEntry* isotherm : isotherms) {
        delete isotherm;
    }
    logline_uninit();
}

FrameDoc* doc_of(void* handle)
{
    if (!_VYBaseObject::is_valid_handle(handle, kDocTag)) {
        return nullptr;
    }
    return static_cast<FrameDoc*>(static_cast<_VYBaseObject*>(handle));
}

FrameDoc* owner_of_ana(const void* ana)
{
    if (ana == nullptr) {
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(g_owner_mutex);
    auto it = owners().find(static_cast<const AnaEntry*>(ana));
    return it == owners().end() ? nullptr : it->second;
}

void track_ana(const AnaEntry* entry, FrameDoc* owner)
{
    std::lock_guard<std::mutex> guard(g_owner_mutex);
    owners()[entry] = owner;
}

void untrack_ana(const AnaEntry* entry)
{
    std::lock_guard<std::mutex> guard(g_owner_mutex);
    owners().erase(entry);
}

}  // namespace detail
}  // namespace thermframe
