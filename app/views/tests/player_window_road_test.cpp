// Road test of the player window: the real main window, offscreen, driven
// as a user would: open a recording from the start page, play, pause, step,
// seek by the progress bar, jump to a mark, add one, and play to the end at
// the fastest speed.
#include "message_guard.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "sources/ir_player.h"
#include "test_folders.h"
#include "views/wnd_ir_show.h"
#include "views/wnd_player_progress_bar.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using roadtest::RoadWindow;

namespace {

const char kTest[] = "player_window";

}  // namespace

class PlayerWindowRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void player_window_open_play_pause_step_seek_mark();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

void PlayerWindowRoadTest::player_window_open_play_pause_step_seek_mark()
{
    const QString sample = QDir::current().absoluteFilePath("samples/sample.irv");
    if (!QFile::exists(sample)) QSKIP("samples were not generated");
    // Marks are written beside the recording: the test plays a copy.
    QTemporaryDir out;
    QVERIFY(out.isValid());
    const QString path = out.filePath("pump start.irv");
    QVERIFY(QFile::copy(sample, path));

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 860)));

    // The start page opens a recording in a player tab.
    QObject* start_page = road.find_object("start_page");
    QVERIFY(start_page != nullptr);
    QVERIFY(QMetaObject::invokeMethod(start_page, "open_file", Q_ARG(QVariant, path), Q_ARG(QVariant, false)));
    QTRY_VERIFY(road.find_item("wnd_ir_player") != nullptr && road.find_item("wnd_ir_player")->isVisible());
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    QVERIFY(view != nullptr);
    auto* player = qobject_cast<IRPlayer*>(view->source());
    QVERIFY(player != nullptr);
    QCOMPARE(player->get_file_path(), path);
    QCOMPARE(player->frame_count(), 240u);
    QCOMPARE(view->n_pixel_width(), 160);
    auto* bar = qobject_cast<WndPlayerProgressBar*>(road.find_item("player_progress_bar"));
    QVERIFY(bar != nullptr);
    QCOMPARE(bar->frame_max(), 239);
    QQuickItem* frame_text = road.find_item("text_player_frame");
    QCOMPARE(frame_text->property("text").toString(), QString("1 / 240"));
    QTRY_VERIFY(road.find_item("mark_110") != nullptr);
    road.save_screen(kTest, "1-opened");

    // Play at 2x, then pause.
    QVERIFY(RoadWindow::click(road.find_item("btn_speed_7")));
    QCOMPARE(player->speed(), 2.0f);
    QQuickItem* play = road.find_item("btn_player_play");
    QVERIFY(RoadWindow::click(play));
    QVERIFY(player->is_playing());
    QTRY_VERIFY_WITH_TIMEOUT(player->current_frame() >= 30, 30000);
    QTRY_VERIFY(frame_text->property("text").toString() != "1 / 240");
    road.save_screen(kTest, "2-playing");
    QVERIFY(RoadWindow::click(play));
    QTRY_VERIFY(!player->is_playing());
    const uint32_t paused = player->current_frame();
    QVERIFY(paused < 239);
    road.save_screen(kTest, "3-paused");

    // Step one frame on and back, with the buttons and the arrow keys.
    QVERIFY(RoadWindow::click(road.find_item("btn_player_next")));
    QTRY_COMPARE(player->current_frame(), paused + 1);
    QCOMPARE(bar->frame_value(), int(paused + 1));
    QVERIFY(RoadWindow::click(road.find_item("btn_player_pre")));
    QCOMPARE(player->current_frame(), paused);
    road.key_click(Qt::Key_Right);
    QCOMPARE(player->current_frame(), paused + 1);

    // Seek by a click on the progress bar at three quarters of its track.
    const int track = int(bar->width()) - 2 * WndPlayerProgressBar::kMargin;
    const int x = WndPlayerProgressBar::kMargin + track * 3 / 4;
    QVERIFY(RoadWindow::click_at(bar, QPointF(x, bar->height() / 2)));
    const int expected = WndPlayerProgressBar::frame_at(x, int(bar->width()), 239);
    QVERIFY(expected > 170 && expected < 190);
    QCOMPARE(int(player->current_frame()), expected);
    QCOMPARE(bar->frame_value(), expected);
    QCOMPARE(frame_text->property("text").toString(), QString("%1 / 240").arg(expected + 1));
    road.save_screen(kTest, "4-seek");

    // A double click on a mark goes to its frame.
    QVERIFY(RoadWindow::double_click(road.find_item("mark_110")));
    QCOMPARE(player->current_frame(), 110u);
    QCOMPARE(bar->frame_value(), 110);
    QCOMPARE(frame_text->property("text").toString(), QString("111 / 240"));
    road.save_screen(kTest, "5-mark");

    // A mark added at the next frame joins the list; a second one there is refused.
    road.key_click(Qt::Key_Right);
    QVERIFY(RoadWindow::click(road.find_item("btn_mark_add")));
    QTRY_VERIFY(road.find_item("mark_111") != nullptr);
    QCOMPARE(view->get_all_mark().size(), 6);
    QVERIFY(RoadWindow::click(road.find_item("btn_mark_add")));
    QCOMPARE(view->get_all_mark().size(), 6);

    // At the fastest speed, single mode plays to the end and stops at the start.
    QVERIFY(RoadWindow::click(road.find_item("btn_speed_10")));
    QVERIFY(RoadWindow::click(road.find_item("btn_mode_1102")));
    QCOMPARE(player->play_mode(), int(IRPlayer::kModeSingle));
    QVERIFY(RoadWindow::click(play));
    QTRY_VERIFY_WITH_TIMEOUT(!player->is_playing() && player->current_frame() == 0, 30000);
    // The play button offers play again.
    QTRY_COMPARE(play->property("nBtnId").toInt(), 1043);
    QCOMPARE(bar->frame_value(), 0);
    road.save_screen(kTest, "6-ended");
}

QTEST_MAIN(PlayerWindowRoadTest)
#include "player_window_road_test.moc"
