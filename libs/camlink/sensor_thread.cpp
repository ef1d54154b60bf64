// The temperature-sensor thread: it feeds the detector's sensor readings to
// tempcore, starts a temperature correction when the detector temperature
// has moved by more than the interval, and watches the FPGA (reset and, as a
// last resort, a restart request that only the caller's hook may act on).
#include "camlink_log.h"
#include "dev_cap.h"

#include "tempcore.h"

#include <cmath>

namespace camlink {
namespace detail {

namespace {

constexpr double kSensorPeriodMs = 3000;
constexpr int kResetPassesBeforeRestart = 11;
constexpr int kScanPass = 10;
constexpr float kMinInterval = 0.1f;
constexpr float kMaxInterval = 5.0f;

}  // namespace

bool DevCap::read_sensors(float* t1, float* t2, float* t3, float* t4)
{
    VyLockGuard guard(sensor_lock_);
    if (!guard) {
        return false;
    }
    // The simulated detector warms up slowly and starts again at 50 degrees.
    sensor_a_ += 0.017f;
    sensor_b_ += 0.011f;
    if (sensor_a_ > 50.0f) {
        sensor_a_ = 30.0f;
        sensor_b_ = 31.0f;
    }
    *t1 = sensor_a_;
    *t2 = sensor_b_;
    *t3 = sensor_a_;
    *t4 = 0.0f;
    return true;
}

bool DevCap::get_temperature_sensor(float* t1, float* t2, float* t3, float* t4)
{
    return read_sensors(t1, t2, t3, t4);
}

bool DevCap::calc_base_temperature()
{
    return vy_at_calc_base_temp(at_);
}

bool DevCap::temperature_correct()
{
    float t[4];
    int environment = 0;
    if (!read_sensors(&t[0], &t[1], &t[2], &t[3]) ||
        !vy_at_update_temperature_sensor(at_, t[0], t[1], t[2], t[3], t[2], &environment)) {
        DC_ERROR("DevCap::temperature_correct", "update temperature sensor failed");
        return false;
    }
    return calc_base_temperature();
}

bool DevCap::set_temperature_interval(float interval)
{
    if (!(interval >= kMinInterval && interval <= kMaxInterval)) {
        DC_ERROR("DevCap::set_temperature_interval_of_correct", "interval of correct = %.02f is error", interval);
        return false;
    }
    VyLockGuard guard(sensor_lock_);
    interval_ = interval;
    return true;
}

bool DevCap::update_temperature_sensor()
{
    const char* function = "DevCap::update_temperature_sensor";
    float t[4];
    if (!read_sensors(&t[0], &t[1], &t[2], &t[3])) {
        DC_ERROR(function, "get temperature sensor failed");
        return false;
    }
    int environment = 0;
    if (!vy_at_update_temperature_sensor(at_, t[0], t[1], t[2], t[3], t[2], &environment)) {
        DC_ERROR(function, "update temperature sensor %.02f %.02f failed", t[0], t[1]);
        return false;
    }
    if (environment != detector_.environment()) {
        detector_.set_environment(environment);
        int lens = cur_lens_.load();
        return lens < 0 || set_len_and_meas_range(lens, cur_range_.load());
    }
    bool requested = false;
    {
        VyLockGuard guard(reset_lock_);
        requested = sensor_request_;
        sensor_request_ = false;
    }
    float last = 0;
    float interval = 0;
    {
        VyLockGuard guard(sensor_lock_);
        last = last_correct_temperature_;
        interval = interval_;
    }
    if ((requested || std::fabs(t[0] - last) > interval) && !correct_disabled_.load() && !switching_.load()) {
        if (!calc_base_temperature()) {
            return false;
        }
        VyLockGuard guard(sensor_lock_);
        last_correct_temperature_ = t[0];
    }
    return true;
}

bool DevCap::reset_fpga()
{
    {
        VyLockGuard guard(reset_lock_);
        if (!guard) {
            return false;
        }
        reset_pending_ = true;
        reset_frames_ = 0;
        sensor_request_ = false;
    }
    return write_register(reg::kCommand, command::kClear);
}

bool DevCap::reset_pending()
{
    VyLockGuard guard(reset_lock_);
    return reset_pending_;
}

bool DevCap::request_restart()
{
    DC_ERROR("DevCap::temperature_sensor_proc", "reboot now");
    if (restart_hook_) {
        restart_hook_();
    } else {
        DC_ERROR("DevCap::temperature_sensor_proc",
                 "the detector needs a restart of its host; the library leaves that to its operator");
    }
    return true;
}

void DevCap::sensor_pass()
{
    const char* function = "DevCap::temperature_sensor_proc";
    bool restart = false;
    {
        VyLockGuard guard(reset_lock_);
        if (reset_pending_) {
            ++reset_passes_;
            if (reset_passes_ >= kResetPassesBeforeRestart) {
                DC_ERROR(function, "reset fpga failed %d times! need reboot", reset_passes_);
                bool calibrating = false;
                vy_at_is_calibrating(at_, &calibrating);
                // One request per stuck episode: the hook decides what to do.
                if (capture_switch_.load() && !calibrating && !restart_requested_) {
                    restart_requested_ = true;
                    restart = true;
                }
            }
            DC_INFO(function, "fixed reading dalass temprature when is reseting fpga...");
        }
    }
    if (restart) {
        request_restart();
    }
    bool data_stopped = false;
    {
        VyLockGuard guard(reset_lock_);
        if (reset_pending_) {
            return;
        }
        reset_passes_ = 0;
        restart_requested_ = false;
    }
    ++sensor_passes_;
    if (sensor_passes_ == kScanPass) {
        start_bad_pixel_scan();
    }
    bool update = false;
    {
        VyLockGuard guard(reset_lock_);
        if (frame_arrived_ && !(fixed_reset_.load() && sensor_passes_ % 100 == 0)) {
            frame_arrived_ = false;
            update = true;
        } else {
            data_stopped = bus_->data_stopped();
        }
        if (!update && data_stopped && !frame_arrived_) {
            DC_ERROR(function, "data not arrived reset fpga!");
        }
    }
    if (update) {
        update_temperature_sensor();
    } else if (data_stopped) {
        reset_fpga();
    }
}

void DevCap::sensor_proc()
{
    while (!stop_.load()) {
        sensor_wake_.wait(*clock_, kSensorPeriodMs);
        sensor_wake_.reset();
        if (stop_.load()) {
            break;
        }
        sensor_pass();
    }
}

}  // namespace detail
}  // namespace camlink
