#include "views/wnd_video_edit.h"

#include "charts/manager_chart_trend.h"

#include "sources/ir_player.h"
#include "views/wnd_ir_show.h"

#include <QCursor>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

Q_LOGGING_CATEGORY(lc_video_edit, "pyravue.view.clip")

namespace {

constexpr int kHoverReach = 8;

bool near_mark(double x, int mark) { return mark >= 0 && x > mark - kHoverReach && x <= mark + kHoverReach; }

}  // namespace

WndVideoEdit::WndVideoEdit(QQuickItem* parent) : QQuickPaintedItem(parent)
{
    setAcceptHoverEvents(true);
    setAcceptedMouseButtons(Qt::LeftButton);
}

WndVideoEdit::~WndVideoEdit()
{
    // The source keeps a plain pointer to its editor: the editor lets go first.
    if (m_player != nullptr && m_player->video_edit_wnd() == this) {
        m_player->set_video_edit_wnd(nullptr);
    }
}

void WndVideoEdit::set_source(IRBase* source) { m_player = qobject_cast<IRPlayer*>(source); }

void WndVideoEdit::follow_player(int frame)
{
    // Wherever the player went (the progress bar, a mark, playing), that is
    // the current position the mark buttons take.
    if (m_player == nullptr || m_recordings.isEmpty()) {
        return;
    }
    const QString path = m_player->get_file_path();
    for (int v = 0; v < m_recordings.size(); ++v) {
        if (m_recordings[v].path == path) {
            if (m_cur.video != v || m_cur.frame != frame) {
                m_cur = ClipMark{v, frame};
                recompute();
                emit sig_cur_frame_changed();
            }
            return;
        }
    }
}

IRPlayer* WndVideoEdit::player() const { return m_player.data(); }

int WndVideoEdit::frames_of(int video) const
{
    return video >= 0 && video < m_recordings.size() ? m_recordings[video].frames : 0;
}

QString WndVideoEdit::name_of(int video) const
{
    return video >= 0 && video < m_recordings.size() ? m_recordings[video].file_name : QString();
}

// --- Recordings and devices ---------------------------------------------------------------------

void WndVideoEdit::add_recording(const QString& device_key, const ClipRecording& entry)
{
    if (device_key == m_str_device && clip_plan::insert_sorted(m_recordings, entry)) {
        recompute();
    }
    clip_plan::insert_sorted(m_devices[device_key], entry);
}

QJsonArray WndVideoEdit::get_device_list() const
{
    QJsonArray devices;
    for (auto it = m_devices.cbegin(); it != m_devices.cend(); ++it) {
        QJsonObject device;
        device.insert(QStringLiteral("strDeviceName"), it.key().section(';', 0, 0));
        device.insert(QStringLiteral("bDeviceChoice"), it.key() == m_str_device);
        devices.append(device);
    }
    return devices;
}

QString WndVideoEdit::get_video_resolution() const
{
    if (m_player == nullptr) {
        return QString();
    }
    return QString::asprintf("%d x %d", m_player->get_ir_width(), m_player->get_ir_height());
}

int WndVideoEdit::get_all_video_frame() const
{
    int64_t total = 0;
    for (const ClipRecording& entry : m_recordings) {
        total += entry.frames;
    }
    return static_cast<int>(std::min<int64_t>(total, INT32_MAX));
}

int WndVideoEdit::get_clip_simple_video_max_frame() const
{
    return m_player == nullptr ? 3000 : clip_plan::frames_per_part_for_width(m_player->get_ir_width());
}

void WndVideoEdit::choose_device(const QString& key)
{
    m_str_device = key;
    m_recordings = m_devices.value(key);
}

bool WndVideoEdit::check_device_index(int index)
{
    if (index < 0 || index >= m_devices.size()) {
        return false;
    }
    const QString key = m_devices.keys().at(index);
    if (m_devices.value(key).isEmpty()) {
        return false;
    }
    choose_device(key);
    set_current(ClipMark{0, 0});
    if (m_player != nullptr) {
        ManagerChartTrend::instance()->add_trend_gap(m_player->trend_id());
        if (m_player->owner_view() != nullptr) {
            emit m_player->owner_view()->sig_stop_trend_analysis();
        }
    }
    clip_plan::default_marks(m_recordings, m_start, m_end);
    recompute();
    update();
    return true;
}

bool WndVideoEdit::update_edit_area()
{
    if (m_player == nullptr) {
        return false;
    }
    const QString path = m_player->get_file_path();
    for (auto it = m_devices.cbegin(); it != m_devices.cend(); ++it) {
        const auto& list = it.value();
        const auto found = std::find_if(list.cbegin(), list.cend(),
                                        [&](const ClipRecording& entry) { return entry.path == path; });
        if (found == list.cend()) {
            continue;
        }
        choose_device(it.key());
        m_cur = ClipMark{static_cast<int>(found - list.cbegin()), static_cast<int>(m_player->current_frame())};
        clip_plan::default_marks(m_recordings, m_start, m_end);
        recompute();
        update();
        return true;
    }
    return false;
}

ClipJob WndVideoEdit::job() const
{
    ClipJob job;
    job.start = m_start;
    job.end = m_end;
    job.total = m_n_clip_total;
    job.interval = m_n_interval;
    job.frames_per_part = get_clip_simple_video_max_frame();
    job.recordings = m_recordings;
    return job;
}

void WndVideoEdit::set_clip_interval(int interval)
{
    m_n_interval = std::clamp(interval, 1, clip_plan::kMaxInterval);
}

// --- Marks --------------------------------------------------------------------------------------

void WndVideoEdit::show_in_player(const ClipMark& mark)
{
    IRPlayer* player = m_player.data();
    if (player == nullptr) {
        return;
    }
    WndIRShow* view = player->owner_view();
    if (player->is_playing()) {
        player->save_frame();
        if (view != nullptr) {
            emit view->sig_update_player_play_stop();
        }
    }
    const QString path = m_recordings[mark.video].path;
    if (player->get_file_path() != path) {
        if (!player->open_file(path)) {
            qCWarning(lc_video_edit) << "recording not opened for the clip editor:" << path;
            return;
        }
        if (view != nullptr) {
            emit view->sig_change_player_file(path);
        }
    }
    player->seek_frame(static_cast<uint32_t>(mark.frame));
    emit player->sig_update_ctrl_with_frame(mark.frame);
}

void WndVideoEdit::set_current(const ClipMark& mark)
{
    if (mark.video < 0 || mark.video >= m_recordings.size()) {
        return;
    }
    m_cur = ClipMark{mark.video, std::clamp(mark.frame, 0, std::max(0, frames_of(mark.video) - 1))};
    show_in_player(m_cur);
    recompute();
    emit sig_cur_frame_changed();
}

bool WndVideoEdit::set_clip_start_frame()
{
    if (m_cur.video > m_end.video || (m_cur.video == m_end.video && m_cur.frame >= m_end.frame)) {
        return false;
    }
    set_start_mark(m_cur);
    return true;
}

bool WndVideoEdit::set_clip_end_frame()
{
    if (m_cur.video < m_start.video || (m_cur.video == m_start.video && m_cur.frame <= m_start.frame)) {
        return false;
    }
    set_end_mark(m_cur);
    return true;
}

void WndVideoEdit::set_end_mark(const ClipMark& mark)
{
    qCDebug(lc_video_edit) << "-- set_end_frame" << mark.video << "  dddd" << m_recordings.size();
    if (mark.video < 0 || mark.video >= m_recordings.size()) {
        return;
    }
    const ClipMark wanted{mark.video, std::clamp(mark.frame, 0, std::max(0, frames_of(mark.video) - 1))};
    m_end = clip_plan::end_mark_for(m_recordings, m_start, wanted);
    set_current(m_end);
    recompute();
    emit sig_end_clip_frame_changed();
}

void WndVideoEdit::set_start_mark(const ClipMark& mark)
{
    qCDebug(lc_video_edit) << "++++set_start_frame :" << mark.video << mark.frame;
    if (mark.video < 0 || mark.video >= m_recordings.size()) {
        return;
    }
    const ClipMark wanted{mark.video, std::clamp(mark.frame, 0, std::max(0, frames_of(mark.video) - 1))};
    m_start = clip_plan::start_mark_for(m_recordings, m_end, wanted);
    set_current(m_start);
    recompute();
    emit sig_start_clip_frame_changed();
}

bool WndVideoEdit::increase_clip_start_frame(int delta)
{
    if (m_start.video < 0 || m_start.video >= m_recordings.size()) {
        return false;
    }
    set_start_mark(clip_plan::stepped(m_recordings, m_start, delta));
    update();
    return true;
}

bool WndVideoEdit::increase_clip_end_frame(int delta)
{
    if (m_end.video < 0 || m_end.video >= m_recordings.size()) {
        return false;
    }
    set_end_mark(clip_plan::stepped(m_recordings, m_end, delta));
    update();
    return true;
}

void WndVideoEdit::recompute()
{
    const double w = width();
    const int right = std::max(0, static_cast<int>(w) - 1);
    m_mark_x[0] = m_cur.video < 0 ? -1 : std::min(clip_plan::mark_x(m_recordings, m_cur, w), right);
    m_mark_x[1] = clip_plan::mark_x(m_recordings, m_start, w);
    m_mark_x[2] = std::min(clip_plan::mark_x(m_recordings, m_end, w), right);
    m_n_clip_total = clip_plan::total_frames(m_recordings, m_start, m_end);
    update();
}

void WndVideoEdit::geometryChanged(const QRectF& new_geometry, const QRectF& old_geometry)
{
    QQuickPaintedItem::geometryChanged(new_geometry, old_geometry);
    recompute();
}

// --- Pointer ------------------------------------------------------------------------------------

void WndVideoEdit::update_hover(const QPointF& pos)
{
    int mode = 0;
    if (pos.y() <= kBandHeight) {
        mode = near_mark(pos.x(), m_mark_x[0]) ? 1 : 0;
    } else if (near_mark(pos.x(), m_mark_x[1])) {
        mode = 2;
    } else if (near_mark(pos.x(), m_mark_x[2])) {
        mode = 3;
    }
    m_n_hover_mode = mode;
    setCursor(mode == 0 ? Qt::ArrowCursor : Qt::SizeHorCursor);

    if (m_recordings.isEmpty() || pos.y() <= kBandHeight) {
        if (m_b_tooltip) {
            m_b_tooltip = false;
            emit sig_show_file_tooltip(false, 0, 0, QString());
        }
        return;
    }
    const ClipMark under = clip_plan::mark_at(m_recordings, pos.x(), width());
    const QPointF scene = mapToScene(pos);
    m_b_tooltip = true;
    emit sig_show_file_tooltip(true, static_cast<int>(scene.x()), static_cast<int>(scene.y()),
                               m_recordings[under.video].file_name);
}

void WndVideoEdit::hoverMoveEvent(QHoverEvent* event)
{
    if (!m_b_dragging) {
        update_hover(event->posF());
    }
}

void WndVideoEdit::hoverLeaveEvent(QHoverEvent* event)
{
    Q_UNUSED(event)
    if (m_b_tooltip) {
        m_b_tooltip = false;
        emit sig_show_file_tooltip(false, 0, 0, QString());
    }
}

void WndVideoEdit::mousePressEvent(QMouseEvent* event)
{
    update_hover(event->localPos());
    m_b_dragging = true;
    event->accept();
}

void WndVideoEdit::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_b_dragging || m_recordings.isEmpty()) {
        return;
    }
    const ClipMark mark = clip_plan::mark_at(m_recordings, event->localPos().x(), width());
    switch (m_n_hover_mode) {
    case 1:
        set_current(mark);
        break;
    case 2:
        set_start_mark(mark);
        break;
    case 3:
        set_end_mark(mark);
        break;
    default:
        break;
    }
}

void WndVideoEdit::mouseReleaseEvent(QMouseEvent* event)
{
    m_b_dragging = false;
    update_hover(event->localPos());
}

// --- Painting -----------------------------------------------------------------------------------

void WndVideoEdit::paint(QPainter* painter)
{
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    if (m_mark_x[0] >= 0) {
        painter->fillRect(QRect(m_mark_x[0], 0, 2, kBandHeight), QColor(0, 255, 0));
    }
    const int slots_h = h - 14;
    if (m_recordings.isEmpty() || slots_h <= 0 || w <= 0) {
        return;
    }
    const double slot = double(w) / m_recordings.size();
    for (int v = 0; v < m_recordings.size(); ++v) {
        const int left = static_cast<int>(v * slot);
        const int right = static_cast<int>((v + 1) * slot);
        painter->fillRect(QRect(left, kBandHeight, right - left, slots_h),
                          v == m_cur.video ? QColor(45, 45, 48) : QColor(23, 23, 23));
        if (v > 0) {
            painter->setPen(QColor(67, 67, 70));
            painter->drawLine(left, kBandHeight, left, kBandHeight + slots_h - 1);
        }
    }
    painter->setPen(QColor(67, 67, 70));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRect(0, kBandHeight, w - 1, slots_h - 1));
    if (m_n_clip_total > 0) {
        painter->setPen(QColor(255, 0, 0));
        painter->drawRect(QRect(m_mark_x[1], kBandHeight, std::max(1, m_mark_x[2] - m_mark_x[1]), slots_h - 1));
    }
}
