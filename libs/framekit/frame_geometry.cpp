// Plane helpers and the frame's geometry and measurement operations: border
// repair, bilinear resampling, zoom, super resolution, line and rectangle
// statistics, point repair and the pixel-count comparison.
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

namespace {

struct Sample {
    std::size_t lo;
    std::size_t hi;
    double f;
};

// Source coordinate of each target index. The last source index is never
// reached (the coordinate stops at size - 2), so lo and hi stay inside; a
// source of one sample maps everything onto it.
std::vector<Sample> samples(std::size_t source, std::size_t target)
{
    std::vector<Sample> out(target);
    for (std::size_t i = 0; i < target; ++i) {
        if (source < 2) {
            out[i] = Sample{0, 0, 0.0};
            continue;
        }
        double s = (static_cast<double>(i) + 0.5) * static_cast<double>(source) / static_cast<double>(target) - 0.5;
        if (s < 0.0) {
            s = 0.0;
        }
        if (s >= static_cast<double>(source - 1)) {
            s = static_cast<double>(source - 2);
        }
        double lo = std::floor(s);
        out[i] = Sample{static_cast<std::size_t>(lo), static_cast<std::size_t>(std::ceil(s)), s - lo};
    }
    return out;
}

}  // namespace

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

namespace {

// Two source rows interpolated across the target width, kept while target
// rows still read them: each source row is interpolated once, not once per
// target row that uses it.
class RowPair {
public:
    RowPair(const uint16_t* source, std::size_t source_width, const std::vector<Sample>& columns)
        : source_(source), source_width_(source_width), columns_(columns)
    {
        for (Slot& slot : slots_) {
            slot.values.resize(columns.size());
        }
    }

    // Source row `row` interpolated; `keep` names a row whose slot must stay.
    const double* row(std::size_t row, std::size_t keep)
    {
        for (Slot& slot : slots_) {
            if (slot.filled && slot.row == row) {
                return slot.values.data();
            }
        }
        Slot& slot = slots_[slots_[0].filled && slots_[0].row == keep ? 1 : 0];
        const uint16_t* line = source_ + row * source_width_;
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            const Sample& sx = columns_[c];
            // The interpolation form: equal neighbours give their value
            // exactly instead of a hair below it, which truncation would
            // turn into the next lower AD.
            slot.values[c] = line[sx.lo] + (static_cast<double>(line[sx.hi]) - line[sx.lo]) * sx.f;
        }
        slot.row = row;
        slot.filled = true;
        return slot.values.data();
    }

private:
    struct Slot {
        std::size_t row = 0;
        bool filled = false;
        std::vector<double> values;
    };
    const uint16_t* source_;
    std::size_t source_width_;
    const std::vector<Sample>& columns_;
    Slot slots_[2];
};

// One target row between two interpolated source rows. Built for AVX2 as
// well (which brings no fused multiply-add, so the sums round as written).
__attribute__((target_clones("avx2", "default"))) void blend_rows(const double* __restrict upper,
                                                                    const double* __restrict lower, double f,
                                                                    std::size_t count, uint16_t* __restrict out)
{
    for (std::size_t c = 0; c < count; ++c) {
        out[c] = static_cast<uint16_t>(upper[c] + (lower[c] - upper[c]) * f);
    }
}

// Weights in eighths: where every weight is a multiple of 1/8 (zooms by 2
// and 4 among them), the double arithmetic of RowPair and blend_rows is
// exact (no sum needs more than 22 bits) and its truncation a floor, so
// integers at 8 and 64 times the scale give the same values, faster.
constexpr int kEighths = 8;

bool eighths_of(const std::vector<Sample>& samples, std::vector<int32_t>* eighths)
{
    eighths->resize(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double scaled = samples[i].f * kEighths;
        if (scaled != std::floor(scaled)) {
            return false;
        }
        (*eighths)[i] = static_cast<int32_t>(scaled);
    }
    return true;
}

// resample_bilinear with weights in eighths: each source row is
// interpolated across once, at eight times the scale, into one of two
// slots kept while target rows read them.
void resample_eighths(const uint16_t* source, std::size_t source_width, const std::vector<Sample>& rows,
                      const std::vector<int32_t>& row_eighths, const std::vector<Sample>& columns,
                      const std::vector<int32_t>& column_eighths, uint16_t* target)
{
    const std::size_t width = columns.size();
    std::vector<int32_t> slots(2 * width);
    std::size_t slot_row[2] = {0, 0};
    bool filled[2] = {false, false};
    auto row_of = [&](std::size_t row, std::size_t keep) -> const int32_t* {
        for (int k = 0; k < 2; ++k) {
            if (filled[k] && slot_row[k] == row) {
                return slots.data() + k * width;
            }
        }
        const int k = filled[0] && slot_row[0] == keep ? 1 : 0;
        int32_t* values = slots.data() + k * width;
        const uint16_t* line = source + row * source_width;
        for (std::size_t c = 0; c < width; ++c) {
            const int32_t lo = line[columns[c].lo];
            values[c] = kEighths * lo + (line[columns[c].hi] - lo) * column_eighths[c];
        }
        slot_row[k] = row;
        filled[k] = true;
        return values;
    };
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int32_t* upper = row_of(rows[r].lo, rows[r].hi);
        const int32_t* lower = row_of(rows[r].hi, rows[r].lo);
        const int32_t f = row_eighths[r];
        uint16_t* out = target + r * width;
        // Never negative (a weighted mean of values that are not): the
        // shift is the floor the double path's truncation takes.
        for (std::size_t c = 0; c < width; ++c) {
            out[c] = static_cast<uint16_t>((kEighths * upper[c] + (lower[c] - upper[c]) * f) >> 6);
        }
    }
}

}  // namespace

void resample_bilinear(const uint16_t* source, std::size_t source_width, std::size_t source_height,
                       uint16_t* target, std::size_t target_width, std::size_t target_height)
{
    std::vector<Sample> rows = samples(source_height, target_height);
    std::vector<Sample> columns = samples(source_width, target_width);
    std::vector<int32_t> row_eighths, column_eighths;
    if (eighths_of(rows, &row_eighths) && eighths_of(columns, &column_eighths)) {
        resample_eighths(source, source_width, rows, row_eighths, columns, column_eighths, target);
        return;
    }
    RowPair pair(source, source_width, columns);
    for (std::size_t r = 0; r < target_height; ++r) {
        const Sample& sy = rows[r];
        const double* upper = pair.row(sy.lo, sy.hi);
        const double* lower = pair.row(sy.hi, sy.lo);
        blend_rows(upper, lower, sy.f, target_width, target + r * target_width);
    }
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
