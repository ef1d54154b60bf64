// Document content: boxes, tables, fonts, pictures, bookmarks, pages and
// templates, checked in the saved package.
#include "office.h"
#include "office_test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace office_test;

namespace {

class OfficeDocument : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(office_doc_init(doc_));
    }
    void TearDown() override
    {
        if (doc_ != nullptr) {
            office_doc_uninit(doc_);
        }
    }

    QDomDocument saved_body()
    {
        const QString path = dir_.filePath(QStringLiteral("out.docx"));
        EXPECT_TRUE(office_doc_save_w(doc_, wide(path)));
        parts_ = read_parts(path);
        return dom_of(parts_.value(QStringLiteral("word/document.xml")));
    }

    QString picture(const QString& name, int width, int height, const char* format = "PNG")
    {
        return write_picture(dir_.filePath(name), width, height, format);
    }

    QTemporaryDir dir_;
    void* doc_ = nullptr;
    QMap<QString, QByteArray> parts_;
};

QString w_attr(const QDomElement& e, const char* name)
{
    return e.attributeNS(kW, QLatin1String(name));
}

TEST_F(OfficeDocument, text_box_is_a_page_anchored_drawing_with_its_text_and_font)
{
    int box = -1;
    ASSERT_TRUE(office_doc_add_text_box(doc_, 72, 144, 144, 36, box));
    EXPECT_EQ(box, 0);
    ASSERT_TRUE(office_box_append_text(doc_, box, "温度\nline\ttab"));
    OfficeFont font;
    font.family = "WenQuanYi Micro Hei";
    font.point_size = 10.5;
    font.bold = true;
    font.underline = true;
    ASSERT_TRUE(office_box_set_font(doc_, box, font));
    ASSERT_TRUE(office_box_set_alignment(doc_, box, OFFICE_ALIGN_CENTER));
    EXPECT_FALSE(office_box_set_alignment(doc_, box, 7));
    EXPECT_FALSE(office_box_append_text(doc_, 1, "no such box"));
    EXPECT_FALSE(office_doc_add_text_box(doc_, 0, 0, -5, 10, box));

    const QDomDocument body = saved_body();
    const auto anchors = elements(body, kWp, QStringLiteral("anchor"));
    ASSERT_EQ(anchors.size(), 1u);
    const QDomElement anchor = anchors[0];
    const QDomElement h = elements(anchor, kWp, QStringLiteral("positionH"))[0];
    const QDomElement v = elements(anchor, kWp, QStringLiteral("positionV"))[0];
    EXPECT_EQ(h.attribute(QStringLiteral("relativeFrom")), QStringLiteral("page"));
    EXPECT_EQ(h.text(), QString::number(72 * 12700));
    EXPECT_EQ(v.attribute(QStringLiteral("relativeFrom")), QStringLiteral("page"));
    EXPECT_EQ(v.text(), QString::number(144 * 12700));
    const QDomElement extent = elements(anchor, kWp, QStringLiteral("extent"))[0];
    EXPECT_EQ(extent.attribute(QStringLiteral("cx")), QString::number(144 * 12700));
    EXPECT_EQ(extent.attribute(QStringLiteral("cy")), QString::number(36 * 12700));
    EXPECT_EQ(elements(anchor, kWp, QStringLiteral("wrapNone")).size(), 1u);
    const auto content = elements(anchor, kW, QStringLiteral("txbxContent"));
    ASSERT_EQ(content.size(), 1u);
    EXPECT_EQ(text_of(content[0]), QStringLiteral("温度linetab"));
    EXPECT_EQ(elements(content[0], kW, QStringLiteral("br")).size(), 1u);
    EXPECT_EQ(elements(content[0], kW, QStringLiteral("tab")).size(), 1u);

    const QDomElement run = elements(content[0], kW, QStringLiteral("r"))[0];
    const QDomElement rpr = child(run, "rPr");
    ASSERT_FALSE(rpr.isNull());
    // Schema order: fonts, bold, size, underline.
    QStringList order;
    for (QDomElement c = rpr.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        order << c.localName();
    }
    EXPECT_EQ(order, (QStringList{"rFonts", "b", "bCs", "sz", "szCs", "u"}));
    EXPECT_EQ(w_attr(child(rpr, "rFonts"), "eastAsia"), QStringLiteral("WenQuanYi Micro Hei"));
    EXPECT_EQ(w_attr(child(rpr, "sz"), "val"), QStringLiteral("21"));
    EXPECT_EQ(w_attr(child(rpr, "u"), "val"), QStringLiteral("single"));
    EXPECT_EQ(w_attr(elements(content[0], kW, QStringLiteral("jc"))[0], "val"), QStringLiteral("center"));
}

TEST_F(OfficeDocument, table_is_a_fixed_bordered_grid_placed_on_the_page)
{
    int table = -1;
    ASSERT_TRUE(office_doc_add_table(doc_, 2, 3, table));
    ASSERT_TRUE(office_table_set_position(doc_, table, 50, 100));
    ASSERT_TRUE(office_table_set_column_width(doc_, table, 0, 40));
    ASSERT_TRUE(office_table_set_column_width(doc_, table, 2, 60));
    ASSERT_TRUE(office_table_set_row_height(doc_, table, 1, 25));
    ASSERT_TRUE(office_cell_append_text(doc_, table, 1, 2, "cell"));
    ASSERT_TRUE(office_cell_set_alignment(doc_, table, 1, 2, OFFICE_ALIGN_RIGHT));
    EXPECT_FALSE(office_cell_append_text(doc_, table, 2, 0, "outside"));
    EXPECT_FALSE(office_table_set_column_width(doc_, table, 3, 10));
    const struct {
        int rows, columns;
    } refused[] = {{0, 1}, {1, 0}, {1001, 1}, {1, 64}, {-1, -1}};
    for (const auto& r : refused) {
        int other = -1;
        EXPECT_FALSE(office_doc_add_table(doc_, r.rows, r.columns, other)) << r.rows << "x" << r.columns;
    }

    const QDomDocument body = saved_body();
    const auto tables = elements(body, kW, QStringLiteral("tbl"));
    ASSERT_EQ(tables.size(), 1u);
    const QDomElement tbl = tables[0];
    EXPECT_EQ(w_attr(elements(tbl, kW, QStringLiteral("tblLayout"))[0], "type"), QStringLiteral("fixed"));
    const QDomElement borders = elements(tbl, kW, QStringLiteral("tblBorders"))[0];
    for (QDomElement b = borders.firstChildElement(); !b.isNull(); b = b.nextSiblingElement()) {
        EXPECT_EQ(w_attr(b, "val"), QStringLiteral("single"));
    }
    // Placed on the page inside a drawing of its own, as wide as the table
    // and as tall as its rows (the row without a height counted as 15 points).
    const QDomElement anchor = tbl.parentNode().parentNode().parentNode().parentNode().parentNode().parentNode().toElement();
    ASSERT_EQ(anchor.localName(), QStringLiteral("anchor"));
    EXPECT_EQ(elements(anchor, kWp, QStringLiteral("positionH"))[0].text(), QString::number(50 * 12700));
    EXPECT_EQ(elements(anchor, kWp, QStringLiteral("positionV"))[0].text(), QString::number(100 * 12700));
    const QDomElement extent = elements(anchor, kWp, QStringLiteral("extent"))[0];
    const qint64 width_twips = 800 + 1200 + w_attr(elements(tbl, kW, QStringLiteral("gridCol"))[1], "w").toLongLong();
    EXPECT_EQ(extent.attribute(QStringLiteral("cx")).toLongLong(), width_twips * 635);
    EXPECT_EQ(extent.attribute(QStringLiteral("cy")).toLongLong(), (300 + 500) * 635LL);
    EXPECT_EQ(elements(anchor, kWp, QStringLiteral("wrapNone")).size(), 1u);
    const auto cols = elements(tbl, kW, QStringLiteral("gridCol"));
    ASSERT_EQ(cols.size(), 3u);
    EXPECT_EQ(w_attr(cols[0], "w"), QStringLiteral("800"));
    EXPECT_EQ(w_attr(cols[2], "w"), QStringLiteral("1200"));
    const auto rows = elements(tbl, kW, QStringLiteral("tr"));
    ASSERT_EQ(rows.size(), 2u);
    const QDomElement height = elements(rows[1], kW, QStringLiteral("trHeight"))[0];
    EXPECT_EQ(w_attr(height, "val"), QStringLiteral("500"));
    EXPECT_EQ(w_attr(height, "hRule"), QStringLiteral("exact"));
    const auto cells = elements(rows[1], kW, QStringLiteral("tc"));
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(text_of(cells[2]), QStringLiteral("cell"));
    EXPECT_EQ(w_attr(elements(cells[2], kW, QStringLiteral("tcW"))[0], "w"), QStringLiteral("1200"));
    // Every cell holds a paragraph, and the table is followed by one.
    for (const QDomElement& c : elements(tbl, kW, QStringLiteral("tc"))) {
        EXPECT_FALSE(child(c, "p").isNull());
    }
    EXPECT_EQ(tbl.nextSiblingElement().localName(), QStringLiteral("p"));
}

TEST_F(OfficeDocument, pictures_are_parts_with_relationships_and_inline_drawings)
{
    int box = -1;
    ASSERT_TRUE(office_doc_add_text_box(doc_, 0, 0, 300, 300, box));
    ASSERT_TRUE(office_box_add_picture_w(doc_, box, wide(picture(QStringLiteral("small.png"), 64, 48))));
    // Wider than its box (300 pt = 400 px at 96 dpi): scaled down to fit.
    ASSERT_TRUE(office_box_add_picture_w(doc_, box, wide(picture(QStringLiteral("wide.jpg"), 800, 200, "JPEG"))));
    EXPECT_FALSE(office_box_add_picture_w(doc_, box, wide(dir_.filePath(QStringLiteral("missing.png")))));
    QFile bad(dir_.filePath(QStringLiteral("bad.png")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("\x89PNG not a picture");
    bad.close();
    EXPECT_FALSE(office_box_add_picture_w(doc_, box, wide(bad.fileName())));

    const QDomDocument body = saved_body();
    const auto inlines = elements(body, kWp, QStringLiteral("inline"));
    ASSERT_EQ(inlines.size(), 2u);
    const QDomElement first = elements(inlines[0], kWp, QStringLiteral("extent"))[0];
    EXPECT_EQ(first.attribute(QStringLiteral("cx")), QString::number(64 * 9525));
    EXPECT_EQ(first.attribute(QStringLiteral("cy")), QString::number(48 * 9525));
    const QDomElement second = elements(inlines[1], kWp, QStringLiteral("extent"))[0];
    EXPECT_EQ(second.attribute(QStringLiteral("cx")).toLongLong(), 300LL * 12700);
    EXPECT_EQ(second.attribute(QStringLiteral("cy")).toLongLong(), 300LL * 12700 / 4);

    const QDomDocument rels = dom_of(parts_.value(QStringLiteral("word/_rels/document.xml.rels")));
    QMap<QString, QString> targets;
    const QDomNodeList list = rels.documentElement().childNodes();
    for (int i = 0; i < list.size(); ++i) {
        const QDomElement r = list.at(i).toElement();
        targets.insert(r.attribute(QStringLiteral("Id")), r.attribute(QStringLiteral("Target")));
    }
    QStringList media;
    for (const QDomElement& blip : elements(body, kA, QStringLiteral("blip"))) {
        const QString id = blip.attributeNS(kR, QStringLiteral("embed"));
        ASSERT_TRUE(targets.contains(id)) << id.toStdString();
        const QString part = QStringLiteral("word/") + targets.value(id);
        EXPECT_TRUE(parts_.contains(part)) << part.toStdString();
        media << QFileInfo(part).suffix();
    }
    EXPECT_EQ(media, (QStringList{"png", "jpeg"}));
    const QByteArray types = parts_.value(QStringLiteral("[Content_Types].xml"));
    EXPECT_TRUE(types.contains("Extension=\"png\" ContentType=\"image/png\""));
    EXPECT_TRUE(types.contains("Extension=\"jpeg\" ContentType=\"image/jpeg\""));
}

TEST_F(OfficeDocument, bookmark_names_are_checked_and_unique)
{
    int box = -1;
    ASSERT_TRUE(office_doc_add_text_box(doc_, 0, 0, 100, 20, box));
    ASSERT_TRUE(office_box_add_bookmark(doc_, box, "DeviceType"));
    const struct {
        const char* name;
        bool ok;
    } cases[] = {{"Phase", true}, {"devicetype", false}, {"", false}, {"1st", false}, {"has space", false},
                 {"a_123456789012345678901234567890123456789", false}, {"a_12345678901234567890123456789012345678", true},
                 {"名称", true}};
    for (const auto& c : cases) {
        EXPECT_EQ(office_box_add_bookmark(doc_, box, c.name), c.ok) << c.name;
    }
    std::vector<std::string> names;
    ASSERT_TRUE(office_doc_bookmark_names(doc_, names));
    EXPECT_EQ(names.size(), 4u);

    const QDomDocument body = saved_body();
    QSet<QString> ids;
    for (const QDomElement& s : elements(body, kW, QStringLiteral("bookmarkStart"))) {
        ids.insert(w_attr(s, "id"));
    }
    EXPECT_EQ(ids.size(), 4);
    EXPECT_EQ(elements(body, kW, QStringLiteral("bookmarkEnd")).size(), 4u);
}

// One page of a report: two boxes (one with a picture), a table and bookmarks.
void write_page(void* doc, int page, const QString& picture)
{
    int table = -1;
    ASSERT_TRUE(office_doc_add_table(doc, 2, 2, table));
    ASSERT_TRUE(office_table_set_position(doc, table, 90, 400));
    ASSERT_TRUE(office_cell_append_text(doc, table, 0, 0, QStringLiteral("table %1").arg(page).toStdString()));
    ASSERT_TRUE(office_cell_add_bookmark(doc, table, 1, 1, "Phase"));
    int box = -1;
    ASSERT_TRUE(office_doc_add_text_box(doc, 90, 90, 300, 40, box));
    ASSERT_TRUE(office_box_append_text(doc, box, QStringLiteral("page %1 title").arg(page).toStdString()));
    ASSERT_TRUE(office_box_add_bookmark(doc, box, "DeviceType"));
    ASSERT_TRUE(office_doc_add_text_box(doc, 90, 150, 200, 200, box));
    ASSERT_TRUE(office_box_add_picture_w(doc, box, picture.toStdWString()));
    ASSERT_TRUE(office_box_bookmark_text(doc, box, "IRPicture1"));
}

// Page 1 into doc itself, pages 2 and 3 each into a document of its own
// that is appended.
void write_three_pages(void* doc, const QString& picture)
{
    write_page(doc, 1, picture);
    for (int page = 2; page <= 3; ++page) {
        void* next = nullptr;
        ASSERT_TRUE(office_doc_init(next));
        write_page(next, page, picture);
        ASSERT_TRUE(office_doc_append(doc, next));
        EXPECT_EQ(next, nullptr);
    }
}

TEST_F(OfficeDocument, three_pages_keep_unique_ids_and_resolvable_pictures)
{
    write_three_pages(doc_, picture(QStringLiteral("ir.png"), 160, 120));
    void* self = doc_;
    EXPECT_FALSE(office_doc_append(doc_, self));

    const QDomDocument body = saved_body();
    EXPECT_EQ(text_of(body), QStringLiteral("table 1page 1 titletable 2page 2 titletable 3page 3 title"));
    int breaks = 0;
    for (const QDomElement& br : elements(body, kW, QStringLiteral("br"))) {
        breaks += w_attr(br, "type") == QLatin1String("page");
    }
    EXPECT_EQ(breaks, 2);
    QSet<QString> drawing_ids;
    const auto doc_prs = elements(body, kWp, QStringLiteral("docPr"));
    for (const QDomElement& d : doc_prs) {
        drawing_ids.insert(d.attribute(QStringLiteral("id")));
    }
    // Per page: two boxes, the placed table's drawing and a picture.
    EXPECT_EQ(doc_prs.size(), 12u);
    EXPECT_EQ(drawing_ids.size(), 12);
    // Names repeated by later pages are dropped; ids stay unique and paired.
    QSet<QString> names;
    QSet<QString> start_ids;
    for (const QDomElement& s : elements(body, kW, QStringLiteral("bookmarkStart"))) {
        EXPECT_FALSE(names.contains(w_attr(s, "name")));
        names.insert(w_attr(s, "name"));
        start_ids.insert(w_attr(s, "id"));
    }
    EXPECT_EQ(names, (QSet<QString>{"Phase", "DeviceType", "IRPicture1"}));
    QSet<QString> end_ids;
    for (const QDomElement& e : elements(body, kW, QStringLiteral("bookmarkEnd"))) {
        end_ids.insert(w_attr(e, "id"));
    }
    EXPECT_EQ(end_ids, start_ids);
    QSet<QString> embeds;
    for (const QDomElement& blip : elements(body, kA, QStringLiteral("blip"))) {
        embeds.insert(blip.attributeNS(kR, QStringLiteral("embed")));
    }
    EXPECT_EQ(embeds.size(), 3);
    const QByteArray rels = parts_.value(QStringLiteral("word/_rels/document.xml.rels"));
    for (const QString& id : embeds) {
        EXPECT_TRUE(rels.contains(("Id=\"" + id + "\"").toUtf8())) << id.toStdString();
    }
    int images = 0;
    for (const QString& name : parts_.keys()) {
        images += name.startsWith(QLatin1String("word/media/"));
    }
    EXPECT_EQ(images, 3);
}

// Appended pages are final: what the document held before cannot be written
// to any more, its bookmark names stay taken, and content added afterwards
// follows the pages.
TEST_F(OfficeDocument, appended_content_is_final_and_later_content_follows_it)
{
    write_three_pages(doc_, picture(QStringLiteral("ir.png"), 160, 120));
    EXPECT_FALSE(office_box_append_text(doc_, 0, "into a finished page"));
    EXPECT_FALSE(office_cell_append_text(doc_, 0, 0, 0, "into a finished table"));
    EXPECT_FALSE(office_table_set_row_height(doc_, 0, 0, 30));
    std::vector<std::string> names;
    ASSERT_TRUE(office_doc_bookmark_names(doc_, names));
    EXPECT_EQ(names.size(), 3u);
    int box = -1;
    EXPECT_FALSE(office_doc_add_text_box(doc_, 90, 90, 100, 20, box) && office_box_add_bookmark(doc_, box, "PHASE"));
    ASSERT_TRUE(office_doc_add_text_box(doc_, 90, 90, 100, 20, box));
    ASSERT_TRUE(office_box_append_text(doc_, box, "closing words"));
    ASSERT_TRUE(office_box_add_bookmark(doc_, box, "Closing"));
    ASSERT_TRUE(office_doc_set_bookmark_text(doc_, "Closing", " signed"));

    const QDomDocument body = saved_body();
    EXPECT_EQ(text_of(body),
              QStringLiteral("table 1page 1 titletable 2page 2 titletable 3page 3 title") + QStringLiteral("closing words signed"));
    const QByteArray main = parts_.value(QStringLiteral("word/document.xml"));
    EXPECT_LT(main.indexOf("page 3 title"), main.indexOf("closing words"));
    EXPECT_LT(main.indexOf("closing words"), main.indexOf("<w:sectPr"));
    // The saved document reads back whole: every page's bookmarks and pictures.
    void* reopened = nullptr;
    ASSERT_TRUE(office_doc_open_w(reopened, wide(dir_.filePath(QStringLiteral("out.docx")))));
    ASSERT_TRUE(office_doc_bookmark_names(reopened, names));
    EXPECT_EQ(names.size(), 4u);
    office_doc_uninit(reopened);
    int images = 0;
    for (const QString& name : parts_.keys()) {
        images += name.startsWith(QLatin1String("word/media/"));
    }
    EXPECT_EQ(images, 3);
}

TEST_F(OfficeDocument, template_bookmarks_are_filled_and_a_missing_one_changes_nothing)
{
    int table = -1;
    ASSERT_TRUE(office_doc_add_table(doc_, 2, 2, table));
    ASSERT_TRUE(office_cell_append_text(doc_, table, 0, 0, "Device"));
    ASSERT_TRUE(office_cell_add_bookmark(doc_, table, 0, 1, "DeviceName"));
    OfficeFont font;
    font.point_size = 14;
    font.italic = true;
    ASSERT_TRUE(office_cell_set_font(doc_, table, 0, 1, font));
    ASSERT_TRUE(office_cell_append_text(doc_, table, 1, 1, "old"));
    ASSERT_TRUE(office_cell_add_bookmark(doc_, table, 1, 0, "Phase"));
    int box = -1;
    ASSERT_TRUE(office_doc_add_text_box(doc_, 300, 100, 150, 150, box));
    ASSERT_TRUE(office_box_append_text(doc_, box, "placeholder"));
    ASSERT_TRUE(office_box_bookmark_text(doc_, box, "IRPicture"));
    const QString template_path = dir_.filePath(QStringLiteral("report.dotx"));
    ASSERT_TRUE(office_doc_save_w(doc_, wide(template_path)));
    office_doc_uninit(doc_);

    ASSERT_TRUE(office_doc_open_w(doc_, wide(template_path)));
    std::vector<std::string> names;
    ASSERT_TRUE(office_doc_bookmark_names(doc_, names));
    EXPECT_EQ(names, (std::vector<std::string>{"DeviceName", "Phase", "IRPicture"}));
    EXPECT_TRUE(office_doc_set_bookmark_text(doc_, "DeviceName", "Breaker 3"));
    EXPECT_TRUE(office_doc_set_bookmark_text(doc_, "phase", "A"));
    EXPECT_TRUE(office_doc_set_bookmark_picture_w(doc_, "IRPicture", wide(picture(QStringLiteral("p.png"), 640, 480))));
    const QByteArray before = [&] {
        saved_body();
        return parts_.value(QStringLiteral("word/document.xml"));
    }();
    EXPECT_FALSE(office_doc_set_bookmark_text(doc_, "SubstationName", "nowhere"));
    EXPECT_FALSE(office_doc_set_bookmark_picture_w(doc_, "VIPicture", wide(dir_.filePath(QStringLiteral("p.png")))));
    const QDomDocument body = saved_body();
    EXPECT_EQ(parts_.value(QStringLiteral("word/document.xml")), before);

    EXPECT_EQ(text_of(body), QStringLiteral("DeviceBreaker 3Aold"));
    // The filled text keeps the look its place had.
    const auto cells = elements(body, kW, QStringLiteral("tc"));
    const QDomElement filled = elements(cells[1], kW, QStringLiteral("r"))[0];
    EXPECT_EQ(w_attr(elements(filled, kW, QStringLiteral("sz"))[0], "val"), QStringLiteral("28"));
    // The picture replaced the placeholder, scaled into its 150-point box.
    const auto inlines = elements(body, kWp, QStringLiteral("inline"));
    ASSERT_EQ(inlines.size(), 1u);
    EXPECT_EQ(elements(inlines[0], kWp, QStringLiteral("extent"))[0].attribute(QStringLiteral("cx")).toLongLong(),
              150LL * 12700);
    // A document made from a template is typed as a document.
    EXPECT_TRUE(parts_.value(QStringLiteral("[Content_Types].xml")).contains("document.main+xml"));
    EXPECT_FALSE(parts_.value(QStringLiteral("[Content_Types].xml")).contains("template.main+xml"));
}

TEST_F(OfficeDocument, a_written_report_converts_to_pdf_with_its_pages_and_texts)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        GTEST_SKIP() << "soffice and pdftotext are not installed";
    }
    write_three_pages(doc_, picture(QStringLiteral("ir.png"), 160, 120));
    const QString docx = dir_.filePath(QStringLiteral("report.docx"));
    ASSERT_TRUE(office_doc_save_w(doc_, wide(docx)));
    QList<QByteArray> pages;
    ASSERT_TRUE(pdf_pages(docx, dir_.path(), pages));
    ASSERT_EQ(pages.size(), 3) << pages.join('#').constData();
    for (int page = 1; page <= 3; ++page) {
        EXPECT_TRUE(pages[page - 1].contains(QStringLiteral("page %1 title").arg(page).toUtf8())) << pages.join('#').constData();
        EXPECT_TRUE(pages[page - 1].contains(QStringLiteral("table %1").arg(page).toUtf8())) << pages.join('#').constData();
    }

    // A legacy binary template opens through the conversion.
    void* source = nullptr;
    ASSERT_TRUE(office_doc_init(source));
    int table = -1;
    ASSERT_TRUE(office_doc_add_table(source, 1, 2, table));
    ASSERT_TRUE(office_cell_append_text(source, table, 0, 0, "Phase"));
    ASSERT_TRUE(office_cell_add_bookmark(source, table, 0, 1, "Phase"));
    const QString plain = dir_.filePath(QStringLiteral("plain.docx"));
    ASSERT_TRUE(office_doc_save_w(source, wide(plain)));
    office_doc_uninit(source);
    const QString profile = QStringLiteral("-env:UserInstallation=file://") + dir_.filePath(QStringLiteral("profile"));
    ASSERT_TRUE(run_program(soffice, {profile, "--headless", "--convert-to", "doc", "--outdir", dir_.path(), plain}));
    const QString legacy = dir_.filePath(QStringLiteral("legacy.dot"));
    ASSERT_TRUE(QFile::rename(dir_.filePath(QStringLiteral("plain.doc")), legacy));
    void* opened = nullptr;
    ASSERT_TRUE(office_doc_open_w(opened, wide(legacy)));
    bool exists = false;
    EXPECT_TRUE(office_doc_has_bookmark(opened, "Phase", exists));
    EXPECT_TRUE(exists);
    EXPECT_TRUE(office_doc_set_bookmark_text(opened, "Phase", "filled"));
    office_doc_uninit(opened);
}

}  // namespace
