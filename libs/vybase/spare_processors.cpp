#include "spare_processors.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace vybase {

namespace {

constexpr auto kReadEvery = std::chrono::milliseconds(250);

std::atomic<bool> assumed{false};
std::atomic<bool> spare{true};
std::atomic<int64_t> read_at{0};  // steady clock ticks of the last read; 0 never
std::atomic<int> runnable_x4{0};  // runnable threads of other tasks, smoothed, times 4

// Threads runnable on the machine right now, this one left out (the fourth
// field of /proc/loadavg is "runnable/all"); the one-minute load average
// where that cannot be read.
double runnable_now()
{
    if (FILE* file = std::fopen("/proc/loadavg", "r")) {
        double one = 0, five = 0, fifteen = 0;
        int running = 0, all = 0;
        const int read = std::fscanf(file, "%lf %lf %lf %d/%d", &one, &five, &fifteen, &running, &all);
        std::fclose(file);
        if (read == 5) {
            return running > 0 ? running - 1 : 0;
        }
    }
    double load = 0;
    return getloadavg(&load, 1) == 1 ? load : 0;
}

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
    // The count is a snapshot: half of each new one goes into the average,
    // so the answer follows a change of load within a second or so.
    if ((last == 0 || now - last >= every) &&
        read_at.compare_exchange_strong(last, now, std::memory_order_relaxed)) {
        static const long processors = sysconf(_SC_NPROCESSORS_ONLN);
        const int fresh = static_cast<int>(runnable_now() * 4);
        const int smoothed = last == 0 ? fresh : (runnable_x4.load(std::memory_order_relaxed) + fresh) / 2;
        runnable_x4.store(smoothed, std::memory_order_relaxed);
        spare.store(processors <= 0 || smoothed < 4 * processors, std::memory_order_relaxed);
    }
    return spare.load(std::memory_order_relaxed);
}

void assume_spare_processors()
{
    assumed.store(true, std::memory_order_relaxed);
}

}  // namespace vybase
