// Turns the camera's temperatures back into AD values of a calibration, so
// that a frame document over that calibration shows the camera's
// temperatures and still answers to its own environment parameters.
#pragma once

#include "vytypes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wirereel {
namespace detail {

// The document and the lookup both convert as a detector at this sensor
// temperature, so that a value survives the round trip unchanged.
constexpr float kSensorTemperature = 25.0f;

// Lens and measuring range of a calibration.
struct Selection {
    int32_t lens = -1;
    int32_t range = -1;
    bool operator==(const Selection& o) const { return lens == o.lens && range == o.range; }
    bool operator!=(const Selection& o) const { return !(*this == o); }
};

// The pair of a calibration's lenses to show a camera pair with: the same
// when the calibration has it, else its first lens and range. False for a
// calibration without lenses.
bool choose_selection(const std::vector<tagLenInfo>& lenses, Selection camera, Selection* chosen);

// The camera sends temperatures in tenths of a degree above -300: a frame
// value maps back to its 16-bit wire value without loss.
uint16_t wire_value_of(float temperature);

class AdLookup {
public:
    AdLookup() = default;
    ~AdLookup();
    AdLookup(const AdLookup&) = delete;
    AdLookup& operator=(const AdLookup&) = delete;

    // Loads the calibration (once per path) and selects the pair, under
    // 25-degree sensors and the calibration's own parameters, as the
    // document starts. The inverse table is forgotten when anything changed.
    bool prepare(const std::string& calibration, Selection selection);
    void convert(const float* temperatures, std::size_t count, uint16_t* ad);

private:
    uint16_t ad_of(uint16_t wire);

    void* engine_ = nullptr;
    std::string path_;
    Selection selection_;
    std::string failed_path_;  // the last refused pair
    Selection failed_selection_;
    std::vector<uint32_t> table_;   // wire value -> AD, filled on first use
};

}  // namespace detail
}  // namespace wirereel
