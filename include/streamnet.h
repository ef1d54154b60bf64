// streamnet: the client of one network thermal camera (type 0, the infrared
// stream: commands, video, temperature frames, alarms and settings) or of its
// visible-light stream (type 1). Camera packets travel over sockmesh TCP links.
//
// Every function returns true on success. Every function except
// vy_nvs_init and vy_nvs_uninit takes the stream handle first; a null,
// foreign or freed handle returns false and touches nothing.
//
// Callbacks run on the library's link threads. They are never called with a
// library lock held, so a callback may register callbacks or record the frame
// it was handed; it must not call vy_nvs_uninit or vy_nvs_disconnect on its
// own stream, and it should return quickly (the link receives nothing
// meanwhile). Data handed to a callback lives only during the call.
//
// A registration, clearing included, waits until a call of the callback it
// replaces that runs on another thread has returned: once it returns, the
// old user data may be freed. Made from inside a callback, on that
// callback's own thread, it does not wait for the call it is made from.
//
// A command waiting for its answer fails as soon as its link drops, without
// waiting out its time limit.
#pragma once

#include "vyapi.h"

#include <stdint.h>

VY_EXTERN_C_BEGIN

enum NvsStreamType { NVS_STREAM_IR = 0, NVS_STREAM_VISIBLE = 1 };

enum NvsLinkEvent { NVS_LINK_CONNECTED = 1, NVS_LINK_DISCONNECTED = 2, NVS_LINK_BROKEN = 3 };

// Status of vy_nvs_get_vi_ir_cut_file.
enum NvsCalibrationFileStatus {
    NVS_CUT_FILE_COPIED = 1,      // copied, or its size answered
    NVS_CUT_FILE_NOT_YET = 2,     // the camera has not answered yet
    NVS_CUT_FILE_NONE = 3,        // the camera has no file
    NVS_CUT_FILE_NO_ROOM = 4,     // capacity too small (or no length given)
    NVS_CUT_FILE_NO_HANDLE = 5,   // null or invalid handle
    NVS_CUT_FILE_WRONG_KIND = 6,  // an infrared stream has no such file
};

enum {
    NVS_DEVICE_IP_TEXT = 16,
    NVS_PRESET_TEXT_CAPACITY = 1025,  // texts of at most 1,024 bytes and a terminator
    NVS_MAX_PRESETS = 255,
    NVS_MAX_RANGES = 4,               // measuring ranges kept per lens
    NVS_RECORD_NAME = 64,
    NVS_DEVICE_TEXT = 17,             // a 16-byte description text and a terminator
};

// Command-finished code of the camera's lens and range broadcast.
enum { NVS_CMD_LENS_RANGE_CHANGED = 0xA380 };

typedef struct NvsLinkState {
    int32_t event;                        // NvsLinkEvent
    char device_ip[NVS_DEVICE_IP_TEXT];   // zero-filled
} NvsLinkState;

// One preset as the camera lists it.
typedef struct NvsPresetInfo {
    uint16_t preset_id;
    uint32_t values[4];  // as the caller set them, host order
    char text[NVS_PRESET_TEXT_CAPACITY];  // terminated
    uint32_t text_length;
} NvsPresetInfo;

// A preset to set; the text stays the caller's.
typedef struct NvsPresetSetting {
    uint16_t preset_id;
    uint32_t values[4];
    const char* text;
    uint32_t text_length;  // at most 1,024
} NvsPresetSetting;

typedef struct NvsPresetAlarmInfo {
    uint16_t preset_id;
    char text[NVS_PRESET_TEXT_CAPACITY];
    uint32_t text_length;
} NvsPresetAlarmInfo;

typedef struct NvsMeasRange {
    int32_t range;  // measuring range in the low byte
    float min_temp;
    float max_temp;
} NvsMeasRange;

typedef struct NvsRecordFile {
    int64_t first;
    int64_t second;
    char name[NVS_RECORD_NAME];  // not terminated when all 64 bytes are used
} NvsRecordFile;

// Rule packages. Temperatures in degrees, ratios as R / 1000.
typedef struct NvsRuleSummary {
    uint32_t rule_set;
    float t1, t2, t3, r1, r2, r3, r4;
} NvsRuleSummary;

typedef struct NvsRuleTemperature {
    uint32_t a, b, g;
    float t1, t2, t3, r1, r2, r3, r4;
} NvsRuleTemperature;

typedef struct NvsRuleAlarm {
    uint32_t a, d, g, b, c;
    float t1, t2;
} NvsRuleAlarm;

typedef struct NvsRuleDiffAlarm {
    uint32_t a, b, constant_one, g, c, d;
    float t1, t2;
} NvsRuleDiffAlarm;

// What the camera said about itself in its last description (160/129).
typedef struct NvsDeviceInfo {
    char firmware_version[NVS_DEVICE_TEXT];  // terminated
    char hardware_version[NVS_DEVICE_TEXT];  // terminated
    uint16_t width;
    uint16_t height;
    uint8_t lens_index;
    uint8_t meas_range;
    uint8_t lens_adjust_method;  // 0 manual, 1 electric, 2 continuous magnification
    bool lens_position_supported;
} NvsDeviceInfo;

static_assert(sizeof(NvsLinkState) == 20, "NvsLinkState is an event and 16 bytes of text");
static_assert(sizeof(NvsMeasRange) == 12, "NvsMeasRange is three 4-byte fields");
static_assert(sizeof(NvsRecordFile) == 80, "NvsRecordFile is 80 bytes");
static_assert(sizeof(NvsRuleTemperature) == 40, "NvsRuleTemperature is ten 4-byte fields");
static_assert(sizeof(NvsRuleAlarm) == 28, "NvsRuleAlarm is seven 4-byte fields");
static_assert(sizeof(NvsRuleDiffAlarm) == 32, "NvsRuleDiffAlarm is eight 4-byte fields");

typedef void (*NvsLinkStateCallback)(NvsLinkState state, void* user);
typedef void (*NvsFrameCallback)(const void* data, int32_t length, void* user);
typedef void (*NvsTypedFrameCallback)(int32_t frame_type, const void* data, int32_t length, void* user);
// byte_length is the number of bytes of floats written (4 per value).
typedef void (*NvsTemperatureFrameCallback)(float* temperatures, int32_t byte_length, void* user);
typedef void (*NvsPresetChangedCallback)(uint8_t value, uint16_t first, uint16_t second, void* user);
typedef void (*NvsImagingInfoCallback)(uint32_t mode, float first, float second, void* user);
typedef void (*NvsRuleTemperatureCallback)(NvsRuleSummary summary, const NvsRuleTemperature* records,
                                           int32_t count, void* user);
typedef void (*NvsRuleAlarmCallback)(uint16_t rule_set, const NvsRuleAlarm* records, int32_t count, void* user);
typedef void (*NvsRuleDiffAlarmCallback)(uint16_t rule_set, const NvsRuleDiffAlarm* records, int32_t count,
                                         void* user);
typedef void (*NvsCmdFinishedCallback)(void* user, int32_t code);

// --- Stream object ---------------------------------------------------------
// type 0 infrared, 1 visible. The handle is written even when init fails; it
// must then still be released with vy_nvs_uninit.
VY_API bool vy_nvs_init(void** handle, int32_t type);
VY_API bool vy_nvs_uninit(void** handle);
// Connects and reports every link's events to fn (may be null).
VY_API bool vy_nvs_connect(void* handle, const char* ip, NvsLinkStateCallback fn, void* user);
VY_API bool vy_nvs_disconnect(void* handle);

// --- Callbacks: each registration replaces the previous pair ----------------
VY_API bool vy_nvs_set_cb_one_frame_received(void* handle, NvsFrameCallback fn, void* user);
// Preferred over the plain frame callback when both are set.
VY_API bool vy_nvs_set_cb_one_frame_received_with_type(void* handle, NvsTypedFrameCallback fn, void* user);
VY_API bool vy_nvs_set_cb_one_temperature_frame_received(void* handle, NvsTemperatureFrameCallback fn,
                                                         void* user);
VY_API bool vy_nvs_set_cb_preset_changed(void* handle, NvsPresetChangedCallback fn, void* user);
VY_API bool vy_nvs_set_imaging_info_received(void* handle, NvsImagingInfoCallback fn, void* user);
VY_API bool vy_nvs_set_realtime_rule_temperature_callback(void* handle, NvsRuleTemperatureCallback fn, void* user);
VY_API bool vy_nvs_set_realtime_rule_temperature_alarm_callback(void* handle, NvsRuleAlarmCallback fn,
                                                                void* user);
VY_API bool vy_nvs_set_realtime_rule_temperature_diff_alarm_callback(void* handle, NvsRuleDiffAlarmCallback fn,
                                                                     void* user);
VY_API bool vy_nvs_set_cb_cmd_finished(void* handle, NvsCmdFinishedCallback fn, void* user);

// --- Visible stream ------------------------------------------------------------
// status is required. *length: capacity of out on entry, file size on return;
// out null answers the size.
VY_API bool vy_nvs_get_vi_ir_cut_file(void* handle, int32_t* status, uint32_t* length, void* out);

// --- Infrared stream: device settings --------------------------------------------
// *length: capacity on entry, text length (without terminator) on return.
VY_API bool vy_nvs_get_visual_ip(void* handle, char* out, int32_t* length);
VY_API bool vy_nvs_get_resolution(void* handle, uint16_t* width, uint16_t* height);
VY_API bool vy_nvs_set_temperature_params(void* handle, float emissivity, float distance, float ambient,
                                          float humidity);
// Each pointer may be null.
VY_API bool vy_nvs_get_temperature_params(void* handle, float* emissivity, float* distance, float* ambient,
                                          float* humidity);
VY_API bool vy_nvs_set_temperature_unit(void* handle, int32_t unit);
VY_API bool vy_nvs_get_temperature_unit(void* handle, int32_t* unit);
VY_API bool vy_nvs_set_all_temperature_frequency(void* handle, int32_t frequency);
// out: a table of NVS_MAX_RANGES records, the most a lens can have (ranges
// 0 to 3); ranges beyond that in a camera's description are not kept, so
// nothing is written past the table. *count is output only (its value on
// entry is not read): the number of ranges of the current lens.
VY_API bool vy_nvs_get_temperature_meas_range(void* handle, int32_t* count, NvsMeasRange* out);
VY_API bool vy_nvs_get_curr_temperature_meas_range(void* handle, int32_t* range, float* min_temp,
                                                   float* max_temp);
VY_API bool vy_nvs_set_temperature_meas_range(void* handle, int32_t range);
// Switches lens and measuring range at once (163/128 with both); the pair
// must be one the camera listed.
VY_API bool vy_nvs_set_len_and_meas_range(void* handle, int32_t lens, int32_t range);
// Fails until the camera has described itself once (at the first connect).
VY_API bool vy_nvs_get_device_info(void* handle, NvsDeviceInfo* info);
VY_API bool vy_nvs_set_len_pos(void* handle, int32_t position);
VY_API bool vy_nvs_get_len_pos(void* handle, int32_t* position);
VY_API bool vy_nvs_set_imaging_info(void* handle, int32_t flag, uint32_t first, uint32_t second);
VY_API bool vy_nvs_set_temperature_overlay_video_flag(void* handle, bool on);
VY_API bool vy_nvs_get_temperature_overlay_video_flag(void* handle, bool* on);
VY_API bool vy_nvs_set_preset_temperature_alarm_upload_flag(void* handle, bool on);
VY_API bool vy_nvs_get_preset_temperature_alarm_upload_flag(void* handle, bool* on);
// *length: capacity on entry, JPEG size on return (also when it did not fit,
// which fails).
VY_API bool vy_nvs_capture_jpg(void* handle, void* buffer, uint32_t* length);

// --- Infrared stream: presets and alarms --------------------------------------------
// The list is the stream's own, valid until the next request of the same list
// or vy_nvs_uninit.
VY_API bool vy_nvs_get_all_preset_info(void* handle, uint16_t* current, NvsPresetInfo** list, uint16_t* count);
VY_API bool vy_nvs_set_preset_info(void* handle, const NvsPresetSetting* preset);
VY_API bool vy_nvs_get_all_preset_alarm_info(void* handle, NvsPresetAlarmInfo** list, int32_t* count);
VY_API bool vy_nvs_set_preset_alarm_info(void* handle, uint16_t preset_id, const void* data, int32_t length);
VY_API bool vy_nvs_get_all_preset_diff_alarm_info(void* handle, NvsPresetAlarmInfo** list, int32_t* count);
VY_API bool vy_nvs_set_preset_diff_alarm_info(void* handle, uint16_t preset_id, const void* data,
                                              int32_t length);

// --- Infrared stream: motors, shutter, laser (sent without waiting) -------------------
VY_API bool vy_nvs_motor_forward(void* handle);
VY_API bool vy_nvs_motor_backward(void* handle);
VY_API bool vy_nvs_motor_stop(void* handle);
VY_API bool vy_nvs_zoom_motor_forward(void* handle);
VY_API bool vy_nvs_zoom_motor_backward(void* handle);
VY_API bool vy_nvs_zoom_motor_stop(void* handle);
VY_API bool vy_nvs_auto_focus(void* handle);
VY_API bool vy_nvs_shutter_down(void* handle);
VY_API bool vy_nvs_shutter_up(void* handle);
VY_API bool vy_nvs_temperature_correct(void* handle);
VY_API bool vy_nvs_laser_on(void* handle);
VY_API bool vy_nvs_laser_off(void* handle);
VY_API bool vy_nvs_stop_realplay(void* handle);
VY_API bool vy_nvs_disable_max_temperature_osd(void* handle);

// --- Recording on the camera and record download ---------------------------------------
VY_API bool vy_nvs_set_machine_record_start(void* handle);
VY_API bool vy_nvs_set_machine_record_stop(void* handle);
VY_API bool vy_nvs_get_machine_record_status(void* handle, bool* recording);
// *count is required: capacity of out on entry, number of files on return.
// out null answers the number; a capacity too small copies nothing and fails.
VY_API bool vy_nvs_get_machine_record_filelist(void* handle, uint32_t first, uint32_t second, NvsRecordFile* out,
                                               uint32_t* count);
// Blocks until the whole file is written to local_path, or it failed.
VY_API bool vy_nvs_download_machine_record_file(void* handle, const char* remote_name, const char* local_path);

// --- Local recording of the received video ---------------------------------------------
VY_API bool vy_nvs_start_record(void* handle, const char* path);
// Writes the newest received frame; the first frame of a file must be a key frame.
VY_API bool vy_nvs_record_one_frame(void* handle);
VY_API bool vy_nvs_stop_record(void* handle);

VY_EXTERN_C_END
