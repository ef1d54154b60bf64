// Writes the seed corpora of the framekit fuzz targets with our own writers:
// the high/low codec for raw AD frames, the frame's own buffer saver and the
// analysis-string formatter.
#include "basekit.h"
#include "framekit.h"
#include "seed_writer.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

using seeds::write_seed;

namespace {

std::vector<uint16_t> plane(int width, int height)
{
    std::vector<uint16_t> p(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            p[static_cast<std::size_t>(y) * width + x] = static_cast<uint16_t>(7000 + x * 4 + y * 3 + (x ^ y) % 5);
        }
    }
    return p;
}

std::vector<uint8_t> bytes_of(const std::vector<uint16_t>& p)
{
    std::vector<uint8_t> b(p.size() * 2);
    std::memcpy(b.data(), p.data(), b.size());
    return b;
}

// Raw AD frame as the capture device writes it.
std::vector<uint8_t> raw_frame(const std::vector<uint16_t>& p, bool compressed)
{
    std::vector<uint8_t> frame(p.size());
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<uint8_t>(p[i] >> 4);
    }
    std::vector<uint8_t> data = bytes_of(p);
    uint16_t type = 0;
    if (compressed) {
        std::vector<uint8_t> packed(vy_high_low_bound(static_cast<int>(p.size())));
        uint32_t length = static_cast<uint32_t>(packed.size());
        if (vy_high_low_compress(p.data(), static_cast<int>(p.size()), packed.data(), &length) == VY_OK) {
            packed.resize(length);
            data = packed;
            type = 1;
        }
    }
    uint32_t length = static_cast<uint32_t>(data.size());
    uint8_t header[10] = {0, 0, 0, 0, static_cast<uint8_t>(type), static_cast<uint8_t>(type >> 8),
                          static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                          static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
    frame.insert(frame.end(), header, header + 10);
    frame.insert(frame.end(), data.begin(), data.end());
    return frame;
}

std::vector<uint8_t> framed(uint8_t selector, int width, int height, const std::vector<uint8_t>& payload)
{
    std::vector<uint8_t> seed = {selector, static_cast<uint8_t>(width - 3), static_cast<uint8_t>(height - 3)};
    seed.insert(seed.end(), payload.begin(), payload.end());
    return seed;
}

std::vector<uint8_t> saved_buffer(const std::vector<uint16_t>& p, int width, int height)
{
    void* h = nullptr;
    std::vector<uint8_t> buffer;
    if (!vy_ad_init(&h, 0, 1)) {
        return buffer;
    }
    vy_ad_set_resolution(h, static_cast<uint16_t>(width), static_cast<uint16_t>(height));
    std::vector<uint8_t> b = bytes_of(p);
    vy_ad_set_data_checked(h, b.data(), static_cast<uint32_t>(b.size()));
    uint32_t length = 0;
    if (vy_ad_save_data_to_buffer(h, nullptr, &length)) {
        buffer.resize(length);
        vy_ad_save_data_to_buffer(h, buffer.data(), &length);
    }
    vy_ad_uninit(&h);
    return buffer;
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

std::vector<uint8_t> text(const std::string& s)
{
    return std::vector<uint8_t>(s.begin(), s.end());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds_framekit <folder>\n");
        return 2;
    }
    std::string root = argv[1];
    mkdir(root.c_str(), 0755);
    bool ok = true;

    const std::string raw = root + "/fuzz_framekit_raw_frame";
    std::vector<uint16_t> small = plane(16, 10);
    std::vector<uint16_t> large = plane(40, 30);
    ok &= write_seed(raw, "plain", framed(0x00, 16, 10, bytes_of(small)));
    ok &= write_seed(raw, "indexed_normal", framed(0x01, 16, 10, raw_frame(small, true)));
    ok &= write_seed(raw, "indexed_fire_packed", framed(0x02, 16, 10, raw_frame(small, true)));
    ok &= write_seed(raw, "indexed_fire_raw", framed(0x02, 16, 10, raw_frame(small, false)));
    ok &= write_seed(raw, "fire_super_noise", framed(0x72, 40, 30, raw_frame(large, true)));
    ok &= write_seed(raw, "buffer_plain", framed(0x80, 16, 10, saved_buffer(small, 16, 10)));
    ok &= write_seed(raw, "buffer_super_noise", framed(0xF1, 40, 30, saved_buffer(large, 40, 30)));
    std::vector<float> temps(16 * 10);
    for (std::size_t i = 0; i < temps.size(); ++i) {
        temps[i] = -20.0f + static_cast<float>(i) * 0.75f;
    }
    std::vector<uint8_t> temp_bytes(temps.size() * 4);
    std::memcpy(temp_bytes.data(), temps.data(), temp_bytes.size());
    ok &= write_seed(raw, "national", framed(0x43, 16, 10, temp_bytes));

    const std::string anas = root + "/fuzz_framekit_anas";
    std::vector<tagVYPoint> poly;
    for (int i = 0; i < 24; ++i) {
        poly.push_back(tagVYPoint{static_cast<uint16_t>(20 + (i * 37) % 30), static_cast<uint16_t>((i * 11) % 40)});
    }
    std::vector<std::string> objects = {
        format(ANA_POINT, {{12, 14}}) + "P1",
        format(ANA_LINE, {{0, 0}, {39, 29}}) + "L1",
        format(ANA_ELLIPSE, {{5, 5}, {60000, 25}}),
        format(ANA_RECT, {{38, 28}, {2, 3}}) + "R1",
        format(ANA_POLYGON, poly) + "A1",
        format(ANA_POLYLINE, {{1, 1}, {30, 9}, {7, 25}, {65535, 0}}) + "S1",
    };
    std::string list;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        ok &= write_seed(anas, "object" + std::to_string(i), text(objects[i]));
        list += objects[i];
    }
    ok &= write_seed(anas, "list", text(list));
    return ok ? 0 : 1;
}
