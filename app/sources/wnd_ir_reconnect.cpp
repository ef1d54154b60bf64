#include "sources/wnd_ir_reconnect.h"

#include "sockmesh.h"
#include "sources/discovery_client.h"
#include "sources/net_dev_discover.h"
#include "sources/thread_ir_reconnect.h"
#include "views/wnd_ir_show.h"

#include <QLoggingCategory>
#include <QPainter>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

namespace {

void on_discovery(const DiscoveryReply* reply, void* user)
{
    if (reply == nullptr || user == nullptr) {
        return;
    }
    const QString ip = QString::fromLatin1(reply->text[0], int(strnlen(reply->text[0], SOCKMESH_ADDR_TEXT)));
    const QByteArray text(reply->message, reply->message == nullptr ? 0 : reply->text_len);
    static_cast<WndIRReconnect*>(user)->take_discovery_reply(ip, text);
}

}  // namespace

WndIRReconnect::WndIRReconnect(QQuickItem* parent) : QQuickPaintedItem(parent)
{
    connect(this, &WndIRReconnect::sig_connect_device, this, &WndIRReconnect::slot_connect_sucsess,
            Qt::QueuedConnection);
    connect(this, &WndIRReconnect::sig_connect_log, this, &WndIRReconnect::slot_connect_log, Qt::QueuedConnection);
    if (!start_discovery_client(&m_discovery, on_discovery, this)) {
        qCWarning(lc_source) << "reconnection: discovery did not start";
        m_discovery = nullptr;
    }
    m_thread = new ThreadIRReconnect(this);
    m_thread->start();
}

WndIRReconnect::~WndIRReconnect()
{
    qCInfo(lc_source) << "~WndIRReconnect 1";
    m_thread->stop();
    delete m_thread;
    qCInfo(lc_source) << "~WndIRReconnect 2";
    if (m_discovery != nullptr) {
        sockmesh_discovery_client_finish(&m_discovery);
    }
    qCInfo(lc_source) << "~WndIRReconnect 3";
}

void WndIRReconnect::set_ir_show(QObject* view)
{
    m_ir_show = qobject_cast<WndIRShow*>(view);
    if (m_ir_show != nullptr) {
        m_ir_show->set_reconnect(this);
    }
}

void WndIRReconnect::start_reconnect(void* stream, const QString& ip, const QString& sn, const QString& mac)
{
    qCInfo(lc_source) << "start_reconnect" << ip << sn;
    {
        QMutexLocker lock(&m_mutex);
        m_found_ip.clear();
        m_stream = stream;
        m_ip = ip;
        m_sn = sn;
        m_mac = mac;
    }
    m_thread->resume();
    emit sig_wnd_show(true);
}

WndIRReconnect::Target WndIRReconnect::target() const
{
    QMutexLocker lock(&m_mutex);
    // A link-local camera may come back under another address.
    const bool link_local = m_ip.startsWith(QLatin1String("169.254."));
    return Target{m_stream, link_local ? m_found_ip : m_ip};
}

void WndIRReconnect::take_discovery_reply(const QString& ip, const QByteArray& text)
{
    const NetDevDiscover::DeviceRecord reply = NetDevDiscover::parse_reply(ip, 0, text);
    QMutexLocker lock(&m_mutex);
    if (!reply.discover_mac.isEmpty() && reply.discover_mac == m_mac && reply.sn == m_sn) {
        m_found_ip = ip;
    }
}

void WndIRReconnect::slot_connect_sucsess()
{
    qCInfo(lc_source) << "slot_connect_sucsess!";
    void* stream = nullptr;
    QString sn;
    QString address;
    QString mac;
    {
        QMutexLocker lock(&m_mutex);
        stream = m_stream;
        sn = m_sn;
        address = m_found_ip.isEmpty() ? m_ip : m_found_ip;
        mac = m_mac;
    }
    if (m_ir_show != nullptr) {
        const bool ok = m_ir_show->reopen_net_device(sn, address, mac, stream);
        slot_connect_log(ok ? tr("Success to connect") : tr("Fail to connect"));
    }
    qCInfo(lc_source) << "stop_reconnect";
    emit sig_wnd_show(false);
    m_thread->pause();
}

void WndIRReconnect::slot_connect_log(const QString& text)
{
    m_log_count = (m_log_count % 3) + 1;
    const QString dots = m_log_count == 1 ? QStringLiteral(".") : m_log_count == 2 ? QStringLiteral("..") : QStringLiteral("...");
    {
        QMutexLocker lock(&m_mutex);
        m_log_text = text + dots;
    }
    update();
}

QString WndIRReconnect::log_text() const
{
    QMutexLocker lock(&m_mutex);
    return m_log_text;
}

void WndIRReconnect::paint(QPainter* painter)
{
    const QRectF area(0, 0, width(), height());
    painter->fillRect(area, QColor(51, 51, 55));
    painter->setPen(QColor(67, 67, 70));
    painter->drawRect(area.adjusted(0, 0, -1, -1));
    painter->setPen(Qt::white);
    painter->drawText(area, Qt::AlignCenter, log_text());
}
