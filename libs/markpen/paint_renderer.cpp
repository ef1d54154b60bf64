// Pictures, sizes, rotation, zoom and coordinate maps of the renderer.
#include "paint_renderer.h"

#include "block_stock.h"
#include "logline.h"
#include "scaled_draw.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace markpen::detail {

namespace {

bool quarter_turn(int rotation)
{
    return rotation == ROTATION_90 || rotation == ROTATION_270;
}

struct StockBlock {
    void* pixels;
    size_t bytes;
};

void give_back_pixels(void* info)
{
    auto* block = static_cast<StockBlock*>(info);
    vybase::stock_give_back(block->pixels, block->bytes);
    delete block;
}

// A new picture whose pixels are left as they are: the caller owes it black
// (settle) until a writer covers every pixel. Its pixels come from the block
// stock: the pictures of one open are of the same sizes as the last one's,
// whose pages are still mapped.
QImage new_picture(int width, int height)
{
    const qsizetype line = static_cast<qsizetype>(width) * 4;
    auto* block = new (std::nothrow) StockBlock{nullptr, static_cast<size_t>(line) * static_cast<size_t>(height)};
    if (block == nullptr || (block->pixels = vybase::stock_take(block->bytes)) == nullptr) {
        delete block;
        return QImage();
    }
    QImage picture(static_cast<uchar*>(block->pixels), width, height, line, QImage::Format_RGB32, give_back_pixels,
                   block);
    if (picture.isNull()) {
        give_back_pixels(block);
    }
    return picture;
}

// Black from byte `first` on, as RGB32 stores it (0xFF000000 in memory order).
void blacken_from(QImage& picture, size_t first)
{
    uchar* bytes = picture.bits();
    const size_t size = static_cast<size_t>(picture.sizeInBytes());
    for (size_t i = first; i < size; ++i) {
        bytes[i] = i % 4 == 3 ? 0xFF : 0x00;
    }
}

uint32_t byte_count(const QImage& picture)
{
    return static_cast<uint32_t>(picture.sizeInBytes());
}

bool copy_out(const QImage& picture, uint8_t* buffer, uint32_t& length, const char* function)
{
    const uint32_t needed = byte_count(picture);
    if (buffer == nullptr) {
        length = needed;
        return true;
    }
    if (length < needed) {
        MARKPEN_LOG(4, function, "buffer of %u bytes, %u needed", length, needed);
        length = needed;
        return false;
    }
    std::memcpy(buffer, picture.constBits(), needed);
    length = needed;
    return true;
}

}  // namespace

void settle(QImage& picture, bool& blank)
{
    if (blank) {
        picture.fill(Qt::black);
        blank = false;
    }
}

PaintRenderer::PaintRenderer(std::unique_ptr<FrameSource> source) : frame_(std::move(source))
{
    // Loads the strips once for the whole process.
    palette_strip(PAL_IRON);
}

PaintRenderer::~PaintRenderer() = default;

const QImage& PaintRenderer::window_picture()
{
    settle(window_, window_blank_);
    return window_;
}

const QImage& PaintRenderer::output_picture()
{
    settle(output_, output_blank_);
    return output_;
}

void PaintRenderer::recompute_scale()
{
    if (source_.isNull() || window_.isNull()) {
        return;
    }
    // Sizes are never 0 here (refused at the boundary), so no factor is 0
    // and the window-to-image map can divide by it.
    if (quarter_turn(rotation_.load())) {
        scale_x_ = static_cast<double>(window_.width()) / source_.height();
        scale_y_ = static_cast<double>(window_.height()) / source_.width();
    } else {
        scale_x_ = static_cast<double>(window_.width()) / source_.width();
        scale_y_ = static_cast<double>(window_.height()) / source_.height();
    }
}

void PaintRenderer::publish_geometry()
{
    std::lock_guard<std::mutex> guard(geometry_mutex_);
    geometry_.scale_x = scale_x_;
    geometry_.scale_y = scale_y_;
    geometry_.image_width = source_.isNull() ? 0 : source_.width();
    geometry_.image_height = source_.isNull() ? 0 : source_.height();
    geometry_.rotation = rotation_.load();
}

Geometry PaintRenderer::geometry() const
{
    std::lock_guard<std::mutex> guard(geometry_mutex_);
    return geometry_;
}

bool PaintRenderer::set_image_size(uint16_t width, uint16_t height)
{
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
        MARKPEN_LOG(4, "PaintRenderer::set_image_size", "size %ux%u refused", width, height);
        return false;
    }
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    QImage source = new_picture(width, height);
    QImage output = quarter_turn(rotation_.load()) ? new_picture(height, width)
                                                   : new_picture(width, height);
    QImage window = window_.isNull() ? new_picture(width, height) : window_;
    if (source.isNull() || output.isNull() || window.isNull()) {
        MARKPEN_LOG(4, "PaintRenderer::set_image_size", "no memory for %ux%u", width, height);
        return false;
    }
    if (window_.isNull()) {
        window_blank_ = true;
    }
    source_ = source;
    output_ = output;
    window_ = window;
    source_blank_ = output_blank_ = true;
    image_width_ = width;
    image_height_ = height;
    recompute_scale();
    publish_geometry();
    return true;
}

bool PaintRenderer::set_window_size(uint16_t width, uint16_t height)
{
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
        MARKPEN_LOG(4, "PaintRenderer::set_window_size", "size %ux%u refused", width, height);
        return false;
    }
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    QImage window = new_picture(width, height);
    if (window.isNull()) {
        MARKPEN_LOG(4, "PaintRenderer::set_window_size", "no memory for %ux%u", width, height);
        return false;
    }
    window_ = window;
    window_blank_ = true;
    recompute_scale();
    publish_geometry();
    return true;
}

bool PaintRenderer::set_rotation(int angle)
{
    if (angle < ROTATION_UNSET || angle > ROTATION_180_ALT) {
        MARKPEN_LOG(4, "PaintRenderer::set_rotation", "rotation %d refused", angle);
        return false;
    }
    VyLockGuard guard(lock_);
    if (!guard) {
        return false;
    }
    const int previous = rotation_.exchange(angle);
    if (quarter_turn(previous) != quarter_turn(angle)) {
        if (!window_.isNull()) {
            window_ = new_picture(window_.height(), window_.width());
            window_blank_ = true;
        }
        if (!source_.isNull()) {
            output_ = quarter_turn(angle) ? new_picture(source_.height(), source_.width())
                                          : new_picture(source_.width(), source_.height());
            output_blank_ = true;
        }
        // The factors follow the new orientation at once; the caller may
        // never set the window size again.
        recompute_scale();
    }
    publish_geometry();
    return true;
}

int PaintRenderer::rotation() const
{
    return rotation_.load();
}

bool PaintRenderer::set_zoom(int zoom)
{
    if (zoom < ZOOM_FACTOR_MIN || zoom > ZOOM_FACTOR_MAX) {
        MARKPEN_LOG(4, "PaintRenderer::set_zoom", "zoom %d refused", zoom);
        return false;
    }
    zoom_ = zoom;
    return true;
}

void PaintRenderer::set_overlay(const std::string& text)
{
    VyLockGuard guard(lock_);
    if (guard) {
        overlay_ana_ = text;
    }
}

bool PaintRenderer::refresh(bool reload)
{
    VyLockGuard guard(lock_);
    if (!guard) {
        return true;
    }
    if (reload || frame_bits_length_ == 0) {
        load_frame_pixels();
    }
    compose(window_, window_blank_);
    return true;
}

void PaintRenderer::load_frame_pixels()
{
    if (!frame_) {
        return;
    }
    uint32_t length = 0;
    if (!frame_->get_bits(nullptr, length) || length == 0) {
        return;
    }
    // A frame is at most 4096 x 4096 pixels of 4 bytes.
    constexpr uint32_t kMaxFrameBytes = 4096u * 4096u * 4u;
    if (length > kMaxFrameBytes) {
        MARKPEN_LOG(4, "PaintRenderer::load_frame_pixels", "frame of %u bytes refused", length);
        return;
    }
    // A frame of the picture's size goes straight into it; anything else is
    // staged, and as much as fits is copied.
    if (!source_.isNull() && length == byte_count(source_)) {
        uint32_t got = length;
        const bool read = frame_->get_bits(source_.bits(), got) && got <= length;
        if (read) {
            frame_bits_length_ = got;
        }
        // What the frame did not write of a new picture stays black.
        if (source_blank_ && (!read || got < length)) {
            blacken_from(source_, read ? got : 0);
        }
        source_blank_ = false;
        return;
    }
    if (length > frame_bits_.size()) {
        frame_bits_.resize(length);
    }
    uint32_t got = static_cast<uint32_t>(frame_bits_.size());
    if (!frame_->get_bits(frame_bits_.data(), got) || got > frame_bits_.size()) {
        return;
    }
    frame_bits_length_ = got;
    if (!source_.isNull()) {
        settle(source_, source_blank_);
        const size_t count = std::min<size_t>(got, source_.sizeInBytes());
        std::memcpy(source_.bits(), frame_bits_.data(), count);
    }
}

void PaintRenderer::compose(QImage& target)
{
    bool blank = false;
    compose(target, blank);
}

void PaintRenderer::compose(QImage& target, bool& blank)
{
    if (target.isNull() || source_.isNull()) {
        return;
    }
    settle(source_, source_blank_);
    const int turn = rotation_.load();
    if (turn != ROTATION_90 && turn != ROTATION_270 && turn != ROTATION_180 && turn != ROTATION_180_ALT &&
        draw_scaled(source_, target)) {
        blank = false;
        return;
    }
    settle(target, blank);
    QPainter painter;
    if (!painter.begin(&target)) {
        return;
    }
    const int tw = target.width(), th = target.height();
    switch (turn) {
    case ROTATION_90:
        painter.translate(tw, 0);
        painter.rotate(90);
        painter.drawImage(QRect(0, 0, th, tw), source_);
        break;
    case ROTATION_270:
        painter.translate(0, th);
        painter.rotate(270);
        painter.drawImage(QRect(0, 0, th, tw), source_);
        break;
    case ROTATION_180:
    case ROTATION_180_ALT:
        painter.translate(tw, th);
        painter.rotate(180);
        painter.drawImage(QRect(0, 0, tw, th), source_);
        break;
    default:
        painter.drawImage(QRect(0, 0, tw, th), source_);
        break;
    }
    painter.end();
}

bool PaintRenderer::get_bits(uint8_t* buffer, uint32_t& length)
{
    VyLockGuard guard(lock_);
    if (!guard || window_.isNull()) {
        return false;
    }
    settle(window_, window_blank_);
    return copy_out(window_, buffer, length, "PaintRenderer::get_bits");
}

bool PaintRenderer::get_output_bits(uint8_t* buffer, uint32_t& length)
{
    VyLockGuard guard(lock_);
    if (!guard || source_.isNull() || output_.isNull()) {
        return false;
    }
    if (buffer != nullptr && length >= byte_count(output_)) {
        load_frame_pixels();
        compose(output_, output_blank_);
        draw_shapes(output_, false);
        draw_texts(output_, false);
    }
    if (buffer != nullptr) {
        settle(output_, output_blank_);
    }
    return copy_out(output_, buffer, length, "PaintRenderer::get_output_bits");
}

bool PaintRenderer::image_size(uint32_t& width, uint32_t& height)
{
    VyLockGuard guard(lock_);
    if (!guard || source_.isNull()) {
        return false;
    }
    width = static_cast<uint32_t>(source_.width());
    height = static_cast<uint32_t>(source_.height());
    return true;
}

void PaintRenderer::rotate_point(uint16_t& x, uint16_t& y) const
{
    const Geometry g = geometry();
    const uint16_t w = static_cast<uint16_t>(g.image_width);
    const uint16_t h = static_cast<uint16_t>(g.image_height);
    const uint16_t ox = x, oy = y;
    switch (g.rotation) {
    case ROTATION_90:
        x = static_cast<uint16_t>(h - 1 - oy);
        y = ox;
        break;
    case ROTATION_270:
        x = oy;
        y = static_cast<uint16_t>(w - 1 - ox);
        break;
    case ROTATION_180:
    case ROTATION_180_ALT:
        x = static_cast<uint16_t>(w - 1 - ox);
        y = static_cast<uint16_t>(h - 1 - oy);
        break;
    default:
        break;
    }
}

void PaintRenderer::rotate_point(int32_t& x, int32_t& y) const
{
    const Geometry g = geometry();
    const int32_t ox = x, oy = y;
    switch (g.rotation) {
    case ROTATION_90:
        x = g.image_height - 1 - oy;
        y = ox;
        break;
    case ROTATION_270:
        x = oy;
        y = g.image_width - 1 - ox;
        break;
    case ROTATION_180:
    case ROTATION_180_ALT:
        x = g.image_width - 1 - ox;
        y = g.image_height - 1 - oy;
        break;
    default:
        break;
    }
}

void PaintRenderer::to_window(int32_t& x, int32_t& y) const
{
    const Geometry g = geometry();
    x = static_cast<int32_t>(x * g.scale_x + 0.5);
    y = static_cast<int32_t>(y * g.scale_y + 0.5);
}

void PaintRenderer::scaled(int32_t& x, int32_t& y, bool scale) const
{
    if (scale) {
        to_window(x, y);
    }
}

void PaintRenderer::to_image(int32_t& x, int32_t& y) const
{
    const Geometry g = geometry();
    const int32_t ix = static_cast<int32_t>(x / g.scale_x + 0.5);
    const int32_t iy = static_cast<int32_t>(y / g.scale_y + 0.5);
    switch (g.rotation) {
    case ROTATION_90:
        x = iy;
        y = g.image_height - 1 - ix;
        break;
    case ROTATION_270:
        x = g.image_width - 1 - iy;
        y = ix;
        break;
    case ROTATION_180:
    case ROTATION_180_ALT:
        x = g.image_width - 1 - ix;
        y = g.image_height - 1 - iy;
        break;
    default:
        x = ix;
        y = iy;
        break;
    }
}

bool PaintRenderer::fit_radius(int32_t x, int32_t y, int32_t& r) const
{
    const Geometry g = geometry();
    r = std::min({x, g.image_width - 1 - x, y, g.image_height - 1 - y, r});
    return r / g.scale_x > 2.0 && r / g.scale_y > 2.0;
}

bool PaintRenderer::clamp_point(int32_t& x, int32_t& y) const
{
    const Geometry g = geometry();
    x = std::clamp(x, 0, std::max(g.image_width - 1, 0));
    y = std::clamp(y, 0, std::max(g.image_height - 1, 0));
    return true;
}

bool PaintRenderer::keep_box_inside(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) const
{
    const Geometry g = geometry();
    if (g.image_width == 0 || g.image_height == 0) {
        return false;
    }
    const int32_t w = g.image_width, h = g.image_height;
    int32_t dx = 0, dy = 0;
    if (x1 < 0 && y1 < 0) {
        dx = -x1;
        dy = -y1;
    } else if (x2 >= w && y1 < 0) {
        dx = -(x2 - (w - 1));
        dy = -y1;
    } else if (x2 >= w && y2 >= h) {
        dx = -(x2 - (w - 1));
        dy = -(y2 - (h - 1));
    } else if (x1 < 0 && y2 >= h) {
        dx = -x1;
        dy = -(y2 - (h - 1));
    } else if (y1 < 0) {
        dy = -y1;
    } else if (x2 >= w) {
        dx = -(x2 - (w - 1));
    } else if (y2 >= h) {
        dy = -(y2 - (h - 1));
    } else if (x1 < 0) {
        dx = -x1;
    }
    x1 += dx;
    x2 += dx;
    y1 += dy;
    y2 += dy;
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, w - 1);
    y2 = std::min(y2, h - 1);
    return true;
}

}  // namespace markpen::detail
