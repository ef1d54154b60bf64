#include "ana_shapes.h"

#include "basekit.h"
#include "byte_writer.h"
#include "frame_log.h"
#include "palettor.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace framekit {
namespace detail {

namespace {

uint32_t pack(tagVYPoint p)
{
    return static_cast<uint32_t>(p.x) | (static_cast<uint32_t>(p.y) << 16);
}

bool line_pixels(tagVYPoint from, tagVYPoint to, std::vector<tagVYPoint>* out)
{
    int count = 0;
    if (vy_calc_pts_in_line(from, to, nullptr, &count) != VY_OK || count <= 0) {
        return false;
    }
    out->resize(static_cast<std::size_t>(count));
    return vy_calc_pts_in_line(from, to, out->data(), &count) == VY_OK;
}

struct Box {
    int x_min, y_min, x_max, y_max;

    bool contains_grown(int x, int y, int r) const
    {
        return x >= x_min - r && x <= x_max + r && y >= y_min - r && y <= y_max + r;
    }
};

Box box_of(const std::vector<tagVYPoint>& nodes)
{
    Box box{65535, 65535, 0, 0};
    for (const tagVYPoint& p : nodes) {
        box.x_min = std::min<int>(box.x_min, p.x);
        box.y_min = std::min<int>(box.y_min, p.y);
        box.x_max = std::max<int>(box.x_max, p.x);
        box.y_max = std::max<int>(box.y_max, p.y);
    }
    return box;
}

tagVYPoint box_centre(const Box& box)
{
    return tagVYPoint{static_cast<uint16_t>(box.x_min + (box.x_max - box.x_min) / 2),
                      static_cast<uint16_t>(box.y_min + (box.y_max - box.y_min) / 2)};
}

tagVYPoint midpoint(tagVYPoint a, tagVYPoint b)
{
    return tagVYPoint{static_cast<uint16_t>((a.x + b.x) / 2), static_cast<uint16_t>((a.y + b.y) / 2)};
}

bool hit_point(int x, int y, tagVYPoint p, int r)
{
    return vy_pt_hit_pt(x, y, p.x, p.y, r) == 0;
}

bool hit_segment(int x, int y, tagVYPoint a, tagVYPoint b, int r)
{
    return vy_pt_hit_line(x, y, a.x, a.y, b.x, b.y, r) == 0;
}

std::vector<LineSpan> spans_of(const std::vector<tagVYRun>& runs)
{
    std::vector<LineSpan> spans(runs.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        spans[i].row_and_first = static_cast<uint32_t>(runs[i].y) | (static_cast<uint32_t>(runs[i].first_x) << 16);
        spans[i].last = runs[i].last_x;
    }
    return spans;
}

}  // namespace

// --- point ---------------------------------------------------------------------

bool IRPoint::rebuild(const std::vector<tagVYPoint>& nodes)
{
    nodes_ = nodes;
    anchor_ = nodes[0];
    return true;
}

void IRPoint::collect_pixels(uint16_t width, uint16_t height, PixelSet* out) const
{
    out->is_runs = false;
    out->points.clear();
    if (width == 0 || height == 0) {
        return;
    }
    // The point is clamped onto the frame rather than dropped.
    tagVYPoint p = nodes_[0];
    p.x = std::min<uint16_t>(p.x, static_cast<uint16_t>(width - 1));
    p.y = std::min<uint16_t>(p.y, static_cast<uint16_t>(height - 1));
    out->points.push_back(p);
}

int IRPoint::hit_test(int x, int y)
{
    std::vector<tagVYPoint> nodes = nodes_copy();
    if (!node_count_valid(nodes.size())) {
        FK_ANA_ERROR("IRPoint::hit_test", "nodes count = %d is error", static_cast<int>(nodes.size()));
        return VY_HIT_NONE;
    }
    return hit_point(x, y, nodes[0], hit_range.load()) ? 0 : VY_HIT_NONE;
}

// --- line ------------------------------------------------------------------------

bool IRLine::rebuild(const std::vector<tagVYPoint>& nodes)
{
    std::vector<tagVYPoint> points;
    if (!line_pixels(nodes[0], nodes[1], &points)) {
        return false;
    }
    points_.swap(points);
    nodes_ = nodes;
    anchor_ = midpoint(nodes[0], nodes[1]);
    place_cursor(cursor_scale_.load());
    return true;
}

void IRLine::place_cursor(float scale)
{
    int dx = std::abs(nodes_[1].x - nodes_[0].x);
    int dy = std::abs(nodes_[1].y - nodes_[0].y);
    int length = std::max(dx, dy);
    // Bresenham gives one pixel per step of the longer axis, so the pixel at
    // index d is the one d steps along it.
    std::size_t index = static_cast<std::size_t>(static_cast<double>(length) * scale);
    if (index >= points_.size()) {
        index = points_.size() - 1;
    }
    cursor_ = points_[index];
}

bool IRLine::set_cursor_scale(float scale)
{
    if (!(scale >= 0.0f && scale <= 1.0f)) {
        return false;
    }
    VyLockGuard guard(node_lock_);
    if (!guard) {
        return false;
    }
    if (!node_count_valid(nodes_.size())) {
        FK_ANA_ERROR("IRLine::set_scale_of_cursor", "nodes count = %d is error", static_cast<int>(nodes_.size()));
        return false;
    }
    cursor_scale_.store(scale);
    place_cursor(scale);
    return true;
}

tagVYPoint IRLine::cursor() const
{
    VyLockGuard guard(node_lock_);
    return cursor_;
}

void IRLine::collect_pixels(uint16_t width, uint16_t height, PixelSet* out) const
{
    out->is_runs = false;
    clip_points(points_, width, height, &out->points);
}

int IRLine::hit_test(int x, int y)
{
    std::vector<tagVYPoint> nodes;
    tagVYPoint cursor_at{0, 0};
    {
        VyLockGuard guard(node_lock_);
        if (!guard) {
            return VY_HIT_NONE;
        }
        nodes = nodes_;
        cursor_at = cursor_;
    }
    if (!node_count_valid(nodes.size())) {
        FK_ANA_ERROR("IRLine::hit_test", "nodes count = %d is error", static_cast<int>(nodes.size()));
        return VY_HIT_NONE;
    }
    int r = hit_range.load();
    if (show_cursor.load() != 0 && hit_point(x, y, cursor_at, r)) {
        bool horizontal = std::abs(nodes[1].x - nodes[0].x) >= std::abs(nodes[1].y - nodes[0].y);
        return horizontal ? 13 : 14;
    }
    if (hit_point(x, y, nodes[0], r)) {
        return 11;
    }
    if (hit_point(x, y, nodes[1], r)) {
        return 12;
    }
    if (box_of(nodes).contains_grown(x, y, r) && hit_segment(x, y, nodes[0], nodes[1], r)) {
        return 10;
    }
    return VY_HIT_NONE;
}

void IRLine::save_extra(std::vector<uint8_t>* out) const
{
    ByteWriter w(out);
    w.u8(show_cursor.load() != 0);
    w.u8(show_cursor_temp.load() != 0);
    w.u16(static_cast<uint16_t>(std::min(65535.0, static_cast<double>(cursor_scale_.load()) * 10000.0)));
}

void IRLine::set_extra_info(const tagVYAnaInfo& info)
{
    if (info.cursor == nullptr) {
        return;
    }
    tagVYAnaCursor cursor;
    std::memcpy(&cursor, info.cursor, sizeof(cursor));
    show_cursor.store(cursor.show_cursor != 0);
    show_cursor_temp.store(cursor.show_cursor_temp != 0);
    set_cursor_scale(cursor.scale);
}

void IRLine::get_extra_info(tagVYAnaInfo* info) const
{
    tagVYAnaCursor* cursor = static_cast<tagVYAnaCursor*>(std::calloc(1, sizeof(tagVYAnaCursor)));
    if (cursor == nullptr) {
        return;
    }
    cursor->show_cursor = show_cursor.load();
    cursor->show_cursor_temp = show_cursor_temp.load();
    cursor->scale = cursor_scale_.load();
    info->cursor = cursor;
}

// --- areas -------------------------------------------------------------------------

void AreaAna::collect_pixels(uint16_t width, uint16_t height, PixelSet* out) const
{
    out->is_runs = true;
    clip_runs(runs_, width, height, &out->runs);
}

bool AreaAna::on_runs(int x, int y, bool strict) const
{
    VyLockGuard guard(node_lock_);
    if (!guard) {
        return false;
    }
    for (const tagVYRun& run : runs_) {
        if (run.y != y) {
            continue;
        }
        bool inside = strict ? (x > run.first_x && x < run.last_x) : (x >= run.first_x && x <= run.last_x);
        if (inside) {
            return true;
        }
    }
    return false;
}

bool AreaAna::refresh_own_palette(const PlaneView& plane, const PixelSet& set)
{
    std::vector<LineSpan> spans = spans_of(set.runs);
    void* imaging = own_imaging();
    return palettor_calc_max_min_avg_of_ad_ex(imaging, plane.ad, plane.width, plane.height, spans.data(),
                                              static_cast<int32_t>(spans.size()), nullptr, nullptr, nullptr) &&
           palettor_calc_pal_no_of_ad(imaging);
}

bool AreaAna::paint_own_pixels(const PlaneView& plane, const PixelSet& set, uint32_t* pixels)
{
    std::vector<LineSpan> spans = spans_of(set.runs);
    return palettor_ad_to_pixel_ex(own_imaging(), plane.ad, plane.width, plane.height, spans.data(),
                                   static_cast<int32_t>(spans.size()), pixels);
}

// --- rectangle -----------------------------------------------------------------------

bool IRRect::rebuild(const std::vector<tagVYPoint>& nodes)
{
    nodes_ = nodes;
    anchor_ = midpoint(nodes[0], nodes[1]);
    return true;
}

void IRRect::collect_pixels(uint16_t width, uint16_t height, PixelSet* out) const
{
    out->is_runs = true;
    out->runs.clear();
    Box box = box_of(nodes_);
    if (width == 0 || height == 0 || box.x_min >= width || box.y_min >= height) {
        return;
    }
    int x_last = std::min(box.x_max, width - 1);
    int y_last = std::min(box.y_max, height - 1);
    for (int y = box.y_min; y <= y_last; ++y) {
        out->runs.push_back(tagVYRun{static_cast<uint16_t>(y), static_cast<uint16_t>(box.x_min),
                                     static_cast<uint16_t>(x_last)});
    }
}

bool IRRect::refresh_own_palette(const PlaneView& plane, const PixelSet& set)
{
    const tagVYRun& first = set.runs.front();
    const tagVYRun& last = set.runs.back();
    void* imaging = own_imaging();
    return palettor_calc_max_min_avg_of_ad(imaging, plane.ad, plane.width, plane.height, first.first_x, first.y,
                                           first.last_x, last.y, nullptr, nullptr, nullptr) &&
           palettor_calc_pal_no_of_ad(imaging);
}

bool IRRect::paint_own_pixels(const PlaneView& plane, const PixelSet& set, uint32_t* pixels)
{
    const tagVYRun& first = set.runs.front();
    const tagVYRun& last = set.runs.back();
    return palettor_ad_to_pixel(own_imaging(), plane.ad, plane.width, plane.height, first.first_x, first.y,
                                first.last_x, last.y, pixels, false);
}

int IRRect::hit_test(int x, int y)
{
    std::vector<tagVYPoint> nodes = nodes_copy();
    if (!node_count_valid(nodes.size())) {
        FK_ANA_ERROR("IRRect::hit_test", "nodes count = %d is error", static_cast<int>(nodes.size()));
        return VY_HIT_NONE;
    }
    int r = hit_range.load();
    Box b = box_of(nodes);
    if (!b.contains_grown(x, y, r)) {
        return VY_HIT_NONE;
    }
    int half = r / 2;
    bool rows_between = y > b.y_min - 1 + r && y < b.y_max - r + 1;
    bool columns_between = x > b.x_min - 1 + r && x < b.x_max - r + 1;
    if (x < b.x_min + half && rows_between) {
        return 38;
    }
    if (x >= b.x_min + half && x <= b.x_max - half && y >= b.y_min + half && y <= b.y_max - half) {
        return 30;
    }
    if (y < b.y_min + half && columns_between) {
        return 32;
    }
    if (x > b.x_max - half && rows_between) {
        return 34;
    }
    if (y > b.y_max - half && columns_between) {
        return 36;
    }
    if (vy_pt_hit_pt(x, y, b.x_min, b.y_min, r) == 0) {
        return 31;
    }
    if (vy_pt_hit_pt(x, y, b.x_max, b.y_min, r) == 0) {
        return 33;
    }
    if (vy_pt_hit_pt(x, y, b.x_max, b.y_max, r) == 0) {
        return 35;
    }
    if (vy_pt_hit_pt(x, y, b.x_min, b.y_max, r) == 0) {
        return 37;
    }
    return VY_HIT_NONE;
}

// --- ellipse -------------------------------------------------------------------------

bool IREllipse::rebuild(const std::vector<tagVYPoint>& nodes)
{
    int count = 0;
    if (vy_calc_lines_in_ellipse(nodes[0], nodes[1], nullptr, &count) != VY_OK || count <= 0) {
        return false;
    }
    std::vector<tagVYRun> runs(static_cast<std::size_t>(count));
    if (vy_calc_lines_in_ellipse(nodes[0], nodes[1], runs.data(), &count) != VY_OK) {
        return false;
    }
    runs_.swap(runs);
    nodes_ = nodes;
    anchor_ = midpoint(nodes[0], nodes[1]);
    box_width_ = static_cast<uint16_t>(std::abs(nodes[1].x - nodes[0].x));
    box_height_ = static_cast<uint16_t>(std::abs(nodes[1].y - nodes[0].y));
    return true;
}

int IREllipse::hit_test(int x, int y)
{
    std::vector<tagVYPoint> nodes;
    int64_t w = 0;
    int64_t h = 0;
    {
        VyLockGuard guard(node_lock_);
        if (!guard) {
            return VY_HIT_NONE;
        }
        nodes = nodes_;
        w = box_width_;
        h = box_height_;
    }
    if (!node_count_valid(nodes.size())) {
        FK_ANA_ERROR("IREllipse::hit_test", "nodes count = %d is error", static_cast<int>(nodes.size()));
        return VY_HIT_NONE;
    }
    if (!box_of(nodes).contains_grown(x, y, hit_range.load())) {
        return VY_HIT_NONE;
    }
    if (on_runs(x, y, true)) {
        return 20;
    }
    int64_t cx = (nodes[0].x + nodes[1].x) / 2;
    int64_t cy = (nodes[0].y + nodes[1].y) / 2;
    // Products of 16-bit sides reach 2^32 and their squares 2^63: unsigned
    // 64-bit holds them.
    int64_t a = (x - cx) * (h + 16) / 2;
    int64_t b = (y - cy) * (w + 16) / 2;
    uint64_t c = static_cast<uint64_t>((w + 16) * (h + 16) / 4);
    uint64_t ua = static_cast<uint64_t>(a < 0 ? -a : a);
    uint64_t ub = static_cast<uint64_t>(b < 0 ? -b : b);
    if (ua * ua + ub * ub < c * c) {
        bool diagonal = (x < cx && y < cy) || (x > cx && y > cy);
        return diagonal ? 21 : 22;
    }
    return VY_HIT_NONE;
}

// --- polygon -------------------------------------------------------------------------

std::vector<tagVYRun> fill_polygon(const std::vector<tagVYPoint>& nodes)
{
    struct Edge {
        int upper_y;
        float x;
        float slope;
    };
    std::vector<tagVYRun> runs;
    if (nodes.size() < 3) {
        return runs;
    }
    Box box = box_of(nodes);
    std::vector<std::vector<Edge>> filed(static_cast<std::size_t>(box.y_max - box.y_min + 1));
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        tagVYPoint a = nodes[i];
        tagVYPoint b = nodes[(i + 1) % nodes.size()];
        if (a.y == b.y) {
            continue;
        }
        tagVYPoint low = a.y < b.y ? a : b;
        tagVYPoint high = a.y < b.y ? b : a;
        float slope = static_cast<float>(high.x - low.x) / static_cast<float>(high.y - low.y);
        filed[low.y - box.y_min].push_back(Edge{high.y, static_cast<float>(low.x), slope});
    }
    auto column = [](float x) {
        return static_cast<uint16_t>(std::min(65535.0f, std::max(0.0f, std::trunc(x))));
    };
    std::vector<Edge> active;
    for (int row = box.y_min; row <= box.y_max; ++row) {
        const std::vector<Edge>& joining = filed[row - box.y_min];
        active.insert(active.end(), joining.begin(), joining.end());
        std::stable_sort(active.begin(), active.end(), [](const Edge& l, const Edge& r) { return l.x < r.x; });
        for (std::size_t k = 0; k + 1 < active.size(); k += 2) {
            runs.push_back(tagVYRun{static_cast<uint16_t>(row), column(active[k].x), column(active[k + 1].x)});
        }
        active.erase(std::remove_if(active.begin(), active.end(),
                                    [row](const Edge& e) { return e.upper_y <= row + 1; }),
                     active.end());
        for (Edge& e : active) {
            e.x += e.slope;
        }
    }
    return runs;
}

bool IRPoly::rebuild(const std::vector<tagVYPoint>& nodes)
{
    std::vector<tagVYRun> runs = fill_polygon(nodes);
    runs_.swap(runs);
    nodes_ = nodes;
    anchor_ = box_centre(box_of(nodes));
    return true;
}

int IRPoly::hit_test(int x, int y)
{
    std::vector<tagVYPoint> nodes = nodes_copy();
    if (!node_count_valid(nodes.size())) {
        FK_ANA_ERROR("IRPoly::hit_test", "nodes count = %d is error", static_cast<int>(nodes.size()));
        return VY_HIT_NONE;
    }
    int r = hit_range.load();
    if (!box_of(nodes).contains_grown(x, y, r)) {
        return VY_HIT_NONE;
    }
    for (const tagVYPoint& node : nodes) {
        if (hit_point(x, y, node, r)) {
            hit_position_.store(pack(node));
            return 42;
        }
    }
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (hit_segment(x, y, nodes[i], nodes[(i + 1) % nodes.size()], r)) {
            hit_position_.store(pack(nodes[i]));
            return 41;
        }
    }
    return on_runs(x, y, false) ? 40 : VY_HIT_NONE;
}

// --- polyline ------------------------------------------------------------------------

bool IRPolyline::rebuild(const std::vector<tagVYPoint>& nodes)
{
    std::vector<tagVYPoint> points;
    std::vector<tagVYPoint> segment;
    for (std::size_t i = 0; i + 1 < nodes.size(); ++i) {
        if (!line_pixels(nodes[i], nodes[i + 1], &segment)) {
            FK_ANA_ERROR("IRPolyline::calc_points", "nodes count = %d is error", static_cast<int>(nodes.size()));
            return false;
        }
        // The segments' lists are joined as they are: a joint is in both and
        // counts twice in pixel counts and averages, which stored results
        // rely on.
        points.insert(points.end(), segment.begin(), segment.end());
    }
    points_.swap(points);
    nodes_ = nodes;
    anchor_ = box_centre(box_of(nodes));
    return true;
}

void IRPolyline::collect_pixels(uint16_t width, uint16_t height, PixelSet* out) const
{
    out->is_runs = false;
    clip_points(points_, width, height, &out->points);
}

int IRPolyline::hit_test(int x, int y)
{
    std::vector<tagVYPoint> nodes = nodes_copy();
    if (!node_count_valid(nodes.size())) {
        FK_ANA_ERROR("IRPolyline::hit_test", "nodes count = %d is error", static_cast<int>(nodes.size()));
        return VY_HIT_NONE;
    }
    int r = hit_range.load();
    Box box = box_of(nodes);
    if (!box.contains_grown(x, y, r)) {
        return VY_HIT_NONE;
    }
    for (const tagVYPoint& node : nodes) {
        if (hit_point(x, y, node, r)) {
            hit_position_.store(pack(node));
            return 52;
        }
    }
    for (std::size_t i = 0; i + 1 < nodes.size(); ++i) {
        if (hit_segment(x, y, nodes[i], nodes[i + 1], r)) {
            hit_position_.store(pack(nodes[i]));
            return 51;
        }
    }
    if (x > box.x_min && x < box.x_max && y > box.y_min && y < box.y_max) {
        return 50;
    }
    return VY_HIT_NONE;
}

std::unique_ptr<Ana> make_ana(AnaType type)
{
    switch (type) {
    case ANA_POINT: return std::unique_ptr<Ana>(new IRPoint);
    case ANA_LINE: return std::unique_ptr<Ana>(new IRLine);
    case ANA_ELLIPSE: return std::unique_ptr<Ana>(new IREllipse);
    case ANA_RECT: return std::unique_ptr<Ana>(new IRRect);
    case ANA_POLYGON: return std::unique_ptr<Ana>(new IRPoly);
    case ANA_POLYLINE: return std::unique_ptr<Ana>(new IRPolyline);
    default: return nullptr;
    }
}

}  // namespace detail
}  // namespace framekit
