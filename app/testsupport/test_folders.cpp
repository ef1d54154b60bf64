#include "test_folders.h"

#include <QDir>

namespace roadtest {

namespace {
const char* const kVariables[4] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"};
const char* const kFolders[4] = {"config", "data", "cache", "state"};
}  // namespace

TestFolders::TestFolders()
{
    for (int i = 0; i < 4; ++i) {
        m_saved[i] = qgetenv(kVariables[i]);
        const QString path = m_dir.path() + QLatin1Char('/') + QLatin1String(kFolders[i]);
        QDir().mkpath(path);
        qputenv(kVariables[i], QFile::encodeName(path));
    }
}

TestFolders::~TestFolders()
{
    for (int i = 0; i < 4; ++i) {
        if (m_saved[i].isNull()) {
            qunsetenv(kVariables[i]);
        } else {
            qputenv(kVariables[i], m_saved[i]);
        }
    }
}

QString TestFolders::config_home() const
{
    return m_dir.path() + QStringLiteral("/config");
}

}  // namespace roadtest
