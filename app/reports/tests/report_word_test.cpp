// The report document writer: unit conversion, alignment, marks as
// bookmarks, pages of a batch, and saving, checked in the written package.
#include "fake_report_picture.h"
#include "reports/report_com_image.h"
#include "reports/report_com_mark.h"
#include "reports/report_com_table.h"
#include "reports/report_com_text.h"
#include "reports/report_data.h"
#include "reports/report_data_owner.h"
#include "reports/report_word.h"

#include "office_test_support.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace office_test;

namespace {

ReportMarkEntry literal(const QString& text)
{
    ReportMarkEntry e;
    e.mark = text;
    e.value = text;
    return e;
}

ReportMarkEntry field(const QString& key, int type)
{
    ReportMarkEntry e;
    e.mark = key;
    e.ir_id = 0;
    e.mark_type = type;
    return e;
}

class QuietOwner : public ReportDataOwner {
public:
    void update_com_property(int, int) override {}
    void update_com_table_font(bool) override {}
    void update_com_position() override {}
    void add_com_text(int, int, int, int, const QString&, qint64, const QJsonObject&) override {}
    void change_table_text(int, int, int, int, const QString&, qint64, const QJsonObject&) override {}
};

QStringList bookmark_names(const QDomDocument& body)
{
    QStringList names;
    for (const QDomElement& s : elements(body, kW, QStringLiteral("bookmarkStart"))) {
        names << s.attributeNS(kW, QStringLiteral("name"));
    }
    return names;
}

}  // namespace

class ReportWordTest : public QObject {
    Q_OBJECT

private slots:
    void boxes_tables_and_marks_land_in_the_document()
    {
        QTemporaryDir dir;
        ReportWord word;
        word.set_dpi(96);
        QVERIFY(word.open_word());
        ReportWordItem* box = word.add_text_box(96, 192, 192, 48);
        QVERIFY(box != nullptr);
        QVERIFY(word.set_text_box_marks(box, {field("DeviceType", 8), field("Phase", 9), literal(" end")}));
        QFont font(QStringLiteral("WenQuanYi Micro Hei"));
        font.setPointSizeF(12);
        font.setWeight(QFont::DemiBold);
        QVERIFY(word.set_text_box_font(box, font, Qt::AlignLeft | Qt::AlignHCenter));
        ReportWordItem* table = word.add_table(2, 2);
        QVERIFY(table != nullptr);
        // A table at y equal to the dpi sits one inch from the page top.
        QVERIFY(word.set_table_position(table, 96, 96, 0, 0));
        QVERIFY(word.set_table_sizes(table, QVector<int>{96, 192, 50}, QVector<int>{48}));
        QVERIFY(word.set_cell_text(table, 1, 1, QStringLiteral("cell")));
        QVERIFY(word.set_cell_marks(table, 2, 2, {field("DeviceType", 8)}));
        QVERIFY(!word.set_cell_text(table, 3, 1, QStringLiteral("outside")));
        QVERIFY(!word.set_text_box_text(table, QStringLiteral("a table is no box")));
        const QString path = dir.filePath(QStringLiteral("layout.doc"));
        QVERIFY(word.save_document(path));
        QVERIFY(word.close_word());
        QVERIFY(word.close_word());

        const auto parts = read_parts(path);
        const QDomDocument body = dom_of(parts.value(QStringLiteral("word/document.xml")));
        const QDomElement anchor = elements(body, kWp, QStringLiteral("anchor"))[0];
        QCOMPARE(elements(anchor, kWp, QStringLiteral("positionH"))[0].text(), QString::number(72 * 12700));
        QCOMPARE(elements(anchor, kWp, QStringLiteral("positionV"))[0].text(), QString::number(144 * 12700));
        QCOMPARE(elements(anchor, kWp, QStringLiteral("extent"))[0].attribute(QStringLiteral("cx")),
                 QString::number(144 * 12700));
        QCOMPARE(elements(anchor, kWp, QStringLiteral("extent"))[0].attribute(QStringLiteral("cy")),
                 QString::number(36 * 12700));
        // Two adjacent marks are a space apart; the third use of a key is numbered.
        QCOMPARE(bookmark_names(body), (QStringList{"DeviceType", "Phase", "DeviceType1"}));
        // (The DOM drops the text of the separator, being only white space.)
        QCOMPARE(text_of(anchor), QStringLiteral(" end"));
        const QRegularExpression separator(
            QStringLiteral("w:name=\"DeviceType\"/><w:bookmarkEnd w:id=\"\\d+\"/><w:r>(<w:rPr>.*?</w:rPr>)?"
                           "<w:t xml:space=\"preserve\"> </w:t></w:r><w:bookmarkStart [^>]*w:name=\"Phase\""));
        QVERIFY(separator.match(QString::fromUtf8(parts.value(QStringLiteral("word/document.xml")))).hasMatch());
        QCOMPARE(elements(anchor, kW, QStringLiteral("jc"))[0].attributeNS(kW, QStringLiteral("val")), QStringLiteral("left"));
        QVERIFY(!elements(anchor, kW, QStringLiteral("b")).empty());
        QCOMPARE(elements(anchor, kW, QStringLiteral("sz"))[0].attributeNS(kW, QStringLiteral("val")), QStringLiteral("24"));
        const auto anchors = elements(body, kWp, QStringLiteral("anchor"));
        QCOMPARE(anchors.size(), size_t(2));
        QCOMPARE(elements(anchors[1], kW, QStringLiteral("tbl")).size(), size_t(1));
        QCOMPARE(elements(anchors[1], kWp, QStringLiteral("positionV"))[0].text(), QString::number(72 * 12700));
        const auto cols = elements(body, kW, QStringLiteral("gridCol"));
        QCOMPARE(cols[0].attributeNS(kW, QStringLiteral("w")), QStringLiteral("1440"));
        QCOMPARE(cols[1].attributeNS(kW, QStringLiteral("w")), QStringLiteral("2880"));
        QCOMPARE(elements(body, kW, QStringLiteral("trHeight"))[0].attributeNS(kW, QStringLiteral("val")),
                 QStringLiteral("720"));
    }

    void a_batch_of_pages_and_its_failures()
    {
        QTemporaryDir dir;
        ReportWord word;
        QVERIFY(!word.save_document(dir.filePath(QStringLiteral("early.doc"))));
        QVERIFY(!word.add_page_document());
        QVERIFY(word.open_word());
        QVERIFY(!word.append_page_document());
        // Nothing written into the main document: the report begins with an empty page.
        for (int page = 1; page <= 2; ++page) {
            QVERIFY(word.add_page_document());
            ReportWordItem* box = word.add_text_box(0, 0, 100, 20);
            QVERIFY(word.set_text_box_text(box, QStringLiteral("page %1").arg(page)));
            QVERIFY(word.append_page_document());
            QVERIFY(!word.set_text_box_text(box, QStringLiteral("after the append")));
        }
        QVERIFY(!word.save_document(QStringLiteral("/proc/report.doc")));
        const QString path = dir.filePath(QStringLiteral("batch.doc"));
        QVERIFY(word.save_document(path));
        const QDomDocument body = dom_of(read_parts(path).value(QStringLiteral("word/document.xml")));
        int breaks = 0;
        for (const QDomElement& br : elements(body, kW, QStringLiteral("br"))) {
            breaks += br.attributeNS(kW, QStringLiteral("type")) == QLatin1String("page");
        }
        QCOMPARE(breaks, 2);
        QCOMPARE(text_of(body), QStringLiteral("page 1page 2"));
        // Numbering of bookmark names restarts with each document.
        QCOMPARE(word.unique_bookmark_name(QStringLiteral("Phase")), QStringLiteral("Phase"));
        QVERIFY(word.close_word());
        QVERIFY(word.open_word());
        QCOMPARE(word.unique_bookmark_name(QStringLiteral("Phase")), QStringLiteral("Phase"));
        QCOMPARE(word.unique_bookmark_name(QStringLiteral("Phase")), QStringLiteral("Phase1"));
    }

    // A layout of every component kind through the layout document.
    void a_layout_exports_to_a_document_a_reader_opens()
    {
        QTemporaryDir dir;
        QuietOwner owner;
        ReportData data(&owner);
        data.set_page_size(600, 800);
        data.clear_all();
        data.add_page();
        auto visible = std::make_shared<FakePictureData>();
        visible->visible = true;
        data.set_picture_factory([visible] { return std::make_unique<FakeReportPicture>(visible); });
        auto word = std::make_unique<ReportWord>();
        word->set_dpi(96);
        data.set_word_writer(std::move(word));
        auto* text = static_cast<ReportComText*>(data.add_com(0, ReportComBase::kTypeText, 60, 40, 400, 40));
        text->set_text(QStringLiteral("Inspection of bay 3"));
        auto* table = static_cast<ReportComTable*>(data.add_com(0, ReportComBase::kTypeTable, 60, 500, 400, 60));
        table->set_cell_mark(0, 0, QStringLiteral("Feeder"));
        auto* mark = static_cast<ReportComMark*>(data.add_com(0, ReportComBase::kTypeMark, 60, 600, 300, 30));
        mark->update_mark_text(QStringLiteral("Phase {IR1Phase}"));
        auto* picture = static_cast<ReportComImage*>(data.add_com(0, ReportComBase::kTypePicture, 60, 100, 320, 240));
        QVERIFY(picture->open_file(write_picture(dir.filePath(QStringLiteral("vi.png")), 320, 240, "PNG")));

        const QString path = dir.filePath(QStringLiteral("layout.doc"));
        QVERIFY(data.save_word(path, false));
        const auto parts = read_parts(path);
        const QDomDocument body = dom_of(parts.value(QStringLiteral("word/document.xml")));
        QCOMPARE(elements(body, kW, QStringLiteral("tbl")).size(), size_t(1));
        // The text, the mark, the picture box and the placed table.
        QCOMPARE(elements(body, kWp, QStringLiteral("anchor")).size(), size_t(4));
        QCOMPARE(elements(body, kWp, QStringLiteral("inline")).size(), size_t(1));
        QVERIFY(text_of(body).contains(QStringLiteral("Inspection of bay 3")));
        QVERIFY(text_of(body).contains(QStringLiteral("Feeder")));

        QList<QByteArray> pages;
        if (!pdf_pages(path, dir.path(), pages)) {
            QSKIP("soffice and pdftotext are not installed");
        }
        QCOMPARE(pages.size(), 1);
        QVERIFY2(pages[0].contains("Inspection of bay 3") && pages[0].contains("Feeder") && pages[0].contains("Phase"),
                 pages[0].constData());
    }
};

QTEST_MAIN(ReportWordTest)
#include "report_word_test.moc"
