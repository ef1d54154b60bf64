#include "reports/report_page_writer.h"

#include "reports/report_bookmarks.h"
#include "reports/report_field_values.h"
#include "reports/report_word_writer.h"
#include "reports/report_xml.h"
#include "reports/word_print.h"

#include <QFile>
#include <QFont>

namespace {

// What a cell or mark component shows: literal pieces as they are, data
// marks by the picture's value.
QString text_of(const QString& text, bool has_marks, const QList<ReportMarkInfo>& marks,
                const ReportFieldValues& values)
{
    if (!has_marks) return text;
    QString joined;
    for (const ReportMarkInfo& mark : marks) {
        joined += mark.type == 0
                      ? mark.text
                      : report_field_values::mark_value(values, mark.ir_id, mark.ana_id, mark.ana_id_minus, mark.type);
    }
    return joined;
}

QFont font_of(const QString& text)
{
    QFont font;
    if (!text.isEmpty() && !font.fromString(text)) font = QFont();
    return font;
}

// Components the reader refuses (a version it does not know) are left out.
void write_tables(ReportXml& xml, ReportWordWriter& word, const ReportFieldValues& values)
{
    for (int index = 0; index < xml.com_count(); ++index) {
        int type = ReportXml::kNone;
        if (!xml.get_com_type(index, &type) || type != ReportXml::kTable) continue;
        ReportTableInfo table;
        if (!xml.read_com_table(&table)) continue;
        ReportWordItem* item = word.add_table(table.rows, table.columns);
        if (item == nullptr) continue;
        word.set_table_position(item, table.x, table.y, table.width, table.height);
        word.set_table_sizes(item, table.column_widths, table.row_heights);
        for (const ReportCellInfo& cell : table.cells) {
            word.set_cell_text(item, cell.row + 1, cell.column + 1, text_of(cell.text, cell.has_marks, cell.marks, values));
            word.set_cell_font(item, cell.row + 1, cell.column + 1, font_of(cell.font), cell.flags);
        }
    }
}

void write_text(ReportWordWriter& word, const ReportTextInfo& text, int flags, const ReportFieldValues& values)
{
    ReportWordItem* box = word.add_text_box(text.x, text.y, text.width, text.height);
    if (box == nullptr) return;
    word.set_text_box_text(box, text_of(text.text, text.has_marks, text.marks, values));
    word.set_text_box_font(box, font_of(text.font), flags);
}

void write_picture(ReportWordWriter& word, const ReportPicInfo& picture, const QString& path, const QString& companion)
{
    QString file;
    if (picture.logo) {
        if (picture.logo_path.isEmpty()) return;
        file = picture.logo_path;
    } else if (picture.picture_number == 1) {
        file = picture.ir ? path : companion;
    } else {
        return;
    }
    ReportWordItem* box = word.add_text_box(picture.x, picture.y, picture.width, picture.height);
    if (box != nullptr && !file.isEmpty()) word.add_text_box_picture(box, file);
}

void write_others(ReportXml& xml, ReportWordWriter& word, const ReportFieldValues& values, const QString& path,
                  const QString& companion)
{
    for (int index = 0; index < xml.com_count(); ++index) {
        int type = ReportXml::kNone;
        if (!xml.get_com_type(index, &type)) continue;
        if (type == ReportXml::kPic) {
            ReportPicInfo picture;
            if (xml.read_com_pic(&picture)) write_picture(word, picture, path, companion);
        } else if (type == ReportXml::kMark) {
            ReportTextInfo mark;
            if (xml.read_com_mark(&mark)) write_text(word, mark, 1, values);
        } else if (type == ReportXml::kText) {
            ReportTextInfo text;
            if (xml.read_com_text(&text)) write_text(word, text, text.flags, values);
        }
    }
}

}  // namespace

namespace report_page {

QString companion_of(const QString& path)
{
    const int at = path.indexOf(QLatin1String("-ir."));
    if (at <= 0) return QString();
    const QString base = path.left(at);
    for (const char* suffix : {"-vi.jpg", "-vi.png"}) {
        const QString candidate = base + QLatin1String(suffix);
        if (QFile::exists(candidate)) return candidate;
    }
    return QString();
}

TemplateResult write_template(WordPrint& print, const QString& dot, const ReportFieldValues& values,
                              const QString& picture, const QString& companion)
{
    if (!print.new_document(dot)) return TemplateResult::kTemplateFailed;
    bool placed = print.insert_bookmark_picture(QStringLiteral("IRPicture"), picture) ||
                  print.insert_bookmark_picture(QStringLiteral("IRPicture1"), picture);
    if (!companion.isEmpty()) {
        print.insert_bookmark_picture(QStringLiteral("VIPicture"), companion);
        print.insert_bookmark_picture(QStringLiteral("VIPicture1"), companion);
    }
    report_bookmarks::write_values(values, [&print](const QString& bookmark, const QString& text) {
        print.set_bookmark_text(bookmark, text);
    });
    return placed ? TemplateResult::kWritten : TemplateResult::kPictureFailed;
}

void write_layout(ReportXml& xml, ReportWordWriter& word, const ReportFieldValues& values, const QString& picture,
                  const QString& companion)
{
    write_tables(xml, word, values);
    write_others(xml, word, values, picture, companion);
}

}  // namespace report_page
