// One openh264 encoder configured from the parameter block: I420 pictures in,
// one Annex-B access unit out per picture, SPS carrying the declared rate.
#pragma once

#include "clipenc.h"
#include "rgb_to_i420.h"

#include <cstdint>
#include <string>
#include <vector>

class ISVCEncoder;

namespace clipenc {
namespace detail {

// The parameter block's values once checked.
struct EncoderSettings {
    I420Layout layout;
    int fps = 0;
    int bit_rate = 0;
    int key_seconds = 0;
};

// Checks a parameter block; false with the reason in *error.
bool settings_from(const VyVideoEncodeParam& param, EncoderSettings* settings, std::string* error);

class H264Session {
public:
    H264Session() = default;
    ~H264Session();
    H264Session(const H264Session&) = delete;
    H264Session& operator=(const H264Session&) = delete;

    // False with the reason in *error when the encoder refuses the settings.
    // The encoder's own error messages go to `on_log` and the library log.
    bool open(const EncoderSettings& settings, VyVideoLogCallback on_log, std::string* error);

    // Encodes the picture (layout.total_size() bytes of I420) as frame number
    // `index`; `key` makes it an IDR picture with SPS and PPS. On success
    // *unit holds the access unit and *is_key whether it is one a decoder
    // can start at. False with the reason in *error.
    bool encode(const uint8_t* planes, uint32_t index, bool key, std::vector<uint8_t>* unit, bool* is_key,
                std::string* error);

private:
    void append_units(const uint8_t* data, std::size_t size, std::vector<uint8_t>* unit);
    static void on_trace(void* context, int level, const char* text);

    ISVCEncoder* encoder_ = nullptr;
    EncoderSettings settings_;
    VyVideoLogCallback on_log_ = nullptr;
};

}  // namespace detail
}  // namespace clipenc
