// The progress bar under a playing recording: a thin track with the played
// part and a slider; a click or drag seeks the frame under the pointer.
// Bound to its recording source, it drives the player and the player moves
// it.
#pragma once

#include <QPointer>
#include <QQuickPaintedItem>

class IRPlayer;

class WndPlayerProgressBar : public QQuickPaintedItem {
    Q_OBJECT

public:
    // Pixels left and right of the track that the slider cannot reach.
    static constexpr int kMargin = 13;

    explicit WndPlayerProgressBar(QQuickItem* parent = nullptr);
    ~WndPlayerProgressBar() override;

    void paint(QPainter* painter) override;

    Q_INVOKABLE QObject* get_bar() { return this; }
    Q_INVOKABLE void set_frame_cur(int frame);
    Q_INVOKABLE void set_frame_next_cur();
    Q_INVOKABLE void set_frame_pre_cur();
    Q_INVOKABLE void set_frame_first_cur();
    Q_INVOKABLE void set_frame_last_cur();
    Q_INVOKABLE void set_enable_bar(bool enabled) { m_b_enabled = enabled; }

    void set_player(IRPlayer* player);
    void set_frame_max(int maximum);
    void set_frame_value(int frame);
    int frame_max() const { return m_n_max; }
    int frame_value() const { return m_n_cur; }

    // The frame under x on a bar `width` wide (0 when the bar is too narrow
    // to have a track).
    static int frame_at(int x, int width, int maximum);
    // Left edge of the slider.
    static int slider_x(int current, int width, int maximum);

signals:
    void sig_update();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hoverEnterEvent(QHoverEvent* event) override;
    void hoverLeaveEvent(QHoverEvent* event) override;

private:
    // Moves to `frame` (unless the button is held), seeks it in the player
    // and lets the player update the view.
    void go_to(int frame, bool set_current);
    void seek_at(int x);

    int m_n_max = 100;
    int m_n_cur = 0;
    bool m_b_pressed = false;
    bool m_b_hovered = false;
    bool m_b_enabled = true;
    QPointer<IRPlayer> m_p_player;
};
