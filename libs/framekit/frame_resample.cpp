// Bilinear resampling of AD planes (zoom and super resolution).
#include "frame_resample.h"

#include "kernel_path.h"

#include <cmath>
#include <cstdint>
#include <vector>

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
__attribute__((always_inline)) inline void blend_rows_body(const double* __restrict upper,
                                                          const double* __restrict lower, double f, std::size_t count,
                                                          uint16_t* __restrict out)
{
    for (std::size_t c = 0; c < count; ++c) {
        out[c] = static_cast<uint16_t>(upper[c] + (lower[c] - upper[c]) * f);
    }
}
VY_ROW_KERNEL_AVX2(void, blend_rows,
                   (const double* __restrict upper, const double* __restrict lower, double f, std::size_t count,
                    uint16_t* __restrict out),
                   (upper, lower, f, count, out))

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


}  // namespace detail
}  // namespace framekit
