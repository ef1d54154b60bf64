// Exported encoder functions.
#include "clipenc.h"

#include "clipenc_log.h"
#include "h264_session.h"
#include "video_encoder.h"

#include "basekit.h"
#include "handle_registry.h"
#include "vy_base_object.h"

#include <string>

using namespace clipenc::detail;

namespace {

constexpr char kEncoderTag[] = "clipenc.VideoEncoder";

struct EncoderHandle : _VYBaseObject {
    EncoderHandle(VyVideoPacketCallback on_packet, VyVideoLogCallback on_log, void* user)
        : _VYBaseObject(kEncoderTag), encoder(on_packet, on_log, user)
    {
    }

    VideoEncoder encoder;
};

// Holds one reference of the library log for as long as it lives, so that
// messages of a failed init are written too.
struct LogReference {
    LogReference()
    {
        char directory[256];
        int length = sizeof(directory);
        logline_init(vy_get_exe_path(directory, &length) == VY_OK ? directory : nullptr, 7, 200);
    }
    ~LogReference() { logline_uninit(); }
    LogReference(const LogReference&) = delete;
    LogReference& operator=(const LogReference&) = delete;
};

struct LoggedEncoderHandle : LogReference, EncoderHandle {
    using EncoderHandle::EncoderHandle;
};

VideoEncoder* encoder_of(void* handle, const char* function)
{
    if (!_VYBaseObject::is_valid_handle(handle, kEncoderTag)) {
        CE_ERROR(nullptr, "%s: not an encoder handle", function);
        return nullptr;
    }
    return &static_cast<EncoderHandle*>(static_cast<_VYBaseObject*>(handle))->encoder;
}

}  // namespace

bool vy_video_encode_init(void** handle, VyVideoPacketCallback on_packet, VyVideoEncodeParam param,
                          VyVideoLogCallback on_log, void* user)
{
    LogReference log;
    if (handle == nullptr || on_packet == nullptr) {
        CE_ERROR(on_log, "encoder init needs a handle variable and a packet callback");
        return false;
    }
    *handle = nullptr;
    EncoderSettings settings;
    std::string error;
    if (!settings_from(param, &settings, &error)) {
        CE_ERROR(on_log, "encoder init refused: %s", error.c_str());
        return false;
    }
    if (!vy::create_handle<LoggedEncoderHandle>(handle, on_packet, on_log, user)) {
        CE_ERROR(on_log, "encoder init: out of memory");
        return false;
    }
    auto* object = static_cast<LoggedEncoderHandle*>(static_cast<_VYBaseObject*>(*handle));
    if (!object->encoder.start(settings)) {
        vy::destroy_handle(handle, kEncoderTag);
        return false;
    }
    return true;
}

bool vy_video_encode_data(void* handle, const unsigned char* data, int length)
{
    VideoEncoder* encoder = encoder_of(handle, __func__);
    return encoder != nullptr && encoder->submit(data, length);
}

bool vy_video_encode_force_key_frame(void* handle)
{
    VideoEncoder* encoder = encoder_of(handle, __func__);
    if (encoder == nullptr) {
        return false;
    }
    encoder->force_key_frame();
    return true;
}

bool vy_video_encode_flush(void* handle)
{
    VideoEncoder* encoder = encoder_of(handle, __func__);
    return encoder != nullptr && encoder->flush();
}

bool vy_video_encode_deinit(void** handle)
{
    if (handle == nullptr) {
        return false;
    }
    VideoEncoder* encoder = encoder_of(*handle, __func__);
    if (encoder == nullptr) {
        return false;
    }
    if (encoder->on_encoder_thread()) {
        CE_ERROR(encoder->log_callback(), "deinit refused inside the packet callback");
        return false;
    }
    return vy::destroy_handle(handle, kEncoderTag);
}
