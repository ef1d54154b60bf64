// The object behind a wirereel handle: one camera stream, the document it
// feeds, and the library's own thread that runs the callbacks.
#pragma once

#include "ad_lookup.h"
#include "wirereel.h"

#include "doc_stack.h"
#include "streamnet.h"
#include "vy_base_object.h"
#include "vy_lock.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace wirereel {
namespace detail {

constexpr const char* kStreamTag = "wirereel.stream";

class CameraStream : public _VYBaseObject {
public:
    CameraStream();
    ~CameraStream() override;

    // Makes the camera stream, the document and the callback thread.
    bool init();
    // Ends the stream and joins the callback thread: no callback runs after
    // it. Called once, before the object is deleted, on another thread than
    // the callback thread.
    void shutdown();
    bool on_callback_thread() const { return std::this_thread::get_id() == callback_thread_.get_id(); }

    bool connect(const char* address);
    bool disconnect();
    void set_frame_callback(WirereelFrameCallback fn, void* user);
    void set_disconnect_callback(WirereelDisconnectCallback fn, void* user);
    bool capture_one_frame();

    void* doc() const { return stack_.doc(); }
    void* painter() const { return stack_.painter(); }
    void* camera() const { return camera_; }
    bool device_info(NvsDeviceInfo* info);
    bool set_len_and_meas_range(int32_t lens, int32_t range);
    bool save(const std::wstring& path, bool png, bool draw, bool append);

    // Calls of other threads inside the object; uninit waits for them.
    int calls = 0;

private:
    enum class State { kIdle, kConnecting, kConnected, kDropped };
    template <class Fn>
    struct Slot {
        Fn fn = nullptr;
        void* user = nullptr;
    };

    // What the callback thread needs of one frame, taken under mutex_.
    struct FrameJob {
        uint16_t width;
        uint16_t height;
        Selection selection;
        uint64_t connection;
        Slot<WirereelFrameCallback> slot;
    };

    static void on_link_state(NvsLinkState state, void* user);
    static void on_temperatures(float* temperatures, int32_t byte_length, void* user);
    static void on_command_finished(void* user, int32_t code);
    void callback_loop();
    void deliver_frame(const FrameJob& job);
    // Under operations_.
    bool prepare_document(const NvsDeviceInfo& info);
    bool select_in_document(Selection camera);
    void follow_camera_selection();

    // Serialises the operations that change the stream or the document.
    VyLock operations_{"wirereel operations"};
    const std::string calibration_file_;  // the calibration data beside the program
    void* camera_ = nullptr;
    docstack::DocStack stack_;
    bool calibrated_ = false;  // the document has loaded the calibration data
    Selection document_selection_;
    std::vector<uint16_t> captured_;

    // Everything below up to the newest frame is guarded by mutex_.
    std::mutex mutex_;
    std::condition_variable wake_;
    State state_ = State::kIdle;
    bool lost_while_connecting_ = false;
    bool stopping_ = false;
    bool drop_pending_ = false;
    bool frame_pending_ = false;
    bool camera_selection_changed_ = false;
    uint64_t connection_ = 0;  // counts connects
    uint16_t width_ = 0;
    uint16_t height_ = 0;
    Selection lookup_selection_;
    std::vector<float> incoming_;
    Slot<WirereelFrameCallback> frame_slot_;
    Slot<WirereelDisconnectCallback> disconnect_slot_;

    // The callback thread's own.
    std::thread callback_thread_;
    std::vector<float> temperatures_;
    std::vector<uint16_t> converted_;
    AdLookup lookup_;
    uint64_t refused_connection_ = 0;  // the connection whose odd frame size was logged

    // The newest converted frame; only the callback thread replaces it.
    std::mutex newest_mutex_;
    std::vector<uint16_t> newest_;
    uint16_t newest_width_ = 0;
    uint16_t newest_height_ = 0;
    uint64_t newest_connection_ = 0;
    bool newest_valid_ = false;
};

}  // namespace detail
}  // namespace wirereel
