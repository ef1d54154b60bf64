// The panel a camera window shows while its camera is away: a worker
// thread tries the camera again every few seconds (at the address found by
// discovery for a link-local camera) and, once it answers, the camera's
// view reopens the same stream.
#pragma once

#include <QMutex>
#include <QPointer>
#include <QQuickPaintedItem>
#include <QString>

class ThreadIRReconnect;
class WndIRShow;

class WndIRReconnect : public QQuickPaintedItem {
    Q_OBJECT

public:
    explicit WndIRReconnect(QQuickItem* parent = nullptr);
    ~WndIRReconnect() override;

    Q_INVOKABLE void set_ir_show(QObject* view);
    // From the stream's thread when the link dropped.
    void start_reconnect(void* stream, const QString& ip, const QString& sn, const QString& mac);
    void paint(QPainter* painter) override;

    QString log_text() const;
    // What the worker needs for one attempt, copied under the lock.
    struct Target {
        void* stream = nullptr;
        QString address;
    };
    Target target() const;
    void* discovery() const { return m_discovery; }
    // A discovery reply: remembers the address of a camera with this
    // serial number and MAC.
    void take_discovery_reply(const QString& ip, const QByteArray& text);

signals:
    void sig_connect_device();
    void sig_connect_log(const QString& text);
    void sig_wnd_show(bool b_show);

public slots:
    void slot_connect_sucsess();
    void slot_connect_log(const QString& text);

private:
    ThreadIRReconnect* m_thread = nullptr;
    QPointer<WndIRShow> m_ir_show;
    void* m_discovery = nullptr;
    mutable QMutex m_mutex;
    void* m_stream = nullptr;
    QString m_sn;
    QString m_mac;
    QString m_ip;
    QString m_found_ip;
    QString m_log_text;
    int m_log_count = 0;
};
