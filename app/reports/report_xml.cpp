#include "reports/report_xml.h"

#include "reports/report_data.h"
#include "reports/report_layout_check.h"
#include "reports/report_log.h"
#include "shell/input_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTextCodec>

#include <cmath>

namespace {

int int_attribute(const QDomElement& element, const QString& name)
{
    bool ok = false;
    const int value = element.attribute(name).toInt(&ok);
    return ok ? value : 0;
}

// A layout length times a page ratio, in single precision, truncated
// toward zero; values beyond int are clamped rather than overflowed.
int scaled(int value, float ratio)
{
    const float product = static_cast<float>(value) * ratio;
    if (!(product == product)) return 0;
    if (product >= 2147483520.0f) return 2147483520;
    if (product <= -2147483520.0f) return -2147483520;
    return static_cast<int>(std::trunc(product));
}

// The display text, marks flag and entries of "Text" and "Mark" children.
void read_text_and_marks(const QDomElement& element, QString& text, bool& has_marks, QList<ReportMarkInfo>& marks)
{
    has_marks = false;
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement child = node.toElement();
        if (child.isNull()) continue;
        if (child.tagName() == QLatin1String("Text")) {
            text += child.text();
        } else if (child.tagName() == QLatin1String("Mark")) {
            has_marks = true;
            ReportMarkInfo mark;
            mark.type = int_attribute(child, "type");
            if (mark.type != 0) {
                const QString key = child.attribute("mark");
                if (!key.isEmpty()) {
                    text += "{" + key + "}";
                    mark.text = key;
                    mark.ir_id = int_attribute(child, "ir_id");
                    mark.ana_id = int_attribute(child, "ana_id");
                    mark.ana_id_minus = int_attribute(child, "ana_id_minus");
                }
            } else {
                const QString literal = child.text();
                mark.text = literal.isEmpty() ? QStringLiteral(" ") : literal;
                text += mark.text;
            }
            marks.append(mark);
        }
    }
}

}  // namespace

ReportXml::ReportXml(const QSize& page_size, QObject* parent) : QObject(parent), m_page_size(page_size) {}

bool ReportXml::load_file(const QString& path)
{
    QFile file;
    QString why;
    if (!open_input_file(file, path, &why)) {
        qCDebug(lc_report) << "cannot read the layout" << path << why;
        return false;
    }
    if (file.size() > kMaxFileBytes) {
        qCWarning(lc_report) << "layout file too large:" << path << file.size();
        return false;
    }
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes || !report_layout_check::check(bytes, ReportData::kMaxComs)) return false;
    QString message;
    int line = 0;
    int column = 0;
    if (!m_document.setContent(bytes, false, &message, &line, &column)) {
        qCDebug(lc_report) << "parse file failed:" << line << "---" << column << ":" << message;
        return false;
    }
    m_root = m_document.documentElement();
    return int_attribute(m_root, "version") == 1;
}

bool ReportXml::read_printer(PrinterInfo* info)
{
    const QDomElement printer = m_root.firstChildElement("Printer");
    if (printer.isNull()) return false;
    qCDebug(lc_report) << printer.tagName() << ":" << printer.text();
    const int width = int_attribute(printer, "width");
    const int height = int_attribute(printer, "height");
    if (width < 1 || height < 1) return false;
    // A page size the caller could not tell leaves the layout unscaled.
    if (m_page_size.width() < 1 || m_page_size.height() < 1) return false;
    m_width = width;
    m_height = height;
    bool ok = false;
    m_scale = printer.attribute("scale").toFloat(&ok);
    if (!ok) m_scale = 0.0f;
    m_dpi = int_attribute(printer, "dpi");
    m_page = int_attribute(printer, "page");
    if (info != nullptr) {
        info->width = m_width;
        info->height = m_height;
        info->scale = m_scale;
        info->dpi = m_dpi;
        info->page = m_page;
    }
    m_ratio_x = static_cast<float>(m_page_size.width()) / static_cast<float>(m_width);
    m_ratio_y = static_cast<float>(m_page_size.height()) / static_cast<float>(m_height);
    return true;
}

bool ReportXml::read_com_list()
{
    const QDomElement coms = m_root.firstChildElement("ReportCom");
    if (coms.isNull()) return false;
    qCDebug(lc_report) << coms.tagName() << "count" << coms.attribute("count");
    m_components = coms.childNodes();
    return true;
}

bool ReportXml::get_com_type(int index, int* type)
{
    // QDomNodeList::item does not guard a negative index.
    if (index < 0 || index >= m_components.size()) return false;
    const QDomNode node = m_components.item(index);
    if (node.isNull()) return false;
    m_current = node.toElement();
    const QString tag = m_current.tagName();
    int found = kNone;
    if (tag == QLatin1String("ComPic")) found = kPic;
    else if (tag == QLatin1String("ComTable")) found = kTable;
    else if (tag == QLatin1String("ComMark")) found = kMark;
    else if (tag == QLatin1String("ComText")) found = kText;
    if (type != nullptr) *type = found;
    return true;
}

bool ReportXml::read_geometry(ReportComInfo* info) const
{
    info->version = int_attribute(m_current, "version");
    info->x = scaled(int_attribute(m_current, "x"), m_ratio_x);
    info->y = scaled(int_attribute(m_current, "y"), m_ratio_y);
    info->width = scaled(int_attribute(m_current, "width"), m_ratio_x);
    info->height = scaled(int_attribute(m_current, "height"), m_ratio_y);
    info->page = int_attribute(m_current, "page");
    return info->version == 1;
}

bool ReportXml::read_com_text(ReportTextInfo* info)
{
    if (info == nullptr || !read_geometry(info)) return false;
    info->font = m_current.attribute("font");
    info->flags = int_attribute(m_current, "flags");
    info->text = m_current.text();
    info->has_marks = false;
    return true;
}

bool ReportXml::read_com_mark(ReportTextInfo* info)
{
    if (info == nullptr || !read_geometry(info)) return false;
    info->marks.clear();
    info->font = m_current.attribute("font");
    info->text.clear();
    read_text_and_marks(m_current, info->text, info->has_marks, info->marks);
    return true;
}

bool ReportXml::read_com_pic(ReportPicInfo* info)
{
    if (info == nullptr || !read_geometry(info)) return false;
    info->from_file = int_attribute(m_current, "file") != 0;
    info->ir = int_attribute(m_current, "ir") != 0;
    info->logo_path.clear();
    info->picture_number = 0;
    info->logo = false;
    QString mark = m_current.attribute("mark");
    if (mark.isEmpty()) return true;
    if (mark == QLatin1String("LOGO")) {
        info->logo = true;
        const QImage logo = decode_report_logo(m_current.attribute("imagebase64"));
        if (!m_logo_folder.isEmpty() && !logo.isNull()) {
            const QString path = QDir(m_logo_folder).filePath(QStringLiteral("TempLogo.png"));
            if (logo.save(path, "PNG")) info->logo_path = path;
        }
        return true;
    }
    for (const char* part : {"IR", "VI", "GH", "Picture"}) mark.remove(QLatin1String(part));
    const int number = mark.toInt();
    if (number > 0) info->picture_number = number;
    return true;
}

bool ReportXml::read_com_table(ReportTableInfo* info)
{
    if (info == nullptr || !read_geometry(info)) return false;
    info->rows = int_attribute(m_current, "rows");
    info->columns = int_attribute(m_current, "columns");
    for (QDomElement part = m_current.firstChildElement(); !part.isNull(); part = part.nextSiblingElement()) {
        const QString tag = part.tagName();
        if (tag == QLatin1String("Width") || tag == QLatin1String("Height")) {
            const bool widths = tag == QLatin1String("Width");
            QMap<int, int>& sizes = widths ? info->column_widths : info->row_heights;
            const QString index_name = widths ? QStringLiteral("column") : QStringLiteral("row");
            const QString size_name = widths ? QStringLiteral("width") : QStringLiteral("height");
            sizes.clear();
            for (QDomElement e = part.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
                if (e.hasAttribute(index_name) && e.hasAttribute(size_name)) {
                    sizes.insert(int_attribute(e, index_name), int_attribute(e, size_name));
                }
            }
        } else if (tag == QLatin1String("Cells")) {
            info->cells.clear();
            for (QDomElement e = part.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
                if (!e.hasAttribute("row") || !e.hasAttribute("column")) continue;
                ReportCellInfo cell;
                cell.row = int_attribute(e, "row");
                cell.column = int_attribute(e, "column");
                cell.flags = int_attribute(e, "flags");
                cell.font = e.attribute("font");
                read_text_and_marks(e, cell.text, cell.has_marks, cell.marks);
                info->cells.append(cell);
            }
        }
    }
    return true;
}

QString gb18030_to_qstring(const QByteArray& bytes)
{
    QTextCodec* codec = QTextCodec::codecForName("GB18030");
    return codec != nullptr ? codec->toUnicode(bytes) : QString::fromUtf8(bytes);
}

QImage decode_report_logo(const QString& base64)
{
    QByteArray bytes = QByteArray::fromBase64(base64.toLatin1());
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxReportLogoSide || size.height() > kMaxReportLogoSide) return QImage();
    return reader.read();
}
