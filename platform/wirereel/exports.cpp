// The wirereel exports: handle and argument checks around CameraStream.
#include "wirereel.h"

#include "camera_stream.h"
#include "wirereel_log.h"

#include "handle_registry.h"

#include <condition_variable>
#include <exception>
#include <mutex>

using wirereel::detail::CameraStream;
using wirereel::detail::kStreamTag;

namespace {

// Calls inside an object are counted under this mutex, so that uninit can
// take the object out of the registry and wait until the last one left.
std::mutex& calls_mutex()
{
    static std::mutex mutex;
    return mutex;
}

std::condition_variable& calls_done()
{
    static std::condition_variable done;
    return done;
}

CameraStream* enter(void* handle, const char* function)
{
    std::lock_guard<std::mutex> lock(calls_mutex());
    if (!_VYBaseObject::is_valid_handle(handle, kStreamTag)) {
        WR_ERROR("%s: %p is not a camera stream", function, handle);
        return nullptr;
    }
    auto* stream = static_cast<CameraStream*>(static_cast<_VYBaseObject*>(handle));
    ++stream->calls;
    return stream;
}

void leave(CameraStream* stream)
{
    std::lock_guard<std::mutex> lock(calls_mutex());
    if (--stream->calls == 0) {
        calls_done().notify_all();
    }
}

template <class Body>
bool with_stream(void* handle, const char* function, Body body)
{
    CameraStream* stream = enter(handle, function);
    if (stream == nullptr) {
        return false;
    }
    bool ok = false;
    try {
        ok = body(*stream);
    } catch (const std::exception& e) {
        WR_ERROR("%s: %s", function, e.what());
    }
    leave(stream);
    return ok;
}

bool send_plain(void* handle, const char* function, bool (*command)(void*))
{
    return with_stream(handle, function, [&](CameraStream& s) {
        const bool ok = command(s.camera());
        WR_INFO("%s: %d", function, ok);
        return ok;
    });
}

bool save(void* handle, const char* function, const std::wstring& path, bool png, bool draw, bool append)
{
    if (path.empty() || path.find(L'\0') != std::wstring::npos) {
        WR_ERROR("%s: no path", function);
        return false;
    }
    return with_stream(handle, function, [&](CameraStream& s) { return s.save(path, png, draw, append); });
}

}  // namespace

bool wirereel_init(void** handle)
{
    if (handle == nullptr) {
        return false;
    }
    *handle = nullptr;
    void* made = nullptr;
    try {
        if (!vy::create_handle<CameraStream>(&made)) {
            return false;
        }
        if (!static_cast<CameraStream*>(static_cast<_VYBaseObject*>(made))->init()) {
            vy::destroy_handle(&made, kStreamTag);
            return false;
        }
    } catch (const std::exception& e) {
        WR_ERROR("wirereel_init: %s", e.what());
        if (made != nullptr) {
            vy::destroy_handle(&made, kStreamTag);
        }
        return false;
    }
    *handle = made;
    return true;
}

bool wirereel_uninit(void** handle)
{
    if (handle == nullptr) {
        return false;
    }
    CameraStream* stream;
    {
        std::unique_lock<std::mutex> lock(calls_mutex());
        if (!_VYBaseObject::is_valid_handle(*handle, kStreamTag)) {
            return false;
        }
        stream = static_cast<CameraStream*>(static_cast<_VYBaseObject*>(*handle));
        if (stream->on_callback_thread()) {
            // Joining the callback thread from itself would never return.
            WR_ERROR("wirereel_uninit is refused inside a callback of its stream");
            return false;
        }
        vy::unregister_handle(*handle, kStreamTag);
        calls_done().wait(lock, [stream] { return stream->calls == 0; });
    }
    stream->shutdown();
    delete stream;
    *handle = nullptr;
    return true;
}

bool wirereel_connect(void* handle, const char* address)
{
    return with_stream(handle, __func__, [&](CameraStream& s) { return s.connect(address); });
}

bool wirereel_disconnect(void* handle)
{
    return with_stream(handle, __func__, [](CameraStream& s) { return s.disconnect(); });
}

bool wirereel_set_on_received_one_frame(void* handle, WirereelFrameCallback callback, void* user)
{
    return with_stream(handle, __func__, [&](CameraStream& s) {
        s.set_frame_callback(callback, user);
        return true;
    });
}

bool wirereel_set_cb_on_disconnected(void* handle, WirereelDisconnectCallback callback, void* user)
{
    return with_stream(handle, __func__, [&](CameraStream& s) {
        s.set_disconnect_callback(callback, user);
        return true;
    });
}

bool wirereel_capture_one_frame(void* handle)
{
    return with_stream(handle, __func__, [](CameraStream& s) { return s.capture_one_frame(); });
}

bool wirereel_get_ir_data(void* handle, void*& doc)
{
    return with_stream(handle, __func__, [&](CameraStream& s) {
        doc = s.doc();
        return doc != nullptr;
    });
}

bool wirereel_get_ir_paint(void* handle, void*& painter)
{
    return with_stream(handle, __func__, [&](CameraStream& s) {
        painter = s.painter();
        return painter != nullptr;
    });
}

bool wirereel_get_machine_hardware_version(void* handle, std::string& version)
{
    return with_stream(handle, __func__, [&](CameraStream& s) {
        NvsDeviceInfo info;
        if (!s.device_info(&info)) {
            return false;
        }
        version = info.hardware_version;
        return true;
    });
}

bool wirereel_set_len_and_meas_range(void* handle, int32_t lens, int32_t range)
{
    return with_stream(handle, __func__, [&](CameraStream& s) { return s.set_len_and_meas_range(lens, range); });
}

bool wirereel_is_support_len_pos(void* handle, bool& supported)
{
    return with_stream(handle, __func__, [&](CameraStream& s) {
        NvsDeviceInfo info;
        if (!s.device_info(&info)) {
            return false;
        }
        supported = info.lens_position_supported;
        return true;
    });
}

bool wirereel_get_len_pos(void* handle, uint16_t& position)
{
    return with_stream(handle, __func__, [&](CameraStream& s) {
        int32_t value = 0;
        if (!vy_nvs_get_len_pos(s.camera(), &value)) {
            return false;
        }
        if (value < 0 || value > 65535) {
            WR_ERROR("lens position %d is outside 0 to 65535", value);
            return false;
        }
        position = static_cast<uint16_t>(value);
        return true;
    });
}

bool wirereel_set_len_pos(void* handle, uint16_t position)
{
    return with_stream(handle, __func__, [&](CameraStream& s) { return vy_nvs_set_len_pos(s.camera(), position); });
}

bool wirereel_get_len_adjust_method(void* handle, LenAdjustMethod& method)
{
    return with_stream(handle, __func__, [&](CameraStream& s) {
        NvsDeviceInfo info;
        if (!s.device_info(&info)) {
            return false;
        }
        if (info.lens_adjust_method > LEN_ADJUST_CONTINUOUS) {
            WR_ERROR("lens adjust method %u is unknown", info.lens_adjust_method);
            return false;
        }
        method = static_cast<LenAdjustMethod>(info.lens_adjust_method);
        return true;
    });
}

bool wirereel_motor_forward(void* handle)
{
    return send_plain(handle, __func__, vy_nvs_motor_forward);
}

bool wirereel_motor_reverse(void* handle)
{
    return send_plain(handle, __func__, vy_nvs_motor_backward);
}

bool wirereel_motor_stop(void* handle)
{
    return send_plain(handle, __func__, vy_nvs_motor_stop);
}

bool wirereel_zoom_motor_forward(void* handle)
{
    return send_plain(handle, __func__, vy_nvs_zoom_motor_forward);
}

bool wirereel_zoom_motor_backword(void* handle)
{
    return send_plain(handle, __func__, vy_nvs_zoom_motor_backward);
}

bool wirereel_zoom_motor_stop(void* handle)
{
    return send_plain(handle, __func__, vy_nvs_zoom_motor_stop);
}

bool wirereel_temperature_correct(void* handle)
{
    return send_plain(handle, __func__, vy_nvs_temperature_correct);
}

bool wirereel_save_jpg_file_w(void* handle, const std::wstring& path, bool draw, bool append)
{
    return save(handle, __func__, path, false, draw, append);
}

bool wirereel_save_png_file_w(void* handle, const std::wstring& path, bool draw, bool append)
{
    return save(handle, __func__, path, true, draw, append);
}
