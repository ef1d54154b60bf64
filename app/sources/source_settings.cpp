#include "sources/source_settings.h"

#include <QDir>
#include <QStandardPaths>

namespace source_settings {

int add_ana_mode() { return 1; }

QString config_path()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(folder);
    return folder + "/";
}

QString warning_color(int degree)
{
    return degree == 1 ? QStringLiteral("#FF0000") : QStringLiteral("#FF8000");
}

}  // namespace source_settings
