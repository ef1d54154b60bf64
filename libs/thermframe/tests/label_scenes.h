// Sets of analysis objects for label placement: an ordinary picture and
// crafted ones of large self-intersecting polygons. Window and image
// coordinates are the same (no rotation).
#pragma once

#include "vytypes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace labeltest {

struct SceneObject {
    int32_t type;
    std::vector<tagVYPoint> nodes;
};

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;

class Lcg {
public:
    explicit Lcg(uint32_t seed) : state_(seed) {}
    int next(int below)
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<uint32_t>(below));
    }

private:
    uint32_t state_;
};

// A window point, kept inside the window.
inline tagVYPoint at(int x, int y)
{
    tagVYPoint p;
    p.x = static_cast<uint16_t>(std::min(std::max(x, 0), kWindowWidth - 1));
    p.y = static_cast<uint16_t>(std::min(std::max(y, 0), kWindowHeight - 1));
    return p;
}

// 240 objects as a busy picture holds them: points, lines, rectangles,
// ellipses and convex polygons of up to 60 points.
inline std::vector<SceneObject> ordinary_scene()
{
    Lcg r(20261211u);
    std::vector<SceneObject> objects;
    for (int i = 0; i < 240; ++i) {
        const int kind = i % 6;
        const int x = 10 + r.next(kWindowWidth - 100);
        const int y = 10 + r.next(kWindowHeight - 100);
        if (kind == 0) {
            objects.push_back({ANA_POINT, {at(x, y)}});
        } else if (kind == 1) {
            objects.push_back({ANA_LINE, {at(x, y), at(x + r.next(80), y + r.next(80))}});
        } else if (kind == 2 || kind == 3) {
            objects.push_back({kind == 2 ? ANA_RECT : ANA_ELLIPSE,
                               {at(x, y), at(x + 5 + r.next(60), y + 5 + r.next(60))}});
        } else {
            const int count = 3 + r.next(58);
            const int radius = 5 + r.next(35);
            SceneObject polygon{kind == 4 ? ANA_POLYGON : ANA_POLYLINE, {}};
            for (int k = 0; k < count; ++k) {
                const double angle = 2.0 * M_PI * k / count;
                polygon.nodes.push_back(at(x + 45 + static_cast<int>(std::lround(radius * std::cos(angle))),
                                           y + 45 + static_cast<int>(std::lround(radius * std::sin(angle)))));
            }
            objects.push_back(polygon);
        }
    }
    return objects;
}

// `count` convex polygons of `points` nodes, 60 pixels across, spread over
// the window.
inline std::vector<SceneObject> convex_scene(int count, int points)
{
    Lcg r(11u);
    std::vector<SceneObject> objects;
    for (int i = 0; i < count; ++i) {
        const int cx = 30 + r.next(kWindowWidth - 60);
        const int cy = 30 + r.next(kWindowHeight - 60);
        SceneObject polygon{ANA_POLYGON, {}};
        for (int k = 0; k < points; ++k) {
            const double angle = 2.0 * M_PI * k / points;
            polygon.nodes.push_back(at(cx + static_cast<int>(std::lround(30 * std::cos(angle))),
                                       cy + static_cast<int>(std::lround(30 * std::sin(angle)))));
        }
        objects.push_back(polygon);
    }
    return objects;
}

// `count` star polygons of `points` nodes spanning most of the window, each
// edge crossing many others.
inline std::vector<SceneObject> crafted_scene(int count, int points)
{
    Lcg r(7u + static_cast<uint32_t>(count));
    std::vector<SceneObject> objects;
    for (int i = 0; i < count; ++i) {
        const int cx = 200 + r.next(240);
        const int cy = 150 + r.next(180);
        const int step = points / 2 - 1 - r.next(5);
        SceneObject polygon{ANA_POLYGON, {}};
        for (int k = 0; k < points; ++k) {
            const double angle = 2.0 * M_PI * static_cast<double>(k * step % points) / points;
            const int radius = 140 + (k % 2) * 90;
            polygon.nodes.push_back(at(cx + static_cast<int>(std::lround(radius * std::cos(angle))),
                                       cy + static_cast<int>(std::lround(radius * std::sin(angle)))));
        }
        objects.push_back(polygon);
    }
    return objects;
}

}  // namespace labeltest
