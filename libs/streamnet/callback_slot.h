// A registered callback and its user pointer. The pair is read under the
// slot's lock and called after the lock is released, so a callback may call
// back into its own stream (register callbacks, record its frame) without
// deadlocking.
//
// A registration (clearing included) waits until the calls of the previous
// pair running on other threads have returned, so once it returns the caller
// may free the old user data. On the thread of a running call it does not
// wait: a callback that replaces or clears its own slot would wait for itself.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace streamnet {
namespace detail {

template <class Fn>
class CallbackSlot {
public:
    void set(Fn fn, void* user)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        fn_ = fn;
        user_ = user;
        const uint64_t replaced = ++generation_;
        const std::thread::id self = std::this_thread::get_id();
        idle_.wait(lock, [&] {
            for (const Running& call : running_) {
                if (call.generation < replaced && call.thread != self) {
                    return false;
                }
            }
            return true;
        });
    }

    // The pair as it stands; fn is null when none is set.
    std::pair<Fn, void*> get()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return {fn_, user_};
    }

    // Calls the callback, if set, with the arguments followed by the user
    // pointer. True when one was called.
    template <class... Args>
    bool call(Args&&... args)
    {
        Fn fn;
        void* user;
        Running call{std::this_thread::get_id(), 0};
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (fn_ == nullptr) {
                return false;
            }
            fn = fn_;
            user = user_;
            call.generation = generation_;
            running_.push_back(call);
        }
        fn(std::forward<Args>(args)..., user);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            for (auto it = running_.begin(); it != running_.end(); ++it) {
                if (it->thread == call.thread && it->generation == call.generation) {
                    running_.erase(it);
                    break;
                }
            }
        }
        idle_.notify_all();
        return true;
    }

private:
    struct Running {
        std::thread::id thread;
        uint64_t generation;
    };

    std::mutex mutex_;
    std::condition_variable idle_;
    Fn fn_ = nullptr;
    void* user_ = nullptr;
    uint64_t generation_ = 0;
    std::vector<Running> running_;
};

}  // namespace detail
}  // namespace streamnet
