// One frame through an imaging object with settings taken from the input:
// statistics, every index computation, pictures, spans and thumbnails. The
// output buffers are exactly as large as the calls may write.
#include "frame_input.h"
#include "palettor.h"

#include <cstring>
#include <vector>

namespace {

uint16_t get16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace fuzz_palettor;
    if (size < kHeaderSize) {
        return 0;
    }
    const int mode = data[0] % 8;
    const int type = data[1] == 0 ? 0 : (data[1] == 1 ? 1 : 255);
    const uint8_t flags = data[2];
    const int width = data[3] % 64 + 1;
    const int height = data[4] % 64 + 1;
    const uint16_t left = get16(data + 5), top = get16(data + 7), right = get16(data + 9), bottom = get16(data + 11);
    const uint16_t low = get16(data + 13), high = get16(data + 15);
    const int palette = data[17];
    size_t pos = kHeaderSize;
    std::vector<IsothermRecord> bands;
    for (int i = 0; i < data[18] % 5 && pos + kBandSize <= size; ++i, pos += kBandSize) {
        IsothermRecord r;
        std::memcpy(&r, data + pos, kBandSize);
        bands.push_back(r);
    }
    const size_t pixels = static_cast<size_t>(width) * height;
    std::vector<uint16_t> ad(pixels, 0);
    const size_t values = (size - pos) / 2;
    for (size_t i = 0; i < pixels && values > 0; ++i) {
        ad[i] = get16(data + pos + 2 * (i % values));
    }

    void* h = nullptr;
    if (!palettor_init(&h, (flags & 8) != 0)) {
        __builtin_trap();
    }
    palettor_set_algorithm_mode(h, mode);
    vy_set_imaging_type(h, type);
    // Any number reaches the export as the caller's raw value; palettor reads
    // it without loading it as the enumeration and refuses 18 and above.
    palettor_set_palette(h, static_cast<PALETTE>(palette));
    palettor_enable_image_stabilization(h, (flags & 1) != 0);
    palettor_enable_image_process(h, (flags & 2) != 0);
    palettor_set_fire_fighting(h, (flags & 4) != 0);
    if (flags & 16) {
        palettor_init_image_process(h);
    }
    for (const IsothermRecord& r : bands) {
        int32_t id = 0;
        palettor_add_isotherm(h, r, &id);
    }

    tagPAD max{}, min{};
    uint16_t avg = 0;
    palettor_calc_max_min_avg_of_ad(h, ad.data(), width, height, 0, 0, width - 1, height - 1, &max, &min, &avg);
    palettor_calc_max_min_avg_of_ad(h, ad.data(), width, height, left, top, right, bottom, &max, &min, &avg);
    palettor_calc_pal_no_of_ad(h);
    palettor_set_range(h, low, high);
    palettor_auto_adjust_fpga(h, low, high);
    palettor_set_low_of_range(h, low);

    std::vector<uint32_t> full(pixels);
    if (!palettor_ad_to_pixel(h, ad.data(), width, height, 0, 0, width - 1, height - 1, full.data(), false)) {
        __builtin_trap();  // the whole frame is always a valid window
    }
    for (uint32_t b : full) {
        if ((b & 0xFF000000u) != 0xFF000000u) {
            __builtin_trap();
        }
    }
    if (right < width && bottom < height && left <= right && top <= bottom) {
        std::vector<uint32_t> window(static_cast<size_t>(right - left + 1) * (bottom - top + 1));
        if (!palettor_ad_to_pixel(h, ad.data(), width, height, left, top, right, bottom, window.data(), true)) {
            __builtin_trap();
        }
    } else {
        std::vector<uint32_t> none(1);
        if (palettor_ad_to_pixel(h, ad.data(), width, height, left, top, right, bottom, none.data(), true)) {
            __builtin_trap();  // a window outside the frame is refused
        }
    }
    const LineSpan spans[] = {{static_cast<uint32_t>(top) | static_cast<uint32_t>(left) << 16, right},
                              {static_cast<uint32_t>(bottom) | static_cast<uint32_t>(right) << 16, left}};
    palettor_ad_to_pixel_ex(h, ad.data(), width, height, spans, 2, full.data());
    palettor_calc_max_min_avg_of_ad_ex(h, ad.data(), width, height, spans, 2, &max, &min, &avg);
    palettor_calc_pal_no_of_ad(h);

    const int out_width = (left % 80) + 1, out_height = (top % 80) + 1;
    std::vector<uint32_t> thumb(static_cast<size_t>(out_width) * out_height);
    palettor_ad_to_thumbnail_pixel(h, ad.data(), width, height, out_width, out_height, thumb.data());
    std::vector<uint8_t> index(pixels);
    for (size_t i = 0; i < pixels; ++i) {
        index[i] = static_cast<uint8_t>(ad[i]);
    }
    palettor_clr_index_to_thumbnail_pixel(h, index.data(), width, height, out_width, out_height, thumb.data());
    palettor_clr_index_to_pixel(h, index.data(), width, height, 0, 0, width - 1, height - 1, full.data());
    palettor_auto_adjust(h);
    palettor_uninit(&h);
    return 0;
}
