// Worker of the reconnection panel: paused until a reconnection starts,
// then one attempt about every three seconds until the camera answers.
#pragma once

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

class WndIRReconnect;

class ThreadIRReconnect : public QThread {
    Q_OBJECT

public:
    explicit ThreadIRReconnect(WndIRReconnect* owner);
    ~ThreadIRReconnect() override;

    void resume();
    void pause();
    void stop();
    // Time between a discovery request and the connect attempt.
    void set_search_wait_ms(int ms) { m_search_wait_ms = ms; }

protected:
    void run() override;

private:
    // Waits while paused; false when stopped.
    bool wait_resumed();
    // Sleeps up to ms unless stopped or paused meanwhile; false when stopped.
    bool sleep_ms(int ms);

    WndIRReconnect* m_owner;
    QMutex m_mutex;
    QWaitCondition m_cond;
    bool m_stop = false;
    bool m_pause = true;
    int m_search_wait_ms = 3000;
};
