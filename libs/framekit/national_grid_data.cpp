// The national-grid frame: a plane of temperatures, held beside the AD plane
// made from it so that extremes come from the real temperatures.
#include "ad_data.h"

#include "basekit.h"
#include "frame_locks.h"
#include "frame_log.h"
#include "palettor.h"

#include <cmath>
#include <cstring>
#include <new>

namespace framekit {
namespace detail {

bool NationalGridData::resize_locked(uint16_t width, uint16_t height)
{
    try {
        std::vector<float> temps(static_cast<std::size_t>(width) * height, 0.0f);
        if (!ADData::resize_locked(width, height)) {
            return false;
        }
        temps_.swap(temps);
    } catch (const std::bad_alloc&) {
        return false;
    }
    temps_valid_ = false;
    return true;
}

PlaneView NationalGridData::view_locked()
{
    PlaneView view = ADData::view_locked();
    // The 2x view and resampled planes have no temperatures of their own.
    if (temps_valid_ && view.ad == ad_.data()) {
        view.temps = temps_.data();
    }
    return view;
}

bool NationalGridData::load_national_grid_data_from_buffer(const uint8_t* buffer, std::size_t length)
{
    const char* function = "NationalGridData::load_national_grid_data_from_buffer";
    FrameLocks locks(data_lock_);
    if (!locks) {
        return false;
    }
    if (buffer == nullptr || pixels_ == 0) {
        FK_ERROR(function, "addr of buffer is 0");
        return false;
    }
    if (length < 4 * pixels_) {
        FK_ERROR(function, "buffer bytes %zu is error", length);
        return false;
    }
    std::vector<float> temps(pixels_);
    vybase::StockVector<uint16_t> ad(pixels_);  // every value written below
    std::memcpy(temps.data(), buffer, 4 * pixels_);
    std::size_t hottest = 0;
    std::size_t coldest = 0;
    float hot = 0.0f;
    float cold = 0.0f;
    bool any = false;
    for (std::size_t i = 0; i < pixels_; ++i) {
        float t = temps[i];
        // NaN has no AD; infinities clamp to the ends of the AD range.
        if (vy_get_ad_from_temp_national_grid(t, &ad[i]) != VY_OK) {
            ad[i] = 0;
        }
        if (!std::isfinite(t)) {
            continue;
        }
        if (!any) {
            hot = cold = t;
            hottest = coldest = i;
            any = true;
        } else if (t < cold) {
            cold = t;
            coldest = i;
        } else if (t > hot) {
            hot = t;
            hottest = i;
        }
    }
    ad_.swap(ad);
    temps_.swap(temps);
    temps_valid_ = true;
    compress_type_ = 0;
    if (!after_new_plane_locked(true, function)) {
        return false;
    }
    FrameStats s = stats();
    std::size_t scale = super_.load() ? 2 : 1;
    s.hottest.x = static_cast<uint16_t>(hottest % width_ * scale);
    s.hottest.y = static_cast<uint16_t>(hottest / width_ * scale);
    s.coldest.x = static_cast<uint16_t>(coldest % width_ * scale);
    s.coldest.y = static_cast<uint16_t>(coldest / width_ * scale);
    set_stats(s);
    return palettor_calc_pal_no_of_ad(imaging_);
}

}  // namespace detail
}  // namespace framekit
