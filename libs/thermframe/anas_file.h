// The analysis-object file: a 20-byte header and fixed 2172-byte records,
// little-endian. Encoding, decoding and rescaling only; the exports do the
// file access and talk to sensekern.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace thermframe {
namespace detail {

constexpr size_t kAnasHeaderSize = 20;
constexpr size_t kAnasRecordSize = 2172;
constexpr uint16_t kAnasTag = 0x2306;
constexpr uint16_t kAnasVersion = 1;

struct AnasFileHeader {
    uint16_t width = 0;
    uint16_t height = 0;
    uint32_t count = 0;
};

struct AnasRecord {
    std::string text;
    std::string alias;
    uint32_t line_color = 0x25ffff;
    uint8_t show_text_type = 1;
    bool show_max = false;
    bool show_min = false;
    bool self_palette = false;
    bool auto_imaging = false;
    uint8_t palette = 0;
    uint16_t range_low = 0;
    uint16_t range_high = 0;
    bool show_cursor = false;
    bool self_para = false;
    float emissivity = 0.95f;
    float distance = 5.0f;
};

enum class HeaderCheck { ok, bad_magic, bad_version, bad_size };

void encode_header(const AnasFileHeader& header, uint8_t out[kAnasHeaderSize]);
HeaderCheck decode_header(const uint8_t in[kAnasHeaderSize], AnasFileHeader& header);

// Text and alias longer than their fields (1023 and 99 characters) are
// refused rather than cut.
bool encode_record(const AnasRecord& record, uint8_t out[kAnasRecordSize]);
// Text and alias end at their first NUL or at the end of their field.
void decode_record(const uint8_t in[kAnasRecordSize], AnasRecord& record);

// False when a byte that becomes an enumeration is out of range: the label
// mask (0 to 7) and, for an object with its own palette, the palette number
// (below 18).
bool record_enums_valid(const AnasRecord& record);

// The text with every node scaled (truncating toward zero), formatted
// without an index part. False when the text has no valid nodes, a factor is
// not above 0.0001 or a scaled node leaves the u16 range.
bool rescale_ana_text(const std::string& text, double sx, double sy, std::string& out);

}  // namespace detail
}  // namespace thermframe
