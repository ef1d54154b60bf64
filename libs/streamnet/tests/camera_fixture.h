// A simulated camera on a free loopback address and a stream connected to
// it; tests wait on events with generous limits, never on time.
#pragma once

#include "camera_sim.h"
#include "stream_timing.h"

#include "streamnet.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

namespace streamnet_test {

// What the stream's callbacks delivered.
struct Delivered {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<int> link_events;
    std::vector<std::string> link_addresses;
    int frames = 0;
    int typed_frames = 0;
    std::vector<int> frame_types;
    int temperature_frames = 0;
    std::vector<float> last_temperatures;
    int temperature_bytes = -1;
    int imaging_infos = 0;
    int rule_temperatures = 0;
    int rule_alarms = 0;
    int rule_diff_alarms = 0;
    int rule_records = 0;
    int presets_changed = 0;
    int commands_finished = 0;
    int32_t finished_code = 0;

    template <class Fn>
    void update(Fn fn)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            fn();
        }
        changed.notify_all();
    }

    bool wait(const std::function<bool()>& predicate, int seconds = 20)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(seconds), predicate);
    }

    static void on_link(NvsLinkState state, void* user)
    {
        auto* self = static_cast<Delivered*>(user);
        self->update([&] {
            self->link_events.push_back(state.event);
            self->link_addresses.emplace_back(state.device_ip, strnlen(state.device_ip, sizeof(state.device_ip)));
        });
    }
    static void on_frame(const void*, int32_t, void* user)
    {
        auto* self = static_cast<Delivered*>(user);
        self->update([&] { ++self->frames; });
    }
    static void on_typed_frame(int32_t type, const void*, int32_t, void* user)
    {
        auto* self = static_cast<Delivered*>(user);
        self->update([&] {
            ++self->typed_frames;
            self->frame_types.push_back(type);
        });
    }
    static void on_temperatures(float* values, int32_t bytes, void* user)
    {
        auto* self = static_cast<Delivered*>(user);
        self->update([&] {
            ++self->temperature_frames;
            self->temperature_bytes = bytes;
            self->last_temperatures.assign(values, values + bytes / 4);
        });
    }
    static void on_imaging(uint32_t, float, float, void* user)
    {
        auto* self = static_cast<Delivered*>(user);
        self->update([&] { ++self->imaging_infos; });
    }
    static void on_rule_temperature(NvsRuleSummary, const NvsRuleTemperature*, int32_t count, void* user)
    {
        auto* self = static_cast<Delivered*>(user);
        self->update([&] {
            ++self->rule_temperatures;
            self->rule_records += count;
        });
    }
    static void on_rule_alarm(uint16_t, const NvsRuleAlarm*, int32_t count, void* user)
    {
        auto* self = static_cast<Delivered*>(user);
        self->update([&] {
            ++self->rule_alarms;
            self->rule_records += count;
        });
    }
    static void on_rule_diff_alarm(uint16_t, const NvsRuleDiffAlarm*, int32_t count, void* user)
    {
        auto* self = static_cast<Delivered*>(user);
        self->update([&] {
            ++self->rule_diff_alarms;
            self->rule_records += count;
        });
    }
    static void on_preset(uint8_t, uint16_t, uint16_t, void* user)
    {
        auto* self = static_cast<Delivered*>(user);
        self->update([&] { ++self->presets_changed; });
    }
    static void on_finished(void* user, int32_t code)
    {
        auto* self = static_cast<Delivered*>(user);
        self->update([&] {
            ++self->commands_finished;
            self->finished_code = code;
        });
    }
};

// Restores the stream timing a test changed.
class TimingGuard {
public:
    TimingGuard() = default;
    ~TimingGuard()
    {
        auto& t = streamnet::detail::stream_timing();
        t.ir_keep_alive_ms = 5000;
        t.visible_keep_alive_ms = 3000;
        t.command_wait_cap_ms = 0;
        t.download_first_chunk_ms = 11000;
        t.download_idle_ms = 11000;
    }
};

class CameraTest : public ::testing::Test {
protected:
    // Frames from the capture library's loop, at its detector's size: the
    // camera as the program meets it.
    static camsim::CamsimOptions capture_camera()
    {
        camsim::CamsimOptions options;
        options.address = "auto";
        return options;
    }

    // Small pattern frames, for tests about links and commands: the capture
    // device takes seconds to start and stop under the sanitizers.
    static camsim::CamsimOptions small_camera()
    {
        camsim::CamsimOptions options = capture_camera();
        options.source = "pattern";
        options.width = 64;
        options.height = 48;
        return options;
    }

    void start_camera(const camsim::CamsimOptions& options = small_camera())
    {
        std::string error;
        ASSERT_TRUE(camera.start(options, &error)) << error;
    }

    // An infrared stream with every callback registered, connected.
    void connect_ir(bool expect_success = true)
    {
        ASSERT_TRUE(vy_nvs_init(&stream, NVS_STREAM_IR));
        register_callbacks();
        EXPECT_EQ(vy_nvs_connect(stream, camera.address().c_str(), Delivered::on_link, &delivered),
                  expect_success);
    }

    void register_callbacks()
    {
        ASSERT_TRUE(vy_nvs_set_cb_one_frame_received(stream, Delivered::on_frame, &delivered));
        ASSERT_TRUE(vy_nvs_set_cb_one_temperature_frame_received(stream, Delivered::on_temperatures, &delivered));
        ASSERT_TRUE(vy_nvs_set_imaging_info_received(stream, Delivered::on_imaging, &delivered));
        ASSERT_TRUE(vy_nvs_set_realtime_rule_temperature_callback(stream, Delivered::on_rule_temperature,
                                                                  &delivered));
        ASSERT_TRUE(vy_nvs_set_realtime_rule_temperature_alarm_callback(stream, Delivered::on_rule_alarm,
                                                                        &delivered));
        ASSERT_TRUE(vy_nvs_set_realtime_rule_temperature_diff_alarm_callback(stream, Delivered::on_rule_diff_alarm,
                                                                             &delivered));
        ASSERT_TRUE(vy_nvs_set_cb_preset_changed(stream, Delivered::on_preset, &delivered));
        ASSERT_TRUE(vy_nvs_set_cb_cmd_finished(stream, Delivered::on_finished, &delivered));
    }

    void TearDown() override
    {
        if (stream != nullptr) {
            EXPECT_TRUE(vy_nvs_uninit(&stream));
        }
        camera.stop();
    }

    TimingGuard timing_guard;
    camsim::CameraSim camera;
    Delivered delivered;
    void* stream = nullptr;
};

}  // namespace streamnet_test
