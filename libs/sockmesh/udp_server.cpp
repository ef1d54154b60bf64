#include "udp_server.h"

#include "sockmesh_log.h"
#include "udp_send.h"

#include <cstring>

namespace sockmesh {
namespace detail {

namespace {

uint32_t number_or_zero(const std::string& text)
{
    uint32_t number = 0;
    return ipv4_text_to_number(text, &number) ? number : 0;
}

}  // namespace

CommandRunner logging_command_runner()
{
    return [](const std::string& command) {
        SM_TRACE("device command not run on this host: %s", command.c_str());
    };
}

UdpServer::UdpServer(DeviceServerOptions options) : options_(std::move(options))
{
    if (!options_.cards) {
        options_.cards = system_card_provider();
    }
    if (!options_.runner) {
        options_.runner = logging_command_runner();
    }
    int result = uv_loop_init(&loop_);
    if (result != 0) {
        log_uv_failure(result);
        return;
    }
    loop_ready_ = true;
}

UdpServer::~UdpServer()
{
    finish();
    if (loop_ready_) {
        uv_loop_close(&loop_);
    }
}

bool UdpServer::start(int port, const std::string& text, DeviceRequestCallback callback, void* user)
{
    if (!loop_ready_) {
        return false;
    }
    if (!stopped_.load() || thread_.joinable()) {
        SM_ERROR("discovery server already start.\n");
        return false;
    }
    text_ = text;
    callback_ = callback;
    user_ = user;
    int result = uv_udp_init(&loop_, &udp_);
    if (result != 0) {
        log_uv_failure(result);
        return false;
    }
    udp_.data = this;
    result = stopper_.init(&loop_, on_stop, this);
    sockaddr_in address;
    if (result == 0) {
        result = uv_ip4_addr(options_.bind_ip.c_str(), port, &address);
    }
    if (result == 0) {
        result = uv_udp_bind(&udp_, reinterpret_cast<const sockaddr*>(&address), UV_UDP_REUSEADDR);
    }
    if (result == 0) {
        result = uv_udp_set_broadcast(&udp_, 1);
    }
    if (result == 0) {
        result = uv_udp_recv_start(&udp_, on_alloc, on_receive);
    }
    if (result != 0) {
        log_uv_failure(result);
        stopper_.mark_closed();
        close_and_drain(&loop_, nullptr);
        return false;
    }
    sockaddr_storage bound;
    int bound_size = sizeof(bound);
    if (uv_udp_getsockname(&udp_, reinterpret_cast<sockaddr*>(&bound), &bound_size) == 0) {
        bound_port_ = ntohs(reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    }
    stopped_ = false;
    try {
        thread_ = std::thread([this] {
            uv_run(&loop_, UV_RUN_DEFAULT);
            stopped_ = true;
        });
    } catch (const std::system_error&) {
        SM_ERROR("discovery server loop thread could not start");
        stopped_ = true;
        stopper_.mark_closed();
        close_and_drain(&loop_, nullptr);
        return false;
    }
    return true;
}

void UdpServer::finish()
{
    if (thread_.joinable()) {
        stopper_.wake();
        thread_.join();
    }
}

void UdpServer::on_stop(uv_async_t* handle)
{
    auto* self = static_cast<UdpServer*>(handle->data);
    self->stopper_.mark_closed();
    close_all_handles(&self->loop_, nullptr);
}

void UdpServer::on_alloc(uv_handle_t* handle, std::size_t, uv_buf_t* buf)
{
    auto* self = static_cast<UdpServer*>(handle->data);
    *buf = uv_buf_init(self->buffer_, sizeof(self->buffer_));
}

void UdpServer::on_receive(uv_udp_t* handle, ssize_t nread, const uv_buf_t* buf, const sockaddr* from,
                           unsigned flags)
{
    auto* self = static_cast<UdpServer*>(handle->data);
    if (nread < 0) {
        char name[64];
        SM_ERROR("[%s]: Read error .\n", uv_err_name_r(static_cast<int>(nread), name, sizeof(name)));
        self->stopper_.mark_closed();
        close_all_handles(&self->loop_, nullptr);
        return;
    }
    if (nread == 0 || from == nullptr || from->sa_family != AF_INET) {
        return;
    }
    if ((flags & UV_UDP_PARTIAL) != 0) {
        SM_ERROR("UdpServer datagram larger than %zu bytes dropped.\n", sizeof(self->buffer_));
        return;
    }
    self->handle_datagram(reinterpret_cast<const unsigned char*>(buf->base), static_cast<std::size_t>(nread),
                          *reinterpret_cast<const sockaddr_in*>(from));
}

std::vector<char> UdpServer::prepare_reply(int type)
{
    CardTable cards;
    NetworkBlock block;
    if (get_all_card_info(*options_.cards, &cards) && !cards.empty()) {
        const CardInfo& first = cards.begin()->second;
        block.netmask = number_or_zero(first.netmask);
        block.gateway = number_or_zero(first.gateway);
        block.dns1 = number_or_zero(first.dns1);
        block.dns2 = number_or_zero(first.dns2);
    }
    return build_discovery_response(type, text_, block);
}

void UdpServer::reply(int type, const sockaddr_in& to)
{
    // Each reply owns its bytes until sent, so a second request arriving
    // before the first reply left loses nothing.
    send_datagram(&udp_, prepare_reply(type), to);
}

void UdpServer::handle_datagram(const unsigned char* data, std::size_t size, const sockaddr_in& from)
{
    switch (classify_device_request(data, size)) {
    case DeviceRequest::kTooShort:
        SM_ERROR("UdpServer received len to small.\n");
        return;
    case DeviceRequest::kDiscovery:
        reply(0, from);
        return;
    case DeviceRequest::kDirectLink: {
        options_.runner("killall udhcpc");
        uint32_t requester = ntohl(from.sin_addr.s_addr);
        options_.runner(std::string("ifconfig eth0 ") + " " + ipv4_number_to_text(requester + 1));
        reply(1, from);
        return;
    }
    case DeviceRequest::kSetAddress: {
        SetAddress address;
        if (!parse_set_address(data, size, &address)) {
            SM_ERROR("UdpServer set-address message of %zu bytes is short or inconsistent; dropped.\n", size);
            return;
        }
        deliver_set_address(address);
        return;
    }
    case DeviceRequest::kUnknown:
        SM_ERROR("UdpServer cmp recevicd unknow identify.\n");
        return;
    }
}

void UdpServer::deliver_set_address(const SetAddress& address)
{
    SetIpRecord record;
    std::memset(&record, 0, sizeof(record));
    copy_address_text(record.ip, ipv4_number_to_text(address.ip));
    copy_address_text(record.netmask, ipv4_number_to_text(address.netmask));
    copy_address_text(record.gateway, ipv4_number_to_text(address.gateway));
    copy_address_text(record.dns1, ipv4_number_to_text(address.dns1));
    copy_address_text(record.dns2, ipv4_number_to_text(address.dns2));
    record.extra_len = static_cast<int32_t>(address.extra.size());
    record.extra = address.extra.empty() ? nullptr : address.extra.data();
    if (callback_ != nullptr) {
        callback_(&record, user_);
    }
}

}  // namespace detail
}  // namespace sockmesh
