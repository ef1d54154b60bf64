// The table component: a grid of cells with their own fonts, alignment and
// texts (data marks included), inner borders that change one row's height or
// the split between two columns, rows and columns inserted and deleted
// around the current cell, and whole-table resizing that scales the grid.
#pragma once

#include "reports/report_cell.h"
#include "reports/report_com_base.h"

#include <QMap>
#include <QVector>

#include <memory>

class ReportComTable : public ReportComBase {
    Q_OBJECT

public:
    // Grids from files and editing are capped; a layout never needs more.
    static constexpr int kMaxRows = 200;
    static constexpr int kMaxColumns = 50;
    static constexpr int kMinRowHeight = 27;
    static constexpr int kMinColumnWidth = 20;
    // Hit kinds of hit_cell.
    enum CellHit { kCellNone = 0, kCellRowBorder = 1, kCellColumnBorder = 2, kCellInside = 3 };

    explicit ReportComTable(ReportData* owner, QObject* parent = nullptr);
    ~ReportComTable() override;

    bool mouse_right_down(int x, int y) override;
    bool mouse_down(int x, int y) override;
    bool mouse_move(int x, int y) override;
    bool mouse_up(int x, int y) override;
    bool mouse_double_clicked(int x, int y) override;
    void draw_com(QPainter* painter, bool selected, bool hovered) override;
    bool init_com(int page, const QRect& rect) override;
    void apply_com_rect() override;
    bool hit_test_com(int x, int y, bool selected, int& hit_code) override;
    bool set_font_setting(const QJsonObject& json) override;
    int update_mark_text(const QString& text) override;
    QString get_mark_error() const override { return m_last_mark_error; }
    bool refresh_marks() override;
    QString get_hit_cell_key() const override;
    ReportFont get_com_font() const override;
    virtual void refresh_cell_marks(ReportCell* cell);

    bool create_cells(int rows, int columns);
    void clear_cells();
    bool reset_grid(int rows, int columns);
    bool insert_row(bool above);
    bool insert_column(bool left);
    bool delete_row();
    bool delete_column();
    bool set_row_height(int row, int height);
    bool set_column_width(int column, int width);
    bool set_cell_font(int row, int column, const QString& font_text, int flags);
    bool set_cell_mark(int row, int column, const QString& text);
    bool set_selected_cell_text(const QString& text);
    QString selected_cell_mark() const;
    QRect cell_rect(int row, int column) const;
    void fit_height();
    // Hits the cell at a point relative to the table's top-left corner; sets
    // the current row and column; answers the cell or null.
    ReportCell* hit_cell(int px, int py, int& hit_kind);
    bool select_cell(int row, int column);

    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    ReportCell* cell(int row, int column) const;
    int column_width(int column) const { return m_column_widths.value(column, m_default_column_width); }
    int row_height(int row) const { return m_row_heights.value(row, m_default_row_height); }
    int total_width() const;
    int total_height() const;
    int current_row() const { return m_current_row; }
    int current_column() const { return m_current_column; }
    ReportCell* selected_cell() const { return m_selected_cell; }
    int default_column_width() const { return m_default_column_width; }
    int default_row_height() const { return m_default_row_height; }

private:
    // The current cell's row and column when both lie in the grid.
    bool current_in_grid() const;
    // Moves the stored sizes at index from and beyond by delta (+1 or -1).
    static void shift_sizes(QMap<int, int>& sizes, int from, int delta);
    static QJsonObject cell_font_json(const ReportCell& cell);

    int m_rows = 2;
    int m_columns = 2;
    QVector<QVector<ReportCell*>> m_cells;
    ReportCell* m_selected_cell = nullptr;
    int m_hit_kind = kCellNone;
    int m_current_row = -1;
    int m_current_column = -1;
    int m_default_column_width = 27;
    int m_default_row_height = 27;
    QMap<int, int> m_column_widths;
    QMap<int, int> m_row_heights;
    bool m_border_drag = false;
    int m_drag_x = 0;
    int m_drag_y = 0;
    QString m_last_mark_error;
};
