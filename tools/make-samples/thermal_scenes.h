// Scenes a thermographer would recognise, as temperature fields: an
// electrical cabinet with an overheated connector, a room corner with a
// cold bridge and a window, and heating pipes whose hot water front moves
// (the sample recording). Each has smooth gradients, vignetting and sensor
// noise of about 0.07 degrees from a fixed seed, so the samples are the same
// on every build.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace samples {

// Temperatures in degrees Celsius, row by row.
struct Field {
    int width = 0;
    int height = 0;
    std::vector<float> t;
    int hottest_x = 0;
    int hottest_y = 0;
    int coldest_x = 0;
    int coldest_y = 0;
};

Field cabinet_field(int width, int height, uint32_t seed);
Field wall_field(int width, int height, uint32_t seed);
// flow 0: the pump is off and the supply pipe is cold; 1: hot all along.
Field pipes_field(int width, int height, float flow, uint32_t seed);

// The AD plane of a field through a sensekern frame with calibration data
// (its AD-from-temperature conversion, interpolated between 0.05 degree steps).
bool field_plane(void* frame, const Field& field, std::vector<uint16_t>* plane);

}  // namespace samples
