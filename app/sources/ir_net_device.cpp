#include "sources/ir_net_device.h"

#include "alarms/warning_condition.h"
#include "charts/manager_chart_trend.h"
#include "markpen.h"
#include "shell/data_config.h"
#include "sources/camera_streams.h"
#include "sources/handle_ids.h"
#include "sources/record_settings.h"
#include "sources/thread_capture.h"
#include "sources/thread_delete_irv.h"
#include "sources/thread_net_device_show.h"
#include "sources/thread_real_capture.h"
#include "thermframe.h"
#include "views/wnd_ir_show.h"
#include "wirereel.h"

#include <QDateTime>
#include <QLoggingCategory>
#include <QTimer>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

namespace {

// A new range is taken once the same choice stood for this many frames
// after its first sighting.
constexpr int kRangeConfirmFrames = 50;
constexpr int kLenPosPollMs = 300;

}  // namespace

IRNetDevice::IRNetDevice(WndIRShow* owner) : IRBase(owner)
{
    m_n_ir_type = 3;
    m_timer_len_pos = new QTimer(this);
    m_timer_len_pos->setInterval(kLenPosPollMs);
    connect(this, &IRNetDevice::sig_update_ctrl_with_frame, this, &IRNetDevice::slot_update_ctrl_with_frame,
            Qt::QueuedConnection);
    connect(m_timer_len_pos, &QTimer::timeout, this, &IRNetDevice::slot_update_len_pos);
    if (owner != nullptr) {
        connect(this, &IRNetDevice::sig_capture_status, owner, &WndIRShow::sig_capture_status);
        connect(this, &IRNetDevice::sig_stop_capture, owner, &WndIRShow::sig_stop_capture);
    }
    // A recorder that ends by itself is joined on this object's thread.
    connect(this, &IRNetDevice::sig_stop_capture, this, &IRNetDevice::slot_stop_capture, Qt::QueuedConnection);
    m_delete_irv = new ThreadDeleteIRV;
    connect(this, &IRNetDevice::sig_delete_old_video, m_delete_irv, &ThreadDeleteIRV::slot_delete_old_video);
    connect(m_delete_irv, &ThreadDeleteIRV::sig_stop_capture, this, &IRNetDevice::slot_stop_capture);
    connect(m_delete_irv, &ThreadDeleteIRV::sig_capture_status, this, &IRNetDevice::sig_capture_status);
}

IRNetDevice::~IRNetDevice()
{
    qCInfo(lc_source) << "~IRNetDevice 1";
    m_closing.store(true);
    m_timer_len_pos->stop();
    destroy_record_thread();
    // The frame thread uses the stream, so it is joined first; a frame
    // callback may still be running until the stream is released, so the
    // thread object it notifies is freed only after that.
    if (m_thread_show != nullptr) {
        m_thread_show->stop();
    }
    delete m_delete_irv;
    m_delete_irv = nullptr;
    stop_timer();
    m_connected.store(false);
    leave_trends();
    qCInfo(lc_source) << "~IRNetDevice 1.5";
    release_stream();
    delete m_thread_show;
    m_thread_show = nullptr;
    qCInfo(lc_source) << "~IRNetDevice 2";
}

void* IRNetDevice::get_ir_data() const
{
    void* doc = nullptr;
    return m_stream != nullptr && wirereel_get_ir_data(m_stream, doc) ? doc : nullptr;
}

void* IRNetDevice::get_ir_paint() const
{
    void* painter = nullptr;
    return m_stream != nullptr && wirereel_get_ir_paint(m_stream, painter) ? painter : nullptr;
}

void IRNetDevice::leave_trends()
{
    const int id = m_n_trend_id.exchange(0);
    if (id != 0) {
        ManagerChartTrend::instance()->unregister_ir_source(id);
        ManagerChartTrend::instance()->remove_ir_from_charts(id);
    }
}

void IRNetDevice::release_stream()
{
    if (m_stream == nullptr) {
        return;
    }
    wirereel_set_on_received_one_frame(m_stream, nullptr, nullptr);
    wirereel_set_cb_on_disconnected(m_stream, nullptr, nullptr);
    wirereel_disconnect(m_stream);
    wirereel_uninit(&m_stream);
    m_stream = nullptr;
}

bool IRNetDevice::open_net_device(const QString& sn, const QString& ip, const QString& discover_mac, int stream_id)
{
    void* stream = camera_streams().take(stream_id);
    if (stream == nullptr) {
        qCWarning(lc_source) << "open_net_device: no connected stream under id" << stream_id;
        return false;
    }
    return open_stream(sn, ip, discover_mac, stream);
}

bool IRNetDevice::open_stream(const QString& sn, const QString& ip, const QString& discover_mac, void* stream)
{
    m_sn = sn;
    m_ip = ip;
    m_discover_mac = discover_mac;
    m_str_file_path = sn + QLatin1Char(';') + ip;
    if (m_stream != nullptr && m_stream != stream) {
        leave_trends();
        release_stream();
    }
    m_stream = stream;
    thermframe_enable_image_process(get_ir_data(), false);
    // The frame callback notifies this thread: it exists before the callback.
    if (m_thread_show == nullptr) {
        m_thread_show = new ThreadNetDeviceShow(this);
        m_thread_show->start();
    }
    wirereel_set_on_received_one_frame(m_stream, &IRNetDevice::on_received_one_frame, this);
    wirereel_set_cb_on_disconnected(m_stream, &IRNetDevice::cb_disconnected, this);
    const int trend_id = library_ids().id_of(m_stream);
    ManagerChartTrend::instance()->register_ir_source(trend_id, this);
    m_n_trend_id.store(trend_id);
    uint16_t width = 0;
    uint16_t height = 0;
    if (!thermframe_get_show_resolution(get_ir_data(), width, height) || width == 0 || height == 0) {
        // Nothing may call back into this source, nor a chart sample it,
        // for a stream it let go.
        leave_trends();
        release_stream();
        qCWarning(lc_source) << "failed get_ir_resolution";
        return false;
    }
    read_ir_size();
    update_image_size();
    if (m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_update_cur_ana(0);
        emit m_p_wnd_ir_show->sig_update_ir_param_info();
        emit m_p_wnd_ir_show->sig_update_ir_temp_info();
    }
    load_lens_ranges();
    start_chart_refresh();
    // Alarm conditions are checked by the frame thread; a child object, so
    // they go only after the destructor has joined that thread.
    if (m_p_warning_condition != nullptr) {
        m_p_warning_condition->set_frame(get_ir_data());
    } else {
        m_p_warning_condition = new WarningCondition(get_ir_data(), this);
    }
    start_timer();
    std::string version;
    // Asked again at every open: the camera found again at the address may
    // be another one.
    m_b_cooled.store(wirereel_get_machine_hardware_version(m_stream, version) &&
                     major_version(QString::fromStdString(version)) == 3);
    if (m_b_cooled.load() && is_wait_cold() && m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_show_wait_cold_wnd();
    }
    m_connected.store(true);
    return true;
}

int IRNetDevice::major_version(const QString& version)
{
    const int dot = version.indexOf(QLatin1Char('.'));
    bool ok = false;
    const int major = (dot < 0 ? version : version.left(dot)).toInt(&ok, 10);
    return ok ? major : 0;
}

void IRNetDevice::on_received_one_frame(void* user, uint16_t*, uint16_t, uint16_t)
{
    auto* self = static_cast<IRNetDevice*>(user);
    if (self == nullptr) {
        return;
    }
    self->m_frame_count.fetch_add(1);
    if (self->m_thread_show != nullptr) {
        self->m_thread_show->notify_frame();
    }
}

void IRNetDevice::process_frame()
{
    wirereel_capture_one_frame(m_stream);
    {
        QMutexLocker lock(&m_record_mutex);
        if (m_thread_real_capture != nullptr) {
            m_thread_real_capture->notify_frame();
        }
    }
    if (m_closing.load() || !m_connected.load()) {
        return;
    }
    emit sig_update_ctrl_with_frame();
    check_warning_and_snap();
    ManagerChartTrend::instance()->notify_trend_frame(m_n_trend_id.load(), 0);
    uint16_t x = 0;
    uint16_t y = 0;
    uint16_t ad = 0;
    float max_temp = 0.0f;
    if (thermframe_get_max_temp(get_ir_data(), x, y, ad, max_temp)) {
        check_temp_range(max_temp);
    }
}

int IRNetDevice::choose_range(const std::vector<RangeInfo>& ranges, float frame_max)
{
    if (ranges.empty()) {
        return -1;
    }
    for (const RangeInfo& info : ranges) {
        if (info.max_temp - 0.5f > frame_max) {
            return info.range;
        }
    }
    return ranges.back().range;
}

void IRNetDevice::set_lens_ranges(int lens_type, int current_range, const std::vector<RangeInfo>& ranges)
{
    QMutexLocker lock(&m_range_mutex);
    m_len_ranges[lens_type] = ranges;
    m_n_len_type = lens_type;
    m_n_meas_range = current_range;
    m_n_meas_range_next = current_range;
    m_n_range_count = 0;
}

int IRNetDevice::current_range() const
{
    QMutexLocker lock(&m_range_mutex);
    return m_n_meas_range;
}

bool IRNetDevice::set_len_and_meas_range(int len_type, int range)
{
    QMutexLocker lock(&m_range_mutex);
    if (m_stream == nullptr ||
        !wirereel_set_len_and_meas_range(m_stream, static_cast<LenType>(len_type), static_cast<MeasRange>(range))) {
        return false;
    }
    m_n_len_type = len_type;
    m_n_meas_range = m_n_meas_range_next = range;
    m_n_range_count = 0;
    m_b_range_set = true;
    m_n_range_wait = 0;
    return true;
}

bool IRNetDevice::check_temp_range(float frame_max)
{
    QMutexLocker lock(&m_range_mutex);
    const auto lens = m_len_ranges.find(m_n_len_type);
    if (!m_b_auto_temp_range || lens == m_len_ranges.end()) {
        return false;
    }
    int choice = choose_range(lens->second, frame_max);
    if (choice < 0) {
        choice = m_n_meas_range;
    }
    if (choice != m_n_meas_range_next) {
        m_n_meas_range_next = choice;
        m_n_range_count = 0;
        return false;
    }
    ++m_n_range_count;
    if (m_n_meas_range_next == m_n_meas_range || m_n_range_count <= kRangeConfirmFrames) {
        return false;
    }
    if (m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_start_check_temp_range(m_n_meas_range_next);
    }
    if (m_stream != nullptr) {
        wirereel_set_len_and_meas_range(m_stream, static_cast<LenType>(m_n_len_type),
                                        static_cast<MeasRange>(m_n_meas_range_next));
    }
    m_n_meas_range = m_n_meas_range_next;
    m_b_range_set = true;
    m_n_range_wait = 0;
    qCInfo(lc_source) << "measuring range switched to" << m_n_meas_range;
    if (m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_end_check_temp_range();
    }
    return true;
}

void IRNetDevice::load_lens_ranges()
{
    QMutexLocker lock(&m_range_mutex);
    m_len_ranges.clear();
    void* frame = get_ir_data();
    tagLenInfo current{};
    if (thermframe_get_cur_len_range_info(frame, &current)) {
        m_n_len_type = current.len_type;
        m_n_meas_range = current.ranges[0].meas_range;
    }
    m_n_meas_range_next = m_n_meas_range;
    m_n_range_count = 0;
    unsigned char count = 0;
    if (!thermframe_get_supported_lens_info(frame, nullptr, &count) || count == 0) {
        return;
    }
    std::vector<tagLenInfo> lenses(count);
    if (!thermframe_get_supported_lens_info(frame, lenses.data(), &count)) {
        return;
    }
    for (unsigned i = 0; i < count && i < lenses.size(); ++i) {
        std::vector<RangeInfo>& ranges = m_len_ranges[lenses[i].len_type];
        const unsigned n = std::min<unsigned>(lenses[i].range_count, sizeof(lenses[i].ranges) / sizeof(lenses[i].ranges[0]));
        for (unsigned r = 0; r < n; ++r) {
            ranges.push_back({lenses[i].ranges[r].meas_range, lenses[i].ranges[r].min_temp, lenses[i].ranges[r].max_temp});
        }
    }
}

void IRNetDevice::update_frame_rate()
{
    if (++m_tick_count % 2 == 0) {
        m_frame_rate.store(m_frame_count.exchange(0));
    }
}

bool IRNetDevice::is_wait_cold() const
{
    // An uncooled detector is ready once it streams; the sensor it would
    // report its cooling on carries a temperature instead.
    if (!m_b_cooled.load()) {
        return false;
    }
    void* frame = get_ir_data();
    float a = 0.0f;
    float b = 0.0f;
    float c = 0.0f;
    if (frame == nullptr ||
        !thermframe_get_sensor_temp(frame, &a, &b, &c, nullptr, nullptr, nullptr, nullptr, nullptr)) {
        return true;
    }
    return c != 1.0f;
}

bool IRNetDevice::add_source_property(QJsonObject& json)
{
    const QString now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    json.insert(QStringLiteral("strSettingStartTime"), now);
    json.insert(QStringLiteral("strSettingEndTime"), now);
    return true;
}

bool IRNetDevice::temperature_correct()
{
    qCInfo(lc_source) << "temperature_correct";
    return wirereel_temperature_correct(m_stream);
}

bool IRNetDevice::supports_len_pos() const
{
    bool supported = false;
    return wirereel_is_support_len_pos(m_stream, supported) && supported;
}

int IRNetDevice::len_adjust_method() const
{
    LenAdjustMethod method{};
    return wirereel_get_len_adjust_method(m_stream, method) ? static_cast<int>(method) : 0;
}

int IRNetDevice::get_len_pos()
{
    uint16_t position = 0;
    return supports_len_pos() && wirereel_get_len_pos(m_stream, position) ? position : 0;
}

bool IRNetDevice::set_len_pos(uint16_t position)
{
    return wirereel_set_len_pos(m_stream, position);
}

bool IRNetDevice::motor_forward()
{
    const bool ok = wirereel_motor_forward(m_stream);
    qCInfo(lc_source) << "motor_forward" << ok;
    if (supports_len_pos()) {
        m_timer_len_pos->start();
    }
    return ok;
}

bool IRNetDevice::motor_reverse()
{
    const bool ok = wirereel_motor_reverse(m_stream);
    qCInfo(lc_source) << "motor_reverse" << ok;
    if (supports_len_pos()) {
        m_timer_len_pos->start();
    }
    return ok;
}

bool IRNetDevice::motor_stop()
{
    const bool ok = wirereel_motor_stop(m_stream);
    qCInfo(lc_source) << "motor_stop" << ok;
    if (supports_len_pos()) {
        m_timer_len_pos->stop();
    }
    return ok;
}

bool IRNetDevice::zoom_motor_forward()
{
    qCInfo(lc_source) << "zoom_motor_forward 1";
    return wirereel_zoom_motor_forward(m_stream);
}

bool IRNetDevice::zoom_motor_reverse()
{
    qCInfo(lc_source) << "zoom_motor_forward 2";
    return wirereel_zoom_motor_backword(m_stream);
}

bool IRNetDevice::zoom_motor_stop()
{
    qCInfo(lc_source) << "zoom_motor_stop";
    return wirereel_zoom_motor_stop(m_stream);
}

void IRNetDevice::slot_update_len_pos()
{
    const int position = get_len_pos();
    if (m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_update_len_pos(position);
    }
    qCDebug(lc_source) << "slot_update_len_pos" << position;
}

bool IRNetDevice::save_as_image_to_file(const QString& path)
{
    QString file = path;
    if (file.startsWith(QLatin1String("file:///"))) {
        file.remove(0, 7);
    }
    const QString extension = file.mid(file.lastIndexOf(QLatin1Char('.')) + 1);
    if (extension.compare(QLatin1String("png"), Qt::CaseInsensitive) == 0) {
        return wirereel_save_png_file_w(m_stream, file.toStdWString(), true, true);
    }
    return wirereel_save_jpg_file_w(m_stream, file.toStdWString(), true, true);
}

bool IRNetDevice::save_as_sgcc_image_to_file(const QString& path)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss"));
    return markpen_save_sgcc_file_w(get_ir_paint(), path.toStdWString(), stamp.toStdString(), std::string());
}

bool IRNetDevice::close_device()
{
    stop_timer();
    wirereel_disconnect(m_stream);
    m_connected.store(false);
    return true;
}

void IRNetDevice::slot_update_ctrl_with_frame()
{
    repaint_owner();
    if (m_p_wnd_palette == nullptr) {
        return;
    }
    // The first frame sets up the whole bar; later ones only its range.
    if (m_first_frame) {
        m_first_frame = false;
        refresh_palette_bar();
    } else {
        refresh_palette_levels();
    }
}

void IRNetDevice::cb_disconnected(void* user)
{
    if (user != nullptr) {
        static_cast<IRNetDevice*>(user)->on_cb_disconnected();
    }
}

void IRNetDevice::on_cb_disconnected()
{
    qCInfo(lc_source) << "IRNetDevice::on_cb_disconnected" << m_connected.load();
    if (m_closing.load() || !m_connected.exchange(false)) {
        return;
    }
    wirereel_disconnect(m_stream);
    if (m_p_wnd_ir_show != nullptr) {
        m_p_wnd_ir_show->start_reconnect(m_stream, m_ip, m_sn, m_discover_mac);
    }
}

bool IRNetDevice::start_capture()
{
    const QString path = DataConfig::instance()->get_record_path(m_sn);
    if (path.isEmpty()) {
        emit sig_capture_status(tr("Please select a video storage path!"), -1);
        return false;
    }
    // The file system that really holds the folder (a mount point need not
    // be a drive letter).
    const float free_gb = record_free_space_gb(path);
    if (free_gb >= 0.0f && free_gb < kRecordMinFreeGb) {
        emit sig_capture_status(ThreadRecorder::low_space_text(), -1);
        return false;
    }
    if (m_stream != nullptr) {
        create_record_thread(DataConfig::instance()->get_record_frequency(m_sn) == 0);
    }
    return true;
}

void IRNetDevice::stop_capture()
{
    destroy_record_thread();
}

void IRNetDevice::slot_stop_capture()
{
    stop_capture();
}

bool IRNetDevice::is_recording() const
{
    QMutexLocker lock(&m_record_mutex);
    return m_thread_capture != nullptr || m_thread_real_capture != nullptr;
}

void IRNetDevice::create_record_thread(bool real)
{
    qCInfo(lc_source) << "Create record thread." << m_thread_capture << real;
    QMutexLocker lock(&m_record_mutex);
    if (m_thread_capture != nullptr || m_thread_real_capture != nullptr) {
        return;
    }
    m_real_capture = real;
    if (real) {
        m_thread_real_capture = new ThreadRealCapture(this);
        m_thread_real_capture->start();
    } else {
        m_thread_capture = new ThreadCapture(this);
        m_thread_capture->start();
    }
}

void IRNetDevice::destroy_record_thread()
{
    qCInfo(lc_source) << "Destory record thread." << m_thread_capture;
    ThreadRecorder* recorder = nullptr;
    {
        // Taken out under the mutex, joined outside it: the frame thread
        // keeps running while the recorder finishes its file.
        QMutexLocker lock(&m_record_mutex);
        recorder = m_thread_real_capture != nullptr ? static_cast<ThreadRecorder*>(m_thread_real_capture)
                                                    : static_cast<ThreadRecorder*>(m_thread_capture);
        m_thread_real_capture = nullptr;
        m_thread_capture = nullptr;
    }
    if (recorder != nullptr) {
        recorder->stop();
        delete recorder;
    }
}
