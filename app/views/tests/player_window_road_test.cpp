// Road test of the player window: the real main window, offscreen, driven
// as a user would: open a recording from the start page, play, pause, step,
// seek by the progress bar, jump to a mark, add one, and play to the end at
// the fastest speed; then cut a clip with the clip editor and open it.
#include "message_guard.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "sources/ir_player.h"
#include "test_folders.h"
#include "views/wnd_ir_show.h"
#include "views/wnd_player_progress_bar.h"
#include "views/wnd_video_edit.h"
#include "views/wnd_video_edit_progress.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using roadtest::RoadWindow;

namespace {

const char kTest[] = "player_window";

// Marks are written beside the recording: the tests play a copy of the
// sample (empty when the samples were not generated).
QString copy_sample(const QTemporaryDir& out)
{
    const QString sample = QDir::current().absoluteFilePath("samples/sample.irv");
    const QString path = out.filePath("pump start.irv");
    return out.isValid() && QFile::exists(sample) && QFile::copy(sample, path) ? path : QString();
}

// The start page opens a recording in a player tab.
bool open_from_start_page(RoadWindow& road, const QString& path)
{
    QObject* start_page = road.find_object("start_page");
    return start_page != nullptr &&
           QMetaObject::invokeMethod(start_page, "open_file", Q_ARG(QVariant, path), Q_ARG(QVariant, false)) &&
           RoadWindow::wait_for([&] {
               QQuickItem* wnd = road.find_item("wnd_ir_player");
               return wnd != nullptr && wnd->isVisible();
           });
}

}  // namespace

class PlayerWindowRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void player_window_open_play_pause_step_seek_mark();
    void player_window_cut_clip_and_open_it();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

void PlayerWindowRoadTest::player_window_open_play_pause_step_seek_mark()
{
    QTemporaryDir out;
    const QString path = copy_sample(out);
    if (path.isEmpty()) QSKIP("samples were not generated");

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 860)));
    QVERIFY(open_from_start_page(road, path));
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

void PlayerWindowRoadTest::player_window_cut_clip_and_open_it()
{
    QTemporaryDir out;
    const QString path = copy_sample(out);
    if (path.isEmpty()) QSKIP("samples were not generated");

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 860)));
    QVERIFY(open_from_start_page(road, path));
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    auto* player = qobject_cast<IRPlayer*>(view->source());
    QVERIFY(player != nullptr);
    auto* bar = qobject_cast<WndPlayerProgressBar*>(road.find_item("player_progress_bar"));

    // Seek to a third of the recording by the progress bar, then open the
    // clip editor: the current mark stands there.
    const int track = int(bar->width()) - 2 * WndPlayerProgressBar::kMargin;
    QVERIFY(RoadWindow::click_at(bar, QPointF(WndPlayerProgressBar::kMargin + track / 4, bar->height() / 2)));
    const uint32_t seeked = player->current_frame();
    QVERIFY(seeked > 50 && seeked < 70);
    QVERIFY(RoadWindow::click(road.find_item("btn_video_edit")));
    QQuickItem* panel = road.find_item("wnd_video_edit");
    QTRY_VERIFY(panel->isVisible());
    auto* edit = qobject_cast<WndVideoEdit*>(road.find_item("video_edit_bar"));
    QVERIFY(edit != nullptr);
    QCOMPARE(edit->recordings().size(), 1);
    QCOMPARE(edit->get_cur_video_frame(), int(seeked));
    QVERIFY(edit->start_mark() == (ClipMark{0, 80}));
    QVERIFY(edit->end_mark() == (ClipMark{0, 160}));
    road.save_screen(kTest, "7-clip-editor");

    // The current frame before the start cannot end the clip: the message.
    QVERIFY(RoadWindow::click(road.find_item("btn_set_clip_end")));
    QQuickWindow* box = road.find_window("message_box_player");
    QVERIFY(box != nullptr);
    QTRY_VERIFY(box->isVisible());
    QCOMPARE(box->property("strText").toString(), QCoreApplication::translate("ItemWndVideoEdit", "结束帧不能小于起始帧！"));
    box->setVisible(false);
    // It starts the clip instead; a jump to a mark and "+" move the end.
    QVERIFY(RoadWindow::click(road.find_item("btn_set_clip_start")));
    QVERIFY(edit->start_mark() == (ClipMark{0, int(seeked)}));
    QVERIFY(RoadWindow::double_click(road.find_item("mark_110")));
    QCOMPARE(player->current_frame(), 110u);
    QVERIFY(RoadWindow::click(road.find_item("btn_set_clip_end")));
    QVERIFY(edit->end_mark() == (ClipMark{0, 110}));
    QVERIFY(RoadWindow::click(road.find_item("step_end_plus")));
    QVERIFY(edit->end_mark() == (ClipMark{0, 111}));
    QCOMPARE(player->current_frame(), 111u);
    // The start mark dragged on the bar to the left.
    const int start_x = edit->mark_position(1);
    QVERIFY(RoadWindow::drag(edit, QPointF(start_x, 30), QPointF(start_x - 40, 30)));
    QVERIFY(edit->start_mark().frame < int(seeked));
    const int clip_frames = edit->get_clip_video_total_frame();
    QCOMPARE(clip_frames, 111 - edit->start_mark().frame + 1);
    QVERIFY(RoadWindow::click(road.find_item("step_interval_plus")));
    QCOMPARE(edit->get_clip_interval(), 2);
    QVERIFY(RoadWindow::click(road.find_item("step_interval_minus")));
    QCOMPARE(edit->get_clip_interval(), 1);
    road.save_screen(kTest, "8-clip-marks");

    // The save dialog answers with a clip name; the job runs to its end.
    auto* dialog = shell.main_window()->property("dialogFile").value<QObject*>();
    QVERIFY(dialog != nullptr);
    auto* progress = qobject_cast<WndVideoEditProgress*>(road.find_item("video_edit_progress"));
    QVERIFY(progress != nullptr);
    progress->set_frame_pause_ms(30);
    QSignalSpy ok(progress, &WndVideoEditProgress::sig_record_ok);
    const QString clip = out.filePath("pump clip.irv");
    const QVariantList urls{QUrl::fromLocalFile(clip)};
    QVERIFY(QMetaObject::invokeMethod(dialog, "sig_accepted", Q_ARG(QVariant, QVariant::fromValue<QObject*>(panel)),
                                      Q_ARG(int, 0), Q_ARG(QVariant, QVariant(urls))));
    QTRY_VERIFY(road.find_item("wnd_video_edit_progress")->isVisible());
    QTRY_VERIFY(progress->frames_done() > clip_frames / 3);
    road.save_screen(kTest, "9-clip-progress");
    QVERIFY(ok.wait(60000));
    QTRY_VERIFY(!road.find_item("wnd_video_edit_progress")->isVisible());
    QTRY_VERIFY(box->isVisible());
    QCOMPARE(box->property("strText").toString(), QCoreApplication::translate("ItemWndIRPlayer", "视频剪辑完成！"));
    box->setVisible(false);
    road.save_screen(kTest, "10-clip-done");

    // The clip opens in a player window of its own with the frames cut.
    QVERIFY(QMetaObject::invokeMethod(road.find_object("start_page"), "open_file", Q_ARG(QVariant, clip),
                                      Q_ARG(QVariant, false)));
    // Windows made from a component hang in the item tree only.
    const auto player_of = [&](const QString& file) -> IRPlayer* {
        QList<QQuickItem*> pending{shell.main_window()->contentItem()};
        while (!pending.isEmpty()) {
            QQuickItem* item = pending.takeFirst();
            auto* shown = qobject_cast<WndIRShow*>(item);
            if (shown != nullptr && shown->isVisible() && shown->source() != nullptr &&
                shown->source()->get_file_path() == file)
                return qobject_cast<IRPlayer*>(shown->source());
            pending.append(item->childItems());
        }
        return nullptr;
    };
    QTRY_VERIFY(player_of(clip) != nullptr);
    IRPlayer* clip_player = player_of(clip);
    QCOMPARE(int(clip_player->frame_count()), clip_frames);
    road.save_screen(kTest, "11-clip-opened");
}

QTEST_MAIN(PlayerWindowRoadTest)
#include "player_window_road_test.moc"
