// Content-keyed memories of the colour lookup and the last filtered picture.
#include "picture_cache.h"

#include "filter_rows.h"
#include "shared_passes.h"

#include <immintrin.h>

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

void colour_pixels(const uint8_t* in, int count, const uint32_t* table, uint32_t* out)
{
    for (int x = 0; x < count; ++x) {
        out[x] = table[in[x]] | kOpaque;
    }
}

// 64 pixels a step: each byte of the colours is looked up for 64 indices at
// once in two 128-byte halves of its plane (the index's top bit picks the
// half), and the bytes are interleaved into pixels with an opaque alpha.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void colour_pixels_vbmi(const uint8_t* in, int count,
                                                                               const uint8_t (*planes)[256],
                                                                               const uint32_t* table,
                                                                               uint32_t* out)
{
    __m512i plane[3][4];
    for (int k = 0; k < 3; ++k) {
        for (int j = 0; j < 4; ++j) {
            plane[k][j] = _mm512_load_si512(planes[k] + 64 * j);
        }
    }
    const __m512i alpha = _mm512_set1_epi8(static_cast<char>(0xFF));
    int x = 0;
    for (; x + 64 <= count; x += 64) {
        const __m512i index = _mm512_loadu_si512(in + x);
        const __mmask64 upper = _mm512_movepi8_mask(index);
        __m512i bytes[3];
        for (int k = 0; k < 3; ++k) {
            const __m512i low = _mm512_permutex2var_epi8(plane[k][0], index, plane[k][1]);
            const __m512i high = _mm512_permutex2var_epi8(plane[k][2], index, plane[k][3]);
            bytes[k] = _mm512_mask_blend_epi8(upper, low, high);
        }
        // Interleaving works within 128-bit lanes: d0 holds pixels 0-3 of
        // every lane, d1 4-7 and so on; the lanes are then put in order.
        const __m512i bg_low = _mm512_unpacklo_epi8(bytes[0], bytes[1]);
        const __m512i bg_high = _mm512_unpackhi_epi8(bytes[0], bytes[1]);
        const __m512i ra_low = _mm512_unpacklo_epi8(bytes[2], alpha);
        const __m512i ra_high = _mm512_unpackhi_epi8(bytes[2], alpha);
        const __m512i d0 = _mm512_unpacklo_epi16(bg_low, ra_low);
        const __m512i d1 = _mm512_unpackhi_epi16(bg_low, ra_low);
        const __m512i d2 = _mm512_unpacklo_epi16(bg_high, ra_high);
        const __m512i d3 = _mm512_unpackhi_epi16(bg_high, ra_high);
        const __m512i e0 = _mm512_shuffle_i32x4(d0, d1, 0x44);
        const __m512i e1 = _mm512_shuffle_i32x4(d0, d1, 0xEE);
        const __m512i e2 = _mm512_shuffle_i32x4(d2, d3, 0x44);
        const __m512i e3 = _mm512_shuffle_i32x4(d2, d3, 0xEE);
        _mm512_storeu_si512(out + x, _mm512_shuffle_i32x4(e0, e2, 0x88));
        _mm512_storeu_si512(out + x + 16, _mm512_shuffle_i32x4(e0, e2, 0xDD));
        _mm512_storeu_si512(out + x + 32, _mm512_shuffle_i32x4(e1, e3, 0x88));
        _mm512_storeu_si512(out + x + 48, _mm512_shuffle_i32x4(e1, e3, 0xDD));
    }
    colour_pixels(in + x, count - x, table, out + x);
}

}  // namespace

IndexColours::IndexColours(const uint32_t* table) : table_(table), wide_(avx512_byte_lookup())
{
    if (wide_) {
        for (int i = 0; i < 256; ++i) {
            planes_[0][i] = static_cast<uint8_t>(table[i]);
            planes_[1][i] = static_cast<uint8_t>(table[i] >> 8);
            planes_[2][i] = static_cast<uint8_t>(table[i] >> 16);
        }
    }
}

void IndexColours::row(const uint8_t* in, int count, uint32_t* out) const
{
    if (wide_) {
        colour_pixels_vbmi(in, count, planes_, table_, out);
    } else {
        colour_pixels(in, count, table_, out);
    }
}

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
    // The plane first: a new frame differs from the last within its first
    // row, where a new map may share most of its entries with the last.
    const size_t pixels = static_cast<size_t>(key.width) * static_cast<size_t>(key.height);
    return valid_ && key.width == width_ && key.height == height_ && key.filtered == filtered_ &&
           key.window.left == window_.left && key.window.top == window_.top && key.window.right == window_.right &&
           key.window.bottom == window_.bottom && same(ad_, key.ad, pixels) &&
           same(table_, key.table, kIndexTableSize) && same(map_, key.map, kMapSize);
}

void colour_window(const uint8_t* index, int width, const Window& w, bool compact, const uint32_t* table,
                   uint32_t* bits, WorkerPool* pool)
{
    const IndexColours colours(table);
    auto rows = [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            colours.row(index + static_cast<size_t>(y) * width + w.left, w.right - w.left + 1,
                        window_row(bits, width, w, compact, y));
        }
    };
    deal_rows(pool, w.top, w.bottom, rows);
}

bool FilteredPictureCache::answer(const Key& key, uint32_t* bits) const
{
    if (!matches(key)) {
        return false;
    }
    colour_window(index_.data(), key.width, key.window, key.compact, key.table, bits);
    return true;
}

void FilteredPictureCache::prepare(const Key& key, uint16_t** ad, uint16_t** map)
{
    valid_ = false;
    ad_.resize(static_cast<size_t>(key.width) * static_cast<size_t>(key.height));
    map_.resize(kMapSize);
    *ad = ad_.data();
    *map = map_.data();
}

void FilteredPictureCache::remember(const Key& key, ScratchVector<uint8_t>* index)
{
    table_.assign(key.table, key.table + kIndexTableSize);
    index_.swap(*index);
    width_ = key.width;
    height_ = key.height;
    filtered_ = key.filtered;
    window_ = key.window;
    valid_ = true;
}

}  // namespace palettor::detail
