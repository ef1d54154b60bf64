// Start-up and shutdown of the program around the Qt event loop: the service
// objects, the QML engine and the main window, created and released in a
// fixed order.
#pragma once

#include <QUrl>

class GlobalFunction;
class QQmlApplicationEngine;
class QQuickWindow;

class AppShell {
public:
    // Runs the start-up steps that follow the application object:
    // GlobalFunction, the translator, the QML engine, the QML types (which
    // read config.json) and the context properties.
    AppShell();
    // Shutdown: the QML engine goes first, so that every item destructor (and
    // every worker an item joins) still finds the services; then
    // GlobalFunction, the translator, the configuration (which writes
    // config.json) and the edition data.
    ~AppShell();

    AppShell(const AppShell&) = delete;
    AppShell& operator=(const AppShell&) = delete;

    // Sets the 12-pixel application font and loads the main window; false
    // when the QML made no window.
    bool load_main_window(const QUrl& url);
    bool load_main_window();

    QQmlApplicationEngine* engine() const { return m_engine; }
    GlobalFunction* global_function() const { return m_global; }
    // The loaded main window, or null.
    QQuickWindow* main_window() const;

private:
    GlobalFunction* m_global = nullptr;
    QQmlApplicationEngine* m_engine = nullptr;
};
