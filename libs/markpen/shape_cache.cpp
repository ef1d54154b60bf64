// The outline caches: for each cached shape kind, the last strings drawn
// with their clamped nodes and pixel sets. They are shared by every paint
// handle, which may be driven from several threads (the view, alarm
// snapshots, batch saves), so one mutex guards them. An entry is handed out
// as a shared pointer so that drawing from it needs no lock.
#include "shape_raster.h"

#include "basekit.h"

#include <map>
#include <mutex>
#include <tuple>

namespace markpen::detail {

namespace {

struct Key {
    std::string text;
    uint16_t width;
    uint16_t height;
    bool operator<(const Key& other) const
    {
        return std::tie(text, width, height) < std::tie(other.text, other.width, other.height);
    }
};

struct Slot {
    std::shared_ptr<const CachedShape> shape;
    uint32_t uses = 0;
};

struct Caches {
    std::mutex mutex;
    std::map<Key, Slot> kinds[kCachedKindCount];
    uint64_t computed = 0;
};

Caches& caches()
{
    static Caches instance;
    return instance;
}

std::shared_ptr<const CachedShape> compute(CachedKind kind, const std::string& text,
                                           uint16_t width, uint16_t height)
{
    auto shape = std::make_shared<CachedShape>();
    if (!parse_ana_nodes(text, shape->nodes)) {
        return nullptr;
    }
    NodeList& nodes = shape->nodes;
    if (kind == CachedKind::ellipse) {
        if (nodes.size() != 2) {
            return nullptr;
        }
        order_corners(nodes[0].x, nodes[0].y, nodes[1].x, nodes[1].y);
    } else if ((kind == CachedKind::line && nodes.size() != 2) || nodes.size() < 2) {
        return nullptr;
    }
    for (tagVYPoint& node : nodes) {
        node.x = std::min<uint16_t>(node.x, width - 1);
        node.y = std::min<uint16_t>(node.y, height - 1);
    }
    if (kind == CachedKind::ellipse) {
        ellipse_spans(nodes[0], nodes[1], shape->spans);
        return shape;
    }
    for (size_t i = 0; i + 1 < nodes.size(); ++i) {
        line_pixels(nodes[i], nodes[i + 1], shape->pixels);
    }
    if (kind == CachedKind::polygon) {
        line_pixels(nodes.back(), nodes.front(), shape->pixels);
    }
    return shape;
}

}  // namespace

std::shared_ptr<const CachedShape> shape_cache_get(CachedKind kind, const std::string& text,
                                                   uint16_t width, uint16_t height)
{
    if (width == 0 || height == 0) {
        return nullptr;
    }
    Caches& all = caches();
    std::map<Key, Slot>& map = all.kinds[static_cast<int>(kind)];
    Key key{text, width, height};
    {
        std::lock_guard<std::mutex> guard(all.mutex);
        auto found = map.find(key);
        if (found != map.end()) {
            ++found->second.uses;
            return found->second.shape;
        }
    }
    // Computed outside the lock: a long polygon must not stall other views.
    std::shared_ptr<const CachedShape> shape = compute(kind, text, width, height);
    if (!shape) {
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(all.mutex);
    ++all.computed;
    auto [slot, inserted] = map.emplace(std::move(key), Slot{shape, 0});
    if (inserted && map.size() > kCacheCapacity) {
        // The least drawn entry goes, the first in key order among equals;
        // the new entry has not been counted yet and is never the victim.
        auto victim = map.end();
        for (auto it = map.begin(); it != map.end(); ++it) {
            if (it != slot && (victim == map.end() || it->second.uses < victim->second.uses)) {
                victim = it;
            }
        }
        map.erase(victim);
    }
    ++slot->second.uses;
    return slot->second.shape;
}

ShapeCacheStats shape_cache_stats()
{
    Caches& all = caches();
    std::lock_guard<std::mutex> guard(all.mutex);
    ShapeCacheStats stats;
    stats.computed = all.computed;
    for (int i = 0; i < kCachedKindCount; ++i) {
        stats.entries[i] = all.kinds[i].size();
    }
    return stats;
}

bool shape_cache_contains(CachedKind kind, const std::string& text, uint16_t width, uint16_t height)
{
    Caches& all = caches();
    std::lock_guard<std::mutex> guard(all.mutex);
    return all.kinds[static_cast<int>(kind)].count(Key{text, width, height}) != 0;
}

void shape_cache_clear()
{
    Caches& all = caches();
    std::lock_guard<std::mutex> guard(all.mutex);
    for (auto& map : all.kinds) {
        map.clear();
    }
    all.computed = 0;
}

}  // namespace markpen::detail
