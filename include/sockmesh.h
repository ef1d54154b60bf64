// sockmesh: framed TCP client and server, and LAN discovery of cameras over
// UDP broadcast and multicast. Every service runs its own event loop on a
// thread of its own; callbacks run on that thread, never on the caller's, and
// must not call finish, uninit, disconnect or stop of their own handle.
//
// Every export checks its handle against the library's registry: a null,
// foreign or freed handle returns false and touches nothing. Calls on one
// handle come from one thread at a time.
#pragma once

#include "vyapi.h"

#include <cstdint>

VY_EXTERN_C_BEGIN

// Types of NetEvent.
enum NetEventType {
    EVT_TCP_CONNECTED = 1,
    EVT_TCP_DISCONNECTED = 2,
    EVT_TCP_EXCEPTION = 3,  // the connect attempt failed
    EVT_TCP_DATA = 4,       // one whole message received
};

// Handed to a TCP event callback. `data` and the record live only during the
// call; a callback that keeps the payload copies it.
struct NetEvent {
    int32_t id;        // 0 on the client side, the connection id on the server side
    int32_t type;      // NetEventType
    const char* data;  // payload of a data event, null otherwise
    int32_t len;       // payload length of a data event, 0 otherwise
};

typedef void (*NetEventCallback)(const NetEvent* event, void* user);
static_assert(sizeof(NetEvent) == 24, "NetEvent keeps the natural x86-64 layout");

enum { SOCKMESH_LAST_ERROR_CAPACITY = 256, SOCKMESH_ADDR_TEXT = 16 };

// One answer of a camera to discovery.
struct DiscoveryReply {
    int32_t type;  // 0 normal, 1 direct link
    // Zero-padded dotted texts: device address (the answer's source), netmask,
    // gateway, first DNS, second DNS. The last four are empty when the answer
    // carried no network block.
    char text[5][SOCKMESH_ADDR_TEXT];
    int32_t text_len;     // bytes in message
    const char* message;  // not zero-terminated; valid only during the call
};

static_assert(sizeof(DiscoveryReply) == 96, "DiscoveryReply keeps the natural x86-64 layout");

typedef void (*DiscoveryCallback)(const DiscoveryReply* reply, void* user);
typedef void (*MulticastReplyCallback)(const DiscoveryReply* reply, void* user);

// A set-address message received by the device-side server.
struct SetIpRecord {
    int32_t reserved;
    char ip[SOCKMESH_ADDR_TEXT];
    char netmask[SOCKMESH_ADDR_TEXT];
    char gateway[SOCKMESH_ADDR_TEXT];
    char dns1[SOCKMESH_ADDR_TEXT];
    char dns2[SOCKMESH_ADDR_TEXT];
    int32_t extra_len;
    const char* extra;  // null when extra_len is 0; valid only during the call
};

static_assert(sizeof(SetIpRecord) == 96, "SetIpRecord keeps the natural x86-64 layout");

typedef void (*DeviceRequestCallback)(const SetIpRecord* record, void* user);

// TCP client.
VY_API bool sockmesh_tcp_client_init(void** handle);
// Blocks until connected (true) or failed; EVT_TCP_CONNECTED reaches fn first.
VY_API bool sockmesh_connect_server(void* handle, const char* ip, int port, NetEventCallback fn, void* user);
// Frames and queues one message; the data is copied before the call returns.
VY_API bool sockmesh_send_data_to_server(void* handle, const void* data, int len);
VY_API bool sockmesh_disconnect_server(void* handle);
// Copies the last error text, cut to 255 bytes, with a terminating zero into
// a buffer of at least 256 bytes. An empty text means no failure yet.
VY_API bool sockmesh_get_client_last_error(void* handle, char* buffer);
VY_API bool sockmesh_tcp_client_uninit(void** handle);

// TCP server.
VY_API bool sockmesh_tcp_server_init(void** handle);
VY_API bool sockmesh_start_tcp_server(void* handle, const char* ip, int port, NetEventCallback fn, void* user);
VY_API bool sockmesh_send_data_to_client_by_id(void* handle, int id, const void* data, int len);
VY_API bool sockmesh_server_disconnect_client_by_id(void* handle, int id);
// ip receives up to 16 bytes of dotted text; either pointer may be null.
VY_API bool sockmesh_server_get_client_addr_by_id(void* handle, int id, char* ip, int* port);
// The address and port given at start; ip receives up to 16 bytes.
VY_API bool sockmesh_tcp_server_get_addr(void* handle, char* ip, int* port);
VY_API bool sockmesh_get_server_last_error(void* handle, char* buffer);
// Asks the loop to close every connection and end; does not wait.
VY_API bool sockmesh_stop_server(void* handle);
VY_API bool sockmesh_tcp_server_uninit(void** handle);

// Discovery client (UDP broadcast, port 63203; set-address to port 63210).
VY_API bool sockmesh_discovery_client_start(void** handle, DiscoveryCallback fn, void* user);
// A discovery client that asks only the given loopback addresses, by
// unicast from 127.0.0.1, and binds nothing on a network card; its replies
// carry "discover mac:00:00:00:00:00:00". Refused (false, nothing started)
// when any address lies outside 127.0.0.0/8 or count is not 1 to 64.
VY_API bool sockmesh_discovery_client_start_unicast(void** handle, const char* const* addresses, int count,
                                                    DiscoveryCallback fn, void* user);
// Queues one discovery request per usable card (a unicast client: one per
// address) and returns without waiting.
VY_API bool sockmesh_discovery_broadcast(void* handle);
// Address texts must be dotted IPv4 or empty; a malformed one fails the call.
VY_API bool sockmesh_discovery_set_ip(void* handle, const char* device_ip, bool flag, const char* ip,
                                      const char* netmask, const char* gateway, const char* dns1,
                                      const char* dns2);
VY_API bool sockmesh_discovery_client_finish(void** handle);

// Device-side discovery server.
VY_API bool sockmesh_discovery_server_start(void** handle, const char* text, DeviceRequestCallback fn, void* user);
// The same, listening on one address only.
VY_API bool sockmesh_discovery_server_start_on(void** handle, const char* ip, const char* text,
                                               DeviceRequestCallback fn, void* user);
VY_API bool sockmesh_udp_protocol_server_start(void** handle, DeviceRequestCallback fn, void* user);
VY_API bool sockmesh_discovery_server_finish(void** handle);

// Multicast discovery (group 239.0.0.10, port 63211, or 63212 when alternate_port).
VY_API bool sockmesh_discovery_mulcast_client_start(void** handle, bool alternate_port, MulticastReplyCallback fn,
                                                    void* user);
VY_API bool sockmesh_discovery_mulcast_broadcast(void* handle);
VY_API bool sockmesh_discovery_mulcast_set_ip(void* handle, const char* device_ip, bool flag, const char* ip,
                                              const char* netmask, const char* gateway, const char* dns1,
                                              const char* dns2);
VY_API bool sockmesh_discovery_mulcast_client_finish(void** handle);
// The multicast device side is not provided: both starts always fail.
VY_API bool sockmesh_discovery_mulcast_server_start(void** handle, const char* text, DeviceRequestCallback fn,
                                                    void* user);
VY_API bool sockmesh_udp_protocol_mulcast_server_start(void** handle, DeviceRequestCallback fn, void* user);
VY_API bool sockmesh_discovery_mulcast_server_finish(void** handle);

VY_EXTERN_C_END
