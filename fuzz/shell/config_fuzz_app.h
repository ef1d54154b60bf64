// The application the settings need, offscreen, with its settings folder in
// a private temporary folder: nothing reaches the user's own settings.
#pragma once

#include <QGuiApplication>
#include <QTemporaryDir>

inline QString config_fuzz_home()
{
    static int argc = 1;
    static char name[] = "config_fuzz";
    static char* argv[] = {name, nullptr};
    static QTemporaryDir* home = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* dir = new QTemporaryDir;
        qputenv("XDG_CONFIG_HOME", dir->path().toLocal8Bit());
        new QGuiApplication(argc, argv);
        return dir;
    }();
    return home->path();
}
