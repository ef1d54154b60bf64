// The overview of a zoomed picture: the whole picture small, with a green
// rectangle around the part the view shows; dragging the rectangle pans
// the view.
#pragma once

#include <QImage>
#include <QPoint>
#include <QQuickPaintedItem>
#include <QRect>

class WndIRThumbnail : public QQuickPaintedItem {
    Q_OBJECT

public:
    explicit WndIRThumbnail(QQuickItem* parent = nullptr);
    ~WndIRThumbnail() override;

    void paint(QPainter* painter) override;

    // The frame document by the id the view hands out (get_ir_data_handle).
    Q_INVOKABLE void set_ir_data_handle(int n_id);
    // Re-reads the picture size: true when it changed (the images are made
    // anew), false when it did not or cannot be read.
    Q_INVOKABLE bool update_ir_thumbnail();
    Q_INVOKABLE void do_scale(float f_x, float f_w, float f_y, float f_h);

    void set_frame(void* frame);
    // The target rectangle of the picture and the visible rectangle in it,
    // as the last paint drew them.
    QRect target_rect() const;
    QRect visible_rect() const;
    float x_ratio() const { return m_x_ratio; }
    float y_ratio() const { return m_y_ratio; }

signals:
    void sig_wnd_assist_move(float f_x, float f_y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hoverEnterEvent(QHoverEvent* event) override;
    void hoverLeaveEvent(QHoverEvent* event) override;

private:
    bool make_images();
    int rotation() const;

    void* m_frame = nullptr;
    QImage m_picture;
    QImage m_shown;
    QPoint m_press;
    QPoint m_corner_at_press;
    bool m_dragging = false;
    float m_x_ratio = 0.0f;
    float m_y_ratio = 0.0f;
    float m_w_ratio = 1.0f;
    float m_h_ratio = 1.0f;
};
