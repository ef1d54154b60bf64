// The QML item that starts the rule export and import. The jobs run on the
// worker's own thread, one at a time, and report through this item's
// signals (init, progress, info, end); QML receives them queued.
#pragma once

#include <QQuickItem>
#include <QString>

class ThreadDetectRuleManage;

class DetectRuleImportExport : public QQuickItem {
    Q_OBJECT
public:
    enum eRuleEndStatus {
        RES_SUCCESS = 0,
        RES_DATA_EMPTY = 1,
        RES_EXIT_SUCESS = 2,
        RES_SQL_ERR = 3,
        RES_EXCEL_ERR = 4,
        RES_ZIP_OPEN_ERR = 5,
        RES_ZIP_CREAT_ERR = 6,
        RES_DISK_SPACE_ERR = 7,
        RES_NO_EXCEL_ERR = 8,
        RES_EXCEL_EMPTY_ERR = 9,
    };
    Q_ENUM(eRuleEndStatus)

    explicit DetectRuleImportExport(QQuickItem* parent = nullptr);
    // Stops the running job and joins the worker's thread.
    ~DetectRuleImportExport() override;

    Q_INVOKABLE int start_export_detect_rules(const QString& str_file_path, bool b_export_station,
                                              bool b_export_translation, bool b_export_distribution);
    Q_INVOKABLE int start_import_detect_rules(const QString& str_zip_path);
    // -1 without a worker, else 0: the running job stops before its next row.
    Q_INVOKABLE int stop_export_detect_rules();
    Q_INVOKABLE int stop_import_detect_rules();

    // Caps of one package entry and of all entries of a package, in bytes
    // (extracted size); for tests. Taken when a job starts.
    void set_package_limits(qint64 entry_bytes, qint64 total_bytes);

signals:
    void sig_export_detect_rules(const QString& str_file_path, bool b_export_station, bool b_export_translation,
                                 bool b_export_distribution);
    void sig_import_detect_rules(const QString& str_zip_path);

    void sig_export_detect_rules_init(int n_total);
    void sig_export_detect_rules_progress(int n_pos);
    void sig_export_detect_rules_info(const QString& str_info);
    void sig_export_detect_rules_end(int n_status);
    void sig_import_detect_rules_init(int n_total);
    void sig_import_detect_rules_progress(int n_pos);
    void sig_import_detect_rules_info(const QString& str_info);
    void sig_import_detect_rules_end(int n_status);

private:
    bool ensure_worker();

    ThreadDetectRuleManage* m_worker = nullptr;
    qint64 m_entry_limit;
    qint64 m_total_limit;
};
