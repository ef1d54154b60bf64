// National-grid (SGCC) block: the temperature matrix of a picture with its
// parameters and user data (docs/formats.md).
#include "picture_block.h"

#include "basekit.h"

#include <cmath>
#include <cstring>

namespace sensekern {
namespace detail {
namespace {

constexpr char kGridMagic[4] = {'P', 'V', 'S', 'G'};
// Version 2 adds the capture time and, for a frame with calibration data,
// the detector's plane and the calibration model.
constexpr uint16_t kGridVersion = 2;

}  // namespace

bool build_national_grid_block(Frame& f, const uint8_t* user, uint32_t user_length, std::vector<uint8_t>* out)
{
    const char* function = "sensekern_append_temperature_to_national_grid_file";
    if (!f.has_plane() || user_length > SENSEKERN_MAX_ATTACHED_BYTES || (user == nullptr && user_length != 0)) {
        SK_LOG(function, "no picture, or user data of %u bytes is refused", user_length);
        return false;
    }
    Params params;
    std::vector<float> matrix(f.plane().size());
    if (!f.get_params(&params) || !f.all_temperatures(matrix.data())) {
        SK_LOG(function, "the frame's temperatures can not be computed");
        return false;
    }
    if (params.unit == 1) {
        for (float& t : matrix) {
            t = (t - 32.0f) / 1.8f;
        }
    }
    std::vector<uint8_t> block;
    ByteWriter w(&block);
    w.raw(kGridMagic, 4);
    w.u16(kGridVersion);
    w.u16(f.width());
    w.u16(f.height());
    write_params(w, params);
    w.u32(user_length);
    w.raw(user, user_length);
    w.raw(matrix.data(), matrix.size() * 4);
    w.u32(f.time().sec);
    w.u32(f.time().usec);
    Model model;
    const bool has_model = f.model(&model);
    w.u8(has_model ? 1 : 0);
    if (has_model) {
        write_plane(&block, f.plane());
        write_model(w, model);
    }
    append_footer(&block, BlockKind::national_grid);
    out->swap(block);
    return true;
}

bool parse_national_grid_block(const uint8_t* data, uint64_t length, LoadedFrame* out)
{
    ByteReader in(data, length);
    const uint8_t* magic = in.span(4);
    LoadedFrame r;
    uint16_t version = in.u16();
    r.width = in.u16();
    r.height = in.u16();
    if (magic == nullptr || std::memcmp(magic, kGridMagic, 4) != 0 || version < 1 || version > kGridVersion ||
        !valid_size(r.width, r.height) || !read_params(in, &r.params)) {
        return false;
    }
    uint32_t user_length = in.u32();
    const uint8_t* user = user_length <= SENSEKERN_MAX_ATTACHED_BYTES ? in.span(user_length) : nullptr;
    uint64_t pixels = static_cast<uint64_t>(r.width) * r.height;
    const uint8_t* cells = user != nullptr ? in.span(pixels * 4) : nullptr;
    if (cells == nullptr) {
        return false;
    }
    if (version >= 2) {
        r.time.sec = in.u32();
        r.time.usec = in.u32();
        const uint8_t has_model = in.u8();
        if (!in.ok() || r.time.usec >= 1000000 || has_model > 1 ||
            (has_model == 1 && (!read_plane(in, static_cast<uint32_t>(pixels), &r.model_plane) ||
                                !read_model(in, &r.model)))) {
            return false;
        }
    }
    if (in.remaining() != 0) {
        return false;
    }
    r.attached[SENSEKERN_USER].assign(user, user + user_length);
    r.matrix.resize(pixels);
    std::memcpy(r.matrix.data(), cells, pixels * 4);
    r.plane.resize(pixels);
    for (uint64_t i = 0; i < pixels; ++i) {
        if (!std::isfinite(r.matrix[i]) ||
            vy_get_ad_from_temp_national_grid(r.matrix[i], &r.plane[i]) != VY_OK) {
            return false;
        }
    }
    // The AD of a national-grid picture stands for (t + 273.15) * 40.
    r.table.first = 0;
    r.table.unit = 0;
    r.table.values.resize(65536);
    for (uint32_t ad = 0; ad < 65536; ++ad) {
        r.table.values[ad] = static_cast<float>(ad) / 40.0f - 273.15f;
    }
    *out = std::move(r);
    return true;
}

}  // namespace detail
}  // namespace sensekern
