// Road test of the report designer page in the real main window, offscreen:
// open the designer tab, draw a picture of a sample picture and a table of
// its analysis temperatures, save the layout, open it again and find it the
// same; then the toolbar's radio group, alignment, the panel sections and
// the mark chooser's messages.
#include "batch_pictures.h"
#include "message_guard.h"
#include "opened_urls.h"
#include "road_window.h"
#include "reports/report_cell.h"
#include "reports/report_com_image.h"
#include "reports/report_com_table.h"
#include "reports/report_com_text.h"
#include "reports/report_data.h"
#include "reports/report_page.h"
#include "reports/wnd_report_client.h"
#include "shell/app_shell.h"
#include "test_folders.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QQmlProperty>
#include <QSignalSpy>
#include <QtTest>

using roadtest::RoadWindow;
using batch_pictures::Expected;

namespace {

const char kTest[] = "report_designer";

// Toolbar button ids.
constexpr int kSelect = 1303;
constexpr int kPicture = 1304;
constexpr int kTable = 1305;
constexpr int kMark = 1306;
constexpr int kText = 1307;
constexpr int kPoint = 1000;
constexpr int kRect = 1002;
constexpr int kSave = 1301;
constexpr int kAlignLeft = 1320;
// File dialog purposes of the page.
constexpr int kDialogOpen = 0;
constexpr int kDialogSaveAs = 1;
constexpr int kDialogPicture = 2;

// A double click at an item point, as Qt Quick sees it: press, release,
// press, double-click event, release.
bool double_click_at(QQuickItem* item, const QPointF& point)
{
    if (!RoadWindow::move_to(item, point)) return false;
    const QPoint scene = item->mapToScene(point).toPoint();
    QTest::mouseClick(item->window(), Qt::LeftButton, Qt::NoModifier, scene);
    QTest::mouseDClick(item->window(), Qt::LeftButton, Qt::NoModifier, scene);
    return true;
}

// Typed into the window's focus item, key by key.
void type_text(QWindow* window, const char* text)
{
    for (const char* c = text; *c != '\0'; ++c) QTest::keyClick(window, *c);
}

// An item of another window (message boxes are windows of their own).
QQuickItem* find_in(QQuickWindow* window, const QString& name)
{
    if (window == nullptr) return nullptr;
    QList<QQuickItem*> pending{window->contentItem()};
    while (!pending.isEmpty()) {
        QQuickItem* item = pending.takeFirst();
        if (item->objectName() == name) return item;
        pending.append(item->childItems());
    }
    return nullptr;
}

QVariant call(QObject* object, const char* method, const QVariantList& args = {})
{
    QVariant result;
    QGenericArgument a[4];
    for (int i = 0; i < args.size() && i < 4; ++i) a[i] = Q_ARG(QVariant, args[i]);
    QMetaObject::invokeMethod(object, method, Q_RETURN_ARG(QVariant, result), a[0], a[1], a[2], a[3]);
    return result;
}

QByteArray file_bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class ReportDesignerRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup() { m_guard.verify(); }
    void layout_saved_and_opened_again();
    void toolbar_radio_group_and_alignment();
    void panel_sections_and_mark_messages();
    void text_edited_in_place_and_deleted();

private:
    // Opens the designer tab; the page and its canvas.
    bool open_designer();
    // Item point of a page point of the first page.
    QPointF at(int x, int y) const;
    // Draws a component of a toolbar kind between two page points.
    bool draw(int button, QPoint from, QPoint to);
    QQuickItem* button(int id) const { return m_road->find_item(QString("btn_report_%1").arg(id)); }
    bool checked(int id) const { return button(id)->property("bChecked").toBool(); }
    // The main window active again after a box of its own, with the keys on
    // the page.
    bool back_to_page();
    // The file dialog accepting a file for the page, as a user would.
    void accept_dialog(int purpose, const QString& path);

    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
    OpenedUrls m_opened;
    std::unique_ptr<AppShell> m_shell;
    std::unique_ptr<RoadWindow> m_road;
    QObject* m_page = nullptr;
    WndReportClient* m_client = nullptr;
    QString m_root;
    Expected m_picture;
};

void ReportDesignerRoadTest::initTestCase()
{
    m_guard.install();
    QVERIFY(m_folders.is_valid());
    m_root = m_folders.home() + QString::fromUtf8("/报告 #1");
    QVERIFY(QDir().mkpath(m_root));
    QVERIFY(batch_pictures::make_picture(m_root, 0, m_picture));
    QDesktopServices::setUrlHandler("file", &m_opened, "open");
    m_shell = std::make_unique<AppShell>();
    QVERIFY(m_shell->load_main_window());
    m_road = std::make_unique<RoadWindow>(m_shell->main_window());
    QVERIFY(m_road->show(QSize(1280, 900)));
    QVERIFY(open_designer());
}

void ReportDesignerRoadTest::cleanupTestCase()
{
    m_road.reset();
    m_shell.reset();
    QDesktopServices::unsetUrlHandler("file");
}

bool ReportDesignerRoadTest::open_designer()
{
    if (!RoadWindow::click(m_road->find_item("page_report_edit"))) return false;
    if (!RoadWindow::wait_for([this] { return m_road->find_item("area_report_edit") != nullptr; })) return false;
    m_page = m_road->find_object("area_report_edit");
    m_client = qobject_cast<WndReportClient*>(m_road->find_item("wnd_report_client"));
    return m_client != nullptr && m_page->property("visible").toBool() && !m_client->document()->pages().isEmpty();
}

QPointF ReportDesignerRoadTest::at(int x, int y) const
{
    const QRect page = m_client->document()->pages().first()->view_rect();
    return QPointF(page.left() + x, page.top() + y);
}

bool ReportDesignerRoadTest::draw(int id, QPoint from, QPoint to)
{
    QSignalSpy ended(m_client, SIGNAL(sig_add_com_end()));
    if (!RoadWindow::click(button(id)) || !checked(id)) return false;
    if (!RoadWindow::drag(m_client, at(from.x(), from.y()), at(to.x(), to.y()))) return false;
    return ended.size() == 1 && checked(kSelect);
}

bool ReportDesignerRoadTest::back_to_page()
{
    m_road->window()->requestActivate();
    return RoadWindow::wait_for([this] { return m_road->window()->activeFocusItem() == m_page; });
}

void ReportDesignerRoadTest::accept_dialog(int purpose, const QString& path)
{
    QObject* dialog = qvariant_cast<QObject*>(m_page->property("fileDialog"));
    QVERIFY(dialog != nullptr);
    QVERIFY(QQmlProperty::write(dialog, "folder", QUrl::fromLocalFile(QFileInfo(path).path())));
    QVERIFY(QMetaObject::invokeMethod(dialog, "sig_accepted", Q_ARG(QVariant, QVariant::fromValue(m_page)),
                                      Q_ARG(int, purpose), Q_ARG(QVariant, QVariantList{QUrl::fromLocalFile(path)})));
}

void ReportDesignerRoadTest::layout_saved_and_opened_again()
{
    ReportData* doc = m_client->document();
    QVERIFY(!m_road->save_screen(kTest, "empty").isEmpty());
    QVERIFY(!button(kSave)->property("bEnable").toBool());

    // A picture component, given the picture through its menu's dialog.
    QVERIFY(draw(kPicture, QPoint(40, 40), QPoint(360, 280)));
    QCOMPARE(doc->coms().size(), 1);
    auto* picture = qobject_cast<ReportComImage*>(doc->coms().first());
    QVERIFY(picture != nullptr);
    QQuickItem* menu = m_road->find_item("report_com_menu");
    QVERIFY(RoadWindow::click_at(m_client, at(200, 160), Qt::RightButton));
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(m_road->find_item("com_menu_open") != nullptr);
    QVERIFY(m_road->find_item("com_menu_palettes") == nullptr);
    QVERIFY(!m_road->save_screen(kTest, "picture_menu").isEmpty());
    QVERIFY(RoadWindow::click_at(menu, QPointF(menu->width() - 5, menu->height() - 5)));
    QTRY_VERIFY(!menu->isVisible());
    accept_dialog(kDialogPicture, m_picture.path);
    QTRY_VERIFY(picture->is_loaded());
    QCOMPARE(picture->file_path(), m_picture.path);
    QVERIFY(picture->ir_number() >= 0);
    const QRect picture_rect = picture->rect();

    // Its palette from the menu's submenu.
    QVERIFY(RoadWindow::click_at(m_client, at(200, 160), Qt::RightButton));
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(RoadWindow::click(m_road->find_item("com_menu_palettes")));
    QTRY_VERIFY(m_road->find_item("com_menu_palette_3") != nullptr);
    QVERIFY(!m_road->save_screen(kTest, "palette_menu").isEmpty());
    QVERIFY(RoadWindow::click(m_road->find_item("com_menu_palette_3")));
    QTRY_VERIFY(!menu->isVisible());
    QCOMPARE(m_client->get_cur_com_ir_property().value("strSettingPalette").toVariant().toInt(), 3);

    // A table whose first cell names the rectangle's maximum through the
    // mark chooser and whose second cell is typed in place.
    QVERIFY(draw(kTable, QPoint(40, 320), QPoint(440, 400)));
    QCOMPARE(doc->coms().size(), 2);
    auto* table = qobject_cast<ReportComTable*>(doc->coms().last());
    QVERIFY(table != nullptr);
    const QRect table_rect = table->rect();
    const QRect first_cell = table->cell_rect(0, 0);
    const QRect second_cell = table->cell_rect(0, 1);
    QVERIFY(RoadWindow::click_at(m_client, at(first_cell.center().x(), first_cell.center().y()), Qt::RightButton));
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(RoadWindow::click(m_road->find_item("com_menu_connect")));
    QQuickItem* chooser = m_road->find_item("wnd_select_mark");
    QTRY_VERIFY(chooser->isVisible());
    QVERIFY(RoadWindow::click(m_road->find_item("select_mark_source_1")));
    QVERIFY(RoadWindow::click(m_road->find_item("select_mark_field_1")));
    QCOMPARE(chooser->property("strKey").toString(), QString("IR1Analyze1MaxTemperature"));
    QVERIFY(RoadWindow::click(m_road->find_item("select_mark_insert")));
    QCOMPARE(chooser->property("strText").toString(), QString("{IR1Analyze1MaxTemperature} "));
    QVERIFY(!m_road->save_screen(kTest, "mark_chooser").isEmpty());
    QVERIFY(RoadWindow::click(m_road->find_item("select_mark_ok")));
    QTRY_VERIFY(!chooser->isVisible());
    QCOMPARE(table->cell(0, 0)->mark_text, QString("{IR1Analyze1MaxTemperature} "));
    QVERIFY2(table->cell(0, 0)->text.contains(m_picture.analysis_max), qPrintable(table->cell(0, 0)->text));

    QObject* editor = m_road->find_object("wnd_edit_text");
    QVERIFY(double_click_at(m_client, at(second_cell.center().x(), second_cell.center().y())));
    QTRY_VERIFY(editor->property("visible").toBool());
    type_text(m_road->window(), "R1 max");
    QVERIFY(!m_road->save_screen(kTest, "cell_editor").isEmpty());
    QVERIFY(RoadWindow::click_at(m_client, at(600, 600)));
    QTRY_VERIFY(!editor->property("visible").toBool());
    QCOMPARE(table->cell(0, 1)->text, QString("R1 max"));
    QVERIFY(!m_road->save_screen(kTest, "layout").isEmpty());

    // Saved as a layout: the message names the file and Save is enabled.
    const QString layout = m_root + "/layout 1.xml";
    accept_dialog(kDialogSaveAs, layout);
    QQuickWindow* box = m_road->find_window("report_message_box");
    QTRY_VERIFY(box->isVisible());
    QVERIFY2(box->property("strText").toString().contains("layout 1.xml"), qPrintable(box->property("strText").toString()));
    QVERIFY(RoadWindow::click(find_in(box, "message_box_ok")));
    QTRY_VERIFY(!box->isVisible());
    QVERIFY(back_to_page());
    QVERIFY(button(kSave)->property("bEnable").toBool());
    const QByteArray saved = file_bytes(layout);
    QVERIFY(!saved.isEmpty());

    // The table deleted with the Delete key, then the layout opened again.
    QVERIFY(RoadWindow::click_at(m_client, at(table_rect.left() + 5, table_rect.top() + 5)));
    m_road->key_click(Qt::Key_Delete);
    QTRY_COMPARE(doc->coms().size(), 1);
    accept_dialog(kDialogOpen, layout);
    QTRY_COMPARE(doc->coms().size(), 2);
    auto* picture_again = qobject_cast<ReportComImage*>(doc->coms().first());
    auto* table_again = qobject_cast<ReportComTable*>(doc->coms().last());
    QVERIFY(picture_again != nullptr && table_again != nullptr);
    // A layout keeps the place of IR picture 1, shown with the program's
    // sample until a picture is chosen.
    QCOMPARE(picture_again->rect(), picture_rect);
    QCOMPARE(picture_again->ir_number(), 0);
    QVERIFY(picture_again->is_loaded());
    QCOMPARE(table_again->rect(), table_rect);
    QCOMPARE(table_again->cell(0, 0)->mark_text, QString("{IR1Analyze1MaxTemperature} "));
    QCOMPARE(table_again->cell(0, 1)->text, QString("R1 max"));
    QVERIFY(!m_road->save_screen(kTest, "opened_again").isEmpty());
    QVERIFY(RoadWindow::click_at(m_client, at(200, 160), Qt::RightButton));
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(RoadWindow::click_at(menu, QPointF(menu->width() - 5, menu->height() - 5)));
    QTRY_VERIFY(!menu->isVisible());
    accept_dialog(kDialogPicture, m_picture.path);
    QTRY_COMPARE(picture_again->file_path(), m_picture.path);
    QVERIFY2(table_again->cell(0, 0)->text.contains(m_picture.analysis_max), qPrintable(table_again->cell(0, 0)->text));
    QVERIFY(!m_road->save_screen(kTest, "opened_again").isEmpty());

    // What was opened writes the same file again, by Ctrl+S.
    QVERIFY(QFile::remove(layout));
    m_road->key_click(Qt::Key_S, Qt::ControlModifier);
    QTRY_VERIFY(QFile::exists(layout));
    QCOMPARE(file_bytes(layout), saved);

    // Saved as a document: asked whether to open it, and opened.
    const QString document = m_root + "/report 1.doc";
    accept_dialog(kDialogSaveAs, document);
    QQuickWindow* choose = m_road->find_window("report_choose_box");
    QTRY_VERIFY(choose->isVisible());
    QVERIFY(QFile::exists(document));
    QVERIFY(RoadWindow::click(find_in(choose, "message_box_ok")));
    QTRY_COMPARE(m_opened.urls.size(), 1);
    QCOMPARE(m_opened.urls[0], QUrl::fromLocalFile(document));
}

void ReportDesignerRoadTest::toolbar_radio_group_and_alignment()
{
    QObject* toolbar = m_road->find_object("toolbar_report");
    QSignalSpy pressed(toolbar, SIGNAL(sig_press_btn(int,bool)));
    QVERIFY(RoadWindow::click(button(kPicture)));
    QCOMPARE(pressed.size(), 1);
    QCOMPARE(m_client->edit_tool().mode(), 2);
    // A checked button pressed again: nothing.
    QVERIFY(RoadWindow::click(button(kPicture)));
    QCOMPARE(pressed.size(), 1);
    QVERIFY(checked(kPicture));
    QVERIFY(RoadWindow::click(button(kPoint)));
    QVERIFY(checked(kPoint) && !checked(kPicture));
    QCOMPARE(m_client->document()->ana_tool(), 1);
    QVERIFY(RoadWindow::click(button(kTable)));
    QVERIFY(checked(kTable) && !checked(kPoint) && !checked(kPicture) && !checked(kSelect));
    QCOMPARE(m_client->edit_tool().mode(), 3);
    QCOMPARE(m_client->document()->ana_tool(), 0);
    QVERIFY(RoadWindow::click(button(kSelect)));
    QCOMPARE(m_client->edit_tool().mode(), 1);

    // A rectangle drawn on the picture of the first test: the toolbar shows
    // Select again and the mark chooser offers the new analysis.
    const int rows = m_client->get_mark_ir_info().size();
    QSignalSpy ended(m_client, SIGNAL(sig_add_com_end()));
    QVERIFY(RoadWindow::click(button(kRect)));
    QVERIFY(checked(kRect) && !checked(kSelect));
    QVERIFY(RoadWindow::drag(m_client, at(120, 120), at(220, 200)));
    QTRY_COMPARE(ended.size(), 1);
    QVERIFY(checked(kSelect) && !checked(kRect));
    QCOMPARE(m_client->get_mark_ir_info().size(), rows + 1);
    QVERIFY(!m_road->save_screen(kTest, "rectangle").isEmpty());

    // Two marks side by side: a band over both enables the alignment.
    const int before = m_client->document()->coms().size();
    QVERIFY(draw(kMark, QPoint(560, 60), QPoint(560, 60)));
    QVERIFY(draw(kMark, QPoint(640, 120), QPoint(640, 120)));
    QCOMPARE(m_client->document()->coms().size(), before + 2);
    ReportComBase* first = m_client->document()->coms().at(before);
    ReportComBase* second = m_client->document()->coms().at(before + 1);
    QVERIFY2(!button(kAlignLeft)->property("bEnable").toBool(),
             qPrintable(QString::number(m_client->document()->selection().size())));
    QVERIFY(RoadWindow::drag(m_client, at(540, 30), at(720, 180)));
    QTRY_VERIFY(button(kAlignLeft)->property("bEnable").toBool());
    QVERIFY(RoadWindow::click(button(kAlignLeft)));
    QCOMPARE(second->rect().left(), first->rect().left());
    QVERIFY(!m_road->save_screen(kTest, "aligned").isEmpty());

    // One mark selected: no alignment; its size is not editable.
    QVERIFY(RoadWindow::click_at(m_client, at(500, 700)));
    QVERIFY(RoadWindow::click_at(m_client, at(second->rect().center().x(), second->rect().center().y())));
    QTRY_VERIFY(!button(kAlignLeft)->property("bEnable").toBool());
    QQuickItem* width_field = m_road->find_item("general_w");
    QVERIFY(width_field->isVisible());
    QCOMPARE(width_field->property("text").toString(), QString("-"));
    QVERIFY(width_field->property("readOnly").toBool());
}

void ReportDesignerRoadTest::panel_sections_and_mark_messages()
{
    // The last mark of the previous test is selected; its text is typed in
    // the panel: a broken text leaves the mark unused.
    QObject* section = m_road->find_object("report_mark_setting");
    QVERIFY(section != nullptr && section->property("visible").toBool());
    QVERIFY(back_to_page());
    QVERIFY(RoadWindow::click(m_road->find_item("mark_text")));
    QTRY_VERIFY(m_road->window()->activeFocusItem() != m_page);
    type_text(m_road->window(), "{IR1DeviceName");
    QCOMPARE(section->property("strMarkText").toString(), QString("{IR1DeviceName"));
    QTRY_COMPARE(section->property("strValueShown").toString(), QString());
    const QString unused = section->property("strMeaningShown").toString();
    QVERIFY(!unused.isEmpty());
    QTest::keyClick(m_road->window(), Qt::Key_BraceRight);
    QTRY_VERIFY(section->property("strMeaningShown").toString().startsWith("IR1"));
    QVERIFY(section->property("strMeaningShown").toString() != unused);

    // The chooser's messages: unbalanced braces, then an unknown name.
    QVERIFY(RoadWindow::click(m_road->find_item("mark_choose")));
    QQuickItem* chooser = m_road->find_item("wnd_select_mark");
    QTRY_VERIFY(chooser->isVisible());
    QQuickItem* text = m_road->find_item("select_mark_text");
    QVERIFY(QQmlProperty::write(text, "text", "{IR1DeviceName"));
    QVERIFY(RoadWindow::click(m_road->find_item("select_mark_ok")));
    QVERIFY(chooser->isVisible());
    const QString format = chooser->property("strMessage").toString();
    QVERIFY2(format.endsWith("1") && format.size() > 1, qPrintable(format));
    QVERIFY(QQmlProperty::write(text, "text", "{Nothing}"));
    QVERIFY(RoadWindow::click(m_road->find_item("select_mark_ok")));
    QVERIFY2(chooser->property("strMessage").toString().endsWith("Nothing"),
             qPrintable(chooser->property("strMessage").toString()));
    QVERIFY(!m_road->save_screen(kTest, "mark_message").isEmpty());
    QVERIFY(RoadWindow::click(m_road->find_item("select_mark_cancel")));
    QTRY_VERIFY(!chooser->isVisible());

    // The font size list follows the language.
    QObject* font = m_road->find_object("report_font_setting");
    call(m_shell->main_window(), "set_language", {1});
    QTRY_COMPARE(QQmlProperty::read(font, "arrSizeNames").toStringList().value(0), QString("5"));
    QCOMPARE(QQmlProperty::read(font, "arrSizeNames").toStringList().size(), 21);
    call(m_shell->main_window(), "set_language", {0});
    QTRY_COMPARE(QQmlProperty::read(font, "arrSizeNames").toStringList().value(0), QString::fromUtf8("初号"));
    QCOMPARE(QQmlProperty::read(font, "arrSizeNames").toStringList().size(), 36);
    // The mark's size is still the one shown, by its Chinese name.
    QTRY_COMPARE(m_road->find_object("font_size")->property("editText").toString(),
                 QString::fromUtf8("五号"));
    QTRY_VERIFY(section->property("strMeaningShown").toString().startsWith(QString::fromUtf8("IR1设备")));
    QVERIFY(!m_road->save_screen(kTest, "chinese").isEmpty());
    call(m_shell->main_window(), "set_language", {1});
}

void ReportDesignerRoadTest::text_edited_in_place_and_deleted()
{
    // A new text component opens the editor over itself at once.
    ReportData* doc = m_client->document();
    const int before = doc->coms().size();
    QObject* editor = m_road->find_object("wnd_edit_text");
    QVERIFY(draw(kText, QPoint(460, 300), QPoint(700, 360)));
    QCOMPARE(doc->coms().size(), before + 1);
    auto* text = qobject_cast<ReportComText*>(doc->coms().last());
    QVERIFY(text != nullptr);
    QTRY_VERIFY(editor->property("visible").toBool());
    type_text(m_road->window(), "Site A");
    QVERIFY(!m_road->save_screen(kTest, "text_editor").isEmpty());
    QVERIFY(RoadWindow::click_at(m_client, at(500, 700)));
    QTRY_VERIFY(!editor->property("visible").toBool());
    QCOMPARE(text->text(), QString("Site A"));
    QTRY_VERIFY(m_road->window()->activeFocusItem() == m_page);

    // Selected alone, it goes with the Delete key and the panel empties.
    QObject* general = m_road->find_object("report_general_setting");
    QVERIFY(RoadWindow::click_at(m_client, at(500, 700)));
    QVERIFY(RoadWindow::click_at(m_client, at(text->rect().center().x(), text->rect().center().y())));
    QTRY_VERIFY(general->property("visible").toBool());

    // Its place and width typed in the general section.
    const QRect placed = text->rect();
    auto type_field = [this](const char* name, const char* value) {
        auto* input = qvariant_cast<QQuickItem*>(m_road->find_object(name)->property("input"));
        QVERIFY(RoadWindow::click(input));
        QTRY_VERIFY(input->hasActiveFocus());
        QTest::keyClick(m_road->window(), Qt::Key_A, Qt::ControlModifier);
        type_text(m_road->window(), value);
        QTest::keyClick(m_road->window(), Qt::Key_Return);
    };
    type_field("general_x", "480");
    QTRY_COMPARE(text->rect().left(), 480);
    QCOMPARE(text->rect().top(), placed.top());
    type_field("general_w", "150");
    QTRY_COMPARE(text->rect().width(), 150);
    // Values outside the ranges shown are refused: the fields show the old
    // values and the component stays on the page.
    type_field("general_x", "5000");
    auto* x_input = qvariant_cast<QQuickItem*>(m_road->find_object("general_x")->property("input"));
    QTRY_COMPARE(x_input->property("text").toString(), QString("480"));
    QCOMPARE(text->rect().left(), 480);
    type_field("general_w", "10");
    auto* w_input = qvariant_cast<QQuickItem*>(m_road->find_object("general_w")->property("input"));
    QTRY_COMPARE(w_input->property("text").toString(), QString("150"));
    QCOMPARE(text->rect().width(), 150);
    // A press on the canvas gives the keys back to the page.
    QVERIFY(RoadWindow::click_at(m_client, at(text->rect().center().x(), text->rect().center().y())));
    QTRY_VERIFY(m_road->window()->activeFocusItem() == m_page);
    m_road->key_click(Qt::Key_Delete);
    QTRY_COMPARE(doc->coms().size(), before);
    QVERIFY(!general->property("visible").toBool());
}

QTEST_MAIN(ReportDesignerRoadTest)
#include "report_designer_road_test.moc"
