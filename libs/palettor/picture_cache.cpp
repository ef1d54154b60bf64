// Content-keyed memories of the colour lookup and the last filtered picture.
#include "picture_cache.h"

#include <algorithm>
#include <cstring>

namespace palettor::detail {

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

template <class T>
bool same(const std::vector<T>& kept, const T* data, size_t count)
{
    return kept.size() == count && std::memcmp(kept.data(), data, count * sizeof(T)) == 0;
}

}  // namespace

const uint32_t* ColourLookup::refresh(const uint16_t* map, const uint32_t* table, int table_size)
{
    const size_t entries = static_cast<size_t>(table_size);
    if (!colours_.empty() && same(map_, map, kMapSize) && same(table_, table, entries)) {
        return colours_.data();
    }
    map_.assign(map, map + kMapSize);
    table_.assign(table, table + entries);
    colours_.resize(kMapSize);
    const int last = table_size - 1;
    for (int ad = 0; ad < kMapSize; ++ad) {
        colours_[ad] = table[std::min<int>(map[ad], last)] | kOpaque;
    }
    return colours_.data();
}

bool FilteredPictureCache::matches(const Key& key) const
{
    const size_t pixels = static_cast<size_t>(key.width) * static_cast<size_t>(key.height);
    return valid_ && key.width == width_ && key.height == height_ && key.filtered == filtered_ &&
           key.window.left == window_.left && key.window.top == window_.top && key.window.right == window_.right &&
           key.window.bottom == window_.bottom && same(table_, key.table, kIndexTableSize) &&
           same(map_, key.map, kMapSize) && same(ad_, key.ad, pixels);
}

bool FilteredPictureCache::answer(const Key& key, uint32_t* bits) const
{
    if (!matches(key)) {
        return false;
    }
    const Window& w = key.window;
    const size_t columns = static_cast<size_t>(w.right - w.left + 1);
    if (key.compact || (w.left == 0 && w.right == key.width - 1)) {
        std::memcpy(window_row(bits, key.width, w, key.compact, w.top), bits_.data(), bits_.size() * 4);
        return true;
    }
    const uint32_t* from = bits_.data();
    for (int y = w.top; y <= w.bottom; ++y, from += columns) {
        std::memcpy(window_row(bits, key.width, w, false, y), from, columns * 4);
    }
    return true;
}

void FilteredPictureCache::remember(const Key& key, const uint32_t* bits)
{
    const size_t pixels = static_cast<size_t>(key.width) * static_cast<size_t>(key.height);
    const Window& w = key.window;
    const size_t columns = static_cast<size_t>(w.right - w.left + 1);
    ad_.assign(key.ad, key.ad + pixels);
    map_.assign(key.map, key.map + kMapSize);
    table_.assign(key.table, key.table + kIndexTableSize);
    bits_.resize(columns * static_cast<size_t>(w.bottom - w.top + 1));
    uint32_t* to = bits_.data();
    for (int y = w.top; y <= w.bottom; ++y, to += columns) {
        std::memcpy(to, window_row(bits, key.width, w, key.compact, y), columns * 4);
    }
    width_ = key.width;
    height_ = key.height;
    filtered_ = key.filtered;
    window_ = w;
    valid_ = true;
}

}  // namespace palettor::detail
