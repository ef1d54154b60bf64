// Seeds for fuzz_palettor_frame: small scenes in each mode and imaging type,
// with and without isotherm bands, written by our own code.
#include "frame_input.h"

#include <cstdio>
#include <string>
#include <sys/stat.h>

using namespace fuzz_palettor;

namespace {

std::vector<uint8_t> seed(int mode, int type, uint8_t flags, int bands, int pattern)
{
    const int width = 24, height = 16;
    std::vector<uint8_t> out = {static_cast<uint8_t>(mode), static_cast<uint8_t>(type), flags,
                                static_cast<uint8_t>(width - 1), static_cast<uint8_t>(height - 1)};
    put16(out, 2);
    put16(out, 1);
    put16(out, 20);
    put16(out, 12);
    put16(out, 15200);
    put16(out, 16400);
    out.push_back(static_cast<uint8_t>(pattern % 18));
    out.push_back(static_cast<uint8_t>(bands));
    for (int b = 0; b < bands; ++b) {
        put16(out, static_cast<uint16_t>(15500 + 200 * b));
        put16(out, static_cast<uint16_t>(15600 + 200 * b));
        const uint32_t colour = b == 0 ? 0x0000FF : (b == 1 ? 0x00FFFF : 0x336699);
        for (int k = 0; k < 4; ++k) {
            out.push_back(static_cast<uint8_t>(colour >> (8 * k)));
        }
        out.push_back(static_cast<uint8_t>(b % 2));
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint16_t v;
            switch (pattern) {
            case 0: v = 5000; break;                                          // closed shutter
            case 1: v = (x + y) % 2 ? 65535 : 0; break;                       // extremes
            default: v = static_cast<uint16_t>(15000 + x * 40 + y * 7 + ((x - 12) * (x - 12) + (y - 8) * (y - 8) < 20 ? 900 : 0));
            }
            put16(out, v);
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <seed dir>\n", argv[0]);
        return 1;
    }
    const std::string dir = std::string(argv[1]) + "/fuzz_palettor_frame";
    mkdir(argv[1], 0755);
    mkdir(dir.c_str(), 0755);
    int n = 0;
    for (int mode = 0; mode < 4; ++mode) {
        for (int type : {0, 1, 255}) {
            for (int pattern = 0; pattern < 3; ++pattern) {
                const uint8_t flags = static_cast<uint8_t>((mode + pattern) % 4 == 0 ? 0x13 : (pattern == 2 ? 0x06 : 0x00));
                const std::vector<uint8_t> data = seed(mode, type, flags, (mode + type + pattern) % 4, pattern);
                const std::string path = dir + "/seed_" + std::to_string(n++);
                FILE* f = std::fopen(path.c_str(), "wb");
                if (f == nullptr || std::fwrite(data.data(), 1, data.size(), f) != data.size() || std::fclose(f) != 0) {
                    std::perror(path.c_str());
                    return 1;
                }
            }
        }
    }
    return 0;
}
