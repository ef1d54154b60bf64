// The clean-up worker of a camera: when a recorder finds the disk short of
// space it deletes the oldest recordings, one folder's or one file's worth
// per request, on its own thread. It touches only day folders (yyyyMMdd)
// directly under the recording folder and only the recorders' own files in
// them; whatever else lives there stays. Links, to folders or to files, are
// never followed nor counted as recordings. Interrupted recordings (the
// hidden temporary files of a recording killed midway) go with their day
// once they are old.
#pragma once

#include <QObject>
#include <QSet>
#include <QString>

class QThread;

class ThreadDeleteIRV : public QObject {
    Q_OBJECT

public:
    // Starts the worker thread at once (without one, the slots run on the
    // caller's thread).
    explicit ThreadDeleteIRV(bool own_thread = true);
    ~ThreadDeleteIRV() override;

    static bool is_day_folder(const QString& name);
    static bool is_record_file(const QString& name);
    // ".<recording name>.XXXXXX": a recording that was never completed.
    static bool is_interrupted_record(const QString& name);

public slots:
    void slot_delete_old_video(const QString& path, const QString& current_file);
    // Removes the recorders' files of a day folder and the folder when
    // nothing else is left in it; true when the folder is gone.
    bool delete_dir(const QString& path);

signals:
    void sig_stop_capture();
    void sig_capture_status(const QString& str_text, int n_status);

private:
    QThread* m_thread = nullptr;
    QSet<QString> m_failed;
};
