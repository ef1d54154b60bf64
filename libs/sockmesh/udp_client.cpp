#include "udp_client.h"

#include "sockmesh_log.h"
#include "udp_send.h"

#include <cstring>

namespace sockmesh {
namespace detail {

UdpClient::UdpClient(DiscoveryClientOptions options) : options_(std::move(options))
{
    if (!options_.cards) {
        options_.cards = system_card_provider();
    }
    int result = uv_loop_init(&loop_);
    if (result != 0) {
        log_uv_failure(result);
        return;
    }
    loop_ready_ = true;
}

UdpClient::~UdpClient()
{
    finish();
    if (loop_ready_) {
        uv_loop_close(&loop_);
    }
}

bool UdpClient::start(DiscoveryCallback callback, void* user)
{
    if (!loop_ready_) {
        return false;
    }
    if (!stopped_.load() || thread_.joinable()) {
        SM_ERROR("discovery client already start.\n");
        return false;
    }
    CardTable cards;
    if (!get_all_card_info(*options_.cards, &cards)) {
        SM_ERROR("discovery client init found no avaliable net card.\n");
        return false;
    }
    callback_ = callback;
    user_ = user;
    int result = stopper_.init(&loop_, on_stop, this);
    if (result == 0) {
        result = commander_.init(&loop_, on_command, this);
    }
    if (result != 0) {
        log_uv_failure(result);
        stopper_.mark_closed();
        commander_.mark_closed();
        close_and_drain(&loop_, on_closed);
        return false;
    }
    cards_.clear();
    for (const auto& entry : cards) {
        cards_[entry.first] = entry.second;
        if (entry.second.ip == "0.0.0.0") {
            SM_TRACE("udpclient start do not establish for invald ip 0.0.0.0");
            continue;
        }
        SM_TRACE("Establish udp connection for card = %s, ip = %s.\n", entry.first.c_str(), entry.second.ip.c_str());
        open_socket(entry.first, entry.second);
    }
    stopped_ = false;
    try {
        thread_ = std::thread(&UdpClient::run, this);
    } catch (const std::system_error&) {
        SM_ERROR("discovery client loop thread could not start");
        stopped_ = true;
        stopper_.mark_closed();
        commander_.mark_closed();
        close_and_drain(&loop_, on_closed);
        std::lock_guard<std::mutex> lock(mutex_);
        sockets_.clear();
        return false;
    }
    return true;
}

bool UdpClient::use_unicast(const std::vector<std::string>& targets)
{
    if (!stopped_.load() || thread_.joinable()) {
        SM_ERROR("discovery client already start.\n");
        return false;
    }
    if (targets.empty()) {
        SM_ERROR("unicast discovery refused: no address");
        return false;
    }
    for (const std::string& target : targets) {
        if (!is_loopback_address(target)) {
            SM_ERROR("unicast discovery refused: \"%.64s\" is not a loopback address", target.c_str());
            return false;
        }
    }
    options_.cards = loopback_card_provider();
    options_.unicast_targets = targets;
    return true;
}

UdpClient::CardSocket* UdpClient::open_socket(const std::string& mac, const CardInfo& card)
{
    auto* socket = new CardSocket;
    socket->owner = this;
    socket->mac = mac;
    socket->card = card;
    int result = uv_udp_init(&loop_, &socket->handle);
    if (result != 0) {
        log_uv_failure(result);
        delete socket;
        return nullptr;
    }
    socket->handle.data = socket;
    sockaddr_in address;
    result = uv_ip4_addr(card.ip.c_str(), 0, &address);
    if (result == 0) {
        result = uv_udp_bind(&socket->handle, reinterpret_cast<const sockaddr*>(&address), UV_UDP_REUSEADDR);
    }
    if (result == 0) {
        result = uv_udp_set_broadcast(&socket->handle, 1);
    }
    if (result == 0) {
        result = uv_udp_recv_start(&socket->handle, on_alloc, on_receive);
    }
    if (result != 0) {
        // The card stays without a socket; the next refresh tries again.
        log_uv_failure(result);
        uv_close(reinterpret_cast<uv_handle_t*>(&socket->handle), on_closed);
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    sockets_[mac] = socket;
    return socket;
}

void UdpClient::close_socket(const std::string& mac)
{
    CardSocket* socket = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = sockets_.find(mac);
        if (it == sockets_.end()) {
            return;
        }
        socket = it->second;
        sockets_.erase(it);
    }
    auto* handle = reinterpret_cast<uv_handle_t*>(&socket->handle);
    if (!uv_is_closing(handle)) {
        uv_close(handle, on_closed);
    }
}

void UdpClient::on_closed(uv_handle_t* handle)
{
    if (handle->type == UV_UDP) {
        SM_TRACE("Previous useless handle closed, delete the wrapper handle");
        delete static_cast<CardSocket*>(handle->data);
    }
}

std::size_t UdpClient::socket_count()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return sockets_.size();
}

void UdpClient::run()
{
    uv_run(&loop_, UV_RUN_DEFAULT);
    stopped_ = true;
}

void UdpClient::refresh(const CardTable& cards)
{
    for (const auto& entry : cards) {
        const std::string& mac = entry.first;
        const CardInfo& card = entry.second;
        bool has_socket;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            has_socket = sockets_.count(mac) > 0;
        }
        auto known = cards_.find(mac);
        if (known == cards_.end()) {
            SM_TRACE("New card added name = %s, ip = %s.\n", mac.c_str(), card.ip.c_str());
            cards_[mac] = card;
            if (card.ip == "0.0.0.0") {
                SM_TRACE("New card added, but ip invalid 0.0.0.0 , insert to card info map, do not establish udp "
                         "handler for it.");
            } else {
                open_socket(mac, card);
            }
            continue;
        }
        if (known->second.ip != card.ip) {
            SM_TRACE("Ip changed old ip = %s, new ip = %s\n", known->second.ip.c_str(), card.ip.c_str());
            if (has_socket && card.ip == "0.0.0.0") {
                SM_TRACE("current ip changed to 0.0.0.0, stop and remove udp handle for this card.");
                close_socket(mac);
            } else if (card.ip != "0.0.0.0") {
                SM_TRACE(has_socket ? "previous and current ip all normal, but changed."
                                    : "card previous ip is invalid 0.0.0.0, so create new udp handle.");
                close_socket(mac);
                open_socket(mac, card);
            }
        } else if (!has_socket && card.ip != "0.0.0.0") {
            // Its socket failed before (set-up or read error): make it again.
            SM_TRACE("card %s has no socket, create new udp handle.", mac.c_str());
            open_socket(mac, card);
        }
        known->second = card;
    }
}

bool UdpClient::queue_command(Command command)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        commands_.push_back(std::move(command));
    }
    commander_.wake();
    return true;
}

bool UdpClient::begin_command(Command* command)
{
    if (stopped_.load()) {
        SM_ERROR("discovery client is stopped; nothing sent");
        return false;
    }
    if (!usable_card_list(*options_.cards, &command->macs)) {
        SM_ERROR("get mac addr failed");
        return false;
    }
    // The cards are read here, on the caller's thread, and compared on the
    // loop thread: the caller never waits for the loop.
    command->cards_valid = get_all_card_info(*options_.cards, &command->cards);
    if (!command->cards_valid) {
        SM_ERROR("check network change found no avaliable net card.\n");
    }
    return true;
}

bool UdpClient::broadcast()
{
    Command command;
    if (!begin_command(&command)) {
        return false;
    }
    command.payload.assign(kDiscoveryId, kDiscoveryId + kDiscoveryIdSize);
    return queue_command(std::move(command));
}

bool UdpClient::set_ip(const std::string& device_ip, bool flag, const SetAddress& address)
{
    Command command;
    if (!begin_command(&command)) {
        return false;
    }
    sockaddr_in check;
    int result = uv_ip4_addr(device_ip.c_str(), options_.set_address_port, &check);
    if (result != 0) {
        char name[64];
        SM_ERROR("set_ip [%s]: %s\n", uv_err_name_r(result, name, sizeof(name)), uv_strerror(result));
        return false;
    }
    command.payload = build_set_address(address, flag);
    command.to_device = true;
    command.device_ip = device_ip;
    return queue_command(std::move(command));
}

void UdpClient::on_command(uv_async_t* handle)
{
    auto* self = static_cast<UdpClient*>(handle->data);
    std::vector<Command> commands;
    {
        std::lock_guard<std::mutex> lock(self->mutex_);
        commands.swap(self->commands_);
    }
    for (const Command& command : commands) {
        if (command.cards_valid) {
            self->refresh(command.cards);
        }
        for (const std::string& mac : command.macs) {
            SM_TRACE("sending info use card = %s.\n", mac.c_str());
            CardSocket* socket = nullptr;
            {
                std::lock_guard<std::mutex> lock(self->mutex_);
                auto it = self->sockets_.find(mac);
                if (it != self->sockets_.end()) {
                    socket = it->second;
                }
            }
            if (socket == nullptr) {
                continue;
            }
            if (command.to_device) {
                self->send_from(socket, command.payload, command.device_ip, self->options_.set_address_port);
                continue;
            }
            if (!self->options_.unicast_targets.empty()) {
                for (const std::string& target : self->options_.unicast_targets) {
                    self->send_from(socket, command.payload, target, self->options_.request_port);
                }
                continue;
            }
            std::string destination = self->options_.destination ? self->options_.destination(mac, socket->card)
                                                                 : subnet_broadcast(socket->card);
            if (destination.empty()) {
                SM_ERROR("card %s has no broadcast address; request not sent", mac.c_str());
                continue;
            }
            self->send_from(socket, command.payload, destination, self->options_.request_port);
        }
    }
}

void UdpClient::send_from(CardSocket* socket, const std::vector<char>& payload, const std::string& ip, int port)
{
    SM_TRACE("client_handle = %p, send_handle = %p", static_cast<void*>(this), static_cast<void*>(socket));
    sockaddr_in address;
    int result = uv_ip4_addr(ip.c_str(), port, &address);
    if (result != 0) {
        log_uv_failure(result);
        return;
    }
    send_datagram(&socket->handle, payload, address);
}

void UdpClient::on_alloc(uv_handle_t* handle, std::size_t, uv_buf_t* buf)
{
    auto* socket = static_cast<CardSocket*>(handle->data);
    *buf = uv_buf_init(socket->buffer, sizeof(socket->buffer));
}

void UdpClient::on_receive(uv_udp_t* handle, ssize_t nread, const uv_buf_t* buf, const sockaddr* from,
                           unsigned flags)
{
    auto* socket = static_cast<CardSocket*>(handle->data);
    UdpClient* self = socket->owner;
    if (nread < 0) {
        char name[64];
        SM_ERROR("[%s]: Read error, nread = %d.\n", uv_err_name_r(static_cast<int>(nread), name, sizeof(name)),
                 static_cast<int>(nread));
        // Only this card's socket goes; the next refresh makes it again.
        self->close_socket(socket->mac);
        return;
    }
    if (nread == 0 || from == nullptr) {
        return;
    }
    if ((flags & UV_UDP_PARTIAL) != 0) {
        SM_ERROR("UdpClient AfterRecv datagram larger than %zu bytes dropped.\n", sizeof(socket->buffer));
        return;
    }
    self->handle_datagram(socket, reinterpret_cast<const unsigned char*>(buf->base), static_cast<std::size_t>(nread),
                          from);
}

void UdpClient::handle_datagram(CardSocket* socket, const unsigned char* data, std::size_t size, const sockaddr* from)
{
    char source[16] = {0};
    if (from->sa_family == AF_INET) {
        uv_ip4_name(reinterpret_cast<const sockaddr_in*>(from), source, sizeof(source));
    }
    SM_TRACE("[%s]: Recv from %s, len = %d.\n", socket->mac.c_str(), source, static_cast<int>(size));
    DiscoveryResponse response;
    const char* reason = nullptr;
    if (!parse_discovery_response(data, size, &response, &reason)) {
        SM_ERROR("%s", reason);
        return;
    }
    SM_TRACE("get discovery response type = %d.\n", response.type);
    DiscoveryReply reply;
    std::memset(&reply, 0, sizeof(reply));
    reply.type = response.type;
    copy_address_text(reply.text[0], source);
    if (response.has_block) {
        NetworkBlock block = response.block_valid ? response.block : NetworkBlock{};
        copy_address_text(reply.text[1], ipv4_number_to_text(block.netmask));
        copy_address_text(reply.text[2], ipv4_number_to_text(block.gateway));
        copy_address_text(reply.text[3], ipv4_number_to_text(block.dns1));
        copy_address_text(reply.text[4], ipv4_number_to_text(block.dns2));
    }
    std::string message = response.text + ";discover mac:" + socket->mac;
    reply.text_len = static_cast<int32_t>(message.size());
    reply.message = message.data();
    SM_TRACE("mp_discovery_cb is not NULL, total_msg_len is %d.", reply.text_len);
    if (callback_ != nullptr) {
        callback_(&reply, user_);
    }
}

void UdpClient::on_stop(uv_async_t* handle)
{
    auto* self = static_cast<UdpClient*>(handle->data);
    self->stopper_.mark_closed();
    self->commander_.mark_closed();
    {
        std::lock_guard<std::mutex> lock(self->mutex_);
        self->sockets_.clear();
    }
    close_all_handles(&self->loop_, on_closed);
}

void UdpClient::finish()
{
    if (thread_.joinable()) {
        stopper_.wake();
        thread_.join();
    }
    std::lock_guard<std::mutex> lock(mutex_);
    commands_.clear();
}

}  // namespace detail
}  // namespace sockmesh
