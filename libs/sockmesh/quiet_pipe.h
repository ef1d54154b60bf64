// Writes to a peer that has gone raise SIGPIPE, whose default action ends
// the whole process. The loop threads, which do every socket write, block it
// for themselves, so such a write fails with EPIPE and the link reports its
// end instead. The caller's own signal handling stays untouched.
#pragma once

#include <pthread.h>
#include <signal.h>

namespace sockmesh {
namespace detail {

inline void block_sigpipe_on_this_thread()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

}  // namespace detail
}  // namespace sockmesh
