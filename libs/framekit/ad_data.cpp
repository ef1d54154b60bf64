// The plain frame: construction, buffers, frame data, the frame buffer
// format, statistics and colouring.
#include "ad_data.h"

#include "basekit.h"
#include "byte_writer.h"
#include "frame_locks.h"
#include "frame_log.h"
#include "frame_resample.h"
#include "palettor.h"

#include <cstring>
#include <new>

namespace framekit {
namespace detail {

namespace {

constexpr std::size_t kFrameBufferHeader = 5;
constexpr int32_t kMaxStoredZoom = 17;
constexpr int32_t kMaxStoredRotation = 5;

}  // namespace

bool valid_frame_size(uint16_t width, uint16_t height)
{
    return width >= VY_AD_MIN_SIDE && height >= VY_AD_MIN_SIDE && width <= kMaxSide && height <= kMaxSide &&
           static_cast<std::size_t>(width) * height <= static_cast<std::size_t>(VY_AD_MAX_PIXELS);
}

ADData::ADData() : _VYBaseObject(kFrameTag)
{
    char directory[256];
    int length = sizeof(directory);
    if (vy_get_exe_path(directory, &length) == VY_OK) {
        logline_init(directory, 7, 200);
        logline_started_ = true;
    }
}

ADData::~ADData()
{
    // Workers are joined before the planes they could touch go away.
    pool_.stop();
    if (imaging_ != nullptr) {
        palettor_uninit(&imaging_);
    }
    anas_.clear();
    if (logline_started_) {
        logline_uninit();
    }
}

bool ADData::init()
{
    return palettor_init(&imaging_, false) && palettor_init_image_process(imaging_) &&
           palettor_enable_image_process(imaging_, true);
}

bool ADData::set_resolution(uint16_t width, uint16_t height)
{
    if (!valid_frame_size(width, height)) {
        FK_ERROR("ADData::set_resolution", "resolution [%d, %d] is error", width, height);
        return false;
    }
    FrameLocks locks(data_lock_, &buffer_lock_, &index_lock_);
    if (!locks) {
        return false;
    }
    if (width == width_ && height == height_) {
        FK_INFO("ADData::set_resolution", "resolution [%d, %d] is same", width, height);
        return true;
    }
    return resize_locked(width, height);
}

bool ADData::resize_locked(uint16_t width, uint16_t height)
{
    std::size_t pixels = static_cast<std::size_t>(width) * height;
    // Room is reserved first, so a refusal changes nothing; buffers keep
    // their capacity, so a frame going back and forth between sizes (a zoom
    // and the next frame) allocates nothing after the first time.
    try {
        ad_.reserve(pixels);
        // Room for a raw frame's compressed plane (below 3N bytes) and for
        // the codec's bound on N values.
        compressed_.reserve(3 * pixels);
        if (super_.load()) {
            upscaled_.reserve(4 * pixels);
        }
    } catch (const std::bad_alloc&) {
        FK_ERROR("ADData::set_resolution", "no memory for resolution [%d, %d]", width, height);
        return false;
    }
    ad_.assign(pixels, 0);
    // Only the first compressed_length_ bytes are ever read.
    compressed_.resize(3 * pixels);
    if (super_.load()) {
        upscaled_.assign(4 * pixels, 0);
    }
    width_ = width;
    height_ = height;
    pixels_ = pixels;
    compressed_length_ = 0;
    return true;
}

bool ADData::get_resolution(uint16_t* width, uint16_t* height)
{
    FrameLocks locks(data_lock_);
    if (!locks) {
        return false;
    }
    int scale = super_.load() ? 2 : 1;
    *width = static_cast<uint16_t>(width_ * scale);
    *height = static_cast<uint16_t>(height_ * scale);
    return true;
}

PlaneView ADData::view_locked()
{
    PlaneView view;
    if (pixels_ == 0) {
        return view;
    }
    if (super_.load() && upscaled_.size() == 4 * pixels_) {
        view.ad = upscaled_.data();
        view.width = static_cast<uint16_t>(2 * width_);
        view.height = static_cast<uint16_t>(2 * height_);
        return view;
    }
    view.ad = ad_.data();
    view.width = width_;
    view.height = height_;
    return view;
}

void ADData::upscale_locked()
{
    if (!super_.load() || pixels_ == 0) {
        return;
    }
    if (upscaled_.size() != 4 * pixels_) {
        upscaled_.assign(4 * pixels_, 0);
    }
    resample_bilinear(ad_.data(), width_, height_, upscaled_.data(), 2u * width_, 2u * height_);
}

bool ADData::frame_stats_locked(const PlaneView& view, bool store, const char* function)
{
    tagPAD hottest{};
    tagPAD coldest{};
    uint16_t avg = 0;
    bool ok = palettor_calc_max_min_avg_of_ad(imaging_, view.ad, view.width, view.height, 1, 1,
                                              static_cast<uint16_t>(view.width - 2),
                                              static_cast<uint16_t>(view.height - 2), store ? &hottest : nullptr,
                                              store ? &coldest : nullptr, store ? &avg : nullptr);
    if (!ok) {
        FK_ERROR(function, "caculate max min ad failed");
        return false;
    }
    if (store) {
        set_stats(FrameStats{hottest, coldest, avg});
    }
    return true;
}

bool ADData::after_new_plane_locked(bool store, const char* function)
{
    upscale_locked();
    PlaneView view = view_locked();
    if (!frame_stats_locked(view, store, function)) {
        return false;
    }
    anas_.recompute_all(view);
    return true;
}

bool ADData::set_ad_data(const uint8_t* frame, std::size_t length)
{
    FrameLocks locks(data_lock_);
    if (!locks || frame == nullptr || pixels_ == 0) {
        return false;
    }
    if (length < 2 * pixels_) {
        FK_ERROR("ADData::set_ad_data", "frame bytes %zu is error", length);
        return false;
    }
    compress_type_ = 0;
    std::memcpy(ad_.data(), frame, 2 * pixels_);
    plane_replaced_locked();
    if (!after_new_plane_locked(true, "ADData::set_ad_data")) {
        return false;
    }
    return palettor_calc_pal_no_of_ad(imaging_);
}

std::size_t ADData::announced_frame_length(const uint8_t*)
{
    FrameLocks locks(data_lock_);
    return locks ? 2 * pixels_ : 0;
}

bool ADData::get_ad_data(uint16_t* out)
{
    FrameLocks locks(data_lock_);
    if (!locks) {
        return false;
    }
    if (out == nullptr || pixels_ == 0 || !refresh_ad_locked()) {
        FK_ERROR("ADData::get_ad_data", "addr of src ad data = %p, addr of dst ad data = %p",
                 static_cast<const void*>(ad_.data()), static_cast<void*>(out));
        return false;
    }
    std::memcpy(out, ad_.data(), 2 * pixels_);
    return true;
}

bool ADData::get_ad_from_pos(uint16_t x, uint16_t y, uint16_t* ad)
{
    FrameLocks locks(data_lock_);
    if (!locks || ad == nullptr || pixels_ == 0 || !refresh_ad_locked()) {
        return false;
    }
    PlaneView view = view_locked();
    if (x >= view.width || y >= view.height) {
        FK_ERROR("ADData::get_ad_from_pos", "position x = %d, y = %d is error", x, y);
        *ad = 0;
        return true;
    }
    *ad = view.ad[static_cast<std::size_t>(y) * view.width + x];
    return true;
}

FrameStats ADData::stats()
{
    VyLockGuard guard(stats_lock_);
    return guard ? stats_ : FrameStats();
}

void ADData::set_stats(const FrameStats& stats)
{
    VyLockGuard guard(stats_lock_);
    if (guard) {
        stats_ = stats;
    }
}

bool ADData::native_plane_locked(std::vector<uint16_t>* plane)
{
    if (!refresh_ad_locked()) {
        return false;
    }
    plane->assign(ad_.begin(), ad_.end());
    return true;
}

// The buffer always holds the native plane, so what one frame saves another
// of the same size loads, whatever either one's super resolution.
bool ADData::save_to_buffer(uint8_t* buffer, uint32_t* length)
{
    const std::string function = std::string(class_name()) + "::save_to_buffer";
    if (length == nullptr) {
        FK_ERROR(function.c_str(), "addr is 0");
        return false;
    }
    FrameLocks locks(data_lock_, &buffer_lock_);
    if (!locks || pixels_ == 0) {
        return false;
    }
    if (noise_.load() || compress_type_ == 0) {
        std::vector<uint16_t> plane;
        if (!native_plane_locked(&plane)) {
            FK_ERROR(function.c_str(), "compressed type = %u is error", compress_type_);
            return false;
        }
        if (noise_.load()) {
            pool_.filter(plane.data(), width_, height_);
        }
        if (!compress_plane(plane.data(), pixels_, &compressed_, &compress_type_, &compressed_length_)) {
            FK_ERROR(function.c_str(), "compress data failed");
            return false;
        }
    } else if (compress_type_ > 1 || compressed_length_ >= 3 * pixels_ ||
               (compress_type_ == 0 && compressed_length_ != 2 * pixels_)) {
        FK_ERROR(function.c_str(), "compressed data bytes = %u is error", compressed_length_);
        return false;
    }
    uint32_t needed = static_cast<uint32_t>(kFrameBufferHeader + compressed_length_);
    uint32_t capacity = *length;
    *length = needed;
    if (buffer == nullptr) {
        return true;
    }
    if (capacity < needed) {
        FK_ERROR(function.c_str(), "buffer bytes %u below %u", capacity, needed);
        return false;
    }
    buffer[0] = static_cast<uint8_t>(compress_type_);
    buffer[1] = static_cast<uint8_t>(compressed_length_);
    buffer[2] = static_cast<uint8_t>(compressed_length_ >> 8);
    buffer[3] = static_cast<uint8_t>(compressed_length_ >> 16);
    buffer[4] = static_cast<uint8_t>(compressed_length_ >> 24);
    std::memcpy(buffer + kFrameBufferHeader, compressed_.data(), compressed_length_);
    return true;
}

bool ADData::load_from_buffer(const uint8_t* buffer, std::size_t length)
{
    const std::string name = std::string(class_name()) + "::load_from_buffer";
    const char* function = name.c_str();
    if (buffer == nullptr) {
        FK_ERROR(function, "addr of buffer is 0");
        return false;
    }
    FrameLocks locks(data_lock_, &buffer_lock_);
    if (!locks || pixels_ == 0) {
        return false;
    }
    if (length < kFrameBufferHeader) {
        FK_ERROR(function, "buffer bytes %zu is error", length);
        return false;
    }
    uint32_t type = buffer[0];
    uint64_t stored = read_u32(buffer + 1);
    const uint8_t* data = buffer + kFrameBufferHeader;
    uint64_t n = pixels_;
    if (type == 2) {
        FK_ERROR(function, "don't have other compress algorithm now");
        return false;
    }
    if (type > 2) {
        FK_ERROR(function, "compressed type = %u is error", type);
        return false;
    }
    bool length_ok = type == 1 ? (stored >= n && stored <= 3 * n) : stored == 2 * n;
    if (!length_ok || stored > length - kFrameBufferHeader) {
        FK_ERROR(function, "compressed bytes %llu is error", static_cast<unsigned long long>(stored));
        return false;
    }
    // Decoded aside first: a refused buffer leaves the frame as it was.
    vybase::StockVector<uint16_t> plane(pixels_, 0);
    if (type == 1) {
        if (vy_high_low_uncompress(static_cast<uint32_t>(stored), data, plane.data(), static_cast<int>(n)) !=
            VY_OK) {
            FK_ERROR(function, "uncompress data failed");
            return false;
        }
    } else {
        std::memcpy(plane.data(), data, 2 * pixels_);
    }
    ad_.swap(plane);
    std::memcpy(compressed_.data(), data, stored);
    compressed_length_ = static_cast<uint32_t>(stored);
    compress_type_ = type;
    ad_stale_ = false;
    plane_replaced_locked();
    fix_ad_border(ad_.data(), width_, height_);
    if (super_.load() && noise_.load()) {
        pool_.filter(ad_.data(), width_, height_);
    }
    return after_new_plane_locked(true, function);
}

bool ADData::load_national_grid_data_from_buffer(const uint8_t*, std::size_t)
{
    return false;
}

bool ADData::get_bits(uint32_t* pixels)
{
    FrameLocks locks(data_lock_);
    if (!locks || pixels == nullptr || pixels_ == 0 || !refresh_ad_locked()) {
        return false;
    }
    PlaneView view = view_locked();
    if (!palettor_ad_to_pixel(imaging_, view.ad, view.width, view.height, 0, 0,
                              static_cast<uint16_t>(view.width - 1), static_cast<uint16_t>(view.height - 1),
                              pixels, false)) {
        FK_ERROR("ADData::get_bits", "ad to pixel return failed");
        return false;
    }
    anas_.recolour_all(view, pixels);
    return true;
}

bool ADData::get_bits_ex(uint32_t* pixels, uint16_t width, uint16_t height, uint16_t x0, uint16_t y0,
                         uint16_t x1, uint16_t y1)
{
    FrameLocks locks(data_lock_);
    if (!locks || pixels == nullptr || pixels_ == 0 || !refresh_ad_locked()) {
        return false;
    }
    PlaneView view = view_locked();
    // The plane is read with the caller's size, so it must be the frame's.
    if (width != view.width || height != view.height || x0 > x1 || y0 > y1 || x1 >= width || y1 >= height) {
        FK_ERROR("ADData::get_bits_ex", "window [%d, %d; %d, %d] of %dx%d is error", x0, y0, x1, y1, width, height);
        return false;
    }
    if (!palettor_ad_to_pixel(imaging_, view.ad, width, height, x0, y0, x1, y1, pixels, true)) {
        FK_ERROR("ADData::get_bits_ex", "ad to pixel return failed");
        return false;
    }
    return true;
}

bool ADData::get_clr_index(uint8_t*)
{
    return false;
}

bool ADData::get_clr_index_window(uint8_t*, uint16_t, uint16_t, uint16_t, uint16_t)
{
    return false;
}

bool ADData::bits_by_clr_index(const uint8_t*, uint32_t*)
{
    return false;
}

bool ADData::bits_by_clr_index_pro(const uint8_t*, uint16_t, uint16_t, uint32_t*)
{
    return false;
}

bool ADData::thumbnail_bits(uint16_t out_width, uint16_t out_height, uint32_t* pixels)
{
    FrameLocks locks(data_lock_);
    if (!locks || pixels == nullptr || pixels_ == 0 || out_width == 0 || out_height == 0 ||
        !refresh_ad_locked()) {
        return false;
    }
    PlaneView view = view_locked();
    return palettor_ad_to_thumbnail_pixel(imaging_, view.ad, view.width, view.height, out_width, out_height,
                                          pixels);
}

bool ADData::set_rotation_angle(int32_t angle)
{
    // Zoom and rotation are only stored, read back and written into the
    // imaging parameter block; a negative value would wrap in the u32 field.
    if (angle < 0 || angle > kMaxStoredRotation) {
        FK_ERROR("ADData::set_rotation_angle", "rotation angle = %d is error", angle);
        return false;
    }
    rotation_.store(static_cast<uint32_t>(angle));
    return true;
}

bool ADData::set_zoom_factor(int32_t factor)
{
    if (factor < 0 || factor > kMaxStoredZoom) {
        FK_ERROR("ADData::set_zoom_factor", "zoom factor = %d is error", factor);
        return false;
    }
    zoom_.store(static_cast<uint32_t>(factor));
    return true;
}

bool ADData::enable_erase_noise(bool on)
{
    noise_.store(on);
    if (on) {
        pool_.start();
    }
    return true;
}

}  // namespace detail
}  // namespace framekit
