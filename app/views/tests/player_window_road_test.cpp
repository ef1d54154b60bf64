// Road test of the player window: the real main window, offscreen, driven
// as a user would: open a recording from the start page, play, pause, step,
// seek by the progress bar, jump to a mark, add one, and play to the end at
// the fastest speed; then cut a clip with the clip editor and open it. The
// property column follows an emissivity typed in while playing and the view
// tools work; recordings added through the open dialog play in list order,
// a mark is named, while a trend runs the marks refuse changes, and a clip
// is cut across two of the recordings.
#include "charts/manager_chart_trend.h"
#include "message_guard.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "shell/data_config.h"
#include "sources/handle_ids.h"
#include "sources/ir_player.h"
#include "test_folders.h"
#include "test_recordings.h"
#include "view_tools_road.h"
#include "views/wnd_ir_show.h"
#include "views/wnd_player_progress_bar.h"
#include "views/wnd_video_edit.h"
#include "views/wnd_video_edit_progress.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

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

// The main window shown, the start page opens a recording in a player tab:
// its player, or null.
IRPlayer* show_and_open(RoadWindow& road, const QString& path)
{
    QObject* start_page = road.find_object("start_page");
    const bool opened =
        road.show(QSize(1280, 860)) && start_page != nullptr &&
        QMetaObject::invokeMethod(start_page, "open_file", Q_ARG(QVariant, path), Q_ARG(QVariant, false)) &&
        RoadWindow::wait_for([&] {
            QQuickItem* wnd = road.find_item("wnd_ir_player");
            return wnd != nullptr && wnd->isVisible();
        });
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    return opened && view != nullptr ? qobject_cast<IRPlayer*>(view->source()) : nullptr;
}

// Types text key by key into the focus item of the window.
void type_text(QQuickWindow* window, const char* text)
{
    for (const char* c = text; *c != 0; ++c) QTest::keyClick(window, *c);
}

// The temperature after the position in "(x, y)t".
float temperature_of(const QString& text)
{
    return text.mid(text.lastIndexOf(')') + 1).toFloat();
}

// The player of the visible view that shows `file`, or null. Windows made
// from a component hang in the item tree only.
IRPlayer* player_of(QQuickWindow* window, const QString& file)
{
    QList<QQuickItem*> pending{window->contentItem()};
    while (!pending.isEmpty()) {
        QQuickItem* item = pending.takeFirst();
        auto* shown = qobject_cast<WndIRShow*>(item);
        if (shown != nullptr && shown->isVisible() && shown->source() != nullptr &&
            shown->source()->get_file_path() == file)
            return qobject_cast<IRPlayer*>(shown->source());
        pending.append(item->childItems());
    }
    return nullptr;
}

}  // namespace

class PlayerWindowRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void player_window_open_play_pause_step_seek_mark();
    void player_window_cut_clip_and_open_it();
    void player_window_parameters_follow_emissivity_and_tools_work();
    void player_window_list_from_dialog_clip_across_named_mark();

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
    IRPlayer* player = show_and_open(road, path);
    QVERIFY(player != nullptr);
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
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
    IRPlayer* player = show_and_open(road, path);
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

    // A recording of another camera joins the editor's cameras; choosing it
    // shows its recordings from their first frame, choosing back the pump's.
    const QString other = out.filePath("gate.irv");
    QVERIFY(roadtest::write_recording_part(path, other, 0, 40));
    edit->add_recording("gate-camera;160x120", ClipRecording{other, "gate.irv", 1000, 2600, 40});
    QVERIFY(panel->isVisible());
    QQuickItem* devices = road.find_item("combo_clip_device");
    QVERIFY(RoadWindow::click(devices));
    const QStringList names = devices->property("listText").toStringList();
    QCOMPARE(names.size(), 2);
    const int gate = names.indexOf("gate-camera");
    QVERIFY(gate >= 0);
    road.save_screen(kTest, "10a-clip-cameras");
    QVERIFY(RoadWindow::click(road.find_item(QString("combo_clip_device_item_%1").arg(gate))));
    QCOMPARE(devices->property("strCurText").toString(), QString("gate-camera"));
    QCOMPARE(edit->recordings().size(), 1);
    QCOMPARE(edit->recordings()[0].path, other);
    QCOMPARE(player->get_file_path(), other);
    QCOMPARE(player->current_frame(), 0u);
    road.save_screen(kTest, "10b-clip-other-camera");
    QVERIFY(RoadWindow::click(devices));
    QVERIFY(RoadWindow::click(road.find_item(QString("combo_clip_device_item_%1").arg(1 - gate))));
    QCOMPARE(edit->recordings()[0].path, path);
    QCOMPARE(player->get_file_path(), path);

    // The clip opens in a player window of its own with the frames cut.
    QVERIFY(QMetaObject::invokeMethod(road.find_object("start_page"), "open_file", Q_ARG(QVariant, clip),
                                      Q_ARG(QVariant, false)));
    QTRY_VERIFY(player_of(shell.main_window(), clip) != nullptr);
    IRPlayer* clip_player = player_of(shell.main_window(), clip);
    QCOMPARE(int(clip_player->frame_count()), clip_frames);
    road.save_screen(kTest, "11-clip-opened");
}

void PlayerWindowRoadTest::player_window_parameters_follow_emissivity_and_tools_work()
{
    QTemporaryDir out;
    const QString path = copy_sample(out);
    if (path.isEmpty()) QSKIP("samples were not generated");

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    IRPlayer* player = show_and_open(road, path);
    QVERIFY(player != nullptr);
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    auto* bar = qobject_cast<WndPlayerProgressBar*>(road.find_item("player_progress_bar"));

    // The 160 x 120 recording opens enlarged by whole zoom steps, so that
    // its frame time (180 pixels wide) lies on the picture.
    QQuickItem* area = road.find_item("area_ir_show");
    QTRY_VERIFY(area->property("fZoom").toReal() >= 2.0);
    const qreal zoom = area->property("fZoom").toReal();
    QCOMPARE(view->width(), std::floor(160 * zoom));
    QCOMPARE(view->height(), std::floor(120 * zoom));
    QVERIFY(view->width() >= 185);
    // The status bar describes the recording.
    const QString status = road.find_item("status_text")->property("text").toString();
    QVERIFY2(status.contains("160 x 120"), qPrintable(status));

    // The property column: the recorded parameters and the frame's extremes.
    QQuickItem* emiss = road.find_item("input_strSettingEmiss");
    QVERIFY(emiss != nullptr && emiss->isVisible());
    const QString recorded = emiss->property("text").toString();
    QVERIFY(!recorded.isEmpty());
    QQuickItem* max_text = road.find_item("text_max_temp");
    const auto panel_max = [&] { return max_text->property("text").toString(); };
    const auto frame_max = [&] { return view->get_ir_temp_info()["strSettingMaxTemp"].toString(); };
    QVERIFY(!frame_max().isEmpty());
    QVERIFY2(panel_max().endsWith(frame_max()), qPrintable(panel_max()));
    road.save_screen(kTest, "p1-parameters");

    // Frame f: its hottest point at the recorded emissivity.
    const int track = int(bar->width()) - 2 * WndPlayerProgressBar::kMargin;
    const QPointF at_f(WndPlayerProgressBar::kMargin + track / 2, bar->height() / 2);
    QVERIFY(RoadWindow::click_at(bar, at_f));
    const uint32_t f = player->current_frame();
    QTRY_VERIFY(panel_max().endsWith(frame_max()));
    const float before = temperature_of(frame_max());

    // Emissivity 0.5 typed in while the recording plays.
    QVERIFY(RoadWindow::click(road.find_item("btn_speed_5")));
    QQuickItem* play = road.find_item("btn_player_play");
    QVERIFY(RoadWindow::click(play));
    QVERIFY(player->is_playing());
    QVERIFY(RoadWindow::click(emiss));
    road.key_click(Qt::Key_A, Qt::ControlModifier);
    type_text(road.window(), "0.5");
    QCOMPARE(emiss->property("text").toString(), QString("0.5"));
    float emissivity = 0.0f;
    QVERIFY(thermframe_get_emiss(player->get_ir_data(), emissivity));
    QCOMPARE(emissivity, 0.5f);
    const uint32_t typed_at = player->current_frame();
    QTRY_VERIFY_WITH_TIMEOUT(player->current_frame() >= typed_at + 10, 30000);
    road.save_screen(kTest, "p2-playing-at-0.5");
    QVERIFY(RoadWindow::click(play));
    QTRY_VERIFY(!player->is_playing());
    // The frames played kept it; the panel shows the frame it stopped at.
    QVERIFY(thermframe_get_emiss(player->get_ir_data(), emissivity));
    QCOMPARE(emissivity, 0.5f);
    QTRY_VERIFY(panel_max().endsWith(frame_max()));
    // Back at frame f the hot pipe reads hotter than at the recorded value.
    QVERIFY(RoadWindow::click_at(bar, at_f));
    QCOMPARE(player->current_frame(), f);
    QTRY_VERIFY(panel_max().endsWith(frame_max()));
    QVERIFY2(temperature_of(frame_max()) > before + 1.0f, qPrintable(frame_max()));
    road.save_screen(kTest, "p3-frame-f-at-0.5");

    // "Restore defaults": the recording's own emissivity is back at once, in
    // the field and in the temperatures, and stays so a frame later.
    QVERIFY(RoadWindow::click(road.find_item("btn_default_param")));
    QCOMPARE(emiss->property("text").toString(), recorded);
    QVERIFY(thermframe_get_emiss(player->get_ir_data(), emissivity));
    QCOMPARE(QString::number(emissivity, 'f', 2), recorded);
    QTRY_VERIFY(panel_max().endsWith(frame_max()));
    QCOMPARE(temperature_of(frame_max()), before);
    QVERIFY(RoadWindow::click(road.find_item("btn_player_next")));
    QTRY_COMPARE(player->current_frame(), f + 1);
    QTRY_VERIFY(panel_max().endsWith(frame_max()));
    QCOMPARE(emiss->property("text").toString(), recorded);
    QVERIFY(thermframe_get_emiss(player->get_ir_data(), emissivity));
    QCOMPARE(QString::number(emissivity, 'f', 2), recorded);
    road.save_screen(kTest, "p4-defaults-restored");

    // The chart follows a step back to the first frame.
    const auto first_frame = [&] {
        QVERIFY(RoadWindow::click(road.find_item("btn_player_first")));
        QTRY_COMPARE(player->current_frame(), 0u);
    };
    roadtest::drive_view_tools(road, view, "player_tools", first_frame, true);
}

void PlayerWindowRoadTest::player_window_list_from_dialog_clip_across_named_mark()
{
    QTemporaryDir out;
    const QString sample = QDir::current().absoluteFilePath("samples/sample.irv");
    if (!out.isValid() || !QFile::exists(sample)) QSKIP("samples were not generated");
    // Three recordings of one camera, one after the other.
    const QStringList paths{out.filePath("pump a.irv"), out.filePath("pump b.irv"), out.filePath("pump c.irv")};
    QVERIFY(roadtest::write_recording_part(sample, paths[0], 0, 80));
    QVERIFY(roadtest::write_recording_part(sample, paths[1], 80, 70));
    QVERIFY(roadtest::write_recording_part(sample, paths[2], 150, 90));

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    IRPlayer* player = show_and_open(road, paths[0]);
    QVERIFY(player != nullptr);
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));

    // A mark on the first frame, named in the list.
    QVERIFY(RoadWindow::click(road.find_item("btn_mark_add")));
    QTRY_VERIFY(road.find_item("mark_0") != nullptr);
    QVERIFY(RoadWindow::click(road.find_item("mark_0")));
    QVERIFY(RoadWindow::click(road.find_item("btn_mark_edit")));
    QQuickItem* input = nullptr;
    QTRY_VERIFY((input = road.find_item("input_mark_text")) != nullptr);
    type_text(road.window(), "pump on");
    road.save_screen(kTest, "l1-naming-mark");
    road.key_click(Qt::Key_Return);
    QTRY_VERIFY(road.find_item("input_mark_text") == nullptr);
    QCOMPARE(view->get_all_mark().size(), 1);
    QCOMPARE(view->get_all_mark()[0].toObject()["strSettingMarkInfo"].toString(), QString("pump on"));

    // The other two through the open dialog, with a file that is no recording.
    QObject* files = shell.main_window()->property("dialogFile").value<QObject*>();
    QVERIFY(files != nullptr);
    m_guard.expect(QRegularExpression(QStringLiteral("does not support propagateSizeHints")));
    QVERIFY(RoadWindow::click(road.find_item("btn_play_list_add")));
    QObject* dialog = files->property("dialog").value<QObject*>();
    QVERIFY(dialog != nullptr && dialog->property("visible").toBool());
    QVERIFY(dialog->property("selectMultiple").toBool());
    QVERIFY(dialog->property("selectExisting").toBool());
    QVERIFY(QMetaObject::invokeMethod(dialog, "close"));
    const QString junk = out.filePath("junk.irv");
    QFile bad(junk);
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("no frames here");
    bad.close();
    const QVariantList urls{QUrl::fromLocalFile(paths[1]), QUrl::fromLocalFile(junk), QUrl::fromLocalFile(paths[2])};
    files->setProperty("folder", QUrl::fromLocalFile(out.path()));
    m_guard.expect(QRegularExpression(QStringLiteral("recording refused")));
    QVERIFY(QMetaObject::invokeMethod(files, "sig_accepted", Q_ARG(QVariant, files->property("curItem")),
                                      Q_ARG(int, 0), Q_ARG(QVariant, QVariant(urls))));
    // The first one added shows when all are in.
    QTRY_COMPARE(player->play_list(), paths);
    QTRY_COMPARE(player->get_file_path(), paths[1]);
    QCOMPARE(road.find_item("play_list_2")->property("text").toString(), QString("pump c.irv"));
    QCOMPARE(DataConfig::instance()->get_irv_open_path(), out.path());
    road.save_screen(kTest, "l2-list-added");

    // From the first entry, in list order, to the end of the last.
    QVERIFY(RoadWindow::double_click(road.find_item("play_list_0")));
    QCOMPARE(player->get_file_path(), paths[0]);
    QSignalSpy changes(view, &WndIRShow::sig_change_player_file);
    QVERIFY(RoadWindow::click(road.find_item("btn_speed_10")));
    QQuickItem* play = road.find_item("btn_player_play");
    QVERIFY(RoadWindow::click(play));
    QTRY_VERIFY_WITH_TIMEOUT(changes.count() >= 2 && !player->is_playing(), 60000);
    QCOMPARE(changes.count(), 2);
    QCOMPARE(changes[0][0].toString(), paths[1]);
    QCOMPARE(changes[1][0].toString(), paths[2]);
    QCOMPARE(player->get_file_path(), paths[2]);
    QTRY_COMPARE(player->current_frame(), 0u);

    // While a trend of a point on the recording runs, the marks stay as
    // they are and the list says why.
    QVERIFY(RoadWindow::click(road.find_item("btn_speed_1")));
    QVERIFY(RoadWindow::click(road.find_item("btn_add_point")));
    QVERIFY(RoadWindow::click_at(view, QPointF(view->width() / 2, view->height() / 2)));
    void* point = nullptr;
    QVERIFY(thermframe_get_ana(player->get_ir_data(), ANA_POINT, 0, point));
    QObject* trends = road.find_object("trend_charts")->property("list").value<QObject*>();
    QVariant trend_wnd;
    QVERIFY(QMetaObject::invokeMethod(trends, "create_trend_chart", Q_RETURN_ARG(QVariant, trend_wnd),
                                      Q_ARG(QVariant, view->get_ir_handle()),
                                      Q_ARG(QVariant, analysis_ids().id_of(point)), Q_ARG(QVariant, 1)));
    QVERIFY(ManagerChartTrend::instance()->is_trend_running(view->get_ir_handle()));
    // The trend plays the list over from its first entry, the named mark's.
    QTRY_VERIFY(player->is_playing() && road.find_item("mark_0") != nullptr);
    QQuickWindow* box = road.find_window("message_box_player");
    const auto refused = [&](const char* text) {
        const bool shown = RoadWindow::wait_for([&] { return box->isVisible(); }) &&
                           box->property("strText").toString() == QCoreApplication::translate("ItemListIRVideo", text);
        box->setVisible(false);
        return shown;
    };
    QVERIFY(RoadWindow::click(road.find_item("btn_mark_add")));
    QVERIFY(refused("趋势分析中，无法添加视频标注！"));
    QVERIFY(RoadWindow::click(road.find_item("mark_0")));
    QVERIFY(RoadWindow::click(road.find_item("btn_mark_edit")));
    QVERIFY(refused("趋势分析中，无法编辑视频标注！"));
    QVERIFY(RoadWindow::click(road.find_item("btn_mark_delete")));
    QVERIFY(refused("趋势分析中，无法删除视频标注！"));
    QCOMPARE(view->get_all_mark().size(), 1);
    road.save_screen(kTest, "l3-marks-kept-during-trend");
    QVERIFY(RoadWindow::click(play));
    QTRY_VERIFY(!player->is_playing());
    RoadWindow trend(qobject_cast<QQuickWindow*>(trend_wnd.value<QObject*>()));
    QVERIFY(RoadWindow::click(trend.find_item("btn_close_trend")));
    QTRY_COMPARE(ManagerChartTrend::instance()->chart_count(), 0);

    // A clip from the middle of the second recording into the third.
    QVERIFY(RoadWindow::click(road.find_item("btn_video_edit")));
    QQuickItem* panel = road.find_item("wnd_video_edit");
    QTRY_VERIFY(panel->isVisible());
    auto* edit = qobject_cast<WndVideoEdit*>(road.find_item("video_edit_bar"));
    QCOMPARE(edit->recordings().size(), 3);
    const qreal slot = edit->width() / 3;
    const int start_x = edit->mark_position(1);
    QVERIFY(RoadWindow::drag(edit, QPointF(start_x, 30), QPointF(slot * 1.5, 30)));
    QCOMPARE(edit->start_mark().video, 1);
    QCOMPARE(edit->end_mark().video, 2);
    const int clip_frames = edit->get_clip_video_total_frame();
    QCOMPARE(clip_frames, 70 - edit->start_mark().frame + edit->end_mark().frame + 1);
    road.save_screen(kTest, "l4-clip-across");
    auto* progress = qobject_cast<WndVideoEditProgress*>(road.find_item("video_edit_progress"));
    progress->set_frame_pause_ms(5);
    QSignalSpy ok(progress, &WndVideoEditProgress::sig_record_ok);
    // The clip's save dialog is a new dialog window of its own.
    m_guard.expect(QRegularExpression(QStringLiteral("does not support propagateSizeHints")));
    QVERIFY(RoadWindow::click(road.find_item("btn_clip_save")));
    QCOMPARE(files->property("curItem").value<QObject*>(), panel);
    QVERIFY(!files->property("dialog").value<QObject*>()->property("selectExisting").toBool());
    const QString clip = out.filePath("pump clip.irv");
    QVERIFY(QMetaObject::invokeMethod(files, "sig_accepted", Q_ARG(QVariant, files->property("curItem")),
                                      Q_ARG(int, 0), Q_ARG(QVariant, QVariant(QVariantList{QUrl::fromLocalFile(clip)}))));
    QVERIFY(ok.wait(60000));
    QTRY_VERIFY(box->isVisible());
    box->setVisible(false);
    QVERIFY(QMetaObject::invokeMethod(road.find_object("start_page"), "open_file", Q_ARG(QVariant, clip),
                                      Q_ARG(QVariant, false)));
    QTRY_VERIFY(player_of(shell.main_window(), clip) != nullptr);
    QCOMPARE(int(player_of(shell.main_window(), clip)->frame_count()), clip_frames);
}

QTEST_MAIN(PlayerWindowRoadTest)
#include "player_window_road_test.moc"
