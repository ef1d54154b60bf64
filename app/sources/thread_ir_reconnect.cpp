#include "sources/thread_ir_reconnect.h"

#include "sockmesh.h"
#include "sources/wnd_ir_reconnect.h"
#include "wirereel.h"

#include <QDeadlineTimer>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

ThreadIRReconnect::ThreadIRReconnect(WndIRReconnect* owner) : m_owner(owner) {}

ThreadIRReconnect::~ThreadIRReconnect()
{
    stop();
}

void ThreadIRReconnect::resume()
{
    QMutexLocker lock(&m_mutex);
    m_pause = false;
    m_cond.wakeAll();
}

void ThreadIRReconnect::pause()
{
    QMutexLocker lock(&m_mutex);
    m_pause = true;
    m_cond.wakeAll();
}

void ThreadIRReconnect::stop()
{
    {
        QMutexLocker lock(&m_mutex);
        m_stop = true;
        m_pause = true;
        m_cond.wakeAll();
    }
    wait();
}

bool ThreadIRReconnect::wait_resumed()
{
    QMutexLocker lock(&m_mutex);
    while (m_pause && !m_stop) {
        m_cond.wait(&m_mutex);
    }
    return !m_stop;
}

bool ThreadIRReconnect::sleep_ms(int ms)
{
    QMutexLocker lock(&m_mutex);
    QDeadlineTimer deadline(ms);
    while (!m_stop && !m_pause && !deadline.hasExpired()) {
        m_cond.wait(&m_mutex, deadline);
    }
    return !m_stop;
}

void ThreadIRReconnect::run()
{
    qCInfo(lc_source) << "ThreadIRReconnect::run start";
    while (m_owner != nullptr && wait_resumed()) {
        emit m_owner->sig_connect_log(tr("Connecting infrared device"));
        if (m_owner->discovery() != nullptr) {
            sockmesh_discovery_broadcast(m_owner->discovery());
        }
        if (!sleep_ms(m_search_wait_ms)) {
            break;
        }
        const WndIRReconnect::Target target = m_owner->target();
        bool paused = false;
        {
            QMutexLocker lock(&m_mutex);
            paused = m_pause;
        }
        if (!paused && target.stream != nullptr && !target.address.isEmpty()) {
            qCInfo(lc_source) << "reconnecting" << target.address;
            if (wirereel_connect(target.stream, target.address.toLatin1().constData())) {
                qCInfo(lc_source) << "Reconnect sucsess!" << target.address;
                pause();
                emit m_owner->sig_connect_device();
            }
        }
    }
    qCInfo(lc_source) << "ThreadIRReconnect::run end";
}
