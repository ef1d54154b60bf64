// Synthetic scenes with known temperatures: an ambient background, a warm
// rectangle, a hot spot and a cold band. Shared by the sample generator and
// the tests that check temperatures against what the scene was made of.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace samples {

struct Box {
    int x0, y0, x1, y1;  // inclusive
    bool contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

struct Scene {
    int width = 0;
    int height = 0;
    float ambient = 22.0f;
    float warm = 45.0f;
    float hot = 120.0f;   // the hot spot; its centre pixel is hotter still
    float hottest = 130.0f;
    float cold = -5.0f;   // the cold band; one pixel in it is colder still
    float coldest = -10.0f;
    Box warm_box{};
    Box hot_box{};
    Box cold_band{};
    int hottest_x = 0, hottest_y = 0;
    int coldest_x = 0, coldest_y = 0;

    // The scene's temperature at a pixel.
    float temperature(int x, int y) const;
};

// The layout for a size; `shift` moves the hot spot right by that many
// pixels (frames of a recording).
Scene make_scene(int width, int height, int shift = 0);

// The AD plane of a scene through a sensekern frame that has a calibration
// (its AD-from-temperature conversion).
bool scene_plane(void* frame, const Scene& scene, std::vector<uint16_t>* plane);

// A frame with the sample calibration at `calibration`, fed with the scene.
bool make_scene_frame(const std::string& calibration, const Scene& scene, void** frame);

}  // namespace samples
