// heatreel: validity test and thumbnail of `.irv` recordings for the start
// page, read with the same recording reader as reelplay.
#pragma once

#include "vyapi.h"

#include <string>

// Largest thumbnail side; a larger first frame is scaled down to fit.
enum { HEATREEL_MAX_THUMBNAIL_SIDE = 640 };

// Whether the file is a recording with at least one readable frame.
VY_API bool vy_ts_is_valid_file_w(const std::wstring& path);
// The first frame of the recording, coloured automatically. With a null
// buffer, width and height receive the thumbnail's size. With a buffer of
// width x height 32-bit ARGB pixels (0xAARRGGBB, alpha 255), width and
// height must be that size, else the call is refused; then the pixels
// are written.
VY_API bool vy_ts_get_thumbnail_bits_w(const std::wstring& path, int& width, int& height,
                                       unsigned char* bits);
