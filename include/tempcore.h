// tempcore: the temperature calibration engine. Turns a detector's raw AD
// values into temperatures from its calibration data (lenses, measuring
// ranges, sample AD tables) and its calibration script, and back.
//
// Every function takes the engine handle first (except the init functions)
// and returns true on success; results come back through out-parameters.
// A null, foreign or freed handle returns false and changes nothing.
//
// Buffer lengths: where a function writes into a caller's byte buffer with an
// int* length, *length is the capacity on entry and the size written (or,
// when refused for lack of room, the size needed) on return; a null buffer
// answers the size only.
#pragma once

#include "vyapi.h"
#include "vytypes.h"

#include <stdint.h>

VY_EXTERN_C_BEGIN

// --- Object ------------------------------------------------------------------
VY_API bool vy_at_init(void** handle);
VY_API bool vy_at_init_ex(void** handle, IRDetectorType type);
// Destroys the engine and clears *handle; a second call returns false.
VY_API bool vy_at_uninit(void** handle);

VY_API bool vy_at_get_detector_type(void* handle, IRDetectorType* type);
VY_API bool vy_at_set_detector_type(void* handle, IRDetectorType type);
VY_API bool vy_at_set_version_prefix(void* handle, int prefix);
VY_API bool vy_at_get_version(void* handle, uint16_t* version);
VY_API bool vy_at_reset_version(void* handle);
VY_API bool vy_at_is_same_machine(void* handle, bool* same);
VY_API bool vy_at_is_calibrating(void* handle, bool* calibrating);
VY_API bool vy_at_set_is_calibrating(void* handle, bool calibrating);
// Environment 0 or 1 only.
VY_API bool vy_at_set_calibrate_enviroment(void* handle, int environment);

// --- Calibration data ----------------------------------------------------------
VY_API bool vy_at_load_calibrate_data_from_file(void* handle, const char* path);
// The data carries no length: the caller vouches that the whole calibration
// block is readable at `data`. Prefer the file loader for outside data.
VY_API bool vy_at_load_calibrate_data_from_buffer(void* handle, const unsigned char* data);
// The same from `length` bytes at `data`; nothing past them is read.
VY_API bool vy_at_load_calibrate_data_from_bytes(void* handle, const unsigned char* data,
                                                 uint32_t length);
VY_API bool vy_at_save_calibrate_data_to_buffer(void* handle, unsigned char* buffer, int* length);
VY_API bool vy_at_get_calibrate_data_without_script_data(void* handle, unsigned char* buffer,
                                                         int* length);
// The 48-byte temperature-parameter record.
VY_API bool vy_at_save_temperature_para_to_buffer(void* handle, unsigned char* buffer,
                                                  int* length);

// Buffers of 17 characters (15 for the date-time); each may be null.
VY_API bool vy_at_get_mac_info(void* handle, char* productor, char* mac_type, char* mac_sn,
                               char* detector_sn, char* product_date_time);
// At most 16 characters (14 for the date-time).
VY_API bool vy_at_set_productor(void* handle, const char* text);
VY_API bool vy_at_set_mac_type(void* handle, const char* text);
VY_API bool vy_at_set_mac_sn(void* handle, const char* text);
VY_API bool vy_at_set_detector_sn(void* handle, const char* text);
VY_API bool vy_at_set_product_date_time(void* handle, const char* text);

// --- Lenses and ranges (current calibration environment) ----------------------
// lens: a LenType value, range: a MeasRange value (vytypes.h).
VY_API bool vy_at_add_len_and_meas_range(void* handle, int32_t lens, int32_t range);
VY_API bool vy_at_delete_len_type(void* handle, int32_t lens);
VY_API bool vy_at_delete_len_type_ex(void* handle, int32_t lens, int32_t range);
VY_API bool vy_at_set_len_type_and_meas_range(void* handle, int32_t lens, int32_t range);
// items null: *count receives the number of lenses. Otherwise *count must be
// that number and count records are filled.
VY_API bool vy_at_get_supported_lens_info(void* handle, tagLenInfo* items, unsigned char* count);
VY_API bool vy_at_get_cur_len_range_info(void* handle, tagLenInfo* info);
VY_API bool vy_at_set_len_sn_and_des(void* handle, int32_t lens, const char* serial,
                                     const char* description);
VY_API bool vy_at_get_len_temp_drift_compensation(void* handle, int32_t lens, float* coefficient);
VY_API bool vy_at_set_len_temp_drift_compensation_coff(void* handle, int32_t lens,
                                                       float coefficient);
VY_API bool vy_at_get_sample_count(void* handle, int32_t lens, int32_t range,
                                   unsigned char* count);
// `values` holds as many entries as vy_at_get_sample_count reports.
VY_API bool vy_at_get_sample_ad(void* handle, int32_t lens, int32_t range, uint16_t* values);
VY_API bool vy_at_get_sample_temp(void* handle, int32_t lens, int32_t range, int16_t* first,
                                  int16_t* last);
VY_API bool vy_at_set_sample_data(void* handle, int32_t lens, int32_t range, int16_t first,
                                  int16_t last, unsigned char count, const uint16_t* values);
VY_API bool vy_at_set_sample_range(void* handle, int32_t lens, int32_t range, int16_t min_temp,
                                   int16_t max_temp);
VY_API bool vy_at_get_base_ad_compensation(void* handle, int32_t lens, int32_t range,
                                           int16_t* compensation);
VY_API bool vy_at_set_base_ad_compensation(void* handle, int32_t lens, int32_t range,
                                           int16_t compensation);
VY_API bool vy_at_get_detector_temp_when_calibrate(void* handle, int32_t lens, int32_t range,
                                                   float* temperature);
VY_API bool vy_at_set_detector_temp_when_calibrate(void* handle, int32_t lens, int32_t range,
                                                   float temperature);

// --- Conversion ------------------------------------------------------------------
// Limited to the current range's minimum and maximum.
VY_API bool vy_at_get_temperature_from_ad(void* handle, const uint16_t* ad, int count, float* out);
VY_API bool vy_at_get_no_limited_temperature_from_ad(void* handle, const uint16_t* ad, int count,
                                                     float* out);
// With its own emissivity and distance; the engine's parameters stay as set.
VY_API bool vy_at_get_temperature_from_ad_ex(void* handle, const uint16_t* ad, int count,
                                             float emissivity, float distance, float* out);
VY_API bool vy_at_get_ad_from_temperature(void* handle, float temperature, uint16_t* ad);

VY_API bool vy_at_set_temperature_para(void* handle, int unit, float emissivity, float distance,
                                       float ambient, float humidity, float modify,
                                       float reference);
VY_API bool vy_at_get_temperature_para(void* handle, int* unit, float* emissivity,
                                       float* distance, float* ambient, float* humidity,
                                       float* modify, float* reference);
VY_API bool vy_at_set_temperature_unit(void* handle, int unit);
VY_API bool vy_at_set_emiss(void* handle, float emissivity);
VY_API bool vy_at_set_dist(void* handle, float distance);
VY_API bool vy_at_set_env_temp(void* handle, float ambient);
VY_API bool vy_at_set_rel_hum(void* handle, float humidity);
VY_API bool vy_at_set_modify_temp(void* handle, float modify);
VY_API bool vy_at_set_enviroment_reference_temperature(void* handle, float reference);
VY_API bool vy_at_update_ad_temp_table(void* handle);

// --- Sensors, base temperature and the adjusted AD table --------------------------
VY_API bool vy_at_update_temperature_sensor(void* handle, float s1, float s2, float s3, float s4,
                                            float s5, int* environment);
// s1..s5, the base temperature, the detector temperature at the base
// temperature and the detector temperature at calibration; each may be null.
VY_API bool vy_at_get_sensor_temp(void* handle, float* s1, float* s2, float* s3, float* s4,
                                  float* s5, float* base, float* detector_at_base,
                                  float* detector_at_calibration);
VY_API bool vy_at_calc_base_temp(void* handle);
// Does not rebuild the AD-to-temperature table; call vy_at_update_ad_temp_table.
VY_API bool vy_at_update_adjusted_ad_table(void* handle, float base, float detector, float modify);
// *count: capacity on entry when values is non-null, entries on return.
VY_API bool vy_at_get_adjusted_ad_table(void* handle, int* count, uint16_t* values);
VY_API bool vy_at_get_ad_compensation(void* handle, int16_t* compensation);
VY_API bool vy_at_get_ad_compensation_coff(void* handle, int* count, float* values);

// --- Calibration script ---------------------------------------------------------------
// Stores and runs the script; a script that fails to run is refused.
VY_API bool vy_at_set_script_data(void* handle, const char* text, int length);
VY_API bool vy_at_get_script_data(void* handle, void* buffer, int* length);
VY_API bool vy_at_get_compressed_script_data(void* handle, void* buffer, int* length);

VY_EXTERN_C_END
