// The keep-alive thread of a stream: calls `tick` at once and then every
// `period_ms()` milliseconds until stopped. Stopping wakes the wait, so it
// returns within one tick.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace streamnet {
namespace detail {

class KeepAlive {
public:
    ~KeepAlive() { stop(); }

    // False (with a log line) when the thread cannot be made; the stream
    // then works without keep-alive.
    bool start(std::function<void()> tick, std::function<int()> period_ms);
    void stop();
    bool running() const { return thread_.joinable(); }

private:
    void loop();

    std::function<void()> tick_;
    std::function<int()> period_ms_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool running_ = false;
};

}  // namespace detail
}  // namespace streamnet
