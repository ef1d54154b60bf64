// The temperature-sensor thread's logic, the FPGA watch and its restart
// hook, temperature settings, and the focus and zoom motors, all under the
// scaled clock.
#include "device_fixture.h"

#include "tempcore.h"

#include <cmath>

using namespace cltest;
using namespace camlink::detail;

namespace {

// Registers as memory, with motors that move a fixed step toward the side
// their control bits select each time they are stopped.
class MotorBus : public MemoryBus {
public:
    explicit MotorBus(int step) : step_(step) {}

    bool write(uint16_t address, uint16_t value) override
    {
        if (address == reg::kControl) {
            uint16_t before = get(reg::kControl);
            move(before, value, 0x2, 0x4, reg::kLensPosition);
            move(before, value, 0x100, 0x80, 164);
        }
        return MemoryBus::write(address, value);
    }

    std::atomic<int> runs{0};

private:
    void move(uint16_t before, uint16_t after, uint16_t forward, uint16_t backward, uint16_t position)
    {
        bool was = (before & (forward | backward)) != 0;
        bool stopped = (after & (forward | backward)) == 0;
        if (was && stopped) {
            int p = get(position) + ((before & forward) != 0 ? step_ : -step_);
            set(position, static_cast<uint16_t>(p));
            std::lock_guard<std::mutex> lock(motion_mutex_);
            ++runs;
            moved_.notify_all();
        }
    }

    std::mutex motion_mutex_;
    std::condition_variable moved_;

public:
    bool wait_for_position(uint16_t address, uint16_t value)
    {
        std::unique_lock<std::mutex> lock(motion_mutex_);
        return moved_.wait_for(lock, kPatience, [&] { return get(address) == value; });
    }

private:

    int step_;
};

}  // namespace

TEST(sensor_thread, the_correction_interval)
{
    Device device;
    const std::pair<float, bool> cases[] = {{0.05f, false}, {5.5f, false}, {0.1f, true},
                                            {5.0f, true},   {NAN, false},  {-1.0f, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.second, vy_dc_set_temperature_interval_of_correct(device.handle, c.first)) << c.first;
    }
}

TEST(sensor_thread, simulated_readings_rise_and_start_again)
{
    Device device;
    float t1 = 0, t2 = 0, t3 = 0, t4 = -1;
    ASSERT_TRUE(vy_dc_get_temperature_sensor(device.handle, &t1, &t2, &t3, &t4));
    EXPECT_EQ(t1, t3);
    EXPECT_EQ(0.0f, t4);
    float previous = t1;
    bool wrapped = false;
    for (int i = 0; i < 1300; ++i) {
        ASSERT_TRUE(vy_dc_get_temperature_sensor(device.handle, &t1, &t2, &t3, &t4));
        ASSERT_LE(t1, 50.0f);
        wrapped = wrapped || t1 < previous;
        previous = t1;
    }
    EXPECT_TRUE(wrapped);
    int32_t environment = -1;
    ASSERT_TRUE(vy_dc_get_cur_environment(device.handle, &environment));
    EXPECT_EQ(0, environment);
}

TEST(sensor_thread, a_stuck_fpga_asks_the_hook_once_and_never_restarts_by_itself)
{
    struct Case {
        bool capture_switch;
        int restarts;
    };
    for (const Case& c : {Case{true, 1}, Case{false, 0}}) {
        Device device;
        if (!c.capture_switch) {
            ASSERT_TRUE(vy_dc_disable_reboot_sys(device.handle));
        }
        // No capture thread runs: the reset stays pending.
        ASSERT_TRUE(vy_dc_reset_fpga(device.handle));
        EXPECT_EQ(command::kClear, device.bus->get(reg::kCommand));
        LogWatch log;
        for (int pass = 0; pass < 13; ++pass) {
            device.dev().sensor_pass();
        }
        EXPECT_EQ(3, log.count("need reboot")) << c.capture_switch;
        EXPECT_EQ(1, log.count("reset fpga failed 11 times! need reboot"));
        EXPECT_EQ(13, log.count("fixed reading dalass temprature"));
        EXPECT_EQ(c.restarts, device.restarts.load());
        EXPECT_EQ(c.restarts, log.count("reboot now"));
    }
}

TEST(sensor_thread, the_default_hook_only_logs)
{
    TempDir dir;
    fill_program_dir(dir);
    DeviceOptions options;
    options.bus = std::make_shared<MemoryBus>();
    options.clock = std::make_shared<ScaledClock>(kTimeFactor);
    options.program_dir = dir.path();
    options.resolution_file = dir.file("simulated-resolution");
    void* handle = nullptr;
    ASSERT_TRUE(camlink::detail::create_device(&handle, 0, options));
    ASSERT_TRUE(vy_dc_reset_fpga(handle));
    LogWatch log;
    for (int pass = 0; pass < 11; ++pass) {
        camlink::detail::device_of(handle)->sensor_pass();
    }
    EXPECT_EQ(1, log.count("leaves that to its operator"));
    EXPECT_TRUE(vy_dc_uninit(&handle));
}

TEST(sensor_thread, a_reset_is_handed_back_after_four_frames)
{
    FrameCounter counter;
    Device device;
    ASSERT_TRUE(vy_dc_set_cb_one_frame_received(device.handle, FrameCounter::callback, &counter));
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 0, 0));
    ASSERT_TRUE(counter.wait_for(1));
    ASSERT_TRUE(vy_dc_reset_fpga(device.handle));
    int before = counter.frames();
    // Frames are held back until the sensor thread has finished the reset.
    ASSERT_TRUE(counter.wait_for(before + 2));
    EXPECT_FALSE(device.dev().reset_pending());
}

TEST(sensor_thread, corrections_follow_the_interval_and_the_disable_flag)
{
    FrameCounter counter;
    Device device;
    ASSERT_TRUE(vy_dc_set_cb_one_frame_received(device.handle, FrameCounter::callback, &counter));
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 0, 0));
    auto detector_at_base = [&] {
        float at_base = 0;
        EXPECT_TRUE(vy_at_get_sensor_temp(device.dev().at(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                          &at_base, nullptr));
        return at_base;
    };
    // Passes that see a new frame read the sensors, which rise 0.017 each.
    auto pass_after_a_frame = [&] {
        ASSERT_TRUE(counter.wait_for(counter.frames() + 1));
        device.dev().sensor_pass();
    };
    ASSERT_TRUE(vy_dc_set_disable_temperature_correct_flag(device.handle, true));
    float held = detector_at_base();
    for (int i = 0; i < 30; ++i) {
        pass_after_a_frame();
    }
    EXPECT_EQ(held, detector_at_base());
    ASSERT_TRUE(vy_dc_set_disable_temperature_correct_flag(device.handle, false));
    for (int i = 0; i < 30 && detector_at_base() == held; ++i) {
        pass_after_a_frame();
    }
    EXPECT_NE(held, detector_at_base());
}

TEST(sensor_thread, stopped_data_resets_the_fpga)
{
    Device device;
    device.bus->set_data_stopped(true);
    LogWatch log;
    device.dev().sensor_pass();  // the frame-arrived flag starts set
    EXPECT_FALSE(device.dev().reset_pending());
    device.dev().sensor_pass();
    EXPECT_TRUE(device.dev().reset_pending());
    EXPECT_EQ(1, log.count("data not arrived reset fpga!"));
}

TEST(motors, a_close_target_does_not_move)
{
    Device device;
    device.bus->set(reg::kLensPosition, 500);
    int writes = device.bus->writes(reg::kControl);
    device.dev().set_motor_target(Motor::focus, 505);
    device.dev().move_motor_to_target(Motor::focus);
    EXPECT_EQ(writes, device.bus->writes(reg::kControl));
}

TEST(motors, a_motor_steps_to_its_target)
{
    struct Case {
        Motor motor;
        uint16_t position_register;
        uint16_t from, to;
    };
    const Case cases[] = {{Motor::focus, reg::kLensPosition, 500, 1000},
                          {Motor::focus, reg::kLensPosition, 900, 400},
                          {Motor::zoom, 164, 100, 600}};
    for (const Case& c : cases) {
        auto bus = std::make_shared<MotorBus>(100);
        Device device(false);
        device.bus = bus;
        ASSERT_TRUE(device.create());
        bus->set(c.position_register, c.from);
        device.dev().set_motor_target(c.motor, c.to);
        device.dev().move_motor_to_target(c.motor);
        EXPECT_EQ(c.to, bus->get(c.position_register));
        EXPECT_EQ(5, bus->runs);
        EXPECT_EQ(0, bus->get(reg::kControl));
    }
}

TEST(motors, a_motor_that_does_not_move_gives_up)
{
    Device device;
    device.bus->set(reg::kLensPosition, 500);
    LogWatch log;
    device.dev().set_motor_target(Motor::focus, 800);
    device.dev().move_motor_to_target(Motor::focus);
    EXPECT_EQ(1, log.count("last position and cur positioin = 500 of len's is close!"));
    EXPECT_EQ(0, device.bus->get(reg::kControl));
}

TEST(motors, the_motor_thread_moves_on_request)
{
    auto bus = std::make_shared<MotorBus>(50);
    Device device(false);
    device.bus = bus;
    ASSERT_TRUE(device.create());
    bus->set(reg::kLensPosition, 100);
    ASSERT_TRUE(vy_dc_set_len_pos(device.handle, 300));
    EXPECT_TRUE(bus->wait_for_position(reg::kLensPosition, 300));
    ASSERT_TRUE(vy_dc_set_zoom_pos(device.handle, 150));
    EXPECT_TRUE(bus->wait_for_position(164, 150));
}

// Focus and zoom run side by side: each motor thread's start and stop bits
// survive the other's changes of the same control word.
TEST(motors, focus_and_zoom_move_at_once)
{
    auto bus = std::make_shared<MotorBus>(50);
    Device device(false);
    device.bus = bus;
    ASSERT_TRUE(device.create());
    bus->set(reg::kLensPosition, 100);
    ASSERT_TRUE(vy_dc_set_len_pos(device.handle, 600));
    ASSERT_TRUE(vy_dc_set_zoom_pos(device.handle, 500));
    EXPECT_TRUE(bus->wait_for_position(reg::kLensPosition, 600));
    EXPECT_TRUE(bus->wait_for_position(164, 500));
}

TEST(motors, position_reads_and_limits)
{
    Device device;
    device.bus->set(reg::kLensPosition, 1234);
    uint16_t position = 0;
    ASSERT_TRUE(vy_dc_get_len_pos(device.handle, &position));
    EXPECT_EQ(1234, position);
    EXPECT_EQ(0, device.bus->get(reg::kCommand));
    device.bus->ignore_command(command::kLensPosition);
    LogWatch log;
    EXPECT_FALSE(vy_dc_get_zoom_pos(device.handle, &position));
    EXPECT_EQ(1, log.count("read len pos failed, status = 0"));
    device.bus->set(reg::kStatus, 0x8000 | status::kAutoFocus);
    bool a = false, b = true, running = false;
    ASSERT_TRUE(vy_dc_get_motor_location(device.handle, &a, &b));
    EXPECT_TRUE(a);
    EXPECT_FALSE(b);
    ASSERT_TRUE(vy_dc_is_auto_focus(device.handle, &running));
    EXPECT_TRUE(running);
}

TEST(motors, automatic_focus_writes_its_window)
{
    Device device;
    device.bus->set(reg::kControl, 0x0201);
    ASSERT_TRUE(vy_dc_auto_focus(device.handle, 10, 20, 30, 40));
    const std::pair<uint16_t, uint16_t> window[] = {{420, 10}, {424, 20}, {428, 30}, {432, 40}};
    for (const auto& w : window) {
        EXPECT_EQ(w.second, device.bus->get(w.first));
    }
    // A running focus is stopped (control word cleared) and started again.
    EXPECT_EQ(0x0200, device.bus->get(reg::kControl));
    EXPECT_TRUE(vy_dc_set_auto_focus_precision(device.handle, 3));
    EXPECT_TRUE(vy_dc_auto_focus_by_software(device.handle, true));
}
