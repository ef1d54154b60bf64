// The view tools in a live camera's window, in the real main window: a
// simulated camera on a loopback address, opened from the title bar, shows
// its small frames enlarged, and the charts, the isotherm strip, the copy
// of temperatures and the temperature table work on the live picture; the
// line chart follows the frames.
#include "message_guard.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "sources/ir_net_device.h"
#include "test_camera.h"
#include "test_folders.h"
#include "view_tools_road.h"
#include "views/wnd_ir_show.h"

#include <QtTest>

#include <cmath>

using roadtest::RoadWindow;

class CameraToolsRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        // Nothing of this test asks the network for cameras.
        qputenv("PYRAVUE_NO_DISCOVERY_BROADCAST", "1");
    }
    void cleanup() { m_guard.verify(); }
    void camera_window_zoom_and_view_tools();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

void CameraToolsRoadTest::camera_window_zoom_and_view_tools()
{
    camsim::CameraSim camera;
    std::string error;
    QVERIFY2(start_test_camera(camera, &error), error.c_str());
    const QString address = QString::fromStdString(camera.address());

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 860)));
    QVERIFY(QMetaObject::invokeMethod(road.find_object("title_bar"), "open_net_device_wnd", Q_ARG(QVariant, address),
                                      Q_ARG(QVariant, QString("camsim")), Q_ARG(QVariant, QString())));
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    QVERIFY(view != nullptr);
    auto* source = qobject_cast<IRNetDevice*>(view->source());
    QVERIFY(source != nullptr && source->is_connected());
    const uint64_t sent = camera.stats().temperature_frames;
    QVERIFY(RoadWindow::wait_for([&] { return camera.stats().temperature_frames >= sent + 5; }));

    // The 160 x 120 frames fill the area by whole zoom steps.
    QQuickItem* area = road.find_item("area_ir_show");
    QTRY_VERIFY(area->property("fZoom").toReal() >= 2.0);
    const qreal zoom = area->property("fZoom").toReal();
    QCOMPARE(view->width(), std::floor(160 * zoom));
    QCOMPARE(view->height(), std::floor(120 * zoom));
    road.save_screen("camera_tools", "1-live");

    // The pattern moves: a few frames later the line crosses another scene.
    const auto later_frames = [&] {
        const uint64_t now = camera.stats().temperature_frames;
        QVERIFY(RoadWindow::wait_for([&] { return camera.stats().temperature_frames >= now + 3; }));
    };
    roadtest::drive_view_tools(road, view, "camera_tools", later_frames, false);
    if (QTest::currentTestFailed()) return;
    QVERIFY(close_first_tab(road));
    camera.stop();
}

QTEST_MAIN(CameraToolsRoadTest)
#include "camera_tools_road_test.moc"
