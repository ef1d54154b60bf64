#include "ad_temp.h"

#include "basekit.h"
#include "logline.h"

#include <cstring>

namespace tempcore {
namespace detail {

bool RangeRecord::operator==(const RangeRecord& o) const
{
    return detector_temp == o.detector_temp && first_temp == o.first_temp &&
           last_temp == o.last_temp && min_temp == o.min_temp && max_temp == o.max_temp &&
           base_ad_compensation == o.base_ad_compensation && samples == o.samples;
}

ADTemp::ADTemp(IRDetectorType type)
    : _VYBaseObject(kTag), table_(kTableSize, 0.0f), detector_type_(type)
{
    for (float& s : sensors_) {
        s = kAbsoluteZero;
    }
    char directory[256];
    int length = sizeof(directory);
    if (vy_get_exe_path(directory, &length) == VY_OK) {
        logline_init(directory, 7, 200);
    } else {
        // Keep the reference count balanced with the uninit of the destructor.
        logline_init(nullptr, 7, 200);
    }
}

ADTemp::~ADTemp()
{
    {
        VyLockGuard guard(lens_lock_);
        lenses_[0].clear();
        lenses_[1].clear();
    }
    logline_uninit();
}

void ADTemp::set_version_prefix(int prefix)
{
    VyLockGuard guard(base_ad_lock_);
    base_ad_ = static_cast<uint16_t>(kBaseAd + prefix);
    version_ = static_cast<uint16_t>((version_ & 0x00FF) | ((prefix & 0xFF) << 8));
}

uint16_t ADTemp::version()
{
    VyLockGuard guard(base_ad_lock_);
    return version_;
}

void ADTemp::reset_version()
{
    VyLockGuard guard(base_ad_lock_);
    version_ = 1;
}

bool ADTemp::set_environment(int environment)
{
    if (environment != 0 && environment != 1) {
        TC_LOG("set_calibrate_enviroment", "calibrate enviroment = %d is error", environment);
        return false;
    }
    environment_.store(environment);
    return true;
}

namespace {

void copy_text(char* buffer, const std::string& text)
{
    if (buffer != nullptr) {
        std::memcpy(buffer, text.c_str(), text.size() + 1);
    }
}

}  // namespace

void ADTemp::get_mac_info(char* productor, char* mac_type, char* mac_sn, char* detector_sn,
                          char* date_time)
{
    VyLockGuard guard(lens_lock_);
    if (!guard) {
        return;
    }
    copy_text(productor, productor_);
    copy_text(mac_type, identity_.mac_type);
    copy_text(mac_sn, identity_.mac_sn);
    copy_text(detector_sn, identity_.detector_sn);
    copy_text(date_time, identity_.date_time);
}

bool ADTemp::set_identity_text(IdentityField field, const char* text)
{
    if (text == nullptr) {
        TC_LOG("set_identity_text", "addr of text is 0");
        return false;
    }
    std::size_t limit = field == IdentityField::date_time ? 14 : 16;
    std::size_t length = std::strlen(text);
    if (length > limit) {
        TC_LOG("set_identity_text", "text = %s is too long than %zu", text, limit);
        return false;
    }
    VyLockGuard guard(lens_lock_);
    if (!guard) {
        return false;
    }
    switch (field) {
    case IdentityField::productor: productor_ = text; break;
    case IdentityField::mac_type: identity_.mac_type = text; break;
    case IdentityField::mac_sn: identity_.mac_sn = text; break;
    case IdentityField::detector_sn: identity_.detector_sn = text; break;
    case IdentityField::date_time: identity_.date_time = text; break;
    }
    return true;
}

}  // namespace detail
}  // namespace tempcore
