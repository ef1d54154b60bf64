// The detector's register interface: 16-bit words at the addresses the
// device code names. Two implementations: the simulated detector of the
// library (every read gives 0 and succeeds, every write succeeds) and a
// memory bus that keeps what is written and answers the command handshakes,
// so that the code waiting for status bits really runs.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>

namespace camlink {
namespace detail {

namespace reg {
constexpr uint16_t kDacHigh = 0;
constexpr uint16_t kDacLow = 4;
constexpr uint16_t kLeftEdge = 16;
constexpr uint16_t kTopEdge = 20;
constexpr uint16_t kReverseType = 24;
constexpr uint16_t kOutputDataType = 28;
constexpr uint16_t kVsk = 32;
constexpr uint16_t kGfid = 36;
constexpr uint16_t kGain = 40;
constexpr uint16_t kIntegral = 44;
constexpr uint16_t kCommand = 52;
constexpr uint16_t kStatus = 56;
constexpr uint16_t kControl = 60;
constexpr uint16_t kImagingProcess = 68;
constexpr uint16_t kOrgThreshold = 96;
constexpr uint16_t kOrgRangeLow = 100;
constexpr uint16_t kOrgRangeHigh = 104;
constexpr uint16_t kBadThreshold = 120;
constexpr uint16_t kLensPosition = 160;
constexpr uint16_t kAdCompensation = 252;
constexpr uint16_t kFpgaVersion = 256;
constexpr uint16_t kResolutionCode = 260;
constexpr uint16_t kCompileTime = 264;
constexpr uint16_t kAdNumBeyond = 380;
constexpr uint16_t kFocusWindow = 420;
constexpr uint16_t kIsothermPercent = 448;
constexpr uint16_t kTiming = 456;
constexpr uint16_t kNdac = 476;
}  // namespace reg

// Command register values and the status bits that acknowledge them.
namespace command {
constexpr uint16_t kVskGfid = 1;   // also the DAC
constexpr uint16_t kGain = 2;      // also the reverse type
constexpr uint16_t kIntegral = 4;
constexpr uint16_t kLensPosition = 8;
constexpr uint16_t kClear = 32;
}  // namespace command

namespace status {
constexpr uint16_t kGainDone = 0x1;
constexpr uint16_t kVskGfidDone = 0x2;
constexpr uint16_t kPositionReady = 0x4;
constexpr uint16_t kAutoFocus = 0x8;
constexpr uint16_t kIntegralDone = 0x10;
}  // namespace status

class RegisterBus {
public:
    virtual ~RegisterBus() = default;
    virtual bool read(uint16_t address, uint16_t* value) = 0;
    virtual bool write(uint16_t address, uint16_t value) = 0;
    // Whether the detector stopped sending data.
    virtual bool data_stopped() { return false; }
};

class SimulatedBus : public RegisterBus {
public:
    bool read(uint16_t address, uint16_t* value) override;
    bool write(uint16_t address, uint16_t value) override;
};

// Registers as memory. A write to the command register raises the status
// bit of that command (and the position-ready bit for a position read);
// command 0 clears them. Tests preset registers and may refuse writes.
class MemoryBus : public RegisterBus {
public:
    bool read(uint16_t address, uint16_t* value) override;
    bool write(uint16_t address, uint16_t value) override;
    bool data_stopped() override { return data_stopped_.load(); }

    void set(uint16_t address, uint16_t value);
    uint16_t get(uint16_t address);
    // Number of writes to one address since the bus was made.
    int writes(uint16_t address);
    // Registers whose writes are accepted but not kept (read-back fails).
    void make_read_only(uint16_t address);
    // A command value whose status bit never comes.
    void ignore_command(uint16_t value);
    void set_data_stopped(bool on) { data_stopped_.store(on); }

private:
    std::mutex mutex_;
    std::map<uint16_t, uint16_t> words_;
    std::map<uint16_t, int> writes_;
    std::map<uint16_t, bool> read_only_;
    std::map<uint16_t, bool> ignored_;
    std::atomic<bool> data_stopped_{false};
};

}  // namespace detail
}  // namespace camlink
