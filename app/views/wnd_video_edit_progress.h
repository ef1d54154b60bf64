// The progress of a clip job: takes the job from the clip editor, runs its
// worker and paints how far it got. One job at a time: a new job stops the
// old one first, and the item stops its job before it goes.
#pragma once

#include "views/clip_plan.h"

#include <QBasicTimer>
#include <QPointer>
#include <QQuickPaintedItem>

#include <memory>

class ClipOutput;
class IRPlayer;
class ThreadClipVideo;

class WndVideoEditProgress : public QQuickPaintedItem {
    Q_OBJECT

public:
    static constexpr int kRepaintMs = 40;

    explicit WndVideoEditProgress(QQuickItem* parent = nullptr);
    ~WndVideoEditProgress() override;

    void paint(QPainter* painter) override;

    // Starts cutting the editor's clip into `path` (a path or a file: URL);
    // false when the clip is refused.
    Q_INVOKABLE bool set_video_clip_info(QObject* editor, const QString& path);
    // Why the last job was refused, for the user; empty when it was not
    // refused or there is nothing to tell.
    Q_INVOKABLE QString get_refusal() const { return m_str_refusal; }
    // Stops the running job; its parts are removed.
    Q_INVOKABLE void cancel_clip();

    const ClipJob& job() const { return m_job; }
    int64_t frames_done() const;
    bool is_running() const;
    // Pause of the worker after each frame (tests run without it).
    void set_frame_pause_ms(int ms) { m_n_pause_ms = ms; }

signals:
    void sig_record_err();
    void sig_record_ok();

protected:
    void timerEvent(QTimerEvent* event) override;
    // The writer of a job's files.
    virtual std::unique_ptr<ClipOutput> make_output(IRPlayer* player, const ClipJob& job);

private:
    void stop_thread();
    void on_finished(bool ok);

    QBasicTimer m_timer;
    ClipJob m_job;
    QString m_str_refusal;
    ThreadClipVideo* m_p_thread = nullptr;
    QPointer<IRPlayer> m_player;
    int m_n_pause_ms;
};
