// The recording source: plays recordings through one reelplay object with
// a play list, paced by its own playback thread that never steps over a
// marked frame; edits the marks, draws the frame time onto the picture and
// saves the current frame.
//
// Threads: the playback thread only paces and advances the frame; the
// frame document, the picture, files and items are touched on the
// interface thread alone, where the thread's requests (show a frame, the
// recording ended) arrive as queued signals. The trend charts are fed there
// too, through the trend registry, under the reelplay handle's id.
#pragma once

#include "charts/trend_playback.h"
#include "sources/ir_base.h"

#include <QByteArray>
#include <QFont>
#include <QMutex>
#include <QStringList>

#include <atomic>

class ThreadPlayerShow;

class IRPlayer : public IRBase, public TrendPlayback {
    Q_OBJECT

public:
    enum PlayMode { kModeSequence = 1100, kModeListLoop = 1101, kModeSingle = 1102, kModeSingleLoop = 1103 };

    // What one playback cycle showed: the frame and the recording it
    // belongs to (the generation changes with every opened recording).
    struct Cycle {
        uint32_t frame = 0;
        uint32_t generation = 0;
    };

    explicit IRPlayer(WndIRShow* owner);
    ~IRPlayer() override;

    bool draw_frame_info(QPainter* painter) override;
    // The current frame's time, drawn as on the view onto a picture
    // `height` pixels high.
    bool draw_frame_time(QPainter* painter, int height) const;
    // The camera a recording came from: its identity and picture size.
    QString device_key() const;
    void* get_ir_data() const override;
    void* get_ir_paint() const override;
    void set_player_progress_bar(WndPlayerProgressBar* bar) override;
    bool open_file(const QString& path) override;
    bool save_as_image_to_file(const QString& path) override;
    bool save_as_sgcc_image_to_file(const QString& path) override;
    bool set_use_temperature_para(bool on) override;
    bool add_source_property(QJsonObject& json) override;
    bool is_show_mouse_temp() const override;
    QString get_file_name() const override;
    QString get_ir_name() const override;
    bool add_file(const QString& path) override;
    bool delete_file(const QString& path) override;
    bool restart_play() override;
    void update_ctrl_with_trend() override;
    void set_player_mode(int mode) override;
    bool clear_file_list() override;
    bool swap_file(int from, int to) override;
    int insert_mark(const QString& text) override;
    bool remove_mark(int frame) override;
    bool update_mark(int frame, const QString& text) override;
    QJsonArray get_all_mark() const override;

    // Player controls 0, 1, 2 and the state.
    virtual bool check_frame();
    virtual bool save_frame();
    virtual bool stop();
    bool is_playing() const override;

    // The trend charts' view of the player.
    int shown_frame() const override { return static_cast<int>(m_n_cur_frame.load()); }
    bool show_trend_frame(const QString& file, int frame) override;
    // The id the trend registry knows the player by.
    int trend_id() const { return m_n_trend_id; }

    bool set_speed(float speed);
    bool seek_frame(uint32_t frame);
    int frame_rate() const;
    bool play_next_video();

    // --- Read by the playback thread and the tests ------------------------------------
    float speed() const { return m_f_speed.load(); }
    float frame_interval() const { return m_f_interval.load(); }
    bool no_pacing() const { return m_b_no_pacing.load(); }
    uint32_t step() const { return m_n_step; }
    uint32_t current_frame() const { return m_n_cur_frame.load(); }
    uint32_t frame_count() const { return m_n_frames.load(); }
    uint32_t last_frame() const { return m_n_last_frame.load(); }
    int play_mode() const { return m_n_play_mode; }
    QStringList play_list() const { return m_list_files; }

    // One cycle of the thread, run on the interface thread: seeks the next
    // frame and tells the view.
    Cycle show_current_frame();
    // Asked by the playback thread: the next frame is shown on the
    // interface thread, which then answers the thread.
    void request_show_frame(uint32_t request);
    bool has_mark(uint32_t frame) const;
    // Makes `frame` the next one to show unless a seek or another recording
    // came since the cycle began; false when the frame lies past the end.
    bool commit_frame(uint32_t frame, const Cycle& cycle);
    // The end of a recording: asks the interface thread for the next one.
    void request_next_video(uint32_t generation);

    // The file that follows `current` in `list` under `mode` (empty: none);
    // `restart` tells whether the play starts over.
    static QString next_file(int mode, const QStringList& list, const QString& current, bool& restart);
    static QString restart_file(int mode, const QStringList& list, const QString& current);

signals:
    void sig_update_ctrl_with_frame(int frame);
    void sig_reached_end(uint32_t generation);
    void sig_show_frame(uint32_t request);

public slots:
    void slot_update_ctrl_with_frame(int frame);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    bool update_frame_timing();
    void reset_view();
    void register_with_video_edit();
    ThreadPlayerShow* ensure_thread();
    void start_playing(const QString& file);
    void on_reached_end(uint32_t generation);
    void on_show_frame(uint32_t request);
    void move_progress_bar(uint32_t frame);
    uint32_t seek_locked(uint32_t frame);

    ThreadPlayerShow* m_p_thread = nullptr;
    int m_n_trend_id = 0;
    bool m_b_first_opening = true;
    std::atomic<bool> m_b_no_pacing{false};
    std::atomic<float> m_f_interval{40.0f};
    uint32_t m_n_step = 1;
    std::atomic<float> m_f_speed{1.0f};
    // The frame shown, and the one the playback thread shows next: a pause
    // leaves the picture, its time and new marks on the frame shown.
    std::atomic<uint32_t> m_n_cur_frame{0};
    std::atomic<uint32_t> m_n_next_frame{0};
    std::atomic<uint32_t> m_n_range_start{0};
    std::atomic<uint32_t> m_n_last_frame{0};
    std::atomic<uint32_t> m_n_frames{0};
    std::atomic<uint32_t> m_n_generation{0};
    uint64_t m_n_start_time = 0;
    uint64_t m_n_end_time = 0;
    mutable QMutex m_player_mutex;
    QStringList m_list_files;
    bool m_b_resume_armed = false;
    uint32_t m_n_resume_frame = 0;
    QString m_str_resume_path;
    int m_n_play_mode = kModeSequence;
    mutable QByteArray m_mark_buffer;
    QFont m_font;
};
