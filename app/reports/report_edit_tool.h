// The designer's add and drag state machine: drawing a new component,
// the rubber band, and moving or resizing the selected components. Points
// come in item coordinates and are kept in page coordinates of the
// document's current page.
#pragma once

#include <QPoint>
#include <QRect>

class ReportData;

// Hands drag offsets to the document's move of the selected components.
class ReportComMover {
public:
    void bind(ReportData* data) { m_data = data; }
    void start(const QPoint& point) { m_last = point; }
    // Moves by the offset from the last point, then keeps the point.
    void move_to(int hit_code, const QPoint& point);

private:
    QPoint m_last;
    ReportData* m_data = nullptr;
};

class ReportEditTool {
public:
    enum Mode { kSelect = 1, kPicture = 2, kTable = 3, kMark = 4, kText = 5 };

    ReportEditTool();

    void bind(ReportData* data);
    void set_mode(int mode) { m_mode = mode; }
    int mode() const { return m_mode; }
    bool pressed() const { return m_pressed; }
    int dpi() const { return m_dpi; }
    void set_dpi(int dpi) { m_dpi = dpi; }
    const QRect& last_added() const { return m_last_added; }

    // False when the press is declined (or there is no current page).
    bool press(int x, int y);
    // False when the move is declined: the hit component then takes it.
    bool move(int x, int y);
    // True when the release ended the drawing of a component, whether or
    // not one was added.
    bool release(int x, int y);

    // The rectangle to show while pressed, in page coordinates; empty when
    // nothing is being drawn. dashed is set for the rubber band.
    QRect drawing_rect(bool& dashed) const;
    // Side of a new data mark: 8 pixels plus a 10.5 point line.
    int mark_side() const { return 8 + static_cast<int>(m_dpi * 10.5 / 72.0); }

private:
    bool to_page(int& x, int& y) const;
    bool drawing() const { return m_mode >= kPicture && m_mode <= kText; }
    QRect band_rect() const;
    void end_drawing();

    int m_mode = kSelect;
    bool m_pressed = false;
    ReportData* m_data = nullptr;
    QPoint m_press;
    QPoint m_current;
    int m_press_code = 0;
    ReportComMover m_mover;
    QRect m_last_added;
    int m_dpi = 0;
};
