// Per-object exports: temperatures, display attributes, own palette and
// parameters, warnings. The handle form of each resolves the entry's text
// and calls the text form on the entry's document.
#include "thermframe.h"

#include "export_guard.h"
#include "registry.h"
#include "rotation.h"
#include "sensekern.h"

#include <cmath>

using namespace thermframe::detail;

namespace {

template <class Call>
bool on_text(void* handle, const std::string& str, const char* function, Call call)
{
    return with_doc(handle, function,
                    [&](FrameDoc& doc) { return call(doc.sensekern_handle(), str.c_str()); });
}

template <class Call>
bool on_text_locked(void* handle, const std::string& str, const char* function, Call call)
{
    return with_doc(handle, function, [&](FrameDoc& doc) {
        return with_sensekern(doc, [&](void* sk) { return call(sk, str.c_str()); });
    });
}

// Calls the text form with the handle's document and text.
template <class TextForm>
bool on_handle(void* ana, TextForm text_form)
{
    FrameDoc* doc = nullptr;
    std::string text;
    return resolve_handle(ana, doc, text) && text_form(static_cast<void*>(doc), text);
}

template <class Query>
bool extreme(void* handle, const std::string& str, const char* function, Query query, uint16_t& x,
             uint16_t& y, uint16_t& ad, float& t)
{
    return with_doc(handle, function, [&](FrameDoc& doc) {
        tagPAD pad{};
        float value = 0.0f;
        if (!with_sensekern(doc, [&](void* sk) { return query(sk, str.c_str(), &pad, &value); })) {
            return false;
        }
        abs_to_direction(doc.rotation.load(), doc.width.load(), doc.height.load(), pad.x, pad.y);
        x = pad.x;
        y = pad.y;
        ad = pad.ad;
        t = value;
        return true;
    });
}

// Sets the entry's palette type after sensekern accepted an imaging change.
bool with_palette_type(void* handle, const std::string& str, const char* function, int32_t type,
                       bool (*call)(void*, const char*, uint16_t, uint16_t), uint16_t a, uint16_t b)
{
    return with_doc(handle, function, [&](FrameDoc& doc) {
        if (!call(doc.sensekern_handle(), str.c_str(), a, b)) {
            return false;
        }
        with_entry(doc, str, [&](AnaEntry& entry) {
            entry.palette_type = type;
            return true;
        });
        return true;
    });
}

bool set_range_both(void* sk, const char* s, uint16_t low, uint16_t high)
{
    return sensekern_ana_set_imaging_range(sk, s, low, high);
}

bool set_low(void* sk, const char* s, uint16_t low, uint16_t)
{
    return sensekern_ana_set_low_of_imaging_range(sk, s, low);
}

bool set_high(void* sk, const char* s, uint16_t high, uint16_t)
{
    return sensekern_ana_set_high_of_imaging_range(sk, s, high);
}

bool auto_range(void* sk, const char* s, uint16_t, uint16_t)
{
    return sensekern_ana_auto_imaging(sk, s);
}

template <class Body>
bool entry_field(void* handle, const std::string& str, const char* function, Body body)
{
    return with_doc(handle, function, [&](FrameDoc& doc) { return with_entry(doc, str, body); });
}

}  // namespace

// --- Temperatures ------------------------------------------------------------------

bool thermframe_ana_get_max_temp(void* handle, const std::string& str, uint16_t& x, uint16_t& y,
                                 uint16_t& ad, float& t)
{
    return extreme(handle, str, __func__, sensekern_ana_get_max_temperature, x, y, ad, t);
}

bool thermframe_ana_get_max_temp(void* ana, uint16_t& x, uint16_t& y, uint16_t& ad, float& t)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_get_max_temp(doc, s, x, y, ad, t);
    });
}

bool thermframe_ana_get_min_temp(void* handle, const std::string& str, uint16_t& x, uint16_t& y,
                                 uint16_t& ad, float& t)
{
    return extreme(handle, str, __func__, sensekern_ana_get_min_temperature, x, y, ad, t);
}

bool thermframe_ana_get_min_temp(void* ana, uint16_t& x, uint16_t& y, uint16_t& ad, float& t)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_get_min_temp(doc, s, x, y, ad, t);
    });
}

bool thermframe_ana_get_avg_temp(void* handle, const std::string& str, uint16_t& ad, float& t)
{
    return on_text_locked(handle, str, __func__, [&](void* sk, const char* s) {
        return sensekern_ana_get_avg_temperature(sk, s, &ad, &t);
    });
}

bool thermframe_ana_get_avg_temp(void* ana, uint16_t& ad, float& t)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_get_avg_temp(doc, s, ad, t);
    });
}

bool thermframe_ana_get_all_temp(void* handle, const std::string& str, float* temps,
                                 uint32_t& count)
{
    return on_text_locked(handle, str, __func__, [&](void* sk, const char* s) {
        uint32_t n = temps == nullptr ? 0 : count;
        const bool done = sensekern_ana_get_temperature(sk, s, &n, temps);
        count = n;
        return done;
    });
}

bool thermframe_ana_get_all_temp(void* ana, float* temps, uint32_t& count)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_get_all_temp(doc, s, temps, count);
    });
}

bool thermframe_ana_get_temperature_of_cursor(void* handle, const std::string& str, uint16_t& x,
                                              uint16_t& y, float& t)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        uint16_t cx = 0;
        uint16_t cy = 0;
        float value = 0.0f;
        if (!with_sensekern(doc, [&](void* sk) {
                return sensekern_get_cursor_info(sk, str.c_str(), nullptr, nullptr, nullptr, &cx,
                                                 &cy, &value);
            })) {
            return false;
        }
        abs_to_direction(doc.rotation.load(), doc.width.load(), doc.height.load(), cx, cy);
        x = cx;
        y = cy;
        t = value;
        return true;
    });
}

bool thermframe_ana_get_temperature_of_cursor(void* ana, uint16_t& x, uint16_t& y, float& t)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_get_temperature_of_cursor(doc, s, x, y, t);
    });
}

bool thermframe_ana_get_pixel_count(void* handle, const std::string& str, uint32_t& count)
{
    return on_text(handle, str, __func__, [&](void* sk, const char* s) {
        return sensekern_ana_get_pixel_count(sk, s, &count);
    });
}

bool thermframe_ana_get_pixel_count(void* ana, uint32_t& count)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_get_pixel_count(doc, s, count);
    });
}

// --- Display attributes ------------------------------------------------------------------

// Both forms of a getter or setter that forwards one value to sensekern.
// `forwarded` is what sensekern gets: the value or the address of the out-value.
#define TF_TEXT_AND_HANDLE(name, value_decl, value, forwarded, call)                      \
    bool thermframe_##name(void* handle, const std::string& str, value_decl)              \
    {                                                                                     \
        return on_text(handle, str, "thermframe_" #name,                                  \
                       [&](void* sk, const char* s) { return call(sk, s, forwarded); });  \
    }                                                                                     \
    bool thermframe_##name(void* ana, value_decl)                                         \
    {                                                                                     \
        return on_handle(ana, [&](void* doc, const std::string& s) {                      \
            return thermframe_##name(doc, s, value);                                      \
        });                                                                               \
    }

TF_TEXT_AND_HANDLE(ana_get_line_clr, uint32_t& colour, colour, &colour, sensekern_ana_get_line_color)
TF_TEXT_AND_HANDLE(ana_get_text_type, ShowTextType& type, type, &type, sensekern_ana_get_show_text_type)
TF_TEXT_AND_HANDLE(ana_set_text_type, ShowTextType type, pass_enum(type), pass_enum(type),
                   sensekern_ana_set_show_text_type)
TF_TEXT_AND_HANDLE(ana_is_show_max, bool& on, on, &on, sensekern_ana_is_show_max_point)
TF_TEXT_AND_HANDLE(ana_is_show_min, bool& on, on, &on, sensekern_ana_is_show_min_point)
TF_TEXT_AND_HANDLE(ana_show_max, bool on, on, on, sensekern_ana_show_max_point)
TF_TEXT_AND_HANDLE(ana_show_min, bool on, on, on, sensekern_ana_show_min_point)
TF_TEXT_AND_HANDLE(ana_is_show, bool& on, on, &on, sensekern_ana_is_visible)
TF_TEXT_AND_HANDLE(ana_show, bool on, on, on, sensekern_ana_set_visible)
TF_TEXT_AND_HANDLE(ana_is_can_move, bool& on, on, &on, sensekern_ana_is_can_move)
TF_TEXT_AND_HANDLE(ana_set_can_move, bool on, on, on, sensekern_ana_set_can_move)
TF_TEXT_AND_HANDLE(ana_show_cursor, bool on, on, on, sensekern_ana_show_cursor)
TF_TEXT_AND_HANDLE(ana_show_cursor_temp, bool on, on, on, sensekern_ana_show_temp_of_cursor)
TF_TEXT_AND_HANDLE(ana_has_self_palette, bool& on, on, &on, sensekern_ana_is_use_self_palette)
TF_TEXT_AND_HANDLE(ana_set_self_palette, bool on, on, on, sensekern_ana_apply_self_palette)
TF_TEXT_AND_HANDLE(ana_set_palette, PALETTE palette, pass_enum(palette), pass_enum(palette),
                   sensekern_ana_set_palette)

#undef TF_TEXT_AND_HANDLE

bool thermframe_ana_set_line_clr(void* handle, const std::string& str, const uint32_t& colour)
{
    return on_text(handle, str, __func__, [&](void* sk, const char* s) {
        return sensekern_ana_set_line_color(sk, s, colour);
    });
}

bool thermframe_ana_set_line_clr(void* ana, uint32_t colour)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_set_line_clr(doc, s, colour);
    });
}

namespace {

bool cursor_flag(void* handle, const std::string& str, const char* function, bool temperature,
                 bool& on)
{
    return on_text(handle, str, function, [&](void* sk, const char* s) {
        return sensekern_get_cursor_info(sk, s, temperature ? nullptr : &on,
                                         temperature ? &on : nullptr, nullptr, nullptr, nullptr,
                                         nullptr);
    });
}

}  // namespace

bool thermframe_ana_is_show_cursor(void* handle, const std::string& str, bool& on)
{
    return cursor_flag(handle, str, __func__, false, on);
}

bool thermframe_ana_is_show_cursor(void* ana, bool& on)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_is_show_cursor(doc, s, on);
    });
}

bool thermframe_ana_is_show_cursor_temp(void* handle, const std::string& str, bool& on)
{
    return cursor_flag(handle, str, __func__, true, on);
}

bool thermframe_ana_is_show_cursor_temp(void* ana, bool& on)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_is_show_cursor_temp(doc, s, on);
    });
}

bool thermframe_ana_get_scale_of_cursor(void* handle, const std::string& str, float& scale)
{
    return on_text(handle, str, __func__, [&](void* sk, const char* s) {
        return sensekern_get_cursor_info(sk, s, nullptr, nullptr, &scale, nullptr, nullptr, nullptr);
    });
}

bool thermframe_ana_get_scale_of_cursor(void* ana, float& scale)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_get_scale_of_cursor(doc, s, scale);
    });
}

bool thermframe_ana_set_scale_of_cursor(void* handle, const std::string& str, const float& scale)
{
    return on_text_locked(handle, str, __func__, [&](void* sk, const char* s) {
        return sensekern_ana_set_scale_of_cursor(sk, s, scale);
    });
}

bool thermframe_ana_set_cursor_pos(void* handle, const std::string& str, const int32_t& x,
                                   const int32_t& y)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        float scale = 0.5f;
        const bool found = with_entry(doc, str, [&](AnaEntry& entry) {
            if (entry.image_nodes.empty()) {
                return false;
            }
            const tagVYPoint first = entry.image_nodes.front();
            const tagVYPoint last = entry.image_nodes.back();
            const double x0 = first.x, y0 = first.y, x1 = last.x, y1 = last.y;
            double s = 0.5;
            if (std::fabs(y0 - y1) < std::fabs(x0 - x1)) {
                s = (x - x0) / (x1 - x0);
            } else if (y1 != y0) {
                s = (y - y0) / (y1 - y0);
            }
            if (s <= 0.0) {
                s = 1.0 / static_cast<double>(entry.image_nodes.size());
            } else if (s > 1.0) {
                s = 1.0;
            }
            scale = static_cast<float>(s);
            return true;
        });
        if (!found) {
            return false;
        }
        return with_sensekern(doc, [&](void* sk) {
            return sensekern_ana_set_scale_of_cursor(sk, str.c_str(), scale);
        });
    });
}

// --- Own palette and parameters -------------------------------------------------------------

bool thermframe_ana_get_palette(void* handle, const std::string& str, PALETTE& palette)
{
    return on_text(handle, str, __func__, [&](void* sk, const char* s) {
        // A palette that sensekern cannot tell reads as the first one.
        if (!sensekern_ana_get_palette(sk, s, &palette)) {
            palette = PAL_IRON;
        }
        return true;
    });
}

bool thermframe_ana_get_palette(void* ana, PALETTE& palette)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_get_palette(doc, s, palette);
    });
}

bool thermframe_ana_get_palette_param(void* handle, const std::string& str, uint16_t& low,
                                      uint16_t& high)
{
    return on_text(handle, str, __func__, [&](void* sk, const char* s) {
        return sensekern_ana_get_imaging_range(sk, s, &low, &high);
    });
}

bool thermframe_ana_get_palette_param(void* ana, uint16_t& low, uint16_t& high)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_get_palette_param(doc, s, low, high);
    });
}

bool thermframe_ana_set_palette_param(void* handle, const std::string& str, uint16_t low,
                                      uint16_t high)
{
    return with_palette_type(handle, str, __func__, PALETTE_TYPE_MANUAL, set_range_both, low, high);
}

bool thermframe_ana_set_palette_param(void* ana, uint16_t low, uint16_t high)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_set_palette_param(doc, s, low, high);
    });
}

bool thermframe_ana_set_palette_param_min(void* handle, const std::string& str, uint16_t low)
{
    return with_palette_type(handle, str, __func__, PALETTE_TYPE_MANUAL, set_low, low, 0);
}

bool thermframe_ana_set_palette_param_min(void* ana, uint16_t low)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_set_palette_param_min(doc, s, low);
    });
}

bool thermframe_ana_set_palette_param_max(void* handle, const std::string& str, uint16_t high)
{
    return with_palette_type(handle, str, __func__, PALETTE_TYPE_MANUAL, set_high, high, 0);
}

bool thermframe_ana_set_palette_param_max(void* ana, uint16_t high)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_set_palette_param_max(doc, s, high);
    });
}

bool thermframe_ana_auto_palette(void* handle, const std::string& str)
{
    return with_palette_type(handle, str, __func__, PALETTE_TYPE_AUTO_ONCE, auto_range, 0, 0);
}

bool thermframe_ana_auto_palette(void* ana)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_auto_palette(doc, s);
    });
}

bool thermframe_ana_get_palette_type(void* handle, const std::string& str, PaletteType& type)
{
    return entry_field(handle, str, __func__, [&](AnaEntry& entry) {
        type = static_cast<PaletteType>(entry.palette_type);
        return true;
    });
}

bool thermframe_ana_get_palette_type(void* ana, PaletteType& type)
{
    return with_handle(ana, [&](AnaEntry& entry) {
        type = static_cast<PaletteType>(entry.palette_type);
        return true;
    });
}

bool thermframe_ana_get_self_para(void* handle, const std::string& str, bool& own,
                                  float& emissivity, float& distance)
{
    return on_text(handle, str, __func__, [&](void* sk, const char* s) {
        bool uses = false;
        float e = 0.0f;
        float d = 0.0f;
        if (!sensekern_ana_get_self_para(sk, s, &uses, &e, &d)) {
            return false;
        }
        if (!uses && !sensekern_get_temperature_para(sk, &e, &d, nullptr, nullptr, nullptr,
                                                     nullptr, nullptr)) {
            return false;
        }
        own = uses;
        emissivity = e;
        distance = d;
        return true;
    });
}

bool thermframe_ana_get_self_para(void* ana, bool& own, float& emissivity, float& distance)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_get_self_para(doc, s, own, emissivity, distance);
    });
}

bool thermframe_ana_set_self_para(void* handle, const std::string& str, bool own,
                                  float emissivity, float distance)
{
    return on_text(handle, str, __func__, [&](void* sk, const char* s) {
        return sensekern_ana_set_self_para(sk, s, own, emissivity, distance);
    });
}

bool thermframe_ana_set_self_para(void* ana, bool own, float emissivity, float distance)
{
    return on_handle(ana, [&](void* doc, const std::string& s) {
        return thermframe_ana_set_self_para(doc, s, own, emissivity, distance);
    });
}

// --- Warnings ------------------------------------------------------------------------------

bool thermframe_ana_set_warning(void* handle, const std::string& str, bool on)
{
    return entry_field(handle, str, __func__, [&](AnaEntry& entry) {
        entry.warning = on ? 1 : 0;
        return true;
    });
}

bool thermframe_ana_set_warning(void* ana, bool on)
{
    return with_handle(ana, [&](AnaEntry& entry) {
        entry.warning = on ? 1 : 0;
        return true;
    });
}

bool thermframe_ana_get_warning(void* handle, const std::string& str, bool& on)
{
    return entry_field(handle, str, __func__, [&](AnaEntry& entry) {
        on = entry.warning != 0;
        return true;
    });
}

bool thermframe_ana_get_warning(void* ana, bool& on)
{
    return with_handle(ana, [&](AnaEntry& entry) {
        on = entry.warning != 0;
        return true;
    });
}

bool thermframe_ana_set_warning_line_clr(void* handle, const std::string& str, uint32_t colour)
{
    return entry_field(handle, str, __func__, [&](AnaEntry& entry) {
        entry.warning_line_color = colour;
        return true;
    });
}

bool thermframe_ana_set_warning_line_clr(void* ana, uint32_t colour)
{
    return with_handle(ana, [&](AnaEntry& entry) {
        entry.warning_line_color = colour;
        return true;
    });
}

bool thermframe_ana_get_warning_line_clr(void* handle, const std::string& str, uint32_t& colour)
{
    return entry_field(handle, str, __func__, [&](AnaEntry& entry) {
        colour = entry.warning_line_color;
        return true;
    });
}

bool thermframe_ana_get_warning_line_clr(void* ana, uint32_t& colour)
{
    return with_handle(ana, [&](AnaEntry& entry) {
        colour = entry.warning_line_color;
        return true;
    });
}

bool thermframe_ana_clear_warning(void* handle)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.registry_lock);
        if (!guard) {
            return false;
        }
        for (auto& kind : doc.anas) {
            for (AnaEntry* entry : kind.second) {
                entry->warning = 0;
            }
        }
        return true;
    });
}

bool thermframe_ana_add_warning_count(void* handle)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        ++doc.warning_count;
        return true;
    });
}

bool thermframe_ana_get_warning_count(void* handle, uint32_t& count)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        count = doc.warning_count.load();
        return true;
    });
}

bool thermframe_ana_get_temp_text(void* handle, const std::string& str, std::string& text)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        std::string made;
        if (!with_sensekern(doc, [&](void* sk) {
                (void)sk;
                return read_temp_text(doc, str, made);
            })) {
            text.clear();
            return false;
        }
        text = made;
        return true;
    });
}
