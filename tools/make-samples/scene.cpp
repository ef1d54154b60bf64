#include "scene.h"

#include "sensekern.h"

#include <map>

namespace samples {

float Scene::temperature(int x, int y) const
{
    if (x == hottest_x && y == hottest_y) {
        return hottest;
    }
    if (x == coldest_x && y == coldest_y) {
        return coldest;
    }
    if (hot_box.contains(x, y)) {
        return hot;
    }
    if (warm_box.contains(x, y)) {
        return warm;
    }
    if (cold_band.contains(x, y)) {
        return cold;
    }
    return ambient;
}

Scene make_scene(int width, int height, int shift)
{
    Scene s;
    s.width = width;
    s.height = height;
    s.warm_box = Box{width / 8, height / 6, width / 8 + width / 4, height / 6 + height / 3};
    int hx = width * 7 / 10 + shift;
    int hy = height * 35 / 100;
    int r = width >= 64 ? 3 : 1;
    s.hot_box = Box{hx - r, hy - r, hx + r, hy + r};
    s.hottest_x = hx;
    s.hottest_y = hy;
    int band = height * 3 / 4;
    s.cold_band = Box{0, band, width - 1, band + height / 10};
    s.coldest_x = width / 2;
    s.coldest_y = band + 1;
    return s;
}

bool scene_plane(void* frame, const Scene& scene, std::vector<uint16_t>* plane)
{
    std::map<float, uint16_t> ads;
    plane->assign(static_cast<std::size_t>(scene.width) * scene.height, 0);
    for (int y = 0; y < scene.height; ++y) {
        for (int x = 0; x < scene.width; ++x) {
            float t = scene.temperature(x, y);
            auto it = ads.find(t);
            if (it == ads.end()) {
                uint16_t ad = 0;
                if (!sensekern_get_ad_from_temperature(frame, t, &ad)) {
                    return false;
                }
                it = ads.emplace(t, ad).first;
            }
            (*plane)[static_cast<std::size_t>(y) * scene.width + x] = it->second;
        }
    }
    return true;
}

bool make_scene_frame(const std::string& calibration, const Scene& scene, void** frame)
{
    void* h = nullptr;
    if (!sensekern_init(&h)) {
        return false;
    }
    std::vector<uint16_t> plane;
    if (!sensekern_load_calibration_file(h, calibration.c_str()) || !scene_plane(h, scene, &plane) ||
        !sensekern_set_ad_frame(h, plane.data(), static_cast<uint16_t>(scene.width),
                                static_cast<uint16_t>(scene.height))) {
        sensekern_uninit(&h);
        return false;
    }
    *frame = h;
    return true;
}

}  // namespace samples
