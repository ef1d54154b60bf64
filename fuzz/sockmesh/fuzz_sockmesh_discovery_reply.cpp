// The client-side readers of discovery answers, broadcast and multicast.
#include "discovery_messages.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact-size copy so that any read past the datagram is caught.
    std::vector<unsigned char> datagram(data, data + size);
    const char* reason = nullptr;
    sockmesh::detail::DiscoveryResponse reply;
    if (sockmesh::detail::parse_discovery_response(datagram.data(), datagram.size(), &reply, &reason) &&
        reply.text.size() > size) {
        __builtin_trap();
    }
    sockmesh::detail::MulticastResponse multicast;
    if (sockmesh::detail::parse_multicast_response(datagram.data(), datagram.size(), &multicast, &reason) &&
        multicast.text.size() > size) {
        __builtin_trap();
    }
    return 0;
}
