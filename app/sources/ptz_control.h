// The pan-tilt head under a camera, driven over panmount at the camera's
// address: direction, presets, speeds and wiper for the camera window's
// panel. Once a connect succeeded, a timer reconnects a head that reported
// its link lost.
#pragma once

#include <QObject>
#include <QString>

#include <atomic>

class QTimer;

class PtzControl : public QObject {
    Q_OBJECT

public:
    explicit PtzControl(QObject* parent = nullptr);
    ~PtzControl() override;

    // ip: the head's address, optionally with ":port".
    Q_INVOKABLE bool connect_ptz(const QString& ip);
    Q_INVOKABLE bool reconnect_ptz(const QString& ip);
    Q_INVOKABLE bool ptz_wiper_on();
    Q_INVOKABLE bool ptz_wiper_off();
    // 0 left, 1 up, 2 right, 3 down, 4 left-up, 5 left-down, 6 right-up,
    // 7 right-down, 8 stop.
    Q_INVOKABLE bool ptz_direction(int n);
    Q_INVOKABLE bool ptz_set_preset(int n);
    Q_INVOKABLE bool ptz_goto_preset(int n);
    // Speeds of the panel, 1 to 64.
    Q_INVOKABLE bool ptz_set_horizontal_speed(int speed);
    Q_INVOKABLE bool ptz_set_vertical_speed(int speed);

    bool is_connected() const { return m_connected.load(); }
    bool is_reconnect_timer_running() const;

public slots:
    void slot_time_out();

private:
    static bool on_status(int event, int error, int reserved1, int reserved2, int reserved3, void* user);

    void* m_handle = nullptr;
    std::atomic<bool> m_connected{false};
    QString m_ip;
    QTimer* m_timer = nullptr;
};
