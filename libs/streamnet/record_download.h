// Download of one recording stored on the camera, over a link of its own to
// port 63215. The file is written beside its target and renamed over it only
// when every byte arrived; a failed download leaves no file behind.
#pragma once

#include "nvs_packet.h"

#include "sockmesh.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

namespace streamnet {
namespace detail {

constexpr int kDownloadPort = 63215;

class RecordDownload {
public:
    enum State { kIdle = 0, kRequestSent = 1, kReceiving = 2, kDone = 3, kFailed = 4 };

    // Blocks until the file is complete (true), failed, the link dropped, or
    // the camera stayed silent past the first-chunk or idle time limit.
    bool run(const std::string& device_ip, const char* remote_name, const char* local_path);

private:
    static void on_event(const NetEvent* event, void* user);
    void on_packet(const uint8_t* data, std::size_t size);
    void on_chunk(const PacketView& packet);
    // Lock held.
    void finish_file(State state);

    std::mutex mutex_;  // one download at a time per stream, and its state
    std::mutex state_mutex_;
    std::condition_variable changed_;
    bool link_up_ = false;
    State state_ = kIdle;
    int fd_ = -1;
    std::string part_path_;
    uint64_t expected_ = 0;
    uint64_t written_ = 0;
    std::chrono::steady_clock::time_point last_activity_;
};

}  // namespace detail
}  // namespace streamnet
