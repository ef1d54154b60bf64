// reelplay: playback of `.irv` recordings for the program's player sources.
//
// A reelplay object owns one frame document (thermframe) and one painter
// (markpen) over it; reelplay_get_ir_data and reelplay_get_ir_paint hand
// them out and the caller never frees them. Seeking loads a frame of the
// recording into the document. Frames count from 0.
//
// Marks: at most one per frame, a byte string of at most 65535 bytes
// without terminator. Added, changed and deleted marks are kept beside the
// recording in "<recording>.marks" (docs/formats.md), written through a
// temporary file, so the recording itself is never rewritten.
//
// Every function takes the object first (but init, uninit and the file
// check) and returns true on success; a null, foreign or freed object
// returns false and touches nothing. The object is called from several
// threads (interface, playback, clip writer, trend charts): every call is
// serialised by the object's own lock. Paths are wide text.
#pragma once

#include "vyapi.h"
#include "vytypes.h"

#include <stdint.h>

#include <string>

VY_API bool reelplay_init(void*& handle);
// Frees the painter, the document and the recording and clears the variable.
VY_API bool reelplay_uninit(void*& handle);

// Whether the file is a recording reelplay can open (at least one frame; a
// recording cut off before its end is recovered).
VY_API bool reelplay_is_valid_file_w(const std::wstring& path);
// Opens the recording with frame 0 as the document's content. A refused
// file leaves the recording open before as it was.
VY_API bool reelplay_load_file_w(void* handle, const std::wstring& path);
VY_API bool reelplay_get_ir_data(void* handle, void*& doc);
VY_API bool reelplay_get_ir_paint(void* handle, void*& painter);

VY_API bool reelplay_get_total_frames(void* handle, uint32_t& count);
VY_API bool reelplay_get_start_time(void* handle, tagTimeVal& time);
VY_API bool reelplay_get_end_time(void* handle, tagTimeVal& time);
VY_API bool reelplay_get_time_of_frame(void* handle, uint32_t frame, tagTimeVal& time);
// A frame at or past the frame count is refused and the current one stays.
VY_API bool reelplay_seek_frame(void* handle, uint32_t frame);
// The path of the open recording: UTF-8 (the narrow form) and wide.
VY_API bool reelplay_get_file(void* handle, std::string& path);
VY_API bool reelplay_get_file_w(void* handle, std::wstring& path);

// true: each frame converts at the parameters recorded with it; false: the
// parameters set on the document are kept from frame to frame.
VY_API bool reelplay_set_use_temperature_para(void* handle, bool on);

// The current frame as a picture (see picfold: draw, append).
VY_API bool reelplay_save_jpg_file_w(void* handle, const std::wstring& path, bool draw, bool append);
VY_API bool reelplay_save_png_file_w(void* handle, const std::wstring& path, bool draw, bool append);

// --- Marks ------------------------------------------------------------------------
VY_API bool reelplay_get_marks_count(void* handle, uint32_t& count);
// The index-th mark in frame order: its frame and length; with a buffer of
// at least length + 1 bytes the text and a terminating zero as well.
VY_API bool reelplay_get_mark_info_with_index(void* handle, uint32_t index, uint32_t& frame,
                                              uint16_t& length, unsigned char* buffer);
// false when the frame has no mark; a null buffer asks only the length.
VY_API bool reelplay_get_mark_info(void* handle, uint32_t frame, uint16_t& length,
                                   unsigned char* buffer);
// Refused when the frame already has a mark (add) or has none (update).
VY_API bool reelplay_add_mark_info(void* handle, uint32_t frame, uint16_t length,
                                   const unsigned char* text);
VY_API bool reelplay_update_mark_info(void* handle, uint32_t frame, uint16_t length,
                                      const unsigned char* text);
VY_API bool reelplay_delete_mark_info(void* handle, uint32_t frame);
