// The capture device behind a camlink handle. IR holds the three handles of
// the libraries the device builds on; DevCap adds the detector: registers,
// the capture loop, the frame cache, corrections, motors and the
// temperature-sensor thread.
#pragma once

#include "clock.h"
#include "detector.h"
#include "device_options.h"
#include "register_bus.h"
#include "test_pattern.h"
#include "vy_base_object.h"
#include "vy_lock.h"
#include "vytypes.h"

#include "camlink.h"

#include <atomic>
#include <deque>
#include <list>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace camlink {
namespace detail {

constexpr const char* kTag = "ir";
constexpr std::size_t kRawOffset = 1024;
constexpr std::size_t kBufferBytesPerPixel = 6;
constexpr uint16_t kMaxCachedFrames = 16;
// Frames averaged into one uniform scene of the two-point correction.
constexpr int kSceneFrames = 4;

// The engine, frame and imaging handles; freed with the object.
class IR : public _VYBaseObject {
public:
    IR();
    ~IR() override;

    void* at() const { return at_; }
    void* frame() const { return frame_; }
    void* imaging() const { return imaging_; }

    // AD of a temperature and its inverse under the current lens and range.
    bool ad_of_temperature(float temperature, uint16_t* ad);

protected:
    void* at_ = nullptr;
    void* frame_ = nullptr;
    void* imaging_ = nullptr;
};

// A band as the device keeps it: temperatures as (T + 273.15 + 0.05) x 10,
// and the ADs written to the FPGA.
struct Isotherm {
    uint16_t low = 0;
    uint16_t high = 0;
    uint32_t colour = 0;
    uint8_t mode = 0;
    uint16_t low_ad = 0;
    uint16_t high_ad = 0;
    bool first_band = false;
};

enum class Motor { focus, zoom };

enum class Handshake { done, not_written, no_status };

class DevCap : public IR {
public:
    explicit DevCap(DeviceOptions options);
    ~DevCap() override;

    bool init(int32_t flag);
    // Stops and joins every thread; refused on the capture thread.
    bool shutdown();

    // --- registers (dev_cap.cpp)
    bool read_register(uint16_t address, uint16_t* value);
    bool write_register(uint16_t address, uint16_t value);
    // Read-modify-write of the control word: clears `clear`, then sets `set`.
    bool update_control_word(uint16_t clear, uint16_t set);
    bool read_detector_resolution(uint16_t* width, uint16_t* height);
    bool get_detector_resolution(uint16_t* width, uint16_t* height);
    bool hardware_version(uint16_t word, char* buffer, uint32_t* length);
    bool set_capture_switch(bool on);
    bool open_infrared_capture();
    bool set_imaging_process_status(bool first, bool second);

    const Clock& clock() const { return *clock_; }
    Detector& detector() { return detector_; }
    uint16_t width() const { return width_; }
    uint16_t height() const { return height_; }
    uint16_t version_word() const { return version_word_; }
    bool is_fire_alg() const { return fire_alg_; }
    IRDetectorType detector_type() const { return detector_type_; }
    std::string detector_path(const char* function);

    // --- frames (capture_loop.cpp)
    bool capture_one_frame();
    bool set_frame_cache_count(uint16_t count);
    void set_frame_callback(VyDcFrameCallback callback, void* user);
    void set_correct_callbacks(bool finished, VyDcCorrectCallback callback, void* user);
    bool capture_running() const { return capture_thread_.joinable(); }
    void set_fixed_imaging(bool fixed) { fixed_imaging_.store(fixed); }
    // Copy of the newest frame's AD plane.
    bool newest_plane(std::vector<uint16_t>* plane);

    // --- isotherms (isotherms.cpp)
    bool add_isotherm(float low, float high, uint32_t colour, uint8_t mode, int32_t* id);
    bool update_isotherm(int32_t id, float low, float high, uint32_t colour, uint8_t mode);
    bool delete_isotherm(int32_t id);
    bool isotherm_related_ad(uint16_t* low, uint16_t* high);
    void delete_all_isotherms();

    // --- detector settings (detector_settings.cpp)
    bool set_len_and_meas_range(int lens, int range);
    bool set_meas_para(int lens, int range, const MeasPara& para);
    bool set_dac(int lens, int range, int16_t dac);
    bool set_ndac(int lens, int range, uint16_t index, uint16_t fine);
    bool get_ndac(int lens, int range, uint16_t* index, uint16_t* fine);
    bool set_left_edge(uint16_t edge, bool settle);
    bool set_top_edge(uint16_t edge, bool settle);
    bool set_reverse_type(int lens, uint8_t type);
    bool set_output_data_type(uint8_t type);
    bool write_dac(uint16_t dac);
    bool save_detector_file(const char* path);
    bool operation_in_progress() const { return operation_.load(); }

    // --- corrections (corrections.cpp)
    bool two_pts_correct(int32_t which);
    bool calc_k();
    bool write_k();
    bool calc_outer_correct(float temperature);
    bool apply_outer_correct(bool on);
    bool update_bad_pts();
    bool bad_pts_op_of_fpga(int32_t op);
    void modify_bad_repairs_algorithm(bool strict, int32_t threshold);
    void disable_repair_bad_pts();
    void start_bad_pixel_scan();
    // One pass of the automatic scan over the frame's AD plane.
    void repair_bad_pts();
    bool bad_pixel_scan_active() const { return scan_active_.load(); }

    // --- motors (motors.cpp)
    bool auto_focus(uint16_t x, uint16_t y, uint16_t w, uint16_t h);
    bool is_auto_focus(bool* running);
    bool get_motor_pos(Motor motor, uint16_t* position);
    bool set_motor_pos(Motor motor, uint16_t position);
    // Stores a target without waking the motor thread.
    void set_motor_target(Motor motor, uint16_t position);
    void set_auto_focus_precision(int32_t value) { focus_precision_.store(value); }
    void set_auto_focus_by_software(bool on) { focus_by_software_.store(on); }
    // Runs one motor toward its stored target; the motor thread's body.
    void move_motor_to_target(Motor motor);

    // --- temperature and FPGA watch (sensor_thread.cpp)
    bool temperature_correct();
    bool set_temperature_interval(float interval);
    void set_disable_temperature_correct(bool disable) { correct_disabled_.store(disable); }
    bool get_temperature_sensor(float* t1, float* t2, float* t3, float* t4);
    int environment() { return detector_.environment(); }
    bool reset_fpga();
    void set_fixed_reset(bool on) { fixed_reset_.store(on); }
    // One pass of the sensor thread after its wait.
    void sensor_pass();
    bool reset_pending();

private:
    // init steps
    bool make_frame_buffers();
    bool load_files();
    bool send_initial_sensors();

    // capture loop
    void capture_proc();
    bool start_capture_thread();
    bool frame_passes_checks(uint32_t length);
    bool repeats_a_buffer(const uint8_t* compressed, uint32_t length);
    bool load_newest_frame();
    void cache_frame(uint32_t length);
    void deliver_frame();
    void record_scene_frame();
    uint8_t* raw(uint8_t* buffer) const { return buffer + kRawOffset; }

    // settings
    Handshake handshake(uint16_t address, uint16_t value, uint16_t command_bit, uint16_t status_bit,
                        uint16_t* status);
    bool write_checked(uint16_t address, uint16_t value, int attempts);
    bool set_gain(uint8_t gain);
    bool set_integral(uint16_t integral);
    bool set_vsk_gfid(uint16_t vsk, uint16_t gfid);
    bool write_ndac(uint16_t ndac);
    bool switch_len_and_range(int lens, int range);
    bool wait_command_status(uint16_t command_bit, uint16_t status_bit, uint16_t* status);
    void settle(double ms);

    // sensors
    bool read_sensors(float* t1, float* t2, float* t3, float* t4);
    bool update_temperature_sensor();
    bool calc_base_temperature();
    void sensor_proc();
    void motor_proc(Motor motor);
    bool request_restart();
    bool pause(double ms);

    // K, outer and bad-pixel tables to the device (stubs on the simulated one)
    bool send_k_table();
    bool send_outer_table(bool corrected);
    bool send_bad_map();

    std::shared_ptr<RegisterBus> bus_;
    std::shared_ptr<Clock> clock_;
    std::string program_dir_;
    std::string resolution_file_;
    std::function<void()> restart_hook_;

    IRDetectorType detector_type_ = 0;
    int32_t flag_ = 0;
    uint16_t width_ = 0;
    uint16_t height_ = 0;
    std::size_t pixels_ = 0;
    uint16_t version_word_ = 0;
    bool fire_alg_ = false;
    Detector detector_;

    VyLock callback_lock_{"callback"};
    VyDcFrameCallback frame_callback_ = nullptr;
    void* frame_user_ = nullptr;
    VyDcCorrectCallback correct_callbacks_[2] = {nullptr, nullptr};
    void* correct_users_[2] = {nullptr, nullptr};

    std::atomic<bool> operation_{false};

    VyLock buffer_lock_{"frame buffers"};
    std::vector<uint8_t> block_;
    uint8_t* capture_ = nullptr;
    uint8_t* newest_ = nullptr;
    uint8_t* older_ = nullptr;
    uint8_t* oldest_ = nullptr;
    std::atomic<bool> have_frame_{false};

    VyLock count_lock_{"cache count"};
    uint16_t wanted_cache_ = 0;
    bool no_cache_ = true;
    VyLock cache_lock_{"frame cache"};
    std::list<std::vector<uint8_t>> cached_;
    std::list<std::vector<uint8_t>> cache_free_;

    std::atomic<uint16_t> min_ad_{0};
    std::atomic<uint16_t> max_ad_{0};
    std::atomic<bool> fixed_imaging_{false};

    // The control word's read-modify-write: the two motor threads and the
    // range switch change bits of it side by side.
    VyLock control_lock_{"control word"};

    VyLock isotherm_lock_{"isotherms"};
    std::map<int32_t, Isotherm> isotherms_;

    // FPGA reset state, under the reset lock.
    VyLock reset_lock_{"fpga reset"};
    bool reset_pending_ = false;
    int reset_frames_ = 0;
    bool sensor_request_ = false;
    bool frame_arrived_ = true;
    int reset_passes_ = 0;
    bool restart_requested_ = false;
    std::atomic<bool> fixed_reset_{true};
    std::atomic<bool> size_check_{true};
    std::atomic<bool> capture_switch_{true};

    // Capture-thread state.
    TestPattern pattern_;
    uint32_t frames_since_start_ = 0;
    std::deque<uint32_t> size_history_;
    uint32_t oversize_frames_ = 0;
    uint32_t wrong_frames_ = 0;

    // Temperature.
    VyLock sensor_lock_{"sensors"};
    float sensor_a_ = 30.0f;
    float sensor_b_ = 31.0f;
    float interval_ = 0.17f;
    float last_correct_temperature_ = kNoTemperature;
    std::atomic<bool> correct_disabled_{false};
    uint32_t sensor_passes_ = 0;

    // Lens and range switches run one at a time.
    VyLock switch_lock_{"range switch"};
    std::atomic<bool> switching_{false};
    std::atomic<int> cur_lens_{-1};
    std::atomic<int> cur_range_{-1};
    std::vector<tagLenInfo> supported_lenses_;
    uint16_t timing_defaults_[5] = {375, 2187, 31, 7, 63};
    uint16_t timing_config_[5] = {1250, 2479, 77, 3, 32};

    // Two-point recording: the capture thread averages the next frames.
    VyLock record_lock_{"scene recording"};
    int record_which_ = -1;
    int record_frames_left_ = 0;
    std::vector<uint64_t> record_sums_;
    Event record_done_;

    // Automatic bad-pixel scan.
    std::atomic<int> scan_counter_{100};
    std::atomic<bool> scan_active_{false};
    std::atomic<bool> scan_strict_{false};
    std::atomic<int> scan_threshold_{30};

    // Motors and focus.
    std::atomic<int32_t> focus_precision_{0};
    std::atomic<bool> focus_by_software_{false};
    VyLock motor_lock_{"motors"};
    uint16_t motor_target_[2] = {0, 0};
    bool motor_new_target_[2] = {false, false};
    Event motor_wake_[2];
    std::thread motor_threads_[2];

    std::atomic<bool> stop_{false};
    Event stop_event_;
    Event sensor_wake_;
    std::thread capture_thread_;
    std::thread sensor_thread_;
    std::atomic<std::thread::id> capture_thread_id_{};
};

}  // namespace detail
}  // namespace camlink
