// The curves of a trend chart by source, analysis object and key: the
// temperature kind for the trend chart, the range text for the pixel chart.
// Walks run sources, then objects, then keys, in that order.
//
// No lock of its own: the chart calls it under its series lock.
#pragma once

#include "charts/chart_trend_info.h"

#include <QColor>

#include <map>
#include <memory>
#include <vector>

template <class Key>
class TrendSeriesTree {
public:
    using Series = std::unique_ptr<ChartTrendInfo>;
    using KeyMap = std::map<Key, Series>;
    using AnaMap = std::map<int, KeyMap>;
    using SourceMap = std::map<int, AnaMap>;

    SourceMap& sources() { return m_map; }
    const SourceMap& sources() const { return m_map; }
    bool empty() const { return m_map.empty(); }
    bool has_source(int h_ir) const { return m_map.count(h_ir) > 0; }
    void clear() { m_map.clear(); }
    bool erase_source(int h_ir) { return m_map.erase(h_ir) > 0; }

    void collect_sources(std::vector<int>& out) const
    {
        for (const auto& source : m_map) out.push_back(source.first);
    }

    void collect_series(std::vector<ChartTrendInfo*>& out) const
    {
        for (const auto& source : m_map) {
            for (const auto& ana : source.second) {
                for (const auto& key : ana.second) out.push_back(key.second.get());
            }
        }
    }

    bool has(int h_ir, int h_ana, const Key& key) const
    {
        const auto source = m_map.find(h_ir);
        if (source == m_map.end()) return false;
        const auto ana = source->second.find(h_ana);
        return ana != source->second.end() && ana->second.count(key) > 0;
    }

    // The first curve of h_ana under key, in source order; null when none.
    ChartTrendInfo* find(int h_ana, const Key& key) const
    {
        for (const auto& source : m_map) {
            const auto ana = source.second.find(h_ana);
            if (ana == source.second.end()) continue;
            const auto found = ana->second.find(key);
            if (found != ana->second.end()) return found->second.get();
        }
        return nullptr;
    }

    // Every source that holds a curve of h_ana (under key, when given).
    std::vector<int> sources_of(int h_ana, const Key* key = nullptr) const
    {
        std::vector<int> out;
        for (const auto& source : m_map) {
            const auto ana = source.second.find(h_ana);
            if (ana != source.second.end() && (key == nullptr || ana->second.count(*key) > 0)) {
                out.push_back(source.first);
            }
        }
        return out;
    }

    // Gives every curve of h_ana under key the colour; false when there is none.
    bool recolour(int h_ana, const Key& key, const QColor& clr)
    {
        bool found = false;
        for (auto& source : m_map) {
            const auto ana = source.second.find(h_ana);
            if (ana == source.second.end()) continue;
            const auto series = ana->second.find(key);
            if (series != ana->second.end()) {
                series->second->m_clr = clr;
                found = true;
            }
        }
        return found;
    }

    // Keeps `series` at the place unless a curve is there already; false then.
    bool insert(int h_ir, int h_ana, const Key& key, Series series)
    {
        KeyMap& keys = m_map[h_ir][h_ana];
        if (keys.count(key) > 0) return false;
        keys[key] = std::move(series);
        return true;
    }

    // Erases the curves of h_ana of source h_ir (only the one under key, when
    // given) and a source left empty. Tells whether the object and the source
    // are gone; false when nothing was there.
    bool erase(int h_ir, int h_ana, const Key* key, bool& ana_gone, bool& source_gone)
    {
        ana_gone = source_gone = false;
        const auto source = m_map.find(h_ir);
        if (source == m_map.end()) return false;
        const auto ana = source->second.find(h_ana);
        if (ana == source->second.end() || (key != nullptr && ana->second.erase(*key) == 0)) return false;
        if (key == nullptr || ana->second.empty()) {
            source->second.erase(ana);
            ana_gone = true;
        }
        if (source->second.empty()) {
            m_map.erase(source);
            source_gone = true;
        }
        return true;
    }

private:
    SourceMap m_map;
};
