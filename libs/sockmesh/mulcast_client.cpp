#include "mulcast_client.h"

#include "net_cards.h"
#include "sockmesh_log.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sockmesh {
namespace detail {

MulcastUdpClient::MulcastUdpClient(MulticastOptions options) : options_(std::move(options)) {}

MulcastUdpClient::~MulcastUdpClient()
{
    finish();
}

bool MulcastUdpClient::start(int port, MulticastReplyCallback callback, void* user)
{
    SM_TRACE("MulcastUdpClient::start\n");
    if (socket_ >= 0) {
        SM_ERROR("MulcastUdpClient already started.");
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(callback_mutex_);
        callback_ = callback;
        user_ = user;
    }
    auto fail = [this](const char* message) {
        SM_ERROR("%s (%s)", message, std::strerror(errno));
        close_descriptors();
        return false;
    };
    socket_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0) {
        return fail("MulcastUdpClient start socket error.");
    }
    int on = 1;
    if (setsockopt(socket_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on)) != 0) {
        return fail("MulcastUdpClient start SO_REUSEADDR error.");
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    if (inet_pton(AF_INET, options_.bind_ip.c_str(), &address.sin_addr) != 1 ||
        bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        return fail("MulcastUdpClient start bind socket error.");
    }
    socklen_t size = sizeof(address);
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    unsigned char loop = 0;
    if (setsockopt(socket_, IPPROTO_IP, IP_MULTICAST_LOOP, &loop, sizeof(loop)) != 0) {
        return fail("MulcastUdpClient start IP_MULTICAST_LOOP error.");
    }
    if (options_.join_group) {
        ip_mreq membership{};
        if (inet_pton(AF_INET, options_.group.c_str(), &membership.imr_multiaddr) != 1 ||
            inet_pton(AF_INET, options_.interface_ip.c_str(), &membership.imr_interface) != 1 ||
            setsockopt(socket_, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof(membership)) != 0) {
            return fail("MulcastUdpClient start IP_ADD_MEMBERSHIP error.");
        }
    }
    // The stop event wakes the receive thread at once instead of after its
    // one-second poll.
    stop_event_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stop_event_ < 0) {
        return fail("MulcastUdpClient start stop event error.");
    }
    running_ = true;
    try {
        thread_ = std::thread(&MulcastUdpClient::receive_loop, this);
    } catch (const std::system_error&) {
        running_ = false;
        return fail("MulcastUdpClient start receive thread error.");
    }
    return true;
}

bool MulcastUdpClient::send_bytes(const std::vector<char>& bytes)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(options_.destination_port != 0 ? options_.destination_port : port_));
    if (inet_pton(AF_INET, options_.destination.c_str(), &to.sin_addr) != 1) {
        return false;
    }
    ssize_t sent = sendto(socket_, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof(to));
    return sent == static_cast<ssize_t>(bytes.size());
}

bool MulcastUdpClient::broadcast()
{
    if (socket_ < 0) {
        SM_ERROR("MulcastUdpClient broadcast socket error.");
        return false;
    }
    if (!send_bytes(build_multicast_request())) {
        SM_ERROR("MulcastUdpClient broadcast sendto MCAST error.");
        return false;
    }
    return true;
}

bool MulcastUdpClient::set_ip(uint32_t device_ip, bool flag, const SetAddress& address)
{
    if (socket_ < 0) {
        SM_ERROR("MulcastUdpClient set_ip socket error.");
        return false;
    }
    if (!send_bytes(build_multicast_set_address(device_ip, address, flag))) {
        SM_ERROR("MulcastUdpClient set_ip call sendto error.");
        return false;
    }
    return true;
}

void MulcastUdpClient::receive_loop()
{
    unsigned char buffer[kMulticastDatagramCapacity];
    while (running_.load()) {
        pollfd fds[2] = {{socket_, POLLIN, 0}, {stop_event_, POLLIN, 0}};
        int ready = poll(fds, 2, 1000);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            SM_ERROR("select error, ret %d\n", ready);
            return;
        }
        if (ready == 0 || (fds[0].revents & POLLIN) == 0) {
            continue;
        }
        std::memset(buffer, 0, sizeof(buffer));
        sockaddr_in from{};
        socklen_t from_size = sizeof(from);
        ssize_t received = recvfrom(socket_, buffer, sizeof(buffer), MSG_TRUNC,
                                    reinterpret_cast<sockaddr*>(&from), &from_size);
        if (received < 0) {
            SM_ERROR("recvfrom error.");
            continue;
        }
        if (static_cast<std::size_t>(received) > sizeof(buffer)) {
            SM_ERROR("size error, datagram of %zd bytes exceeds %zu!\n", received, sizeof(buffer));
            continue;
        }
        char source[INET_ADDRSTRLEN] = {0};
        inet_ntop(AF_INET, &from.sin_addr, source, sizeof(source));
        SM_TRACE("recv server addr : %s \n", source);
        MulticastResponse response;
        const char* reason = nullptr;
        if (!parse_multicast_response(buffer, static_cast<std::size_t>(received), &response, &reason)) {
            SM_ERROR("multicast answer dropped: %s", reason);
            continue;
        }
        MulticastReplyCallback callback;
        void* user;
        {
            std::lock_guard<std::mutex> lock(callback_mutex_);
            callback = callback_;
            user = user_;
        }
        if (callback == nullptr) {
            continue;
        }
        SM_TRACE("msg is: %s\n", response.text.c_str());
        SM_TRACE("version is %d\n", response.version);
        DiscoveryReply reply;
        std::memset(&reply, 0, sizeof(reply));
        copy_address_text(reply.text[0], ipv4_number_to_text(response.ip));
        copy_address_text(reply.text[1], ipv4_number_to_text(response.block.netmask));
        copy_address_text(reply.text[2], ipv4_number_to_text(response.block.gateway));
        copy_address_text(reply.text[3], ipv4_number_to_text(response.block.dns1));
        copy_address_text(reply.text[4], ipv4_number_to_text(response.block.dns2));
        SM_TRACE("ip:%s, netmask:%s, gateway:%s, dns1:%s, dns2:%s\n", reply.text[0], reply.text[1], reply.text[2],
                 reply.text[3], reply.text[4]);
        reply.type = 0;
        reply.text_len = static_cast<int32_t>(response.text.size());
        reply.message = response.text.c_str();
        callback(&reply, user);
    }
}

void MulcastUdpClient::finish()
{
    if (thread_.joinable()) {
        running_ = false;
        uint64_t one = 1;
        if (write(stop_event_, &one, sizeof(one)) < 0) {
            // The poll timeout notices the stop within a second all the same.
        }
        thread_.join();
    }
    close_descriptors();
}

void MulcastUdpClient::close_descriptors()
{
    for (int* fd : {&socket_, &stop_event_}) {
        if (*fd >= 0) {
            close(*fd);
            *fd = -1;
        }
    }
}

}  // namespace detail
}  // namespace sockmesh
