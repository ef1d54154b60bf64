// The object behind a reelplay handle.
#pragma once

#include "doc_stack.h"
#include "logline.h"
#include "mark_store.h"
#include "vy_base_object.h"
#include "vy_lock.h"
#include "vytypes.h"

#include <string>

#define RP_LOG(function, ...) logline_print(LOGLINE_ERROR, "reelplay", __FILE__, __LINE__, function, __VA_ARGS__)

namespace reelplay {
namespace detail {

constexpr const char* kPlayerTag = "reelplay.player";

class Player : public _VYBaseObject {
public:
    Player();
    ~Player() override;

    bool init();
    VyLock& lock() { return lock_; }

    // --- all below expect lock() to be held
    docstack::DocStack& stack() { return stack_; }
    bool open() const { return reader_ != nullptr; }
    bool load(const std::wstring& path);
    bool seek(uint32_t frame);
    bool frame_time(uint32_t frame, tagTimeVal* time);
    uint32_t frame_count() const { return frame_count_; }
    const std::string& path() const { return path_; }
    const std::wstring& wide_path() const { return wide_path_; }
    void set_use_stored_parameters(bool on) { use_stored_ = on; }
    MarkStore& marks() { return marks_; }

private:
    VyLock lock_{"reelplay player"};
    docstack::DocStack stack_;
    void* reader_ = nullptr;
    std::string path_;
    std::wstring wide_path_;
    uint32_t frame_count_ = 0;
    bool use_stored_ = true;
    MarkStore marks_;
};

template <class Body>
bool with_player(void* handle, Body body)
{
    if (!_VYBaseObject::is_valid_handle(handle, kPlayerTag)) {
        return false;
    }
    auto* player = static_cast<Player*>(static_cast<_VYBaseObject*>(handle));
    VyLockGuard guard(player->lock());
    return guard && body(*player);
}

}  // namespace detail
}  // namespace reelplay
