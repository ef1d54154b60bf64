// The infrared stream: a command link (port 63201) and a data link (63202)
// to the camera, numbered requests matched to their answers, a keep-alive
// thread, and the camera's last reported settings.
#pragma once

#include "data_packages.h"
#include "keep_alive.h"
#include "net_video_stream.h"
#include "nvs_packet.h"
#include "pending_commands.h"
#include "record_download.h"
#include "response_decoders.h"

#include "sockmesh.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace streamnet {
namespace detail {

constexpr int kCommandPort = 63201;
constexpr int kDataPort = 63202;
constexpr int kCommandWaitMs = 10000;
constexpr int kRangeWaitMs = 20000;
constexpr std::size_t kJpegCapacity = 3145728;

class NetVideoStreamIR : public NetVideoStream {
public:
    enum class Link { kCommand, kData };

    NetVideoStreamIR();
    ~NetVideoStreamIR() override;

    bool init() override;
    void deinit() override;
    bool connect(const char* ip) override;
    bool disconnect(int argument) override;
    bool get_vi_ir_cut_file(int32_t* status, uint32_t* length, void* out) override;

    // Sends one request; with a wait, blocks for its answer and returns
    // whether it succeeded, else returns whether it was sent.
    bool send_cmd(uint8_t main_cmd, uint8_t vice_cmd, const std::vector<uint8_t>& payload, int wait_ms,
                  Link link = Link::kCommand);

    // Operations (stream_ir_commands.cpp).
    bool get_visual_ip(char* out, int32_t* length);
    bool get_resolution(uint16_t* width, uint16_t* height);
    bool set_temperature_params(float emissivity, float distance, float ambient, float humidity);
    bool get_temperature_params(float* emissivity, float* distance, float* ambient, float* humidity);
    bool set_temperature_unit(int32_t unit);
    bool get_temperature_unit(int32_t* unit);
    bool get_temperature_meas_range(int32_t* count, NvsMeasRange* out);
    bool get_curr_temperature_meas_range(int32_t* range, float* min_temp, float* max_temp);
    bool set_temperature_meas_range(int32_t range);
    bool set_len_and_meas_range(int32_t lens, int32_t range);
    bool get_device_info(NvsDeviceInfo* info);
    bool set_len_pos(int32_t position);
    bool get_len_pos(int32_t* position);
    bool set_imaging_info(int32_t flag, uint32_t first, uint32_t second);
    bool set_flag(uint8_t vice_cmd, bool on);
    bool get_flag(uint8_t vice_cmd, bool* on);
    bool capture_jpg(void* buffer, uint32_t* length);
    bool get_all_preset_info(uint16_t* current, NvsPresetInfo** list, uint16_t* count);
    bool set_preset_info(const NvsPresetSetting& preset);
    bool get_alarm_list(uint8_t vice_cmd, NvsPresetAlarmInfo** list, int32_t* count);
    bool set_alarm_info(uint8_t vice_cmd, uint16_t preset_id, const void* data, int32_t length);
    bool set_machine_record(bool start);
    bool get_machine_record_status(bool* recording);
    bool get_machine_record_filelist(uint32_t first, uint32_t second, NvsRecordFile* out, uint32_t* count);
    bool download_machine_record_file(const char* remote_name, const char* local_path);

    CallbackSlot<NvsTemperatureFrameCallback> temperature_callback;
    CallbackSlot<NvsRuleTemperatureCallback> rule_temperature_callback;
    CallbackSlot<NvsRuleAlarmCallback> rule_alarm_callback;
    CallbackSlot<NvsRuleDiffAlarmCallback> rule_diff_alarm_callback;
    CallbackSlot<NvsImagingInfoCallback> imaging_info_callback;
    CallbackSlot<NvsCmdFinishedCallback> cmd_finished_callback;

    // For tests: commands still waiting, and answers received on either link.
    std::size_t pending_count() { return pending_.size(); }
    uint64_t responses_received() const { return responses_received_.load(); }
    bool temperatures_big_endian();
    uint32_t link_id();

    // The receive path of both links; tests hand it packets directly.
    void on_command_link_packet(const uint8_t* data, std::size_t size) { on_packet(command_link_, data, size); }

private:
    struct LinkState;
    void on_packet(LinkState& link, const uint8_t* data, std::size_t size);
    void fail_waiting_commands(LinkState& link);

    struct LinkState {
        void* client = nullptr;
        std::atomic<bool> up{false};
        // Reused between frames; only this link's loop thread touches it.
        std::vector<float> temperatures;
    };

    static void on_command_event(const NetEvent* event, void* user);
    static void on_data_event(const NetEvent* event, void* user);
    void on_link_event(LinkState& link, const NetEvent* event, const char* type_message);

    // stream_ir_response.cpp
    bool on_response(const PacketView& packet);
    bool store_description(const PacketView& packet);

    // stream_ir_data.cpp
    bool on_data_package(LinkState& link, const PacketView& packet);
    bool on_temperature_frame(LinkState& link, const PacketView& packet);
    bool on_rule_package(const PacketView& packet);
    bool on_broadcast_package(const PacketView& packet);

    bool connect_links(const char* ip);

    LinkState command_link_;
    LinkState data_link_;
    std::atomic<uint32_t> sequence_{0};
    std::atomic<uint64_t> responses_received_{0};
    PendingCommands pending_;

    KeepAlive keep_alive_;

    // The camera's settings, as last reported.
    VyLock settings_lock_{"camera settings"};
    DeviceDescription description_;
    bool described_ = false;  // a description arrived since init
    uint32_t link_id_ = 0;
    bool big_endian_flag_ = true;
    bool overlay_flag_ = false;
    bool upload_flag_ = false;
    bool record_status_ = false;
    std::string visual_ip_;
    std::vector<NvsRecordFile> record_files_;
    std::vector<uint8_t> jpeg_;

    // Preset and alarm lists; the getters hand out pointers into them.
    VyLock lists_lock_{"preset lists"};
    PresetList presets_;
    bool presets_received_ = false;
    std::vector<NvsPresetAlarmInfo> alarms_;
    std::vector<NvsPresetAlarmInfo> diff_alarms_;

    RecordDownload download_;
};

}  // namespace detail
}  // namespace streamnet
