// Passes over a frame dealt out in strips among the members of a worker
// pool that join a run.
#pragma once

#include "spare_processors.h"
#include "worker_pool.h"

#include <stddef.h>
#include <stdint.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <optional>

namespace palettor::detail {

// Runs work(member, strip) for every strip in [0, count), a strip at a time
// to whichever member of the run asks next, so that members who join late
// find the work taken instead of holding it up. Returns when all are done.
template <class Work>
void deal_strips(WorkerPool* pool, int count, Work work)
{
    std::atomic<int> next{0};
    pool->run([&](int member) {
        for (int strip; (strip = next.fetch_add(1, std::memory_order_relaxed)) < count;) {
            work(member, strip);
        }
    });
}

// Rows per strip dealt out.
constexpr int kStripRows = 16;

// Passes over a frame of this many pixels or more are worth sharing.
constexpr int64_t kSharedPixels = 1 << 16;

// Pixels of the filter each member of a run must have to pay for its
// wake-up, its share of the hand-over and the frame's rows it fetches from
// other caches: a 640 x 512 frame is filtered alone, a 1280 x 1024 one by
// three. (Measured at 640 x 512 with frames 20 ms apart: a lone second
// member missed 40 % of the frames altogether, even 1.5 ms long ones; three
// members took 8 % and four up to 20 % less time than one (none on a busy
// machine) for 60 % and 80 to 110 % more CPU; a new frame coloured as it
// comes took 15 to 20 % less time with four for 30 to 50 % more CPU. At
// 1280 x 1024 three take 35 % less time for 19 % more CPU.)
constexpr int64_t kPixelsPerWorker = 400000;

// The members of a run over a frame of `pixels`, at most `workers`: no more
// than help a frame of that size, and one while the machine has no
// processors to spare.
inline int workers_for(int workers, int64_t pixels)
{
    if (workers <= 1 || !vybase::spare_processors()) {
        return 1;
    }
    const int64_t useful = pixels / kPixelsPerWorker;
    return static_cast<int>(std::clamp<int64_t>(useful, 1, std::max(workers, 1)));
}

// Borrows the pool the filter engine uses for a frame of `pixels`, from
// `workers` at most, into *pool and returns it when its workers are awake
// (not yet back asleep after the filter's run, which is rare: they sleep as
// soon as their share is done): waking sleeping workers costs more than
// such a pass. Null (the caller works alone) for one worker, a small pass
// or sleeping workers. The filter engine borrows the same pool, so it must
// be given back first.
inline WorkerPool* borrow_awake(int workers, int64_t pixels, std::optional<BorrowedPool>* pool)
{
    const int count = workers_for(workers, pixels);
    if (count <= 1 || pixels < kSharedPixels) {
        return nullptr;
    }
    pool->emplace(count);
    return (**pool)->asleep() == 0 ? (*pool)->operator->() : nullptr;
}

// Runs rows(begin, end) over rows [top, bottom] in strips of kStripRows,
// shared among the pool's members where there is one, else alone.
void deal_rows(WorkerPool* pool, int top, int bottom, const std::function<void(int, int)>& rows);

// index[i] = low byte of map[ad[i]] over width x height, with copies of the
// plane into ad_copy and of the map (65,536 entries) into map_copy where
// they are given, made while the strips are in the cache; shared among the
// pool's members where there is one.
void index_plane(const uint16_t* ad, int width, int height, const uint16_t* map, uint8_t* index,
                 uint16_t* ad_copy, uint16_t* map_copy, WorkerPool* pool);

}  // namespace palettor::detail
