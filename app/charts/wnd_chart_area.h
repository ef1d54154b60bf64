// The histogram chart under the IR view: how the temperatures of the one
// selected analysis object spread over equal bins, as the share of the
// object's points per bin. The IR source adds and removes the objects; the
// QML panel picks the object, the range mode and the bin count.
#pragma once

#include "charts/histogram_bins.h"
#include "charts/wnd_chart_base.h"

#include <QMap>
#include <QString>

#include <vector>

class WndChartArea : public WndChartBase {
    Q_OBJECT

public:
    struct AreaAnaInfo {
        int n_ir = 0;           // source id
        QString str_short_name;
        QString str_name;
        QString str_legend;
        float f_max = 1.0f;
        float f_min = 0.0f;
    };

    explicit WndChartArea(QQuickItem* parent = nullptr);
    ~WndChartArea() override;

    // Called by the IR source; handle is the analysis object, h_ir the
    // source library object.
    bool add_ana(void* handle, void* h_ir, const QString& source_name, bool b_update_axis);
    bool remove_ana(void* handle, bool b_update_axis);
    bool update_ana_temp(void* handle, bool b_update_axis);
    bool remove_all_ana(bool b_update_axis);
    bool is_enable_ana(void* handle) const { return handle != nullptr && handle == mh_select_ana; }

    void calc_axis_x_step() override;
    void build_axis_x_ticks() override;
    void calc_scroll_bar() override {}
    bool hit_test_x_index(const QPoint& pos) override { (void)pos; return true; }
    bool on_refresh_timer() override;
    void attach_to_view(WndIRShow* view) override;
    void update_language() override;
    void draw_chart_data(QPainter* painter, const QRect& plot) override;
    void show_hover_tooltip(const QPoint& pos, int hover_index) override;

    const HistogramBins& histogram() const { return m_bins; }
    void* selected_ana() const { return mh_select_ana; }
    bool all_in_range() const { return mb_all_in_range; }
    int area_count() const { return mn_area_count; }

    Q_INVOKABLE bool recalculation_axis();
    Q_INVOKABLE bool update_select_ana(bool b_update_axis);
    Q_INVOKABLE bool update_select_ana() { return update_select_ana(false); }
    Q_INVOKABLE bool is_enable_ana(int h_ana) const;
    Q_INVOKABLE bool enable_ana(int h_ana, bool b_enable);
    Q_INVOKABLE QString get_ana_name_and_temp(int n_id_ana) const;
    Q_INVOKABLE void set_auto_range(bool b_auto) { mb_auto_range = b_auto; }
    Q_INVOKABLE bool get_auto_range() const { return mb_auto_range; }
    Q_INVOKABLE int get_use_area_count() const { return mn_use_area_count; }
    Q_INVOKABLE void set_use_area_count(int n_count);

signals:
    void sig_update_area_count(int n_count);

private:
    void check_range();
    void clear_bins();

    int mn_area_count = 10;
    int mn_use_area_count = 10;
    std::vector<float> m_temps;
    HistogramBins m_bins;
    bool mb_auto_range = true;
    bool mb_all_in_range = true;
    void* mh_select_ana = nullptr;
    QMap<void*, AreaAnaInfo*> m_map_ana;
    QPoint m_pt_tooltip{-1, -1};
};
