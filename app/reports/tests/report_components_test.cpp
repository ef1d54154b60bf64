// Component geometry and the table: hit codes, handle resizing, alignment,
// rubber-band selection, table grids, borders and sizes, and page painting.
#include "message_guard.h"
#include "reports/report_com_mark.h"
#include "reports/report_com_table.h"
#include "reports/report_com_text.h"
#include "reports/report_data.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QStandardPaths>
#include <QtTest>

namespace {

// A document of one 600 x 800 page shown at the item's (0, 0), so that item
// and page points agree.
struct Layout {
    ReportData data{nullptr};
    Layout()
    {
        data.set_page_size(600, 800);
        data.clear_all();
        data.add_page();
        data.layout_pages(24, 24, QRect(0, 0, 100, 100));
        data.page_at(10, 10);
    }
    template <class T>
    T* add(int type, const QRect& rect)
    {
        return static_cast<T*>(data.add_com(0, type, rect.x(), rect.y(), rect.width(), rect.height()));
    }
};

}  // namespace

class ReportComponentsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_guard.install();
    }
    void cleanup() { m_guard.verify(); }

    void hit_codes_data();
    void hit_codes();
    void handle_resizing_data();
    void handle_resizing();
    void alignment_data();
    void alignment();
    void rubber_band_types();
    void table_placement_and_scaling();
    void table_borders_data();
    void table_borders();
    void table_rows_and_columns();
    void table_grid_is_capped();
    void table_cells_fonts_and_keys();
    void marks_fit_their_text_and_have_no_handles();
    void pages_paint_their_components();

private:
    roadtest::MessageGuard m_guard;
};

void ReportComponentsTest::hit_codes_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("hit");
    QTest::addColumn<int>("code");
    // The component covers (100, 100) ... (199, 149).
    QTest::newRow("inside unselected") << QPoint(150, 120) << false << true << 30;
    QTest::newRow("handle square unselected") << QPoint(93, 93) << false << false << 0;
    QTest::newRow("inside selected") << QPoint(150, 120) << true << true << 20;
    QTest::newRow("top left") << QPoint(93, 93) << true << true << 31;
    QTest::newRow("top centre") << QPoint(149, 93) << true << true << 32;
    QTest::newRow("top right") << QPoint(206, 93) << true << true << 33;
    QTest::newRow("middle right") << QPoint(206, 124) << true << true << 34;
    QTest::newRow("bottom right") << QPoint(206, 156) << true << true << 35;
    QTest::newRow("bottom centre") << QPoint(149, 156) << true << true << 36;
    QTest::newRow("bottom left") << QPoint(93, 156) << true << true << 37;
    QTest::newRow("middle left") << QPoint(93, 124) << true << true << 38;
    QTest::newRow("body beside a handle") << QPoint(100, 100) << true << true << 20;
    QTest::newRow("outside") << QPoint(300, 300) << true << false << 0;
}

void ReportComponentsTest::hit_codes()
{
    QFETCH(QPoint, point);
    QFETCH(bool, selected);
    QFETCH(bool, hit);
    QFETCH(int, code);
    Layout layout;
    auto* text = layout.add<ReportComText>(ReportComBase::kTypeText, QRect(100, 100, 100, 50));
    int got = 0;
    QCOMPARE(text->hit_test_com(point.x(), point.y(), selected, got), hit);
    if (hit) QCOMPARE(got, code);
}

void ReportComponentsTest::handle_resizing_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<QRect>("after");
    QTest::newRow("right") << 34 << 20 << 5 << QRect(100, 100, 120, 50);
    QTest::newRow("top left") << 31 << -10 << -20 << QRect(90, 80, 110, 70);
    QTest::newRow("bottom") << 36 << 7 << 30 << QRect(100, 100, 100, 80);
    QTest::newRow("left past the right edge flips") << 38 << 150 << 0 << QRect(199, 100, 52, 50);
    QTest::newRow("top left past the bottom right") << 31 << 200 << 100 << QRect(199, 149, 102, 52);
    QTest::newRow("stops at the page's last pixel") << 35 << 1000 << 1000 << QRect(100, 100, 500, 700);
    QTest::newRow("stops at the page's first pixel") << 31 << -1000 << -1000 << QRect(0, 0, 200, 150);
    QTest::newRow("body code changes nothing") << 20 << 30 << 30 << QRect(100, 100, 100, 50);
}

void ReportComponentsTest::handle_resizing()
{
    QFETCH(int, code);
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(QRect, after);
    Layout layout;
    auto* text = layout.add<ReportComText>(ReportComBase::kTypeText, QRect(100, 100, 100, 50));
    QVERIFY(text->move_hit_com_size(code, dx, dy));
    text->apply_com_rect();
    QCOMPARE(text->rect(), after);
    QCOMPARE(text->work_rect(), after);
}

void ReportComponentsTest::alignment_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("value");
    QTest::addColumn<QRect>("first");
    QTest::addColumn<QRect>("second");
    // Two components: (10, 20, 100, 40) and (200, 100, 50, 80); selection
    // rectangle (10, 20) ... (249, 179), centre (129, 99).
    QTest::newRow("shift x") << 0 << 5 << QRect(15, 20, 100, 40) << QRect(205, 100, 50, 80);
    QTest::newRow("shift y") << 1 << -5 << QRect(10, 15, 100, 40) << QRect(200, 95, 50, 80);
    QTest::newRow("width") << 2 << 70 << QRect(10, 20, 70, 40) << QRect(200, 100, 70, 80);
    QTest::newRow("height") << 3 << 33 << QRect(10, 20, 100, 33) << QRect(200, 100, 50, 33);
    QTest::newRow("left edges") << 4 << 0 << QRect(10, 20, 100, 40) << QRect(10, 100, 50, 80);
    QTest::newRow("right edges") << 5 << 0 << QRect(150, 20, 100, 40) << QRect(200, 100, 50, 80);
    QTest::newRow("top edges") << 6 << 0 << QRect(10, 20, 100, 40) << QRect(200, 20, 50, 80);
    QTest::newRow("bottom edges") << 7 << 0 << QRect(10, 140, 100, 40) << QRect(200, 100, 50, 80);
    QTest::newRow("centres y") << 8 << 0 << QRect(10, 80, 100, 40) << QRect(200, 60, 50, 80);
    QTest::newRow("centres x") << 9 << 0 << QRect(80, 20, 100, 40) << QRect(105, 100, 50, 80);
}

void ReportComponentsTest::alignment()
{
    QFETCH(int, op);
    QFETCH(int, value);
    QFETCH(QRect, first);
    QFETCH(QRect, second);
    Layout layout;
    auto* a = layout.add<ReportComText>(ReportComBase::kTypeText, QRect(10, 20, 100, 40));
    auto* b = layout.add<ReportComText>(ReportComBase::kTypeText, QRect(200, 100, 50, 80));
    layout.data.select_in_rect(QRect(0, 0, 600, 800));
    QCOMPARE(int(layout.data.selection().size()), 2);
    QVERIFY(layout.data.move_cur_com_pos(op, value));
    QCOMPARE(a->rect(), first);
    QCOMPARE(b->rect(), second);
}

void ReportComponentsTest::rubber_band_types()
{
    Layout layout;
    layout.add<ReportComText>(ReportComBase::kTypeText, QRect(10, 10, 50, 50));
    layout.add<ReportComText>(ReportComBase::kTypeText, QRect(100, 10, 50, 50));
    layout.add<ReportComTable>(ReportComBase::kTypeTable, QRect(10, 300, 200, 100));
    ReportPage* page = layout.data.pages().at(0);
    ReportSelection selection;
    QCOMPARE(page->select_in_rect(QRect(0, 0, 200, 100), selection), int(ReportComBase::kTypeText));
    QCOMPARE(int(selection.size()), 2);
    selection.clear();
    QCOMPARE(page->select_in_rect(QRect(0, 0, 300, 400), selection), -1);
    QCOMPARE(int(selection.size()), 3);
    selection.clear();
    QCOMPARE(page->select_in_rect(QRect(400, 600, 10, 10), selection), -1);
    QVERIFY(selection.empty());
}

void ReportComponentsTest::table_placement_and_scaling()
{
    Layout layout;
    auto* table = layout.add<ReportComTable>(ReportComBase::kTypeTable, QRect(10, 10, 200, 100));
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->columns(), 2);
    QCOMPARE(table->column_width(0), 100);
    QCOMPARE(table->rect().height(), 82);
    auto* flat = layout.add<ReportComTable>(ReportComBase::kTypeTable, QRect(10, 200, 200, 20));
    QCOMPARE(flat->rows(), 1);
    QCOMPARE(flat->rect().height(), 28);
    // A box of one pixel still has columns of one pixel, never of 0.
    auto* thin = layout.add<ReportComTable>(ReportComBase::kTypeTable, QRect(10, 300, 1, 60));
    QCOMPARE(thin->column_width(0), 1);

    QCOMPARE(table->total_width(), 201);
    table->set_work_rect(QRect(10, 10, 301, 82));
    table->apply_com_rect();
    QCOMPARE(table->column_width(0), 149);
    QCOMPARE(table->column_width(1), 149);
    QCOMPARE(table->rect().width(), 299);
    table->set_work_rect(QRect(10, 10, 41, 82));
    table->apply_com_rect();
    QCOMPARE(table->column_width(0), 20);
    QCOMPARE(table->rect().width(), 41);
    // Row heights fall back to 27 when the box gets too low.
    table->set_work_rect(QRect(10, 10, 41, 30));
    table->apply_com_rect();
    QCOMPARE(table->row_height(2), 27);
    QCOMPARE(table->rect().height(), 82);
}

void ReportComponentsTest::table_borders_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<int>("code");
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<QList<int>>("heights");
    // A 3 x 2 table at (10, 10), columns 100 and 100, rows 27.
    QTest::newRow("column border right 90") << QPoint(110, 20) << QPoint(200, 20) << 103 << QList<int>{180, 20}
                                            << QList<int>{27, 27, 27};
    QTest::newRow("column border left 90") << QPoint(110, 20) << QPoint(20, 20) << 103 << QList<int>{20, 180}
                                           << QList<int>{27, 27, 27};
    QTest::newRow("row border down 13") << QPoint(50, 37) << QPoint(50, 50) << 102 << QList<int>{100, 100}
                                        << QList<int>{40, 27, 27};
    QTest::newRow("row border up keeps 27") << QPoint(50, 37) << QPoint(50, 5) << 102 << QList<int>{100, 100}
                                            << QList<int>{27, 27, 27};
    QTest::newRow("crossing is a column border") << QPoint(110, 37) << QPoint(120, 37) << 103
                                                 << QList<int>{110, 90} << QList<int>{27, 27, 27};
}

void ReportComponentsTest::table_borders()
{
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    QFETCH(int, code);
    QFETCH(QList<int>, widths);
    QFETCH(QList<int>, heights);
    Layout layout;
    auto* table = layout.add<ReportComTable>(ReportComBase::kTypeTable, QRect(10, 10, 200, 100));
    int got = 0;
    QVERIFY(table->hit_test_com(press.x(), press.y(), true, got));
    QCOMPARE(got, code);
    table->mouse_down(press.x(), press.y());
    table->mouse_move(release.x(), release.y());
    table->mouse_up(release.x(), release.y());
    QList<int> got_widths;
    QList<int> got_heights;
    for (int j = 0; j < table->columns(); ++j) got_widths << table->column_width(j);
    for (int i = 0; i < table->rows(); ++i) got_heights << table->row_height(i);
    QCOMPARE(got_widths, widths);
    QCOMPARE(got_heights, heights);
    QCOMPARE(table->rect().height(), table->total_height());
}

void ReportComponentsTest::table_rows_and_columns()
{
    Layout layout;
    auto* table = layout.add<ReportComTable>(ReportComBase::kTypeTable, QRect(0, 0, 200, 56));
    QVERIFY(!table->insert_row(true));
    QVERIFY(!table->delete_column());
    // Three columns: 50 and 80 explicit, 60 by default.
    table->reset_grid(2, 3);
    table->set_column_width(0, 50);
    table->set_column_width(1, 80);
    table->set_cell_mark(0, 2, "last");
    QCOMPARE(table->column_width(2), 66);
    table->mouse_down(60, 10);
    QCOMPARE(table->current_column(), 1);
    const int width_before = table->rect().width();
    QVERIFY(table->delete_column());
    QCOMPARE(table->columns(), 2);
    QCOMPARE(table->column_width(0), 50);
    QCOMPARE(table->column_width(1), 66);
    QCOMPARE(table->cell(0, 1)->text, QString("last"));
    QCOMPARE(table->rect().width(), width_before - 80);
    QCOMPARE(table->current_row(), -1);

    table->mouse_down(10, 10);
    QVERIFY(table->insert_row(false));
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->row_height(1), table->row_height(0));
    table->mouse_down(10, 10);
    QVERIFY(table->insert_column(true));
    QCOMPARE(table->columns(), 3);
    QCOMPARE(table->column_width(1), 50);
    QCOMPARE(table->cell(0, 2)->text, QString("last"));
    table->mouse_down(10, 10);
    QVERIFY(table->delete_row());
    table->mouse_down(10, 10);
    QVERIFY(table->delete_row());
    table->mouse_down(10, 10);
    QVERIFY(!table->delete_row());
}

void ReportComponentsTest::table_grid_is_capped()
{
    Layout layout;
    auto* table = layout.add<ReportComTable>(ReportComBase::kTypeTable, QRect(0, 0, 200, 100));
    table->reset_grid(1000000, 1000000);
    QCOMPARE(table->rows(), ReportComTable::kMaxRows);
    QCOMPARE(table->columns(), ReportComTable::kMaxColumns);
    table->reset_grid(-5, 0);
    QCOMPARE(table->rows(), 1);
    QCOMPARE(table->columns(), 1);
    table->reset_grid(ReportComTable::kMaxRows, 1);
    table->mouse_down(5, 5);
    QVERIFY(!table->insert_row(false));
    QVERIFY(!table->set_row_height(ReportComTable::kMaxRows, 40));
    QVERIFY(!table->set_cell_mark(ReportComTable::kMaxRows, 0, "x"));
}

void ReportComponentsTest::table_cells_fonts_and_keys()
{
    Layout layout;
    auto* table = layout.add<ReportComTable>(ReportComBase::kTypeTable, QRect(0, 0, 200, 100));
    auto* other = layout.add<ReportComTable>(ReportComBase::kTypeTable, QRect(0, 200, 200, 100));
    QVERIFY(table->get_hit_cell_key().isEmpty());
    QVERIFY(!table->set_font_setting(QJsonObject{{"bBold", true}}));
    QCOMPARE(table->update_mark_text("x"), -1);
    table->mouse_down(150, 40);
    const QString key = table->get_hit_cell_key();
    QCOMPARE(key, QString("%1:1,1").arg(table->id()));
    table->mouse_down(20, 10);
    QVERIFY(table->get_hit_cell_key() != key);
    other->mouse_down(20, 210);
    QVERIFY(other->get_hit_cell_key() != table->get_hit_cell_key());

    QVERIFY(table->set_font_setting(QJsonObject{{"fPonitSize", 10.5}, {"nFlags", 2}}));
    QCOMPARE(table->cell(0, 0)->font.pointSize(), 10);
    QCOMPARE(table->cell(0, 0)->flags, report_font::kFlagsRight);
    table->set_font_setting(QJsonObject{{"nFlags", 3}});
    QCOMPARE(table->cell(0, 0)->flags, report_font::kFlagsRight);
    QCOMPARE(table->get_com_font().flags, report_font::kFlagsRight);

    QCOMPARE(table->update_mark_text("{IR1Phase"), -2);
    QCOMPARE(table->update_mark_text("{IR1Fase}"), -3);
    QCOMPARE(table->get_mark_error(), QString("IR1Fase"));
    QVERIFY(table->cell(0, 0)->mark_text.isEmpty());
    QCOMPARE(table->update_mark_text("Phase {IR1Phase}"), 0);
    QCOMPARE(table->selected_cell_mark(), QString("Phase {IR1Phase}"));
    // No picture in the layout: the placeholder resolves to nothing.
    QCOMPARE(table->cell(0, 0)->text, QString("Phase "));
    QCOMPARE(table->cell_rect(1, 1), QRect(100, 27, 100, 27));
    QCOMPARE(table->cell_rect(3, 2), QRect(100, 54, 100, 27));
    QVERIFY(table->cell_rect(4, 0).isNull());
}

void ReportComponentsTest::marks_fit_their_text_and_have_no_handles()
{
    Layout layout;
    auto* mark = layout.add<ReportComMark>(ReportComBase::kTypeMark, QRect(50, 60, 400, 400));
    QCOMPARE(mark->show_text(), QString("Null"));
    QCOMPARE(mark->rect().topLeft(), QPoint(50, 60));
    QVERIFY(mark->rect().width() < 200);
    const int narrow = mark->rect().width();
    QCOMPARE(mark->update_mark_text("a much longer literal text"), 1);
    QVERIFY(mark->rect().width() > narrow);
    int code = 0;
    QVERIFY(mark->hit_test_com(mark->rect().left() - 7, mark->rect().top() - 7, true, code) == false);
    QVERIFY(mark->hit_test_com(mark->rect().left() + 2, mark->rect().top() + 2, true, code));
    QCOMPARE(code, 20);
    // A refused text keeps what the mark showed.
    QCOMPARE(mark->update_mark_text("{IR1Nothing}"), -3);
    QCOMPARE(mark->show_text(), QString("a much longer literal text"));
    QVERIFY(mark->set_mark_setting(QJsonObject{{"strMark", "{IR1Nothing}"}}));
    QCOMPARE(mark->show_text(), QString("Null"));
    QVERIFY(mark->entries().isEmpty());
    QVERIFY(!mark->set_mark_setting(QJsonObject{{"strMark", "x {IR1Phase}"}}));
    const QJsonObject json = mark->get_mark_property();
    QCOMPARE(json.value("strMark").toString(), QString("x {IR1Phase}"));
    QCOMPARE(json.value("jsonDes").toArray().size(), 2);
    QCOMPARE(json.value("jsonDes").toArray().at(1).toObject().value("nMarkType").toInt(), 29);
}

void ReportComponentsTest::pages_paint_their_components()
{
    Layout layout;
    auto* table = layout.add<ReportComTable>(ReportComBase::kTypeTable, QRect(20, 20, 300, 100));
    table->set_cell_mark(0, 0, "Cell text");
    auto* text = layout.add<ReportComText>(ReportComBase::kTypeText, QRect(20, 200, 300, 80));
    text->set_text("A free text");
    layout.add<ReportComMark>(ReportComBase::kTypeMark, QRect(20, 320, 10, 10));
    layout.data.page_at(100, 250);
    layout.data.hit_test(100, 250);
    layout.data.set_cur_hit_com();
    QImage image(700, 900, QImage::Format_RGB32);
    image.fill(Qt::darkGray);
    {
        QPainter painter(&image);
        layout.data.draw_pages(&painter);
    }
    QDir().mkpath("../screens");
    image.save("../screens/reports_components-page.png");
    // The page is white, its selected text shows the blue frame.
    QCOMPARE(image.pixelColor(500, 600), QColor(Qt::white));
    QCOMPARE(image.pixelColor(20 - 1, 240), QColor(38, 128, 235));
    // A page scrolled out above the item is not painted.
    layout.data.layout_pages(24, 2000, QRect(0, 0, 100, 100));
    image.fill(Qt::darkGray);
    {
        QPainter painter(&image);
        layout.data.draw_pages(&painter);
    }
    QCOMPARE(image.pixelColor(350, 450), QColor(Qt::darkGray));
}

QTEST_MAIN(ReportComponentsTest)
#include "report_components_test.moc"
