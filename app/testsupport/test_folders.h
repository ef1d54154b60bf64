// Private user folders for one test program: the configuration, data, cache
// and state folders point into a temporary folder that is removed at the end,
// so a test never reads or writes the real user's settings.
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace roadtest {

class TestFolders {
public:
    TestFolders();
    ~TestFolders();

    TestFolders(const TestFolders&) = delete;
    TestFolders& operator=(const TestFolders&) = delete;

    bool is_valid() const { return m_dir.isValid(); }
    // The temporary folder standing in for the user's home.
    QString home() const { return m_dir.path(); }
    // $XDG_CONFIG_HOME of the test.
    QString config_home() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_saved[4];
};

}  // namespace roadtest
