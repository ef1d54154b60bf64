#include "register_bus.h"

namespace camlink {
namespace detail {

bool SimulatedBus::read(uint16_t, uint16_t* value)
{
    if (value == nullptr) {
        return false;
    }
    *value = 0;
    return true;
}

bool SimulatedBus::write(uint16_t, uint16_t)
{
    return true;
}

namespace {

uint16_t acknowledgement(uint16_t command_value)
{
    switch (command_value) {
    case command::kVskGfid:
        return status::kVskGfidDone;
    case command::kGain:
        return status::kGainDone;
    case command::kIntegral:
        return status::kIntegralDone;
    case command::kLensPosition:
        return status::kPositionReady;
    default:
        return 0;
    }
}

constexpr uint16_t kHandshakeBits =
    status::kGainDone | status::kVskGfidDone | status::kPositionReady | status::kIntegralDone;

}  // namespace

bool MemoryBus::read(uint16_t address, uint16_t* value)
{
    if (value == nullptr) {
        return false;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = words_.find(address);
    *value = found == words_.end() ? 0 : found->second;
    return true;
}

bool MemoryBus::write(uint16_t address, uint16_t value)
{
    std::lock_guard<std::mutex> lock(mutex_);
    ++writes_[address];
    if (read_only_[address]) {
        return true;
    }
    words_[address] = value;
    if (address == reg::kCommand && !ignored_[value]) {
        uint16_t& word = words_[reg::kStatus];
        word = static_cast<uint16_t>(value == 0 ? (word & ~kHandshakeBits) : (word | acknowledgement(value)));
    }
    return true;
}

void MemoryBus::set(uint16_t address, uint16_t value)
{
    std::lock_guard<std::mutex> lock(mutex_);
    words_[address] = value;
}

uint16_t MemoryBus::get(uint16_t address)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = words_.find(address);
    return found == words_.end() ? 0 : found->second;
}

int MemoryBus::writes(uint16_t address)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = writes_.find(address);
    return found == writes_.end() ? 0 : found->second;
}

void MemoryBus::ignore_command(uint16_t value)
{
    std::lock_guard<std::mutex> lock(mutex_);
    ignored_[value] = true;
}

void MemoryBus::make_read_only(uint16_t address)
{
    std::lock_guard<std::mutex> lock(mutex_);
    read_only_[address] = true;
}

}  // namespace detail
}  // namespace camlink
