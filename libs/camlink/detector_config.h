// What the detector configuration file holds, as plain values, and its
// codec. The Detector object keeps one DetectorConfig; a load decodes into a
// fresh one and replaces the old only when the whole file was accepted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <vector>

namespace camlink {
namespace detail {

constexpr uint8_t kNoIndex = 255;
constexpr int kEnvironments = 2;
constexpr int kRanges = 4;
constexpr uint8_t kMaxFileLensType = 6;
constexpr uint8_t kMaxReverseType = 4;
constexpr uint16_t kNewestFileVersion = 4;
constexpr int16_t kUnitGain = 8192;
constexpr uint16_t kDefaultNdac = 7906;
constexpr float kNoTemperature = -273.15f;

struct RangeEntry {
    uint16_t vsk = 0;
    uint16_t gfid = 0;
    uint16_t integral = 0;
    uint8_t gain = 0;
    uint8_t k_index = kNoIndex;
    uint8_t outer_index = kNoIndex;
    float outer_temperature = kNoTemperature;
    uint16_t shift_compensation = 0;
    uint16_t dac = 0;
    uint16_t ndac = kDefaultNdac;
};

struct LensRecord {
    float coefficient = 1.0f;
    uint8_t reverse_type = 3;
    RangeEntry ranges[kEnvironments][kRanges];
};

// One value a pixel (K gains or outer-correction offsets) with its check.
struct CorrectionTable {
    std::vector<int16_t> values;
    uint16_t check = 0x8005;
};

struct DetectorConfig {
    DetectorConfig();

    uint16_t version = kNewestFileVersion;
    uint16_t left_edge = 0;
    uint16_t top_edge = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    std::map<uint8_t, LensRecord> lenses;
    std::vector<uint8_t> bad_map;
    uint8_t bad_check = 5;
    std::map<uint8_t, CorrectionTable> k_tables;
    std::map<uint8_t, CorrectionTable> outer_tables;
    std::set<uint8_t> free_k;      // indexes 0..254 no range uses
    std::set<uint8_t> free_outer;
};

// Indexes (other than 255) that some range entry names.
std::set<uint8_t> used_indexes(const DetectorConfig& config, bool outer);

// Gives an index back to its free list and drops its table.
inline void release_index(std::set<uint8_t>& free, std::map<uint8_t, CorrectionTable>& tables, uint8_t index)
{
    if (index != kNoIndex) {
        free.insert(index);
        tables.erase(index);
    }
}

// Check values: 0x8005 XOR all 16-bit values; 5 XOR all map bytes.
uint16_t table_check(const std::vector<int16_t>& values);
uint8_t bad_map_check(const std::vector<uint8_t>& map);

// Bad-pixel code of a pixel by its position (corners, edges, the ring one
// pixel inside the border, elsewhere).
uint8_t bad_pixel_code(uint32_t x, uint32_t y, uint32_t width, uint32_t height);
// The map that marks the whole border with its codes.
std::vector<uint8_t> default_bad_map(uint16_t width, uint16_t height);

// The DAC a file of version 0 to 2 implies for a range.
uint16_t implied_dac(uint8_t range, uint16_t width);

// Decodes a whole file for a detector of width x height. Logs the first
// fault and returns false; *out is written only on success.
bool decode_detector_file(const uint8_t* data, std::size_t size, uint16_t width, uint16_t height,
                          DetectorConfig* out);
// Encodes the configuration as a file of `version` (0..4). Refuses an empty
// map or lens list and table counts that disagree with the free indexes,
// with a log line, before anything is produced.
bool encode_detector_file(const DetectorConfig& config, uint16_t version, std::vector<uint8_t>* out);

// Largest file a width x height detector can have, for capping reads.
uint64_t largest_detector_file(uint16_t width, uint16_t height);

}  // namespace detail
}  // namespace camlink
