// Live data from the simulated camera: temperature frames at full rate,
// video into the recorder, imaging information, rule packages, broadcasts,
// and the camera's misbehaviours ending in clean failures.
#include "camera_fixture.h"
#include "log_watch.h"
#include "temp_folder.h"

#include "stream_ir.h"

#include <cstring>

using namespace streamnet_test;
using streamnet::detail::NetVideoStreamIR;

TEST_F(CameraTest, temperature_frames_at_25_fps_for_10_seconds_arrive_without_loss)
{
    camsim::CamsimOptions options = capture_camera();
    options.fps = 25;
    options.frame_limit = 250;
    start_camera(options);
    const camsim::DeviceModel model = camera.model();
    connect_ir();
    ASSERT_TRUE(camera.wait_for([](const camsim::CamsimStats& s) { return s.frames == 250; },
                                std::chrono::seconds(60)));
    EXPECT_EQ(camera.stats().send_failures, 0u);
    EXPECT_EQ(camera.stats().temperature_frames, 250u);
    // The video of each frame follows its temperatures on the same link.
    ASSERT_TRUE(delivered.wait([&] { return delivered.frames == 250; }, 60));
    std::lock_guard<std::mutex> lock(delivered.mutex);
    EXPECT_EQ(delivered.temperature_frames, 250);
    EXPECT_EQ(delivered.temperature_bytes, model.width * model.height * 4);
}

TEST_F(CameraTest, only_the_typed_frame_callback_is_called_when_both_are_set)
{
    start_camera();
    connect_ir();
    ASSERT_TRUE(delivered.wait([&] { return delivered.frames >= 2; }));
    ASSERT_TRUE(vy_nvs_set_cb_one_frame_received_with_type(stream, Delivered::on_typed_frame, &delivered));
    int plain = 0;
    {
        std::lock_guard<std::mutex> lock(delivered.mutex);
        plain = delivered.frames;
    }
    ASSERT_TRUE(delivered.wait([&] { return delivered.typed_frames >= 30; }));
    std::lock_guard<std::mutex> lock(delivered.mutex);
    // At most the frame in flight while registering went to the plain callback.
    EXPECT_LE(delivered.frames, plain + 1);
    for (int type : delivered.frame_types) {
        EXPECT_TRUE(type == 2 || type == 3) << type;
    }
    EXPECT_NE(std::count(delivered.frame_types.begin(), delivered.frame_types.end(), 2), 0);
}

namespace {

struct Recording {
    void* stream = nullptr;
    std::mutex mutex;
    std::condition_variable changed;
    int written = 0;
    int refused = 0;
    bool reregistered = false;

    // Records the frame it is handed, from the link thread, and registers
    // itself again once: neither may deadlock.
    static void on_frame(int32_t, const void*, int32_t, void* user)
    {
        auto* self = static_cast<Recording*>(user);
        bool ok = vy_nvs_record_one_frame(self->stream);
        if (!self->reregistered) {
            self->reregistered = vy_nvs_set_cb_one_frame_received_with_type(self->stream, on_frame, user);
        }
        {
            std::lock_guard<std::mutex> lock(self->mutex);
            ++(ok ? self->written : self->refused);
        }
        self->changed.notify_all();
    }
};

}  // namespace

TEST_F(CameraTest, video_recorded_from_the_callback_starts_at_a_key_frame)
{
    start_camera(capture_camera());
    connect_ir();
    TempFolder folder;
    Recording recording;
    recording.stream = stream;
    ASSERT_TRUE(vy_nvs_start_record(stream, folder.file("live.ps").c_str()));
    ASSERT_TRUE(vy_nvs_set_cb_one_frame_received_with_type(stream, Recording::on_frame, &recording));
    {
        std::unique_lock<std::mutex> lock(recording.mutex);
        ASSERT_TRUE(recording.changed.wait_for(lock, std::chrono::seconds(30), [&] { return recording.written >= 30; }));
    }
    ASSERT_TRUE(vy_nvs_set_cb_one_frame_received_with_type(stream, nullptr, nullptr));
    EXPECT_TRUE(recording.reregistered);
    EXPECT_TRUE(vy_nvs_stop_record(stream));
    std::vector<uint8_t> bytes = TempFolder::read(folder.file("live.ps"));
    ASSERT_GE(bytes.size(), 24u);
    const uint8_t pack[4] = {0, 0, 1, 0xBA};
    const uint8_t system[4] = {0, 0, 1, 0xBB};
    EXPECT_EQ(std::memcmp(bytes.data(), pack, 4), 0);
    EXPECT_EQ(std::memcmp(bytes.data() + 20, system, 4), 0);
}

TEST_F(CameraTest, imaging_info_rule_packages_and_broadcasts_reach_their_callbacks)
{
    start_camera();
    connect_ir();
    ASSERT_TRUE(delivered.wait([&] { return delivered.imaging_infos >= 1; }));

    camera.send_rule_packages(3);
    ASSERT_TRUE(delivered.wait([&] {
        return delivered.rule_temperatures == 1 && delivered.rule_alarms == 1 && delivered.rule_diff_alarms == 1;
    }));
    // Packages without entries call nothing.
    camera.send_rule_packages(0);
    camera.broadcast_preset(1, 2, 3);
    ASSERT_TRUE(delivered.wait([&] { return delivered.presets_changed == 1; }));
    {
        std::lock_guard<std::mutex> lock(delivered.mutex);
        EXPECT_EQ(delivered.rule_records, 9);
        EXPECT_EQ(delivered.rule_temperatures, 1);
    }

    // A new range is reported once; the same pair again is not.
    LogWatch log;
    camera.broadcast_range(0, 1);
    ASSERT_TRUE(delivered.wait([&] { return delivered.commands_finished == 1; }));
    camera.broadcast_range(0, 1);
    camera.broadcast_preset(4, 5, 6);
    ASSERT_TRUE(delivered.wait([&] { return delivered.presets_changed == 2; }));
    std::lock_guard<std::mutex> lock(delivered.mutex);
    EXPECT_EQ(delivered.commands_finished, 1);
    EXPECT_EQ(delivered.finished_code, NVS_CMD_LENS_RANGE_CHANGED);
    EXPECT_TRUE(log.saw("set len range's total data len = 2 is error"));
}

TEST_F(CameraTest, a_dropped_link_is_reported_and_commands_then_fail)
{
    camsim::CamsimOptions options = small_camera();
    options.drop_after_frames = 5;
    start_camera(options);
    connect_ir();
    ASSERT_TRUE(delivered.wait([&] {
        return std::count(delivered.link_events.begin(), delivered.link_events.end(), NVS_LINK_DISCONNECTED) == 2;
    }));
    LogWatch log;
    bool on = false;
    EXPECT_FALSE(vy_nvs_get_temperature_overlay_video_flag(stream, &on));
    EXPECT_TRUE(log.saw("send cmd [169, 187] failed"));
    EXPECT_EQ(static_cast<NetVideoStreamIR*>(static_cast<_VYBaseObject*>(stream))->pending_count(), 0u);
}

TEST_F(CameraTest, truncated_answers_fail_the_connect_at_once)
{
    camsim::CamsimOptions options = small_camera();
    options.truncate_answers = true;
    start_camera(options);
    LogWatch log;
    auto started = std::chrono::steady_clock::now();
    connect_ir(false);
    // Refused answers fail their commands without waiting out the 10 s.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    EXPECT_TRUE(log.saw("total len = "));
    EXPECT_TRUE(log.saw("get link of data failed"));
}

TEST_F(CameraTest, truncated_frames_deliver_nothing)
{
    camsim::CamsimOptions options = small_camera();
    options.truncate_frames = true;
    start_camera(options);
    LogWatch log;
    connect_ir();
    ASSERT_TRUE(camera.wait_for([](const camsim::CamsimStats& s) { return s.frames >= 10; }));
    // Commands still work on a link that carries refused packages.
    bool on = true;
    EXPECT_TRUE(vy_nvs_get_temperature_overlay_video_flag(stream, &on));
    std::lock_guard<std::mutex> lock(delivered.mutex);
    EXPECT_EQ(delivered.temperature_frames, 0);
    EXPECT_EQ(delivered.frames, 0);
    EXPECT_TRUE(log.saw("total len = "));
}
