// clipenc: an H.264 encoder for rendered pictures. RGB32 frames go in (four
// bytes per pixel in the order blue, green, red, unused, top row first, as
// markpen renders them); an Annex-B elementary stream comes out, one packet
// per frame, through a callback on the encoder's own thread.
//
// Every export checks its handle against the library's registry: a null,
// foreign or freed handle returns false and touches nothing.
#pragma once

#include "vyapi.h"

#include <cstdint>

// The parameter block, eight 32-bit words passed by value.
struct VyVideoEncodeParam {
    int32_t width;         // pixels, 16 to 4096 (at most 9,437,184 pixels in all)
    int32_t height;        // pixels, 16 to 4096
    int32_t input_format;  // 0: RGB32 as above (the only format)
    int32_t key_seconds;   // seconds between key frames, 0 to 3600; 0: only the first and requested ones
    int32_t bit_rate;      // target bits per second, 1 to 100,000,000
    int32_t reserved1;     // ignored
    int32_t fps;           // frames per second, 1 to 240; written into the stream's timing information
    int32_t reserved2;     // ignored
};
static_assert(sizeof(VyVideoEncodeParam) == 32, "the parameter block is eight 32-bit words");

// Flags of a packet.
enum VyVideoPacketFlags {
    // The packet starts with SPS and PPS followed by an IDR picture: a file
    // or a decoder may start here.
    VY_VIDEO_PACKET_KEY = 1,
};

// One encoded frame: the NAL units with four-byte start codes. Runs on the
// encoder's thread, never inside vy_video_encode_data and never under a lock
// of the library; `data` lives only during the call. It may call
// vy_video_encode_data and vy_video_encode_force_key_frame of its handle;
// flush and deinit are refused there.
typedef void (*VyVideoPacketCallback)(const unsigned char* data, int size, int flags, void* user);

// Messages of the encoder: `level` is 1 for information and 4 for errors
// (as the program's log). Runs on the thread that met the condition, never
// under a lock of the library; it must not call back into the library.
typedef void (*VyVideoLogCallback)(int level, const char* text);

// Checks the parameters and opens the encoder. False (and the handle null)
// with a log line when a parameter is out of range or the encoder cannot
// start; the process is never ended. `on_log` and `user` may be null.
VY_API bool vy_video_encode_init(void** handle, VyVideoPacketCallback on_packet, VyVideoEncodeParam param,
                                 VyVideoLogCallback on_log, void* user);

// Converts one frame of width x height x 4 bytes and queues it for encoding;
// the bytes stay the caller's. Never waits for the encoder: false when the
// length is wrong or the queue (8 frames) is full, and the frame is not
// counted. Frames are encoded and delivered in the order they were queued,
// each as exactly one packet, so the stream's declared rate holds.
VY_API bool vy_video_encode_data(void* handle, const unsigned char* data, int length);

// The next frame queued after this call is encoded as an IDR picture with
// SPS and PPS in front (VY_VIDEO_PACKET_KEY): call it when a new file opens.
VY_API bool vy_video_encode_force_key_frame(void* handle);

// Waits until every frame queued so far has been encoded and its packet
// delivered (at most 10 seconds), so that a file can be closed with all its
// frames. The caller must not hold a lock that the packet callback takes;
// refused on the encoder's thread.
VY_API bool vy_video_encode_flush(void* handle);

// Stops the encoder, drops frames not encoded yet, frees the handle and
// clears the caller's variable. No callback runs after it returns, so it
// waits for a packet callback in progress: a caller whose callback takes a
// lock calls flush first and deinit without holding that lock. Refused on the
// encoder's thread.
VY_API bool vy_video_encode_deinit(void** handle);
