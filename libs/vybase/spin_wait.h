// Waiting for a condition another thread is about to make true by spinning
// for a short while first: the worker pools hand out passes that take well
// under a millisecond, and a wake-up from sleep can cost as much on a busy
// machine. The caller falls back to its condition variable when it times
// out. A spin that finds it lost its processor for a while (the machine is
// busy) stops at once: spinning on would take the processor from the very
// thread it waits for.
#pragma once

#include <chrono>

namespace vybase {

// Spins until done(), `limit` has passed or the spinning thread was
// preempted; true when done() held.
template <class Done>
bool spin_until(Done done, std::chrono::microseconds limit)
{
    // A gap this long between two looks at the clock means another thread
    // had the processor.
    constexpr std::chrono::microseconds kPreempted(30);
    auto last = std::chrono::steady_clock::now();
    const auto until = last + limit;
    for (;;) {
        for (int i = 0; i < 64; ++i) {
            if (done()) {
                return true;
            }
#if defined(__x86_64__) || defined(__i386__)
            __builtin_ia32_pause();
#endif
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= until || now - last > kPreempted) {
            return done();
        }
        last = now;
    }
}

}  // namespace vybase
