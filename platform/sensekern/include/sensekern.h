// sensekern: the frame core under the frame document library.
//
// A sensekern handle holds one IR frame: its AD plane (a framekit frame with
// the analysis objects and their statistics), the environment parameters and
// calibration that turn AD values into temperatures (tempcore), and the
// colouring state (palettor: palette, imaging range, isotherms, filters).
// It also writes and reads the radiometric data appended to JPEG and PNG
// pictures, the national-grid (SGCC) block and `.irv` recordings
// (docs/formats.md).
//
// Every function takes the handle first and returns true on success; results
// come back through out-parameters. A null, foreign or freed handle returns
// false and touches nothing. Analysis objects are addressed by their
// analysis string (basekit form, e.g. "R:10,10;40,30;-"). Where a function
// writes into a caller's buffer with a length pointer, the length is the
// capacity on entry and the size written (or needed) on return; a null
// buffer answers the size. Paths are UTF-8 (the _w forms take wide text).
//
// Two handles may be used from two threads at once; one handle is guarded
// by its own lock, and a call that would take it again on the same thread is
// refused.
#pragma once

#include "vyapi.h"
#include "vytypes.h"

#include <stdint.h>

// Byte limits of the data attached to a picture or recording.
enum {
    SENSEKERN_MAX_SIDE = 4096,                   // width or height of a stored frame
    SENSEKERN_MAX_ATTACHED_BYTES = 64 << 20,     // third buffer, voice note, user data
    SENSEKERN_MAX_MARK_BYTES = 65535,            // one frame mark of a recording
    SENSEKERN_MAC_TEXT_CAPACITY = 17,            // each get_mac_info buffer holds at least this
};

// Kinds reported by sensekern_probe_file.
enum SensekernFileKind {
    SENSEKERN_FILE_PLAIN = 0,        // no (valid) temperature data appended
    SENSEKERN_FILE_RADIOMETRIC = 1,  // JPEG or PNG with the radiometric block
    SENSEKERN_FILE_NATIONAL_GRID = 2 // picture with the national-grid block
};

// --- Object --------------------------------------------------------------------
VY_API bool sensekern_init(void** handle);
// Destroys the frame (stopping nothing: recordings are separate handles that
// must be stopped first, else this returns false) and clears *handle.
VY_API bool sensekern_uninit(void** handle);

// --- Feeding a frame (camera and player sources) ---------------------------------
// Calibration data file of the detector (tempcore format); replaces the
// current calibration only when it loads.
VY_API bool sensekern_load_calibration_file(void* handle, const char* path);
VY_API bool sensekern_set_len_and_range(void* handle, int32_t lens, int32_t range);
// The five sensor temperatures of the detector; the base temperature and the
// AD-to-temperature table follow.
VY_API bool sensekern_set_sensor_temp(void* handle, float s1, float s2, float s3, float s4, float s5);
// Copies a raw AD plane of width x height values into the frame; statistics,
// automatic imaging and isotherms follow. The capture time becomes the
// present time (set_capture_time afterwards to give another).
VY_API bool sensekern_set_ad_frame(void* handle, const uint16_t* ad, uint16_t width,
                                   uint16_t height);
// count: capacity in values on entry, width x height on return.
VY_API bool sensekern_get_ad_frame(void* handle, uint16_t* ad, uint32_t* count);
VY_API bool sensekern_set_capture_time(void* handle, const tagTimeVal* time);
VY_API bool sensekern_get_capture_time(void* handle, tagTimeVal* time);
// true: the imaging range follows every new frame (PaletteType 3).
VY_API bool sensekern_set_auto_imaging(void* handle, bool on);
VY_API bool sensekern_set_zoom_factor(void* handle, ImageZoomFactor factor);
VY_API bool sensekern_get_thumbnail_bits(void* handle, uint16_t width, uint16_t height,
                                         uint32_t* pixels);

// --- Loading pictures (still-picture and thumbnail sources) ------------------------
VY_API bool sensekern_probe_file(void* handle, const char* path, SensekernFileKind* kind);
// A picture whose appended block is missing or damaged is refused and leaves
// the frame as it was. A picture that stored its calibration model converts
// with it, so a new emissivity, distance or other parameter gives new
// temperatures; an older picture converts with its stored table and refuses
// new parameters (the unit may change) until calibration data is loaded
// again. The third buffer, voice note and user data of the loaded picture
// are read back with sensekern_get_attached_data.
VY_API bool sensekern_load_picture_file(void* handle, const char* path);
VY_API bool sensekern_load_picture_buffer(void* handle, const uint8_t* data, uint64_t length);
VY_API bool sensekern_load_national_grid_file(void* handle, const char* path);
VY_API bool sensekern_load_national_grid_buffer(void* handle, const uint8_t* data,
                                                uint64_t length);
// The palette, palettor imaging type (0 automatic, 1 manual, 255
// fire-fighting) and imaging range the loaded picture stored; false when it
// stored none. Any pointer may be null.
VY_API bool sensekern_get_stored_view(void* handle, PALETTE* palette, int32_t* imaging, uint16_t* low,
                                      uint16_t* high);
// Bytes of the picture before the appended block (what a viewer decodes).
VY_API bool sensekern_get_picture_length(void* handle, const char* path, uint64_t* length);

// which: 0 third buffer, 1 voice note, 2 user data, of the last loaded file.
enum SensekernAttached { SENSEKERN_THIRD = 0, SENSEKERN_SOUND = 1, SENSEKERN_USER = 2 };
VY_API bool sensekern_get_attached_data(void* handle, SensekernAttached which, uint8_t* buffer,
                                        uint32_t* length);

// --- Reading recordings (player sources) ------------------------------------------
// A reader handle of its own; a recording cut off before its trailer is
// recovered by scanning its frames.
VY_API bool sensekern_record_open(void** reader, const char* path);
VY_API bool sensekern_record_close(void** reader);
VY_API bool sensekern_record_get_info(void* reader, uint32_t* frame_count, uint16_t* width,
                                      uint16_t* height, bool* recovered);
// Identity texts of the recording (as get_mac_info), each buffer at least
// SENSEKERN_MAC_TEXT_CAPACITY bytes; any may be null.
VY_API bool sensekern_record_get_mac_info(void* reader, char* productor, char* mac_type,
                                          char* mac_sn, char* detector_sn, char* date_time);
// Loads frame `index` (AD plane, parameters, time) into a sensekern frame.
VY_API bool sensekern_record_load_frame(void* reader, uint32_t index, void* frame,
                                        tagTimeVal* time);
// The time of frame `index` without loading the frame.
VY_API bool sensekern_record_get_frame_time(void* reader, uint32_t index, tagTimeVal* time);
// The frame mark of frame `index` (length 0 when it has none).
VY_API bool sensekern_record_get_frame_mark(void* reader, uint32_t index, uint8_t* buffer,
                                            uint32_t* length);
// Frames that carry a mark, in frame order.
VY_API bool sensekern_record_get_mark_count(void* reader, uint32_t* count);
VY_API bool sensekern_record_get_mark_frame(void* reader, uint32_t mark, uint32_t* index);
// The note given to stop_record (length 0 when none).
VY_API bool sensekern_record_get_note(void* reader, uint8_t* buffer, uint32_t* length);

// --- Whole-frame temperatures --------------------------------------------------------
VY_API bool sensekern_get_temperature_and_ad_from_position(void* handle, uint16_t x, uint16_t y,
                                                           uint16_t* ad, float* temperature);
VY_API bool sensekern_get_temperature_from_ad(void* handle, const uint16_t* ad, uint32_t count,
                                              float* temperatures);
VY_API bool sensekern_get_ad_from_temperature(void* handle, float temperature, uint16_t* ad);
VY_API bool sensekern_get_max_temperature(void* handle, tagPAD* position, float* temperature);
VY_API bool sensekern_get_min_temperature(void* handle, tagPAD* position, float* temperature);
VY_API bool sensekern_get_avg_temperature(void* handle, uint16_t* ad, float* temperature);
// temperatures holds width x height floats, row by row.
VY_API bool sensekern_get_all_pixel_temperature(void* handle, float* temperatures);
// Any out pointer may be null.
VY_API bool sensekern_get_line_temperature(void* handle, uint16_t x1, uint16_t y1, uint16_t x2,
                                           uint16_t y2, tagPAD* max_position, float* max,
                                           tagPAD* min_position, float* min, uint16_t* avg_ad,
                                           float* avg);
VY_API bool sensekern_get_rect_temperature(void* handle, uint16_t x1, uint16_t y1, uint16_t x2,
                                           uint16_t y2, tagPAD* max_position, float* max,
                                           tagPAD* min_position, float* min, uint16_t* avg_ad,
                                           float* avg);
VY_API bool sensekern_get_line_temperature_ex(void* handle, uint16_t x1, uint16_t y1, uint16_t x2,
                                              uint16_t y2, uint16_t* max_x, uint16_t* max_y,
                                              uint16_t* max_ad, float* max, uint16_t* min_x,
                                              uint16_t* min_y, uint16_t* min_ad, float* min,
                                              uint16_t* avg_ad, float* avg);
VY_API bool sensekern_get_rect_temperature_ex(void* handle, uint16_t x1, uint16_t y1, uint16_t x2,
                                              uint16_t y2, uint16_t* max_x, uint16_t* max_y,
                                              uint16_t* max_ad, float* max, uint16_t* min_x,
                                              uint16_t* min_y, uint16_t* min_ad, float* min,
                                              uint16_t* avg_ad, float* avg);

// --- Environment parameters, calibration, identity -------------------------------------
// Any pointer may be null.
VY_API bool sensekern_get_temperature_para(void* handle, float* emissivity, float* distance,
                                           float* ambient, float* humidity, float* modify,
                                           float* reference, TemperatureUnit* unit);
VY_API bool sensekern_set_emiss(void* handle, float emissivity);
VY_API bool sensekern_set_dist(void* handle, float distance);
VY_API bool sensekern_set_env_temp(void* handle, float ambient);
// Relative humidity as a fraction 0..1.
VY_API bool sensekern_set_rel_hum(void* handle, float humidity);
VY_API bool sensekern_set_modify_temp(void* handle, float modify);
VY_API bool sensekern_set_enviroment_reference_temperature(void* handle, float reference);
VY_API bool sensekern_set_temperature_unit(void* handle, TemperatureUnit unit);
// The frame's tempcore handle (the frame keeps ownership); false when the
// frame has no calibration loaded.
VY_API bool sensekern_get_handle_of_ad_temp(void* handle, void** calibration);
// items null: *count receives the number of lenses; otherwise *count records.
VY_API bool sensekern_get_supported_lens_info(void* handle, tagLenInfo* items,
                                              unsigned char* count);
VY_API bool sensekern_get_cur_len_range_info(void* handle, tagLenInfo* info);
// Buffers of at least SENSEKERN_MAC_TEXT_CAPACITY bytes; any may be null.
VY_API bool sensekern_get_mac_info(void* handle, char* productor, char* mac_type, char* mac_sn,
                                   char* detector_sn, char* product_date_time);
VY_API bool sensekern_get_resolution(void* handle, uint16_t* width, uint16_t* height);
VY_API bool sensekern_get_zoom_factor(void* handle, ImageZoomFactor* factor);

// --- Colour ---------------------------------------------------------------------------
// 32-bit 0x00RRGGBB pixels, width x height x 4 bytes. *length: the buffer's
// capacity on entry, the size of the frame on return; a null buffer answers
// the size, a buffer too small is refused. The size is checked under the
// frame's own lock, so a resolution change between calls cannot overrun.
VY_API bool sensekern_get_bits(void* handle, unsigned char* buffer, uint32_t* length);
VY_API bool sensekern_get_palette(void* handle, PALETTE* palette);
VY_API bool sensekern_set_palette(void* handle, PALETTE palette);
VY_API bool sensekern_get_imaging_range(void* handle, uint16_t* low, uint16_t* high);
VY_API bool sensekern_set_imaging_range(void* handle, uint16_t low, uint16_t high);
VY_API bool sensekern_set_low_of_imaging_range(void* handle, uint16_t low);
VY_API bool sensekern_set_high_of_imaging_range(void* handle, uint16_t high);
// Computes the imaging range once from the current frame.
VY_API bool sensekern_auto_imaging(void* handle);
VY_API bool sensekern_get_imaging_algorithm_mode(void* handle, ImagingAlgorithmMode* mode);
VY_API bool sensekern_set_imaging_algorithm_mode(void* handle, ImagingAlgorithmMode mode);
VY_API bool sensekern_enable_image_process(void* handle, bool on);
VY_API bool sensekern_enable_image_stabilization(void* handle);
VY_API bool sensekern_disable_image_stabilization(void* handle);

// --- Isotherms (temperatures in the current unit; colour red in bits 0-7) ------------------
VY_API bool sensekern_add_isotherm(void* handle, float low, float high, uint32_t colour, bool flag,
                                   void** isotherm);
VY_API bool sensekern_update_isotherm(void* handle, void* isotherm, float low, float high,
                                      uint32_t colour, bool flag);
VY_API bool sensekern_delete_isotherm(void* handle, void* isotherm);
VY_API bool sensekern_delete_all_isotherm(void* handle);

// --- Recording -------------------------------------------------------------------------
VY_API bool sensekern_start_record(void* handle, const char* path, void** record);
VY_API bool sensekern_start_record_w(void* handle, const wchar_t* path, void** record);
// Appends the current frame; mark_length bytes at mark (null or 0: no mark)
// are kept as the frame's mark.
VY_API bool sensekern_record_one_frame(void* handle, void* record, uint16_t mark_length,
                                       void* mark);
// Writes the trailer (frame index and mark table; note_length bytes at note,
// null or 0 for none) and closes the file; clears *record.
VY_API bool sensekern_stop_record(void* handle, void** record, uint32_t note_length, void* note);
VY_API bool sensekern_get_record_file_length(void* handle, void* record, uint32_t* length);

// --- Appending temperature data to pictures ------------------------------------------------
// The picture at path must exist; its bytes are kept and the block appended
// (an earlier block is replaced). Written through a temporary file renamed
// over the picture; on failure the picture is left as it was.
VY_API bool sensekern_append_temperature_to_file(void* handle, const char* path,
                                                 const unsigned char* third, uint32_t third_length,
                                                 const unsigned char* sound, uint32_t sound_length,
                                                 const unsigned char* user, uint32_t user_length);
VY_API bool sensekern_append_temperature_to_file_w(void* handle, const wchar_t* path,
                                                   const unsigned char* third,
                                                   uint32_t third_length,
                                                   const unsigned char* sound,
                                                   uint32_t sound_length,
                                                   const unsigned char* user, uint32_t user_length);
VY_API bool sensekern_append_temperature_to_national_grid_file(void* handle, const char* path,
                                                               const unsigned char* user,
                                                               uint32_t user_length);
VY_API bool sensekern_append_temperature_to_national_grid_file_w(void* handle,
                                                                 const wchar_t* path,
                                                                 const unsigned char* user,
                                                                 uint32_t user_length);

// --- Analysis objects --------------------------------------------------------------------
// One or several analysis strings run together; refused (nothing added) when
// any of them is malformed.
VY_API bool sensekern_add_anas(void* handle, const char* anas);
// Every object's text as it was added, run together by ascending type and
// in order of addition within a type (a loaded picture's stored objects).
// *length counts the text without its terminator; the buffer must hold it.
VY_API bool sensekern_get_anas(void* handle, char* buffer, uint32_t* length);
VY_API bool sensekern_delete_anas(void* handle, const char* anas);
VY_API bool sensekern_delete_all_ana(void* handle);
VY_API bool sensekern_update_ana_size(void* handle, const char* old_ana, const char* new_ana);
// The object under (x, y) and the hit code (type, plus the part for a
// handle: 0; 10-14; 20-22; 30-38; 40-42; 50-52). A node, end or grip is hit
// within 10 pixels of it. The text is the one the object was added under.
// Nothing hit: false, type and buffer untouched, *length 0. Texts follow the
// buffer rule with *length counting the text without its terminator.
VY_API bool sensekern_get_hit_ana(void* handle, int32_t x, int32_t y, AnaType* type, char* buffer,
                                  uint32_t* length);
VY_API bool sensekern_ana_get_alias(void* handle, const char* ana, char* buffer, uint32_t* length);
VY_API bool sensekern_ana_set_alias(void* handle, const char* ana, const char* alias);

VY_API bool sensekern_ana_get_max_temperature(void* handle, const char* ana, tagPAD* position,
                                              float* temperature);
VY_API bool sensekern_ana_get_min_temperature(void* handle, const char* ana, tagPAD* position,
                                              float* temperature);
VY_API bool sensekern_ana_get_avg_temperature(void* handle, const char* ana, uint16_t* ad,
                                              float* temperature);
// count: capacity on entry, number of pixels on return; temperatures in the
// object's pixel order (first node to last for lines).
VY_API bool sensekern_ana_get_temperature(void* handle, const char* ana, uint32_t* count,
                                          float* temperatures);
VY_API bool sensekern_ana_get_pixel_count(void* handle, const char* ana, uint32_t* count);
// Any pointer may be null; cursor data exists for lines only.
VY_API bool sensekern_get_cursor_info(void* handle, const char* ana, bool* show_cursor,
                                      bool* show_temperature, float* scale, uint16_t* x,
                                      uint16_t* y, float* temperature);

// Line colours as the frame document stores them: red in bits 0-7, green in
// 8-15, blue in 16-23 (framekit's 0x00RRGGBB is converted here).
VY_API bool sensekern_ana_get_line_color(void* handle, const char* ana, uint32_t* colour);
VY_API bool sensekern_ana_set_line_color(void* handle, const char* ana, uint32_t colour);
VY_API bool sensekern_ana_get_show_text_type(void* handle, const char* ana, ShowTextType* type);
VY_API bool sensekern_ana_set_show_text_type(void* handle, const char* ana, ShowTextType type);
VY_API bool sensekern_ana_is_show_max_point(void* handle, const char* ana, bool* on);
VY_API bool sensekern_ana_show_max_point(void* handle, const char* ana, bool on);
VY_API bool sensekern_ana_is_show_min_point(void* handle, const char* ana, bool* on);
VY_API bool sensekern_ana_show_min_point(void* handle, const char* ana, bool on);
VY_API bool sensekern_ana_is_visible(void* handle, const char* ana, bool* on);
VY_API bool sensekern_ana_set_visible(void* handle, const char* ana, bool on);
VY_API bool sensekern_ana_is_can_move(void* handle, const char* ana, bool* on);
VY_API bool sensekern_ana_set_can_move(void* handle, const char* ana, bool on);
VY_API bool sensekern_ana_show_cursor(void* handle, const char* ana, bool on);
VY_API bool sensekern_ana_show_temp_of_cursor(void* handle, const char* ana, bool on);
VY_API bool sensekern_ana_set_scale_of_cursor(void* handle, const char* ana, float scale);

VY_API bool sensekern_ana_is_use_self_palette(void* handle, const char* ana, bool* on);
VY_API bool sensekern_ana_apply_self_palette(void* handle, const char* ana, bool on);
VY_API bool sensekern_ana_get_palette(void* handle, const char* ana, PALETTE* palette);
VY_API bool sensekern_ana_set_palette(void* handle, const char* ana, PALETTE palette);
VY_API bool sensekern_ana_get_imaging_range(void* handle, const char* ana, uint16_t* low,
                                            uint16_t* high);
VY_API bool sensekern_ana_set_imaging_range(void* handle, const char* ana, uint16_t low,
                                            uint16_t high);
VY_API bool sensekern_ana_set_low_of_imaging_range(void* handle, const char* ana, uint16_t low);
VY_API bool sensekern_ana_set_high_of_imaging_range(void* handle, const char* ana, uint16_t high);
VY_API bool sensekern_ana_auto_imaging(void* handle, const char* ana);
// Own emissivity and distance of the object; with own false the frame's
// parameters apply.
VY_API bool sensekern_ana_get_self_para(void* handle, const char* ana, bool* own,
                                        float* emissivity, float* distance);
VY_API bool sensekern_ana_set_self_para(void* handle, const char* ana, bool own, float emissivity,
                                        float distance);
