// Moving and reshaping the document's objects with the mouse (add mode 0).
// All coordinates are image pixels; the editor converts the events first.
#pragma once

#include "frame_source.h"
#include "shape_raster.h"

#include <cstdint>
#include <string>

namespace markpen::detail {

class PaintRenderer;

// Hit code while nothing lies under the pointer.
constexpr int32_t kNoHit = ANA_ALL;

// An analysis string of `nodes`, each cut into 0..width-1 and 0..height-1;
// false when the formatter refuses them.
bool format_ana(AnaType type, const NodeList& nodes, int width, int height, std::string& out);

class ShapeAdjuster {
public:
    explicit ShapeAdjuster(FrameSource* frame) : frame_(frame) {}

    void set_renderer(const PaintRenderer* renderer) { renderer_ = renderer; }

    void hover(int32_t x, int32_t y);
    void press(int32_t x, int32_t y);
    void drag(int32_t x, int32_t y);
    void release(int32_t x, int32_t y);
    // The reshaped object while a press holds it; empty otherwise.
    std::string in_progress_ana() const;
    void hit(int32_t& code, std::string& text) const
    {
        code = hit_code_;
        text = hit_ana_;
    }

private:
    void drag_line(int32_t dx, int32_t dy);
    void drag_box(int32_t x, int32_t y, int32_t dx, int32_t dy);
    void drag_nodes(int32_t dx, int32_t dy);
    void cursor_tick(int32_t x, int32_t y);
    bool write_back(const NodeList& nodes, AnaType type);
    bool image_size(int& width, int& height) const;
    NodeList working_nodes() const;

    FrameSource* const frame_;
    const PaintRenderer* renderer_ = nullptr;
    int32_t hit_code_ = kNoHit;
    std::string hit_ana_;
    NodeList nodes_;
    int32_t node_index_ = -1;
    int32_t last_x_ = 0, last_y_ = 0;
    int32_t x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    int32_t centre_x_ = 0, centre_y_ = 0;
    // Set only by a press that took the object's geometry: without it a drag
    // or release would write the previous press's geometry into this object.
    bool press_valid_ = false;
};

}  // namespace markpen::detail
