// The pixel-count trend chart: for analysis objects of a recording or a live
// camera, frame after frame, the share of an object's pixels whose
// temperature lies in a focus range, as a percentage of those inside a wider
// overall range. One curve per (source, object, range pair), keyed by the
// range text "(focus min-focus max)/(overall min-overall max)". Sampling,
// pacing, conditions, marks and drawing are the trend chart's.
#pragma once

#include "charts/wnd_chart_trend.h"

#include <map>
#include <memory>
#include <vector>

class WndChartTrendPixel : public WndChartTrend {
    Q_OBJECT

public:
    explicit WndChartTrendPixel(QQuickItem* parent = nullptr);
    ~WndChartTrendPixel() override;

    static QString range_text(float f_max, float f_min, float f_ana_max, float f_ana_min);
    // The share of temps inside the band, as a sample (percentage in f_max,
    // focus count in f_min).
    static TrendSample band_sample(const std::vector<float>& temps, float f_max, float f_min, float f_ana_max,
                                   float f_ana_min);
    static TrendSample band_sample(const std::vector<float>& temps, const ChartTrendInfo& series);

    void collect_series(std::vector<ChartTrendInfo*>& series) const override;
    bool on_refresh_timer() override;
    void update_language() override;
    bool restart_series() override;
    bool remove_ana_all(int h_ana, bool b_recalc) override;
    bool is_pixel_trend() const override { return true; }
    QString tooltip_text(int index) override;
    virtual ChartTrendInfo* create_pixel_series(int h_ir, float f_max, float f_min, float f_ana_max, float f_ana_min);

    Q_INVOKABLE bool has_ana(int h_ir, int h_ana, const QString& str_temp);
    Q_INVOKABLE bool add_ana(int h_ana, int h_ir, float f_max, float f_min, float f_ana_max, float f_ana_min);
    Q_INVOKABLE bool remove_ana(int h_ana, const QString& str_temp);
    Q_INVOKABLE bool set_ana_clr(int h_ana, const QString& str_temp, const QString& str_clr);
    Q_INVOKABLE QString get_ana_name_and_temp(int h_ana, const QString& str_temp);
    Q_INVOKABLE QString get_ana_clr_name(int h_ana, const QString& str_temp);

signals:
    void sig_pixel_trend_add_ana(int n_ir_id, int n_ana_id, const QString& str_temp, bool b_net_device);
    void sig_pixel_trend_del_ana_type(int n_ir_id, int n_ana_id, const QString& str_temp);
    void sig_pixel_trend_del_ana(int n_ir_id, int n_ana_id);
    void sig_pixel_trend_del_ir(int n_ir_id);

protected:
    void collect_sources(std::vector<int>& sources) const override;
    void drop_all_series() override;
    bool drop_source_series(int h_ir) override;
    void emit_source_removed(int h_ir) override { emit sig_pixel_trend_del_ir(h_ir); }
    bool fixed_y_range(float& lo, float& hi) const override;
    void queue_end_marker(int h_ir, const TrendSample& end) override;
    void sample_frame(int n_frame, int64_t now) override;

private:
    // Drops the pending samples of a curve, an object or a source that went.
    void drop_samples(int h_ir, int h_ana, const QString* str_temp, bool ana_gone, bool source_gone);

    std::map<int, std::map<int, std::map<QString, std::vector<TrendSample>>>> m_map_pixel_samples;
    TrendSeriesTree<QString> m_pixel_series;
    std::vector<float> m_work;
};
