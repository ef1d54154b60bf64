#include "browse/model_dir_info.h"

#include "browse/browse_log.h"
#include "heatreel.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonObject>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTimer>
#include <QUrl>

Q_LOGGING_CATEGORY(lc_browse, "pyravue.browse")

namespace {

// Drives are polled: mounts have no notice Qt delivers, and a stick shows up
// within the period.
constexpr int kDrivePollMs = 2000;

ModelDirInfo::VolumeLister g_lister;
ModelDirInfo* g_watcher = nullptr;

QStringList system_volumes()
{
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady()) {
            roots << volume.rootPath();
        }
    }
    return roots;
}

bool is_removable_mount(const QString& root)
{
    for (const char* prefix : {"/media/", "/run/media/", "/mnt/"}) {
        if (root.startsWith(QLatin1String(prefix)) && root.size() > int(qstrlen(prefix))) {
            return true;
        }
    }
    return false;
}

// A path the QML handed over: a file: URL becomes a local path.
QString local_path(const QString& path)
{
    if (path.startsWith(QLatin1String("file:"))) {
        return QUrl(path).toLocalFile();
    }
    return path;
}

constexpr QDir::Filters kFolderFilter = QDir::Dirs | QDir::NoDotAndDotDot;

bool has_sub_folder(const QString& path)
{
    QDirIterator it(path, kFolderFilter);
    return it.hasNext();
}

QJsonObject folder_entry(const QString& path, const QString& name)
{
    return QJsonObject{{QStringLiteral("str_path"), path},
                       {QStringLiteral("str_name"), name},
                       {QStringLiteral("b_has_child"), has_sub_folder(path)}};
}

}  // namespace

ModelDirInfo::ModelDirInfo(QObject* parent)
    : QObject(parent)
{
    if (g_watcher == nullptr) {
        g_watcher = this;
        m_known_drives = drives();
        m_poll = new QTimer(this);
        m_poll->setInterval(kDrivePollMs);
        connect(m_poll, &QTimer::timeout, this, &ModelDirInfo::poll_drives);
        m_poll->start();
    }
}

ModelDirInfo::~ModelDirInfo()
{
    if (g_watcher == this) {
        g_watcher = nullptr;
    }
}

bool ModelDirInfo::is_watcher() const
{
    return g_watcher == this;
}

void ModelDirInfo::set_volume_lister(VolumeLister lister)
{
    g_lister = std::move(lister);
}

QStringList ModelDirInfo::drives()
{
    QStringList result{QStringLiteral("/")};
    const QString home = QDir::homePath();
    if (home != QLatin1String("/")) {
        result << home;
    }
    QStringList removable;
    for (const QString& root : g_lister ? g_lister() : system_volumes()) {
        const QString clean = QDir::cleanPath(root);
        if (is_removable_mount(clean) && !removable.contains(clean)) {
            removable << clean;
        }
    }
    removable.sort();
    return result + removable;
}

void ModelDirInfo::poll_drives()
{
    if (!is_watcher()) {
        return;
    }
    const QStringList now = drives();
    const QStringList before = m_known_drives;
    m_known_drives = now;
    for (const QString& drive : before) {
        if (!now.contains(drive)) {
            emit sig_remove_device(drive);
        }
    }
    for (const QString& drive : now) {
        if (!before.contains(drive)) {
            emit sig_add_device(drive);
        }
    }
}

QJsonArray ModelDirInfo::get_dirves_path()
{
    QJsonArray result;
    for (const QString& drive : drives()) {
        result.append(drive);
    }
    return result;
}

QString ModelDirInfo::get_desktop_path()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QJsonArray ModelDirInfo::get_sub_path(const QString& path)
{
    QElapsedTimer total;
    total.start();
    QJsonArray result;
    if (path == QLatin1String("Computer")) {
        for (const QString& drive : drives()) {
            result.append(folder_entry(drive, QString()));
        }
        return result;
    }
    const QDir dir(local_path(path));
    const QStringList names = dir.entryList(kFolderFilter, QDir::Name);
    const qint64 listed = total.elapsed();
    for (const QString& name : names) {
        result.append(folder_entry(dir.filePath(name), name));
    }
    qCDebug(lc_browse) << "ModelDirInfo::get_sub_path time :" << total.elapsed() << " mid " << listed;
    return result;
}

QJsonArray ModelDirInfo::get_path_images(const QString& path)
{
    return get_path_files(path, true, false);
}

QJsonArray ModelDirInfo::get_path_files(const QString& path, bool b_has_images, bool b_has_videos)
{
    QJsonArray result;
    if (!b_has_images && !b_has_videos) {
        return result;
    }
    QElapsedTimer total;
    total.start();
    QStringList filters;
    if (b_has_images) {
        filters << QStringLiteral("*.jpg") << QStringLiteral("*.png");
    }
    if (b_has_videos) {
        filters << QStringLiteral("*.irv");
    }
    // Name filters of QDir match without regard to case.
    const QDir dir(local_path(path));
    const QStringList names = dir.entryList(filters, QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    const qint64 listed = total.elapsed();
    for (const QString& name : names) {
        const bool irv = QFileInfo(name).suffix().compare(QLatin1String("irv"), Qt::CaseInsensitive) == 0;
        result.append(QJsonObject{{QStringLiteral("str_path"), dir.filePath(name)},
                                  {QStringLiteral("str_name"), name},
                                  {QStringLiteral("b_jpg"), !irv}});
    }
    qCDebug(lc_browse) << "ModelDirInfo::get_path_files time :" << total.elapsed() << " mid " << listed;
    return result;
}

bool ModelDirInfo::has_ir_file(const QString& path)
{
    Q_UNUSED(path);
    return true;
}

bool ModelDirInfo::has_irv_file(const QString& path)
{
    return vy_ts_is_valid_file_w(local_path(path).toStdWString());
}
