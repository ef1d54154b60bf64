// The infrared stream's operations: parameters are checked before anything
// is sent, and stored values change only when the camera accepted.
#include "stream_ir.h"

#include "streamnet_log.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace streamnet {
namespace detail {

namespace {

// The check enforces 100,000 while the camera's own message speaks of
// 20,000; the looser bound is the one cameras accept.
constexpr float kMaxDistance = 100000.0f;

const RangeRecord* find_range(const LensTable& lenses, uint8_t lens, int32_t range)
{
    auto it = lenses.find(lens);
    if (it == lenses.end()) {
        return nullptr;
    }
    for (const RangeRecord& record : it->second) {
        if (record.range == range) {
            return &record;
        }
    }
    return nullptr;
}

}  // namespace

bool NetVideoStreamIR::get_visual_ip(char* out, int32_t* length)
{
    if (!send_cmd(169, 149, {}, kCommandWaitMs)) {
        return false;
    }
    VyLockGuard guard(settings_lock_);
    int32_t capacity = *length;
    *length = static_cast<int32_t>(visual_ip_.size());
    if (out == nullptr) {
        return true;
    }
    if (capacity < *length) {
        SN_ERROR("visual ip needs %d bytes, the buffer holds %d", *length, capacity);
        return false;
    }
    std::memcpy(out, visual_ip_.data(), visual_ip_.size());
    return true;
}

bool NetVideoStreamIR::get_resolution(uint16_t* width, uint16_t* height)
{
    VyLockGuard guard(settings_lock_);
    *width = description_.sizes[2];
    *height = description_.sizes[3];
    return true;
}

bool NetVideoStreamIR::set_temperature_params(float emissivity, float distance, float ambient, float humidity)
{
    // Written so that NaN fails every comparison and is refused.
    if (!(emissivity >= 0.0f && emissivity <= 1.0f)) {
        SN_ERROR("emiss error, should between 0.01 and 1.00, but value = %.02f", emissivity);
        return false;
    }
    if (!(distance > 0.0f && distance <= kMaxDistance)) {
        SN_ERROR("dist error, should between 0.00 and 20000.00, 0.00 not included, but value = %.02f", distance);
        return false;
    }
    if (!(ambient >= -273.15f && ambient <= 300.0f)) {
        SN_ERROR("env temp error, should between -273.00 and 300.00, but value = %.2f", ambient);
        return false;
    }
    if (!(humidity >= 0.0f && humidity < 1.0f)) {
        SN_ERROR("rel hum error, should between 0.01 and 1.00, but value = %.2f", humidity);
        return false;
    }
    uint8_t unit;
    {
        VyLockGuard guard(settings_lock_);
        unit = description_.unit;
    }
    std::vector<uint8_t> payload;
    for (float value : {emissivity, distance, ambient, humidity}) {
        put_host32(payload, &value);
    }
    put_u8(payload, unit);
    if (!send_cmd(163, 129, payload, kCommandWaitMs)) {
        return false;
    }
    VyLockGuard guard(settings_lock_);
    description_.params[0] = emissivity;
    description_.params[1] = distance;
    description_.params[2] = ambient;
    description_.params[3] = humidity;
    return true;
}

bool NetVideoStreamIR::get_temperature_params(float* emissivity, float* distance, float* ambient, float* humidity)
{
    VyLockGuard guard(settings_lock_);
    float* targets[4] = {emissivity, distance, ambient, humidity};
    for (int i = 0; i < 4; ++i) {
        if (targets[i] != nullptr) {
            *targets[i] = description_.params[i];
        }
    }
    return true;
}

bool NetVideoStreamIR::set_temperature_unit(int32_t unit)
{
    if (unit < 0 || unit > 2) {
        SN_ERROR("temperature unit = %d is error", unit);
        return false;
    }
    if (!send_cmd(163, 135, {static_cast<uint8_t>(unit)}, kCommandWaitMs)) {
        return false;
    }
    VyLockGuard guard(settings_lock_);
    description_.unit = static_cast<uint8_t>(unit);
    return true;
}

bool NetVideoStreamIR::get_temperature_unit(int32_t* unit)
{
    VyLockGuard guard(settings_lock_);
    *unit = description_.unit;
    return true;
}

bool NetVideoStreamIR::get_temperature_meas_range(int32_t* count, NvsMeasRange* out)
{
    VyLockGuard guard(settings_lock_);
    auto it = description_.lenses.find(description_.lens_index);
    // The description decoder keeps at most NVS_MAX_RANGES ranges a lens: the
    // size of the caller's table.
    std::size_t ranges = it == description_.lenses.end() ? 0 : std::min<std::size_t>(it->second.size(), NVS_MAX_RANGES);
    *count = static_cast<int32_t>(ranges);
    for (std::size_t i = 0; i < ranges; ++i) {
        const RangeRecord& record = it->second[i];
        out[i].range = record.range;
        out[i].min_temp = record.min_temp;
        out[i].max_temp = record.max_temp;
    }
    return true;
}

bool NetVideoStreamIR::get_curr_temperature_meas_range(int32_t* range, float* min_temp, float* max_temp)
{
    VyLockGuard guard(settings_lock_);
    *range = description_.meas_range;
    const RangeRecord* record = find_range(description_.lenses, description_.lens_index, description_.meas_range);
    if (record == nullptr) {
        return false;
    }
    *min_temp = record->min_temp;
    *max_temp = record->max_temp;
    return true;
}

bool NetVideoStreamIR::set_temperature_meas_range(int32_t range)
{
    int32_t lens;
    {
        VyLockGuard guard(settings_lock_);
        lens = description_.lens_index;
    }
    return set_len_and_meas_range(lens, range);
}

bool NetVideoStreamIR::set_len_and_meas_range(int32_t lens, int32_t range)
{
    {
        VyLockGuard guard(settings_lock_);
        if (lens < 0 || lens > 255 || find_range(description_.lenses, static_cast<uint8_t>(lens), range) == nullptr) {
            SN_ERROR("range = %d is not a range of lens %d", range, lens);
            return false;
        }
    }
    if (!send_cmd(163, 128, {static_cast<uint8_t>(lens), static_cast<uint8_t>(range)}, kRangeWaitMs)) {
        SN_ERROR("send cmd [%d, %d]'s value type = %d, range = %d failed", 163, 128, lens, range);
        return false;
    }
    VyLockGuard guard(settings_lock_);
    description_.lens_index = static_cast<uint8_t>(lens);
    description_.meas_range = static_cast<uint8_t>(range);
    return true;
}

bool NetVideoStreamIR::get_device_info(NvsDeviceInfo* info)
{
    VyLockGuard guard(settings_lock_);
    if (!guard || !described_) {
        SN_ERROR("the camera has not described itself yet");
        return false;
    }
    *info = NvsDeviceInfo();
    const std::string& firmware = description_.texts[2];
    const std::string& hardware = description_.hardware_version();
    std::memcpy(info->firmware_version, firmware.data(), std::min(firmware.size(), sizeof(info->firmware_version) - 1));
    std::memcpy(info->hardware_version, hardware.data(), std::min(hardware.size(), sizeof(info->hardware_version) - 1));
    info->width = description_.sizes[2];
    info->height = description_.sizes[3];
    info->lens_index = description_.lens_index;
    info->meas_range = description_.meas_range;
    info->lens_adjust_method = description_.lens_adjust_method();
    info->lens_position_supported = description_.lens_position_supported();
    return true;
}

bool NetVideoStreamIR::set_len_pos(int32_t position)
{
    {
        VyLockGuard guard(settings_lock_);
        if (!description_.lens_position_supported()) {
            SN_ERROR("lens position is not supported by the camera");
            return false;
        }
    }
    std::vector<uint8_t> payload;
    put_u32(payload, static_cast<uint32_t>(position));
    return send_cmd(164, 137, payload, kCommandWaitMs);
}

bool NetVideoStreamIR::get_len_pos(int32_t* position)
{
    {
        VyLockGuard guard(settings_lock_);
        if (!description_.lens_position_supported()) {
            *position = 0;
            SN_ERROR("lens position is not supported by the camera");
            return false;
        }
    }
    if (!send_cmd(164, 136, {}, kCommandWaitMs)) {
        return false;
    }
    VyLockGuard guard(settings_lock_);
    *position = description_.lens_position;
    return true;
}

bool NetVideoStreamIR::set_imaging_info(int32_t flag, uint32_t first, uint32_t second)
{
    if (flag == 0) {
        return send_cmd(170, 133, {}, kCommandWaitMs);
    }
    std::vector<uint8_t> payload;
    put_host32(payload, &first);
    put_host32(payload, &second);
    return send_cmd(170, 136, payload, kCommandWaitMs);
}

bool NetVideoStreamIR::set_flag(uint8_t vice_cmd, bool on)
{
    return send_cmd(169, vice_cmd, {static_cast<uint8_t>(on ? 1 : 0)}, kCommandWaitMs);
}

bool NetVideoStreamIR::get_flag(uint8_t vice_cmd, bool* on)
{
    if (!send_cmd(169, vice_cmd, {}, kCommandWaitMs)) {
        return false;
    }
    VyLockGuard guard(settings_lock_);
    *on = vice_cmd == 187 ? overlay_flag_ : upload_flag_;
    return true;
}

bool NetVideoStreamIR::capture_jpg(void* buffer, uint32_t* length)
{
    if (!send_cmd(161, 135, {}, kCommandWaitMs)) {
        return false;
    }
    VyLockGuard guard(settings_lock_);
    uint32_t capacity = *length;
    *length = static_cast<uint32_t>(jpeg_.size());
    if (capacity < jpeg_.size()) {
        SN_ERROR("jpeg needs %zu bytes, the buffer holds %u", jpeg_.size(), capacity);
        return false;
    }
    std::memcpy(buffer, jpeg_.data(), jpeg_.size());
    return true;
}

bool NetVideoStreamIR::get_all_preset_info(uint16_t* current, NvsPresetInfo** list, uint16_t* count)
{
    // A failed request leaves the list received before in place.
    send_cmd(170, 138, {}, kCommandWaitMs);
    VyLockGuard guard(lists_lock_);
    if (!presets_received_) {
        return false;
    }
    *current = presets_.current;
    *list = presets_.presets.empty() ? nullptr : presets_.presets.data();
    *count = static_cast<uint16_t>(presets_.presets.size());
    return true;
}

bool NetVideoStreamIR::set_preset_info(const NvsPresetSetting& preset)
{
    if (preset.text_length > NVS_PRESET_TEXT_CAPACITY - 1 || (preset.text == nullptr && preset.text_length > 0)) {
        SN_ERROR("preset text len = %u is error", preset.text_length);
        return false;
    }
    std::vector<uint8_t> payload;
    put_u16(payload, preset.preset_id);
    for (const uint32_t& value : preset.values) {
        put_host32(payload, &value);
    }
    put_u32(payload, preset.text_length);
    put_bytes(payload, preset.text, preset.text_length);
    return send_cmd(170, 137, payload, kCommandWaitMs);
}

bool NetVideoStreamIR::get_alarm_list(uint8_t vice_cmd, NvsPresetAlarmInfo** list, int32_t* count)
{
    if (!send_cmd(170, vice_cmd, {}, kCommandWaitMs)) {
        return false;
    }
    VyLockGuard guard(lists_lock_);
    std::vector<NvsPresetAlarmInfo>& alarms = vice_cmd == 140 ? alarms_ : diff_alarms_;
    *list = alarms.empty() ? nullptr : alarms.data();
    *count = static_cast<int32_t>(alarms.size());
    return true;
}

bool NetVideoStreamIR::set_alarm_info(uint8_t vice_cmd, uint16_t preset_id, const void* data, int32_t length)
{
    if (length < 0 || length > NVS_PRESET_TEXT_CAPACITY - 1 || (data == nullptr && length > 0)) {
        SN_ERROR("alarm text len = %d is error", length);
        return false;
    }
    std::vector<uint8_t> payload;
    put_u16(payload, preset_id);
    put_u32(payload, static_cast<uint32_t>(length));
    put_bytes(payload, data, static_cast<std::size_t>(length));
    return send_cmd(170, vice_cmd, payload, kCommandWaitMs);
}

bool NetVideoStreamIR::set_machine_record(bool start)
{
    if (!send_cmd(178, 160, {static_cast<uint8_t>(start ? 1 : 0)}, kCommandWaitMs)) {
        return false;
    }
    VyLockGuard guard(settings_lock_);
    record_status_ = start;
    return true;
}

bool NetVideoStreamIR::get_machine_record_status(bool* recording)
{
    if (!send_cmd(178, 161, {}, kCommandWaitMs)) {
        return false;
    }
    VyLockGuard guard(settings_lock_);
    *recording = record_status_;
    return true;
}

bool NetVideoStreamIR::get_machine_record_filelist(uint32_t first, uint32_t second, NvsRecordFile* out,
                                                   uint32_t* count)
{
    std::vector<uint8_t> payload;
    put_u32(payload, first);
    put_u32(payload, second);
    if (!send_cmd(178, 162, payload, kCommandWaitMs)) {
        return false;
    }
    VyLockGuard guard(settings_lock_);
    uint32_t capacity = *count;
    *count = static_cast<uint32_t>(record_files_.size());
    if (out == nullptr || record_files_.empty()) {
        return true;
    }
    if (capacity < record_files_.size()) {
        SN_ERROR("%zu record files, room for %u", record_files_.size(), capacity);
        return false;
    }
    std::memcpy(out, record_files_.data(), record_files_.size() * sizeof(NvsRecordFile));
    return true;
}

bool NetVideoStreamIR::download_machine_record_file(const char* remote_name, const char* local_path)
{
    if (!is_plain_file_name(remote_name, std::strlen(remote_name))) {
        SN_ERROR("record file name \"%s\" is not a plain file name", remote_name);
        return false;
    }
    return download_.run(device_ip(), remote_name, local_path);
}

}  // namespace detail
}  // namespace streamnet
