// The receiver's check of a camera packet.
#include "nvs_packet.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact-size copy so that any read past the packet is caught.
    std::vector<uint8_t> packet(data, data + size);
    streamnet::detail::PacketView view;
    streamnet::detail::PacketError error;
    if (streamnet::detail::parse_packet(packet.data(), packet.size(), &view, &error)) {
        // The payload lies inside what was received.
        if (view.payload < packet.data() || view.payload + view.payload_length > packet.data() + packet.size()) {
            __builtin_trap();
        }
    }
    return 0;
}
