// The decoders of the camera's answers. The first byte picks the decoder.
#include "response_decoders.h"

#include <cstdint>
#include <cstring>
#include <vector>

using namespace streamnet::detail;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    const uint8_t which = data[0] % 6;
    std::vector<uint8_t> payload(data + 1, data + size);
    const uint8_t* p = payload.data();
    const std::size_t n = payload.size();
    switch (which) {
    case 0: {
        DeviceDescription description;
        if (decode_device_description(p, n, &description)) {
            for (const auto& lens : description.lenses) {
                if (lens.second.size() > NVS_MAX_RANGES) {
                    __builtin_trap();
                }
            }
        }
        break;
    }
    case 1: {
        PresetList list;
        if (decode_preset_list(p, n, &list)) {
            for (const NvsPresetInfo& preset : list.presets) {
                if (preset.text_length >= NVS_PRESET_TEXT_CAPACITY || preset.text[preset.text_length] != '\0') {
                    __builtin_trap();
                }
            }
        }
        break;
    }
    case 2: {
        std::vector<NvsPresetAlarmInfo> alarms;
        decode_alarm_list(p, n, &alarms);
        break;
    }
    case 3: {
        std::vector<NvsRecordFile> files;
        if (decode_record_file_list(p, n, &files)) {
            for (const NvsRecordFile& file : files) {
                std::size_t length = strnlen(file.name, sizeof(file.name));
                if (!is_plain_file_name(file.name, length)) {
                    __builtin_trap();
                }
            }
        }
        break;
    }
    case 4: {
        std::string text;
        if (decode_text(p, n, &text) && text.size() + 4 > n) {
            __builtin_trap();
        }
        break;
    }
    default: {
        FirmwareVersion version;
        parse_firmware_version(p, n, &version);
        break;
    }
    }
    return 0;
}
