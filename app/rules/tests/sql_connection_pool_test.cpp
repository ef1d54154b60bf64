// The connection pool: names, first-in first-out reuse, one connection per
// thread, the heartbeat, and the first-run copy of the template.
#include "message_guard.h"
#include "rule_db_fixture.h"
#include "rules/rule_database_file.h"
#include "rules/sql_connection_pool.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QThread>
#include <QtTest>

class SqlConnectionPoolTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void init() { QVERIFY(m_db.start()); }
    void cleanup()
    {
        m_db.stop();
        m_guard.verify();
    }
    void pool_names_and_fifo_reuse();
    void pool_connection_per_thread();
    void pool_heartbeat_writes_row_one();
    void pool_heartbeat_fails_without_database();
    void template_copied_once_and_writable();

private:
    roadtest::MessageGuard m_guard;
    RuleDbFixture m_db;
};

void SqlConnectionPoolTest::pool_names_and_fifo_reuse()
{
    SqlConnectionPool* pool = SqlConnectionPool::instance();
    QSqlDatabase* a = nullptr;
    QSqlDatabase* b = nullptr;
    QSqlDatabase* c = nullptr;
    QVERIFY(pool->acquire(a));
    QVERIFY(pool->acquire(b));
    QVERIFY(pool->acquire(c));
    QCOMPARE(a->connectionName(), QStringLiteral("Connect01"));
    QCOMPARE(b->connectionName(), QStringLiteral("Connect04"));
    QCOMPARE(c->connectionName(), QStringLiteral("Connect05"));
    pool->release(a);
    pool->release(b);
    QSqlDatabase* first = nullptr;
    QSqlDatabase* second = nullptr;
    QVERIFY(pool->acquire(first));
    QVERIFY(pool->acquire(second));
    QCOMPARE(first, a);
    QCOMPARE(second, b);
    pool->release(first);
    pool->release(second);
    pool->release(c);
}

void SqlConnectionPoolTest::pool_connection_per_thread()
{
    // The GUI thread holds nothing: a worker still gets a connection of its
    // own rather than the free Connect01 made on this thread.
    QString worker_name;
    bool worker_ran = false;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        PooledConnection holder;
        QSqlDatabase* db = holder.open_connection();
        if (db != nullptr) {
            worker_name = db->connectionName();
            QSqlQuery query(*db);
            worker_ran = query.exec(QStringLiteral("SELECT COUNT(*) FROM t_detect_rules")) && query.next();
        }
    }));
    worker->start();
    QVERIFY(worker->wait(30000));
    QVERIFY(worker_ran);
    QCOMPARE(worker_name, QStringLiteral("Connect04"));
    PooledConnection holder;
    QVERIFY(holder.open_connection() != nullptr);
    QCOMPARE(holder.open_connection()->connectionName(), QStringLiteral("Connect01"));
}

void SqlConnectionPoolTest::pool_heartbeat_writes_row_one()
{
    QVERIFY(SqlConnectionPool::instance()->heartbeat());
    const QString written = rule_db_scalar(m_db.path(), QStringLiteral("SELECT heartbeat_time FROM t_heartbeat WHERE id = 1")).toString();
    QVERIFY(QDateTime::fromString(written, QStringLiteral("yyyy-MM-dd HH:mm:ss")).isValid());
}

void SqlConnectionPoolTest::pool_heartbeat_fails_without_database()
{
    m_db.stop();
    // A database in a folder that does not exist cannot be opened.
    m_guard.expect(QRegularExpression(QStringLiteral("cannot open")));
    m_guard.expect(QRegularExpression(QStringLiteral("cannot open")));
    QVERIFY(!SqlConnectionPool::instance()->open(m_db.dir() + QStringLiteral("/missing/DBPyravue.db")));
    QVERIFY(!SqlConnectionPool::instance()->heartbeat());
}

void SqlConnectionPoolTest::template_copied_once_and_writable()
{
    QTemporaryDir data;
    const QString target = prepare_rule_database(m_db.path(), data.path() + QStringLiteral("/nested"));
    QVERIFY(!target.isEmpty());
    QVERIFY(QFileInfo(target).isWritable());
    // A copy the user has written to is kept at the next start.
    {
        QFile file(target);
        QVERIFY(file.open(QIODevice::Append));
        file.write("x");
    }
    const qint64 size = QFileInfo(target).size();
    QCOMPARE(prepare_rule_database(m_db.path(), data.path() + QStringLiteral("/nested")), target);
    QCOMPARE(QFileInfo(target).size(), size);
    // An empty file left by a run without a template gets the template.
    {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    }
    QCOMPARE(prepare_rule_database(m_db.path(), data.path() + QStringLiteral("/nested")), target);
    QCOMPARE(QFileInfo(target).size(), QFileInfo(m_db.path()).size());
    m_guard.expect(QRegularExpression(QStringLiteral("cannot copy")));
    QVERIFY(prepare_rule_database(data.path() + QStringLiteral("/no-template.db"), data.path()).isEmpty());
    QVERIFY(!QFileInfo::exists(data.path() + QStringLiteral("/DBPyravue.db")));
}

QTEST_MAIN(SqlConnectionPoolTest)
#include "sql_connection_pool_test.moc"
