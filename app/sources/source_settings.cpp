#include "sources/source_settings.h"

#include "shell/data_config.h"

#include <QDir>
#include <QStandardPaths>

namespace source_settings {

int add_ana_mode()
{
    // Without the program's configuration (a source used on its own) the
    // shape buttons keep their default of one shape per press.
    return DataConfig::has_instance() ? DataConfig::instance()->get_add_ana_mode() : 1;
}

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
