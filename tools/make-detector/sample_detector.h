// The sample detector configuration: the lenses of the sample calibration
// (0 and 1) with their ranges, K tables near unit gain, one outer-correction
// table and a few bad pixels. Used by make-detector, the tests, the fuzz
// seed maker and the benchmark.
#pragma once

#include "detector_config.h"

#include <cstdint>
#include <string>
#include <vector>

namespace detector_sample {

camlink::detail::DetectorConfig sample_config(uint16_t width, uint16_t height);

// The sample encoded as a file of `version` (0..4).
bool sample_file(uint16_t width, uint16_t height, uint16_t version, std::vector<uint8_t>* out);

// Writes the bytes to `path` through a temporary file in the same folder.
bool write_file(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace detector_sample
