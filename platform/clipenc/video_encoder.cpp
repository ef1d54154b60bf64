#include "video_encoder.h"

#include "clipenc_log.h"

#include <chrono>
#include <cstring>
#include <string>
#include <system_error>

namespace clipenc {
namespace detail {
namespace {

constexpr auto kFlushLimit = std::chrono::seconds(10);

}  // namespace

VideoEncoder::VideoEncoder(VyVideoPacketCallback on_packet, VyVideoLogCallback on_log, void* user)
    : on_packet_(on_packet), on_log_(on_log), user_(user)
{
}

VideoEncoder::~VideoEncoder()
{
    stop();
}

bool VideoEncoder::start(const EncoderSettings& settings)
{
    std::string error;
    if (!session_.open(settings, on_log_, &error)) {
        CE_ERROR(on_log_, "%s", error.c_str());
        return false;
    }
    settings_ = settings;
    try {
        thread_ = std::thread(&VideoEncoder::run, this);
    } catch (const std::system_error& e) {
        CE_ERROR(on_log_, "the encoder thread could not start: %s", e.what());
        return false;
    }
    CE_INFO(on_log_, "encoding %d x %d at %d fps, %d bit/s", settings.layout.width, settings.layout.height,
            settings.fps, settings.bit_rate);
    return true;
}

bool VideoEncoder::submit(const uint8_t* rgb32, int length)
{
    const I420Layout& layout = settings_.layout;
    const int64_t expected = static_cast<int64_t>(layout.width) * layout.height * 4;
    if (rgb32 == nullptr || length != expected) {
        CE_ERROR(on_log_, "frame of %d bytes refused: %d x %d RGB32 is %lld bytes", length, layout.width,
                 layout.height, static_cast<long long>(expected));
        return false;
    }
    std::vector<uint8_t> planes;
    bool full = false;
    bool first_refusal = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        full = queue_.size() >= kQueueFrames;
        if (full) {
            first_refusal = !refusing_;
            refusing_ = true;
        } else if (!spare_.empty()) {
            planes = std::move(spare_.back());
            spare_.pop_back();
        }
    }
    if (full) {
        // Reported once per run of refused frames.
        if (first_refusal) {
            CE_ERROR(on_log_, "the encoder is %zu frames behind: frames are refused", kQueueFrames);
        }
        return false;
    }
    planes.resize(layout.total_size());
    rgb32_to_i420(rgb32, layout, planes.data());

    std::lock_guard<std::mutex> lock(mutex_);
    if (queue_.size() >= kQueueFrames) {
        spare_.push_back(std::move(planes));
        return false;
    }
    refusing_ = false;
    Picture picture;
    picture.planes = std::move(planes);
    picture.index = queued_++;
    picture.key = key_requested_;
    key_requested_ = false;
    queue_.push_back(std::move(picture));
    work_ready_.notify_one();
    return true;
}

void VideoEncoder::force_key_frame()
{
    std::lock_guard<std::mutex> lock(mutex_);
    key_requested_ = true;
}

bool VideoEncoder::flush()
{
    if (on_encoder_thread()) {
        CE_ERROR(on_log_, "flush refused inside the packet callback");
        return false;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    const uint32_t target = queued_;
    bool done = work_done_.wait_for(lock, kFlushLimit, [&] {
        return stopping_ || static_cast<int32_t>(finished_ - target) >= 0;
    });
    lock.unlock();
    if (!done) {
        CE_ERROR(on_log_, "flush gave up after 10 s: the packet callback does not return");
    }
    return done;
}

void VideoEncoder::stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    work_ready_.notify_all();
    work_done_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void VideoEncoder::run()
{
    thread_id_ = std::this_thread::get_id();
    std::vector<uint8_t> unit;
    for (;;) {
        Picture picture;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            work_ready_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
            if (stopping_) {
                break;
            }
            picture = std::move(queue_.front());
            queue_.pop_front();
        }
        bool key = false;
        std::string error;
        if (session_.encode(picture.planes.data(), picture.index, picture.key, &unit, &key, &error)) {
            on_packet_(unit.data(), static_cast<int>(unit.size()), key ? VY_VIDEO_PACKET_KEY : 0, user_);
        } else {
            CE_ERROR(on_log_, "%s", error.c_str());
        }
        std::lock_guard<std::mutex> lock(mutex_);
        if (picture.key && !key) {
            // The next frame carries the key frame that this one could not.
            key_requested_ = true;
        }
        ++finished_;
        spare_.push_back(std::move(picture.planes));
        work_done_.notify_all();
    }
    thread_id_ = std::thread::id();
}

}  // namespace detail
}  // namespace clipenc
