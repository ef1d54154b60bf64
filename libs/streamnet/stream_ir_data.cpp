// Packages the camera sends unasked on either link, handed to the callbacks.
#include "stream_ir.h"

#include "streamnet_log.h"

namespace streamnet {
namespace detail {

namespace {

constexpr uint8_t kDataMain = 161;
// Frames larger than any detector (4096 x 4096) are refused before their
// float buffer is made.
constexpr std::size_t kMaxTemperatureValues = 4096u * 4096u;

bool is_plain_data(const PacketView& packet)
{
    if (packet.type != kDataPackage || packet.response_code != 0) {
        SN_ERROR("on_ps_h264_package uc_package_type = %d, uc_response_code = %d is error", packet.type,
                 packet.response_code);
        return false;
    }
    return true;
}

}  // namespace

bool NetVideoStreamIR::on_data_package(LinkState& link, const PacketView& packet)
{
    if (packet.main_cmd != kDataMain || packet.vice_cmd == 128) {
        SN_ERROR("on_data_package main_cmd = %d, vice cmd = %d is error", packet.main_cmd, packet.vice_cmd);
        return false;
    }
    switch (packet.vice_cmd) {
    case 129:
        if (packet.payload_length != 32) {
            SN_ERROR("temperature sensor's data len = %d is not 21", static_cast<int>(packet.payload_length));
            return false;
        }
        return true;
    case 131: {
        if (!is_plain_data(packet)) {
            return false;
        }
        PsPackage package;
        bool whole = decode_ps_package(packet.payload, packet.payload_length, &package);
        if (package.has_video) {
            on_recv_video_data(package.frame_type, package.video, package.video_size);
        }
        return whole;
    }
    case 136: {
        if (!is_plain_data(packet)) {
            return false;
        }
        ImagingInfo info;
        if (!decode_imaging_info(packet.payload, packet.payload_length, &info)) {
            return false;
        }
        imaging_info_callback.call(info.mode, info.first, info.second);
        return true;
    }
    case 139:
    case 140:
    case 141:
        return on_rule_package(packet);
    default:
        // 134 and every unknown vice command.
        return on_temperature_frame(link, packet);
    }
}

bool NetVideoStreamIR::on_temperature_frame(LinkState& link, const PacketView& packet)
{
    if (packet.vice_cmd != 134) {
        SN_ERROR("on_ps_h264_package main_cmd = %d, vice cmd = %d is error", packet.main_cmd, packet.vice_cmd);
        return false;
    }
    if (!is_plain_data(packet)) {
        return false;
    }
    const std::size_t count = packet.payload_length / 2;
    if (count > kMaxTemperatureValues) {
        SN_ERROR("temperature frame of %zu values is above %zu", count, kMaxTemperatureValues);
        return false;
    }
    if (link.temperatures.size() != count) {
        link.temperatures.assign(count, 0.0f);
    }
    convert_temperature_frame(packet.payload, packet.payload_length, temperatures_big_endian(),
                              link.temperatures.data());
    // The byte length of what was written: an odd last payload byte is no value.
    temperature_callback.call(link.temperatures.data(), static_cast<int32_t>(count * sizeof(float)));
    return true;
}

bool NetVideoStreamIR::on_rule_package(const PacketView& packet)
{
    // The rule decoders return quietly on a type or code mismatch.
    if (packet.type != kDataPackage || packet.response_code != 0) {
        return false;
    }
    switch (packet.vice_cmd) {
    case 139: {
        RuleTemperatures rules;
        if (!decode_rule_temperatures(packet.payload, packet.payload_length, &rules)) {
            return false;
        }
        if (!rules.records.empty()) {
            rule_temperature_callback.call(rules.summary, static_cast<const NvsRuleTemperature*>(rules.records.data()),
                                           static_cast<int32_t>(rules.records.size()));
        }
        return true;
    }
    case 140: {
        RuleAlarms alarms;
        if (!decode_rule_alarms(packet.payload, packet.payload_length, &alarms)) {
            return false;
        }
        if (!alarms.records.empty()) {
            rule_alarm_callback.call(alarms.rule_set, static_cast<const NvsRuleAlarm*>(alarms.records.data()),
                                     static_cast<int32_t>(alarms.records.size()));
        }
        return true;
    }
    default: {
        RuleDiffAlarms alarms;
        if (!decode_rule_diff_alarms(packet.payload, packet.payload_length, &alarms)) {
            return false;
        }
        if (!alarms.records.empty()) {
            rule_diff_alarm_callback.call(alarms.rule_set,
                                          static_cast<const NvsRuleDiffAlarm*>(alarms.records.data()),
                                          static_cast<int32_t>(alarms.records.size()));
        }
        return true;
    }
    }
}

bool NetVideoStreamIR::on_broadcast_package(const PacketView& packet)
{
    if (packet.response_code != 0) {
        SN_ERROR("response code = %d is error", packet.response_code);
        return false;
    }
    if (packet.main_cmd == 176 && packet.vice_cmd == 146) {
        PresetChange change;
        if (!decode_preset_change(packet.payload, packet.payload_length, &change)) {
            return false;
        }
        preset_changed_callback.call(change.value, change.first, change.second);
        return true;
    }
    if (packet.main_cmd == 163 && packet.vice_cmd == 128) {
        bool changed = false;
        if (packet.payload_length == 2 && packet.total_length == 30) {
            VyLockGuard guard(settings_lock_);
            uint8_t lens = packet.payload[0];
            uint8_t range = packet.payload[1];
            if (lens != description_.lens_index || range != description_.meas_range) {
                description_.lens_index = lens;
                description_.meas_range = range;
                changed = true;
            }
        }
        if (!changed) {
            SN_ERROR("set len range's total data len = %d is error", static_cast<int>(packet.payload_length));
            return false;
        }
        // This callback takes the user pointer first.
        std::pair<NvsCmdFinishedCallback, void*> finished = cmd_finished_callback.get();
        if (finished.first != nullptr) {
            finished.first(finished.second, NVS_CMD_LENS_RANGE_CHANGED);
        }
        return true;
    }
    return false;
}

}  // namespace detail
}  // namespace streamnet
