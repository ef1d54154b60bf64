#include "shell/cjk_font.h"

#include <QFontDatabase>
#include <QGuiApplication>

QString cjk_font_family()
{
    // The font database needs the GUI application; without one, no family.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return QString();
    }
    // Asked once: the font database is filled from fontconfig on first use.
    static const QString family = [] {
        const QStringList families = QFontDatabase().families(QFontDatabase::SimplifiedChinese);
        return families.isEmpty() ? QGuiApplication::font().family() : families.first();
    }();
    return family;
}

QFont cjk_font(int pixel_size)
{
    QFont font;
    const QString family = cjk_font_family();
    if (!family.isEmpty()) {
        font.setFamily(family);
    }
    font.setPixelSize(pixel_size);
    return font;
}
