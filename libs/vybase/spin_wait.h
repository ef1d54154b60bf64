// Waiting for a condition another thread is about to make true by spinning
// for a short while first: the worker pools hand out passes that take well
// under a millisecond, and a wake-up from sleep can cost as much on a busy
// machine. The caller falls back to its condition variable when it times out.
#pragma once

#include <chrono>

namespace vybase {

// Spins until done() or `limit` has passed; true when done() held.
template <class Done>
bool spin_until(Done done, std::chrono::microseconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    for (;;) {
        for (int i = 0; i < 64; ++i) {
            if (done()) {
                return true;
            }
#if defined(__x86_64__) || defined(__i386__)
            __builtin_ia32_pause();
#endif
        }
        if (std::chrono::steady_clock::now() >= until) {
            return done();
        }
    }
}

}  // namespace vybase
