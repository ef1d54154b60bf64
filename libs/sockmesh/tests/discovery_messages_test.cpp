#include "discovery_messages.h"
#include "net_cards.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace sockmesh::detail;

namespace {

std::vector<char> be32(uint32_t value)
{
    std::vector<char> out;
    put_be32(&out, value);
    return out;
}

std::vector<char> concat(std::initializer_list<std::vector<char>> parts)
{
    std::vector<char> out;
    for (const auto& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

std::vector<char> text(const std::string& value)
{
    return std::vector<char>(value.begin(), value.end());
}

const unsigned char* bytes(const std::vector<char>& data)
{
    return reinterpret_cast<const unsigned char*>(data.data());
}

}  // namespace

TEST(discovery, response_round_trip)
{
    NetworkBlock block{0xFFFFFF00u, 0xC0A80101u, 0x08080808u, 0};
    std::vector<char> reply = build_discovery_response(0, "SN123;software ver:1.0", block);
    ASSERT_EQ(reply.size(), 29u + 12u + 22u);
    DiscoveryResponse parsed;
    const char* reason = nullptr;
    ASSERT_TRUE(parse_discovery_response(bytes(reply), reply.size(), &parsed, &reason));
    EXPECT_EQ(parsed.type, 0);
    EXPECT_EQ(parsed.text, "SN123;software ver:1.0");
    EXPECT_TRUE(parsed.block_valid);
    EXPECT_EQ(parsed.block.netmask, 0xFFFFFF00u);
    EXPECT_EQ(parsed.block.gateway, 0xC0A80101u);

    std::vector<char> direct = build_discovery_response(1, "", block);
    ASSERT_TRUE(parse_discovery_response(bytes(direct), direct.size(), &parsed, &reason));
    EXPECT_EQ(parsed.type, 1);
}

TEST(discovery, response_without_network_block)
{
    // N = 0, L = 5, nothing behind the text.
    std::vector<char> reply = concat({be32(29), text("VY_DISCOVERY"), be32(0), be32(5), text("hello")});
    DiscoveryResponse parsed;
    const char* reason = nullptr;
    ASSERT_TRUE(parse_discovery_response(bytes(reply), reply.size(), &parsed, &reason));
    EXPECT_EQ(parsed.text, "hello");
    EXPECT_FALSE(parsed.has_block);

    // A flag other than 1 counts as present but empty.
    std::vector<char> flagged = concat({be32(30), text("VY_DISCOVERY"), be32(0), be32(5), text("hello"), {0}});
    ASSERT_TRUE(parse_discovery_response(bytes(flagged), flagged.size(), &parsed, &reason));
    EXPECT_TRUE(parsed.has_block);
    EXPECT_FALSE(parsed.block_valid);

    // The skipped values are stepped over.
    std::vector<char> counted =
        concat({be32(37), text("VY_DISCOVERY"), be32(2), be32(7), be32(9), be32(5), text("hello")});
    ASSERT_TRUE(parse_discovery_response(bytes(counted), counted.size(), &parsed, &reason));
    EXPECT_EQ(parsed.text, "hello");
}

TEST(discovery, malformed_datagram_table)
{
    struct Case {
        const char* name;
        std::vector<char> data;
    };
    std::vector<Case> cases = {
        {"three bytes", {0, 0, 0}},
        {"announces 100 in 60", concat({be32(100), text("VY_DISCOVERY"), std::vector<char>(44, 0)})},
        {"unknown identifier", concat({be32(30), text("XX_DISCOVERY"), be32(0), be32(0), std::vector<char>(6, 0)})},
        {"identifier cut by the total", concat({be32(10), text("VY_DISCOVERY"), be32(0), be32(0)})},
        {"count runs past the end", concat({be32(28), text("VY_DISCOVERY"), be32(0x40000000), be32(0), be32(0)})},
        {"huge count wraps 32 bits", concat({be32(28), text("VY_DISCOVERY"), be32(0xFFFFFFFF), be32(0), be32(0)})},
        {"text length past the end", concat({be32(29), text("VY_DISCOVERY"), be32(0), be32(6), text("hello")})},
        {"text length near 4 GiB", concat({be32(29), text("VY_DISCOVERY"), be32(0), be32(0xFFFFFFFF), text("hello")})},
        {"flag 1 without the addresses", concat({be32(30), text("VY_DISCOVERY"), be32(0), be32(5), text("hello"), {1},
                                                 std::vector<char>(4, 0)})},
        {"total beyond a shorter datagram", concat({be32(200), text("VY_DISCOVERY"), be32(0), be32(0)})},
    };
    for (const Case& c : cases) {
        DiscoveryResponse parsed;
        const char* reason = nullptr;
        EXPECT_FALSE(parse_discovery_response(bytes(c.data), c.data.size(), &parsed, &reason)) << c.name;
        EXPECT_NE(reason, nullptr) << c.name;
    }
}

TEST(discovery, set_address_layout)
{
    SetAddress address;
    ASSERT_TRUE(ipv4_text_to_number("192.168.1.20", &address.ip));
    ASSERT_TRUE(ipv4_text_to_number("255.255.255.0", &address.netmask));
    std::vector<char> message = build_set_address(address, true);
    ASSERT_EQ(message.size(), kSetAddressSize);
    EXPECT_EQ(std::string(message.data(), 15), std::string("VY_PROTOCOL\1\1\0\0", 15));
    EXPECT_EQ(get_be32(bytes(message) + 15), 0xC0A80114u);
    EXPECT_EQ(get_be32(bytes(message) + 19), 0xFFFFFF00u);
    EXPECT_EQ(get_be32(bytes(message) + 35), 1u);
    EXPECT_EQ(message[39], 1);
    EXPECT_EQ(build_set_address(address, false)[39], 0);

    SetAddress parsed;
    ASSERT_TRUE(parse_set_address(bytes(message), message.size(), &parsed));
    EXPECT_EQ(parsed.ip, address.ip);
    ASSERT_EQ(parsed.extra.size(), 1u);
    EXPECT_EQ(parsed.extra[0], 1);
}

TEST(discovery, set_address_short_or_inconsistent_refused)
{
    SetAddress address;
    std::vector<char> message = build_set_address(address, true);
    SetAddress parsed;
    for (std::size_t size : {11u, 20u, 38u, 39u}) {
        EXPECT_FALSE(parse_set_address(bytes(message), size, &parsed)) << size;
    }
    std::vector<char> long_extra = message;
    long_extra[35] = 0x7f;  // extra length far beyond the datagram
    EXPECT_FALSE(parse_set_address(bytes(long_extra), long_extra.size(), &parsed));
    std::vector<char> no_extra = message;
    no_extra[38] = 0;
    no_extra.pop_back();
    ASSERT_TRUE(parse_set_address(bytes(no_extra), no_extra.size(), &parsed));
    EXPECT_TRUE(parsed.extra.empty());
}

TEST(discovery, device_request_classes)
{
    struct Case {
        std::string data;
        DeviceRequest expected;
    };
    std::vector<Case> cases = {
        {"VY_PROTOCOL", DeviceRequest::kTooShort},
        {"VY_DISCOVERY", DeviceRequest::kDiscovery},
        {std::string("VY_DISCOVERY\0", 13), DeviceRequest::kDiscovery},
        {"VYDIRECTLINKDISCOVERY", DeviceRequest::kDirectLink},
        {"VYDIRECTLINKDISCOVER", DeviceRequest::kUnknown},
        {"VY_PROTOCOL\1", DeviceRequest::kSetAddress},
        {"HELLO WORLD!", DeviceRequest::kUnknown},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(classify_device_request(reinterpret_cast<const unsigned char*>(c.data.data()), c.data.size()),
                  c.expected)
            << c.data;
    }
}

TEST(discovery, multicast_messages)
{
    std::vector<char> request = build_multicast_request();
    EXPECT_EQ(std::string(request.begin(), request.end()), std::string("VY_DISCOVERY\0", 13));

    SetAddress address;
    address.ip = 0x0A000002;
    std::vector<char> set = build_multicast_set_address(0x0A000001, address, false);
    ASSERT_EQ(set.size(), kMulticastSetAddressSize);
    EXPECT_EQ(get_be32(bytes(set) + 15), 0x0A000001u);
    EXPECT_EQ(get_be32(bytes(set) + 19), 0x0A000002u);
    EXPECT_EQ(get_be32(bytes(set) + 39), 1u);
    EXPECT_EQ(set[43], 0);

    MulticastResponse response;
    response.text = "camera";
    response.version = 3;
    response.ip = 0x7F000001;
    response.block.netmask = 0xFF000000;
    std::vector<char> reply = build_multicast_response(response);
    MulticastResponse parsed;
    const char* reason = nullptr;
    ASSERT_TRUE(parse_multicast_response(bytes(reply), reply.size(), &parsed, &reason));
    EXPECT_EQ(parsed.text, "camera");
    EXPECT_EQ(parsed.version, 3);
    EXPECT_EQ(parsed.ip, 0x7F000001u);
    EXPECT_EQ(parsed.block.netmask, 0xFF000000u);

    // An over-long text, a short datagram and a foreign identifier are refused.
    std::vector<char> long_text = reply;
    long_text[23] = 100;
    EXPECT_FALSE(parse_multicast_response(bytes(long_text), long_text.size(), &parsed, &reason));
    EXPECT_FALSE(parse_multicast_response(bytes(reply), reply.size() - 1, &parsed, &reason));
    std::vector<char> foreign = reply;
    foreign[4] = 'X';
    EXPECT_FALSE(parse_multicast_response(bytes(foreign), foreign.size(), &parsed, &reason));
}
