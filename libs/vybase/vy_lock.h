// The one lock type of the libraries: a mutex that knows its owner thread.
// Taking it again on the owning thread is a bug in the caller; it is logged
// and refused instead of hanging the thread.
#pragma once

#include <atomic>
#include <mutex>
#include <thread>

class VyLock {
public:
    explicit VyLock(const char* name = "lock");
    VyLock(const VyLock&) = delete;
    VyLock& operator=(const VyLock&) = delete;

    // False (and logged) when the calling thread already holds the lock.
    bool lock();
    void unlock();
    bool held_by_current_thread() const;

private:
    std::mutex mutex_;
    std::atomic<std::thread::id> owner_{};
    const char* name_;
};

// Scoped holder. Check owns() before touching what the lock guards.
class VyLockGuard {
public:
    explicit VyLockGuard(VyLock& lock) : lock_(lock), owns_(lock.lock()) {}
    ~VyLockGuard()
    {
        if (owns_) {
            lock_.unlock();
        }
    }
    VyLockGuard(const VyLockGuard&) = delete;
    VyLockGuard& operator=(const VyLockGuard&) = delete;

    bool owns() const { return owns_; }
    explicit operator bool() const { return owns_; }

private:
    VyLock& lock_;
    bool owns_;
};
