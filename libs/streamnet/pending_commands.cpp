#include "pending_commands.h"

#include <chrono>

namespace streamnet {
namespace detail {

void PendingCommands::add(uint32_t sequence, int link)
{
    std::lock_guard<std::mutex> lock(mutex_);
    states_[sequence] = {kWaiting, link};
}

bool PendingCommands::complete(uint32_t sequence, int state)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = states_.find(sequence);
        if (it == states_.end() || it->second.state != kWaiting) {
            return false;
        }
        it->second.state = state == kSucceeded ? kSucceeded : kFailed;
    }
    settled_.notify_all();
    return true;
}

bool PendingCommands::wait(uint32_t sequence, int timeout_ms)
{
    std::unique_lock<std::mutex> lock(mutex_);
    auto settled = [&] {
        auto it = states_.find(sequence);
        return closed_ || it == states_.end() || it->second.state != kWaiting;
    };
    settled_.wait_for(lock, std::chrono::milliseconds(timeout_ms), settled);
    auto it = states_.find(sequence);
    if (it == states_.end()) {
        return false;
    }
    bool ok = it->second.state == kSucceeded;
    states_.erase(it);
    return ok;
}

void PendingCommands::remove(uint32_t sequence)
{
    std::lock_guard<std::mutex> lock(mutex_);
    states_.erase(sequence);
}

std::size_t PendingCommands::fail_link(int link)
{
    std::size_t failed = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto& entry : states_) {
            if (entry.second.link == link && entry.second.state == kWaiting) {
                entry.second.state = kFailed;
                ++failed;
            }
        }
    }
    settled_.notify_all();
    return failed;
}

void PendingCommands::close()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
    }
    settled_.notify_all();
}

void PendingCommands::reopen()
{
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = false;
}

std::size_t PendingCommands::size()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return states_.size();
}

}  // namespace detail
}  // namespace streamnet
