// A fresh copy of the rule database template in a temporary folder, with the
// pool opened on it.
#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

class RuleDbFixture {
public:
    // Copies the template into a new folder and opens the pool; false when either failed.
    bool start();
    // Closes every pooled connection.
    void stop();

    QString dir() const { return m_dir->path(); }
    QString path() const { return m_path; }

private:
    // A new folder for every start, so each test begins with the template.
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

// Runs one statement on a private connection, answering the first column of
// the first row (or an invalid value).
QVariant rule_db_scalar(const QString& path, const QString& sql);
