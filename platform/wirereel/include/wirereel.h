// wirereel: the live picture of one network thermal camera for the
// program's camera sources.
//
// A wirereel object holds one camera stream (streamnet), one frame document
// (thermframe) and one painter (markpen) over it; wirereel_get_ir_data and
// wirereel_get_ir_paint hand the two out and the caller never frees them.
// The camera's temperature frames arrive on the library's own thread, which
// turns each into the AD plane of the document's calibration and announces
// it through the frame callback; wirereel_capture_one_frame then copies the
// newest frame into the document. Lens, range, focus, zoom and correction
// requests go to the camera as its commands.
//
// Every function takes the object first (but init and uninit) and returns
// true on success; results come back through out-parameters. A null,
// foreign or freed object returns false and touches nothing.
//
// Callbacks run on the library's own thread, one at a time, never under a
// lock of the library. They may call any function of their object but
// wirereel_uninit (refused there); wirereel_disconnect from inside the
// disconnect callback is the expected use. Once wirereel_uninit returns no
// callback of that object runs any more.
#pragma once

#include "vyapi.h"
#include "vytypes.h"

#include <stdint.h>

#include <string>

// frame: the AD plane of the new frame, width x height values row by row,
// valid during the call only. When the callback is slower than the camera,
// frames that arrived meanwhile are skipped and only the newest is announced.
typedef void (*WirereelFrameCallback)(void* user, uint16_t* frame, uint16_t width, uint16_t height);
// The link to the camera dropped (not called for a wirereel_disconnect).
typedef void (*WirereelDisconnectCallback)(void* user);

VY_API bool wirereel_init(void** handle);
// Disconnects, frees the painter, the document and the stream, and clears
// the caller's variable. Waits for calls of other threads still inside.
VY_API bool wirereel_uninit(void** handle);

// Connects to the camera at a dotted IPv4 address; true once the camera
// described itself and the document has its size. A dropped or
// disconnected object connects again the same way.
VY_API bool wirereel_connect(void* handle, const char* address);
// Stops the stream; the object stays usable. True also when not connected.
VY_API bool wirereel_disconnect(void* handle);

// Each registration replaces the previous pair; a null function stops the
// calls. A call of the old pair already running may end after it returns.
VY_API bool wirereel_set_on_received_one_frame(void* handle, WirereelFrameCallback callback, void* user);
VY_API bool wirereel_set_cb_on_disconnected(void* handle, WirereelDisconnectCallback callback, void* user);

// Copies the newest received frame into the document; false when no frame
// has arrived since the last connect.
VY_API bool wirereel_capture_one_frame(void* handle);
VY_API bool wirereel_get_ir_data(void* handle, void*& doc);
VY_API bool wirereel_get_ir_paint(void* handle, void*& painter);

// The camera's hardware version text, e.g. "3.1.0": the part before the
// first "." is the major version. Known once the camera has connected.
VY_API bool wirereel_get_machine_hardware_version(void* handle, std::string& version);

// Switches the camera's lens and measuring range (a pair the camera lists);
// the document follows when its calibration has the pair.
VY_API bool wirereel_set_len_and_meas_range(void* handle, int32_t lens, int32_t range);
VY_API bool wirereel_is_support_len_pos(void* handle, bool& supported);
// Both fail when the camera cannot read and set its lens position.
VY_API bool wirereel_get_len_pos(void* handle, uint16_t& position);
VY_API bool wirereel_set_len_pos(void* handle, uint16_t position);
VY_API bool wirereel_get_len_adjust_method(void* handle, LenAdjustMethod& method);

// Focus motor, zoom motor and temperature correction: sent without waiting
// for the camera; true when the command went out.
VY_API bool wirereel_motor_forward(void* handle);
VY_API bool wirereel_motor_reverse(void* handle);
VY_API bool wirereel_motor_stop(void* handle);
VY_API bool wirereel_zoom_motor_forward(void* handle);
VY_API bool wirereel_zoom_motor_backword(void* handle);
VY_API bool wirereel_zoom_motor_stop(void* handle);
VY_API bool wirereel_temperature_correct(void* handle);

// Writes the document's current picture through the painter (see picfold:
// draw the overlays, append the radiometric block); false until the camera
// has connected once.
VY_API bool wirereel_save_jpg_file_w(void* handle, const std::wstring& path, bool draw, bool append);
VY_API bool wirereel_save_png_file_w(void* handle, const std::wstring& path, bool draw, bool append);
