// The QML item behind the report and batch-analysis windows: forwards each
// job to the batch worker (made at the first request, on a thread of its
// own) and relays the worker's progress to the QML. The main window holds
// one; both windows share it.
#pragma once

#include <QJsonArray>
#include <QQuickItem>
#include <QString>

#include <memory>

class ThreadPrintReport;

class BatchingFile : public QQuickItem {
    Q_OBJECT

public:
    explicit BatchingFile(QQuickItem* parent = nullptr);
    // Joins the worker's thread; a running job stops at its next picture.
    ~BatchingFile() override;

    // Always 0. The pictures are records {"strPicPath", "strPicName"}; the
    // path may be a file: URL.
    Q_INVOKABLE int start_report(QString str_file_path, const QJsonArray& arr_info);
    // 0, or -1 when no job was ever started.
    Q_INVOKABLE int stop_report();
    // Always 0. Files are local paths or file: URLs, analyses
    // {"ana_alias", "ana_str"}.
    Q_INVOKABLE int start_batch_ana(const QJsonArray& arr_file, const QJsonArray& arr_anas);
    Q_INVOKABLE int stop_batch_ana();
    // Opens the last report in the desktop's program for it; true and
    // nothing opened before any report.
    Q_INVOKABLE bool open_report();

    QString report_path() const { return m_report_path; }

signals:
    void sig_print_report(const QString& str_file_path, const QJsonArray& arr_info);
    void sig_report_init(int n_total);
    void sig_report_progress(int n_pos);
    void sig_report_info(const QString& str_info);
    void sig_report_end(int n_status);
    void sig_batch_anas(const QJsonArray& arr_file, const QJsonArray& arr_anas);
    void sig_batch_anas_init(int n_total);
    void sig_batch_anas_progress(int n_pos);
    void sig_batch_anas_info(const QString& str_info);
    void sig_batch_anas_end(int n_status);

private:
    ThreadPrintReport* worker();

    std::unique_ptr<ThreadPrintReport> m_worker;
    QString m_report_path;
};
