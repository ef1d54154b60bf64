// Pixel drawing of analysis objects straight into 32-bit pictures, and the
// process-wide caches of computed outlines.
#pragma once

#include "vytypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace markpen::detail {

// One picture to draw into. `colour` is in the stored form of analysis
// objects (red in bits 0-7); the entry points that take a colour turn it
// into pixel order (0x00RRGGBB) in place.
struct RasterTarget {
    uint32_t* pixels = nullptr;
    uint16_t bits_per_pixel = 32;
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t line_width = 1;
    uint8_t show_nodes = 0;
    uint32_t colour = 0;
};

// Two pixels (x_left, row) and (x_right, row) of an ellipse outline.
struct EllipseSpan {
    uint16_t row;
    uint16_t x_left;
    uint16_t x_right;
};

using NodeList = std::vector<tagVYPoint>;

uint32_t swap_red_blue(uint32_t colour);

bool parse_ana_nodes(const std::string& text, NodeList& out);
bool split_anas(const std::string& anas, std::vector<std::string>& out);

bool draw_anas(const std::string& anas, RasterTarget& target);
bool draw_ana(const std::string& text, const RasterTarget& target);
void draw_triangle_below(int x, int y, RasterTarget& target);
void draw_triangle_above(int x, int y, RasterTarget& target);
void draw_node_marker(tagVYPoint node, const RasterTarget& target);

// The single write of every primitive: pixels outside the target are dropped.
void put_pixel(const RasterTarget& target, int x, int y);

void order_corners(uint16_t& x1, uint16_t& y1, uint16_t& x2, uint16_t& y2);
void order_corners(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2);

void line_pixels(tagVYPoint a, tagVYPoint b, NodeList& out);
void ellipse_spans(tagVYPoint corner0, tagVYPoint corner1, std::vector<EllipseSpan>& out);

// Shape kinds that keep their computed pixels between draws.
enum class CachedKind { ellipse = 0, line = 1, polygon = 2, polyline = 3 };
constexpr int kCachedKindCount = 4;
constexpr size_t kCacheCapacity = 50;

struct CachedShape {
    NodeList nodes;
    NodeList pixels;                 // line, polygon, polyline
    std::vector<EllipseSpan> spans;  // ellipse
};

// Statistics and inspection for tests and benchmarks.
struct ShapeCacheStats {
    uint64_t computed = 0;  // misses that computed a pixel set
    size_t entries[kCachedKindCount] = {};
};
ShapeCacheStats shape_cache_stats();
bool shape_cache_contains(CachedKind kind, const std::string& text, uint16_t width, uint16_t height);
void shape_cache_clear();

// Looks up or computes the outline of `text` for a target of the given
// size; null when the text does not describe a shape of that kind.
std::shared_ptr<const CachedShape> shape_cache_get(CachedKind kind, const std::string& text,
                                                   uint16_t width, uint16_t height);

}  // namespace markpen::detail
