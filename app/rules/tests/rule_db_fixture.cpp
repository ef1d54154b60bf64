#include "rule_db_fixture.h"

#include "rules/rule_database_file.h"
#include "rules/sql_connection_pool.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

bool RuleDbFixture::start()
{
    SqlConnectionPool::instance()->close_all();
    const QString template_path =
        QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(kRuleDatabaseName));
    m_dir = std::make_unique<QTemporaryDir>();
    m_path = prepare_rule_database(template_path, m_dir->path());
    return !m_path.isEmpty() && SqlConnectionPool::instance()->open(m_path);
}

void RuleDbFixture::stop()
{
    SqlConnectionPool::instance()->close_all();
}

QVariant rule_db_scalar(const QString& path, const QString& sql)
{
    const QString name = QStringLiteral("fixture_scalar");
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(sql) && query.next()) {
                value = query.value(0);
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}
