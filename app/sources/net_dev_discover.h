// Finds the thermal cameras on the local networks: sends a discovery
// broadcast when asked and reports every camera that answers once per
// search, as a JSON object for the camera page.
#pragma once

#include <QJsonObject>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QString>

class NetDevDiscover : public QObject {
    Q_OBJECT

public:
    // What a camera says of itself.
    struct DeviceRecord {
        QString ip;
        int connect_type = 0;
        QString sn;
        QString software_ver;
        QString sys_ver;
        QString discover_mac;
    };

    explicit NetDevDiscover(QObject* parent = nullptr);
    ~NetDevDiscover() override;

    Q_INVOKABLE void search_net_dev();

    // Reads a reply's device text: "<sn>;software ver:<v>;sys ver:<v>;
    // discover mac:<mac>;...", parts in any order after the serial number.
    static DeviceRecord parse_reply(const QString& ip, int type, const QByteArray& text);
    // A reply from sockmesh's thread: reported unless its address already
    // answered in this search.
    void take_reply(const DeviceRecord& record);

signals:
    void sig_discover_net_dev_info(const QJsonObject& net_dev_obj);

private:
    void* m_discovery = nullptr;
    QMutex m_mutex;
    QMap<QString, DeviceRecord> m_devices;
};
