#include "camera_sim.h"

#include "byte_reader.h"
#include "nvs_packet.h"
#include "response_decoders.h"

#include "basekit.h"
#include "sockmesh.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>

using streamnet::detail::ByteReader;
using streamnet::detail::PacketError;
using streamnet::detail::PacketView;

namespace camsim {

namespace {

constexpr int kKeyFrameEvery = 25;
constexpr int kInfoEvery = 25;
constexpr uint32_t kDownloadChunk = 65536;
constexpr int kAddressTries = 64;

std::string program_file(const char* name)
{
    char directory[4096];
    int length = sizeof(directory);
    if (vy_get_exe_path(directory, &length) != VY_OK) {
        return name;
    }
    return std::string(directory, static_cast<std::size_t>(length)) + "/" + name;
}

// The camera's own side of the firmware rule, kept apart from the client's so
// that a test against the simulator catches a client that reads it wrongly:
// major >= 1, minor >= 1 and patch >= 39, each number by itself, answers the
// byte-order query with 1 and sends big-endian temperature frames.
bool newer_firmware(const std::string& firmware)
{
    int major = 0;
    int minor = 0;
    int patch = 0;
    return std::sscanf(firmware.c_str(), "%d.%d.%d", &major, &minor, &patch) == 3 && major >= 1 && minor >= 1 &&
           patch >= 39;
}

std::string random_loopback(std::mt19937& random)
{
    std::uniform_int_distribution<int> part(1, 254);
    return "127." + std::to_string(part(random)) + "." + std::to_string(part(random)) + "." +
           std::to_string(part(random));
}

// A small picture of the frame: every fourth pixel's AD value, 8 bits.
std::vector<uint8_t> thumbnail(const SourceFrame& frame)
{
    std::vector<uint8_t> out;
    out.reserve(static_cast<std::size_t>(frame.width / 4) * (frame.height / 4));
    for (int y = 0; y + 3 < frame.height; y += 4) {
        for (int x = 0; x + 3 < frame.width; x += 4) {
            out.push_back(static_cast<uint8_t>(frame.ad[static_cast<std::size_t>(y) * frame.width + x] >> 6));
        }
    }
    return out;
}

const std::vector<uint8_t> kJpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x01,
                                    0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0xFF, 0xD9};

}  // namespace

CameraSim::CameraSim()
{
    for (int kind = 0; kind < kPortKinds; ++kind) {
        servers_[kind].sim = this;
        servers_[kind].kind = static_cast<PortKind>(kind);
    }
}

CameraSim::~CameraSim()
{
    stop();
}

std::vector<std::pair<std::string, std::vector<uint8_t>>> CameraSim::recordings()
{
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
    const std::pair<const char*, std::size_t> shapes[] = {
        {"rec_0001.ps", 200000}, {"rec_0002.ps", kDownloadChunk}, {"rec_0003.ps", 17}};
    for (const auto& shape : shapes) {
        std::vector<uint8_t> content;
        uint8_t picture[1000];
        for (int frame = 0; content.size() < shape.second; ++frame) {
            for (std::size_t i = 0; i < sizeof(picture); ++i) {
                picture[i] = static_cast<uint8_t>(i * 7 + frame * 13 + shape.second);
            }
            std::vector<uint8_t> bytes = video_frame(frame % kKeyFrameEvery == 0, picture, sizeof(picture));
            content.insert(content.end(), bytes.begin(), bytes.end());
        }
        content.resize(shape.second);
        files.emplace_back(shape.first, std::move(content));
    }
    return files;
}

std::string CameraSim::discovery_text() const
{
    return "camsim;software ver:" + options_.firmware + ";sys ver:1";
}

bool CameraSim::start(const CamsimOptions& options, std::string* error)
{
    if (running_) {
        *error = "the camera is running";
        return false;
    }
    options_ = options;
    answer_delay_ms_ = options.answer_delay_ms;
    std::string calibration = options.calibration.empty() ? program_file("ad_temp") : options.calibration;
    source_ = options.source == "pattern" ? make_pattern_source(options.width, options.height, calibration, error)
                                          : make_capture_source(calibration, error);
    if (!source_) {
        return false;
    }
    // The camera offers exactly the lenses and ranges its calibration holds,
    // as the program lists them from the same data.
    std::vector<LensRanges> lenses;
    if (!read_calibration_lenses(calibration, &lenses)) {
        *error = "calibration data " + calibration + " holds no lens";
        source_.reset();
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(state_mutex_);
        model_ = DeviceModel();
        model_.firmware = options.firmware;
        model_.hardware = options.hardware;
        // The source decides the frame size; the options only ask for one.
        model_.width = static_cast<uint16_t>(source_->width());
        model_.height = static_cast<uint16_t>(source_->height());
        model_.lens_position = 120;
        model_.lenses = std::move(lenses);
        model_.lens_index = model_.lenses.front().lens;
        model_.meas_range = model_.lenses.front().ranges.front().range;
        presets_ = {{1, {10, 20, 30, 40}, "gate"}, {2, {11, 21, 31, 41}, "transformer"}};
        alarms_ = {{1, "max>80"}};
        diff_alarms_ = {{2, "delta>5"}};
        stats_ = CamsimStats();
        requests_.clear();
        streaming_.clear();
    }
    bool started = false;
    if (options.address == "auto") {
        std::mt19937 random(std::random_device{}());
        for (int attempt = 0; attempt < kAddressTries && !started; ++attempt) {
            options_.address = random_loopback(random);
            started = start_on(options_.address, error);
        }
    } else {
        started = start_on(options_.address, error);
    }
    if (!started) {
        source_.reset();
        return false;
    }
    if (options.discovery) {
        // On the camera's own loopback address: several simulators answer side
        // by side, and nothing listens on a card.
        if (!sockmesh_discovery_server_start_on(&discovery_, options_.address.c_str(), discovery_text().c_str(),
                                                nullptr, nullptr)) {
            std::fprintf(stderr, "camsim: discovery could not start; continuing without it\n");
            discovery_ = nullptr;
        }
    }
    {
        std::lock_guard<std::mutex> lock(jobs_mutex_);
        stopping_ = false;
        jobs_.clear();
    }
    responder_ = std::thread(&CameraSim::respond_loop, this);
    streamer_ = std::thread(&CameraSim::stream_loop, this);
    running_ = true;
    return true;
}

bool CameraSim::start_on(const std::string& address, std::string* error)
{
    const int ports[kPortKinds] = {options_.command_port, options_.data_port, options_.visible_port,
                                   options_.download_port};
    for (int kind = 0; kind < kPortKinds; ++kind) {
        Server& server = servers_[kind];
        if (!sockmesh_tcp_server_init(&server.handle) ||
            !sockmesh_start_tcp_server(server.handle, address.c_str(), ports[kind], on_event, &server)) {
            *error = "can not listen on " + address + ":" + std::to_string(ports[kind]);
            stop_servers();
            return false;
        }
    }
    return true;
}

void CameraSim::stop_servers()
{
    for (Server& server : servers_) {
        if (server.handle != nullptr) {
            sockmesh_tcp_server_uninit(&server.handle);
        }
        std::lock_guard<std::mutex> lock(state_mutex_);
        server.clients.clear();
    }
}

void CameraSim::stop()
{
    if (!running_) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(jobs_mutex_);
        stopping_ = true;
    }
    jobs_changed_.notify_all();
    responder_.join();
    streamer_.join();
    if (discovery_ != nullptr) {
        sockmesh_discovery_server_finish(&discovery_);
    }
    stop_servers();
    source_.reset();
    running_ = false;
}

DeviceModel CameraSim::model()
{
    std::lock_guard<std::mutex> lock(state_mutex_);
    return model_;
}

CamsimStats CameraSim::stats()
{
    std::lock_guard<std::mutex> lock(state_mutex_);
    return stats_;
}

std::size_t CameraSim::open_links()
{
    std::lock_guard<std::mutex> lock(state_mutex_);
    std::size_t links = 0;
    for (const Server& server : servers_) {
        links += server.clients.size();
    }
    return links;
}

std::vector<RequestRecord> CameraSim::requests()
{
    std::lock_guard<std::mutex> lock(state_mutex_);
    return requests_;
}

bool CameraSim::wait_for(const std::function<bool(const CamsimStats&)>& predicate, std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(state_mutex_);
    return state_changed_.wait_for(lock, limit, [&] { return predicate(stats_); });
}

void CameraSim::bump(uint64_t CamsimStats::*counter, uint64_t by)
{
    {
        std::lock_guard<std::mutex> lock(state_mutex_);
        stats_.*counter += by;
    }
    state_changed_.notify_all();
}

void CameraSim::on_event(const NetEvent* event, void* user)
{
    auto* server = static_cast<Server*>(user);
    CameraSim* self = server->sim;
    switch (event->type) {
    case EVT_TCP_CONNECTED: {
        std::lock_guard<std::mutex> lock(self->state_mutex_);
        server->clients.insert(event->id);
        ++self->stats_.connections;
        break;
    }
    case EVT_TCP_DISCONNECTED:
    case EVT_TCP_EXCEPTION: {
        std::lock_guard<std::mutex> lock(self->state_mutex_);
        server->clients.erase(event->id);
        if (server->kind == kData) {
            self->streaming_.erase(event->id);
        }
        break;
    }
    case EVT_TCP_DATA: {
        Job job{server, event->id, std::vector<uint8_t>(event->data, event->data + event->len),
                std::chrono::steady_clock::now() + std::chrono::milliseconds(self->answer_delay_ms_.load())};
        {
            std::lock_guard<std::mutex> lock(self->jobs_mutex_);
            if (self->stopping_) {
                return;
            }
            self->jobs_.push_back(std::move(job));
        }
        self->jobs_changed_.notify_all();
        self->bump(&CamsimStats::received);
        return;
    }
    default:
        return;
    }
    self->state_changed_.notify_all();
}

void CameraSim::respond_loop()
{
    std::unique_lock<std::mutex> lock(jobs_mutex_);
    for (;;) {
        jobs_changed_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (stopping_) {
            return;
        }
        auto due = jobs_.front().due;
        if (jobs_changed_.wait_until(lock, due, [this] { return stopping_; })) {
            return;
        }
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        handle_request(*job.server, job.client, job.packet);
        lock.lock();
    }
}

bool CameraSim::send(Server& server, int client, uint8_t type, uint8_t main_cmd, uint8_t vice_cmd, uint8_t code,
                     uint32_t sequence, const std::vector<uint8_t>& payload, bool truncate)
{
    std::vector<uint8_t> packet =
        streamnet::detail::build_packet(type, main_cmd, vice_cmd, code, sequence, payload.data(), payload.size());
    if (truncate) {
        // The total length claims eight bytes more than the packet holds.
        uint32_t claimed = static_cast<uint32_t>(packet.size() + 8);
        for (int i = 0; i < 4; ++i) {
            packet[7 + i] = static_cast<uint8_t>(claimed >> (24 - 8 * i));
        }
    }
    bool ok;
    {
        std::lock_guard<std::mutex> lock(server.send_mutex);
        ok = server.handle != nullptr &&
             sockmesh_send_data_to_client_by_id(server.handle, client, packet.data(), static_cast<int>(packet.size()));
    }
    if (!ok) {
        bump(&CamsimStats::send_failures);
    }
    return ok;
}

void CameraSim::answer(Server& server, int client, uint8_t main_cmd, uint8_t vice_cmd, uint32_t sequence,
                       const std::vector<uint8_t>& payload, uint8_t code)
{
    send(server, client, streamnet::detail::kResponse, main_cmd, vice_cmd, code, sequence, payload,
         options_.truncate_answers);
    bump(&CamsimStats::answers);
}

void CameraSim::handle_request(Server& server, int client, const std::vector<uint8_t>& bytes)
{
    PacketView packet;
    PacketError error;
    if (!streamnet::detail::parse_packet(bytes.data(), bytes.size(), &packet, &error) ||
        packet.type != streamnet::detail::kRequest) {
        std::fprintf(stderr, "camsim: a packet that is no request was dropped\n");
        return;
    }
    {
        std::lock_guard<std::mutex> lock(state_mutex_);
        ++stats_.requests;
        requests_.push_back({server.kind, packet.main_cmd, packet.vice_cmd, packet.sequence,
                             std::vector<uint8_t>(packet.payload, packet.payload + packet.payload_length)});
    }
    state_changed_.notify_all();
    switch (server.kind) {
    case kCommand:
    case kData:
        handle_command(server, client, packet.main_cmd, packet.vice_cmd, packet.sequence, packet.payload,
                       packet.payload_length);
        break;
    case kVisible:
        if (packet.main_cmd == 171 && packet.vice_cmd == 132) {
            std::vector<uint8_t> file;
            if (options_.cut_file) {
                const char text[] = "vi-ir registration: scale 1.0 offset 0 0\n";
                file.assign(text, text + sizeof(text) - 1);
            }
            answer(server, client, 171, 132, packet.sequence, file);
        } else if (packet.main_cmd == 173 && packet.vice_cmd == 128) {
            bump(&CamsimStats::visible_keep_alives);
        }
        break;
    case kDownload:
        if (packet.main_cmd == 178 && packet.vice_cmd == 163) {
            handle_download(server, client, packet.payload, packet.payload_length);
        }
        break;
    default:
        break;
    }
}

void CameraSim::handle_command(Server& server, int client, uint8_t main_cmd, uint8_t vice_cmd, uint32_t sequence,
                               const uint8_t* payload, std::size_t size)
{
    ByteReader reader(payload, size);
    std::vector<uint8_t> reply;
    uint8_t code = 0;
    const uint16_t key = static_cast<uint16_t>(main_cmd << 8 | vice_cmd);
    std::unique_lock<std::mutex> lock(state_mutex_);
    switch (key) {
    case 172 << 8 | 128:
        streamnet::detail::put_u32(reply, static_cast<uint32_t>(client));
        break;
    case 160 << 8 | 129: {
        uint32_t link = reader.u32();
        if (!reader.ok() || servers_[kData].clients.count(static_cast<int>(link)) == 0) {
            code = 1;
        } else {
            streaming_.insert(static_cast<int>(link));
            reply = device_description(model_);
        }
        break;
    }
    case 160 << 8 | 132:
        code = reader.u32() > 0 && reader.ok() ? 0 : 1;
        break;
    case 160 << 8 | 133:
        streaming_.erase(static_cast<int>(reader.u32()));
        break;
    case 161 << 8 | 135:
        reply = kJpeg;
        break;
    case 163 << 8 | 128: {
        uint8_t lens = reader.u8();
        uint8_t range = reader.u8();
        code = 1;
        for (const LensRanges& entry : model_.lenses) {
            for (const LensRanges::Range& r : entry.ranges) {
                if (reader.ok() && entry.lens == lens && r.range == range) {
                    model_.lens_index = lens;
                    model_.meas_range = range;
                    code = 0;
                }
            }
        }
        break;
    }
    case 163 << 8 | 129:
        if (size != 17) {
            code = 1;
            break;
        }
        for (float& value : model_.params) {
            value = reader.f32_host();
        }
        model_.unit = reader.u8();
        break;
    case 163 << 8 | 135:
        model_.unit = reader.u8();
        code = reader.ok() && model_.unit <= 2 ? 0 : 1;
        break;
    case 164 << 8 | 136:
        streamnet::detail::put_u32(reply, model_.lens_position);
        break;
    case 164 << 8 | 137:
        model_.lens_position = static_cast<uint16_t>(reader.u32());
        code = reader.ok() ? 0 : 1;
        break;
    case 169 << 8 | 149:
        reply = counted_text(options_.address);
        break;
    case 169 << 8 | 183:
        reply = {static_cast<uint8_t>(newer_firmware(model_.firmware) ? 1 : 0)};
        break;
    case 169 << 8 | 186:
        overlay_flag_ = reader.u8() == 1;
        break;
    case 169 << 8 | 187:
        reply = {static_cast<uint8_t>(overlay_flag_ ? 1 : 0)};
        break;
    case 169 << 8 | 188:
        upload_flag_ = reader.u8() == 1;
        break;
    case 169 << 8 | 189:
        reply = {static_cast<uint8_t>(upload_flag_ ? 1 : 0)};
        break;
    case 170 << 8 | 137: {
        Preset preset;
        preset.id = reader.u16();
        for (uint32_t& value : preset.values) {
            value = reader.u32_host();
        }
        uint32_t length = reader.u32();
        const uint8_t* text = reader.bytes(length);
        if (!reader.ok()) {
            code = 1;
            break;
        }
        preset.text.assign(reinterpret_cast<const char*>(text), length);
        auto it = std::find_if(presets_.begin(), presets_.end(), [&](const Preset& p) { return p.id == preset.id; });
        if (it != presets_.end()) {
            *it = preset;
        } else {
            presets_.push_back(preset);
        }
        break;
    }
    case 170 << 8 | 138:
        reply = preset_list(presets_.empty() ? 0 : presets_.front().id, presets_);
        break;
    case 170 << 8 | 139:
    case 170 << 8 | 141: {
        PresetAlarm alarm;
        alarm.id = reader.u16();
        uint32_t length = reader.u32();
        const uint8_t* text = reader.bytes(length);
        if (!reader.ok()) {
            code = 1;
            break;
        }
        alarm.text.assign(reinterpret_cast<const char*>(text), length);
        std::vector<PresetAlarm>& list = vice_cmd == 139 ? alarms_ : diff_alarms_;
        auto it = std::find_if(list.begin(), list.end(), [&](const PresetAlarm& a) { return a.id == alarm.id; });
        if (it != list.end()) {
            *it = alarm;
        } else {
            list.push_back(alarm);
        }
        break;
    }
    case 170 << 8 | 140:
        reply = alarm_list(alarms_);
        break;
    case 170 << 8 | 142:
        reply = alarm_list(diff_alarms_);
        break;
    case 173 << 8 | 128:
        ++stats_.keep_alives;
        break;
    case 178 << 8 | 160:
        recording_ = reader.u8() == 1;
        break;
    case 178 << 8 | 161:
        reply = {static_cast<uint8_t>(recording_ ? 1 : 0)};
        break;
    case 178 << 8 | 162: {
        std::vector<RecordFileEntry> entries;
        for (const auto& file : recordings()) {
            entries.push_back({file.first, "1765000000", std::to_string(file.second.size())});
        }
        reply = record_file_list(entries);
        break;
    }
    default:
        // Motors, shutter, laser, imaging and overlay commands are taken as
        // they come; anything else is refused.
        if (!(main_cmd == 164 && vice_cmd >= 128 && vice_cmd <= 141) && !(main_cmd == 168 && vice_cmd == 142) &&
            !(main_cmd == 170 && (vice_cmd == 133 || vice_cmd == 136))) {
            code = 1;
        }
        break;
    }
    lock.unlock();
    state_changed_.notify_all();
    answer(server, client, main_cmd, vice_cmd, sequence, reply, code);
}

void CameraSim::handle_download(Server& server, int client, const uint8_t* payload, std::size_t size)
{
    bump(&CamsimStats::downloads);
    ByteReader reader(payload, size);
    uint32_t length = reader.u32();
    const uint8_t* name = reader.bytes(length);
    std::string wanted = reader.ok() ? std::string(reinterpret_cast<const char*>(name), length) : std::string();
    for (const auto& file : recordings()) {
        if (file.first != wanted) {
            continue;
        }
        const std::vector<uint8_t>& content = file.second;
        for (std::size_t pos = 0; pos < content.size(); pos += kDownloadChunk) {
            uint32_t chunk = static_cast<uint32_t>(std::min<std::size_t>(kDownloadChunk, content.size() - pos));
            uint32_t left = static_cast<uint32_t>(content.size() - pos);
            send(server, client, streamnet::detail::kDataPackage, 178, 163, 0, 0,
                 download_chunk(content.data() + pos, chunk, left));
            if (options_.stall_download) {
                return;
            }
        }
        return;
    }
    send(server, client, streamnet::detail::kDataPackage, 178, 163, 1, 0, {});
}

void CameraSim::send_to_data_links(uint8_t type, uint8_t main_cmd, uint8_t vice_cmd,
                                   const std::vector<uint8_t>& payload, bool truncate)
{
    std::set<int> targets;
    {
        std::lock_guard<std::mutex> lock(state_mutex_);
        targets = streaming_;
    }
    for (int client : targets) {
        send(servers_[kData], client, type, main_cmd, vice_cmd, 0, 0, payload, truncate);
    }
}

void CameraSim::broadcast_range(uint8_t lens, uint8_t range)
{
    std::set<int> targets;
    {
        std::lock_guard<std::mutex> lock(state_mutex_);
        model_.lens_index = lens;
        model_.meas_range = range;
        targets = servers_[kCommand].clients;
    }
    for (int client : targets) {
        send(servers_[kCommand], client, streamnet::detail::kBroadcast, 163, 128, 0, 0, {lens, range});
    }
}

void CameraSim::broadcast_preset(uint8_t value, uint16_t first, uint16_t second)
{
    std::vector<uint8_t> payload{value};
    streamnet::detail::put_u16(payload, first);
    streamnet::detail::put_u16(payload, second);
    std::set<int> targets;
    {
        std::lock_guard<std::mutex> lock(state_mutex_);
        targets = servers_[kCommand].clients;
    }
    for (int client : targets) {
        send(servers_[kCommand], client, streamnet::detail::kBroadcast, 176, 146, 0, 0, payload);
    }
}

void CameraSim::send_rule_packages(int count)
{
    send_to_data_links(streamnet::detail::kDataPackage, 161, 139, rule_temperatures(7, 3, count, 1));
    send_to_data_links(streamnet::detail::kDataPackage, 161, 140, rule_alarms(7, 3, count, 2));
    send_to_data_links(streamnet::detail::kDataPackage, 161, 141, rule_diff_alarms(7, 3, count, 3));
}

void CameraSim::drop_links()
{
    for (Server& server : servers_) {
        std::set<int> targets;
        {
            std::lock_guard<std::mutex> lock(state_mutex_);
            targets = server.clients;
        }
        for (int client : targets) {
            std::lock_guard<std::mutex> lock(server.send_mutex);
            if (server.handle != nullptr) {
                sockmesh_server_disconnect_client_by_id(server.handle, client);
            }
        }
        bump(&CamsimStats::drops, targets.size());
    }
}

void CameraSim::stream_loop()
{
    using clock = std::chrono::steady_clock;
    const auto period = std::chrono::duration_cast<clock::duration>(std::chrono::duration<double>(1.0 / options_.fps));
    const bool big_endian = newer_firmware(options_.firmware);
    SourceFrame frame;
    uint64_t sent = 0;
    auto due = clock::now();
    std::unique_lock<std::mutex> lock(jobs_mutex_);
    for (;;) {
        if (jobs_changed_.wait_until(lock, due, [this] { return stopping_; })) {
            return;
        }
        due += period;
        if (due < clock::now() - std::chrono::seconds(1)) {
            due = clock::now();
        }
        if (options_.frame_limit > 0 && sent >= static_cast<uint64_t>(options_.frame_limit)) {
            due = clock::now() + std::chrono::hours(1);
            continue;
        }
        lock.unlock();
        std::size_t data_links;
        std::set<int> visible;
        {
            std::lock_guard<std::mutex> state(state_mutex_);
            data_links = streaming_.size();
            visible = servers_[kVisible].clients;
        }
        if ((data_links > 0 || !visible.empty()) && source_->next_frame(&frame)) {
            const bool key = sent % kKeyFrameEvery == 0;
            std::vector<uint8_t> picture = thumbnail(frame);
            std::vector<uint8_t> video = video_frame(key, picture.data(), picture.size());
            const int type = key ? 2 : 3;
            if (data_links > 0) {
                send_to_data_links(streamnet::detail::kDataPackage, 161, 134,
                                   temperature_frame(frame.temperatures.data(), frame.temperatures.size(), big_endian),
                                   options_.truncate_frames);
                send_to_data_links(streamnet::detail::kDataPackage, 161, 131,
                                   ps_package(type, video.data(), video.size()), options_.truncate_frames);
                if (sent % kInfoEvery == 0) {
                    auto range = std::minmax_element(frame.temperatures.begin(), frame.temperatures.end());
                    send_to_data_links(streamnet::detail::kDataPackage, 161, 136,
                                       imaging_info(1, *range.first, *range.second));
                }
            }
            std::vector<uint8_t> visible_package = visible_video(type, video.data(), video.size());
            for (int client : visible) {
                send(servers_[kVisible], client, streamnet::detail::kDataPackage, 161, 132, 0, 0, visible_package);
            }
            ++sent;
            {
                std::lock_guard<std::mutex> state(state_mutex_);
                ++stats_.frames;
                stats_.temperature_frames += data_links;
            }
            state_changed_.notify_all();
            if (options_.drop_after_frames > 0 && sent == static_cast<uint64_t>(options_.drop_after_frames)) {
                drop_links();
            }
        }
        lock.lock();
    }
}

}  // namespace camsim
