#include "sources/thread_net_device_show.h"

#include "sources/ir_net_device.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

ThreadNetDeviceShow::ThreadNetDeviceShow(IRNetDevice* device) : m_device(device) {}

ThreadNetDeviceShow::~ThreadNetDeviceShow()
{
    stop();
}

void ThreadNetDeviceShow::notify_frame()
{
    QMutexLocker lock(&m_mutex);
    m_pending = true;
    m_cond.wakeAll();
}

void ThreadNetDeviceShow::stop()
{
    {
        QMutexLocker lock(&m_mutex);
        m_stop = true;
        m_cond.wakeAll();
    }
    wait();
}

bool ThreadNetDeviceShow::wait_frame()
{
    QMutexLocker lock(&m_mutex);
    while (!m_pending && !m_stop) {
        m_cond.wait(&m_mutex);
    }
    m_pending = false;
    return !m_stop;
}

void ThreadNetDeviceShow::run()
{
    qCInfo(lc_source) << "ThreadNetDeviceShow::run start";
    while (wait_frame()) {
        m_device->process_frame();
    }
    qCInfo(lc_source) << "ThreadNetDeviceShow::run end";
}
