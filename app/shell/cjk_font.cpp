#include "shell/cjk_font.h"

#include <QFontDatabase>
#include <QGuiApplication>

QString cjk_font_family()
{
    // Asked once: the font database is filled from fontconfig on first use.
    static const QString family = [] {
        const QStringList families = QFontDatabase().families(QFontDatabase::SimplifiedChinese);
        return families.isEmpty() ? QGuiApplication::font().family() : families.first();
    }();
    return family;
}

QFont cjk_font(int pixel_size)
{
    QFont font(cjk_font_family());
    font.setPixelSize(pixel_size);
    return font;
}
