// The mouse editor of a paint handle: new analysis objects drawn in the add
// modes, existing ones reshaped through the adjuster in mode 0. Events come
// in window pixels and are turned into image pixels first.
#pragma once

#include "frame_source.h"
#include "shape_adjuster.h"
#include "vy_lock.h"

#include <memory>
#include <string>
#include <vector>

namespace markpen::detail {

enum AddMode {
    kAddNone = 0,
    kAddPoint = 1,
    kAddLine = 2,
    kAddEllipse = 3,
    kAddRect = 4,
    kAddPolygon = 5,
    kAddPolyline = 6,
    kAddDelete = 100,
};

// Process-wide: true keeps the add mode after a finished shape.
void set_keep_add_mode(bool keep);
bool keep_add_mode();

class ShapeEditor {
public:
    // `frame` may be null: shapes are then drawn but never added.
    explicit ShapeEditor(std::unique_ptr<FrameSource> frame);
    ShapeEditor(const ShapeEditor&) = delete;
    ShapeEditor& operator=(const ShapeEditor&) = delete;

    void set_renderer(const PaintRenderer* renderer);

    // Finishes a pending polygon or polyline as the mode change requires,
    // then enters `mode` (one of AddMode).
    void set_mode(int mode);
    int mode();

    void mouse_down(int x, int y);
    void mouse_move(int x, int y);
    void mouse_up(int x, int y);
    void mouse_double_clicked();

    // The shape being drawn or reshaped, for the renderer's overlay.
    std::string in_progress_ana();
    std::string added_ana();
    void hit(int32_t& code, std::string& text);

private:
    struct Point {
        int32_t x = 0, y = 0;
        bool operator==(const Point& o) const { return x == o.x && y == o.y; }
    };

    Point prepare(int x, int y) const;
    void complete(Point release);
    void finish_many();
    void add(const std::string& text);
    bool format(AnaType type, const std::vector<Point>& points, std::string& out) const;
    std::string two_corner_text(AnaType type) const;
    std::string many_text() const;
    std::string text_in_progress() const;

    VyLock lock_{"ShapeEditor"};
    std::unique_ptr<FrameSource> frame_;
    const PaintRenderer* renderer_ = nullptr;
    int add_mode_ = kAddNone;
    bool pressed_ = false;
    Point start_, cur_, centre_;
    std::vector<Point> nodes_;
    ShapeAdjuster adjuster_;
    std::string added_ana_;
};

}  // namespace markpen::detail
