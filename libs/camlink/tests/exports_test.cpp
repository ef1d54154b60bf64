// The exported road as an outside caller takes it: the simulated detector
// over the program directory's own files, and every export's handle check.
#include "device_fixture.h"

#include <functional>

using namespace cltest;

TEST(camlink_exports, the_simulated_detector_from_the_program_directory)
{
    // The build puts "detector" and "ad_temp" beside the test program.
    void* handle = nullptr;
    ASSERT_TRUE(vy_dc_init(&handle));
    uint16_t width = 0, height = 0;
    ASSERT_TRUE(vy_dc_get_capture_resolution(handle, &width, &height));
    EXPECT_EQ(640, width);
    EXPECT_EQ(480, height);
    FrameCounter counter;
    ASSERT_TRUE(vy_dc_set_cb_one_frame_received(handle, FrameCounter::callback, &counter));
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(handle, 0, 0));
    ASSERT_TRUE(counter.wait_for(2));
    EXPECT_TRUE(vy_dc_capture_one_frame(handle));
    // Register read-backs of the simulated detector give 0: settings fail.
    EXPECT_FALSE(vy_dc_set_left_edge(handle, 5));
    ASSERT_TRUE(vy_dc_uninit(&handle));
    EXPECT_EQ(nullptr, handle);
}

TEST(camlink_exports, bad_handles_touch_nothing)
{
    uint16_t u16 = 0, u16b = 0;
    int16_t i16 = 0;
    uint8_t u8 = 0;
    int32_t i32 = 0;
    bool b = false, b2 = false;
    float f[4];
    char text[32];
    uint32_t length = sizeof(text);
    VyDcThreeIsotherm three = {};
    const std::vector<std::pair<const char*, std::function<bool(void*)>>> calls = {
        {"capture_one_frame", [&](void* h) { return vy_dc_capture_one_frame(h); }},
        {"set_cb_one_frame_received", [&](void* h) { return vy_dc_set_cb_one_frame_received(h, nullptr, nullptr); }},
        {"set_cb_temp_correct_started", [&](void* h) { return vy_dc_set_cb_temp_correct_started(h, nullptr, nullptr); }},
        {"set_cb_temp_correct_finished", [&](void* h) { return vy_dc_set_cb_temp_correct_finished(h, nullptr, nullptr); }},
        {"set_frame_cache_count", [&](void* h) { return vy_dc_set_frame_cache_count(h, 2); }},
        {"open_infrared_capture", [&](void* h) { return vy_dc_open_infrared_capture(h); }},
        {"close_infrared_capture", [&](void* h) { return vy_dc_close_infrared_capture(h); }},
        {"get_capture_resolution", [&](void* h) { return vy_dc_get_capture_resolution(h, &u16, &u16b); }},
        {"add_isotherm", [&](void* h) { return vy_dc_add_isotherm(h, 1, 2, 0, 0, &i32); }},
        {"update_isotherm", [&](void* h) { return vy_dc_update_isotherm(h, 0, 1, 2, 0, 0); }},
        {"delete_isotherm", [&](void* h) { return vy_dc_delete_isotherm(h, 0); }},
        {"get_isotherm_related_ad", [&](void* h) { return vy_dc_get_isotherm_related_ad(h, &u16, &u16b); }},
        {"set_isotherm_index_percent", [&](void* h) { return vy_dc_set_isotherm_index_percent(h, 0.5f, 0.5f); }},
        {"set_imaging_process_status", [&](void* h) { return vy_dc_set_imaging_process_status(h, true, true); }},
        {"set_stabilization_value", [&](void* h) { return vy_dc_set_stabilization_value(h, 1, 1, 0.3f); }},
        {"is_fpga_fire_alg", [&](void* h) { return vy_dc_is_fpga_fire_alg(h, &b); }},
        {"get_hardware_version", [&](void* h) { return vy_dc_get_hardware_version(h, text, &length); }},
        {"get_fpga_compile_time", [&](void* h) { return vy_dc_get_fpga_compile_time(h, text, &length); }},
        {"get_detector_resolution", [&](void* h) { return vy_dc_get_detector_resolution(h, &u16, &u16b); }},
        {"reset_fpga", [&](void* h) { return vy_dc_reset_fpga(h); }},
        {"enable_fixed_reset_fpga", [&](void* h) { return vy_dc_enable_fixed_reset_fpga(h); }},
        {"disable_fixed_reset_fpga", [&](void* h) { return vy_dc_disable_fixed_reset_fpga(h); }},
        {"enable_reboot_sys", [&](void* h) { return vy_dc_enable_reboot_sys(h); }},
        {"disable_reboot_sys", [&](void* h) { return vy_dc_disable_reboot_sys(h); }},
        {"shutter_down", [&](void* h) { return vy_dc_shutter_down(h); }},
        {"shutter_up", [&](void* h) { return vy_dc_shutter_up(h); }},
        {"buzzer_on", [&](void* h) { return vy_dc_buzzer_on(h); }},
        {"buzzer_off", [&](void* h) { return vy_dc_buzzer_off(h); }},
        {"lasor_on", [&](void* h) { return vy_dc_lasor_on(h); }},
        {"lasor_off", [&](void* h) { return vy_dc_lasor_off(h); }},
        {"wiper_on", [&](void* h) { return vy_dc_wiper_on(h); }},
        {"wiper_off", [&](void* h) { return vy_dc_wiper_off(h); }},
        {"read_len_type_from_fpga", [&](void* h) { return vy_dc_read_len_type_from_fpga(h, &i32); }},
        {"set_back_light", [&](void* h) { return vy_dc_set_back_light(h, 1); }},
        {"motor_forward", [&](void* h) { return vy_dc_motor_forward(h); }},
        {"motor_backward", [&](void* h) { return vy_dc_motor_backward(h); }},
        {"motor_stop", [&](void* h) { return vy_dc_motor_stop(h); }},
        {"zoom_motor_forward", [&](void* h) { return vy_dc_zoom_motor_forward(h); }},
        {"zoom_motor_backward", [&](void* h) { return vy_dc_zoom_motor_backward(h); }},
        {"zoom_motor_stop", [&](void* h) { return vy_dc_zoom_motor_stop(h); }},
        {"get_motor_location", [&](void* h) { return vy_dc_get_motor_location(h, &b, &b2); }},
        {"auto_focus", [&](void* h) { return vy_dc_auto_focus(h, 1, 1, 2, 2); }},
        {"is_auto_focus", [&](void* h) { return vy_dc_is_auto_focus(h, &b); }},
        {"set_auto_focus_precision", [&](void* h) { return vy_dc_set_auto_focus_precision(h, 1); }},
        {"auto_focus_by_software", [&](void* h) { return vy_dc_auto_focus_by_software(h, true); }},
        {"get_len_pos", [&](void* h) { return vy_dc_get_len_pos(h, &u16); }},
        {"get_zoom_pos", [&](void* h) { return vy_dc_get_zoom_pos(h, &u16); }},
        {"set_len_pos", [&](void* h) { return vy_dc_set_len_pos(h, 5); }},
        {"set_zoom_pos", [&](void* h) { return vy_dc_set_zoom_pos(h, 5); }},
        {"temperature_correct", [&](void* h) { return vy_dc_temperature_correct(h); }},
        {"set_temperature_interval_of_correct", [&](void* h) { return vy_dc_set_temperature_interval_of_correct(h, 1); }},
        {"set_disable_temperature_correct_flag", [&](void* h) { return vy_dc_set_disable_temperature_correct_flag(h, true); }},
        {"get_temperature_sensor", [&](void* h) { return vy_dc_get_temperature_sensor(h, &f[0], &f[1], &f[2], &f[3]); }},
        {"get_cur_environment", [&](void* h) { return vy_dc_get_cur_environment(h, &i32); }},
        {"set_len_and_meas_range", [&](void* h) { return vy_dc_set_len_and_meas_range(h, 0, 0); }},
        {"set_meas_para", [&](void* h) { return vy_dc_set_meas_para(h, 0, 0, 1, 1, 1, 1); }},
        {"get_meas_para", [&](void* h) { return vy_dc_get_meas_para(h, 0, 0, &u16, &u16b, &u8, &u16); }},
        {"set_dac", [&](void* h) { return vy_dc_set_dac(h, LenType{0}, MeasRange{0}, 1); }},
        {"get_dac", [&](void* h) { return vy_dc_get_dac(h, LenType{0}, MeasRange{0}, i16); }},
        {"set_ndac", [&](void* h) { return vy_dc_set_ndac(h, LenType{0}, MeasRange{0}, 1, 1); }},
        {"get_ndac", [&](void* h) { return vy_dc_get_ndac(h, LenType{0}, MeasRange{0}, u16, u16b); }},
        {"set_left_edge", [&](void* h) { return vy_dc_set_left_edge(h, 1); }},
        {"get_left_edge", [&](void* h) { return vy_dc_get_left_edge(h, &u16); }},
        {"set_top_edge", [&](void* h) { return vy_dc_set_top_edge(h, 1); }},
        {"get_top_dege", [&](void* h) { return vy_dc_get_top_dege(h, &u16); }},
        {"set_reverse_type", [&](void* h) { return vy_dc_set_reverse_type(h, 0, 1); }},
        {"get_reverse_type", [&](void* h) { return vy_dc_get_reverse_type(h, 0, &u8); }},
        {"set_output_data_type", [&](void* h) { return vy_dc_set_output_data_type(h, 5); }},
        {"set_shift_compensation", [&](void* h) { return vy_dc_set_shift_compensation(h, 0, 0, 1); }},
        {"get_shift_compensation", [&](void* h) { return vy_dc_get_shift_compensation(h, 0, 0, &u16); }},
        {"add_len", [&](void* h) { return vy_dc_add_len(h, 3); }},
        {"delete_len", [&](void* h) { return vy_dc_delete_len(h, 0); }},
        {"is_support_len", [&](void* h) { return vy_dc_is_support_len(h, 0); }},
        {"get_supported_lens", [&](void* h) { return vy_dc_get_supported_lens(h, nullptr, &length); }},
        {"save_detector_cfg_to_file", [&](void* h) { return vy_dc_save_detector_cfg_to_file(h, "/nonexistent/d"); }},
        {"two_pts_correct", [&](void* h) { return vy_dc_two_pts_correct(h, 0); }},
        {"calc_k", [&](void* h) { return vy_dc_calc_k(h); }},
        {"write_k", [&](void* h) { return vy_dc_write_k(h); }},
        {"calc_outer_correct", [&](void* h) { return vy_dc_calc_outer_correct(h, 1); }},
        {"apply_outer_correct", [&](void* h) { return vy_dc_apply_outer_correct(h, true); }},
        {"delete_outer_correct", [&](void* h) { return vy_dc_delete_outer_correct(h, 0, 0); }},
        {"has_outer_correct", [&](void* h) { return vy_dc_has_outer_correct(h, 0, 0, &b); }},
        {"add_bad_pt", [&](void* h) { return vy_dc_add_bad_pt(h, 1, 1); }},
        {"update_bad_pts", [&](void* h) { return vy_dc_update_bad_pts(h); }},
        {"bad_pts_op_of_fpga", [&](void* h) { return vy_dc_bad_pts_op_of_fpga(h, 32); }},
        {"set_bad_pts_threshold", [&](void* h) { return vy_dc_set_bad_pts_threshold(h, 1); }},
        {"get_bad_pts_threshold", [&](void* h) { return vy_dc_get_bad_pts_threshold(h, &u16); }},
        {"disable_repair_bad_pts", [&](void* h) { return vy_dc_disable_repair_bad_pts(h); }},
        {"modify_bad_repairs_algorithm", [&](void* h) { return vy_dc_modify_bad_repairs_algorithm(h, true, 40); }},
        {"set_org_data_threshold", [&](void* h) { return vy_dc_set_org_data_threshold(h, 1); }},
        {"get_org_data_threshold", [&](void* h) { return vy_dc_get_org_data_threshold(h, &u16); }},
        {"get_org_data_range", [&](void* h) { return vy_dc_get_org_data_range(h, &u16, &u16b); }},
        {"get_ad_num_beyond", [&](void* h) { return vy_dc_get_ad_num_beyond(h, &u16, &u16b); }},
    };
    // 100 exports: these 93, the three isotherm exports that report false
    // whatever happens, and the four object functions tested elsewhere.
    EXPECT_EQ(93u, calls.size());
    int foreign = 7;
    Device freed;
    void* stale = freed.handle;
    ASSERT_TRUE(vy_dc_uninit(&freed.handle));
    for (void* bad : {static_cast<void*>(nullptr), static_cast<void*>(&foreign), stale}) {
        for (const auto& call : calls) {
            EXPECT_FALSE(call.second(bad)) << call.first;
        }
        EXPECT_FALSE(vy_dc_update_3_isotherm(bad, &three));
    }
    EXPECT_EQ(7, foreign);
}
