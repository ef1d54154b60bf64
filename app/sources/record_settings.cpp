#include "sources/record_settings.h"

#include "shell/data_config.h"
#include "shell/global_function.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

constexpr int64_t kMiB = 1048576;
constexpr int kDefaultSizeMb = 100;

}  // namespace

int64_t RecordSettings::parse_size_limit(const QString& text)
{
    const int at = text.indexOf(QLatin1String("MB"));
    bool ok = false;
    const qint64 mb = at < 0 ? 0 : text.left(at).trimmed().toLongLong(&ok);
    return (ok && mb > 0 ? mb : kDefaultSizeMb) * kMiB;
}

int RecordSettings::file_type_of(int stored)
{
    return stored == H264 || stored == Avi ? stored : Irv;
}

RecordSettings RecordSettings::read(const QString& sn)
{
    const DataConfig* config = DataConfig::instance();
    RecordSettings s;
    if (config == nullptr) {
        return s;
    }
    s.path = config->get_record_path(sn);
    s.size_limit_bytes = parse_size_limit(config->get_record_file_size(sn));
    s.frequency = config->get_record_frequency(sn);
    s.unlimited = config->get_record_unlimit(sn);
    s.duration_minutes = config->get_record_duration(sn);
    if (s.duration_minutes < 1) {
        s.duration_minutes = 100;
    }
    s.stop_when_full = config->get_record_stop_mode(sn);
    s.file_type = file_type_of(config->get_record_file_type(sn));
    return s;
}

float record_free_space_gb(const QString& path)
{
    if (path.isEmpty()) {
        return -1.0f;
    }
    QString at = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    while (!QFileInfo::exists(at)) {
        const QString up = QFileInfo(at).path();
        if (up == at) {
            return -1.0f;
        }
        at = up;
    }
    return get_disk_free_space_gb(at);
}
