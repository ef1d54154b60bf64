#include "spare_processors.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace vybase {

namespace {

constexpr auto kReadEvery = std::chrono::milliseconds(250);

std::atomic<bool> assumed{false};
std::atomic<bool> spare{true};
std::atomic<int64_t> read_at{0};  // steady clock ticks of the last read; 0 never
std::atomic<int> runnable_x4{0};  // runnable threads of other tasks, smoothed, times 4

// Threads runnable on the machine right now, this one left out (the fourth
// field of /proc/loadavg is "runnable/all"); the one-minute load average
// where that cannot be read. Plain system calls, no allocation: a frame's
// caller reads it now and then.
double runnable_now()
{
    char text[128];
    ssize_t length = -1;
    const int fd = open("/proc/loadavg", O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        length = read(fd, text, sizeof text - 1);
        close(fd);
    }
    if (length > 0) {
        text[length] = '\0';
        // Past the three averages to "runnable/all".
        const char* field = text;
        for (int spaces = 0; spaces < 3 && field != nullptr; ++spaces) {
            field = std::strchr(field, ' ');
            field = field != nullptr ? field + 1 : nullptr;
        }
        char* end = nullptr;
        const long running = field != nullptr ? std::strtol(field, &end, 10) : 0;
        if (end != nullptr && end != field && *end == '/') {
            return running > 0 ? static_cast<double>(running - 1) : 0;
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
