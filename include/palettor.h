// palettor: turns 16-bit AD frames into 32-bit colour pictures with palettes,
// imaging ranges, isotherm bands and sharpen, blur and stabilization filters.
//
// Every function returns false (and logs under module "imaging") when the
// handle is not a live palettor handle or an argument is refused. Window
// coordinates (left, top, right, bottom) are inclusive pixel positions.
//
// Every export has C linkage and its plain name, the five with
// stdcall-decorated names on 32-bit Windows (palettor_auto_adjust_fpga,
// palettor_get_ad_threshold, palettor_get_auto_range, palettor_reset,
// palettor_set_ad_threshold_percentage) included.
#pragma once

#include "vyapi.h"
#include "vytypes.h"

#include <stdint.h>

VY_EXTERN_C_BEGIN

#pragma pack(push, 1)
// One row run of pixels: `row_and_first` carries the row in its low 16 bits
// and the first column in its high 16 bits; `last` is the last column
// (inclusive).
struct LineSpan {
    uint32_t row_and_first;
    uint16_t last;
};

// One isotherm band: ADs low..high (inclusive) painted in `colour`
// (byte 0 red, byte 1 green, byte 2 blue); mode 0 one flat colour,
// non-zero a graded band.
struct IsothermRecord {
    uint16_t low;
    uint16_t high;
    uint32_t colour;
    uint8_t mode;
};
#pragma pack(pop)

static_assert(sizeof(LineSpan) == 6, "LineSpan is packed to 6 bytes");
static_assert(sizeof(IsothermRecord) == 9, "IsothermRecord is packed to 9 bytes");

// Palette entries of the stored tables and of the fire table.
enum { PALETTOR_PALETTE_SIZE = 163, PALETTOR_FIRE_TABLE_SIZE = 256 };

// Imaging types of vy_set_imaging_type.
enum { PALETTOR_IMAGING_AUTO = 0, PALETTOR_IMAGING_MANUAL = 1, PALETTOR_IMAGING_FIRE_FIGHTING = 255 };

// --- lifecycle -------------------------------------------------------------

// flag false (0): the object recomputes its palette indexes after every range
// change and isotherm edit; true: only in algorithm mode 1 (the caller drives).
VY_API bool palettor_init(void** out, bool flag);
// Destroys *handle and clears the caller's variable.
VY_API bool palettor_uninit(void** handle);
VY_API bool palettor_is_valid_handle(const void* handle);

// --- pictures --------------------------------------------------------------

// Colours the window of an AD plane. compact false: `bits` has the frame's
// layout (width x height) and the window's pixels land at their positions;
// compact true: the window is written from the start of `bits`,
// (right - left + 1) pixels a row.
VY_API bool palettor_ad_to_pixel(void* handle, const uint16_t* ad, uint16_t width, uint16_t height,
                                 uint16_t left, uint16_t top, uint16_t right, uint16_t bottom,
                                 uint32_t* bits, bool compact);
// Colours the pixels of each span in place in `bits` (frame layout) with the
// full colour table, without filtering.
VY_API bool palettor_ad_to_pixel_ex(void* handle, const uint16_t* ad, uint16_t width, uint16_t height,
                                    const LineSpan* spans, int32_t count, uint32_t* bits);
// Samples the plane into out_width x out_height pixels.
VY_API bool palettor_ad_to_thumbnail_pixel(void* handle, const uint16_t* ad, uint16_t width,
                                           uint16_t height, uint16_t out_width, uint16_t out_height,
                                           uint32_t* bits);
// Colours a window of an 8-bit index picture into a compact picture.
VY_API bool palettor_clr_index_to_pixel(void* handle, const uint8_t* index, uint16_t width,
                                        uint16_t height, uint16_t left, uint16_t top, uint16_t right,
                                        uint16_t bottom, uint32_t* bits);
VY_API bool palettor_clr_index_to_thumbnail_pixel(void* handle, const uint8_t* index, uint16_t width,
                                                  uint16_t height, uint16_t out_width,
                                                  uint16_t out_height, uint32_t* bits);

// --- statistics and ranges -------------------------------------------------

// Maximum, minimum and average of a window, and the automatic range found from
// its histogram. Any out pointer may be null.
VY_API bool palettor_calc_max_min_avg_of_ad(void* handle, const uint16_t* ad, uint16_t width,
                                            uint16_t height, uint16_t left, uint16_t top,
                                            uint16_t right, uint16_t bottom, tagPAD* max, tagPAD* min,
                                            uint16_t* avg);
VY_API bool palettor_calc_max_min_avg_of_ad_ex(void* handle, const uint16_t* ad, uint16_t width,
                                               uint16_t height, const LineSpan* spans, int32_t count,
                                               tagPAD* max, tagPAD* min, uint16_t* avg);
VY_API bool palettor_calc_pal_no_of_ad(void* handle);
VY_API bool palettor_auto_adjust(void* handle);
VY_API bool palettor_auto_adjust_fpga(void* handle, uint16_t low, uint16_t high);
VY_API bool palettor_set_range(void* handle, uint16_t low, uint16_t high);
VY_API bool palettor_set_low_of_range(void* handle, uint16_t value);
VY_API bool palettor_set_high_of_range(void* handle, uint16_t value);
// Either pointer may be null.
VY_API bool palettor_get_range(void* handle, uint16_t* low, uint16_t* high);
VY_API bool palettor_get_auto_range(void* handle, uint16_t* low, uint16_t* high);
VY_API bool palettor_get_ad_threshold(void* handle, uint16_t* threshold);
VY_API bool palettor_set_ad_threshold_percentage(void* handle, float fraction);
// Pixels of the last statistics with an AD in low..high (0 when high < low).
VY_API bool palettor_get_biggerthan_pixel_count(void* handle, uint16_t low, uint16_t high, int32_t* count);
VY_API bool palettor_reset(void* handle);

// --- palette and modes -----------------------------------------------------

VY_API bool palettor_set_palette(void* handle, PALETTE palette);
VY_API bool palettor_get_palette(void* handle, int32_t* palette);
// ImagingAlgorithmMode 0..3.
VY_API bool palettor_set_algorithm_mode(void* handle, int32_t mode);
VY_API bool palettor_get_algorithm_mode(void* handle, int32_t* mode);
// 0 automatic, 1 manual range, 255 fire-fighting range.
VY_API bool vy_set_imaging_type(void* handle, int32_t type);
VY_API bool palettor_get_imaging_type(void* handle, int32_t* type);
VY_API bool palettor_set_fire_fighting(void* handle, bool on);

// --- filters ---------------------------------------------------------------

VY_API bool palettor_enable_image_process(void* handle, bool on);
VY_API bool palettor_enable_image_stabilization(void* handle, bool on);
// Makes the filter engine (OpenCL when usable, else CPU workers). True even
// without OpenCL.
VY_API bool palettor_init_image_process(void* handle);
VY_API bool palettor_set_stabilization_value(void* handle, int32_t small_step, int32_t mid_step, float factor);

// --- isotherms -------------------------------------------------------------

VY_API bool palettor_add_isotherm(void* handle, IsothermRecord record, int32_t* id);
VY_API bool palettor_add_isotherm_ex(void* handle, uint16_t low, uint16_t high, uint32_t colour,
                                     uint8_t mode, int32_t* id);
VY_API bool palettor_update_isotherm(void* handle, int32_t id, const IsothermRecord* record);
VY_API bool palettor_update_isotherm_ex(void* handle, int32_t id, uint16_t low, uint16_t high,
                                        uint32_t colour, uint8_t mode);
VY_API bool palettor_delete_isotherm(void* handle, int32_t id);
VY_API bool palettor_delete_all_isotherm(void* handle);
VY_API bool palettor_get_isotherm(void* handle, uint8_t index, int32_t* id, IsothermRecord* record);
VY_API bool palettor_get_isotherm_count(void* handle, uint8_t* count);

VY_EXTERN_C_END
