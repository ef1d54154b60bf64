// The device side's reading of incoming datagrams and set-address messages.
#include "discovery_messages.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<unsigned char> datagram(data, data + size);
    using sockmesh::detail::DeviceRequest;
    if (sockmesh::detail::classify_device_request(datagram.data(), datagram.size()) == DeviceRequest::kSetAddress) {
        sockmesh::detail::SetAddress address;
        if (sockmesh::detail::parse_set_address(datagram.data(), datagram.size(), &address) &&
            address.extra.size() + 39 > size) {
            __builtin_trap();
        }
    }
    return 0;
}
