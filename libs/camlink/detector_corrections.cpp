// The Detector's correction tables: two-point K gains from two uniform
// scenes and outer-correction offsets from one frame.
#include "camlink_log.h"
#include "detector.h"

#include <algorithm>
#include <cstdlib>

namespace camlink {
namespace detail {

namespace {

constexpr int kFlatDifference = 9;
constexpr int kBaseLevelCount = 20;

// Δ·8192/d as the device computes it: a pixel whose high reading lies well
// below its low one gets gain 0. A small positive d would give a quotient
// beyond 16 bits; it is held at the largest gain instead of wrapping.
int16_t gain_of(uint32_t delta, int d)
{
    if (std::abs(d) <= kFlatDifference) {
        return kUnitGain;
    }
    if (d < 0) {
        return 0;
    }
    uint64_t k = static_cast<uint64_t>(delta) * 8192u / static_cast<uint64_t>(d);
    return static_cast<int16_t>(std::min<uint64_t>(k, 32767));
}

uint8_t take_index(std::set<uint8_t>& free)
{
    if (free.empty()) {
        return kNoIndex;
    }
    uint8_t index = *free.begin();
    free.erase(free.begin());
    return index;
}

}  // namespace

void Detector::set_scene(int which, UniformScene scene)
{
    VyLockGuard guard(lock_);
    scenes_[which == 0 ? 0 : 1] = std::move(scene);
}

bool Detector::calc_two_point_correct()
{
    const char* function = "Detector::calc_two_point_correct";
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    const UniformScene& low = scenes_[0];
    const UniformScene& high = scenes_[1];
    std::size_t pixels = static_cast<std::size_t>(config_.width) * config_.height;
    if (high.mean <= low.mean + 3 || low.readings.size() != pixels || high.readings.size() != pixels) {
        DT_ERROR(function, "avg ad of high = %d, low = %d", high.mean, low.mean);
        return false;
    }
    RangeEntry* entry = current_entry_locked();
    if (lens_ < 0 || lens_ >= 6 || range_ < 0 || range_ >= kRanges || entry == nullptr) {
        DT_ERROR(function, "len = %d, range = %d error", lens_, range_);
        return false;
    }
    uint8_t index = entry->k_index;
    if (index == kNoIndex) {
        index = take_index(config_.free_k);
        if (index == kNoIndex) {
            DT_ERROR(function, "find k value error!");
            return false;
        }
        entry->k_index = index;
    }
    CorrectionTable& table = config_.k_tables[index];
    table.values.resize(pixels);
    uint32_t delta = static_cast<uint32_t>(high.mean - low.mean);
    for (std::size_t i = 0; i < pixels; ++i) {
        table.values[i] = gain_of(delta, static_cast<int>(high.readings[i]) - static_cast<int>(low.readings[i]));
    }
    table.check = table_check(table.values);
    select_locked();
    return true;
}

bool Detector::current_k_table(std::vector<int16_t>* out)
{
    VyLockGuard guard(lock_);
    auto found = config_.k_tables.find(current_.k_index);
    if (!guard || found == config_.k_tables.end()) {
        return false;
    }
    *out = found->second.values;
    return true;
}

bool Detector::calc_compensation_of_outer_correct(const std::vector<uint16_t>& plane, float temperature)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    std::size_t pixels = static_cast<std::size_t>(config_.width) * config_.height;
    RangeEntry* entry = current_entry_locked();
    if (entry == nullptr || plane.size() != pixels) {
        DT_ERROR("Detector::calc_compensation_of_outer_correct", "len = %d, range = %d error", lens_, range_);
        return false;
    }
    std::vector<uint32_t> histogram(65536, 0);
    for (uint16_t ad : plane) {
        ++histogram[ad];
    }
    // The base level: the lowest AD below which more than 20 pixels lie.
    uint32_t base = 0;
    uint64_t cumulative = 0;
    for (; base < 65535; ++base) {
        cumulative += histogram[base];
        if (cumulative > kBaseLevelCount) {
            break;
        }
    }
    uint8_t index = entry->outer_index;
    if (index == kNoIndex) {
        index = take_index(config_.free_outer);
        if (index == kNoIndex) {
            DT_ERROR("Detector::calc_compensation_of_outer_correct", "find outer correct index error!");
            return false;
        }
        entry->outer_index = index;
    }
    entry->outer_temperature = temperature;
    CorrectionTable& table = config_.outer_tables[index];
    table.values.resize(pixels);
    for (std::size_t i = 0; i < pixels; ++i) {
        uint32_t value = plane[i] > base ? plane[i] - base : 0;
        table.values[i] = static_cast<int16_t>(std::min<uint32_t>(value, 32767));
    }
    table.check = table_check(table.values);
    select_locked();
    return true;
}

bool Detector::current_outer_table(std::vector<int16_t>* out)
{
    VyLockGuard guard(lock_);
    auto found = config_.outer_tables.find(current_.outer_index);
    if (!guard || found == config_.outer_tables.end()) {
        return false;
    }
    *out = found->second.values;
    return true;
}

bool Detector::delete_outer_correct(int lens, int range)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    RangeEntry* entry = entry_locked(lens, range);
    if (entry == nullptr) {
        DT_ERROR("Detector::delete_outer_correct", "len = %d is not exsit when delete outer correct", lens);
        return false;
    }
    uint8_t index = entry->outer_index;
    entry->outer_index = kNoIndex;
    entry->outer_temperature = kNoTemperature;
    if (index != kNoIndex && used_indexes(config_, true).count(index) == 0) {
        release_index(config_.free_outer, config_.outer_tables, index);
    }
    select_locked();
    return true;
}

bool Detector::has_outer_correct(int lens, int range, bool* has)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    RangeEntry* entry = entry_locked(lens, range);
    if (entry == nullptr) {
        DT_ERROR("Detector::has_outer_correct", "len = %d is not exsit when has outer correct", lens);
        return false;
    }
    *has = entry->outer_index != kNoIndex;
    return true;
}

}  // namespace detail
}  // namespace camlink
