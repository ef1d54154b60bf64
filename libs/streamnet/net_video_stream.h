// The stream object behind a handle: what the infrared and the visible
// stream share (device address, callbacks, the newest video frame and the
// local recorder).
#pragma once

#include "callback_slot.h"
#include "file_record.h"

#include "streamnet.h"
#include "vy_base_object.h"
#include "vy_lock.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace streamnet {
namespace detail {

constexpr char kStreamTag[] = "streamnet.NetVideoStream";
// The newest-frame buffer starts at 512 KiB and grows for a larger frame up
// to this cap; a frame above it is refused.
constexpr std::size_t kFrameBufferInitial = 524288;
constexpr std::size_t kFrameBufferCap = 8 * 1024 * 1024;

class NetVideoStream : public _VYBaseObject {
public:
    explicit NetVideoStream(int kind);
    ~NetVideoStream() override;

    int kind() const { return kind_; }

    // Base init: the program directory and the log. Each kind adds its own.
    virtual bool init();
    // Stops the stream's threads and links; safe to call twice.
    virtual void deinit() = 0;
    virtual bool connect(const char* ip) = 0;
    virtual bool disconnect(int argument) = 0;
    virtual bool get_vi_ir_cut_file(int32_t* status, uint32_t* length, void* out) = 0;

    void set_link_state_callback(NvsLinkStateCallback fn, void* user) { link_state_.set(fn, user); }
    CallbackSlot<NvsFrameCallback> frame_callback;
    CallbackSlot<NvsTypedFrameCallback> typed_frame_callback;
    CallbackSlot<NvsPresetChangedCallback> preset_changed_callback;

    // Keeps the frame as the newest and hands it to the typed callback, or
    // else to the plain one. True when a callback was called.
    bool on_recv_video_data(int32_t frame_type, const uint8_t* data, std::size_t length);

    bool start_record(const char* path) { return recorder_.start_record(path); }
    bool stop_record() { return recorder_.stop_record(); }
    // Writes the newest frame, under the frame lock.
    bool record_one_frame();

    std::string device_ip();

protected:
    void set_device_ip(const char* ip);
    void report_link_state(int event);
    void stop_log();

private:
    const int kind_;
    bool log_started_ = false;
    int disconnect_argument_ = 0;

    VyLock ip_lock_{"device address"};
    std::string device_ip_;

    CallbackSlot<NvsLinkStateCallback> link_state_;

    VyLock frame_lock_{"newest frame"};
    std::vector<uint8_t> newest_frame_;
    std::size_t newest_length_ = 0;

    FileRecord recorder_;

    friend class NetVideoStreamIR;
    friend class NetVideoStreamVI;
};

}  // namespace detail
}  // namespace streamnet
