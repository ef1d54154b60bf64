#include "shell/app_shell.h"

#include "shell/qml_registration.h"
#include "rules/rule_database_file.h"
#include "rules/sql_connection_pool.h"

#include <QFont>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>

AppShell::AppShell()
{
    init_app_resources();
    open_rule_database();
    m_engine = new QQmlApplicationEngine();
    register_qml_types();
    set_context_properties(m_engine->rootContext());
}

AppShell::~AppShell()
{
    delete m_engine;
    m_engine = nullptr;
    SqlConnectionPool::instance()->close_all();
}

bool AppShell::load_main_window(const QUrl& url)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(12);
    QGuiApplication::setFont(font);
    m_engine->load(url);
    return main_window() != nullptr;
}

bool AppShell::load_main_window()
{
    return load_main_window(main_qml_url());
}

QQuickWindow* AppShell::main_window() const
{
    const auto roots = m_engine->rootObjects();
    return roots.isEmpty() ? nullptr : qobject_cast<QQuickWindow*>(roots.first());
}
