// The player progress bar: pointer to frame mapping (also on bars too
// narrow for a track), stepping at both ends, and a held button that keeps
// the player's updates from moving the slider; bound to a recording, its
// seeks reach the player.
#include "message_guard.h"
#include "sources/ir_player.h"
#include "test_folders.h"
#include "views/wnd_player_progress_bar.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QtTest>

namespace {

// Gives the tests the mouse handlers a window would call.
struct Bar : WndPlayerProgressBar {
    void press(int x)
    {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(x, 5), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        mousePressEvent(&e);
    }
    void move(int x)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(x, 5), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        mouseMoveEvent(&e);
    }
    void release(int x)
    {
        QMouseEvent e(QEvent::MouseButtonRelease, QPointF(x, 5), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        mouseReleaseEvent(&e);
    }
};

}  // namespace

class WndPlayerProgressBarTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }

    void pointer_maps_to_frames_data();
    void pointer_maps_to_frames();
    void slider_position();
    void stepping_stops_at_both_ends();
    void held_button_keeps_the_slider_from_player_updates();
    void bound_bar_seeks_the_recording();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

void WndPlayerProgressBarTest::pointer_maps_to_frames_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("frame");
    QTest::newRow("middle") << 63 << 126 << 100 << 50;
    QTest::newRow("right end") << 200 << 126 << 100 << 100;
    QTest::newRow("left of the track, coarse bar") << 0 << 126 << 100 << 1;
    QTest::newRow("left of the track, fine bar") << 0 << 1026 << 100 << 0;
    QTest::newRow("maximum 0") << 90 << 126 << 0 << 0;
    QTest::newRow("width 26 has no track") << 20 << 26 << 100 << 0;
    QTest::newRow("width 10 has no track") << 5 << 10 << 100 << 0;
    QTest::newRow("width 0") << 0 << 0 << 100 << 0;
}

void WndPlayerProgressBarTest::pointer_maps_to_frames()
{
    QFETCH(int, x);
    QFETCH(int, width);
    QFETCH(int, maximum);
    QFETCH(int, frame);
    QCOMPARE(WndPlayerProgressBar::frame_at(x, width, maximum), frame);
}

void WndPlayerProgressBarTest::slider_position()
{
    QCOMPARE(WndPlayerProgressBar::slider_x(0, 126, 100), 5);
    QCOMPARE(WndPlayerProgressBar::slider_x(100, 126, 100), 105);
    QCOMPARE(WndPlayerProgressBar::slider_x(7, 126, 0), 5 + 7 * 100);
    QCOMPARE(WndPlayerProgressBar::slider_x(0, 126, 0), 5);
    // A bar too narrow for a track paints without dividing by its width.
    Bar bar;
    bar.setSize(QSizeF(20, 30));
    bar.set_frame_max(10);
    bar.set_frame_value(4);
    QImage image(20, 30, QImage::Format_ARGB32);
    QPainter painter(&image);
    bar.paint(&painter);
}

void WndPlayerProgressBarTest::stepping_stops_at_both_ends()
{
    Bar bar;
    bar.set_frame_max(3);
    bar.set_frame_pre_cur();
    QCOMPARE(bar.frame_value(), 0);
    bar.set_frame_last_cur();
    QCOMPARE(bar.frame_value(), 3);
    bar.set_frame_next_cur();
    QCOMPARE(bar.frame_value(), 3);
    bar.set_frame_pre_cur();
    QCOMPARE(bar.frame_value(), 2);
    bar.set_frame_first_cur();
    QCOMPARE(bar.frame_value(), 0);
    bar.set_frame_cur(99);
    QCOMPARE(bar.frame_value(), 3);
    bar.set_frame_cur(-5);
    QCOMPARE(bar.frame_value(), 0);
    bar.set_frame_max(-1);
    QCOMPARE(bar.frame_max(), 3);
    bar.set_frame_value(8);
    QCOMPARE(bar.frame_value(), 3);
}

void WndPlayerProgressBarTest::held_button_keeps_the_slider_from_player_updates()
{
    Bar bar;
    bar.setSize(QSizeF(126, 30));
    bar.set_frame_max(100);
    bar.press(63);
    QCOMPARE(bar.frame_value(), 50);
    bar.set_frame_value(10);
    QCOMPARE(bar.frame_value(), 50);
    bar.move(113);
    QCOMPARE(bar.frame_value(), 100);
    bar.release(113);
    bar.set_frame_value(10);
    QCOMPARE(bar.frame_value(), 10);
    // A disabled bar ignores the mouse.
    bar.set_enable_bar(false);
    bar.press(63);
    QCOMPARE(bar.frame_value(), 10);
}

void WndPlayerProgressBarTest::bound_bar_seeks_the_recording()
{
    const QString sample = QDir::current().absoluteFilePath("samples/sample.irv");
    if (!QFile::exists(sample)) QSKIP("samples were not generated");
    auto* bar = new Bar;
    bar->setSize(QSizeF(265, 30));
    {
        IRPlayer player(nullptr);
        player.set_player_progress_bar(bar);
        QVERIFY(player.open_file(sample));
        QCOMPARE(bar->frame_max(), 239);
        bar->set_frame_last_cur();
        QCOMPARE(player.current_frame(), 239u);
        bar->press(13 + 120);
        QCOMPARE(player.current_frame(), 120u);
        bar->release(13 + 120);
        player.seek_frame(7);
        player.slot_update_ctrl_with_frame(7);
        QCOMPARE(bar->frame_value(), 7);
        // The bar goes first: the player no longer reaches it.
        delete bar;
        player.slot_update_ctrl_with_frame(8);
    }
}

QTEST_MAIN(WndPlayerProgressBarTest)
#include "wnd_player_progress_bar_test.moc"
