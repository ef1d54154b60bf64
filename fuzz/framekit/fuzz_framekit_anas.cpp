// Analysis strings from outside: added, hit, measured, moved, written into
// the anas buffer and deleted on a small frame.
#include "framekit.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

void* frame()
{
    static void* handle = [] {
        void* h = nullptr;
        vy_ad_init(&h, 0, 1);
        vy_ad_set_resolution(h, 40, 30);
        std::vector<uint16_t> plane(40 * 30);
        for (std::size_t i = 0; i < plane.size(); ++i) {
            plane[i] = static_cast<uint16_t>(9000 + i * 17 % 700);
        }
        vy_ad_set_data_checked(h, reinterpret_cast<const uint8_t*>(plane.data()),
                               static_cast<uint32_t>(plane.size() * 2));
        return h;
    }();
    return handle;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    void* h = frame();
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.c_str();  // up to the first NUL, as a C caller would pass it

    vy_ad_add_anas(h, text.c_str());
    tagVYAnaInfo info{};
    info.visible = 1;
    info.can_move = 1;
    vy_ad_add_ana(h, text.c_str(), &info);

    std::string all;
    vy_ad_get_str_of_anas(h, 100, &all);
    for (uint16_t p : {0, 5, 20, 39, 300}) {
        int32_t code = 0;
        std::string hit;
        if (vy_ad_get_hit_ana(h, p, static_cast<uint16_t>(p / 2), &code, &hit) && !hit.empty()) {
            uint32_t count = 0;
            if (vy_ana_get_pixel_count(h, hit.c_str(), &count) && count < (1u << 22)) {
                std::vector<uint16_t> ads(count);
                std::vector<tagVYPoint> positions(count);
                vy_ana_get_ad(h, hit.c_str(), ads.data());
                vy_ana_get_track_pos(h, hit.c_str(), positions.data());
            }
            vy_ad_update_ana_size(h, hit.c_str(), text.c_str());
        }
    }
    vy_ad_reapply(h);
    uint32_t length = 0;
    if (vy_ad_save_anas_to_buffer(h, nullptr, &length)) {
        std::vector<uint8_t> buffer(length);
        vy_ad_save_anas_to_buffer(h, buffer.data(), &length);
    }
    vy_ad_delete_anas(h, text.c_str());
    vy_ad_delete_all_ana(h);
    return 0;
}
