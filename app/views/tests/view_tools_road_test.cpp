// Road test of the view tools in the picture window, offscreen, driven as a
// user would: isotherm bands added, exported and imported; the palette
// menu and bar; temperatures copied to the clipboard; the full and the
// simplified temperature tables; the overview of a zoomed picture; and the
// voice-note buttons.
#include "message_guard.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "sources/ir_base.h"
#include "thermframe.h"
#include "views/wnd_ir_isotherm.h"
#include "views/wnd_ir_palette.h"
#include "views/wnd_ir_show.h"
#include "views/wnd_ir_thumbnail.h"
#include "views/wnd_table_ir_temp.h"
#include "views/wnd_table_ir_temp_simplified.h"

#include <QAudioDeviceInfo>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using roadtest::RoadWindow;

namespace {

const char kTest[] = "view_tools";

bool call(QObject* object, const char* method, QVariant& result, const QVariant& argument)
{
    return QMetaObject::invokeMethod(object, method, Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, argument));
}

// Items made by repeaters are no QObject children of the page: they are
// found through the item tree.
QQuickItem* find_in_items(QQuickItem* root, const QString& name)
{
    if (root == nullptr) return nullptr;
    if (root->objectName() == name) return root;
    for (QQuickItem* child : root->childItems()) {
        if (QQuickItem* found = find_in_items(child, name)) return found;
    }
    return nullptr;
}

}  // namespace

class ViewToolsRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Looking for sound devices the first time may warn that no sound
        // server runs; that is the machine's state, not the program's.
        QAudioDeviceInfo::availableDevices(QAudio::AudioOutput);
        QAudioDeviceInfo::availableDevices(QAudio::AudioInput);
        m_guard.install();
    }
    void cleanup() { m_guard.verify(); }
    void view_tools_isotherm_palette_copy_tables_thumbnail_note();

private:
    roadtest::MessageGuard m_guard;
};

void ViewToolsRoadTest::view_tools_isotherm_palette_copy_tables_thumbnail_note()
{
    const QString sample = QDir::current().absoluteFilePath("samples/sample.jpg");
    if (!QFile::exists(sample)) QSKIP("samples were not generated");
    QTemporaryDir out;
    QVERIFY(out.isValid());

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1500, 950)));
    QObject* client = road.find_object("wnd_client");
    QVariant ok;
    QVERIFY(call(client, "open_picture", ok, sample));
    QVERIFY(ok.toBool());
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    QVERIFY(view != nullptr && view->source() != nullptr);
    void* doc = view->source()->get_ir_data();
    thermframe_isotherm_delete_all(doc);

    // --- Isotherm: the toolbar button shows the strip; two bands added. ---
    auto* isotherm = qobject_cast<WndIRIsotherm*>(road.find_item("wnd_ir_isotherm"));
    QVERIFY(isotherm != nullptr && !isotherm->isVisible());
    QVERIFY(RoadWindow::click(road.find_item("btn_isotherm")));
    QVERIFY(isotherm->isVisible());
    QCOMPARE(isotherm->height(), 75.0);
    QCOMPARE(isotherm->source(), view->source());
    const QPointF add = isotherm->button_rect(WndIRIsotherm::kAdd).center();
    QVERIFY(RoadWindow::click_at(isotherm, add));
    QVERIFY(RoadWindow::click_at(isotherm, add));
    QCOMPARE(isotherm->band_count(), 2);
    int32_t count = 0;
    QVERIFY(thermframe_isotherm_get_count(doc, count));
    QCOMPARE(count, 2);
    // The second band is selected by a click and widened by its arrow field.
    const IsothermBand& second = *isotherm->bands()[1];
    QVERIFY(RoadWindow::click_at(isotherm, QPointF((second.px_start + second.px_end) / 2 + 5,
                                                   isotherm->band_row().center().y())));
    QCOMPARE(isotherm->cur_band_id(), second.id);
    const float span = second.span;
    const QRect high_field = isotherm->button_rect(WndIRIsotherm::kEditRange);
    QVERIFY(!high_field.isNull());
    RoadWindow::move_to(isotherm, QPointF(add.x(), add.y()));
    road.save_screen(kTest, "1-isotherm-bands");

    // Export, clear, import: the same two bands come back.
    QObject* area = road.find_object("area_ir_isotherm");
    const QString file = out.filePath("bands.is");
    QVERIFY(call(area, "export_file", ok, QUrl::fromLocalFile(file).toString()));
    QVERIFY(ok.toBool());
    QCOMPARE(QFileInfo(file).size(), 16 + 2 * 13);
    QVERIFY(RoadWindow::click_at(isotherm, isotherm->button_rect(WndIRIsotherm::kClear).center()));
    QCOMPARE(isotherm->band_count(), 0);
    QVERIFY(call(area, "import_file", ok, QUrl::fromLocalFile(file).toString()));
    QVERIFY(ok.toBool());
    QCOMPARE(isotherm->band_count(), 2);
    QCOMPARE(isotherm->bands()[1]->span, span);
    QVERIFY(thermframe_isotherm_get_count(doc, count));
    QCOMPARE(count, 2);
    // A file that is not an isotherm file is refused and says so.
    const QString junk = out.filePath("junk.is");
    QFile bad(junk);
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("not isotherms at all");
    bad.close();
    m_guard.expect(QRegularExpression("isotherm file refused"));
    QVERIFY(call(area, "import_file", ok, QUrl::fromLocalFile(junk).toString()));
    QVERIFY(!ok.toBool());
    QVERIFY(road.find_item("text_isotherm_message")->isVisible());
    QCOMPARE(isotherm->band_count(), 2);
    road.save_screen(kTest, "2-isotherm-imported");

    // --- Palette: the bar beside the picture, the menu picks rainbow. ---
    auto* palette = qobject_cast<WndIRPalette*>(road.find_item("wnd_ir_palette"));
    QVERIFY(palette != nullptr && palette->isVisible());
    QCOMPARE(palette->height(), view->height());
    QVERIFY(RoadWindow::click(road.find_item("btn_palette")));
    QVERIFY(road.find_item("menu_palette")->isVisible());
    QQuickItem* menu = road.find_item("menu_palette");
    QVERIFY(RoadWindow::wait_for([&] { return find_in_items(menu, "palette_row_1") != nullptr; }));
    road.save_screen(kTest, "3-palette-menu");
    QVERIFY(RoadWindow::click(find_in_items(menu, "palette_row_1")));
    QVERIFY(!menu->isVisible());
    PALETTE chosen = PAL_IRON;
    QVERIFY(thermframe_get_palette(doc, chosen));
    QCOMPARE(int(chosen), 1);
    QCOMPARE(palette->palette(), 1);
    const int level_span = palette->level_span();
    const int high_y = 25 + static_cast<int>(palette->high_pos() * palette->strip_length());
    QVERIFY(RoadWindow::drag(palette, QPointF(18, high_y), QPointF(18, high_y + 15)));
    QVERIFY(palette->level_span() < level_span);
    uint16_t low = 0, high = 0;
    QVERIFY(thermframe_get_imaging_range(doc, low, high));
    QCOMPARE(int(high), palette->level_span());

    // --- Copying temperatures: the whole picture to the clipboard. ---
    QVERIFY(RoadWindow::click(road.find_item("btn_copy_temp")));
    QQuickItem* dialog = road.find_item("wnd_copy_temp");
    QVERIFY(dialog->isVisible());
    road.save_screen(kTest, "4-copy-dialog");
    QGuiApplication::clipboard()->clear();
    QVERIFY(RoadWindow::click(road.find_item("btn_copy_temp_ok")));
    QVERIFY(!dialog->isVisible());
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY2(copied.startsWith("Infrared overall temperature\t\r\nResolution( width, height )\t640,512\r\n"),
             qPrintable(copied.left(120)));
    QCOMPARE(copied.count("\r\n"), 8 + 512 + 3);
    QCOMPARE(dialog->property("strResult").toString(), QCoreApplication::translate("ItemWndCopyTemp", "复制温度成功"));

    // --- Temperature tables: both windows open and fill. ---
    QVERIFY(RoadWindow::click(road.find_item("btn_temp_table")));
    QQuickWindow* full = road.find_window("wnd_ir_temp_full");
    QVERIFY(full != nullptr && full->isVisible());
    auto* table = full->findChild<WndTableIRTemp*>("wnd_table_ir_temp");
    QVERIFY(table != nullptr && table->is_refreshing());
    QVERIFY(RoadWindow::wait_for([&] { return table->data_width() == 640; }));
    QVERIFY(QTest::qWaitForWindowExposed(full));
    RoadWindow::save_screen(full, kTest, "5-temp-table");
    full->close();
    QVERIFY(RoadWindow::wait_for([&] { return !table->is_refreshing(); }));

    QVERIFY(RoadWindow::click(road.find_item("btn_temp_preview")));
    QQuickWindow* preview = road.find_window("wnd_ir_temp_simplified");
    QVERIFY(preview != nullptr);
    auto* simple = preview->findChild<WndTableIRTempSimplified*>("wnd_table_ir_temp_simplified");
    QVERIFY(simple != nullptr);
    QSignalSpy painted(simple, &WndTableIRTempSimplified::sig_update);
    QVERIFY(RoadWindow::wait_for([&] { return painted.count() > 0; }));
    QVERIFY(!simple->front().isNull());
    QVERIFY(QTest::qWaitForWindowExposed(preview));
    RoadWindow::save_screen(preview, kTest, "6-temp-preview");
    preview->close();

    // --- Overview: zoomed past the area, dragging the frame pans. ---
    auto* thumbnail = qobject_cast<WndIRThumbnail*>(road.find_item("wnd_ir_thumbnail"));
    QVERIFY(thumbnail != nullptr && !thumbnail->isVisible());
    for (int i = 0; i < 5; ++i) QVERIFY(RoadWindow::click(road.find_item("btn_zoom_in")));
    QVERIFY(RoadWindow::wait_for([&] { return thumbnail->isVisible(); }));
    const QRect frame_rect = thumbnail->visible_rect();
    QVERIFY(frame_rect.width() < thumbnail->width() - 2);
    QVERIFY(RoadWindow::drag(thumbnail, frame_rect.center(), frame_rect.center() + QPoint(40, 30)));
    QVERIFY(thumbnail->x_ratio() > 0.0f);
    QQuickItem* flick = view->parentItem()->parentItem();
    QVERIFY(flick->property("contentX").toReal() > 0.0);
    road.save_screen(kTest, "7-thumbnail");
    QVERIFY(RoadWindow::click(road.find_item("btn_zoom_restore")));

    // --- Voice note: recording needs an input; without one nothing starts
    // and the panel says so. ---
    const bool has_input = !QAudioDeviceInfo::defaultInputDevice().isNull();
    if (!has_input) {
        m_guard.expect(QRegularExpression("no audio input"));
        m_guard.expect(QRegularExpression("recording did not start"));
    }
    QVERIFY(RoadWindow::reveal(road.find_item("flick_property"), road.find_item("btn_audio_record")));
    QVERIFY(RoadWindow::click(road.find_item("btn_audio_record")));
    QCOMPARE(road.find_item("text_sound_time")->property("text").toString(), QString("00:00"));
    if (has_input) {
        QVERIFY(RoadWindow::click(road.find_item("btn_audio_record")));
    } else {
        QVERIFY(!road.find_item("btn_audio_record")->property("bChecked").toBool());
        QVERIFY(road.find_item("text_audio_error")->isVisible());
    }
    road.save_screen(kTest, "8-voice-note");
}

QTEST_MAIN(ViewToolsRoadTest)
#include "view_tools_road_test.moc"
