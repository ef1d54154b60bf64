// Colour pictures: AD planes and 8-bit index pictures through the colour tables.
#include "imaging.h"

#include "palette_tables.h"
#include "picture_cache.h"
#include "shared_passes.h"

#include <algorithm>
#include <optional>

namespace palettor::detail {

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

// Copies the third row and column from each edge over the two outer ones,
// which the 5 x 5 filters leave unfiltered.
void repair_border(uint8_t* p, int w, int h)
{
    if (w < 3 || h < 3) {
        return;
    }
    const size_t row = static_cast<size_t>(w);
    std::copy(p + 2 * row, p + 3 * row, p);
    std::copy(p + 2 * row, p + 3 * row, p + row);
    for (int y = 0; y < h; ++y) {
        uint8_t* line = p + y * row;
        line[0] = line[1] = line[2];
        line[w - 1] = line[w - 2] = line[w - 3];
    }
    std::copy(p + (h - 3) * row, p + (h - 2) * row, p + (h - 1) * row);
    std::copy(p + (h - 3) * row, p + (h - 2) * row, p + (h - 2) * row);
}

// One row through the fused lookup; restrict lets the loop keep its bounds
// in registers and unroll.
void lookup_row(const uint16_t* __restrict in, int count, const uint32_t* __restrict lookup,
                uint32_t* __restrict out)
{
    for (int x = 0; x < count; ++x) {
        out[x] = lookup[in[x]];
    }
}

// Thumbnail sample positions: a step per axis, at least 1, never past the edge.
int sample(int out_pos, int in_size, int out_size)
{
    const int step = std::max(in_size / out_size, 1);
    return std::min(out_pos * step, in_size - 1);
}

}  // namespace

bool Imaging::ad_to_pixel(const uint16_t* ad, int width, int height, const Window& win, uint32_t* bits, bool compact)
{
    if (ad == nullptr || bits == nullptr) {
        IMAGING_LOG(4, "Imaging::ad_to_pixel", "addr of ad data = %p, addr of bits = %p", static_cast<const void*>(ad),
                    static_cast<void*>(bits));
        return false;
    }
    if (!window_ok(width, height, win)) {
        IMAGING_LOG(4, "Imaging::ad_to_pixel", "window [%d, %d, %d, %d] of %d x %d is error", win.left, win.top,
                    win.right, win.bottom, width, height);
        return false;
    }
    VyLockGuard colours(table_lock_);
    VyLockGuard map(map_lock_);
    if (!colours || !map) {
        return false;
    }
    bool has_bands;
    {
        VyLockGuard bands(isotherm_lock_);
        has_bands = !isotherms_.empty();
    }
    const bool stabilization = stabilization_;
    const bool filtered_path = !has_bands && (image_process_ || stabilization);
    const bool stabilized_bands = has_bands && stabilization && engine_;
    if (filtered_path) {
        return filtered_picture(ad, width, height, win, bits, compact);
    }
    // The 8-bit index picture is only built when the stabilization works on
    // it; otherwise the fused lookup gives the colours directly.
    uint8_t* index = nullptr;
    if (stabilized_bands) {
        index = index_picture(ad, width, height);
        engine_->stabilize(index, width, height, first_frame_);
    }
    first_frame_ = false;
    const bool fire = algorithm_mode() == 2;
    const uint32_t* table = fire ? kFireTable : full_table_.data();
    const int table_size = fire ? kFireTableSize : kFullTableSize;
    const uint32_t* lookup = lookup_->refresh(map_.data(), table, table_size);
    for (int y = win.top; y <= win.bottom; ++y) {
        uint32_t* out = window_row(bits, width, win, compact, y);
        const size_t row = static_cast<size_t>(y) * width;
        const uint16_t* line = ad + row;
        if (index == nullptr) {
            lookup_row(line + win.left, win.right - win.left + 1, lookup, out);
            continue;
        }
        for (int x = win.left; x <= win.right; ++x) {
            int u = map_[line[x]];
            if (u < kPaletteSize) {
                u = index[row + x];
            }
            *out++ = table[std::min(u, table_size - 1)] | kOpaque;
        }
    }
    return true;
}

uint8_t* Imaging::index_picture(const uint16_t* ad, int width, int height, WorkerPool* pool, uint16_t* ad_copy,
                                uint16_t* map_copy)
{
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (index_buffer_.size() < pixels) {
        index_buffer_.resize(pixels);
    }
    index_plane(ad, width, height, map_.data(), index_buffer_.data(), ad_copy, map_copy, pool);
    return index_buffer_.data();
}

bool Imaging::filtered_picture(const uint16_t* ad, int width, int height, const Window& win, uint32_t* bits,
                               bool compact)
{
    const bool stabilization = stabilization_;
    const bool sharpen = engine_ && image_process_ && algorithm_mode() != 1;
    // A stabilized picture depends on the frames before it, so it is never
    // answered from memory.
    const FilteredPictureCache::Key key{ad, width, height, map_.data(), index_table_.data(), sharpen, win, compact};
    if (!stabilization && picture_cache_->answer(key, bits)) {
        first_frame_ = false;
        return true;
    }
    uint16_t* ad_copy = nullptr;
    uint16_t* map_copy = nullptr;
    if (!stabilization) {
        picture_cache_->prepare(key, &ad_copy, &map_copy);
    }
    const int workers = cpu_workers();
    const int64_t pixels = static_cast<int64_t>(width) * height;
    uint8_t* index;
    {
        // Given back before the filter borrows it.
        std::optional<BorrowedPool> pool;
        index = index_picture(ad, width, height, borrow_awake(workers, pixels, &pool), ad_copy, map_copy);
    }
    if (sharpen) {
        engine_->sharpen_and_blur(index, width, height, 50, first_frame_);
    } else if (stabilization && engine_) {
        engine_->stabilize(index, width, height, first_frame_);
    }
    first_frame_ = false;
    repair_border(index, width, height);
    {
        std::optional<BorrowedPool> pool;
        colour_window(index, width, win, compact, index_table_.data(), bits,
                      borrow_awake(workers, static_cast<int64_t>(win.right - win.left + 1) * (win.bottom - win.top + 1),
                                   &pool));
    }
    if (stabilization) {
        picture_cache_->forget();
    } else {
        picture_cache_->remember(key, &index_buffer_);
    }
    return true;
}

bool Imaging::ad_to_pixel_ex(const uint16_t* ad, int width, int height, const LineSpan* spans, int count,
                             uint32_t* bits)
{
    if (ad == nullptr || bits == nullptr || width <= 0 || height <= 0 || count < 0 ||
        (spans == nullptr && count > 0)) {
        IMAGING_LOG(4, "Imaging::ad_to_pixel_ex", "ad %p, bits %p, spans %p (%d) of %d x %d is error",
                    static_cast<const void*>(ad), static_cast<void*>(bits), static_cast<const void*>(spans), count,
                    width, height);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const int row = static_cast<int>(spans[i].row_and_first & 0xFFFF);
        const int first = static_cast<int>(spans[i].row_and_first >> 16);
        if (spans[i].last >= first && (row >= height || spans[i].last >= width)) {
            IMAGING_LOG(4, "Imaging::ad_to_pixel_ex", "span %d (row %d, %d..%d) is outside %d x %d", i, row, first,
                        spans[i].last, width, height);
            return false;
        }
    }
    VyLockGuard colours(table_lock_);
    VyLockGuard map(map_lock_);
    if (!colours || !map) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const size_t row = static_cast<size_t>(spans[i].row_and_first & 0xFFFF) * width;
        for (int x = static_cast<int>(spans[i].row_and_first >> 16); x <= spans[i].last; ++x) {
            bits[row + x] = full_table_[map_[ad[row + x]]] | kOpaque;
        }
    }
    return true;
}

bool Imaging::ad_to_thumbnail(const uint16_t* ad, int width, int height, int out_width, int out_height,
                              uint32_t* bits)
{
    if (ad == nullptr || bits == nullptr) {
        IMAGING_LOG(4, "Imaging::ad_to_thumbnail_bits", "addr of ad data = %p, addr of bits = %p",
                    static_cast<const void*>(ad), static_cast<void*>(bits));
        return false;
    }
    if (width <= 0 || height <= 0 || out_width <= 0 || out_height <= 0) {
        IMAGING_LOG(4, "Imaging::ad_to_thumbnail_bits", "size %d x %d to %d x %d is error", width, height, out_width,
                    out_height);
        return false;
    }
    VyLockGuard colours(table_lock_);
    VyLockGuard map(map_lock_);
    if (!colours || !map) {
        return false;
    }
    for (int r = 0; r < out_height; ++r) {
        const uint16_t* row = ad + static_cast<size_t>(sample(r, height, out_height)) * width;
        for (int c = 0; c < out_width; ++c) {
            *bits++ = full_table_[map_[row[sample(c, width, out_width)]]] | kOpaque;
        }
    }
    return true;
}

bool Imaging::index_to_pixel(const uint8_t* index, int width, int height, const Window& win, uint32_t* bits)
{
    if (index == nullptr || bits == nullptr) {
        IMAGING_LOG(4, "Imaging::clr_index_to_pixel", "addr of index = %p, addr of bits = %p",
                    static_cast<const void*>(index), static_cast<void*>(bits));
        return false;
    }
    if (!window_ok(width, height, win)) {
        IMAGING_LOG(4, "Imaging::clr_index_to_pixel", "window [%d, %d, %d, %d] of %d x %d is error", win.left,
                    win.top, win.right, win.bottom, width, height);
        return false;
    }
    VyLockGuard colours(table_lock_);
    VyLockGuard map(map_lock_);
    if (!colours || !map) {
        return false;
    }
    {
        VyLockGuard stats(stats_lock_);
        width_ = static_cast<uint16_t>(width);
        height_ = static_cast<uint16_t>(height);
    }
    const uint8_t* source = index;
    if (stabilization_ && engine_) {
        // The caller's picture is read-only: stabilize a copy.
        const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
        if (index_buffer_.size() < pixels) {
            index_buffer_.resize(pixels);
        }
        std::copy(index, index + pixels, index_buffer_.begin());
        engine_->stabilize(index_buffer_.data(), width, height, first_frame_);
        source = index_buffer_.data();
    }
    first_frame_ = false;
    bool has_bands;
    {
        VyLockGuard bands(isotherm_lock_);
        has_bands = !isotherms_.empty();
    }
    const uint32_t* table = has_bands ? full_table_.data() : index_table_.data();
    if (fire_fighting_) {
        table = kFireTable;
    }
    const IndexColours lookup(table);
    const int count = win.right - win.left + 1;
    for (int y = win.top; y <= win.bottom; ++y, bits += count) {
        lookup.row(source + static_cast<size_t>(y) * width + win.left, count, bits);
    }
    return true;
}

bool Imaging::index_to_thumbnail(const uint8_t* index, int width, int height, int out_width, int out_height,
                                 uint32_t* bits)
{
    if (index == nullptr || bits == nullptr) {
        IMAGING_LOG(4, "Imaging::clr_index_to_thumbnail_bits", "addr of index = %p, addr of bits = %p",
                    static_cast<const void*>(index), static_cast<void*>(bits));
        return false;
    }
    if (width <= 0 || height <= 0 || out_width <= 0 || out_height <= 0) {
        IMAGING_LOG(4, "Imaging::clr_index_to_thumbnail_bits", "size %d x %d to %d x %d is error", width, height,
                    out_width, out_height);
        return false;
    }
    VyLockGuard colours(table_lock_);
    if (!colours) {
        return false;
    }
    for (int r = 0; r < out_height; ++r) {
        const uint8_t* row = index + static_cast<size_t>(sample(r, height, out_height)) * width;
        for (int c = 0; c < out_width; ++c) {
            *bits++ = full_table_[row[sample(c, width, out_width)]] | kOpaque;
        }
    }
    return true;
}

}  // namespace palettor::detail
