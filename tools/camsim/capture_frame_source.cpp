// Frames from the capture library's loop over its simulated detector: the
// raw AD frames it delivers are unpacked and turned into temperatures by the
// calibration engine.
#include "frame_source.h"

#include "basekit.h"
#include "camlink.h"
#include "tempcore.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <vector>

namespace camsim {

namespace {

// The raw frame around the pointer the frame callback hands over: the
// compress type two bytes before it, the u32 length at it, the plane after.
constexpr std::size_t kTypeBefore = 2;
constexpr std::size_t kLengthSize = 4;

uint32_t little_u32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

class CaptureFrameSource : public FrameSource {
public:
    ~CaptureFrameSource() override
    {
        // The capture thread is joined before the plane it writes goes away.
        if (device_ != nullptr) {
            vy_dc_uninit(&device_);
        }
        if (engine_ != nullptr) {
            vy_at_uninit(&engine_);
        }
    }

    bool start(const std::string& calibration, std::string* error)
    {
        if (!open_calibration_engine(calibration, &engine_, &lens_, &range_)) {
            *error = "calibration data " + calibration + " can not be used";
            return false;
        }
        if (!vy_dc_init(&device_)) {
            *error = "the capture device could not start (is the detector configuration beside the program?)";
            return false;
        }
        if (!vy_dc_get_capture_resolution(device_, &width_, &height_) || width_ == 0 || height_ == 0 ||
            !vy_dc_set_cb_one_frame_received(device_, on_frame, this) ||
            !vy_dc_set_len_and_meas_range(device_, lens_, range_)) {
            *error = "the capture device refused its lens, range or frame callback";
            return false;
        }
        return true;
    }

    int width() const override { return width_; }
    int height() const override { return height_; }

    bool next_frame(SourceFrame* frame) override
    {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            // The capture loop delivers a frame every 15 ms once it runs.
            if (!arrived_.wait_for(lock, std::chrono::seconds(5), [this] { return frames_ > 0; })) {
                return false;
            }
            frame->ad = newest_;
        }
        const std::size_t n = frame->ad.size();
        frame->width = width_;
        frame->height = height_;
        frame->temperatures.resize(n);
        return vy_at_get_no_limited_temperature_from_ad(engine_, frame->ad.data(), static_cast<int>(n),
                                                       frame->temperatures.data());
    }

private:
    // On the capture thread, for every frame.
    static void on_frame(void* user, const uint8_t* data, uint16_t width, uint16_t height)
    {
        auto* self = static_cast<CaptureFrameSource*>(user);
        const std::size_t n = static_cast<std::size_t>(width) * height;
        if (data == nullptr || width != self->width_ || height != self->height_) {
            return;
        }
        const uint16_t type = static_cast<uint16_t>(data[-2] | data[-1] << 8);
        const uint32_t length = little_u32(data);
        const uint8_t* plane = data + kLengthSize;
        std::vector<uint16_t>& scratch = self->scratch_;
        scratch.resize(n);
        bool ok = false;
        if (type == 1 && length <= 3 * n) {
            ok = vy_high_low_uncompress(length, plane, scratch.data(), static_cast<int>(n)) == VY_OK;
        } else if (type == 0 && length == 2 * n) {
            for (std::size_t i = 0; i < n; ++i) {
                scratch[i] = static_cast<uint16_t>(plane[2 * i] | plane[2 * i + 1] << 8);
            }
            ok = true;
        }
        if (!ok) {
            return;
        }
        {
            std::lock_guard<std::mutex> lock(self->mutex_);
            self->newest_.swap(scratch);
            ++self->frames_;
        }
        self->arrived_.notify_all();
    }

    void* device_ = nullptr;
    void* engine_ = nullptr;
    int32_t lens_ = 0;
    int32_t range_ = 0;
    uint16_t width_ = 0;
    uint16_t height_ = 0;

    std::vector<uint16_t> scratch_;  // capture thread only
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<uint16_t> newest_;
    uint64_t frames_ = 0;
};

}  // namespace

std::unique_ptr<FrameSource> make_capture_source(const std::string& calibration, std::string* error)
{
    std::unique_ptr<CaptureFrameSource> source(new CaptureFrameSource);
    if (!source->start(calibration, error)) {
        return nullptr;
    }
    return source;
}

}  // namespace camsim
