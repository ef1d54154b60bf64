// One offscreen QGuiApplication for the tests that measure fonts.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>

#include <cstdlib>

inline QGuiApplication* test_gui_app()
{
    static int argc = 1;
    static char name[] = "thermframe_tests";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance() == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        new QGuiApplication(argc, argv);
    }
    return static_cast<QGuiApplication*>(QGuiApplication::instance());
}

inline QFont font_of_pixels(int pixels)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixels);
    return font;
}
