#include "rules/rule_database_file.h"

#include "rules/data_sql.h"
#include "rules/rules_log.h"
#include "rules/sql_connection_pool.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

const char* const kRuleDatabaseName = "DBPyravue.db";

QString prepare_rule_database(const QString& template_path, const QString& data_dir)
{
    const QString target = QDir(data_dir).filePath(QString::fromLatin1(kRuleDatabaseName));
    const QFileInfo existing(target);
    if (existing.isFile() && existing.size() > 0) {
        return target;
    }
    // An empty file is what SQLite leaves where a run without a template
    // opened the database: it holds no rules and no tables.
    if (existing.isFile()) {
        qCInfo(lc_db) << "replacing the empty rule database" << target;
        QFile::remove(target);
    }
    if (!QDir().mkpath(data_dir)) {
        qCWarning(lc_db) << "cannot make the data folder" << data_dir;
        return {};
    }
    // Copied beside the target and renamed, so that a copy cut short never
    // passes for the database at the next start.
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(template_path, partial)) {
        qCWarning(lc_db) << "cannot copy the rule database template" << template_path << "to" << data_dir;
        QFile::remove(partial);
        return {};
    }
    // The template is read-only; the user's copy is written.
    QFile::setPermissions(partial, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!QFile::rename(partial, target)) {
        qCWarning(lc_db) << "cannot put the rule database in place" << target;
        QFile::remove(partial);
        return {};
    }
    return target;
}

bool open_rule_database()
{
    const QString template_path =
        QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(kRuleDatabaseName));
    QString path = prepare_rule_database(template_path,
                                         QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (path.isEmpty()) {
        // Rule operations then fail one by one, each with its own report;
        // the rest of the program runs.
        path = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                   .filePath(QString::fromLatin1(kRuleDatabaseName));
    }
    // The rules' sample pictures are written beside the database: the
    // program directory may be read-only.
    DataSql::instance()->set_rule_image_dir(QFileInfo(path).absolutePath() + QStringLiteral("/RuleImage"));
    return SqlConnectionPool::instance()->open(path);
}
