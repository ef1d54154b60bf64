// Turns a readable calibration description into calibration data through
// tempcore's own writer. Used by make-calibration, the tests and the fuzz
// seed maker.
//
// Description: "[detector]" with identity keys, "[lens N]" with serial,
// description and drift, "[range lens=N environment=E id=R]" with
// detector_temp, base_ad_compensation, min, max, first, last and samples.
// '#' starts a comment; a line that begins with white space continues the
// value of the line before.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace calibration {

// Builds the data with `script` as the calibration script (the description's
// `script` key is the tool's business). False with the reason in *error.
bool build_calibration_data(const std::string& description, const std::string& script,
                            std::vector<uint8_t>* out, std::string* error);

// The value of `key` in the [detector] section, or an empty text.
std::string detector_value(const std::string& description, const std::string& key);

}  // namespace calibration
