#include "shell/app_shell.h"

#include "shell/data_common.h"
#include "shell/data_config.h"
#include "shell/global_function.h"
#include "shell/h_translator.h"
#include "shell/qml_registration.h"

#include <QFont>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>

AppShell::AppShell()
{
    init_app_resources();
    m_global = new GlobalFunction();
    // No translation is loaded yet: the main window loads the user's language
    // once it is complete.
    QCoreApplication::installTranslator(HTranslator::instance());
    m_engine = new QQmlApplicationEngine();
    m_engine->rootContext()->setContextProperty(QStringLiteral("GlobalFunction"), m_global);
    QCoreApplication::instance()->installEventFilter(m_global);
    register_qml_types();
    set_context_properties(m_engine->rootContext());
}

AppShell::~AppShell()
{
    delete m_engine;
    m_engine = nullptr;
    delete m_global;
    m_global = nullptr;
    HTranslator::destroy();
    DataConfig::destroy();
    DataCommon::destroy();
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
