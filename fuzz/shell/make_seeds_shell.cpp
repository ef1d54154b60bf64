// Seeds of the settings reader: files the settings object itself wrote.
#include "config_fuzz_app.h"
#include "seed_writer.h"
#include "shell/data_config.h"

#include <QFile>

#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) return 1;
    config_fuzz_home();
    const std::string dir = std::string(argv[1]) + "/fuzz_config_file";
    DataConfig* config = DataConfig::instance();
    const QString path = config->config_file_path();
    bool ok = config->save_config();
    QFile file(path);
    ok = ok && file.open(QIODevice::ReadOnly) && seeds::write_seed(dir, "defaults.json", file.readAll());
    file.close();
    config->add_browsing_history(QStringLiteral("/home/user/pictures"));
    config->set_record_duration(QStringLiteral("CAM1"), 30);
    config->set_warning_color(2, QStringLiteral("#123456"));
    config->set_report_template(1, QStringLiteral("/home/user/report.xml"));
    config->set_language_type(0);
    ok = ok && config->save_config() && file.open(QIODevice::ReadOnly) &&
         seeds::write_seed(dir, "settings.json", file.readAll());
    DataConfig::destroy();
    return ok ? 0 : 1;
}
