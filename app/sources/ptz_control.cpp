#include "sources/ptz_control.h"

#include "panmount.h"

#include <QLoggingCategory>
#include <QTimer>

#include <algorithm>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

namespace {

constexpr int kReconnectMs = 3000;

// The panel's 1 to 64 as the head's 0 to 63.
int head_speed(int panel_speed)
{
    return std::clamp(panel_speed - 1, 0, int(PANMOUNT_MAX_SPEED));
}

}  // namespace

PtzControl::PtzControl(QObject* parent) : QObject(parent)
{
    if (!vy_ptz_init(&m_handle)) {
        qCWarning(lc_source) << "pan-tilt handle not made";
        m_handle = nullptr;
    }
    m_timer = new QTimer(this);
    m_timer->setInterval(kReconnectMs);
    connect(m_timer, &QTimer::timeout, this, &PtzControl::slot_time_out);
}

PtzControl::~PtzControl()
{
    m_timer->stop();
    // No status callback reaches this object once uninit returned.
    if (m_handle != nullptr) {
        vy_ptz_uninit(&m_handle);
    }
}

bool PtzControl::on_status(int event, int, int, int, int, void* user)
{
    auto* self = static_cast<PtzControl*>(user);
    if (self == nullptr) {
        return true;
    }
    if (event == PTZ_EVENT_CONNECTED) {
        self->m_connected.store(true);
    } else if (event == PTZ_EVENT_LINK_LOST) {
        self->m_connected.store(false);
    }
    return true;
}

bool PtzControl::connect_ptz(const QString& ip)
{
    m_connected.store(false);
    if (m_handle == nullptr) {
        return false;
    }
    vy_ptz_disconnect(m_handle);
    if (!vy_ptz_connect(m_handle, ip.toUtf8().constData(), &PtzControl::on_status, this)) {
        qCInfo(lc_source) << "pan-tilt head not reached at" << ip;
        return false;
    }
    m_ip = ip;
    m_connected.store(true);
    qCInfo(lc_source) << "connect_ptz:" << ip;
    if (!m_timer->isActive()) {
        m_timer->start();
    }
    return true;
}

bool PtzControl::reconnect_ptz(const QString&)
{
    return true;
}

bool PtzControl::is_reconnect_timer_running() const
{
    return m_timer->isActive();
}

void PtzControl::slot_time_out()
{
    if (!m_connected.load()) {
        qCInfo(lc_source) << "------------------------slot_time_out:" << m_ip;
        connect_ptz(m_ip);
    }
}

bool PtzControl::ptz_wiper_on()
{
    return m_handle != nullptr && vy_ptz_wiper_on(m_handle);
}

bool PtzControl::ptz_wiper_off()
{
    return m_handle != nullptr && vy_ptz_wiper_off(m_handle);
}

bool PtzControl::ptz_direction(int n)
{
    return m_handle != nullptr && vy_ptz_direction(m_handle, n);
}

bool PtzControl::ptz_set_preset(int n)
{
    return m_handle != nullptr && vy_ptz_set_preset(m_handle, n);
}

bool PtzControl::ptz_goto_preset(int n)
{
    return m_handle != nullptr && vy_ptz_goto_preset(m_handle, n);
}

bool PtzControl::ptz_set_horizontal_speed(int speed)
{
    return m_handle != nullptr && vy_ptz_horizontal_speed(m_handle, head_speed(speed));
}

bool PtzControl::ptz_set_vertical_speed(int speed)
{
    return m_handle != nullptr && vy_ptz_vertical_speed(m_handle, head_speed(speed));
}
