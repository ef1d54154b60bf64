// The indexed frame: raw AD frames from the capture device. In normal mode
// it keeps the ready index plane for colouring and the compressed AD plane;
// in fire-fighting mode it decodes every frame and colours from AD values.
#include "ad_data.h"

#include "basekit.h"
#include "byte_writer.h"
#include "frame_locks.h"
#include "frame_log.h"
#include "palettor.h"

#include <cstring>
#include <new>

namespace framekit {
namespace detail {

namespace {

// Raw AD frame header after the N-byte index plane.
constexpr std::size_t kTypeOffset = 4;
constexpr std::size_t kLengthOffset = 6;
constexpr std::size_t kHeaderBytes = 10;

}  // namespace

bool ADIndexData::init()
{
    // Normal mode colours ready index planes, so palettor need not compute.
    bool fire = fire_fighting_.load();
    return palettor_init(&imaging_, !fire) && palettor_init_image_process(imaging_);
}

bool ADIndexData::resize_locked(uint16_t width, uint16_t height)
{
    try {
        std::vector<uint8_t> index(static_cast<std::size_t>(width) * height, 0);
        if (!ADData::resize_locked(width, height)) {
            return false;
        }
        index_.swap(index);
    } catch (const std::bad_alloc&) {
        return false;
    }
    ad_stale_ = false;
    return true;
}

bool ADIndexData::decode_stored_locked(uint16_t* out)
{
    if (compressed_length_ == 0) {
        return false;
    }
    switch (compress_type_) {
    case 0:
        if (compressed_length_ != 2 * pixels_) {
            FK_ERROR("ADIndexData::get_ad_data", "compressed bytes %u is error", compressed_length_);
            return false;
        }
        std::memcpy(out, compressed_.data(), compressed_length_);
        return true;
    case 1:
        if (vy_high_low_uncompress(compressed_length_, compressed_.data(), out, static_cast<int>(pixels_)) !=
            VY_OK) {
            FK_ERROR("ADIndexData::get_ad_data", "uncompress data failed");
            return false;
        }
        return true;
    default:
        FK_ERROR("ADIndexData::get_ad_data", "don't have other compress algorithm now");
        return false;
    }
}

bool ADIndexData::refresh_ad_locked()
{
    if (!ad_stale_) {
        return true;
    }
    if (!decode_stored_locked(ad_.data())) {
        return false;
    }
    ad_stale_ = false;
    return true;
}

std::size_t ADIndexData::announced_frame_length(const uint8_t* frame)
{
    std::size_t n = 0;
    {
        FrameLocks locks(data_lock_);
        if (!locks) {
            return 0;
        }
        n = pixels_;
    }
    if (frame == nullptr || n == 0) {
        return 0;
    }
    uint16_t type = read_u16(frame + n + kTypeOffset);
    uint32_t stored = read_u32(frame + n + kLengthOffset);
    std::size_t data = fire_fighting_.load() && type == 0 ? 2 * n : stored;
    return n + kHeaderBytes + data;
}

bool ADIndexData::set_ad_data(const uint8_t* frame, std::size_t length)
{
    FrameLocks locks(data_lock_, &buffer_lock_, &index_lock_);
    if (!locks || frame == nullptr || pixels_ == 0) {
        return false;
    }
    if (length < pixels_ + kHeaderBytes) {
        FK_ERROR("ADIndexData::set_ad_data", "frame bytes %zu is error", length);
        return false;
    }
    return fire_fighting_.load() ? set_fire_frame(frame, length) : set_normal_frame(frame, length);
}

bool ADIndexData::set_normal_frame(const uint8_t* frame, std::size_t length)
{
    const uint64_t n = pixels_;
    uint32_t type = read_u16(frame + n + kTypeOffset);
    uint64_t stored = read_u32(frame + n + kLengthOffset);
    if (type > 3) {
        FK_ERROR("ADIndexData::set_ad_data", "compress type = %u is error", type);
        return false;
    }
    if (stored == 0 || stored >= 3 * n) {
        return false;
    }
    if (stored > length - n - kHeaderBytes) {
        FK_ERROR("ADIndexData::set_ad_data", "compressed bytes %llu is error",
                 static_cast<unsigned long long>(stored));
        return false;
    }
    // Everything is checked: from here the frame replaces the previous one.
    std::memcpy(index_.data(), frame, n);
    fix_index_border(index_.data(), width_, height_);
    std::memcpy(compressed_.data(), frame + n + kHeaderBytes, stored);
    compressed_length_ = static_cast<uint32_t>(stored);
    compress_type_ = type;
    ad_stale_ = true;
    return true;
}

bool ADIndexData::set_fire_frame(const uint8_t* frame, std::size_t length)
{
    const uint64_t n = pixels_;
    const uint8_t* data = frame + n + kHeaderBytes;
    const uint64_t available = length - n - kHeaderBytes;
    uint32_t type = read_u16(frame + n + kTypeOffset);
    if (type == 2) {
        FK_ERROR("ADIndexData::set_ad_data", "don't have other compress algorithm now");
        return false;
    }
    if (type > 2) {
        FK_ERROR("ADIndexData::set_ad_data", "compressed type = %u is error", type);
        return false;
    }
    vybase::StockVector<uint16_t> plane(pixels_, 0);
    uint64_t stored = 2 * n;
    if (type == 1) {
        stored = read_u32(frame + n + kLengthOffset);
        if (stored < n || stored > 3 * n || stored > available) {
            FK_ERROR("ADIndexData::set_ad_data", "compressed bytes %llu is error",
                     static_cast<unsigned long long>(stored));
            return false;
        }
        if (vy_high_low_uncompress(static_cast<uint32_t>(stored), data, plane.data(), static_cast<int>(n)) !=
            VY_OK) {
            FK_ERROR("ADIndexData::set_ad_data", "uncompress data failed");
            return false;
        }
    } else {
        if (stored > available) {
            FK_ERROR("ADIndexData::set_ad_data", "compressed bytes %llu is error",
                     static_cast<unsigned long long>(stored));
            return false;
        }
        std::memcpy(plane.data(), data, 2 * n);
    }
    ad_.swap(plane);
    ad_stale_ = false;
    std::memcpy(compressed_.data(), data, stored);
    compressed_length_ = static_cast<uint32_t>(stored);
    compress_type_ = type;
    fix_ad_border(ad_.data(), width_, height_);
    return after_new_plane_locked(false, "ADIndexData::set_ad_data");
}

bool ADIndexData::get_ad_data(uint16_t* out)
{
    if (fire_fighting_.load()) {
        return ADData::get_ad_data(out);
    }
    FrameLocks locks(data_lock_);
    if (!locks || out == nullptr || pixels_ == 0) {
        return false;
    }
    if (!ad_stale_ && compressed_length_ == 0) {
        // A plane set by a zoom or a load without stored bytes.
        std::memcpy(out, ad_.data(), 2 * pixels_);
        return true;
    }
    return decode_stored_locked(out);
}

bool ADIndexData::get_bits(uint32_t* pixels)
{
    if (fire_fighting_.load()) {
        palettor_calc_pal_no_of_ad(imaging_);
        return ADData::get_bits(pixels);
    }
    FrameLocks locks(data_lock_, nullptr, &index_lock_);
    if (!locks || pixels == nullptr || pixels_ == 0) {
        return false;
    }
    return palettor_clr_index_to_pixel(imaging_, index_.data(), width_, height_, 0, 0,
                                       static_cast<uint16_t>(width_ - 1), static_cast<uint16_t>(height_ - 1),
                                       pixels);
}

bool ADIndexData::get_bits_ex(uint32_t* pixels, uint16_t width, uint16_t height, uint16_t x0, uint16_t y0,
                              uint16_t x1, uint16_t y1)
{
    if (fire_fighting_.load()) {
        return ADData::get_bits_ex(pixels, width, height, x0, y0, x1, y1);
    }
    FrameLocks locks(data_lock_, nullptr, &index_lock_);
    if (!locks || pixels == nullptr || pixels_ == 0) {
        return false;
    }
    if (width != width_ || height != height_ || x0 > x1 || y0 > y1 || x1 >= width || y1 >= height) {
        FK_ERROR("ADIndexData::get_bits_ex", "window [%d, %d; %d, %d] of %dx%d is error", x0, y0, x1, y1, width,
                 height);
        return false;
    }
    return palettor_clr_index_to_pixel(imaging_, index_.data(), width, height, x0, y0, x1, y1, pixels);
}

bool ADIndexData::get_clr_index(uint8_t* out)
{
    FrameLocks locks(data_lock_, nullptr, &index_lock_);
    if (!locks || out == nullptr || pixels_ == 0) {
        return false;
    }
    std::memcpy(out, index_.data(), pixels_);
    return true;
}

bool ADIndexData::get_clr_index_window(uint8_t* out, uint16_t x0, uint16_t y0, uint16_t x1, uint16_t y1)
{
    FrameLocks locks(data_lock_, nullptr, &index_lock_);
    if (!locks || out == nullptr || pixels_ == 0) {
        return false;
    }
    if (!(x0 < x1 && x1 < width_ && y0 < y1 && y1 < height_)) {
        FK_ERROR("ADIndexData::get_clr_index_with_pos", "window [%d, %d; %d, %d] is error", x0, y0, x1, y1);
        return false;
    }
    std::size_t row_bytes = static_cast<std::size_t>(x1 - x0) + 1;
    for (std::size_t y = y0; y <= y1; ++y) {
        std::memcpy(out, index_.data() + y * width_ + x0, row_bytes);
        out += row_bytes;
    }
    return true;
}

bool ADIndexData::bits_by_clr_index(const uint8_t* index, uint32_t* pixels)
{
    FrameLocks locks(data_lock_);
    if (!locks || pixels == nullptr || pixels_ == 0) {
        return false;
    }
    if (!fire_fighting_.load()) {
        return palettor_clr_index_to_pixel(imaging_, index, width_, height_, 0, 0, static_cast<uint16_t>(width_ - 1),
                                           static_cast<uint16_t>(height_ - 1), pixels);
    }
    PlaneView view = view_locked();
    return palettor_ad_to_pixel(imaging_, view.ad, view.width, view.height, 0, 0,
                                static_cast<uint16_t>(view.width - 1), static_cast<uint16_t>(view.height - 1),
                                pixels, false);
}

bool ADIndexData::bits_by_clr_index_pro(const uint8_t* index, uint16_t width, uint16_t height,
                                        uint32_t* pixels)
{
    FrameLocks locks(data_lock_);
    if (!locks || pixels == nullptr || width == 0 || height == 0) {
        return false;
    }
    if (!fire_fighting_.load()) {
        return palettor_clr_index_to_pixel(imaging_, index, width, height, 0, 0, static_cast<uint16_t>(width - 1),
                                           static_cast<uint16_t>(height - 1), pixels);
    }
    PlaneView view = view_locked();
    // The frame's own plane is coloured, so the size must be the frame's.
    if (view.ad == nullptr || width != view.width || height != view.height) {
        FK_ERROR("ADIndexData::get_bits_by_clr_index_pro", "size %dx%d is error", width, height);
        return false;
    }
    return palettor_ad_to_pixel(imaging_, view.ad, width, height, 0, 0, static_cast<uint16_t>(width - 1),
                                static_cast<uint16_t>(height - 1), pixels, false);
}

bool ADIndexData::thumbnail_bits(uint16_t out_width, uint16_t out_height, uint32_t* pixels)
{
    if (fire_fighting_.load()) {
        return ADData::thumbnail_bits(out_width, out_height, pixels);
    }
    FrameLocks locks(data_lock_, nullptr, &index_lock_);
    if (!locks || pixels == nullptr || pixels_ == 0 || out_width == 0 || out_height == 0) {
        return false;
    }
    return palettor_clr_index_to_thumbnail_pixel(imaging_, index_.data(), width_, height_, out_width, out_height,
                                                 pixels);
}

}  // namespace detail
}  // namespace framekit
