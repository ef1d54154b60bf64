// The camera packet: golden bytes of requests and the receiver's checks.
#include "nvs_packet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace streamnet::detail;

namespace {

std::vector<uint8_t> bytes_of(std::initializer_list<int> values)
{
    std::vector<uint8_t> out;
    for (int v : values) {
        out.push_back(static_cast<uint8_t>(v));
    }
    return out;
}

void set_u32(std::vector<uint8_t>& packet, std::size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        packet[offset + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
    }
}

}  // namespace

TEST(packet, request_without_payload_is_28_golden_bytes)
{
    std::vector<uint8_t> expected = bytes_of({'V', 'Y', 'S', 'T', 'A', 'R', 'T', 0x00, 0x00, 0x00, 0x1C, 0x00, 173,
                                              128, 0x02, 0x00, 0x00, 0x01, 0x02, 0x00, 0x00, 0x00, 0x00, 'V', 'Y',
                                              'E', 'N', 'D'});
    EXPECT_EQ(build_request(173, 128, 258), expected);
}

TEST(packet, request_with_payload_counts_it_in_both_lengths)
{
    const uint8_t lens_and_range[2] = {1, 2};
    std::vector<uint8_t> expected = bytes_of({'V', 'Y', 'S', 'T', 'A', 'R', 'T', 0x00, 0x00, 0x00, 0x1E, 0x00, 163,
                                              128, 0x02, 0xDE, 0xAD, 0xBE, 0xEF, 0x00, 0x00, 0x00, 0x02, 1, 2, 'V',
                                              'Y', 'E', 'N', 'D'});
    EXPECT_EQ(build_request(163, 128, 0xDEADBEEF, lens_and_range, 2), expected);
}

TEST(packet, parse_reads_the_header_and_bounds_the_payload)
{
    const char text[] = "hello";
    std::vector<uint8_t> packet = build_packet(kResponse, 169, 149, 0, 77, text, 5);
    PacketView view;
    PacketError error;
    ASSERT_TRUE(parse_packet(packet.data(), packet.size(), &view, &error));
    EXPECT_EQ(error, PacketError::kNone);
    EXPECT_EQ(view.total_length, 33u);
    EXPECT_EQ(view.type, kResponse);
    EXPECT_EQ(view.main_cmd, 169);
    EXPECT_EQ(view.vice_cmd, 149);
    EXPECT_EQ(view.sequence, 77u);
    ASSERT_EQ(view.payload_length, 5u);
    EXPECT_EQ(std::memcmp(view.payload, text, 5), 0);
}

TEST(packet, refusals_in_order_of_the_checks)
{
    struct Case {
        const char* name;
        std::size_t received;             // bytes handed to the parser
        std::function<void(std::vector<uint8_t>&)> damage;
        PacketError expected;
    };
    const std::vector<uint8_t> good = build_packet(kResponse, 170, 138, 0, 5, "abcd", 4);
    const std::vector<Case> cases = {
        {"empty", 0, [](std::vector<uint8_t>&) {}, PacketError::kStartMarker},
        {"marker cut", 5, [](std::vector<uint8_t>&) {}, PacketError::kStartMarker},
        {"marker wrong", good.size(), [](std::vector<uint8_t>& p) { p[0] = 'X'; }, PacketError::kStartMarker},
        {"header cut", 20, [](std::vector<uint8_t>&) {}, PacketError::kTotalLength},
        {"total 27", good.size(), [](std::vector<uint8_t>& p) { set_u32(p, 7, 27); }, PacketError::kTotalLength},
        {"total beyond received", good.size() - 1, [](std::vector<uint8_t>&) {}, PacketError::kTotalLength},
        {"total huge", good.size(), [](std::vector<uint8_t>& p) { set_u32(p, 7, 0xFFFFFFFF); },
         PacketError::kTotalLength},
        {"type 4", good.size(), [](std::vector<uint8_t>& p) { p[11] = 4; }, PacketError::kPackageType},
        {"payload beyond total", good.size(), [](std::vector<uint8_t>& p) { set_u32(p, 19, 5); },
         PacketError::kPayloadLength},
        {"payload length huge", good.size(), [](std::vector<uint8_t>& p) { set_u32(p, 19, 0xFFFFFFF0); },
         PacketError::kPayloadLength},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> packet = good;
        c.damage(packet);
        std::vector<uint8_t> received(packet.begin(), packet.begin() + static_cast<long>(c.received));
        PacketView view;
        PacketError error;
        EXPECT_FALSE(parse_packet(received.data(), received.size(), &view, &error)) << c.name;
        EXPECT_EQ(error, c.expected) << c.name;
    }
}

TEST(packet, a_shorter_payload_than_the_total_is_bounded_by_its_own_length)
{
    // Bytes beyond the payload (and a missing end marker) are never read as payload.
    std::vector<uint8_t> packet = build_packet(kDataPackage, 161, 134, 0, 0, "abcdef", 6);
    set_u32(packet, 19, 2);
    PacketView view;
    PacketError error;
    ASSERT_TRUE(parse_packet(packet.data(), packet.size(), &view, &error));
    EXPECT_EQ(view.payload_length, 2u);
}
