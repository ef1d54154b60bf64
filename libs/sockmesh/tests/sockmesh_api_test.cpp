// The exported functions, through the shared library.
#include "sockmesh.h"

#include "event_log.h"
#include "loopback_port.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using sockmesh_test::EventLog;

namespace {

void on_reply(const DiscoveryReply*, void*) {}
void on_record(const SetIpRecord*, void*) {}

std::string client_error(void* client)
{
    char buffer[SOCKMESH_LAST_ERROR_CAPACITY];
    std::memset(buffer, 'x', sizeof(buffer));
    EXPECT_TRUE(sockmesh_get_client_last_error(client, buffer));
    return std::string(buffer, strnlen(buffer, sizeof(buffer)));
}

std::string server_error(void* server)
{
    char buffer[SOCKMESH_LAST_ERROR_CAPACITY];
    std::memset(buffer, 'x', sizeof(buffer));
    EXPECT_TRUE(sockmesh_get_server_last_error(server, buffer));
    return std::string(buffer, strnlen(buffer, sizeof(buffer)));
}

}  // namespace

TEST(api, refuses_null_foreign_and_freed_handles)
{
    int foreign = 0;
    void* server = nullptr;
    void* client = nullptr;
    ASSERT_TRUE(sockmesh_tcp_server_init(&server));
    ASSERT_TRUE(sockmesh_tcp_client_init(&client));
    // Freed last, so that no later object can be given the same address.
    void* freed_client = nullptr;
    ASSERT_TRUE(sockmesh_tcp_client_init(&freed_client));
    void* stale = freed_client;
    ASSERT_TRUE(sockmesh_tcp_client_uninit(&freed_client));
    EXPECT_EQ(freed_client, nullptr);
    EXPECT_FALSE(sockmesh_tcp_client_uninit(&freed_client));

    char buffer[256] = {0};
    int port = 0;
    for (void* bad : {static_cast<void*>(nullptr), static_cast<void*>(&foreign), stale, server}) {
        EXPECT_FALSE(sockmesh_connect_server(bad, "127.0.0.1", 80, EventLog::callback, nullptr));
        EXPECT_FALSE(sockmesh_send_data_to_server(bad, "x", 1));
        EXPECT_FALSE(sockmesh_disconnect_server(bad));
        EXPECT_FALSE(sockmesh_get_client_last_error(bad, buffer));
        void* copy = bad;
        EXPECT_FALSE(sockmesh_tcp_client_uninit(&copy));
        EXPECT_EQ(copy, bad);
        EXPECT_FALSE(sockmesh_discovery_broadcast(bad));
        EXPECT_FALSE(sockmesh_discovery_set_ip(bad, "127.0.0.1", true, "", "", "", "", ""));
        EXPECT_FALSE(sockmesh_discovery_client_finish(&copy));
        EXPECT_FALSE(sockmesh_discovery_server_finish(&copy));
        EXPECT_FALSE(sockmesh_discovery_mulcast_broadcast(bad));
        EXPECT_FALSE(sockmesh_discovery_mulcast_set_ip(bad, "127.0.0.1", true, "", "", "", "", ""));
        EXPECT_FALSE(sockmesh_discovery_mulcast_client_finish(&copy));
        EXPECT_FALSE(sockmesh_discovery_mulcast_server_finish(&copy));
    }
    for (void* bad : {static_cast<void*>(nullptr), static_cast<void*>(&foreign), stale, client}) {
        EXPECT_FALSE(sockmesh_start_tcp_server(bad, "127.0.0.1", 80, EventLog::callback, nullptr));
        EXPECT_FALSE(sockmesh_send_data_to_client_by_id(bad, 1, "x", 1));
        EXPECT_FALSE(sockmesh_server_disconnect_client_by_id(bad, 1));
        EXPECT_FALSE(sockmesh_server_get_client_addr_by_id(bad, 1, buffer, &port));
        EXPECT_FALSE(sockmesh_tcp_server_get_addr(bad, buffer, &port));
        EXPECT_FALSE(sockmesh_get_server_last_error(bad, buffer));
        EXPECT_FALSE(sockmesh_stop_server(bad));
        void* copy = bad;
        EXPECT_FALSE(sockmesh_tcp_server_uninit(&copy));
        EXPECT_EQ(copy, bad);
    }
    EXPECT_FALSE(sockmesh_tcp_client_init(nullptr));
    EXPECT_FALSE(sockmesh_tcp_server_init(nullptr));
    EXPECT_FALSE(sockmesh_tcp_client_uninit(nullptr));
    EXPECT_FALSE(sockmesh_tcp_server_uninit(nullptr));
    EXPECT_TRUE(sockmesh_tcp_client_uninit(&client));
    EXPECT_TRUE(sockmesh_tcp_server_uninit(&server));
    EXPECT_EQ(server, nullptr);
}

TEST(api, argument_errors_set_last_error)
{
    void* client = nullptr;
    void* server = nullptr;
    ASSERT_TRUE(sockmesh_tcp_client_init(&client));
    ASSERT_TRUE(sockmesh_tcp_server_init(&server));
    EXPECT_EQ(client_error(client), "");

    struct Case {
        const char* ip;
        int port;
        NetEventCallback fn;
        const char* client_text;
        const char* server_text;
    };
    const Case cases[] = {
        {nullptr, 80, EventLog::callback, "NetClient Error:: IP invalid when start!",
         "NetServer Error::IP invalid when start!"},
        {"127.0.0.1", 70000, EventLog::callback, "NetClient Error:: Port invalid when start!",
         "NetServer Error::Port invalid when start!"},
        {"127.0.0.1", 0, EventLog::callback, "NetClient Error:: Port invalid when start!",
         "NetServer Error::Port invalid when start!"},
        {"127.0.0.1", -5, EventLog::callback, "NetClient Error:: Port invalid when start!",
         "NetServer Error::Port invalid when start!"},
        {"127.0.0.1", 65535, nullptr, "NetClient Error:: Callback function can not be empty!",
         "NetServer Error::Callback function empty when start!"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(sockmesh_connect_server(client, c.ip, c.port, c.fn, nullptr));
        EXPECT_EQ(client_error(client), c.client_text);
        EXPECT_FALSE(sockmesh_start_tcp_server(server, c.ip, c.port, c.fn, nullptr));
        EXPECT_EQ(server_error(server), c.server_text);
    }
    EXPECT_FALSE(sockmesh_get_client_last_error(client, nullptr));
    EXPECT_FALSE(sockmesh_send_data_to_server(client, nullptr, 4));
    EXPECT_FALSE(sockmesh_send_data_to_server(client, "x", -1));
    EXPECT_FALSE(sockmesh_send_data_to_server(client, "x", 1));  // not connected
    int port = 0;
    EXPECT_FALSE(sockmesh_tcp_server_get_addr(server, nullptr, nullptr));
    EXPECT_FALSE(sockmesh_server_get_client_addr_by_id(server, 1, nullptr, nullptr));
    EXPECT_FALSE(sockmesh_server_get_client_addr_by_id(server, 0, nullptr, &port));
    EXPECT_FALSE(sockmesh_server_disconnect_client_by_id(server, 0));
    EXPECT_FALSE(sockmesh_send_data_to_client_by_id(server, 0, "x", 1));
    EXPECT_FALSE(sockmesh_send_data_to_client_by_id(server, 1, nullptr, 1));
    EXPECT_FALSE(sockmesh_send_data_to_client_by_id(server, 1, "x", 0));
    EXPECT_TRUE(sockmesh_disconnect_server(client));
    EXPECT_TRUE(sockmesh_tcp_client_uninit(&client));
    EXPECT_TRUE(sockmesh_tcp_server_uninit(&server));
}

// A server and a client joined through the exports.
struct LinkedPair {
    void link()
    {
        ASSERT_TRUE(sockmesh_tcp_server_init(&server));
        port = sockmesh_test::unused_tcp_port();
        ASSERT_TRUE(sockmesh_start_tcp_server(server, "127.0.0.1", port, EventLog::callback, &server_events));
        ASSERT_TRUE(sockmesh_tcp_client_init(&client));
        ASSERT_TRUE(sockmesh_connect_server(client, "127.0.0.1", port, EventLog::callback, &client_events));
        ASSERT_TRUE(server_events.wait_count(EVT_TCP_CONNECTED, 1));
        id = server_events.events()[0].id;
    }

    ~LinkedPair()
    {
        if (client != nullptr) {
            sockmesh_tcp_client_uninit(&client);
        }
        if (server != nullptr) {
            sockmesh_tcp_server_uninit(&server);
        }
    }

    void* server = nullptr;
    void* client = nullptr;
    EventLog server_events;
    EventLog client_events;
    int port = 0;
    int id = 0;
};

TEST(api, tcp_link_through_exports)
{
    LinkedPair pair;
    ASSERT_NO_FATAL_FAILURE(pair.link());
    char ip[SOCKMESH_ADDR_TEXT];
    std::memset(ip, 'x', sizeof(ip));
    int bound = 0;
    ASSERT_TRUE(sockmesh_tcp_server_get_addr(pair.server, ip, &bound));
    EXPECT_STREQ(ip, "127.0.0.1");
    EXPECT_EQ(bound, pair.port);

    ASSERT_TRUE(sockmesh_send_data_to_server(pair.client, "ping", 4));
    ASSERT_TRUE(sockmesh_send_data_to_server(pair.client, "", 0));
    ASSERT_TRUE(pair.server_events.wait_count(EVT_TCP_DATA, 2));
    EXPECT_EQ(pair.server_events.data(), (std::vector<std::string>{"ping", ""}));
    ASSERT_TRUE(sockmesh_send_data_to_client_by_id(pair.server, pair.id, "pong", 4));
    ASSERT_TRUE(pair.client_events.wait_count(EVT_TCP_DATA, 1));
    EXPECT_EQ(pair.client_events.data()[0], "pong");

    int peer_port = 0;
    std::memset(ip, 'x', sizeof(ip));
    ASSERT_TRUE(sockmesh_server_get_client_addr_by_id(pair.server, pair.id, ip, &peer_port));
    EXPECT_STREQ(ip, "127.0.0.1");
    EXPECT_GT(peer_port, 0);

    ASSERT_TRUE(sockmesh_disconnect_server(pair.client));
    EXPECT_EQ(pair.client_events.count(EVT_TCP_DISCONNECTED), 1u);
    ASSERT_TRUE(pair.server_events.wait_count(EVT_TCP_DISCONNECTED, 1));
    ASSERT_TRUE(sockmesh_stop_server(pair.server));
    EXPECT_TRUE(sockmesh_tcp_client_uninit(&pair.client));
    EXPECT_TRUE(sockmesh_tcp_server_uninit(&pair.server));
    EXPECT_EQ(pair.client, nullptr);
}

TEST(api, uninit_while_connected)
{
    LinkedPair pair;
    ASSERT_NO_FATAL_FAILURE(pair.link());
    // Server first: its uninit joins its loop with the connection open.
    EXPECT_TRUE(sockmesh_tcp_server_uninit(&pair.server));
    ASSERT_TRUE(pair.client_events.wait_count(EVT_TCP_DISCONNECTED, 1));
    EXPECT_TRUE(sockmesh_tcp_client_uninit(&pair.client));
}

TEST(api, discovery_arguments)
{
    void* handle = nullptr;
    EXPECT_FALSE(sockmesh_discovery_client_start(&handle, nullptr, nullptr));
    EXPECT_FALSE(sockmesh_discovery_client_start(nullptr, on_reply, nullptr));
    EXPECT_FALSE(sockmesh_discovery_mulcast_client_start(&handle, false, nullptr, nullptr));
    EXPECT_FALSE(sockmesh_discovery_server_start(&handle, nullptr, on_record, nullptr));
    EXPECT_FALSE(sockmesh_discovery_server_start(nullptr, "text", on_record, nullptr));
    EXPECT_EQ(handle, nullptr);
    // The multicast device side never starts.
    EXPECT_FALSE(sockmesh_discovery_mulcast_server_start(&handle, "text", on_record, nullptr));
    EXPECT_FALSE(sockmesh_udp_protocol_mulcast_server_start(&handle, on_record, nullptr));
    EXPECT_EQ(handle, nullptr);
    EXPECT_FALSE(sockmesh_discovery_mulcast_server_finish(&handle));
    EXPECT_FALSE(sockmesh_discovery_client_finish(nullptr));
    EXPECT_FALSE(sockmesh_discovery_server_finish(nullptr));
}
