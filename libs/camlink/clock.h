// Time as the device code sees it. Every wait and timeout of camlink goes
// through a Clock, so that tests can run the device's seconds in
// milliseconds with a scaled clock.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace camlink {
namespace detail {

class Clock {
public:
    virtual ~Clock() = default;
    // Real time that stands for `ms` milliseconds of device time.
    virtual std::chrono::microseconds real(double ms) const = 0;
    // Real time to wait for something other threads must do within `ms`:
    // a scaled clock keeps a floor here, so that a busy machine's scheduling
    // delays cannot pass for the device's timeout.
    virtual std::chrono::microseconds patience(double ms) const { return real(ms); }
    void sleep(double ms) const;
};

class SystemClock : public Clock {
public:
    std::chrono::microseconds real(double ms) const override;
};

// Device time runs `factor` times faster than real time.
class ScaledClock : public Clock {
public:
    explicit ScaledClock(double factor, std::chrono::microseconds floor = std::chrono::microseconds(0))
        : factor_(factor), floor_(floor)
    {
    }
    std::chrono::microseconds real(double ms) const override;
    std::chrono::microseconds patience(double ms) const override;

private:
    double factor_;
    std::chrono::microseconds floor_;
};

// A manual-reset flag that threads wait on with a device-time limit.
class Event {
public:
    void set();
    void reset();
    bool is_set();
    // True when the flag was (or became) set within `ms`.
    bool wait(const Clock& clock, double ms);
    // The same for a timeout of work other threads do: waits clock.patience(ms).
    bool wait_for_work(const Clock& clock, double ms);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool set_ = false;
};

}  // namespace detail
}  // namespace camlink
