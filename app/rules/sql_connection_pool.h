// The process-wide pool of SQLite connections to the rule database, and the
// scoped holder that takes one connection for one operation.
#pragma once

#include <QList>
#include <QMutex>
#include <QSqlDatabase>
#include <QString>

#include <memory>
#include <vector>

class QThread;

class SqlConnectionPool {
public:
    // The one pool, made on first call.
    static SqlConnectionPool* instance();

    ~SqlConnectionPool();
    SqlConnectionPool(const SqlConnectionPool&) = delete;
    SqlConnectionPool& operator=(const SqlConnectionPool&) = delete;

    // Stores the database file path and opens the first connection,
    // "Connect01", on the calling thread. Failing to open is logged; the
    // connection is still pooled and later users try to open it again.
    bool open(const QString& path);

    // Hands out a free connection made on the calling thread (Qt allows a
    // connection only on its own thread), oldest released first; with none
    // free, makes "Connect%02d" numbered from 4. The connection is not opened.
    bool acquire(QSqlDatabase*& connection);
    void release(QSqlDatabase* connection);
    // Closes and forgets every connection, also in Qt's registry, so that
    // open may be called again.
    void close_all();

    // Writes the current time into heartbeat row 1. False when no open
    // connection could be had or the statement failed; a broken connection is
    // reopened for the next beat.
    bool heartbeat();

    QString database_path() const;

private:
    struct Slot;
    SqlConnectionPool() = default;
    Slot* find_slot(const QSqlDatabase* connection) const;
    Slot* find_slot_by_name(const QString& name) const;

    mutable QMutex m_mutex;
    QString m_database_name = QStringLiteral("basic-database");
    std::vector<std::unique_ptr<Slot>> m_slots;
    QList<Slot*> m_free;
    int m_on_demand = 0;
};

// Takes a connection for one operation and opens it when it is not open;
// gives it back at the end of the scope.
class PooledConnection {
public:
    PooledConnection();
    ~PooledConnection();
    PooledConnection(const PooledConnection&) = delete;
    PooledConnection& operator=(const PooledConnection&) = delete;

    // The held connection when it is open, else null.
    QSqlDatabase* open_connection() const;

private:
    SqlConnectionPool* m_pool = nullptr;
    QSqlDatabase* m_connection = nullptr;
};
