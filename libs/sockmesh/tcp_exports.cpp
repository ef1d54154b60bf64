// Exported TCP client and server functions.
#include "sockmesh.h"

#include "handles.h"
#include "sockmesh_log.h"

#include <cstdio>

using namespace sockmesh::detail;

namespace {

NetClient* client_of(void* handle, const char* message)
{
    NetClient* client = object_of<NetClient>(handle, kNetClientTag);
    if (client == nullptr) {
        SM_ERROR("%s", message);
    }
    return client;
}

NetServer* server_of(void* handle, const char* message)
{
    NetServer* server = object_of<NetServer>(handle, kNetServerTag);
    if (server == nullptr) {
        SM_ERROR("%s", message);
    }
    return server;
}

constexpr char kNoClient[] = "Client handle not initialized, call client init first.\n";
constexpr char kNoServer[] = "Server handle not initialized, call server init first.\n";
constexpr char kNoServerBang[] = "Server handle not initialized, call server init first!\n";

// Argument checks shared by connect and start; false after setting the text.
template <class Engine>
bool check_endpoint(Engine& engine, bool client, const char* ip, int port, NetEventCallback fn)
{
    if (ip == nullptr) {
        SM_ERROR("Error: Server IP is invalid!.\n");
        engine.set_last_error(client ? "NetClient Error:: IP invalid when start!"
                                     : "NetServer Error::IP invalid when start!");
        return false;
    }
    if (port <= 0 || port > 65535) {
        SM_ERROR("Error: Server Port %d Invalid!\n", port);
        engine.set_last_error(client ? "NetClient Error:: Port invalid when start!"
                                     : "NetServer Error::Port invalid when start!");
        return false;
    }
    if (fn == nullptr) {
        SM_ERROR(client ? "callback function for event and data callback can not be empty.\n"
                        : "callback function for event and data return can not be empty.\n");
        engine.set_last_error(client ? "NetClient Error:: Callback function can not be empty!"
                                     : "NetServer Error::Callback function empty when start!");
        return false;
    }
    return true;
}

}  // namespace

bool sockmesh_tcp_client_init(void** handle)
{
    if (handle == nullptr) {
        std::fputs("Network client handle initialized failed!\n", stderr);
        return false;
    }
    if (!start_log()) {
        std::fputs("Tcp client log init failed!\n", stderr);
        std::fputs("Network client handle initialized failed!\n", stderr);
        return false;
    }
    if (!vy::create_handle<NetClient>(handle)) {
        std::fputs("Network client handle initialized failed!\n", stderr);
        logline_uninit();
        return false;
    }
    if (!static_cast<NetClient*>(*handle)->engine.loop_ready()) {
        vy::destroy_handle(handle, kNetClientTag);
        std::fputs("Network client handle initialized failed!\n", stderr);
        logline_uninit();
        return false;
    }
    return true;
}

bool sockmesh_connect_server(void* handle, const char* ip, int port, NetEventCallback fn, void* user)
{
    NetClient* client = client_of(handle, kNoClient);
    if (client == nullptr) {
        return false;
    }
    TcpClient& engine = client->engine;
    if (!check_endpoint(engine, true, ip, port, fn)) {
        SM_ERROR("Network client connect server failed!\n");
        return false;
    }
    engine.set_keepalive(true, 5);
    if (!engine.connect(ip, port, fn, user)) {
        SM_ERROR("connect error:%s\n", engine.last_error().c_str());
        SM_ERROR("Network client connect server failed!\n");
        return false;
    }
    return true;
}

bool sockmesh_send_data_to_server(void* handle, const void* data, int len)
{
    NetClient* client = client_of(handle, kNoClient);
    if (client == nullptr) {
        return false;
    }
    if (data == nullptr || len < 0) {
        SM_ERROR("send refused: data %p, len %d\n", data, len);
        SM_ERROR("Network client send data to server failed!\n");
        return false;
    }
    if (!client->engine.send(data, static_cast<std::size_t>(len))) {
        SM_ERROR("Network client send data to server failed!\n");
        return false;
    }
    return true;
}

bool sockmesh_disconnect_server(void* handle)
{
    NetClient* client = client_of(handle, kNoClient);
    if (client == nullptr) {
        return false;
    }
    if (!client->engine.disconnect()) {
        client->engine.set_last_error("NetClient Error:: Client disconnect failed!");
        SM_ERROR("Network client disconnect server failed!\n");
        return false;
    }
    return true;
}

bool sockmesh_get_client_last_error(void* handle, char* buffer)
{
    NetClient* client = client_of(handle, kNoClient);
    if (client == nullptr) {
        return false;
    }
    if (buffer == nullptr) {
        SM_ERROR("Network client get last error failed!\n");
        return false;
    }
    copy_terminated(buffer, SOCKMESH_LAST_ERROR_CAPACITY, client->engine.last_error());
    return true;
}

bool sockmesh_tcp_client_uninit(void** handle)
{
    if (handle == nullptr || client_of(*handle, kNoClient) == nullptr) {
        return false;
    }
    // The engine's destructor disconnects and joins the loop thread.
    vy::destroy_handle(handle, kNetClientTag);
    if (!logline_uninit()) {
        SM_ERROR("Network client uninit failed!\n");
        return false;
    }
    return true;
}

bool sockmesh_tcp_server_init(void** handle)
{
    if (handle == nullptr) {
        std::fputs("Network server handle init failed!\n", stderr);
        return false;
    }
    if (!start_log()) {
        std::fputs("TCPServer log init failed!\n", stderr);
        std::fputs("Network server handle init failed!\n", stderr);
        return false;
    }
    if (!vy::create_handle<NetServer>(handle)) {
        std::fputs("Network server handle init failed!\n", stderr);
        logline_uninit();
        return false;
    }
    NetServer* server = static_cast<NetServer*>(*handle);
    if (!server->engine.init()) {
        SM_ERROR("Tcp Server object init failed!\n");
        vy::destroy_handle(handle, kNetServerTag);
        std::fputs("Network server handle init failed!\n", stderr);
        logline_uninit();
        return false;
    }
    return true;
}

bool sockmesh_start_tcp_server(void* handle, const char* ip, int port, NetEventCallback fn, void* user)
{
    NetServer* server = server_of(handle, kNoServer);
    if (server == nullptr) {
        return false;
    }
    TcpServer& engine = server->engine;
    if (!check_endpoint(engine, false, ip, port, fn)) {
        SM_ERROR("Network server start failed!\n");
        return false;
    }
    engine.set_callback(fn, user);
    engine.set_keepalive(true, 5);
    if (!engine.start(ip, port)) {
        SM_ERROR("Start Server error:%s\n", engine.last_error().c_str());
        SM_ERROR("Network server start failed!\n");
        return false;
    }
    SM_TRACE("TCP server start succeed, ip = %s, port = %d", ip, port);
    return true;
}

bool sockmesh_send_data_to_client_by_id(void* handle, int id, const void* data, int len)
{
    NetServer* server = server_of(handle, kNoServerBang);
    if (server == nullptr) {
        return false;
    }
    if (data == nullptr || len <= 0 || id <= 0 || !server->engine.send_to(static_cast<uint32_t>(id), data,
                                                                           static_cast<std::size_t>(len))) {
        SM_ERROR("Network server send data to client failed!\n");
        return false;
    }
    return true;
}

bool sockmesh_server_disconnect_client_by_id(void* handle, int id)
{
    NetServer* server = server_of(handle, kNoServerBang);
    if (server == nullptr) {
        return false;
    }
    if (id < 0 || !server->engine.disconnect_client(static_cast<uint32_t>(id))) {
        SM_ERROR("Network server disconnect client by id failed!\n");
        return false;
    }
    return true;
}

bool sockmesh_server_get_client_addr_by_id(void* handle, int id, char* ip, int* port)
{
    NetServer* server = server_of(handle, kNoServerBang);
    if (server == nullptr) {
        return false;
    }
    std::string address;
    int peer_port = 0;
    if (id < 0 || !server->engine.client_address(static_cast<uint32_t>(id), ip != nullptr ? &address : nullptr,
                                                 port != nullptr ? &peer_port : nullptr)) {
        SM_ERROR("Network server get client addr failed!\n");
        return false;
    }
    if (ip != nullptr) {
        copy_terminated(ip, SOCKMESH_ADDR_TEXT, address);
    }
    if (port != nullptr) {
        *port = peer_port;
    }
    return true;
}

bool sockmesh_tcp_server_get_addr(void* handle, char* ip, int* port)
{
    NetServer* server = server_of(handle, kNoServerBang);
    if (server == nullptr) {
        return false;
    }
    if (ip == nullptr && port == nullptr) {
        SM_ERROR("all parameter is null");
        SM_ERROR("Network server get self addr failed!\n");
        return false;
    }
    if (ip != nullptr) {
        std::string address = server->engine.address();
        if (address.size() < SOCKMESH_ADDR_TEXT) {
            std::memcpy(ip, address.c_str(), address.size() + 1);
        } else {
            std::memcpy(ip, address.data(), SOCKMESH_ADDR_TEXT);
        }
    }
    if (port != nullptr) {
        *port = server->engine.port();
    }
    return true;
}

bool sockmesh_get_server_last_error(void* handle, char* buffer)
{
    NetServer* server = server_of(handle, kNoServer);
    if (server == nullptr) {
        return false;
    }
    if (buffer == nullptr) {
        SM_ERROR("Network server get last error failed!\n");
        return false;
    }
    copy_terminated(buffer, SOCKMESH_LAST_ERROR_CAPACITY, server->engine.last_error());
    return true;
}

bool sockmesh_stop_server(void* handle)
{
    NetServer* server = server_of(handle, kNoServerBang);
    if (server == nullptr) {
        return false;
    }
    server->engine.stop();
    return true;
}

bool sockmesh_tcp_server_uninit(void** handle)
{
    if (handle == nullptr || server_of(*handle, kNoServerBang) == nullptr) {
        return false;
    }
    // The engine's destructor stops the loop and joins its thread.
    vy::destroy_handle(handle, kNetServerTag);
    if (!logline_uninit()) {
        SM_ERROR("Network server uninit failed!\n");
        return false;
    }
    return true;
}
