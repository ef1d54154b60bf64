#include "camera_stream.h"

#include "wirereel_log.h"

#include "basekit.h"
#include "markpen.h"
#include "sensekern.h"

#include <cstring>

namespace wirereel {
namespace detail {

namespace {

// Until the first frame the document shows the camera's size at this temperature.
constexpr float kBlankTemperature = 20.0f;
constexpr std::size_t kMaxValues = static_cast<std::size_t>(SENSEKERN_MAX_SIDE) * SENSEKERN_MAX_SIDE;

std::string program_directory()
{
    char directory[4096];
    int length = sizeof(directory);
    if (vy_get_exe_path(directory, &length) != VY_OK) {
        return std::string();
    }
    return std::string(directory, static_cast<std::size_t>(length));
}

bool document_lenses(void* frame, std::vector<tagLenInfo>* lenses)
{
    unsigned char count = 0;
    if (!sensekern_get_supported_lens_info(frame, nullptr, &count) || count == 0) {
        return false;
    }
    lenses->resize(count);
    return sensekern_get_supported_lens_info(frame, lenses->data(), &count);
}

}  // namespace

CameraStream::CameraStream() : _VYBaseObject(kStreamTag), calibration_file_(program_directory() + "/ad_temp")
{
    const std::string directory = program_directory();
    // The reference is taken even without a folder, to balance the destructor.
    logline_init(directory.empty() ? nullptr : directory.c_str(), 7, 200);
}

CameraStream::~CameraStream()
{
    shutdown();
    logline_uninit();
}

bool CameraStream::init()
{
    if (!vy_nvs_init(&camera_, NVS_STREAM_IR)) {
        WR_ERROR("the camera stream can not be made");
        return false;
    }
    if (!vy_nvs_set_cb_one_temperature_frame_received(camera_, on_temperatures, this) ||
        !vy_nvs_set_cb_cmd_finished(camera_, on_command_finished, this) || !stack_.init("wirereel")) {
        WR_ERROR("the camera stream or its document can not be set up");
        return false;
    }
    callback_thread_ = std::thread(&CameraStream::callback_loop, this);
    return true;
}

void CameraStream::shutdown()
{
    // The stream goes first: once its threads are joined nothing wakes the
    // callback thread any more.
    if (camera_ != nullptr) {
        vy_nvs_uninit(&camera_);
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (callback_thread_.joinable()) {
        callback_thread_.join();
    }
}

void CameraStream::on_link_state(NvsLinkState state, void* user)
{
    if (state.event != NVS_LINK_DISCONNECTED && state.event != NVS_LINK_BROKEN) {
        return;
    }
    auto* self = static_cast<CameraStream*>(user);
    {
        std::lock_guard<std::mutex> lock(self->mutex_);
        if (self->state_ == State::kConnecting) {
            self->lost_while_connecting_ = true;
            return;
        }
        if (self->state_ != State::kConnected) {
            return;
        }
        // Both links report their end; the first one counts.
        self->state_ = State::kDropped;
        self->drop_pending_ = true;
        self->frame_pending_ = false;
    }
    self->wake_.notify_all();
}

void CameraStream::on_temperatures(float* temperatures, int32_t byte_length, void* user)
{
    auto* self = static_cast<CameraStream*>(user);
    if (byte_length < 0 || byte_length % 4 != 0 || (temperatures == nullptr && byte_length != 0)) {
        return;
    }
    const std::size_t count = static_cast<std::size_t>(byte_length) / 4;
    if (count > kMaxValues) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(self->mutex_);
        if (self->state_ != State::kConnected) {
            return;
        }
        // A frame not yet taken by the callback thread is replaced: only the
        // newest one matters.
        self->incoming_.assign(temperatures, temperatures + count);
        self->frame_pending_ = true;
    }
    self->wake_.notify_all();
}

void CameraStream::on_command_finished(void* user, int32_t code)
{
    if (code != NVS_CMD_LENS_RANGE_CHANGED) {
        return;
    }
    auto* self = static_cast<CameraStream*>(user);
    std::lock_guard<std::mutex> lock(self->mutex_);
    self->camera_selection_changed_ = true;
}

void CameraStream::callback_loop()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || drop_pending_ || frame_pending_; });
        if (stopping_) {
            return;
        }
        if (drop_pending_) {
            drop_pending_ = false;
            const Slot<WirereelDisconnectCallback> slot = disconnect_slot_;
            lock.unlock();
            WR_INFO("the link to the camera dropped");
            if (slot.fn != nullptr) {
                slot.fn(slot.user);
            }
            lock.lock();
            continue;
        }
        frame_pending_ = false;
        temperatures_.swap(incoming_);
        const FrameJob job{width_, height_, lookup_selection_, connection_, frame_slot_};
        lock.unlock();
        deliver_frame(job);
        lock.lock();
    }
}

void CameraStream::deliver_frame(const FrameJob& job)
{
    const std::size_t count = static_cast<std::size_t>(job.width) * job.height;
    if (temperatures_.size() != count) {
        if (refused_connection_ != job.connection) {
            refused_connection_ = job.connection;
            WR_ERROR("a frame of %zu values does not fit the camera's %ux%u; such frames are dropped",
                     temperatures_.size(), job.width, job.height);
        }
        return;
    }
    if (!lookup_.prepare(calibration_file_, job.selection)) {
        return;
    }
    converted_.resize(count);
    lookup_.convert(temperatures_.data(), count, converted_.data());
    {
        std::lock_guard<std::mutex> lock(newest_mutex_);
        if (job.connection != newest_connection_) {
            return;  // connected again meanwhile: the frame is of the old link
        }
        newest_.swap(converted_);
        newest_width_ = job.width;
        newest_height_ = job.height;
        newest_valid_ = true;
    }
    // Only this thread replaces the newest frame, so it stays put during the call.
    if (job.slot.fn != nullptr) {
        job.slot.fn(job.slot.user, newest_.data(), job.width, job.height);
    }
}

bool CameraStream::connect(const char* address)
{
    VyLockGuard guard(operations_);
    if (!guard) {
        return false;
    }
    if (address == nullptr || address[0] == '\0') {
        WR_ERROR("no camera address");
        return false;
    }
    // Links left from a dropped connection end first, while their events
    // are still ignored.
    vy_nvs_disconnect(camera_);
    uint64_t connection;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        state_ = State::kConnecting;
        lost_while_connecting_ = false;
        drop_pending_ = false;
        frame_pending_ = false;
        connection = ++connection_;
    }
    {
        std::lock_guard<std::mutex> lock(newest_mutex_);
        newest_connection_ = connection;
        newest_valid_ = false;
    }
    NvsDeviceInfo info;
    bool ok = vy_nvs_connect(camera_, address, on_link_state, this) && vy_nvs_get_device_info(camera_, &info) &&
              prepare_document(info);
    bool lost;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lost = lost_while_connecting_;
        ok = ok && !lost;
        state_ = ok ? State::kConnected : State::kIdle;
        if (ok) {
            width_ = info.width;
            height_ = info.height;
        }
    }
    if (!ok) {
        vy_nvs_disconnect(camera_);
        WR_ERROR("connect to camera %s failed%s", address, lost ? ": the link dropped" : "");
        return false;
    }
    WR_INFO("connected to camera %s, %ux%u, hardware %s", address, info.width, info.height, info.hardware_version);
    return true;
}

bool CameraStream::prepare_document(const NvsDeviceInfo& info)
{
    if (info.width == 0 || info.height == 0 || info.width > SENSEKERN_MAX_SIDE || info.height > SENSEKERN_MAX_SIDE) {
        WR_ERROR("the camera's size %ux%u is refused", info.width, info.height);
        return false;
    }
    void* frame = stack_.frame();
    if (!calibrated_) {
        if (!sensekern_load_calibration_file(frame, calibration_file_.c_str())) {
            WR_ERROR("calibration data %s can not be loaded", calibration_file_.c_str());
            return false;
        }
        calibrated_ = true;
    }
    if (!select_in_document(Selection{info.lens_index, info.meas_range})) {
        return false;
    }
    uint16_t blank = 0;
    if (!sensekern_get_ad_from_temperature(frame, kBlankTemperature, &blank)) {
        blank = 0;
    }
    // The document has the camera's size before the first frame arrives.
    const std::vector<uint16_t> plane(static_cast<std::size_t>(info.width) * info.height, blank);
    return sensekern_set_ad_frame(frame, plane.data(), info.width, info.height) && stack_.sync_image_size();
}

bool CameraStream::select_in_document(Selection camera)
{
    void* frame = stack_.frame();
    std::vector<tagLenInfo> lenses;
    Selection chosen;
    if (!document_lenses(frame, &lenses) || !choose_selection(lenses, camera, &chosen)) {
        WR_ERROR("the calibration data has no lens");
        return false;
    }
    if (chosen != camera) {
        WR_INFO("lens %d range %d of the camera is shown with lens %d range %d of the calibration", camera.lens,
                camera.range, chosen.lens, chosen.range);
    }
    if (chosen != document_selection_) {
        if (!sensekern_set_len_and_range(frame, chosen.lens, chosen.range) ||
            !sensekern_set_sensor_temp(frame, kSensorTemperature, kSensorTemperature, kSensorTemperature,
                                       kSensorTemperature, kSensorTemperature)) {
            WR_ERROR("lens %d range %d can not be selected in the document", chosen.lens, chosen.range);
            return false;
        }
        document_selection_ = chosen;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    lookup_selection_ = chosen;
    return true;
}

void CameraStream::follow_camera_selection()
{
    NvsDeviceInfo info;
    if (vy_nvs_get_device_info(camera_, &info)) {
        select_in_document(Selection{info.lens_index, info.meas_range});
    }
}

bool CameraStream::disconnect()
{
    VyLockGuard guard(operations_);
    if (!guard) {
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        state_ = State::kIdle;
        drop_pending_ = false;
        frame_pending_ = false;
    }
    return vy_nvs_disconnect(camera_);
}

void CameraStream::set_frame_callback(WirereelFrameCallback fn, void* user)
{
    std::lock_guard<std::mutex> lock(mutex_);
    frame_slot_ = {fn, user};
}

void CameraStream::set_disconnect_callback(WirereelDisconnectCallback fn, void* user)
{
    std::lock_guard<std::mutex> lock(mutex_);
    disconnect_slot_ = {fn, user};
}

bool CameraStream::capture_one_frame()
{
    VyLockGuard guard(operations_);
    if (!guard) {
        return false;
    }
    bool follow;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        follow = camera_selection_changed_;
        camera_selection_changed_ = false;
    }
    if (follow) {
        follow_camera_selection();
    }
    uint16_t width;
    uint16_t height;
    {
        std::lock_guard<std::mutex> lock(newest_mutex_);
        if (!newest_valid_) {
            return false;
        }
        captured_.assign(newest_.begin(), newest_.end());
        width = newest_width_;
        height = newest_height_;
    }
    return sensekern_set_ad_frame(stack_.frame(), captured_.data(), width, height) && stack_.sync_image_size();
}

bool CameraStream::device_info(NvsDeviceInfo* info)
{
    return vy_nvs_get_device_info(camera_, info);
}

bool CameraStream::set_len_and_meas_range(int32_t lens, int32_t range)
{
    VyLockGuard guard(operations_);
    if (!guard) {
        return false;
    }
    if (!vy_nvs_set_len_and_meas_range(camera_, lens, range)) {
        WR_ERROR("the camera refused lens %d range %d", lens, range);
        return false;
    }
    return !calibrated_ || select_in_document(Selection{lens, range});
}

bool CameraStream::save(const std::wstring& path, bool png, bool draw, bool append)
{
    VyLockGuard guard(operations_);
    if (!guard) {
        return false;
    }
    if (!calibrated_) {
        WR_ERROR("no picture to save before the camera connected");
        return false;
    }
    return png ? markpen_save_png_file_w(stack_.painter(), path, std::string(), draw, append)
               : markpen_save_jpg_file_w(stack_.painter(), path, std::string(), draw, append);
}

}  // namespace detail
}  // namespace wirereel
