// The picfold exports: handle checks and argument checks around Picture.
#include "picfold.h"

#include "handle_registry.h"
#include "picture.h"
#include "sensekern.h"

#include <exception>

using picfold::detail::kPictureTag;
using picfold::detail::Picture;
using picfold::detail::with_picture;

namespace {

template <class Body>
bool guarded(void* handle, Body body)
{
    try {
        return with_picture(handle, body);
    } catch (const std::exception& e) {
        PF_LOG("picfold", "%s", e.what());
        return false;
    }
}

bool save(void* handle, const std::wstring& path, const std::string& text, bool png, bool draw, bool append)
{
    if (path.empty() || path.find(L'\0') != std::wstring::npos) {
        return false;
    }
    return guarded(handle, [&](Picture& p) { return p.save(path, text, png, draw, append); });
}

}  // namespace

bool picfold_init(void*& handle)
{
    handle = nullptr;
    void* made = nullptr;
    try {
        if (!vy::create_handle<Picture>(&made)) {
            return false;
        }
        bool ready = false;
        with_picture(made, [&](Picture& p) { return ready = p.init(); });
        if (!ready) {
            vy::destroy_handle(&made, kPictureTag);
            return false;
        }
    } catch (const std::exception& e) {
        PF_LOG("picfold_init", "%s", e.what());
        if (made != nullptr) {
            vy::destroy_handle(&made, kPictureTag);
        }
        return false;
    }
    handle = made;
    return true;
}

bool picfold_uninit(void*& handle)
{
    return vy::destroy_handle(&handle, kPictureTag);
}

bool picfold_load_file_w(void* handle, const std::wstring& path, bool with_view)
{
    const std::string utf8 = docstack::utf8_of(path);
    if (utf8.empty()) {
        return false;
    }
    return guarded(handle, [&](Picture& p) { return p.load(utf8, with_view); });
}

bool picfold_is_sgcc_file(void* handle, bool& sgcc)
{
    return guarded(handle, [&](Picture& p) {
        sgcc = p.loaded() && p.sgcc();
        return p.loaded();
    });
}

bool picfold_get_ir_data(void* handle, void*& doc)
{
    return guarded(handle, [&](Picture& p) {
        doc = p.stack().doc();
        return doc != nullptr;
    });
}

bool picfold_get_ir_paint(void* handle, void*& painter)
{
    return guarded(handle, [&](Picture& p) {
        painter = p.stack().painter();
        return painter != nullptr;
    });
}

bool picfold_set_use_temperature_para(void* handle, bool on)
{
    return guarded(handle, [&](Picture& p) { return p.set_use_stored_parameters(on); });
}

bool picfold_get_storage_time(void* handle, std::string& text)
{
    return guarded(handle, [&](Picture& p) {
        tagTimeVal time{};
        if (!p.loaded() || !sensekern_get_capture_time(p.stack().frame(), &time) || time.sec == 0) {
            return false;
        }
        text = docstack::storage_time_text(time.sec);
        return !text.empty();
    });
}

bool picfold_add_anas_saved_in_file(void* handle)
{
    return guarded(handle, [&](Picture& p) { return p.add_stored_anas(); });
}

bool picfold_get_anas_saved_in_file(void* handle, std::string& anas)
{
    return guarded(handle, [&](Picture& p) {
        if (!p.loaded()) {
            return false;
        }
        anas = p.stored_list();
        return true;
    });
}

bool picfold_save_jpg_file_w(void* handle, const std::wstring& path, const std::string& text, bool draw,
                             bool append)
{
    return save(handle, path, text, false, draw, append);
}

bool picfold_save_png_file_w(void* handle, const std::wstring& path, const std::string& text, bool draw,
                             bool append)
{
    return save(handle, path, text, true, draw, append);
}
