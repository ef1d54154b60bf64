#include "reports/report_settings.h"

#include "shell/data_config.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QScreen>

namespace report_settings {

QString app_path() { return DataConfig::instance()->get_app_path(); }

QString config_path() { return DataConfig::instance()->get_config_path(); }

bool is_chinese_language() { return DataConfig::instance()->is_chinese_language(); }

QSize printer_page_size()
{
    int dpi = 96;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) dpi = qMax(1, qRound(screen->logicalDotsPerInchX()));
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                             QPageLayout::Millimeter);
    return layout.paintRectPixels(dpi).size();
}

}  // namespace report_settings
