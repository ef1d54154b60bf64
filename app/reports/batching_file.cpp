#include "reports/batching_file.h"

#include "reports/batch_report_settings.h"
#include "reports/thread_print_report.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {

// A file: URL from a dialog as a local path; a path stays as it is.
QString local_path(const QString& text)
{
    const QUrl url(text);
    return url.isLocalFile() ? url.toLocalFile() : text;
}

}  // namespace

BatchingFile::BatchingFile(QQuickItem* parent) : QQuickItem(parent) {}

BatchingFile::~BatchingFile() = default;

ThreadPrintReport* BatchingFile::worker()
{
    if (m_worker) return m_worker.get();
    m_worker = std::make_unique<ThreadPrintReport>();
    ThreadPrintReport* w = m_worker.get();
    // Queued: the worker emits on its own thread.
    connect(w, &ThreadPrintReport::sig_report_init, this, &BatchingFile::sig_report_init);
    connect(w, &ThreadPrintReport::sig_report_progress, this, &BatchingFile::sig_report_progress);
    connect(w, &ThreadPrintReport::sig_report_info, this, &BatchingFile::sig_report_info);
    connect(w, &ThreadPrintReport::sig_report_end, this, &BatchingFile::sig_report_end);
    connect(w, &ThreadPrintReport::sig_batch_anas_init, this, &BatchingFile::sig_batch_anas_init);
    connect(w, &ThreadPrintReport::sig_batch_anas_progress, this, &BatchingFile::sig_batch_anas_progress);
    connect(w, &ThreadPrintReport::sig_batch_anas_info, this, &BatchingFile::sig_batch_anas_info);
    connect(w, &ThreadPrintReport::sig_batch_anas_end, this, &BatchingFile::sig_batch_anas_end);
    return w;
}

int BatchingFile::start_report(QString str_file_path, const QJsonArray& arr_info)
{
    ThreadPrintReport* w = worker();
    str_file_path = local_path(str_file_path);
    m_report_path = str_file_path;
    // Everything the job needs of the configuration and the screen is
    // taken here, on the GUI thread.
    const BatchReportSettings settings = BatchReportSettings::from_config();
    emit sig_print_report(str_file_path, arr_info);
    QMetaObject::invokeMethod(
        w, [w, str_file_path, arr_info, settings] { w->slot_print_report(str_file_path, arr_info, settings); },
        Qt::QueuedConnection);
    return 0;
}

int BatchingFile::stop_report()
{
    if (!m_worker) return -1;
    m_worker->request_stop();
    return 0;
}

int BatchingFile::start_batch_ana(const QJsonArray& arr_file, const QJsonArray& arr_anas)
{
    ThreadPrintReport* w = worker();
    QJsonArray files;
    for (const QJsonValue& value : arr_file) files.append(local_path(value.toString()));
    emit sig_batch_anas(files, arr_anas);
    QMetaObject::invokeMethod(
        w, [w, files, arr_anas] { w->slot_batch_anas(files, arr_anas); }, Qt::QueuedConnection);
    return 0;
}

int BatchingFile::stop_batch_ana() { return stop_report(); }

bool BatchingFile::open_report()
{
    if (m_report_path.isEmpty()) return true;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(m_report_path).absoluteFilePath()));
}
