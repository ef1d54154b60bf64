// One plotted series of a trend chart: the points of one kind of temperature
// (or one percentage) of one analysis object over time, their running range,
// the recordings they came from and a pyramid of decimation levels, so a
// long series is drawn with about two points per pixel.
//
// No lock of its own: the chart calls it under its series lock.
#pragma once

#include "charts/trend_records.h"

#include <QColor>
#include <QObject>
#include <QString>

#include <map>
#include <vector>

class ChartTrendInfo : public QObject {
    Q_OBJECT

public:
    struct Level {
        int n_count = 0;         // pushes since the last promotion
        std::vector<int> indices;
    };

    explicit ChartTrendInfo(int n_kind);

    int add_sample(const TrendSample& sample);
    bool reset();

    std::vector<TrendPoint> get_points() const { return m_vec_points; }
    int index_of(const QString& file, int frame) const;
    bool source_at(int index, QString& file, int& frame) const;
    int frame_at(int index) const;
    QString time_label(int index) const;
    QString time_label_ms(int index) const;
    int64_t relative_seconds(int index) const;
    int64_t total_seconds() const;
    bool source_info(int index, QString& name, QString& range) const;
    QString value_text(int index) const;
    bool set_pixel_band(float f_max, float f_min, float f_ana_max, float f_ana_min);
    bool get_pixel_band(float& f_max, float& f_min, float& f_ana_max, float& f_ana_min) const;

    int point_count() const { return static_cast<int>(m_vec_points.size()); }
    const std::vector<TrendPoint>& points() const { return m_vec_points; }
    const std::map<int, Level>& levels() const { return m_map_levels; }
    bool is_percentage() const { return mb_percentage; }

    QColor m_clr;
    float mf_value_min = 99999.9f;
    float mf_value_max = -99999.9f;
    int mn_index_offset = 0;
    const int mn_kind;

private:
    void push_level(int level, int index);
    int find_frame(int frame, int from, int to) const;
    // The smallest-first pair of (first minimum, last maximum) of indices.
    void extremes(const int* indices, int count, int& first, int& second) const;

    float mf_max = 0.0f;
    float mf_min = 0.0f;
    float mf_ana_max = 0.0f;
    float mf_ana_min = 0.0f;
    bool mb_percentage = false;
    std::vector<TrendPoint> m_vec_points;
    std::map<int, Level> m_map_levels;
    std::vector<FileSegment> m_vec_segments;
    FileSegment m_cur_segment;
};
