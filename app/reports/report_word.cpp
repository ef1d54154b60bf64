// Report content written through the in-process document layer.
#include "reports/report_word.h"

#include "reports/report_log.h"

#include "office.h"

#include <QGuiApplication>
#include <QScreen>

struct ReportWord::Item : ReportWordItem {
    void* document = nullptr;
    bool on_page = false;
    quint64 generation = 0;
    bool table = false;
    int id = -1;
};

namespace {

int points(int pixels, int dpi)
{
    return report_word::points_from_pixels(pixels, dpi);
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

}  // namespace

ReportWord::ReportWord(QObject* parent) : QObject(parent)
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            m_dpi = qRound(screen->logicalDotsPerInchX());
        }
    }
}

ReportWord::ReportWord(int dpi, QObject* parent) : QObject(parent), m_dpi(dpi) {}

ReportWord::~ReportWord()
{
    close_word();
}

bool ReportWord::open_word()
{
    close_word();
    ++m_main_generation;
    return office_doc_init(m_main);
}

bool ReportWord::add_page_document()
{
    if (m_main == nullptr) {
        return false;
    }
    if (m_page != nullptr) {
        office_doc_uninit(m_page);
    }
    ++m_page_generation;
    return office_doc_init(m_page);
}

ReportWord::Item* ReportWord::item_of(ReportWordItem* item, bool table) const
{
    const auto found = m_items.find(item);
    if (found == m_items.end()) {
        return nullptr;
    }
    // An item of a page already appended is gone with its document, and so
    // is every item of the main document once a page follows it.
    Item* own = found->second.get();
    const bool live = own->on_page ? m_page != nullptr && own->generation == m_page_generation
                                   : m_main != nullptr && own->generation == m_main_generation;
    return live && own->table == table ? own : nullptr;
}

ReportWordItem* ReportWord::keep(std::unique_ptr<Item> item)
{
    item->on_page = item->document == m_page;
    item->generation = item->on_page ? m_page_generation : m_main_generation;
    ReportWordItem* key = item.get();
    m_items.emplace(key, std::move(item));
    return key;
}

ReportWordItem* ReportWord::add_text_box(int left, int top, int width, int height)
{
    void* doc = target();
    int id = -1;
    if (doc == nullptr || !office_doc_add_text_box(doc, points(left, m_dpi), points(top, m_dpi),
                                                   points(width, m_dpi), points(height, m_dpi), id)) {
        return nullptr;
    }
    auto item = std::make_unique<Item>();
    item->document = doc;
    item->id = id;
    return keep(std::move(item));
}

ReportWordItem* ReportWord::add_table(int rows, int columns)
{
    void* doc = target();
    int id = -1;
    if (doc == nullptr || !office_doc_add_table(doc, rows, columns, id)) {
        return nullptr;
    }
    auto item = std::make_unique<Item>();
    item->document = doc;
    item->table = true;
    item->id = id;
    return keep(std::move(item));
}

bool ReportWord::set_table_position(ReportWordItem* table, int x, int y, int, int)
{
    Item* item = item_of(table, true);
    return item != nullptr
           && office_table_set_position(item->document, item->id, points(x, m_dpi), points(y, m_dpi));
}

bool ReportWord::set_table_sizes(ReportWordItem* table, const QVector<int>& column_widths,
                                 const QVector<int>& row_heights)
{
    QMap<int, int> widths;
    QMap<int, int> heights;
    for (int i = 0; i < column_widths.size(); ++i) {
        widths.insert(i, column_widths[i]);
    }
    for (int i = 0; i < row_heights.size(); ++i) {
        heights.insert(i, row_heights[i]);
    }
    return set_table_sizes(table, widths, heights);
}

bool ReportWord::set_table_sizes(ReportWordItem* table, const QMap<int, int>& column_widths,
                                 const QMap<int, int>& row_heights)
{
    Item* item = item_of(table, true);
    if (item == nullptr) {
        return false;
    }
    // A column or row the table lacks is skipped.
    for (auto it = column_widths.cbegin(); it != column_widths.cend(); ++it) {
        office_table_set_column_width(item->document, item->id, it.key(), points(it.value(), m_dpi));
    }
    for (auto it = row_heights.cbegin(); it != row_heights.cend(); ++it) {
        office_table_set_min_row_height(item->document, item->id, it.key(), points(it.value(), m_dpi));
    }
    return true;
}

bool ReportWord::set_cell_text(ReportWordItem* table, int row, int column, const QString& text)
{
    Item* item = item_of(table, true);
    return item != nullptr && office_cell_append_text(item->document, item->id, row - 1, column - 1, utf8(text));
}

bool ReportWord::set_cell_marks(ReportWordItem* table, int row, int column, const ReportMarkEntries& entries)
{
    Item* item = item_of(table, true);
    return item != nullptr && write_marks(item, row - 1, column - 1, entries);
}

bool ReportWord::set_cell_font(ReportWordItem* table, int row, int column, const QFont& font, int flags)
{
    Item* item = item_of(table, true);
    return item != nullptr && write_font(item, row - 1, column - 1, font, flags);
}

bool ReportWord::set_text_box_text(ReportWordItem* box, const QString& text)
{
    Item* item = item_of(box, false);
    return item != nullptr && office_box_append_text(item->document, item->id, utf8(text));
}

bool ReportWord::set_text_box_marks(ReportWordItem* box, const ReportMarkEntries& entries)
{
    Item* item = item_of(box, false);
    return item != nullptr && write_marks(item, -1, -1, entries);
}

bool ReportWord::set_text_box_font(ReportWordItem* box, const QFont& font, int flags)
{
    Item* item = item_of(box, false);
    return item != nullptr && write_font(item, -1, -1, font, flags);
}

// Literal entries are typed; each data mark becomes an empty bookmark named
// by its field key. Two adjacent marks are kept apart by a space so that
// they never share one position.
bool ReportWord::write_marks(Item* item, int row, int column, const ReportMarkEntries& entries)
{
    auto type = [&](const QString& text) {
        return item->table ? office_cell_append_text(item->document, item->id, row, column, utf8(text))
                           : office_box_append_text(item->document, item->id, utf8(text));
    };
    bool previous_was_mark = true;
    for (int i = 0; i < entries.size(); ++i) {
        const ReportMarkEntry& entry = entries[i];
        if (!entry.is_field()) {
            if (!type(entry.mark)) {
                return false;
            }
            previous_was_mark = false;
            continue;
        }
        if (previous_was_mark && i > 0 && !type(QStringLiteral(" "))) {
            return false;
        }
        const std::string name = utf8(unique_bookmark_name(entry.mark));
        const bool added = item->table ? office_cell_add_bookmark(item->document, item->id, row, column, name)
                                       : office_box_add_bookmark(item->document, item->id, name);
        if (!added) {
            return false;
        }
        previous_was_mark = true;
    }
    return true;
}

bool ReportWord::write_font(Item* item, int row, int column, const QFont& font, int flags)
{
    OfficeFont out;
    out.family = utf8(font.family());
    out.point_size = font.pointSizeF();
    if (out.point_size <= 0 && font.pixelSize() > 0) {
        out.point_size = points(font.pixelSize(), m_dpi);
    }
    out.bold = font.weight() > QFont::Medium;
    out.italic = font.style() != QFont::StyleNormal;
    out.underline = font.underline();
    // The writers number alignments as the office layer does.
    const int alignment = report_word::paragraph_alignment(flags);
    if (item->table) {
        return office_cell_set_font(item->document, item->id, row, column, out)
               && (alignment < 0 || office_cell_set_alignment(item->document, item->id, row, column, alignment));
    }
    return office_box_set_font(item->document, item->id, out)
           && (alignment < 0 || office_box_set_alignment(item->document, item->id, alignment));
}

bool ReportWord::bookmark_text_box(ReportWordItem* box, const QString& name)
{
    Item* item = item_of(box, false);
    return item != nullptr && office_box_bookmark_text(item->document, item->id, utf8(unique_bookmark_name(name)));
}

bool ReportWord::add_text_box_picture(ReportWordItem* box, const QString& path)
{
    Item* item = item_of(box, false);
    if (item == nullptr) {
        return false;
    }
    qCDebug(lc_report) << " word add pic :" << path;
    return office_box_add_picture_w(item->document, item->id, path.toStdWString());
}

bool ReportWord::append_page_document()
{
    if (m_main == nullptr || m_page == nullptr) {
        return false;
    }
    ++m_page_generation;
    ++m_main_generation;
    return office_doc_append(m_main, m_page);
}

bool ReportWord::save_document(const QString& path)
{
    return m_main != nullptr && office_doc_save_w(m_main, path.toStdWString());
}

bool ReportWord::close_word()
{
    if (m_page != nullptr) {
        office_doc_uninit(m_page);
    }
    if (m_main != nullptr) {
        office_doc_uninit(m_main);
    }
    m_items.clear();
    m_bookmarks.clear();
    return true;
}

QString ReportWord::unique_bookmark_name(const QString& base)
{
    const auto found = m_bookmarks.constFind(base);
    const int value = found != m_bookmarks.cend() ? found.value() + 1 : 0;
    m_bookmarks.insert(base, value);
    return value == 0 ? base : base + QString::number(value);
}
