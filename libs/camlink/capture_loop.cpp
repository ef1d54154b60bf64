// The capture thread: one test-pattern frame every 15 ms, checked, rotated
// into the newest of four buffers, cached and handed to the frame callback;
// and the exports that read those frames.
#include "camlink_log.h"
#include "dev_cap.h"

#include "basekit.h"
#include "framekit.h"
#include "palettor.h"

#include <cstring>
#include <set>

namespace camlink {
namespace detail {

namespace {

constexpr double kFramePeriodMs = 15;
constexpr double kIdlePollMs = 60;
constexpr uint32_t kDroppedAtStart = 2;
constexpr int kResetFrames = 4;
constexpr std::size_t kSizeHistory = 50;
constexpr uint32_t kWrongFramesBeforeReset = 5;

uint32_t read_u32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

bool DevCap::start_capture_thread()
{
    try {
        capture_thread_ = std::thread([this] { capture_proc(); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void DevCap::capture_proc()
{
    capture_thread_id_.store(std::this_thread::get_id());
    const std::size_t capacity = pixels_ * kBufferBytesPerPixel - kRawOffset;
    while (!stop_.load()) {
        if (!capture_switch_.load()) {
            pause(kIdlePollMs);
            continue;
        }
        if (!pause(kFramePeriodMs)) {
            break;
        }
        // Only this thread writes the capture buffer, so it fills it unlocked.
        uint32_t length = pattern_.fill(raw(capture_), capacity, width_, height_);
        {
            VyLockGuard guard(reset_lock_);
            frame_arrived_ = true;
        }
        if (length == 0) {
            DC_ERROR("DevCap::capture_proc", "make test frame failed");
            continue;
        }
        if (!frame_passes_checks(length)) {
            continue;
        }
        min_ad_.store(kPatternBase);
        max_ad_.store(static_cast<uint16_t>(kPatternBase + width_));
        record_scene_frame();
        cache_frame(length);
        deliver_frame();
    }
}

bool DevCap::frame_passes_checks(uint32_t length)
{
    const char* function = "DevCap::capture_proc";
    ++frames_since_start_;
    if (switching_.load() || frames_since_start_ <= kDroppedAtStart) {
        return false;
    }
    {
        VyLockGuard guard(reset_lock_);
        if (reset_pending_) {
            size_history_.clear();
            if (++reset_frames_ >= kResetFrames) {
                reset_pending_ = false;
                reset_frames_ = 0;
                sensor_request_ = true;
                sensor_wake_.set();
            }
            return false;
        }
    }
    if (length > 3 * pixels_) {
        if (oversize_frames_++ % 1000 == 0) {
            DC_INFO(function, "data's size = %u is bigger than pixel num = %zu, reset fpga! this frame's num = %u",
                    length, pixels_, oversize_frames_);
        }
        return false;
    }
    const uint8_t* compressed = raw(capture_) + pixels_ + kRawHeaderBytes;
    size_history_.push_back(length);
    if (size_history_.size() > kSizeHistory) {
        size_history_.pop_front();
    }
    if (size_history_.size() == kSizeHistory) {
        std::set<uint32_t> distinct;
        for (uint32_t l : size_history_) {
            distinct.insert(l);
            if (distinct.size() >= 4) {
                break;
            }
        }
        if (size_check_.load() && distinct.size() <= 3) {
            size_history_.clear();
            if (repeats_a_buffer(compressed, length)) {
                DC_ERROR(function, "frame's size type is %zu, reset fpga!", distinct.size());
                reset_fpga();
                return false;
            }
        }
    }
    if (!compressed_frame_intact(compressed, length, pixels_)) {
        size_history_.clear();
        DC_ERROR(function, "fpga data wrong %u times!", wrong_frames_);
        if (++wrong_frames_ >= kWrongFramesBeforeReset) {
            wrong_frames_ = 0;
            reset_fpga();
            DC_ERROR(function, "fpga data wrong, reset fpga!");
        }
        return false;
    }
    wrong_frames_ = 0;
    return true;
}

bool DevCap::repeats_a_buffer(const uint8_t* compressed, uint32_t length)
{
    // A detector that repeats a frame byte for byte has stopped.
    VyLockGuard guard(buffer_lock_);
    for (uint8_t* other : {newest_, older_, oldest_}) {
        if (std::memcmp(compressed, raw(other) + pixels_ + kRawHeaderBytes, length) == 0) {
            return true;
        }
    }
    return false;
}

void DevCap::cache_frame(uint32_t length)
{
    uint16_t wanted = 0;
    {
        VyLockGuard guard(count_lock_);
        wanted = no_cache_ ? 0 : wanted_cache_;
    }
    const std::size_t bytes = kRawOffset + kRawHeaderBytes + pixels_ + length;
    VyLockGuard guard(cache_lock_);
    if (cached_.size() < wanted) {
        if (cache_free_.empty()) {
            return;
        }
        cached_.splice(cached_.end(), cache_free_, cache_free_.begin());
    } else if (wanted != 0 && !cached_.empty()) {
        cached_.splice(cached_.end(), cached_, cached_.begin());
    } else {
        return;
    }
    std::vector<uint8_t>& slot = cached_.back();
    std::memcpy(slot.data(), capture_, std::min(bytes, slot.size()));
}

void DevCap::deliver_frame()
{
    {
        VyLockGuard guard(buffer_lock_);
        uint8_t* previous_oldest = oldest_;
        oldest_ = older_;
        older_ = newest_;
        newest_ = capture_;
        capture_ = previous_oldest;
        have_frame_.store(true);
    }
    VyDcFrameCallback callback = nullptr;
    void* user = nullptr;
    {
        VyLockGuard guard(reset_lock_);
        if (operation_.load() || sensor_request_) {
            return;
        }
    }
    {
        VyLockGuard guard(callback_lock_);
        callback = frame_callback_;
        user = frame_user_;
    }
    if (callback == nullptr) {
        return;
    }
    bool ready = false;
    {
        uint16_t wanted = 0;
        bool off = true;
        {
            VyLockGuard guard(count_lock_);
            wanted = wanted_cache_;
            off = no_cache_;
        }
        VyLockGuard guard(cache_lock_);
        ready = off || cached_.size() >= wanted;
    }
    // No lock is held here: the callback may ask for the frame at once.
    if (ready) {
        callback(user, raw(newest_) + pixels_ + kRawLengthOffset, width_, height_);
    }
}

bool DevCap::capture_one_frame()
{
    if (!load_newest_frame()) {
        return false;
    }
    if (!fixed_imaging_.load()) {
        palettor_auto_adjust_fpga(imaging_, min_ad_.load(), max_ad_.load());
    }
    if (scan_active_.load()) {
        repair_bad_pts();
    }
    return true;
}

bool DevCap::load_newest_frame()
{
    const char* function = "DevCap::capture_one_frame";
    VyLockGuard buffers(buffer_lock_);
    if (!buffers) {
        return false;
    }
    if (block_.empty() || !capture_running() || !have_frame_.load()) {
        DC_ERROR(function, "capture data buffer %p, capture thread is not initialized",
                 static_cast<void*>(block_.data()));
        return false;
    }
    const uint8_t* source = newest_;
    std::size_t available = pixels_ * kBufferBytesPerPixel - kRawOffset;
    uint16_t wanted = 0;
    bool off = true;
    {
        VyLockGuard guard(count_lock_);
        wanted = wanted_cache_;
        off = no_cache_;
    }
    VyLockGuard cache(cache_lock_);
    if (!cache) {
        return false;
    }
    if (!off) {
        if (cached_.size() < wanted || cached_.empty()) {
            DC_ERROR(function, "mpus_data_buf_list size is %zu, mus_buf_frame_cnt is %d", cached_.size(), wanted);
            return false;
        }
        source = cached_.front().data();
        available = cached_.front().size() - kRawOffset;
    }
    if (!vy_ad_set_data_checked(frame_, source + kRawOffset, static_cast<uint32_t>(available))) {
        DC_ERROR(function, "set capture data failed");
        return false;
    }
    return true;
}

bool DevCap::newest_plane(std::vector<uint16_t>* plane)
{
    VyLockGuard guard(buffer_lock_);
    if (!guard || !have_frame_.load()) {
        return false;
    }
    const uint8_t* frame = raw(newest_);
    uint32_t length = read_u32(frame + pixels_ + kRawLengthOffset);
    plane->resize(pixels_);
    if (length > pixels_ * kBufferBytesPerPixel - kRawOffset - pixels_ - kRawHeaderBytes ||
        vy_high_low_uncompress(length, frame + pixels_ + kRawHeaderBytes, plane->data(),
                               static_cast<int>(pixels_)) != VY_OK) {
        return false;
    }
    return true;
}

bool DevCap::set_frame_cache_count(uint16_t count)
{
    uint16_t wanted = count == 0 ? 0 : std::min<uint16_t>(count, kMaxCachedFrames);
    {
        VyLockGuard guard(count_lock_);
        if (!guard) {
            return false;
        }
        no_cache_ = count == 0;
        wanted_cache_ = wanted;
    }
    VyLockGuard guard(cache_lock_);
    if (!guard) {
        return false;
    }
    const std::size_t bytes = (pixels_ * 2 + kRawOffset) * 2;
    try {
        while (cached_.size() + cache_free_.size() < wanted) {
            cache_free_.emplace_back(bytes, 0);
        }
    } catch (const std::bad_alloc&) {
        DC_ERROR("DevCap::set_frame_cache_count", "alloc cache buffer failed");
        return false;
    }
    while (cached_.size() + cache_free_.size() > wanted) {
        (cached_.empty() ? cache_free_ : cached_).pop_front();
    }
    return true;
}

void DevCap::set_frame_callback(VyDcFrameCallback callback, void* user)
{
    VyLockGuard guard(callback_lock_);
    frame_callback_ = callback;
    frame_user_ = user;
}

void DevCap::set_correct_callbacks(bool finished, VyDcCorrectCallback callback, void* user)
{
    VyLockGuard guard(callback_lock_);
    correct_callbacks_[finished ? 1 : 0] = callback;
    correct_users_[finished ? 1 : 0] = user;
}

void DevCap::record_scene_frame()
{
    VyLockGuard guard(record_lock_);
    if (record_which_ < 0 || record_frames_left_ <= 0) {
        return;
    }
    std::vector<uint16_t> plane(pixels_);
    const uint8_t* frame = raw(capture_);
    uint32_t length = read_u32(frame + pixels_ + kRawLengthOffset);
    if (vy_high_low_uncompress(length, frame + pixels_ + kRawHeaderBytes, plane.data(), static_cast<int>(pixels_)) !=
        VY_OK) {
        return;
    }
    record_sums_.resize(pixels_, 0);
    for (std::size_t i = 0; i < pixels_; ++i) {
        record_sums_[i] += plane[i];
    }
    if (--record_frames_left_ > 0) {
        return;
    }
    UniformScene scene;
    scene.readings.resize(pixels_);
    uint64_t total = 0;
    for (std::size_t i = 0; i < pixels_; ++i) {
        scene.readings[i] = static_cast<uint16_t>(record_sums_[i] / kSceneFrames);
        total += scene.readings[i];
    }
    scene.mean = static_cast<uint16_t>(total / pixels_);
    detector_.set_scene(record_which_, std::move(scene));
    record_which_ = -1;
    record_done_.set();
}

}  // namespace detail
}  // namespace camlink
