// The playback thread of a recording source: paces the frames of the
// player. It sleeps on its condition while not playing; every change of the
// playing or quit flag happens under its state mutex and wakes it, so a
// change is never lost and a pause or quit ends a pacing sleep at once.
#pragma once

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

class IRPlayer;

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

protected:
    void run() override;

private:
    // Waits until playing or quitting; false when quitting.
    bool wait_for_play();
    // Sleeps up to `ms` unless a pause or quit comes first.
    void pace(int64_t ms);

    IRPlayer* m_player;
    mutable QMutex m_state;
    QWaitCondition m_wake;
    bool m_b_playing = false;
    bool m_b_quit = false;
    bool m_b_end_request = false;
};
