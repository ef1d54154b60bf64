// One isotherm band of the editor: a temperature interval that the frame
// renderer paints in a fixed colour, with its place on the editor's axis.
#pragma once

#include <cstdint>

struct IsothermBand {
    // Pixels of the band's ends on the axis, relative to its left end.
    int px_start = 0;
    int px_end = 0;
    float low = 12.0f;
    // Width in degrees; the band ends at low + span.
    float span = 10.0f;
    bool transparent = false;
    // 0x00RRGGBB.
    uint32_t colour = 0;
    // The frame document's isotherm handle.
    void* handle = nullptr;
    // The id the QML names this band by.
    int id = 0;
};

// The narrowest band after any edit, in degrees.
constexpr float kIsothermMinSpan = 0.2f;
