// Discovery client: one UDP socket per network card on a libuv loop of its
// own, requests on demand, answers to the caller's callback.
#pragma once

#include "discovery_messages.h"
#include "loop_waker.h"
#include "net_cards.h"

#include "sockmesh.h"

#include <uv.h>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace sockmesh {
namespace detail {

struct DiscoveryClientOptions {
    std::shared_ptr<NetCardProvider> cards;  // null: the system's cards
    int request_port = kDiscoveryPort;
    int set_address_port = kSetAddressPort;
    // Where a card's requests go; empty: the card's subnet broadcast address.
    // A socket bound to one card that sends to 255.255.255.255 may leave
    // through another interface, so the limited broadcast is not used.
    std::function<std::string(const std::string& mac, const CardInfo& card)> destination;
    // When set, every request goes to each of these addresses by unicast
    // instead of to the cards' broadcast destinations.
    std::vector<std::string> unicast_targets;
};

class UdpClient {
public:
    explicit UdpClient(DiscoveryClientOptions options = {});
    virtual ~UdpClient();

    UdpClient(const UdpClient&) = delete;
    UdpClient& operator=(const UdpClient&) = delete;

    bool start(DiscoveryCallback callback, void* user);
    // Before start: ask only these loopback addresses, through the loopback
    // card. False (and nothing changed) for an empty list or any address
    // outside 127.0.0.0/8.
    bool use_unicast(const std::vector<std::string>& targets);
    // Queue the request for every usable card and return without waiting
    // for the loop thread. False when stopped or the cards cannot be listed.
    bool broadcast();
    // The five address texts are already validated numbers.
    bool set_ip(const std::string& device_ip, bool flag, const SetAddress& address);
    void finish();

    bool running() const { return !stopped_.load(); }
    // Card sockets that exist (loop-thread view, for diagnostics and tests).
    std::size_t socket_count();

private:
    struct CardSocket {
        uv_udp_t handle{};
        UdpClient* owner = nullptr;
        std::string mac;
        CardInfo card;
        char buffer[kDiscoveryDatagramCapacity];
    };

    struct Command {
        bool cards_valid = false;
        CardTable cards;
        std::vector<std::string> macs;
        std::vector<char> payload;
        bool to_device = false;  // else to each card's broadcast destination
        std::string device_ip;
    };

    static void on_stop(uv_async_t* handle);
    static void on_command(uv_async_t* handle);
    static void on_alloc(uv_handle_t* handle, std::size_t suggested, uv_buf_t* buf);
    static void on_receive(uv_udp_t* handle, ssize_t nread, const uv_buf_t* buf, const sockaddr* from,
                           unsigned flags);
    static void on_closed(uv_handle_t* handle);

    void run();
    CardSocket* open_socket(const std::string& mac, const CardInfo& card);
    void close_socket(const std::string& mac);
    void refresh(const CardTable& cards);
    void send_from(CardSocket* socket, const std::vector<char>& payload, const std::string& ip, int port);
    bool begin_command(Command* command);
    bool queue_command(Command command);
    void handle_datagram(CardSocket* socket, const unsigned char* data, std::size_t size, const sockaddr* from);

    DiscoveryClientOptions options_;
    uv_loop_t loop_{};
    bool loop_ready_ = false;
    LoopWaker stopper_;
    LoopWaker commander_;
    std::thread thread_;
    std::atomic<bool> stopped_{true};

    DiscoveryCallback callback_ = nullptr;
    void* user_ = nullptr;

    std::mutex mutex_;  // sockets_ and commands_
    CardTable cards_;   // loop thread (caller's thread before the loop starts)
    std::map<std::string, CardSocket*> sockets_;
    std::vector<Command> commands_;
};

}  // namespace detail
}  // namespace sockmesh
