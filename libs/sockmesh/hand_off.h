// Waiting a short while for a thread that is awake to answer, before the
// waiter sleeps: on loopback a connect or a close is done in a few
// microseconds, less than waking a sleeping thread costs on a virtual
// machine. The spin gives the processor away between checks, and stops as
// soon as another thread took it: on a busy machine a sleeping thread is
// woken promptly, while a spinning one waits its turn.
#pragma once

#include <sched.h>

#include <chrono>

namespace sockmesh {
namespace detail {

enum class SpinEnd { done, timed_out, busy };

// A gap this long between two checks means another thread had the processor.
constexpr std::chrono::microseconds kSpinGap(30);

// Checks done() until it holds, `limit` has passed or the machine turned out
// busy.
template <class Done>
SpinEnd spin_for(Done done, std::chrono::microseconds limit)
{
    // The first microseconds spin outright: an answer on its way comes
    // within them, and a yield costs a system call.
    constexpr std::chrono::microseconds kPlain(5);
    const auto start = std::chrono::steady_clock::now();
    auto last = start;
    for (;;) {
        for (int i = 0; i < 32; ++i) {
            if (done()) {
                return SpinEnd::done;
            }
#if defined(__x86_64__) || defined(__i386__)
            __builtin_ia32_pause();
#endif
        }
        const auto now = std::chrono::steady_clock::now();
        if (now - last > kSpinGap) {
            return done() ? SpinEnd::done : SpinEnd::busy;
        }
        if (now - start >= limit) {
            return done() ? SpinEnd::done : SpinEnd::timed_out;
        }
        if (now - start >= kPlain) {
            sched_yield();
        }
        last = std::chrono::steady_clock::now();
    }
}

}  // namespace detail
}  // namespace sockmesh
