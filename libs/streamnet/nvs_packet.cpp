#include "nvs_packet.h"

#include "byte_reader.h"
#include "streamnet_log.h"

#include <cstring>

namespace streamnet {
namespace detail {

namespace {

constexpr char kStartMarker[] = "VYSTART";
constexpr char kEndMarker[] = "VYEND";
constexpr std::size_t kStartMarkerSize = 7;

}  // namespace

void put_u8(std::vector<uint8_t>& out, uint8_t value)
{
    out.push_back(value);
}

void put_u16(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

void put_u32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

void put_host32(std::vector<uint8_t>& out, const void* value)
{
    put_bytes(out, value, 4);
}

void put_bytes(std::vector<uint8_t>& out, const void* data, std::size_t length)
{
    if (length > 0) {
        const auto* bytes = static_cast<const uint8_t*>(data);
        out.insert(out.end(), bytes, bytes + length);
    }
}

std::vector<uint8_t> build_packet(uint8_t type, uint8_t main_cmd, uint8_t vice_cmd, uint8_t response_code,
                                  uint32_t sequence, const void* payload, std::size_t length)
{
    std::vector<uint8_t> out;
    out.reserve(length + kPacketOverhead);
    put_bytes(out, kStartMarker, kStartMarkerSize);
    put_u32(out, static_cast<uint32_t>(length + kPacketOverhead));
    put_u8(out, type);
    put_u8(out, main_cmd);
    put_u8(out, vice_cmd);
    put_u8(out, response_code);
    put_u32(out, sequence);
    put_u32(out, static_cast<uint32_t>(length));
    put_bytes(out, payload, length);
    put_bytes(out, kEndMarker, kEndMarkerSize);
    return out;
}

bool parse_packet(const void* data, std::size_t size, PacketView* view, PacketError* error)
{
    *view = PacketView();
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (bytes == nullptr || size < kStartMarkerSize || std::memcmp(bytes, kStartMarker, kStartMarkerSize) != 0) {
        *error = PacketError::kStartMarker;
        return false;
    }
    view->packet = bytes;
    ByteReader reader(bytes, size);
    reader.skip(kStartMarkerSize);
    view->total_length = reader.u32();
    view->type = reader.u8();
    view->main_cmd = reader.u8();
    view->vice_cmd = reader.u8();
    view->response_code = reader.u8();
    view->sequence = reader.u32();
    view->payload_length = reader.u32();
    if (!reader.ok() || view->total_length < kPacketOverhead || view->total_length > size) {
        *error = PacketError::kTotalLength;
        return false;
    }
    if (view->type > kBroadcast) {
        *error = PacketError::kPackageType;
        return false;
    }
    if (static_cast<uint64_t>(view->payload_length) + kPacketOverhead > view->total_length) {
        *error = PacketError::kPayloadLength;
        return false;
    }
    view->payload = bytes + kHeaderSize;
    *error = PacketError::kNone;
    return true;
}

void log_packet_error(PacketError error, const PacketView& view)
{
    switch (error) {
    case PacketError::kNone:
        break;
    case PacketError::kStartMarker:
        SN_ERROR("start flag is error");
        break;
    case PacketError::kTotalLength:
        SN_ERROR("total len = %d is error", static_cast<int>(view.total_length));
        break;
    case PacketError::kPackageType:
        SN_ERROR("package type = %d is error", view.type);
        break;
    case PacketError::kPayloadLength:
        SN_ERROR("payload len = %u is error, total len = %u", view.payload_length, view.total_length);
        break;
    }
}

}  // namespace detail
}  // namespace streamnet
