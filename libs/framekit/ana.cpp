#include "ana.h"

#include "basekit.h"
#include "byte_writer.h"
#include "frame_log.h"
#include "palettor.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace framekit {
namespace detail {

namespace {

// Texts longer than this are refused: the saved record stores a u16 length.
constexpr std::size_t kMaxTextLength = 4095;

uint32_t pack_position(const tagPAD& pad)
{
    return static_cast<uint32_t>(pad.x) | (static_cast<uint32_t>(pad.y) << 16);
}

tagPAD unpack_position(uint32_t position, uint16_t ad)
{
    return tagPAD{static_cast<uint16_t>(position & 0xFFFF), static_cast<uint16_t>(position >> 16), ad};
}

// Parameters are saved as hundredths; the casts must stay in range.
uint64_t hundredths(float value, uint64_t max)
{
    double scaled = (static_cast<double>(value) + 0.005) * 100.0;
    if (!(scaled > 0.0)) {
        return 0;
    }
    if (scaled >= static_cast<double>(max)) {
        return max;
    }
    return static_cast<uint64_t>(scaled);
}

uint16_t ad_of_temperature(double temperature)
{
    uint16_t ad = 0;
    vy_get_ad_from_temp_national_grid(static_cast<float>(temperature), &ad);
    return ad;
}

char* copy_text(const std::string& text)
{
    char* copy = static_cast<char*>(std::calloc(text.size() + 1, 1));
    if (copy != nullptr) {
        std::memcpy(copy, text.data(), text.size());
    }
    return copy;
}

}  // namespace

uint64_t PixelSet::size() const
{
    if (!is_runs) {
        return points.size();
    }
    uint64_t total = 0;
    for (const tagVYRun& run : runs) {
        if (run.last_x >= run.first_x) {
            total += static_cast<uint64_t>(run.last_x - run.first_x) + 1;
        }
    }
    return total;
}

void clip_runs(const std::vector<tagVYRun>& runs, uint16_t width, uint16_t height,
               std::vector<tagVYRun>* out)
{
    out->clear();
    if (width == 0 || height == 0) {
        return;
    }
    for (tagVYRun run : runs) {
        if (run.y >= height || run.first_x > run.last_x || run.first_x >= width) {
            continue;
        }
        if (run.last_x >= width) {
            run.last_x = static_cast<uint16_t>(width - 1);
        }
        out->push_back(run);
    }
}

void clip_points(const std::vector<tagVYPoint>& points, uint16_t width, uint16_t height,
                 std::vector<tagVYPoint>* out)
{
    out->clear();
    for (const tagVYPoint& p : points) {
        if (p.x < width && p.y < height) {
            out->push_back(p);
        }
    }
}

bool measure(const PixelSet& set, const PlaneView& plane, AnaStats* out)
{
    if (plane.ad == nullptr) {
        return false;
    }
    const std::size_t width = plane.width;
    if (plane.temps == nullptr) {
        uint64_t count = 0;
        uint64_t sum = 0;
        tagPAD hottest{};
        tagPAD coldest{};
        set.for_each([&](uint16_t x, uint16_t y) {
            uint16_t a = plane.ad[y * width + x];
            if (count == 0) {
                hottest = coldest = tagPAD{x, y, a};
            } else if (a > hottest.ad) {
                hottest = tagPAD{x, y, a};
            } else if (a < coldest.ad) {
                coldest = tagPAD{x, y, a};
            }
            sum += a;
            ++count;
        });
        if (count == 0) {
            return false;
        }
        out->hottest = hottest;
        out->coldest = coldest;
        out->avg = static_cast<uint16_t>(sum / count);
        return true;
    }
    uint64_t count = 0;
    double sum = 0.0;
    float hot = 0.0f;
    float cold = 0.0f;
    tagPAD hottest{};
    tagPAD coldest{};
    set.for_each([&](uint16_t x, uint16_t y) {
        float t = plane.temps[y * width + x];
        if (!std::isfinite(t)) {
            return;
        }
        if (count == 0) {
            hot = cold = t;
            hottest = coldest = tagPAD{x, y, 0};
        } else if (t > hot) {
            hot = t;
            hottest = tagPAD{x, y, 0};
        } else if (t < cold) {
            cold = t;
            coldest = tagPAD{x, y, 0};
        }
        sum += t;
        ++count;
    });
    if (count == 0) {
        return false;
    }
    hottest.ad = ad_of_temperature(hot);
    coldest.ad = ad_of_temperature(cold);
    out->hottest = hottest;
    out->coldest = coldest;
    out->avg = ad_of_temperature(sum / static_cast<double>(count));
    return true;
}

Ana::Ana(const char* tag, AnaType type) : _VYBaseObject(tag), type_(type)
{
}

Ana::~Ana()
{
    void* imaging = own_imaging_.exchange(nullptr);
    if (imaging != nullptr) {
        palettor_uninit(&imaging);
    }
}

bool Ana::set_nodes(const tagVYPoint* nodes, std::size_t count)
{
    if (nodes == nullptr || !node_count_valid(count) || count > VY_ANA_MAX_POLY_NODES) {
        return false;
    }
    std::vector<tagVYPoint> list(nodes, nodes + count);
    VyLockGuard guard(node_lock_);
    if (!guard) {
        return false;
    }
    return rebuild(list);
}

bool Ana::get_nodes(std::vector<tagVYPoint>* nodes) const
{
    VyLockGuard guard(node_lock_);
    if (!guard) {
        return false;
    }
    *nodes = nodes_;
    return node_count_valid(nodes_.size());
}

std::vector<tagVYPoint> Ana::nodes_copy() const
{
    std::vector<tagVYPoint> nodes;
    get_nodes(&nodes);
    return nodes;
}

tagVYPoint Ana::anchor() const
{
    VyLockGuard guard(node_lock_);
    return anchor_;
}

bool Ana::pixels(uint16_t width, uint16_t height, PixelSet* out) const
{
    VyLockGuard guard(node_lock_);
    if (!guard || !node_count_valid(nodes_.size())) {
        return false;
    }
    collect_pixels(width, height, out);
    return true;
}

bool Ana::recompute(const PlaneView& plane)
{
    PixelSet set;
    if (!pixels(plane.width, plane.height, &set)) {
        return false;
    }
    AnaStats result;
    if (!measure(set, plane, &result)) {
        return false;
    }
    set_stats(result);
    if (use_own_palette.load() != 0 && palettor_is_valid_handle(own_imaging())) {
        return refresh_own_palette(plane, set);
    }
    return true;
}

AnaStats Ana::stats() const
{
    VyLockGuard guard(stats_lock_);
    return stats_;
}

void Ana::set_stats(const AnaStats& stats)
{
    VyLockGuard guard(stats_lock_);
    if (guard) {
        stats_ = stats;
    }
}

bool Ana::switch_own_palette(bool on)
{
    if (!supports_own_palette()) {
        return false;
    }
    use_own_palette.store(on ? 1 : 0);
    if (!on || palettor_is_valid_handle(own_imaging())) {
        return true;
    }
    void* imaging = nullptr;
    if (!palettor_init(&imaging, false)) {
        return false;
    }
    palettor_enable_image_process(imaging, true);
    void* expected = nullptr;
    if (!own_imaging_.compare_exchange_strong(expected, imaging)) {
        // Another thread made one first.
        palettor_uninit(&imaging);
    }
    return true;
}

bool Ana::recolour_own_pixels(const PlaneView& plane, uint32_t* pixels)
{
    if (use_own_palette.load() == 0 || !palettor_is_valid_handle(own_imaging()) || pixels == nullptr) {
        return false;
    }
    PixelSet set;
    if (!this->pixels(plane.width, plane.height, &set) || set.size() == 0) {
        return false;
    }
    return paint_own_pixels(plane, set, pixels);
}

bool Ana::refresh_own_palette(const PlaneView&, const PixelSet&)
{
    return false;
}

bool Ana::paint_own_pixels(const PlaneView&, const PixelSet&, uint32_t*)
{
    return false;
}

void Ana::save_record(std::vector<uint8_t>* out) const
{
    ByteWriter w(out);
    AnaStats s = stats();
    w.u16(s.hottest.ad);
    w.u16(s.hottest.x);
    w.u16(s.hottest.y);
    w.u16(s.coldest.ad);
    w.u16(s.coldest.x);
    w.u16(s.coldest.y);
    w.u16(s.avg);
    bool own_para = self_para_flag.load() != 0;
    w.u8(own_para ? 1 : 0);
    if (own_para) {
        w.u8(static_cast<uint8_t>(hundredths(self_para1.load(), 0xFF)));
        w.u32(static_cast<uint32_t>(hundredths(self_para2.load(), 0xFFFFFFFFu)));
    }
    w.u32(line_color.load());
    w.u32(display_value1.load());
    w.u32(display_value2.load());
    w.u8(visible.load() != 0);
    w.u8(show_max_point.load() != 0);
    w.u8(show_min_point.load() != 0);
    w.u8(static_cast<uint8_t>(show_text_type.load()));
    w.u8(static_cast<uint8_t>(text_location.load()));
    w.u8(can_move.load() != 0);
    w.u8(show_description.load() != 0);
    w.u8(show_alias.load() != 0);
    bool own_palette = use_own_palette.load() != 0;
    w.u8(own_palette ? 1 : 0);
    if (own_palette) {
        int32_t palette = 0;
        uint16_t low = 0;
        uint16_t high = 0;
        void* imaging = own_imaging();
        palettor_get_palette(imaging, &palette);
        palettor_get_range(imaging, &low, &high);
        w.u8(static_cast<uint8_t>(palette));
        w.u16(low);
        w.u16(high);
    }
    std::string text = alias();
    w.u16(static_cast<uint16_t>(text.size()));
    w.bytes(text.data(), text.size());
    text = description();
    w.u16(static_cast<uint16_t>(text.size()));
    w.bytes(text.data(), text.size());
    save_extra(out);
}

bool Ana::set_info(const tagVYAnaInfo& info)
{
    if ((info.alias != nullptr && std::strlen(info.alias) > kMaxTextLength) ||
        (info.des != nullptr && std::strlen(info.des) > kMaxTextLength)) {
        FK_ANA_ERROR("Ana::set_info", "alias or description longer than %zu characters", kMaxTextLength);
        return false;
    }
    if (info.alias != nullptr) {
        set_alias(info.alias);
    }
    if (info.des != nullptr) {
        set_description(info.des);
    }
    line_color.store(info.line_color);
    display_value1.store(info.display_value1);
    display_value2.store(info.display_value2);
    AnaStats s;
    s.avg = info.avg_ad;
    s.hottest = unpack_position(info.max_pos, info.max_ad);
    s.coldest = unpack_position(info.min_pos, info.min_ad);
    set_stats(s);
    self_para_flag.store(info.self_para_flag != 0);
    if (info.self_para_flag != 0) {
        self_para1.store(info.self_para1);
        self_para2.store(info.self_para2);
    }
    visible.store(info.visible != 0);
    show_max_point.store(info.show_max_point != 0);
    show_min_point.store(info.show_min_point != 0);
    can_move.store(info.can_move != 0);
    show_alias.store(info.show_alias != 0);
    show_description.store(info.show_des != 0);
    show_text_type.store(info.show_text_type);
    text_location.store(info.text_location);
    set_extra_info(info);
    use_own_palette.store(info.use_self_palette != 0 && supports_own_palette());
    if (info.use_self_palette != 0 && switch_own_palette(true)) {
        if (info.palette < PAL_COUNT) {
            palettor_set_palette(own_imaging(), static_cast<PALETTE>(info.palette));
        }
        palettor_set_range(own_imaging(), info.range_low, info.range_high);
    }
    return true;
}

bool Ana::get_info(tagVYAnaInfo* info) const
{
    std::string text = alias();
    if (!text.empty()) {
        info->alias = copy_text(text);
    }
    text = description();
    if (!text.empty()) {
        info->des = copy_text(text);
    }
    info->line_color = line_color.load();
    info->display_value1 = display_value1.load();
    info->display_value2 = display_value2.load();
    AnaStats s = stats();
    info->avg_ad = s.avg;
    info->max_pos = pack_position(s.hottest);
    info->max_ad = s.hottest.ad;
    info->min_pos = pack_position(s.coldest);
    info->min_ad = s.coldest.ad;
    info->self_para_flag = self_para_flag.load();
    if (info->self_para_flag != 0) {
        info->self_para1 = self_para1.load();
        info->self_para2 = self_para2.load();
    }
    info->visible = visible.load();
    info->show_max_point = show_max_point.load();
    info->show_min_point = show_min_point.load();
    info->can_move = can_move.load();
    info->use_self_palette = use_own_palette.load();
    info->show_alias = show_alias.load();
    info->show_des = show_description.load();
    info->show_text_type = show_text_type.load();
    info->text_location = text_location.load();
    if (info->use_self_palette != 0) {
        int32_t palette = 0;
        palettor_get_palette(own_imaging(), &palette);
        info->palette = static_cast<uint32_t>(palette);
        uint16_t low = 0;
        uint16_t high = 0;
        palettor_get_range(own_imaging(), &low, &high);
        info->range_low = low;
        info->range_high = high;
    }
    get_extra_info(info);
    return true;
}

std::string Ana::alias() const
{
    VyLockGuard guard(text_lock_);
    return guard ? alias_ : std::string();
}

void Ana::set_alias(const std::string& text)
{
    VyLockGuard guard(text_lock_);
    if (guard) {
        alias_ = text.substr(0, kMaxTextLength);
    }
}

std::string Ana::description() const
{
    VyLockGuard guard(text_lock_);
    return guard ? description_ : std::string();
}

void Ana::set_description(const std::string& text)
{
    VyLockGuard guard(text_lock_);
    if (guard) {
        description_ = text.substr(0, kMaxTextLength);
    }
}

}  // namespace detail
}  // namespace framekit
