// Writes the seed corpora of the fuzz targets with basekit's own writers.
#include "basekit.h"
#include "seed_writer.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <sys/stat.h>
#include <vector>

using seeds::write_seed;

namespace {

std::vector<uint8_t> text_bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::string format(AnaType type, const std::vector<tagVYPoint>& nodes)
{
    char buffer[VY_ANA_STR_CAPACITY];
    int length = sizeof(buffer);
    if (vy_format_ana_str(type, nodes.data(), static_cast<int>(nodes.size()), buffer, &length) != VY_OK) {
        return "";
    }
    return buffer;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds_basekit <folder>\n");
        return 2;
    }
    std::string root = argv[1];
    mkdir(root.c_str(), 0755);
    bool ok = true;

    std::vector<tagVYPoint> poly;
    for (int i = 0; i < 150; ++i) {
        poly.push_back({static_cast<uint16_t>(i % 90), static_cast<uint16_t>(i % 70)});
    }
    std::vector<std::string> objects = {
        format(ANA_POINT, {{12, 34}}) + "P1",
        format(ANA_LINE, {{0, 0}, {65535, 65535}}) + "L1",
        format(ANA_ELLIPSE, {{10, 10}, {40, 30}}),
        format(ANA_RECT, {{1, 2}, {3, 4}}) + "R2",
        format(ANA_POLYGON, poly) + "A1",
        format(ANA_POLYLINE, {{1, 1}, {5, 9}, {7, 3}}) + "S1",
    };
    std::string list;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        ok &= write_seed(root + "/fuzz_ana_parse", "object" + std::to_string(i), text_bytes(objects[i]));
        list += objects[i];
    }
    ok &= write_seed(root + "/fuzz_ana_split", "list", text_bytes(list));
    ok &= write_seed(root + "/fuzz_ana_split", "pair", text_bytes(objects[0] + objects[3]));

    // A small frame-like plane, compressed, with its value count in front.
    std::vector<uint16_t> plane(600);
    for (std::size_t i = 0; i < plane.size(); ++i) {
        plane[i] = static_cast<uint16_t>(16200 + (i % 40) * 3 + (i / 40) * 20);
    }
    std::vector<uint8_t> packed(vy_high_low_bound(static_cast<int>(plane.size())));
    uint32_t length = static_cast<uint32_t>(packed.size());
    ok &= vy_high_low_compress(plane.data(), static_cast<int>(plane.size()), packed.data(), &length) == VY_OK;
    packed.resize(length);
    uint16_t count_minus_one = static_cast<uint16_t>(plane.size() - 1);
    std::vector<uint8_t> seed = {static_cast<uint8_t>(count_minus_one & 0xFF),
                                 static_cast<uint8_t>(count_minus_one >> 8)};
    seed.insert(seed.end(), packed.begin(), packed.end());
    ok &= write_seed(root + "/fuzz_high_low_uncompress", "frame", seed);

    std::string script;
    for (int i = 0; i < 30; ++i) {
        script += "function f" + std::to_string(i) + "(ad) return ad * 0.05 - 273.15 end\n";
    }
    std::vector<uint8_t> lz(script.size());
    uint32_t bits = 0;
    ok &= vy_lz77_compress(script.data(), static_cast<int>(script.size()), lz.data(), &bits) == VY_OK;
    lz.resize((bits + 7) / 8);
    std::vector<uint8_t> lz_seed = {static_cast<uint8_t>(script.size() & 0xFF),
                                    static_cast<uint8_t>(script.size() >> 8),
                                    static_cast<uint8_t>((8 - bits % 8) % 8)};
    lz_seed.insert(lz_seed.end(), lz.begin(), lz.end());
    ok &= write_seed(root + "/fuzz_lz77_uncompress", "script", lz_seed);

    // Alarm formulas as the conditions hand them over, their tokens replaced
    // by the same helper.
    const char* formulas[] = {
        "R01:Max > 50",
        "R01:Max > 50 and math.abs(R01:Max-R02:Max) > 5",
        "math.max(R01:Max, R02:Max, R03:Avg) - math.min(R01:Min, R02:Min) >= 0.35 * R01:Max",
        "not (R01:Avg < EnvTemp) or R02:Max / R01:Max > 1,2",
        "(R01:Max - EnvTemp) / (R02:Max - EnvTemp) <= 0.8 or R01:Max > 90",
    };
    int formula_index = 0;
    for (const char* formula : formulas) {
        std::string text = formula;
        const std::pair<const char*, double> values[] = {
            {"R01:Max", 52.34}, {"R01:Min", -5.0}, {"R01:Avg", 30.25},
            {"R02:Max", 48.1}, {"R02:Min", -12.5}, {"R03:Avg", 0.0}};
        for (const auto& value : values) {
            char buffer[512];
            int length = sizeof(buffer);
            ok &= vy_replace_formula_token(text.c_str(), value.first, value.second, buffer, &length) == VY_OK;
            text = buffer;
        }
        ok &= write_seed(root + "/fuzz_formula", "formula" + std::to_string(formula_index++), text_bytes(text));
    }
    ok &= write_seed(root + "/fuzz_formula", "loop", text_bytes("(function() while true do end end)()"));
    ok &= write_seed(root + "/fuzz_formula", "nested",
                     text_bytes(std::string(10000, '(') + "1 > 0" + std::string(10000, ')')));

    if (!ok) {
        std::fprintf(stderr, "make_seeds: could not write every seed\n");
        return 1;
    }
    return 0;
}
