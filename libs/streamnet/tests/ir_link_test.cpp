// The infrared stream against the simulated camera: connect for each
// firmware variant, keep-alive, commands and their failures.
#include "camera_fixture.h"
#include "log_watch.h"

#include "stream_ir.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <future>
#include <thread>

using namespace streamnet_test;
using streamnet::detail::NetVideoStreamIR;
using streamnet::detail::stream_timing;

namespace {

std::vector<std::pair<int, int>> commands_of(const std::vector<camsim::RequestRecord>& requests)
{
    std::vector<std::pair<int, int>> out;
    for (const camsim::RequestRecord& r : requests) {
        if (r.main_cmd != 173) {
            out.emplace_back(r.main_cmd, r.vice_cmd);
        }
    }
    return out;
}

// Through the sample calibration the capture library's test pattern reads as
// about 24 to 33 degrees and the small pattern as 20 to 80; the same bytes in
// the wrong order read as thousands.
const float kSceneLow = 19.0f;
const float kSceneHigh = 81.0f;

NetVideoStreamIR* ir(void* handle)
{
    return static_cast<NetVideoStreamIR*>(static_cast<_VYBaseObject*>(handle));
}

}  // namespace

TEST_F(CameraTest, connect_per_firmware_and_temperature_byte_order)
{
    struct Case {
        const char* firmware;
        bool newer;
    };
    // Each number is compared by itself: 2.0.50 (minor 0) is an older camera.
    const Case cases[] = {{"1.1.39", true}, {"1.1.38", false}, {"2.0.50", false}, {"2.1.40", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firmware);
        // One variant with the capture device's frames; it takes seconds to
        // start under the sanitizers, so the others use the small pattern.
        camsim::CamsimOptions options = c.newer && c.firmware[0] == '1' ? capture_camera() : small_camera();
        options.firmware = c.firmware;
        start_camera(options);
        connect_ir();
        std::vector<std::pair<int, int>> expected = {{172, 128}, {160, 129}};
        if (c.newer) {
            expected.push_back({169, 183});
            expected.push_back({170, 138});
        }
        EXPECT_EQ(commands_of(camera.requests()), expected);
        EXPECT_EQ(ir(stream)->temperatures_big_endian(), c.newer);

        // The frames arrive in the camera's byte order and read back as the
        // camera's temperatures.
        ASSERT_TRUE(delivered.wait([&] { return delivered.temperature_frames >= 2; }));
        const camsim::DeviceModel model = camera.model();
        {
            std::lock_guard<std::mutex> lock(delivered.mutex);
            ASSERT_EQ(delivered.temperature_bytes, model.width * model.height * 4);
            auto range = std::minmax_element(delivered.last_temperatures.begin(), delivered.last_temperatures.end());
            EXPECT_GE(*range.first, kSceneLow);
            EXPECT_LE(*range.second, kSceneHigh);
        }
        uint16_t width = 0;
        uint16_t height = 0;
        EXPECT_TRUE(vy_nvs_get_resolution(stream, &width, &height));
        EXPECT_EQ(width, model.width);
        EXPECT_EQ(height, model.height);

        EXPECT_TRUE(vy_nvs_uninit(&stream));
        camera.stop();
        delivered.update([&] { delivered.temperature_frames = 0; });
    }
}

TEST_F(CameraTest, a_dropped_link_fails_the_command_waiting_on_it)
{
    // No keep-alive: the range switch is the only request in flight.
    stream_timing().ir_keep_alive_ms = 3600 * 1000;
    start_camera();
    connect_ir();
    NvsMeasRange ranges[NVS_MAX_RANGES];
    int32_t count = 0;
    ASSERT_TRUE(vy_nvs_get_temperature_meas_range(stream, &count, ranges));
    ASSERT_GT(count, 0);
    camera.set_answer_delay(3600 * 1000);
    const uint64_t received = camera.stats().received;
    LogWatch log;
    // The switch waits 20 s for its answer; the drop must end it at once.
    std::future<bool> switched = std::async(std::launch::async, [&] {
        return vy_nvs_set_temperature_meas_range(stream, static_cast<int32_t>(ranges[0].range));
    });
    ASSERT_TRUE(camera.wait_for([&](const camsim::CamsimStats& s) { return s.received > received; }));
    camera.drop_links();
    EXPECT_FALSE(switched.get());
    EXPECT_TRUE(log.saw("cmd link dropped, 1 waiting commands failed"));
    EXPECT_EQ(ir(stream)->pending_count(), 0u);
}

TEST_F(CameraTest, link_events_carry_the_device_address_and_reconnect_works)
{
    start_camera();
    connect_ir();
    // Connecting again while connected succeeds without a new handshake.
    std::size_t requests = camera.requests().size();
    EXPECT_TRUE(vy_nvs_connect(stream, camera.address().c_str(), Delivered::on_link, &delivered));
    EXPECT_EQ(camera.requests().size(), requests);

    EXPECT_TRUE(vy_nvs_disconnect(stream));
    ASSERT_TRUE(delivered.wait([&] {
        return std::count(delivered.link_events.begin(), delivered.link_events.end(), NVS_LINK_DISCONNECTED) == 2;
    }));
    {
        std::lock_guard<std::mutex> lock(delivered.mutex);
        EXPECT_EQ(std::count(delivered.link_events.begin(), delivered.link_events.end(), NVS_LINK_CONNECTED), 2);
        for (const std::string& address : delivered.link_addresses) {
            EXPECT_EQ(address, camera.address());
        }
    }
    EXPECT_TRUE(vy_nvs_connect(stream, camera.address().c_str(), Delivered::on_link, &delivered));
    EXPECT_TRUE(delivered.wait([&] { return delivered.temperature_frames > 0; }));
}

TEST_F(CameraTest, keep_alive_sends_fresh_sequence_numbers_while_connected)
{
    stream_timing().ir_keep_alive_ms = 20;
    start_camera();
    connect_ir();
    ASSERT_TRUE(camera.wait_for([](const camsim::CamsimStats& s) { return s.keep_alives >= 3; }));
    std::vector<uint32_t> sequences;
    for (const camsim::RequestRecord& r : camera.requests()) {
        if (r.main_cmd == 173) {
            EXPECT_EQ(r.vice_cmd, 128);
            EXPECT_TRUE(r.payload.empty());
            sequences.push_back(r.sequence);
        }
    }
    ASSERT_GE(sequences.size(), 3u);
    for (std::size_t i = 1; i < sequences.size(); ++i) {
        EXPECT_GT(sequences[i], sequences[i - 1]);
    }
}

TEST_F(CameraTest, commands_round_trip_and_store_what_the_camera_accepted)
{
    start_camera();
    connect_ir();

    EXPECT_TRUE(vy_nvs_set_temperature_params(stream, 0.9f, 12.5f, 30.0f, 0.4f));
    float e = 0, d = 0, a = 0, h = 0;
    EXPECT_TRUE(vy_nvs_get_temperature_params(stream, &e, &d, &a, &h));
    EXPECT_FLOAT_EQ(e, 0.9f);
    EXPECT_FLOAT_EQ(d, 12.5f);
    EXPECT_FLOAT_EQ(a, 30.0f);
    EXPECT_FLOAT_EQ(h, 0.4f);
    EXPECT_FLOAT_EQ(camera.model().params[1], 12.5f);
    EXPECT_TRUE(vy_nvs_get_temperature_params(stream, nullptr, nullptr, &a, nullptr));

    EXPECT_TRUE(vy_nvs_set_temperature_unit(stream, 1));
    int32_t unit = -1;
    EXPECT_TRUE(vy_nvs_get_temperature_unit(stream, &unit));
    EXPECT_EQ(unit, 1);

    // The count is output only: whatever it holds on entry, the table of
    // NVS_MAX_RANGES records is filled.
    for (int32_t entry : {0, 2, static_cast<int>(NVS_MAX_RANGES), -1}) {
        NvsMeasRange ranges[NVS_MAX_RANGES] = {};
        int32_t count = entry;
        ASSERT_TRUE(vy_nvs_get_temperature_meas_range(stream, &count, ranges)) << entry;
        // The simulator offers the two ranges its sample calibration holds.
        ASSERT_EQ(count, 2);
        EXPECT_EQ(ranges[1].range, 1);
        EXPECT_FLOAT_EQ(ranges[0].max_temp, 150.0f);
        EXPECT_FLOAT_EQ(ranges[1].max_temp, 650.0f);
    }

    EXPECT_TRUE(vy_nvs_set_temperature_meas_range(stream, 1));
    int32_t range = -1;
    float low = 0, high = 0;
    EXPECT_TRUE(vy_nvs_get_curr_temperature_meas_range(stream, &range, &low, &high));
    EXPECT_EQ(range, 1);
    EXPECT_FLOAT_EQ(low, 100.0f);
    EXPECT_FLOAT_EQ(high, 650.0f);

    int32_t position = 0;
    EXPECT_TRUE(vy_nvs_get_len_pos(stream, &position));
    EXPECT_EQ(position, 120);
    EXPECT_TRUE(vy_nvs_set_len_pos(stream, 777));
    EXPECT_TRUE(vy_nvs_get_len_pos(stream, &position));
    EXPECT_EQ(position, 777);

    char address[32];
    int32_t length = sizeof(address);
    ASSERT_TRUE(vy_nvs_get_visual_ip(stream, address, &length));
    EXPECT_EQ(std::string(address, static_cast<std::size_t>(length)), camera.address());
    // A buffer one byte short is left untouched.
    char small[32];
    std::memset(small, 'x', sizeof(small));
    length = static_cast<int32_t>(camera.address().size()) - 1;
    EXPECT_FALSE(vy_nvs_get_visual_ip(stream, small, &length));
    EXPECT_EQ(length, static_cast<int32_t>(camera.address().size()));
    EXPECT_EQ(small[0], 'x');

    uint8_t jpeg[64];
    uint32_t jpeg_length = sizeof(jpeg);
    ASSERT_TRUE(vy_nvs_capture_jpg(stream, jpeg, &jpeg_length));
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
    uint32_t tiny = 4;
    EXPECT_FALSE(vy_nvs_capture_jpg(stream, jpeg, &tiny));
    EXPECT_EQ(tiny, jpeg_length);

    bool flag = false;
    EXPECT_TRUE(vy_nvs_set_temperature_overlay_video_flag(stream, true));
    EXPECT_TRUE(vy_nvs_get_temperature_overlay_video_flag(stream, &flag));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(vy_nvs_set_preset_temperature_alarm_upload_flag(stream, false));
    EXPECT_TRUE(vy_nvs_get_preset_temperature_alarm_upload_flag(stream, &flag));
    EXPECT_FALSE(flag);

    EXPECT_TRUE(vy_nvs_set_machine_record_start(stream));
    bool recording = false;
    EXPECT_TRUE(vy_nvs_get_machine_record_status(stream, &recording));
    EXPECT_TRUE(recording);
    EXPECT_TRUE(vy_nvs_set_machine_record_stop(stream));
    EXPECT_TRUE(vy_nvs_get_machine_record_status(stream, &recording));
    EXPECT_FALSE(recording);

    EXPECT_TRUE(vy_nvs_set_imaging_info(stream, 0, 0, 0));
    EXPECT_TRUE(vy_nvs_set_imaging_info(stream, 1, 20, 80));
    EXPECT_TRUE(vy_nvs_set_all_temperature_frequency(stream, 5));
    const uint64_t handled = camera.stats().requests;
    for (auto command : {vy_nvs_motor_forward, vy_nvs_motor_backward, vy_nvs_motor_stop, vy_nvs_zoom_motor_forward,
                         vy_nvs_zoom_motor_backward, vy_nvs_zoom_motor_stop, vy_nvs_auto_focus, vy_nvs_shutter_down,
                         vy_nvs_shutter_up, vy_nvs_temperature_correct, vy_nvs_laser_on, vy_nvs_laser_off,
                         vy_nvs_disable_max_temperature_osd}) {
        EXPECT_TRUE(command(stream));
    }
    EXPECT_TRUE(vy_nvs_stop_realplay(stream));
    // The requests sent without waiting all reached the camera, in order.
    ASSERT_TRUE(camera.wait_for([&](const camsim::CamsimStats& s) { return s.requests >= handled + 14; }));
    std::vector<camsim::RequestRecord> requests = camera.requests();
    EXPECT_EQ(requests[handled].main_cmd, 164);
    EXPECT_EQ(requests[handled].vice_cmd, 130);
    EXPECT_EQ(requests.back().main_cmd, 160);
    EXPECT_EQ(requests.back().vice_cmd, 133);
}

TEST_F(CameraTest, device_info_and_lens_switch)
{
    camsim::CamsimOptions options = small_camera();
    options.hardware = "3.2.1";
    start_camera(options);
    NvsDeviceInfo info;
    void* unconnected = nullptr;
    ASSERT_TRUE(vy_nvs_init(&unconnected, NVS_STREAM_IR));
    EXPECT_FALSE(vy_nvs_get_device_info(unconnected, &info));
    EXPECT_TRUE(vy_nvs_uninit(&unconnected));
    connect_ir();
    EXPECT_FALSE(vy_nvs_get_device_info(stream, nullptr));

    ASSERT_TRUE(vy_nvs_get_device_info(stream, &info));
    EXPECT_STREQ(info.firmware_version, "1.1.39");
    EXPECT_STREQ(info.hardware_version, "3.2.1");
    EXPECT_EQ(info.width, 64);
    EXPECT_EQ(info.height, 48);
    EXPECT_EQ(info.lens_index, 0);
    EXPECT_EQ(info.meas_range, 0);
    EXPECT_EQ(info.lens_adjust_method, 1);
    EXPECT_TRUE(info.lens_position_supported);

    // Lens 1 and its first range in one request; the stored pair follows.
    ASSERT_TRUE(vy_nvs_set_len_and_meas_range(stream, 1, 0));
    EXPECT_EQ(camera.model().lens_index, 1);
    EXPECT_EQ(camera.requests().back().payload, (std::vector<uint8_t>{1, 0}));
    ASSERT_TRUE(vy_nvs_get_device_info(stream, &info));
    EXPECT_EQ(info.lens_index, 1);
    NvsMeasRange ranges[NVS_MAX_RANGES];
    int32_t count = NVS_MAX_RANGES;
    ASSERT_TRUE(vy_nvs_get_temperature_meas_range(stream, &count, ranges));
    EXPECT_EQ(count, 2);

    // Pairs the camera did not list go nowhere.
    auto range_requests = [&] {
        std::size_t n = 0;
        for (const camsim::RequestRecord& r : camera.requests()) {
            n += r.main_cmd == 163 ? 1 : 0;
        }
        return n;
    };
    const std::size_t sent = range_requests();
    for (auto pair : {std::make_pair(1, 2), std::make_pair(-1, 0), std::make_pair(256, 0), std::make_pair(0, 3)}) {
        EXPECT_FALSE(vy_nvs_set_len_and_meas_range(stream, pair.first, pair.second));
    }
    EXPECT_EQ(range_requests(), sent);
}

TEST_F(CameraTest, presets_alarms_and_record_files)
{
    start_camera();
    connect_ir();
    const char text[] = "north gate";
    NvsPresetSetting setting{9, {1, 2, 3, 0xFFFFFFFFu}, text, sizeof(text) - 1};
    EXPECT_TRUE(vy_nvs_set_preset_info(stream, &setting));
    uint16_t current = 0;
    NvsPresetInfo* presets = nullptr;
    uint16_t preset_count = 0;
    ASSERT_TRUE(vy_nvs_get_all_preset_info(stream, &current, &presets, &preset_count));
    ASSERT_EQ(preset_count, 3);
    EXPECT_EQ(current, 1);
    EXPECT_EQ(presets[2].preset_id, 9);
    EXPECT_EQ(presets[2].values[3], 0xFFFFFFFFu);
    EXPECT_STREQ(presets[2].text, "north gate");

    EXPECT_TRUE(vy_nvs_set_preset_alarm_info(stream, 5, "max>90", 6));
    NvsPresetAlarmInfo* alarms = nullptr;
    int32_t alarm_count = 0;
    ASSERT_TRUE(vy_nvs_get_all_preset_alarm_info(stream, &alarms, &alarm_count));
    ASSERT_EQ(alarm_count, 2);
    EXPECT_EQ(alarms[1].preset_id, 5);
    EXPECT_EQ(std::string(alarms[1].text, alarms[1].text_length), "max>90");
    ASSERT_TRUE(vy_nvs_get_all_preset_diff_alarm_info(stream, &alarms, &alarm_count));
    ASSERT_EQ(alarm_count, 1);
    EXPECT_STREQ(alarms[0].text, "delta>5");
    EXPECT_FALSE(vy_nvs_set_preset_alarm_info(stream, 5, nullptr, 3));
    EXPECT_FALSE(vy_nvs_set_preset_alarm_info(stream, 5, "x", 1025));

    uint32_t files = 0;
    ASSERT_TRUE(vy_nvs_get_machine_record_filelist(stream, 0, 0, nullptr, &files));
    EXPECT_EQ(files, 3u);
    NvsRecordFile list[3];
    std::memset(list, 0, sizeof(list));
    files = 2;
    EXPECT_FALSE(vy_nvs_get_machine_record_filelist(stream, 0, 0, list, &files));
    EXPECT_EQ(files, 3u);
    EXPECT_EQ(list[0].name[0], '\0');
    files = 3;
    ASSERT_TRUE(vy_nvs_get_machine_record_filelist(stream, 1, 2, list, &files));
    EXPECT_STREQ(list[0].name, "rec_0001.ps");
    EXPECT_EQ(list[0].second, 200000);
}

TEST_F(CameraTest, parameters_are_checked_before_anything_is_sent)
{
    start_camera();
    connect_ir();
    const float nan = std::nanf("");
    struct Case {
        float e, d, a, h;
        bool accepted;
    };
    const Case cases[] = {
        {0.0f, 1.0f, 20.0f, 0.5f, true},      {1.0f, 1.0f, 20.0f, 0.5f, true},
        {1.01f, 1.0f, 20.0f, 0.5f, false},    {0.9f, 0.0f, 20.0f, 0.5f, false},
        {0.9f, 100000.0f, 20.0f, 0.5f, true}, {0.9f, 100001.0f, 20.0f, 0.5f, false},
        {0.9f, 1.0f, -273.15f, 0.5f, true},   {0.9f, 1.0f, -273.2f, 0.5f, false},
        {0.9f, 1.0f, 300.0f, 0.0f, true},     {0.9f, 1.0f, 20.0f, 1.0f, false},
        {nan, 1.0f, 20.0f, 0.5f, false},      {0.9f, nan, 20.0f, 0.5f, false},
        {0.9f, 1.0f, nan, 0.5f, false},       {0.9f, 1.0f, 20.0f, nan, false},
    };
    for (const Case& c : cases) {
        std::size_t before = camera.requests().size();
        EXPECT_EQ(vy_nvs_set_temperature_params(stream, c.e, c.d, c.a, c.h), c.accepted)
            << c.e << " " << c.d << " " << c.a << " " << c.h;
        EXPECT_EQ(camera.requests().size(), before + (c.accepted ? 1 : 0));
    }
    std::size_t before = camera.requests().size();
    EXPECT_FALSE(vy_nvs_set_temperature_unit(stream, 3));
    EXPECT_FALSE(vy_nvs_set_temperature_unit(stream, -1));
    EXPECT_FALSE(vy_nvs_set_temperature_meas_range(stream, 7));
    EXPECT_EQ(camera.requests().size(), before);
}

TEST_F(CameraTest, concurrent_commands_each_get_their_own_answer)
{
    start_camera();
    connect_ir();
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 15; ++i) {
                bool on = false;
                if (!vy_nvs_get_temperature_overlay_video_flag(stream, &on)) {
                    ++failures;
                }
            }
        });
    }
    for (std::thread& t : threads) {
        t.join();
    }
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(ir(stream)->pending_count(), 0u);
}

TEST_F(CameraTest, a_timed_out_command_leaves_no_entry_and_its_late_answer_changes_nothing)
{
    start_camera();
    connect_ir();
    float before = 0;
    ASSERT_TRUE(vy_nvs_get_temperature_params(stream, &before, nullptr, nullptr, nullptr));
    camera.set_answer_delay(300);
    stream_timing().command_wait_cap_ms = 50;
    uint64_t answers = ir(stream)->responses_received();
    LogWatch log;
    EXPECT_FALSE(vy_nvs_set_temperature_params(stream, 0.5f, 2.0f, 20.0f, 0.5f));
    EXPECT_TRUE(log.saw("cmd [163, 129] sequence"));
    EXPECT_EQ(ir(stream)->pending_count(), 0u);
    // The late answer arrives and is matched to nothing.
    ASSERT_TRUE(delivered.wait([&] { return ir(stream)->responses_received() > answers; }));
    float after = 0;
    ASSERT_TRUE(vy_nvs_get_temperature_params(stream, &after, nullptr, nullptr, nullptr));
    EXPECT_FLOAT_EQ(after, before);
    EXPECT_EQ(ir(stream)->pending_count(), 0u);
    EXPECT_FLOAT_EQ(camera.model().params[0], 0.5f);
}

TEST_F(CameraTest, deinit_wakes_a_command_waiting_for_its_answer)
{
    start_camera();
    connect_ir();
    camera.set_answer_delay(60000);
    uint64_t before = camera.stats().received;
    NetVideoStreamIR* object = ir(stream);
    auto started = std::chrono::steady_clock::now();
    std::thread waiter([&] {
        int32_t position = 0;
        EXPECT_FALSE(vy_nvs_get_len_pos(stream, &position));
    });
    // The request is out and unanswered.
    ASSERT_TRUE(camera.wait_for([&](const camsim::CamsimStats& s) { return s.received > before; }));
    object->deinit();
    waiter.join();
    // Far below the 10 s the command would otherwise wait.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}
