// The import: a package is checked whole (entry names, sizes, free space,
// every sheet row and its picture) before the first row is written. The
// pictures are unpacked into a staging folder beside the rule pictures and
// moved over the old ones only once the rows are committed.
#include "rules/bound_statement.h"
#include "rules/ce_excel.h"
#include "rules/data_sql.h"
#include "rules/detect_rule_import_export.h"
#include "rules/rule_package_path.h"
#include "rules/rules_log.h"
#include "rules/sql_connection_pool.h"
#include "rules/thread_detect_rule_manage.h"
#include "rules/xls_writer.h"
#include "shell/input_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QVariant>

#include <quazip/quazip.h>
#include <quazip/quazipfileinfo.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

using Status = DetectRuleImportExport::eRuleEndStatus;

struct ThreadDetectRuleManage::ImportRow {
    int number = 0;  // entry of the sheet's row list, for messages
    int kind = 0;
    QString texts[8];  // device type .. formula JSON (cells 3 to 10)
    QString target;    // picture file, or empty
};

namespace {

enum { kDevType, kVoltage, kPart, kShape, kAnas, kPicture, kJudgement, kFormulas };

// Free bytes on the file system that will hold path, or -1.
qint64 free_bytes_for(const QString& path)
{
    QString existing = QFileInfo(path).absoluteFilePath();
    while (!QFileInfo::exists(existing)) {
        const QString parent = QFileInfo(existing).absolutePath();
        if (parent == existing) {
            return -1;
        }
        existing = parent;
    }
    const QStorageInfo storage(existing);
    return storage.isValid() ? storage.bytesAvailable() : -1;
}

bool run(QSqlQuery& query, const char* sql, const QVariantList& values)
{
    return run_bound(query, QString::fromLatin1(sql), values);
}

const char* const kFindRule =
    "select id from t_detect_rules where substation_type = ? and dev_type_name = ? and dev_voltage = ? "
    "and dev_part = ? and shape = ?";

// The package entry of a row's picture.
QString picture_entry(QString entry)
{
    return entry.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// A text of the JSON member, numbers included.
QString member_text(const QJsonObject& object, const char* key)
{
    return object.value(QLatin1String(key)).toVariant().toString();
}

}  // namespace

int ThreadDetectRuleManage::run_import(const QString& zip_path)
{
    emit m_owner->sig_import_detect_rules_info(QStringLiteral("打开压缩包"));
    const qint64 entry_limit = m_entry_limit;
    const qint64 total_limit = m_total_limit;
    const QString picture_dir = DataSql::instance()->rule_image_dir();

    QFile package;
    QString why;
    if (!open_input_file(package, zip_path, &why)) {
        qCWarning(lc_db) << "cannot open the package" << zip_path << why;
        return end_import(Status::RES_ZIP_OPEN_ERR);
    }
    QuaZip zip(&package);
    // Names without the UTF-8 flag come from systems that write GB18030.
    zip.setFileNameCodec("GB18030");
    if (!zip.open(QuaZip::mdUnzip)) {
        qCWarning(lc_db) << "cannot open the package" << zip_path << zip.getZipError();
        return end_import(Status::RES_ZIP_OPEN_ERR);
    }
    // A package holds a sheet and a picture per rule; far more entries than
    // a sheet can name is no package of ours.
    if (zip.getEntriesCount() > XlsWriter::kMaxRows + 1) {
        qCWarning(lc_db) << "package" << zip_path << "refused:" << zip.getEntriesCount() << "entries";
        return end_import(Status::RES_ZIP_OPEN_ERR);
    }
    const QList<QuaZipFileInfo64> entries = zip.getFileInfoList64();
    if (zip.getZipError() != UNZ_OK) {
        qCWarning(lc_db) << "cannot list the package" << zip_path << zip.getZipError();
        return end_import(Status::RES_ZIP_OPEN_ERR);
    }
    qint64 declared = 0;
    int named = 0;
    for (const QuaZipFileInfo64& info : entries) {
        QString name = info.name;
        name.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (!RulePackagePath::is_safe_entry_name(name)) {
            qCWarning(lc_db) << "package" << zip_path << "refused: unsafe entry name" << info.name;
            return end_import(Status::RES_ZIP_OPEN_ERR);
        }
        const qint64 size = static_cast<qint64>(qMin<quint64>(info.uncompressedSize, quint64(1) << 62));
        declared += size;
        if (size > entry_limit || declared > total_limit) {
            qCWarning(lc_db) << "package" << zip_path << "refused: entry" << info.name << "declares" << size
                             << "bytes, the package" << declared;
            return end_import(Status::RES_ZIP_OPEN_ERR);
        }
        if (info.name.contains(QLatin1Char('.'))) {
            ++named;
        }
    }
    const qint64 package_size = QFileInfo(zip_path).size();
    const qint64 free = free_bytes_for(picture_dir);
    if (free < 0 || free < qMax(2 * package_size, declared)) {
        qCWarning(lc_db) << "too little free space for the package:" << free << "bytes free";
        return end_import(Status::RES_DISK_SPACE_ERR);
    }
    emit m_owner->sig_import_detect_rules_init(named);

    const QRegularExpression sheet_name(QRegularExpression::anchoredPattern(QStringLiteral(".*.xls")));
    QString sheet_entry;
    for (const QuaZipFileInfo64& info : entries) {
        if (sheet_name.match(info.name).hasMatch()) {
            sheet_entry = info.name;
            break;
        }
    }
    if (sheet_entry.isEmpty()) {
        return end_import(Status::RES_NO_EXCEL_ERR);
    }
    QTemporaryDir scratch;
    const QString sheet_path = scratch.filePath(QStringLiteral("RulesDataTemp.xls"));
    if (!scratch.isValid() || !zip.setCurrentFile(sheet_entry) ||
        !extract_current_file(&zip, sheet_path, entry_limit)) {
        if (m_exit) {
            return end_import(Status::RES_EXIT_SUCESS);
        }
        return end_import(Status::RES_ZIP_OPEN_ERR);
    }
    emit m_owner->sig_import_detect_rules_progress(1);
    emit m_owner->sig_import_detect_rules_info(QStringLiteral("解压excel"));

    QList<QStringList> sheet;
    {
        CEexcel excel;
        if (!excel.open_workbook(sheet_path)) {
            return end_import(Status::RES_EXCEL_ERR);
        }
        const int count = excel.get_sheet_count();
        for (int i = 1; i <= qMax(count, 1); ++i) {
            excel.read_sheet(i, sheet);
        }
        excel.close_workbook();
    }
    emit m_owner->sig_import_detect_rules_progress(1);
    if (sheet.isEmpty()) {
        return end_import(Status::RES_EXCEL_EMPTY_ERR);
    }

    // Every row is checked before anything is written, so a refused sheet
    // leaves the rules and pictures as they were.
    std::vector<ImportRow> rows;
    for (int r = 1; r < sheet.size(); ++r) {
        QStringList cells = sheet[r];
        while (cells.size() < 10) {
            cells.append(QString());
        }
        if (cells[0].toInt() != 0) {
            emit m_owner->sig_import_detect_rules_info(QStringLiteral("Excel第 %1 行数据格式错误").arg(r));
            continue;
        }
        ImportRow row;
        row.number = r;
        bool is_number = false;
        row.kind = cells[1].trimmed().toInt(&is_number);
        if (!is_number) {
            qCWarning(lc_db) << "sheet row" << r << "refused: the substation type" << cells[1] << "is no number";
            return end_import(Status::RES_SQL_ERR);
        }
        for (int i = 0; i < 8; ++i) {
            row.texts[i] = cells[2 + i];
        }
        if (!row.texts[kPicture].isEmpty()) {
            row.target = RulePackagePath::entry_target(picture_dir, row.texts[kPicture]);
            if (row.target.isEmpty()) {
                qCWarning(lc_db) << "sheet row" << r << "refused: unsafe picture name" << row.texts[kPicture];
                return end_import(Status::RES_SQL_ERR);
            }
            if (!zip.setCurrentFile(picture_entry(row.texts[kPicture]))) {
                qCWarning(lc_db) << "sheet row" << r << "refused: its picture" << row.texts[kPicture]
                                 << "is not in the package";
                return end_import(Status::RES_ZIP_OPEN_ERR);
            }
        }
        rows.push_back(row);
    }

    if (!QDir().mkpath(picture_dir)) {
        qCWarning(lc_db) << "cannot make the rule-picture folder" << picture_dir;
        return end_import(Status::RES_DISK_SPACE_ERR);
    }
    QTemporaryDir staging(picture_dir + QStringLiteral("/.import-XXXXXX"));
    if (!staging.isValid()) {
        qCWarning(lc_db) << "cannot make a staging folder in" << picture_dir << staging.errorString();
        return end_import(Status::RES_DISK_SPACE_ERR);
    }
    // Staged pictures and their targets, moved in together with the rows'
    // commit; the folder goes before the end is reported.
    QList<QPair<QString, QString>> staged;
    auto finish = [&](int status) {
        staging.remove();
        return end_import(status);
    };
    const QMap<QString, int> degrees = DataSql::fault_degree_map();
    emit m_owner->sig_import_detect_rules_info(QStringLiteral("连接数据库并开始数据导入"));
    PooledConnection holder;
    QSqlDatabase* db = holder.open_connection();
    if (db == nullptr) {
        qCDebug(lc_db) << "slot_import_detect_rules a";
        return finish(Status::RES_DATA_EMPTY);
    }
    // One transaction: a failed statement takes back the rows before it.
    if (!db->transaction()) {
        qCWarning(lc_db) << "cannot begin the import:" << db->lastError().text();
        return finish(Status::RES_SQL_ERR);
    }
    auto fail = [&](const QSqlQuery& query, int status) {
        qCWarning(lc_db) << "import failed:" << query.lastError().text() << "," << query.lastQuery();
        db->rollback();
        return finish(status);
    };
    // The pictures go in before the rows are committed and come back out
    // when the commit fails: the rules and their pictures change together
    // or not at all.
    auto commit = [&](int status) {
        QList<QPair<QString, QString>> undo;
        if (!move_in(staged, staging.path(), undo)) {
            db->rollback();
            return finish(Status::RES_DISK_SPACE_ERR);
        }
        if (!db->commit()) {
            qCWarning(lc_db) << "cannot complete the import:" << db->lastError().text();
            move_back(undo);
            db->rollback();
            return finish(Status::RES_SQL_ERR);
        }
        return finish(status);
    };

    int counter = 2;
    for (const ImportRow& row : rows) {
        if (stopping()) {
            return commit(Status::RES_EXIT_SUCESS);
        }
        if (!row.target.isEmpty()) {
            const QString file = staging.filePath(QString::number(staged.size()));
            if (!RulePackagePath::stays_inside(row.target, picture_dir)) {
                // A link inside the picture folder leads elsewhere.
                qCWarning(lc_db) << "picture" << row.target << "would leave the rule-picture folder";
                db->rollback();
                return finish(Status::RES_ZIP_OPEN_ERR);
            }
            if (!zip.setCurrentFile(picture_entry(row.texts[kPicture])) || !extract_current_file(&zip, file, entry_limit)) {
                db->rollback();
                return finish(m_exit ? Status::RES_EXIT_SUCESS : Status::RES_ZIP_OPEN_ERR);
            }
            staged.append({file, row.target});
        }
        const QVariantList key = {row.kind, row.texts[kDevType], row.texts[kVoltage], row.texts[kPart],
                                  row.texts[kShape]};
        QSqlQuery query(*db);
        qint64 rule_id = -1;
        if (run(query, kFindRule, key) && query.next()) {
            rule_id = query.value(0).toLongLong();
            if (!run(query, "UPDATE t_detect_rules SET anas = ?, image_file_name = ?, des_of_judgement = ? WHERE id = ?",
                     {row.texts[kAnas], row.target, row.texts[kJudgement], rule_id})) {
                return fail(query, Status::RES_SQL_ERR);
            }
        } else {
            if (!run(query,
                     "insert into t_detect_rules (substation_type, dev_type_name, dev_voltage, dev_part, shape, anas, "
                     "image_file_name, des_of_judgement) values (?, ?, ?, ?, ?, ?, ?, ?)",
                     key + QVariantList{row.texts[kAnas], row.target, row.texts[kJudgement]})) {
                return fail(query, Status::RES_SQL_ERR);
            }
            if (!run(query, kFindRule, key) || !query.next()) {
                return fail(query, Status::RES_SQL_ERR);
            }
            rule_id = query.value(0).toLongLong();
        }

        const QJsonArray formulas = QJsonDocument::fromJson(row.texts[kFormulas].toUtf8()).array();
        for (const QJsonValue& value : formulas) {
            const QJsonObject formula = value.toObject();
            const QString degree_name = member_text(formula, "fault_degree");
            const int degree = degrees.value(degree_name, 0);
            const QString text = member_text(formula, "detect_formula");
            if (!run(query,
                     "select id from t_formula_of_detect_rules where detect_rule_id = ? and fault_degree_id = ? "
                     "and formula = ?",
                     {rule_id, degree, text})) {
                return fail(query, Status::RES_SQL_ERR);
            }
            if (query.next()) {
                continue;
            }
            if (!run(query,
                     "insert into t_formula_of_detect_rules (detect_rule_id, fault_degree_id, fault_degree_name, "
                     "formula, des_of_formula, judgement_result, thermal_feature, handing_suggestion) "
                     "values (?, ?, ?, ?, ?, ?, ?, ?)",
                     {rule_id, degree, DataSql::stored_degree_name(degree, degree_name), text,
                      member_text(formula, "des_of_formula"),
                      member_text(formula, "judgement_result"), member_text(formula, "thermal_image"),
                      member_text(formula, "handing_suggestion")})) {
                return fail(query, Status::RES_SQL_ERR);
            }
        }
        emit m_owner->sig_import_detect_rules_progress(counter++);
    }
    zip.close();
    return commit(Status::RES_SUCCESS);
}

namespace {

bool rename_file(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

}  // namespace

bool ThreadDetectRuleManage::move_in(const QList<QPair<QString, QString>>& staged, const QString& backup_folder,
                                     QList<QPair<QString, QString>>& undo)
{
    undo.clear();
    for (const QPair<QString, QString>& picture : staged) {
        const QString& target = picture.second;
        const QFileInfo existing(target);
        QString backup;
        bool moved = QDir().mkpath(existing.absolutePath());
        if (moved && (existing.exists() || existing.isSymLink())) {
            // Only a picture is replaced: a folder or link in its place stays.
            backup = QDir(backup_folder).filePath(QStringLiteral("old-%1").arg(undo.size()));
            moved = existing.isFile() && !existing.isSymLink() && rename_file(target, backup);
            if (!moved) {
                backup.clear();
            }
        }
        if (moved && !rename_file(picture.first, target)) {
            moved = false;
            if (!backup.isEmpty()) {
                rename_file(backup, target);
            }
        }
        if (!moved) {
            qCWarning(lc_db) << "cannot move the imported picture to" << target << std::strerror(errno);
            move_back(undo);
            undo.clear();
            return false;
        }
        undo.append({target, backup});
    }
    return true;
}

void ThreadDetectRuleManage::move_back(const QList<QPair<QString, QString>>& undo)
{
    for (auto it = undo.crbegin(); it != undo.crend(); ++it) {
        const bool restored = it->second.isEmpty() ? QFile::remove(it->first) : rename_file(it->second, it->first);
        if (!restored) {
            qCWarning(lc_db) << "cannot restore the picture" << it->first << std::strerror(errno);
        }
    }
}
