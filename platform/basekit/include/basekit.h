// Common services of the Pyravue libraries and program: analysis-object
// strings, compression codecs, line and ellipse geometry, hit tests, the
// program directory and alarm formulas. Every function returns 0 on success
// (the formula engine excepted, see there); out-values are valid only on
// success.
//
// Length arguments follow one rule: on entry the capacity of the caller's
// buffer, on return the size written (or, after a refusal for lack of room,
// the size needed). A call with a null buffer answers the size only.
#pragma once

#include "vyapi.h"
#include "vytypes.h"

#include <stddef.h>
#include <stdint.h>

enum BasekitResult {
    VY_OK = 0,
    VY_ERR_ARGUMENT = 1,  // null pointer, out-of-range value, malformed text
    VY_ERR_CAPACITY = 2,  // the output does not fit; the length holds the size needed
    VY_ERR_DATA = 3,      // corrupt or truncated input
    VY_ERR_NOT_SHRINK = 4 // the high/low form would not be smaller than the raw plane
};

// --- Analysis-object strings ------------------------------------------------
// One object: type letter (P point, L line, E ellipse, R rectangle, A polygon,
// S polyline), ':', each node as "x,y;" in decimal (0..65535), '-', then an
// optional index or alias part (no ':' or ';'). Example: "L:3,4;10,12;-L1".
// A list string is objects run together. One object is at most 1023
// characters; a longer one is refused, never cut.

VY_API int vy_parse_ana_type_of_char(char letter, AnaType* type);
VY_API int vy_format_ana_str(AnaType type, const tagVYPoint* nodes, int count, char* buffer,
                             int* length);
// The index part of the index-th object (from 1) of a type, e.g. "R3".
VY_API int vy_format_ana_index(AnaType type, int index, char* buffer, int* length);
VY_API int vy_parse_pts_from_ana_str(const char* text, tagVYPoint* nodes, int* count);
// The nodes as the frame document and the overlay read them: after a node's
// semicolon, a tail of fewer than four characters (too short for another
// node) ends the list whatever it holds; the rest is parsed as by
// vy_parse_pts_from_ana_str.
VY_API int vy_parse_nodes_of_ana_str(const char* text, tagVYPoint* nodes, int* count);
// The text after the node list's minus sign (may be empty).
VY_API int vy_parse_alias_of_ana_str(const char* text, char* buffer, int* length);
VY_API int vy_parse_anas_count_of_anas_str(const char* text, int* count);
// Iterate a list string. *position starts at 0 and is advanced past each
// object returned; a non-zero result ends the iteration (VY_ERR_DATA when the
// rest is malformed, VY_ERR_ARGUMENT at the end of the text).
VY_API int vy_get_first_ana_from_anas_str(const char* text, int* position, char* buffer,
                                          int* length);
VY_API int vy_get_next_ana_from_anas_str(const char* text, int* position, char* buffer,
                                         int* length);

// --- Geometry --------------------------------------------------------------
// Pixels of the segment from..to (Bresenham, both ends included).
VY_API int vy_calc_pts_in_line(tagVYPoint from, tagVYPoint to, tagVYPoint* points, int* count);
// Row runs of the ellipse inscribed in the box of the two corners.
VY_API int vy_calc_lines_in_ellipse(tagVYPoint corner1, tagVYPoint corner2, tagVYRun* runs,
                                    int* count);
// 0 when (x, y) lies within r pixels of (px, py).
VY_API int vy_pt_hit_pt(int x, int y, int px, int py, int r);
// 0 when (x, y) lies within r pixels of the segment (x1, y1)-(x2, y2).
VY_API int vy_pt_hit_line(int x, int y, int x1, int y1, int x2, int y2, int r);

// --- Compression -------------------------------------------------------------
// LZ77 of the calibration script. The compressor's output capacity is
// `length` bytes (the input size); it fails with VY_ERR_CAPACITY rather than
// write past it. *bits receives the compressed size in bits.
VY_API int vy_lz77_compress(const void* data, int length, void* out, uint32_t* bits);
// *length: output capacity on entry, bytes produced on return.
VY_API int vy_lz77_uncompress(const void* data, uint32_t bits, void* out, uint32_t* length);

// High/low codec of raw AD planes. Layout: the N low bytes, then pairs
// (run count 1..255, high byte) whose run counts sum to N. The output for N
// values is always below 2N bytes: data that would not shrink is refused with
// VY_ERR_NOT_SHRINK and the caller stores the plane uncompressed.
// *length: output capacity on entry, bytes written on return.
VY_API int vy_high_low_compress(const uint16_t* plane, int count, uint8_t* out, uint32_t* length);
VY_API int vy_high_low_uncompress(uint32_t length, const uint8_t* data, uint16_t* plane, int count);
// Largest output of vy_high_low_compress for `count` values.
VY_API uint32_t vy_high_low_bound(int count);

// --- Input files ---------------------------------------------------------------
// Opens an existing regular file for reading (close-on-exec) without waiting
// on a named pipe or device, which are refused. *fd is the caller's to close;
// *size (may be null) the file's size. VY_ERR_DATA when the file cannot be
// opened or is not a regular file (errno tells why).
VY_API int vy_open_input_file(const char* path, int* fd, uint64_t* size);

// --- Temporary files of saves ---------------------------------------------------
// A save writes "<name>.XXXXXX" (hidden: ".<name>.XXXXXX", six letters or
// digits) beside its target and renames it over the target when complete.
// A hidden temporary file may itself be the target of a second save (a
// picture gets its data appended through one), which makes
// "..<name>.XXXXXX.YYYYYY". Names longer than VY_TEMP_NAME_WHOLE bytes are
// cut to at most VY_TEMP_NAME_CUT bytes (at a character boundary) in
// temporary names, so that both levels stay within the file system's limit
// of 255 bytes.
#define VY_TEMP_NAME_WHOLE 120
#define VY_TEMP_NAME_CUT 100
// Writes the mkstemp() pattern of a hidden temporary file beside `target`
// ("<folder>/.<name>.XXXXXX", the name cut as above) into `pattern`, whose
// capacity is `size` bytes. VY_ERR_ARGUMENT when it does not fit.
VY_API int vy_temp_file_pattern(const char* target, char* pattern, size_t size);
// Removes the regular files of either level that an interrupted save of
// `target` left, those unchanged for VY_STALE_TEMP_SECONDS; *removed (may be
// null) counts them. Links and folders are never removed.
#define VY_STALE_TEMP_SECONDS 600
VY_API int vy_remove_stale_temp_files(const char* target, int hidden, int* removed);

// --- Program and conversions -------------------------------------------------
// Directory of the running program, without a trailing slash.
VY_API int vy_get_exe_path(char* buffer, int* length);
// AD value that stands for a temperature of a national-grid picture:
// (t + 273.15) * 40, rounded and clamped to 0..65535 (0.025 degree steps).
VY_API int vy_get_ad_from_temp_national_grid(float temperature, uint16_t* ad);
VY_API int vy_timeval_to_msec(const tagTimeVal* time, int64_t* msec);

// --- Alarm formulas --------------------------------------------------------------
// Unlike the rest of this header, the three engine functions return true on
// success. A formula is one Lua 5.1 expression over numbers: parentheses,
// math.abs, math.max, math.min, and, or, not, + - * /, comparisons; the
// word EnvTemp is the ambient temperature set below (until it is set, a
// formula that names it fails). A decimal comma outside every bracket
// ("35,5") reads as a point. Formulas are untrusted: they run in a sandbox
// without libraries, under an instruction limit and a memory cap. Each
// formula shape is compiled once; its numbers change from call to call
// without a new compilation. Calls on one handle are serialised.
VY_API bool vy_calc_formula_init(void** handle);
// Clears the caller's variable; false for a null, foreign or freed handle.
VY_API bool vy_calc_formula_uninit(void** handle);
// True when the formula could be evaluated to a boolean, which goes to
// *result. False when it is refused, does not compile, fails while running
// or yields anything else (a number, nil); *result is then false.
VY_API bool vy_calc_formula_bool(void* handle, const char* formula, bool* result);
VY_API bool vy_calc_formula_set_env_temp(void* handle, double temperature);

// Replaces every whole occurrence of `token` (an alias and its feature, such
// as "R01:Max") in `text` by the value written with one decimal and a point,
// in parentheses when negative ("(-5.0)"), so that a minus before it cannot
// make a comment. Whole means that no letter, digit, '_' or byte of a UTF-8
// sequence touches the token on either side: "A:Max" is not found inside
// "BA:Max" nor "A:Maximum". VY_ERR_ARGUMENT for an empty token or a value
// that is not finite.
VY_API int vy_replace_formula_token(const char* text, const char* token, double value, char* buffer,
                                    int* length);
