#include "discovery_messages.h"

#include <cstring>

namespace sockmesh {
namespace detail {

void put_be32(std::vector<char>* out, uint32_t value)
{
    out->push_back(static_cast<char>((value >> 24) & 0xff));
    out->push_back(static_cast<char>((value >> 16) & 0xff));
    out->push_back(static_cast<char>((value >> 8) & 0xff));
    out->push_back(static_cast<char>(value & 0xff));
}

void copy_address_text(char (&target)[16], const std::string& text)
{
    std::memset(target, 0, sizeof(target));
    std::strncpy(target, text.c_str(), sizeof(target) - 1);
}

uint32_t get_be32(const unsigned char* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

namespace {

void put_bytes(std::vector<char>* out, const char* bytes, std::size_t size)
{
    out->insert(out->end(), bytes, bytes + size);
}

void put_block(std::vector<char>* out, const NetworkBlock& block)
{
    put_be32(out, block.netmask);
    put_be32(out, block.gateway);
    put_be32(out, block.dns1);
    put_be32(out, block.dns2);
}

void put_protocol_header(std::vector<char>* out)
{
    put_bytes(out, kProtocolId, kProtocolIdSize);
    const char version[] = {1, 1, 0, 0};
    put_bytes(out, version, sizeof(version));
}

// The new address, the network block and one extra byte holding the flag.
void put_address_fields(std::vector<char>* out, const SetAddress& address, bool flag)
{
    put_be32(out, address.ip);
    put_block(out, {address.netmask, address.gateway, address.dns1, address.dns2});
    put_be32(out, 1);
    out->push_back(flag ? 1 : 0);
}

NetworkBlock get_block(const unsigned char* p)
{
    NetworkBlock block;
    block.netmask = get_be32(p);
    block.gateway = get_be32(p + 4);
    block.dns1 = get_be32(p + 8);
    block.dns2 = get_be32(p + 12);
    return block;
}

}  // namespace

std::vector<char> build_discovery_response(int type, const std::string& text, const NetworkBlock& block)
{
    const char* id = type == 1 ? kDirectLinkId : kDiscoveryId;
    std::size_t id_size = type == 1 ? kDirectLinkIdSize : kDiscoveryIdSize;
    std::vector<char> out;
    uint64_t total = 29 + id_size + text.size();
    put_be32(&out, static_cast<uint32_t>(total));
    put_bytes(&out, id, id_size);
    put_be32(&out, 0);
    put_be32(&out, static_cast<uint32_t>(text.size()));
    put_bytes(&out, text.data(), text.size());
    out.push_back(1);
    put_block(&out, block);
    return out;
}

bool parse_discovery_response(const unsigned char* data, std::size_t size, DiscoveryResponse* out,
                              const char** reason)
{
    if (size < 4) {
        *reason = "UdpClient AfterRecv received data to small.\n";
        return false;
    }
    uint64_t total = get_be32(data);
    if (total > size) {
        *reason = "UdpClient AfterRecv received incomplete data.\n";
        return false;
    }
    // From here on nothing past the announced total is read.
    DiscoveryResponse response;
    uint64_t id_size = 0;
    if (total >= 4 + kDirectLinkIdSize && std::memcmp(data + 4, kDirectLinkId, kDirectLinkIdSize) == 0) {
        response.type = 1;
        id_size = kDirectLinkIdSize;
    } else if (total >= 4 + kDiscoveryIdSize && std::memcmp(data + 4, kDiscoveryId, kDiscoveryIdSize) == 0) {
        response.type = 0;
        id_size = kDiscoveryIdSize;
    } else {
        *reason = "UdpClient AfterRecv received data from old discovery server, error.\n";
        return false;
    }
    uint64_t offset = 4 + id_size;
    if (offset + 4 > total) {
        *reason = "UdpClient AfterRecv received incomplete data.\n";
        return false;
    }
    uint64_t count = get_be32(data + offset);
    offset += 4 + 4 * count;
    if (offset + 4 > total) {
        *reason = "UdpClient AfterRecv received incomplete data.\n";
        return false;
    }
    uint64_t text_size = get_be32(data + offset);
    offset += 4;
    if (offset + text_size > total) {
        *reason = "UdpClient AfterRecv received incomplete data.\n";
        return false;
    }
    response.text.assign(reinterpret_cast<const char*>(data + offset), static_cast<std::size_t>(text_size));
    offset += text_size;
    if (offset < total) {
        response.has_block = true;
        if (data[offset] == 1) {
            if (offset + 17 > total) {
                *reason = "UdpClient AfterRecv received incomplete data.\n";
                return false;
            }
            response.block_valid = true;
            response.block = get_block(data + offset + 1);
        }
    }
    *out = std::move(response);
    return true;
}

std::vector<char> build_set_address(const SetAddress& address, bool flag)
{
    std::vector<char> out;
    out.reserve(kSetAddressSize);
    put_protocol_header(&out);
    put_address_fields(&out, address, flag);
    return out;
}

bool parse_set_address(const unsigned char* data, std::size_t size, SetAddress* out)
{
    if (size < 39 || std::memcmp(data, kProtocolId, kProtocolIdSize) != 0) {
        return false;
    }
    uint64_t extra_size = get_be32(data + 35);
    if (39 + extra_size > size) {
        return false;
    }
    SetAddress address;
    address.ip = get_be32(data + 15);
    NetworkBlock block = get_block(data + 19);
    address.netmask = block.netmask;
    address.gateway = block.gateway;
    address.dns1 = block.dns1;
    address.dns2 = block.dns2;
    address.extra.assign(data + 39, data + 39 + extra_size);
    *out = std::move(address);
    return true;
}

DeviceRequest classify_device_request(const unsigned char* data, std::size_t size)
{
    if (size <= 11) {
        return DeviceRequest::kTooShort;
    }
    if (size >= kDiscoveryIdSize && std::memcmp(data, kDiscoveryId, kDiscoveryIdSize) == 0) {
        return DeviceRequest::kDiscovery;
    }
    if (size >= kDirectLinkIdSize && std::memcmp(data, kDirectLinkId, kDirectLinkIdSize) == 0) {
        return DeviceRequest::kDirectLink;
    }
    if (std::memcmp(data, kProtocolId, kProtocolIdSize) == 0) {
        return DeviceRequest::kSetAddress;
    }
    return DeviceRequest::kUnknown;
}

std::vector<char> build_multicast_request()
{
    std::vector<char> out(kDiscoveryId, kDiscoveryId + kDiscoveryIdSize);
    out.push_back(0);
    return out;
}

std::vector<char> build_multicast_set_address(uint32_t device_ip, const SetAddress& address, bool flag)
{
    std::vector<char> out;
    out.reserve(kMulticastSetAddressSize);
    put_protocol_header(&out);
    put_be32(&out, device_ip);
    put_address_fields(&out, address, flag);
    return out;
}

std::vector<char> build_multicast_response(const MulticastResponse& response)
{
    std::vector<char> out;
    put_be32(&out, static_cast<uint32_t>(45 + response.text.size()));
    put_bytes(&out, kDiscoveryId, kDiscoveryIdSize);
    put_be32(&out, 0);
    put_be32(&out, static_cast<uint32_t>(response.text.size()));
    put_bytes(&out, response.text.data(), response.text.size());
    out.push_back(static_cast<char>(response.version));
    put_be32(&out, response.ip);
    put_block(&out, response.block);
    return out;
}

bool parse_multicast_response(const unsigned char* data, std::size_t size, MulticastResponse* out,
                              const char** reason)
{
    if (size < 24) {
        *reason = "size error";
        return false;
    }
    uint64_t total = get_be32(data);
    if (total > size) {
        *reason = "size error";
        return false;
    }
    if (std::memcmp(data + 4, kDiscoveryId, kDiscoveryIdSize) != 0) {
        *reason = "not a discovery response";
        return false;
    }
    uint64_t text_size = get_be32(data + 20);
    // The text, the version byte and five addresses must lie within the total.
    if (24 + text_size + 21 > total) {
        *reason = "text length beyond the datagram";
        return false;
    }
    MulticastResponse response;
    response.text.assign(reinterpret_cast<const char*>(data + 24), static_cast<std::size_t>(text_size));
    const unsigned char* tail = data + 24 + text_size;
    response.version = tail[0];
    response.ip = get_be32(tail + 1);
    response.block = get_block(tail + 5);
    *out = std::move(response);
    return true;
}

}  // namespace detail
}  // namespace sockmesh
