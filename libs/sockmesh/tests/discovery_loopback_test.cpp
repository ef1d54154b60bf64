#include "mulcast_client.h"
#include "udp_client.h"
#include "udp_server.h"

#include "event_log.h"
#include "fake_cards.h"
#include "loopback_port.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <map>
#include <memory>

using namespace sockmesh::detail;
using sockmesh_test::card;
using sockmesh_test::eventually;
using sockmesh_test::FakeCards;

namespace {

constexpr char kMac[] = "02:00:00:00:00:01";

struct Reply {
    int type;
    std::string text[5];
    std::string message;
};

struct ReplyLog {
    static void callback(const DiscoveryReply* reply, void* user)
    {
        auto* self = static_cast<ReplyLog*>(user);
        Reply r;
        r.type = reply->type;
        for (int i = 0; i < 5; ++i) {
            r.text[i] = std::string(reply->text[i], strnlen(reply->text[i], SOCKMESH_ADDR_TEXT));
        }
        r.message.assign(reply->message, static_cast<std::size_t>(reply->text_len));
        std::lock_guard<std::mutex> lock(self->mutex);
        self->replies.push_back(r);
    }
    std::size_t count()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return replies.size();
    }
    Reply at(std::size_t i)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return replies.at(i);
    }
    std::mutex mutex;
    std::vector<Reply> replies;
};

struct RecordLog {
    static void callback(const SetIpRecord* record, void* user)
    {
        auto* self = static_cast<RecordLog*>(user);
        std::lock_guard<std::mutex> lock(self->mutex);
        self->records.push_back({record->ip, record->netmask, record->gateway, record->dns1, record->dns2,
                                 std::string(record->extra != nullptr ? record->extra : "",
                                             static_cast<std::size_t>(record->extra_len))});
    }
    std::size_t count()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return records.size();
    }
    std::mutex mutex;
    std::vector<std::vector<std::string>> records;
};

std::shared_ptr<FakeCards> loopback_cards(const std::string& ip = "127.0.0.1")
{
    auto cards = std::make_shared<FakeCards>();
    cards->list = {card("lo-test", kMac, ip, "255.0.0.0")};
    cards->route = "Iface\tDestination\tGateway\tFlags\nlo-test\t00000000\t0100007F\t0003\n";
    cards->resolver = "nameserver 127.0.0.53\nnameserver 127.0.0.54\n";
    return cards;
}

// A plain UDP socket on 127.0.0.1 standing in for one end.
struct RawUdp {
    RawUdp() { fd = sockmesh_test::bound_loopback_socket(SOCK_DGRAM, &port); }
    ~RawUdp() { close(fd); }

    void send_to(int to_port, const std::vector<char>& bytes)
    {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(static_cast<uint16_t>(to_port));
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof(to));
    }

    // One datagram within 5 s; its sender's port in *from_port.
    bool receive(std::vector<char>* bytes, int* from_port = nullptr)
    {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 5000) != 1) {
            return false;
        }
        char buffer[2048];
        sockaddr_in from{};
        socklen_t size = sizeof(from);
        ssize_t n = recvfrom(fd, buffer, sizeof(buffer), 0, reinterpret_cast<sockaddr*>(&from), &size);
        if (n < 0) {
            return false;
        }
        bytes->assign(buffer, buffer + n);
        if (from_port != nullptr) {
            *from_port = ntohs(from.sin_port);
        }
        return true;
    }

    int fd;
    int port = 0;
};

std::vector<char> bytes_of(const std::string& text)
{
    return std::vector<char>(text.begin(), text.end());
}

DiscoveryClientOptions client_options(std::shared_ptr<FakeCards> cards, int request_port, int set_port = 0)
{
    DiscoveryClientOptions options;
    options.cards = std::move(cards);
    options.request_port = request_port;
    options.set_address_port = set_port;
    options.destination = [](const std::string&, const CardInfo&) { return std::string("127.0.0.1"); };
    return options;
}

}  // namespace

TEST(discovery, round_trip_on_loopback)
{
    std::vector<std::string> commands;
    std::mutex command_mutex;
    DeviceServerOptions device;
    device.bind_ip = "127.0.0.1";
    device.cards = loopback_cards();
    device.runner = [&](const std::string& command) {
        std::lock_guard<std::mutex> lock(command_mutex);
        commands.push_back(command);
    };
    UdpServer server(device);
    ASSERT_TRUE(server.start(0, "SN42;software ver:2.1", nullptr, nullptr));

    ReplyLog replies;
    UdpClient client(client_options(loopback_cards(), server.bound_port()));
    ASSERT_TRUE(client.start(ReplyLog::callback, &replies));
    EXPECT_EQ(client.socket_count(), 1u);
    ASSERT_TRUE(client.broadcast());
    ASSERT_TRUE(eventually([&] { return replies.count() == 1; }));
    Reply reply = replies.at(0);
    EXPECT_EQ(reply.type, 0);
    EXPECT_EQ(reply.text[0], "127.0.0.1");
    EXPECT_EQ(reply.text[1], "255.0.0.0");
    EXPECT_EQ(reply.text[2], "127.0.0.1");
    EXPECT_EQ(reply.text[3], "127.0.0.53");
    EXPECT_EQ(reply.text[4], "127.0.0.54");
    EXPECT_EQ(reply.message, std::string("SN42;software ver:2.1;discover mac:") + kMac);

    // A direct-link request runs the two device commands through the
    // injected runner and is answered with its own identifier.
    RawUdp requester;
    requester.send_to(server.bound_port(), bytes_of("VYDIRECTLINKDISCOVERY"));
    std::vector<char> answer;
    ASSERT_TRUE(requester.receive(&answer));
    DiscoveryResponse parsed;
    const char* reason = nullptr;
    ASSERT_TRUE(parse_discovery_response(reinterpret_cast<const unsigned char*>(answer.data()), answer.size(), &parsed,
                                         &reason));
    EXPECT_EQ(parsed.type, 1);
    EXPECT_EQ(answer.size(), 29u + 21u + 21u);
    {
        std::lock_guard<std::mutex> lock(command_mutex);
        EXPECT_EQ(commands, (std::vector<std::string>{"killall udhcpc", "ifconfig eth0  127.0.0.2"}));
    }
    client.finish();
    EXPECT_FALSE(client.running());
    EXPECT_FALSE(client.broadcast());
    server.finish();
}

// Asked by unicast, two devices on two loopback addresses answer through
// the loopback card; the requests never go to a broadcast destination.
TEST(discovery, unicast_asks_each_loopback_address)
{
    DeviceServerOptions device;
    device.cards = loopback_cards();
    device.bind_ip = "127.0.0.1";
    UdpServer first(device);
    ASSERT_TRUE(first.start(0, "SN1", nullptr, nullptr));
    device.bind_ip = "127.0.0.2";
    UdpServer second(device);
    ASSERT_TRUE(second.start(first.bound_port(), "SN2", nullptr, nullptr));

    ReplyLog replies;
    DiscoveryClientOptions options;
    options.request_port = first.bound_port();
    UdpClient client(options);
    ASSERT_TRUE(client.use_unicast({"127.0.0.1", "127.0.0.2"}));
    ASSERT_TRUE(client.start(ReplyLog::callback, &replies));
    EXPECT_EQ(client.socket_count(), 1u);
    ASSERT_TRUE(client.broadcast());
    ASSERT_TRUE(eventually([&] { return replies.count() == 2; }));
    std::map<std::string, std::string> by_address;
    for (std::size_t i = 0; i < 2; ++i) {
        by_address[replies.at(i).text[0]] = replies.at(i).message;
    }
    EXPECT_EQ(by_address["127.0.0.1"], std::string("SN1;discover mac:") + kLoopbackCardMac);
    EXPECT_EQ(by_address["127.0.0.2"], std::string("SN2;discover mac:") + kLoopbackCardMac);
    client.finish();
    first.finish();
    second.finish();
}

TEST(discovery, unicast_refuses_addresses_off_loopback)
{
    const std::vector<std::vector<std::string>> refused = {
        {}, {"192.0.2.2"}, {"127.0.0.5", "10.0.0.1"}, {"127.0.0.256"}, {"127.1"}, {""}, {"255.255.255.255"}};
    for (const auto& list : refused) {
        UdpClient client;
        EXPECT_FALSE(client.use_unicast(list)) << (list.empty() ? "(empty)" : list.back());
    }
    void* handle = nullptr;
    const char* mixed[] = {"127.0.0.3", "192.0.2.2"};
    EXPECT_FALSE(sockmesh_discovery_client_start_unicast(&handle, mixed, 2, ReplyLog::callback, nullptr));
    EXPECT_EQ(handle, nullptr);
    const char* none[] = {nullptr};
    EXPECT_FALSE(sockmesh_discovery_client_start_unicast(&handle, none, 1, ReplyLog::callback, nullptr));
    EXPECT_FALSE(sockmesh_discovery_client_start_unicast(&handle, mixed, 0, ReplyLog::callback, nullptr));
    EXPECT_EQ(handle, nullptr);
}

TEST(discovery, set_address_reaches_device)
{
    RecordLog records;
    DeviceServerOptions device;
    device.bind_ip = "127.0.0.1";
    device.cards = loopback_cards();
    UdpServer protocol(device);
    ASSERT_TRUE(protocol.start(0, "", RecordLog::callback, &records));

    ReplyLog replies;
    UdpClient client(client_options(loopback_cards(), 9, protocol.bound_port()));
    ASSERT_TRUE(client.start(ReplyLog::callback, &replies));
    SetAddress address;
    ipv4_text_to_number("10.1.2.3", &address.ip);
    ipv4_text_to_number("255.255.0.0", &address.netmask);
    ipv4_text_to_number("10.1.0.1", &address.gateway);
    ASSERT_TRUE(client.set_ip("127.0.0.1", true, address));
    ASSERT_TRUE(eventually([&] { return records.count() == 1; }));
    EXPECT_EQ(records.records[0],
              (std::vector<std::string>{"10.1.2.3", "255.255.0.0", "10.1.0.1", "0.0.0.0", "0.0.0.0", "\1"}));

    // Short and inconsistent set-address datagrams never reach the callback.
    RawUdp sender;
    std::vector<char> message = build_set_address(address, false);
    sender.send_to(protocol.bound_port(), std::vector<char>(message.begin(), message.begin() + 20));
    std::vector<char> bad_extra = message;
    bad_extra[35] = 9;
    sender.send_to(protocol.bound_port(), bad_extra);
    sender.send_to(protocol.bound_port(), bytes_of("VY_PROTOCOL"));
    sender.send_to(protocol.bound_port(), message);
    ASSERT_TRUE(eventually([&] { return records.count() == 2; }));
    EXPECT_EQ(records.records[1][5], std::string("\0", 1));
}

TEST(discovery, malformed_replies_never_reach_callback)
{
    RawUdp device;
    ReplyLog replies;
    UdpClient client(client_options(loopback_cards(), device.port));
    ASSERT_TRUE(client.start(ReplyLog::callback, &replies));
    ASSERT_TRUE(client.broadcast());
    std::vector<char> request;
    int client_port = 0;
    ASSERT_TRUE(device.receive(&request, &client_port));
    EXPECT_EQ(std::string(request.begin(), request.end()), "VY_DISCOVERY");

    std::vector<char> good = build_discovery_response(0, "good", {});
    std::vector<char> announces_more = good;
    announces_more[3] = static_cast<char>(good.size() + 40);
    std::vector<char> long_text = good;
    long_text[23] = 120;
    std::vector<char> oversized(600, 'V');
    for (const auto& bad : {bytes_of("abc"), announces_more, long_text, bytes_of("0000VY_OTHERTHING"), oversized}) {
        device.send_to(client_port, bad);
    }
    device.send_to(client_port, good);
    ASSERT_TRUE(eventually([&] { return replies.count() == 1; }));
    EXPECT_EQ(replies.at(0).message, std::string("good;discover mac:") + kMac);
    // The bad datagrams came first; nothing else arrives after the good one.
    client.finish();
    EXPECT_EQ(replies.count(), 1u);
}

TEST(discovery, card_gains_address_then_gets_socket)
{
    auto cards = loopback_cards("0.0.0.0");
    RawUdp device;
    ReplyLog replies;
    UdpClient client(client_options(cards, device.port));
    ASSERT_TRUE(client.start(ReplyLog::callback, &replies));
    EXPECT_EQ(client.socket_count(), 0u);

    cards->set_ip(0, "127.0.0.1");
    ASSERT_TRUE(client.broadcast());
    std::vector<char> request;
    ASSERT_TRUE(device.receive(&request));
    EXPECT_EQ(client.socket_count(), 1u);

    cards->set_ip(0, "0.0.0.0");
    ASSERT_TRUE(client.broadcast());
    ASSERT_TRUE(eventually([&] { return client.socket_count() == 0; }));
}

TEST(discovery, start_needs_a_card)
{
    auto cards = std::make_shared<FakeCards>();
    ReplyLog replies;
    UdpClient client(client_options(cards, 9));
    EXPECT_FALSE(client.start(ReplyLog::callback, &replies));
    EXPECT_FALSE(client.broadcast());
    cards->fail = true;
    EXPECT_FALSE(client.start(ReplyLog::callback, &replies));
}

TEST(discovery, device_ignores_short_and_unknown)
{
    DeviceServerOptions options;
    options.bind_ip = "127.0.0.1";
    options.cards = loopback_cards();
    int runs = 0;
    options.runner = [&](const std::string&) { ++runs; };
    UdpServer server(options);
    ASSERT_TRUE(server.start(0, "t", nullptr, nullptr));
    RawUdp requester;
    requester.send_to(server.bound_port(), bytes_of("VY_DISCOVER"));   // 11 bytes
    requester.send_to(server.bound_port(), bytes_of("VYDIRECTLINK"));  // identifier cut short
    requester.send_to(server.bound_port(), bytes_of("SOMETHING ELSE"));
    requester.send_to(server.bound_port(), bytes_of("VY_DISCOVERY"));
    std::vector<char> answer;
    ASSERT_TRUE(requester.receive(&answer));
    EXPECT_EQ(answer.size(), 29u + 12u + 1u);
    EXPECT_EQ(std::string(answer.begin() + 4, answer.begin() + 16), "VY_DISCOVERY");
    EXPECT_EQ(answer[25], 1);  // the flag behind the one-byte text
    server.finish();
    EXPECT_EQ(runs, 0);
}

TEST(discovery, multicast_client_on_loopback)
{
    RawUdp device;
    MulticastOptions options;
    options.bind_ip = "127.0.0.1";
    options.destination = "127.0.0.1";
    options.destination_port = device.port;
    options.join_group = false;
    MulcastUdpClient client(options);
    ReplyLog replies;
    ASSERT_TRUE(client.start(0, ReplyLog::callback, &replies));
    ASSERT_TRUE(client.broadcast());
    std::vector<char> request;
    int client_port = 0;
    ASSERT_TRUE(device.receive(&request, &client_port));
    EXPECT_EQ(request, build_multicast_request());

    MulticastResponse response;
    response.text = "cam-7";
    response.ip = 0x7F000009;
    response.block.netmask = 0xFF000000;
    std::vector<char> good = build_multicast_response(response);
    std::vector<char> long_text = good;
    long_text[23] = 99;
    device.send_to(client_port, long_text);
    device.send_to(client_port, bytes_of("tiny"));
    device.send_to(client_port, good);
    ASSERT_TRUE(eventually([&] { return replies.count() == 1; }));
    Reply reply = replies.at(0);
    EXPECT_EQ(reply.text[0], "127.0.0.9");
    EXPECT_EQ(reply.text[1], "255.0.0.0");
    EXPECT_EQ(reply.message, "cam-7");

    SetAddress address;
    address.ip = 0x0A000005;
    ASSERT_TRUE(client.set_ip(0x7F000009, true, address));
    std::vector<char> set;
    ASSERT_TRUE(device.receive(&set));
    EXPECT_EQ(set, build_multicast_set_address(0x7F000009, address, true));
    client.finish();
    EXPECT_FALSE(client.broadcast());
}

TEST(discovery, two_devices_on_two_loopback_addresses)
{
    // Devices on their own addresses hear no broadcast: each card's request
    // goes straight to one of them.
    std::vector<std::unique_ptr<UdpServer>> devices;
    int port = 0;
    for (const char* address : {"127.0.0.2", "127.0.0.3"}) {
        DeviceServerOptions device;
        device.bind_ip = address;
        device.cards = loopback_cards();
        devices.push_back(std::make_unique<UdpServer>(device));
        ASSERT_TRUE(devices.back()->start(port, std::string("SN-") + address, nullptr, nullptr));
        port = devices.back()->bound_port();
    }
    auto cards = std::make_shared<FakeCards>();
    cards->list = {card("lo-a", "02:00:00:00:00:0A", "127.0.0.1", "255.0.0.0"),
                   card("lo-b", "02:00:00:00:00:0B", "127.0.0.1", "255.0.0.0")};
    DiscoveryClientOptions options = client_options(cards, port);
    options.destination = [](const std::string& mac, const CardInfo&) {
        return std::string(mac == "02:00:00:00:00:0A" ? "127.0.0.2" : "127.0.0.3");
    };
    ReplyLog replies;
    UdpClient client(options);
    ASSERT_TRUE(client.start(ReplyLog::callback, &replies));
    EXPECT_EQ(client.socket_count(), 2u);
    ASSERT_TRUE(client.broadcast());
    ASSERT_TRUE(eventually([&] { return replies.count() == 2; }));
    std::map<std::string, std::string> by_address;
    for (std::size_t i = 0; i < 2; ++i) {
        by_address[replies.at(i).text[0]] = replies.at(i).message;
    }
    EXPECT_EQ(by_address["127.0.0.2"], "SN-127.0.0.2;discover mac:02:00:00:00:00:0A");
    EXPECT_EQ(by_address["127.0.0.3"], "SN-127.0.0.3;discover mac:02:00:00:00:00:0B");
    client.finish();
    for (auto& device : devices) {
        device->finish();
    }
}
