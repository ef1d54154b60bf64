// The report designer's canvas: one layout document shown as pages stacked
// vertically, with scroll bars of its own. Mouse, hover, wheel and timer
// events become scrolling and editing of the document; the designer's QML
// reaches the document through the invokables below, and components cross
// to the QML only as handle ids of the document.
#pragma once

#include "reports/report_data.h"
#include "reports/report_data_owner.h"
#include "reports/report_edit_tool.h"
#include "reports/report_scroll_axis.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QQuickPaintedItem>
#include <QString>

class WndReportClient : public QQuickPaintedItem, public ReportDataOwner {
    Q_OBJECT

public:
    // Areas of the item under a point.
    enum Area {
        kAreaNone = 0,
        kAreaPage = 1,
        kAreaUp = 2,
        kAreaUpTrack = 3,
        kAreaDownTrack = 4,
        kAreaVThumb = 5,
        kAreaDown = 6,
        kAreaLeft = 7,
        kAreaLeftTrack = 8,
        kAreaRightTrack = 9,
        kAreaHThumb = 10,
        kAreaRight = 11,
    };
    static constexpr int kFirstRepeatMs = 500;
    static constexpr int kRepeatMs = 100;

    explicit WndReportClient(QQuickItem* parent = nullptr);
    ~WndReportClient() override;

    void paint(QPainter* painter) override;

    Q_INVOKABLE WndReportClient* get_this() { return this; }
    Q_INVOKABLE bool add_com_select();
    Q_INVOKABLE bool add_com_pic();
    Q_INVOKABLE bool add_com_table();
    Q_INVOKABLE bool add_com_mark();
    Q_INVOKABLE bool add_com_text();
    Q_INVOKABLE bool add_point();
    Q_INVOKABLE bool add_line();
    Q_INVOKABLE bool add_rect();
    Q_INVOKABLE bool add_ellipse();
    Q_INVOKABLE bool add_null() { return true; }
    Q_INVOKABLE bool delete_ana();
    Q_INVOKABLE bool delete_all_ana();
    Q_INVOKABLE bool delete_cur_com();
    Q_INVOKABLE bool save_dot();
    Q_INVOKABLE bool open_word_dot(QString str_dot_path);
    Q_INVOKABLE int save_word_dot(QString str_dot_path);
    Q_INVOKABLE QString get_dot_name() const;
    Q_INVOKABLE QString get_file_name(QString str_path) const;
    Q_INVOKABLE bool open_report();
    Q_INVOKABLE bool com_set_logo(bool b_logo);
    Q_INVOKABLE bool com_open_file(QString str_file_path);
    Q_INVOKABLE bool com_table_change(int n_type);
    Q_INVOKABLE QString get_com_table_cell_mark() const;
    Q_INVOKABLE QJsonObject get_hit_com_font_property() const;
    Q_INVOKABLE QJsonObject get_cur_com_font_property() const;
    Q_INVOKABLE QJsonObject get_cur_com_mark_property() const;
    Q_INVOKABLE QJsonObject get_cur_com_ir_property() const;
    Q_INVOKABLE QJsonObject get_cur_com_general_setting() const;
    Q_INVOKABLE QJsonArray get_mark_ir_info() const;
    Q_INVOKABLE bool set_com_text(qlonglong item_com, QString str_text);
    Q_INVOKABLE bool set_table_com_text(qlonglong item_com, QString str_text);
    Q_INVOKABLE bool set_com_font_setting(QJsonObject json_info);
    Q_INVOKABLE bool set_com_ir_setting(QJsonObject json_info);
    Q_INVOKABLE int update_com_mark(QString str_mark);
    Q_INVOKABLE int update_hit_com_mark(QString str_mark);
    Q_INVOKABLE QString get_update_com_err() const;
    Q_INVOKABLE QString get_update_hit_com_err() const;
    Q_INVOKABLE bool move_cur_com_pos(int n_type, int n_pos);

    // For the page and tests.
    ReportData* document() { return &m_data; }
    ReportEditTool& edit_tool() { return m_tool; }
    const ReportScrollAxis& vertical_bar() const { return m_vbar; }
    const ReportScrollAxis& horizontal_bar() const { return m_hbar; }
    int mouse_area() const { return m_mouse_area; }
    const QString& layout_path() const { return m_layout_path; }
    const QString& report_path() const { return m_report_path; }
    // The area under an item point.
    int area_at(int x, int y) const;
    // The page area: the item less the strips of the shown bars.
    QRect client_rect() const;

signals:
    void sig_show_com_menu(int n_type, bool b_open, bool b_ir, bool b_logo);
    void sig_add_com_end();
    void sig_add_com_text(int n_x, int n_y, int n_width, int n_height, QString str_text, qlonglong item_com,
                          QJsonObject json_font);
    void sig_change_table_text(int n_x, int n_y, int n_width, int n_height, QString str_text, qlonglong item_com,
                               QJsonObject json_font);
    void sig_update_com_property(int n_cur_count, int n_same_type);
    void sig_update_com_position();
    void sig_update_com_table_font(bool b_cell);

protected:
    void geometryChanged(const QRectF& new_geometry, const QRectF& old_geometry) override;
    void hoverMoveEvent(QHoverEvent* event) override;
    void hoverLeaveEvent(QHoverEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

    // ReportDataOwner
    void update_com_property(int selected_count, int selection_type) override;
    void update_com_table_font(bool has_cell) override;
    void update_com_position() override;
    void add_com_text(int x, int y, int width, int height, const QString& text, qint64 com,
                      const QJsonObject& font) override;
    void change_table_text(int x, int y, int width, int height, const QString& text, qint64 com,
                           const QJsonObject& font) override;

private:
    // Scrolling (wnd_report_client_scroll.cpp).
    void update_scroll_geometry();
    void layout_pages();
    bool scroll_step(int area);
    bool drag_thumb(int area, const QPoint& position);
    void start_repeat(int area);
    void stop_repeat();
    void paint_bars(QPainter* painter, const QRect& client);
    void paint_bar(QPainter* painter, const ReportScrollAxis& bar, bool vertical);

    bool set_mode(int mode);
    bool set_ana_tool(int tool);
    void press_page(const QPoint& position);
    void right_press_page(const QPoint& position);
    void update_cursor();
    ReportComBase* pressed_com() const;

    QPoint m_last_mouse;
    bool m_pressed = false;
    int m_mouse_area = kAreaNone;
    int m_repeat_area = kAreaNone;
    int m_first_timer = 0;
    int m_repeat_timer = 0;
    ReportScrollAxis m_vbar;
    ReportScrollAxis m_hbar;
    QImage m_arrows[8];
    ReportEditTool m_tool;
    ReportData m_data;
    QString m_layout_path;
    QString m_report_path;
};
