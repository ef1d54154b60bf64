#include "views/thread_clip_video.h"

#include "sources/ir_player.h"
#include "views/wnd_ir_show.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lc_video_edit)

ThreadClipVideo::ThreadClipVideo(const ClipJob& job, IRPlayer* player, QObject* context,
                                 std::unique_ptr<ClipOutput> output)
    : m_job(job), m_player(player), m_context(context), m_output(std::move(output))
{
}

ThreadClipVideo::~ThreadClipVideo() { stop_and_join(); }

void ThreadClipVideo::request_quit()
{
    QMutexLocker lock(&m_mutex);
    m_quit.store(true);
    m_wake.wakeAll();
}

void ThreadClipVideo::stop_and_join()
{
    request_quit();
    // The worker may be waiting for a call it posted to this thread.
    while (!wait(QDeadlineTimer(20))) {
        QCoreApplication::sendPostedEvents(m_context, QEvent::MetaCall);
    }
}

bool ThreadClipVideo::pause(int ms)
{
    QDeadlineTimer deadline(ms);
    QMutexLocker lock(&m_mutex);
    while (!m_quit.load() && !deadline.hasExpired()) {
        m_wake.wait(&m_mutex, deadline);
    }
    return !m_quit.load();
}

bool ThreadClipVideo::on_player_thread(const std::function<bool()>& work)
{
    bool result = false;
    const bool called = QMetaObject::invokeMethod(
        m_context, [&] { result = m_player != nullptr && work(); }, Qt::BlockingQueuedConnection);
    return called && result;
}

bool ThreadClipVideo::write_clip()
{
    if (!on_player_thread([this] { return m_output->begin(); })) {
        qCWarning(lc_video_edit) << "clip encoder not started";
        return false;
    }
    const int interval = std::clamp(m_job.interval, 1, clip_plan::kMaxInterval);
    int64_t handled = 0;
    for (int v = m_job.start.video; v <= m_job.end.video && !m_quit.load(); ++v) {
        const QString path = m_job.recordings.value(v).path;
        const bool opened = on_player_thread([&] {
            if (!m_player->open_file(path)) {
                return false;
            }
            if (m_player->owner_view() != nullptr) {
                emit m_player->owner_view()->sig_change_player_file(path);
            }
            return true;
        });
        int first = 0;
        int last = -1;
        if (!opened || !clip_plan::frame_range(m_job.recordings, m_job.start, m_job.end, v, first, last)) {
            qCWarning(lc_video_edit) << "recording skipped in the clip:" << path;
            continue;
        }
        for (int f = first; f <= last && !m_quit.load(); ++f) {
            m_done.store(handled);
            const bool sampled = handled % interval == 0;
            for (int attempt = 1;; ++attempt) {
                ClipOutput::Result result = ClipOutput::kWritten;
                const bool shown = on_player_thread([&] {
                    m_player->seek_frame(static_cast<uint32_t>(f));
                    emit m_player->sig_update_ctrl_with_frame(f);
                    if (sampled) {
                        result = m_output->write_frame(static_cast<uint32_t>(f));
                    }
                    return true;
                });
                if (!shown || result == ClipOutput::kPartFailed) {
                    return false;
                }
                if (result == ClipOutput::kWritten) {
                    break;
                }
                if (attempt >= kWriteAttempts) {
                    qCWarning(lc_video_edit) << "clip frame" << f << "of" << path << "not written after" << attempt
                                             << "attempts";
                    return false;
                }
                if (!pause(kRetryMs)) {
                    return false;
                }
            }
            ++handled;
            m_done.store(handled);
            if (m_pause_ms > 0) {
                pause(m_pause_ms);
            }
        }
    }
    if (m_quit.load()) {
        return false;
    }
    // A clip without a single frame is no clip.
    bool committed = false;
    on_player_thread([&] {
        committed = !m_output->targets().isEmpty() && m_output->commit();
        return true;
    });
    return committed;
}

void ThreadClipVideo::run()
{
    const bool ok = write_clip();
    if (!ok || m_quit.load()) {
        // A job that failed or was cancelled leaves no part behind.
        if (!on_player_thread([this] {
                m_output->discard();
                return true;
            })) {
            m_output->discard();
        }
    }
    if (m_quit.load()) {
        return;
    }
    if (ok) {
        qCInfo(lc_video_edit) << " ---------------------- mp_video_progress->sig_record_ok();";
    } else {
        qCWarning(lc_video_edit) << " ---------------------- mp_video_progress->sig_record_err();";
    }
    emit sig_finished(ok);
}
