#include "stream_ir.h"

#include "stream_timing.h"
#include "streamnet_log.h"

#include <chrono>

namespace streamnet {
namespace detail {

NetVideoStreamIR::NetVideoStreamIR() : NetVideoStream(NVS_STREAM_IR) {}

NetVideoStreamIR::~NetVideoStreamIR()
{
    deinit();
}

bool NetVideoStreamIR::init()
{
    if (!NetVideoStream::init()) {
        return false;
    }
    if (!sockmesh_tcp_client_init(&command_link_.client)) {
        SN_ERROR("init cmd net handle faild");
        return false;
    }
    if (!sockmesh_tcp_client_init(&data_link_.client)) {
        SN_ERROR("init data net handle faild");
        sockmesh_tcp_client_uninit(&command_link_.client);
        return false;
    }
    keep_alive_.start(
        [this] {
            if (command_link_.up.load() && data_link_.up.load()) {
                send_cmd(173, 128, {}, kCommandWaitMs);
            }
        },
        [] { return stream_timing().ir_keep_alive_ms.load(); });
    return true;
}

void NetVideoStreamIR::deinit()
{
    if (command_link_.client == nullptr && data_link_.client == nullptr) {
        stop_log();
        return;
    }
    // A command blocked in its wait (the keep-alive's among them) ends now
    // instead of at its time limit.
    pending_.close();
    keep_alive_.stop();
    SN_INFO("NetVideoStreamIR deinit.");
    disconnect(1);
    sockmesh_tcp_client_uninit(&data_link_.client);
    sockmesh_tcp_client_uninit(&command_link_.client);
    stop_log();
}

bool NetVideoStreamIR::send_cmd(uint8_t main_cmd, uint8_t vice_cmd, const std::vector<uint8_t>& payload,
                                int wait_ms, Link link)
{
    LinkState& target = link == Link::kData ? data_link_ : command_link_;
    if (target.client == nullptr) {
        return false;
    }
    uint32_t sequence = ++sequence_;
    if (wait_ms != 0) {
        pending_.add(sequence, static_cast<int>(link));
    }
    std::vector<uint8_t> packet = build_request(main_cmd, vice_cmd, sequence, payload.data(), payload.size());
    bool sent = sockmesh_send_data_to_server(target.client, packet.data(), static_cast<int>(packet.size()));
    if (!sent) {
        SN_ERROR("send cmd [%d, %d] failed", main_cmd, vice_cmd);
    }
    if (wait_ms == 0) {
        return sent;
    }
    if (!sent) {
        pending_.remove(sequence);
        return false;
    }
    bool ok = pending_.wait(sequence, capped_wait(wait_ms));
    if (!ok) {
        SN_ERROR("cmd [%d, %d] sequence %u failed or was not answered", main_cmd, vice_cmd, sequence);
    }
    return ok;
}

bool NetVideoStreamIR::connect_links(const char* ip)
{
    if (!sockmesh_connect_server(command_link_.client, ip, kCommandPort, on_command_event, this)) {
        SN_ERROR("connect to cmd server %s failed", ip);
        return false;
    }
    if (!sockmesh_connect_server(data_link_.client, ip, kDataPort, on_data_event, this)) {
        SN_ERROR("connect to data server %s failed", ip);
        return false;
    }
    if (!send_cmd(172, 128, {}, kCommandWaitMs, Link::kData)) {
        SN_ERROR("get link of data failed");
        return false;
    }
    uint32_t link_id;
    {
        VyLockGuard guard(settings_lock_);
        link_id = link_id_;
    }
    std::vector<uint8_t> payload;
    put_u32(payload, link_id);
    if (!send_cmd(160, 129, payload, kCommandWaitMs)) {
        SN_ERROR("request data of %s failed", ip);
        return false;
    }
    FirmwareVersion firmware;
    {
        VyLockGuard guard(settings_lock_);
        firmware = description_.firmware;
    }
    if (!is_newer_firmware(firmware)) {
        return true;
    }
    // The answer to the byte-order query arrives before the preset list's on
    // the same link, so the flag is set once the list has come.
    send_cmd(169, 183, {}, 0);
    return send_cmd(170, 138, {}, kCommandWaitMs);
}

bool NetVideoStreamIR::connect(const char* ip)
{
    set_device_ip(ip);
    if (command_link_.up.load() && data_link_.up.load()) {
        SN_INFO("device is connected");
        return true;
    }
    if (command_link_.client == nullptr || data_link_.client == nullptr) {
        SN_ERROR("initial tcp failed");
        return false;
    }
    pending_.reopen();
    if (!connect_links(ip)) {
        disconnect(1);
        SN_ERROR("connect to server %s failed", ip);
        return false;
    }
    SN_INFO("connect to server %s succ", ip);
    return true;
}

bool NetVideoStreamIR::disconnect(int argument)
{
    disconnect_argument_ = argument;
    if (data_link_.client != nullptr) {
        sockmesh_disconnect_server(data_link_.client);
    }
    if (command_link_.client != nullptr) {
        sockmesh_disconnect_server(command_link_.client);
    }
    SN_INFO("disconnect successed");
    return true;
}

bool NetVideoStreamIR::get_vi_ir_cut_file(int32_t* status, uint32_t* length, void*)
{
    *status = NVS_CUT_FILE_WRONG_KIND;
    if (length != nullptr) {
        *length = 0;
    }
    return false;
}

void NetVideoStreamIR::on_command_event(const NetEvent* event, void* user)
{
    auto* self = static_cast<NetVideoStreamIR*>(user);
    self->on_link_event(self->command_link_, event, "received cmd type = %d is error");
}

void NetVideoStreamIR::on_data_event(const NetEvent* event, void* user)
{
    auto* self = static_cast<NetVideoStreamIR*>(user);
    self->on_link_event(self->data_link_, event, "received data type = %d is error");
}

void NetVideoStreamIR::on_link_event(LinkState& link, const NetEvent* event, const char* type_message)
{
    switch (event->type) {
    case EVT_TCP_CONNECTED:
        link.up = true;
        report_link_state(NVS_LINK_CONNECTED);
        break;
    case EVT_TCP_DISCONNECTED:
        link.up = false;
        fail_waiting_commands(link);
        report_link_state(NVS_LINK_DISCONNECTED);
        break;
    case EVT_TCP_EXCEPTION:
        fail_waiting_commands(link);
        report_link_state(NVS_LINK_BROKEN);
        break;
    case EVT_TCP_DATA:
        on_packet(link, reinterpret_cast<const uint8_t*>(event->data), static_cast<std::size_t>(event->len));
        break;
    default:
        SN_ERROR(type_message, event->type);
        break;
    }
}

void NetVideoStreamIR::fail_waiting_commands(LinkState& link)
{
    // No answer can come over a dropped link.
    const bool data = &link == &data_link_;
    std::size_t failed = pending_.fail_link(static_cast<int>(data ? Link::kData : Link::kCommand));
    if (failed > 0) {
        SN_ERROR("%s link dropped, %zu waiting commands failed", data ? "data" : "cmd", failed);
    }
}

void NetVideoStreamIR::on_packet(LinkState& link, const uint8_t* data, std::size_t size)
{
    PacketView packet;
    PacketError error;
    if (!parse_packet(data, size, &packet, &error)) {
        log_packet_error(error, packet);
        // A refused answer whose header arrived whole fails its command at
        // once rather than at the end of its wait.
        if (error != PacketError::kStartMarker && size >= kHeaderSize && packet.type == kResponse) {
            pending_.complete(packet.sequence, PendingCommands::kFailed);
        }
        return;
    }
    switch (packet.type) {
    case kResponse: {
        bool ok = on_response(packet);
        ++responses_received_;
        pending_.complete(packet.sequence, ok ? packet.response_code : PendingCommands::kFailed);
        break;
    }
    case kDataPackage:
        on_data_package(link, packet);
        break;
    case kBroadcast:
        on_broadcast_package(packet);
        break;
    default:
        SN_ERROR("package type = %d is error", packet.type);
        break;
    }
}

uint32_t NetVideoStreamIR::link_id()
{
    VyLockGuard guard(settings_lock_);
    return link_id_;
}

bool NetVideoStreamIR::temperatures_big_endian()
{
    VyLockGuard guard(settings_lock_);
    return is_newer_firmware(description_.firmware) && big_endian_flag_;
}

}  // namespace detail
}  // namespace streamnet
