#include "record_download.h"

#include "data_packages.h"
#include "stream_timing.h"
#include "streamnet_log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace streamnet {
namespace detail {

namespace {

constexpr uint8_t kRecordMain = 178;
constexpr uint8_t kDownloadVice = 163;

}  // namespace

void RecordDownload::on_event(const NetEvent* event, void* user)
{
    auto* self = static_cast<RecordDownload*>(user);
    switch (event->type) {
    case EVT_TCP_CONNECTED: {
        std::lock_guard<std::mutex> lock(self->state_mutex_);
        self->link_up_ = true;
        break;
    }
    case EVT_TCP_DISCONNECTED: {
        {
            std::lock_guard<std::mutex> lock(self->state_mutex_);
            self->link_up_ = false;
        }
        self->changed_.notify_all();
        break;
    }
    case EVT_TCP_EXCEPTION:
        break;
    case EVT_TCP_DATA:
        self->on_packet(reinterpret_cast<const uint8_t*>(event->data), static_cast<std::size_t>(event->len));
        break;
    default:
        SN_ERROR("received data type = %d is error", event->type);
        break;
    }
}

void RecordDownload::on_packet(const uint8_t* data, std::size_t size)
{
    PacketView packet;
    PacketError error;
    if (!parse_packet(data, size, &packet, &error)) {
        log_packet_error(error, packet);
        return;
    }
    if (packet.type != kDataPackage) {
        SN_ERROR("package type = %d is error", packet.type);
        return;
    }
    on_chunk(packet);
}

void RecordDownload::finish_file(State state)
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    state_ = state;
}

void RecordDownload::on_chunk(const PacketView& packet)
{
    if (packet.main_cmd != kRecordMain || packet.vice_cmd != kDownloadVice) {
        SN_ERROR("on_download_data_package main_cmd = %d, vice cmd = %d is error", packet.main_cmd,
                 packet.vice_cmd);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(state_mutex_);
        if (state_ != kRequestSent && state_ != kReceiving) {
            return;
        }
        last_activity_ = std::chrono::steady_clock::now();
        DownloadChunk chunk;
        if (packet.response_code != 0) {
            SN_ERROR("download of the record file refused, response code = %d", packet.response_code);
            finish_file(kFailed);
        } else if (!decode_download_chunk(packet.payload, packet.payload_length, &chunk)) {
            finish_file(kFailed);
        } else {
            std::printf("-----recv size is %u, left size is %u\n", chunk.size, chunk.left);
            if (state_ == kRequestSent) {
                fd_ = ::open(part_path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
                expected_ = chunk.left;
                written_ = 0;
                state_ = kReceiving;
                if (fd_ < 0) {
                    SN_ERROR("open file %s failed: %s", part_path_.c_str(), std::strerror(errno));
                    finish_file(kFailed);
                }
            }
            if (state_ == kReceiving && written_ + chunk.left != expected_) {
                SN_ERROR("download chunk says %u bytes are left, %llu were expected", chunk.left,
                         static_cast<unsigned long long>(expected_ - written_));
                finish_file(kFailed);
            }
            std::size_t done = 0;
            while (state_ == kReceiving && done < chunk.size) {
                ssize_t n = ::write(fd_, chunk.data + done, chunk.size - done);
                if (n < 0 && errno == EINTR) {
                    continue;
                }
                if (n <= 0) {
                    SN_ERROR("write of %s failed: %s", part_path_.c_str(), std::strerror(errno));
                    finish_file(kFailed);
                    break;
                }
                done += static_cast<std::size_t>(n);
            }
            if (state_ == kReceiving) {
                written_ += chunk.size;
                if (chunk.size >= chunk.left) {
                    finish_file(written_ == expected_ ? kDone : kFailed);
                }
            }
        }
    }
    changed_.notify_all();
}

bool RecordDownload::run(const std::string& device_ip, const char* remote_name, const char* local_path)
{
    std::lock_guard<std::mutex> one_at_a_time(mutex_);
    {
        std::lock_guard<std::mutex> lock(state_mutex_);
        link_up_ = false;
        state_ = kIdle;
        part_path_ = std::string(local_path) + ".part";
    }
    void* client = nullptr;
    if (!sockmesh_tcp_client_init(&client)) {
        return false;
    }
    if (!sockmesh_connect_server(client, device_ip.c_str(), kDownloadPort, on_event, this)) {
        SN_ERROR("connect to download server %s failed", device_ip.c_str());
        sockmesh_tcp_client_uninit(&client);
        return false;
    }
    std::size_t name_length = std::strlen(remote_name);
    std::vector<uint8_t> payload;
    put_u32(payload, static_cast<uint32_t>(name_length));
    put_bytes(payload, remote_name, name_length);
    std::vector<uint8_t> request = build_request(kRecordMain, kDownloadVice, 0, payload.data(), payload.size());

    bool sent;
    {
        std::lock_guard<std::mutex> lock(state_mutex_);
        sent = sockmesh_send_data_to_server(client, request.data(), static_cast<int>(request.size()));
        state_ = kRequestSent;
        last_activity_ = std::chrono::steady_clock::now();
    }
    bool ok = false;
    if (sent) {
        std::unique_lock<std::mutex> lock(state_mutex_);
        for (;;) {
            if (state_ == kDone || state_ == kFailed || !link_up_) {
                break;
            }
            const bool first = state_ == kRequestSent;
            auto limit = std::chrono::milliseconds(first ? stream_timing().download_first_chunk_ms.load()
                                                         : stream_timing().download_idle_ms.load());
            if (std::chrono::steady_clock::now() - last_activity_ >= limit) {
                SN_ERROR(first ? "no answer to the download of %s" : "download of %s stalled", remote_name);
                finish_file(kFailed);
                break;
            }
            changed_.wait_until(lock, last_activity_ + limit);
        }
        if (state_ != kDone && state_ != kFailed) {
            SN_ERROR("download link of %s lost", remote_name);
        }
        ok = state_ == kDone;
        // Later chunks are ignored from here on.
        if (!ok) {
            finish_file(kFailed);
        }
    }
    sockmesh_disconnect_server(client);
    sockmesh_tcp_client_uninit(&client);

    std::lock_guard<std::mutex> lock(state_mutex_);
    finish_file(ok ? kDone : kFailed);
    if (ok && std::rename(part_path_.c_str(), local_path) != 0) {
        SN_ERROR("rename of %s to %s failed: %s", part_path_.c_str(), local_path, std::strerror(errno));
        ok = false;
    }
    if (!ok) {
        ::unlink(part_path_.c_str());
    }
    link_up_ = false;
    state_ = kIdle;
    part_path_.clear();
    return ok;
}

}  // namespace detail
}  // namespace streamnet
