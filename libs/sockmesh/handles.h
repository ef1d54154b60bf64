// The objects behind the exported handles, registered in the library's
// handle registry so that every export can refuse null, foreign and freed
// handles.
#pragma once

#include "mulcast_client.h"
#include "tcp_client.h"
#include "tcp_server.h"
#include "udp_client.h"
#include "udp_server.h"

#include "handle_registry.h"
#include "vy_base_object.h"

#include <cstring>

namespace sockmesh {
namespace detail {

constexpr char kNetClientTag[] = "sockmesh.NetClient";
constexpr char kNetServerTag[] = "sockmesh.NetServer";
constexpr char kUdpClientTag[] = "sockmesh.UdpClient";
constexpr char kUdpServerTag[] = "sockmesh.UdpServer";
constexpr char kMulcastClientTag[] = "sockmesh.MulcastUdpClient";

struct NetClient : _VYBaseObject {
    NetClient() : _VYBaseObject(kNetClientTag) {}
    TcpClient engine;
};

struct NetServer : _VYBaseObject {
    NetServer() : _VYBaseObject(kNetServerTag) {}
    TcpServer engine;
};

struct DiscoveryClientObject : _VYBaseObject {
    DiscoveryClientObject() : _VYBaseObject(kUdpClientTag) {}
    UdpClient engine;
};

struct DiscoveryServerObject : _VYBaseObject {
    DiscoveryServerObject() : _VYBaseObject(kUdpServerTag) {}
    UdpServer engine;
};

struct MulticastClientObject : _VYBaseObject {
    MulticastClientObject() : _VYBaseObject(kMulcastClientTag) {}
    MulcastUdpClient engine;
};

template <class T>
T* object_of(void* handle, const char* tag)
{
    if (!_VYBaseObject::is_valid_handle(handle, tag)) {
        return nullptr;
    }
    return static_cast<T*>(static_cast<_VYBaseObject*>(handle));
}

// Copies at most capacity - 1 bytes and always terminates.
inline void copy_terminated(char* target, std::size_t capacity, const std::string& text)
{
    std::size_t count = text.size() < capacity - 1 ? text.size() : capacity - 1;
    std::memcpy(target, text.data(), count);
    target[count] = '\0';
}

}  // namespace detail
}  // namespace sockmesh
