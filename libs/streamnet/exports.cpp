// The exported vy_nvs_ functions: handle and argument checks, then the
// stream object's operation.
#include "streamnet.h"

#include "stream_ir.h"
#include "stream_vi.h"
#include "streamnet_log.h"

#include "handle_registry.h"

using namespace streamnet::detail;

namespace {

constexpr uint16_t kVisibleWidth = 1920;
constexpr uint16_t kVisibleHeight = 1080;

NetVideoStream* stream_of(void* handle, const char* function)
{
    if (!_VYBaseObject::is_valid_handle(handle, kStreamTag)) {
        SN_ERROR("%s: handle %p is not a stream", function, handle);
        return nullptr;
    }
    return static_cast<NetVideoStream*>(static_cast<_VYBaseObject*>(handle));
}

// The infrared stream behind the handle, or null (a visible stream has none
// of the infrared operations).
NetVideoStreamIR* ir_of(void* handle, const char* function)
{
    NetVideoStream* stream = stream_of(handle, function);
    if (stream == nullptr || stream->kind() != NVS_STREAM_IR) {
        return nullptr;
    }
    return static_cast<NetVideoStreamIR*>(stream);
}

bool missing(const void* pointer, const char* function, const char* name)
{
    if (pointer == nullptr) {
        SN_ERROR("%s: %s is null", function, name);
        return true;
    }
    return false;
}

template <class Fn>
bool register_callback(void* handle, const char* function, Fn fn, void* user,
                       streamnet::detail::CallbackSlot<Fn> NetVideoStream::*slot)
{
    NetVideoStream* stream = stream_of(handle, function);
    if (stream == nullptr) {
        return false;
    }
    (stream->*slot).set(fn, user);
    return true;
}

template <class Fn>
bool register_ir_callback(void* handle, const char* function, Fn fn, void* user,
                          streamnet::detail::CallbackSlot<Fn> NetVideoStreamIR::*slot)
{
    NetVideoStreamIR* stream = ir_of(handle, function);
    if (stream == nullptr) {
        return false;
    }
    (stream->*slot).set(fn, user);
    return true;
}

// A request without payload sent without waiting.
bool send_plain(void* handle, const char* function, uint8_t main_cmd, uint8_t vice_cmd)
{
    NetVideoStreamIR* stream = ir_of(handle, function);
    return stream != nullptr && stream->send_cmd(main_cmd, vice_cmd, {}, 0);
}

}  // namespace

bool vy_nvs_init(void** handle, int32_t type)
{
    if (handle == nullptr) {
        return false;
    }
    *handle = nullptr;
    bool made = false;
    if (type == NVS_STREAM_IR) {
        made = vy::create_handle<NetVideoStreamIR>(handle);
    } else if (type == NVS_STREAM_VISIBLE) {
        made = vy::create_handle<NetVideoStreamVI>(handle);
    }
    if (!made) {
        return false;
    }
    return static_cast<NetVideoStream*>(static_cast<_VYBaseObject*>(*handle))->init();
}

bool vy_nvs_uninit(void** handle)
{
    if (handle == nullptr || stream_of(*handle, __func__) == nullptr) {
        return false;
    }
    static_cast<NetVideoStream*>(static_cast<_VYBaseObject*>(*handle))->deinit();
    return vy::destroy_handle(handle, kStreamTag);
}

bool vy_nvs_connect(void* handle, const char* ip, NvsLinkStateCallback fn, void* user)
{
    NetVideoStream* stream = stream_of(handle, __func__);
    if (stream == nullptr || missing(ip, __func__, "address")) {
        return false;
    }
    stream->set_link_state_callback(fn, user);
    return stream->connect(ip);
}

bool vy_nvs_disconnect(void* handle)
{
    NetVideoStream* stream = stream_of(handle, __func__);
    return stream != nullptr && stream->disconnect(1);
}

bool vy_nvs_set_cb_one_frame_received(void* handle, NvsFrameCallback fn, void* user)
{
    return register_callback(handle, __func__, fn, user, &NetVideoStream::frame_callback);
}

bool vy_nvs_set_cb_one_frame_received_with_type(void* handle, NvsTypedFrameCallback fn, void* user)
{
    return register_callback(handle, __func__, fn, user, &NetVideoStream::typed_frame_callback);
}

bool vy_nvs_set_cb_preset_changed(void* handle, NvsPresetChangedCallback fn, void* user)
{
    return register_callback(handle, __func__, fn, user, &NetVideoStream::preset_changed_callback);
}

bool vy_nvs_set_cb_one_temperature_frame_received(void* handle, NvsTemperatureFrameCallback fn, void* user)
{
    return register_ir_callback(handle, __func__, fn, user, &NetVideoStreamIR::temperature_callback);
}

bool vy_nvs_set_imaging_info_received(void* handle, NvsImagingInfoCallback fn, void* user)
{
    return register_ir_callback(handle, __func__, fn, user, &NetVideoStreamIR::imaging_info_callback);
}

bool vy_nvs_set_realtime_rule_temperature_callback(void* handle, NvsRuleTemperatureCallback fn, void* user)
{
    return register_ir_callback(handle, __func__, fn, user, &NetVideoStreamIR::rule_temperature_callback);
}

bool vy_nvs_set_realtime_rule_temperature_alarm_callback(void* handle, NvsRuleAlarmCallback fn, void* user)
{
    return register_ir_callback(handle, __func__, fn, user, &NetVideoStreamIR::rule_alarm_callback);
}

bool vy_nvs_set_realtime_rule_temperature_diff_alarm_callback(void* handle, NvsRuleDiffAlarmCallback fn,
                                                              void* user)
{
    return register_ir_callback(handle, __func__, fn, user, &NetVideoStreamIR::rule_diff_alarm_callback);
}

bool vy_nvs_set_cb_cmd_finished(void* handle, NvsCmdFinishedCallback fn, void* user)
{
    return register_ir_callback(handle, __func__, fn, user, &NetVideoStreamIR::cmd_finished_callback);
}

bool vy_nvs_get_vi_ir_cut_file(void* handle, int32_t* status, uint32_t* length, void* out)
{
    if (missing(status, __func__, "status")) {
        return false;
    }
    NetVideoStream* stream = stream_of(handle, __func__);
    if (stream == nullptr) {
        *status = NVS_CUT_FILE_NO_HANDLE;
        return false;
    }
    if (length == nullptr) {
        *status = NVS_CUT_FILE_NO_ROOM;
        return false;
    }
    return stream->get_vi_ir_cut_file(status, length, out);
}

bool vy_nvs_get_visual_ip(void* handle, char* out, int32_t* length)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && !missing(length, __func__, "length") && stream->get_visual_ip(out, length);
}

bool vy_nvs_get_resolution(void* handle, uint16_t* width, uint16_t* height)
{
    NetVideoStream* stream = stream_of(handle, __func__);
    if (stream == nullptr || missing(width, __func__, "width") || missing(height, __func__, "height")) {
        return false;
    }
    if (stream->kind() == NVS_STREAM_VISIBLE) {
        *width = kVisibleWidth;
        *height = kVisibleHeight;
        return true;
    }
    return static_cast<NetVideoStreamIR*>(stream)->get_resolution(width, height);
}

bool vy_nvs_set_temperature_params(void* handle, float emissivity, float distance, float ambient, float humidity)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && stream->set_temperature_params(emissivity, distance, ambient, humidity);
}

bool vy_nvs_get_temperature_params(void* handle, float* emissivity, float* distance, float* ambient,
                                   float* humidity)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && stream->get_temperature_params(emissivity, distance, ambient, humidity);
}

bool vy_nvs_set_temperature_unit(void* handle, int32_t unit)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && stream->set_temperature_unit(unit);
}

bool vy_nvs_get_temperature_unit(void* handle, int32_t* unit)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && !missing(unit, __func__, "unit") && stream->get_temperature_unit(unit);
}

bool vy_nvs_set_all_temperature_frequency(void* handle, int32_t frequency)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    if (stream == nullptr) {
        return false;
    }
    std::vector<uint8_t> payload;
    put_u32(payload, static_cast<uint32_t>(frequency));
    return stream->send_cmd(160, 132, payload, kCommandWaitMs);
}

bool vy_nvs_get_temperature_meas_range(void* handle, int32_t* count, NvsMeasRange* out)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && !missing(count, __func__, "count") && !missing(out, __func__, "out") &&
           stream->get_temperature_meas_range(count, out);
}

bool vy_nvs_get_curr_temperature_meas_range(void* handle, int32_t* range, float* min_temp, float* max_temp)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && !missing(range, __func__, "range") && !missing(min_temp, __func__, "min") &&
           !missing(max_temp, __func__, "max") && stream->get_curr_temperature_meas_range(range, min_temp, max_temp);
}

bool vy_nvs_set_temperature_meas_range(void* handle, int32_t range)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && stream->set_temperature_meas_range(range);
}

bool vy_nvs_set_len_and_meas_range(void* handle, int32_t lens, int32_t range)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && stream->set_len_and_meas_range(lens, range);
}

bool vy_nvs_get_device_info(void* handle, NvsDeviceInfo* info)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && !missing(info, __func__, "info") && stream->get_device_info(info);
}

bool vy_nvs_set_len_pos(void* handle, int32_t position)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && stream->set_len_pos(position);
}

bool vy_nvs_get_len_pos(void* handle, int32_t* position)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && !missing(position, __func__, "position") && stream->get_len_pos(position);
}

bool vy_nvs_set_imaging_info(void* handle, int32_t flag, uint32_t first, uint32_t second)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && stream->set_imaging_info(flag, first, second);
}

bool vy_nvs_set_temperature_overlay_video_flag(void* handle, bool on)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && stream->set_flag(186, on);
}

bool vy_nvs_get_temperature_overlay_video_flag(void* handle, bool* on)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && !missing(on, __func__, "flag") && stream->get_flag(187, on);
}

bool vy_nvs_set_preset_temperature_alarm_upload_flag(void* handle, bool on)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && stream->set_flag(188, on);
}

bool vy_nvs_get_preset_temperature_alarm_upload_flag(void* handle, bool* on)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && !missing(on, __func__, "flag") && stream->get_flag(189, on);
}

bool vy_nvs_capture_jpg(void* handle, void* buffer, uint32_t* length)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && !missing(buffer, __func__, "buffer") && !missing(length, __func__, "length") &&
           stream->capture_jpg(buffer, length);
}

bool vy_nvs_get_all_preset_info(void* handle, uint16_t* current, NvsPresetInfo** list, uint16_t* count)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && !missing(current, __func__, "current") && !missing(list, __func__, "list") &&
           !missing(count, __func__, "count") && stream->get_all_preset_info(current, list, count);
}

bool vy_nvs_set_preset_info(void* handle, const NvsPresetSetting* preset)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && !missing(preset, __func__, "preset") && stream->set_preset_info(*preset);
}

bool vy_nvs_get_all_preset_alarm_info(void* handle, NvsPresetAlarmInfo** list, int32_t* count)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && !missing(list, __func__, "list") && !missing(count, __func__, "count") &&
           stream->get_alarm_list(140, list, count);
}

bool vy_nvs_set_preset_alarm_info(void* handle, uint16_t preset_id, const void* data, int32_t length)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && stream->set_alarm_info(139, preset_id, data, length);
}

bool vy_nvs_get_all_preset_diff_alarm_info(void* handle, NvsPresetAlarmInfo** list, int32_t* count)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && !missing(list, __func__, "list") && !missing(count, __func__, "count") &&
           stream->get_alarm_list(142, list, count);
}

bool vy_nvs_set_preset_diff_alarm_info(void* handle, uint16_t preset_id, const void* data, int32_t length)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && stream->set_alarm_info(141, preset_id, data, length);
}

bool vy_nvs_motor_forward(void* handle)
{
    return send_plain(handle, __func__, 164, 130);
}

bool vy_nvs_motor_backward(void* handle)
{
    return send_plain(handle, __func__, 164, 131);
}

bool vy_nvs_motor_stop(void* handle)
{
    return send_plain(handle, __func__, 164, 132);
}

bool vy_nvs_zoom_motor_forward(void* handle)
{
    return send_plain(handle, __func__, 164, 133);
}

bool vy_nvs_zoom_motor_backward(void* handle)
{
    return send_plain(handle, __func__, 164, 134);
}

bool vy_nvs_zoom_motor_stop(void* handle)
{
    return send_plain(handle, __func__, 164, 135);
}

bool vy_nvs_auto_focus(void* handle)
{
    return send_plain(handle, __func__, 164, 138);
}

bool vy_nvs_shutter_up(void* handle)
{
    return send_plain(handle, __func__, 164, 128);
}

bool vy_nvs_shutter_down(void* handle)
{
    return send_plain(handle, __func__, 164, 129);
}

bool vy_nvs_temperature_correct(void* handle)
{
    return send_plain(handle, __func__, 164, 139);
}

bool vy_nvs_laser_on(void* handle)
{
    return send_plain(handle, __func__, 164, 140);
}

bool vy_nvs_laser_off(void* handle)
{
    return send_plain(handle, __func__, 164, 141);
}

bool vy_nvs_disable_max_temperature_osd(void* handle)
{
    return send_plain(handle, __func__, 168, 142);
}

bool vy_nvs_stop_realplay(void* handle)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    if (stream == nullptr) {
        return false;
    }
    std::vector<uint8_t> payload;
    put_u32(payload, stream->link_id());
    return stream->send_cmd(160, 133, payload, 0);
}

bool vy_nvs_set_machine_record_start(void* handle)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && stream->set_machine_record(true);
}

bool vy_nvs_set_machine_record_stop(void* handle)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && stream->set_machine_record(false);
}

bool vy_nvs_get_machine_record_status(void* handle, bool* recording)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && !missing(recording, __func__, "status") &&
           stream->get_machine_record_status(recording);
}

bool vy_nvs_get_machine_record_filelist(void* handle, uint32_t first, uint32_t second, NvsRecordFile* out,
                                        uint32_t* count)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && !missing(count, __func__, "count") &&
           stream->get_machine_record_filelist(first, second, out, count);
}

bool vy_nvs_download_machine_record_file(void* handle, const char* remote_name, const char* local_path)
{
    NetVideoStreamIR* stream = ir_of(handle, __func__);
    return stream != nullptr && !missing(remote_name, __func__, "remote name") &&
           !missing(local_path, __func__, "local path") &&
           stream->download_machine_record_file(remote_name, local_path);
}

bool vy_nvs_start_record(void* handle, const char* path)
{
    NetVideoStream* stream = stream_of(handle, __func__);
    return stream != nullptr && stream->start_record(path);
}

bool vy_nvs_record_one_frame(void* handle)
{
    NetVideoStream* stream = stream_of(handle, __func__);
    return stream != nullptr && stream->record_one_frame();
}

bool vy_nvs_stop_record(void* handle)
{
    NetVideoStream* stream = stream_of(handle, __func__);
    return stream != nullptr && stream->stop_record();
}
