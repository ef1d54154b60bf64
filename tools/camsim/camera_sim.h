// A simulated thermal network camera: the device side of the command, data,
// visible-light and record-download links, on one loopback address. Several
// run side by side on different 127.a.b.c addresses.
#pragma once

#include "camera_packets.h"
#include "camsim_options.h"
#include "frame_source.h"

#include "sockmesh.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace camsim {

// What the camera saw and did, for tests.
struct CamsimStats {
    uint64_t received = 0;          // packets received, counted on arrival
    uint64_t requests = 0;          // requests handled on any link
    uint64_t keep_alives = 0;       // 173/128 on the command link
    uint64_t visible_keep_alives = 0;
    uint64_t answers = 0;           // answers sent
    uint64_t frames = 0;            // frame periods streamed
    uint64_t temperature_frames = 0;  // temperature packages sent
    uint64_t send_failures = 0;
    uint64_t downloads = 0;         // download requests
    uint64_t connections = 0;       // links accepted
    uint64_t drops = 0;             // links closed on purpose
};

struct RequestRecord {
    int port_kind;  // 0 command, 1 data, 2 visible, 3 download
    uint8_t main_cmd;
    uint8_t vice_cmd;
    uint32_t sequence;
    std::vector<uint8_t> payload;
};

class CameraSim {
public:
    CameraSim();
    ~CameraSim();

    CameraSim(const CameraSim&) = delete;
    CameraSim& operator=(const CameraSim&) = delete;

    // Binds every link on options.address (or a free address for "auto")
    // and starts streaming. False with a reason when anything fails.
    bool start(const CamsimOptions& options, std::string* error);
    void stop();

    std::string address() const { return options_.address; }
    // The device text the camera answers discovery with.
    std::string discovery_text() const;
    DeviceModel model();

    CamsimStats stats();
    // Links of any kind connected right now.
    std::size_t open_links();
    std::vector<RequestRecord> requests();
    // Waits until the predicate holds over the stats (true) or the time runs out.
    bool wait_for(const std::function<bool(const CamsimStats&)>& predicate,
                  std::chrono::milliseconds limit = std::chrono::seconds(20));

    // Packages the camera sends on its own, to every connected data link.
    void broadcast_range(uint8_t lens, uint8_t range);
    void broadcast_preset(uint8_t value, uint16_t first, uint16_t second);
    void send_rule_packages(int count);
    // Closes every link now.
    void drop_links();
    // Answers requests received from now on this late.
    void set_answer_delay(int milliseconds) { answer_delay_ms_ = milliseconds; }

    // The recordings on the camera: name and content.
    static std::vector<std::pair<std::string, std::vector<uint8_t>>> recordings();

private:
    enum PortKind { kCommand = 0, kData = 1, kVisible = 2, kDownload = 3, kPortKinds = 4 };

    struct Server {
        CameraSim* sim = nullptr;
        PortKind kind = kCommand;
        void* handle = nullptr;
        std::mutex send_mutex;  // sockmesh takes one caller at a time per handle
        std::set<int> clients;  // under the camera's state mutex
    };

    struct Job {
        Server* server;
        int client;
        std::vector<uint8_t> packet;
        std::chrono::steady_clock::time_point due;
    };

    static void on_event(const NetEvent* event, void* user);
    bool start_on(const std::string& address, std::string* error);
    void stop_servers();
    void respond_loop();
    void stream_loop();
    void handle_request(Server& server, int client, const std::vector<uint8_t>& packet);
    void handle_command(Server& server, int client, uint8_t main_cmd, uint8_t vice_cmd, uint32_t sequence,
                        const uint8_t* payload, std::size_t size);
    void handle_download(Server& server, int client, const uint8_t* payload, std::size_t size);
    bool send(Server& server, int client, uint8_t type, uint8_t main_cmd, uint8_t vice_cmd, uint8_t code,
              uint32_t sequence, const std::vector<uint8_t>& payload, bool truncate = false);
    void answer(Server& server, int client, uint8_t main_cmd, uint8_t vice_cmd, uint32_t sequence,
                const std::vector<uint8_t>& payload = {}, uint8_t code = 0);
    void send_to_data_links(uint8_t type, uint8_t main_cmd, uint8_t vice_cmd, const std::vector<uint8_t>& payload,
                            bool truncate = false);
    void bump(uint64_t CamsimStats::*counter, uint64_t by = 1);

    CamsimOptions options_;
    std::atomic<int> answer_delay_ms_{0};
    std::unique_ptr<FrameSource> source_;
    Server servers_[kPortKinds];
    bool running_ = false;

    std::mutex state_mutex_;
    std::condition_variable state_changed_;
    CamsimStats stats_;
    std::vector<RequestRecord> requests_;
    DeviceModel model_;
    std::vector<Preset> presets_;
    std::vector<PresetAlarm> alarms_;
    std::vector<PresetAlarm> diff_alarms_;
    bool overlay_flag_ = false;
    bool upload_flag_ = false;
    bool recording_ = false;
    std::set<int> streaming_;  // data-link clients asked to stream

    std::mutex jobs_mutex_;
    std::condition_variable jobs_changed_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::thread responder_;
    std::thread streamer_;
    void* discovery_ = nullptr;
};

}  // namespace camsim
