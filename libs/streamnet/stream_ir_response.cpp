// Answers to the infrared stream's requests: each is checked and its values
// stored for the getters, under the lock of their group.
#include "stream_ir.h"

#include "streamnet_log.h"

namespace streamnet {
namespace detail {

bool NetVideoStreamIR::store_description(const PacketView& packet)
{
    DeviceDescription description;
    if (!decode_device_description(packet.payload, packet.payload_length, &description)) {
        return false;
    }
    VyLockGuard guard(settings_lock_);
    if (!guard) {
        return false;
    }
    description_ = std::move(description);
    described_ = true;
    return true;
}

bool NetVideoStreamIR::on_response(const PacketView& packet)
{
    const uint8_t main = packet.main_cmd;
    const uint8_t vice = packet.vice_cmd;
    const uint8_t* payload = packet.payload;
    const std::size_t size = packet.payload_length;
    if (packet.response_code != 0) {
        SN_ERROR("response code = %d is error", packet.response_code);
        return false;
    }
    switch (main) {
    case 160:
        if (vice == 129) {
            return store_description(packet);
        }
        // 132 answers the frequency request, which could otherwise never succeed.
        if (vice == 132 || vice == 133) {
            return true;
        }
        SN_ERROR("request data's vice cmd = %d is error", vice);
        return false;
    case 161:
        if (vice == 135) {
            if (size > kJpegCapacity) {
                SN_ERROR("jpeg len = %zu is above %zu", size, kJpegCapacity);
                return false;
            }
            VyLockGuard guard(settings_lock_);
            jpeg_.assign(payload, payload + size);
            return true;
        }
        SN_ERROR("on_ps_h264_package main_cmd = %d, vice cmd = %d is error", main, vice);
        return false;
    case 163:
        // 135 answers the unit request, which could otherwise never succeed.
        if (vice == 128 || vice == 129 || vice == 135) {
            return true;
        }
        if (vice == 130 || vice == 131) {
            return size == 0;
        }
        SN_ERROR("cmd [%d,%d] is not supported", main, vice);
        return false;
    case 164:
        if (vice == 136) {
            uint32_t position = 0;
            if (!decode_u32_only(payload, size, &position)) {
                SN_ERROR("len position's data len = %d is wrong", static_cast<int>(size));
                return false;
            }
            VyLockGuard guard(settings_lock_);
            description_.lens_position = static_cast<uint16_t>(position);
            return true;
        }
        if ((vice >= 128 && vice <= 139) || vice == 142) {
            return true;
        }
        SN_ERROR("cmd [%d,%d] is not supported", main, vice);
        return false;
    case 169: {
        if (vice == 149) {
            std::string text;
            if (!decode_text(payload, size, &text)) {
                return false;
            }
            VyLockGuard guard(settings_lock_);
            visual_ip_ = text;
            return true;
        }
        if (vice == 183 || vice == 187 || vice == 189) {
            if (size < 1) {
                SN_ERROR("flag answer [%d,%d] has no data", main, vice);
                return false;
            }
            VyLockGuard guard(settings_lock_);
            bool& flag = vice == 183 ? big_endian_flag_ : vice == 187 ? overlay_flag_ : upload_flag_;
            flag = payload[0] == 1;
        }
        return true;
    }
    case 170: {
        if (vice == 138) {
            PresetList list;
            if (!decode_preset_list(payload, size, &list)) {
                return false;
            }
            VyLockGuard guard(lists_lock_);
            presets_ = std::move(list);
            presets_received_ = true;
            return true;
        }
        if (vice == 140 || vice == 142) {
            std::vector<NvsPresetAlarmInfo> list;
            if (!decode_alarm_list(payload, size, &list)) {
                return false;
            }
            VyLockGuard guard(lists_lock_);
            (vice == 140 ? alarms_ : diff_alarms_) = std::move(list);
        }
        return true;
    }
    case 172: {
        uint32_t link_id = 0;
        if (vice != 128 || !decode_u32_only(payload, size, &link_id)) {
            SN_ERROR("link id's vice cmd = %d, or data len = %d is error", vice, static_cast<int>(size));
            return false;
        }
        VyLockGuard guard(settings_lock_);
        link_id_ = link_id;
        return true;
    }
    case 173:
        if (vice != 128 || size != 0) {
            SN_ERROR("keep alive's vice cmd = %d, or data len = %d is error", vice, static_cast<int>(size));
            return false;
        }
        return true;
    case 178: {
        if (vice == 160) {
            return true;
        }
        if (vice == 161) {
            if (size < 1) {
                SN_ERROR("record status answer has no data");
                return false;
            }
            VyLockGuard guard(settings_lock_);
            record_status_ = payload[0] == 1;
            return true;
        }
        if (vice == 162) {
            std::vector<NvsRecordFile> files;
            if (!decode_record_file_list(payload, size, &files)) {
                return false;
            }
            VyLockGuard guard(settings_lock_);
            record_files_ = std::move(files);
            return true;
        }
        SN_ERROR("cmd [%d,%d] is not supported", main, vice);
        return false;
    }
    default:
        SN_ERROR("main cmd = %d is error", main);
        return false;
    }
}

}  // namespace detail
}  // namespace streamnet
