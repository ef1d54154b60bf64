// Detector settings written to the FPGA: measuring parameters, DAC and NDAC,
// edges, reverse and output type, each read back and (detector type 0)
// confirmed by a command/status handshake; and the lens-and-range switch.
#include "camlink_log.h"
#include "dev_cap.h"

#include "palettor.h"
#include "tempcore.h"

namespace camlink {
namespace detail {

namespace {

constexpr int kWriteAttempts = 5;
constexpr int kStatusPolls = 1500;
constexpr double kPollMs = 2;
constexpr double kReadBackMs = 100;
constexpr double kSettingSettleMs = 3000;
constexpr int kVskGfidRounds = 100;
constexpr int kDacAttempts = 10;
constexpr uint16_t kNdacBase[9] = {0, 32, 96, 224, 480, 992, 2016, 4064, 8160};
constexpr int kCorrectRetries = 2000;

// Marks a detector operation in progress for the lifetime of the object.
class Operation {
public:
    explicit Operation(std::atomic<bool>& flag) : flag_(flag) { flag_.store(true); }
    ~Operation() { flag_.store(false); }

private:
    std::atomic<bool>& flag_;
};

}  // namespace

bool DevCap::write_checked(uint16_t address, uint16_t value, int attempts)
{
    for (int i = 0; i < attempts; ++i) {
        uint16_t back = 0;
        if (write_register(address, value) && read_register(address, &back) && back == value) {
            return true;
        }
    }
    return false;
}

bool DevCap::wait_command_status(uint16_t command_bit, uint16_t status_bit, uint16_t* status)
{
    write_register(reg::kCommand, command_bit);
    bool done = false;
    for (int i = 0; i < kStatusPolls && !done; ++i) {
        done = read_register(reg::kStatus, status) && (*status & status_bit) != 0;
        if (!done) {
            clock_->sleep(kPollMs);
        }
    }
    write_register(reg::kCommand, 0);
    return done;
}

// Type 0: read-back, then the command and its status bit. Types 1 and 3:
// write, let the FPGA take it, read back once.
Handshake DevCap::handshake(uint16_t address, uint16_t value, uint16_t command_bit, uint16_t status_bit,
                            uint16_t* status)
{
    *status = 0;
    if (detector_type_ != 0) {
        uint16_t back = 0;
        if (!write_register(address, value)) {
            return Handshake::not_written;
        }
        clock_->sleep(kReadBackMs);
        return read_register(address, &back) && back == value ? Handshake::done : Handshake::not_written;
    }
    if (!write_checked(address, value, kWriteAttempts)) {
        return Handshake::not_written;
    }
    return wait_command_status(command_bit, status_bit, status) ? Handshake::done : Handshake::no_status;
}

bool DevCap::set_gain(uint8_t gain)
{
    uint16_t status = 0;
    switch (handshake(reg::kGain, gain, command::kGain, status::kGainDone, &status)) {
    case Handshake::done:
        return true;
    case Handshake::not_written:
        DC_ERROR("DevCap::set_gain", "set gain = %d failed", gain);
        return false;
    default:
        DC_ERROR("DevCap::set_gain", "set gain = %d failed, status = %d", gain, status);
        return false;
    }
}

bool DevCap::set_integral(uint16_t integral)
{
    uint16_t status = 0;
    switch (handshake(reg::kIntegral, integral, command::kIntegral, status::kIntegralDone, &status)) {
    case Handshake::done:
        return true;
    case Handshake::not_written:
        DC_ERROR("DevCap::set_integral", "set integral = %d failed", integral);
        return false;
    default:
        DC_ERROR("DevCap::set_integral", "set integral %d failed %d!", integral, status);
        return false;
    }
}

bool DevCap::set_vsk_gfid(uint16_t vsk, uint16_t gfid)
{
    const char* function = "DevCap::set_vsk_gfid";
    uint16_t status = 0;
    if (detector_type_ != 0) {
        if (handshake(reg::kVsk, vsk, command::kVskGfid, status::kVskGfidDone, &status) != Handshake::done ||
            handshake(reg::kGfid, gfid, command::kVskGfid, status::kVskGfidDone, &status) != Handshake::done) {
            DC_ERROR(function, "set vsk = %d gfid = %d failed", vsk, gfid);
            return false;
        }
        return true;
    }
    for (int round = 0; round < kVskGfidRounds; ++round) {
        if (write_checked(reg::kVsk, vsk, kWriteAttempts) && write_checked(reg::kGfid, gfid, kWriteAttempts) &&
            wait_command_status(command::kVskGfid, status::kVskGfidDone, &status)) {
            return true;
        }
        write_register(reg::kCommand, command::kClear);
        clock_->sleep(10);
        write_register(reg::kCommand, 0);
    }
    DC_ERROR(function, "set vsk = %d gfid = %d failed, status = %d", vsk, gfid, status);
    return false;
}

bool DevCap::write_dac(uint16_t dac)
{
    const bool wide = width_ == 640;
    const bool new_fpga = (version_word_ & 0xF) >= 5;
    uint16_t expected = dac;
    for (int i = 0; i < kDacAttempts; ++i) {
        if (wide && !new_fpga) {
            write_register(reg::kDacHigh, dac);
            write_register(reg::kDacLow, 62);
        } else if (wide) {
            expected = (dac >> 6) & 0x7;
            write_register(reg::kDacHigh, expected);
            write_register(reg::kDacLow, dac & 0x3F);
        } else {
            write_register(reg::kDacLow, dac);
        }
        uint16_t back = 0;
        if (read_register(wide ? reg::kDacHigh : reg::kDacLow, &back) && back == expected) {
            write_register(reg::kCommand, command::kVskGfid);
            clock_->sleep(100);
            write_register(reg::kCommand, 0);
            return true;
        }
        clock_->sleep(50);
    }
    DC_ERROR("DevCap::check_fpga_config_dac_finish", "check_fpga_config_finish failed");
    return false;
}

bool DevCap::write_ndac(uint16_t ndac)
{
    return write_register(reg::kNdac, ndac);
}

void DevCap::settle(double ms)
{
    pause(ms);
}

bool DevCap::set_meas_para(int lens, int range, const MeasPara& para)
{
    Operation operation(operation_);
    if (!set_vsk_gfid(para.vsk, para.gfid) || !set_gain(para.gain) || !set_integral(para.integral)) {
        return false;
    }
    if (detector_type_ == 1 || detector_type_ == 3) {
        uint16_t dac = 0;
        if (detector_.get_dac(lens, range, &dac) && !write_dac(dac)) {
            return false;
        }
    }
    if (!detector_.set_meas_para(lens, range, para)) {
        return false;
    }
    settle(kSettingSettleMs);
    return true;
}

bool DevCap::set_dac(int lens, int range, int16_t dac)
{
    if (detector_type_ != 1 && detector_type_ != 3) {
        DC_ERROR("DevCap::set_dac", "detector type = %d has no dac", detector_type_);
        return false;
    }
    return write_dac(static_cast<uint16_t>(dac)) && detector_.set_dac(lens, range, static_cast<uint16_t>(dac));
}

bool DevCap::set_ndac(int lens, int range, uint16_t index, uint16_t fine)
{
    if (detector_type_ != 3) {
        DC_ERROR("DevCap::set_ndac", "detector type = %d has no ndac", detector_type_);
        return false;
    }
    if (fine > 31) {
        DC_ERROR("DevCap::set_ndac", "ndac fine = %d is error", fine);
        return false;
    }
    uint16_t word = static_cast<uint16_t>(kNdacBase[index > 8 ? 8 : index] + fine);
    return write_ndac(word) && detector_.set_ndac(lens, range, word);
}

bool DevCap::get_ndac(int lens, int range, uint16_t* index, uint16_t* fine)
{
    if (detector_type_ != 3) {
        DC_ERROR("DevCap::get_ndac", "detector type = %d has no ndac", detector_type_);
        return false;
    }
    uint16_t word = 0;
    if (!detector_.get_ndac(lens, range, &word)) {
        return false;
    }
    for (uint16_t i = 0; i < 9; ++i) {
        if (kNdacBase[i] == (word & 0x1FE0)) {
            *index = i;
            *fine = word & 0x1F;
            return true;
        }
    }
    DC_ERROR("DevCap::get_ndac", "ndac = %d is error", word);
    return false;
}

bool DevCap::set_left_edge(uint16_t edge, bool wait)
{
    if (edge >= width_ || !write_checked(reg::kLeftEdge, edge, kWriteAttempts)) {
        DC_ERROR("DevCap::set_left_edge", "set left edge = %d failed", edge);
        return false;
    }
    detector_.set_left_edge(edge);
    if (wait) {
        Operation operation(operation_);
        settle(kSettingSettleMs);
    }
    return true;
}

bool DevCap::set_top_edge(uint16_t edge, bool wait)
{
    if (edge >= height_ || !write_checked(reg::kTopEdge, edge, kWriteAttempts)) {
        DC_ERROR("DevCap::set_top_edge", "set top edge = %d failed", edge);
        return false;
    }
    detector_.set_top_edge(edge);
    if (wait) {
        Operation operation(operation_);
        settle(kSettingSettleMs);
    }
    return true;
}

bool DevCap::set_reverse_type(int lens, uint8_t type)
{
    uint16_t status = 0;
    if (lens < 0 || lens > 5 || type > 3 || !detector_.has_len(lens) ||
        handshake(reg::kReverseType, type, command::kGain, status::kGainDone, &status) != Handshake::done) {
        DC_ERROR("DevCap::set_reverse_type", "set reverse type = %d failed", type);
        return false;
    }
    detector_.set_reverse_type(lens, type);
    settle(kSettingSettleMs);
    return true;
}

bool DevCap::set_output_data_type(uint8_t type)
{
    if (!write_checked(reg::kOutputDataType, type, kWriteAttempts)) {
        DC_ERROR("DevCap::set_output_data_type", "set output data type = %d failed", type);
        return false;
    }
    size_check_.store(type == 5);
    return true;
}

bool DevCap::set_len_and_meas_range(int lens, int range)
{
    VyLockGuard guard(switch_lock_);
    if (!guard) {
        return false;
    }
    Operation operation(operation_);
    switching_.store(true);
    bool ok = switch_len_and_range(lens, range);
    switching_.store(false);
    return ok;
}

bool DevCap::switch_len_and_range(int lens, int range)
{
    const char* function = "DevCap::set_len_and_meas_range";
    if (!detector_.select(lens, range)) {
        DC_ERROR(function, "set len = %d range = %d to detector failed", lens, range);
        return false;
    }
    RangeEntry entry = detector_.current().entry;
    if (detector_type_ == 3 && !write_ndac(entry.ndac)) {
        DC_ERROR(function, "set ndac failed len = %d, range = %d ndac= %d", lens, range, entry.ndac);
    }
    if (detector_type_ == 1 && width_ >= 640 && (version_word_ & 0xF) >= 5) {
        const uint16_t* timing = (entry.dac & 0x1C0) == 0x40 ? timing_defaults_ : timing_config_;
        for (int i = 0; i < 5; ++i) {
            write_register(static_cast<uint16_t>(reg::kTiming + 4 * i), timing[i]);
        }
    }
    if ((detector_type_ == 1 || detector_type_ == 3) && !write_dac(entry.dac)) {
        return false;
    }
    if (capture_running()) {
        int waits = 32;
        if (detector_type_ == 1 || detector_type_ == 3) {
            waits = fire_alg_ ? 0 : width_ >= 640 ? 90 : 28;
        }
        settle(waits * 50.0);
    }
    if (!vy_at_set_len_type_and_meas_range(at_, lens, range)) {
        DC_ERROR(function, "set len = %d range = %d to ad temp failed", lens, range);
        return false;
    }
    int16_t compensation = 0;
    if (vy_at_get_ad_compensation(at_, &compensation)) {
        write_register(reg::kAdCompensation, static_cast<uint16_t>(compensation));
    }
    cur_lens_ = lens;
    cur_range_ = range;
    if (!capture_running()) {
        if (!start_capture_thread()) {
            DC_ERROR(function, "init capture thread failed");
            return false;
        }
        if (!temperature_correct()) {
            DC_ERROR(function, "update temperature sensor failed");
            return false;
        }
        float t[4];
        if (!get_temperature_sensor(&t[0], &t[1], &t[2], &t[3])) {
            DC_ERROR(function, "get temperature failed");
            return false;
        }
        {
            VyLockGuard sensors(sensor_lock_);
            last_correct_temperature_ = t[0];
        }
        try {
            sensor_thread_ = std::thread([this] { sensor_proc(); });
        } catch (const std::system_error&) {
            DC_ERROR(function, "init temperature sensor thread failed");
            return false;
        }
        return true;
    }
    for (int i = 0; i < kCorrectRetries; ++i) {
        if (temperature_correct()) {
            return true;
        }
        if (!pause(3)) {
            break;
        }
    }
    DC_ERROR(function, "temperature correct failed");
    return false;
}

bool DevCap::save_detector_file(const char* path)
{
    std::string target = path != nullptr && path[0] != '\0' ? path : detector_path("DevCap::get_detector_full_path");
    if (target.empty() || !detector_.save_data_to_file(target)) {
        DC_ERROR("DevCap::save_detector_file", "save detector file failed");
        return false;
    }
    return true;
}

}  // namespace detail
}  // namespace camlink
