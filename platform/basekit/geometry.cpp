// Segment and ellipse rasterisation and the distance hit tests.
#include "basekit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

template <class Visit>
void walk_line(int x0, int y0, int x1, int y1, Visit visit)
{
    int dx = std::abs(x1 - x0);
    int dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1;
    int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        visit(x0, y0);
        if (x0 == x1 && y0 == y1) {
            break;
        }
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

}  // namespace

int vy_calc_pts_in_line(tagVYPoint from, tagVYPoint to, tagVYPoint* points, int* count)
{
    if (count == nullptr) {
        return VY_ERR_ARGUMENT;
    }
    int needed = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y)) + 1;
    int capacity = *count;
    *count = needed;
    if (points == nullptr) {
        return VY_OK;
    }
    if (capacity < needed) {
        return VY_ERR_CAPACITY;
    }
    int written = 0;
    walk_line(from.x, from.y, to.x, to.y, [&](int x, int y) {
        points[written].x = static_cast<uint16_t>(x);
        points[written].y = static_cast<uint16_t>(y);
        ++written;
    });
    return VY_OK;
}

int vy_calc_lines_in_ellipse(tagVYPoint corner1, tagVYPoint corner2, tagVYRun* runs, int* count)
{
    if (count == nullptr) {
        return VY_ERR_ARGUMENT;
    }
    int x0 = std::min(corner1.x, corner2.x);
    int x1 = std::max(corner1.x, corner2.x);
    int y0 = std::min(corner1.y, corner2.y);
    int y1 = std::max(corner1.y, corner2.y);
    int needed = y1 - y0 + 1;
    int capacity = *count;
    *count = needed;
    if (runs == nullptr) {
        return VY_OK;
    }
    if (capacity < needed) {
        return VY_ERR_CAPACITY;
    }
    // A pixel centre belongs to the ellipse when it lies inside the ellipse
    // whose radii are grown by half a pixel, so the box edges are touched
    // and every row has at least one pixel.
    double cx = (x0 + x1) / 2.0;
    double cy = (y0 + y1) / 2.0;
    double ra = (x1 - x0) / 2.0 + 0.5;
    double rb = (y1 - y0) / 2.0 + 0.5;
    for (int y = y0; y <= y1; ++y) {
        double v = (y - cy) / rb;
        double half = ra * std::sqrt(std::max(0.0, 1.0 - v * v));
        int first = static_cast<int>(std::ceil(cx - half));
        int last = static_cast<int>(std::floor(cx + half));
        if (first > last) {
            first = static_cast<int>(std::floor(cx));
            last = static_cast<int>(std::ceil(cx));
        }
        first = std::max(first, x0);
        last = std::min(last, x1);
        tagVYRun& run = runs[y - y0];
        run.y = static_cast<uint16_t>(y);
        run.first_x = static_cast<uint16_t>(first);
        run.last_x = static_cast<uint16_t>(last);
    }
    return VY_OK;
}

int vy_pt_hit_pt(int x, int y, int px, int py, int r)
{
    if (r < 0) {
        return 1;
    }
    long long dx = static_cast<long long>(x) - px;
    long long dy = static_cast<long long>(y) - py;
    long long rr = static_cast<long long>(r) * r;
    return dx * dx + dy * dy <= rr ? 0 : 1;
}

int vy_pt_hit_line(int x, int y, int x1, int y1, int x2, int y2, int r)
{
    if (r < 0) {
        return 1;
    }
    double vx = static_cast<double>(x2) - x1;
    double vy = static_cast<double>(y2) - y1;
    double wx = static_cast<double>(x) - x1;
    double wy = static_cast<double>(y) - y1;
    double length2 = vx * vx + vy * vy;
    double t = length2 > 0.0 ? (wx * vx + wy * vy) / length2 : 0.0;
    t = std::max(0.0, std::min(1.0, t));
    double dx = wx - t * vx;
    double dy = wy - t * vy;
    return dx * dx + dy * dy <= static_cast<double>(r) * r ? 0 : 1;
}
