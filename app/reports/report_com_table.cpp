#include "reports/report_com_table.h"

#include "reports/report_data.h"
#include "reports/report_fields.h"
#include "reports/report_log.h"

#include <QPainter>

#include <cstdlib>

namespace {

constexpr int kBorderReach = 2;
constexpr int kCellMarginX = 8;
constexpr int kCellMarginY = 5;
constexpr int kHitHandleSize = 10;
constexpr int kHitHandleDistance = 7;

}  // namespace

ReportComTable::ReportComTable(ReportData* owner, QObject* parent) : ReportComBase(owner, parent)
{
    m_type = kTypeTable;
}

ReportComTable::~ReportComTable() { clear_cells(); }

ReportCell* ReportComTable::cell(int row, int column) const
{
    if (row < 0 || row >= m_cells.size() || column < 0 || column >= m_cells.at(row).size()) return nullptr;
    return m_cells.at(row).at(column);
}

int ReportComTable::total_width() const
{
    int total = 1;
    for (int j = 0; j < m_columns; ++j) total += column_width(j);
    return total;
}

int ReportComTable::total_height() const
{
    int total = 1;
    for (int i = 0; i < m_rows; ++i) total += row_height(i);
    return total;
}

bool ReportComTable::create_cells(int rows, int columns)
{
    rows = qBound(1, rows, kMaxRows);
    columns = qBound(1, columns, kMaxColumns);
    m_rows = rows;
    m_columns = columns;
    for (int i = 0; i < rows; ++i) {
        QVector<ReportCell*> row;
        row.reserve(columns);
        for (int j = 0; j < columns; ++j) row.append(new ReportCell);
        m_cells.append(row);
    }
    return true;
}

void ReportComTable::clear_cells()
{
    m_selected_cell = nullptr;
    for (QVector<ReportCell*>& row : m_cells) qDeleteAll(row);
    m_cells.clear();
}

bool ReportComTable::reset_grid(int rows, int columns)
{
    clear_cells();
    create_cells(rows, columns);
    m_column_widths.clear();
    m_row_heights.clear();
    m_default_column_width = qMax(1, m_rect.width() / m_columns);
    m_default_row_height = qMax(1, m_rect.height() / m_rows);
    m_current_row = -1;
    m_current_column = -1;
    return true;
}

bool ReportComTable::init_com(int page, const QRect& rect)
{
    m_page = page;
    const int rows = qBound(1, (rect.height() - 1) / kMinRowHeight, kMaxRows);
    clear_cells();
    create_cells(rows, 2);
    // A box narrower than two pixels still gets columns of one pixel: no
    // size of the grid is ever 0.
    m_default_column_width = qMax(1, rect.width() / 2);
    QRect placed = rect;
    placed.setHeight(m_rows * kMinRowHeight + 1);
    m_rect = placed;
    m_work_rect = placed;
    return true;
}

ReportCell* ReportComTable::hit_cell(int px, int py, int& hit_kind)
{
    int row = -1;
    int column = -1;
    hit_kind = kCellNone;
    int top = 0;
    for (int i = 0; i < m_rows; ++i) {
        const int bottom = top + row_height(i);
        if (std::abs(py - bottom) <= kBorderReach) {
            hit_kind = kCellRowBorder;
            row = i + 1;
            break;
        }
        if (top <= py && py < bottom - kBorderReach) {
            row = i;
            break;
        }
        top = bottom;
    }
    int left = 0;
    int right = 0;
    for (int j = 0; j < m_columns; ++j) {
        right = left + column_width(j);
        if (std::abs(px - left) <= kBorderReach) {
            hit_kind = kCellColumnBorder;
            column = j;
            break;
        }
        if (left <= px && px < right - kBorderReach) {
            column = j;
            break;
        }
        left = right;
    }
    if (hit_kind == kCellNone && std::abs(px - (total_width() - 1)) <= kBorderReach) {
        hit_kind = kCellColumnBorder;
        column = m_columns;
    }
    m_current_row = row;
    m_current_column = column;
    if (row < 0 || column < 0) return nullptr;
    if (hit_kind == kCellNone) hit_kind = kCellInside;
    return cell(qMin(row, m_rows - 1), qMin(column, m_columns - 1));
}

bool ReportComTable::select_cell(int row, int column)
{
    ReportCell* target = cell(row, column);
    if (target == nullptr) return false;
    m_selected_cell = target;
    m_current_row = row;
    m_current_column = column;
    return true;
}

bool ReportComTable::mouse_right_down(int x, int y)
{
    ReportCell* hit = hit_cell(x - m_rect.left(), y - m_rect.top(), m_hit_kind);
    if (hit != nullptr) m_selected_cell = hit;
    return true;
}

bool ReportComTable::mouse_down(int x, int y)
{
    mouse_right_down(x, y);
    if (m_hit_kind == kCellRowBorder || m_hit_kind == kCellColumnBorder) {
        m_border_drag = true;
        m_drag_x = x - m_rect.left();
        m_drag_y = y - m_rect.top();
    }
    qCDebug(lc_report) << "ReportComTable::mouse_down ";
    return true;
}

bool ReportComTable::mouse_move(int x, int y)
{
    if (!m_border_drag) return true;
    const int px = x - m_rect.left();
    const int py = y - m_rect.top();
    const int dx = px - m_drag_x;
    const int dy = py - m_drag_y;
    m_drag_x = px;
    m_drag_y = py;
    if (m_hit_kind == kCellRowBorder && m_current_row >= 1 && m_current_row < m_rows) {
        const int above = m_current_row - 1;
        m_row_heights.insert(above, qMax(row_height(above) + dy, kMinRowHeight));
        m_rect.setHeight(total_height());
        m_work_rect = m_rect;
    } else if (m_hit_kind == kCellColumnBorder && m_current_column >= 1 && m_current_column < m_columns) {
        const int left = m_current_column - 1;
        const int right = m_current_column;
        const int sum = column_width(left) + column_width(right);
        int left_width = column_width(left) + dx;
        int right_width = column_width(right) - dx;
        if (left_width < kMinColumnWidth) {
            left_width = kMinColumnWidth;
            right_width = sum - kMinColumnWidth;
        } else if (right_width < kMinColumnWidth) {
            right_width = kMinColumnWidth;
            left_width = sum - kMinColumnWidth;
        }
        m_column_widths.insert(left, left_width);
        m_column_widths.insert(right, right_width);
    }
    return true;
}

bool ReportComTable::mouse_up(int, int)
{
    m_border_drag = false;
    qCDebug(lc_report) << "ReportComTable::mouse_up ";
    return true;
}

QJsonObject ReportComTable::cell_font_json(const ReportCell& cell)
{
    QJsonObject font;
    font.insert("bBold", cell.font.weight() > QFont::Medium);
    font.insert("bItalic", cell.font.italic());
    font.insert("bUnderline", cell.font.underline());
    font.insert("sFamily", cell.font.family());
    font.insert("fPonitSize", cell.font.pointSizeF());
    font.insert("nFlags", cell.flags);
    return font;
}

bool ReportComTable::mouse_double_clicked(int x, int y)
{
    qCDebug(lc_report) << "ReportComTable::mouse_double_clicked ";
    int kind = kCellNone;
    ReportCell* hit = hit_cell(x - m_rect.left(), y - m_rect.top(), kind);
    if (hit == nullptr) return true;
    m_selected_cell = hit;
    if (m_owner != nullptr) {
        m_owner->edit_table_text(this, cell_rect(m_current_row, m_current_column), hit->mark_text, cell_font_json(*hit));
    }
    return true;
}

QRect ReportComTable::cell_rect(int row, int column) const
{
    if (row < 0 || column < 0 || row > m_rows || column > m_columns) return QRect();
    row = qMin(row, m_rows - 1);
    column = qMin(column, m_columns - 1);
    int left = m_rect.left();
    for (int j = 0; j < column; ++j) left += column_width(j);
    int top = m_rect.top();
    for (int i = 0; i < row; ++i) top += row_height(i);
    return QRect(left, top, column_width(column), row_height(row));
}

void ReportComTable::draw_com(QPainter* painter, bool selected, bool hovered)
{
    painter->fillRect(QRect(m_rect.x(), m_rect.y(), m_rect.width() - 1, m_rect.height() - 1), Qt::white);
    const QFont saved_font = painter->font();
    int top = m_rect.top();
    for (int i = 0; i < m_rows; ++i) {
        const int height = row_height(i);
        int left = m_rect.left();
        for (int j = 0; j < m_columns; ++j) {
            const int width = column_width(j);
            const ReportCell* current = cell(i, j);
            if (current != nullptr) {
                const QRect box(left, top, width, height);
                painter->drawLine(box.topLeft(), QPoint(box.left() + width, box.top()));
                painter->drawLine(box.topLeft(), QPoint(box.left(), box.top() + height));
                if (j == m_columns - 1) painter->drawLine(QPoint(left + width, top), QPoint(left + width, top + height));
                if (i == m_rows - 1) painter->drawLine(QPoint(left, top + height), QPoint(left + width, top + height));
                painter->setFont(current->font);
                painter->drawText(QRect(QPoint(left, top), QPoint(left + width, top + height))
                                      .adjusted(kCellMarginX, kCellMarginY, -kCellMarginX, -kCellMarginY),
                                  current->flags, current->text);
                if (selected && hovered && current == m_selected_cell) {
                    painter->drawRect(QRect(QPoint(left + 1, top + 1), QPoint(left + width - 2, top + height - 2)));
                }
            }
            left += width;
        }
        top += height;
    }
    painter->setFont(saved_font);
}

void ReportComTable::apply_com_rect()
{
    QRect placed = m_work_rect.normalized();
    const int min_width = m_columns * kMinColumnWidth + 1;
    if (placed.width() != total_width()) {
        if (placed.width() > min_width) {
            const float factor = (placed.width() - 1.0f) / static_cast<float>(total_width());
            for (auto it = m_column_widths.begin(); it != m_column_widths.end(); ++it) {
                it.value() = static_cast<int>(it.value() * factor);
            }
            m_default_column_width = static_cast<int>(m_default_column_width * factor);
            placed.setWidth(total_width());
        } else {
            m_column_widths.clear();
            m_default_column_width = kMinColumnWidth;
            placed.setWidth(min_width);
        }
    }
    const int min_height = m_rows * kMinRowHeight + 1;
    if (placed.height() != total_height()) {
        if (placed.height() > min_height) {
            const float factor = (placed.height() - 1.0f) / static_cast<float>(total_height());
            for (auto it = m_row_heights.begin(); it != m_row_heights.end(); ++it) {
                it.value() = static_cast<int>(it.value() * factor);
            }
            m_default_row_height = static_cast<int>(m_default_row_height * factor);
            placed.setHeight(total_height());
        } else {
            m_row_heights.clear();
            m_default_row_height = kMinRowHeight;
            placed.setHeight(min_height);
        }
    }
    m_rect = placed;
    m_work_rect = placed;
}

bool ReportComTable::hit_test_com(int x, int y, bool selected, int& hit_code)
{
    if (m_rect.adjusted(-kBorderReach, -kBorderReach, kBorderReach, kBorderReach).contains(x, y)) {
        int kind = kCellNone;
        hit_cell(x - m_rect.left(), y - m_rect.top(), kind);
        m_hit_kind = kind;
        if (kind == kCellRowBorder) {
            hit_code = m_current_row == m_rows ? kHitBottom : kHitRowBorder;
        } else if (kind == kCellColumnBorder) {
            hit_code = m_current_column == 0 ? kHitLeft : m_current_column == m_columns ? kHitRight : kHitColumnBorder;
        } else if (kind == kCellInside) {
            hit_code = selected ? kHitSelected : kHitUnselected;
        } else {
            hit_code = kHitNothing;
        }
        return kind != kCellNone;
    }
    if (selected) {
        QRect square(0, 0, kHitHandleSize, kHitHandleSize);
        square.moveCenter(QPoint(m_rect.right() + kHitHandleDistance, m_rect.bottom() + kHitHandleDistance));
        if (square.contains(x, y)) {
            hit_code = kHitBottomRight;
            return true;
        }
    }
    hit_code = kHitNothing;
    return false;
}

bool ReportComTable::set_font_setting(const QJsonObject& json)
{
    if (m_selected_cell == nullptr) return false;
    report_font::apply_json(json, m_selected_cell->font, m_selected_cell->flags);
    return true;
}

int ReportComTable::update_mark_text(const QString& text)
{
    if (m_selected_cell == nullptr) return -1;
    m_last_mark_error.clear();
    ReportMarkEntries entries;
    const int result = report_fields::parse_mark_text(text, entries, m_last_mark_error);
    if (result < 0) return result;
    m_selected_cell->entries = entries;
    m_selected_cell->mark_text = text;
    refresh_cell_marks(m_selected_cell);
    return result;
}

void ReportComTable::refresh_cell_marks(ReportCell* target)
{
    if (target->entries.isEmpty()) {
        target->text = target->mark_text;
        return;
    }
    for (ReportMarkEntry& entry : target->entries) {
        if (entry.is_field()) entry.value = m_owner != nullptr ? m_owner->get_mark_value(entry) : QString();
    }
    target->text = report_fields::joined_values(target->entries);
}

bool ReportComTable::refresh_marks()
{
    for (QVector<ReportCell*>& row : m_cells) {
        for (ReportCell* current : row) refresh_cell_marks(current);
    }
    return true;
}

QString ReportComTable::get_hit_cell_key() const
{
    if (m_selected_cell == nullptr) return QString();
    // The component id names the table: it is unique in the process and,
    // unlike an address, never names a later table.
    return QString::asprintf("%d:%d,%d", m_id, m_current_row, m_current_column);
}

ReportFont ReportComTable::get_com_font() const
{
    if (m_selected_cell == nullptr) return ReportFont();
    return report_font::from_qfont(m_selected_cell->font, m_selected_cell->flags);
}

bool ReportComTable::current_in_grid() const
{
    return m_current_row >= 0 && m_current_row < m_rows && m_current_column >= 0 && m_current_column < m_columns;
}

void ReportComTable::shift_sizes(QMap<int, int>& sizes, int from, int delta)
{
    QMap<int, int> shifted;
    for (auto it = sizes.constBegin(); it != sizes.constEnd(); ++it) {
        shifted.insert(it.key() < from ? it.key() : it.key() + delta, it.value());
    }
    sizes = shifted;
}

bool ReportComTable::insert_row(bool above)
{
    if (!current_in_grid() || m_rows >= kMaxRows) return false;
    const int r = m_current_row;
    const int at = above ? r : r + 1;
    const int height = row_height(r);
    QVector<ReportCell*> row;
    for (int j = 0; j < m_columns; ++j) row.append(new ReportCell);
    m_cells.insert(at, row);
    ++m_rows;
    shift_sizes(m_row_heights, r + 1, 1);
    m_row_heights.insert(r + 1, height);
    m_rect.setHeight(m_rect.height() + height);
    m_work_rect = m_rect;
    return true;
}

bool ReportComTable::insert_column(bool left)
{
    if (!current_in_grid() || m_columns >= kMaxColumns) return false;
    const int c = m_current_column;
    const int at = left ? c : c + 1;
    const int width = column_width(c);
    for (QVector<ReportCell*>& row : m_cells) row.insert(at, new ReportCell);
    ++m_columns;
    shift_sizes(m_column_widths, c + 1, 1);
    m_column_widths.insert(c + 1, width);
    m_rect.setWidth(m_rect.width() + width);
    m_work_rect = m_rect;
    return true;
}

bool ReportComTable::delete_row()
{
    if (!current_in_grid() || m_rows <= 1) return false;
    const int r = m_current_row;
    const int height = row_height(r);
    for (ReportCell* current : m_cells.at(r)) {
        if (current == m_selected_cell) m_selected_cell = nullptr;
        delete current;
    }
    m_cells.removeAt(r);
    --m_rows;
    m_row_heights.remove(r);
    shift_sizes(m_row_heights, r + 1, -1);
    m_rect.setHeight(m_rect.height() - height);
    m_work_rect = m_rect;
    m_current_row = -1;
    m_current_column = -1;
    return true;
}

bool ReportComTable::delete_column()
{
    if (!current_in_grid() || m_columns <= 1) return false;
    const int c = m_current_column;
    const int width = column_width(c);
    for (QVector<ReportCell*>& row : m_cells) {
        if (row.at(c) == m_selected_cell) m_selected_cell = nullptr;
        delete row.at(c);
        row.removeAt(c);
    }
    --m_columns;
    m_column_widths.remove(c);
    shift_sizes(m_column_widths, c + 1, -1);
    m_rect.setWidth(m_rect.width() - width);
    m_work_rect = m_rect;
    m_current_row = -1;
    m_current_column = -1;
    return true;
}

bool ReportComTable::set_row_height(int row, int height)
{
    if (row < 0 || row >= m_rows) return false;
    m_row_heights.insert(row, qMax(height, kMinRowHeight));
    return true;
}

bool ReportComTable::set_column_width(int column, int width)
{
    if (column < 0 || column >= m_columns) return false;
    m_column_widths.insert(column, qMax(width, kMinColumnWidth));
    return true;
}

bool ReportComTable::set_cell_font(int row, int column, const QString& font_text, int flags)
{
    ReportCell* target = cell(row, column);
    if (target == nullptr) return false;
    if (!font_text.isEmpty()) {
        QFont font;
        if (font.fromString(font_text)) target->font = font;
    }
    target->flags = flags;
    return true;
}

bool ReportComTable::set_cell_mark(int row, int column, const QString& text)
{
    ReportCell* target = cell(row, column);
    if (target == nullptr) return false;
    m_last_mark_error.clear();
    ReportMarkEntries entries;
    if (report_fields::parse_mark_text(text, entries, m_last_mark_error) >= 0) {
        target->entries = entries;
        target->mark_text = text;
        refresh_cell_marks(target);
    }
    return true;
}

bool ReportComTable::set_selected_cell_text(const QString& text)
{
    if (m_selected_cell == nullptr) return false;
    update_mark_text(text);
    return true;
}

QString ReportComTable::selected_cell_mark() const
{
    return m_selected_cell != nullptr ? m_selected_cell->mark_text : QString();
}

void ReportComTable::fit_height()
{
    m_rect.setHeight(total_height());
    m_work_rect = m_rect;
}
