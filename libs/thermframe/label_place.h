// Placement of one analysis-object label against the regions already
// covered, and the regions that area-type objects cover. Pure geometry: the
// caller measures the text and holds whatever lock guards the inputs.
#pragma once

#include "vytypes.h"

#include <QRegion>

#include <cstdint>
#include <vector>

namespace thermframe {
namespace detail {

struct LabelPlacement {
    int32_t side = 0;
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t anchor_x = 0;
    int32_t anchor_y = 0;
};

struct LabelMetrics {
    int text_width = 0;   // width of the label text
    int line_height = 0;  // the font's line height
    int arrow_width = 0;  // width of the "<-" drawn beside area labels
};

struct LabelWindow {
    int width = 0;
    int height = 0;
    int32_t rotation = 0;
};

// Lays out one label. False when the object gets no placement (unknown type,
// node counts that do not fit); `out` and `working` are then untouched.
// Otherwise `out` holds the winner (or candidate 0 when none fits the window)
// and the winner's box has been added to `working`.
bool place_label(int32_t type, const std::vector<tagVYPoint>& window_nodes,
                 const std::vector<tagVYPoint>& image_nodes, const LabelMetrics& metrics,
                 const LabelWindow& window, std::vector<QRegion>& working, LabelPlacement& out);

// The region an area-type object covers in window coordinates; empty for
// points, lines and shapes with unfit node counts.
QRegion covered_region(int32_t type, const std::vector<tagVYPoint>& window_nodes);

// Anchor of position code 0..11 on a rectangle (see the code table).
QPoint rect_anchor(const QRect& rect, int code);

}  // namespace detail
}  // namespace thermframe
