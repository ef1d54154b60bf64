#include "handles.h"
#include "tcp_client.h"
#include "tcp_server.h"

#include "event_log.h"
#include "loopback_port.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <atomic>
#include <csignal>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace sockmesh::detail;
using sockmesh_test::EventLog;
using sockmesh_test::eventually;

namespace {

struct Loopback {
    Loopback()
    {
        EXPECT_TRUE(server.init());
        server.set_callback(EventLog::callback, &server_events);
        EXPECT_TRUE(server.start("127.0.0.1", 0));
        port = server.bound_port();
        client.set_callback(EventLog::callback, &client_events);
    }

    EventLog server_events;
    EventLog client_events;
    TcpServer server;
    TcpClient client;
    int port = 0;
};

// A plain socket connected to the port, with a small receive window; it
// reads nothing unless a test does.
int raw_peer(int port)
{
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    int small = 4096;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof(small));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

std::string pattern(std::size_t size)
{
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        text[i] = static_cast<char>((i * 131) >> 3);
    }
    return text;
}

}  // namespace

TEST(tcp, round_trip_both_ways)
{
    Loopback net;
    ASSERT_TRUE(net.client.connect("127.0.0.1", net.port));
    // The connected event reaches the callback before connect returns.
    EXPECT_EQ(net.client_events.count(EVT_TCP_CONNECTED), 1u);
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_CONNECTED, 1));
    int id = net.server_events.events()[0].id;
    EXPECT_GT(id, 0);

    ASSERT_TRUE(net.client.send("", 0));
    ASSERT_TRUE(net.client.send("hello", 5));
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_DATA, 2));
    EXPECT_EQ(net.server_events.data(), (std::vector<std::string>{"", "hello"}));

    ASSERT_TRUE(net.server.send_to(static_cast<uint32_t>(id), "world", 5));
    ASSERT_TRUE(net.client_events.wait_count(EVT_TCP_DATA, 1));
    EXPECT_EQ(net.client_events.data()[0], "world");
    for (const auto& event : net.client_events.events()) {
        EXPECT_NE(event.thread, std::this_thread::get_id());
        EXPECT_EQ(event.id, 0);
    }

    std::string ip;
    int port = 0;
    ASSERT_TRUE(net.server.client_address(static_cast<uint32_t>(id), &ip, &port));
    EXPECT_EQ(ip, "127.0.0.1");
    EXPECT_GT(port, 0);
    EXPECT_FALSE(net.server.client_address(0, &ip, &port));
    EXPECT_FALSE(net.server.client_address(static_cast<uint32_t>(id), nullptr, nullptr));

    EXPECT_FALSE(net.client.connect("127.0.0.1", net.port));
    EXPECT_EQ(net.client.last_error(), "client have not closed yet, connect failed.");
    EXPECT_TRUE(net.client.disconnect());
    EXPECT_EQ(net.client_events.count(EVT_TCP_DISCONNECTED), 1u);
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_DISCONNECTED, 1));
}

TEST(tcp, connect_disconnect_cycles_keep_events_in_order)
{
    // Back-to-back cycles meet the loop thread at every stage of a session;
    // every cycle still raises its two events on that thread before the call
    // that causes them returns, and the server sees each connection close.
    Loopback net;
    constexpr std::size_t kCycles = 150;
    for (std::size_t i = 0; i < kCycles; ++i) {
        ASSERT_TRUE(net.client.connect("127.0.0.1", net.port));
        ASSERT_EQ(net.client_events.count(EVT_TCP_CONNECTED), i + 1);
        if (i % 3 == 1) {
            // A step on the link first, so the disconnect may find the loop asleep.
            ASSERT_TRUE(net.client.send("x", 1));
            ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_DATA, i / 3 + 1));
        }
        EXPECT_TRUE(net.client.disconnect());
        ASSERT_EQ(net.client_events.count(EVT_TCP_DISCONNECTED), i + 1);
        EXPECT_FALSE(net.client.send("late", 4));
    }
    std::vector<sockmesh_test::Event> events = net.client_events.events();
    ASSERT_EQ(events.size(), 2 * kCycles);
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].type, i % 2 == 0 ? EVT_TCP_CONNECTED : EVT_TCP_DISCONNECTED);
        EXPECT_NE(events[i].thread, std::this_thread::get_id());
    }
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_DISCONNECTED, kCycles));
    EXPECT_EQ(net.server_events.count(EVT_TCP_CONNECTED), kCycles);

    // A client destroyed right after its connect closes its socket too.
    for (int i = 0; i < 10; ++i) {
        TcpClient client;
        ASSERT_TRUE(client.connect("127.0.0.1", net.port));
    }
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_DISCONNECTED, kCycles + 10));
}

TEST(tcp, send_from_connected_callback_goes_out)
{
    Loopback net;
    net.client_events.on_event = [&](const NetEvent& event) {
        if (event.type == EVT_TCP_CONNECTED) {
            EXPECT_TRUE(net.client.send("first", 5));
        }
    };
    ASSERT_TRUE(net.client.connect("127.0.0.1", net.port));
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_DATA, 1));
    EXPECT_EQ(net.server_events.data(), (std::vector<std::string>{"first"}));
}

TEST(tcp, connect_to_closed_port_then_reconnect)
{
    EventLog events;
    TcpClient client;
    client.set_callback(EventLog::callback, &events);
    EXPECT_FALSE(client.connect("127.0.0.1", sockmesh_test::unused_tcp_port()));
    EXPECT_EQ(events.count(EVT_TCP_EXCEPTION), 1u);
    EXPECT_EQ(events.count(EVT_TCP_CONNECTED), 0u);
    EXPECT_EQ(events.count(EVT_TCP_DISCONNECTED), 0u);
    EXPECT_EQ(events.events()[0].thread == std::this_thread::get_id(), false);
    EXPECT_EQ(client.last_error(), "connect time out free all handle");

    EXPECT_FALSE(client.connect("not an address", 80));
    EXPECT_FALSE(client.connect("127.0.0.1", sockmesh_test::unused_tcp_port()));
    EXPECT_EQ(events.count(EVT_TCP_EXCEPTION), 2u);

    // The same client connects once a server is there.
    EventLog server_events;
    TcpServer server;
    ASSERT_TRUE(server.init());
    server.set_callback(EventLog::callback, &server_events);
    ASSERT_TRUE(server.start("127.0.0.1", 0));
    ASSERT_TRUE(client.connect("127.0.0.1", server.bound_port()));
    ASSERT_TRUE(client.send("again", 5));
    ASSERT_TRUE(server_events.wait_count(EVT_TCP_DATA, 1));
    EXPECT_EQ(server_events.data()[0], "again");
}

TEST(tcp, disconnect_without_connect_raises_nothing)
{
    EventLog events;
    TcpClient client;
    client.set_callback(EventLog::callback, &events);
    EXPECT_TRUE(client.disconnect());
    EXPECT_TRUE(client.disconnect());
    EXPECT_FALSE(client.send("x", 1));
    EXPECT_TRUE(events.events().empty());
}

TEST(tcp, peer_close_gives_one_disconnect)
{
    Loopback net;
    ASSERT_TRUE(net.client.connect("127.0.0.1", net.port));
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_CONNECTED, 1));
    uint32_t id = static_cast<uint32_t>(net.server_events.events()[0].id);

    EXPECT_FALSE(net.server.disconnect_client(0));
    EXPECT_FALSE(net.server.disconnect_client(id + 1000));
    ASSERT_TRUE(net.server.disconnect_client(id));
    ASSERT_TRUE(net.client_events.wait_count(EVT_TCP_DISCONNECTED, 1));
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_DISCONNECTED, 1));
    // Removed from the table before the event: a send to it fails.
    EXPECT_FALSE(net.server.send_to(id, "late", 4));
    EXPECT_EQ(net.server.connection_count(), 0u);

    EXPECT_TRUE(net.client.disconnect());
    EXPECT_EQ(net.client_events.count(EVT_TCP_DISCONNECTED), 1u);
    EXPECT_EQ(net.server_events.count(EVT_TCP_DISCONNECTED), 1u);

    // And reconnects afterwards, with a new id.
    ASSERT_TRUE(net.client.connect("127.0.0.1", net.port));
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_CONNECTED, 2));
    EXPECT_GT(static_cast<uint32_t>(net.server_events.events().back().id), id);
}

TEST(tcp, connection_ids_shared_by_servers)
{
    Loopback first;
    Loopback second;
    TcpClient a, b, c;
    ASSERT_TRUE(a.connect("127.0.0.1", first.port));
    ASSERT_TRUE(first.server_events.wait_count(EVT_TCP_CONNECTED, 1));
    ASSERT_TRUE(b.connect("127.0.0.1", first.port));
    ASSERT_TRUE(first.server_events.wait_count(EVT_TCP_CONNECTED, 2));
    ASSERT_TRUE(c.connect("127.0.0.1", second.port));
    ASSERT_TRUE(second.server_events.wait_count(EVT_TCP_CONNECTED, 1));
    int id1 = first.server_events.events()[0].id;
    int id2 = first.server_events.events()[1].id;
    int id3 = second.server_events.events()[0].id;
    EXPECT_LT(id1, id2);
    EXPECT_LT(id2, id3);
}

TEST(tcp, large_messages_arrive_whole)
{
    Loopback net;
    ASSERT_TRUE(net.client.connect("127.0.0.1", net.port));
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_CONNECTED, 1));
    uint32_t id = static_cast<uint32_t>(net.server_events.events()[0].id);
    std::string big = pattern(3 * 1024 * 1024);
    ASSERT_TRUE(net.client.send(big.data(), big.size()));
    ASSERT_TRUE(net.client.send("small", 5));
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_DATA, 2));
    ASSERT_TRUE(net.server.send_to(id, big.data(), big.size()));
    ASSERT_TRUE(net.client_events.wait_count(EVT_TCP_DATA, 1));
    std::vector<std::string> at_server = net.server_events.data();
    EXPECT_TRUE(at_server[0] == big);
    EXPECT_EQ(at_server[1], "small");
    EXPECT_TRUE(net.client_events.data()[0] == big);
}

TEST(tcp, parked_rest_goes_out_without_another_send)
{
    Loopback net;
    // The client's loop thread is held inside a callback, so the ring buffer
    // fills and part of a large message is parked.
    std::mutex gate;
    std::unique_lock<std::mutex> held(gate);
    std::atomic<bool> in_callback{false};
    net.client_events.on_event = [&](const NetEvent& event) {
        if (event.type == EVT_TCP_DATA) {
            in_callback = true;
            std::lock_guard<std::mutex> wait(gate);
        }
    };
    ASSERT_TRUE(net.client.connect("127.0.0.1", net.port));
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_CONNECTED, 1));
    uint32_t id = static_cast<uint32_t>(net.server_events.events()[0].id);
    ASSERT_TRUE(net.server.send_to(id, "hold", 4));
    ASSERT_TRUE(eventually([&] { return in_callback.load(); }));

    std::string big = pattern(2 * 1024 * 1024);
    ASSERT_TRUE(net.client.send(big.data(), big.size()));
    // While the rest cannot be flushed, further sends fail and keep the link.
    EXPECT_FALSE(net.client.send("refused", 7));
    held.unlock();
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_DATA, 1));
    EXPECT_TRUE(net.server_events.data()[0] == big);
    ASSERT_TRUE(net.client.send("after", 5));
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_DATA, 2));
    EXPECT_EQ(net.server_events.data()[1], "after");
}

TEST(tcp, large_send_to_stalled_reader_fails_cleanly)
{
    Loopback net;
    int fd = raw_peer(net.port);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_CONNECTED, 1));
    uint32_t id = static_cast<uint32_t>(net.server_events.events()[0].id);
    std::string huge = pattern(16 * 1000 * 1000);
    EXPECT_FALSE(net.server.send_to(id, huge.data(), huge.size()));
    // The connection is still there.
    EXPECT_EQ(net.server.connection_count(), 1u);
    close(fd);
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_DISCONNECTED, 1));
}

TEST(tcp, stop_closes_connections_and_ends_loop)
{
    Loopback net;
    ASSERT_TRUE(net.client.connect("127.0.0.1", net.port));
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_CONNECTED, 1));
    net.server.stop();
    ASSERT_TRUE(net.client_events.wait_count(EVT_TCP_DISCONNECTED, 1));
    net.server.shutdown();
    EXPECT_EQ(net.server.connection_count(), 0u);
    EXPECT_FALSE(net.server.start("127.0.0.1", 0));
}

TEST(tcp, last_error_copy_is_cut_and_terminated)
{
    TcpClient client;
    client.set_last_error(std::string(300, 'e'));
    char buffer[SOCKMESH_LAST_ERROR_CAPACITY + 8];
    std::memset(buffer, '#', sizeof(buffer));
    copy_terminated(buffer, SOCKMESH_LAST_ERROR_CAPACITY, client.last_error());
    EXPECT_EQ(std::string(buffer), std::string(255, 'e'));
    EXPECT_EQ(buffer[SOCKMESH_LAST_ERROR_CAPACITY], '#');  // nothing past the capacity
}

TEST(tcp, hostile_stream_then_valid_frame)
{
    Loopback net;
    int fd = raw_peer(net.port);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_CONNECTED, 1));
    // Noise, a header announcing 4 GiB, a frame with a broken end marker,
    // then one good frame, all written by a raw socket.
    std::string stream = pattern(5000);
    stream += std::string("VYSTART\xff\xff\xff\xff", 11) + pattern(3000);
    std::vector<char> broken = build_frame("xyz", 3);
    broken.back() = '!';
    stream.append(broken.begin(), broken.end());
    std::vector<char> good = build_frame("valid", 5);
    stream.append(good.begin(), good.end());
    ASSERT_EQ(::send(fd, stream.data(), stream.size(), 0), static_cast<ssize_t>(stream.size()));
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_DATA, 1));
    EXPECT_EQ(net.server_events.data(), (std::vector<std::string>{"valid"}));
    close(fd);
    ASSERT_TRUE(net.server_events.wait_count(EVT_TCP_DISCONNECTED, 1));
}

TEST(tcp, loop_threads_write_without_sigpipe)
{
    // A write to a peer that has gone must fail with EPIPE on the loop
    // thread instead of ending the process: both loop threads block SIGPIPE.
    struct Probe {
        std::atomic<int> seen{0};
        std::atomic<int> blocked{0};
        static void on_event(const NetEvent* event, void* user)
        {
            if (event->type != EVT_TCP_CONNECTED) {
                return;
            }
            auto* self = static_cast<Probe*>(user);
            sigset_t mask;
            pthread_sigmask(SIG_BLOCK, nullptr, &mask);
            self->blocked += sigismember(&mask, SIGPIPE) == 1 ? 1 : 0;
            ++self->seen;
        }
    } server_probe, client_probe;
    TcpServer server;
    TcpClient client;
    ASSERT_TRUE(server.init());
    server.set_callback(Probe::on_event, &server_probe);
    ASSERT_TRUE(server.start("127.0.0.1", 0));
    client.set_callback(Probe::on_event, &client_probe);
    ASSERT_TRUE(client.connect("127.0.0.1", server.bound_port()));
    ASSERT_TRUE(eventually([&] { return server_probe.seen.load() == 1 && client_probe.seen.load() == 1; }));
    EXPECT_EQ(server_probe.blocked.load(), 1);
    EXPECT_EQ(client_probe.blocked.load(), 1);
    EXPECT_TRUE(client.disconnect());
}

TEST(tcp, disconnect_while_the_peer_keeps_sending)
{
    // The peer writes frames as fast as it can, so data is still arriving
    // when the link is shut down: disconnect ends it all the same, with one
    // last event and nothing raised after it returns.
    int port = 0;
    int listener = sockmesh_test::bound_loopback_socket(SOCK_STREAM, &port);
    ASSERT_EQ(listen(listener, 1), 0);
    std::thread writer([listener] {
        int fd = accept(listener, nullptr, nullptr);
        std::vector<char> frame = build_frame(pattern(64 * 1024).data(), 64 * 1024);
        while (::send(fd, frame.data(), frame.size(), MSG_NOSIGNAL) > 0) {
        }
        close(fd);
    });
    EventLog events;
    TcpClient client;
    client.set_callback(EventLog::callback, &events);
    if (client.connect("127.0.0.1", port)) {
        EXPECT_TRUE(events.wait_count(EVT_TCP_DATA, 3));
        EXPECT_TRUE(client.disconnect());
        std::size_t raised = events.events().size();
        EXPECT_EQ(events.count(EVT_TCP_DISCONNECTED), 1u);
        EXPECT_EQ(events.events().back().type, EVT_TCP_DISCONNECTED);
        EXPECT_FALSE(client.send("late", 4));
        EXPECT_EQ(events.events().size(), raised);
    } else {
        ADD_FAILURE() << "connect failed";
    }
    // Ends an accept still waiting when the connect failed.
    shutdown(listener, SHUT_RDWR);
    writer.join();
    close(listener);
}
