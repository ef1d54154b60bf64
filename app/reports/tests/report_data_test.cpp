// The layout document: presses, selection and their signals to the item,
// the property panels, marks that name their own picture, refreshing many
// marks, deleting, and the export through a word-processor writer.
#include "fake_report_picture.h"
#include "message_guard.h"
#include "recording_word_writer.h"
#include "reports/report_com_image.h"
#include "reports/report_com_mark.h"
#include "reports/report_com_table.h"
#include "reports/report_com_text.h"
#include "reports/report_data.h"
#include "reports/report_data_owner.h"

#include <QStandardPaths>
#include <QtTest>

namespace {

class RecordingOwner : public ReportDataOwner {
public:
    void update_com_property(int count, int type) override { calls << QString("property %1 %2").arg(count).arg(type); }
    void update_com_table_font(bool has_cell) override { calls << QString("table_font %1").arg(has_cell); }
    void update_com_position() override { calls << "position"; }
    void add_com_text(int x, int y, int w, int h, const QString& text, qint64 com, const QJsonObject&) override
    {
        calls << QString("add_com_text %1 %2 %3 %4 %5").arg(x).arg(y).arg(w).arg(h).arg(text);
        last_handle = com;
    }
    void change_table_text(int x, int y, int w, int h, const QString& text, qint64 com, const QJsonObject&) override
    {
        calls << QString("change_table_text %1 %2 %3 %4 %5").arg(x).arg(y).arg(w).arg(h).arg(text);
        last_handle = com;
    }
    QStringList calls;
    qint64 last_handle = 0;
};

// One 600 x 800 page at item (100, 50).
struct Document {
    RecordingOwner owner;
    ReportData data{&owner};
    Document()
    {
        data.set_page_size(600, 800);
        data.clear_all();
        data.add_page();
        data.layout_pages(-76, -26, QRect(0, 0, 100, 100));
        data.set_picture_factory([] { return std::make_unique<FakeReportPicture>(std::make_shared<FakePictureData>()); });
    }
    ReportComBase* add(int type, const QRect& rect)
    {
        return data.add_com(0, type, rect.x(), rect.y(), rect.width(), rect.height());
    }
    void press(int x, int y)
    {
        data.hit_test(x, y);
        data.set_cur_hit_com();
        data.mouse_down(x, y);
    }
};

}  // namespace

class ReportDataTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_guard.install();
    }
    void cleanup() { m_guard.verify(); }

    void presses_select_and_signal();
    void handles_and_armed_tools();
    void new_components_are_clamped_and_texts_open_their_editor();
    void panels_answer_by_selection();
    void marks_take_their_own_picture();
    void refresh_of_many_marks();
    void deleting_the_selection();
    void export_writes_tables_first();
    void export_as_template_bookmarks();
    void export_reports_failures();

private:
    roadtest::MessageGuard m_guard;
};

void ReportDataTest::presses_select_and_signal()
{
    Document doc;
    ReportComBase* a = doc.add(ReportComBase::kTypeText, QRect(10, 10, 100, 50));
    ReportComBase* b = doc.add(ReportComBase::kTypeText, QRect(200, 10, 100, 50));
    // Empty page, nothing selected: no signal.
    doc.press(100 + 400, 50 + 400);
    QCOMPARE(doc.data.hit_code(), 100);
    QVERIFY(!doc.owner.calls.contains("property 0 -1"));
    doc.owner.calls.clear();
    doc.press(100 + 20, 50 + 20);
    QCOMPARE(doc.owner.calls, (QStringList{"property 1 4", "table_font 0"}));
    QCOMPARE(doc.data.selection_key_text(), QString("%1,").arg(a->id()));
    // A rubber band over both, then a press on one keeps both.
    doc.data.page_at(100, 50);
    QVERIFY(doc.data.select_in_rect(QRect(0, 0, 600, 100)));
    QCOMPARE(int(doc.data.selection().size()), 2);
    doc.owner.calls.clear();
    doc.data.select_in_rect(QRect(0, 0, 600, 100));
    QVERIFY(doc.owner.calls.isEmpty());
    doc.press(100 + 220, 50 + 20);
    QCOMPARE(int(doc.data.selection().size()), 2);
    // Dragging moves every selected work rectangle; applying commits them.
    doc.data.move_hit_com(doc.data.hit_code(), 5, 7);
    doc.data.apply_selection_rects();
    QCOMPARE(a->rect().topLeft(), QPoint(15, 17));
    QCOMPARE(b->rect().topLeft(), QPoint(205, 17));
    QVERIFY(doc.owner.calls.contains("position"));
    // Empty page with a selection: emptied with (0, -1).
    doc.owner.calls.clear();
    doc.press(100 + 400, 50 + 400);
    QCOMPARE(doc.owner.calls.first(), QString("property 0 -1"));
    QCOMPARE(doc.data.selection_type(), -1);
    // Outside every page: nothing.
    QVERIFY(doc.data.hit_test(5, 5));
    QCOMPARE(doc.data.hit_code(), 101);
}

void ReportDataTest::handles_and_armed_tools()
{
    Document doc;
    doc.add(ReportComBase::kTypePicture, QRect(10, 10, 206, 156));
    doc.press(100 + 50, 50 + 50);
    doc.data.set_ana_tool(1);
    doc.data.hit_test(100 + 50, 50 + 50);
    QCOMPARE(doc.data.hit_code(), 101);
    // A handle of the selected picture still answers its code.
    doc.data.hit_test(100 + 10 + 205 + 7, 50 + 10 + 155 + 7);
    QCOMPARE(doc.data.hit_code(), 35);
}

void ReportDataTest::new_components_are_clamped_and_texts_open_their_editor()
{
    Document doc;
    doc.data.page_at(100, 50);
    QVERIFY(doc.data.add_com_in_rect(ReportComBase::kTypeText, 500, 700, 900, 900));
    ReportComBase* text = doc.data.coms().last();
    QCOMPARE(text->rect(), QRect(500, 700, 100, 100));
    QCOMPARE(doc.owner.calls.last(), QString("add_com_text 600 750 100 100 "));
    QCOMPARE(doc.data.com_of_handle(doc.owner.last_handle), text);
    QVERIFY(doc.data.com_of_handle(doc.owner.last_handle + 1000) == nullptr);
    QVERIFY(doc.data.com_of_handle(-1) == nullptr);
    QVERIFY(!doc.data.add_com_in_rect(7, 0, 0, 10, 10));
    QVERIFY(doc.data.add_com(1, ReportComBase::kTypeText, 0, 0, 10, 10) == nullptr);
    // A table cell double-click asks for the cell editor at item points.
    auto* table = static_cast<ReportComTable*>(doc.add(ReportComBase::kTypeTable, QRect(20, 20, 200, 100)));
    table->set_cell_mark(1, 1, "abc");
    doc.data.hit_test(100 + 150, 50 + 60);
    doc.data.mouse_double_clicked(100 + 150, 50 + 60);
    QCOMPARE(doc.owner.calls.last(), QString("change_table_text 220 97 100 27 abc"));
    const qint64 handle = doc.owner.last_handle;
    QCOMPARE(doc.data.com_of_handle(handle), table);
    doc.press(100 + 150, 50 + 60);
    doc.data.delete_cur_com();
    QVERIFY(doc.data.com_of_handle(handle) == nullptr);
}

void ReportDataTest::panels_answer_by_selection()
{
    Document doc;
    doc.add(ReportComBase::kTypeText, QRect(10, 10, 100, 50));
    ReportComBase* mark = doc.add(ReportComBase::kTypeMark, QRect(10, 200, 100, 50));
    doc.add(ReportComBase::kTypeTable, QRect(10, 400, 200, 100));
    QVERIFY(doc.data.get_cur_com_font_property().isEmpty());
    QVERIFY(doc.data.get_cur_com_general_setting().isEmpty());
    doc.press(100 + 20, 50 + 20);
    QCOMPARE(doc.data.get_cur_com_font_property().value("nText").toInt(), 1);
    const QJsonObject general = doc.data.get_cur_com_general_setting();
    QCOMPARE(general.value("nPageWidth").toInt(), 600);
    QCOMPARE(general.value("nW").toInt(), 100);
    QCOMPARE(doc.data.update_com_mark("x"), -1);
    doc.press(100 + mark->rect().x() + 2, 50 + mark->rect().y() + 2);
    QCOMPARE(doc.data.get_cur_com_font_property().value("nText").toInt(), 0);
    QCOMPARE(doc.data.update_com_mark("{IR1Bad}"), -3);
    QCOMPARE(doc.data.get_update_com_err(), QString("IR1Bad"));
    QVERIFY(doc.data.set_com_font_setting(QJsonObject{{"bUnderline", true}}));
    QVERIFY(static_cast<ReportComMark*>(mark)->font().underline());
    QVERIFY(!doc.data.set_com_ir_setting(QJsonObject()));
    doc.owner.calls.clear();
    doc.press(100 + 50, 50 + 420);
    QCOMPARE(doc.owner.calls.last(), QString("table_font 1"));
    QCOMPARE(doc.data.get_hit_com_font_property().value("nText").toInt(), 2);
    QCOMPARE(doc.data.update_hit_com_mark("{IR1Phase}"), 0);
    QVERIFY(doc.data.set_com_font_setting(QJsonObject{{"nFlags", 1}}));
    // A second press on the same cell does not signal again.
    doc.owner.calls.clear();
    doc.press(100 + 50, 50 + 420);
    QVERIFY(!doc.owner.calls.contains("table_font 1"));
}

void ReportDataTest::marks_take_their_own_picture()
{
    Document doc;
    auto* first = static_cast<ReportComImage*>(doc.add(ReportComBase::kTypePicture, QRect(0, 0, 206, 156)));
    auto* second = static_cast<ReportComImage*>(doc.add(ReportComBase::kTypePicture, QRect(0, 200, 206, 156)));
    QVERIFY(first->open_file("/p/first.jpg"));
    QVERIFY(second->open_file("/p/second.jpg"));
    auto* mark = static_cast<ReportComMark*>(doc.add(ReportComBase::kTypeMark, QRect(300, 0, 10, 10)));
    QCOMPARE(mark->update_mark_text("{IR2DocumentTitle}|{IR1DocumentTitle}|{IR5DocumentTitle}|{IR0DocumentTitle}"),
             0);
    QCOMPARE(mark->show_text(), QString("second|first||"));
    // With the first picture gone, IR1 has no picture rather than the next.
    doc.press(10, 10);
    doc.data.hit_test(100 + 10, 50 + 10);
    doc.data.set_cur_hit_com();
    doc.data.delete_cur_com();
    doc.data.refresh_all_marks();
    QCOMPARE(mark->show_text(), QString("second|||"));
}

void ReportDataTest::refresh_of_many_marks()
{
    Document doc;
    auto data = std::make_shared<FakePictureData>();
    for (int i = 0; i < 100; ++i) {
        data->analyses << fake_analysis(30, QString("R%1").arg(i, 3, 10, QChar('0')), 20.0f + i * 0.5f);
    }
    doc.data.set_picture_factory([data] { return std::make_unique<FakeReportPicture>(data); });
    auto* picture = static_cast<ReportComImage*>(doc.add(ReportComBase::kTypePicture, QRect(0, 0, 206, 156)));
    QVERIFY(picture->open_file("/p/x.jpg"));
    QList<ReportComMark*> marks;
    for (int i = 0; i < 50; ++i) {
        marks << static_cast<ReportComMark*>(doc.add(ReportComBase::kTypeMark, QRect(0, 200 + i * 10, 10, 10)));
        marks.last()->update_mark_text(QString("{IR1AnalyzeName%1} {IR1Analyze%1MaxTemperature}").arg(i * 2 + 1));
    }
    data->analyses[98].max = 99.5f;
    doc.data.refresh_all_marks();
    for (int i = 0; i < 50; ++i) {
        const float max = i == 49 ? 99.5f : 20.0f + i;
        QCOMPARE(marks.at(i)->show_text(), QString("R%1 %2").arg(i * 2, 3, 10, QChar('0')).arg(max, 0, 'f', 1) +
                                               QChar(0x2103));
    }
}

void ReportDataTest::deleting_the_selection()
{
    Document doc;
    doc.add(ReportComBase::kTypeText, QRect(10, 10, 100, 50));
    doc.add(ReportComBase::kTypeTable, QRect(10, 100, 200, 100));
    doc.add(ReportComBase::kTypeText, QRect(300, 10, 100, 50));
    doc.data.page_at(100, 50);
    doc.data.select_in_rect(QRect(0, 0, 250, 300));
    QVERIFY(doc.data.delete_cur_com());
    QCOMPARE(doc.data.coms().size(), 1);
    QCOMPARE(doc.data.pages().at(0)->coms().size(), 1);
    QCOMPARE(doc.data.hit_code(), 100);
    QVERIFY(doc.data.selection().empty());
}

void ReportDataTest::export_writes_tables_first()
{
    Document doc;
    QStringList calls;
    doc.data.set_word_writer(std::make_unique<RecordingWordWriter>(&calls));
    auto* text = static_cast<ReportComText*>(doc.add(ReportComBase::kTypeText, QRect(10, 10, 100, 50)));
    text->set_text("hello");
    text->set_flags(report_font::kFlagsRight);
    auto* mark = static_cast<ReportComMark*>(doc.add(ReportComBase::kTypeMark, QRect(10, 100, 10, 10)));
    mark->update_mark_text("T {IR1Phase}");
    auto* table = static_cast<ReportComTable*>(doc.add(ReportComBase::kTypeTable, QRect(10, 300, 200, 56)));
    table->set_cell_mark(0, 1, "{IR1Phase}");
    QVERIFY(doc.data.save_word("/out/report.doc", false));
    const QStringList expected{
        "open_word", "add_table 2 2", "set_table_position 10 300", "set_table_sizes 100,100 27,27",
        "set_cell_text 1 1 ", "set_cell_font 1 1 4097", "set_cell_text 1 2 ", "set_cell_font 1 2 4097",
        "set_cell_text 2 1 ", "set_cell_font 2 1 4097", "set_cell_text 2 2 ", "set_cell_font 2 2 4097",
        "add_text_box 10 10 100 50", "set_text_box_text hello", "set_text_box_font 4098",
        QString("add_text_box 10 100 %1 %2").arg(mark->rect().width()).arg(mark->rect().height()),
        "set_text_box_text T ", "set_text_box_font 1", "save_document /out/report.doc", "close_word"};
    QCOMPARE(calls, expected);
}

void ReportDataTest::export_as_template_bookmarks()
{
    Document doc;
    QStringList calls;
    doc.data.set_word_writer(std::make_unique<RecordingWordWriter>(&calls));
    auto* ir = static_cast<ReportComImage*>(doc.add(ReportComBase::kTypePicture, QRect(0, 0, 206, 156)));
    QVERIFY(ir->open_file("/p/x.jpg"));
    auto visible = std::make_shared<FakePictureData>();
    visible->visible = true;
    doc.data.set_picture_factory([visible] { return std::make_unique<FakeReportPicture>(visible); });
    auto* vi = static_cast<ReportComImage*>(doc.add(ReportComBase::kTypePicture, QRect(300, 0, 206, 156)));
    QVERIFY(vi->open_file("/p/x-vi.jpg"));
    auto* logo = static_cast<ReportComImage*>(doc.add(ReportComBase::kTypePicture, QRect(300, 300, 206, 156)));
    QVERIFY(logo->open_file("/p/logo.png"));
    logo->set_logo(true);
    auto* mark = static_cast<ReportComMark*>(doc.add(ReportComBase::kTypeMark, QRect(10, 500, 10, 10)));
    mark->update_mark_text("T {IR1Phase}");
    QVERIFY(doc.data.save_word("/out/t.dot", true));
    QVERIFY(calls.contains("bookmark_text_box IRPicture1"));
    QVERIFY(calls.contains("bookmark_text_box VIPicture1"));
    QVERIFY(calls.contains("add_text_box_picture /p/logo.png"));
    QVERIFY(calls.contains("set_text_box_marks 2"));
}

void ReportDataTest::export_reports_failures()
{
    Document doc;
    QVERIFY(!doc.data.save_word("/out/x.doc", false));
    QStringList calls;
    auto writer = std::make_unique<RecordingWordWriter>(&calls);
    RecordingWordWriter* raw = writer.get();
    doc.data.set_word_writer(std::move(writer));
    raw->m_opens = false;
    QVERIFY(!doc.data.save_word("/out/x.doc", false));
    QCOMPARE(calls, QStringList{"open_word"});
    raw->m_opens = true;
    raw->m_saves = false;
    QVERIFY(!doc.data.save_word("/out/x.doc", false));
    QCOMPARE(calls.last(), QString("close_word"));
}

QTEST_MAIN(ReportDataTest)
#include "report_data_test.moc"
