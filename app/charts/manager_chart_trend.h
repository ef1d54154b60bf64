// The one registry that joins the trend chart windows to the IR sources
// that feed them. Sources register under their source id (the id of their
// library handle in library_ids()); their frame threads push each shown
// frame through notify_trend_frame to every chart, and the player reports
// restarts, gaps and marks through it.
//
// Lock order: this registry's lock, then a chart's series lock, then its
// condition lock. A chart never calls the registry while it holds its own
// locks, so a frame thread walking the charts cannot deadlock against the
// GUI thread.
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QRecursiveMutex>
#include <QString>

class IRBase;
class WndChartTrend;

class ManagerChartTrend : public QObject {
    Q_OBJECT

public:
    // Created on first use (thread-safe) and never deleted: frame threads and
    // chart destructors may reach it until the process ends.
    static ManagerChartTrend* instance();

    Q_INVOKABLE int insert_wnd_chart(QObject* p_wnd_chart);
    Q_INVOKABLE bool remove_wnd_chart_at_index(int n_index);
    Q_INVOKABLE QJsonArray get_list_chart(int n_id_ir, int n_id_ana);
    Q_INVOKABLE bool update_ctrl_with_trend(int n_id_ir);
    Q_INVOKABLE QString get_ir_name(int n_id_ir);
    Q_INVOKABLE bool restart_trend_chart(int n_id_ir);
    // {"f_max", "f_min"} of an analysis object by the id the trend menu
    // carries (the pixel range dialog starts from them); empty when unknown.
    Q_INVOKABLE QJsonObject get_ana_temp_range(int n_id_ana);
    // The analysis objects of a registered source's frame document, by the
    // ids the charts take (the record-condition dialog lists them): first
    // {"n_ana_id": 0, "n_ana_type": -1, "s_ana_name"} for the whole picture,
    // then each object in type order; empty for an unknown source.
    Q_INVOKABLE QJsonArray get_ir_anas(int n_id_ir);

    // A chart leaving for good (its destructor); false when it was not listed.
    bool remove_wnd_chart(WndChartTrend* chart);
    bool register_ir_source(int h_ir, IRBase* source);
    bool unregister_ir_source(int h_ir);
    IRBase* find_ir_source(int h_ir);
    bool remove_ir_from_charts(int h_ir);
    bool notify_trend_frame(int h_ir, int n_frame);
    bool is_trend_running(int h_ir);
    bool restart_trend_of_ir(int h_ir);
    bool add_trend_gap(int h_ir);
    bool add_mark(int h_ir, const QString& file, int frame, const QString& text);
    bool delete_mark(int h_ir, const QString& file, int frame);
    bool update_mark(int h_ir, const QString& file, int frame, const QString& text);
    int chart_count();

private:
    ManagerChartTrend() = default;

    QRecursiveMutex m_mutex;
    int mn_chart_index = 0;
    QList<WndChartTrend*> m_list_chart;
    QMap<int, IRBase*> m_map_ir;
};
