// Lens and range records of the calibration environments, and the selection
// of the current lens and range.
#include "ad_temp.h"

#include "logline.h"

#include <cmath>
#include <cstring>

namespace tempcore {
namespace detail {
namespace {

void copy_field(char (&field)[16], const std::string& text)
{
    std::memset(field, 0, sizeof(field));
    std::memcpy(field, text.data(), text.size() < sizeof(field) ? text.size() : sizeof(field));
}

int16_t limit_in_unit(int16_t celsius, int unit)
{
    return unit == 1 ? static_cast<int16_t>(std::trunc(to_fahrenheit(celsius))) : celsius;
}

}  // namespace

template <class Fn>
bool ADTemp::with_lens_everywhere(int lens, const char* function, Fn fn)
{
    VyLockGuard guard(lens_lock_);
    if (!guard) {
        return false;
    }
    bool found = false;
    for (LensMap& map : lenses_) {
        auto it = map.find(lens);
        if (it != map.end()) {
            fn(it->second);
            found = true;
        }
    }
    if (!found) {
        logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, function, "len = %d is not supported", lens);
    }
    return found;
}

template <class T>
bool ADTemp::set_range_field(int lens, int range, const char* function, T RangeRecord::*field, T value)
{
    return with_range(lens, range, function, [&](RangeRecord& r) {
        r.*field = value;
        if (lens == current_lens_.load() && range == current_range_.load()) {
            VyLockGuard tables(tables_lock_);
            if (!tables) {
                return false;
            }
            current_.*field = value;
        }
        return true;
    });
}

bool ADTemp::add_len_and_range(int lens, int range)
{
    if (lens < 0 || lens > kMaxLensType || range < 0 || range > kMaxRange) {
        TC_LOG("add_len_and_meas_range", "len = %d or range = %d is not supported", lens, range);
        return false;
    }
    VyLockGuard guard(lens_lock_);
    if (!guard) {
        return false;
    }
    // operator[] creates what is missing and leaves an existing pair alone.
    current_map()[lens].ranges[range];
    return true;
}

bool ADTemp::delete_len(int lens)
{
    VyLockGuard guard(lens_lock_);
    if (!guard) {
        return false;
    }
    if (current_map().erase(lens) == 0) {
        TC_LOG("delete_len_type", "len = %d is not supported", lens);
        return false;
    }
    return true;
}

bool ADTemp::delete_range(int lens, int range)
{
    VyLockGuard guard(lens_lock_);
    if (!guard) {
        return false;
    }
    auto it = current_map().find(lens);
    if (it == current_map().end()) {
        TC_LOG("delete_len_type_ex", "len = %d is not supported", lens);
        return false;
    }
    if (it->second.ranges.erase(range) == 0) {
        TC_LOG("delete_len_type_ex", "len = %d and range = %d is not supported", lens, range);
        return false;
    }
    return true;
}

bool ADTemp::select_len_and_range(int lens, int range)
{
    if (lens < 0 || lens > kMaxLensType || range < 0 || range > kMaxRange) {
        TC_LOG("set_len_type_and_meas_range", "len = %d or range = %d is error", lens, range);
        return false;
    }
    VyLockGuard guard(lens_lock_);
    if (!guard) {
        return false;
    }
    VyLockGuard tables(tables_lock_);
    if (!tables) {
        return false;
    }
    LensMap& map = current_map();
    auto lens_it = map.find(lens);
    if (lens_it == map.end()) {
        TC_LOG("set_len_type_and_meas_range", "len = %d is not exist in calibrate data", lens);
        return false;
    }
    auto range_it = lens_it->second.ranges.find(range);
    if (range_it == lens_it->second.ranges.end()) {
        TC_LOG("set_len_type_and_meas_range", "len = %d and range = %d is not exist in calibrate data",
               lens, range);
        return false;
    }
    const RangeRecord& r = range_it->second;
    current_lens_.store(lens);
    current_range_.store(range);
    current_ = r;
    adjusted_.assign(r.samples.size(), 0);
    adjusted_valid_ = false;
    return run_ad_compensation();
}

bool ADTemp::get_supported_lens_info(tagLenInfo* items, unsigned char* count)
{
    if (count == nullptr) {
        TC_LOG("get_supported_lens_info", "addr of lens count is 0");
        return false;
    }
    VyLockGuard guard(lens_lock_);
    if (!guard) {
        return false;
    }
    const LensMap& map = current_map();
    if (items == nullptr) {
        *count = static_cast<unsigned char>(map.size());
        return true;
    }
    if (map.empty() || *count != map.size()) {
        TC_LOG("get_supported_lens_info", "no calibrate data, or lens count is error %d, %d",
               *count, static_cast<int>(map.size()));
        return false;
    }
    int unit = model_.snapshot().unit;
    tagLenInfo* item = items;
    for (const auto& entry : map) {
        std::memset(item, 0, sizeof(*item));
        item->len_type = entry.first;
        copy_field(item->serial, entry.second.serial);
        copy_field(item->description, entry.second.description);
        int k = 0;
        for (const auto& range : entry.second.ranges) {
            if (k == 4) {
                break;
            }
            item->ranges[k].meas_range = range.first;
            item->ranges[k].min_temp = limit_in_unit(range.second.min_temp, unit);
            item->ranges[k].max_temp = limit_in_unit(range.second.max_temp, unit);
            ++k;
        }
        item->range_count = static_cast<unsigned char>(k);
        ++item;
    }
    return true;
}

bool ADTemp::get_cur_len_range_info(tagLenInfo* info)
{
    if (info == nullptr) {
        TC_LOG("get_cur_len_range_info", "addr of lens info is 0");
        return false;
    }
    VyLockGuard guard(lens_lock_);
    if (!guard) {
        return false;
    }
    int lens = current_lens_.load();
    int range = current_range_.load();
    const LensMap& map = current_map();
    auto lens_it = map.find(lens);
    if (lens < 0 || range < 0 || lens_it == map.end() ||
        lens_it->second.ranges.count(range) == 0) {
        TC_LOG("get_cur_len_range_info", "len = %d or range = %d is error", lens, range);
        return false;
    }
    const RangeRecord& r = lens_it->second.ranges.at(range);
    // One range entry follows the head: 48 bytes of the record are written.
    info->len_type = lens;
    copy_field(info->serial, lens_it->second.serial);
    copy_field(info->description, lens_it->second.description);
    int32_t one = 1;
    std::memcpy(&info->range_count, &one, sizeof(one));
    info->ranges[0].meas_range = range;
    info->ranges[0].min_temp = r.min_temp;
    info->ranges[0].max_temp = r.max_temp;
    return true;
}

bool ADTemp::set_len_sn_and_des(int lens, const char* serial, const char* description)
{
    if (serial == nullptr || description == nullptr) {
        TC_LOG("set_len_sn_and_des", "addr of len's sn or description is 0");
        return false;
    }
    if (std::strlen(serial) > 16 || std::strlen(description) > 16) {
        TC_LOG("set_len_sn_and_des", "len's sn = %s is too long than 16", serial);
        return false;
    }
    return with_lens_everywhere(lens, "ADTemp::set_len_sn_and_des", [&](LensRecord& record) {
        record.serial = serial;
        record.description = description;
    });
}

bool ADTemp::get_drift_coefficient(int lens, float* coefficient)
{
    if (coefficient == nullptr) {
        return false;
    }
    VyLockGuard guard(lens_lock_);
    if (!guard) {
        return false;
    }
    auto it = current_map().find(lens);
    if (it == current_map().end()) {
        TC_LOG("get_len_temp_drift_compensation", "len = %d is not supported", lens);
        return false;
    }
    *coefficient = it->second.drift_coefficient;
    return true;
}

bool ADTemp::set_drift_coefficient(int lens, float coefficient)
{
    // The file holds the coefficient times 100 in a signed 16-bit field.
    if (!(coefficient >= -327.0f && coefficient <= 327.0f)) {
        TC_LOG("set_len_temp_drift_compensation_coff", "coefficient = %.02f is error", coefficient);
        return false;
    }
    return with_lens_everywhere(lens, "ADTemp::set_len_temp_drift_compensation_coff",
                                [&](LensRecord& record) { record.drift_coefficient = coefficient; });
}

bool ADTemp::set_base_ad_compensation(int lens, int range, int16_t value)
{
    return set_range_field(lens, range, "ADTemp::set_base_ad_compensation", &RangeRecord::base_ad_compensation,
                           value);
}

bool ADTemp::set_detector_temp_when_calibrate(int lens, int range, float value)
{
    // The file holds (T + 273.15) * 100 in an unsigned 16-bit field.
    if (!(value >= kAbsoluteZero && value <= 380.0f)) {
        TC_LOG("set_detector_temp_when_calibrate", "detector temperature = %.02f is error", value);
        return false;
    }
    return set_range_field(lens, range, "ADTemp::set_detector_temp_when_calibrate", &RangeRecord::detector_temp,
                           value);
}

}  // namespace detail
}  // namespace tempcore
