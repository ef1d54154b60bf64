// Synthetic frames and raw AD frames for the framekit tests, made with our
// own writers.
#pragma once

#include "basekit.h"
#include "framekit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace fk_test {

// Owns one frame handle.
class Frame {
public:
    // kind 1 plain, 0 indexed; national makes a national-grid frame.
    explicit Frame(int kind = 1, int mode = 0, bool national = false)
    {
        ok_ = national ? vy_ad_init_ex(&handle_) : vy_ad_init(&handle_, mode, kind);
    }
    ~Frame()
    {
        if (handle_ != nullptr) {
            vy_ad_uninit(&handle_);
        }
    }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    bool ok() const { return ok_; }
    void* h() const { return handle_; }

private:
    void* handle_ = nullptr;
    bool ok_ = false;
};

// A plane with a gentle gradient, a hot spot and a cold spot; values stay in
// one high byte region so the high/low codec shrinks it.
inline std::vector<uint16_t> gradient_plane(int width, int height, uint16_t base = 8000)
{
    std::vector<uint16_t> plane(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            plane[static_cast<std::size_t>(y) * width + x] = static_cast<uint16_t>(base + x * 3 + y * 5 + ((x * 7 + y * 13) % 11));
        }
    }
    return plane;
}

inline std::vector<uint8_t> bytes_of(const std::vector<uint16_t>& plane)
{
    std::vector<uint8_t> bytes(plane.size() * 2);
    std::memcpy(bytes.data(), plane.data(), bytes.size());
    return bytes;
}

// Raw AD frame: index plane, min, max, type, length, data.
inline std::vector<uint8_t> raw_frame(const std::vector<uint8_t>& index, uint16_t type,
                                      const std::vector<uint8_t>& data, uint32_t announced)
{
    std::vector<uint8_t> frame(index);
    auto u16 = [&](uint16_t v) {
        frame.push_back(static_cast<uint8_t>(v));
        frame.push_back(static_cast<uint8_t>(v >> 8));
    };
    u16(0);
    u16(0);
    u16(type);
    u16(static_cast<uint16_t>(announced));
    u16(static_cast<uint16_t>(announced >> 16));
    frame.insert(frame.end(), data.begin(), data.end());
    return frame;
}

inline std::vector<uint8_t> compress(const std::vector<uint16_t>& plane)
{
    std::vector<uint8_t> out(vy_high_low_bound(static_cast<int>(plane.size())));
    uint32_t length = static_cast<uint32_t>(out.size());
    EXPECT_EQ(VY_OK, vy_high_low_compress(plane.data(), static_cast<int>(plane.size()), out.data(), &length));
    out.resize(length);
    return out;
}

// Raw frame of a plane, high/low compressed, with a patterned index plane.
inline std::vector<uint8_t> compressed_raw_frame(const std::vector<uint16_t>& plane)
{
    std::vector<uint8_t> index(plane.size());
    for (std::size_t i = 0; i < index.size(); ++i) {
        index[i] = static_cast<uint8_t>(i * 7);
    }
    std::vector<uint8_t> data = compress(plane);
    return raw_frame(index, 1, data, static_cast<uint32_t>(data.size()));
}

struct Extremes {
    tagPAD hottest{};
    tagPAD coldest{};
    uint16_t avg = 0;
    uint64_t count = 0;
};

// Direct computation over a list of positions in visiting order.
inline Extremes direct(const std::vector<uint16_t>& plane, int width, const std::vector<tagVYPoint>& pixels)
{
    Extremes e;
    uint64_t sum = 0;
    for (const tagVYPoint& p : pixels) {
        uint16_t a = plane[static_cast<std::size_t>(p.y) * width + p.x];
        if (e.count == 0) {
            e.hottest = e.coldest = tagPAD{p.x, p.y, a};
        } else if (a > e.hottest.ad) {
            e.hottest = tagPAD{p.x, p.y, a};
        } else if (a < e.coldest.ad) {
            e.coldest = tagPAD{p.x, p.y, a};
        }
        sum += a;
        ++e.count;
    }
    if (e.count != 0) {
        e.avg = static_cast<uint16_t>(sum / e.count);
    }
    return e;
}

inline std::string format(AnaType type, const std::vector<tagVYPoint>& nodes)
{
    char buffer[VY_ANA_STR_CAPACITY];
    int length = sizeof(buffer);
    EXPECT_EQ(VY_OK, vy_format_ana_str(type, nodes.data(), static_cast<int>(nodes.size()), buffer, &length));
    return buffer;
}

inline tagVYAnaInfo default_info()
{
    tagVYAnaInfo info{};
    info.line_color = 0xFFFF00;
    info.display_value1 = 1;
    info.visible = 1;
    info.can_move = 1;
    info.show_text_type = 1;
    return info;
}

inline void expect_pad(const tagPAD& expected, const uint16_t record[3], const std::string& what)
{
    EXPECT_EQ(expected.x, record[0]) << what;
    EXPECT_EQ(expected.y, record[1]) << what;
    EXPECT_EQ(expected.ad, record[2]) << what;
}

}  // namespace fk_test
