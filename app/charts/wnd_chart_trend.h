// The trend chart: the temperature of analysis objects over time, one
// series per (source, object, kind). Frame threads hand raw samples in
// through the registry (on_trend_frame); every 500 ms the GUI thread moves
// them into the series and refits the axes. Live charts sample at the
// record rate or when a record condition holds; recording charts sample
// every shown frame while the trend runs.
//
// Ids: h_ir is a source id (library_ids()), h_ana an analysis id
// (analysis_ids()); both are checked on every use.
#pragma once

#include "charts/chart_trend_info.h"
#include "charts/trend_records.h"
#include "charts/trend_series_tree.h"
#include "charts/wnd_chart_base.h"

#include <QJsonArray>
#include <QColor>
#include <QMutex>
#include <QMutexLocker>
#include <QPolygon>
#include <QRecursiveMutex>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class IRBase;

class WndChartTrend : public WndChartBase {
    Q_OBJECT

public:
    explicit WndChartTrend(QQuickItem* parent = nullptr);
    ~WndChartTrend() override;

    int trend_index() const { return mn_trend_index.load(); }
    void set_trend_index(int index) { mn_trend_index.store(index); }
    bool is_trend_started() const { return mb_trend_started.load(); }
    bool is_live() const { return mb_live.load(); }
    // Sample times come from here (ms since the epoch); tests inject a clock.
    void set_clock(std::function<int64_t()> clock);
    // The 500 ms pacing tick of live charts.
    void on_pace_tick();
    // Series in drawing order (sources, objects, kinds); call under the lock.
    virtual void collect_series(std::vector<ChartTrendInfo*>& series) const;
    // Pending samples not yet moved into series (for tests and the pixel chart).
    int pending_samples();
    int mark_count();
    int play_index() const { return mn_play_index; }
    int cursor_px() const { return mn_cursor_px; }
    int decimation_level(int span, int width) const;

    // --- Operations in the order the pixel chart relies on ---
    virtual bool has_ir(int h_ir);
    virtual ChartTrendInfo* first_series();
    virtual int first_ir();
    virtual bool restart_series();
    virtual bool clear_all(bool b_recalc);
    virtual bool remove_ir_data(int h_ir, bool b_recalc);
    virtual bool remove_ana_all(int h_ana, bool b_recalc);
    virtual bool is_pixel_trend() const { return false; }
    virtual bool hit_mark(const QPoint& pos, const QRect& strip);
    virtual void on_repaint_timer();
    virtual QString tooltip_text(int index);
    virtual void restart_trend(int h_ir);
    virtual void append_trend_end(int h_ir);
    virtual void on_trend_frame(int h_ir, int n_frame);
    virtual void add_mark(int h_ir, const QString& str_file, int n_frame, const QString& str_text);
    virtual void delete_mark(int h_ir, const QString& str_file, int n_frame);
    virtual void update_mark(int h_ir, const QString& str_file, int n_frame, const QString& str_text);

    void build_axis_x_ticks() override;
    bool on_refresh_timer() override;
    void update_language() override;
    void draw_chart_data(QPainter* painter, const QRect& plot) override;
    void show_hover_tooltip(const QPoint& pos, int hover_index) override;
    void draw_bottom_area(QPainter* painter, const QRect& strip) override;

    Q_INVOKABLE QJsonArray get_ir_list();
    Q_INVOKABLE virtual bool recalculation_axis();
    Q_INVOKABLE bool add_ana(int h_ana, int h_ir, int n_type);
    Q_INVOKABLE bool is_enable_ana(int h_ana, int n_type);
    Q_INVOKABLE bool remove_ana(int h_ana, int n_type);
    Q_INVOKABLE bool remove_ir(int h_ir) { return remove_ir_data(h_ir, true); }
    Q_INVOKABLE bool set_ana_clr(int h_ana, int n_type, const QString& str_clr);
    Q_INVOKABLE QString get_ana_name_and_temp(int h_ana, int n_type);
    Q_INVOKABLE QString get_ana_clr_name(int h_ana, int n_type);
    Q_INVOKABLE QString get_ir_name(int h_ir);
    Q_INVOKABLE virtual int find_ir_id(int h_ir);
    Q_INVOKABLE int get_record_rate() const { return mn_record_rate; }
    Q_INVOKABLE void set_record_rate(int n_rate);
    Q_INVOKABLE void show_all_chart();
    Q_INVOKABLE bool copy_chart_info();
    Q_INVOKABLE bool add_record_condition(int h_ir, const QString& str_condition, int h_ana, int n_ana_temp_type,
                                          int n_ana_attach, int n_operator, float f_operator_temp);
    Q_INVOKABLE bool remove_record_condition(int h_ir, int h_ana, const QString& str_condition);

signals:
    void sig_trend_add_ana(int n_ir_id, int n_ana_id, int n_type, bool b_net_device);
    void sig_trend_del_ana(int n_ir_id, int n_ana_id);
    void sig_trend_del_ana_type(int n_ir_id, int n_ana_id, int n_type);
    void sig_trend_del_ir(int n_ir_id);

protected:
    void timerEvent(QTimerEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

    // Takes the chart out of the registry; every destructor of the family
    // calls it first, before any of its members goes.
    void detach_from_registry();
    // Steps shared by every add: finds the source, restarts or clears the
    // chart, and notes the source under the lock; null when refused.
    IRBase* begin_add(int h_ana, int h_ir);
    // The source ids held, in order; call under the series lock.
    virtual void collect_sources(std::vector<int>& sources) const;
    // Forgets every series (or those of one source: false when not held);
    // under the series lock.
    virtual void drop_all_series();
    virtual bool drop_source_series(int h_ir);
    virtual void emit_source_removed(int h_ir) { emit sig_trend_del_ir(h_ir); }
    // Queues the end of a played trend of h_ir where the chart keeps its
    // pending samples; under the series lock.
    virtual void queue_end_marker(int h_ir, const TrendSample& end);
    // Step 3 of taking a frame that yields a sample: samples every object
    // of every source; under the series lock.
    virtual void sample_frame(int n_frame, int64_t now);
    // A y range that does not follow the data (the pixel chart's).
    virtual bool fixed_y_range(float& lo, float& hi) const { (void)lo, (void)hi; return false; }
    // Step 2 of taking a frame: whether this frame yields a sample (live
    // pacing and record conditions); call under the series lock.
    bool pace_frame(int h_ir);
    // Names the source and its recording times for a sample.
    bool fill_sample_source(int h, QString& file, int n_frame, int64_t& time, int64_t& start, int64_t& end);
    // The player's marker on a frame (recordings only).
    bool mark_of_frame(int h, int n_frame, QString& text);
    // Where and when the samples of one frame of one source come from.
    struct SampleStamp {
        int n_frame = 0;
        int64_t time = 0;
        int64_t start = 0;
        int64_t end = 0;
        QString file;
        bool has_mark = false;
        QString mark;
        void apply(TrendSample& sample) const;
    };
    // The stamp of source h at a frame, with the frame's mark when asked;
    // under the series lock.
    SampleStamp stamp_of(int h, int n_frame, int64_t now, bool with_mark);
    // Moves the pending samples of one object into the curves that share
    // them; marks are taken from the first group only, which then is no
    // longer first. An end marker stops the trend; with keep_end it is
    // drawn too, else it ends the list. Under the series lock.
    void take_samples(std::vector<TrendSample>& pending, const std::vector<ChartTrendInfo*>& curves,
                      bool& first_group, bool keep_end);
    // A source whose last curve went: forgets its kind and, with no source
    // left, stops the trend. Under the series lock.
    void forget_source(int h_ir);
    template <class Key>
    bool recolour(TrendSeriesTree<Key>& tree, int h_ana, const Key& key, const QString& str_clr);
    // Remembers what kind of source h is and its name; under the series lock.
    void note_source(int h_ir, IRBase* source);
    void reset_x_axis();
    // Repaints now on the GUI thread, or queues the repaint from elsewhere.
    void request_repaint();
    // Axis reset after a restart, on the GUI thread.
    Q_INVOKABLE void reset_x_axis_and_repaint();
    int64_t now_ms() const;
    float condition_value(const RecordCondition& condition);
    bool check_conditions(int h_ir);
    void erase_conditions(int h_ir, int h_ana_only, bool all_of_source);
    // Draws one series in full or at a decimation level.
    void draw_series(QPainter* painter, const QRect& r, const ChartTrendInfo& s, int level);
    void draw_marks(QPainter* painter, const QRect& r);
    int px_of(double x_index) const;
    int row_of(const QRect& r, float value) const;
    QString kind_label(int kind) const;

    std::map<int, std::vector<TrendSample>> m_map_ana_samples;
    TrendSeriesTree<int> m_series;
    QMutex m_mutex_condition;
    std::map<int, std::map<QString, RecordCondition>> m_map_ir_conditions;
    int mn_condition_frame = 0;
    bool mb_condition_met = false;
    std::map<int, QString> m_map_ir_name;
    std::map<int, int> m_map_ir_kind;  // source kind: 1 picture, 2 recording, 3 camera
    std::map<int, TrendMark> m_map_marks;
    std::vector<unsigned char> m_mark_buffer;
    mutable QRecursiveMutex m_mutex_series;
    std::atomic<int> mn_trend_index{0};
    int mn_cursor_px = 0;
    int mn_colour_index = 0;
    std::atomic<bool> mb_live{false};
    int mn_tick_count = 0;
    int mn_record_rate = 2;
    bool mb_sample_due = true;
    int mn_play_px = 0;
    int mn_play_index = -1;
    int mn_repaint_timer_id = 0;
    std::atomic<bool> mb_trend_started{false};
    std::function<int64_t()> m_clock;
    QPolygon m_polyline;        // reused by the drawing
    int mn_wheel_rest = 0;      // wheel delta short of a whole step
    QPoint m_pt_tooltip{-1, -1};
    bool mb_detached = false;
};

template <class Key>
bool WndChartTrend::recolour(TrendSeriesTree<Key>& tree, int h_ana, const Key& key, const QString& str_clr)
{
    const QColor clr(str_clr);
    bool found = false;
    {
        QMutexLocker lock(&m_mutex_series);
        found = clr.isValid() && tree.recolour(h_ana, key, clr);
    }
    request_repaint();
    return found;
}
