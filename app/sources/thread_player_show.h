// The playback thread of a recording source: paces the frames of the
// player. Each frame is shown on the interface thread, which owns the frame
// document and the picture; the thread asks for it and waits for the
// answer. It sleeps on its condition while not playing; every change of the
// playing or quit flag happens under its state mutex and wakes it, so a
// change is never lost and a pause or quit ends any wait at once.
#pragma once

#include "sources/ir_player.h"

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

class ThreadPlayerShow : public QThread {
    Q_OBJECT

public:
    explicit ThreadPlayerShow(IRPlayer* player);
    ~ThreadPlayerShow() override;

    void set_playing(bool on);
    bool is_playing() const;
    // Whether the thread stopped at the end of the recording and no play,
    // pause or stop came since; clears the request.
    bool take_end_request();
    // Ends the loop and waits for it; the thread is finished on return.
    void stop_and_join();
    // The interface thread showed the frame of request `request`.
    void frame_shown(uint32_t request, const IRPlayer::Cycle& cycle);

protected:
    void run() override;

private:
    // Waits until playing or quitting; false when quitting.
    bool wait_for_play();
    // Sleeps up to `ms` unless a pause or quit comes first.
    void pace(int64_t ms);
    // Asks the interface thread to show the next frame and waits for it;
    // false when a pause or quit came first.
    bool show_frame(IRPlayer::Cycle& cycle);

    IRPlayer* m_player;
    mutable QMutex m_state;
    QWaitCondition m_wake;
    bool m_b_playing = false;
    bool m_b_quit = false;
    bool m_b_end_request = false;
    uint32_t m_n_request = 0;
    bool m_b_shown = false;
    IRPlayer::Cycle m_cycle;
};
