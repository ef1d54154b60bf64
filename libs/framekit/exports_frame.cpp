// The vy_ad_ exports: handle check, argument check, forward to the frame.
#include "framekit.h"

#include "export_guard.h"
#include "handle_registry.h"


using framekit::detail::ADData;
using framekit::detail::ADIndexData;
using framekit::detail::FrameStats;
using framekit::detail::NationalGridData;
using framekit::detail::kFrameTag;
using framekit::detail::with_frame;
using framekit::detail::write_pad_fields;
using framekit::detail::write_pad_record;

namespace {

template <class Frame>
bool make_frame(void** out, bool fire_fighting)
{
    if (out == nullptr) {
        return false;
    }
    try {
        void* handle = nullptr;
        if (!vy::create_handle<Frame>(&handle)) {
            *out = nullptr;
            return false;
        }
        auto* frame = static_cast<Frame*>(static_cast<_VYBaseObject*>(handle));
        if (fire_fighting) {
            frame->set_fire_fighting(true);
        }
        if (!frame->init()) {
            FK_ERROR("vy_ad_init", "imaging object init failed");
            vy::destroy_handle(&handle, kFrameTag);
            *out = nullptr;
            return false;
        }
        *out = handle;
        return true;
    } catch (const std::exception& e) {
        FK_ERROR("vy_ad_init", "%s", e.what());
        *out = nullptr;
        return false;
    }
}

tagPAD unpack(uint32_t position, uint16_t ad)
{
    return tagPAD{static_cast<uint16_t>(position & 0xFFFF), static_cast<uint16_t>(position >> 16), ad};
}

}  // namespace

bool vy_ad_init(void** out, int32_t mode, int32_t kind)
{
    if (kind != 0) {
        return make_frame<ADData>(out, false);
    }
    return make_frame<ADIndexData>(out, mode == 1);
}

bool vy_ad_init_ex(void** out)
{
    return make_frame<NationalGridData>(out, false);
}

bool vy_ad_uninit(void** handle)
{
    return handle != nullptr && vy::destroy_handle(handle, kFrameTag);
}

bool vy_ad_set_resolution(void* handle, uint16_t width, uint16_t height)
{
    return with_frame(handle, "vy_ad_set_resolution", [&](ADData& f) { return f.set_resolution(width, height); });
}

bool vy_ad_get_resolution(void* handle, uint16_t* width, uint16_t* height)
{
    if (width == nullptr || height == nullptr) {
        return false;
    }
    return with_frame(handle, "vy_ad_get_resolution", [&](ADData& f) { return f.get_resolution(width, height); });
}

bool vy_ad_set_data(void* handle, const uint8_t* frame)
{
    return with_frame(handle, "vy_ad_set_data", [&](ADData& f) {
        return frame != nullptr && f.set_ad_data(frame, f.announced_frame_length(frame));
    });
}

bool vy_ad_set_data_checked(void* handle, const uint8_t* frame, uint32_t length)
{
    return with_frame(handle, "vy_ad_set_data_checked", [&](ADData& f) { return f.set_ad_data(frame, length); });
}

bool vy_ad_get_data(void* handle, uint16_t* out)
{
    return with_frame(handle, "vy_ad_get_data", [&](ADData& f) { return f.get_ad_data(out); });
}

bool vy_ad_get_ad_from_position(void* handle, uint16_t x, uint16_t y, uint16_t* ad)
{
    return with_frame(handle, "vy_ad_get_ad_from_position", [&](ADData& f) { return f.get_ad_from_pos(x, y, ad); });
}

bool vy_ad_get_avg_ad(void* handle, uint16_t* avg)
{
    return with_frame(handle, "vy_ad_get_avg_ad", [&](ADData& f) {
        if (avg == nullptr) {
            return false;
        }
        *avg = f.stats().avg;
        return true;
    });
}

bool vy_ad_get_max_ad(void* handle, uint16_t record[3])
{
    return with_frame(handle, "vy_ad_get_max_ad", [&](ADData& f) {
        if (record == nullptr) {
            return false;
        }
        write_pad_record(f.stats().hottest, record);
        return true;
    });
}

bool vy_ad_get_min_ad(void* handle, uint16_t record[3])
{
    return with_frame(handle, "vy_ad_get_min_ad", [&](ADData& f) {
        if (record == nullptr) {
            return false;
        }
        write_pad_record(f.stats().coldest, record);
        return true;
    });
}

bool vy_ad_get_max_ad_ex(void* handle, uint16_t* x, uint16_t* y, uint16_t* ad)
{
    return with_frame(handle, "vy_ad_get_max_ad_ex", [&](ADData& f) {
        write_pad_fields(f.stats().hottest, x, y, ad);
        return true;
    });
}

bool vy_ad_get_min_ad_ex(void* handle, uint16_t* x, uint16_t* y, uint16_t* ad)
{
    return with_frame(handle, "vy_ad_get_min_ad_ex", [&](ADData& f) {
        write_pad_fields(f.stats().coldest, x, y, ad);
        return true;
    });
}

bool vy_ad_set_eigenvalue(void* handle, uint32_t max_pos, uint16_t max_ad, uint32_t min_pos, uint16_t min_ad,
                          uint16_t avg_ad)
{
    return with_frame(handle, "vy_ad_set_eigenvalue", [&](ADData& f) {
        f.set_stats(FrameStats{unpack(max_pos, max_ad), unpack(min_pos, min_ad), avg_ad});
        return true;
    });
}

bool vy_ad_get_bits(void* handle, uint32_t* pixels)
{
    return with_frame(handle, "vy_ad_get_bits", [&](ADData& f) { return f.get_bits(pixels); });
}

bool vy_ad_get_bits_ex(void* handle, uint32_t* pixels, uint16_t width, uint16_t height, uint16_t x0, uint16_t y0,
                       uint16_t x1, uint16_t y1)
{
    return with_frame(handle, "vy_ad_get_bits_ex",
                      [&](ADData& f) { return f.get_bits_ex(pixels, width, height, x0, y0, x1, y1); });
}

bool vy_ad_get_bits_by_clr_index(void* handle, const uint8_t* index, uint32_t* pixels)
{
    return with_frame(handle, "vy_ad_get_bits_by_clr_index",
                      [&](ADData& f) { return f.bits_by_clr_index(index, pixels); });
}

bool vy_ad_get_bits_by_clr_index_pro(void* handle, const uint8_t* index, uint16_t width, uint16_t height,
                                     uint32_t* pixels)
{
    return with_frame(handle, "vy_ad_get_bits_by_clr_index_pro",
                      [&](ADData& f) { return f.bits_by_clr_index_pro(index, width, height, pixels); });
}

bool vy_ad_get_clr_index(void* handle, uint8_t* out)
{
    return with_frame(handle, "vy_ad_get_clr_index", [&](ADData& f) { return f.get_clr_index(out); });
}

bool vy_ad_get_clr_index_with_pos(void* handle, uint8_t* out, uint16_t x0, uint16_t y0, uint16_t x1, uint16_t y1)
{
    return with_frame(handle, "vy_ad_get_clr_index_with_pos",
                      [&](ADData& f) { return f.get_clr_index_window(out, x0, y0, x1, y1); });
}

bool vy_ad_get_thumbnail_bits(void* handle, uint16_t out_width, uint16_t out_height, uint32_t* pixels)
{
    return with_frame(handle, "vy_ad_get_thumbnail_bits",
                      [&](ADData& f) { return f.thumbnail_bits(out_width, out_height, pixels); });
}

bool vy_ad_get_handle_of_imaging(void* handle, void** imaging)
{
    return with_frame(handle, "vy_ad_get_handle_of_imaging", [&](ADData& f) {
        if (imaging == nullptr) {
            return false;
        }
        *imaging = f.imaging();
        return true;
    });
}

bool vy_ad_set_rotation_angle(void* handle, int32_t angle)
{
    return with_frame(handle, "vy_ad_set_rotation_angle", [&](ADData& f) { return f.set_rotation_angle(angle); });
}

bool vy_ad_get_rotation_angle(void* handle, uint32_t* angle)
{
    return with_frame(handle, "vy_ad_get_rotation_angle", [&](ADData& f) {
        if (angle == nullptr) {
            return false;
        }
        *angle = f.rotation_angle();
        return true;
    });
}

bool vy_ad_set_zoom_factor(void* handle, int32_t factor)
{
    return with_frame(handle, "vy_ad_set_zoom_factor", [&](ADData& f) { return f.set_zoom_factor(factor); });
}

bool vy_ad_get_zoom_factor(void* handle, uint32_t* factor)
{
    return with_frame(handle, "vy_ad_get_zoom_factor", [&](ADData& f) {
        if (factor == nullptr) {
            return false;
        }
        *factor = f.zoom_factor();
        return true;
    });
}

bool vy_ad_zoom(void* handle, uint16_t width, uint16_t height)
{
    return with_frame(handle, "vy_ad_zoom", [&](ADData& f) { return f.zoom(width, height); });
}

bool vy_ad_enable_super_resolution(void* handle, bool on)
{
    return with_frame(handle, "vy_ad_enable_super_resolution",
                      [&](ADData& f) { return f.enable_super_resolution(on); });
}

bool vy_ad_is_super_resolution(void* handle, uint8_t* on)
{
    return with_frame(handle, "vy_ad_is_super_resolution", [&](ADData& f) {
        if (on == nullptr) {
            return false;
        }
        *on = f.is_super_resolution() ? 1 : 0;
        return true;
    });
}

bool vy_ad_get_data_super_resolution(void* handle, uint16_t* out)
{
    return with_frame(handle, "vy_ad_get_data_super_resolution",
                      [&](ADData& f) { return f.get_data_super_resolution(out); });
}

bool vy_ad_enable_erase_nose(void* handle, uint8_t on)
{
    return with_frame(handle, "vy_ad_enable_erase_nose", [&](ADData& f) { return f.enable_erase_noise(on != 0); });
}

bool vy_ad_set_fire_fighting(void* handle, bool on)
{
    return with_frame(handle, "vy_ad_set_fire_fighting", [&](ADData& f) {
        f.set_fire_fighting(on);
        return true;
    });
}

bool vy_ad_repair_pt(void* handle, uint16_t x, uint16_t y, uint16_t ad)
{
    return with_frame(handle, "vy_ad_repair_pt", [&](ADData& f) { return f.repair_pt(x, y, ad); });
}

bool vy_ad_reapply(void* handle)
{
    return with_frame(handle, "vy_ad_reapply", [&](ADData& f) { return f.reapply(); });
}

bool vy_ad_save_data_to_buffer(void* handle, uint8_t* buffer, uint32_t* length)
{
    return with_frame(handle, "vy_ad_save_data_to_buffer", [&](ADData& f) { return f.save_to_buffer(buffer, length); });
}

bool vy_ad_load_data_from_buffer(void* handle, const uint8_t* buffer)
{
    return with_frame(handle, "vy_ad_load_data_from_buffer", [&](ADData& f) {
        if (buffer == nullptr) {
            return f.load_from_buffer(nullptr, 0);
        }
        // The caller vouches for the length its own header announces.
        uint32_t announced = static_cast<uint32_t>(buffer[1]) | (static_cast<uint32_t>(buffer[2]) << 8) |
                             (static_cast<uint32_t>(buffer[3]) << 16) | (static_cast<uint32_t>(buffer[4]) << 24);
        return f.load_from_buffer(buffer, 5 + static_cast<std::size_t>(announced));
    });
}

bool vy_ad_load_data_from_buffer_checked(void* handle, const uint8_t* buffer, uint32_t length)
{
    return with_frame(handle, "vy_ad_load_data_from_buffer_checked",
                      [&](ADData& f) { return f.load_from_buffer(buffer, length); });
}

bool vy_ad_load_national_grid_data_from_buffer(void* handle, const uint8_t* buffer)
{
    return with_frame(handle, "vy_ad_load_national_grid_data_from_buffer", [&](ADData& f) {
        uint16_t width = 0;
        uint16_t height = 0;
        f.get_resolution(&width, &height);
        std::size_t scale = f.is_super_resolution() ? 4 : 1;
        return f.load_national_grid_data_from_buffer(buffer, 4 * static_cast<std::size_t>(width) * height / scale);
    });
}

bool vy_ad_load_national_grid_data_from_buffer_checked(void* handle, const uint8_t* buffer, uint32_t length)
{
    return with_frame(handle, "vy_ad_load_national_grid_data_from_buffer_checked",
                      [&](ADData& f) { return f.load_national_grid_data_from_buffer(buffer, length); });
}

bool vy_ad_save_anas_to_buffer(void* handle, uint8_t* buffer, uint32_t* length)
{
    return with_frame(handle, "vy_ad_save_anas_to_buffer",
                      [&](ADData& f) { return length != nullptr && f.save_anas(buffer, length); });
}

bool vy_ad_save_imaging_para_to_buffer(void* handle, uint8_t* buffer, uint32_t* length)
{
    return with_frame(handle, "vy_ad_save_imaging_para_to_buffer",
                      [&](ADData& f) { return length != nullptr && f.save_imaging_para(buffer, length); });
}

bool vy_ad_add_ana(void* handle, const char* ana, const tagVYAnaInfo* info)
{
    return with_frame(handle, "vy_ad_add_ana",
                      [&](ADData& f) { return ana != nullptr && info != nullptr && f.add_ana(ana, *info); });
}

bool vy_ad_add_anas(void* handle, const char* anas)
{
    return with_frame(handle, "vy_ad_add_anas", [&](ADData& f) { return anas != nullptr && f.add_anas(anas); });
}

bool vy_ad_delete_anas(void* handle, const char* anas)
{
    return with_frame(handle, "vy_ad_delete_anas", [&](ADData& f) { return anas != nullptr && f.delete_anas(anas); });
}

bool vy_ad_delete_all_ana(void* handle)
{
    return with_frame(handle, "vy_ad_delete_all_ana", [&](ADData& f) {
        f.delete_all_anas();
        return true;
    });
}

bool vy_ad_update_ana_size(void* handle, const char* old_ana, const char* new_ana)
{
    return with_frame(handle, "vy_ad_update_ana_size", [&](ADData& f) {
        return old_ana != nullptr && new_ana != nullptr && f.update_ana_size(old_ana, new_ana);
    });
}

bool vy_ad_update_ana_size_ex(void* handle, const char* ana, const tagVYPoint* nodes, int32_t count)
{
    return with_frame(handle, "vy_ad_update_ana_size_ex", [&](ADData& f) {
        return ana != nullptr && nodes != nullptr && count > 0 &&
               f.update_ana_size(ana, nodes, static_cast<std::size_t>(count));
    });
}

bool vy_ad_get_ana_count(void* handle, int32_t type, uint32_t* count)
{
    return with_frame(handle, "vy_ad_get_ana_count", [&](ADData& f) {
        if (count == nullptr) {
            return false;
        }
        *count = f.anas().count(type);
        return true;
    });
}

bool vy_ad_get_hit_ana(void* handle, uint16_t x, uint16_t y, int32_t* code, std::string* ana)
{
    return with_frame(handle, "vy_ad_get_hit_ana", [&](ADData& f) {
        if (code == nullptr || ana == nullptr) {
            return false;
        }
        std::string key;
        if (f.anas().hit_test(x, y, code, &key)) {
            *ana = key;
        }
        return true;
    });
}

bool vy_ad_get_str_of_anas(void* handle, int32_t type, std::string* out)
{
    return with_frame(handle, "vy_ad_get_str_of_anas",
                      [&](ADData& f) { return out != nullptr && f.anas().strings(type, out); });
}

bool vy_ad_set_hit_range(void* handle, int32_t type, uint8_t range)
{
    return with_frame(handle, "vy_ad_set_hit_range", [&](ADData& f) {
        f.anas().set_hit_range(type, range);
        return true;
    });
}

namespace {

bool line_or_rect(void* handle, bool line, uint16_t x1, uint16_t y1, uint16_t x2, uint16_t y2, FrameStats* out)
{
    return with_frame(handle, line ? "vy_ad_get_line_temperature" : "vy_ad_get_rect_temperature",
                      [&](ADData& f) {
                          return line ? f.get_line_temperature(x1, y1, x2, y2, out)
                                      : f.get_rect_temperature(x1, y1, x2, y2, out);
                      });
}

bool measured(void* handle, bool line, uint16_t x1, uint16_t y1, uint16_t x2, uint16_t y2, uint16_t* hottest,
              uint16_t* coldest, uint16_t* avg)
{
    FrameStats s;
    if (!line_or_rect(handle, line, x1, y1, x2, y2, &s)) {
        return false;
    }
    if (hottest != nullptr) {
        write_pad_record(s.hottest, hottest);
    }
    if (coldest != nullptr) {
        write_pad_record(s.coldest, coldest);
    }
    if (avg != nullptr) {
        *avg = s.avg;
    }
    return true;
}

bool measured_fields(void* handle, bool line, uint16_t x1, uint16_t y1, uint16_t x2, uint16_t y2, uint16_t* max_x,
                     uint16_t* max_y, uint16_t* max_ad, uint16_t* min_x, uint16_t* min_y, uint16_t* min_ad,
                     uint16_t* avg)
{
    FrameStats s;
    if (!line_or_rect(handle, line, x1, y1, x2, y2, &s)) {
        return false;
    }
    write_pad_fields(s.hottest, max_x, max_y, max_ad);
    write_pad_fields(s.coldest, min_x, min_y, min_ad);
    if (avg != nullptr) {
        *avg = s.avg;
    }
    return true;
}

}  // namespace

bool vy_ad_get_line_temperature(void* handle, uint16_t x1, uint16_t y1, uint16_t x2, uint16_t y2,
                                uint16_t hottest[3], uint16_t coldest[3], uint16_t* avg)
{
    return measured(handle, true, x1, y1, x2, y2, hottest, coldest, avg);
}

bool vy_ad_get_line_temperature_ex(void* handle, uint16_t x1, uint16_t y1, uint16_t x2, uint16_t y2,
                                   uint16_t* max_x, uint16_t* max_y, uint16_t* max_ad, uint16_t* min_x,
                                   uint16_t* min_y, uint16_t* min_ad, uint16_t* avg)
{
    return measured_fields(handle, true, x1, y1, x2, y2, max_x, max_y, max_ad, min_x, min_y, min_ad, avg);
}

bool vy_ad_get_rect_temperature(void* handle, uint16_t x1, uint16_t y1, uint16_t x2, uint16_t y2,
                                uint16_t hottest[3], uint16_t coldest[3], uint16_t* avg)
{
    return measured(handle, false, x1, y1, x2, y2, hottest, coldest, avg);
}

bool vy_ad_get_rect_temperature_ex(void* handle, uint16_t x1, uint16_t y1, uint16_t x2, uint16_t y2,
                                   uint16_t* max_x, uint16_t* max_y, uint16_t* max_ad, uint16_t* min_x,
                                   uint16_t* min_y, uint16_t* min_ad, uint16_t* avg)
{
    return measured_fields(handle, false, x1, y1, x2, y2, max_x, max_y, max_ad, min_x, min_y, min_ad, avg);
}

bool vy_ad_compare_count_of_temperature(void* handle, int32_t relation, uint32_t, uint32_t arg3, uint32_t,
                                        uint32_t arg5, uint32_t arg6, uint32_t, uint8_t* result)
{
    return with_frame(handle, "vy_ad_compare_count_of_temperature", [&](ADData& f) {
        bool answer = false;
        if (result == nullptr || !f.compare_count_of_temperature(relation, arg3, arg5, arg6, &answer)) {
            return false;
        }
        *result = answer ? 1 : 0;
        return true;
    });
}
