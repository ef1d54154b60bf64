// Cold start of the program to the first frame of its main window, offscreen,
// beside a minimal Qt Quick program that shows one empty window. Both are this
// same executable started again as a child, so they are built the same way;
// each repetition is one fresh process from its start to its first frame.
#include "shell/app_shell.h"

#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <string>

namespace {

const char kChildFlag[] = "--startup-child=";
std::string g_self;

// Ends the child at the first frame its window shows; gives up after a minute.
int run_until_first_frame(QGuiApplication& app, QQuickWindow* window)
{
    if (window == nullptr) {
        return 2;
    }
    QObject::connect(window, &QQuickWindow::frameSwapped, &app, [] { QCoreApplication::exit(0); },
                     Qt::QueuedConnection);
    QTimer::singleShot(60000, &app, [] { QCoreApplication::exit(3); });
    return app.exec();
}

int child_main(int argc, char** argv, const std::string& kind)
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL, true);
    QGuiApplication app(argc, argv);
    if (kind == "minimal") {
        QQmlApplicationEngine engine;
        engine.loadData("import QtQuick 2.15\nimport QtQuick.Window 2.15\n"
                        "Window { visible: true; width: 1084; height: 700 }\n");
        QQuickWindow* window = engine.rootObjects().isEmpty()
                                   ? nullptr
                                   : qobject_cast<QQuickWindow*>(engine.rootObjects().first());
        return run_until_first_frame(app, window);
    }
    AppShell shell;
    shell.load_main_window();
    return run_until_first_frame(app, shell.main_window());
}

void start_child(benchmark::State& state, const char* kind)
{
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false;*.info=false"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home.path());
    for (auto _ : state) {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const auto start = std::chrono::steady_clock::now();
        child.start(QString::fromStdString(g_self), {QString::fromLatin1(kChildFlag) + QLatin1String(kind)});
        const bool finished = child.waitForFinished(120000);
        const auto end = std::chrono::steady_clock::now();
        if (!finished || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            state.SkipWithError("the child did not show its first frame");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

void BM_StartMinimalQuickWindow(benchmark::State& state)
{
    start_child(state, "minimal");
}

void BM_StartMainWindow(benchmark::State& state)
{
    start_child(state, "pyravue");
}

// One process per repetition; the median of ten is the figure.
BENCHMARK(BM_StartMinimalQuickWindow)->UseManualTime()->Iterations(1)->Repetitions(10)
    ->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartMainWindow)->UseManualTime()->Iterations(1)->Repetitions(10)
    ->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kChildFlag, std::strlen(kChildFlag)) == 0) {
            return child_main(argc, argv, argv[i] + std::strlen(kChildFlag));
        }
    }
    g_self = argv[0];
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
