// framekit: raw AD frames with their analysis objects.
//
// A frame handle holds one detector picture (16-bit AD values, or for the
// indexed kind a palette-index plane plus the compressed AD plane), its
// statistics, a palettor handle that colours it, and the analysis objects
// drawn on it. Analysis objects are addressed by their analysis string
// (basekit form, e.g. "R:10,10;40,30;-"); any string with the same type and
// nodes finds the same object.
//
// Every function returns false for a null, foreign or freed handle. Positions
// packed into one u32 carry x in the low and y in the high 16 bits. Length
// arguments are the capacity of the caller's buffer on entry and the size
// written (or needed) on return.
//
// Every export has C linkage and its plain name, vy_ad_get_clr_index_with_pos
// and vy_ad_zoom included (their stdcall-decorated names on 32-bit Windows
// have no counterpart here).
#pragma once

#include "vyapi.h"
#include "vytypes.h"

#include <stdint.h>
#include <string>

VY_EXTERN_C_BEGIN

#pragma pack(push, 1)
// Cursor of a line analysis.
struct tagVYAnaCursor {
    uint8_t show_cursor;
    uint8_t show_cursor_temp;
    uint8_t reserved[2];
    float scale;
};

// Analysis record of vy_ad_add_ana, vy_ana_set_info and vy_ana_get_info.
// get: alias, des and cursor are allocated with malloc for the caller to
// free(); alias and des stay untouched when the text is empty, cursor is
// written for lines only.
struct tagVYAnaInfo {
    char* alias;
    char* des;
    uint32_t line_color;
    uint32_t display_value1;
    uint32_t display_value2;
    uint16_t avg_ad;
    uint16_t range_low;
    uint16_t range_high;
    uint8_t reserved1[2];
    float self_para1;  // read and written only with self_para_flag
    float self_para2;
    uint8_t self_para_flag;
    uint8_t visible;
    uint8_t show_max_point;
    uint8_t show_min_point;
    uint8_t can_move;
    uint8_t use_self_palette;
    uint8_t show_alias;
    uint8_t show_des;
    uint8_t reserved2[4];
    uint32_t max_pos;
    uint16_t max_ad;
    uint32_t min_pos;
    uint16_t min_ad;
    uint32_t palette;  // read and written only with use_self_palette
    uint32_t show_text_type;
    uint32_t text_location;
    tagVYAnaCursor* cursor;
};
#pragma pack(pop)

// Hit codes of vy_ad_get_hit_ana. 100 is "nothing hit".
enum { VY_HIT_NONE = 100 };

// Frame sizes accepted by vy_ad_set_resolution and vy_ad_zoom: each side 3
// to 16384 pixels, at most VY_AD_MAX_PIXELS in all.
enum { VY_AD_MAX_PIXELS = 4096 * 4096, VY_AD_MIN_SIDE = 3, VY_AD_MAX_SIDE = 16384 };

// --- Frames -------------------------------------------------------------------
// kind != 0: plain frame; kind 0: indexed frame (raw AD frames), mode 1 starts
// it in fire-fighting mode.
VY_API bool vy_ad_init(void** out, int32_t mode, int32_t kind);
// National-grid frame fed with temperatures.
VY_API bool vy_ad_init_ex(void** out);
// Destroys the frame and clears *handle.
VY_API bool vy_ad_uninit(void** handle);

VY_API bool vy_ad_set_resolution(void* handle, uint16_t width, uint16_t height);
// Doubled while super resolution is on.
VY_API bool vy_ad_get_resolution(void* handle, uint16_t* width, uint16_t* height);

// Plain frame: width x height u16 values. Indexed frame: a raw AD frame (see
// docs/formats.md). The size is taken from the frame's own header; callers
// that know the byte count use vy_ad_set_data_checked.
VY_API bool vy_ad_set_data(void* handle, const uint8_t* frame);
VY_API bool vy_ad_set_data_checked(void* handle, const uint8_t* frame, uint32_t length);
// width x height AD values (the native plane, also with super resolution on).
VY_API bool vy_ad_get_data(void* handle, uint16_t* out);
VY_API bool vy_ad_get_ad_from_position(void* handle, uint16_t x, uint16_t y, uint16_t* ad);
VY_API bool vy_ad_get_avg_ad(void* handle, uint16_t* avg);
VY_API bool vy_ad_get_max_ad(void* handle, uint16_t record[3]);
VY_API bool vy_ad_get_min_ad(void* handle, uint16_t record[3]);
VY_API bool vy_ad_get_max_ad_ex(void* handle, uint16_t* x, uint16_t* y, uint16_t* ad);
VY_API bool vy_ad_get_min_ad_ex(void* handle, uint16_t* x, uint16_t* y, uint16_t* ad);
VY_API bool vy_ad_set_eigenvalue(void* handle, uint32_t max_pos, uint16_t max_ad, uint32_t min_pos,
                                 uint16_t min_ad, uint16_t avg_ad);

// Colouring through the frame's palettor handle. pixels holds the frame
// (doubled with super resolution).
VY_API bool vy_ad_get_bits(void* handle, uint32_t* pixels);
VY_API bool vy_ad_get_bits_ex(void* handle, uint32_t* pixels, uint16_t width, uint16_t height,
                              uint16_t x0, uint16_t y0, uint16_t x1, uint16_t y1);
VY_API bool vy_ad_get_bits_by_clr_index(void* handle, const uint8_t* index, uint32_t* pixels);
VY_API bool vy_ad_get_bits_by_clr_index_pro(void* handle, const uint8_t* index, uint16_t width,
                                            uint16_t height, uint32_t* pixels);
VY_API bool vy_ad_get_clr_index(void* handle, uint8_t* out);
VY_API bool vy_ad_get_clr_index_with_pos(void* handle, uint8_t* out, uint16_t x0, uint16_t y0,
                                         uint16_t x1, uint16_t y1);
VY_API bool vy_ad_get_thumbnail_bits(void* handle, uint16_t out_width, uint16_t out_height,
                                     uint32_t* pixels);
// The frame keeps ownership of the palettor handle.
VY_API bool vy_ad_get_handle_of_imaging(void* handle, void** imaging);

VY_API bool vy_ad_set_rotation_angle(void* handle, int32_t angle);
VY_API bool vy_ad_get_rotation_angle(void* handle, uint32_t* angle);
VY_API bool vy_ad_set_zoom_factor(void* handle, int32_t factor);
VY_API bool vy_ad_get_zoom_factor(void* handle, uint32_t* factor);
// Resamples the frame (bilinear) to a new size.
VY_API bool vy_ad_zoom(void* handle, uint16_t width, uint16_t height);

VY_API bool vy_ad_enable_super_resolution(void* handle, bool on);
VY_API bool vy_ad_is_super_resolution(void* handle, uint8_t* on);
// 4 x width x height values of the 2x view; false while it is off.
VY_API bool vy_ad_get_data_super_resolution(void* handle, uint16_t* out);
// Row and column stripe removal on saved frames (and loaded ones in 2x view).
VY_API bool vy_ad_enable_erase_nose(void* handle, uint8_t on);
VY_API bool vy_ad_set_fire_fighting(void* handle, bool on);
VY_API bool vy_ad_repair_pt(void* handle, uint16_t x, uint16_t y, uint16_t ad);
VY_API bool vy_ad_reapply(void* handle);

// Frame buffer: byte type, u32 length L, L bytes (docs/formats.md).
// A null buffer answers the size in *length.
VY_API bool vy_ad_save_data_to_buffer(void* handle, uint8_t* buffer, uint32_t* length);
VY_API bool vy_ad_load_data_from_buffer(void* handle, const uint8_t* buffer);
VY_API bool vy_ad_load_data_from_buffer_checked(void* handle, const uint8_t* buffer,
                                                uint32_t length);
// width x height f32 temperatures.
VY_API bool vy_ad_load_national_grid_data_from_buffer(void* handle, const uint8_t* buffer);
VY_API bool vy_ad_load_national_grid_data_from_buffer_checked(void* handle, const uint8_t* buffer,
                                                              uint32_t length);
// Isotherms of the palettor handle and every analysis (docs/formats.md).
VY_API bool vy_ad_save_anas_to_buffer(void* handle, uint8_t* buffer, uint32_t* length);
// 32-byte imaging parameter block.
VY_API bool vy_ad_save_imaging_para_to_buffer(void* handle, uint8_t* buffer, uint32_t* length);

// --- Analyses on a frame ----------------------------------------------------------
VY_API bool vy_ad_add_ana(void* handle, const char* ana, const tagVYAnaInfo* info);
VY_API bool vy_ad_add_anas(void* handle, const char* anas);
VY_API bool vy_ad_delete_anas(void* handle, const char* anas);
VY_API bool vy_ad_delete_all_ana(void* handle);
VY_API bool vy_ad_update_ana_size(void* handle, const char* old_ana, const char* new_ana);
VY_API bool vy_ad_update_ana_size_ex(void* handle, const char* ana, const tagVYPoint* nodes,
                                     int32_t count);
// type 100 counts every analysis.
VY_API bool vy_ad_get_ana_count(void* handle, int32_t type, uint32_t* count);
// True also when nothing is hit (*code 100, *ana unchanged).
VY_API bool vy_ad_get_hit_ana(void* handle, uint16_t x, uint16_t y, int32_t* code, std::string* ana);
VY_API bool vy_ad_get_str_of_anas(void* handle, int32_t type, std::string* out);
VY_API bool vy_ad_set_hit_range(void* handle, int32_t type, uint8_t range);

// --- Measurement ------------------------------------------------------------------
VY_API bool vy_ad_get_line_temperature(void* handle, uint16_t x1, uint16_t y1, uint16_t x2,
                                       uint16_t y2, uint16_t hottest[3], uint16_t coldest[3],
                                       uint16_t* avg);
VY_API bool vy_ad_get_line_temperature_ex(void* handle, uint16_t x1, uint16_t y1, uint16_t x2,
                                          uint16_t y2, uint16_t* max_x, uint16_t* max_y,
                                          uint16_t* max_ad, uint16_t* min_x, uint16_t* min_y,
                                          uint16_t* min_ad, uint16_t* avg);
VY_API bool vy_ad_get_rect_temperature(void* handle, uint16_t x1, uint16_t y1, uint16_t x2,
                                       uint16_t y2, uint16_t hottest[3], uint16_t coldest[3],
                                       uint16_t* avg);
VY_API bool vy_ad_get_rect_temperature_ex(void* handle, uint16_t x1, uint16_t y1, uint16_t x2,
                                          uint16_t y2, uint16_t* max_x, uint16_t* max_y,
                                          uint16_t* max_ad, uint16_t* min_x, uint16_t* min_y,
                                          uint16_t* min_ad, uint16_t* avg);
// Pixels with AD at or above arg6 counted by the palettor handle; relation 0
// tests count < arg3, relation 1 tests arg5 < count. arg2, arg4 and arg7 are
// not read.
VY_API bool vy_ad_compare_count_of_temperature(void* handle, int32_t relation, uint32_t arg2,
                                               uint32_t arg3, uint32_t arg4, uint32_t arg5,
                                               uint32_t arg6, uint32_t arg7, uint8_t* result);

// --- One analysis ---------------------------------------------------------------------
VY_API bool vy_ana_get_alias(void* handle, const char* ana, char* buffer, uint32_t* length);
VY_API bool vy_ana_set_alias(void* handle, const char* ana, const char* text);
VY_API bool vy_ana_get_des(void* handle, const char* ana, char* buffer, uint32_t* length);
VY_API bool vy_ana_set_des(void* handle, const char* ana, const char* text);
VY_API bool vy_ana_get_info(void* handle, const char* ana, tagVYAnaInfo* info);
VY_API bool vy_ana_set_info(void* handle, const char* ana, const tagVYAnaInfo* info);
// AD of every pixel of the shape inside the frame (vy_ana_get_pixel_count values).
VY_API bool vy_ana_get_ad(void* handle, const char* ana, uint16_t* out);
VY_API bool vy_ana_get_track_pos(void* handle, const char* ana, tagVYPoint* out);
VY_API bool vy_ana_get_pixel_count(void* handle, const char* ana, uint32_t* count);
// *count: node capacity on entry, node count on return.
VY_API bool vy_ana_get_nodes(void* handle, const char* ana, uint32_t* count, tagVYPoint* nodes);
VY_API bool vy_ana_get_max_ad(void* handle, const char* ana, uint16_t record[3]);
VY_API bool vy_ana_get_min_ad(void* handle, const char* ana, uint16_t record[3]);
VY_API bool vy_ana_get_max_ad_ex(void* handle, const char* ana, uint16_t* x, uint16_t* y,
                                 uint16_t* ad);
VY_API bool vy_ana_get_min_ad_ex(void* handle, const char* ana, uint16_t* x, uint16_t* y,
                                 uint16_t* ad);
VY_API bool vy_ana_get_avg_ad(void* handle, const char* ana, uint16_t* avg);
VY_API bool vy_ana_set_eigenvalue(void* handle, const char* ana, uint32_t max_pos, uint16_t max_ad,
                                  uint32_t min_pos, uint16_t min_ad, uint16_t avg_ad);
// value1 and value2 receive the raw bits of the two f32 parameters.
VY_API bool vy_ana_get_self_para(void* handle, const char* ana, uint8_t* flag, uint32_t* value1,
                                 uint32_t* value2);
VY_API bool vy_ana_set_self_para(void* handle, const char* ana, uint8_t flag, float value1,
                                 float value2);
VY_API bool vy_ana_get_line_color(void* handle, const char* ana, uint32_t* color);
VY_API bool vy_ana_set_line_color(void* handle, const char* ana, uint32_t color);
VY_API bool vy_ana_get_show_text_type(void* handle, const char* ana, uint32_t* type);
VY_API bool vy_ana_set_show_text_type(void* handle, const char* ana, uint32_t type);
VY_API bool vy_ana_get_text_location(void* handle, const char* ana, uint32_t* location);
VY_API bool vy_ana_set_text_location(void* handle, const char* ana, uint32_t location);
VY_API bool vy_ana_is_visible(void* handle, const char* ana, uint8_t* on);
VY_API bool vy_ana_set_visible(void* handle, const char* ana, uint8_t on);
VY_API bool vy_ana_is_can_move(void* handle, const char* ana, uint8_t* on);
VY_API bool vy_ana_set_can_move(void* handle, const char* ana, uint8_t on);
VY_API bool vy_ana_is_show_alias(void* handle, const char* ana, uint8_t* on);
VY_API bool vy_ana_show_alias(void* handle, const char* ana, uint8_t on);
VY_API bool vy_ana_is_show_des(void* handle, const char* ana, uint8_t* on);
VY_API bool vy_ana_show_des(void* handle, const char* ana, uint8_t on);
VY_API bool vy_ana_is_show_max_point(void* handle, const char* ana, uint8_t* on);
VY_API bool vy_ana_show_max_point(void* handle, const char* ana, uint8_t on);
VY_API bool vy_ana_is_show_min_point(void* handle, const char* ana, uint8_t* on);
VY_API bool vy_ana_show_min_point(void* handle, const char* ana, uint8_t on);
VY_API bool vy_ana_is_use_self_palette(void* handle, const char* ana, uint8_t* on);
VY_API bool vy_ana_apply_self_palette(void* handle, const char* ana, bool on);
VY_API bool vy_ana_get_palette(void* handle, const char* ana, int32_t* palette);
VY_API bool vy_ana_set_palette(void* handle, const char* ana, int32_t palette);
VY_API bool vy_ana_get_imaging_range(void* handle, const char* ana, uint16_t* low, uint16_t* high);
VY_API bool vy_ana_set_imaging_range(void* handle, const char* ana, uint16_t low, uint16_t high);
VY_API bool vy_ana_set_low_of_imaging_range(void* handle, const char* ana, uint16_t low);
VY_API bool vy_ana_set_high_of_imaging_range(void* handle, const char* ana, uint16_t high);
VY_API bool vy_ana_auto_imaging(void* handle, const char* ana);
// Lines only.
VY_API bool vy_ana_show_cursor(void* handle, const char* ana, uint8_t on);
VY_API bool vy_ana_show_temp_of_cursor(void* handle, const char* ana, uint8_t on);
VY_API bool vy_ana_set_scale_of_cursor(void* handle, const char* ana, float scale);
VY_API bool vy_ana_get_cursor_info(void* handle, const char* ana, uint8_t* show_cursor,
                                   uint8_t* show_temp, float* scale, uint16_t* x, uint16_t* y);

VY_EXTERN_C_END
