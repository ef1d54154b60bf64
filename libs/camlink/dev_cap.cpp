// The device object: construction, the init sequence, shutdown and the
// register helpers that every part of the device uses.
#include "dev_cap.h"

#include "basekit.h"
#include "camlink_log.h"
#include "framekit.h"
#include "handle_registry.h"
#include "palettor.h"
#include "tempcore.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace camlink {
namespace detail {

namespace {

constexpr const char* kInit = "DevCap::init";

// Resolution codes of the simulated-resolution file and of register 260.
bool resolution_of_code(int code, uint16_t* width, uint16_t* height)
{
    static const uint16_t sizes[5][2] = {{80, 60}, {160, 120}, {320, 240}, {640, 480}, {1024, 768}};
    if (code < 0 || code > 4) {
        return false;
    }
    *width = sizes[code][0];
    *height = sizes[code][1];
    return true;
}

}  // namespace

IR::IR() : _VYBaseObject(kTag) {}

IR::~IR()
{
    // The frame owns its imaging handle.
    if (frame_ != nullptr) {
        vy_ad_uninit(&frame_);
    }
    imaging_ = nullptr;
    if (at_ != nullptr) {
        vy_at_uninit(&at_);
        at_ = nullptr;
    }
}

bool IR::ad_of_temperature(float temperature, uint16_t* ad)
{
    tagLenInfo info;
    if (!vy_at_get_cur_len_range_info(at_, &info)) {
        DC_ERROR("IR::get_ad_from_temperature", "get current len info faild");
        return false;
    }
    return vy_at_get_ad_from_temperature(at_, temperature, ad);
}

DevCap::DevCap(DeviceOptions options)
    : bus_(options.bus ? options.bus : std::make_shared<SimulatedBus>()),
      clock_(options.clock ? options.clock : std::make_shared<SystemClock>()),
      program_dir_(options.program_dir),
      resolution_file_(options.resolution_file),
      restart_hook_(options.restart_hook)
{
    if (program_dir_.empty()) {
        char directory[4096];
        int length = sizeof(directory);
        if (vy_get_exe_path(directory, &length) == VY_OK) {
            program_dir_ = directory;
        }
    }
    logline_init(program_dir_.empty() ? nullptr : program_dir_.c_str(), 7, 200);
}

DevCap::~DevCap()
{
    shutdown();
    delete_all_isotherms();
    logline_uninit();
}

bool DevCap::shutdown()
{
    if (std::this_thread::get_id() == capture_thread_id_.load()) {
        DC_ERROR("DevCap::uninit", "uninit from the frame callback is refused");
        return false;
    }
    stop_.store(true);
    stop_event_.set();
    sensor_wake_.set();
    record_done_.set();
    for (Event& wake : motor_wake_) {
        wake.set();
    }
    for (std::thread* t : {&capture_thread_, &sensor_thread_, &motor_threads_[0], &motor_threads_[1]}) {
        if (t->joinable()) {
            t->join();
        }
    }
    return true;
}

bool DevCap::pause(double ms)
{
    return !stop_event_.wait(*clock_, ms);
}

bool DevCap::init(int32_t flag)
{
    flag_ = flag;
    if (!read_detector_resolution(&width_, &height_)) {
        DC_ERROR(kInit, "read_detector_resolution [%d,%d] failed", width_, height_);
        return false;
    }
    pixels_ = static_cast<std::size_t>(width_) * height_;
    if (!read_register(reg::kFpgaVersion, &version_word_)) {
        DC_ERROR(kInit, "read fpga version failed");
        return false;
    }
    fire_alg_ = (version_word_ & 0x180) == 0x100;
    // Both frame modes are indexed frames: only they decode raw AD frames.
    int32_t mode = flag == 1 && !fire_alg_ ? 1 : 0;
    if (!vy_ad_init(&frame_, mode, 0) || !vy_ad_get_handle_of_imaging(frame_, &imaging_)) {
        DC_ERROR(kInit, "ad data init failed");
        return false;
    }
    palettor_enable_image_stabilization(imaging_, true);
    palettor_enable_image_process(imaging_, false);

    uint16_t type_bits = version_word_ & 0x600;
    detector_type_ = type_bits == 0x600 ? 1 : type_bits == 0 ? 3 : 0;
    if (!vy_at_init_ex(&at_, detector_type_)) {
        DC_ERROR(kInit, "ad temp init failed");
        at_ = nullptr;
        return false;
    }
    if (detector_type_ != 1 && detector_type_ != 3) {
        palettor_set_stabilization_value(imaging_, 2, 2, 0.3f);
    } else if (fire_alg_) {
        palettor_set_stabilization_value(imaging_, 8, 8, 0.15f);
    } else {
        palettor_set_stabilization_value(imaging_, 1, 6, 0.3f);
    }

    if (!make_frame_buffers()) {
        return false;
    }
    if (!vy_ad_set_resolution(frame_, width_, height_)) {
        DC_ERROR(kInit, "set capture resolution [%d,%d] failed", width_, height_);
        return false;
    }
    detector_.set_resolution(width_, height_);
    return load_files() && send_initial_sensors();
}

bool DevCap::make_frame_buffers()
{
    VyLockGuard guard(buffer_lock_);
    try {
        block_.assign(pixels_ * kBufferBytesPerPixel * 4, 0);
    } catch (const std::bad_alloc&) {
        DC_ERROR(kInit, "alloc frame buffers failed");
        return false;
    }
    std::size_t size = pixels_ * kBufferBytesPerPixel;
    capture_ = block_.data();
    newest_ = capture_ + size;
    older_ = newest_ + size;
    oldest_ = older_ + size;
    return true;
}

bool DevCap::load_files()
{
    if (program_dir_.empty()) {
        DC_ERROR(kInit, "get exe path failed");
        return false;
    }
    if (!detector_.load_data_from_file(program_dir_ + "/detector")) {
        DC_ERROR(kInit, "load detector file failed");
        return false;
    }
    write_register(reg::kLeftEdge, detector_.left_edge());
    write_register(reg::kTopEdge, detector_.top_edge());
    std::string calibration = program_dir_ + "/ad_temp";
    if (!vy_at_load_calibrate_data_from_file(at_, calibration.c_str())) {
        DC_ERROR(kInit, "load calibrate file %s failed", calibration.c_str());
        return false;
    }
    vy_at_set_version_prefix(at_, (version_word_ & 0x40) != 0 ? 128 : 0);
    if (fire_alg_) {
        unsigned char count = 0;
        if (vy_at_get_supported_lens_info(at_, nullptr, &count) && count > 0) {
            std::vector<tagLenInfo> lenses(count);
            if (vy_at_get_supported_lens_info(at_, lenses.data(), &count)) {
                supported_lenses_ = lenses;
            }
        }
    }
    vy_at_set_detector_type(at_, detector_type_);
    return true;
}

bool DevCap::send_initial_sensors()
{
    float t[4];
    if (!read_sensors(&t[0], &t[1], &t[2], &t[3])) {
        DC_ERROR(kInit, "get temperature failed");
        return false;
    }
    int environment = 0;
    if (!vy_at_update_temperature_sensor(at_, t[0], t[1], t[2], t[3], t[2], &environment)) {
        DC_ERROR(kInit, "p_at_update_temperature_sensor_ex failed");
        return false;
    }
    detector_.set_environment(environment);
    return send_bad_map();
}

std::string DevCap::detector_path(const char* function)
{
    if (program_dir_.empty()) {
        DC_ERROR(function, "get exe path failed");
        return std::string();
    }
    return program_dir_ + "/detector";
}

bool DevCap::read_register(uint16_t address, uint16_t* value)
{
    return bus_->read(address, value);
}

bool DevCap::write_register(uint16_t address, uint16_t value)
{
    return bus_->write(address, value);
}

bool DevCap::update_control_word(uint16_t clear, uint16_t set)
{
    VyLockGuard guard(control_lock_);
    if (!guard.owns()) {
        return false;
    }
    uint16_t word = 0;
    if (!read_register(reg::kControl, &word)) {
        DC_ERROR("DevCap::update_control_word", "read register faild %x", reg::kControl);
        return false;
    }
    word = static_cast<uint16_t>((word & ~clear) | set);
    return write_register(reg::kControl, word);
}

bool DevCap::read_detector_resolution(uint16_t* width, uint16_t* height)
{
    *width = 640;
    *height = 480;
    // Read only, and a pipe in its place is refused rather than waited on.
    int fd = -1;
    if (vy_open_input_file(resolution_file_.c_str(), &fd, nullptr) != VY_OK) {
        return true;
    }
    char first = 0;
    ssize_t n = read(fd, &first, 1);
    close(fd);
    if (n != 1) {
        return true;
    }
    if (first == '0' || first == '1' || first == '2' || first == '4') {
        resolution_of_code(first - '0', width, height);
    }
    return true;
}

bool DevCap::get_detector_resolution(uint16_t* width, uint16_t* height)
{
    uint16_t code = 0;
    if (!read_register(reg::kResolutionCode, &code) || !resolution_of_code(code, width, height)) {
        DC_ERROR("DevCap::get_detector_resolution", "resolution code = %d is error", code);
        return false;
    }
    return true;
}

bool DevCap::hardware_version(uint16_t word, char* buffer, uint32_t* length)
{
    if (length == nullptr) {
        return false;
    }
    char text[32];
    int n = std::snprintf(text, sizeof(text), "%d.%d.%d.%d.%d.%d", word >> 14, (word >> 11) & 0x7,
                          (word >> 9) & 0x3, (word >> 7) & 0x3, (word >> 4) & 0x7, word & 0xF);
    uint32_t needed = static_cast<uint32_t>(n) + 1;
    uint32_t capacity = *length;
    *length = needed;
    if (buffer == nullptr) {
        return true;
    }
    if (capacity < needed) {
        return false;
    }
    std::memcpy(buffer, text, needed);
    return true;
}

bool DevCap::set_capture_switch(bool on)
{
    capture_switch_.store(on);
    DC_INFO("DevCap::set_capture_switch", "%s", on ? "enable_reboot_sys" : "disable_reboot_sys");
    return true;
}

bool DevCap::open_infrared_capture()
{
    if (!update_control_word(0x2000, 0)) {
        return false;
    }
    clock_->sleep(100);
    write_register(reg::kCommand, command::kGain);
    clock_->sleep(200);
    // The tables are sent again; a range without one keeps the FPGA's.
    send_k_table();
    clock_->sleep(100);
    send_outer_table(detector_.current().outer_index != kNoIndex);
    clock_->sleep(100);
    send_bad_map();
    clock_->sleep(200);
    return temperature_correct();
}

bool DevCap::set_imaging_process_status(bool first, bool second)
{
    return write_register(reg::kImagingProcess, first && second ? 818 : 256);
}

bool create_device(void** handle, int32_t flag, DeviceOptions options)
{
    if (!vy::create_handle<DevCap>(handle, std::move(options))) {
        return false;
    }
    return device_of(*handle)->init(flag);
}

DevCap* device_of(void* handle)
{
    if (!_VYBaseObject::is_valid_handle(handle, kTag)) {
        return nullptr;
    }
    return static_cast<DevCap*>(static_cast<_VYBaseObject*>(handle));
}

}  // namespace detail
}  // namespace camlink
