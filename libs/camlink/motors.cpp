// Focus and zoom motors: positions read through the position handshake, and
// a thread per motor that runs it toward a target in timed steps.
#include "camlink_log.h"
#include "dev_cap.h"

#include <cmath>
#include <cstdlib>

namespace camlink {
namespace detail {

namespace {

constexpr uint16_t kZoomPosition = 164;
constexpr int kPositionPolls = 1500;
constexpr double kPollMs = 2;
constexpr int kCloseEnough = 10;
constexpr int kMaxSteps = 20;
constexpr double kStopSettleMs = 300;

struct MotorTraits {
    const char* function;
    uint16_t position_register;
    uint16_t forward;
    uint16_t backward;
    // Distance limits and speeds (position units per millisecond).
    int limits[8];
    double speeds[8];
};

const MotorTraits kTraits[2] = {
    {"DevCap::set_len_pos_algorithm", reg::kLensPosition,
     0x2, 0x4, {20, 100, 200, 500, 1000, 2000, 1 << 30, 1 << 30}, {5.64, 4.33, 1.44, 1.08, 0.87, 0.79, 0.75, 0.75}},
    {"DevCap::set_zoom_pos_algorithm", kZoomPosition,
     0x100, 0x80, {10, 20, 100, 200, 500, 1000, 2000, 1 << 30}, {5.64, 5.84, 4.53, 1.54, 1.0, 0.77, 0.69, 0.65}},
};

const MotorTraits& traits(Motor motor)
{
    return kTraits[motor == Motor::focus ? 0 : 1];
}

double speed_for(const MotorTraits& t, int distance)
{
    for (int i = 0; i < 8; ++i) {
        if (distance < t.limits[i]) {
            return t.speeds[i];
        }
    }
    return t.speeds[7];
}

}  // namespace

bool DevCap::auto_focus(uint16_t x, uint16_t y, uint16_t w, uint16_t h)
{
    if (operation_.load()) {
        DC_ERROR("DevCap::auto_focus", "an operation is in progress");
        return false;
    }
    const uint16_t window[4] = {x, y, w, h};
    for (int i = 0; i < 4; ++i) {
        write_register(static_cast<uint16_t>(reg::kFocusWindow + 4 * i), window[i]);
    }
    uint16_t word = 0;
    if (!read_register(reg::kControl, &word)) {
        DC_ERROR("DevCap::auto_focus", "read register faild %x", reg::kControl);
        return false;
    }
    if ((word & 0x200) != 0) {
        write_register(reg::kControl, 0);
        clock_->sleep(200);
    }
    return update_control_word(0, 0x200);
}

bool DevCap::is_auto_focus(bool* running)
{
    uint16_t status = 0;
    if (!read_register(reg::kStatus, &status)) {
        DC_ERROR("DevCap::is_auto_focus", "read register faild %x", reg::kStatus);
        return false;
    }
    *running = (status & status::kAutoFocus) != 0;
    return true;
}

bool DevCap::get_motor_pos(Motor motor, uint16_t* position)
{
    uint16_t status = 0;
    bool ready = false;
    write_register(reg::kCommand, command::kLensPosition);
    for (int i = 0; i < kPositionPolls && !ready; ++i) {
        ready = read_register(reg::kStatus, &status) && (status & status::kPositionReady) != 0;
        if (!ready) {
            clock_->sleep(kPollMs);
        }
    }
    bool ok = ready && read_register(traits(motor).position_register, position);
    write_register(reg::kCommand, 0);
    if (!ok) {
        DC_ERROR(motor == Motor::focus ? "DevCap::get_len_pos" : "DevCap::get_zoom_pos",
                 "read len pos failed, status = %d", status);
    }
    return ok;
}

bool DevCap::set_motor_pos(Motor motor, uint16_t position)
{
    int m = motor == Motor::focus ? 0 : 1;
    {
        VyLockGuard guard(motor_lock_);
        if (!guard) {
            return false;
        }
        if (!motor_threads_[m].joinable()) {
            try {
                motor_threads_[m] = std::thread([this, motor] { motor_proc(motor); });
            } catch (const std::system_error&) {
                DC_ERROR(motor == Motor::focus ? "DevCap::set_len_pos" : "DevCap::set_zoom_pos", "%s",
                         motor == Motor::focus ? "init temperature correct thread failed"
                                               : "init set_zoom_pos_proc thread failed");
                return false;
            }
        }
    }
    set_motor_target(motor, position);
    motor_wake_[m].set();
    return true;
}

void DevCap::set_motor_target(Motor motor, uint16_t position)
{
    int m = motor == Motor::focus ? 0 : 1;
    VyLockGuard guard(motor_lock_);
    motor_target_[m] = position;
    motor_new_target_[m] = true;
}

void DevCap::motor_proc(Motor motor)
{
    int m = motor == Motor::focus ? 0 : 1;
    while (!stop_.load()) {
        motor_wake_[m].wait(*clock_, 1000);
        motor_wake_[m].reset();
        if (stop_.load()) {
            break;
        }
        move_motor_to_target(motor);
    }
}

void DevCap::move_motor_to_target(Motor motor)
{
    const MotorTraits& t = traits(motor);
    int m = motor == Motor::focus ? 0 : 1;
    bool again = true;
    while (again && !stop_.load()) {
        again = false;
        int target = 0;
        {
            VyLockGuard guard(motor_lock_);
            if (!motor_new_target_[m]) {
                return;
            }
            motor_new_target_[m] = false;
            target = motor_target_[m];
        }
        uint16_t position = 0;
        if (!get_motor_pos(motor, &position)) {
            return;
        }
        int distance = std::abs(target - position);
        double run_us = distance * 1000.0 / speed_for(t, distance);
        for (int step = 0; step < kMaxSteps && distance > kCloseEnough && !again; ++step) {
            uint16_t direction = target > position ? t.forward : t.backward;
            update_control_word(static_cast<uint16_t>(t.forward | t.backward), direction);
            bool running = pause(std::round(run_us / 1000.0));
            update_control_word(static_cast<uint16_t>(t.forward | t.backward), 0);
            if (!running || !pause(kStopSettleMs)) {
                return;
            }
            uint16_t now = 0;
            if (!get_motor_pos(motor, &now)) {
                return;
            }
            if (now == position) {
                if (motor == Motor::focus) {
                    DC_INFO(t.function, "last position and cur positioin = %d of len's is close!", now);
                } else {
                    DC_INFO(t.function, "last position and cur positioin = %d of zoom's is close!", now);
                }
                return;
            }
            int moved = std::abs(static_cast<int>(now) - static_cast<int>(position));
            position = now;
            distance = std::abs(target - position);
            run_us = std::min(run_us, distance * run_us / moved);
            VyLockGuard guard(motor_lock_);
            again = motor_new_target_[m];
        }
    }
}

}  // namespace detail
}  // namespace camlink
