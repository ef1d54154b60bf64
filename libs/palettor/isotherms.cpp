// Isotherm bands: records, their colour ramps and their place in the map.
#include "imaging.h"

#include <algorithm>

namespace palettor::detail {

namespace {

uint32_t rgb(int r, int g, int b)
{
    return static_cast<uint32_t>(std::clamp(r, 0, 255) << 16 | std::clamp(g, 0, 255) << 8 | std::clamp(b, 0, 255));
}

// Entry k (0..29) of the ramp of a band colour (byte 0 red, 1 green, 2 blue).
uint32_t ramp_entry(uint32_t colour, int k)
{
    const int r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    const int step = 8 * (k + 1);
    if (r == 255 && g == 255 && b == 0) return rgb(255, 255, step);
    if (r == 255 && g == 128 && b == 0) return rgb(255, 128 + 2 * (k + 1), 4 * (k + 1));
    if (r == 255 && g == 0 && b == 0) return rgb(255, 160 * (k + 1) / 30, 160 * (k + 1) / 30);
    if (r == 128 && g == 0 && b == 0) {
        return k <= 14 ? rgb(128 + 127 * (k + 1) / 15, 0, 0) : rgb(255, 8 * (k - 14), 8 * (k - 14));
    }
    if (r == 0 && g == 255 && b == 0) return rgb(step, 255, step);
    if (r == 0 && g == 0 && b == 255) return rgb(step, step, 255);
    return rgb(r * (30 - k) / 30, g * (30 - k) / 30, b * (30 - k) / 30);
}

}  // namespace

void Imaging::build_ramp(size_t index)
{
    if (index >= isotherms_.size()) {
        IMAGING_LOG(4, "Imaging::update_isotherm_clr", "index=%d is larger than isotherm size = %d",
                    static_cast<int>(index), static_cast<int>(isotherms_.size()));
        return;
    }
    const size_t first = kIsothermBase + kRampSize * index;
    for (int k = 0; k < kRampSize; ++k) {
        full_table_[first + k] = ramp_entry(isotherms_[index].colour, k);
    }
}

void Imaging::build_all_ramps()
{
    for (size_t i = 0; i < isotherms_.size(); ++i) {
        build_ramp(i);
    }
}

bool Imaging::overlay_isotherms()
{
    if (!computes()) {
        return true;
    }
    const int mode = algorithm_mode();
    VyLockGuard map(map_lock_);
    VyLockGuard stats(stats_lock_);
    VyLockGuard bands(isotherm_lock_);
    if (!map || !stats || !bands) {
        return false;
    }
    int c = mode == 2 ? kFireIsothermBase : kIsothermBase;
    const int end = mode == 2 ? kFireTableSize : kFullTableSize;
    const uint32_t cap = height_;
    for (const IsothermRecord& r : isotherms_) {
        // Bands past the end of the table in use are not drawn rather than
        // read colours from beyond it.
        if (c + kRampSize > end) {
            break;
        }
        const int lo = r.low, hi = r.high;
        if (r.mode == 0) {
            std::fill(map_.begin() + lo, map_.begin() + std::max(lo, hi + 1), static_cast<uint16_t>(c));
        } else if (mode == 2) {
            uint64_t total = 0;
            for (int k = lo; k <= hi; ++k) {
                total += std::min(histogram_[k], cap);
            }
            uint64_t sum = 0;
            for (int k = lo; k <= hi; ++k) {
                sum += std::min(histogram_[k], cap);
                const int step = total > 0 ? static_cast<int>(std::min<uint64_t>(sum * kRampSize / total, kRampSize - 1)) : 0;
                map_[k] = static_cast<uint16_t>(c + step);
            }
        } else {
            for (int k = lo; k <= hi; ++k) {
                map_[k] = static_cast<uint16_t>(c + (k - lo) * kRampSize / (hi - lo + 1));
            }
        }
        c += kRampSize;
    }
    return true;
}

bool Imaging::add_isotherm(const IsothermRecord& record, int32_t* id)
{
    {
        VyLockGuard colours(table_lock_);
        VyLockGuard bands(isotherm_lock_);
        if (!colours || !bands) {
            return false;
        }
        const bool fire = algorithm_mode() == 2 || fire_fighting_;
        const size_t limit = fire ? kMaxFireIsotherms : kMaxIsotherms;
        if (isotherms_.size() >= limit) {
            IMAGING_LOG(4, "Imaging::add_isotherm", "isotherm count %d is full, the colour table holds %d",
                        static_cast<int>(isotherms_.size()), static_cast<int>(limit));
            return false;
        }
        if (record.low > record.high) {
            IMAGING_LOG(4, "Imaging::add_isotherm", "isotherm [%d, %d] is error", record.low, record.high);
            return false;
        }
        isotherms_.push_back(record);
        // Ids are never reused, so a deleted band's id cannot name another.
        *id = next_isotherm_id_++;
        isotherm_ids_.push_back(*id);
        build_ramp(isotherms_.size() - 1);
    }
    return overlay_isotherms();
}

bool Imaging::isotherm_index(int32_t id, const char* function, size_t* index)
{
    auto it = std::find(isotherm_ids_.begin(), isotherm_ids_.end(), id);
    if (it == isotherm_ids_.end()) {
        IMAGING_LOG(4, function, "cannot find isotherm = %x", id);
        return false;
    }
    *index = static_cast<size_t>(it - isotherm_ids_.begin());
    return true;
}

bool Imaging::update_isotherm(int32_t id, const IsothermRecord& record)
{
    {
        VyLockGuard colours(table_lock_);
        VyLockGuard bands(isotherm_lock_);
        if (!colours || !bands) {
            return false;
        }
        size_t index = 0;
        if (!isotherm_index(id, "Imaging::update_isotherm", &index)) {
            return false;
        }
        if (record.low > record.high) {
            IMAGING_LOG(4, "Imaging::update_isotherm", "isotherm [%d, %d] is error", record.low, record.high);
            return false;
        }
        isotherms_[index] = record;
        build_ramp(index);
    }
    recompute();
    return true;
}

bool Imaging::delete_isotherm(int32_t id)
{
    {
        VyLockGuard colours(table_lock_);
        VyLockGuard bands(isotherm_lock_);
        if (!colours || !bands) {
            return false;
        }
        size_t index = 0;
        if (!isotherm_index(id, "Imaging::delete_isotherm", &index)) {
            return false;
        }
        isotherm_ids_.erase(isotherm_ids_.begin() + static_cast<std::ptrdiff_t>(index));
        isotherms_.erase(isotherms_.begin() + static_cast<std::ptrdiff_t>(index));
        for (size_t i = index; i < isotherms_.size(); ++i) {
            build_ramp(i);
        }
    }
    recompute();
    return true;
}

bool Imaging::delete_all_isotherms()
{
    {
        VyLockGuard colours(table_lock_);
        VyLockGuard bands(isotherm_lock_);
        if (!colours || !bands) {
            return false;
        }
        isotherms_.clear();
        isotherm_ids_.clear();
        std::fill(index_table_.begin() + kPaletteSize, index_table_.end(), index_table_[kMaxIndex]);
    }
    recompute();
    return true;
}

bool Imaging::get_isotherm(int index, int32_t* id, IsothermRecord* out)
{
    VyLockGuard bands(isotherm_lock_);
    if (!bands) {
        return false;
    }
    const int count = static_cast<int>(isotherms_.size());
    if (index >= count || id == nullptr || out == nullptr) {
        IMAGING_LOG(4, "Imaging::get_isotherm", "index=%d is larger than isotherm size = %d", index, count);
        return false;
    }
    *id = isotherm_ids_[index];
    *out = isotherms_[index];
    return true;
}

int Imaging::isotherm_count()
{
    VyLockGuard bands(isotherm_lock_);
    return static_cast<int>(isotherms_.size());
}

}  // namespace palettor::detail
