// The worker of a clip job: walks the chosen frames of the recordings,
// has the recording source show each one and writes every interval-th into
// the clip. The source, its frame document and the clip's files are used on
// the source's thread, reached by blocking queued calls; the worker paces,
// retries a failed write a bounded number of times and stops on request.
#pragma once

#include "views/clip_output.h"
#include "views/clip_plan.h"

#include <QMutex>
#include <QPointer>
#include <QThread>
#include <QWaitCondition>

#include <atomic>
#include <functional>
#include <memory>

class IRPlayer;

class ThreadClipVideo : public QThread {
    Q_OBJECT

public:
    static constexpr int kRetryMs = 100;
    static constexpr int kWriteAttempts = 20;
    static constexpr int kFramePauseMs = 10;

    // `context` lives on the source's thread and outlives the worker.
    ThreadClipVideo(const ClipJob& job, IRPlayer* player, QObject* context, std::unique_ptr<ClipOutput> output);
    ~ThreadClipVideo() override;

    void request_quit();
    bool quitting() const { return m_quit.load(); }
    // Frames handled so far, sampled or not.
    int64_t frames_done() const { return m_done.load(); }
    // Pause after each frame, so that the view keeps up with the frames.
    void set_frame_pause_ms(int ms) { m_pause_ms = ms; }
    // Asks the worker to quit and joins it; called on the source's thread,
    // where it serves the worker's last call meanwhile.
    void stop_and_join();

signals:
    // Once the job ends without being told to quit.
    void sig_finished(bool ok);

protected:
    void run() override;

private:
    bool write_clip();
    // Runs `work` on the source's thread and waits for it; false when the
    // source is gone or the work failed.
    bool on_player_thread(const std::function<bool()>& work);
    // Waits `ms` unless told to quit first; false once quitting.
    bool pause(int ms);

    ClipJob m_job;
    QPointer<IRPlayer> m_player;
    QObject* m_context;
    std::unique_ptr<ClipOutput> m_output;
    int m_pause_ms = kFramePauseMs;
    std::atomic<bool> m_quit{false};
    std::atomic<int64_t> m_done{0};
    QMutex m_mutex;
    QWaitCondition m_wake;
};
