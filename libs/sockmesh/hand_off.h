// Waiting a short while for a thread that is awake to answer, before the
// waiter sleeps: on loopback a connect or a close is done in a few
// microseconds, less than waking a sleeping thread costs. The spin gives the
// processor away between checks, so a thread that waits for this one's CPU
// is not held up by it.
#pragma once

#include <sched.h>

#include <chrono>

namespace sockmesh {
namespace detail {

// Checks done() until it holds or `limit` has passed; true when it held.
template <class Done>
bool spin_for(Done done, std::chrono::microseconds limit)
{
    // The first microseconds spin outright: an answer that is on its way
    // comes within them, and a yield costs a system call each time.
    constexpr auto kPlain = std::chrono::microseconds(5);
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        for (int i = 0; i < 32; ++i) {
            if (done()) {
                return true;
            }
#if defined(__x86_64__) || defined(__i386__)
            __builtin_ia32_pause();
#endif
        }
        const auto spent = std::chrono::steady_clock::now() - start;
        if (spent >= limit) {
            return done();
        }
        if (spent >= kPlain) {
            sched_yield();
        }
    }
}

}  // namespace detail
}  // namespace sockmesh
