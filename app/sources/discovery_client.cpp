#include "sources/discovery_client.h"

#include <QHostAddress>
#include <QLoggingCategory>
#include <QRegularExpression>

#include <vector>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

namespace {

bool is_loopback(const QString& text)
{
    QHostAddress address;
    return address.setAddress(text) && address.protocol() == QAbstractSocket::IPv4Protocol &&
           address.isLoopback() && address.toString() == text;
}

}  // namespace

DiscoveryPlan discovery_plan_from(const QByteArray& no_broadcast, const QByteArray& addresses)
{
    DiscoveryPlan plan;
    const QByteArray flag = no_broadcast.trimmed();
    plan.broadcast = flag.isEmpty() || flag == "0";
    const QStringList listed =
        QString::fromUtf8(addresses).split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts);
    if (listed.isEmpty()) {
        return plan;
    }
    plan.broadcast = false;
    for (const QString& text : listed) {
        if (!is_loopback(text)) {
            plan.refused << text;
        } else if (!plan.addresses.contains(text)) {
            plan.addresses << text;
        }
    }
    return plan;
}

bool start_discovery_client(void** handle, DiscoveryCallback fn, void* user)
{
    *handle = nullptr;
    const DiscoveryPlan plan =
        discovery_plan_from(qgetenv("PYRAVUE_NO_DISCOVERY_BROADCAST"), qgetenv("PYRAVUE_DISCOVERY_ADDRESSES"));
    for (const QString& text : plan.refused) {
        qCWarning(lc_source) << "PYRAVUE_DISCOVERY_ADDRESSES: not a loopback address, never asked:" << text;
    }
    if (!plan.addresses.isEmpty()) {
        std::vector<QByteArray> bytes;
        std::vector<const char*> texts;
        for (const QString& text : plan.addresses) {
            bytes.push_back(text.toLatin1());
        }
        for (const QByteArray& text : bytes) {
            texts.push_back(text.constData());
        }
        qCInfo(lc_source) << "discovery asks by unicast:" << plan.addresses;
        return sockmesh_discovery_client_start_unicast(handle, texts.data(), int(texts.size()), fn, user);
    }
    if (!plan.broadcast) {
        qCInfo(lc_source) << "discovery sends nothing: no broadcast and no loopback address to ask";
        return true;
    }
    return sockmesh_discovery_client_start(handle, fn, user);
}
