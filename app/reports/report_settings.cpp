#include "reports/report_settings.h"

#include "sources/source_settings.h"

#include <QCoreApplication>

namespace report_settings {

QString app_path() { return QCoreApplication::applicationDirPath() + "/"; }

QString config_path() { return source_settings::config_path(); }

bool is_chinese_language() { return true; }

}  // namespace report_settings
