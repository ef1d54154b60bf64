// thermframe: the API over one IR frame document: temperatures, analysis
// objects addressed by handle or by analysis string, label placement,
// isotherms, temperature marks, palettes, imaging range, environment
// parameters, recording, voice note and user data, analysis-object files.
//
// Every function takes the frame handle (or an analysis-object handle)
// first and returns true on success; results come back through reference or
// pointer parameters. A null, foreign or freed handle returns false and
// touches nothing. Analysis strings and aliases are 8-bit text.
//
// Byte buffers: where a function writes into a caller's buffer with a length
// reference, the length is the capacity on entry and the size written (or
// needed) on return; a null buffer answers the size.
//
// Exports have C linkage and plain names, except the overloaded ones (one
// name for the whole-frame and the analysis-handle form, or for one value
// and an array), marked VY_API_CXX: an overload keeps its typed C++ name.
#pragma once

#include "vyapi.h"
#include "vytypes.h"

#include <stdint.h>

#include <string>
#include <vector>

VY_EXTERN_C_BEGIN

// --- Making documents (the picture, player and camera source layers) -------------
// A document over an existing sensekern frame; the caller keeps ownership of
// the sensekern handle and frees it after thermframe_doc_uninit. The label
// font is the application font of the running QGuiApplication; without one
// labels are not laid out.
VY_API bool thermframe_doc_init(void*& doc, void* sensekern);
// Frees the document with its analysis objects and isotherms and clears doc.
VY_API bool thermframe_doc_uninit(void*& doc);

// What changed in the view of a document: the rotation (a: RotationAngle),
// the zoom (a: ImageZoomFactor) or the window size (a: width, b: height).
enum ThermframeViewChange {
    THERMFRAME_VIEW_ROTATION = 0,
    THERMFRAME_VIEW_ZOOM = 1,
    THERMFRAME_VIEW_WINDOW = 2,
};
typedef void (*ThermframeViewHook)(void* user, ThermframeViewChange change, int32_t a, int32_t b);
// The maker of a document learns of each accepted rotation, zoom and
// window-size change through the hook, on the caller's thread and with none
// of thermframe's locks held, so that it may pass them on to its painter.
// A null hook removes it.
VY_API bool thermframe_doc_set_view_hook(void* doc, ThermframeViewHook hook, void* user);

// --- Whole frame -----------------------------------------------------------------
// Positions of these calls are in display orientation (after the rotation).
VY_API bool thermframe_get_temp_from_position(void* doc, uint16_t x, uint16_t y, float& t);
VY_API_CXX bool thermframe_get_temp_from_ad(void* doc, uint16_t ad, float& t);
VY_API_CXX bool thermframe_get_temp_from_ad(void* doc, uint16_t* ads, uint32_t count, float* temps);
VY_API bool thermframe_get_ad_from_temp(void* doc, float t, uint16_t& ad);
VY_API bool thermframe_get_max_temp(void* doc, uint16_t& x, uint16_t& y, uint16_t& ad, float& t);
VY_API bool thermframe_get_min_temp(void* doc, uint16_t& x, uint16_t& y, uint16_t& ad, float& t);
VY_API bool thermframe_get_avg_temp(void* doc, uint16_t& ad, float& t);
// temps holds width x height floats (thermframe_get_resolution), row by row.
VY_API bool thermframe_get_all_temp(void* doc, float* temps);
VY_API bool thermframe_get_line_temperature(void* doc, uint16_t x1, uint16_t y1, uint16_t x2,
                                            uint16_t y2, tagPAD* max_position, float* max,
                                            tagPAD* min_position, float* min, uint16_t* avg_ad,
                                            float* avg);
VY_API bool thermframe_get_rect_temperature(void* doc, uint16_t x1, uint16_t y1, uint16_t x2,
                                            uint16_t y2, tagPAD* max_position, float* max,
                                            tagPAD* min_position, float* min, uint16_t* avg_ad,
                                            float* avg);
VY_API bool thermframe_get_line_temperature_ex(void* doc, uint16_t x1, uint16_t y1, uint16_t x2,
                                               uint16_t y2, uint16_t* max_x, uint16_t* max_y,
                                               uint16_t* max_ad, float* max, uint16_t* min_x,
                                               uint16_t* min_y, uint16_t* min_ad, float* min,
                                               uint16_t* avg_ad, float* avg);
VY_API bool thermframe_get_rect_temperature_ex(void* doc, uint16_t x1, uint16_t y1, uint16_t x2,
                                               uint16_t y2, uint16_t* max_x, uint16_t* max_y,
                                               uint16_t* max_ad, float* max, uint16_t* min_x,
                                               uint16_t* min_y, uint16_t* min_ad, float* min,
                                               uint16_t* avg_ad, float* avg);

VY_API bool thermframe_get_emiss(void* doc, float& value);
VY_API bool thermframe_get_dist(void* doc, float& value);
VY_API bool thermframe_get_env_temp(void* doc, float& value);
// Relative humidity as a fraction 0..1.
VY_API bool thermframe_get_rel_hum(void* doc, float& value);
VY_API bool thermframe_get_modify_temp(void* doc, float& value);
VY_API bool thermframe_get_enviroment_reference_temperature(void* doc, float& value);
VY_API bool thermframe_get_temperature_unit(void* doc, TemperatureUnit& unit);
VY_API bool thermframe_set_emiss(void* doc, float value);
VY_API bool thermframe_set_dist(void* doc, float value);
VY_API bool thermframe_set_env_temp(void* doc, float value);
VY_API bool thermframe_set_rel_hum(void* doc, float value);
VY_API bool thermframe_set_modify_temp(void* doc, float value);
VY_API bool thermframe_set_enviroment_reference_temperature(void* doc, float value);
VY_API bool thermframe_set_temperature_unit(void* doc, TemperatureUnit unit);

// The eight values of the calibration engine's sensor query; any may be null.
VY_API bool thermframe_get_sensor_temp(void* doc, float* s1, float* s2, float* s3, float* s4,
                                       float* s5, float* s6, float* s7, float* s8);
// items null: *count receives the number of lenses.
VY_API bool thermframe_get_supported_lens_info(void* doc, tagLenInfo* items, unsigned char* count);
VY_API bool thermframe_get_cur_len_range_info(void* doc, tagLenInfo* info);
VY_API bool thermframe_get_mac_info(void* doc, std::string& a, std::string& b, std::string& c);
VY_API bool thermframe_get_detector_sn(void* doc, std::string& sn);

VY_API bool thermframe_get_resolution(void* doc, uint16_t& width, uint16_t& height);
// As get_resolution, with width and height exchanged at rotation 1 or 2.
VY_API bool thermframe_get_show_resolution(void* doc, uint16_t& width, uint16_t& height);
VY_API bool thermframe_set_wnd_show_resolution(void* doc, uint16_t width, uint16_t height);
VY_API bool thermframe_get_rotation_angle(void* doc, RotationAngle& angle);
VY_API bool thermframe_set_rotation_angle(void* doc, RotationAngle angle);
VY_API bool thermframe_get_zoom_factor(void* doc, ImageZoomFactor& factor);
VY_API bool thermframe_set_zoom_factor(void* doc, ImageZoomFactor factor);
// In place between image orientation and display orientation.
VY_API bool thermframe_pt_abs_to_direction(void* doc, uint16_t& x, uint16_t& y);
VY_API bool thermframe_pt_direction_to_abs(void* doc, uint16_t& x, uint16_t& y);

// The coloured frame as 32-bit 0x00RRGGBB pixels: width x height x 4 bytes of
// the current frame. A smaller capacity is refused with the size needed.
VY_API bool thermframe_get_bits(void* doc, unsigned char* buffer, uint32_t& length);
VY_API bool thermframe_get_palette(void* doc, PALETTE& palette);
VY_API bool thermframe_set_palette(void* doc, PALETTE palette);
VY_API bool thermframe_get_palette_type(void* doc, PaletteType& type);
VY_API bool thermframe_set_palette_type(void* doc, PaletteType type);
VY_API bool thermframe_get_imaging_range(void* doc, uint16_t& low, uint16_t& high);
VY_API bool thermframe_set_imaging_range(void* doc, uint16_t low, uint16_t high);
VY_API bool thermframe_set_low_of_imaging_range(void* doc, uint16_t low);
VY_API bool thermframe_set_high_of_imaging_range(void* doc, uint16_t high);
VY_API bool thermframe_get_imaging_algorithm_mode(void* doc, ImagingAlgorithmMode* mode);
VY_API bool thermframe_set_imaging_algorithm_mode(void* doc, ImagingAlgorithmMode mode);
VY_API bool thermframe_enable_image_process(void* doc, bool on);
VY_API bool thermframe_enable_image_stabilization(void* doc);
VY_API bool thermframe_disable_image_stabilization(void* doc);
VY_API bool thermframe_show_max(void* doc, bool on);
VY_API bool thermframe_show_min(void* doc, bool on);
VY_API bool thermframe_is_show_max(void* doc, bool& on);
VY_API bool thermframe_is_show_min(void* doc, bool& on);
VY_API bool thermframe_set_use_default_imaging_para_open_file(void* doc, bool on);
VY_API bool thermframe_is_use_default_imaging_para_open_file(void* doc, bool& on);

// Voice note and user data. Length 0 clears; a null pointer with a non-zero
// length is refused.
VY_API bool thermframe_set_sound_data(void* doc, unsigned char* data, uint32_t length);
VY_API bool thermframe_get_sound_data(void* doc, unsigned char* buffer, uint32_t& length);
VY_API bool thermframe_set_user_data(void* doc, unsigned char* data, uint32_t length);
VY_API bool thermframe_get_user_data(void* doc, unsigned char* buffer, uint32_t& length);

VY_API bool thermframe_start_record(void* doc, std::string& path, void*& record);
VY_API bool thermframe_start_record_w(void* doc, std::wstring& path, void*& record);
VY_API bool thermframe_record_one_frame(void* doc, void* record, uint16_t mark_length, void* mark);
VY_API bool thermframe_stop_record(void* doc, void*& record, uint32_t note_length, void* note);
VY_API bool thermframe_get_record_file_length(void* doc, void* record, uint32_t& length);
VY_API bool thermframe_append_temperature_to_file(void* doc, std::string path);
VY_API bool thermframe_append_temperature_to_file_w(void* doc, std::wstring path);
VY_API bool thermframe_append_sgcc_to_file(void* doc, std::string path);
VY_API bool thermframe_append_sgcc_to_file_w(void* doc, std::wstring path);
// Does nothing and returns false.
VY_API bool thermframe_set_anas_scale(void* doc, const double& x_scale, const double& y_scale);

// --- Analysis-object registry ---------------------------------------------------------
// Adding a text that is already registered replaces the old entry (its handle
// becomes invalid). Every new object gets a fresh alias unique in the document.
VY_API_CXX bool thermframe_add_ana(void* doc, const std::string& str);
VY_API_CXX bool thermframe_add_ana(void* doc, const std::string& str, void*& ana);
// All pieces are checked first; none is added when one is refused.
VY_API bool thermframe_add_anas(void* doc, const std::string& anas);
// Replaces every object by the list.
VY_API bool thermframe_load_anas(void* doc, const std::string& anas);
VY_API bool thermframe_delete_ana(void* doc, const std::string& str);
VY_API bool thermframe_delete_all_ana(void* doc);
VY_API bool thermframe_update_ana_size(void* doc, const std::string& old_str,
                                      const std::string& new_str);
// Moves every node by (dx, dy) image pixels; refused when a node would leave
// the frame.
VY_API bool thermframe_ana_move_position(void* ana, int32_t dx, int32_t dy);
// type ANA_ALL counts every kind.
VY_API bool thermframe_get_anas_count(void* doc, AnaType type, int32_t& count);
VY_API_CXX bool thermframe_get_ana(void* doc, AnaType type, int32_t index, void*& ana);
VY_API_CXX bool thermframe_get_ana(void* doc, AnaType type, int32_t index, std::string& str);
VY_API bool thermframe_get_ana_handle_from_str(void* doc, const std::string& str, void*& ana);
VY_API bool thermframe_get_ana_handle_from_alias(void* doc, const std::string& alias, void*& ana);
VY_API bool thermframe_get_ana_str_from_handle(void* doc, void* ana, std::string& str);
VY_API bool thermframe_ana_is_valid(void* doc, void* ana);
// type: the hit code (analysis type plus the part of a handle); untouched
// when nothing is hit.
VY_API bool thermframe_get_hit_ana_str(void* doc, int32_t x, int32_t y, AnaType& type,
                                       std::string& str);
VY_API bool thermframe_get_hit_ana(void* doc, int32_t x, int32_t y, AnaType& type, void*& ana);
VY_API bool thermframe_ana_set_select(void* doc, const std::string& str);
VY_API bool thermframe_ana_has_select(void* doc, const std::string& str, bool& selected);
VY_API bool thermframe_get_select_ana(void* doc, void*& ana);
VY_API bool thermframe_ana_get_type(void* ana, AnaType& type);
// The 1-based position of the object in its kind's list, as index text ("R3").
VY_API bool thermframe_ana_get_name(void* ana, std::string& name);
VY_API_CXX bool thermframe_ana_get_alias(void* ana, std::string& alias);
VY_API_CXX bool thermframe_ana_get_alias(void* doc, const std::string& str, std::string& alias);
// An alias held by another object of the document is refused.
VY_API_CXX bool thermframe_ana_set_alias(void* ana, std::string alias);
VY_API_CXX bool thermframe_ana_set_alias(void* doc, const std::string& str, const std::string& alias);
// Nodes in image coordinates.
VY_API_CXX bool thermframe_ana_get_node(void* ana, std::vector<tagVYPoint>& nodes);
VY_API_CXX bool thermframe_ana_get_node(void* doc, const std::string& str,
                                    std::vector<tagVYPoint>& nodes);

// --- Label placement --------------------------------------------------------------------
// The label box's left edge is the anchor (image coordinates, turned to
// window coordinates) plus dx, minus the label width on side 1; its top is
// the anchor's y plus dy. Sides: 0 right of the anchor, 1 left, 2 above,
// 3 below. The bool is not used.
VY_API bool thermframe_get_text_loc(void* doc, const std::string& str, bool unused,
                                    int32_t& anchor_x, int32_t& anchor_y, int32_t& side,
                                    int32_t& dx, int32_t& dy);

// --- Analysis-object file, isotherms, temperature marks ---------------------------------
VY_API bool thermframe_save_anas_to_file(void* doc, std::string path);
VY_API bool thermframe_load_anas_from_file(void* doc, std::string path);
VY_API bool thermframe_isotherm_add(void* doc, void*& isotherm, float low, float high,
                                    uint32_t colour, bool flag);
VY_API bool thermframe_isotherm_update(void* doc, void* isotherm, float low, float high,
                                       uint32_t colour, bool flag);
// The caller's variable is left as it was.
VY_API bool thermframe_isotherm_delete_at(void* doc, void*& isotherm);
VY_API bool thermframe_isotherm_delete_all(void* doc);
VY_API bool thermframe_isotherm_update_all(void* doc);
VY_API bool thermframe_isotherm_get_count(void* doc, int32_t& count);
VY_API bool thermframe_isotherm_get_handle(void* doc, int32_t index, void*& isotherm, float& low,
                                           float& high, uint32_t& colour, bool& flag);
VY_API bool thermframe_add_temp_mark(void* doc, uint16_t x, uint16_t y, float temperature);
VY_API bool thermframe_clear_temp_mark(void* doc);
VY_API bool thermframe_get_temp_mark_count(void* doc, int32_t& count);
VY_API bool thermframe_get_temp_mark_info(void* doc, int32_t index, uint16_t& x, uint16_t& y,
                                          float& temperature);

// --- Analysis-object attributes and temperatures ----------------------------------------
// Each operation exists for a handle and for (frame, analysis string), unless
// noted. Positions come back in display orientation.
VY_API_CXX bool thermframe_ana_get_max_temp(void* ana, uint16_t& x, uint16_t& y, uint16_t& ad, float& t);
VY_API_CXX bool thermframe_ana_get_max_temp(void* doc, const std::string& str, uint16_t& x,
                                        uint16_t& y, uint16_t& ad, float& t);
VY_API_CXX bool thermframe_ana_get_min_temp(void* ana, uint16_t& x, uint16_t& y, uint16_t& ad, float& t);
VY_API_CXX bool thermframe_ana_get_min_temp(void* doc, const std::string& str, uint16_t& x,
                                        uint16_t& y, uint16_t& ad, float& t);
VY_API_CXX bool thermframe_ana_get_avg_temp(void* ana, uint16_t& ad, float& t);
VY_API_CXX bool thermframe_ana_get_avg_temp(void* doc, const std::string& str, uint16_t& ad, float& t);
// count: capacity in floats on entry, the object's pixel count on return; a
// null buffer answers the count.
VY_API_CXX bool thermframe_ana_get_all_temp(void* ana, float* temps, uint32_t& count);
VY_API_CXX bool thermframe_ana_get_all_temp(void* doc, const std::string& str, float* temps,
                                        uint32_t& count);
VY_API_CXX bool thermframe_ana_get_temperature_of_cursor(void* ana, uint16_t& x, uint16_t& y, float& t);
VY_API_CXX bool thermframe_ana_get_temperature_of_cursor(void* doc, const std::string& str,
                                                     uint16_t& x, uint16_t& y, float& t);
VY_API_CXX bool thermframe_ana_get_pixel_count(void* ana, uint32_t& count);
VY_API_CXX bool thermframe_ana_get_pixel_count(void* doc, const std::string& str, uint32_t& count);
// Colours: red in bits 0-7, green 8-15, blue 16-23.
VY_API_CXX bool thermframe_ana_get_line_clr(void* ana, uint32_t& colour);
VY_API_CXX bool thermframe_ana_get_line_clr(void* doc, const std::string& str, uint32_t& colour);
VY_API_CXX bool thermframe_ana_set_line_clr(void* ana, uint32_t colour);
VY_API_CXX bool thermframe_ana_set_line_clr(void* doc, const std::string& str, const uint32_t& colour);
VY_API_CXX bool thermframe_ana_get_text_type(void* ana, ShowTextType& type);
VY_API_CXX bool thermframe_ana_get_text_type(void* doc, const std::string& str, ShowTextType& type);
VY_API_CXX bool thermframe_ana_set_text_type(void* ana, ShowTextType type);
VY_API_CXX bool thermframe_ana_set_text_type(void* doc, const std::string& str, ShowTextType type);
VY_API_CXX bool thermframe_ana_is_show_max(void* ana, bool& on);
VY_API_CXX bool thermframe_ana_is_show_max(void* doc, const std::string& str, bool& on);
VY_API_CXX bool thermframe_ana_is_show_min(void* ana, bool& on);
VY_API_CXX bool thermframe_ana_is_show_min(void* doc, const std::string& str, bool& on);
VY_API_CXX bool thermframe_ana_show_max(void* ana, bool on);
VY_API_CXX bool thermframe_ana_show_max(void* doc, const std::string& str, bool on);
VY_API_CXX bool thermframe_ana_show_min(void* ana, bool on);
VY_API_CXX bool thermframe_ana_show_min(void* doc, const std::string& str, bool on);
VY_API_CXX bool thermframe_ana_is_show(void* ana, bool& on);
VY_API_CXX bool thermframe_ana_is_show(void* doc, const std::string& str, bool& on);
VY_API_CXX bool thermframe_ana_show(void* ana, bool on);
VY_API_CXX bool thermframe_ana_show(void* doc, const std::string& str, bool on);
VY_API_CXX bool thermframe_ana_is_can_move(void* ana, bool& on);
VY_API_CXX bool thermframe_ana_is_can_move(void* doc, const std::string& str, bool& on);
VY_API_CXX bool thermframe_ana_set_can_move(void* ana, bool on);
VY_API_CXX bool thermframe_ana_set_can_move(void* doc, const std::string& str, bool on);
VY_API_CXX bool thermframe_ana_is_show_cursor(void* ana, bool& on);
VY_API_CXX bool thermframe_ana_is_show_cursor(void* doc, const std::string& str, bool& on);
VY_API_CXX bool thermframe_ana_show_cursor(void* ana, bool on);
VY_API_CXX bool thermframe_ana_show_cursor(void* doc, const std::string& str, bool on);
VY_API_CXX bool thermframe_ana_is_show_cursor_temp(void* ana, bool& on);
VY_API_CXX bool thermframe_ana_is_show_cursor_temp(void* doc, const std::string& str, bool& on);
VY_API_CXX bool thermframe_ana_show_cursor_temp(void* ana, bool on);
VY_API_CXX bool thermframe_ana_show_cursor_temp(void* doc, const std::string& str, bool on);
VY_API_CXX bool thermframe_ana_get_scale_of_cursor(void* ana, float& scale);
VY_API_CXX bool thermframe_ana_get_scale_of_cursor(void* doc, const std::string& str, float& scale);
VY_API bool thermframe_ana_set_scale_of_cursor(void* doc, const std::string& str,
                                               const float& scale);
// Sets the cursor scale from (x, y) along the span of the first and last node.
VY_API bool thermframe_ana_set_cursor_pos(void* doc, const std::string& str, const int32_t& x,
                                          const int32_t& y);
VY_API_CXX bool thermframe_ana_has_self_palette(void* ana, bool& on);
VY_API_CXX bool thermframe_ana_has_self_palette(void* doc, const std::string& str, bool& on);
VY_API_CXX bool thermframe_ana_set_self_palette(void* ana, bool on);
VY_API_CXX bool thermframe_ana_set_self_palette(void* doc, const std::string& str, bool on);
// Reports palette 0 and true when the frame core cannot tell.
VY_API_CXX bool thermframe_ana_get_palette(void* ana, PALETTE& palette);
VY_API_CXX bool thermframe_ana_get_palette(void* doc, const std::string& str, PALETTE& palette);
VY_API_CXX bool thermframe_ana_set_palette(void* ana, PALETTE palette);
VY_API_CXX bool thermframe_ana_set_palette(void* doc, const std::string& str, PALETTE palette);
VY_API_CXX bool thermframe_ana_get_palette_param(void* ana, uint16_t& low, uint16_t& high);
VY_API_CXX bool thermframe_ana_get_palette_param(void* doc, const std::string& str, uint16_t& low,
                                             uint16_t& high);
VY_API_CXX bool thermframe_ana_set_palette_param(void* ana, uint16_t low, uint16_t high);
VY_API_CXX bool thermframe_ana_set_palette_param(void* doc, const std::string& str, uint16_t low,
                                             uint16_t high);
VY_API_CXX bool thermframe_ana_set_palette_param_min(void* ana, uint16_t low);
VY_API_CXX bool thermframe_ana_set_palette_param_min(void* doc, const std::string& str, uint16_t low);
VY_API_CXX bool thermframe_ana_set_palette_param_max(void* ana, uint16_t high);
VY_API_CXX bool thermframe_ana_set_palette_param_max(void* doc, const std::string& str, uint16_t high);
VY_API_CXX bool thermframe_ana_auto_palette(void* ana);
VY_API_CXX bool thermframe_ana_auto_palette(void* doc, const std::string& str);
VY_API_CXX bool thermframe_ana_get_palette_type(void* ana, PaletteType& type);
VY_API_CXX bool thermframe_ana_get_palette_type(void* doc, const std::string& str, PaletteType& type);
// Without own parameters, emissivity and distance are the frame's.
VY_API_CXX bool thermframe_ana_get_self_para(void* ana, bool& own, float& emissivity, float& distance);
VY_API_CXX bool thermframe_ana_get_self_para(void* doc, const std::string& str, bool& own,
                                         float& emissivity, float& distance);
VY_API_CXX bool thermframe_ana_set_self_para(void* ana, bool own, float emissivity, float distance);
VY_API_CXX bool thermframe_ana_set_self_para(void* doc, const std::string& str, bool own,
                                         float emissivity, float distance);
VY_API_CXX bool thermframe_ana_set_warning(void* ana, bool on);
VY_API_CXX bool thermframe_ana_set_warning(void* doc, const std::string& str, bool on);
VY_API_CXX bool thermframe_ana_get_warning(void* ana, bool& on);
VY_API_CXX bool thermframe_ana_get_warning(void* doc, const std::string& str, bool& on);
VY_API_CXX bool thermframe_ana_set_warning_line_clr(void* ana, uint32_t colour);
VY_API_CXX bool thermframe_ana_set_warning_line_clr(void* doc, const std::string& str, uint32_t colour);
VY_API_CXX bool thermframe_ana_get_warning_line_clr(void* ana, uint32_t& colour);
VY_API_CXX bool thermframe_ana_get_warning_line_clr(void* doc, const std::string& str,
                                                uint32_t& colour);
// Clears every object's warning; the warning count is kept.
VY_API bool thermframe_ana_clear_warning(void* doc);
VY_API bool thermframe_ana_add_warning_count(void* doc);
VY_API bool thermframe_ana_get_warning_count(void* doc, uint32_t& count);
// The label's temperature text, e.g. " Max:35.2" or " Max:120-Min:20.5-Avg:60.0".
VY_API bool thermframe_ana_get_temp_text(void* doc, const std::string& str, std::string& text);

VY_EXTERN_C_END
