// Placeholder bodies: every operation refuses until the frame core lands.
#include "sensekern.h"

bool sensekern_init(void**) { return false; }
bool sensekern_uninit(void**) { return false; }
bool sensekern_load_calibration_file(void*, const char*) { return false; }
bool sensekern_set_len_and_range(void*, LenType, MeasRange) { return false; }
bool sensekern_set_ad_frame(void*, const uint16_t*, uint16_t, uint16_t) { return false; }
bool sensekern_get_ad_frame(void*, uint16_t*, uint32_t*) { return false; }
bool sensekern_set_capture_time(void*, const tagTimeVal*) { return false; }
bool sensekern_get_capture_time(void*, tagTimeVal*) { return false; }
bool sensekern_set_auto_imaging(void*, bool) { return false; }
bool sensekern_set_zoom_factor(void*, ImageZoomFactor) { return false; }
bool sensekern_get_thumbnail_bits(void*, uint16_t, uint16_t, uint32_t*) { return false; }
bool sensekern_probe_file(void*, const char*, SensekernFileKind*) { return false; }
bool sensekern_load_picture_file(void*, const char*) { return false; }
bool sensekern_load_picture_buffer(void*, const uint8_t*, uint64_t) { return false; }
bool sensekern_load_national_grid_file(void*, const char*) { return false; }
bool sensekern_load_national_grid_buffer(void*, const uint8_t*, uint64_t) { return false; }
bool sensekern_get_picture_length(void*, const char*, uint64_t*) { return false; }
bool sensekern_get_attached_data(void*, SensekernAttached, uint8_t*, uint32_t*) { return false; }
bool sensekern_record_open(void**, const char*) { return false; }
bool sensekern_record_close(void**) { return false; }
bool sensekern_record_get_info(void*, uint32_t*, uint16_t*, uint16_t*, bool*) { return false; }
bool sensekern_record_get_mac_info(void*, char*, char*, char*, char*, char*) { return false; }
bool sensekern_record_load_frame(void*, uint32_t, void*, tagTimeVal*) { return false; }
bool sensekern_record_get_frame_mark(void*, uint32_t, uint8_t*, uint32_t*) { return false; }
bool sensekern_record_get_mark_count(void*, uint32_t*) { return false; }
bool sensekern_record_get_mark_frame(void*, uint32_t, uint32_t*) { return false; }
bool sensekern_record_get_note(void*, uint8_t*, uint32_t*) { return false; }
bool sensekern_get_temperature_and_ad_from_position(void*, uint16_t, uint16_t, uint16_t*, float*) { return false; }
bool sensekern_get_temperature_from_ad(void*, const uint16_t*, uint32_t, float*) { return false; }
bool sensekern_get_ad_from_temperature(void*, float, uint16_t*) { return false; }
bool sensekern_get_max_temperature(void*, tagPAD*, float*) { return false; }
bool sensekern_get_min_temperature(void*, tagPAD*, float*) { return false; }
bool sensekern_get_avg_temperature(void*, uint16_t*, float*) { return false; }
bool sensekern_get_all_pixel_temperature(void*, float*) { return false; }
bool sensekern_get_line_temperature(void*, uint16_t, uint16_t, uint16_t, uint16_t, tagPAD*, float*, tagPAD*, float*, uint16_t*, float*) { return false; }
bool sensekern_get_rect_temperature(void*, uint16_t, uint16_t, uint16_t, uint16_t, tagPAD*, float*, tagPAD*, float*, uint16_t*, float*) { return false; }
bool sensekern_get_line_temperature_ex(void*, uint16_t, uint16_t, uint16_t, uint16_t, uint16_t*, uint16_t*, uint16_t*, float*, uint16_t*, uint16_t*, uint16_t*, float*, uint16_t*, float*) { return false; }
bool sensekern_get_rect_temperature_ex(void*, uint16_t, uint16_t, uint16_t, uint16_t, uint16_t*, uint16_t*, uint16_t*, float*, uint16_t*, uint16_t*, uint16_t*, float*, uint16_t*, float*) { return false; }
bool sensekern_get_temperature_para(void*, float*, float*, float*, float*, float*, float*, TemperatureUnit*) { return false; }
bool sensekern_set_emiss(void*, float) { return false; }
bool sensekern_set_dist(void*, float) { return false; }
bool sensekern_set_env_temp(void*, float) { return false; }
bool sensekern_set_rel_hum(void*, float) { return false; }
bool sensekern_set_modify_temp(void*, float) { return false; }
bool sensekern_set_enviroment_reference_temperature(void*, float) { return false; }
bool sensekern_set_temperature_unit(void*, TemperatureUnit) { return false; }
bool sensekern_get_handle_of_ad_temp(void*, void**) { return false; }
bool sensekern_get_supported_lens_info(void*, tagLenInfo*, unsigned char*) { return false; }
bool sensekern_get_cur_len_range_info(void*, tagLenInfo*) { return false; }
bool sensekern_get_mac_info(void*, char*, char*, char*, char*, char*) { return false; }
bool sensekern_get_resolution(void*, uint16_t*, uint16_t*) { return false; }
bool sensekern_get_zoom_factor(void*, ImageZoomFactor*) { return false; }
bool sensekern_get_bits(void*, unsigned char*) { return false; }
bool sensekern_get_palette(void*, PALETTE*) { return false; }
bool sensekern_set_palette(void*, PALETTE) { return false; }
bool sensekern_get_imaging_range(void*, uint16_t*, uint16_t*) { return false; }
bool sensekern_set_imaging_range(void*, uint16_t, uint16_t) { return false; }
bool sensekern_set_low_of_imaging_range(void*, uint16_t) { return false; }
bool sensekern_set_high_of_imaging_range(void*, uint16_t) { return false; }
bool sensekern_auto_imaging(void*) { return false; }
bool sensekern_get_imaging_algorithm_mode(void*, ImagingAlgorithmMode*) { return false; }
bool sensekern_set_imaging_algorithm_mode(void*, ImagingAlgorithmMode) { return false; }
bool sensekern_enable_image_process(void*, bool) { return false; }
bool sensekern_enable_image_stabilization(void*) { return false; }
bool sensekern_disable_image_stabilization(void*) { return false; }
bool sensekern_add_isotherm(void*, float, float, uint32_t, bool, void**) { return false; }
bool sensekern_update_isotherm(void*, void*, float, float, uint32_t, bool) { return false; }
bool sensekern_delete_isotherm(void*, void*) { return false; }
bool sensekern_delete_all_isotherm(void*) { return false; }
bool sensekern_start_record(void*, const char*, void**) { return false; }
bool sensekern_start_record_w(void*, const wchar_t*, void**) { return false; }
bool sensekern_record_one_frame(void*, void*, uint16_t, void*) { return false; }
bool sensekern_stop_record(void*, void**, uint32_t, void*) { return false; }
bool sensekern_get_record_file_length(void*, void*, uint32_t*) { return false; }
bool sensekern_append_temperature_to_file(void*, const char*, const unsigned char*, uint32_t, const unsigned char*, uint32_t, const unsigned char*, uint32_t) { return false; }
bool sensekern_append_temperature_to_file_w(void*, const wchar_t*, const unsigned char*, uint32_t, const unsigned char*, uint32_t, const unsigned char*, uint32_t) { return false; }
bool sensekern_append_temperature_to_national_grid_file(void*, const char*, const unsigned char*, uint32_t) { return false; }
bool sensekern_append_temperature_to_national_grid_file_w(void*, const wchar_t*, const unsigned char*, uint32_t) { return false; }
bool sensekern_add_anas(void*, const char*) { return false; }
bool sensekern_delete_anas(void*, const char*) { return false; }
bool sensekern_delete_all_ana(void*) { return false; }
bool sensekern_update_ana_size(void*, const char*, const char*) { return false; }
bool sensekern_get_hit_ana(void*, int32_t, int32_t, AnaType*, char*, uint32_t*) { return false; }
bool sensekern_ana_get_alias(void*, const char*, char*, uint32_t*) { return false; }
bool sensekern_ana_set_alias(void*, const char*, const char*) { return false; }
bool sensekern_ana_get_max_temperature(void*, const char*, tagPAD*, float*) { return false; }
bool sensekern_ana_get_min_temperature(void*, const char*, tagPAD*, float*) { return false; }
bool sensekern_ana_get_avg_temperature(void*, const char*, uint16_t*, float*) { return false; }
bool sensekern_ana_get_temperature(void*, const char*, uint32_t*, float*) { return false; }
bool sensekern_ana_get_pixel_count(void*, const char*, uint32_t*) { return false; }
bool sensekern_get_cursor_info(void*, const char*, bool*, bool*, float*, uint16_t*, uint16_t*, float*) { return false; }
bool sensekern_ana_get_line_color(void*, const char*, uint32_t*) { return false; }
bool sensekern_ana_set_line_color(void*, const char*, uint32_t) { return false; }
bool sensekern_ana_get_show_text_type(void*, const char*, ShowTextType*) { return false; }
bool sensekern_ana_set_show_text_type(void*, const char*, ShowTextType) { return false; }
bool sensekern_ana_is_show_max_point(void*, const char*, bool*) { return false; }
bool sensekern_ana_show_max_point(void*, const char*, bool) { return false; }
bool sensekern_ana_is_show_min_point(void*, const char*, bool*) { return false; }
bool sensekern_ana_show_min_point(void*, const char*, bool) { return false; }
bool sensekern_ana_is_visible(void*, const char*, bool*) { return false; }
bool sensekern_ana_set_visible(void*, const char*, bool) { return false; }
bool sensekern_ana_is_can_move(void*, const char*, bool*) { return false; }
bool sensekern_ana_set_can_move(void*, const char*, bool) { return false; }
bool sensekern_ana_show_cursor(void*, const char*, bool) { return false; }
bool sensekern_ana_show_temp_of_cursor(void*, const char*, bool) { return false; }
bool sensekern_ana_set_scale_of_cursor(void*, const char*, float) { return false; }
bool sensekern_ana_is_use_self_palette(void*, const char*, bool*) { return false; }
bool sensekern_ana_apply_self_palette(void*, const char*, bool) { return false; }
bool sensekern_ana_get_palette(void*, const char*, PALETTE*) { return false; }
bool sensekern_ana_set_palette(void*, const char*, PALETTE) { return false; }
bool sensekern_ana_get_imaging_range(void*, const char*, uint16_t*, uint16_t*) { return false; }
bool sensekern_ana_set_imaging_range(void*, const char*, uint16_t, uint16_t) { return false; }
bool sensekern_ana_set_low_of_imaging_range(void*, const char*, uint16_t) { return false; }
bool sensekern_ana_set_high_of_imaging_range(void*, const char*, uint16_t) { return false; }
bool sensekern_ana_auto_imaging(void*, const char*) { return false; }
bool sensekern_ana_get_self_para(void*, const char*, bool*, float*, float*) { return false; }
bool sensekern_ana_set_self_para(void*, const char*, bool, float, float) { return false; }
