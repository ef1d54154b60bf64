#include "thermal_scenes.h"

#include "sensekern.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

namespace samples {
namespace {

// Scenes are drawn in a 640 x 512 design space and sampled at any size.
constexpr float kDesignW = 640.0f;
constexpr float kDesignH = 512.0f;

float smooth(float edge0, float edge1, float v)
{
    float t = std::clamp((v - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// 1 inside the box, 0 outside, with soft edges `soft` design pixels wide.
float box(float x, float y, float x0, float y0, float x1, float y1, float soft = 1.5f)
{
    return smooth(x0 - soft, x0 + soft, x) * (1.0f - smooth(x1 - soft, x1 + soft, x)) * smooth(y0 - soft, y0 + soft, y) *
           (1.0f - smooth(y1 - soft, y1 + soft, y));
}

float gauss(float d, float sigma)
{
    return std::exp(-0.5f * (d * d) / (sigma * sigma));
}

float mix(float a, float b, float w)
{
    return a + (b - a) * w;
}

// Distance of a point to a segment.
float segment_distance(float x, float y, float ax, float ay, float bx, float by)
{
    float dx = bx - ax;
    float dy = by - ay;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / len2, 0.0f, 1.0f) : 0.0f;
    float px = ax + t * dx - x;
    float py = ay + t * dy - y;
    return std::sqrt(px * px + py * py);
}

// Samples a design-space scene and adds what a detector adds: a little
// vignetting (the corners read colder), a faint column pattern and noise.
Field sample(int width, int height, uint32_t seed, const std::function<float(float, float)>& scene)
{
    Field f;
    f.width = width;
    f.height = height;
    f.t.resize(static_cast<std::size_t>(width) * height);
    std::mt19937 random(seed);
    std::normal_distribution<float> noise(0.0f, 0.07f);
    std::vector<float> columns(static_cast<std::size_t>(width));
    std::normal_distribution<float> column_noise(0.0f, 0.02f);
    for (float& c : columns) {
        c = column_noise(random);
    }
    float hottest = -1e9f;
    float coldest = 1e9f;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float dx = (x + 0.5f) * kDesignW / width;
            const float dy = (y + 0.5f) * kDesignH / height;
            const float clean = scene(dx, dy);
            const float rx = (dx - kDesignW / 2) / (kDesignW / 2);
            const float ry = (dy - kDesignH / 2) / (kDesignH / 2);
            const float t = clean - 0.45f * (rx * rx + ry * ry) / 2.0f + columns[x] + noise(random);
            f.t[static_cast<std::size_t>(y) * width + x] = t;
            // The extremes of the scene itself, not of the noise on it.
            if (clean > hottest) {
                hottest = clean;
                f.hottest_x = x;
                f.hottest_y = y;
            }
            if (clean < coldest) {
                coldest = clean;
                f.coldest_x = x;
                f.coldest_y = y;
            }
        }
    }
    return f;
}

}  // namespace

Field cabinet_field(int width, int height, uint32_t seed)
{
    // Breaker modules on three rails, each a little warmer or cooler than its
    // neighbours, with cables from their top terminals up to the roof.
    std::mt19937 random(seed ^ 0x5eedu);
    std::uniform_real_distribution<float> load(0.0f, 1.0f);
    struct Module {
        float x, rail, temp;
    };
    std::vector<Module> modules;
    const float rails[3] = {125.0f, 265.0f, 405.0f};
    for (float rail : rails) {
        for (int i = 0; i < 11; ++i) {
            modules.push_back(Module{92.0f + i * 42.0f, rail, 29.5f + 5.0f * load(random)});
        }
    }
    const Module hot = modules[16];  // sixth module of the middle rail
    const float hx = hot.x + 18.0f;
    const float hy = hot.rail - 30.0f;
    return sample(width, height, seed, [=](float x, float y) {
        // The wall behind, warmer near the ceiling.
        float t = 22.8f + 1.6f * (1.0f - y / kDesignH);
        // The back plate of the open cabinet, warmed by the gear on it.
        const float plate = box(x, y, 58, 28, 582, 492, 3.0f);
        t = mix(t, 26.5f + 1.8f * (1.0f - y / kDesignH) + 0.8f * gauss(x - 320, 200), plate);
        for (float rail : rails) {
            t = mix(t, 28.0f, box(x, y, 70, rail - 5, 570, rail + 5));
        }
        for (const Module& m : modules) {
            const float cover = box(x, y, m.x, m.rail - 36, m.x + 36, m.rail + 36, 1.2f);
            if (cover > 0.0f) {
                // The terminals at the top carry the current: a little warmer.
                const float terminal = 1.6f * smooth(m.rail - 10, m.rail - 34, y);
                t = mix(t, m.temp + terminal, cover);
            }
            // Cable from the top terminal up to the roof of the cabinet.
            const float cx = m.x + 18.0f;
            const float cable = box(x, y, cx - 3.5f, 30, cx + 3.5f, m.rail - 36, 1.0f);
            if (cable > 0.0f) {
                const float along = (m.rail - 36 - y) / (m.rail - 60);
                t = mix(t, mix(m.temp + 2.0f, 27.5f, std::clamp(along, 0.0f, 1.0f)), cable);
            }
        }
        // The loose connector: a hot spot on the terminal that heats its cable.
        const float cable_heat = box(x, y, hx - 3.5f, 30, hx + 3.5f, hy, 1.0f) * 34.0f * std::exp(-(hy - y) / 70.0f);
        t += std::max(0.0f, cable_heat);
        t += 52.0f * gauss(std::hypot(x - hx, y - hy), 6.5f) + 9.0f * gauss(std::hypot(x - hx, y - hy), 22.0f);
        // The main feed entering at the bottom.
        const float feed = std::max(0.0f, 1.0f - segment_distance(x, y, 320, 492, 320, 430) / 9.0f);
        return mix(t, 36.0f, smooth(0.0f, 0.4f, feed));
    });
}

Field wall_field(int width, int height, uint32_t seed)
{
    return sample(width, height, seed, [](float x, float y) {
        const float ceiling_line = 118.0f + 0.04f * x;
        // Wall and ceiling, a little warmer towards the radiator.
        float t = y < ceiling_line ? 21.2f - 0.4f * (ceiling_line - y) / 118.0f : 20.4f + 0.9f * gauss(x - 440, 160);
        // Cold bridge along the ceiling joint, strongest in the outer corner.
        const float corner = 1.0f - smooth(60, 420, x);
        t -= (2.2f + 4.3f * corner) * gauss(y - ceiling_line, 11.0f + 5.0f * corner);
        // The outer wall corner, running down from the ceiling.
        if (y > ceiling_line - 10) {
            t -= (3.4f - 1.8f * smooth(ceiling_line, 480, y)) * gauss(x - 172, 13.0f);
        }
        // Window: glass reflecting the colder outside, frame a little warmer,
        // and cold air leaking in at the lower left of the frame.
        const float frame = box(x, y, 318, 168, 562, 382, 1.5f);
        const float glass = box(x, y, 332, 182, 548, 368, 1.0f);
        t = mix(t, 16.4f + 0.8f * (y - 168) / 214.0f, frame);
        t = mix(t, 13.2f + 1.6f * (y - 182) / 186.0f - 0.6f * gauss(x - 440, 40), glass);
        const float leak = std::hypot((x - 326) / 1.0f, (y - 378) / 2.2f);
        t -= 6.5f * gauss(leak, 14.0f) * (y > 370 ? 1.0f : 0.4f);
        // Radiator below the window with its fins, and the warm air over it.
        const float radiator = box(x, y, 336, 404, 544, 468, 1.5f);
        const float fins = 1.8f * std::cos((x - 336) * 3.14159f / 7.0f);
        t = mix(t, 47.5f + fins - 3.0f * (y - 404) / 64.0f, radiator);
        if (y < 404) {
            t += 4.5f * gauss(x - 440, 70.0f) * std::exp(-(404 - y) / 45.0f) * box(x, y, 300, 380, 580, 404, 10.0f);
        }
        // Floor.
        return mix(t, 19.2f, smooth(482, 492, y));
    });
}

Field pipes_field(int width, int height, float flow, uint32_t seed)
{
    // Where the hot water has got to along the supply pipe (design x).
    const float front = -80.0f + flow * 820.0f;
    return sample(width, height, seed, [=](float x, float y) {
        // The boiler room's wall: warm air under the ceiling, a cool floor.
        float t = 14.6f + 4.2f * (1.0f - y / kDesignH) + 0.8f * gauss(x - 120, 150);
        // Cylinder shading: the rim of a pipe is seen at a grazing angle and
        // reads colder than its crown.
        auto pipe = [&](float centre, float radius, float temp, float x0, float x1) {
            const float d = std::fabs(y - centre) / radius;
            if (d >= 1.05f || x < x0 - 2 || x > x1 + 2) {
                return;
            }
            const float profile = 0.72f + 0.28f * std::sqrt(std::max(0.0f, 1.0f - d * d));
            const float cover = (1.0f - smooth(0.92f, 1.05f, d)) * box(x, y, x0, 0, x1, kDesignH, 1.5f);
            t = mix(t, t + (temp - t) * profile, cover);
        };
        const float hot = mix(31.0f, 78.0f - 6.0f * x / kDesignW, 1.0f - smooth(front - 30, front + 30, x));
        // Warmth radiated onto the wall behind the supply pipe.
        t += (hot - 30.0f) * 0.1f * gauss(y - 140, 60.0f);
        pipe(140, 22, hot, 0, 640);
        // An insulated length: its jacket is barely warm.
        const float jacket = box(x, y, 250, 110, 382, 170, 2.0f);
        t = mix(t, 18.5f + (hot - 31.0f) * 0.09f + 0.5f * gauss(y - 140, 18.0f), jacket);
        // The valve on the supply, and the branch down to the floor.
        t = mix(t, hot - 4.0f, box(x, y, 462, 106, 490, 174, 2.0f));
        t = mix(t, hot - 7.0f, box(x, y, 548, 162, 576, 512, 2.0f) * (0.8f + 0.2f * gauss(x - 562, 8)));
        const float back = 44.0f + 6.0f * flow * (1.0f - smooth(0, 640, x));
        pipe(262, 18, back, 0, 640);
        pipe(380, 14, 10.5f, 0, 640);
        // A sweating joint on the cold pipe.
        t -= 2.2f * gauss(std::hypot(x - 180, y - 392), 9.0f);
        return t;
    });
}

bool field_plane(void* frame, const Field& field, std::vector<uint16_t>* plane)
{
    // AD values of the calibration at 0.05 degree steps over the field's
    // range, interpolated in between.
    const auto range = std::minmax_element(field.t.begin(), field.t.end());
    const float low = std::floor(*range.first) - 1.0f;
    const float high = std::ceil(*range.second) + 1.0f;
    const float step = 0.05f;
    std::vector<float> ads;
    for (float t = low; t <= high + step; t += step) {
        uint16_t ad = 0;
        if (!sensekern_get_ad_from_temperature(frame, t, &ad)) {
            return false;
        }
        ads.push_back(ad);
    }
    plane->resize(field.t.size());
    for (std::size_t i = 0; i < field.t.size(); ++i) {
        const float pos = (field.t[i] - low) / step;
        const std::size_t k = std::min(static_cast<std::size_t>(pos), ads.size() - 2);
        const float ad = mix(ads[k], ads[k + 1], pos - static_cast<float>(k));
        (*plane)[i] = static_cast<uint16_t>(std::clamp(std::lround(ad), 0L, 65535L));
    }
    return true;
}

}  // namespace samples
