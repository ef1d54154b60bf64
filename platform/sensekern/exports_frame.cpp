// Exports of the whole frame: lifecycle, feeding, temperatures, parameters,
// colour and isotherms.
#include "frame.h"

#include "handle_registry.h"
#include "palettor.h"
#include "raw_enum.h"
#include "tempcore.h"

#include <cmath>
#include <cstring>
#include <sys/time.h>

using namespace sensekern::detail;

namespace {

// The extreme or average AD of the whole frame and its temperature.
bool frame_extreme(void* handle, bool hottest, tagPAD* position, float* temperature, const char* function)
{
    return with_frame(handle, function, [&](Frame& f) {
        uint16_t x = 0;
        uint16_t y = 0;
        uint16_t ad = 0;
        float t = 0.0f;
        bool ok = f.has_plane() &&
                  (hottest ? vy_ad_get_max_ad_ex(f.ad(), &x, &y, &ad) : vy_ad_get_min_ad_ex(f.ad(), &x, &y, &ad)) &&
                  f.pixel_temperature(x, y, ad, &t);
        if (ok) {
            put(position, tagPAD{x, y, ad});
            put(temperature, t);
        }
        return ok;
    });
}

using ShapeQuery = bool (*)(void*, uint16_t, uint16_t, uint16_t, uint16_t, uint16_t*, uint16_t*, uint16_t*,
                            uint16_t*, uint16_t*, uint16_t*, uint16_t*);

bool shape_temperature(void* handle, ShapeQuery query, const char* function, uint16_t x1, uint16_t y1,
                       uint16_t x2, uint16_t y2, uint16_t* max_x, uint16_t* max_y, uint16_t* max_ad,
                       float* max, uint16_t* min_x, uint16_t* min_y, uint16_t* min_ad, float* min,
                       uint16_t* avg_ad, float* avg)
{
    return with_frame(handle, function, [&](Frame& f) {
        uint16_t hx = 0, hy = 0, had = 0, cx = 0, cy = 0, cad = 0, aad = 0;
        float ht = 0.0f, ct = 0.0f, at = 0.0f;
        if (!f.has_plane() || !query(f.ad(), x1, y1, x2, y2, &hx, &hy, &had, &cx, &cy, &cad, &aad) ||
            !f.pixel_temperature(hx, hy, had, &ht) || !f.pixel_temperature(cx, cy, cad, &ct) ||
            !f.convert(&aad, 1, &at)) {
            return false;
        }
        put(max_x, hx);
        put(max_y, hy);
        put(max_ad, had);
        put(max, ht);
        put(min_x, cx);
        put(min_y, cy);
        put(min_ad, cad);
        put(min, ct);
        put(avg_ad, aad);
        put(avg, at);
        return true;
    });
}

bool shape_temperature_pads(void* handle, ShapeQuery query, const char* function, uint16_t x1, uint16_t y1,
                            uint16_t x2, uint16_t y2, tagPAD* max_position, float* max, tagPAD* min_position,
                            float* min, uint16_t* avg_ad, float* avg)
{
    tagPAD hot{};
    tagPAD cold{};
    if (!shape_temperature(handle, query, function, x1, y1, x2, y2, &hot.x, &hot.y, &hot.ad, max, &cold.x,
                           &cold.y, &cold.ad, min, avg_ad, avg)) {
        return false;
    }
    put(max_position, hot);
    put(min_position, cold);
    return true;
}

bool set_param(void* handle, Frame::Param which, float value, const char* function)
{
    return with_frame(handle, function, [&](Frame& f) { return f.set_param(which, value); });
}

bool palettor_call(void* handle, const char* function, bool (*call)(Frame&))
{
    return with_frame(handle, function, [&](Frame& f) { return call(f); });
}

// Isotherm band of temperatures as the palettor AD band.
bool band_of(Frame& f, float low, float high, uint16_t* ad_low, uint16_t* ad_high)
{
    if (!std::isfinite(low) || !std::isfinite(high) || high < low) {
        return false;
    }
    if (!f.ad_from_temperature(low, ad_low) || !f.ad_from_temperature(high, ad_high)) {
        return false;
    }
    if (*ad_high < *ad_low) {
        std::swap(*ad_low, *ad_high);
    }
    return true;
}

}  // namespace

// --- object ------------------------------------------------------------------------------

bool sensekern_init(void** handle)
{
    if (handle == nullptr || !vy::create_handle<Frame>(handle)) {
        return false;
    }
    if (!frame_of(*handle)->ready()) {
        SK_LOG("sensekern_init", "the frame data object can not be created");
        vy::destroy_handle(handle, kFrameTag);
        return false;
    }
    return true;
}

bool sensekern_uninit(void** handle)
{
    if (handle == nullptr) {
        return false;
    }
    Frame* f = frame_of(*handle);
    if (f == nullptr) {
        return false;
    }
    if (f->open_records().load() != 0) {
        SK_LOG("sensekern_uninit", "a recording of this frame is still open");
        return false;
    }
    if (vy::unregister_handle(*handle, kFrameTag) == nullptr) {
        return false;
    }
    // New calls are refused from here on; a call already inside finishes
    // before the frame goes.
    {
        VyLockGuard wait(f->lock());
    }
    delete f;
    *handle = nullptr;
    return true;
}

// --- feeding ------------------------------------------------------------------------------

bool sensekern_load_calibration_file(void* handle, const char* path)
{
    return with_frame(handle, "sensekern_load_calibration_file",
                      [&](Frame& f) { return f.load_calibration(path); });
}

bool sensekern_set_len_and_range(void* handle, int32_t lens, int32_t range)
{
    return with_frame(handle, "sensekern_set_len_and_range",
                      [&](Frame& f) { return f.select_len_and_range(lens, range); });
}

bool sensekern_set_sensor_temp(void* handle, float s1, float s2, float s3, float s4, float s5)
{
    const float s[5] = {s1, s2, s3, s4, s5};
    return with_frame(handle, "sensekern_set_sensor_temp", [&](Frame& f) { return f.set_sensors(s); });
}

bool sensekern_set_ad_frame(void* handle, const uint16_t* ad, uint16_t width, uint16_t height)
{
    return with_frame(handle, "sensekern_set_ad_frame", [&](Frame& f) {
        if (!f.set_plane(ad, width, height, "sensekern_set_ad_frame")) {
            return false;
        }
        struct timeval now;
        gettimeofday(&now, nullptr);
        f.set_time(tagTimeVal{static_cast<uint32_t>(now.tv_sec), static_cast<uint32_t>(now.tv_usec)});
        return true;
    });
}

bool sensekern_get_ad_frame(void* handle, uint16_t* ad, uint32_t* count)
{
    return count != nullptr && with_frame(handle, "sensekern_get_ad_frame", [&](Frame& f) {
        if (!f.has_plane()) {
            return false;
        }
        uint32_t capacity = *count;
        *count = static_cast<uint32_t>(f.plane().size());
        if (ad == nullptr) {
            return true;
        }
        if (capacity < f.plane().size()) {
            return false;
        }
        std::memcpy(ad, f.plane().data(), f.plane().size() * 2);
        return true;
    });
}

bool sensekern_set_capture_time(void* handle, const tagTimeVal* time)
{
    return time != nullptr && time->usec < 1000000 &&
           with_frame(handle, "sensekern_set_capture_time", [&](Frame& f) {
               f.set_time(*time);
               return true;
           });
}

bool sensekern_get_capture_time(void* handle, tagTimeVal* time)
{
    return time != nullptr && with_frame(handle, "sensekern_get_capture_time", [&](Frame& f) {
               *time = f.time();
               return true;
           });
}

bool sensekern_set_auto_imaging(void* handle, bool on)
{
    return with_frame(handle, "sensekern_set_auto_imaging", [&](Frame& f) {
        if (on) {
            return palettor_auto_adjust(f.imaging());
        }
        // Off keeps the range in use as the manual range.
        uint16_t low = 0;
        uint16_t high = 0;
        if (palettor_get_auto_range(f.imaging(), &low, &high) && low < high) {
            return palettor_set_range(f.imaging(), low, high);
        }
        return vy_set_imaging_type(f.imaging(), PALETTOR_IMAGING_MANUAL);
    });
}

bool sensekern_set_zoom_factor(void* handle, ImageZoomFactor factor)
{
    return with_frame(handle, "sensekern_set_zoom_factor",
                      [&](Frame& f) { return vy_ad_set_zoom_factor(f.ad(), vy::raw_enum(factor)); });
}

bool sensekern_get_zoom_factor(void* handle, ImageZoomFactor* factor)
{
    return factor != nullptr && with_frame(handle, "sensekern_get_zoom_factor", [&](Frame& f) {
               uint32_t value = 0;
               if (!vy_ad_get_zoom_factor(f.ad(), &value)) {
                   return false;
               }
               *factor = static_cast<ImageZoomFactor>(value);
               return true;
           });
}

bool sensekern_get_thumbnail_bits(void* handle, uint16_t width, uint16_t height, uint32_t* pixels)
{
    return pixels != nullptr && with_frame(handle, "sensekern_get_thumbnail_bits", [&](Frame& f) {
               return f.has_plane() && vy_ad_get_thumbnail_bits(f.ad(), width, height, pixels);
           });
}

// --- whole-frame temperatures ----------------------------------------------------------------

bool sensekern_get_temperature_and_ad_from_position(void* handle, uint16_t x, uint16_t y, uint16_t* ad,
                                                    float* temperature)
{
    return with_frame(handle, "sensekern_get_temperature_and_ad_from_position", [&](Frame& f) {
        if (!f.has_plane() || x >= f.width() || y >= f.height()) {
            return false;
        }
        uint16_t value = f.plane()[static_cast<std::size_t>(y) * f.width() + x];
        float t = 0.0f;
        if (!f.pixel_temperature(x, y, value, &t)) {
            return false;
        }
        put(ad, value);
        put(temperature, t);
        return true;
    });
}

bool sensekern_get_temperature_from_ad(void* handle, const uint16_t* ad, uint32_t count, float* temperatures)
{
    return ad != nullptr && temperatures != nullptr &&
           with_frame(handle, "sensekern_get_temperature_from_ad",
                      [&](Frame& f) { return f.convert(ad, count, temperatures); });
}

bool sensekern_get_ad_from_temperature(void* handle, float temperature, uint16_t* ad)
{
    return ad != nullptr && with_frame(handle, "sensekern_get_ad_from_temperature",
                                       [&](Frame& f) { return f.ad_from_temperature(temperature, ad); });
}

bool sensekern_get_max_temperature(void* handle, tagPAD* position, float* temperature)
{
    return frame_extreme(handle, true, position, temperature, "sensekern_get_max_temperature");
}

bool sensekern_get_min_temperature(void* handle, tagPAD* position, float* temperature)
{
    return frame_extreme(handle, false, position, temperature, "sensekern_get_min_temperature");
}

bool sensekern_get_avg_temperature(void* handle, uint16_t* ad, float* temperature)
{
    return with_frame(handle, "sensekern_get_avg_temperature", [&](Frame& f) {
        uint16_t avg = 0;
        float t = 0.0f;
        if (!f.has_plane() || !vy_ad_get_avg_ad(f.ad(), &avg) || !f.convert(&avg, 1, &t)) {
            return false;
        }
        put(ad, avg);
        put(temperature, t);
        return true;
    });
}

bool sensekern_get_all_pixel_temperature(void* handle, float* temperatures)
{
    return temperatures != nullptr && with_frame(handle, "sensekern_get_all_pixel_temperature", [&](Frame& f) {
               return f.has_plane() && f.all_temperatures(temperatures);
           });
}

bool sensekern_get_line_temperature(void* handle, uint16_t x1, uint16_t y1, uint16_t x2, uint16_t y2,
                                    tagPAD* max_position, float* max, tagPAD* min_position, float* min,
                                    uint16_t* avg_ad, float* avg)
{
    return shape_temperature_pads(handle, vy_ad_get_line_temperature_ex, "sensekern_get_line_temperature", x1, y1,
                                  x2, y2, max_position, max, min_position, min, avg_ad, avg);
}

bool sensekern_get_rect_temperature(void* handle, uint16_t x1, uint16_t y1, uint16_t x2, uint16_t y2,
                                    tagPAD* max_position, float* max, tagPAD* min_position, float* min,
                                    uint16_t* avg_ad, float* avg)
{
    return shape_temperature_pads(handle, vy_ad_get_rect_temperature_ex, "sensekern_get_rect_temperature", x1, y1,
                                  x2, y2, max_position, max, min_position, min, avg_ad, avg);
}

bool sensekern_get_line_temperature_ex(void* handle, uint16_t x1, uint16_t y1, uint16_t x2, uint16_t y2,
                                       uint16_t* max_x, uint16_t* max_y, uint16_t* max_ad, float* max,
                                       uint16_t* min_x, uint16_t* min_y, uint16_t* min_ad, float* min,
                                       uint16_t* avg_ad, float* avg)
{
    return shape_temperature(handle, vy_ad_get_line_temperature_ex, "sensekern_get_line_temperature_ex", x1, y1,
                             x2, y2, max_x, max_y, max_ad, max, min_x, min_y, min_ad, min, avg_ad, avg);
}

bool sensekern_get_rect_temperature_ex(void* handle, uint16_t x1, uint16_t y1, uint16_t x2, uint16_t y2,
                                       uint16_t* max_x, uint16_t* max_y, uint16_t* max_ad, float* max,
                                       uint16_t* min_x, uint16_t* min_y, uint16_t* min_ad, float* min,
                                       uint16_t* avg_ad, float* avg)
{
    return shape_temperature(handle, vy_ad_get_rect_temperature_ex, "sensekern_get_rect_temperature_ex", x1, y1,
                             x2, y2, max_x, max_y, max_ad, max, min_x, min_y, min_ad, min, avg_ad, avg);
}

// --- parameters, calibration, identity ------------------------------------------------------------

bool sensekern_get_temperature_para(void* handle, float* emissivity, float* distance, float* ambient,
                                    float* humidity, float* modify, float* reference, TemperatureUnit* unit)
{
    return with_frame(handle, "sensekern_get_temperature_para", [&](Frame& f) {
        Params p;
        if (!f.get_params(&p)) {
            return false;
        }
        put(emissivity, p.emissivity);
        put(distance, p.distance);
        put(ambient, p.ambient);
        put(humidity, p.humidity);
        put(modify, p.modify);
        put(reference, p.reference);
        put(unit, static_cast<TemperatureUnit>(p.unit));
        return true;
    });
}

bool sensekern_set_emiss(void* handle, float emissivity)
{
    return set_param(handle, Frame::Param::emissivity, emissivity, "sensekern_set_emiss");
}

bool sensekern_set_dist(void* handle, float distance)
{
    return set_param(handle, Frame::Param::distance, distance, "sensekern_set_dist");
}

bool sensekern_set_env_temp(void* handle, float ambient)
{
    return set_param(handle, Frame::Param::ambient, ambient, "sensekern_set_env_temp");
}

bool sensekern_set_rel_hum(void* handle, float humidity)
{
    return set_param(handle, Frame::Param::humidity, humidity, "sensekern_set_rel_hum");
}

bool sensekern_set_modify_temp(void* handle, float modify)
{
    return set_param(handle, Frame::Param::modify, modify, "sensekern_set_modify_temp");
}

bool sensekern_set_enviroment_reference_temperature(void* handle, float reference)
{
    return set_param(handle, Frame::Param::reference, reference, "sensekern_set_enviroment_reference_temperature");
}

bool sensekern_set_temperature_unit(void* handle, TemperatureUnit unit)
{
    return with_frame(handle, "sensekern_set_temperature_unit",
                      [&](Frame& f) { return f.set_unit(vy::raw_enum(unit)); });
}

bool sensekern_get_handle_of_ad_temp(void* handle, void** calibration)
{
    return calibration != nullptr && with_frame(handle, "sensekern_get_handle_of_ad_temp", [&](Frame& f) {
               if (f.calibration() == nullptr) {
                   return false;
               }
               *calibration = f.lend_calibration();
               return true;
           });
}

bool sensekern_get_supported_lens_info(void* handle, tagLenInfo* items, unsigned char* count)
{
    return count != nullptr && with_frame(handle, "sensekern_get_supported_lens_info",
                                          [&](Frame& f) { return f.supported_lens_info(items, count); });
}

bool sensekern_get_cur_len_range_info(void* handle, tagLenInfo* info)
{
    return info != nullptr &&
           with_frame(handle, "sensekern_get_cur_len_range_info", [&](Frame& f) { return f.lens_info(info); });
}

bool sensekern_get_mac_info(void* handle, char* productor, char* mac_type, char* mac_sn, char* detector_sn,
                            char* product_date_time)
{
    return with_frame(handle, "sensekern_get_mac_info", [&](Frame& f) {
        MacTexts texts;
        f.mac_texts(&texts);
        copy_mac_texts(texts, productor, mac_type, mac_sn, detector_sn, product_date_time);
        return true;
    });
}

bool sensekern_get_resolution(void* handle, uint16_t* width, uint16_t* height)
{
    return width != nullptr && height != nullptr && with_frame(handle, "sensekern_get_resolution", [&](Frame& f) {
               if (!f.has_plane()) {
                   return false;
               }
               *width = f.width();
               *height = f.height();
               return true;
           });
}

// --- colour ------------------------------------------------------------------------------------------

bool sensekern_get_bits(void* handle, unsigned char* buffer, uint32_t* length)
{
    return length != nullptr && with_frame(handle, "sensekern_get_bits", [&](Frame& f) {
               if (!f.has_plane()) {
                   return false;
               }
               const uint64_t needed = static_cast<uint64_t>(f.plane().size()) * 4;
               const uint32_t capacity = *length;
               *length = static_cast<uint32_t>(needed);
               if (buffer == nullptr) {
                   return true;
               }
               if (capacity < needed) {
                   SK_LOG("sensekern_get_bits", "buffer of %u bytes for %llu bytes of pixels", capacity,
                          static_cast<unsigned long long>(needed));
                   return false;
               }
               if (reinterpret_cast<uintptr_t>(buffer) % alignof(uint32_t) == 0) {
                   return vy_ad_get_bits(f.ad(), reinterpret_cast<uint32_t*>(buffer));
               }
               std::vector<uint32_t> pixels(f.plane().size());
               if (!vy_ad_get_bits(f.ad(), pixels.data())) {
                   return false;
               }
               std::memcpy(buffer, pixels.data(), pixels.size() * 4);
               return true;
           });
}

bool sensekern_get_palette(void* handle, PALETTE* palette)
{
    return palette != nullptr && with_frame(handle, "sensekern_get_palette", [&](Frame& f) {
               int32_t value = 0;
               if (!palettor_get_palette(f.imaging(), &value)) {
                   return false;
               }
               *palette = static_cast<PALETTE>(value);
               return true;
           });
}

bool sensekern_set_palette(void* handle, PALETTE palette)
{
    return with_frame(handle, "sensekern_set_palette",
                      [&](Frame& f) { return palettor_set_palette(f.imaging(), vy::pass_enum(palette)); });
}

bool sensekern_get_imaging_range(void* handle, uint16_t* low, uint16_t* high)
{
    return low != nullptr && high != nullptr && with_frame(handle, "sensekern_get_imaging_range", [&](Frame& f) {
               int32_t type = 0;
               if (!palettor_get_imaging_type(f.imaging(), &type)) {
                   return false;
               }
               // In automatic imaging the range in use is the automatic one.
               return type == PALETTOR_IMAGING_AUTO ? palettor_get_auto_range(f.imaging(), low, high)
                                                    : palettor_get_range(f.imaging(), low, high);
           });
}

bool sensekern_set_imaging_range(void* handle, uint16_t low, uint16_t high)
{
    return low < high && with_frame(handle, "sensekern_set_imaging_range",
                                    [&](Frame& f) { return palettor_set_range(f.imaging(), low, high); });
}

bool sensekern_set_low_of_imaging_range(void* handle, uint16_t low)
{
    return with_frame(handle, "sensekern_set_low_of_imaging_range",
                      [&](Frame& f) { return palettor_set_low_of_range(f.imaging(), low); });
}

bool sensekern_set_high_of_imaging_range(void* handle, uint16_t high)
{
    return with_frame(handle, "sensekern_set_high_of_imaging_range",
                      [&](Frame& f) { return palettor_set_high_of_range(f.imaging(), high); });
}

bool sensekern_auto_imaging(void* handle)
{
    return with_frame(handle, "sensekern_auto_imaging", [&](Frame& f) {
        uint16_t low = 0;
        uint16_t high = 0;
        // The range found from the present frame is kept for the frames after it.
        return f.has_plane() && palettor_get_auto_range(f.imaging(), &low, &high) && low < high &&
               palettor_set_range(f.imaging(), low, high);
    });
}

bool sensekern_get_imaging_algorithm_mode(void* handle, ImagingAlgorithmMode* mode)
{
    return mode != nullptr && with_frame(handle, "sensekern_get_imaging_algorithm_mode", [&](Frame& f) {
               int32_t value = 0;
               if (!palettor_get_algorithm_mode(f.imaging(), &value)) {
                   return false;
               }
               *mode = static_cast<ImagingAlgorithmMode>(value);
               return true;
           });
}

bool sensekern_set_imaging_algorithm_mode(void* handle, ImagingAlgorithmMode mode)
{
    return with_frame(handle, "sensekern_set_imaging_algorithm_mode",
                      [&](Frame& f) { return palettor_set_algorithm_mode(f.imaging(), vy::raw_enum(mode)); });
}

bool sensekern_enable_image_process(void* handle, bool on)
{
    return with_frame(handle, "sensekern_enable_image_process",
                      [&](Frame& f) { return palettor_enable_image_process(f.imaging(), on); });
}

bool sensekern_enable_image_stabilization(void* handle)
{
    return palettor_call(handle, "sensekern_enable_image_stabilization",
                         [](Frame& f) { return palettor_enable_image_stabilization(f.imaging(), true); });
}

bool sensekern_disable_image_stabilization(void* handle)
{
    return palettor_call(handle, "sensekern_disable_image_stabilization",
                         [](Frame& f) { return palettor_enable_image_stabilization(f.imaging(), false); });
}

// --- isotherms ----------------------------------------------------------------------------------------

bool sensekern_add_isotherm(void* handle, float low, float high, uint32_t colour, bool flag, void** isotherm)
{
    return isotherm != nullptr && with_frame(handle, "sensekern_add_isotherm", [&](Frame& f) {
               uint16_t ad_low = 0;
               uint16_t ad_high = 0;
               int32_t id = 0;
               if (!band_of(f, low, high, &ad_low, &ad_high) ||
                   !palettor_add_isotherm_ex(f.imaging(), ad_low, ad_high, colour, flag ? 1 : 0, &id)) {
                   SK_LOG("sensekern_add_isotherm", "isotherm %.2f to %.2f is refused", low, high);
                   return false;
               }
               std::unique_ptr<Isotherm> band(new Isotherm{low, high, colour, flag, id});
               Isotherm* key = band.get();
               f.isotherms()[key] = std::move(band);
               *isotherm = key;
               return true;
           });
}

bool sensekern_update_isotherm(void* handle, void* isotherm, float low, float high, uint32_t colour, bool flag)
{
    return with_frame(handle, "sensekern_update_isotherm", [&](Frame& f) {
        auto it = f.isotherms().find(static_cast<Isotherm*>(isotherm));
        uint16_t ad_low = 0;
        uint16_t ad_high = 0;
        if (it == f.isotherms().end() || !band_of(f, low, high, &ad_low, &ad_high) ||
            !palettor_update_isotherm_ex(f.imaging(), it->second->id, ad_low, ad_high, colour, flag ? 1 : 0)) {
            return false;
        }
        Isotherm& band = *it->second;
        band.low = low;
        band.high = high;
        band.colour = colour;
        band.flag = flag;
        return true;
    });
}

bool sensekern_delete_isotherm(void* handle, void* isotherm)
{
    return with_frame(handle, "sensekern_delete_isotherm", [&](Frame& f) {
        auto it = f.isotherms().find(static_cast<Isotherm*>(isotherm));
        if (it == f.isotherms().end() || !palettor_delete_isotherm(f.imaging(), it->second->id)) {
            return false;
        }
        f.isotherms().erase(it);
        return true;
    });
}

bool sensekern_delete_all_isotherm(void* handle)
{
    return with_frame(handle, "sensekern_delete_all_isotherm", [&](Frame& f) {
        if (!palettor_delete_all_isotherm(f.imaging())) {
            return false;
        }
        f.isotherms().clear();
        return true;
    });
}
