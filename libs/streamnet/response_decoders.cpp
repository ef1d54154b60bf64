#include "response_decoders.h"

#include "byte_reader.h"
#include "streamnet_log.h"

#include <cstring>

namespace streamnet {
namespace detail {

namespace {

constexpr std::size_t kMaxPresetText = NVS_PRESET_TEXT_CAPACITY - 1;
constexpr std::size_t kMaxDeviceText = 255;
constexpr std::size_t kMaxNumberDigits = 15;

std::string fixed_text(const uint8_t* bytes, std::size_t size)
{
    std::size_t length = 0;
    while (length < size && bytes[length] != 0) {
        ++length;
    }
    return std::string(reinterpret_cast<const char*>(bytes), length);
}

// Reads u32 length k and k bytes, refusing a k above `limit`.
bool read_counted(ByteReader& reader, std::size_t limit, const uint8_t** text, uint32_t* length)
{
    *length = reader.u32();
    if (!reader.ok() || *length > limit) {
        return false;
    }
    *text = reader.bytes(*length);
    return reader.ok();
}

bool parse_decimal(const uint8_t* text, uint32_t length, int64_t* value)
{
    std::size_t start = length > 0 && text[0] == '-' ? 1 : 0;
    if (length <= start || length - start > kMaxNumberDigits) {
        return false;
    }
    int64_t result = 0;
    for (std::size_t i = start; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        result = result * 10 + (text[i] - '0');
    }
    *value = start == 1 ? -result : result;
    return true;
}

}  // namespace

bool firmware_at_least(const FirmwareVersion& version, int major, int minor, int patch)
{
    return version.major >= major && version.minor >= minor && version.patch >= patch;
}

bool is_newer_firmware(const FirmwareVersion& version)
{
    return firmware_at_least(version, 1, 1, 39);
}

bool parse_firmware_version(const uint8_t* text, std::size_t size, FirmwareVersion* version)
{
    // Three decimal numbers separated by dots, as "%d.%d.%d" reads them,
    // each bounded so that no number can overflow.
    std::string terminated = fixed_text(text, size);
    int parts[3] = {0, 0, 0};
    std::size_t pos = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (pos >= terminated.size() || terminated[pos] != '.') {
                return false;
            }
            ++pos;
        }
        std::size_t start = pos;
        while (pos < terminated.size() && pos - start < 9 && terminated[pos] >= '0' && terminated[pos] <= '9') {
            parts[i] = parts[i] * 10 + (terminated[pos] - '0');
            ++pos;
        }
        if (pos == start) {
            return false;
        }
    }
    version->major = parts[0];
    version->minor = parts[1];
    version->patch = parts[2];
    return true;
}

bool decode_device_description(const uint8_t* payload, std::size_t size, DeviceDescription* out)
{
    if (size < kDescriptionFixedSize) {
        SN_ERROR("device description len = %zu is error", size);
        return false;
    }
    DeviceDescription d;
    ByteReader reader(payload, size);
    reader.seek(17);
    for (int i = 0; i < 3; ++i) {
        d.texts[i] = fixed_text(reader.bytes(16), 16);
    }
    d.texts[3] = fixed_text(reader.bytes(32), 32);
    // A version that does not parse reads as 0.0.0, the older protocol.
    parse_firmware_version(payload + 49, 16, &d.firmware);
    for (uint16_t& value : d.sizes) {
        value = reader.u16();
    }
    d.byte_128 = reader.u8();
    d.lens_position = reader.u16();
    reader.seek(113);
    d.lens_index = reader.u8();
    d.meas_range = reader.u8();
    for (float& value : d.params) {
        value = reader.f32_host();
    }
    d.extra_values[0] = reader.u32_host();
    d.extra_values[1] = reader.u32_host();
    d.unit = reader.u8();
    reader.seek(145);
    std::memcpy(d.bytes_168.data(), reader.bytes(3), 3);
    for (auto& group : d.groups) {
        std::memcpy(group.data(), reader.bytes(15), 15);
    }
    std::memcpy(d.bytes_246.data(), reader.bytes(9), 9);
    reader.seek(241);
    uint8_t lens_count = reader.u8();
    for (int lens = 0; lens < lens_count && reader.ok(); ++lens) {
        uint8_t index = reader.u8();
        uint8_t ranges = reader.u8();
        std::vector<RangeRecord>& list = d.lenses[index];
        list.clear();
        for (int r = 0; r < ranges && reader.ok(); ++r) {
            RangeRecord record;
            record.range = reader.u8();
            record.min_temp = static_cast<int16_t>(reader.u16());
            record.max_temp = static_cast<int16_t>(reader.u16());
            // The getters have room for NVS_MAX_RANGES ranges of a lens.
            if (reader.ok() && list.size() < NVS_MAX_RANGES) {
                list.push_back(record);
            }
        }
    }
    const uint8_t* tail = reader.bytes(d.tail.size());
    if (!reader.ok()) {
        SN_ERROR("device description len = %zu is shorter than its %d lenses", size, lens_count);
        return false;
    }
    std::memcpy(d.tail.data(), tail, d.tail.size());
    *out = std::move(d);
    return true;
}

bool decode_preset_list(const uint8_t* payload, std::size_t size, PresetList* out)
{
    ByteReader reader(payload, size);
    PresetList list;
    list.current = reader.u16();
    uint32_t count = reader.u32();
    if (!reader.ok() || count > NVS_MAX_PRESETS || !reader.holds(count, 22)) {
        SN_ERROR("preset list count = %u is error, data len = %zu", count, size);
        return false;
    }
    list.presets.resize(count);
    for (NvsPresetInfo& preset : list.presets) {
        std::memset(&preset, 0, sizeof(preset));
        preset.preset_id = reader.u16();
        for (uint32_t& value : preset.values) {
            value = reader.u32_host();
        }
        const uint8_t* text = nullptr;
        if (!read_counted(reader, kMaxPresetText, &text, &preset.text_length)) {
            SN_ERROR("preset list entry of preset %u is error", preset.preset_id);
            return false;
        }
        std::memcpy(preset.text, text, preset.text_length);
    }
    *out = std::move(list);
    return true;
}

bool decode_alarm_list(const uint8_t* payload, std::size_t size, std::vector<NvsPresetAlarmInfo>* out)
{
    ByteReader reader(payload, size);
    uint32_t count = reader.u32();
    if (!reader.ok() || count > NVS_MAX_PRESETS || !reader.holds(count, 6)) {
        SN_ERROR("alarm list count = %u is error, data len = %zu", count, size);
        return false;
    }
    std::vector<NvsPresetAlarmInfo> list(count);
    for (NvsPresetAlarmInfo& alarm : list) {
        std::memset(&alarm, 0, sizeof(alarm));
        alarm.preset_id = reader.u16();
        const uint8_t* text = nullptr;
        if (!read_counted(reader, kMaxPresetText, &text, &alarm.text_length)) {
            SN_ERROR("alarm list entry of preset %u is error", alarm.preset_id);
            return false;
        }
        std::memcpy(alarm.text, text, alarm.text_length);
    }
    *out = std::move(list);
    return true;
}

bool is_plain_file_name(const char* name, std::size_t length)
{
    if (length == 0 || std::memchr(name, '\0', length) != nullptr) {
        return false;
    }
    if ((length == 1 && name[0] == '.') || (length == 2 && name[0] == '.' && name[1] == '.')) {
        return false;
    }
    return std::memchr(name, '/', length) == nullptr && std::memchr(name, '\\', length) == nullptr;
}

bool decode_record_file_list(const uint8_t* payload, std::size_t size, std::vector<NvsRecordFile>* out)
{
    ByteReader reader(payload, size);
    uint32_t count = reader.u32();
    if (!reader.ok() || !reader.holds(count, 12)) {
        SN_ERROR("record file list count = %u is error, data len = %zu", count, size);
        return false;
    }
    std::vector<NvsRecordFile> list(count);
    for (NvsRecordFile& file : list) {
        std::memset(&file, 0, sizeof(file));
        const uint8_t* name = nullptr;
        const uint8_t* first = nullptr;
        const uint8_t* second = nullptr;
        uint32_t name_length = 0;
        uint32_t first_length = 0;
        uint32_t second_length = 0;
        if (!read_counted(reader, NVS_RECORD_NAME - 1, &name, &name_length) ||
            !read_counted(reader, kMaxNumberDigits + 1, &first, &first_length) ||
            !read_counted(reader, kMaxNumberDigits + 1, &second, &second_length)) {
            SN_ERROR("record file list entry is error, data len = %zu", size);
            return false;
        }
        if (!is_plain_file_name(reinterpret_cast<const char*>(name), name_length)) {
            SN_ERROR("record file name \"%.*s\" is not a plain file name", static_cast<int>(name_length),
                     reinterpret_cast<const char*>(name));
            return false;
        }
        if (!parse_decimal(first, first_length, &file.first) || !parse_decimal(second, second_length, &file.second)) {
            SN_ERROR("record file values of \"%.*s\" are error", static_cast<int>(name_length),
                     reinterpret_cast<const char*>(name));
            return false;
        }
        std::memcpy(file.name, name, name_length);
    }
    *out = std::move(list);
    return true;
}

bool decode_text(const uint8_t* payload, std::size_t size, std::string* out)
{
    ByteReader reader(payload, size);
    const uint8_t* text = nullptr;
    uint32_t length = 0;
    if (!read_counted(reader, kMaxDeviceText, &text, &length)) {
        SN_ERROR("text len = %u is error, data len = %zu", length, size);
        return false;
    }
    out->assign(reinterpret_cast<const char*>(text), length);
    return true;
}

bool decode_u32_only(const uint8_t* payload, std::size_t size, uint32_t* out)
{
    if (size != 4) {
        return false;
    }
    ByteReader reader(payload, size);
    *out = reader.u32();
    return true;
}

}  // namespace detail
}  // namespace streamnet
