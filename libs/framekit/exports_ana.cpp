// The vy_ana_ exports: one analysis of a frame, found by its string.
#include "framekit.h"

#include "ana_shapes.h"
#include "export_guard.h"
#include "palettor.h"

#include <cstring>

using framekit::detail::ADData;
using framekit::detail::Ana;
using framekit::detail::AnaStats;
using framekit::detail::IRLine;
using framekit::detail::with_ana;
using framekit::detail::write_pad_fields;
using framekit::detail::write_pad_record;

namespace {

// Copies a text with its terminator when the capacity allows it; the
// length always receives the text length.
bool copy_text(const std::string& text, char* buffer, uint32_t* length)
{
    if (length == nullptr) {
        return false;
    }
    uint32_t capacity = *length;
    *length = static_cast<uint32_t>(text.size());
    if (buffer == nullptr) {
        return true;
    }
    if (capacity < text.size() + 1) {
        return false;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}

template <class T, class V>
bool read_value(void* handle, const char* ana, const char* function, T* out, V value)
{
    if (out == nullptr) {
        return false;
    }
    return with_ana(handle, ana, function, [&](ADData&, Ana& a) {
        *out = static_cast<T>(value(a));
        return true;
    });
}

template <class Store>
bool write_value(void* handle, const char* ana, const char* function, Store store)
{
    return with_ana(handle, ana, function, [&](ADData&, Ana& a) {
        store(a);
        return true;
    });
}

template <class Body>
bool with_line(void* handle, const char* ana, const char* function, Body body)
{
    return with_ana(handle, ana, function, [&](ADData&, Ana& a) {
        if (a.type() != ANA_LINE) {
            return false;
        }
        return body(static_cast<IRLine&>(a));
    });
}

template <class Body>
bool with_own_imaging(void* handle, const char* ana, const char* function, Body body)
{
    return with_ana(handle, ana, function, [&](ADData&, Ana& a) { return body(a.own_imaging()); });
}

}  // namespace

bool vy_ana_get_alias(void* handle, const char* ana, char* buffer, uint32_t* length)
{
    return with_ana(handle, ana, "vy_ana_get_alias",
                    [&](ADData&, Ana& a) { return copy_text(a.alias(), buffer, length); });
}

bool vy_ana_set_alias(void* handle, const char* ana, const char* text)
{
    return text != nullptr && write_value(handle, ana, "vy_ana_set_alias", [&](Ana& a) { a.set_alias(text); });
}

bool vy_ana_get_des(void* handle, const char* ana, char* buffer, uint32_t* length)
{
    return with_ana(handle, ana, "vy_ana_get_des",
                    [&](ADData&, Ana& a) { return copy_text(a.description(), buffer, length); });
}

bool vy_ana_set_des(void* handle, const char* ana, const char* text)
{
    return text != nullptr && write_value(handle, ana, "vy_ana_set_des", [&](Ana& a) { a.set_description(text); });
}

bool vy_ana_get_info(void* handle, const char* ana, tagVYAnaInfo* info)
{
    return info != nullptr &&
           with_ana(handle, ana, "vy_ana_get_info", [&](ADData&, Ana& a) { return a.get_info(info); });
}

bool vy_ana_set_info(void* handle, const char* ana, const tagVYAnaInfo* info)
{
    return info != nullptr &&
           with_ana(handle, ana, "vy_ana_set_info", [&](ADData&, Ana& a) { return a.set_info(*info); });
}

bool vy_ana_get_ad(void* handle, const char* ana, uint16_t* out)
{
    return ana != nullptr && with_ana(handle, ana, "vy_ana_get_ad",
                                      [&](ADData& f, Ana&) { return f.get_ad_of_ana(ana, out); });
}

bool vy_ana_get_track_pos(void* handle, const char* ana, tagVYPoint* out)
{
    return ana != nullptr && with_ana(handle, ana, "vy_ana_get_track_pos",
                                      [&](ADData& f, Ana&) { return f.get_pos_of_ana(ana, out); });
}

bool vy_ana_get_pixel_count(void* handle, const char* ana, uint32_t* count)
{
    return count != nullptr && with_ana(handle, ana, "vy_ana_get_pixel_count",
                                        [&](ADData& f, Ana&) { return f.pixel_count_of_ana(ana, count); });
}

bool vy_ana_get_nodes(void* handle, const char* ana, uint32_t* count, tagVYPoint* nodes)
{
    if (count == nullptr) {
        FK_ANA_ERROR("Ana::get_nodes", "nodes count = %d, or parameter is null", 0);
        return false;
    }
    return with_ana(handle, ana, "vy_ana_get_nodes", [&](ADData&, Ana& a) {
        std::vector<tagVYPoint> list;
        if (!a.get_nodes(&list)) {
            FK_ANA_ERROR("Ana::get_nodes", "nodes count = %d, or parameter is null", static_cast<int>(list.size()));
            return false;
        }
        uint32_t capacity = *count;
        *count = static_cast<uint32_t>(list.size());
        if (nodes == nullptr) {
            return true;
        }
        if (capacity < list.size()) {
            return false;
        }
        std::memcpy(nodes, list.data(), list.size() * sizeof(tagVYPoint));
        return true;
    });
}

bool vy_ana_get_max_ad(void* handle, const char* ana, uint16_t record[3])
{
    return record != nullptr && with_ana(handle, ana, "vy_ana_get_max_ad", [&](ADData&, Ana& a) {
               write_pad_record(a.stats().hottest, record);
               return true;
           });
}

bool vy_ana_get_min_ad(void* handle, const char* ana, uint16_t record[3])
{
    return record != nullptr && with_ana(handle, ana, "vy_ana_get_min_ad", [&](ADData&, Ana& a) {
               write_pad_record(a.stats().coldest, record);
               return true;
           });
}

bool vy_ana_get_max_ad_ex(void* handle, const char* ana, uint16_t* x, uint16_t* y, uint16_t* ad)
{
    return with_ana(handle, ana, "vy_ana_get_max_ad_ex", [&](ADData&, Ana& a) {
        write_pad_fields(a.stats().hottest, x, y, ad);
        return true;
    });
}

bool vy_ana_get_min_ad_ex(void* handle, const char* ana, uint16_t* x, uint16_t* y, uint16_t* ad)
{
    return with_ana(handle, ana, "vy_ana_get_min_ad_ex", [&](ADData&, Ana& a) {
        write_pad_fields(a.stats().coldest, x, y, ad);
        return true;
    });
}

bool vy_ana_get_avg_ad(void* handle, const char* ana, uint16_t* avg)
{
    return read_value(handle, ana, "vy_ana_get_avg_ad", avg, [](Ana& a) { return a.stats().avg; });
}

bool vy_ana_set_eigenvalue(void* handle, const char* ana, uint32_t max_pos, uint16_t max_ad, uint32_t min_pos,
                           uint16_t min_ad, uint16_t avg_ad)
{
    return write_value(handle, ana, "vy_ana_set_eigenvalue", [&](Ana& a) {
        AnaStats s;
        s.hottest = tagPAD{static_cast<uint16_t>(max_pos & 0xFFFF), static_cast<uint16_t>(max_pos >> 16), max_ad};
        s.coldest = tagPAD{static_cast<uint16_t>(min_pos & 0xFFFF), static_cast<uint16_t>(min_pos >> 16), min_ad};
        s.avg = avg_ad;
        a.set_stats(s);
    });
}

bool vy_ana_get_self_para(void* handle, const char* ana, uint8_t* flag, uint32_t* value1, uint32_t* value2)
{
    if (flag == nullptr) {
        return false;
    }
    return with_ana(handle, ana, "vy_ana_get_self_para", [&](ADData&, Ana& a) {
        uint8_t on = a.self_para_flag.load();
        if (on != 0 && (value1 == nullptr || value2 == nullptr)) {
            return false;
        }
        *flag = on;
        if (on != 0) {
            float v1 = a.self_para1.load();
            float v2 = a.self_para2.load();
            std::memcpy(value1, &v1, sizeof(v1));
            std::memcpy(value2, &v2, sizeof(v2));
        }
        return true;
    });
}

bool vy_ana_set_self_para(void* handle, const char* ana, uint8_t flag, float value1, float value2)
{
    return write_value(handle, ana, "vy_ana_set_self_para", [&](Ana& a) {
        a.self_para_flag.store(flag != 0 ? 1 : 0);
        if (flag != 0) {
            a.self_para1.store(value1);
            a.self_para2.store(value2);
        }
    });
}

bool vy_ana_get_line_color(void* handle, const char* ana, uint32_t* color)
{
    return read_value(handle, ana, "vy_ana_get_line_color", color, [](Ana& a) { return a.line_color.load(); });
}

bool vy_ana_set_line_color(void* handle, const char* ana, uint32_t color)
{
    return write_value(handle, ana, "vy_ana_set_line_color", [&](Ana& a) { a.line_color.store(color); });
}

bool vy_ana_get_show_text_type(void* handle, const char* ana, uint32_t* type)
{
    return read_value(handle, ana, "vy_ana_get_show_text_type", type,
                      [](Ana& a) { return a.show_text_type.load(); });
}

bool vy_ana_set_show_text_type(void* handle, const char* ana, uint32_t type)
{
    return write_value(handle, ana, "vy_ana_set_show_text_type", [&](Ana& a) { a.show_text_type.store(type); });
}

bool vy_ana_get_text_location(void* handle, const char* ana, uint32_t* location)
{
    return read_value(handle, ana, "vy_ana_get_text_location", location,
                      [](Ana& a) { return a.text_location.load(); });
}

bool vy_ana_set_text_location(void* handle, const char* ana, uint32_t location)
{
    return write_value(handle, ana, "vy_ana_set_text_location", [&](Ana& a) { a.text_location.store(location); });
}

bool vy_ana_is_visible(void* handle, const char* ana, uint8_t* on)
{
    return read_value(handle, ana, "vy_ana_is_visible", on, [](Ana& a) { return a.visible.load(); });
}

bool vy_ana_set_visible(void* handle, const char* ana, uint8_t on)
{
    return write_value(handle, ana, "vy_ana_set_visible", [&](Ana& a) { a.visible.store(on != 0); });
}

bool vy_ana_is_can_move(void* handle, const char* ana, uint8_t* on)
{
    return read_value(handle, ana, "vy_ana_is_can_move", on, [](Ana& a) { return a.can_move.load(); });
}

bool vy_ana_set_can_move(void* handle, const char* ana, uint8_t on)
{
    return write_value(handle, ana, "vy_ana_set_can_move", [&](Ana& a) { a.can_move.store(on != 0); });
}

bool vy_ana_is_show_alias(void* handle, const char* ana, uint8_t* on)
{
    return read_value(handle, ana, "vy_ana_is_show_alias", on, [](Ana& a) { return a.show_alias.load(); });
}

bool vy_ana_show_alias(void* handle, const char* ana, uint8_t on)
{
    return write_value(handle, ana, "vy_ana_show_alias", [&](Ana& a) { a.show_alias.store(on != 0); });
}

bool vy_ana_is_show_des(void* handle, const char* ana, uint8_t* on)
{
    return read_value(handle, ana, "vy_ana_is_show_des", on, [](Ana& a) { return a.show_description.load(); });
}

bool vy_ana_show_des(void* handle, const char* ana, uint8_t on)
{
    return write_value(handle, ana, "vy_ana_show_des", [&](Ana& a) { a.show_description.store(on != 0); });
}

bool vy_ana_is_show_max_point(void* handle, const char* ana, uint8_t* on)
{
    return read_value(handle, ana, "vy_ana_is_show_max_point", on, [](Ana& a) { return a.show_max_point.load(); });
}

bool vy_ana_show_max_point(void* handle, const char* ana, uint8_t on)
{
    return write_value(handle, ana, "vy_ana_show_max_point", [&](Ana& a) { a.show_max_point.store(on != 0); });
}

bool vy_ana_is_show_min_point(void* handle, const char* ana, uint8_t* on)
{
    return read_value(handle, ana, "vy_ana_is_show_min_point", on, [](Ana& a) { return a.show_min_point.load(); });
}

bool vy_ana_show_min_point(void* handle, const char* ana, uint8_t on)
{
    return write_value(handle, ana, "vy_ana_show_min_point", [&](Ana& a) { a.show_min_point.store(on != 0); });
}

bool vy_ana_is_use_self_palette(void* handle, const char* ana, uint8_t* on)
{
    return read_value(handle, ana, "vy_ana_is_use_self_palette", on, [](Ana& a) { return a.use_own_palette.load(); });
}

bool vy_ana_apply_self_palette(void* handle, const char* ana, bool on)
{
    return ana != nullptr && with_ana(handle, ana, "vy_ana_apply_self_palette",
                                      [&](ADData& f, Ana&) { return f.apply_self_palette_of_ana(ana, on); });
}

bool vy_ana_get_palette(void* handle, const char* ana, int32_t* palette)
{
    return with_own_imaging(handle, ana, "vy_ana_get_palette",
                            [&](void* imaging) { return palettor_get_palette(imaging, palette); });
}

bool vy_ana_set_palette(void* handle, const char* ana, int32_t palette)
{
    if (palette < 0 || palette >= PAL_COUNT) {
        return false;
    }
    return with_own_imaging(handle, ana, "vy_ana_set_palette", [&](void* imaging) {
        return palettor_set_palette(imaging, static_cast<PALETTE>(palette));
    });
}

bool vy_ana_get_imaging_range(void* handle, const char* ana, uint16_t* low, uint16_t* high)
{
    return with_own_imaging(handle, ana, "vy_ana_get_imaging_range",
                            [&](void* imaging) { return palettor_get_range(imaging, low, high); });
}

bool vy_ana_set_imaging_range(void* handle, const char* ana, uint16_t low, uint16_t high)
{
    return with_own_imaging(handle, ana, "vy_ana_set_imaging_range",
                            [&](void* imaging) { return palettor_set_range(imaging, low, high); });
}

bool vy_ana_set_low_of_imaging_range(void* handle, const char* ana, uint16_t low)
{
    return with_own_imaging(handle, ana, "vy_ana_set_low_of_imaging_range",
                            [&](void* imaging) { return palettor_set_low_of_range(imaging, low); });
}

bool vy_ana_set_high_of_imaging_range(void* handle, const char* ana, uint16_t high)
{
    return with_own_imaging(handle, ana, "vy_ana_set_high_of_imaging_range",
                            [&](void* imaging) { return palettor_set_high_of_range(imaging, high); });
}

bool vy_ana_auto_imaging(void* handle, const char* ana)
{
    return with_own_imaging(handle, ana, "vy_ana_auto_imaging",
                            [&](void* imaging) { return palettor_auto_adjust(imaging); });
}

bool vy_ana_show_cursor(void* handle, const char* ana, uint8_t on)
{
    return with_line(handle, ana, "vy_ana_show_cursor", [&](IRLine& line) {
        line.show_cursor.store(on != 0);
        return true;
    });
}

bool vy_ana_show_temp_of_cursor(void* handle, const char* ana, uint8_t on)
{
    return with_line(handle, ana, "vy_ana_show_temp_of_cursor", [&](IRLine& line) {
        line.show_cursor_temp.store(on != 0);
        return true;
    });
}

bool vy_ana_set_scale_of_cursor(void* handle, const char* ana, float scale)
{
    return with_line(handle, ana, "vy_ana_set_scale_of_cursor",
                     [&](IRLine& line) { return line.set_cursor_scale(scale); });
}

bool vy_ana_get_cursor_info(void* handle, const char* ana, uint8_t* show_cursor, uint8_t* show_temp, float* scale,
                            uint16_t* x, uint16_t* y)
{
    return with_line(handle, ana, "vy_ana_get_cursor_info", [&](IRLine& line) {
        if (show_cursor != nullptr) {
            *show_cursor = line.show_cursor.load();
        }
        if (show_temp != nullptr) {
            *show_temp = line.show_cursor_temp.load();
        }
        if (scale != nullptr) {
            *scale = line.cursor_scale();
        }
        tagVYPoint at = line.cursor();
        if (x != nullptr) {
            *x = at.x;
        }
        if (y != nullptr) {
            *y = at.y;
        }
        return true;
    });
}
