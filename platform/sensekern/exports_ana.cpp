// Exports of the analysis objects: the set of objects, hit test, aliases,
// temperatures and attributes. framekit keeps the objects; the temperatures
// come from the frame's conversion with the object's own parameters.
#include "frame.h"
#include "picture_block.h"

#include "basekit.h"
#include "raw_enum.h"

#include <cmath>
#include <cstring>

using namespace sensekern::detail;

namespace {

template <class Body>
bool with_ana(void* handle, const char* ana, const char* function, Body body)
{
    return ana != nullptr && with_frame(handle, function, [&](Frame& f) { return body(f); });
}

// Every piece of an anas string, or false when any is malformed.
bool split_anas(const char* anas, std::vector<std::string>* pieces)
{
    int count = 0;
    if (anas == nullptr || vy_parse_anas_count_of_anas_str(anas, &count) != VY_OK || count <= 0) {
        return false;
    }
    int position = 0;
    for (int i = 0; i < count; ++i) {
        char buffer[VY_ANA_STR_CAPACITY];
        int length = VY_ANA_STR_CAPACITY;
        int result = i == 0 ? vy_get_first_ana_from_anas_str(anas, &position, buffer, &length)
                            : vy_get_next_ana_from_anas_str(anas, &position, buffer, &length);
        std::string key;
        if (result != VY_OK || !canonical_key(buffer, &key)) {
            return false;
        }
        pieces->emplace_back(buffer, static_cast<std::size_t>(length));
    }
    return true;
}

bool get_flag(void* handle, const char* ana, bool* on, const char* function,
              bool (*getter)(void*, const char*, uint8_t*))
{
    return on != nullptr && with_ana(handle, ana, function, [&](Frame& f) {
               uint8_t value = 0;
               if (!getter(f.ad(), ana, &value)) {
                   return false;
               }
               *on = value != 0;
               return true;
           });
}

bool set_flag(void* handle, const char* ana, bool on, const char* function,
              bool (*setter)(void*, const char*, uint8_t))
{
    return with_ana(handle, ana, function, [&](Frame& f) { return setter(f.ad(), ana, on ? 1 : 0); });
}

bool ana_extreme(void* handle, const char* ana, bool hottest, tagPAD* position, float* temperature,
                 const char* function)
{
    return with_ana(handle, ana, function, [&](Frame& f) {
        uint16_t x = 0;
        uint16_t y = 0;
        uint16_t ad = 0;
        float t = 0.0f;
        bool ok = f.has_plane() &&
                  (hottest ? vy_ana_get_max_ad_ex(f.ad(), ana, &x, &y, &ad)
                           : vy_ana_get_min_ad_ex(f.ad(), ana, &x, &y, &ad)) &&
                  f.ana_temperature(ana, x, y, ad, &t);
        if (ok) {
            put(position, tagPAD{x, y, ad});
            put(temperature, t);
        }
        return ok;
    });
}

}  // namespace

// --- the set of objects ---------------------------------------------------------------------

bool sensekern_add_anas(void* handle, const char* anas)
{
    std::vector<std::string> pieces;
    if (!split_anas(anas, &pieces)) {
        SK_LOG("sensekern_add_anas", "anas string is refused");
        return false;
    }
    return with_frame(handle, "sensekern_add_anas", [&](Frame& f) {
        if (!vy_ad_add_anas(f.ad(), anas)) {
            return false;
        }
        for (const std::string& piece : pieces) {
            f.remember_text(piece);
        }
        return true;
    });
}

bool sensekern_get_anas(void* handle, char* buffer, uint32_t* length)
{
    if (length == nullptr) {
        return false;
    }
    const uint32_t capacity = *length;
    return with_frame(handle, "sensekern_get_anas", [&](Frame& f) {
        std::string all;
        for (const std::string& key : ana_keys(f)) {
            all += f.text_of_key(key);
        }
        if (all.size() >= UINT32_MAX) {
            return false;
        }
        *length = static_cast<uint32_t>(all.size());
        if (buffer == nullptr) {
            return true;
        }
        if (capacity < all.size() + 1) {
            return false;
        }
        std::memcpy(buffer, all.c_str(), all.size() + 1);
        return true;
    });
}

bool sensekern_delete_anas(void* handle, const char* anas)
{
    std::vector<std::string> pieces;
    if (!split_anas(anas, &pieces)) {
        return false;
    }
    return with_frame(handle, "sensekern_delete_anas", [&](Frame& f) {
        if (!vy_ad_delete_anas(f.ad(), anas)) {
            return false;
        }
        for (const std::string& piece : pieces) {
            f.forget_text(piece);
        }
        return true;
    });
}

bool sensekern_delete_all_ana(void* handle)
{
    return with_frame(handle, "sensekern_delete_all_ana", [&](Frame& f) {
        if (!vy_ad_delete_all_ana(f.ad())) {
            return false;
        }
        f.forget_all_texts();
        return true;
    });
}

bool sensekern_update_ana_size(void* handle, const char* old_ana, const char* new_ana)
{
    std::string key;
    if (old_ana == nullptr || new_ana == nullptr || !canonical_key(new_ana, &key)) {
        return false;
    }
    return with_frame(handle, "sensekern_update_ana_size", [&](Frame& f) {
        if (!vy_ad_update_ana_size(f.ad(), old_ana, new_ana)) {
            return false;
        }
        f.forget_text(old_ana);
        f.remember_text(new_ana);
        return true;
    });
}

bool sensekern_get_hit_ana(void* handle, int32_t x, int32_t y, AnaType* type, char* buffer, uint32_t* length)
{
    if (type == nullptr || length == nullptr) {
        return false;
    }
    uint32_t capacity = *length;
    return with_frame(handle, "sensekern_get_hit_ana", [&](Frame& f) {
        *length = 0;
        if (x < 0 || y < 0 || x >= f.width() || y >= f.height()) {
            return false;
        }
        int32_t code = VY_HIT_NONE;
        std::string key;
        if (!vy_ad_get_hit_ana(f.ad(), static_cast<uint16_t>(x), static_cast<uint16_t>(y), &code, &key) ||
            code == VY_HIT_NONE) {
            return false;
        }
        std::string text = f.text_of_key(key);
        *length = static_cast<uint32_t>(text.size());
        if (buffer == nullptr) {
            return true;
        }
        if (capacity < text.size() + 1) {
            return false;
        }
        std::memcpy(buffer, text.c_str(), text.size() + 1);
        *type = static_cast<AnaType>(code);
        return true;
    });
}

bool sensekern_ana_get_alias(void* handle, const char* ana, char* buffer, uint32_t* length)
{
    return with_ana(handle, ana, "sensekern_ana_get_alias",
                    [&](Frame& f) { return vy_ana_get_alias(f.ad(), ana, buffer, length); });
}

bool sensekern_ana_set_alias(void* handle, const char* ana, const char* alias)
{
    return alias != nullptr && with_ana(handle, ana, "sensekern_ana_set_alias",
                                        [&](Frame& f) { return vy_ana_set_alias(f.ad(), ana, alias); });
}

// --- temperatures -----------------------------------------------------------------------------

bool sensekern_ana_get_max_temperature(void* handle, const char* ana, tagPAD* position, float* temperature)
{
    return ana_extreme(handle, ana, true, position, temperature, "sensekern_ana_get_max_temperature");
}

bool sensekern_ana_get_min_temperature(void* handle, const char* ana, tagPAD* position, float* temperature)
{
    return ana_extreme(handle, ana, false, position, temperature, "sensekern_ana_get_min_temperature");
}

bool sensekern_ana_get_avg_temperature(void* handle, const char* ana, uint16_t* ad, float* temperature)
{
    return with_ana(handle, ana, "sensekern_ana_get_avg_temperature", [&](Frame& f) {
        uint16_t avg = 0;
        bool own = false;
        float e = 0.0f;
        float d = 0.0f;
        float t = 0.0f;
        if (!f.has_plane() || !vy_ana_get_avg_ad(f.ad(), ana, &avg) || !f.ana_self_para(ana, &own, &e, &d) ||
            !f.convert(&avg, 1, &t, own, e, d)) {
            return false;
        }
        put(ad, avg);
        put(temperature, t);
        return true;
    });
}

bool sensekern_ana_get_temperature(void* handle, const char* ana, uint32_t* count, float* temperatures)
{
    return count != nullptr && with_ana(handle, ana, "sensekern_ana_get_temperature", [&](Frame& f) {
               uint32_t pixels = 0;
               if (!f.has_plane() || !vy_ana_get_pixel_count(f.ad(), ana, &pixels)) {
                   return false;
               }
               uint32_t capacity = *count;
               *count = pixels;
               if (temperatures == nullptr) {
                   return true;
               }
               if (capacity < pixels) {
                   return false;
               }
               std::vector<uint16_t> ads(pixels);
               bool own = false;
               float e = 0.0f;
               float d = 0.0f;
               if ((pixels != 0 && !vy_ana_get_ad(f.ad(), ana, ads.data())) || !f.ana_self_para(ana, &own, &e, &d)) {
                   return false;
               }
               return f.convert(ads.data(), ads.size(), temperatures, own, e, d);
           });
}

bool sensekern_ana_get_pixel_count(void* handle, const char* ana, uint32_t* count)
{
    return count != nullptr && with_ana(handle, ana, "sensekern_ana_get_pixel_count",
                                        [&](Frame& f) { return vy_ana_get_pixel_count(f.ad(), ana, count); });
}

bool sensekern_get_cursor_info(void* handle, const char* ana, bool* show_cursor, bool* show_temperature,
                               float* scale, uint16_t* x, uint16_t* y, float* temperature)
{
    return with_ana(handle, ana, "sensekern_get_cursor_info", [&](Frame& f) {
        uint8_t show = 0;
        uint8_t show_temp = 0;
        float s = 0.0f;
        uint16_t cx = 0;
        uint16_t cy = 0;
        if (!vy_ana_get_cursor_info(f.ad(), ana, &show, &show_temp, &s, &cx, &cy)) {
            return false;
        }
        if (temperature != nullptr) {
            if (!f.has_plane() || cx >= f.width() || cy >= f.height()) {
                return false;
            }
            uint16_t ad = f.plane()[static_cast<std::size_t>(cy) * f.width() + cx];
            if (!f.ana_temperature(ana, cx, cy, ad, temperature)) {
                return false;
            }
        }
        put(show_cursor, show != 0);
        put(show_temperature, show_temp != 0);
        put(scale, s);
        put(x, cx);
        put(y, cy);
        return true;
    });
}

// --- attributes ----------------------------------------------------------------------------------

bool sensekern_ana_get_line_color(void* handle, const char* ana, uint32_t* colour)
{
    return colour != nullptr && with_ana(handle, ana, "sensekern_ana_get_line_color", [&](Frame& f) {
               uint32_t rgb = 0;
               if (!vy_ana_get_line_color(f.ad(), ana, &rgb)) {
                   return false;
               }
               *colour = swap_red_blue(rgb);
               return true;
           });
}

bool sensekern_ana_set_line_color(void* handle, const char* ana, uint32_t colour)
{
    return with_ana(handle, ana, "sensekern_ana_set_line_color", [&](Frame& f) {
        return vy_ana_set_line_color(f.ad(), ana, swap_red_blue(colour));
    });
}

bool sensekern_ana_get_show_text_type(void* handle, const char* ana, ShowTextType* type)
{
    return type != nullptr && with_ana(handle, ana, "sensekern_ana_get_show_text_type", [&](Frame& f) {
               uint32_t value = 0;
               if (!vy_ana_get_show_text_type(f.ad(), ana, &value)) {
                   return false;
               }
               *type = static_cast<ShowTextType>(value);
               return true;
           });
}

bool sensekern_ana_set_show_text_type(void* handle, const char* ana, ShowTextType type)
{
    const int32_t mask = vy::raw_enum(type);
    return mask >= 0 && mask <= 7 &&
           with_ana(handle, ana, "sensekern_ana_set_show_text_type",
                    [&](Frame& f) { return vy_ana_set_show_text_type(f.ad(), ana, static_cast<uint32_t>(mask)); });
}

bool sensekern_ana_is_show_max_point(void* handle, const char* ana, bool* on)
{
    return get_flag(handle, ana, on, "sensekern_ana_is_show_max_point", vy_ana_is_show_max_point);
}

bool sensekern_ana_show_max_point(void* handle, const char* ana, bool on)
{
    return set_flag(handle, ana, on, "sensekern_ana_show_max_point", vy_ana_show_max_point);
}

bool sensekern_ana_is_show_min_point(void* handle, const char* ana, bool* on)
{
    return get_flag(handle, ana, on, "sensekern_ana_is_show_min_point", vy_ana_is_show_min_point);
}

bool sensekern_ana_show_min_point(void* handle, const char* ana, bool on)
{
    return set_flag(handle, ana, on, "sensekern_ana_show_min_point", vy_ana_show_min_point);
}

bool sensekern_ana_is_visible(void* handle, const char* ana, bool* on)
{
    return get_flag(handle, ana, on, "sensekern_ana_is_visible", vy_ana_is_visible);
}

bool sensekern_ana_set_visible(void* handle, const char* ana, bool on)
{
    return set_flag(handle, ana, on, "sensekern_ana_set_visible", vy_ana_set_visible);
}

bool sensekern_ana_is_can_move(void* handle, const char* ana, bool* on)
{
    return get_flag(handle, ana, on, "sensekern_ana_is_can_move", vy_ana_is_can_move);
}

bool sensekern_ana_set_can_move(void* handle, const char* ana, bool on)
{
    return set_flag(handle, ana, on, "sensekern_ana_set_can_move", vy_ana_set_can_move);
}

bool sensekern_ana_show_cursor(void* handle, const char* ana, bool on)
{
    return set_flag(handle, ana, on, "sensekern_ana_show_cursor", vy_ana_show_cursor);
}

bool sensekern_ana_show_temp_of_cursor(void* handle, const char* ana, bool on)
{
    return set_flag(handle, ana, on, "sensekern_ana_show_temp_of_cursor", vy_ana_show_temp_of_cursor);
}

bool sensekern_ana_set_scale_of_cursor(void* handle, const char* ana, float scale)
{
    return with_ana(handle, ana, "sensekern_ana_set_scale_of_cursor",
                    [&](Frame& f) { return vy_ana_set_scale_of_cursor(f.ad(), ana, scale); });
}

bool sensekern_ana_is_use_self_palette(void* handle, const char* ana, bool* on)
{
    return get_flag(handle, ana, on, "sensekern_ana_is_use_self_palette", vy_ana_is_use_self_palette);
}

bool sensekern_ana_apply_self_palette(void* handle, const char* ana, bool on)
{
    return with_ana(handle, ana, "sensekern_ana_apply_self_palette",
                    [&](Frame& f) { return vy_ana_apply_self_palette(f.ad(), ana, on); });
}

bool sensekern_ana_get_palette(void* handle, const char* ana, PALETTE* palette)
{
    return palette != nullptr && with_ana(handle, ana, "sensekern_ana_get_palette", [&](Frame& f) {
               int32_t value = 0;
               if (!vy_ana_get_palette(f.ad(), ana, &value)) {
                   return false;
               }
               *palette = static_cast<PALETTE>(value);
               return true;
           });
}

bool sensekern_ana_set_palette(void* handle, const char* ana, PALETTE palette)
{
    const int32_t number = vy::raw_enum(palette);
    return number >= 0 && number < PAL_COUNT &&
           with_ana(handle, ana, "sensekern_ana_set_palette",
                    [&](Frame& f) { return vy_ana_set_palette(f.ad(), ana, number); });
}

bool sensekern_ana_get_imaging_range(void* handle, const char* ana, uint16_t* low, uint16_t* high)
{
    return low != nullptr && high != nullptr &&
           with_ana(handle, ana, "sensekern_ana_get_imaging_range",
                    [&](Frame& f) { return vy_ana_get_imaging_range(f.ad(), ana, low, high); });
}

bool sensekern_ana_set_imaging_range(void* handle, const char* ana, uint16_t low, uint16_t high)
{
    return with_ana(handle, ana, "sensekern_ana_set_imaging_range",
                    [&](Frame& f) { return vy_ana_set_imaging_range(f.ad(), ana, low, high); });
}

bool sensekern_ana_set_low_of_imaging_range(void* handle, const char* ana, uint16_t low)
{
    return with_ana(handle, ana, "sensekern_ana_set_low_of_imaging_range",
                    [&](Frame& f) { return vy_ana_set_low_of_imaging_range(f.ad(), ana, low); });
}

bool sensekern_ana_set_high_of_imaging_range(void* handle, const char* ana, uint16_t high)
{
    return with_ana(handle, ana, "sensekern_ana_set_high_of_imaging_range",
                    [&](Frame& f) { return vy_ana_set_high_of_imaging_range(f.ad(), ana, high); });
}

bool sensekern_ana_auto_imaging(void* handle, const char* ana)
{
    return with_ana(handle, ana, "sensekern_ana_auto_imaging",
                    [&](Frame& f) { return f.has_plane() && vy_ana_auto_imaging(f.ad(), ana); });
}

bool sensekern_ana_get_self_para(void* handle, const char* ana, bool* own, float* emissivity, float* distance)
{
    return with_ana(handle, ana, "sensekern_ana_get_self_para", [&](Frame& f) {
        bool flag = false;
        float e = 0.0f;
        float d = 0.0f;
        if (!f.ana_self_para(ana, &flag, &e, &d)) {
            return false;
        }
        put(own, flag);
        put(emissivity, e);
        put(distance, d);
        return true;
    });
}

bool sensekern_ana_set_self_para(void* handle, const char* ana, bool own, float emissivity, float distance)
{
    if (own && !(emissivity > 0.0f && emissivity <= 1.0f && distance > 0.0f && std::isfinite(distance))) {
        return false;
    }
    return with_ana(handle, ana, "sensekern_ana_set_self_para",
                    [&](Frame& f) { return vy_ana_set_self_para(f.ad(), ana, own ? 1 : 0, emissivity, distance); });
}
