// Content-keyed memories of the colour lookup and the last filtered picture.
#include "picture_cache.h"

#include <algorithm>
#include <cstring>

namespace palettor::detail {

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

template <class T>
bool same(const ScratchVector<T>& kept, const T* data, size_t count)
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

void colour_window(const uint8_t* index, int width, const Window& w, bool compact, const uint32_t* table,
                   uint32_t* bits)
{
    for (int y = w.top; y <= w.bottom; ++y) {
        uint32_t* out = window_row(bits, width, w, compact, y);
        const uint8_t* in = index + static_cast<size_t>(y) * width;
        for (int x = w.left; x <= w.right; ++x) {
            *out++ = table[in[x]] | kOpaque;
        }
    }
}

bool FilteredPictureCache::answer(const Key& key, uint32_t* bits) const
{
    if (!matches(key)) {
        return false;
    }
    colour_window(index_.data(), key.width, key.window, key.compact, key.table, bits);
    return true;
}

void FilteredPictureCache::remember(const Key& key, ScratchVector<uint8_t>* index)
{
    const size_t pixels = static_cast<size_t>(key.width) * static_cast<size_t>(key.height);
    ad_.assign(key.ad, key.ad + pixels);
    map_.assign(key.map, key.map + kMapSize);
    table_.assign(key.table, key.table + kIndexTableSize);
    index_.swap(*index);
    width_ = key.width;
    height_ = key.height;
    filtered_ = key.filtered;
    window_ = key.window;
    valid_ = true;
}

}  // namespace palettor::detail
