// Decoders of the camera's answers. Each reads only the payload it is given,
// checks every length and count against the bytes there, and fills its
// output only when the whole answer is valid. A refusal is logged.
#pragma once

#include "streamnet.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace streamnet {
namespace detail {

struct FirmwareVersion {
    int major = 0;
    int minor = 0;
    int patch = 0;
};

// Cameras whose firmware has major >= 1, minor >= 1 and patch >= 39, each
// number compared by itself, answer the byte-order query and the preset list
// on connect and send big-endian temperature frames: 2.0.50 and 1.2.0 do
// not, 2.1.40 does. Cameras rely on this rule; it is not a version order.
bool firmware_at_least(const FirmwareVersion& version, int major, int minor, int patch);
bool is_newer_firmware(const FirmwareVersion& version);
// "%d.%d.%d" of a text of at most `size` bytes, terminated first.
bool parse_firmware_version(const uint8_t* text, std::size_t size, FirmwareVersion* version);

struct RangeRecord {
    uint8_t range = 0;
    int16_t min_temp = 0;
    int16_t max_temp = 0;
};

// Lens index to its measuring ranges, at most NVS_MAX_RANGES each.
using LensTable = std::map<uint8_t, std::vector<RangeRecord>>;

// The device description (160/129). Offsets in the comments are from the
// packet start; the payload begins at 23.
struct DeviceDescription {
    std::array<std::string, 4> texts;  // 40, 56, 72 (firmware version), 88
    FirmwareVersion firmware;
    std::array<uint16_t, 4> sizes{};   // 120..126; [2] width, [3] height
    uint8_t byte_128 = 0;
    uint16_t lens_position = 0;        // 129
    uint8_t lens_index = 0;            // 136
    uint8_t meas_range = 0;            // 137
    float params[4] = {0, 0, 0, 0};    // 138: emissivity, distance, ambient, humidity
    uint32_t extra_values[2] = {0, 0};
    uint8_t unit = 0;                  // 162
    std::array<uint8_t, 3> bytes_168{};
    std::array<std::array<uint8_t, 15>, 5> groups{};  // 171..245
    std::array<uint8_t, 9> bytes_246{};  // 246..254; [1] lens adjust method, [2] lens position supported
    LensTable lenses;                  // 264: count, then the entries
    std::array<uint8_t, 67> tail{};    // flag and eleven 6-byte groups

    bool lens_position_supported() const { return bytes_246[2] == 1; }
    uint8_t lens_adjust_method() const { return bytes_246[1]; }
    // The 16-byte text at 56 carries the camera's hardware version.
    const std::string& hardware_version() const { return texts[1]; }
};

// Size of a description payload with no lenses.
constexpr std::size_t kDescriptionFixedSize = 242 + 67;

bool decode_device_description(const uint8_t* payload, std::size_t size, DeviceDescription* out);

struct PresetList {
    uint16_t current = 0;
    std::vector<NvsPresetInfo> presets;
};

// 170/138. More than 255 entries or a text above 1,024 bytes is refused.
bool decode_preset_list(const uint8_t* payload, std::size_t size, PresetList* out);
// 170/140 and 170/142.
bool decode_alarm_list(const uint8_t* payload, std::size_t size, std::vector<NvsPresetAlarmInfo>* out);
// 178/162. A name of 64 bytes or more, a name that is not a plain file name
// ("/", "\", "..", empty) or a number of more than 15 digits refuses the list.
bool decode_record_file_list(const uint8_t* payload, std::size_t size, std::vector<NvsRecordFile>* out);
// 169/149: u32 length, then the text (at most 255 bytes).
bool decode_text(const uint8_t* payload, std::size_t size, std::string* out);
// A payload of exactly four bytes: one u32.
bool decode_u32_only(const uint8_t* payload, std::size_t size, uint32_t* out);

// True when the text can name a file inside a folder: no separators, no
// "..", not empty.
bool is_plain_file_name(const char* name, std::size_t length);

}  // namespace detail
}  // namespace streamnet
