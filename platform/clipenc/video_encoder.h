// The encoder behind a handle: callers convert and queue frames; one thread
// of its own encodes them in order and delivers each packet to the caller's
// callback, so a caller may hold its own lock around vy_video_encode_data
// while its callback waits for that same lock.
#pragma once

#include "clipenc.h"
#include "h264_session.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace clipenc {
namespace detail {

class VideoEncoder {
public:
    static constexpr std::size_t kQueueFrames = 8;

    VideoEncoder(VyVideoPacketCallback on_packet, VyVideoLogCallback on_log, void* user);
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Opens the encoder and starts the thread; false after a log line.
    bool start(const EncoderSettings& settings);
    bool submit(const uint8_t* rgb32, int length);
    void force_key_frame();
    bool flush();
    // Drops frames not encoded yet and joins the thread.
    void stop();

    bool on_encoder_thread() const { return thread_id_.load() == std::this_thread::get_id(); }
    VyVideoLogCallback log_callback() const { return on_log_; }

private:
    struct Picture {
        std::vector<uint8_t> planes;
        uint32_t index = 0;
        bool key = false;
    };

    void run();

    const VyVideoPacketCallback on_packet_;
    const VyVideoLogCallback on_log_;
    void* const user_;
    EncoderSettings settings_;
    H264Session session_;  // used only by the thread once it runs

    std::mutex mutex_;
    std::condition_variable work_ready_;
    std::condition_variable work_done_;
    std::deque<Picture> queue_;
    std::vector<std::vector<uint8_t>> spare_;  // plane buffers for reuse
    uint32_t queued_ = 0;                      // frames accepted so far
    uint32_t finished_ = 0;                    // frames encoded and delivered (or failed)
    bool key_requested_ = true;                // the first frame is always a key frame
    bool stopping_ = false;
    bool refusing_ = false;  // a full queue was reported; quiet until a frame is accepted again

    std::atomic<std::thread::id> thread_id_{};
    std::thread thread_;
};

}  // namespace detail
}  // namespace clipenc
