#include "views/wnd_video_edit_progress.h"

#include "shell/save_target.h"
#include "sources/ir_player.h"
#include "views/clip_output.h"
#include "views/thread_clip_video.h"
#include "views/wnd_video_edit.h"

#include <QLoggingCategory>
#include <QPainter>
#include <QTimerEvent>
#include <QUrl>

Q_DECLARE_LOGGING_CATEGORY(lc_video_edit)

WndVideoEditProgress::WndVideoEditProgress(QQuickItem* parent)
    : QQuickPaintedItem(parent), m_n_pause_ms(ThreadClipVideo::kFramePauseMs)
{
}

WndVideoEditProgress::~WndVideoEditProgress()
{
    m_timer.stop();
    stop_thread();
}

void WndVideoEditProgress::stop_thread()
{
    if (m_p_thread != nullptr) {
        m_p_thread->stop_and_join();
        delete m_p_thread;
        m_p_thread = nullptr;
    }
}

void WndVideoEditProgress::cancel_clip()
{
    m_timer.stop();
    stop_thread();
}

int64_t WndVideoEditProgress::frames_done() const { return m_p_thread != nullptr ? m_p_thread->frames_done() : 0; }

bool WndVideoEditProgress::is_running() const { return m_p_thread != nullptr && m_p_thread->isRunning(); }

std::unique_ptr<ClipOutput> WndVideoEditProgress::make_output(IRPlayer* player, const ClipJob& job)
{
    return std::make_unique<ClipOutput>(player, job.type, job.base_path, job.frames_per_part);
}

bool WndVideoEditProgress::set_video_clip_info(QObject* editor, const QString& path)
{
    stop_thread();
    m_str_refusal.clear();
    auto* edit = qobject_cast<WndVideoEdit*>(editor);
    const QString local = path.startsWith(QLatin1String("file:")) ? QUrl(path).toLocalFile() : path;
    if (edit == nullptr || edit->player() == nullptr || local.isEmpty()) {
        qCWarning(lc_video_edit) << "clip refused: no editor, recording source or path";
        return false;
    }
    ClipJob job = edit->job();
    job.type = clip_plan::output_type(local);
    job.base_path = clip_plan::base_path(local);
    job.interval = std::clamp(job.interval, 1, clip_plan::kMaxInterval);
    if (job.start.video < 0 || job.start.video >= job.recordings.size() || job.end.video < 0 ||
        job.end.video >= job.recordings.size() || job.total < 1) {
        qCWarning(lc_video_edit) << "clip refused: marks outside the recordings or an empty clip";
        return false;
    }
    // Whatever name the dialog gave, a part must not replace a recording
    // the clip is cut from (or another of the camera's recordings).
    QStringList sources;
    for (const ClipRecording& recording : job.recordings) {
        sources.append(recording.path);
    }
    const QString clash = save_target::source_among(clip_plan::output_paths(job), sources);
    if (!clash.isEmpty()) {
        qCWarning(lc_video_edit) << "clip refused: it would replace its recording" << clash;
        m_str_refusal = save_target::refusal_message(clash);
        return false;
    }
    m_job = job;
    m_player = edit->player();
    m_p_thread = new ThreadClipVideo(m_job, m_player, this, make_output(m_player, m_job));
    m_p_thread->set_frame_pause_ms(m_n_pause_ms);
    connect(m_p_thread, &ThreadClipVideo::sig_finished, this, &WndVideoEditProgress::on_finished,
            Qt::QueuedConnection);
    m_p_thread->start(QThread::InheritPriority);
    m_timer.start(kRepaintMs, Qt::CoarseTimer, this);
    update();
    return true;
}

void WndVideoEditProgress::on_finished(bool ok)
{
    m_timer.stop();
    update();
    if (ok) {
        emit sig_record_ok();
    } else {
        emit sig_record_err();
    }
}

void WndVideoEditProgress::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer.timerId()) {
        if (isVisible() && frames_done() <= m_job.total) {
            update();
        }
        return;
    }
    QQuickPaintedItem::timerEvent(event);
}

void WndVideoEditProgress::paint(QPainter* painter)
{
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    if (w < 6 || h < 6) {
        return;
    }
    painter->fillRect(QRect(0, 0, w, h), QColor(67, 67, 70));
    painter->fillRect(QRect(1, 1, w - 2, h - 2), QColor(23, 23, 23));
    const QRect inner(3, 3, w - 6, h - 6);
    const double fraction = clip_plan::progress_fraction(frames_done(), m_job.total);
    painter->fillRect(QRect(inner.left(), inner.top(), static_cast<int>(inner.width() * fraction) + 1, inner.height()),
                      QColor(0, 122, 204));
    painter->setPen(Qt::white);
    painter->drawText(inner, Qt::AlignRight | Qt::AlignVCenter,
                      QString::asprintf("%.1f", fraction * 100.0) + QLatin1String("% "));
}
