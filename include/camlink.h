// camlink: the capture device of a locally attached infrared detector.
//
// A device handle drives one detector (here a simulated one: register reads
// give 0, writes succeed, frames come from a moving test pattern), keeps its
// configuration (lenses, measuring parameters, corrections) in the file
// "detector" of the program directory, and delivers raw AD frames (see
// docs/formats.md) through a frame callback and into a framekit frame.
//
// Every function takes the handle first (except the init functions) and
// returns true on success; a null, foreign or freed handle returns false and
// touches nothing. Failures are logged under "dev_cap" or "detector".
//
// Frames flow once a lens and measuring range has been chosen with
// vy_dc_set_len_and_meas_range: its first call starts the capture and the
// temperature-sensor threads.
//
// Exports have C linkage and plain names (the stdcall-decorated names of
// some exports on 32-bit Windows have no counterpart here), except the eight
// typed ones marked VY_API_CXX, whose C++ signatures name LenType and
// MeasRange: vy_dc_get_dac, vy_dc_set_dac, vy_dc_get_ndac, vy_dc_set_ndac,
// vy_dc_modify_bad_repairs_algorithm,
// vy_dc_set_disable_temperature_correct_flag,
// vy_dc_set_imaging_process_status and vy_dc_set_stabilization_value.
//
// Buffer lengths: where a function writes into a caller's buffer with a
// uint32_t* length, *length is the capacity on entry and the size written (or
// needed) on return; a null buffer answers the size only.
#pragma once

#include "vyapi.h"
#include "vytypes.h"

#include <stdint.h>

VY_EXTERN_C_BEGIN

// Called on the capture thread for every delivered frame. `data` addresses the
// u32 compressed length of the newest raw AD frame, followed by the
// compressed AD plane; the whole raw frame (index plane first) starts
// width * height + 6 bytes before it. The bytes stay valid until the callback
// returns. The callback may call any export of the device except uninit.
typedef void (*VyDcFrameCallback)(void* user, const uint8_t* data, uint16_t width, uint16_t height);
// Temperature-correction notifications; stored, never called.
typedef void (*VyDcCorrectCallback)(void* user);

#pragma pack(push, 1)
// Register image of the three fire-fighting isotherm bands.
struct VyDcThreeIsotherm {
    uint16_t ad[4];
    uint8_t reserved;  // not read
    uint8_t colour[3];
};
#pragma pack(pop)

// --- Object ---------------------------------------------------------------------
VY_API bool vy_dc_init(void** handle);
// flag 1 starts the frame in fire-fighting mode (raw frames decoded on
// arrival) unless the FPGA runs the fire algorithm; `ignored` is not used.
// A failed init still writes the handle: the caller frees it with uninit.
VY_API bool vy_dc_init_ex(void** handle, int32_t flag, int32_t ignored);
// Not supported on this detector: always false.
VY_API bool vy_dc_init_cpu(void** handle, int32_t value);
// Stops the threads and frees the device; clears *handle. Refused from
// inside the frame callback.
VY_API bool vy_dc_uninit(void** handle);

// --- Frames -----------------------------------------------------------------------
// Loads the newest frame (or the oldest cached one) into the device's frame.
VY_API bool vy_dc_capture_one_frame(void* handle);
VY_API bool vy_dc_set_cb_one_frame_received(void* handle, VyDcFrameCallback callback, void* user);
VY_API bool vy_dc_set_cb_temp_correct_started(void* handle, VyDcCorrectCallback callback, void* user);
VY_API bool vy_dc_set_cb_temp_correct_finished(void* handle, VyDcCorrectCallback callback, void* user);
// 0 switches the cache off; otherwise min(count, 16) frames are kept and the
// callback waits until that many are cached.
VY_API bool vy_dc_set_frame_cache_count(void* handle, uint16_t count);
VY_API bool vy_dc_open_infrared_capture(void* handle);
VY_API bool vy_dc_close_infrared_capture(void* handle);
VY_API bool vy_dc_get_capture_resolution(void* handle, uint16_t* width, uint16_t* height);

// --- Isotherms (at most 3; colours byte 0 red, 1 green, 2 blue) ----------------------
VY_API bool vy_dc_add_isotherm(void* handle, float low, float high, uint32_t colour, uint8_t mode,
                               int32_t* id);
VY_API bool vy_dc_update_isotherm(void* handle, int32_t id, float low, float high, uint32_t colour,
                                  uint8_t mode);
VY_API bool vy_dc_delete_isotherm(void* handle, int32_t id);
// The next three return false even after doing their work; callers of the
// device rely on that result, so it is kept.
VY_API bool vy_dc_open_3_isotherm(void* handle);
VY_API bool vy_dc_close_3_isotherm(void* handle);
VY_API bool vy_dc_update_3_isotherm(void* handle, const VyDcThreeIsotherm* record);
// Low and high AD of the first isotherm band.
VY_API bool vy_dc_get_isotherm_related_ad(void* handle, uint16_t* low, uint16_t* high);
// 0 < a < 1, 0 <= b <= 1, fire-algorithm FPGA only.
VY_API bool vy_dc_set_isotherm_index_percent(void* handle, float a, float b);

// --- Imaging ----------------------------------------------------------------------
VY_API_CXX bool vy_dc_set_imaging_process_status(void* handle, bool first, bool second);
VY_API_CXX bool vy_dc_set_stabilization_value(void* handle, uint8_t small_step, uint8_t mid_step, float factor);
VY_API bool vy_dc_is_fpga_fire_alg(void* handle, bool* fire);

// --- Device -------------------------------------------------------------------------
// "%d.%d.%d.%d.%d.%d" of the FPGA version word (bits 15-14, 13-11, 10-9,
// 8-7, 6-4, 3-0); the compile time is the same form of register 264.
VY_API bool vy_dc_get_hardware_version(void* handle, char* buffer, uint32_t* length);
VY_API bool vy_dc_get_fpga_compile_time(void* handle, char* buffer, uint32_t* length);
VY_API bool vy_dc_get_detector_resolution(void* handle, uint16_t* width, uint16_t* height);
VY_API bool vy_dc_reset_fpga(void* handle);
VY_API bool vy_dc_enable_fixed_reset_fpga(void* handle);
VY_API bool vy_dc_disable_fixed_reset_fpga(void* handle);
// One switch governs frame capture and the restart request of a stuck FPGA;
// disabling it also stops capture. The library never restarts the machine.
VY_API bool vy_dc_enable_reboot_sys(void* handle);
VY_API bool vy_dc_disable_reboot_sys(void* handle);

// --- Control-word switches ------------------------------------------------------------
VY_API bool vy_dc_shutter_down(void* handle);
VY_API bool vy_dc_shutter_up(void* handle);
VY_API bool vy_dc_buzzer_on(void* handle);
VY_API bool vy_dc_buzzer_off(void* handle);
VY_API bool vy_dc_lasor_on(void* handle);
VY_API bool vy_dc_lasor_off(void* handle);
VY_API bool vy_dc_wiper_on(void* handle);
VY_API bool vy_dc_wiper_off(void* handle);
VY_API bool vy_dc_read_len_type_from_fpga(void* handle, int32_t* lens);
// Level 0..7.
VY_API bool vy_dc_set_back_light(void* handle, uint8_t level);

// --- Motors and focus -------------------------------------------------------------------
VY_API bool vy_dc_motor_forward(void* handle);
VY_API bool vy_dc_motor_backward(void* handle);
VY_API bool vy_dc_motor_stop(void* handle);
VY_API bool vy_dc_zoom_motor_forward(void* handle);
VY_API bool vy_dc_zoom_motor_backward(void* handle);
VY_API bool vy_dc_zoom_motor_stop(void* handle);
VY_API bool vy_dc_get_motor_location(void* handle, bool* first, bool* second);
VY_API bool vy_dc_auto_focus(void* handle, uint16_t x, uint16_t y, uint16_t width, uint16_t height);
VY_API bool vy_dc_is_auto_focus(void* handle, bool* running);
VY_API bool vy_dc_set_auto_focus_precision(void* handle, int32_t precision);
VY_API bool vy_dc_auto_focus_by_software(void* handle, bool on);
VY_API bool vy_dc_get_len_pos(void* handle, uint16_t* position);
VY_API bool vy_dc_get_zoom_pos(void* handle, uint16_t* position);
// Moves the motor on a thread of its own; returns once the target is stored.
VY_API bool vy_dc_set_len_pos(void* handle, uint16_t position);
VY_API bool vy_dc_set_zoom_pos(void* handle, uint16_t position);

// --- Temperature ----------------------------------------------------------------------------
VY_API bool vy_dc_temperature_correct(void* handle);
// 0.1 to 5 degrees.
VY_API bool vy_dc_set_temperature_interval_of_correct(void* handle, float interval);
VY_API_CXX bool vy_dc_set_disable_temperature_correct_flag(void* handle, bool disable);
VY_API bool vy_dc_get_temperature_sensor(void* handle, float* t1, float* t2, float* t3, float* t4);
VY_API bool vy_dc_get_cur_environment(void* handle, int32_t* environment);

// --- Detector settings (lens 0..5, range 0..3) -------------------------------------------------
// lens: a LenType value, range: a MeasRange value (vytypes.h).
VY_API bool vy_dc_set_len_and_meas_range(void* handle, int32_t lens, int32_t range);
VY_API bool vy_dc_set_meas_para(void* handle, int32_t lens, int32_t range, uint16_t vsk, uint16_t gfid,
                                uint8_t gain, uint16_t integral);
VY_API bool vy_dc_get_meas_para(void* handle, int32_t lens, int32_t range, uint16_t* vsk, uint16_t* gfid,
                                uint8_t* gain, uint16_t* integral);
VY_API_CXX bool vy_dc_set_dac(void* handle, LenType lens, MeasRange range, int16_t dac);
VY_API_CXX bool vy_dc_get_dac(void* handle, LenType lens, MeasRange range, int16_t& dac);
// index 0..8 (larger counts as 8) selects a coarse step, fine 0..31 is added.
VY_API_CXX bool vy_dc_set_ndac(void* handle, LenType lens, MeasRange range, uint16_t index, uint16_t fine);
VY_API_CXX bool vy_dc_get_ndac(void* handle, LenType lens, MeasRange range, uint16_t& index, uint16_t& fine);
VY_API bool vy_dc_set_left_edge(void* handle, uint16_t edge);
VY_API bool vy_dc_get_left_edge(void* handle, uint16_t* edge);
VY_API bool vy_dc_set_top_edge(void* handle, uint16_t edge);
VY_API bool vy_dc_get_top_dege(void* handle, uint16_t* edge);
VY_API bool vy_dc_set_reverse_type(void* handle, int32_t lens, uint8_t type);
VY_API bool vy_dc_get_reverse_type(void* handle, int32_t lens, uint8_t* type);
VY_API bool vy_dc_set_output_data_type(void* handle, uint8_t type);
VY_API bool vy_dc_set_shift_compensation(void* handle, int32_t lens, int32_t range, uint16_t value);
VY_API bool vy_dc_get_shift_compensation(void* handle, int32_t lens, int32_t range, uint16_t* value);
VY_API bool vy_dc_add_len(void* handle, int32_t lens);
VY_API bool vy_dc_delete_len(void* handle, int32_t lens);
// True when the lens is in the configuration.
VY_API bool vy_dc_is_support_len(void* handle, int32_t lens);
// *count: capacity of `lenses` on entry, lens types present on return.
VY_API bool vy_dc_get_supported_lens(void* handle, int32_t* lenses, uint32_t* count);
// Empty or null path: "detector" in the program directory. Written to a
// temporary file and renamed over the target only when complete.
VY_API bool vy_dc_save_detector_cfg_to_file(void* handle, const char* path);

// --- Corrections ---------------------------------------------------------------------------------
// Records a uniform scene (which 0: low, 1: high) from the next frames; fails
// when no frames arrive in time.
VY_API bool vy_dc_two_pts_correct(void* handle, int32_t which);
VY_API bool vy_dc_calc_k(void* handle);
VY_API bool vy_dc_write_k(void* handle);
VY_API bool vy_dc_calc_outer_correct(void* handle, float temperature);
VY_API bool vy_dc_apply_outer_correct(void* handle, bool on);
VY_API bool vy_dc_delete_outer_correct(void* handle, int32_t lens, int32_t range);
VY_API bool vy_dc_has_outer_correct(void* handle, int32_t lens, int32_t range, bool* has);
VY_API bool vy_dc_add_bad_pt(void* handle, uint16_t x, uint16_t y);
VY_API bool vy_dc_update_bad_pts(void* handle);
// 16: take the FPGA's bad-pixel map and save the configuration; 32: send the map.
VY_API bool vy_dc_bad_pts_op_of_fpga(void* handle, int32_t op);
VY_API bool vy_dc_set_bad_pts_threshold(void* handle, uint16_t threshold);
VY_API bool vy_dc_get_bad_pts_threshold(void* handle, uint16_t* threshold);
VY_API bool vy_dc_disable_repair_bad_pts(void* handle);
// Strict: a pixel is bad only when all eight neighbours differ by more than
// the threshold (at least 30).
VY_API_CXX bool vy_dc_modify_bad_repairs_algorithm(void* handle, bool strict, int32_t threshold);
VY_API bool vy_dc_set_org_data_threshold(void* handle, uint16_t threshold);
VY_API bool vy_dc_get_org_data_threshold(void* handle, uint16_t* threshold);
VY_API bool vy_dc_get_org_data_range(void* handle, uint16_t* low, uint16_t* high);
VY_API bool vy_dc_get_ad_num_beyond(void* handle, uint16_t* first, uint16_t* second);

VY_EXTERN_C_END
