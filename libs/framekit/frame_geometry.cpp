// Plane helpers and the frame's geometry and measurement operations: border
// repair, bilinear resampling, zoom, super resolution, line and rectangle
// statistics, point repair and the pixel-count comparison.
#include "ad_data.h"

#include "basekit.h"
#include "frame_locks.h"
#include "frame_log.h"
#include "frame_resample.h"
#include "palettor.h"

#include <cmath>
#include <cstring>
#include <new>

namespace framekit {
namespace detail {

void fix_ad_border(uint16_t* plane, std::size_t width, std::size_t height)
{
    if (width < 3 || height < 3) {
        return;
    }
    auto row = [&](std::size_t y) { return plane + y * width; };
    std::memcpy(row(0), row(2), width * 2);
    std::memcpy(row(1), row(2), width * 2);
    for (std::size_t y = 0; y + 2 < height; ++y) {
        uint16_t* r = row(y);
        r[0] = r[1] = r[2];
        r[width - 1] = r[width - 2] = r[width - 3];
    }
    std::memcpy(row(height - 2), row(height - 3), width * 2);
    std::memcpy(row(height - 1), row(height - 3), width * 2);
}

void fix_index_border(uint8_t* plane, std::size_t width, std::size_t height)
{
    if (width < 2 || height < 2) {
        return;
    }
    std::memcpy(plane, plane + width, width);
    for (std::size_t y = 0; y + 1 < height; ++y) {
        uint8_t* r = plane + y * width;
        r[0] = r[1];
        r[width - 1] = r[width - 2];
    }
    std::memcpy(plane + (height - 1) * width, plane + (height - 2) * width, width);
}

bool compress_plane(const uint16_t* plane, std::size_t count, vybase::StockVector<uint8_t>* out, uint32_t* type,
                    uint32_t* length)
{
    if (out->size() < 2 * count) {
        return false;
    }
    uint32_t written = static_cast<uint32_t>(out->size());
    int result = vy_high_low_compress(plane, static_cast<int>(count), out->data(), &written);
    if (result == VY_OK) {
        *type = 1;
        *length = written;
        return true;
    }
    if (result == VY_ERR_NOT_SHRINK) {
        std::memcpy(out->data(), plane, 2 * count);
        *type = 0;
        *length = static_cast<uint32_t>(2 * count);
        return true;
    }
    return false;
}

bool ADData::zoom(uint16_t width, uint16_t height)
{
    if (!valid_frame_size(width, height)) {
        FK_ERROR("ADData::zoom", "resolution [%d, %d] is error", width, height);
        return false;
    }
    FrameLocks locks(data_lock_, &buffer_lock_, &index_lock_);
    if (!locks || pixels_ == 0 || (width == width_ && height == height_) || !refresh_ad_locked()) {
        return false;
    }
    uint16_t old_width = width_;
    uint16_t old_height = height_;
    try {
        source_.assign(ad_.begin(), ad_.end());
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!resize_locked(width, height)) {
        return false;
    }
    resample_bilinear(source_.data(), old_width, old_height, ad_.data(), width, height);
    ad_stale_ = false;
    plane_replaced_locked();
    upscale_locked();
    // No stored copy yet: the zoomed plane is read as it is, and a save
    // compresses it then (type 0 with no stored bytes means just that).
    compress_type_ = 0;
    compressed_length_ = 0;
    return true;
}

bool ADData::enable_super_resolution(bool on)
{
    FrameLocks locks(data_lock_, &buffer_lock_);
    if (!locks) {
        return false;
    }
    if (!on) {
        super_.store(false);
        return true;
    }
    FK_INFO("ADData::enable_super_resolution", "enable super resolution");
    if (pixels_ != 0 && upscaled_.size() != 4 * pixels_) {
        try {
            upscaled_.assign(4 * pixels_, 0);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    super_.store(true);
    if (pixels_ != 0 && refresh_ad_locked()) {
        upscale_locked();
    }
    return true;
}

bool ADData::get_data_super_resolution(uint16_t* out)
{
    FrameLocks locks(data_lock_);
    if (!locks || out == nullptr || !super_.load() || pixels_ == 0 || upscaled_.size() != 4 * pixels_) {
        return false;
    }
    std::memcpy(out, upscaled_.data(), upscaled_.size() * 2);
    return true;
}

bool ADData::repair_pt(uint16_t x, uint16_t y, uint16_t ad)
{
    FrameLocks locks(data_lock_);
    if (!locks || pixels_ == 0 || !refresh_ad_locked()) {
        return false;
    }
    if (x >= width_ || y >= height_) {
        FK_ERROR("ADData::repair_pt", "position [%d, %d] is error", x, y);
        return false;
    }
    ad_[static_cast<std::size_t>(y) * width_ + x] = ad;
    return true;
}

bool ADData::reapply()
{
    FrameLocks locks(data_lock_);
    if (!locks || pixels_ == 0 || !refresh_ad_locked()) {
        return false;
    }
    PlaneView view = view_locked();
    if (!frame_stats_locked(view, true, "ADData::reapply")) {
        return false;
    }
    anas_.recompute_all(view);
    return palettor_calc_pal_no_of_ad(imaging_);
}

bool ADData::get_line_temperature(uint16_t x1, uint16_t y1, uint16_t x2, uint16_t y2, FrameStats* out)
{
    const std::string name = std::string(class_name()) + "::get_line_temperature";
    FrameLocks locks(data_lock_);
    if (!locks) {
        return false;
    }
    if (pixels_ == 0 || !refresh_ad_locked()) {
        FK_ERROR(name.c_str(), "object is not initialized, resolution is [%d, %d]", width_, height_);
        return false;
    }
    PlaneView view = view_locked();
    if (x1 >= view.width || x2 >= view.width || y1 >= view.height || y2 >= view.height) {
        FK_ERROR(name.c_str(), "rectange's location is error[%d, %d; %d, %d]", x1, y1, x2, y2);
        return false;
    }
    PixelSet set;
    int count = 0;
    tagVYPoint from{x1, y1};
    tagVYPoint to{x2, y2};
    vy_calc_pts_in_line(from, to, nullptr, &count);
    set.points.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
    if (count <= 0 || vy_calc_pts_in_line(from, to, set.points.data(), &count) != VY_OK) {
        FK_ERROR(name.c_str(), "calcl points of line (%d,%d,%d,%d) failed", x1, y1, x2, y2);
        return false;
    }
    AnaStats result;
    if (!measure(set, view, &result)) {
        FK_ERROR(name.c_str(), "points of line (%d,%d,%d,%d) is 0", x1, y1, x2, y2);
        return false;
    }
    *out = FrameStats{result.hottest, result.coldest, result.avg};
    return true;
}

bool ADData::get_rect_temperature(uint16_t x1, uint16_t y1, uint16_t x2, uint16_t y2, FrameStats* out)
{
    FrameLocks locks(data_lock_);
    if (!locks) {
        return false;
    }
    if (pixels_ == 0 || !refresh_ad_locked()) {
        FK_ERROR("ADData::get_rect_temperature", "object is not initialized, resolution is [%d, %d]", width_,
                 height_);
        return false;
    }
    PlaneView view = view_locked();
    if (!(x1 < x2 && x2 < view.width && y1 < y2 && y2 < view.height)) {
        FK_ERROR("ADData::get_rect_temperature", "rectange's location is error[%d, %d; %d, %d]", x1, y1, x2, y2);
        return false;
    }
    // Rectangles are measured on AD values, also in national-grid frames.
    view.temps = nullptr;
    PixelSet set;
    set.is_runs = true;
    for (uint16_t y = y1; y <= y2; ++y) {
        set.runs.push_back(tagVYRun{y, x1, x2});
    }
    AnaStats result;
    if (!measure(set, view, &result)) {
        FK_ERROR("ADData::get_rect_temperature", "total pts count is 0");
        return false;
    }
    *out = FrameStats{result.hottest, result.coldest, result.avg};
    return true;
}

bool ADData::compare_count_of_temperature(int32_t relation, uint32_t limit_below, uint32_t limit_above,
                                          uint32_t threshold_ad, bool* result)
{
    if (relation != 0 && relation != 1) {
        FK_ERROR("ADData::compare_count_of_temperature", "relation type = %d is failed", relation);
        return false;
    }
    int32_t count = 0;
    // No AD reaches a threshold above the 16-bit range.
    if (threshold_ad <= 0xFFFF &&
        !palettor_get_biggerthan_pixel_count(imaging_, static_cast<uint16_t>(threshold_ad), stats().hottest.ad,
                                             &count)) {
        return false;
    }
    *result = relation == 0 ? static_cast<int64_t>(count) < static_cast<int64_t>(limit_below)
                            : static_cast<int64_t>(limit_above) < static_cast<int64_t>(count);
    return true;
}

}  // namespace detail
}  // namespace framekit
