#include "shell/app_shell.h"

#include "shell/data_common.h"
#include "shell/data_config.h"
#include "shell/global_function.h"
#include "shell/h_translator.h"
#include "shell/qml_registration.h"
#include "shell/shell_log.h"
#include "rules/rule_database_file.h"
#include "rules/sql_connection_pool.h"

#include <QFont>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>

namespace {

// Machines without a GPU or a software OpenGL driver still get a window: the
// scene graph then draws with the CPU.
void choose_scene_graph_backend()
{
    if (qEnvironmentVariableIsSet("QT_QUICK_BACKEND")) {
        return;
    }
    QOpenGLContext probe;
    if (!probe.create()) {
        qCInfo(lcShell, "no OpenGL context: the windows are drawn by the software renderer");
        QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software);
    }
}

}  // namespace

AppShell::AppShell()
{
    init_app_resources();
    // Qt's own dialogs keep their settings under these names.
    QCoreApplication::setOrganizationName(QStringLiteral("Korvane"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("pyravue.local"));
    QCoreApplication::setApplicationName(QStringLiteral("Pyravue"));
    m_global = new GlobalFunction();
    // No translation is loaded yet: the main window loads the user's language
    // once it is complete.
    QCoreApplication::installTranslator(HTranslator::instance());
    choose_scene_graph_backend();
    open_rule_database();
    m_engine = new QQmlApplicationEngine();
    m_engine->rootContext()->setContextProperty(QStringLiteral("GlobalFunction"), m_global);
    QCoreApplication::instance()->installEventFilter(m_global);
    // Every qsTr binding follows a language change, not only the shared texts.
    QObject::connect(HTranslator::instance(), &HTranslator::sig_language_changed, m_engine,
                     &QQmlEngine::retranslate);
    register_qml_types();
    set_context_properties(m_engine->rootContext());
}

AppShell::~AppShell()
{
    delete m_engine;
    m_engine = nullptr;
    SqlConnectionPool::instance()->close_all();
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
