// The worker of the rule exchange: exports rules into packages (a zip per
// substation type with the rule pictures and the rule sheet) and imports such
// packages, on a thread of its own. Packages are outside input: entry names,
// sizes and sheet cells are checked before anything is written.
#pragma once

#include <QJsonArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QThread>

#include <atomic>

class CEexcel;
class DetectRuleImportExport;
class QuaZip;

class ThreadDetectRuleManage : public QObject {
    Q_OBJECT
public:
    // Default caps of one extracted entry and of a whole package.
    static constexpr qint64 kEntryLimit = 256ll << 20;
    static constexpr qint64 kTotalLimit = 4ll << 30;

    // Starts the thread and moves the worker onto it.
    explicit ThreadDetectRuleManage(DetectRuleImportExport* owner);
    // Sets the exit flag and joins the thread; the running job ends at its
    // next row with the stopped status.
    ~ThreadDetectRuleManage() override;

    void request_stop() { m_stop = true; }
    void set_limits(qint64 entry_bytes, qint64 total_bytes);

public slots:
    int slot_export_detect_rules(const QString& str_file_path, bool b_export_station, bool b_export_translation,
                                 bool b_export_distribution);
    int slot_import_detect_rules(const QString& str_zip_path);

public:
    // Sheet rows of the export: the title row, and one rule at row n_row.
    // False when a text does not fit a cell.
    bool thread_export_detect_rules_init_excel(CEexcel& exc);
    bool thread_export_detect_rules_insert_item(int n_row, CEexcel& exc, int& n_sub_type, QString& str_dev_type,
                                                QString& str_dev_vol, QString& str_dev_part, QString& str_shape,
                                                QString& str_anas, QString& str_image_path,
                                                QString& str_des_of_judgement, QJsonArray& json_arr);

private:
    struct ExportRow;
    struct ImportRow;
    class PackageWriter;

    bool stopping() const { return m_stop || m_exit; }
    // Ends a job: the end signal and the slot's result.
    int end_export(int status);
    int end_import(int status);
    int run_export(const QString& folder, bool station, bool transmission, bool distribution);
    int run_import(const QString& zip_path);

    // Copies the zip's current entry into target through a temporary file,
    // at most limit bytes; false (and no file) when the entry is longer, is
    // damaged or the file cannot be written.
    bool extract_current_file(QuaZip* zip, const QString& target, qint64 limit);
    // Moves staged pictures (file, target) over their targets, keeping each
    // picture replaced as "old-<n>" in backup_folder. On failure every
    // picture moved is put back and false is answered; on success `undo`
    // holds what move_back() needs to take the move back.
    bool move_in(const QList<QPair<QString, QString>>& staged, const QString& backup_folder,
                 QList<QPair<QString, QString>>& undo);
    // Takes a move back, last picture first: each replaced picture over its
    // target again, a target that replaced nothing removed.
    static void move_back(const QList<QPair<QString, QString>>& undo);

    QThread m_thread;
    DetectRuleImportExport* m_owner;
    std::atomic<bool> m_exit{false};
    std::atomic<bool> m_stop{false};
    std::atomic<qint64> m_entry_limit{kEntryLimit};
    std::atomic<qint64> m_total_limit{kTotalLimit};
};

// A path the QML handed over: a file: URL becomes its local path.
QString rule_exchange_local_path(const QString& text);
