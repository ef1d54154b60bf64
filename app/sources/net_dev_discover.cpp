#include "sources/net_dev_discover.h"

#include "sockmesh.h"
#include "sources/discovery_client.h"

#include <QLoggingCategory>
#include <QStringList>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

namespace {

void on_discovery(const DiscoveryReply* reply, void* user)
{
    if (reply == nullptr || user == nullptr) {
        return;
    }
    const QString ip = QString::fromLatin1(reply->text[0], int(strnlen(reply->text[0], SOCKMESH_ADDR_TEXT)));
    const int length = reply->message == nullptr || reply->text_len < 0 ? 0 : reply->text_len;
    const QByteArray text(reply->message, length);
    auto* self = static_cast<NetDevDiscover*>(user);
    self->take_reply(NetDevDiscover::parse_reply(ip, reply->type & 0xff, text));
}

}  // namespace

NetDevDiscover::NetDevDiscover(QObject* parent) : QObject(parent)
{
    if (!start_discovery_client(&m_discovery, on_discovery, this)) {
        qCWarning(lc_source) << "camera discovery did not start";
        m_discovery = nullptr;
    }
}

NetDevDiscover::~NetDevDiscover()
{
    // No reply arrives once the client finished.
    if (m_discovery != nullptr) {
        sockmesh_discovery_client_finish(&m_discovery);
    }
}

void NetDevDiscover::search_net_dev()
{
    qCInfo(lc_source) << "search_net_dev";
    {
        QMutexLocker lock(&m_mutex);
        m_devices.clear();
    }
    // Sent outside the mutex that the reply callback takes.
    if (m_discovery != nullptr) {
        sockmesh_discovery_broadcast(m_discovery);
    }
}

NetDevDiscover::DeviceRecord NetDevDiscover::parse_reply(const QString& ip, int type, const QByteArray& text)
{
    DeviceRecord record;
    record.ip = ip;
    record.connect_type = type;
    const QString message = QString::fromLocal8Bit(text);
    qCDebug(lc_source) << "str_msg:" << message;
    const QStringList parts = message.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (parts.isEmpty()) {
        return record;
    }
    record.sn = parts.first();
    for (const QString& part : parts) {
        const QStringList pieces = part.split(QLatin1Char(':'), Qt::SkipEmptyParts);
        if (pieces.size() == 2) {
            if (pieces[0] == QLatin1String("software ver")) {
                record.software_ver = pieces[1];
            } else if (pieces[0] == QLatin1String("sys ver")) {
                record.sys_ver = pieces[1];
            }
        } else if (pieces.size() > 2 && pieces[0] == QLatin1String("discover mac")) {
            record.discover_mac = part.mid(part.indexOf(QLatin1Char(':')) + 1);
        }
    }
    return record;
}

void NetDevDiscover::take_reply(const DeviceRecord& record)
{
    {
        QMutexLocker lock(&m_mutex);
        if (m_devices.contains(record.ip)) {
            return;
        }
        m_devices.insert(record.ip, record);
    }
    emit sig_discover_net_dev_info(QJsonObject{{QStringLiteral("DevIP"), record.ip},
                                               {QStringLiteral("DevSN"), record.sn},
                                               {QStringLiteral("SoftwareVer"), record.software_ver},
                                               {QStringLiteral("SysVer"), record.sys_ver},
                                               {QStringLiteral("ConnectType"), record.connect_type},
                                               {QStringLiteral("DiscoverMac"), record.discover_mac}});
}
