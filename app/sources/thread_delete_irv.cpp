#include "sources/thread_delete_irv.h"

#include "sources/thread_recorder.h"

#include "basekit.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QThread>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

ThreadDeleteIRV::ThreadDeleteIRV(bool own_thread)
{
    if (own_thread) {
        m_thread = new QThread;
        moveToThread(m_thread);
        m_thread->start();
    }
}

ThreadDeleteIRV::~ThreadDeleteIRV()
{
    if (m_thread != nullptr) {
        m_thread->quit();
        m_thread->wait();
        delete m_thread;
    }
}

bool ThreadDeleteIRV::is_day_folder(const QString& name)
{
    return name.size() == 8 && QDate::fromString(name, QStringLiteral("yyyyMMdd")).isValid();
}

bool ThreadDeleteIRV::is_record_file(const QString& name)
{
    // serial-yyyyMMdd-hhmmss[-n].ext as the recorders name them; older
    // recordings were written as ".H264".
    static const QRegularExpression pattern(QStringLiteral("^.+-\\d{8}-\\d{6}(-\\d+)?\\.(avi|h264|irv)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name).hasMatch();
}

bool ThreadDeleteIRV::is_interrupted_record(const QString& name)
{
    static const QRegularExpression suffix(QStringLiteral("\\.[A-Za-z0-9]{6}$"));
    return name.startsWith(QLatin1Char('.')) && suffix.match(name).hasMatch() &&
           is_record_file(name.mid(1, name.size() - 8));
}

namespace {

// The recorders' files of a day folder, oldest name first; an interrupted
// recording only once no save can still be writing it.
QStringList record_files(const QDir& dir)
{
    const QDateTime stale = QDateTime::currentDateTime().addSecs(-VY_STALE_TEMP_SECONDS);
    QStringList files;
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Name)) {
        const QString name = info.fileName();
        if (ThreadDeleteIRV::is_record_file(name) ||
            (ThreadDeleteIRV::is_interrupted_record(name) && info.lastModified() < stale)) {
            files << info.absoluteFilePath();
        }
    }
    return files;
}

bool contains_path(const QString& file, const QString& path)
{
    const QString f = QDir::cleanPath(QFileInfo(file).absoluteFilePath());
    const QString p = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    return f == p || f.startsWith(p + QLatin1Char('/'));
}

}  // namespace

void ThreadDeleteIRV::slot_delete_old_video(const QString& path, const QString& current_file)
{
    QStringList days;
    // A linked day folder leads outside the recording folder: never followed.
    for (const QFileInfo& info :
         QDir(path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name)) {
        if (is_day_folder(info.fileName()) && !m_failed.contains(info.absoluteFilePath())) {
            days << info.absoluteFilePath();
        }
    }
    if (days.isEmpty()) {
        return;
    }
    const QString folder = days.first();
    if (!contains_path(current_file, folder)) {
        if (!delete_dir(folder)) {
            m_failed.insert(folder);
        }
        qCInfo(lc_source) << "mp_ir_net_device->slot_delete_old_video Delete dir" << folder;
        return;
    }
    QString oldest;
    for (const QString& file : record_files(QDir(folder))) {
        if (!m_failed.contains(file)) {
            oldest = file;
            break;
        }
    }
    if (oldest.isEmpty()) {
        return;
    }
    if (contains_path(current_file, oldest)) {
        emit sig_capture_status(ThreadRecorder::low_space_text(), -1);
        emit sig_stop_capture();
        qCWarning(lc_source) << "mp_ir_net_device->slot_delete_old_video Delete Err";
        return;
    }
    if (!QFile::remove(oldest)) {
        m_failed.insert(oldest);
    }
    qCInfo(lc_source) << "mp_ir_net_device->slot_delete_old_video Delete file" << oldest;
}

bool ThreadDeleteIRV::delete_dir(const QString& path)
{
    if (path.isEmpty()) {
        return false;
    }
    QDir dir(path);
    if (QFileInfo(path).isSymLink()) {
        qCWarning(lc_source) << "a link is no day folder to delete:" << path;
        return false;
    }
    if (!dir.exists()) {
        return true;
    }
    for (const QString& file : record_files(dir)) {
        if (!QFile::remove(file)) {
            qCWarning(lc_source) << "recording not deleted:" << file;
        }
    }
    // Only an emptied folder goes; a folder holding anything else stays.
    return QDir(QFileInfo(path).absolutePath()).rmdir(QFileInfo(path).fileName());
}
