// The export: one package per chosen substation type with rules, each holding
// the rule pictures and, last, the rule sheet.
#include "rules/ce_excel.h"
#include "rules/data_sql.h"
#include "rules/detect_rule_import_export.h"
#include "rules/rule_package_path.h"
#include "rules/rules_log.h"
#include "rules/sql_connection_pool.h"
#include "rules/thread_detect_rule_manage.h"
#include "shell/input_file.h"
#include "save_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>
#include <zlib.h>

#include <memory>
#include <vector>

using Status = DetectRuleImportExport::eRuleEndStatus;

struct ThreadDetectRuleManage::ExportRow {
    qint64 id = 0;
    int kind = 0;
    QString texts[13];  // rule texts, then the formula's (empty without one)
};

namespace {

enum { kDevType, kVoltage, kPart, kShape, kAnas, kImage, kJudgement, kDegree, kFormula, kFormulaDes, kResult,
       kThermal, kHanding };

// Both tables have an id, so the columns are named.
const char* const kExportQuery =
    "SELECT r.id, r.substation_type, r.dev_type_name, r.dev_voltage, r.dev_part, r.shape, r.anas, "
    "r.image_file_name, r.des_of_judgement, f.fault_degree_name, f.formula, f.des_of_formula, "
    "f.judgement_result, f.thermal_feature, f.handing_suggestion, f.fault_degree_id "
    "FROM t_detect_rules r LEFT JOIN t_formula_of_detect_rules f ON f.detect_rule_id = r.id "
    "WHERE r.substation_type IN (%1) "
    "ORDER BY r.substation_type, r.dev_type_name, r.shape, r.id, f.id";

QString kind_name(int kind)
{
    return kind == 0 ? QStringLiteral("变电") : kind == 1 ? QStringLiteral("输电") : QStringLiteral("配电");
}

}  // namespace

// A package being written: a zip in a temporary file beside its final name,
// renamed only when every entry and the central directory are written.
class ThreadDetectRuleManage::PackageWriter {
public:
    explicit PackageWriter(const QString& path) : m_file(path), m_zip(&m_file)
    {
        m_zip.setAutoClose(false);
        m_zip.setUtf8Enabled(true);
        m_ok = m_file.open(QIODevice::WriteOnly) && m_zip.open(QuaZip::mdCreate);
        if (!m_ok) {
            qCWarning(lc_db) << "cannot create the package" << path << m_file.errorString();
        }
    }

    bool is_ok() const { return m_ok; }

    // Adds a file; a file that cannot be read is left out with a log line
    // (answering true), a failed write answers false.
    bool add_file(const QString& entry_name, const QString& path, bool& read_failed)
    {
        read_failed = false;
        QFile source;
        if (!open_input_file(source, path)) {
            qCWarning(lc_db) << "picture" << path << "cannot be read; left out of the package";
            read_failed = true;
            return true;
        }
        QuaZipFile entry(&m_zip);
        if (!entry.open(QIODevice::WriteOnly, QuaZipNewInfo(entry_name, path), nullptr, 0, Z_DEFLATED,
                        Z_DEFAULT_COMPRESSION, false, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY)) {
            return fail(entry_name);
        }
        char buffer[4096];
        for (;;) {
            const qint64 got = source.read(buffer, sizeof buffer);
            if (got < 0) {
                qCWarning(lc_db) << "reading" << path << "failed:" << source.errorString();
                entry.close();
                return fail(entry_name);
            }
            if (got == 0) {
                break;
            }
            if (entry.write(buffer, got) != got) {
                entry.close();
                return fail(entry_name);
            }
        }
        entry.close();
        if (entry.getZipError() != ZIP_OK) {
            return fail(entry_name);
        }
        ++m_entries;
        return true;
    }

    // Writes the central directory and renames the package into place.
    bool commit()
    {
        if (!m_ok) {
            return false;
        }
        m_zip.close();
        QString error;
        m_ok = m_zip.getZipError() == ZIP_OK;
        if (!m_ok) {
            error = QStringLiteral("zip error %1").arg(m_zip.getZipError());
            m_file.cancelWriting();
        } else {
            m_ok = vy::commit_save_file(m_file, &error);
        }
        // The package in place must read back whole: a package that cannot
        // be imported is removed rather than reported as exported.
        if (m_ok && !reads_back(m_file.fileName(), m_entries)) {
            error = QStringLiteral("the written package does not read back");
            QFile::remove(m_file.fileName());
            m_ok = false;
        }
        if (!m_ok) {
            qCWarning(lc_db) << "cannot complete the package" << m_file.fileName() << error;
        }
        return m_ok;
    }

private:
    // Reads every entry of the package at `path` through its central
    // directory, checking each entry's checksum.
    static bool reads_back(const QString& path, int entries)
    {
        QuaZip zip(path);
        if (!zip.open(QuaZip::mdUnzip) || zip.getEntriesCount() != entries) {
            return false;
        }
        char buffer[4096];
        for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
            QuaZipFile entry(&zip);
            if (!entry.open(QIODevice::ReadOnly)) {
                return false;
            }
            qint64 got = 0;
            while ((got = entry.read(buffer, sizeof buffer)) > 0) {
            }
            entry.close();
            if (got < 0 || entry.getZipError() != UNZ_OK) {
                return false;
            }
        }
        return zip.getZipError() == UNZ_OK;
    }

    bool fail(const QString& entry_name)
    {
        qCWarning(lc_db) << "cannot write the entry" << entry_name << "of" << m_file.fileName()
                         << m_zip.getZipError();
        m_ok = false;
        return false;
    }

    QSaveFile m_file;  // discarded unless committed
    QuaZip m_zip;
    int m_entries = 0;
    bool m_ok = false;
};

int ThreadDetectRuleManage::run_export(const QString& folder, bool station, bool transmission, bool distribution)
{
    QStringList kinds;
    if (station) {
        kinds << QStringLiteral("0");
    }
    if (transmission) {
        kinds << QStringLiteral("1");
    }
    if (distribution) {
        kinds << QStringLiteral("2");
    }
    emit m_owner->sig_export_detect_rules_info(QStringLiteral("连接数据库"));
    if (kinds.isEmpty()) {
        qCDebug(lc_db) << "slot_export_detect_rules: no substation type chosen";
        return end_export(Status::RES_SQL_ERR);
    }

    std::vector<ExportRow> rows;
    {
        PooledConnection holder;
        QSqlDatabase* db = holder.open_connection();
        if (db == nullptr) {
            qCDebug(lc_db) << "slot_export_detect_rules a";
            return end_export(Status::RES_SQL_ERR);
        }
        // The kinds are our own digits, not outside text.
        QSqlQuery query(*db);
        const QString sql = QString::fromLatin1(kExportQuery).arg(kinds.join(QLatin1Char(',')));
        if (!query.exec(sql)) {
            qCDebug(lc_db) << "slot_export_detect_rules b" << query.lastError().text() << "sql:" << sql;
            return end_export(Status::RES_SQL_ERR);
        }
        emit m_owner->sig_export_detect_rules_info(QStringLiteral("获取数据"));
        while (query.next()) {
            ExportRow row;
            row.id = query.value(0).toLongLong();
            row.kind = query.value(1).toInt();
            for (int i = 0; i < 13; ++i) {
                row.texts[i] = query.value(2 + i).toString();
            }
            // The level goes out by its id: names stored in an interface
            // language would not read back.
            row.texts[kDegree] = DataSql::stored_degree_name(query.value(15).toInt(), row.texts[kDegree]);
            rows.push_back(row);
        }
    }
    if (rows.empty()) {
        return end_export(Status::RES_DATA_EMPTY);
    }
    emit m_owner->sig_export_detect_rules_init(static_cast<int>(rows.size()));

    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));
    const QString sheet_entry = stamp + QStringLiteral("DetectRules.xls");
    const QString picture_dir = DataSql::instance()->rule_image_dir();
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        qCWarning(lc_db) << "no temporary folder for the rule sheet";
        return end_export(Status::RES_EXCEL_ERR);
    }
    const QString sheet_path = scratch.filePath(sheet_entry);

    std::unique_ptr<CEexcel> excel;
    std::unique_ptr<PackageWriter> package;
    int current_kind = -1;
    int sheet_row = 1;
    QJsonArray formulas;
    const ExportRow* rule = nullptr;

    // Writes the rule's picture and its sheet row.
    auto flush = [&]() -> int {
        QString entry;
        const QString stored = rule->texts[kImage];
        if (!stored.isEmpty()) {
            entry = RulePackagePath::picture_entry_name(stored, current_kind, picture_dir);
            bool read_failed = false;
            if (entry.isEmpty()) {
                qCWarning(lc_db) << "picture" << stored << "has no name that a package can hold; left out";
            } else if (!package->add_file(entry, stored, read_failed)) {
                return Status::RES_ZIP_CREAT_ERR;
            } else if (read_failed) {
                // The sheet names only pictures the package holds.
                entry.clear();
            }
        }
        int kind = current_kind;
        QString texts[7] = {rule->texts[kDevType], rule->texts[kVoltage], rule->texts[kPart], rule->texts[kShape],
                            rule->texts[kAnas],    entry,                 rule->texts[kJudgement]};
        if (!thread_export_detect_rules_insert_item(sheet_row, *excel, kind, texts[0], texts[1], texts[2], texts[3],
                                                    texts[4], texts[5], texts[6], formulas)) {
            return Status::RES_EXCEL_ERR;
        }
        return Status::RES_SUCCESS;
    };
    // Saves the sheet into the package and completes the package.
    auto finish_package = [&]() -> int {
        if (!excel->save_as(sheet_path)) {
            return Status::RES_EXCEL_ERR;
        }
        excel->release();
        bool read_failed = false;
        const bool added = package->add_file(sheet_entry, sheet_path, read_failed);
        QFile::remove(sheet_path);
        if (!added || read_failed || !package->commit()) {
            return Status::RES_ZIP_CREAT_ERR;
        }
        package.reset();
        return Status::RES_SUCCESS;
    };

    emit m_owner->sig_export_detect_rules_info(QStringLiteral("开始导出数据"));
    int counter = 1;
    for (const ExportRow& row : rows) {
        if (stopping()) {
            return end_export(Status::RES_EXIT_SUCESS);
        }
        if (rule == nullptr || row.id != rule->id) {
            if (rule != nullptr) {
                const int status = flush();
                if (status != Status::RES_SUCCESS) {
                    return end_export(status);
                }
                ++sheet_row;
            }
            formulas = QJsonArray();
            rule = &row;
        }
        if (row.kind != current_kind) {
            if (package) {
                const int status = finish_package();
                if (status != Status::RES_SUCCESS) {
                    return end_export(status);
                }
            }
            excel = std::make_unique<CEexcel>();
            if (!excel->create_workbook()) {
                return end_export(Status::RES_EXCEL_ERR);
            }
            excel->select_sheet(1);
            if (!thread_export_detect_rules_init_excel(*excel)) {
                return end_export(Status::RES_EXCEL_ERR);
            }
            sheet_row = 2;
            const QString name = stamp + QStringLiteral("诊断规则-") + kind_name(row.kind) + QStringLiteral(".zip");
            emit m_owner->sig_export_detect_rules_info(QStringLiteral("创建压缩包：") + name);
            package = std::make_unique<PackageWriter>(QDir(folder).filePath(name));
            if (!package->is_ok()) {
                return end_export(Status::RES_ZIP_CREAT_ERR);
            }
            current_kind = row.kind;
        }
        if (!row.texts[kDegree].isEmpty()) {
            formulas.append(QJsonObject{{"fault_degree", row.texts[kDegree]},
                                        {"detect_formula", row.texts[kFormula]},
                                        {"des_of_formula", row.texts[kFormulaDes]},
                                        {"judgement_result", row.texts[kResult]},
                                        {"thermal_image", row.texts[kThermal]},
                                        {"handing_suggestion", row.texts[kHanding]}});
        }
        emit m_owner->sig_export_detect_rules_progress(counter++);
    }
    int status = flush();
    if (status == Status::RES_SUCCESS) {
        status = finish_package();
    }
    return end_export(status);
}
