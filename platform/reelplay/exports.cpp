// The reelplay exports: handle and argument checks around Player.
#include "reelplay.h"

#include "handle_registry.h"
#include "markpen.h"
#include "player.h"
#include "sensekern.h"

#include <cstring>
#include <exception>

using reelplay::detail::kPlayerTag;
using reelplay::detail::Marks;
using reelplay::detail::Player;
using reelplay::detail::with_player;

namespace {

template <class Body>
bool guarded(void* handle, Body body)
{
    try {
        return with_player(handle, body);
    } catch (const std::exception& e) {
        RP_LOG("reelplay", "%s", e.what());
        return false;
    }
}

// Length of a mark, and its text with a terminating zero when a buffer is
// given (the callers pass length + 1 bytes).
bool answer_mark(const std::vector<uint8_t>& text, uint16_t& length, unsigned char* buffer)
{
    length = static_cast<uint16_t>(text.size());
    if (buffer != nullptr) {
        if (!text.empty()) {
            std::memcpy(buffer, text.data(), text.size());
        }
        buffer[text.size()] = 0;
    }
    return true;
}

bool save(void* handle, const std::wstring& path, bool png, bool draw, bool append)
{
    if (path.empty() || path.find(L'\0') != std::wstring::npos) {
        return false;
    }
    return guarded(handle, [&](Player& p) {
        void* painter = p.stack().painter();
        return p.open() && (png ? markpen_save_png_file_w(painter, path, std::string(), draw, append)
                                : markpen_save_jpg_file_w(painter, path, std::string(), draw, append));
    });
}

}  // namespace

bool reelplay_init(void*& handle)
{
    handle = nullptr;
    void* made = nullptr;
    try {
        if (!vy::create_handle<Player>(&made)) {
            return false;
        }
        if (!with_player(made, [](Player& p) { return p.init(); })) {
            vy::destroy_handle(&made, kPlayerTag);
            return false;
        }
    } catch (const std::exception& e) {
        RP_LOG("reelplay_init", "%s", e.what());
        if (made != nullptr) {
            vy::destroy_handle(&made, kPlayerTag);
        }
        return false;
    }
    handle = made;
    return true;
}

bool reelplay_uninit(void*& handle)
{
    if (!_VYBaseObject::is_valid_handle(handle, kPlayerTag)) {
        return false;
    }
    auto* player = static_cast<Player*>(vy::unregister_handle(handle, kPlayerTag));
    if (player == nullptr) {
        return false;
    }
    // A call already inside on another thread finishes before the player goes.
    {
        VyLockGuard wait(player->lock());
    }
    delete player;
    handle = nullptr;
    return true;
}

bool reelplay_is_valid_file_w(const std::wstring& path)
{
    return docstack::is_recording(docstack::utf8_of(path));
}

bool reelplay_load_file_w(void* handle, const std::wstring& path)
{
    return guarded(handle, [&](Player& p) { return p.load(path); });
}

bool reelplay_get_ir_data(void* handle, void*& doc)
{
    return guarded(handle, [&](Player& p) {
        doc = p.stack().doc();
        return doc != nullptr;
    });
}

bool reelplay_get_ir_paint(void* handle, void*& painter)
{
    return guarded(handle, [&](Player& p) {
        painter = p.stack().painter();
        return painter != nullptr;
    });
}

bool reelplay_get_total_frames(void* handle, uint32_t& count)
{
    return guarded(handle, [&](Player& p) {
        count = p.frame_count();
        return p.open();
    });
}

bool reelplay_get_start_time(void* handle, tagTimeVal& time)
{
    return guarded(handle, [&](Player& p) { return p.frame_time(0, &time); });
}

bool reelplay_get_end_time(void* handle, tagTimeVal& time)
{
    return guarded(handle, [&](Player& p) { return p.frame_count() != 0 && p.frame_time(p.frame_count() - 1, &time); });
}

bool reelplay_get_time_of_frame(void* handle, uint32_t frame, tagTimeVal& time)
{
    return guarded(handle, [&](Player& p) { return p.frame_time(frame, &time); });
}

bool reelplay_seek_frame(void* handle, uint32_t frame)
{
    return guarded(handle, [&](Player& p) { return p.seek(frame); });
}

bool reelplay_get_file(void* handle, std::string& path)
{
    return guarded(handle, [&](Player& p) {
        path = p.path();
        return p.open();
    });
}

bool reelplay_get_file_w(void* handle, std::wstring& path)
{
    return guarded(handle, [&](Player& p) {
        path = p.wide_path();
        return p.open();
    });
}

bool reelplay_set_use_temperature_para(void* handle, bool on)
{
    return guarded(handle, [&](Player& p) {
        p.set_use_stored_parameters(on);
        return true;
    });
}

bool reelplay_save_jpg_file_w(void* handle, const std::wstring& path, bool draw, bool append)
{
    return save(handle, path, false, draw, append);
}

bool reelplay_save_png_file_w(void* handle, const std::wstring& path, bool draw, bool append)
{
    return save(handle, path, true, draw, append);
}

bool reelplay_get_marks_count(void* handle, uint32_t& count)
{
    return guarded(handle, [&](Player& p) {
        count = static_cast<uint32_t>(p.marks().marks().size());
        return p.open();
    });
}

bool reelplay_get_mark_info_with_index(void* handle, uint32_t index, uint32_t& frame, uint16_t& length,
                                       unsigned char* buffer)
{
    return guarded(handle, [&](Player& p) {
        const Marks& marks = p.marks().marks();
        if (index >= marks.size()) {
            return false;
        }
        auto it = marks.begin();
        std::advance(it, index);
        frame = it->first;
        return answer_mark(it->second, length, buffer);
    });
}

bool reelplay_get_mark_info(void* handle, uint32_t frame, uint16_t& length, unsigned char* buffer)
{
    return guarded(handle, [&](Player& p) {
        const Marks& marks = p.marks().marks();
        auto it = marks.find(frame);
        return it != marks.end() && answer_mark(it->second, length, buffer);
    });
}

bool reelplay_add_mark_info(void* handle, uint32_t frame, uint16_t length, const unsigned char* text)
{
    return guarded(handle, [&](Player& p) { return p.open() && p.marks().add(frame, text, length); });
}

bool reelplay_update_mark_info(void* handle, uint32_t frame, uint16_t length, const unsigned char* text)
{
    return guarded(handle, [&](Player& p) { return p.open() && p.marks().update(frame, text, length); });
}

bool reelplay_delete_mark_info(void* handle, uint32_t frame)
{
    return guarded(handle, [&](Player& p) { return p.open() && p.marks().remove(frame); });
}
