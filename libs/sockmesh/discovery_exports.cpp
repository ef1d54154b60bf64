// Exported discovery functions: broadcast client, device-side server and
// multicast discovery.
#include "sockmesh.h"

#include "handles.h"
#include "sockmesh_log.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace sockmesh::detail;

namespace {

constexpr char kClientNotStarted[] = "discovery client not start yet.\n";
constexpr char kServerNotStarted[] = "discovery server have not start yet.\n";
constexpr int kMaxUnicastTargets = 64;

// Reads one address text of a set-address call. Null counts as empty only
// where allowed; a malformed text fails.
bool address_number(const char* text, bool null_is_empty, const char* field, uint32_t* number)
{
    if (text == nullptr) {
        if (null_is_empty) {
            *number = 0;
            return true;
        }
        SM_ERROR("set ip refused: %s is null", field);
        return false;
    }
    if (!ipv4_text_to_number(text, number)) {
        SM_ERROR("set ip refused: %s \"%.64s\" is not a dotted IPv4 address", field, text);
        return false;
    }
    return true;
}

bool read_set_address(const char* ip, bool ip_null_ok, const char* netmask, const char* gateway, const char* dns1,
                      const char* dns2, bool dns2_null_ok, SetAddress* address)
{
    return address_number(ip, ip_null_ok, "ip", &address->ip) &&
           address_number(netmask, false, "netmask", &address->netmask) &&
           address_number(gateway, false, "gateway", &address->gateway) &&
           address_number(dns1, false, "dns1", &address->dns1) &&
           address_number(dns2, dns2_null_ok, "dns2", &address->dns2);
}

bool device_address(const char* device_ip, uint32_t* number)
{
    if (!address_number(device_ip, false, "device ip", number)) {
        return false;
    }
    if (*number == 0) {
        SM_ERROR("set ip refused: empty device ip");
        return false;
    }
    return true;
}

template <class Object>
bool start_object(void** handle, const char* log_failure)
{
    if (!start_log()) {
        std::fputs(log_failure, stderr);
        return false;
    }
    if (!vy::create_handle<Object>(handle)) {
        logline_uninit();
        return false;
    }
    return true;
}

void drop_object(void** handle, const char* tag)
{
    vy::destroy_handle(handle, tag);
    logline_uninit();
}

template <class Object>
Object* started(void* handle, const char* tag, const char* not_started)
{
    auto* object = object_of<Object>(handle, tag);
    if (object == nullptr) {
        SM_ERROR("%s", not_started);
    }
    return object;
}

// Sets up the log, makes the object and runs `start` on its engine; any
// failure leaves the caller's variable as it was.
template <class Object, class Start>
bool start_service(void** handle, const char* tag, const char* log_failure, const char* start_failure, Start start)
{
    if (!start_object<Object>(handle, log_failure)) {
        SM_ERROR("%s", start_failure);
        return false;
    }
    if (!start(static_cast<Object*>(*handle)->engine)) {
        drop_object(handle, tag);
        SM_ERROR("%s", start_failure);
        return false;
    }
    return true;
}

template <class Object>
bool finish_service(void** handle, const char* tag, const char* not_started)
{
    if (handle == nullptr || started<Object>(*handle, tag, not_started) == nullptr) {
        return false;
    }
    static_cast<Object*>(*handle)->engine.finish();
    drop_object(handle, tag);
    return true;
}

bool start_device_server(void** handle, int port, const char* text, DeviceRequestCallback fn, void* user,
                         const char* bind_ip = nullptr)
{
    const char* failure = "discovery server start error.\n";
    if (handle == nullptr || text == nullptr) {
        SM_ERROR("%s", failure);
        return false;
    }
    return start_service<DiscoveryServerObject>(handle, kUdpServerTag, "log init failed when start discovery server.\n",
                                                failure, [&](UdpServer& engine) {
                                                    if (bind_ip != nullptr) {
                                                        engine.set_bind_ip(bind_ip);
                                                    }
                                                    return engine.start(port, text, fn, user);
                                                });
}

bool check_client_start(void** handle, const void* fn)
{
    if (handle == nullptr) {
        SM_ERROR("discovery client start failed.\n");
        return false;
    }
    if (fn == nullptr) {
        SM_ERROR("discovery callback NULL error");
        return false;
    }
    return true;
}

}  // namespace

bool sockmesh_discovery_client_start(void** handle, DiscoveryCallback fn, void* user)
{
    return check_client_start(handle, reinterpret_cast<const void*>(fn)) &&
           start_service<DiscoveryClientObject>(handle, kUdpClientTag, "log init failed when start discovery client.\n",
                                                "discovery client start failed.\n",
                                                [&](UdpClient& engine) { return engine.start(fn, user); });
}

bool sockmesh_discovery_client_start_unicast(void** handle, const char* const* addresses, int count,
                                             DiscoveryCallback fn, void* user)
{
    if (!check_client_start(handle, reinterpret_cast<const void*>(fn))) {
        return false;
    }
    if (addresses == nullptr || count <= 0 || count > kMaxUnicastTargets) {
        SM_ERROR("unicast discovery refused: %d addresses", count);
        return false;
    }
    std::vector<std::string> targets;
    for (int i = 0; i < count; ++i) {
        if (addresses[i] == nullptr) {
            SM_ERROR("unicast discovery refused: address %d is null", i);
            return false;
        }
        targets.emplace_back(addresses[i]);
    }
    return start_service<DiscoveryClientObject>(handle, kUdpClientTag, "log init failed when start discovery client.\n",
                                                "discovery client start failed.\n", [&](UdpClient& engine) {
                                                    return engine.use_unicast(targets) && engine.start(fn, user);
                                                });
}

bool sockmesh_discovery_broadcast(void* handle)
{
    auto* client = started<DiscoveryClientObject>(handle, kUdpClientTag, kClientNotStarted);
    return client != nullptr && client->engine.broadcast();
}

bool sockmesh_discovery_set_ip(void* handle, const char* device_ip, bool flag, const char* ip, const char* netmask,
                               const char* gateway, const char* dns1, const char* dns2)
{
    auto* client = started<DiscoveryClientObject>(handle, kUdpClientTag, kClientNotStarted);
    uint32_t device = 0;
    SetAddress address;
    return client != nullptr && device_address(device_ip, &device) &&
           read_set_address(ip, true, netmask, gateway, dns1, dns2, false, &address) &&
           client->engine.set_ip(device_ip, flag, address);
}

bool sockmesh_discovery_client_finish(void** handle)
{
    return finish_service<DiscoveryClientObject>(handle, kUdpClientTag, kClientNotStarted);
}

bool sockmesh_discovery_server_start(void** handle, const char* text, DeviceRequestCallback fn, void* user)
{
    return start_device_server(handle, kDiscoveryPort, text, fn, user);
}

bool sockmesh_discovery_server_start_on(void** handle, const char* ip, const char* text, DeviceRequestCallback fn,
                                        void* user)
{
    uint32_t number = 0;
    if (ip == nullptr || !ipv4_text_to_number(ip, &number)) {
        SM_ERROR("discovery server start error: bad address \"%.64s\"", ip != nullptr ? ip : "(null)");
        return false;
    }
    return start_device_server(handle, kDiscoveryPort, text, fn, user, ip);
}

bool sockmesh_udp_protocol_server_start(void** handle, DeviceRequestCallback fn, void* user)
{
    return start_device_server(handle, kSetAddressPort, "", fn, user);
}

bool sockmesh_discovery_server_finish(void** handle)
{
    return finish_service<DiscoveryServerObject>(handle, kUdpServerTag, kServerNotStarted);
}

bool sockmesh_discovery_mulcast_client_start(void** handle, bool alternate_port, MulticastReplyCallback fn,
                                             void* user)
{
    int port = alternate_port ? kMulticastAlternatePort : kMulticastPort;
    return check_client_start(handle, reinterpret_cast<const void*>(fn)) &&
           start_service<MulticastClientObject>(handle, kMulcastClientTag,
                                                "log init failed when start discovery client.\n",
                                                "discovery client start failed.\n",
                                                [&](MulcastUdpClient& engine) { return engine.start(port, fn, user); });
}

bool sockmesh_discovery_mulcast_broadcast(void* handle)
{
    auto* client = started<MulticastClientObject>(handle, kMulcastClientTag, kClientNotStarted);
    return client != nullptr && client->engine.broadcast();
}

bool sockmesh_discovery_mulcast_set_ip(void* handle, const char* device_ip, bool flag, const char* ip,
                                       const char* netmask, const char* gateway, const char* dns1, const char* dns2)
{
    auto* client = started<MulticastClientObject>(handle, kMulcastClientTag, kClientNotStarted);
    uint32_t device = 0;
    SetAddress address;
    return client != nullptr && device_address(device_ip, &device) &&
           read_set_address(ip, false, netmask, gateway, dns1, dns2, true, &address) &&
           client->engine.set_ip(device, flag, address);
}

bool sockmesh_discovery_mulcast_client_finish(void** handle)
{
    return finish_service<MulticastClientObject>(handle, kMulcastClientTag, kClientNotStarted);
}

bool sockmesh_discovery_mulcast_server_start(void**, const char*, DeviceRequestCallback, void*)
{
    // The multicast device side exists only as a name: it never starts.
    SM_ERROR("discovery mulcast server start error.\n");
    return false;
}

bool sockmesh_udp_protocol_mulcast_server_start(void**, DeviceRequestCallback, void*)
{
    SM_ERROR("protocol mulcast server start error.\n");
    return false;
}

bool sockmesh_discovery_mulcast_server_finish(void** handle)
{
    // No multicast server object can exist, so no handle is ours.
    if (handle == nullptr || *handle == nullptr) {
        SM_ERROR(kServerNotStarted);
    } else {
        SM_ERROR("discovery mulcast server handle %p is not a handle of this library", *handle);
    }
    return false;
}
