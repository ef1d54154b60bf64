// The painted item under every chart of an IR document window: the two
// axes (ranges, 1-2-5 step search, ticks, labels), the layout of title, plot,
// axes, scroll bar and bottom strip, the grid, the horizontal zoom window
// with its scroll bar and panning, hover tracking with a tooltip signal and
// a refresh timer. What is particular to a chart comes through the virtual
// operations below.
#pragma once

#include "charts/chart_axis.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QQuickPaintedItem>
#include <QRect>
#include <QString>
#include <QVector>

class WndIRShow;

class WndChartBase : public QQuickPaintedItem {
    Q_OBJECT

public:
    // The colour of a chart's n-th series is entry n % 13.
    static QColor chart_colour(int n);
    static const QColor kClrBackground;
    static const QColor kClrGrid;
    static const QColor kClrAxis;
    static const QColor kClrTitle;

    explicit WndChartBase(QQuickItem* parent = nullptr);
    ~WndChartBase() override;

    void paint(QPainter* painter) override;

    // The IR view this chart belongs to (null: none yet).
    WndIRShow* ir_wnd() const { return mp_ir_wnd; }

    // Geometry of the current size (see the layout in paint()).
    QRect plot_rect() const;
    QRect axis_x_rect() const;
    QRect bottom_rect() const;
    int plot_width() const;
    int plot_height() const;

    virtual void calc_axis_x_step();
    virtual void build_axis_x_ticks();
    virtual void calc_scroll_bar();
    virtual bool hit_test_x_index(const QPoint& pos);
    virtual bool start_refresh_timer();
    // Called by a camera source when it closes; nothing to do for any chart.
    virtual bool stop_refresh() { return true; }
    virtual bool on_refresh_timer() { return false; }
    virtual void update_language() {}
    virtual void draw_axis_x(QPainter* painter, const QRect& strip);
    virtual void draw_chart_data(QPainter* painter, const QRect& plot) { (void)painter, (void)plot; }
    virtual void show_hover_tooltip(const QPoint& pos, int hover_index) { (void)pos, (void)hover_index; }
    virtual void draw_bottom_area(QPainter* painter, const QRect& strip) { (void)painter, (void)strip; }

    void calc_axis_y_step();
    void build_axis_y_ticks();
    // Moves the zoom window by d_min and d_max and slides it back inside the
    // x range.
    void shift_view(float d_min, float d_max);
    void first_axis_x_tick(float& value, int& offset) const;
    // The x index under a point by the hover rule (negative when none).
    int x_index_at(const QPoint& pos) const;

    float axis_x_step() const { return mf_axis_x_step; }
    float axis_x_step_px() const { return mf_axis_x_step_px; }
    int axis_y_step_px() const { return mn_axis_y_step_px; }
    float axis_y_step() const { return mf_axis_y_step; }
    bool is_zoomed() const { return mb_zoomed; }
    float view_x_min() const { return mf_view_x_min; }
    float view_x_max() const { return mf_view_x_max; }
    int hover_index() const { return mn_hover_index; }
    const QVector<AxisTick>& ticks_x() const { return m_list_axis_x; }
    const QVector<AxisTick>& ticks_y() const { return m_list_axis_y; }
    int scroll_pos() const { return mn_scroll_pos; }
    int scroll_len() const { return mn_scroll_len; }
    QString title() const { return m_str_title; }

    Q_INVOKABLE void set_ir_wnd(WndIRShow* p_ir_wnd);
    Q_INVOKABLE WndChartBase* get_chart() { return this; }
    Q_INVOKABLE void set_axis_x_min(float f_min) { mf_axis_x_min = f_min; }
    Q_INVOKABLE void set_axis_x_max(float f_max) { mf_axis_x_max = f_max; }
    Q_INVOKABLE void set_axis_x_min(const QString& s_min) { mf_axis_x_min = static_cast<float>(s_min.toDouble()); }
    Q_INVOKABLE void set_axis_x_max(const QString& s_max) { mf_axis_x_max = static_cast<float>(s_max.toDouble()); }
    Q_INVOKABLE void set_axis_y_auto_range(bool b_auto) { mb_axis_y_auto = b_auto; }
    Q_INVOKABLE bool get_axis_y_auto_range() const { return mb_axis_y_auto; }
    Q_INVOKABLE void set_axis_y_min(float f_min) { mf_axis_y_min = f_min; }
    Q_INVOKABLE void set_axis_y_max(float f_max) { mf_axis_y_max = f_max; }
    Q_INVOKABLE void set_axis_y_min(const QString& s_min) { mf_axis_y_min = static_cast<float>(s_min.toDouble()); }
    Q_INVOKABLE void set_axis_y_max(const QString& s_max) { mf_axis_y_max = static_cast<float>(s_max.toDouble()); }
    Q_INVOKABLE float get_axis_y_min() const { return mf_axis_y_min; }
    Q_INVOKABLE float get_axis_y_max() const { return mf_axis_y_max; }
    Q_INVOKABLE float get_axis_x_min() const { return mf_axis_x_min; }
    Q_INVOKABLE float get_axis_x_max() const { return mf_axis_x_max; }
    Q_INVOKABLE QString get_axis_y_min_str() const { return QString::asprintf("%.1f", mf_axis_y_min); }
    Q_INVOKABLE QString get_axis_y_max_str() const { return QString::asprintf("%.1f", mf_axis_y_max); }
    Q_INVOKABLE QString get_axis_x_min_str() const { return QString::asprintf("%.1f", mf_axis_x_min); }
    Q_INVOKABLE QString get_axis_x_max_str() const { return QString::asprintf("%.1f", mf_axis_x_max); }
    // The alias of an analysis object by its id (the ids the charts signal).
    Q_INVOKABLE QString get_ana_alias(int n_ana_id) const;
    Q_INVOKABLE void update_axis_x();
    Q_INVOKABLE void update_axis_y();

signals:
    void sig_update_temp_range();
    void sig_update_add_ana(int n_ana_id);
    void sig_update_del_ana(int n_ana_id);
    void sig_update_clear_ana();
    void sig_update_ana_temp(int n_ana_id);
    void sig_show_tooltip(const QString& str_tooltip, int n_pt_x, int n_pt_y);

public slots:
    void slot_language_changed();

protected:
    void timerEvent(QTimerEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hoverEnterEvent(QHoverEvent* event) override;
    void hoverMoveEvent(QHoverEvent* event) override;
    void hoverLeaveEvent(QHoverEvent* event) override;
    void geometryChanged(const QRectF& new_geometry, const QRectF& old_geometry) override;

    // Binds the chart to its view (the line and area charts register with it).
    virtual void attach_to_view(WndIRShow* view) { (void)view; }
    // Applies a pointer move in state 0, 1 or 2 (hover and mouse alike).
    void handle_move(const QPoint& pos);
    // Slides the zoom window back inside the x range.
    void clamp_view();
    int item_width() const { return static_cast<int>(width()); }
    int item_height() const { return static_cast<int>(height()); }

    QFont m_font_axis;
    QFont m_font_title;
    float mf_axis_y_min = 0.0f;
    float mf_axis_y_max = 80.0f;
    bool mb_axis_y_auto = true;
    float mf_axis_y_step = 10.0f;
    int mn_axis_y_step_px = 21;
    int mn_axis_y_label_width = 20;
    QVector<AxisTick> m_list_axis_y;
    float mf_axis_x_min = 0.0f;
    float mf_axis_x_max = 20.0f;
    float mf_view_x_min = 0.0f;
    float mf_view_x_max = 20.0f;
    bool mb_zoomed = false;
    int mn_scroll_pos = 0;
    int mn_scroll_len = 17;
    bool mb_show_x_label = true;
    float mf_axis_x_step = 21.0f;
    float mf_axis_x_step_px = 20.0f;
    QVector<AxisTick> m_list_axis_x;
    QString m_str_title;
    int mn_bottom_height = 0;
    int mn_drag_state = 0;
    QPoint m_pt_last;
    int mn_hover_index = 0;
    WndIRShow* mp_ir_wnd = nullptr;
    int mn_timer_id = 0;

private:
    void draw_grid(QPainter* painter, const QRect& r) const;
    void draw_axis_y(QPainter* painter) const;
    void draw_scroll_bar(QPainter* painter) const;
};
