// panmount: drives a pan-tilt head with Pelco-D frames over TCP.
//
// One handle holds one connection to one head. Commands are written at once
// and return true when the whole frame went out; the head's answers are read
// on the handle's own thread, which also runs the status callback. Every
// export checks its handle against the library's registry: a null, foreign or
// freed handle returns false and touches nothing.
#pragma once

#include "vyapi.h"

// Events of the status callback.
enum PtzStatusEvent {
    PTZ_EVENT_CONNECTED = 1,  // the link is up (from the handle's thread once connect succeeded)
    PTZ_EVENT_LINK_LOST = 2,  // the head closed the link or it broke; commands fail until a new connect
};

// Codes of vy_ptz_direction.
enum PtzDirection {
    PTZ_LEFT = 0,
    PTZ_UP = 1,
    PTZ_RIGHT = 2,
    PTZ_DOWN = 3,
    PTZ_LEFT_UP = 4,
    PTZ_LEFT_DOWN = 5,
    PTZ_RIGHT_UP = 6,
    PTZ_RIGHT_DOWN = 7,
    PTZ_STOP = 8,
};

enum {
    PANMOUNT_DEFAULT_PORT = 63230,  // TCP port of the head at the camera's address
    PANMOUNT_HEAD_ADDRESS = 1,      // Pelco-D address byte of the head
    PANMOUNT_MAX_SPEED = 63,        // speeds run from 0 to 63
    PANMOUNT_DEFAULT_SPEED = 47,    // pan and tilt speed until one is set
};

// Runs on the handle's thread, never under a lock of the library and never
// inside the call that started the operation. `event` is a PtzStatusEvent;
// for PTZ_EVENT_LINK_LOST `error` is the errno that broke the link, 0 when
// the head closed it. The three reserved values are 0. The result is ignored.
// The callback may call vy_ptz_disconnect and the commands of its handle, but
// not vy_ptz_connect or vy_ptz_uninit.
typedef bool (*PtzStatusCallback)(int event, int error, int reserved1, int reserved2, int reserved3,
                                  void* user);

VY_API bool vy_ptz_init(void** handle);

// Connects to the head at `address`: a dotted IPv4 address, optionally with
// ":port" (PANMOUNT_DEFAULT_PORT otherwise). Closes an earlier link of the
// handle first. Blocks until connected or failed (at most 3 seconds).
// `callback` may be null.
VY_API bool vy_ptz_connect(void* handle, const char* address, PtzStatusCallback callback, void* user);

// Closes the link; true also when there was none. Once it returns (called
// from any thread but the handle's own), no callback of that link runs any
// more; a requested disconnect reports no PTZ_EVENT_LINK_LOST.
VY_API bool vy_ptz_disconnect(void* handle);

// Starts moving in a PtzDirection at the stored speeds; PTZ_STOP stops.
VY_API bool vy_ptz_direction(void* handle, int direction);

// Store the pan or tilt speed (0 to 63) for the following movements; while
// the head moves, the movement is sent again at once with the new speed.
// Storing works without a link.
VY_API bool vy_ptz_horizontal_speed(void* handle, int speed);
VY_API bool vy_ptz_vertical_speed(void* handle, int speed);

// Preset numbers 1 to 255.
VY_API bool vy_ptz_set_preset(void* handle, int preset);
VY_API bool vy_ptz_goto_preset(void* handle, int preset);

VY_API bool vy_ptz_wiper_on(void* handle);
VY_API bool vy_ptz_wiper_off(void* handle);

// Disconnects and frees the handle and clears the caller's variable. No
// callback runs after it returns. Refused from inside the status callback.
VY_API bool vy_ptz_uninit(void** handle);
