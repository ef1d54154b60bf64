// Drives, sub-folders and the picture and recording files of a folder, as
// JSON records for the QML; and notices of drives that come and go.
#pragma once

#include <QJsonArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QTimer;

class ModelDirInfo : public QObject {
    Q_OBJECT
public:
    // Answers the mount points of the mounted volumes. Tests put in a fake.
    using VolumeLister = std::function<QStringList()>;

    explicit ModelDirInfo(QObject* parent = nullptr);
    ~ModelDirInfo() override;

    // The volume lister of every model (the system's by default); an empty
    // function restores the system's.
    static void set_volume_lister(VolumeLister lister);
    // The drives: "/", the user's home, then the removable-media mounts
    // (under /media, /run/media/<user> and /mnt) in name order.
    static QStringList drives();

    Q_INVOKABLE QJsonArray get_dirves_path();
    Q_INVOKABLE QString get_desktop_path();
    // Folder entries of the sub-folders of path, or of the drives for
    // "Computer".
    Q_INVOKABLE QJsonArray get_sub_path(const QString& path);
    Q_INVOKABLE QJsonArray get_path_images(const QString& path);
    Q_INVOKABLE QJsonArray get_path_files(const QString& path, bool b_has_images, bool b_has_videos);
    Q_INVOKABLE bool has_ir_file(const QString& path);
    Q_INVOKABLE bool has_irv_file(const QString& path);

    // Whether this model watches the drives: the first model made while no
    // other watches does, for its whole life.
    bool is_watcher() const;

public slots:
    // Compares the drives with the last poll and signals the differences.
    void poll_drives();

signals:
    void sig_add_device(const QString& s_dir);
    void sig_remove_device(const QString& s_dir);
    void sig_change_device(const QString& s_dir);

private:
    QTimer* m_poll = nullptr;
    QStringList m_known_drives;
};
