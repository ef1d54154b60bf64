#include "reports/report_settings.h"

#include "shell/data_config.h"

namespace report_settings {

QString app_path() { return DataConfig::instance()->get_app_path(); }

QString config_path() { return DataConfig::instance()->get_config_path(); }

bool is_chinese_language() { return DataConfig::instance()->is_chinese_language(); }

}  // namespace report_settings
