#include "net_video_stream.h"

#include "stream_timing.h"
#include "streamnet_log.h"

#include "basekit.h"
#include "logline.h"

#include <cstdio>
#include <cstring>

namespace streamnet {
namespace detail {

StreamTiming& stream_timing()
{
    static StreamTiming timing;
    return timing;
}

int capped_wait(int wait_ms)
{
    int cap = stream_timing().command_wait_cap_ms.load();
    return cap > 0 && cap < wait_ms ? cap : wait_ms;
}

NetVideoStream::NetVideoStream(int kind)
    : _VYBaseObject(kStreamTag), kind_(kind), newest_frame_(kFrameBufferInitial, 0)
{
}

NetVideoStream::~NetVideoStream()
{
    stop_log();
}

bool NetVideoStream::init()
{
    char directory[256];
    int length = sizeof(directory);
    if (vy_get_exe_path(directory, &length) != VY_OK || length >= static_cast<int>(sizeof(directory))) {
        std::fputs("get path faild\n", stderr);
        return false;
    }
    directory[length] = '\0';
    if (!logline_init(directory, 7, 200)) {
        // logline counts the reference even when no file opened.
        logline_uninit();
        std::fputs("init log failed\n", stderr);
        return false;
    }
    log_started_ = true;
    return true;
}

void NetVideoStream::stop_log()
{
    if (log_started_) {
        log_started_ = false;
        logline_uninit();
    }
}

std::string NetVideoStream::device_ip()
{
    VyLockGuard guard(ip_lock_);
    return device_ip_;
}

void NetVideoStream::set_device_ip(const char* ip)
{
    VyLockGuard guard(ip_lock_);
    device_ip_ = ip;
}

void NetVideoStream::report_link_state(int event)
{
    NvsLinkState state;
    std::memset(&state, 0, sizeof(state));
    state.event = event;
    std::string ip = device_ip();
    std::memcpy(state.device_ip, ip.data(), ip.size() < sizeof(state.device_ip) ? ip.size() : sizeof(state.device_ip));
    link_state_.call(state);
}

bool NetVideoStream::on_recv_video_data(int32_t frame_type, const uint8_t* data, std::size_t length)
{
    if (data == nullptr || length == 0) {
        SN_ERROR("data's ptr is null, or data len is 0");
        return false;
    }
    if (length > kFrameBufferCap) {
        SN_ERROR("frame len = %zu is above the %zu-byte cap; the frame is dropped", length, kFrameBufferCap);
        return false;
    }
    {
        VyLockGuard guard(frame_lock_);
        if (!guard) {
            return false;
        }
        if (length > newest_frame_.size()) {
            newest_frame_.resize(length);
        }
        std::memcpy(newest_frame_.data(), data, length);
        newest_length_ = length;
    }
    // The callbacks get the packet's own bytes: no lock is held while they
    // run, and they may record the frame they were handed.
    if (typed_frame_callback.call(frame_type, static_cast<const void*>(data), static_cast<int32_t>(length))) {
        return true;
    }
    return frame_callback.call(static_cast<const void*>(data), static_cast<int32_t>(length));
}

bool NetVideoStream::record_one_frame()
{
    VyLockGuard guard(frame_lock_);
    if (!guard) {
        return false;
    }
    return recorder_.record_one_frame(newest_frame_.data(), newest_length_);
}

}  // namespace detail
}  // namespace streamnet
