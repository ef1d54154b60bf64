// Where the simulated camera's frames come from: raw AD values and the
// temperatures they stand for, one frame per call.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace camsim {

struct SourceFrame {
    int width = 0;
    int height = 0;
    std::vector<uint16_t> ad;
    std::vector<float> temperatures;  // degrees Celsius, one per pixel
};

class FrameSource {
public:
    virtual ~FrameSource() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Fills the next frame; false when none can be made.
    virtual bool next_frame(SourceFrame* frame) = 0;
};

// A calibration engine loaded from `calibration`, set to its first lens and
// range under 25-degree sensors, ready to turn AD values into temperatures.
// False (and no engine) when the data cannot be used.
bool open_calibration_engine(const std::string& calibration, void** engine, int32_t* lens, int32_t* range);

struct LensRanges;

// The lenses of the calibration data at `calibration` with their measuring
// ranges, in the data's order: what a camera built on it offers. False when
// the data can not be read or holds no lens.
bool read_calibration_lenses(const std::string& calibration, std::vector<LensRanges>* lenses);

// Frames of the capture library's loop over its simulated detector (its test
// pattern as the device delivers it, at the detector's own size), turned
// into temperatures by the calibration engine loaded from `calibration`.
// The device reads its configuration ("detector") and calibration ("ad_temp")
// from the program directory.
std::unique_ptr<FrameSource> make_capture_source(const std::string& calibration, std::string* error);

// A moving test pattern of any size whose AD values are turned into temperatures by the
// calibration engine loaded from `calibration` (the sample calibration data).
std::unique_ptr<FrameSource> make_pattern_source(int width, int height, const std::string& calibration,
                                                 std::string* error);

}  // namespace camsim
