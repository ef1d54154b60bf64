// A registered callback and its user pointer. The pair is read under the
// slot's lock and called after the lock is released, so a callback may
// register callbacks on its own stream without deadlocking.
#pragma once

#include "vy_lock.h"

#include <utility>

namespace streamnet {
namespace detail {

template <class Fn>
class CallbackSlot {
public:
    void set(Fn fn, void* user)
    {
        VyLockGuard guard(lock_);
        fn_ = fn;
        user_ = user;
    }

    // The pair as it stands; fn is null when none is set.
    std::pair<Fn, void*> get()
    {
        VyLockGuard guard(lock_);
        return {fn_, user_};
    }

    // Calls the callback, if set, with the arguments followed by the user
    // pointer. True when one was called.
    template <class... Args>
    bool call(Args&&... args)
    {
        std::pair<Fn, void*> pair = get();
        if (pair.first == nullptr) {
            return false;
        }
        pair.first(std::forward<Args>(args)..., pair.second);
        return true;
    }

private:
    VyLock lock_{"callback"};
    Fn fn_ = nullptr;
    void* user_ = nullptr;
};

}  // namespace detail
}  // namespace streamnet
