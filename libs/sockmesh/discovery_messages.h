// Wire formats of discovery: requests, responses and set-address messages,
// over broadcast and multicast. Integers are big-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sockmesh {
namespace detail {

constexpr char kDiscoveryId[] = "VY_DISCOVERY";          // 12 bytes
constexpr char kDirectLinkId[] = "VYDIRECTLINKDISCOVERY";  // 21 bytes
constexpr char kProtocolId[] = "VY_PROTOCOL";            // 11 bytes
constexpr std::size_t kDiscoveryIdSize = 12;
constexpr std::size_t kDirectLinkIdSize = 21;
constexpr std::size_t kProtocolIdSize = 11;

constexpr int kDiscoveryPort = 63203;
constexpr int kSetAddressPort = 63210;
constexpr int kMulticastPort = 63211;
constexpr int kMulticastAlternatePort = 63212;
constexpr char kMulticastGroup[] = "239.0.0.10";

constexpr std::size_t kDiscoveryDatagramCapacity = 256;
constexpr std::size_t kMulticastDatagramCapacity = 1024;
constexpr std::size_t kSetAddressSize = 40;
constexpr std::size_t kMulticastSetAddressSize = 44;

void put_be32(std::vector<char>* out, uint32_t value);

// Writes a dotted address into a zero-padded 16-byte text field.
void copy_address_text(char (&target)[16], const std::string& text);
uint32_t get_be32(const unsigned char* p);

struct NetworkBlock {
    uint32_t netmask = 0;
    uint32_t gateway = 0;
    uint32_t dns1 = 0;
    uint32_t dns2 = 0;
};

// A discovery response as read from a datagram.
struct DiscoveryResponse {
    int type = 0;  // 0 normal, 1 direct link
    std::string text;
    bool has_block = false;  // the flag byte is present
    bool block_valid = false;  // the flag is 1 and the four addresses follow
    NetworkBlock block;
};

// The device's answer: total length, identifier, N = 0, text, flag 1 and the
// network block.
std::vector<char> build_discovery_response(int type, const std::string& text, const NetworkBlock& block);

// Every length and offset is checked against the `size` bytes received.
// False with `reason` set for anything short, inconsistent or foreign.
bool parse_discovery_response(const unsigned char* data, std::size_t size, DiscoveryResponse* out,
                              const char** reason);

struct SetAddress {
    uint32_t ip = 0;
    uint32_t netmask = 0;
    uint32_t gateway = 0;
    uint32_t dns1 = 0;
    uint32_t dns2 = 0;
    std::vector<char> extra;
};

// The 40-byte set-address message; the extra byte is the flag.
std::vector<char> build_set_address(const SetAddress& address, bool flag);

// The device side's reading of a set-address datagram: at least the 39
// bytes up to the extra bytes, and the extra bytes within the datagram.
bool parse_set_address(const unsigned char* data, std::size_t size, SetAddress* out);

// Kind of a datagram that reached the device side.
enum class DeviceRequest { kTooShort, kDiscovery, kDirectLink, kSetAddress, kUnknown };
DeviceRequest classify_device_request(const unsigned char* data, std::size_t size);

// Multicast: the 13-byte request, the 44-byte set-address message and the
// device's response.
std::vector<char> build_multicast_request();
std::vector<char> build_multicast_set_address(uint32_t device_ip, const SetAddress& address, bool flag);

struct MulticastResponse {
    std::string text;
    int version = 0;
    uint32_t ip = 0;
    NetworkBlock block;
};

std::vector<char> build_multicast_response(const MulticastResponse& response);
bool parse_multicast_response(const unsigned char* data, std::size_t size, MulticastResponse* out,
                              const char** reason);

}  // namespace detail
}  // namespace sockmesh
