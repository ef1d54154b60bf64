#include "frame_source.h"

#include "tempcore.h"

#include <vector>

namespace camsim {

namespace {

class PatternFrameSource : public FrameSource {
public:
    PatternFrameSource(int width, int height) : width_(width), height_(height) {}

    ~PatternFrameSource() override
    {
        if (engine_ != nullptr) {
            vy_at_uninit(&engine_);
        }
    }

    bool load(const std::string& calibration, std::string* error)
    {
        int32_t lens = 0;
        int32_t range = 0;
        // The pattern spans the AD values of 20 to 80 degrees.
        bool ok = open_calibration_engine(calibration, &engine_, &lens, &range) &&
                  vy_at_get_ad_from_temperature(engine_, 20.0f, &low_) &&
                  vy_at_get_ad_from_temperature(engine_, 80.0f, &high_) && high_ > low_;
        if (!ok) {
            *error = "calibration data " + calibration + " can not be used";
        }
        return ok;
    }

    int width() const override { return width_; }
    int height() const override { return height_; }

    bool next_frame(SourceFrame* frame) override
    {
        const std::size_t n = static_cast<std::size_t>(width_) * height_;
        frame->width = width_;
        frame->height = height_;
        frame->ad.resize(n);
        frame->temperatures.resize(n);
        const unsigned span = high_ - low_;
        const int spot_x = static_cast<int>(counter_ * 3 % width_);
        const int spot_y = height_ / 2;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                // A diagonal ramp drifting one pixel a frame, and a hot spot
                // crossing the picture.
                unsigned ramp = static_cast<unsigned>((x + y + counter_) % (width_ + height_));
                unsigned value = low_ + ramp * (span / 2) / static_cast<unsigned>(width_ + height_);
                int dx = x - spot_x;
                int dy = y - spot_y;
                if (dx * dx + dy * dy < 64) {
                    value = high_;
                }
                frame->ad[static_cast<std::size_t>(y) * width_ + x] = static_cast<uint16_t>(value);
            }
        }
        ++counter_;
        return vy_at_get_no_limited_temperature_from_ad(engine_, frame->ad.data(), static_cast<int>(n),
                                                       frame->temperatures.data());
    }

private:
    int width_;
    int height_;
    void* engine_ = nullptr;
    uint16_t low_ = 0;
    uint16_t high_ = 0;
    uint64_t counter_ = 0;
};

}  // namespace

std::unique_ptr<FrameSource> make_pattern_source(int width, int height, const std::string& calibration,
                                                 std::string* error)
{
    std::unique_ptr<PatternFrameSource> source(new PatternFrameSource(width, height));
    if (!source->load(calibration, error)) {
        return nullptr;
    }
    return source;
}

}  // namespace camsim
