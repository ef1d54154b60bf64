// Frame data loaders: raw AD frames of the indexed frame in both modes, the
// frame buffer, plain planes and national-grid temperatures. Input: one byte
// selecting the loader and the target's switches, two bytes of size, then the
// bytes handed to the loader with their true length.
#include "framekit.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

struct Frames {
    void* plain = nullptr;
    void* indexed = nullptr;
    void* fire = nullptr;
    void* national = nullptr;
    Frames()
    {
        vy_ad_init(&plain, 0, 1);
        vy_ad_init(&indexed, 0, 0);
        vy_ad_init(&fire, 1, 0);
        vy_ad_init_ex(&national);
    }
};

Frames& frames()
{
    static Frames instance;
    return instance;
}

void exercise(void* h)
{
    uint16_t width = 0;
    uint16_t height = 0;
    if (!vy_ad_get_resolution(h, &width, &height) || width == 0) {
        return;
    }
    std::size_t pixels = static_cast<std::size_t>(width) * height;
    std::vector<uint16_t> ad(pixels);
    vy_ad_get_data(h, ad.data());
    std::vector<uint32_t> bits(pixels);
    vy_ad_get_bits(h, bits.data());
    uint16_t value = 0;
    vy_ad_get_ad_from_position(h, static_cast<uint16_t>(width / 2), static_cast<uint16_t>(height / 2), &value);
    uint32_t length = 0;
    if (vy_ad_save_data_to_buffer(h, nullptr, &length)) {
        std::vector<uint8_t> saved(length);
        if (vy_ad_save_data_to_buffer(h, saved.data(), &length)) {
            vy_ad_load_data_from_buffer_checked(h, saved.data(), length);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3) {
        return 0;
    }
    Frames& f = frames();
    uint8_t selector = data[0];
    uint16_t width = static_cast<uint16_t>(3 + data[1] % 62);
    uint16_t height = static_cast<uint16_t>(3 + data[2] % 62);
    // The payload gets a copy of its own so that reading one byte too far is caught.
    std::vector<uint8_t> payload(data + 3, data + size);
    const uint8_t* bytes = payload.empty() ? nullptr : payload.data();
    uint32_t length = static_cast<uint32_t>(payload.size());

    void* targets[] = {f.plain, f.indexed, f.fire, f.national};
    void* h = targets[selector & 3];
    vy_ad_set_resolution(h, width, height);
    vy_ad_enable_super_resolution(h, (selector & 0x10) != 0);
    vy_ad_enable_erase_nose(h, (selector & 0x20) != 0);
    if ((selector & 0x40) != 0) {
        vy_ad_add_anas(h, "R:1,1;40,40;-E:0,0;70,9;-A:2,2;60,3;30,50;-L:0,0;64,64;-");
    }
    if ((selector & 0x80) != 0) {
        vy_ad_load_data_from_buffer_checked(h, bytes, length);
    } else if ((selector & 3) == 3) {
        vy_ad_load_national_grid_data_from_buffer_checked(h, bytes, length);
    } else {
        vy_ad_set_data_checked(h, bytes, length);
    }
    exercise(h);
    vy_ad_delete_all_ana(h);
    return 0;
}
