#include "player.h"

#include "sensekern.h"

#include <sys/stat.h>

namespace reelplay {
namespace detail {

Player::Player() : _VYBaseObject(kPlayerTag) {}

Player::~Player()
{
    if (reader_ != nullptr) {
        sensekern_record_close(&reader_);
    }
}

bool Player::init()
{
    return stack_.init("reelplay");
}

bool Player::load(const std::wstring& wide)
{
    const std::string path = docstack::utf8_of(wide);
    void* reader = nullptr;
    if (path.empty() || !sensekern_record_open(&reader, path.c_str())) {
        return false;
    }
    // Everything is read before the document changes, so a refused
    // recording leaves the one open before in place.
    uint32_t count = 0;
    struct stat st;
    MarkStore marks;
    bool ok = sensekern_record_get_info(reader, &count, nullptr, nullptr, nullptr) && count != 0 &&
              ::stat(path.c_str(), &st) == 0 &&
              marks.load(reader, path, count, static_cast<uint64_t>(st.st_size));
    docstack::Parameters kept;
    const bool keep = ok && !use_stored_ && open() && stack_.read_parameters(&kept);
    ok = ok && sensekern_record_load_frame(reader, 0, stack_.frame(), nullptr);
    if (!ok) {
        RP_LOG("Player::load", "%s is refused: %u frames", path.c_str(), count);
        sensekern_record_close(&reader);
        return false;
    }
    if (reader_ != nullptr) {
        sensekern_record_close(&reader_);
    }
    reader_ = reader;
    path_ = path;
    wide_path_ = wide;
    frame_count_ = count;
    marks_ = std::move(marks);
    stack_.sync_image_size();
    if (keep) {
        stack_.apply_parameters(kept);
    }
    return true;
}

bool Player::seek(uint32_t frame)
{
    if (!open() || frame >= frame_count_) {
        return false;
    }
    docstack::Parameters kept;
    const bool keep = !use_stored_ && stack_.read_parameters(&kept);
    if (!sensekern_record_load_frame(reader_, frame, stack_.frame(), nullptr)) {
        RP_LOG("Player::seek", "frame %u of %s can not be read", frame, path_.c_str());
        return false;
    }
    if (keep) {
        stack_.apply_parameters(kept);
    }
    return stack_.sync_image_size();
}

bool Player::frame_time(uint32_t frame, tagTimeVal* time)
{
    return open() && sensekern_record_get_frame_time(reader_, frame, time);
}

}  // namespace detail
}  // namespace reelplay
