#include "spare_processors.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>

namespace vybase {

namespace {

constexpr auto kReadEvery = std::chrono::milliseconds(500);

std::atomic<bool> assumed{false};
std::atomic<bool> spare{true};
std::atomic<int64_t> read_at{0};  // steady clock ticks of the last read; 0 never

}  // namespace

bool spare_processors()
{
    if (assumed.load(std::memory_order_relaxed)) {
        return true;
    }
    const int64_t now = std::chrono::steady_clock::now().time_since_epoch().count();
    int64_t last = read_at.load(std::memory_order_relaxed);
    const int64_t every = std::chrono::duration_cast<std::chrono::steady_clock::duration>(kReadEvery).count();
    // One caller reads the load; the others take the last answer meanwhile.
    if ((last == 0 || now - last >= every) &&
        read_at.compare_exchange_strong(last, now, std::memory_order_relaxed)) {
        static const long processors = sysconf(_SC_NPROCESSORS_ONLN);
        double load = 0;
        if (getloadavg(&load, 1) == 1 && processors > 0) {
            spare.store(load < static_cast<double>(processors), std::memory_order_relaxed);
        }
    }
    return spare.load(std::memory_order_relaxed);
}

void assume_spare_processors()
{
    assumed.store(true, std::memory_order_relaxed);
}

}  // namespace vybase
