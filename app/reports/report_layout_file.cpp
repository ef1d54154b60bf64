// The XML layout file of a report: written through a temporary file that
// replaces the target only when complete, read by first checking the whole
// file and only then replacing the document's content.
#include "reports/report_com_image.h"
#include "reports/report_com_mark.h"
#include "reports/report_com_table.h"
#include "reports/report_com_text.h"
#include "reports/report_data.h"
#include "reports/report_layout_check.h"
#include "reports/report_log.h"
#include "reports/report_settings.h"
#include "reports/report_xml.h"
#include "shell/input_file.h"
#include "save_file.h"

#include <QDomDocument>
#include <QFile>
#include <QImage>
#include <QSaveFile>
#include <QTextStream>

#include <cmath>

namespace {

// A layout is a few hundred kilobytes; logos make it larger, not this large.
constexpr qint64 kMaxLayoutBytes = 64LL << 20;
// Component sizes beyond this are cut to it.
constexpr int kMaxComSide = 1 << 16;

const char* const kPictureMark = "LOGO";

int int_attribute(const QDomElement& element, const QString& name)
{
    bool ok = false;
    const int value = element.attribute(name).toInt(&ok);
    return ok ? value : 0;
}

// value × scale, truncated, kept inside the int range.
int scaled(int value, double scale)
{
    const double product = std::trunc(static_cast<double>(value) * scale);
    if (!(product > -kMaxComSide)) return -kMaxComSide;
    if (!(product < kMaxComSide)) return kMaxComSide;
    return static_cast<int>(product);
}

QDomElement text_element(QDomDocument& doc, const QString& tag, const QString& text)
{
    QDomElement element = doc.createElement(tag);
    element.appendChild(doc.createTextNode(text));
    return element;
}

void append_mark_content(QDomDocument& doc, QDomElement& parent, const ReportMarkEntries& entries,
                         const QString& text)
{
    if (entries.isEmpty()) {
        parent.appendChild(text_element(doc, "Text", text));
        return;
    }
    for (const ReportMarkEntry& entry : entries) {
        QDomElement mark = doc.createElement("Mark");
        mark.setAttribute("type", entry.mark_type);
        if (entry.is_field()) {
            mark.setAttribute("mark", entry.mark);
            mark.setAttribute("ir_id", entry.ir_id);
            mark.setAttribute("ana_id", entry.ana_id);
            mark.setAttribute("ana_id_minus", entry.ana_id_minus);
        } else {
            mark.appendChild(doc.createTextNode(entry.mark));
        }
        parent.appendChild(mark);
    }
}

// The mark text of "Text" and "Mark" children; had_mark tells whether a
// "Mark" child was met.
QString mark_text_of(const QDomElement& element, bool& had_mark)
{
    QString text;
    had_mark = false;
    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (child.tagName() == "Text") {
            text += child.text();
        } else if (child.tagName() == "Mark") {
            had_mark = true;
            if (int_attribute(child, "type") != 0) {
                const QString mark = child.attribute("mark");
                if (!mark.isEmpty()) text += "{" + mark + "}";
            } else {
                const QString literal = child.text();
                text += literal.isEmpty() ? QStringLiteral(" ") : literal;
            }
        }
    }
    return text;
}

}  // namespace

// --- Writing ---------------------------------------------------------------------------------

namespace {

void append_common(QDomElement& element, const ReportComBase* com)
{
    element.setAttribute("version", 1);
    element.setAttribute("type", com->type());
    element.setAttribute("page", com->page());
    element.setAttribute("x", com->rect().x());
    element.setAttribute("y", com->rect().y());
    element.setAttribute("width", com->rect().width());
    element.setAttribute("height", com->rect().height());
}

QDomElement picture_element(QDomDocument& doc, ReportComImage* picture)
{
    QDomElement element = doc.createElement("ComPic");
    append_common(element, picture);
    element.setAttribute("file", picture->is_loaded() ? 1 : 0);
    element.setAttribute("ir", picture->is_ir() ? 1 : 0);
    QString base64;
    if (picture->is_logo()) {
        element.setAttribute("mark", kPictureMark);
        QFile file;
        if (open_input_file(file, picture->file_path())) base64 = QString::fromLatin1(file.readAll().toBase64());
    } else if (picture->is_ir()) {
        element.setAttribute("mark", QString("IRPicture%1").arg(picture->ir_number() + 1));
    } else {
        element.setAttribute("mark", QString("VIPicture%1").arg(picture->vi_number() + 1));
    }
    element.setAttribute("imagebase64", base64);
    return element;
}

QDomElement table_element(QDomDocument& doc, ReportComTable* table)
{
    QDomElement element = doc.createElement("ComTable");
    append_common(element, table);
    element.setAttribute("rows", table->rows());
    element.setAttribute("columns", table->columns());
    QDomElement widths = doc.createElement("Width");
    for (int j = 0; j < table->columns(); ++j) {
        QDomElement width = doc.createElement("Width");
        width.setAttribute("column", j);
        width.setAttribute("width", table->column_width(j));
        widths.appendChild(width);
    }
    QDomElement heights = doc.createElement("Height");
    for (int i = 0; i < table->rows(); ++i) {
        QDomElement height = doc.createElement("Height");
        height.setAttribute("row", i);
        height.setAttribute("height", table->row_height(i));
        heights.appendChild(height);
    }
    QDomElement cells = doc.createElement("Cells");
    for (int i = 0; i < table->rows(); ++i) {
        for (int j = 0; j < table->columns(); ++j) {
            const ReportCell* cell = table->cell(i, j);
            if (cell == nullptr) continue;
            QDomElement item = doc.createElement("Cell");
            item.setAttribute("row", i);
            item.setAttribute("column", j);
            item.setAttribute("font", cell->font.toString());
            item.setAttribute("flags", cell->flags);
            append_mark_content(doc, item, cell->entries, cell->mark_text);
            cells.appendChild(item);
        }
    }
    element.appendChild(widths);
    element.appendChild(heights);
    element.appendChild(cells);
    return element;
}

QDomElement mark_element(QDomDocument& doc, ReportComMark* mark)
{
    QDomElement element = doc.createElement("ComMark");
    append_common(element, mark);
    element.setAttribute("font", mark->font().toString());
    append_mark_content(doc, element, mark->entries(), mark->mark_text());
    return element;
}

QDomElement text_com_element(QDomDocument& doc, ReportComText* text)
{
    QDomElement element = doc.createElement("ComText");
    append_common(element, text);
    element.setAttribute("font", text->font().toString());
    element.setAttribute("flags", text->flags());
    element.appendChild(text_element(doc, "Text", text->text()));
    return element;
}

}  // namespace

bool ReportData::save_layout(const QString& path)
{
    QDomDocument doc;
    doc.appendChild(doc.createProcessingInstruction("xml", "version = '1.0' encoding='UTF-8'"));
    QDomElement report = doc.createElement("Report");
    report.setAttribute("version", 1);
    QDomElement printer = doc.createElement("Printer");
    printer.setAttribute("width", m_page_width);
    printer.setAttribute("height", m_page_height);
    printer.setAttribute("scale", QString::number(static_cast<double>(m_zoom), 'g', 6));
    printer.setAttribute("dpi", word_dpi());
    printer.setAttribute("page", m_pages.size());
    report.appendChild(printer);
    QDomElement coms = doc.createElement("ReportCom");
    coms.setAttribute("count", m_coms.size());
    for (ReportComBase* com : m_coms) {
        switch (com->type()) {
        case ReportComBase::kTypePicture: coms.appendChild(picture_element(doc, static_cast<ReportComImage*>(com))); break;
        case ReportComBase::kTypeTable: coms.appendChild(table_element(doc, static_cast<ReportComTable*>(com))); break;
        case ReportComBase::kTypeMark: coms.appendChild(mark_element(doc, static_cast<ReportComMark*>(com))); break;
        case ReportComBase::kTypeText: coms.appendChild(text_com_element(doc, static_cast<ReportComText*>(com))); break;
        default: break;
        }
    }
    report.appendChild(coms);
    doc.appendChild(report);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qCWarning(lc_report) << "save_layout: cannot write" << path << file.errorString();
        return false;
    }
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    doc.save(stream, 4, QDomNode::EncodingFromDocument);
    stream.flush();
    QString error = file.errorString();
    if (stream.status() != QTextStream::Ok || !vy::commit_save_file(file, &error)) {
        qCWarning(lc_report) << "save_layout: writing failed" << path << error;
        return false;
    }
    return true;
}

// --- Reading ---------------------------------------------------------------------------------

bool ReportData::open_layout(const QString& path)
{
    QFile file;
    QString why;
    if (!open_input_file(file, path, &why)) {
        qCWarning(lc_report) << "open_layout: cannot read" << path << why;
        return false;
    }
    if (file.size() > kMaxLayoutBytes) {
        qCWarning(lc_report) << "open_layout: file too large" << path << file.size();
        return false;
    }
    return open_layout_bytes(file.readAll());
}

bool ReportData::open_layout_bytes(const QByteArray& bytes)
{
    if (bytes.size() > kMaxLayoutBytes) return false;
    if (!report_layout_check::check(bytes, kMaxComs)) return false;
    QDomDocument doc;
    QString message;
    int line = 0;
    int column = 0;
    if (!doc.setContent(bytes, false, &message, &line, &column)) {
        qCDebug(lc_report) << "parse file failed:" << line << "---" << column << ":" << message;
        return false;
    }
    const QDomElement report = doc.documentElement();
    if (int_attribute(report, "version") != 1) return false;
    const QDomElement printer = report.firstChildElement("Printer");
    const QDomElement coms = report.firstChildElement("ReportCom");
    // Everything the document needs is checked before anything is replaced,
    // so a refused file leaves the open layout as it was.
    if (printer.isNull() || coms.isNull()) return false;
    const int stored_width = int_attribute(printer, "width");
    const int stored_height = int_attribute(printer, "height");
    if (stored_width <= 0 || stored_height <= 0) return false;
    int elements = 0;
    for (QDomElement child = coms.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (++elements > kMaxComs) return false;
    }
    qCDebug(lc_report) << "open_layout printer" << stored_width << stored_height << printer.attribute("scale")
                       << printer.attribute("dpi") << printer.attribute("page") << "count" << coms.attribute("count");

    m_scale_x = static_cast<float>(m_page_width) / static_cast<float>(stored_width);
    m_scale_y = static_cast<float>(m_page_height) / static_cast<float>(stored_height);
    clear_all();
    add_page();

    bool had_picture = false;
    for (QDomElement element = coms.firstChildElement(); !element.isNull(); element = element.nextSiblingElement()) {
        const QString tag = element.tagName();
        int type = 0;
        if (tag == "ComPic") type = ReportComBase::kTypePicture;
        else if (tag == "ComTable") type = ReportComBase::kTypeTable;
        else if (tag == "ComMark") type = ReportComBase::kTypeMark;
        else if (tag == "ComText") type = ReportComBase::kTypeText;
        if (type == 0 || int_attribute(element, "version") != 1) continue;
        const int x = scaled(int_attribute(element, "x"), m_scale_x);
        const int y = scaled(int_attribute(element, "y"), m_scale_y);
        const int width = qBound(1, scaled(int_attribute(element, "width"), m_scale_x), kMaxComSide);
        const int height = qBound(1, scaled(int_attribute(element, "height"), m_scale_y), kMaxComSide);
        ReportComBase* com = add_com(int_attribute(element, "page"), type, x, y, width, height);
        if (com == nullptr) continue;
        switch (type) {
        case ReportComBase::kTypePicture: {
            had_picture = true;
            auto* picture = static_cast<ReportComImage*>(com);
            const bool ir = int_attribute(element, "ir") != 0;
            const QString mark = element.attribute("mark");
            if (mark.isEmpty()) break;
            if (mark == kPictureMark) {
                const QImage logo = decode_report_logo(element.attribute("imagebase64"));
                const QString logo_path =
                    report_settings::config_path() + QString("TempLogo%1.png").arg(m_logo_counter);
                if (!logo.isNull() && logo.save(logo_path, "PNG") && picture->open_file(logo_path)) {
                    picture->set_logo(true);
                }
                ++m_logo_counter;
                break;
            }
            QString digits = mark;
            digits.remove("IR").remove("VI").remove("GH").remove("Picture");
            bool ok = false;
            int number = digits.toInt(&ok);
            number = ok ? number - 1 : -1;
            if (ir) {
                picture->set_ir_number(number);
            } else {
                picture->set_vi_number(number);
            }
            const QString sample = report_settings::app_path() + (ir ? "Temp-ir.png" : "Temp-vi.jpg");
            if (number == 0 && QFile::exists(sample)) picture->open_file(sample);
            break;
        }
        case ReportComBase::kTypeTable: {
            auto* table = static_cast<ReportComTable*>(com);
            table->reset_grid(int_attribute(element, "rows"), int_attribute(element, "columns"));
            for (QDomElement part = element.firstChildElement(); !part.isNull(); part = part.nextSiblingElement()) {
                for (QDomElement item = part.firstChildElement(); !item.isNull(); item = item.nextSiblingElement()) {
                    if (part.tagName() == "Width" && item.hasAttribute("column") && item.hasAttribute("width")) {
                        table->set_column_width(int_attribute(item, "column"), int_attribute(item, "width"));
                    } else if (part.tagName() == "Height" && item.hasAttribute("row") && item.hasAttribute("height")) {
                        table->set_row_height(int_attribute(item, "row"), int_attribute(item, "height"));
                    } else if (part.tagName() == "Cells" && item.hasAttribute("row") && item.hasAttribute("column")) {
                        const int row = int_attribute(item, "row");
                        const int column = int_attribute(item, "column");
                        bool had_mark = false;
                        const QString text = mark_text_of(item, had_mark);
                        table->set_cell_font(row, column, item.attribute("font"), int_attribute(item, "flags"));
                        table->set_cell_mark(row, column, text);
                    }
                }
            }
            break;
        }
        case ReportComBase::kTypeMark: {
            auto* mark = static_cast<ReportComMark*>(com);
            const QString font_text = element.attribute("font");
            QFont font = mark->font();
            if (!font_text.isEmpty() && font.fromString(font_text)) mark->set_font(font);
            bool had_mark = false;
            const QString text = mark_text_of(element, had_mark);
            if (had_mark) {
                mark->update_mark_text(text);
            } else {
                mark->set_plain_text(text);
            }
            break;
        }
        case ReportComBase::kTypeText: {
            auto* text = static_cast<ReportComText*>(com);
            const QString font_text = element.attribute("font");
            QFont font = text->font();
            if (!font_text.isEmpty() && font.fromString(font_text)) text->set_font(font);
            text->set_flags(int_attribute(element, "flags"));
            text->set_text(element.text());
            break;
        }
        default: break;
        }
    }
    if (had_picture) refresh_all_marks();
    return true;
}
