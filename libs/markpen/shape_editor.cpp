#include "shape_editor.h"

#include "paint_renderer.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>

namespace markpen::detail {

namespace {

std::atomic<bool> g_keep_add_mode{false};

bool two_corner_mode(int mode)
{
    return mode == kAddLine || mode == kAddEllipse || mode == kAddRect;
}

bool many_mode(int mode)
{
    return mode == kAddPolygon || mode == kAddPolyline;
}

AnaType type_of_mode(int mode)
{
    switch (mode) {
    case kAddPoint: return ANA_POINT;
    case kAddLine: return ANA_LINE;
    case kAddEllipse: return ANA_ELLIPSE;
    case kAddRect: return ANA_RECT;
    case kAddPolygon: return ANA_POLYGON;
    case kAddPolyline: return ANA_POLYLINE;
    default: return ANA_ALL;
    }
}

}  // namespace

void set_keep_add_mode(bool keep)
{
    g_keep_add_mode = keep;
}

bool keep_add_mode()
{
    return g_keep_add_mode.load();
}

ShapeEditor::ShapeEditor(std::unique_ptr<FrameSource> frame)
    : frame_(std::move(frame)), adjuster_(frame_.get())
{
}

void ShapeEditor::set_renderer(const PaintRenderer* renderer)
{
    VyLockGuard guard(lock_);
    if (guard) {
        renderer_ = renderer;
        adjuster_.set_renderer(renderer);
    }
}

void ShapeEditor::set_mode(int mode)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return;
    }
    // Choosing the same many-node mode again keeps the nodes placed so far.
    const bool finish = mode == kAddPolygon    ? add_mode_ == kAddPolyline
                        : mode == kAddPolyline ? add_mode_ == kAddPolygon
                                               : true;
    if (finish) {
        finish_many();
    }
    add_mode_ = mode;
}

int ShapeEditor::mode()
{
    VyLockGuard guard(lock_);
    return guard ? add_mode_ : kAddNone;
}

ShapeEditor::Point ShapeEditor::prepare(int x, int y) const
{
    Point p{std::max(x, 0), std::max(y, 0)};
    if (renderer_ != nullptr) {
        // Cut to the window first: the map divides by the scale, and a far
        // position under a small scale would not fit an int.
        const Geometry g = renderer_->geometry();
        const bool quarter = g.rotation == ROTATION_90 || g.rotation == ROTATION_270;
        const double wide = (quarter ? g.image_height : g.image_width) * g.scale_x;
        const double high = (quarter ? g.image_width : g.image_height) * g.scale_y;
        p.x = static_cast<int32_t>(std::min<double>(p.x, wide));
        p.y = static_cast<int32_t>(std::min<double>(p.y, high));
        renderer_->to_image(p.x, p.y);
        // Positions right of or below the picture, or past an edge after the
        // inverse rotation, would reach the document as wrapped u16 values.
        renderer_->clamp_point(p.x, p.y);
    }
    return p;
}

void ShapeEditor::mouse_down(int x, int y)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return;
    }
    const Point p = prepare(x, y);
    pressed_ = true;
    switch (add_mode_) {
    case kAddPoint:
    case kAddLine:
    case kAddRect:
        start_ = cur_ = p;
        break;
    case kAddEllipse:
        centre_ = start_ = cur_ = p;
        break;
    case kAddPolygon:
    case kAddPolyline:
        // Only the last node taken counts: a leftover position of an
        // earlier shape must not swallow the first node.
        if (nodes_.empty() || !(nodes_.back() == p)) {
            cur_ = p;
            nodes_.push_back(p);
        }
        break;
    case kAddNone:
        adjuster_.press(p.x, p.y);
        break;
    default:
        break;
    }
}

void ShapeEditor::mouse_move(int x, int y)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return;
    }
    const Point p = prepare(x, y);
    if (!pressed_) {
        if (many_mode(add_mode_)) {
            start_ = p;
        } else {
            adjuster_.hover(p.x, p.y);
        }
        return;
    }
    switch (add_mode_) {
    case kAddPoint:
    case kAddPolygon:
    case kAddPolyline:
        start_ = p;
        break;
    case kAddLine:
    case kAddRect:
        cur_ = p;
        break;
    case kAddEllipse: {
        const double dx = p.x - centre_.x, dy = p.y - centre_.y;
        int32_t r = static_cast<int32_t>(std::sqrt(dx * dx + dy * dy));
        // Always a circle about the press point, inside the picture.
        if (renderer_ != nullptr && renderer_->fit_radius(centre_.x, centre_.y, r)) {
            start_ = {centre_.x - r, centre_.y - r};
            cur_ = {centre_.x + r, centre_.y + r};
        }
        break;
    }
    case kAddNone:
        adjuster_.drag(p.x, p.y);
        break;
    default:
        break;
    }
}

void ShapeEditor::mouse_up(int x, int y)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return;
    }
    // A release without its press would complete a shape from positions an
    // earlier gesture left behind.
    if (!pressed_) {
        return;
    }
    const Point p = prepare(x, y);
    pressed_ = false;
    if (add_mode_ == kAddPoint || two_corner_mode(add_mode_)) {
        complete(p);
        if (!keep_add_mode()) {
            add_mode_ = kAddNone;
        }
    } else if (add_mode_ == kAddNone) {
        adjuster_.release(p.x, p.y);
    }
}

void ShapeEditor::mouse_double_clicked()
{
    VyLockGuard guard(lock_);
    if (guard) {
        finish_many();
    }
}

void ShapeEditor::complete(Point release)
{
    std::string text;
    if (add_mode_ == kAddPoint) {
        start_ = release;
        if (format(ANA_POINT, {start_}, text)) {
            add(text);
        }
        return;
    }
    // The far corner is where the last move left it, not the release point.
    if (add_mode_ == kAddLine ? cur_ == start_ : (cur_.x == start_.x || cur_.y == start_.y)) {
        return;
    }
    if (std::abs(cur_.x - start_.x) < 5 && std::abs(cur_.y - start_.y) < 5) {
        return;
    }
    text = two_corner_text(type_of_mode(add_mode_));
    if (!text.empty()) {
        add(text);
    }
}

void ShapeEditor::finish_many()
{
    if (!many_mode(add_mode_)) {
        return;
    }
    std::string text;
    if (nodes_.size() >= 3 && format(type_of_mode(add_mode_), nodes_, text)) {
        add(text);
    }
    nodes_.clear();
    if (!keep_add_mode()) {
        add_mode_ = kAddNone;
    }
}

void ShapeEditor::add(const std::string& text)
{
    if (frame_ != nullptr && frame_->add_ana(text)) {
        added_ana_ = text;
    } else {
        MARKPEN_LOG(4, "ShapeEditor::add", "the document did not take %s", text.c_str());
    }
}

bool ShapeEditor::format(AnaType type, const std::vector<Point>& points, std::string& out) const
{
    if (renderer_ == nullptr) {
        return false;
    }
    const Geometry g = renderer_->geometry();
    NodeList nodes;
    nodes.reserve(points.size());
    for (const Point& p : points) {
        nodes.push_back({static_cast<uint16_t>(p.x), static_cast<uint16_t>(p.y)});
    }
    return format_ana(type, nodes, g.image_width, g.image_height, out);
}

std::string ShapeEditor::two_corner_text(AnaType type) const
{
    Point a = start_, b = cur_;
    if (type != ANA_LINE) {
        order_corners(a.x, a.y, b.x, b.y);
    }
    std::string text;
    format(type, {a, b}, text);
    return text;
}

std::string ShapeEditor::many_text() const
{
    if (!many_mode(add_mode_) || nodes_.empty()) {
        return std::string();
    }
    std::vector<Point> points = nodes_;
    points.push_back(start_);
    std::string text;
    format(type_of_mode(add_mode_), points, text);
    return text;
}

std::string ShapeEditor::text_in_progress() const
{
    if (!pressed_ || many_mode(add_mode_)) {
        return many_text();
    }
    std::string text;
    switch (add_mode_) {
    case kAddNone:
        return adjuster_.in_progress_ana();
    case kAddPoint:
        format(ANA_POINT, {start_}, text);
        return text;
    case kAddLine:
        return cur_ == start_ ? std::string() : two_corner_text(ANA_LINE);
    case kAddEllipse:
    case kAddRect:
        if (cur_.x == start_.x || cur_.y == start_.y) {
            return std::string();
        }
        return two_corner_text(type_of_mode(add_mode_));
    default:
        return std::string();
    }
}

std::string ShapeEditor::in_progress_ana()
{
    VyLockGuard guard(lock_);
    return guard ? text_in_progress() : std::string();
}

std::string ShapeEditor::added_ana()
{
    VyLockGuard guard(lock_);
    return guard ? added_ana_ : std::string();
}

void ShapeEditor::hit(int32_t& code, std::string& text)
{
    VyLockGuard guard(lock_);
    if (guard) {
        adjuster_.hit(code, text);
    } else {
        code = kNoHit;
        text.clear();
    }
}

}  // namespace markpen::detail
