// markpen: draws the analysis objects of one thermframe frame document over
// its picture, with labels, extremes, temperature marks, the palette bar,
// logo and text panels of exported pictures, and saves the finished picture
// as JPEG, PNG or national-grid (SGCC) picture with the document's
// radiometric data appended.
//
// A paint handle is bound to one thermframe frame handle for its life and
// must be released before the document is. Every export that takes a paint
// handle returns false (and logs under module "markpen") when the handle is
// not a live paint handle. Pictures are 32-bit RGB (0x00RRGGBB per pixel,
// rows without padding). Where an export writes into a caller's buffer, the
// length is the capacity on entry and the size written (or needed) on
// return; a null buffer answers the size. 8-bit texts and paths are UTF-8.
//
// Coordinates: image (pixels of the frame), rotated (after RotationAngle),
// window (rotated times the window scale factors).
#pragma once

#include "vyapi.h"
#include "vytypes.h"

#include <stdint.h>
#include <string>

VY_EXTERN_C_BEGIN

// --- Handle --------------------------------------------------------------------
VY_API bool markpen_init(void*& handle, void* frame);
// Clears the caller's variable; a second call returns false.
VY_API bool markpen_uninit(void*& handle);
// false: update draws no analysis objects.
VY_API bool markpen_set_all_ana_show(void* handle, bool show);

// --- Editing analysis objects with the mouse ---------------------------------------
// While analysis objects are hidden (markpen_set_all_ana_show false) the add
// modes and mouse events are ignored and still return true.
// The shape the next gestures draw: none (select, move and reshape the
// document's objects), point, line, ellipse (a circle about the press
// point), rectangle, polygon or polyline (a node per click, finished by a
// double click or by choosing another mode).
VY_API bool markpen_add_null_ana(void* handle);
VY_API bool markpen_add_point_ana(void* handle);
VY_API bool markpen_add_line_ana(void* handle);
VY_API bool markpen_add_ellipse_ana(void* handle);
VY_API bool markpen_add_rect_ana(void* handle);
VY_API bool markpen_add_poly_ana(void* handle);
VY_API bool markpen_add_polyline_ana(void* handle);
// Delete mode: gestures change nothing; the caller deletes the object that
// markpen_get_mouse_down_ana_str names. Entered even while objects are hidden.
VY_API bool markpen_set_delete_ana(void* handle);
VY_API bool markpen_is_delete_ana(void* handle, bool& on);
// on: a shape-adding mode is active.
VY_API bool markpen_has_added_ana(void* handle, bool& on);
// The analysis string of the last shape added to the document (empty before).
VY_API bool markpen_get_added_ana(void* handle, std::string& text);
// The object under the mouse and the part hit (the frame core's hit code:
// type plus part), ANA_ALL and an empty text when nothing is.
VY_API bool markpen_get_mouse_down_ana_str(void* handle, AnaType& code, std::string& text);
// Window pixels. The program sends a move to the press position before
// each press so that the hover test names the object pressed.
VY_API bool markpen_mouse_down(void* handle, int x, int y);
VY_API bool markpen_mouse_move(void* handle, int x, int y);
VY_API bool markpen_mouse_up(void* handle, int x, int y);
VY_API bool markpen_mouse_double_clicked(void* handle, int x, int y);
// Process-wide: true keeps the add mode after a finished shape, false goes
// back to mode none.
VY_API bool markpen_set_analysis_mode(bool keep);

// --- Process-wide logo ----------------------------------------------------------
// The image format is taken from the file's content; false leaves no logo.
VY_API bool markpen_set_logo(const std::string& path);
VY_API bool markpen_clear_logo();

// --- Sizes, rotation, zoom ----------------------------------------------------------
// Sizes of 0 or above 16384 are refused. The first image size also sets the
// window size while none was set.
VY_API bool markpen_set_image_size(void* handle, uint16_t width, uint16_t height);
VY_API bool markpen_set_wnd_size(void* handle, uint16_t width, uint16_t height);
VY_API bool markpen_get_wnd_size(void* handle, uint16_t& width, uint16_t& height);
// -1 to 4; anything else is refused.
VY_API bool markpen_set_rotation_angle(void* handle, RotationAngle angle);
VY_API bool markpen_get_rotation_angle(void* handle, RotationAngle& angle);
// 1 to 16; stored for the caller, it does not change the drawing.
VY_API bool markpen_set_zoom_factor(void* handle, ImageZoomFactor zoom);
VY_API bool markpen_get_zoom_factor(void* handle, ImageZoomFactor& zoom);

// --- Drawing ---------------------------------------------------------------------
// Reloads the frame's pixels when `reload` (or when none were read yet),
// composes the window picture and draws the overlays on it, with the shape
// being drawn or reshaped. `unused` has no effect.
VY_API bool markpen_update(void* handle, bool reload, bool unused);
// The window picture: width x height x 4 bytes.
VY_API bool markpen_get_bits(void* handle, unsigned char* buffer, unsigned int& length);
// The image-size picture in display orientation with the analysis objects,
// labels, extremes and marks (no palette bar, logo or panel).
VY_API bool markpen_get_org_bits(void* handle, unsigned char* buffer, unsigned int& length);

// --- Saving ------------------------------------------------------------------------
// The image-size picture; with `draw` the overlays, palette bar, logo and the
// caption box; with `append` the document's radiometric data is appended.
// The target file is replaced only once everything succeeded.
VY_API bool markpen_save_jpg_file(void* handle, const std::string& path,
                                  const std::string& caption, bool draw, bool append);
VY_API bool markpen_save_png_file(void* handle, const std::string& path,
                                  const std::string& caption, bool draw, bool append);
VY_API bool markpen_save_jpg_file_w(void* handle, const std::wstring& path,
                                    const std::string& caption, bool draw, bool append);
VY_API bool markpen_save_png_file_w(void* handle, const std::wstring& path,
                                    const std::string& caption, bool draw, bool append);
// National-grid picture: overlays, palette bar, logo and the parameter panel
// with the storage time ("yyyyMMddhhmmss") and caption; the national-grid
// block is appended.
VY_API bool markpen_save_sgcc_file(void* handle, const std::string& path,
                                   const std::string& time, const std::string& caption);
VY_API bool markpen_save_sgcc_file_w(void* handle, const std::wstring& path,
                                     const std::string& time, const std::string& caption);
// The window picture as last updated, with palette bar and logo; time,
// caption and the two flags are not used.
VY_API bool markpen_save_sgcc_file_ex(void* handle, const std::string& path,
                                      const std::string& time, const std::string& caption,
                                      bool flag1, bool flag2);
VY_API bool markpen_save_sgcc_file_ex_w(void* handle, const std::wstring& path,
                                        const std::string& time, const std::string& caption,
                                        bool flag1, bool flag2);

VY_EXTERN_C_END
