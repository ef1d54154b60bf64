// picfold: still radiometric pictures for the program's picture sources.
//
// A picfold object owns one frame document (thermframe) and one painter
// (markpen) over it; picfold_get_ir_data and picfold_get_ir_paint hand them
// out and the caller never frees them. Loading a JPEG or PNG picture with
// the radiometric block, or a national-grid (SGCC) picture, makes the
// document show it; a picture without readable temperature data is refused
// so that the caller can show it as a plain image.
//
// Every function takes the object first (but init) and returns true on
// success; a null, foreign or freed object returns false and touches
// nothing. Paths are wide text; other texts are UTF-8. One object is used by
// one thread at a time; calls are serialised by the object's own lock.
#pragma once

#include "vyapi.h"

#include <string>

VY_API bool picfold_init(void*& handle);
// Frees the painter, the document and the frame, and clears the caller's variable.
VY_API bool picfold_uninit(void*& handle);

// with_view: the palette, palette type and imaging range stored with the
// picture are applied; false keeps the document's current ones. The
// picture's analysis objects replace the document's in either case. A
// refused file leaves the previous picture as it was.
VY_API bool picfold_load_file_w(void* handle, const std::wstring& path, bool with_view);
// Whether the loaded picture is a national-grid (SGCC) picture.
VY_API bool picfold_is_sgcc_file(void* handle, bool& sgcc);
VY_API bool picfold_get_ir_data(void* handle, void*& doc);
VY_API bool picfold_get_ir_paint(void* handle, void*& painter);

// true: the temperature parameters stored with a picture apply once it is
// loaded (and are restored at once on a loaded picture); false: the
// parameters set on the document are kept for the pictures loaded next.
VY_API bool picfold_set_use_temperature_para(void* handle, bool on);

// Capture time of the loaded picture as local "yyyyMMddhhmmss"; false when
// the picture has none.
VY_API bool picfold_get_storage_time(void* handle, std::string& text);

// Adds the analysis objects stored in the loaded picture to the document,
// with their stored aliases, colours and display settings; an object of
// the same string is replaced.
VY_API bool picfold_add_anas_saved_in_file(void* handle);
// The stored objects as one list string (empty when there are none).
VY_API bool picfold_get_anas_saved_in_file(void* handle, std::string& anas);

// Writes the document's picture through the painter: with draw the
// overlays, palette bar and caption; with append the radiometric block
// (frame, parameters, calibration, analysis objects, the document's user
// data and voice note). The target is replaced only when all succeeded.
VY_API bool picfold_save_jpg_file_w(void* handle, const std::wstring& path, const std::string& text,
                                    bool draw, bool append);
VY_API bool picfold_save_png_file_w(void* handle, const std::wstring& path, const std::string& text,
                                    bool draw, bool append);
