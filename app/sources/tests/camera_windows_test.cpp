// Camera windows closed while their camera streams, a hundred times over in
// the real main window: each close ends the window, its frame thread, its
// recorder or its reconnection and its stream within a bound, and nothing
// left behind is touched afterwards (the sanitizers watch every run).
#include "message_guard.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "shell/data_config.h"
#include "sources/ir_net_device.h"
#include "sources/wnd_ir_reconnect.h"
#include "test_camera.h"
#include "test_folders.h"
#include "views/wnd_ir_show.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

using roadtest::RoadWindow;

class CameraWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void close_streaming_camera_windows();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

namespace {

constexpr int kWindows = 100;
// A hang guard only: a close normally takes a small part of it.
constexpr qint64 kCloseBoundMs = 10000;

// What the window is doing when it is closed.
enum class Closing { Streaming, Recording, Reconnecting };

Closing closing_for(int round)
{
    switch (round % 10) {
    case 3: return Closing::Recording;
    case 7: return Closing::Reconnecting;
    default: return Closing::Streaming;
    }
}

// The one AVI file below a record folder (in its day folder), or an empty path.
QString only_avi(const QString& folder)
{
    QStringList found;
    for (const QFileInfo& day : QDir(folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (const QFileInfo& avi : QDir(day.filePath()).entryInfoList({"*.avi"}, QDir::Files)) {
            found << avi.filePath();
        }
    }
    return found.size() == 1 ? found[0] : QString();
}

}  // namespace

void CameraWindowsTest::close_streaming_camera_windows()
{
    camsim::CameraSim camera;
    std::string error;
    QVERIFY2(start_test_camera(camera, &error), error.c_str());
    const QString address = QString::fromStdString(camera.address());

    QTemporaryDir records;
    QVERIFY(records.isValid());
    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 860)));
    QObject* title = road.find_object("title_bar");
    QVERIFY(title != nullptr);

    qint64 slowest = 0;
    for (int round = 0; round < kWindows; ++round) {
        const Closing closing = closing_for(round);
        QVERIFY(QMetaObject::invokeMethod(title, "open_net_device_wnd", Q_ARG(QVariant, address),
                                          Q_ARG(QVariant, QString("camsim")), Q_ARG(QVariant, QString())));
        auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
        QVERIFY2(view != nullptr, qPrintable(QString("round %1").arg(round)));
        auto* source = qobject_cast<IRNetDevice*>(view->source());
        QVERIFY(source != nullptr && source->is_connected());

        // Frames flow to this window before it goes.
        const uint64_t sent = camera.stats().temperature_frames;
        QVERIFY(RoadWindow::wait_for([&] { return camera.stats().temperature_frames >= sent + 3; }));

        if (closing == Closing::Recording) {
            DataConfig* config = DataConfig::instance();
            const QString sn = view->get_capture_sn();
            // A folder per run: two runs within one second would share a name.
            const QString folder = records.filePath(QString::number(round));
            QVERIFY(QDir().mkpath(folder));
            config->set_record_path(sn, folder);
            config->set_record_file_type(sn, 2);
            config->set_record_frequency(sn, 0);
            config->set_record_unlimit(sn, true);
            QVERIFY(RoadWindow::click(road.find_item("btn_record")));
            QVERIFY(source->is_recording());
            const uint64_t at_start = camera.stats().temperature_frames;
            QVERIFY(RoadWindow::wait_for([&] { return camera.stats().temperature_frames >= at_start + 3; }));
        } else if (closing == Closing::Reconnecting) {
            auto* panel = qobject_cast<WndIRReconnect*>(road.find_item("wnd_ir_reconnect"));
            QVERIFY(panel != nullptr);
            camera.drop_links();
            QVERIFY(RoadWindow::wait_for([&] { return panel->isVisible() && !source->is_connected(); }));
        }
        if (round == 3 || round == 7 || round == kWindows - 1) {
            QVERIFY(!road.save_screen("camera_windows", QString("round-%1").arg(round)).isEmpty());
        }

        // The user closes the tab.
        QElapsedTimer clock;
        clock.start();
        QVERIFY2(close_first_tab(road), qPrintable(QString("round %1").arg(round)));
        const qint64 took = clock.elapsed();
        slowest = std::max(slowest, took);
        // The window let its stream go: the camera sees no link left.
        QVERIFY2(RoadWindow::wait_for([&] { return camera.open_links() == 0; }),
                 qPrintable(QString("round %1: %2 links").arg(round).arg(camera.open_links())));
        QVERIFY2(took < kCloseBoundMs, qPrintable(QString("round %1 took %2 ms").arg(round).arg(took)));
        if (closing == Closing::Recording) {
            // The run closed with the window left one complete file.
            QFile avi(only_avi(records.filePath(QString::number(round))));
            QVERIFY(avi.open(QIODevice::ReadOnly));
            QCOMPARE(avi.read(4), QByteArray("RIFF"));
            QVERIFY(avi.size() > 2048);
        }
    }
    qInfo("slowest close: %lld ms", static_cast<long long>(slowest));
    QVERIFY(!road.save_screen("camera_windows", "closed").isEmpty());

    camera.stop();
}

QTEST_MAIN(CameraWindowsTest)
#include "camera_windows_test.moc"
