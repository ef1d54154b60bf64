// The analysis-info file: the analysis objects of a picture with their
// display settings, so that they can be put on other pictures. A 28-byte
// header (identity, version 1, picture size, record count) and one record
// of 2172 bytes per object; little-endian, packed (docs/formats.md).
#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

struct AnaInfoRecord {
    std::string str;
    std::string alias;
    uint32_t line_clr = 0x25FFFF;
    uint8_t text_type = 1;
    bool show_max = false;
    bool show_min = false;
    bool self_palette = false;
    bool palette_auto = false;
    bool show_cursor = false;
    bool self_para = false;
    float emissivity = 0.95f;
    float distance = 5.0f;
    uint8_t palette = 0;
    uint16_t palette_low = 0;
    uint16_t palette_high = 0;
};

struct AnaInfoFile {
    uint16_t width = 0;
    uint16_t height = 0;
    std::vector<AnaInfoRecord> records;
};

namespace ana_info_file {

constexpr int kHeaderSize = 28;
constexpr int kRecordSize = 2172;
// More records than any picture can hold objects are not read.
constexpr uint32_t kMaxRecords = 4096;

// Written to a temporary file renamed over the target when complete; false
// (and no file) when it cannot be written.
bool write(const QString& path, const AnaInfoFile& file);
// False for a file that cannot be opened, a short header, another identity
// (also the frame document's own analysis-object file) or version, or a zero
// picture size. Reading stops at the first short record and keeps the
// records before it.
bool read(const QString& path, AnaInfoFile& file);

}  // namespace ana_info_file
