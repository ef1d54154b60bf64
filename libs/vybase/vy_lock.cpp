#include "vy_lock.h"

#include "logline.h"

VyLock::VyLock(const char* name) : name_(name != nullptr ? name : "lock") {}

bool VyLock::lock()
{
    if (owner_.load(std::memory_order_acquire) == std::this_thread::get_id()) {
        logline_print(4, "vybase", __FILE__, __LINE__, "VyLock::lock",
                      "%s is already held by this thread; the call is refused", name_);
        return false;
    }
    mutex_.lock();
    owner_.store(std::this_thread::get_id(), std::memory_order_release);
    return true;
}

void VyLock::unlock()
{
    owner_.store(std::thread::id(), std::memory_order_release);
    mutex_.unlock();
}

bool VyLock::held_by_current_thread() const
{
    return owner_.load(std::memory_order_acquire) == std::this_thread::get_id();
}
