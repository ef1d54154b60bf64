// The worker of the batch runs: prints one word-processor report for many
// pictures (from a layout or a template) and applies one set of analysis
// objects to many pictures. It lives on a thread of its own; jobs arrive
// queued and run one after the other; progress leaves by queued signals.
// Stop and quit are checked between pictures.
#pragma once

#include "reports/batch_report_settings.h"

#include <QJsonArray>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>

class BatchReportPicture;
class QThread;
struct ReportFieldValues;

class ThreadPrintReport : public QObject {
    Q_OBJECT

public:
    // End statuses of a print job.
    enum Status {
        kPrinted = 0,
        kStopped = 1,
        kTemplateWrong = 2,
        kWordFailed = 3,
        kTemplateFileFailed = 4,
        kNoPicture = 5,
        kSaveFailed = 6,
    };

    // Made without a parent: it moves itself to its own thread at once.
    ThreadPrintReport();
    // Quits the current job at the next picture and joins the thread.
    ~ThreadPrintReport() override;

    // Any thread: the running job stops before its next picture.
    void request_stop() { m_stop = true; }
    // Any thread: the worker is being destroyed and quits its job.
    bool quitting() const { return m_quitting; }

    // Both run on the worker's thread; call them queued.
    int slot_print_report(const QString& str_file_path, const QJsonArray& arr_info,
                          const BatchReportSettings& settings);
    int slot_batch_anas(const QJsonArray& arr_file, const QJsonArray& arr_anas);

signals:
    void sig_report_init(int n_total);
    void sig_report_progress(int n_pos);
    void sig_report_info(const QString& str_info);
    void sig_report_end(int n_status);
    void sig_batch_anas_init(int n_total);
    void sig_batch_anas_progress(int n_pos);
    void sig_batch_anas_info(const QString& str_info);
    void sig_batch_anas_end(int n_status);

private:
    // Writes one loaded picture; false ends the job with the status it set.
    using WritePicture = std::function<bool(int written, const ReportFieldValues& values, const QString& path,
                                            const QString& companion, int& status)>;

    bool stopping() const { return m_stop || m_quitting; }
    // The picture loop both writers share: loads each picture, computes its
    // values and hands it to write. Returns the end status, or -1 when the
    // pictures went through; written counts the pictures written.
    int run_pictures(void* handle, const QJsonArray& arr_info, bool chinese, const WritePicture& write, int& written);
    int print_with_template(void* handle, const QString& path, const QJsonArray& arr_info,
                            const BatchReportSettings& settings);
    int print_with_layout(void* handle, const QString& path, const QJsonArray& arr_info, const QString& layout,
                          const BatchReportSettings& settings);
    // One picture of a batch analysis; the info line of its outcome.
    QString apply_anas(void* handle, const QString& path, const QJsonArray& arr_anas);

    QThread* m_thread = nullptr;
    std::atomic<bool> m_quitting{false};
    std::atomic<bool> m_stop{false};
};
