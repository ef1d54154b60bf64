#include "sample_detector.h"

#include <cstdio>

namespace detector_sample {

using namespace camlink::detail;

namespace {

CorrectionTable table(std::size_t pixels, int16_t base, int spread, int salt)
{
    CorrectionTable t;
    t.values.resize(pixels);
    for (std::size_t i = 0; i < pixels; ++i) {
        t.values[i] = static_cast<int16_t>(base + static_cast<int>((i * 7 + salt) % (2 * spread + 1)) - spread);
    }
    t.check = table_check(t.values);
    return t;
}

void use_index(std::set<uint8_t>& free, uint8_t index)
{
    free.erase(index);
}

}  // namespace

DetectorConfig sample_config(uint16_t width, uint16_t height)
{
    DetectorConfig config;
    config.width = width;
    config.height = height;
    config.left_edge = 2;
    config.top_edge = 1;
    const std::size_t pixels = static_cast<std::size_t>(width) * height;
    uint8_t next_k = 0;
    for (uint8_t lens_type : {0, 1}) {
        LensRecord lens;
        lens.coefficient = lens_type == 0 ? 1.0f : 0.9875f;
        lens.reverse_type = 3;
        for (int env = 0; env < kEnvironments; ++env) {
            for (int r = 0; r < kRanges; ++r) {
                RangeEntry& e = lens.ranges[env][r];
                e.vsk = static_cast<uint16_t>(1200 + 10 * r);
                e.gfid = static_cast<uint16_t>(1800 + 20 * r);
                e.gain = static_cast<uint8_t>(2 + r);
                e.integral = static_cast<uint16_t>(400 - 50 * r);
                // DAC 0 reads back from the simulated detector.
                e.dac = 0;
                e.ndac = kDefaultNdac;
                e.shift_compensation = static_cast<uint16_t>(100 * lens_type + r);
                // The two lower ranges of environment 0 (and for lens 0 also
                // of environment 1) have gains of their own; the others fall
                // back to them.
                if (r < 2 && (env == 0 || lens_type == 0)) {
                    e.k_index = next_k;
                    use_index(config.free_k, next_k);
                    config.k_tables[next_k] = table(pixels, kUnitGain, 5, next_k);
                    ++next_k;
                }
            }
        }
        config.lenses[lens_type] = lens;
    }
    RangeEntry& outer = config.lenses[0].ranges[0][0];
    outer.outer_index = 0;
    outer.outer_temperature = 25.0f;
    use_index(config.free_outer, 0);
    config.outer_tables[0] = table(pixels, 40, 30, 3);

    config.bad_map = default_bad_map(width, height);
    if (width > 8 && height > 8) {
        config.bad_map[static_cast<std::size_t>(5) * width + 7] = bad_pixel_code(7, 5, width, height);
        config.bad_map[static_cast<std::size_t>(height - 3) * width + width / 2] =
            bad_pixel_code(width / 2, height - 3, width, height);
    }
    config.bad_check = bad_map_check(config.bad_map);
    return config;
}

bool sample_file(uint16_t width, uint16_t height, uint16_t version, std::vector<uint8_t>* out)
{
    return encode_detector_file(sample_config(width, height), version, out);
}

bool write_file(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::string temporary = path + ".part";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::remove(temporary.c_str());
    }
    return ok;
}

}  // namespace detector_sample
