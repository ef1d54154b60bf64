// Takes the frame locks a step needs, always in the order data, buffer, index.
#pragma once

#include "vy_lock.h"

namespace framekit {
namespace detail {

class FrameLocks {
public:
    FrameLocks(VyLock& data, VyLock* buffer = nullptr, VyLock* index = nullptr)
    {
        take(&data);
        take(buffer);
        take(index);
    }
    ~FrameLocks()
    {
        for (int i = count_ - 1; i >= 0; --i) {
            held_[i]->unlock();
        }
    }
    FrameLocks(const FrameLocks&) = delete;
    FrameLocks& operator=(const FrameLocks&) = delete;

    // False when a lock was refused (taken twice on this thread).
    explicit operator bool() const { return ok_; }

private:
    void take(VyLock* lock)
    {
        if (lock == nullptr || !ok_) {
            return;
        }
        if (!lock->lock()) {
            ok_ = false;
            return;
        }
        held_[count_++] = lock;
    }

    VyLock* held_[3] = {nullptr, nullptr, nullptr};
    int count_ = 0;
    bool ok_ = true;
};

}  // namespace detail
}  // namespace framekit
