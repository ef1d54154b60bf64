#include "shell/data_config.h"

#include "markpen.h"
#include "basekit.h"
#include "shell/input_file.h"
#include "shell/shell_log.h"
#include "save_file.h"

#include <QColor>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QMutexLocker>
#include <QOperatingSystemVersion>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace {

DataConfig* g_instance = nullptr;

const int kHistoryMax = 5;
const char kLogoResource[] = ":/images/logo_kor.png";

const QString kHistoryKey = QStringLiteral("path_browsing_history");
const QString kLanguageKey = QStringLiteral("language_type");
const QString kAddAnaModeKey = QStringLiteral("add_ana_mode");
const QString kLogoKey = QStringLiteral("b_enable_image_logo");
const QString kTemplateSelectedKey = QStringLiteral("report_template_selected");
const QString kDetectRuleKey = QStringLiteral("path_detect_rule");

QString template_key(int n)
{
    return QStringLiteral("report_template_") + QString::number(n);
}

// The text after the last "/", else after the last backslash; empty when the
// path has neither.
QString name_after_separator(const QString& path)
{
    int at = path.lastIndexOf(QLatin1Char('/'));
    if (at < 0) {
        at = path.lastIndexOf(QLatin1Char('\\'));
    }
    return at < 0 ? QString() : path.mid(at + 1);
}

bool has_separator(const QString& path)
{
    return path.contains(QLatin1Char('/')) || path.contains(QLatin1Char('\\'));
}

}  // namespace

DataConfig* DataConfig::instance()
{
    if (g_instance == nullptr) {
        g_instance = new DataConfig();
    }
    return g_instance;
}

void DataConfig::destroy()
{
    delete g_instance;
    g_instance = nullptr;
}

bool DataConfig::has_instance()
{
    return g_instance != nullptr;
}

DataConfig::DataConfig() : m_folder_name(QStringLiteral("KorvaneIrReportEU"))
{
    load_config();
    m_app_path = QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

DataConfig::~DataConfig()
{
    save_config();
}

QString DataConfig::get_app_path() const
{
    return m_app_path;
}

QString DataConfig::get_config_path() const
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QLatin1Char('/') + m_folder_name + QLatin1Char('/');
    if (!QDir(path).exists() && !QDir().mkpath(path)) {
        qCWarning(lcShell, "cannot create the settings folder %s", qPrintable(path));
    }
    return path;
}

QString DataConfig::config_file_path() const
{
    return get_config_path() + QStringLiteral("config/config.json");
}

void DataConfig::load_config()
{
    const QString path = config_file_path();
    QJsonObject settings;
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) {
        QString why;
        if (!read_settings(path, settings, why)) {
            // The exit save would replace it with the defaults: the file is
            // kept aside for the user to mend.
            const QString stem =
                path + QStringLiteral(".unreadable-") + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
            QString aside = stem;
            for (int n = 2; QFileInfo::exists(aside) && n < 100; ++n) {
                aside = stem + QLatin1Char('-') + QString::number(n);
            }
            // Renamed, never copied: the file may be a pipe.
            const bool kept = !QFileInfo::exists(aside) && QDir().rename(path, aside);
            qCWarning(lcShell, "the settings in %s cannot be read (%s); %s, the defaults apply", qPrintable(path),
                      qPrintable(why), kept ? qPrintable("kept as " + aside) : "it cannot be renamed");
            settings = QJsonObject();
        }
    }
    QMutexLocker lock(&m_mutex);
    m_settings = settings;
    m_history = read_key(kHistoryKey).toArray();
}

bool DataConfig::read_settings(const QString& path, QJsonObject& settings, QString& why)
{
    QFile file;
    if (!open_input_file(file, path, &why)) {
        return false;
    }
    if (file.size() > kMaxConfigBytes) {
        why = QStringLiteral("larger than %1 bytes").arg(kMaxConfigBytes);
        return false;
    }
    return parse_settings(file.read(kMaxConfigBytes + 1), settings, why);
}

bool DataConfig::parse_settings(const QByteArray& bytes, QJsonObject& settings, QString& why)
{
    if (bytes.size() > kMaxConfigBytes) {
        why = QStringLiteral("larger than %1 bytes").arg(kMaxConfigBytes);
        return false;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        // The error's number: its text is a translation, which Qt sets up
        // once and never frees.
        why = document.isNull() ? QStringLiteral("JSON error %1 at byte %2").arg(error.error).arg(error.offset)
                                : QStringLiteral("no settings object");
        return false;
    }
    settings = document.object();
    return true;
}

bool DataConfig::save_config(const std::function<bool()>& before_commit)
{
    const QString folder = get_config_path() + QStringLiteral("config");
    if (!QDir(folder).exists() && !QDir().mkpath(folder)) {
        qCWarning(lcShell, "cannot create the configuration folder %s", qPrintable(folder));
        return false;
    }
    QByteArray bytes;
    {
        QMutexLocker lock(&m_mutex);
        m_settings.insert(kHistoryKey, m_history);
        bytes = QJsonDocument(m_settings).toJson(QJsonDocument::Indented);
    }
    const QString path = folder + QStringLiteral("/config.json");
    vy_remove_stale_temp_files(QFile::encodeName(path).constData(), 0, nullptr);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qCWarning(lcShell, "cannot write %s: %s", qPrintable(file.fileName()), qPrintable(file.errorString()));
        file.cancelWriting();
        return false;
    }
    if (before_commit && !before_commit()) {
        file.cancelWriting();
        return false;
    }
    QString error;
    if (!vy::commit_save_file(file, &error)) {
        qCWarning(lcShell, "cannot replace %s: %s", qPrintable(file.fileName()), qPrintable(error));
        return false;
    }
    return true;
}

QJsonValue DataConfig::read_key(const QString& key) const
{
    const auto found = m_settings.constFind(key);
    if (found == m_settings.constEnd()) {
        m_settings.insert(key, QJsonValue::Null);
        return QJsonValue::Null;
    }
    return found.value();
}

QString DataConfig::read_string(const QString& key) const
{
    QMutexLocker lock(&m_mutex);
    return read_key(key).toString();
}

namespace {

// Folders from the QML often come as file: URLs from a dialog.
QString local_path(const QString& path_or_url)
{
    return path_or_url.startsWith(QStringLiteral("file:")) ? QUrl(path_or_url).toLocalFile() : path_or_url;
}

}  // namespace

void DataConfig::write_path(const QString& key, const QString& path_or_url)
{
    const QString path = local_path(path_or_url);
    {
        QMutexLocker lock(&m_mutex);
        if (m_settings.value(key) == QJsonValue(path)) {
            return;
        }
        m_settings.insert(key, path);
    }
    emit sig_paths_changed();
}

bool DataConfig::add_browsing_history(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    for (int i = 0; i < m_history.size(); ++i) {
        if (m_history.at(i).toString() == path) {
            m_history.removeAt(i);
            break;
        }
    }
    m_history.prepend(path);
    while (m_history.size() > kHistoryMax) {
        m_history.removeLast();
    }
    return true;
}

QJsonArray DataConfig::get_browsing_history() const
{
    QMutexLocker lock(&m_mutex);
    QJsonArray entries;
    for (const QJsonValue& value : m_history) {
        const QString path = value.toString();
        QString trimmed = path;
        if (trimmed.endsWith(QLatin1Char('/'))) {
            trimmed.chop(1);
        }
        const int slash = trimmed.lastIndexOf(QLatin1Char('/'));
        QJsonObject entry;
        entry.insert(QStringLiteral("strSettingHistoryPath"), path);
        entry.insert(QStringLiteral("strSettingHistoryName"), slash < 0 ? trimmed : trimmed.mid(slash + 1));
        entries.append(entry);
    }
    return entries;
}

// --- Recording settings per camera --------------------------------------------

QJsonValue DataConfig::read_camera_key(const QString& sn, const QString& key) const
{
    QMutexLocker lock(&m_mutex);
    return m_settings.value(sn).toObject().value(key);
}

void DataConfig::write_camera_key(const QString& sn, const QString& key, const QJsonValue& value)
{
    QMutexLocker lock(&m_mutex);
    QJsonObject camera = m_settings.value(sn).toObject();
    camera.insert(key, value);
    m_settings.insert(sn, camera);
}

QString DataConfig::get_record_path(const QString& sn) const
{
    return sn.isEmpty() ? QString() : read_camera_key(sn, QStringLiteral("path_save_irv")).toString();
}

QString DataConfig::get_record_file_size(const QString& sn) const
{
    return sn.isEmpty() ? QString() : read_camera_key(sn, QStringLiteral("maximum_file_size")).toString();
}

int DataConfig::get_record_frequency(const QString& sn) const
{
    return sn.isEmpty() ? 1 : read_camera_key(sn, QStringLiteral("frequency")).toInt(0);
}

bool DataConfig::get_record_unlimit(const QString& sn) const
{
    return sn.isEmpty() ? false : read_camera_key(sn, QStringLiteral("unlimited_recording_time")).toBool(false);
}

int DataConfig::get_record_duration(const QString& sn) const
{
    if (sn.isEmpty()) {
        return 100;
    }
    const int minutes = read_camera_key(sn, QStringLiteral("recording_duration")).toInt(100);
    return minutes < 1 ? 100 : minutes;
}

bool DataConfig::get_record_stop_mode(const QString& sn) const
{
    return sn.isEmpty() ? false : read_camera_key(sn, QStringLiteral("recording_stop_mode")).toBool(false);
}

int DataConfig::get_record_file_type(const QString& sn) const
{
    return sn.isEmpty() ? 1 : read_camera_key(sn, QStringLiteral("record_file_type")).toInt(0);
}

void DataConfig::set_record_path(const QString& sn, const QString& path)
{
    write_camera_key(sn, QStringLiteral("path_save_irv"), path);
}

void DataConfig::set_record_file_size(const QString& sn, const QString& size)
{
    write_camera_key(sn, QStringLiteral("maximum_file_size"), size);
}

void DataConfig::set_record_frequency(const QString& sn, int frequency)
{
    write_camera_key(sn, QStringLiteral("frequency"), frequency);
}

void DataConfig::set_record_unlimit(const QString& sn, bool unlimited)
{
    write_camera_key(sn, QStringLiteral("unlimited_recording_time"), unlimited);
}

void DataConfig::set_record_duration(const QString& sn, int minutes)
{
    write_camera_key(sn, QStringLiteral("recording_duration"), minutes);
}

void DataConfig::set_record_stop_mode(const QString& sn, bool stop_when_full)
{
    write_camera_key(sn, QStringLiteral("recording_stop_mode"), stop_when_full);
}

void DataConfig::set_record_file_type(const QString& sn, int type)
{
    write_camera_key(sn, QStringLiteral("record_file_type"), type);
}

// --- Single settings ------------------------------------------------------------

QString DataConfig::get_warning_color(int degree) const
{
    const QString stored = read_string(QStringLiteral("warning_color_") + QString::number(degree));
    if (!stored.isEmpty()) {
        return stored;
    }
    return QColor(degree == 1 ? QStringLiteral("#FF0000") : QStringLiteral("#FF8000")).name();
}

void DataConfig::set_warning_color(int degree, const QString& colour)
{
    QMutexLocker lock(&m_mutex);
    m_settings.insert(QStringLiteral("warning_color_") + QString::number(degree), colour);
}

bool DataConfig::get_enable_image_logo() const
{
    QMutexLocker lock(&m_mutex);
    return read_key(kLogoKey).toBool(true);
}

void DataConfig::set_enable_image_logo(bool enable)
{
    {
        QMutexLocker lock(&m_mutex);
        m_settings.insert(kLogoKey, enable);
    }
    if (enable) {
        markpen_set_logo(kLogoResource);
    } else {
        markpen_clear_logo();
    }
}

QString DataConfig::get_detect_rule_path() const
{
    return read_string(kDetectRuleKey);
}

void DataConfig::set_detect_rule_path(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    m_settings.insert(kDetectRuleKey, path);
}

void DataConfig::set_add_ana_mode(int mode)
{
    {
        QMutexLocker lock(&m_mutex);
        m_settings.insert(kAddAnaModeKey, mode);
    }
    markpen_set_analysis_mode(mode == 0);
    save_config();
}

int DataConfig::get_add_ana_mode() const
{
    QMutexLocker lock(&m_mutex);
    return read_key(kAddAnaModeKey).toInt(1);
}

bool DataConfig::is_chinese_language() const
{
    const int language = get_language_type();
    return language == 0 || language == 2;
}

QString DataConfig::set_report_template(int n, const QString& path)
{
    const QString local = local_path(path);
    if (!has_separator(local)) {
        return QString();
    }
    {
        QMutexLocker lock(&m_mutex);
        m_settings.insert(template_key(n), local);
    }
    return name_after_separator(local);
}

QString DataConfig::get_report_template_name(int n) const
{
    return name_after_separator(get_report_template_path(n));
}

QString DataConfig::get_report_template_path(int n) const
{
    return read_string(template_key(n));
}

int DataConfig::get_report_template_selected() const
{
    QMutexLocker lock(&m_mutex);
    return read_key(kTemplateSelectedKey).toInt(0);
}

bool DataConfig::set_report_template_selected(int selected)
{
    QMutexLocker lock(&m_mutex);
    m_settings.insert(kTemplateSelectedKey, selected);
    return true;
}

QString DataConfig::get_selected_report_template(bool visible_light) const
{
    const int selected = get_report_template_selected();
    if (selected >= 1 && selected <= 3) {
        return get_report_template_path(selected);
    }
    QString name;
    switch (get_language_type()) {
    case 1:
    case 3:
    case 4:
        name = QStringLiteral("DefaultDotEn");
        break;
    case 2:
        name = QStringLiteral("DefaultDotHk");
        break;
    default:
        name = QStringLiteral("DefaultDot");
        break;
    }
    return m_app_path + name + (visible_light ? QStringLiteral("VI.dot") : QStringLiteral(".dot"));
}

// --- Properties -------------------------------------------------------------------

#define PYRAVUE_CONFIG_PATH(getter, setter, key)                  \
    QString DataConfig::getter() const                             \
    {                                                              \
        return read_string(QStringLiteral(key));                   \
    }                                                              \
    void DataConfig::setter(const QString& path)                   \
    {                                                              \
        write_path(QStringLiteral(key), path);                     \
    }

PYRAVUE_CONFIG_PATH(get_clip_video_path, set_clip_video_path, "str_clip_video_path")
PYRAVUE_CONFIG_PATH(get_preview_path, set_preview_path, "path_preview")
PYRAVUE_CONFIG_PATH(get_image_save_path, set_image_save_path, "path_save_image")
PYRAVUE_CONFIG_PATH(get_video_snap_path, set_video_snap_path, "path_snap_path")
PYRAVUE_CONFIG_PATH(get_report_save_path, set_report_save_path, "path_save_report")
PYRAVUE_CONFIG_PATH(get_warn_save_path, set_warn_save_path, "path_warn_save_path")
PYRAVUE_CONFIG_PATH(get_irv_open_path, set_irv_open_path, "path_irv_open_path")
PYRAVUE_CONFIG_PATH(get_isotherm_path, set_isotherm_path, "path_isotherm")
PYRAVUE_CONFIG_PATH(get_ana_path, set_ana_path, "path_ana")

#undef PYRAVUE_CONFIG_PATH

int DataConfig::get_language_type() const
{
    QMutexLocker lock(&m_mutex);
    return read_key(kLanguageKey).toInt(1);
}

void DataConfig::set_language_type(int language)
{
    {
        QMutexLocker lock(&m_mutex);
        m_settings.insert(kLanguageKey, language);
    }
    emit sig_change_language();
}

int DataConfig::get_sys_ver() const
{
    const int major = QOperatingSystemVersion::current().majorVersion();
    return major > 0 ? major : 6;
}
