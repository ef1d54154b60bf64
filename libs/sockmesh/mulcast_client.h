// Discovery over IP multicast with a plain socket and a receive thread.
#pragma once

#include "discovery_messages.h"

#include "sockmesh.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace sockmesh {
namespace detail {

struct MulticastOptions {
    std::string bind_ip = "0.0.0.0";
    // Where requests and set-address messages go.
    std::string destination = kMulticastGroup;
    int destination_port = 0;  // 0: the client's own port
    // Join the group on this interface address; empty: do not join.
    bool join_group = true;
    std::string group = kMulticastGroup;
    std::string interface_ip = "0.0.0.0";
};

class MulcastUdpClient {
public:
    explicit MulcastUdpClient(MulticastOptions options = {});
    virtual ~MulcastUdpClient();

    MulcastUdpClient(const MulcastUdpClient&) = delete;
    MulcastUdpClient& operator=(const MulcastUdpClient&) = delete;

    // Port 0 takes a free port (tests); requests go to that port too.
    bool start(int port, MulticastReplyCallback callback, void* user);
    bool broadcast();
    bool set_ip(uint32_t device_ip, bool flag, const SetAddress& address);
    void finish();

    int port() const { return port_; }

private:
    void receive_loop();
    void close_descriptors();
    bool send_bytes(const std::vector<char>& bytes);

    MulticastOptions options_;
    int socket_ = -1;
    int stop_event_ = -1;
    int port_ = 0;
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::mutex callback_mutex_;
    MulticastReplyCallback callback_ = nullptr;
    void* user_ = nullptr;
};

}  // namespace detail
}  // namespace sockmesh
