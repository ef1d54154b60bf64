// The layout writer of a print job: every picture gets the components of
// one layout file, tables first, then pictures, data marks and texts.
#include "reports/thread_print_report.h"

#include "reports/report_field_values.h"
#include "reports/report_log.h"
#include "reports/report_word.h"
#include "reports/report_xml.h"

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

int ThreadPrintReport::print_with_layout(void* handle, const QString& path, const QJsonArray& arr_info,
                                         const QString& layout, const BatchReportSettings& settings)
{
    ReportWord word(settings.dpi);
    if (!word.open_word()) return kWordFailed;
    ReportXml xml(settings.page_size);
    xml.set_logo_folder(settings.logo_folder);
    if (!xml.load_file(layout) || !xml.read_printer() || !xml.read_com_list()) {
        qCWarning(lc_report) << "print report: cannot read the layout" << layout;
        word.close_word();
        return kTemplateFileFailed;
    }
    emit sig_report_progress(10);
    // The first picture written goes into the report document itself; each
    // later one into a page document appended after a page break, so that a
    // picture that cannot be loaded leaves no empty page.
    auto write = [&](int written, const ReportFieldValues& values, const QString& picture, const QString& companion,
                     int&) {
        if (written > 0) word.add_page_document();
        write_tables(xml, word, values);
        write_others(xml, word, values, picture, companion);
        if (written > 0) word.append_page_document();
        return true;
    };
    int written = 0;
    int status = run_pictures(handle, arr_info, settings.chinese, write, written);
    if (status < 0 && written == 0) status = kNoPicture;
    if (status >= 0) {
        word.close_word();
        return status;
    }
    emit sig_report_info(tr("Saving file."));
    const bool saved = word.save_document(path);
    word.close_word();
    if (!saved) {
        qCWarning(lc_report) << "print report: cannot save" << path;
        emit sig_report_info(tr("Saving file %1 failed!").arg(path));
        return kSaveFailed;
    }
    return kPrinted;
}
