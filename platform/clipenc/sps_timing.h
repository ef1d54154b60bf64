// The encoder writes sequence parameter sets without timing information, so
// a player would guess the frame rate of a raw stream. These functions put
// the declared rate (and the BT.601 colour description) into the SPS's video
// usability information and read it back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace clipenc {
namespace detail {

// `nal` is one SPS NAL unit without its start code (header byte first). On
// success `out` holds the same unit with VUI carrying num_units_in_tick 1,
// time_scale 2 x fps and a fixed frame rate; what else an existing VUI holds
// (aspect ratio, chroma location, HRD, bitstream restriction) is kept. False,
// `out` untouched, when the unit is not an SPS this parser follows.
bool add_sps_timing(const uint8_t* nal, std::size_t size, int fps, std::vector<uint8_t>* out);

// The frame rate declared by an SPS NAL unit (time_scale / (2 x
// num_units_in_tick)); false when it has no timing information.
bool sps_frame_rate(const uint8_t* nal, std::size_t size, double* fps);

}  // namespace detail
}  // namespace clipenc
