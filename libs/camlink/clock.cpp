#include "clock.h"

#include <algorithm>
#include <thread>

namespace camlink {
namespace detail {

void Clock::sleep(double ms) const
{
    std::this_thread::sleep_for(real(ms));
}

std::chrono::microseconds SystemClock::real(double ms) const
{
    return std::chrono::microseconds(static_cast<long long>(ms * 1000.0));
}

std::chrono::microseconds ScaledClock::real(double ms) const
{
    return std::chrono::microseconds(static_cast<long long>(ms * 1000.0 / factor_));
}

std::chrono::microseconds ScaledClock::patience(double ms) const
{
    return std::max(real(ms), floor_);
}

void Event::set()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        set_ = true;
    }
    changed_.notify_all();
}

void Event::reset()
{
    std::lock_guard<std::mutex> lock(mutex_);
    set_ = false;
}

bool Event::is_set()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return set_;
}

bool Event::wait(const Clock& clock, double ms)
{
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, clock.real(ms), [this] { return set_; });
}

bool Event::wait_for_work(const Clock& clock, double ms)
{
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, clock.patience(ms), [this] { return set_; });
}

}  // namespace detail
}  // namespace camlink
