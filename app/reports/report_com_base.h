// The common base of the report components (picture, table, data mark,
// text): geometry on a page, hit codes, handle resizing, the selection frame
// and the virtual operations through which the layout document drives every
// kind of component in the same way. Points are page coordinates.
#pragma once

#include "reports/report_font.h"

#include <QJsonObject>
#include <QObject>
#include <QRect>
#include <QString>

class QPainter;
class ReportData;

class ReportComBase : public QObject {
    Q_OBJECT

public:
    // Component types.
    enum Type { kTypeNone = 0, kTypePicture = 1, kTypeTable = 2, kTypeMark = 3, kTypeText = 4 };
    // Hit codes shared by the components, the document and the designer.
    enum HitCode {
        kHitSelected = 20,
        kHitUnselected = 30,
        kHitTopLeft = 31,
        kHitTop = 32,
        kHitTopRight = 33,
        kHitRight = 34,
        kHitBottomRight = 35,
        kHitBottom = 36,
        kHitBottomLeft = 37,
        kHitLeft = 38,
        kHitPage = 100,
        kHitNothing = 101,
        kHitRowBorder = 102,
        kHitColumnBorder = 103,
    };

    explicit ReportComBase(ReportData* owner, QObject* parent = nullptr);
    ~ReportComBase() override;

    virtual bool mouse_right_down(int x, int y);
    virtual bool mouse_down(int x, int y);
    virtual bool mouse_move(int x, int y);
    virtual bool mouse_up(int x, int y);
    virtual bool mouse_double_clicked(int x, int y);
    virtual void draw_com(QPainter* painter, bool selected, bool hovered);
    virtual bool init_com(int page, const QRect& rect);
    virtual void apply_com_rect();
    virtual bool move_hit_com_size(int hit_code, int dx, int dy);
    virtual bool hit_test_com(int x, int y, bool selected, int& hit_code);
    virtual bool set_font_setting(const QJsonObject& json);
    virtual bool set_mark_setting(const QJsonObject& json);
    virtual bool set_ir_setting(const QJsonObject& json);
    virtual int update_mark_text(const QString& text);
    virtual QString get_mark_error() const;
    virtual bool refresh_marks();
    virtual QString get_hit_cell_key() const;
    virtual ReportFont get_com_font() const;

    void draw_com_with_frame(QPainter* painter, bool selected, bool hovered);
    bool take_rect_if_intersects(const QRect& rect);
    void reset_work_rect() { m_work_rect = m_rect; }

    // The alignment family: each changes rect, copies it into the work rect
    // and applies it (a table rescales its rows and columns).
    bool align_left_to(int v);
    bool align_right_to(int v);
    bool align_top_to(int v);
    bool align_bottom_to(int v);
    bool align_centre_x_to(int v);
    bool align_centre_y_to(int v);
    bool shift_x(int v);
    bool shift_y(int v);
    bool set_width(int v);
    bool set_height(int v);

    int id() const { return m_id; }
    int page() const { return m_page; }
    int type() const { return m_type; }
    bool is_resizable() const { return m_resizable; }
    const QRect& rect() const { return m_rect; }
    const QRect& work_rect() const { return m_work_rect; }
    void set_work_rect(const QRect& rect) { m_work_rect = rect; }
    ReportData* owner() const { return m_owner; }

protected:
    // The selection frame and, when resizable, the eight handles (a table
    // shows only the bottom-right one).
    void draw_handles(QPainter* painter, const QRect& rect);
    // Clamps a point into the owner's page.
    void clamp_to_page(int& x, int& y) const;
    // Centres of the eight handles, in hit-code order 31 ... 38, at the given
    // distance outside rect.
    static void handle_centres(const QRect& rect, int distance, QPoint centres[8]);

    ReportData* m_owner = nullptr;
    int m_id = 0;
    int m_page = -1;
    QRect m_rect;
    QRect m_work_rect;
    int m_type = kTypeNone;
    bool m_resizable = true;

private:
    bool align_with(const QRect& rect);
};
