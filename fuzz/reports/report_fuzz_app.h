// The Qt application a report layout needs (fonts measure mark texts),
// offscreen, with the settings of a test run so nothing reaches the user's
// folders. It lives until the process ends: a fuzz target has no main to
// own it, and Qt's own caches outlive a destroyed application badly.
#pragma once

#include <QGuiApplication>
#include <QStandardPaths>

inline QGuiApplication* report_fuzz_app()
{
    static int argc = 1;
    static char name[] = "report_fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QStandardPaths::setTestModeEnabled(true);
        return new QGuiApplication(argc, argv);
    }();
    return app;
}
