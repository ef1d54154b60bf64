// A recording or camera source for trend tests: the sample recording opened
// through reelplay, registered with the trend registry the way the player
// and camera sources register, and fed frame by frame on demand.
#pragma once

#include "charts/manager_chart_trend.h"
#include "charts/trend_playback.h"
#include "reelplay.h"
#include "sources/handle_ids.h"
#include "sources/ir_base.h"
#include "thermframe.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <string>

class TrendTestSource : public IRBase, public TrendPlayback {
public:
    // kind 2: a recording; kind 3: a camera.
    explicit TrendTestSource(int kind)
        : IRBase(nullptr)
    {
        m_n_ir_type = kind;
        reelplay_init(m_h_ir);
        // A copy: marks are written into the recording.
        m_str_file_path = m_dir.filePath("sample.irv");
        QFile::copy(QDir::current().absoluteFilePath("samples/sample.irv"), m_str_file_path);
        m_b_open = reelplay_load_file_w(m_h_ir, m_str_file_path.toStdWString());
        reelplay_get_total_frames(m_h_ir, m_n_frames);
        m_id = library_ids().id_of(m_h_ir);
        ManagerChartTrend::instance()->register_ir_source(m_id, this);
    }
    ~TrendTestSource() override
    {
        ManagerChartTrend::instance()->remove_ir_from_charts(m_id);
        ManagerChartTrend::instance()->unregister_ir_source(m_id);
        reelplay_uninit(m_h_ir);
    }

    bool is_open() const { return m_b_open; }
    int id() const { return m_id; }
    uint32_t frames() const { return m_n_frames; }
    void* get_ir_data() const override
    {
        void* doc = nullptr;
        reelplay_get_ir_data(m_h_ir, doc);
        return doc;
    }
    QString get_ir_name() const override { return m_n_ir_type == 3 ? "camera" : "sample.irv"; }

    // An analysis object of the document (160 x 120), with its id for the charts.
    int add_ana(const char* text, const char* alias)
    {
        void* ana = nullptr;
        if (!thermframe_add_ana(get_ir_data(), text, ana) || ana == nullptr) {
            return 0;
        }
        thermframe_ana_set_alias(ana, alias);
        return analysis_ids().id_of(ana);
    }

    // Shows a frame and hands it to the trend charts, as a player thread does.
    bool show(int frame)
    {
        if (!reelplay_seek_frame(m_h_ir, static_cast<uint32_t>(frame))) {
            return false;
        }
        m_n_frame = frame;
        return ManagerChartTrend::instance()->notify_trend_frame(m_id, m_n_type_frame(frame));
    }

    bool is_playing() const override { return m_b_playing; }
    int shown_frame() const override { return m_n_frame; }
    bool show_trend_frame(const QString& file, int frame) override
    {
        m_str_jump_file = file;
        m_n_jump_frame = frame;
        return reelplay_seek_frame(m_h_ir, static_cast<uint32_t>(frame));
    }

    bool m_b_playing = false;
    QString m_str_jump_file;
    int m_n_jump_frame = -1;

private:
    int m_n_type_frame(int frame) const { return m_n_ir_type == 3 ? 0 : frame; }

    QTemporaryDir m_dir;
    bool m_b_open = false;
    uint32_t m_n_frames = 0;
    int m_id = 0;
    std::atomic<int> m_n_frame{0};
};
