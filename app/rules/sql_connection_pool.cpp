#include "rules/sql_connection_pool.h"

#include "rules/rules_log.h"

#include <QDateTime>
#include <QMutexLocker>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

Q_LOGGING_CATEGORY(lc_db, "pyravue.db")

struct SqlConnectionPool::Slot {
    QString name;
    QThread* thread = nullptr;
    QSqlDatabase db;
};

namespace {

QMutex g_instance_mutex;

bool open_logged(QSqlDatabase& db)
{
    if (db.isOpen()) {
        return true;
    }
    if (!db.open()) {
        qCWarning(lc_db) << "cannot open" << db.databaseName() << db.lastError().text();
        return false;
    }
    return true;
}

}  // namespace

SqlConnectionPool* SqlConnectionPool::instance()
{
    static std::unique_ptr<SqlConnectionPool> s_pool;
    QMutexLocker lock(&g_instance_mutex);
    if (!s_pool) {
        s_pool.reset(new SqlConnectionPool());
    }
    return s_pool.get();
}

SqlConnectionPool::~SqlConnectionPool()
{
    close_all();
}

bool SqlConnectionPool::open(const QString& path)
{
    auto slot = std::make_unique<Slot>();
    slot->name = QStringLiteral("Connect01");
    slot->thread = QThread::currentThread();
    {
        QMutexLocker lock(&m_mutex);
        if (find_slot_by_name(slot->name) != nullptr) {
            qCWarning(lc_db) << "the pool is already open on" << m_database_name;
            return false;
        }
        m_database_name = path;
    }
    slot->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), slot->name);
    slot->db.setDatabaseName(path);
    const bool opened = open_logged(slot->db);
    QMutexLocker lock(&m_mutex);
    m_free.append(slot.get());
    m_slots.push_back(std::move(slot));
    return opened;
}

bool SqlConnectionPool::acquire(QSqlDatabase*& connection)
{
    connection = nullptr;
    QThread* const thread = QThread::currentThread();
    QMutexLocker lock(&m_mutex);
    for (int i = 0; i < m_free.size(); ++i) {
        if (m_free[i]->thread == thread) {
            connection = &m_free.takeAt(i)->db;
            return true;
        }
    }
    auto slot = std::make_unique<Slot>();
    slot->name = QString::asprintf("Connect%02d", m_on_demand + 4);
    slot->thread = thread;
    slot->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), slot->name);
    if (!slot->db.isValid()) {
        qCWarning(lc_db) << "cannot make connection" << slot->name;
        QSqlDatabase::removeDatabase(slot->name);
        return false;
    }
    slot->db.setDatabaseName(m_database_name);
    ++m_on_demand;
    connection = &slot->db;
    m_slots.push_back(std::move(slot));
    return true;
}

void SqlConnectionPool::release(QSqlDatabase* connection)
{
    QMutexLocker lock(&m_mutex);
    Slot* slot = find_slot(connection);
    if (slot == nullptr || m_free.contains(slot)) {
        qCWarning(lc_db) << "release of a connection the pool did not hand out";
        return;
    }
    m_free.append(slot);
}

void SqlConnectionPool::close_all()
{
    std::vector<std::unique_ptr<Slot>> taken;
    {
        QMutexLocker lock(&m_mutex);
        taken.swap(m_slots);
        m_free.clear();
        m_on_demand = 0;
    }
    for (auto& slot : taken) {
        slot->db.close();
        slot->db = QSqlDatabase();
        QSqlDatabase::removeDatabase(slot->name);
    }
}

bool SqlConnectionPool::heartbeat()
{
    PooledConnection holder;
    QSqlDatabase* db = holder.open_connection();
    if (db == nullptr) {
        return false;
    }
    QSqlQuery query(*db);
    query.prepare(QStringLiteral("UPDATE t_heartbeat SET heartbeat_time = ? WHERE id = 1"));
    query.addBindValue(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    if (query.exec()) {
        return true;
    }
    qCWarning(lc_db) << "heartbeat failed:" << query.lastError().text();
    if (query.lastError().type() == QSqlError::ConnectionError) {
        db->close();
        open_logged(*db);
    }
    return false;
}

QString SqlConnectionPool::database_path() const
{
    QMutexLocker lock(&m_mutex);
    return m_database_name;
}

SqlConnectionPool::Slot* SqlConnectionPool::find_slot(const QSqlDatabase* connection) const
{
    for (const auto& slot : m_slots) {
        if (&slot->db == connection) {
            return slot.get();
        }
    }
    return nullptr;
}

SqlConnectionPool::Slot* SqlConnectionPool::find_slot_by_name(const QString& name) const
{
    for (const auto& slot : m_slots) {
        if (slot->name == name) {
            return slot.get();
        }
    }
    return nullptr;
}

PooledConnection::PooledConnection()
    : m_pool(SqlConnectionPool::instance())
{
    if (!m_pool->acquire(m_connection)) {
        return;
    }
    open_logged(*m_connection);
}

PooledConnection::~PooledConnection()
{
    // Statements run in SQLite's autocommit mode, so there is nothing to
    // commit before the connection goes back.
    if (m_connection != nullptr) {
        m_pool->release(m_connection);
    }
}

QSqlDatabase* PooledConnection::open_connection() const
{
    return (m_connection != nullptr && m_connection->isOpen()) ? m_connection : nullptr;
}
