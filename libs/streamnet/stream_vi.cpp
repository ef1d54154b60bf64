#include "stream_vi.h"

#include "data_packages.h"
#include "stream_timing.h"
#include "streamnet_log.h"

#include <chrono>
#include <cstring>

namespace streamnet {
namespace detail {

NetVideoStreamVI::NetVideoStreamVI() : NetVideoStream(NVS_STREAM_VISIBLE) {}

NetVideoStreamVI::~NetVideoStreamVI()
{
    deinit();
}

bool NetVideoStreamVI::init()
{
    if (!NetVideoStream::init()) {
        return false;
    }
    if (!sockmesh_tcp_client_init(&client_)) {
        SN_ERROR("sockmesh_tcp_client_init failed.");
        return false;
    }
    keep_alive_.start(
        [this, packet = build_request(173, 128, 0)] {
            if (connected_.load() && client_ != nullptr) {
                sockmesh_send_data_to_server(client_, packet.data(), static_cast<int>(packet.size()));
            }
        },
        [] { return stream_timing().visible_keep_alive_ms.load(); });
    return true;
}

void NetVideoStreamVI::deinit()
{
    if (client_ == nullptr && !keep_alive_.running()) {
        stop_log();
        return;
    }
    SN_INFO("NetVideoStreamVI deinit.");
    keep_alive_.stop();
    if (client_ != nullptr) {
        disconnect(1);
        sockmesh_tcp_client_uninit(&client_);
    }
    stop_log();
}

bool NetVideoStreamVI::connect(const char* ip)
{
    SN_INFO("NetVideoStreamVI connect to %s.", ip);
    set_device_ip(ip);
    if (connected_.load()) {
        SN_INFO("device is connected");
        return false;
    }
    if (client_ == nullptr) {
        SN_ERROR("initial tcp failed");
        return false;
    }
    {
        VyLockGuard guard(cut_file_lock_);
        cut_file_state_ = kNotReceived;
        cut_file_.clear();
    }
    if (!sockmesh_connect_server(client_, ip, kVisiblePort, on_event, this)) {
        SN_ERROR("connect to device %s is failed", ip);
        return false;
    }
    return true;
}

bool NetVideoStreamVI::disconnect(int argument)
{
    disconnect_argument_ = argument;
    SN_INFO("NetVideoStreamVI disconnect to %s.", device_ip().c_str());
    connected_ = false;
    if (client_ != nullptr) {
        sockmesh_disconnect_server(client_);
    }
    return true;
}

bool NetVideoStreamVI::get_vi_ir_cut_file(int32_t* status, uint32_t* length, void* out)
{
    VyLockGuard guard(cut_file_lock_);
    if (cut_file_state_ != kReceived) {
        *length = 0;
        *status = cut_file_state_ == kNoFile ? NVS_CUT_FILE_NONE : NVS_CUT_FILE_NOT_YET;
        return true;
    }
    uint32_t capacity = *length;
    *length = static_cast<uint32_t>(cut_file_.size());
    if (out == nullptr) {
        *status = NVS_CUT_FILE_COPIED;
        return true;
    }
    if (capacity < cut_file_.size()) {
        *status = NVS_CUT_FILE_NO_ROOM;
        return true;
    }
    std::memcpy(out, cut_file_.data(), cut_file_.size());
    *status = NVS_CUT_FILE_COPIED;
    return true;
}

void NetVideoStreamVI::on_event(const NetEvent* event, void* user)
{
    auto* self = static_cast<NetVideoStreamVI*>(user);
    switch (event->type) {
    case EVT_TCP_CONNECTED: {
        SN_INFO("NetVideoStreamVI on_connected");
        self->connected_ = true;
        const std::vector<uint8_t> request = build_request(171, 132, 1);
        sockmesh_send_data_to_server(self->client_, request.data(), static_cast<int>(request.size()));
        self->report_link_state(NVS_LINK_CONNECTED);
        break;
    }
    case EVT_TCP_DISCONNECTED:
        SN_INFO("NetVideoStreamVI on_disconnected");
        self->connected_ = false;
        self->report_link_state(NVS_LINK_DISCONNECTED);
        break;
    case EVT_TCP_EXCEPTION:
        SN_INFO("NetVideoStreamVI on_exception");
        self->connected_ = false;
        self->report_link_state(NVS_LINK_BROKEN);
        break;
    case EVT_TCP_DATA:
        self->on_packet(reinterpret_cast<const uint8_t*>(event->data), static_cast<std::size_t>(event->len));
        break;
    default:
        SN_ERROR("recvied data type = %d is error", event->type);
        break;
    }
}

void NetVideoStreamVI::on_packet(const uint8_t* data, std::size_t size)
{
    PacketView packet;
    PacketError error;
    if (!parse_packet(data, size, &packet, &error)) {
        log_packet_error(error, packet);
        return;
    }
    if (packet.type == kResponse) {
        on_response(packet);
    } else if (packet.type == kDataPackage) {
        on_data(packet);
    } else {
        SN_ERROR("package type = %d is error", packet.type);
    }
}

void NetVideoStreamVI::on_response(const PacketView& packet)
{
    if (packet.main_cmd != 171 || packet.vice_cmd != 132) {
        SN_ERROR("cmd[%d, %d] is error", packet.main_cmd, packet.vice_cmd);
        return;
    }
    VyLockGuard guard(cut_file_lock_);
    if (packet.payload_length == 0) {
        SN_ERROR("get vi_ir_cnt_cfg failed, no file");
        cut_file_state_ = kNoFile;
        return;
    }
    cut_file_.assign(packet.payload, packet.payload + packet.payload_length);
    cut_file_state_ = kReceived;
}

void NetVideoStreamVI::on_data(const PacketView& packet)
{
    if (packet.main_cmd != 161 || packet.vice_cmd != 132) {
        SN_ERROR("cmd[%d, %d] is error", packet.main_cmd, packet.vice_cmd);
        return;
    }
    PsPackage video;
    if (decode_visible_video(packet.payload, packet.payload_length, &video)) {
        on_recv_video_data(video.frame_type, video.video, video.video_size);
    }
}

}  // namespace detail
}  // namespace streamnet
