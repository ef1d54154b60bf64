// Passes over a frame shared among the members of a worker pool.
#include "shared_passes.h"

#include <algorithm>
#include <atomic>

namespace palettor::detail {

void deal_rows(WorkerPool* pool, int top, int bottom, const std::function<void(int, int)>& rows)
{
    if (pool == nullptr) {
        rows(top, bottom + 1);
        return;
    }
    deal_strips(pool, (bottom - top + kStripRows) / kStripRows, [&](int, int strip) {
        const int begin = top + strip * kStripRows;
        rows(begin, std::min(bottom + 1, begin + kStripRows));
    });
}

namespace {

// One load of the map per pixel; restrict lets the compiler pack 16 of them
// a step. (An AVX-512 gather of the same entries measured slower.)
void index_row(const uint16_t* __restrict ad, size_t count, const uint16_t* __restrict map, uint8_t* __restrict out)
{
    for (size_t i = 0; i < count; ++i) {
        out[i] = static_cast<uint8_t>(map[ad[i]] & 0xFF);
    }
}

}  // namespace

void index_plane(const uint16_t* ad, int width, int height, const uint16_t* map, uint8_t* index,
                 uint16_t* ad_copy, uint16_t* map_copy, WorkerPool* pool)
{
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    const int strips = (height + kStripRows - 1) / kStripRows;
    auto strip_of = [&](int strip) {
        const size_t first = static_cast<size_t>(strip) * kStripRows * width;
        const size_t count = std::min(pixels - first, static_cast<size_t>(kStripRows) * width);
        index_row(ad + first, count, map, index + first);
        if (ad_copy != nullptr) {
            std::copy(ad + first, ad + first + count, ad_copy + first);
        }
    };
    std::atomic<int> next{0};
    // The caller copies the map: the map is rewritten on this thread for
    // the next frame, which is slower where other cores hold its lines.
    auto job = [&](int member) {
        if (member == 0 && map_copy != nullptr) {
            std::copy(map, map + 65536, map_copy);
        }
        for (int strip; (strip = next.fetch_add(1, std::memory_order_relaxed)) < strips;) {
            strip_of(strip);
        }
    };
    if (pool != nullptr) {
        pool->run(job);
    } else {
        job(0);
    }
}

}  // namespace palettor::detail
