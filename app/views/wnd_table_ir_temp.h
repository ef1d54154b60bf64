// The full temperature table: every pixel of the frame as a number with one
// decimal, in a table with row and column numbers and scroll bars of its
// own. It works on the GUI thread only.
#pragma once

#include "views/table_ir_temp_base.h"

#include <QPoint>

struct TableScrollBar {
    bool needed = false;
    int position = 0;
    int content = 0;
    int view = 0;
    float ratio = 1.0f;
    int thumb = 50;

    // Lays the bar out for an item length (less the other bar when that is
    // needed); keeps the position inside the new overflow.
    void layout(int item_length, bool other_needed);
    int overflow() const { return content - view; }
    // Moves the position by delta within 0 and the overflow; true on change.
    bool scroll_by(int delta);
    // Top of the thumb in the bar's track for a bar of the item length.
    int thumb_top(int item_length) const;
};

class WndTableIRTemp : public TableIRTempBase {
    Q_OBJECT

public:
    // Hit regions of the pointer.
    enum Region {
        kOutside = 0, kTable = 1,
        kUp = 2, kTrackAbove = 3, kTrackBelow = 4, kVThumb = 5, kDown = 6,
        kLeft = 7, kTrackBefore = 8, kTrackAfter = 9, kHThumb = 10, kRight = 11,
    };
    static constexpr int kCellWidth = 35;
    static constexpr int kCellHeight = 20;
    static constexpr int kRowHeader = 36;
    static constexpr int kColumnHeader = 24;
    static constexpr int kBar = 17;

    explicit WndTableIRTemp(QQuickItem* parent = nullptr);
    ~WndTableIRTemp() override;

    void paint(QPainter* painter) override;

    const TableScrollBar& vertical() const { return m_v; }
    const TableScrollBar& horizontal() const { return m_h; }
    int hit_region(int x, int y) const;
    // The text of the cell at shown row r, column c.
    QString cell_text(int r, int c) const;
    static QString value_text(float value);

protected:
    void refresh() override;
    int tick_ms() const override { return 1000; }
    void size_changed() override { relayout(); }
    void geometryChanged(const QRectF& new_geometry, const QRectF& old_geometry) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hoverMoveEvent(QHoverEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void relayout();
    // One step of a press on a button or track region.
    bool step_region(int region, const QPoint& at);
    void kill_press_timers();
    void paint_bar(QPainter& p, bool vertical_bar) const;

    TableScrollBar m_v;
    TableScrollBar m_h;
    int m_press_timer = 0;
    int m_repeat_timer = 0;
    QPoint m_last;
    int m_pressed_region = kOutside;
    int m_hover_region = kOutside;
};
