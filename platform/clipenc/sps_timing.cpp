#include "sps_timing.h"

namespace clipenc {
namespace detail {
namespace {

constexpr uint8_t kSpsType = 7;

// Emulation-prevention bytes (00 00 03) removed.
std::vector<uint8_t> unescape(const uint8_t* data, std::size_t size)
{
    std::vector<uint8_t> rbsp;
    rbsp.reserve(size);
    int zeros = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (zeros >= 2 && data[i] == 3) {
            zeros = 0;
            continue;
        }
        zeros = data[i] == 0 ? zeros + 1 : 0;
        rbsp.push_back(data[i]);
    }
    return rbsp;
}

std::vector<uint8_t> escape(const std::vector<uint8_t>& rbsp)
{
    std::vector<uint8_t> data;
    data.reserve(rbsp.size() + rbsp.size() / 64 + 4);
    int zeros = 0;
    for (uint8_t byte : rbsp) {
        if (zeros >= 2 && byte <= 3) {
            data.push_back(3);
            zeros = 0;
        }
        zeros = byte == 0 ? zeros + 1 : 0;
        data.push_back(byte);
    }
    return data;
}

class BitReader {
public:
    explicit BitReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }
    std::size_t position() const { return position_; }

    uint32_t bits(int count)
    {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            if (position_ >= bytes_.size() * 8) {
                ok_ = false;
                return 0;
            }
            value = (value << 1) | ((bytes_[position_ / 8] >> (7 - position_ % 8)) & 1u);
            ++position_;
        }
        return value;
    }

    uint32_t ue()
    {
        int leading = 0;
        while (ok_ && bits(1) == 0) {
            if (++leading > 31) {
                ok_ = false;
                return 0;
            }
        }
        return ok_ ? (1u << leading) - 1 + bits(leading) : 0;
    }

private:
    const std::vector<uint8_t>& bytes_;
    std::size_t position_ = 0;
    bool ok_ = true;
};

class BitWriter {
public:
    void bits(uint32_t value, int count)
    {
        for (int i = count - 1; i >= 0; --i) {
            if (used_ % 8 == 0) {
                bytes_.push_back(0);
            }
            bytes_.back() |= static_cast<uint8_t>(((value >> i) & 1u) << (7 - used_ % 8));
            ++used_;
        }
    }

    // rbsp_stop_one_bit and zero bits up to the next byte.
    void trailing()
    {
        bits(1, 1);
        while (used_ % 8 != 0) {
            bits(0, 1);
        }
    }

    std::vector<uint8_t>& bytes() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    std::size_t used_ = 0;
};

void copy_bits(BitReader& source, std::size_t count, BitWriter& writer)
{
    for (std::size_t i = 0; i < count; ++i) {
        writer.bits(source.bits(1), 1);
    }
}

void skip_bits(BitReader& source, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        source.bits(1);
    }
}

// Position of the rbsp_stop_one_bit (the last bit set); 0 when none.
std::size_t last_one_bit(const std::vector<uint8_t>& rbsp)
{
    for (std::size_t byte = rbsp.size(); byte-- > 0;) {
        if (rbsp[byte] != 0) {
            for (int bit = 0; bit < 8; ++bit) {
                if ((rbsp[byte] >> bit) & 1u) {
                    return byte * 8 + (7 - bit);
                }
            }
        }
    }
    return 0;
}

bool has_chroma_fields(uint32_t profile)
{
    switch (profile) {
    case 100: case 110: case 122: case 244: case 44: case 83: case 86: case 118: case 128: case 138:
    case 139: case 134: case 135:
        return true;
    default:
        return false;
    }
}

// Reads the SPS up to vui_parameters_present_flag; the reader then stands
// just before that flag. False for a unit this parser does not follow.
bool skip_to_vui_flag(BitReader& reader)
{
    uint32_t profile = reader.bits(8);
    reader.bits(16);  // constraint flags, level
    reader.ue();      // seq_parameter_set_id
    if (has_chroma_fields(profile)) {
        if (reader.ue() == 3) {  // chroma_format_idc
            reader.bits(1);
        }
        reader.ue();
        reader.ue();
        reader.bits(1);
        if (reader.bits(1) != 0) {  // scaling matrices are not followed
            return false;
        }
    }
    reader.ue();  // log2_max_frame_num_minus4
    uint32_t order_type = reader.ue();
    if (order_type == 0) {
        reader.ue();
    } else if (order_type == 1) {
        return false;
    }
    reader.ue();      // max_num_ref_frames
    reader.bits(1);   // gaps_in_frame_num_value_allowed_flag
    reader.ue();      // pic_width_in_mbs_minus1
    reader.ue();      // pic_height_in_map_units_minus1
    if (reader.bits(1) == 0) {  // frame_mbs_only_flag
        reader.bits(1);
    }
    reader.bits(1);   // direct_8x8_inference_flag
    if (reader.bits(1) != 0) {  // frame_cropping_flag
        for (int i = 0; i < 4; ++i) {
            reader.ue();
        }
    }
    return reader.ok();
}

}  // namespace

bool add_sps_timing(const uint8_t* nal, std::size_t size, int fps, std::vector<uint8_t>* out)
{
    if (nal == nullptr || size < 2 || (nal[0] & 0x1F) != kSpsType || fps <= 0) {
        return false;
    }
    std::vector<uint8_t> rbsp = unescape(nal + 1, size - 1);
    const std::size_t stop_bit = last_one_bit(rbsp);
    BitReader reader(rbsp);
    if (stop_bit == 0 || !skip_to_vui_flag(reader)) {
        return false;
    }
    BitWriter writer;
    BitReader source(rbsp);
    copy_bits(source, reader.position(), writer);
    const bool had_vui = reader.bits(1) != 0;
    writer.bits(1, 1);  // vui_parameters_present_flag
    if (had_vui) {
        // Aspect ratio and overscan as they were.
        source.bits(1);
        std::size_t from = reader.position();
        if (reader.bits(1) != 0 && reader.bits(8) == 255) {
            reader.bits(32);
        }
        if (reader.bits(1) != 0) {
            reader.bits(1);
        }
        copy_bits(source, reader.position() - from, writer);
        if (reader.bits(1) != 0) {  // the old signal type gives way to ours
            reader.bits(4);
            if (reader.bits(1) != 0) {
                reader.bits(24);
            }
        }
    } else {
        writer.bits(0, 1);  // aspect_ratio_info_present_flag
        writer.bits(0, 1);  // overscan_info_present_flag
    }
    writer.bits(1, 1);  // video_signal_type_present_flag
    writer.bits(5, 3);  // video_format: unspecified
    writer.bits(0, 1);  // video_full_range_flag: studio range
    writer.bits(1, 1);  // colour_description_present_flag
    writer.bits(6, 8);  // colour_primaries: BT.601 525
    writer.bits(6, 8);  // transfer_characteristics: BT.601
    writer.bits(6, 8);  // matrix_coefficients: BT.601
    if (had_vui) {
        skip_bits(source, reader.position() - source.position());
        std::size_t from = reader.position();
        if (reader.bits(1) != 0) {  // chroma location as it was
            reader.ue();
            reader.ue();
        }
        copy_bits(source, reader.position() - from, writer);
        if (reader.bits(1) != 0) {  // the old timing gives way to ours
            reader.bits(65);
        }
        skip_bits(source, reader.position() - source.position());
    } else {
        writer.bits(0, 1);  // chroma_loc_info_present_flag
    }
    writer.bits(1, 1);   // timing_info_present_flag
    writer.bits(1, 32);  // num_units_in_tick
    writer.bits(static_cast<uint32_t>(fps) * 2, 32);  // time_scale: two ticks per frame
    writer.bits(1, 1);   // fixed_frame_rate_flag
    if (had_vui) {
        // HRD, picture structure and bitstream restriction as they were.
        if (!reader.ok() || source.position() > stop_bit) {
            return false;
        }
        copy_bits(source, stop_bit - source.position(), writer);
    } else {
        writer.bits(0, 1);  // nal_hrd_parameters_present_flag
        writer.bits(0, 1);  // vcl_hrd_parameters_present_flag
        writer.bits(0, 1);  // pic_struct_present_flag
        writer.bits(0, 1);  // bitstream_restriction_flag
    }
    writer.trailing();

    std::vector<uint8_t> escaped = escape(writer.bytes());
    out->assign(1, nal[0]);
    out->insert(out->end(), escaped.begin(), escaped.end());
    return true;
}

bool sps_frame_rate(const uint8_t* nal, std::size_t size, double* fps)
{
    if (nal == nullptr || size < 2 || (nal[0] & 0x1F) != kSpsType) {
        return false;
    }
    std::vector<uint8_t> rbsp = unescape(nal + 1, size - 1);
    BitReader reader(rbsp);
    if (!skip_to_vui_flag(reader) || reader.bits(1) == 0) {
        return false;
    }
    if (reader.bits(1) != 0 && reader.bits(8) == 255) {  // aspect_ratio_idc, extended
        reader.bits(32);
    }
    if (reader.bits(1) != 0) {  // overscan
        reader.bits(1);
    }
    if (reader.bits(1) != 0) {  // video signal type
        reader.bits(4);
        if (reader.bits(1) != 0) {
            reader.bits(24);
        }
    }
    if (reader.bits(1) != 0) {  // chroma location
        reader.ue();
        reader.ue();
    }
    if (reader.bits(1) == 0) {
        return false;
    }
    uint32_t units = reader.bits(32);
    uint32_t scale = reader.bits(32);
    if (!reader.ok() || units == 0) {
        return false;
    }
    *fps = static_cast<double>(scale) / (2.0 * units);
    return true;
}

}  // namespace detail
}  // namespace clipenc
