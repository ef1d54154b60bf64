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

// The work of laying out the labels of one picture, in steps of about equal
// cost: a region compared with a label box, a rectangle of a region summed,
// a polygon edge crossing one row while its region is built. Crafted objects
// (many large self-intersecting polygons) would otherwise take minutes.
// Once the limit is spent the rest is placed the simple way: a polygon
// covers its bounding rectangle and a label takes the first of its places
// that fits the window. Ordinary pictures stay far below the limit.
struct LabelWork {
    static constexpr int64_t kDefaultLimit = 20000000;
    int64_t limit = kDefaultLimit;
    int64_t steps = 0;
    bool spent() const { return steps >= limit; }
};

// A region of more rectangles than this, or a polygon whose edges cross
// each other more often, is taken as its bounding rectangle: an ordinary
// object covers a few rectangles per row of the window and is drawn without
// crossing itself, or nearly so.
constexpr int kMaxRegionRects = 8192;
constexpr int kMaxCrossings = 64;

// Lays out one label. False when the object gets no placement (unknown type,
// node counts that do not fit); `out` and `working` are then untouched.
// Otherwise `out` holds the winner (the place whose box overlaps `working`
// least, the earliest on ties; candidate 0 when none fits the window) and
// the winner's box has been added to `working`.
bool place_label(int32_t type, const std::vector<tagVYPoint>& window_nodes,
                 const std::vector<tagVYPoint>& image_nodes, const LabelMetrics& metrics,
                 const LabelWindow& window, std::vector<QRegion>& working, LabelPlacement& out,
                 LabelWork& work);

// The region an area-type object covers in window coordinates; empty for
// points, lines and shapes with unfit node counts.
QRegion covered_region(int32_t type, const std::vector<tagVYPoint>& window_nodes, LabelWork& work);

// Anchor of position code 0..11 on a rectangle (see the code table).
QPoint rect_anchor(const QRect& rect, int code);

}  // namespace detail
}  // namespace thermframe
