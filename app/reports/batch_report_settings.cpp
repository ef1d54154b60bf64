#include "reports/batch_report_settings.h"

#include "reports/report_settings.h"
#include "reports/report_word.h"
#include "shell/data_config.h"

BatchReportSettings BatchReportSettings::from_config()
{
    const DataConfig* config = DataConfig::instance();
    BatchReportSettings settings;
    settings.template_selected = config->get_report_template_selected();
    settings.template_path = config->get_selected_report_template(false);
    settings.template_path_vi = config->get_selected_report_template(true);
    settings.chinese = config->is_chinese_language();
    settings.page_size = report_settings::printer_page_size();
    settings.dpi = ReportWord().dpi();
    settings.logo_folder = config->get_config_path();
    return settings;
}
