// Road test of the main window: the real main.qml with the real start-up
// objects, offscreen, driven by mouse and keys.
#include "message_guard.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "test_folders.h"

#include <QtTest>

using roadtest::RoadWindow;

class MainWindowRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void main_window_starts_on_start_page();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

void MainWindowRoadTest::main_window_starts_on_start_page()
{
    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show());
    QCOMPARE(road.window()->size(), QSize(1084, 700));
    QVERIFY(road.window()->flags().testFlag(Qt::FramelessWindowHint));
    QQuickItem* start = road.find_item(QStringLiteral("start_page"));
    QVERIFY(start != nullptr);
    QVERIFY(start->isVisible());
    QVERIFY(!road.save_screen(QStringLiteral("main_window"), QStringLiteral("start")).isEmpty());
}

QTEST_MAIN(MainWindowRoadTest)
#include "main_window_road_test.moc"
