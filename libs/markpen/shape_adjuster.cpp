#include "shape_adjuster.h"

#include "basekit.h"
#include "paint_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace markpen::detail {

namespace {

bool in(int32_t code, int32_t low, int32_t high)
{
    return code >= low && code <= high;
}

bool is_line(int32_t code) { return in(code, 10, 12); }
bool is_cursor(int32_t code) { return in(code, 13, 14); }
bool is_ellipse(int32_t code) { return in(code, 20, 22); }
bool is_rect(int32_t code) { return in(code, 30, 38); }
bool is_many(int32_t code) { return in(code, 40, 42) || in(code, 50, 52); }

AnaType many_type(int32_t code)
{
    return code < 50 ? ANA_POLYGON : ANA_POLYLINE;
}

int32_t rounded(double v)
{
    return static_cast<int32_t>(v + 0.5);
}

// Image coordinates here are never negative (the editor clamps every event
// and the services keep shapes inside); the floor only guards the cut to u16.
tagVYPoint node_of(int32_t x, int32_t y)
{
    return {static_cast<uint16_t>(std::max(x, 0)), static_cast<uint16_t>(std::max(y, 0))};
}

}  // namespace

bool format_ana(AnaType type, const NodeList& nodes, int width, int height, std::string& out)
{
    if (nodes.empty() || width <= 0 || height <= 0 ||
        nodes.size() > static_cast<size_t>(VY_ANA_MAX_POLY_NODES)) {
        return false;
    }
    NodeList cut = nodes;
    for (tagVYPoint& node : cut) {
        node.x = std::min<uint16_t>(node.x, static_cast<uint16_t>(width - 1));
        node.y = std::min<uint16_t>(node.y, static_cast<uint16_t>(height - 1));
    }
    char buffer[1024];
    std::memset(buffer, 0, sizeof buffer);
    int length = sizeof buffer;
    if (vy_format_ana_str(type, cut.data(), static_cast<int>(cut.size()), buffer, &length) != 0) {
        return false;
    }
    out.assign(buffer, strnlen(buffer, sizeof buffer));
    return true;
}

bool ShapeAdjuster::image_size(int& width, int& height) const
{
    if (renderer_ == nullptr) {
        return false;
    }
    const Geometry g = renderer_->geometry();
    width = g.image_width;
    height = g.image_height;
    return width > 0 && height > 0;
}

void ShapeAdjuster::hover(int32_t x, int32_t y)
{
    AnaType code = ANA_ALL;
    std::string text;
    if (frame_ != nullptr) {
        frame_->get_hit_ana(x, y, code, text);
    }
    if (code != ANA_ALL && !text.empty()) {
        hit_code_ = code;
        hit_ana_ = text;
    } else {
        hit_code_ = kNoHit;
        hit_ana_.clear();
    }
}

void ShapeAdjuster::press(int32_t x, int32_t y)
{
    press_valid_ = false;
    node_index_ = -1;
    nodes_.clear();
    if (hit_code_ != kNoHit) {
        parse_ana_nodes(hit_ana_, nodes_);
    }
    if (frame_ != nullptr) {
        frame_->ana_set_select(hit_code_ != kNoHit ? hit_ana_ : std::string());
    }
    const int32_t code = hit_code_;
    if (code == ANA_POINT) {
        if (!nodes_.empty()) {
            nodes_[0] = node_of(x, y);
            press_valid_ = true;
        }
        return;
    }
    if (nodes_.size() < 2) {
        return;
    }
    if (is_line(code) || is_cursor(code) || is_ellipse(code) || is_rect(code)) {
        last_x_ = x;
        last_y_ = y;
        x1_ = nodes_[0].x;
        y1_ = nodes_[0].y;
        x2_ = nodes_[1].x;
        y2_ = nodes_[1].y;
        centre_x_ = (x1_ + x2_) / 2;
        centre_y_ = (y1_ + y2_) / 2;
        press_valid_ = true;
    } else if (is_many(code)) {
        last_x_ = x;
        last_y_ = y;
        // The later node wins where two lie within reach.
        for (size_t i = 0; i < nodes_.size(); ++i) {
            if (std::abs(x - nodes_[i].x) <= 15 && std::abs(y - nodes_[i].y) <= 15) {
                node_index_ = static_cast<int32_t>(i);
            }
        }
        press_valid_ = true;
    }
}

void ShapeAdjuster::drag(int32_t x, int32_t y)
{
    if (!press_valid_ || renderer_ == nullptr) {
        return;
    }
    const int32_t code = hit_code_;
    if (code == ANA_POINT) {
        nodes_[0] = node_of(x, y);
        return;
    }
    if (is_cursor(code)) {
        cursor_tick(x, y);
        return;
    }
    const int32_t dx = x - last_x_, dy = y - last_y_;
    if (dx == 0 && dy == 0) {
        return;
    }
    last_x_ = x;
    last_y_ = y;
    if (is_line(code)) {
        drag_line(dx, dy);
    } else if (is_ellipse(code) || is_rect(code)) {
        drag_box(x, y, dx, dy);
    } else if (code == 40 || code == 41 || code == 50 || code == 51) {
        drag_nodes(dx, dy);
    } else if ((code == 42 || code == 52) && node_index_ >= 0 &&
               static_cast<size_t>(node_index_) < nodes_.size()) {
        nodes_[static_cast<size_t>(node_index_)] = node_of(x, y);
    }
}

void ShapeAdjuster::drag_line(int32_t dx, int32_t dy)
{
    switch (hit_code_) {
    case 10: {
        x1_ += dx;
        x2_ += dx;
        y1_ += dy;
        y2_ += dy;
        // The box of the two ends goes back inside; each end keeps its side.
        const bool first_left = x1_ <= x2_, first_top = y1_ <= y2_;
        int32_t bx1 = std::min(x1_, x2_), bx2 = std::max(x1_, x2_);
        int32_t by1 = std::min(y1_, y2_), by2 = std::max(y1_, y2_);
        renderer_->keep_box_inside(bx1, by1, bx2, by2);
        x1_ = first_left ? bx1 : bx2;
        x2_ = first_left ? bx2 : bx1;
        y1_ = first_top ? by1 : by2;
        y2_ = first_top ? by2 : by1;
        break;
    }
    case 11:
        x1_ += dx;
        y1_ += dy;
        renderer_->clamp_point(x1_, y1_);
        break;
    case 12:
        x2_ += dx;
        y2_ += dy;
        renderer_->clamp_point(x2_, y2_);
        break;
    default:
        break;
    }
}

void ShapeAdjuster::drag_box(int32_t x, int32_t y, int32_t dx, int32_t dy)
{
    const int32_t code = hit_code_;
    if (code == 20 || code == 30) {
        x1_ += dx;
        x2_ += dx;
        y1_ += dy;
        y2_ += dy;
        renderer_->keep_box_inside(x1_, y1_, x2_, y2_);
        if (code == 20) {
            return;
        }
    } else if (code == 21 || code == 22) {
        const double ddx = x - centre_x_, ddy = y - centre_y_;
        int32_t r = static_cast<int32_t>(std::sqrt(ddx * ddx + ddy * ddy));
        if (renderer_->fit_radius(centre_x_, centre_y_, r)) {
            x1_ = centre_x_ - r;
            y1_ = centre_y_ - r;
            x2_ = centre_x_ + r;
            y2_ = centre_y_ + r;
        }
        return;
    }
    switch (code) {
    case 31: x1_ += dx; y1_ += dy; break;
    case 32: y1_ += dy; break;
    case 33: x2_ += dx; y1_ += dy; break;
    case 34: x2_ += dx; break;
    case 35: x2_ += dx; y2_ += dy; break;
    case 36: y2_ += dy; break;
    case 37: x1_ += dx; y2_ += dy; break;
    case 38: x1_ += dx; break;
    default: break;
    }
    renderer_->clamp_point(x1_, y1_);
    renderer_->clamp_point(x2_, y2_);
}

void ShapeAdjuster::drag_nodes(int32_t dx, int32_t dy)
{
    int width = 0, height = 0;
    if (!image_size(width, height)) {
        return;
    }
    int32_t minx = nodes_[0].x, maxx = minx, miny = nodes_[0].y, maxy = miny;
    for (const tagVYPoint& node : nodes_) {
        minx = std::min<int32_t>(minx, node.x);
        maxx = std::max<int32_t>(maxx, node.x);
        miny = std::min<int32_t>(miny, node.y);
        maxy = std::max<int32_t>(maxy, node.y);
    }
    if (-dx > minx) dx = -minx;
    if (-dy > miny) dy = -miny;
    dx = std::min(dx, width - 1 - maxx);
    dy = std::min(dy, height - 1 - maxy);
    for (tagVYPoint& node : nodes_) {
        node = node_of(node.x + dx, node.y + dy);
    }
}

void ShapeAdjuster::cursor_tick(int32_t x, int32_t y)
{
    const int64_t xa = nodes_[0].x, ya = nodes_[0].y, xb = nodes_[1].x, yb = nodes_[1].y;
    if (xa == xb && ya == yb) {
        return;  // no direction to put a tick across
    }
    int64_t px = 0, py = 0;
    if (std::llabs(xa - xb) <= std::llabs(ya - yb)) {
        py = std::clamp<int64_t>(y, std::min(ya, yb), std::max(ya, yb));
        px = xa + (py - ya) * (xa - xb) / (ya - yb);
    } else {
        px = std::clamp<int64_t>(x, std::min(xa, xb), std::max(xa, xb));
        py = ya + (px - xa) * (ya - yb) / (xa - xb);
    }
    const double k = ya != yb ? static_cast<double>(xa - xb) / static_cast<double>(yb - ya)
                              : 999999.0;
    if (ya != yb && k >= -1.0 && k <= 1.0) {
        x1_ = static_cast<int32_t>(px - 4);
        y1_ = rounded(static_cast<double>(py) - 4 * k);
        x2_ = static_cast<int32_t>(px + 4);
        y2_ = rounded(static_cast<double>(py) + 4 * k);
    } else {
        x1_ = rounded(static_cast<double>(px) - 4 / k);
        y1_ = static_cast<int32_t>(py - 4);
        x2_ = rounded(static_cast<double>(px) + 4 / k);
        y2_ = static_cast<int32_t>(py + 4);
    }
}

void ShapeAdjuster::release(int32_t x, int32_t y)
{
    if (!press_valid_) {
        return;
    }
    press_valid_ = false;
    const int32_t code = hit_code_;
    if (is_cursor(code)) {
        if (frame_ != nullptr) {
            frame_->ana_set_cursor_pos(hit_ana_, x, y);
        }
        return;
    }
    if (code == ANA_POINT) {
        write_back(nodes_, ANA_POINT);
    } else if (is_line(code)) {
        write_back({node_of(x1_, y1_), node_of(x2_, y2_)}, ANA_LINE);
    } else if (is_ellipse(code) || is_rect(code)) {
        order_corners(x1_, y1_, x2_, y2_);
        write_back({node_of(x1_, y1_), node_of(x2_, y2_)}, is_rect(code) ? ANA_RECT : ANA_ELLIPSE);
    } else if (is_many(code)) {
        write_back(nodes_, many_type(code));
    }
}

bool ShapeAdjuster::write_back(const NodeList& nodes, AnaType type)
{
    int width = 0, height = 0;
    std::string text;
    if (frame_ == nullptr || !image_size(width, height) ||
        !format_ana(type, nodes, width, height, text)) {
        return false;
    }
    if (!frame_->update_ana_size(hit_ana_, text)) {
        MARKPEN_LOG(4, "ShapeAdjuster::write_back", "%s was not reshaped to %s", hit_ana_.c_str(),
                    text.c_str());
        return false;
    }
    hit_ana_ = text;
    return true;
}

NodeList ShapeAdjuster::working_nodes() const
{
    const int32_t code = hit_code_;
    if (is_line(code) || is_cursor(code)) {
        return {node_of(x1_, y1_), node_of(x2_, y2_)};
    }
    if (is_ellipse(code) || is_rect(code)) {
        int32_t ax = x1_, ay = y1_, bx = x2_, by = y2_;
        order_corners(ax, ay, bx, by);
        return {node_of(ax, ay), node_of(bx, by)};
    }
    return nodes_;
}

std::string ShapeAdjuster::in_progress_ana() const
{
    int width = 0, height = 0;
    if (hit_code_ == kNoHit || !press_valid_ || !image_size(width, height)) {
        return std::string();
    }
    AnaType type = ANA_ALL;
    const int32_t code = hit_code_;
    if (code == ANA_POINT) type = ANA_POINT;
    else if (is_line(code) || is_cursor(code)) type = ANA_LINE;
    else if (is_ellipse(code)) type = ANA_ELLIPSE;
    else if (is_rect(code)) type = ANA_RECT;
    else if (is_many(code)) type = many_type(code);
    else return std::string();
    std::string text;
    if (!format_ana(type, working_nodes(), width, height, text)) {
        return std::string();
    }
    return text;
}

}  // namespace markpen::detail
