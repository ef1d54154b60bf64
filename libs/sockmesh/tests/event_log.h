// Collects events delivered on a library thread; tests wait on conditions
// with a time limit instead of sleeping.
#pragma once

#include "sockmesh.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace sockmesh_test {

struct Event {
    int id;
    int type;
    std::string data;
    std::thread::id thread;
};

class EventLog {
public:
    static void callback(const NetEvent* event, void* user)
    {
        auto* self = static_cast<EventLog*>(user);
        if (self->on_event) {
            self->on_event(*event);
        }
        std::lock_guard<std::mutex> lock(self->mutex_);
        self->events_.push_back({event->id, event->type,
                                 event->data != nullptr ? std::string(event->data, event->len) : std::string(),
                                 std::this_thread::get_id()});
        self->changed_.notify_all();
    }

    bool wait_count(int type, std::size_t count, int seconds = 10)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(seconds), [&] { return count_locked(type) >= count; });
    }

    std::size_t count(int type)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return count_locked(type);
    }

    std::vector<Event> events()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }

    std::vector<std::string> data()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<std::string> out;
        for (const Event& e : events_) {
            if (e.type == EVT_TCP_DATA) {
                out.push_back(e.data);
            }
        }
        return out;
    }

    // Runs on the library thread before the event is recorded.
    std::function<void(const NetEvent&)> on_event;

private:
    std::size_t count_locked(int type)
    {
        std::size_t n = 0;
        for (const Event& e : events_) {
            n += e.type == type ? 1 : 0;
        }
        return n;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Event> events_;
};

// Waits for a condition polled every millisecond, at most `seconds`.
inline bool eventually(const std::function<bool()>& condition, int seconds = 10)
{
    auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace sockmesh_test
