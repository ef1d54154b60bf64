// The camera packet: a 23-byte header, the payload and the end marker
// "VYEND". Integers are big-endian.
//
//   0  "VYSTART"          7  u32 total length (payload + 28)
//  11  u8 package type   12  u8 main command   13  u8 vice command
//  14  u8 response code  15  u32 sequence      19  u32 payload length n
//  23  payload           23+n "VYEND"
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace streamnet {
namespace detail {

constexpr std::size_t kHeaderSize = 23;
constexpr std::size_t kEndMarkerSize = 5;
constexpr std::size_t kPacketOverhead = kHeaderSize + kEndMarkerSize;
// Requests carry this response code; a response or data package carries 0
// for success.
constexpr uint8_t kRequestResponseCode = 2;

enum PackageType : uint8_t { kRequest = 0, kResponse = 1, kDataPackage = 2, kBroadcast = 3 };

enum class PacketError {
    kNone,
    kStartMarker,    // "start flag is error"
    kTotalLength,    // below 28 or more than was received
    kPackageType,    // above 3
    kPayloadLength,  // the payload does not fit in the total length
};

struct PacketView {
    uint32_t total_length = 0;
    uint8_t type = 0;
    uint8_t main_cmd = 0;
    uint8_t vice_cmd = 0;
    uint8_t response_code = 0;
    uint32_t sequence = 0;
    const uint8_t* packet = nullptr;
    const uint8_t* payload = nullptr;  // payload_length bytes, all inside what was received
    uint32_t payload_length = 0;
};

// Builds a whole packet.
std::vector<uint8_t> build_packet(uint8_t type, uint8_t main_cmd, uint8_t vice_cmd, uint8_t response_code,
                                  uint32_t sequence, const void* payload, std::size_t length);

inline std::vector<uint8_t> build_request(uint8_t main_cmd, uint8_t vice_cmd, uint32_t sequence,
                                          const void* payload = nullptr, std::size_t length = 0)
{
    return build_packet(kRequest, main_cmd, vice_cmd, kRequestResponseCode, sequence, payload, length);
}

// Checks, in order, the start marker, the total length against what was
// received, the package type and the payload length against the total. The
// end marker is not checked. On failure *view still holds the header fields
// when all 23 header bytes arrived (so a refused response can fail its
// command at once), and *error says what was wrong.
bool parse_packet(const void* data, std::size_t size, PacketView* view, PacketError* error);

// Logs why parse_packet refused a packet, with the value that failed.
void log_packet_error(PacketError error, const PacketView& view);

// Appends big-endian integers.
void put_u8(std::vector<uint8_t>& out, uint8_t value);
void put_u16(std::vector<uint8_t>& out, uint16_t value);
void put_u32(std::vector<uint8_t>& out, uint32_t value);
// Four bytes in the host's order (values copied unchanged, floats).
void put_host32(std::vector<uint8_t>& out, const void* value);
void put_bytes(std::vector<uint8_t>& out, const void* data, std::size_t length);

}  // namespace detail
}  // namespace streamnet
