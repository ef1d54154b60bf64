#include "label_place.h"

#include "rotation.h"

#include <QPolygon>

#include <algorithm>
#include <limits>

namespace thermframe {
namespace detail {
namespace {

struct Candidate {
    QPoint anchor;
    bool left_of_anchor;  // the box ends at the anchor instead of starting there
    int dx;
    int dy;
    int width;
};

QRect box_of(const Candidate& c, int height)
{
    int left = c.anchor.x() + c.dx - (c.left_of_anchor ? c.width : 0);
    return QRect(left, c.anchor.y() + c.dy, c.width, height);
}

bool fits(const QRect& box, const LabelWindow& window)
{
    return box.left() >= 0 && box.top() >= 0 && box.left() + box.width() <= window.width &&
           box.top() + box.height() <= window.height;
}

// Area of `box` that `region` covers. The rectangles of a region are sorted
// by rows (bands sharing top and bottom), so only the bands the box spans
// are visited. Stops once `enough` is reached.
int64_t covered_area(const QRect& box, const QRegion& region, int64_t enough, LabelWork& work)
{
    const QRect* first = region.begin();
    const QRect* last = region.end();
    first = std::lower_bound(first, last, box.top(), [](const QRect& r, int top) { return r.bottom() < top; });
    int64_t area = 0;
    for (const QRect* r = first; r != last && r->top() <= box.bottom() && area < enough; ++r) {
        ++work.steps;
        const QRect common = r->intersected(box);
        if (!common.isEmpty()) {
            area += static_cast<int64_t>(common.width()) * common.height();
        }
    }
    return area;
}

// The area of `box` that `working` covers, counted until it reaches `enough`
// (a box that overlaps that much cannot win any more).
int64_t overlap(const QRect& box, const std::vector<QRegion>& working, int64_t enough, LabelWork& work)
{
    int64_t area = 0;
    for (const QRegion& region : working) {
        if (work.spent()) {
            break;
        }
        ++work.steps;
        // Most regions lie apart from the box.
        if (region.boundingRect().intersects(box)) {
            area += covered_area(box, region, enough - area, work);
            if (area >= enough) {
                break;
            }
        }
    }
    return area;
}

// Index of the cheapest candidate that fits, earliest on ties; -1 when none
// fits. With the work spent, the first that fits.
int choose(const std::vector<Candidate>& candidates, int height, const LabelWindow& window,
           const std::vector<QRegion>& working, LabelWork& work)
{
    int best = -1;
    int64_t best_cost = std::numeric_limits<int64_t>::max();
    for (size_t i = 0; i < candidates.size(); ++i) {
        ++work.steps;
        const QRect box = box_of(candidates[i], height);
        if (!fits(box, window)) {
            continue;
        }
        if (work.spent()) {
            return best >= 0 ? best : static_cast<int>(i);
        }
        const int64_t cost = overlap(box, working, best_cost, work);
        if (work.spent()) {
            // The cost may be short of some regions.
            return best >= 0 ? best : static_cast<int>(i);
        }
        if (cost < best_cost) {
            best_cost = cost;
            best = static_cast<int>(i);
            // Nothing later can be cheaper than a free place.
            if (cost == 0) {
                break;
            }
        }
    }
    return best;
}

int64_t turn(const QPoint& a, const QPoint& b, const QPoint& c)
{
    const int64_t value = static_cast<int64_t>(b.x() - a.x()) * (c.y() - a.y()) -
                          static_cast<int64_t>(b.y() - a.y()) * (c.x() - a.x());
    return value > 0 ? 1 : value < 0 ? -1 : 0;
}

// Whether the edges ab and cd cross at a point inside both.
bool cross(const QPoint& a, const QPoint& b, const QPoint& c, const QPoint& d)
{
    return turn(a, b, c) * turn(a, b, d) < 0 && turn(c, d, a) * turn(c, d, b) < 0;
}

// Whether more than kMaxCrossings pairs of the closed polygon's edges cross.
bool crosses_itself_often(const QPolygon& polygon, LabelWork& work)
{
    const int n = polygon.size();
    int crossings = 0;
    for (int i = 0; i < n; ++i) {
        const QPoint& a = polygon[i];
        const QPoint& b = polygon[(i + 1) % n];
        // Neighbouring edges share a node; the last edge neighbours the first.
        for (int j = i + 2; j < n - (i == 0 ? 1 : 0); ++j) {
            ++work.steps;
            if (cross(a, b, polygon[j], polygon[(j + 1) % n]) && ++crossings > kMaxCrossings) {
                return true;
            }
        }
    }
    return false;
}

QPoint point_of(const tagVYPoint& p)
{
    return QPoint(p.x, p.y);
}

QRect rect_of(const tagVYPoint& a, const tagVYPoint& b)
{
    return QRect(point_of(a), point_of(b)).normalized();
}

QPoint midpoint(const tagVYPoint& a, const tagVYPoint& b)
{
    return QPoint((a.x + b.x) / 2, (a.y + b.y) / 2);
}

}  // namespace

QPoint rect_anchor(const QRect& r, int code)
{
    const int l = r.left();
    const int t = r.top();
    const int rr = r.right();
    const int b = r.bottom();
    switch (code) {
    case 0: return QPoint(rr, t + r.height() / 2);
    case 1: return QPoint(l, t + r.height() / 2);
    case 2: return QPoint(rr, t);
    case 3: return QPoint(rr, b);
    case 4: return QPoint(l, t);
    case 5: return QPoint(l, b);
    case 6: return QPoint(l, t);
    case 7: return QPoint(l, b);
    case 8: return QPoint(l + r.width() / 2, t);
    case 9: return QPoint(rr, t);
    case 10: return QPoint(l + r.width() / 2, b);
    case 11: return QPoint(rr, b);
    default: return QPoint(l, t);
    }
}

QRegion covered_region(int32_t type, const std::vector<tagVYPoint>& nodes, LabelWork& work)
{
    ++work.steps;
    if ((type == ANA_RECT || type == ANA_ELLIPSE) && nodes.size() == 2) {
        return QRegion(rect_of(nodes[0], nodes[1]));
    }
    if ((type == ANA_POLYGON || type == ANA_POLYLINE) && !nodes.empty()) {
        QPolygon polygon;
        for (const tagVYPoint& p : nodes) {
            polygon << point_of(p);
        }
        const QRect bounds = polygon.boundingRect();
        // The region of a polygon whose edges cross each other many times
        // takes long to build and holds many rectangles.
        if (work.spent() || crosses_itself_often(polygon, work)) {
            return QRegion(bounds);
        }
        // Building the region walks every edge through the rows it spans.
        work.steps += static_cast<int64_t>(polygon.size()) * bounds.height();
        const QRegion region(polygon, Qt::OddEvenFill);
        return region.rectCount() > kMaxRegionRects ? QRegion(bounds) : region;
    }
    return QRegion();
}

bool place_label(int32_t type, const std::vector<tagVYPoint>& window_nodes,
                 const std::vector<tagVYPoint>& image_nodes, const LabelMetrics& metrics,
                 const LabelWindow& window, std::vector<QRegion>& working, LabelPlacement& out,
                 LabelWork& work)
{
    const int w = metrics.text_width;
    const int h = metrics.line_height;
    const size_t n = window_nodes.size();
    std::vector<Candidate> candidates;
    // Per candidate: stored side and the anchor in image coordinates.
    std::vector<int> sides;
    std::vector<QPoint> image_anchors;

    switch (type) {
    case ANA_POINT: {
        if (n != 1 || image_nodes.size() != 1) {
            return false;
        }
        const QPoint a = point_of(window_nodes[0]);
        candidates = {{a, false, -15, -20 - h, w},    {a, false, 8, -10 - h / 2, w},
                      {a, false, 8, 10 - h / 2, w},   {a, true, -8, -10 - h / 2, w},
                      {a, true, -8, 10 - h / 2, w},   {a, false, -15, 20, w}};
        for (const Candidate& c : candidates) {
            sides.push_back(c.left_of_anchor ? 1 : 0);
            image_anchors.push_back(point_of(image_nodes[0]));
        }
        break;
    }
    case ANA_LINE: {
        if (n != 2 || image_nodes.size() != 2) {
            return false;
        }
        const QPoint win[3] = {point_of(window_nodes[0]), midpoint(window_nodes[0], window_nodes[1]),
                               point_of(window_nodes[1])};
        const QPoint img[3] = {point_of(image_nodes[0]), midpoint(image_nodes[0], image_nodes[1]),
                               point_of(image_nodes[1])};
        const int dys[3] = {-2 - h, -(h / 2), 2};
        for (int i = 0; i < 6; ++i) {
            const bool left = i >= 3;
            candidates.push_back({win[i % 3], left, left ? -2 : 2, dys[i % 3], w});
            sides.push_back(left ? 1 : 0);
            image_anchors.push_back(img[i % 3]);
        }
        break;
    }
    case ANA_ELLIPSE:
    case ANA_RECT: {
        if (n != 2 || image_nodes.size() != 2) {
            return false;
        }
        static const struct {
            bool left;
            int dx;
            int dy_kind;  // 0: -(h/2), 1: -1 - h, 2: 1
            int side;
        } kTable[12] = {{false, 1, 0, 0},  {true, -1, 0, 1},  {false, 1, 0, 0}, {false, 1, 0, 0},
                        {true, -1, 0, 1},  {true, -1, 0, 1},  {false, 0, 1, 2}, {false, 0, 2, 3},
                        {false, 0, 1, 2},  {false, 0, 1, 2},  {false, 0, 2, 3}, {false, 0, 2, 3}};
        const QRect win = rect_of(window_nodes[0], window_nodes[1]);
        const QRect img = rect_of(image_nodes[0], image_nodes[1]);
        for (int i = 0; i < 12; ++i) {
            const int dy = kTable[i].dy_kind == 0 ? -(h / 2) : kTable[i].dy_kind == 1 ? -1 - h : 1;
            const int cw = i < 6 ? w + metrics.arrow_width : w;
            candidates.push_back({rect_anchor(win, i), kTable[i].left, kTable[i].dx, dy, cw});
            sides.push_back(kTable[i].side);
            image_anchors.push_back(rect_anchor(img, map_position_code(window.rotation, i)));
        }
        break;
    }
    case ANA_POLYGON:
    case ANA_POLYLINE: {
        if (n < 3 || image_nodes.size() != n) {
            return false;
        }
        for (size_t i = 0; i < 2 * n; ++i) {
            const bool left = i >= n;
            candidates.push_back({point_of(window_nodes[i % n]), left, -2, -2 - h, w});
            sides.push_back(left ? 1 : 0);
            image_anchors.push_back(point_of(image_nodes[i % n]));
        }
        break;
    }
    default:
        return false;
    }

    const int winner = choose(candidates, h, window, working, work);
    const size_t stored = winner < 0 ? 0 : static_cast<size_t>(winner);
    out.side = sides[stored];
    out.dx = candidates[stored].dx;
    out.dy = candidates[stored].dy;
    out.anchor_x = image_anchors[stored].x();
    out.anchor_y = image_anchors[stored].y();
    if (winner >= 0) {
        working.push_back(QRegion(box_of(candidates[stored], h)));
    }
    return true;
}

}  // namespace detail
}  // namespace thermframe
