#include "detector.h"

#include "basekit.h"
#include "camlink_log.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace camlink {
namespace detail {

namespace {

constexpr int kMaxLensType = 5;
constexpr int kAddableLensTypes = 6;

bool read_whole_file(const std::string& path, uint64_t cap, std::vector<uint8_t>* out)
{
    int fd = -1;
    uint64_t size = 0;
    if (vy_open_input_file(path.c_str(), &fd, &size) != VY_OK) {
        return false;
    }
    bool ok = size <= cap;
    std::vector<uint8_t> bytes;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size));
        std::size_t done = 0;
        while (ok && done < bytes.size()) {
            ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            ok = n > 0;
            done += ok ? static_cast<std::size_t>(n) : 0;
        }
    }
    close(fd);
    if (ok) {
        out->swap(bytes);
    }
    return ok;
}

bool write_all(int fd, const std::vector<uint8_t>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A temporary file in the target's folder, renamed over the target only when
// completely written; a failure removes it and leaves the target as it was.
bool replace_file(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) {
        return false;
    }
    bool ok = fchmod(fd, 0644) == 0 && write_all(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(name.data(), path.c_str()) == 0;
    if (!ok) {
        unlink(name.data());
    }
    return ok;
}

}  // namespace

Detector::Detector() = default;

void Detector::set_resolution(uint16_t width, uint16_t height)
{
    VyLockGuard guard(lock_);
    config_.width = width;
    config_.height = height;
    config_.bad_map = default_bad_map(width, height);
    config_.bad_check = bad_map_check(config_.bad_map);
}

bool Detector::load_data_from_file(const std::string& path)
{
    uint16_t width = 0;
    uint16_t height = 0;
    {
        VyLockGuard guard(lock_);
        if (!guard) {
            return false;
        }
        width = config_.width;
        height = config_.height;
    }
    std::vector<uint8_t> bytes;
    if (!read_whole_file(path, largest_detector_file(width, height), &bytes)) {
        DT_ERROR("Detector::load_data_from_file", "open file = %s failed", path.c_str());
        return false;
    }
    DetectorConfig loaded;
    if (!decode_detector_file(bytes.data(), bytes.size(), width, height, &loaded)) {
        return false;
    }
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    config_ = std::move(loaded);
    select_locked();
    return true;
}

bool Detector::save_data_to_file(const std::string& path)
{
    std::vector<uint8_t> bytes;
    {
        VyLockGuard guard(lock_);
        if (!guard || !encode_detector_file(config_, kNewestFileVersion, &bytes)) {
            return false;
        }
    }
    if (!replace_file(path, bytes)) {
        DT_ERROR("Detector::save_data_to_file", "write %s failed: %s", path.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

DetectorConfig Detector::config()
{
    VyLockGuard guard(lock_);
    return config_;
}

uint16_t Detector::left_edge()
{
    VyLockGuard guard(lock_);
    return config_.left_edge;
}

uint16_t Detector::top_edge()
{
    VyLockGuard guard(lock_);
    return config_.top_edge;
}

void Detector::set_left_edge(uint16_t edge)
{
    VyLockGuard guard(lock_);
    config_.left_edge = edge;
}

void Detector::set_top_edge(uint16_t edge)
{
    VyLockGuard guard(lock_);
    config_.top_edge = edge;
}

bool Detector::add_len(int lens)
{
    const char* function = "Detector::add_len";
    if (lens < 0 || lens >= kAddableLensTypes) {
        DT_ERROR(function, "len's type = %d is error", lens);
        return false;
    }
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    if (config_.lenses.count(static_cast<uint8_t>(lens)) != 0) {
        DT_ERROR(function, "len = %d is exsit in map lens", lens);
        return false;
    }
    if (config_.free_k.empty()) {
        DT_ERROR(function, "len = %d no used k idnex", lens);
        return false;
    }
    if (config_.lenses.empty()) {
        DT_ERROR(function, "not support any one len");
        return false;
    }
    LensRecord record = config_.lenses.begin()->second;
    uint8_t k = *config_.free_k.begin();
    for (auto& env : record.ranges) {
        for (RangeEntry& e : env) {
            e.k_index = k;
            // The outer tables stay the first lens's own.
            e.outer_index = kNoIndex;
            e.outer_temperature = kNoTemperature;
        }
    }
    CorrectionTable table;
    table.values.assign(static_cast<std::size_t>(config_.width) * config_.height, kUnitGain);
    table.check = table_check(table.values);
    config_.free_k.erase(k);
    config_.k_tables[k] = std::move(table);
    config_.lenses[static_cast<uint8_t>(lens)] = record;
    return true;
}

bool Detector::delete_len(int lens)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    auto found = lens < 0 || lens > 255 ? config_.lenses.end() : config_.lenses.find(static_cast<uint8_t>(lens));
    if (found == config_.lenses.end()) {
        DT_ERROR("Detector::delete_len", "len's type = %d is error", lens);
        return false;
    }
    LensRecord record = found->second;
    config_.lenses.erase(found);
    for (const auto& env : record.ranges) {
        for (const RangeEntry& e : env) {
            if (e.k_index != kNoIndex && used_indexes(config_, false).count(e.k_index) == 0) {
                release_index(config_.free_k, config_.k_tables, e.k_index);
            }
            if (e.outer_index != kNoIndex && used_indexes(config_, true).count(e.outer_index) == 0) {
                release_index(config_.free_outer, config_.outer_tables, e.outer_index);
            }
        }
    }
    if (lens == lens_) {
        lens_ = -1;
        range_ = -1;
        current_ = CurrentRange();
    }
    return true;
}

bool Detector::has_len(int lens)
{
    VyLockGuard guard(lock_);
    return guard && lens >= 0 && lens < 256 && config_.lenses.count(static_cast<uint8_t>(lens)) != 0;
}

std::vector<int32_t> Detector::lens_types()
{
    std::vector<int32_t> types;
    VyLockGuard guard(lock_);
    for (const auto& lens : config_.lenses) {
        types.push_back(lens.first);
    }
    return types;
}

RangeEntry* Detector::entry_locked(int lens, int range)
{
    if (lens < 0 || lens > 255 || range < 0 || range >= kRanges) {
        return nullptr;
    }
    auto found = config_.lenses.find(static_cast<uint8_t>(lens));
    if (found == config_.lenses.end()) {
        return nullptr;
    }
    return &found->second.ranges[environment_][range];
}

template <class Fn>
bool Detector::with_entry(int lens, int range, const char* function, Fn fn)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    RangeEntry* entry = entry_locked(lens, range);
    if (entry == nullptr) {
        DT_ERROR(function, "len = %d is not exsit", lens);
        return false;
    }
    fn(*entry);
    if (lens == lens_ && range == range_) {
        select_locked();
    }
    return true;
}

bool Detector::get_meas_para(int lens, int range, MeasPara* out)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    RangeEntry* entry = entry_locked(lens, range);
    if (entry == nullptr) {
        DT_ERROR("Detector::get_meas_para", "len = %d is not exsit", lens);
        return false;
    }
    if (entry->vsk == 0 || entry->gfid == 0 || entry->integral == 0) {
        const RangeEntry& first = *entry_locked(lens, 0);
        DT_ERROR("Detector::get_meas_para", "detector config para is not initialized, use old para %d-%d-%d-%d",
                 first.vsk, first.gfid, first.gain, first.integral);
        entry->vsk = first.vsk;
        entry->gfid = first.gfid;
        entry->gain = first.gain;
        entry->integral = first.integral;
    }
    *out = MeasPara{entry->vsk, entry->gfid, entry->gain, entry->integral};
    return true;
}

bool Detector::set_meas_para(int lens, int range, const MeasPara& para)
{
    return with_entry(lens, range, "Detector::set_meas_para", [&](RangeEntry& e) {
        e.vsk = para.vsk;
        e.gfid = para.gfid;
        e.gain = para.gain;
        e.integral = para.integral;
    });
}

bool Detector::get_dac(int lens, int range, uint16_t* dac)
{
    return with_entry(lens, range, "Detector::get_dac", [&](RangeEntry& e) { *dac = e.dac; });
}

bool Detector::set_dac(int lens, int range, uint16_t dac)
{
    return with_entry(lens, range, "Detector::set_dac", [&](RangeEntry& e) { e.dac = dac; });
}

bool Detector::get_ndac(int lens, int range, uint16_t* ndac)
{
    return with_entry(lens, range, "Detector::get_ndac", [&](RangeEntry& e) { *ndac = e.ndac; });
}

bool Detector::set_ndac(int lens, int range, uint16_t ndac)
{
    return with_entry(lens, range, "Detector::set_ndac", [&](RangeEntry& e) { e.ndac = ndac; });
}

bool Detector::get_shift_compensation(int lens, int range, uint16_t* value)
{
    return with_entry(lens, range, "Detector::get_shift_compensation",
                      [&](RangeEntry& e) { *value = e.shift_compensation; });
}

bool Detector::set_shift_compensation(int lens, int range, uint16_t value)
{
    return with_entry(lens, range, "Detector::set_shift_compensation",
                      [&](RangeEntry& e) { e.shift_compensation = value; });
}

bool Detector::get_reverse_type(int lens, uint8_t* type)
{
    VyLockGuard guard(lock_);
    auto found = lens < 0 || lens > 255 ? config_.lenses.end() : config_.lenses.find(static_cast<uint8_t>(lens));
    if (!guard || found == config_.lenses.end()) {
        DT_ERROR("Detector::get_reverse_type", "len = %d is not exsit", lens);
        return false;
    }
    *type = found->second.reverse_type;
    return true;
}

bool Detector::set_reverse_type(int lens, uint8_t type)
{
    VyLockGuard guard(lock_);
    auto found = lens < 0 || lens > 255 ? config_.lenses.end() : config_.lenses.find(static_cast<uint8_t>(lens));
    if (!guard || found == config_.lenses.end()) {
        DT_ERROR("Detector::set_reverse_type", "len = %d is not exsit", lens);
        return false;
    }
    found->second.reverse_type = type;
    return true;
}

void Detector::set_environment(int environment)
{
    VyLockGuard guard(lock_);
    environment_ = environment == 1 ? 1 : 0;
    select_locked();
}

int Detector::environment()
{
    VyLockGuard guard(lock_);
    return environment_;
}

bool Detector::select(int lens, int range)
{
    const char* function = "Detector::set_cur_len_and_range";
    if (lens < 0 || lens > kMaxLensType || range < 0 || range >= kRanges) {
        DT_ERROR(function, "len = %d or range = %d is error", lens, range);
        return false;
    }
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    if (config_.lenses.count(static_cast<uint8_t>(lens)) == 0) {
        DT_ERROR(function, "len = %d is not exsit", lens);
        return false;
    }
    lens_ = lens;
    range_ = range;
    select_locked();
    return true;
}

void Detector::select_locked()
{
    current_ = CurrentRange();
    auto found = lens_ < 0 ? config_.lenses.end() : config_.lenses.find(static_cast<uint8_t>(lens_));
    if (found == config_.lenses.end()) {
        return;
    }
    const LensRecord& lens = found->second;
    const RangeEntry& entry = lens.ranges[environment_][range_];
    current_.lens = lens_;
    current_.range = range_;
    current_.entry = entry;
    current_.outer_index = entry.outer_index;
    current_.outer_temperature = entry.outer_temperature;
    for (int env = environment_; env >= 0 && current_.k_index == kNoIndex; --env) {
        for (int r = range_; r >= 0; --r) {
            if (lens.ranges[env][r].k_index != kNoIndex) {
                current_.k_index = lens.ranges[env][r].k_index;
                break;
            }
        }
    }
}

CurrentRange Detector::current()
{
    VyLockGuard guard(lock_);
    return current_;
}

RangeEntry* Detector::current_entry_locked()
{
    return lens_ < 0 ? nullptr : entry_locked(lens_, range_);
}

bool Detector::add_bad_pt(uint16_t x, uint16_t y)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    // A pixel outside the frame is ignored.
    if (x >= config_.width || y >= config_.height ||
        config_.bad_map.size() != static_cast<std::size_t>(config_.width) * config_.height) {
        return true;
    }
    config_.bad_map[static_cast<std::size_t>(y) * config_.width + x] =
        bad_pixel_code(x, y, config_.width, config_.height);
    config_.bad_check = bad_map_check(config_.bad_map);
    return true;
}

bool Detector::set_bad_map(const std::vector<uint8_t>& map)
{
    VyLockGuard guard(lock_);
    if (!guard || map.size() != static_cast<std::size_t>(config_.width) * config_.height) {
        return false;
    }
    config_.bad_map = map;
    config_.bad_check = bad_map_check(config_.bad_map);
    return true;
}

std::vector<uint8_t> Detector::bad_map()
{
    VyLockGuard guard(lock_);
    return config_.bad_map;
}

}  // namespace detail
}  // namespace camlink
