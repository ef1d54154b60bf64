// The exported functions through the shared library, without a camera.
#include "streamnet.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <string>
#include <utility>

TEST(stream_api, the_library_exports_every_function)
{
#define EXPORT(f) {#f, reinterpret_cast<void*>(&f)}
    const std::pair<const char*, void*> exports[] = {
        EXPORT(vy_nvs_init),
        EXPORT(vy_nvs_uninit),
        EXPORT(vy_nvs_connect),
        EXPORT(vy_nvs_disconnect),
        EXPORT(vy_nvs_get_vi_ir_cut_file),
        EXPORT(vy_nvs_get_all_preset_info),
        EXPORT(vy_nvs_set_preset_info),
        EXPORT(vy_nvs_get_visual_ip),
        EXPORT(vy_nvs_get_all_preset_alarm_info),
        EXPORT(vy_nvs_set_preset_alarm_info),
        EXPORT(vy_nvs_get_all_preset_diff_alarm_info),
        EXPORT(vy_nvs_set_preset_diff_alarm_info),
        EXPORT(vy_nvs_set_realtime_rule_temperature_callback),
        EXPORT(vy_nvs_set_realtime_rule_temperature_alarm_callback),
        EXPORT(vy_nvs_set_realtime_rule_temperature_diff_alarm_callback),
        EXPORT(vy_nvs_set_temperature_overlay_video_flag),
        EXPORT(vy_nvs_get_temperature_overlay_video_flag),
        EXPORT(vy_nvs_set_preset_temperature_alarm_upload_flag),
        EXPORT(vy_nvs_get_preset_temperature_alarm_upload_flag),
        EXPORT(vy_nvs_set_machine_record_start),
        EXPORT(vy_nvs_set_machine_record_stop),
        EXPORT(vy_nvs_get_machine_record_status),
        EXPORT(vy_nvs_get_machine_record_filelist),
        EXPORT(vy_nvs_download_machine_record_file),
        EXPORT(vy_nvs_capture_jpg),
        EXPORT(vy_nvs_motor_forward),
        EXPORT(vy_nvs_motor_backward),
        EXPORT(vy_nvs_motor_stop),
        EXPORT(vy_nvs_zoom_motor_forward),
        EXPORT(vy_nvs_zoom_motor_backward),
        EXPORT(vy_nvs_zoom_motor_stop),
        EXPORT(vy_nvs_auto_focus),
        EXPORT(vy_nvs_shutter_down),
        EXPORT(vy_nvs_shutter_up),
        EXPORT(vy_nvs_temperature_correct),
        EXPORT(vy_nvs_laser_on),
        EXPORT(vy_nvs_laser_off),
        EXPORT(vy_nvs_set_temperature_params),
        EXPORT(vy_nvs_get_temperature_params),
        EXPORT(vy_nvs_set_temperature_unit),
        EXPORT(vy_nvs_get_temperature_unit),
        EXPORT(vy_nvs_set_all_temperature_frequency),
        EXPORT(vy_nvs_set_cb_one_temperature_frame_received),
        EXPORT(vy_nvs_get_resolution),
        EXPORT(vy_nvs_set_imaging_info_received),
        EXPORT(vy_nvs_set_imaging_info),
        EXPORT(vy_nvs_get_temperature_meas_range),
        EXPORT(vy_nvs_get_curr_temperature_meas_range),
        EXPORT(vy_nvs_set_temperature_meas_range),
        EXPORT(vy_nvs_set_len_pos),
        EXPORT(vy_nvs_get_len_pos),
        EXPORT(vy_nvs_stop_realplay),
        EXPORT(vy_nvs_disable_max_temperature_osd),
        EXPORT(vy_nvs_set_cb_cmd_finished),
        EXPORT(vy_nvs_set_cb_one_frame_received),
        EXPORT(vy_nvs_set_cb_one_frame_received_with_type),
        EXPORT(vy_nvs_set_cb_preset_changed),
        EXPORT(vy_nvs_start_record),
        EXPORT(vy_nvs_record_one_frame),
        EXPORT(vy_nvs_stop_record),
    };
#undef EXPORT
    ASSERT_EQ(sizeof(exports) / sizeof(exports[0]), 60u);
    for (const auto& e : exports) {
        // Each resolves to a dynamic symbol of the shared library.
        Dl_info info{};
        ASSERT_NE(dladdr(e.second, &info), 0) << e.first;
        ASSERT_NE(info.dli_fname, nullptr) << e.first;
        EXPECT_NE(std::string(info.dli_fname).find("libstreamnet.so"), std::string::npos) << e.first;
        ASSERT_NE(info.dli_sname, nullptr) << e.first;
        EXPECT_NE(std::string(info.dli_sname).find(e.first), std::string::npos) << info.dli_sname;
    }
}

TEST(stream_api, init_refuses_unknown_kinds)
{
    void* handle = reinterpret_cast<void*>(0x1);
    EXPECT_FALSE(vy_nvs_init(&handle, 2));
    EXPECT_EQ(handle, nullptr);
    EXPECT_FALSE(vy_nvs_init(&handle, -1));
    EXPECT_EQ(handle, nullptr);
    EXPECT_FALSE(vy_nvs_init(nullptr, 0));
}

TEST(stream_api, null_foreign_and_freed_handles_touch_nothing)
{
    int foreign = 0;
    void* freed = nullptr;
    ASSERT_TRUE(vy_nvs_init(&freed, NVS_STREAM_IR));
    void* stale = freed;
    ASSERT_TRUE(vy_nvs_uninit(&freed));
    EXPECT_EQ(freed, nullptr);
    EXPECT_FALSE(vy_nvs_uninit(&freed));

    for (void* bad : {static_cast<void*>(nullptr), static_cast<void*>(&foreign), stale}) {
        EXPECT_FALSE(vy_nvs_connect(bad, "127.0.0.1", nullptr, nullptr));
        EXPECT_FALSE(vy_nvs_disconnect(bad));
        EXPECT_FALSE(vy_nvs_set_cb_one_frame_received(bad, nullptr, nullptr));
        EXPECT_FALSE(vy_nvs_set_cb_cmd_finished(bad, nullptr, nullptr));
        EXPECT_FALSE(vy_nvs_start_record(bad, "/tmp/x"));
        EXPECT_FALSE(vy_nvs_record_one_frame(bad));
        EXPECT_FALSE(vy_nvs_stop_record(bad));
        EXPECT_FALSE(vy_nvs_laser_on(bad));
        uint16_t w = 7;
        uint16_t h = 7;
        EXPECT_FALSE(vy_nvs_get_resolution(bad, &w, &h));
        EXPECT_EQ(w, 7);
        int32_t status = 0;
        uint32_t length = 9;
        EXPECT_FALSE(vy_nvs_get_vi_ir_cut_file(bad, &status, &length, nullptr));
        EXPECT_EQ(status, NVS_CUT_FILE_NO_HANDLE);
        EXPECT_EQ(length, 9u);
        void* copy = bad;
        EXPECT_FALSE(vy_nvs_uninit(&copy));
        EXPECT_EQ(copy, bad);
    }
}

TEST(stream_api, calibration_file_arguments_and_the_infrared_answer)
{
    void* ir = nullptr;
    void* visible = nullptr;
    ASSERT_TRUE(vy_nvs_init(&ir, NVS_STREAM_IR));
    ASSERT_TRUE(vy_nvs_init(&visible, NVS_STREAM_VISIBLE));
    uint32_t length = 10;
    EXPECT_FALSE(vy_nvs_get_vi_ir_cut_file(ir, nullptr, &length, nullptr));
    int32_t status = 0;
    EXPECT_FALSE(vy_nvs_get_vi_ir_cut_file(visible, &status, nullptr, nullptr));
    EXPECT_EQ(status, NVS_CUT_FILE_NO_ROOM);
    EXPECT_FALSE(vy_nvs_get_vi_ir_cut_file(ir, &status, &length, nullptr));
    EXPECT_EQ(status, NVS_CUT_FILE_WRONG_KIND);
    EXPECT_EQ(length, 0u);

    // Required pointers.
    EXPECT_FALSE(vy_nvs_connect(ir, nullptr, nullptr, nullptr));
    EXPECT_FALSE(vy_nvs_get_resolution(ir, nullptr, nullptr));
    EXPECT_FALSE(vy_nvs_get_len_pos(ir, nullptr));
    EXPECT_FALSE(vy_nvs_get_machine_record_filelist(ir, 0, 0, nullptr, nullptr));
    EXPECT_FALSE(vy_nvs_download_machine_record_file(ir, nullptr, "/tmp/x"));
    EXPECT_FALSE(vy_nvs_capture_jpg(ir, nullptr, &length));
    // A stream without a connection sends nothing and fails.
    EXPECT_FALSE(vy_nvs_laser_on(ir));
    EXPECT_FALSE(vy_nvs_get_temperature_overlay_video_flag(ir, reinterpret_cast<bool*>(&status)));
    EXPECT_TRUE(vy_nvs_uninit(&ir));
    EXPECT_TRUE(vy_nvs_uninit(&visible));
}

TEST(stream_api, a_refused_connect_reports_failure)
{
    // The camera simulator never takes 127.0.x.y: nothing listens there.
    for (int type : {NVS_STREAM_IR, NVS_STREAM_VISIBLE}) {
        void* stream = nullptr;
        ASSERT_TRUE(vy_nvs_init(&stream, type));
        EXPECT_FALSE(vy_nvs_connect(stream, "127.0.77.55", nullptr, nullptr)) << type;
        EXPECT_TRUE(vy_nvs_uninit(&stream));
    }
}
