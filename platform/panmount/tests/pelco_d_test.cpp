#include "head_link.h"
#include "pelco_d.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

using namespace panmount::detail;

namespace {

std::string hex(const PelcoFrame& frame)
{
    std::string text;
    char byte[4];
    for (uint8_t b : frame) {
        std::snprintf(byte, sizeof(byte), "%02X ", b);
        text += byte;
    }
    text.pop_back();
    return text;
}

TEST(pelco_d, movement_frames)
{
    struct Case {
        int direction;
        uint8_t pan, tilt;
        const char* expected;
    };
    const Case cases[] = {
        {PTZ_LEFT, 0x2F, 0x2F, "FF 01 00 04 2F 00 34"},
        {PTZ_UP, 0x2F, 0x2F, "FF 01 00 08 00 2F 38"},
        {PTZ_RIGHT, 0x2F, 0x2F, "FF 01 00 02 2F 00 32"},
        {PTZ_DOWN, 0x2F, 0x2F, "FF 01 00 10 00 2F 40"},
        {PTZ_LEFT_UP, 0x2F, 0x2F, "FF 01 00 0C 2F 2F 6B"},
        {PTZ_LEFT_DOWN, 0x2F, 0x2F, "FF 01 00 14 2F 2F 73"},
        {PTZ_RIGHT_UP, 0x00, 0x3F, "FF 01 00 0A 00 3F 4A"},
        {PTZ_RIGHT_DOWN, 0x3F, 0x3F, "FF 01 00 12 3F 3F 91"},
        {PTZ_STOP, 0x3F, 0x3F, "FF 01 00 00 00 00 01"},
    };
    for (const Case& c : cases) {
        PelcoFrame frame{};
        ASSERT_TRUE(movement_frame(1, c.direction, c.pan, c.tilt, &frame)) << c.direction;
        EXPECT_EQ(hex(frame), c.expected) << "direction " << c.direction;
    }
    PelcoFrame untouched{};
    EXPECT_FALSE(movement_frame(1, -1, 1, 1, &untouched));
    EXPECT_FALSE(movement_frame(1, 9, 1, 1, &untouched));
    EXPECT_EQ(hex(untouched), "00 00 00 00 00 00 00");
}

TEST(pelco_d, checksum_wraps_at_256)
{
    EXPECT_EQ(hex(goto_preset_frame(0xFF, 0xFF)), "FF FF 00 07 00 FF 05");
    EXPECT_EQ(hex(set_preset_frame(2, 0x80)), "FF 02 00 03 00 80 85");
}

TEST(pelco_d, head_address_texts)
{
    struct Case {
        const char* text;
        bool valid;
        int port;
    };
    const Case cases[] = {
        {"192.168.1.20", true, 63230},
        {"127.0.0.1:4000", true, 4000},
        {"127.0.0.1:65535", true, 65535},
        {"127.0.0.1:0", false, 0},
        {"127.0.0.1:65536", false, 0},
        {"127.0.0.1:", false, 0},
        {"127.0.0.1:12x", false, 0},
        {"127.0.0.1:-5", false, 0},
        {"camera.local", false, 0},
        {"", false, 0},
        {"1.2.3.4.5", false, 0},
    };
    for (const Case& c : cases) {
        sockaddr_in address{};
        EXPECT_EQ(parse_head_address(c.text, &address), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(ntohs(address.sin_port), c.port) << c.text;
        }
    }
    sockaddr_in address{};
    EXPECT_FALSE(parse_head_address(nullptr, &address));
}

}  // namespace
