// The clip editor: the recordings of one camera side by side as a time bar,
// with the frame the player shows and the start and end of the clip as
// marks that the user drags or steps. Bound to a recording source, it
// learns every recording that source opens and shows its frames there.
#pragma once

#include "views/clip_plan.h"

#include <QJsonArray>
#include <QMap>
#include <QPointer>
#include <QQuickPaintedItem>

class IRBase;
class IRPlayer;

class WndVideoEdit : public QQuickPaintedItem {
    Q_OBJECT

public:
    // Height of the band above the recordings that holds the current mark.
    static constexpr int kBandHeight = 12;

    explicit WndVideoEdit(QQuickItem* parent = nullptr);
    ~WndVideoEdit() override;

    void paint(QPainter* painter) override;

    Q_INVOKABLE QObject* get_wnd() { return this; }
    Q_INVOKABLE bool update_edit_area();
    Q_INVOKABLE QJsonArray get_device_list() const;
    Q_INVOKABLE QString get_video_resolution() const;
    Q_INVOKABLE int get_all_video_frame() const;
    Q_INVOKABLE int get_clip_simple_video_max_frame() const;
    Q_INVOKABLE int get_clip_video_total_frame() const { return static_cast<int>(m_n_clip_total); }
    Q_INVOKABLE int get_start_video_index() const { return m_start.video; }
    Q_INVOKABLE int get_start_video_frame() const { return m_start.frame; }
    Q_INVOKABLE int get_start_video_total_frame() const { return frames_of(m_start.video); }
    Q_INVOKABLE QString get_start_video_file_name() const { return name_of(m_start.video); }
    Q_INVOKABLE int get_end_video_index() const { return m_end.video; }
    Q_INVOKABLE int get_end_video_frame() const { return m_end.frame; }
    Q_INVOKABLE int get_end_video_total_frame() const { return frames_of(m_end.video); }
    Q_INVOKABLE QString get_end_video_file_name() const { return name_of(m_end.video); }
    Q_INVOKABLE int get_cur_video_frame() const { return m_cur.frame; }
    Q_INVOKABLE int get_cur_video_total_frame() const { return frames_of(m_cur.video); }
    Q_INVOKABLE QString get_cur_video_file_name() const { return name_of(m_cur.video); }
    Q_INVOKABLE bool set_clip_start_frame();
    Q_INVOKABLE bool set_clip_end_frame();
    Q_INVOKABLE bool increase_clip_start_frame(int delta);
    Q_INVOKABLE bool increase_clip_end_frame(int delta);
    Q_INVOKABLE bool check_device_index(int index);
    Q_INVOKABLE void set_wnd_using(bool on) { m_b_using = on; }
    Q_INVOKABLE bool is_wnd_using() const { return m_b_using; }
    Q_INVOKABLE void set_clip_interval(int interval);
    Q_INVOKABLE int get_clip_interval() const { return m_n_interval; }

    // Bound by the view's source; only a recording source is kept.
    void set_source(IRBase* source);
    // The player shows `frame` of its recording.
    void follow_player(int frame);
    // A recording the source opened, under the key of its camera.
    void add_recording(const QString& device_key, const ClipRecording& entry);

    // What a clip job takes from the editor.
    ClipJob job() const;
    IRPlayer* player() const;
    const QVector<ClipRecording>& recordings() const { return m_recordings; }
    ClipMark start_mark() const { return m_start; }
    ClipMark end_mark() const { return m_end; }
    ClipMark current_mark() const { return m_cur; }
    // x of the current, start and end mark.
    int mark_position(int which) const { return m_mark_x[which]; }
    int hover_mode() const { return m_n_hover_mode; }

    // The marks as the mark rules leave them (the end after the start).
    void set_start_mark(const ClipMark& mark);
    void set_end_mark(const ClipMark& mark);
    void set_current(const ClipMark& mark);

signals:
    void sig_end_clip_frame_changed();
    void sig_start_clip_frame_changed();
    void sig_cur_frame_changed();
    void sig_show_file_tooltip(bool show, int x, int y, const QString& file);

protected:
    void geometryChanged(const QRectF& new_geometry, const QRectF& old_geometry) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hoverMoveEvent(QHoverEvent* event) override;
    void hoverLeaveEvent(QHoverEvent* event) override;

private:
    int frames_of(int video) const;
    QString name_of(int video) const;
    void choose_device(const QString& key);
    void recompute();
    void update_hover(const QPointF& pos);
    void show_in_player(const ClipMark& mark);

    QVector<ClipRecording> m_recordings;
    QString m_str_device;
    ClipMark m_cur{-1, 0};
    int64_t m_n_clip_total = 0;
    ClipMark m_start;
    ClipMark m_end;
    int m_n_interval = 1;
    int m_mark_x[3] = {-1, -1, -1};
    int m_n_hover_mode = 0;
    bool m_b_dragging = false;
    bool m_b_using = false;
    bool m_b_tooltip = false;
    QMap<QString, QVector<ClipRecording>> m_devices;
    QPointer<IRPlayer> m_player;
};
