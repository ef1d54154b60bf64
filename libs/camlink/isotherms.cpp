// Isotherm bands: kept by the device, coloured by palettor and mirrored in
// the FPGA's two band register sets.
#include "camlink_log.h"
#include "dev_cap.h"

#include "palettor.h"

namespace camlink {
namespace detail {

namespace {

constexpr std::size_t kMaxIsotherms = 3;
constexpr uint16_t kFirstBand = 212;   // enable, low, high, 180
constexpr uint16_t kLaterBand = 232;   // enable, low, high, 220

uint16_t temperature_code(float t)
{
    double code = (static_cast<double>(t) + 273.15 + 0.05) * 10.0;
    return static_cast<uint16_t>(code < 0 ? 0 : code > 65535 ? 65535 : code);
}

}  // namespace

bool DevCap::add_isotherm(float low, float high, uint32_t colour, uint8_t mode, int32_t* id)
{
    const char* function = "DevCap::add_isotherm";
    if (id == nullptr) {
        return false;
    }
    VyLockGuard guard(isotherm_lock_);
    if (!guard) {
        return false;
    }
    if (isotherms_.size() >= kMaxIsotherms) {
        DC_ERROR(function, "isotherm is full, %zu", isotherms_.size());
        return false;
    }
    Isotherm band;
    if (!ad_of_temperature(low, &band.low_ad) || !ad_of_temperature(high, &band.high_ad)) {
        DC_ERROR(function, "get ad [%.02f, %.02f] failed", low, high);
        return false;
    }
    if (!palettor_add_isotherm_ex(imaging_, band.low_ad, band.high_ad, colour, mode, id)) {
        DC_ERROR(function, "add isotherm to imaging failed");
        return false;
    }
    band.low = temperature_code(low);
    band.high = temperature_code(high);
    band.colour = colour;
    band.mode = mode;
    band.first_band = true;
    for (const auto& other : isotherms_) {
        band.first_band = band.first_band && !other.second.first_band;
    }
    uint16_t base = band.first_band ? kFirstBand : kLaterBand;
    write_register(base, 1);
    write_register(base + 4, band.low_ad);
    write_register(base + 8, band.high_ad);
    write_register(base + 12, band.first_band ? 180 : 220);
    isotherms_[*id] = band;
    return true;
}

bool DevCap::update_isotherm(int32_t id, float low, float high, uint32_t colour, uint8_t mode)
{
    const char* function = "DevCap::update_isotherm";
    VyLockGuard guard(isotherm_lock_);
    if (!guard) {
        return false;
    }
    auto found = isotherms_.find(id);
    if (found == isotherms_.end()) {
        DC_ERROR(function, "find isotherm %d failed", id);
        return false;
    }
    Isotherm band = found->second;
    if (!ad_of_temperature(low, &band.low_ad) || !ad_of_temperature(high, &band.high_ad)) {
        DC_ERROR(function, "get ad [%.02f, %.02f] failed", low, high);
        return false;
    }
    if (!palettor_update_isotherm_ex(imaging_, id, band.low_ad, band.high_ad, colour, mode)) {
        DC_ERROR(function, "isotherm's pointer is null");
        return false;
    }
    band.low = temperature_code(low);
    band.high = temperature_code(high);
    band.colour = colour;
    band.mode = mode;
    uint16_t base = band.first_band ? kFirstBand : kLaterBand;
    write_register(base + 4, band.low_ad);
    write_register(base + 8, band.high_ad);
    found->second = band;
    return true;
}

bool DevCap::delete_isotherm(int32_t id)
{
    VyLockGuard guard(isotherm_lock_);
    if (!guard) {
        return false;
    }
    auto found = isotherms_.find(id);
    if (found == isotherms_.end()) {
        DC_ERROR("DevCap::delete_isotherm", "find isotherm %d failed", id);
        return false;
    }
    write_register(found->second.first_band ? kFirstBand : kLaterBand, 0);
    isotherms_.erase(found);
    return palettor_delete_isotherm(imaging_, id);
}

void DevCap::delete_all_isotherms()
{
    VyLockGuard guard(isotherm_lock_);
    for (const auto& band : isotherms_) {
        write_register(band.second.first_band ? kFirstBand : kLaterBand, 0);
        if (imaging_ != nullptr) {
            palettor_delete_isotherm(imaging_, band.first);
        }
    }
    isotherms_.clear();
}

bool DevCap::isotherm_related_ad(uint16_t* low, uint16_t* high)
{
    VyLockGuard guard(isotherm_lock_);
    if (!guard || isotherms_.empty()) {
        return false;
    }
    *low = isotherms_.begin()->second.low_ad;
    *high = isotherms_.begin()->second.high_ad;
    return true;
}

}  // namespace detail
}  // namespace camlink
