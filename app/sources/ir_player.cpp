#include "sources/ir_player.h"

#include "alarms/warning_condition.h"
#include "charts/manager_chart_trend.h"
#include "markpen.h"
#include "reelplay.h"
#include "sources/handle_ids.h"
#include "sources/player_pacing.h"
#include "shell/cjk_font.h"
#include "sources/thread_player_show.h"
#include "thermframe.h"
#include "views/wnd_ir_companions.h"
#include "views/wnd_ir_show.h"
#include "views/wnd_player_progress_bar.h"

#include <QDateTime>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QPainter>
#include <QTimerEvent>
#include <QUrl>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

namespace {

QString format_ms(uint64_t ms, const char* format)
{
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ms)).toString(QLatin1String(format));
}

}  // namespace

IRPlayer::IRPlayer(WndIRShow* owner) : IRBase(owner)
{
    m_n_ir_type = 2;
    reelplay_init(m_h_ir);
    thermframe_enable_image_process(get_ir_data(), false);
    // The reelplay object keeps one frame document for every file it loads.
    m_p_warning_condition = new WarningCondition(get_ir_data(), this);
    start_timer();
    m_n_trend_id = library_ids().id_of(m_h_ir);
    ManagerChartTrend::instance()->register_ir_source(m_n_trend_id, this);
    connect(this, &IRPlayer::sig_update_ctrl_with_frame, this, &IRPlayer::slot_update_ctrl_with_frame);
    connect(this, &IRPlayer::sig_reached_end, this, &IRPlayer::on_reached_end, Qt::QueuedConnection);
    connect(this, &IRPlayer::sig_show_frame, this, &IRPlayer::on_show_frame, Qt::QueuedConnection);
    m_font = cjk_font(18);
}

IRPlayer::~IRPlayer()
{
    stop_timer();
    // The thread seeks and checks the alarm conditions: it ends before
    // anything it uses goes.
    if (m_p_thread != nullptr) {
        m_p_thread->stop_and_join();
        delete m_p_thread;
        m_p_thread = nullptr;
    }
    // No frame reaches a chart any more: the charts let the player go. It
    // leaves the registry first, so that no chart calls back into it.
    ManagerChartTrend::instance()->unregister_ir_source(m_n_trend_id);
    ManagerChartTrend::instance()->remove_ir_from_charts(m_n_trend_id);
    delete m_p_warning_condition;
    m_p_warning_condition = nullptr;
    reelplay_uninit(m_h_ir);
}

void* IRPlayer::get_ir_data() const
{
    void* doc = nullptr;
    return reelplay_get_ir_data(m_h_ir, doc) ? doc : nullptr;
}

void* IRPlayer::get_ir_paint() const
{
    void* painter = nullptr;
    return reelplay_get_ir_paint(m_h_ir, painter) ? painter : nullptr;
}

void IRPlayer::set_player_progress_bar(WndPlayerProgressBar* bar)
{
    if (m_p_progress_bar != nullptr && m_p_progress_bar != bar) {
        m_p_progress_bar->set_player(nullptr);
    }
    m_p_progress_bar = bar;
    if (bar != nullptr) {
        bar->set_player(this);
    }
}

bool IRPlayer::set_use_temperature_para(bool on)
{
    if (!reelplay_set_use_temperature_para(m_h_ir, on)) {
        return false;
    }
    // The recording's own parameters come with a frame read from the file:
    // the frame shown is read again, so that the parameter panel and the
    // temperatures show them at once rather than from the next frame on.
    if (on) {
        seek_frame(m_n_cur_frame.load());
        repaint_owner();
    }
    return true;
}

bool IRPlayer::is_show_mouse_temp() const { return m_b_show_mouse_temp && !is_playing(); }

QString IRPlayer::get_file_name() const { return m_str_file_path.mid(m_str_file_path.lastIndexOf('/') + 1); }

QString IRPlayer::get_ir_name() const { return IRBase::tr("Video ") + QString::number(m_n_wnd_type_index); }

// --- Timing ------------------------------------------------------------------------------------

bool IRPlayer::update_frame_timing()
{
    tagTimeVal start{};
    tagTimeVal end{};
    uint32_t frames = 0;
    float interval = 0.0f;
    if (!reelplay_get_start_time(m_h_ir, start) || !reelplay_get_end_time(m_h_ir, end) ||
        !reelplay_get_total_frames(m_h_ir, frames) ||
        !player_pacing::frame_interval_ms(start, end, frames, interval)) {
        return false;
    }
    m_f_interval.store(interval);
    m_n_frames.store(frames);
    m_n_cur_frame.store(0);
    m_n_next_frame.store(0);
    m_n_range_start.store(0);
    m_n_last_frame.store(frames - 1);
    m_n_start_time = static_cast<uint64_t>(player_pacing::to_ms(start));
    m_n_end_time = static_cast<uint64_t>(player_pacing::to_ms(end));
    return true;
}

bool IRPlayer::set_speed(float speed)
{
    if (!player_pacing::is_speed_accepted(speed)) {
        return false;
    }
    m_f_speed.store(speed);
    m_b_no_pacing.store(speed > player_pacing::kNoPacingSpeed);
    return true;
}

int IRPlayer::frame_rate() const { return player_pacing::frame_rate(m_f_interval.load()); }

// --- Seeking -----------------------------------------------------------------------------------

uint32_t IRPlayer::seek_locked(uint32_t frame)
{
    if (m_str_file_path.isEmpty() || m_h_ir == nullptr || m_n_frames.load() == 0) {
        return m_n_cur_frame.load();
    }
    const uint32_t last = m_n_last_frame.load();
    const uint32_t target = frame < last ? frame : last;
    m_n_cur_frame.store(target);
    m_n_next_frame.store(target);
    if (reelplay_seek_frame(m_h_ir, target)) {
        return target;
    }
    // A frame that does not load is replaced by a neighbour inside the
    // recording; the current frame keeps the one asked for.
    const int64_t offsets[] = {-1, -2, 1, 2};
    for (int64_t offset : offsets) {
        const int64_t near = static_cast<int64_t>(target) + offset;
        if (near < 0 || near > static_cast<int64_t>(last)) {
            continue;
        }
        if (reelplay_seek_frame(m_h_ir, static_cast<uint32_t>(near))) {
            break;
        }
    }
    return target;
}

bool IRPlayer::seek_frame(uint32_t frame)
{
    {
        QMutexLocker lock(&m_player_mutex);
        seek_locked(frame);
    }
    check_warning_and_snap();
    return true;
}

IRPlayer::Cycle IRPlayer::show_current_frame()
{
    Cycle cycle;
    {
        QMutexLocker lock(&m_player_mutex);
        cycle.generation = m_n_generation.load();
        cycle.frame = seek_locked(m_n_next_frame.load());
    }
    check_warning_and_snap();
    qCDebug(lc_source) << "IRPlayer::on_playing " << cycle.frame;
    ManagerChartTrend::instance()->notify_trend_frame(m_n_trend_id, static_cast<int>(cycle.frame));
    emit sig_update_ctrl_with_frame(static_cast<int>(cycle.frame));
    return cycle;
}

bool IRPlayer::has_mark(uint32_t frame) const
{
    uint16_t length = 0;
    return reelplay_get_mark_info(m_h_ir, frame, length, nullptr);
}

bool IRPlayer::commit_frame(uint32_t frame, const Cycle& cycle)
{
    QMutexLocker lock(&m_player_mutex);
    if (cycle.generation != m_n_generation.load() || m_n_next_frame.load() != cycle.frame) {
        return true;
    }
    if (frame > m_n_last_frame.load()) {
        return false;
    }
    m_n_next_frame.store(frame);
    return true;
}

void IRPlayer::request_next_video(uint32_t generation) { emit sig_reached_end(generation); }

void IRPlayer::request_show_frame(uint32_t request) { emit sig_show_frame(request); }

void IRPlayer::on_show_frame(uint32_t request)
{
    // A pause that came after the request leaves the frame where it is.
    if (m_p_thread == nullptr || !m_p_thread->is_playing()) {
        return;
    }
    m_p_thread->frame_shown(request, show_current_frame());
}

void IRPlayer::on_reached_end(uint32_t generation)
{
    // A play, pause or stop since the end, or a recording opened since,
    // takes precedence over the continuation.
    if (m_p_thread == nullptr || !m_p_thread->take_end_request() || generation != m_n_generation.load()) {
        return;
    }
    if (play_next_video()) {
        return;
    }
    if (m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_update_player_play_stop();
    }
    ManagerChartTrend::instance()->add_trend_gap(m_n_trend_id);
    if (m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_stop_trend_analysis();
    }
    const uint32_t start = m_n_range_start.load();
    seek_frame(start);
    slot_update_ctrl_with_frame(static_cast<int>(start));
}

void IRPlayer::move_progress_bar(uint32_t frame)
{
    if (m_p_progress_bar != nullptr) {
        m_p_progress_bar->set_frame_value(static_cast<int>(frame));
        emit m_p_progress_bar->sig_update();
    }
}

void IRPlayer::slot_update_ctrl_with_frame(int frame)
{
    if (m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_update_player_progress_cur(frame + 1);
        emit m_p_wnd_ir_show->sig_update();
    }
    move_progress_bar(static_cast<uint32_t>(frame));
    refresh_palette_levels();
    if (m_p_wnd_video_edit != nullptr) {
        m_p_wnd_video_edit->follow_player(frame);
    }
}

// --- Opening -----------------------------------------------------------------------------------

bool IRPlayer::open_file(const QString& path)
{
    save_frame();
    {
        QMutexLocker lock(&m_player_mutex);
        uint32_t frames = 0;
        // A recording without frames has no last frame to show or end on.
        if (!reelplay_load_file_w(m_h_ir, path.toStdWString()) ||
            !reelplay_get_total_frames(m_h_ir, frames) || frames == 0) {
            qCWarning(lc_source) << "recording refused:" << path;
            return false;
        }
        if (!read_ir_size()) {
            qCDebug(lc_source) << "failed thermframe_get_resolution";
            return false;
        }
        update_frame_timing();
        m_n_generation.fetch_add(1);
        m_str_file_path = path;
        update_image_size();
    }
    reset_view();
    seek_frame(0);
    qCDebug(lc_source) << "IRPlayer::open_file 1 " << path;
    if (!m_list_files.contains(path) && m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_add_file_player_list(path);
    }
    start_chart_refresh();
    if (m_p_wnd_isotherm != nullptr) {
        m_p_wnd_isotherm->update_axis_range(m_b_first_opening);
        m_b_first_opening = false;
    }
    register_with_video_edit();
    return true;
}

QString IRPlayer::device_key() const
{
    void* doc = get_ir_data();
    if (doc == nullptr) {
        return QString();
    }
    uint16_t width = 640;
    uint16_t height = 480;
    if (!thermframe_get_resolution(doc, width, height)) {
        width = 640;
        height = 480;
    }
    std::string a;
    std::string b;
    std::string c;
    thermframe_get_mac_info(doc, a, b, c);
    return QString::fromStdString(a) + '-' + QString::fromStdString(b) + '-' + QString::fromStdString(c) + ';' +
           QString::number(width) + 'x' + QString::number(height);
}

void IRPlayer::register_with_video_edit()
{
    if (m_p_wnd_video_edit == nullptr || get_ir_data() == nullptr) {
        return;
    }
    ClipRecording entry;
    entry.path = m_str_file_path;
    entry.file_name = get_file_name();
    entry.start_ms = m_n_start_time;
    entry.end_ms = m_n_end_time;
    entry.frames = static_cast<int>(m_n_frames.load());
    m_p_wnd_video_edit->add_recording(device_key(), entry);
}

void IRPlayer::reset_view()
{
    void* doc = get_ir_data();
    uint16_t low = 0;
    uint16_t high = 0;
    thermframe_get_imaging_range(doc, low, high);
    if (low < 100 || low > 50000 || high < 100 || high > 50000) {
        thermframe_set_palette_type(doc, PALETTE_TYPE_AUTO_ONCE);
    }
    if (m_p_wnd_ir_show != nullptr) {
        if (m_p_cur_ana != nullptr) {
            emit m_p_wnd_ir_show->sig_update_ana_temp_info();
        }
        refresh_palette_bar();
        emit m_p_wnd_ir_show->sig_update_ir_param_info();
        emit m_p_wnd_ir_show->sig_update_ir_temp_info();
        emit m_p_wnd_ir_show->sig_update_player_progress_init(static_cast<int>(m_n_frames.load()));
        emit m_p_wnd_ir_show->sig_update_player_progress_cur(1);
    }
    if (m_p_progress_bar != nullptr) {
        m_p_progress_bar->set_frame_max(static_cast<int>(m_n_frames.load()) - 1);
    }
    move_progress_bar(0);
}

// --- Play list ---------------------------------------------------------------------------------

QString IRPlayer::restart_file(int mode, const QStringList& list, const QString& current)
{
    if (mode == kModeSingle || mode == kModeSingleLoop) {
        return current;
    }
    return !list.isEmpty() && !list.first().isEmpty() ? list.first() : current;
}

QString IRPlayer::next_file(int mode, const QStringList& list, const QString& current, bool& restart)
{
    restart = false;
    if (mode == kModeSingle) {
        return QString();
    }
    if (mode == kModeSingleLoop) {
        restart = true;
        return current;
    }
    const int index = list.indexOf(current);
    if (index < 0) {
        return QString();
    }
    if (index + 1 < list.size()) {
        return list.at(index + 1);
    }
    if (mode == kModeListLoop) {
        restart = true;
        return list.first();
    }
    return QString();
}

bool IRPlayer::add_file(const QString& path)
{
    m_list_files.append(path);
    return true;
}

bool IRPlayer::delete_file(const QString& path)
{
    m_list_files.removeOne(path);
    return true;
}

bool IRPlayer::clear_file_list()
{
    m_list_files.clear();
    return true;
}

bool IRPlayer::swap_file(int from, int to)
{
    if (m_list_files.isEmpty() || from < 0 || to < 0 || from >= m_list_files.size() || to >= m_list_files.size()) {
        return false;
    }
    for (const QString& path : m_list_files) qCDebug(lc_source) << "videoPath: " << path;
    qCDebug(lc_source) << "--------------";
    m_list_files.swapItemsAt(from, to);
    for (const QString& path : m_list_files) qCDebug(lc_source) << "videoPath: " << path;
    qCDebug(lc_source) << "--------------";
    return true;
}

void IRPlayer::set_player_mode(int mode)
{
    if (mode >= kModeSequence && mode <= kModeSingleLoop) {
        m_n_play_mode = mode;
    }
}

// --- Playing -----------------------------------------------------------------------------------

ThreadPlayerShow* IRPlayer::ensure_thread()
{
    if (m_p_thread == nullptr) {
        m_p_thread = new ThreadPlayerShow(this);
        m_p_thread->start(QThread::InheritPriority);
    }
    return m_p_thread;
}

void IRPlayer::start_playing(const QString& file)
{
    m_b_resume_armed = true;
    m_n_resume_frame = 0;
    m_str_resume_path = file;
    if (m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_change_player_file(file);
    }
    ensure_thread()->set_playing(true);
}

bool IRPlayer::restart_play()
{
    if (is_playing()) {
        m_p_thread->set_playing(false);
    }
    const QString file = restart_file(m_n_play_mode, m_list_files, m_str_file_path);
    if (file.isEmpty() || !open_file(file)) {
        return false;
    }
    if (m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_update_player_play_start();
    }
    // The trends start over first, so the controls learn that they run.
    ManagerChartTrend::instance()->restart_trend_of_ir(m_n_trend_id);
    update_ctrl_with_trend();
    start_playing(file);
    return true;
}

bool IRPlayer::play_next_video()
{
    bool restart = false;
    const QString file = next_file(m_n_play_mode, m_list_files, m_str_file_path, restart);
    if (file.isEmpty() || !open_file(file)) {
        return false;
    }
    qCDebug(lc_source) << "++++++ play_next_video" << 0 << file;
    if (restart) {
        ManagerChartTrend::instance()->restart_trend_of_ir(m_n_trend_id);
    }
    start_playing(file);
    return true;
}

bool IRPlayer::save_frame()
{
    // A pause inside a running trend: a later play goes on from here.
    if (m_b_resume_armed && ManagerChartTrend::instance()->is_trend_running(m_n_trend_id)) {
        m_n_resume_frame = m_n_cur_frame.load();
        m_str_resume_path = m_str_file_path;
        m_b_resume_armed = false;
        qCDebug(lc_source) << "++++++ save_frame" << m_n_resume_frame << m_str_resume_path;
    }
    if (m_p_thread == nullptr) {
        return false;
    }
    m_p_thread->set_playing(false);
    return true;
}

bool IRPlayer::check_frame()
{
    if (m_str_file_path.isEmpty()) {
        return false;
    }
    if (ManagerChartTrend::instance()->is_trend_running(m_n_trend_id)) {
        // The trend goes on where it paused, whatever was shown meanwhile.
        if (!m_str_resume_path.isEmpty() && m_str_resume_path != m_str_file_path && open_file(m_str_resume_path) &&
            m_p_wnd_ir_show != nullptr) {
            emit m_p_wnd_ir_show->sig_change_player_file(m_str_resume_path);
        }
        seek_frame(m_n_resume_frame);
        qCDebug(lc_source) << "------ check_frame";
    } else {
        m_n_resume_frame = 0;
        m_str_resume_path.clear();
        ManagerChartTrend::instance()->restart_trend_of_ir(m_n_trend_id);
        update_ctrl_with_trend();
        qCDebug(lc_source) << "++++++ clear_frame";
    }
    m_b_resume_armed = true;
    ensure_thread()->set_playing(true);
    return true;
}

bool IRPlayer::stop()
{
    if (m_p_thread != nullptr) {
        m_p_thread->set_playing(false);
    }
    const uint32_t start = m_n_range_start.load();
    seek_frame(start);
    if (m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_update_player_play_stop();
        emit m_p_wnd_ir_show->sig_update_player_progress_cur(static_cast<int>(start) + 1);
        emit m_p_wnd_ir_show->sig_update();
    }
    move_progress_bar(start);
    refresh_palette_bar();
    ManagerChartTrend::instance()->add_trend_gap(m_n_trend_id);
    if (m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_stop_trend_analysis();
    }
    return true;
}

bool IRPlayer::is_playing() const { return m_p_thread != nullptr && m_p_thread->is_playing(); }

void IRPlayer::update_ctrl_with_trend()
{
    qCDebug(lc_source) << "IRPlayer::update_ctrl_with_trend";
    if (m_p_wnd_ir_show == nullptr) {
        return;
    }
    if (ManagerChartTrend::instance()->is_trend_running(m_n_trend_id)) {
        emit m_p_wnd_ir_show->sig_start_trend_analysis();
    } else {
        emit m_p_wnd_ir_show->sig_stop_trend_analysis();
    }
}

bool IRPlayer::show_trend_frame(const QString& file, int frame)
{
    if (file.isEmpty() || frame < 0) {
        return false;
    }
    if (file != m_str_file_path) {
        if (!open_file(file)) {
            return false;
        }
    } else {
        save_frame();
    }
    if (m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_update_player_play_stop();
        emit m_p_wnd_ir_show->sig_change_player_file(file);
    }
    seek_frame(static_cast<uint32_t>(frame));
    emit sig_update_ctrl_with_frame(static_cast<int>(m_n_cur_frame.load()));
    return true;
}

void IRPlayer::timerEvent(QTimerEvent* event)
{
    IRBase::timerEvent(event);
    if (event->timerId() == m_n_timer_id && !is_playing() && m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_update();
    }
}

// --- Marks -------------------------------------------------------------------------------------

int IRPlayer::insert_mark(const QString& text)
{
    const uint32_t frame = m_n_cur_frame.load();
    if (m_str_file_path.isEmpty() || has_mark(frame)) {
        return -1;
    }
    QByteArray bytes = text.toLocal8Bit();
    if (bytes.size() > 0xFFFF) {
        bytes.truncate(0xFFFF);
    }
    if (!reelplay_add_mark_info(m_h_ir, frame, static_cast<uint16_t>(bytes.size()),
                                reinterpret_cast<const unsigned char*>(bytes.constData()))) {
        return -1;
    }
    ManagerChartTrend::instance()->add_mark(m_n_trend_id, m_str_file_path, static_cast<int>(frame), text);
    return static_cast<int>(frame);
}

bool IRPlayer::remove_mark(int frame)
{
    if (frame < 0 || !reelplay_delete_mark_info(m_h_ir, static_cast<uint32_t>(frame))) {
        return false;
    }
    ManagerChartTrend::instance()->delete_mark(m_n_trend_id, m_str_file_path, frame);
    return true;
}

bool IRPlayer::update_mark(int frame, const QString& text)
{
    QByteArray bytes = text.toLocal8Bit();
    if (frame < 0 || bytes.size() > 0xFFFF) {
        return false;
    }
    if (!reelplay_update_mark_info(m_h_ir, static_cast<uint32_t>(frame), static_cast<uint16_t>(bytes.size()),
                                   reinterpret_cast<const unsigned char*>(bytes.constData()))) {
        return false;
    }
    ManagerChartTrend::instance()->update_mark(m_n_trend_id, m_str_file_path, frame, text);
    return true;
}

QJsonArray IRPlayer::get_all_mark() const
{
    QJsonArray marks;
    uint32_t count = 0;
    if (!reelplay_get_marks_count(m_h_ir, count)) {
        return marks;
    }
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t frame = 0;
        uint16_t length = 0;
        if (!reelplay_get_mark_info_with_index(m_h_ir, i, frame, length, nullptr)) {
            continue;
        }
        QString text;
        if (length > 0) {
            if (m_mark_buffer.size() < length + 1) {
                m_mark_buffer.resize(length + 1);
            }
            m_mark_buffer.fill('\0');
            if (!reelplay_get_mark_info_with_index(m_h_ir, i, frame, length,
                                                   reinterpret_cast<unsigned char*>(m_mark_buffer.data()))) {
                continue;
            }
            text = QString::fromLocal8Bit(m_mark_buffer.constData());
        }
        QJsonObject mark;
        mark.insert(QStringLiteral("strSettingMarkFrame"), static_cast<int>(frame));
        mark.insert(QStringLiteral("strSettingMarkInfo"), text);
        marks.append(mark);
    }
    return marks;
}

// --- Pictures and properties --------------------------------------------------------------------

bool IRPlayer::save_as_image_to_file(const QString& path)
{
    // A dialog's URL becomes a local path with its leading "/" kept.
    const QString target = path.startsWith(QLatin1String("file:")) ? QUrl(path).toLocalFile() : path;
    const bool png = target.mid(target.lastIndexOf('.') + 1).compare(QLatin1String("png"), Qt::CaseInsensitive) == 0;
    return png ? reelplay_save_png_file_w(m_h_ir, target.toStdWString(), true, true)
               : reelplay_save_jpg_file_w(m_h_ir, target.toStdWString(), true, true);
}

bool IRPlayer::save_as_sgcc_image_to_file(const QString& path)
{
    tagTimeVal time{};
    reelplay_get_time_of_frame(m_h_ir, m_n_cur_frame.load(), time);
    const QString stamp = format_ms(static_cast<uint64_t>(player_pacing::to_ms(time)), "yyyyMMddhhmmss");
    return markpen_save_sgcc_file_w(get_ir_paint(), path.toStdWString(), stamp.toStdString(), std::string());
}

bool IRPlayer::add_source_property(QJsonObject& json)
{
    tagTimeVal time{};
    if (reelplay_get_start_time(m_h_ir, time)) {
        json.insert(QStringLiteral("strSettingStartTime"),
                    format_ms(uint64_t{time.sec} * 1000, "yyyy-MM-dd hh:mm:ss"));
    }
    if (reelplay_get_end_time(m_h_ir, time)) {
        json.insert(QStringLiteral("strSettingEndTime"), format_ms(uint64_t{time.sec} * 1000, "yyyy-MM-dd hh:mm:ss"));
    }
    return true;
}

bool IRPlayer::draw_frame_info(QPainter* painter) { return draw_frame_time(painter, m_image_ir.height()); }

bool IRPlayer::draw_frame_time(QPainter* painter, int height) const
{
    tagTimeVal time{};
    if (painter == nullptr || !reelplay_get_time_of_frame(m_h_ir, m_n_cur_frame.load(), time)) {
        return false;
    }
    const QString text = format_ms(static_cast<uint64_t>(player_pacing::to_ms(time)), "yyyy-MM-dd hh:mm:ss");
    painter->save();
    painter->setFont(m_font);
    painter->fillRect(QRect(5, height - 28, 180, 23), QColor(10, 10, 10, 128));
    painter->setPen(QColor(0, 255, 255));
    painter->drawText(QPointF(10.0, height - 10), text);
    painter->restore();
    return true;
}
