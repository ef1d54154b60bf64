// The visible-light stream: one link to port 63207 that carries the video,
// and the camera's visible/infrared calibration file fetched once per
// connection.
#pragma once

#include "keep_alive.h"
#include "net_video_stream.h"
#include "nvs_packet.h"

#include "sockmesh.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace streamnet {
namespace detail {

constexpr int kVisiblePort = 63207;

class NetVideoStreamVI : public NetVideoStream {
public:
    NetVideoStreamVI();
    ~NetVideoStreamVI() override;

    bool init() override;
    void deinit() override;
    bool connect(const char* ip) override;
    bool disconnect(int argument) override;
    bool get_vi_ir_cut_file(int32_t* status, uint32_t* length, void* out) override;

private:
    enum CutFileState { kNotReceived = 0, kReceived = 1, kNoFile = -1 };

    static void on_event(const NetEvent* event, void* user);
    void on_packet(const uint8_t* data, std::size_t size);
    void on_response(const PacketView& packet);
    void on_data(const PacketView& packet);

    void* client_ = nullptr;
    std::atomic<bool> connected_{false};

    KeepAlive keep_alive_;

    // Written by the link thread, read by callers: under its own lock.
    VyLock cut_file_lock_{"calibration file"};
    int cut_file_state_ = kNotReceived;
    std::vector<uint8_t> cut_file_;
};

}  // namespace detail
}  // namespace streamnet
