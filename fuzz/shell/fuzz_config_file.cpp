// config.json: any bytes give settings or the defaults, every getter answers,
// and the file written at exit reads back.
#include "config_fuzz_app.h"
#include "shell/data_config.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    config_fuzz_home();
    QLoggingCategory::setFilterRules("*.debug=false\n*.warning=false");
    DataConfig* config = DataConfig::instance();
    const QString path = config->config_file_path();
    DataConfig::destroy();
    const QString folder = QFileInfo(path).absolutePath();
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
        return 0;
    }
    file.close();
    config = DataConfig::instance();
    config->get_browsing_history();
    config->add_browsing_history(QStringLiteral("/tmp"));
    for (const QString& sn : {QStringLiteral("CAM1"), QString()}) {
        config->get_record_path(sn);
        config->get_record_file_size(sn);
        config->get_record_frequency(sn);
        config->get_record_unlimit(sn);
        config->get_record_duration(sn);
        config->get_record_stop_mode(sn);
        config->get_record_file_type(sn);
    }
    for (int i = 0; i < 6; ++i) {
        config->get_warning_color(i);
        config->get_report_template_name(i);
        config->get_report_template_path(i);
    }
    config->get_enable_image_logo();
    config->get_detect_rule_path();
    config->get_add_ana_mode();
    config->is_chinese_language();
    config->get_report_template_selected();
    config->get_selected_report_template(false);
    config->get_preview_path();
    config->get_language_type();
    DataConfig::destroy();
    // What the exit wrote is read again without a refusal.
    config = DataConfig::instance();
    DataConfig::destroy();
    QDir(folder).removeRecursively();
    return 0;
}
