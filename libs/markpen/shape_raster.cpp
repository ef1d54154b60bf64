#include "shape_raster.h"

#include "basekit.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace markpen::detail {

namespace {

bool usable(const RasterTarget& target)
{
    return target.pixels != nullptr && target.bits_per_pixel == 32 && target.width != 0 &&
           target.height != 0 && target.line_width != 0;
}

// Walks the segment pixels of two points given in any integer range; the
// u16 list form and the triangle markers share it.
template <class Emit>
void walk_segment(int ax, int ay, int bx, int by, Emit emit)
{
    if (bx < ax) {
        std::swap(ax, bx);
        std::swap(ay, by);
    }
    const int x1 = ax, y1 = ay, x2 = bx, y2 = by;
    if (x1 == x2) {
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) {
            emit(x1, y);
        }
        return;
    }
    if (y1 == y2) {
        for (int x = x1; x <= x2; ++x) {
            emit(x, y1);
        }
        return;
    }
    const int dx = x2 - x1;
    const int dy = y2 - y1;
    if (std::abs(dy) < dx) {
        const double m = static_cast<double>(dy) / dx;
        double acc = m;
        for (int k = 0; k < dx; ++k, acc += m) {
            emit(x1 + k, static_cast<int>(y1 + acc));
        }
    } else {
        const double step = std::abs(static_cast<double>(dx) / dy);
        const int sign = dy > 0 ? 1 : -1;
        double acc = step;
        for (int k = 0; k < std::abs(dy); ++k, acc += step) {
            emit(static_cast<int>(x1 + acc), y1 + k * sign);
        }
    }
}

void clamp_nodes(NodeList& nodes, uint16_t width, uint16_t height)
{
    for (tagVYPoint& node : nodes) {
        node.x = std::min<uint16_t>(node.x, width - 1);
        node.y = std::min<uint16_t>(node.y, height - 1);
    }
}

void fill_pixels(const NodeList& pixels, const RasterTarget& target)
{
    for (const tagVYPoint& p : pixels) {
        put_pixel(target, p.x, p.y);
    }
}

void draw_markers(const NodeList& nodes, const RasterTarget& target)
{
    if (target.show_nodes) {
        for (const tagVYPoint& node : nodes) {
            draw_node_marker(node, target);
        }
    }
}

bool draw_point(const std::string& text, const RasterTarget& target)
{
    NodeList nodes;
    if (!parse_ana_nodes(text, nodes) || nodes.size() != 1) {
        return false;
    }
    clamp_nodes(nodes, target.width, target.height);
    const int x = nodes[0].x, y = nodes[0].y;
    for (int i = 0; i < 11; ++i) {
        put_pixel(target, x - 16 + i, y);
        put_pixel(target, x + 5 + i, y);
        put_pixel(target, x, y - 16 + i);
        put_pixel(target, x, y + 5 + i);
    }
    if (target.show_nodes) {
        auto marker = [&](int mx, int my) {
            draw_node_marker({static_cast<uint16_t>(mx), static_cast<uint16_t>(my)}, target);
        };
        if (x > 16) marker(x - 16, y);
        if (x + 16 < target.width) marker(x + 16, y);
        if (y > 16) marker(x, y - 16);
        if (y + 16 < target.height) marker(x, y + 16);
    }
    return true;
}

bool draw_rect(const std::string& text, const RasterTarget& target)
{
    NodeList nodes;
    if (!parse_ana_nodes(text, nodes) || nodes.size() != 2) {
        return false;
    }
    order_corners(nodes[0].x, nodes[0].y, nodes[1].x, nodes[1].y);
    NodeList corners = nodes;
    clamp_nodes(corners, target.width, target.height);
    const int x1 = corners[0].x, y1 = corners[0].y, x2 = corners[1].x, y2 = corners[1].y;
    for (int x = x1; x < x2; ++x) put_pixel(target, x, y1);
    for (int y = y1; y < y2; ++y) put_pixel(target, x2, y);
    for (int x = x2; x > x1; --x) put_pixel(target, x, y2);
    for (int y = y2; y > y1; --y) put_pixel(target, x1, y);
    if (target.show_nodes) {
        const uint16_t mx = static_cast<uint16_t>((x1 + x2) / 2);
        const uint16_t my = static_cast<uint16_t>((y1 + y2) / 2);
        const tagVYPoint grips[8] = {
            {corners[0].x, corners[0].y}, {mx, corners[0].y}, {corners[1].x, corners[0].y},
            {corners[1].x, my},           {corners[1].x, corners[1].y}, {mx, corners[1].y},
            {corners[0].x, corners[1].y}, {corners[0].x, my}};
        nodes.insert(nodes.end(), grips, grips + 8);
        draw_markers(nodes, target);
    }
    return true;
}

bool draw_cached(CachedKind kind, const std::string& text, const RasterTarget& target)
{
    const std::shared_ptr<const CachedShape> shape =
        shape_cache_get(kind, text, target.width, target.height);
    if (!shape) {
        return false;
    }
    if (kind == CachedKind::ellipse) {
        for (const EllipseSpan& span : shape->spans) {
            for (int k = 0; k < target.line_width; ++k) {
                put_pixel(target, span.x_left, span.row + k);
                put_pixel(target, span.x_right, span.row + k);
            }
        }
    } else {
        fill_pixels(shape->pixels, target);
    }
    draw_markers(shape->nodes, target);
    return true;
}

void draw_triangle(int x, int y, bool below, RasterTarget& target)
{
    target.colour = swap_red_blue(target.colour);
    if (!usable(target)) {
        return;
    }
    const int w = target.width, h = target.height;
    x = std::clamp(x, 0, w - 1);
    y = std::clamp(y, 0, h - 1);
    int left = std::max(x - 6, 0);
    int right = std::min(x + 6, w - 1);
    int base;
    if (below) {
        base = (y + 12 > h - 1) ? y - 12 : y + 12;
    } else {
        base = (y >= 13) ? y - 12 : y + 12;
    }
    const int towards = base > y ? 1 : -1;
    auto put = [&](int px, int py) { put_pixel(target, px, py); };
    int apex = y;
    for (int i = 0; i < 4; ++i) {
        walk_segment(x, apex, left, base, put);
        walk_segment(left, base, right, base, put);
        walk_segment(x, apex, right, base, put);
        apex += towards;
        base -= towards;
        ++left;
        --right;
    }
}

}  // namespace

uint32_t swap_red_blue(uint32_t colour)
{
    return (colour & 0xff00ff00u) | ((colour & 0xffu) << 16) | ((colour >> 16) & 0xffu);
}

void put_pixel(const RasterTarget& target, int x, int y)
{
    if (x < 0 || y < 0 || x >= target.width || y >= target.height || target.pixels == nullptr) {
        return;
    }
    // The pictures are 0xffRRGGBB: a pixel without its opaque alpha byte shows
    // through as the background wherever the picture is drawn with alpha.
    target.pixels[static_cast<size_t>(y) * target.width + static_cast<size_t>(x)] = target.colour | 0xff000000u;
}

bool parse_ana_nodes(const std::string& text, NodeList& out)
{
    out.clear();
    tagVYPoint nodes[VY_ANA_MAX_POLY_NODES];
    int count = VY_ANA_MAX_POLY_NODES;
    if (vy_parse_nodes_of_ana_str(text.c_str(), nodes, &count) != 0) {
        return false;
    }
    out.assign(nodes, nodes + count);
    return true;
}

bool split_anas(const std::string& anas, std::vector<std::string>& out)
{
    int count = 0;
    if (vy_parse_anas_count_of_anas_str(anas.c_str(), &count) != 0) {
        return false;
    }
    // One object is at most VY_ANA_STR_CAPACITY - 1 characters, so every
    // object fits whatever its node count.
    char buffer[VY_ANA_STR_CAPACITY];
    int position = 0;
    int length = sizeof buffer;
    int result = vy_get_first_ana_from_anas_str(anas.c_str(), &position, buffer, &length);
    while (result == 0) {
        out.emplace_back(buffer, strnlen(buffer, sizeof buffer));
        length = sizeof buffer;
        result = vy_get_next_ana_from_anas_str(anas.c_str(), &position, buffer, &length);
    }
    return true;
}

bool draw_anas(const std::string& anas, RasterTarget& target)
{
    target.colour = swap_red_blue(target.colour);
    std::vector<std::string> objects;
    if (!usable(target) || !split_anas(anas, objects)) {
        return false;
    }
    for (const std::string& object : objects) {
        if (!draw_ana(object, target)) {
            return false;
        }
    }
    return true;
}

bool draw_ana(const std::string& text, const RasterTarget& target)
{
    AnaType type;
    if (!usable(target) || text.empty() || vy_parse_ana_type_of_char(text[0], &type) != 0) {
        return false;
    }
    switch (type) {
    case ANA_POINT:
        return draw_point(text, target);
    case ANA_LINE:
        return draw_cached(CachedKind::line, text, target);
    case ANA_ELLIPSE:
        return draw_cached(CachedKind::ellipse, text, target);
    case ANA_RECT:
        return draw_rect(text, target);
    case ANA_POLYGON:
        return draw_cached(CachedKind::polygon, text, target);
    case ANA_POLYLINE:
        return draw_cached(CachedKind::polyline, text, target);
    default:
        return false;
    }
}

void draw_triangle_below(int x, int y, RasterTarget& target)
{
    draw_triangle(x, y, true, target);
}

void draw_triangle_above(int x, int y, RasterTarget& target)
{
    draw_triangle(x, y, false, target);
}

void draw_node_marker(tagVYPoint node, const RasterTarget& target)
{
    // Computed in int so that pictures under 5 pixels cannot wrap the bounds;
    // put_pixel drops what falls outside.
    const int cx = std::max(2, std::min<int>(node.x, target.width - 3));
    const int cy = std::max(2, std::min<int>(node.y, target.height - 3));
    for (int i = -2; i <= 2; ++i) {
        put_pixel(target, cx + i, cy - 2);
        put_pixel(target, cx + i, cy + 2);
    }
    for (int i = -1; i <= 1; ++i) {
        put_pixel(target, cx - 2, cy + i);
        put_pixel(target, cx + 2, cy + i);
    }
}

void order_corners(uint16_t& x1, uint16_t& y1, uint16_t& x2, uint16_t& y2)
{
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
}

void order_corners(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2)
{
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
}

void line_pixels(tagVYPoint a, tagVYPoint b, NodeList& out)
{
    walk_segment(a.x, a.y, b.x, b.y, [&](int x, int y) {
        out.push_back({static_cast<uint16_t>(x), static_cast<uint16_t>(y)});
    });
}

void ellipse_spans(tagVYPoint corner0, tagVYPoint corner1, std::vector<EllipseSpan>& out)
{
    const int64_t x0 = corner0.x, y0 = corner0.y, x1 = corner1.x, y1 = corner1.y;
    const int64_t cx = (x0 + x1) >> 1, cy = (y0 + y1) >> 1;
    const int64_t a = (x1 - x0) * (x1 - x0) / 4;
    const int64_t b = (y1 - y0) * (y1 - y0) / 4;
    // 64-bit: a box of 512 x 512 already overflows 32-bit products.
    const int64_t ab = a * b;
    auto inside = [&](int64_t x, int64_t y) {
        return (x - cx) * (x - cx) * b + (y - cy) * (y - cy) * a <= ab;
    };
    auto emit = [&](int64_t row, int64_t left) {
        out.push_back({static_cast<uint16_t>(row), static_cast<uint16_t>(left),
                       static_cast<uint16_t>(2 * cx - left)});
    };
    int64_t x = x0;
    for (int64_t r = cy; r >= y0 + (cy - y0) / 4; --r) {
        while (x <= cx && !inside(x, r)) {
            ++x;
        }
        if (x > cx) {
            continue;
        }
        emit(r, x);
        emit(2 * cy - r, x);
    }
    if (cx < x) {
        return;
    }
    int64_t y = y0;
    for (int64_t c = cx; c >= x; --c) {
        while (y <= cy && !inside(c, y)) {
            ++y;
        }
        if (y > cy) {
            continue;
        }
        emit(y, c);
        emit(2 * cy - y, c);
    }
}

}  // namespace markpen::detail
