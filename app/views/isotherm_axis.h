// The temperature axis of the isotherm editor: its shown range, the round
// step between labelled ticks, the labels, and where a band lies on it.
#pragma once

#include "views/isotherm_band.h"

#include <QString>

#include <vector>

class IsothermAxis {
public:
    struct Label {
        int pixel = 0;
        QString text;
    };

    // Degrees between two labelled ticks and their distance in pixels.
    float step = 10.0f;
    int px_per_step = 20;
    float min = -1.0f;
    float max = 56.0f;
    std::vector<Label> labels;

    // Finds the round step (1, 2, 5 times a power of ten) that puts 39 to
    // 101 pixels between labels on an axis `length` pixels long, then
    // rebuilds the labels. False (nothing changed) for a length below 1 or
    // a range that is empty or not finite.
    bool layout(int length);
    // Degrees per pixel.
    float degrees_per_pixel() const { return step / static_cast<float>(px_per_step); }
    // Clamps the band to the axis (keeping at least the narrowest span) and
    // places its ends, at least 4 pixels apart.
    void place(IsothermBand& band) const;
    // Changes one end of the range, keeping the other at least the
    // narrowest span away.
    void set_min(float value);
    void set_max(float value);
};
