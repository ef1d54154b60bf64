// Road test of the alarm panel in the picture window: the real main window,
// offscreen, driven by mouse and keys: draw two rectangles on a sample
// picture, set a two-row condition in the alarm dialog, see it met (row
// border, coloured objects, one snapshot), then replace it by one with a
// higher threshold typed with a decimal comma and see the alarm clear; and
// in the player window, a condition met on the frames played, with the
// alarm sound on until it is deleted.
#include "alarms/warning_condition.h"
#include "message_guard.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "sources/ir_base.h"
#include "sources/ir_player.h"
#include "test_folders.h"
#include "thermframe.h"
#include "views/wnd_ir_show.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <string>

using roadtest::RoadWindow;

namespace {

const char kTest[] = "warning_conditions";

void* rect_at(void* frame, int index)
{
    void* ana = nullptr;
    thermframe_get_ana(frame, ANA_RECT, index, ana);
    return ana;
}

QString alias_of(void* ana)
{
    std::string alias;
    thermframe_ana_get_alias(ana, alias);
    return QString::fromStdString(alias);
}

float max_of(void* ana)
{
    uint16_t x = 0, y = 0, ad = 0;
    float t = 0.0f;
    thermframe_ana_get_max_temp(ana, x, y, ad, t);
    return t;
}

bool warned(void* ana)
{
    bool on = false;
    return thermframe_ana_get_warning(ana, on) && on;
}

QVariantList hits(WndIRShow* view)
{
    QVariantList list;
    view->source()->warning_condition()->get_hit_condition_index(list);
    return list;
}

}  // namespace

class WarningRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void warning_condition_met_then_cleared();
    void player_condition_met_while_playing();

private:
    // Opens the combo and presses its entry.
    bool choose(const QString& combo, int entry)
    {
        return RoadWindow::click(m_dialog->find_item(combo)) &&
               RoadWindow::click(m_dialog->find_item(combo + "_item_" + QString::number(entry)));
    }
    void type(const QString& input, const QString& text)
    {
        QQuickItem* item = m_dialog->find_item(input);
        QVERIFY(RoadWindow::click(item));
        QQuickWindow* window = item->window();
        for (const QChar c : text) {
            QTest::keyClick(window, c.toLatin1());
        }
        QCOMPARE(item->property("text").toString(), text);
    }
    int files_in(const QString& folder) { return QDir(folder).entryList(QDir::Files).size(); }

    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
    RoadWindow* m_dialog = nullptr;
};

void WarningRoadTest::warning_condition_met_then_cleared()
{
    const QString sample = QDir::current().absoluteFilePath("samples/sample.jpg");
    if (!QFile::exists(sample)) QSKIP("samples were not generated");
    QTemporaryDir snaps;
    QVERIFY(snaps.isValid());

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1084, 700)));
    QVariant ok;
    QVERIFY(QMetaObject::invokeMethod(road.find_object("wnd_client"), "open_picture", Q_RETURN_ARG(QVariant, ok),
                                      Q_ARG(QVariant, sample)));
    QVERIFY(ok.toBool());
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    QVERIFY(view != nullptr && view->source()->warning_condition() != nullptr);
    void* frame = view->source()->get_ir_data();

    // Two rectangles: one over the hot spot, one in the cool corner.
    QVERIFY(RoadWindow::click(road.find_item("btn_clear_ana")));
    QVERIFY(RoadWindow::click(road.find_item("btn_add_rect")));
    QVERIFY(RoadWindow::drag(view, QPointF(290, 205), QPointF(350, 260)));
    QVERIFY(RoadWindow::click(road.find_item("btn_add_rect")));
    QVERIFY(RoadWindow::drag(view, QPointF(20, 20), QPointF(80, 80)));
    void* hot = rect_at(frame, 0);
    void* cool = rect_at(frame, 1);
    QVERIFY(hot != nullptr && cool != nullptr);
    const QString a = alias_of(hot);
    const QString b = alias_of(cool);
    const int high = int(std::floor(max_of(hot)));
    const int gap = int(std::floor(max_of(hot) - max_of(cool)));
    QVERIFY2(gap > 20, qPrintable(QString("%1 %2").arg(max_of(hot)).arg(max_of(cool))));

    // Snapshots go where the folder dialog points.
    QVERIFY(QMetaObject::invokeMethod(road.find_object("area_warning"), "set_snap_folder",
                                      Q_ARG(QVariant, QUrl::fromLocalFile(snaps.path()).toString())));
    QCOMPARE(road.find_item("text_snap_path")->property("text").toString(), snaps.path());

    // The dialog lists every object's tokens after an empty entry: R Max, Min, Avg.
    QVERIFY(RoadWindow::click(road.find_item("btn_add_warning")));
    QQuickWindow* dialog = road.find_window("wnd_warning_condition");
    QVERIFY(dialog != nullptr && dialog->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    RoadWindow dialog_road(dialog);
    m_dialog = &dialog_road;
    QVERIFY(choose("combo_a_0", 1));
    QCOMPARE(dialog_road.find_item("combo_a_0")->property("strCurText").toString(), a + ":Max");
    type("input_temp_0", QString::number(high - 10));
    QVERIFY(choose("combo_a_1", 1));
    QVERIFY(choose("combo_op_1", 2));
    QVERIFY(choose("combo_b_1", 4));
    QCOMPARE(dialog_road.find_item("combo_b_1")->property("strCurText").toString(), b + ":Max");
    type("input_temp_1", QString::number(gap - 10) + ",5");
    // A row with an operator but no objects is refused with its number.
    QVERIFY(choose("combo_op_2", 1));
    QVERIFY(RoadWindow::click(dialog_road.find_item("btn_warning_ok")));
    QVERIFY(dialog->isVisible());
    QQuickItem* error = dialog_road.find_item("text_warning_error");
    QVERIFY(error->isVisible());
    QCOMPARE(error->property("text").toString(),
             QCoreApplication::translate("ItemWndWarningCondition", "第%1行参数设置不正确，请修改！").arg(3));
    RoadWindow::save_screen(dialog, kTest, "1-dialog");
    QVERIFY(RoadWindow::click(dialog_road.find_item("btn_clear_row_2")));
    QVERIFY(RoadWindow::click(dialog_road.find_item("btn_warning_ok")));
    QVERIFY(!dialog->isVisible());

    const QString formula = QString("%1:Max > %2 and math.abs(%1:Max-%3:Max) > %4.5")
                                .arg(a).arg(high - 10).arg(b).arg(gap - 10);
    QCOMPARE(view->get_warning_condition(), QJsonArray{formula});
    QCOMPARE(hits(view), QVariantList{0});
    // The 500 ms tick flags the row and colours both objects.
    QQuickItem* row = nullptr;
    QVERIFY(RoadWindow::wait_for([&] {
        row = road.find_item("warning_row_0");
        return row != nullptr && row->property("bWarning").toBool();
    }));
    QVERIFY(warned(hot) && warned(cool));
    QCOMPARE(files_in(snaps.path()), 1);
    QVERIFY(RoadWindow::move_to(view, QPointF(600, 450)));
    road.save_screen(kTest, "2-met");

    // A higher threshold: delete the condition, add it again above the
    // hottest pixel, typed with a decimal comma.
    QVERIFY(RoadWindow::click(road.find_item("btn_delete_warning_0")));
    QVERIFY(RoadWindow::wait_for([&] { return road.find_item("warning_row_0") == nullptr; }));
    QVERIFY(RoadWindow::click(road.find_item("btn_add_warning")));
    QVERIFY(dialog->isVisible());
    // A temperature without a digit, which the field lets through on the
    // way to a number, is refused with the row's number.
    for (const char* partial : {"-", ".", "-."}) {
        QVERIFY(choose("combo_a_0", 1));
        type("input_temp_0", partial);
        QVERIFY(RoadWindow::click(dialog_road.find_item("btn_warning_ok")));
        QVERIFY2(dialog->isVisible(), partial);
        QVERIFY(error->isVisible());
        QCOMPARE(error->property("text").toString(),
                 QCoreApplication::translate("ItemWndWarningCondition", "第%1行的温度不是数值，请修改！").arg(1));
        QVERIFY(view->get_warning_condition().isEmpty());
        QVERIFY(RoadWindow::click(dialog_road.find_item("btn_clear_row_0")));
    }
    RoadWindow::save_screen(dialog, kTest, "2b-dialog-refuses-a-lone-sign");
    QVERIFY(choose("combo_a_0", 1));
    type("input_temp_0", QString::number(high + 5) + ",5");
    QVERIFY(RoadWindow::click(dialog_road.find_item("btn_warning_ok")));
    QCOMPARE(view->get_warning_condition(), QJsonArray{QString("%1:Max > %2.5").arg(a).arg(high + 5)});
    QCOMPARE(hits(view), QVariantList{});
    QVERIFY(RoadWindow::wait_for([&] { return !warned(hot) && !warned(cool); }));
    QVERIFY(RoadWindow::wait_for([&] { return (row = road.find_item("warning_row_0")) != nullptr; }));
    QVERIFY(!row->property("bWarning").toBool());
    QCOMPARE(files_in(snaps.path()), 1);
    QVERIFY(RoadWindow::move_to(view, QPointF(600, 450)));
    road.save_screen(kTest, "3-cleared");

    // Deleting the object takes its condition and the panel's row.
    QVERIFY(RoadWindow::click_at(view, QPointF(320, 232)));
    QCOMPARE(view->source()->current_ana(), hot);
    QVERIFY(RoadWindow::click(road.find_item("btn_delete_ana")));
    QCOMPARE(view->get_warning_condition().size(), 0);
    QVERIFY(RoadWindow::wait_for([&] { return road.find_item("warning_row_0") == nullptr; }));
    m_dialog = nullptr;
}

void WarningRoadTest::player_condition_met_while_playing()
{
    const QString sample = QDir::current().absoluteFilePath("samples/sample.irv");
    if (!QFile::exists(sample)) QSKIP("samples were not generated");
    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 860)));
    QVERIFY(QMetaObject::invokeMethod(road.find_object("start_page"), "open_file", Q_ARG(QVariant, sample),
                                      Q_ARG(QVariant, false)));
    QTRY_VERIFY(road.find_item("wnd_ir_player") != nullptr && road.find_item("wnd_ir_player")->isVisible());
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    QVERIFY(view != nullptr);
    auto* player = qobject_cast<IRPlayer*>(view->source());
    QVERIFY(player != nullptr && player->warning_condition() != nullptr);

    // One rectangle over the middle of the picture, alarmed above -100 degrees.
    const QPointF centre(view->width() / 2, view->height() / 2);
    QVERIFY(RoadWindow::click(road.find_item("btn_add_rect")));
    QVERIFY(RoadWindow::drag(view, centre - QPointF(60, 40), centre + QPointF(60, 40)));
    void* box = rect_at(player->get_ir_data(), 0);
    QVERIFY(box != nullptr);
    QVERIFY(RoadWindow::click(road.find_item("btn_add_warning")));
    QQuickWindow* dialog = road.find_window("wnd_warning_condition");
    QVERIFY(dialog != nullptr && QTest::qWaitForWindowExposed(dialog));
    RoadWindow dialog_road(dialog);
    m_dialog = &dialog_road;
    QVERIFY(choose("combo_a_0", 1));
    QCOMPARE(dialog_road.find_item("combo_a_0")->property("strCurText").toString(), alias_of(box) + ":Max");
    type("input_temp_0", "-100");
    QVERIFY(RoadWindow::click(dialog_road.find_item("btn_warning_ok")));
    QVERIFY(!dialog->isVisible());
    m_dialog = nullptr;

    // Played, every frame meets it: the row, the object and the sound.
    QVERIFY(RoadWindow::click(road.find_item("btn_player_play")));
    QQuickItem* row = nullptr;
    QVERIFY(RoadWindow::wait_for([&] {
        row = road.find_item("warning_row_0");
        return row != nullptr && row->property("bWarning").toBool() && warned(box);
    }));
    QVERIFY(RoadWindow::wait_for([&] { return player->is_warning_sound_on(); }));
    road.save_screen(kTest, "4-player-met");
    QVERIFY(RoadWindow::click(road.find_item("btn_player_play")));  // now the pause button
    QVERIFY(RoadWindow::wait_for([&] { return !player->is_playing(); }));

    QVERIFY(RoadWindow::click(road.find_item("btn_delete_warning_0")));
    QVERIFY(RoadWindow::wait_for([&] { return !player->is_warning_sound_on() && !warned(box); }));
}

QTEST_MAIN(WarningRoadTest)
#include "warning_road_test.moc"
