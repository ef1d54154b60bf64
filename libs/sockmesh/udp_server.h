// Device side of discovery: answers requests with the device text and this
// machine's network settings and hands set-address messages to the caller.
#pragma once

#include "discovery_messages.h"
#include "loop_waker.h"
#include "net_cards.h"

#include "sockmesh.h"

#include <uv.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace sockmesh {
namespace detail {

// Runs a device command ("killall udhcpc", the eth0 address command). Never
// fed outside text beyond a dotted address this library formatted itself.
using CommandRunner = std::function<void(const std::string& command)>;

// Logs the command instead of running it.
CommandRunner logging_command_runner();

struct DeviceServerOptions {
    std::string bind_ip = "0.0.0.0";
    std::shared_ptr<NetCardProvider> cards;  // null: the system's cards
    CommandRunner runner;                    // null: logging_command_runner()
};

class UdpServer {
public:
    explicit UdpServer(DeviceServerOptions options = {});
    virtual ~UdpServer();

    UdpServer(const UdpServer&) = delete;
    UdpServer& operator=(const UdpServer&) = delete;

    // Before start: listen on this address only (default every address).
    void set_bind_ip(const std::string& ip) { options_.bind_ip = ip; }
    // Port 0 takes a free port (see bound_port).
    bool start(int port, const std::string& text, DeviceRequestCallback callback, void* user);
    void finish();

    int bound_port() const { return bound_port_; }

    // The reply to a request of `type`, with the first card's settings.
    std::vector<char> prepare_reply(int type);

private:
    static void on_stop(uv_async_t* handle);
    static void on_alloc(uv_handle_t* handle, std::size_t suggested, uv_buf_t* buf);
    static void on_receive(uv_udp_t* handle, ssize_t nread, const uv_buf_t* buf, const sockaddr* from,
                           unsigned flags);

    void handle_datagram(const unsigned char* data, std::size_t size, const sockaddr_in& from);
    void reply(int type, const sockaddr_in& to);
    void deliver_set_address(const SetAddress& address);

    DeviceServerOptions options_;
    uv_loop_t loop_{};
    bool loop_ready_ = false;
    uv_udp_t udp_{};
    LoopWaker stopper_;
    std::thread thread_;
    std::atomic<bool> stopped_{true};
    int bound_port_ = 0;
    std::string text_;
    DeviceRequestCallback callback_ = nullptr;
    void* user_ = nullptr;
    char buffer_[kDiscoveryDatagramCapacity];
};

}  // namespace detail
}  // namespace sockmesh
