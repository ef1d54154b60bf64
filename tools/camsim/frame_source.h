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

// A moving test pattern whose AD values are turned into temperatures by the
// calibration engine loaded from `calibration` (the sample calibration data).
std::unique_ptr<FrameSource> make_pattern_source(int width, int height, const std::string& calibration,
                                                 std::string* error);

}  // namespace camsim
