#include "keep_alive.h"

#include "streamnet_log.h"

#include <chrono>
#include <system_error>

namespace streamnet {
namespace detail {

bool KeepAlive::start(std::function<void()> tick, std::function<int()> period_ms)
{
    if (thread_.joinable()) {
        return true;
    }
    tick_ = std::move(tick);
    period_ms_ = std::move(period_ms);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        running_ = true;
    }
    try {
        thread_ = std::thread(&KeepAlive::loop, this);
    } catch (const std::system_error&) {
        std::lock_guard<std::mutex> lock(mutex_);
        running_ = false;
        SN_ERROR("Create keep alive send thread failed.");
        return false;
    }
    SN_INFO("Create keep alive send thread success.");
    return true;
}

void KeepAlive::stop()
{
    if (!thread_.joinable()) {
        return;
    }
    SN_INFO("stop keep alive thread.");
    {
        std::lock_guard<std::mutex> lock(mutex_);
        running_ = false;
    }
    wake_.notify_all();
    thread_.join();
    SN_INFO("stop keep alive thread success.");
}

void KeepAlive::loop()
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (running_) {
        lock.unlock();
        tick_();
        lock.lock();
        wake_.wait_for(lock, std::chrono::milliseconds(period_ms_()), [this] { return !running_; });
    }
    SN_INFO("Keep alive thread finished.");
}

}  // namespace detail
}  // namespace streamnet
