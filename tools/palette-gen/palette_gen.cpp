// Writes the constant colour tables of palettor: nine 163-entry palettes and
// the 256-entry fire table. Each table is a list of key colours; the entries
// between keys follow a monotone cubic per channel, so every key colour is
// hit exactly and no channel overshoots between two keys.
//
// Usage: palette_gen <output.cpp>   (writes standard output without argument)
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Key {
    int index;
    uint32_t colour;  // 0x00RRGGBB
};

struct Table {
    const char* name;
    std::vector<Key> keys;
};

// Fritsch-Carlson monotone cubic through (x[i], y[i]), sampled at every
// integer from x.front() to x.back().
std::vector<int> monotone_channel(const std::vector<double>& x, const std::vector<double>& y)
{
    const size_t n = x.size();
    std::vector<double> slope(n - 1), tangent(n);
    for (size_t i = 0; i + 1 < n; ++i) {
        slope[i] = (y[i + 1] - y[i]) / (x[i + 1] - x[i]);
    }
    tangent[0] = slope[0];
    tangent[n - 1] = slope[n - 2];
    for (size_t i = 1; i + 1 < n; ++i) {
        tangent[i] = (slope[i - 1] * slope[i] <= 0) ? 0 : (slope[i - 1] + slope[i]) / 2;
    }
    for (size_t i = 0; i + 1 < n; ++i) {
        if (slope[i] == 0) {
            tangent[i] = tangent[i + 1] = 0;
            continue;
        }
        const double a = tangent[i] / slope[i], b = tangent[i + 1] / slope[i];
        const double h = a * a + b * b;
        if (h > 9) {
            const double t = 3 / std::sqrt(h);
            tangent[i] = t * a * slope[i];
            tangent[i + 1] = t * b * slope[i];
        }
    }
    std::vector<int> out;
    for (size_t i = 0; i + 1 < n; ++i) {
        const double w = x[i + 1] - x[i];
        for (int p = static_cast<int>(x[i]); p < static_cast<int>(x[i + 1]); ++p) {
            const double t = (p - x[i]) / w;
            const double t2 = t * t, t3 = t2 * t;
            const double v = (2 * t3 - 3 * t2 + 1) * y[i] + (t3 - 2 * t2 + t) * w * tangent[i] +
                             (-2 * t3 + 3 * t2) * y[i + 1] + (t3 - t2) * w * tangent[i + 1];
            long r = std::lround(v);
            out.push_back(static_cast<int>(r < 0 ? 0 : (r > 255 ? 255 : r)));
        }
    }
    out.push_back(static_cast<int>(y[n - 1]));
    return out;
}

std::vector<uint32_t> build(const std::vector<Key>& keys)
{
    std::vector<double> x;
    std::vector<double> channel[3];
    for (const Key& k : keys) {
        x.push_back(k.index);
        channel[0].push_back((k.colour >> 16) & 0xFF);
        channel[1].push_back((k.colour >> 8) & 0xFF);
        channel[2].push_back(k.colour & 0xFF);
    }
    std::vector<int> r = monotone_channel(x, channel[0]);
    std::vector<int> g = monotone_channel(x, channel[1]);
    std::vector<int> b = monotone_channel(x, channel[2]);
    std::vector<uint32_t> table(r.size());
    for (size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<uint32_t>(r[i] << 16 | g[i] << 8 | b[i]);
    }
    return table;
}

// Stored tables in storage order. Entries 0, 81 and 162 carry the fixed
// anchor colours; the keys between them give each palette its character.
const Table kTables[9] = {
    {"iron", {{0, 0x000000}, {22, 0x1C0058}, {45, 0x80088E}, {66, 0xC41E5C}, {81, 0xE84A12},
              {106, 0xF88C00}, {130, 0xFCC620}, {150, 0xFFEE90}, {162, 0xFFFFFF}}},
    {"rainbow", {{0, 0x000000}, {20, 0x1C0870}, {40, 0x0038D0}, {60, 0x0090B0}, {81, 0x256800},
                 {102, 0x98B000}, {120, 0xF8C000}, {134, 0xF04010}, {148, 0xF490A0}, {162, 0xFFFFFF}}},
    {"feather", {{0, 0x000000}, {28, 0x1C1C6C}, {55, 0x1E84A4}, {81, 0xCAD501}, {108, 0xF8A400},
                 {136, 0xFF6448}, {162, 0xFFE6CD}}},
    {"cwfeather", {{0, 0x000000}, {40, 0x01206A}, {81, 0x027CD8}, {108, 0x3CC0A0}, {135, 0xA0D040},
                   {162, 0xEDD008}}},
    {"gray", {{0, 0x000000}, {81, 0x929292}, {162, 0xFFFFFF}}},
    {"further_a", {{0, 0x4D0677}, {40, 0x2050C0}, {81, 0xA4FF00}, {120, 0xFFB000}, {162, 0xFFFFFF}}},
    {"further_b", {{0, 0x0A0203}, {40, 0x502008}, {81, 0x9D6001}, {125, 0xE0B060}, {162, 0xFFFFFF}}},
    {"further_c", {{0, 0x096993}, {40, 0x40A090}, {81, 0xAC3301}, {120, 0xF08040}, {162, 0xFFFFFF}}},
    {"further_d", {{0, 0x260601}, {40, 0x801000}, {81, 0xF28300}, {125, 0xF8D060}, {162, 0xF4F6CD}}},
};

// Grey ramp 0..162, then pale yellow through yellow and orange to dark red,
// which holds over the last four entries.
const std::vector<Key> kFireKeys = {{0, 0x1E1E1E}, {162, 0xFFFFFF}};
const std::vector<Key> kFireTailKeys = {{163, 0xFBFE8D}, {180, 0xEFEC2F}, {209, 0xFC7C0E},
                                        {232, 0xC8200C}, {252, 0x820B0F}};

void print_table(FILE* out, const std::vector<uint32_t>& table)
{
    for (size_t i = 0; i < table.size(); ++i) {
        std::fprintf(out, "%s0x%06X,%s", i % 8 == 0 ? "        " : " ", table[i],
                     (i % 8 == 7 || i + 1 == table.size()) ? "\n" : "");
    }
}

// Writes the whole generated file; false when a table comes out malformed or a
// write fails.
bool write_tables(FILE* out)
{
    std::fprintf(out,
                 "// Generated by tools/palette-gen; do not edit. Rerun the generator instead.\n"
                 "#include \"palette_tables.h\"\n\n"
                 "namespace palettor::detail {\n\n"
                 "const uint32_t kStoredPalettes[kStoredPaletteCount][kPaletteSize] = {\n");
    for (const Table& t : kTables) {
        std::vector<uint32_t> table = build(t.keys);
        if (table.size() != 163) {
            std::fprintf(stderr, "table %s has %zu entries\n", t.name, table.size());
            return false;
        }
        std::fprintf(out, "    // %s\n    {\n", t.name);
        print_table(out, table);
        std::fprintf(out, "    },\n");
    }
    std::fprintf(out, "};\n\nconst uint32_t kFireTable[kFireTableSize] = {\n");
    std::vector<uint32_t> fire = build(kFireKeys);
    std::vector<uint32_t> tail = build(kFireTailKeys);
    fire.insert(fire.end(), tail.begin(), tail.end());
    while (fire.size() < 256) {
        fire.push_back(0x820B0F);
    }
    print_table(out, fire);
    std::fprintf(out, "};\n\n}  // namespace palettor::detail\n");
    return std::fflush(out) == 0 && std::ferror(out) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        return write_tables(stdout) ? 0 : 1;
    }
    // The target is usually the committed table: it is replaced only by a
    // complete file.
    const std::string target = argv[1];
    const std::string temporary = target + ".tmp";
    FILE* out = std::fopen(temporary.c_str(), "w");
    if (out == nullptr) {
        std::perror(temporary.c_str());
        return 1;
    }
    const bool written = write_tables(out);
    if (std::fclose(out) != 0 || !written || std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::perror(target.c_str());
        std::remove(temporary.c_str());
        return 1;
    }
    return 0;
}
