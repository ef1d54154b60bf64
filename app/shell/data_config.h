// The user's settings: one JSON object read whole from config.json at
// start-up and written whole at exit (and at once when the analysis add mode
// changes). Published to the QML as "DataConfig"; the recording threads of the
// camera views read their camera's settings from other threads, so every
// access takes the object's lock.
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QMutex>
#include <QObject>
#include <QString>

#include <functional>

class DataConfig : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString str_clip_video_path READ get_clip_video_path WRITE set_clip_video_path NOTIFY sig_paths_changed)
    Q_PROPERTY(QString str_preview_path READ get_preview_path WRITE set_preview_path NOTIFY sig_paths_changed)
    Q_PROPERTY(QString str_image_save_path READ get_image_save_path WRITE set_image_save_path NOTIFY sig_paths_changed)
    Q_PROPERTY(QString str_video_snap_path READ get_video_snap_path WRITE set_video_snap_path NOTIFY sig_paths_changed)
    Q_PROPERTY(QString str_report_save_path READ get_report_save_path WRITE set_report_save_path NOTIFY sig_paths_changed)
    Q_PROPERTY(QString str_warn_save_path READ get_warn_save_path WRITE set_warn_save_path NOTIFY sig_paths_changed)
    Q_PROPERTY(QString str_irv_open_path READ get_irv_open_path WRITE set_irv_open_path NOTIFY sig_paths_changed)
    Q_PROPERTY(QString str_isotherm_path READ get_isotherm_path WRITE set_isotherm_path NOTIFY sig_paths_changed)
    Q_PROPERTY(QString str_ana_path READ get_ana_path WRITE set_ana_path NOTIFY sig_paths_changed)
    Q_PROPERTY(int n_language_type READ get_language_type WRITE set_language_type NOTIFY sig_change_language)
    Q_PROPERTY(int n_sys_ver READ get_sys_ver CONSTANT)

public:
    // The singleton, created (and config.json read) on the first call. GUI
    // thread only.
    static DataConfig* instance();
    // Deletes the singleton, which writes config.json, and clears the pointer.
    static void destroy();
    static bool has_instance();

    ~DataConfig() override;

    // The settings folder under the user's configuration folder, ending in
    // "/", created when missing.
    Q_INVOKABLE QString get_app_path() const;
    Q_INVOKABLE QString get_config_path() const;
    Q_INVOKABLE bool add_browsing_history(const QString& path);
    Q_INVOKABLE QJsonArray get_browsing_history() const;

    // Recording settings of one camera, by serial number.
    Q_INVOKABLE QString get_record_path(const QString& sn) const;
    Q_INVOKABLE QString get_record_file_size(const QString& sn) const;
    Q_INVOKABLE int get_record_frequency(const QString& sn) const;
    Q_INVOKABLE bool get_record_unlimit(const QString& sn) const;
    Q_INVOKABLE int get_record_duration(const QString& sn) const;
    Q_INVOKABLE bool get_record_stop_mode(const QString& sn) const;
    Q_INVOKABLE int get_record_file_type(const QString& sn) const;
    Q_INVOKABLE void set_record_path(const QString& sn, const QString& path);
    Q_INVOKABLE void set_record_file_size(const QString& sn, const QString& size);
    Q_INVOKABLE void set_record_frequency(const QString& sn, int frequency);
    Q_INVOKABLE void set_record_unlimit(const QString& sn, bool unlimited);
    Q_INVOKABLE void set_record_duration(const QString& sn, int minutes);
    Q_INVOKABLE void set_record_stop_mode(const QString& sn, bool stop_when_full);
    Q_INVOKABLE void set_record_file_type(const QString& sn, int type);

    Q_INVOKABLE QString get_warning_color(int degree) const;
    Q_INVOKABLE void set_warning_color(int degree, const QString& colour);
    Q_INVOKABLE bool get_enable_image_logo() const;
    Q_INVOKABLE void set_enable_image_logo(bool enable);
    Q_INVOKABLE QString get_detect_rule_path() const;
    Q_INVOKABLE void set_detect_rule_path(const QString& path);
    // Also tells markpen and writes config.json at once.
    Q_INVOKABLE void set_add_ana_mode(int mode);
    Q_INVOKABLE int get_add_ana_mode() const;
    // Agrees with n_language_type: true for simplified or traditional Chinese.
    Q_INVOKABLE bool is_chinese_language() const;
    // Stores a report template (a path or a file: URL) under number n and
    // answers its file name; a path without any separator stores nothing.
    Q_INVOKABLE QString set_report_template(int n, const QString& path);
    Q_INVOKABLE QString get_report_template_name(int n) const;
    Q_INVOKABLE QString get_report_template_path(int n) const;
    Q_INVOKABLE int get_report_template_selected() const;
    Q_INVOKABLE bool set_report_template_selected(int selected);

    // The Word template for a report: the selected custom template, else the
    // built-in one of the interface language (its visible-light variant when
    // the picture has a visible-light companion).
    QString get_selected_report_template(bool visible_light) const;

    QString get_clip_video_path() const;
    void set_clip_video_path(const QString& path);
    QString get_preview_path() const;
    void set_preview_path(const QString& path);
    QString get_image_save_path() const;
    void set_image_save_path(const QString& path);
    QString get_video_snap_path() const;
    void set_video_snap_path(const QString& path);
    QString get_report_save_path() const;
    void set_report_save_path(const QString& path);
    QString get_warn_save_path() const;
    void set_warn_save_path(const QString& path);
    QString get_irv_open_path() const;
    void set_irv_open_path(const QString& path);
    QString get_isotherm_path() const;
    void set_isotherm_path(const QString& path);
    QString get_ana_path() const;
    void set_ana_path(const QString& path);
    int get_language_type() const;
    // Stores the number and always emits sig_change_language; the QML loads
    // the translation itself.
    void set_language_type(int language);
    int get_sys_ver() const;

    // The configuration file: <settings folder>config/config.json.
    QString config_file_path() const;
    // Settings files larger than this are no settings of ours.
    static constexpr qint64 kMaxConfigBytes = 16 << 20;
    // Reads config.json; a missing file leaves every setting at its default.
    // A file that cannot be read as a JSON object (or is larger than the
    // limit, or no regular file) is renamed aside to
    // config.json.unreadable-<date>-<time>, logged, and the defaults apply.
    void load_config();
    // The settings object of a config.json text; false and why otherwise.
    static bool parse_settings(const QByteArray& bytes, QJsonObject& settings, QString& why);
    // Writes config.json through a temporary file that replaces it only when
    // complete; false (and a log line) when it could not be written.
    // before_commit, when given, runs once the bytes are written and may
    // cancel the save by answering false (tests use it to interrupt a save).
    bool save_config(const std::function<bool()>& before_commit = {});

signals:
    void sig_change_language();
    void sig_paths_changed();

private:
    DataConfig();

    // Reads a top-level key; an absent key is added as null so that the file
    // written at exit lists every key read during the run. Caller holds the lock.
    QJsonValue read_key(const QString& key) const;
    static bool read_settings(const QString& path, QJsonObject& settings, QString& why);
    QString read_string(const QString& key) const;
    void write_path(const QString& key, const QString& path);
    QJsonValue read_camera_key(const QString& sn, const QString& key) const;
    void write_camera_key(const QString& sn, const QString& key, const QJsonValue& value);

    const QString m_folder_name;
    QString m_app_path;
    mutable QMutex m_mutex;
    mutable QJsonObject m_settings;
    QJsonArray m_history;
};
