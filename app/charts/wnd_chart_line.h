// The line-profile chart under the IR view: for every line and polyline
// object of the picture the temperature of each point along it, one curve
// per object in the object's colour; objects can be switched off and
// recoloured, and the y range follows the data or is set by hand.
#pragma once

#include "charts/wnd_chart_base.h"

#include <QColor>
#include <QMap>
#include <QPoint>
#include <QString>

#include <vector>

class WndChartLine : public WndChartBase {
    Q_OBJECT

public:
    struct LineAnaInfo {
        int n_ir = 0;
        QColor clr{78, 201, 172};
        QString str_short_name;
        QString str_name;
        bool b_enable = true;
        std::vector<float> temps;   // temperature of point i
        float f_max = 1.0f;
        float f_min = 0.0f;
        float f_avg = 0.5f;
        bool b_show_cursor = false;
        int n_cursor = 0;
    };

    explicit WndChartLine(QQuickItem* parent = nullptr);
    ~WndChartLine() override;

    // Called by the IR source for lines and polylines.
    bool add_ana(void* handle, void* h_ir, const QString& source_name, bool b_update_axis);
    bool remove_ana(void* handle, bool b_update_axis);
    bool remove_all_ana(bool b_update_axis);
    bool update_ana_temp(void* handle, bool b_update_axis);
    bool update_all_ana(bool b_update_axis);
    bool update_ana_cursor(void* handle, bool b_update_axis);
    void update_all_cursors();
    bool is_enable_ana(void* handle) const;

    bool on_refresh_timer() override;
    void attach_to_view(WndIRShow* view) override;
    void update_language() override;
    void draw_chart_data(QPainter* painter, const QRect& plot) override;
    void show_hover_tooltip(const QPoint& pos, int hover_index) override;

    const LineAnaInfo* info_of(void* handle) const { return m_map_ana.value(handle, nullptr); }
    int hover_x() const { return mn_hover_x; }

    Q_INVOKABLE bool recalculation_axis();
    Q_INVOKABLE QString get_ana_clr_name(int h_ana) const;
    Q_INVOKABLE bool is_enable_ana(int h_ana) const;
    Q_INVOKABLE bool enable_ana(int h_ana, bool b_enable);
    Q_INVOKABLE bool set_ana_clr(int h_ana, const QString& str_clr);
    Q_INVOKABLE QString get_ana_name_and_temp(int n_id_ana) const;

private:
    bool load_profile(void* handle, LineAnaInfo* info);
    void load_cursor(void* handle, LineAnaInfo* info);

    QMap<void*, LineAnaInfo*> m_map_ana;
    int mn_hover_x = 0;
    int mn_clr_index = 0;
    QPoint m_pt_tooltip{-1, -1};
};
