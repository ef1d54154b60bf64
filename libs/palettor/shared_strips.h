// Work dealt out in strips among the members of a worker pool that join a run.
#pragma once

#include "worker_pool.h"

#include <atomic>

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

}  // namespace palettor::detail
