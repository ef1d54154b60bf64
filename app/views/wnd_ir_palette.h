// The palette bar at the right edge of a picture: the palette as a vertical
// strip stretched between the low and the high end of the imaging range,
// the temperatures of both ends and a button back to the automatic range.
// Dragging a marker or the strip between them sets the range of the frame,
// or of the selected analysis when that has a palette of its own. All
// levels are AD values; temperatures are only shown.
#pragma once

#include <QImage>
#include <QMap>
#include <QPointer>
#include <QQuickPaintedItem>

class WndIRShow;

// The integer arithmetic of the bar, apart from painting.
namespace palette_bar {
// Strip ends for a scene from coldest to hottest AD: the scene's range
// widened by half its width on both sides, within 0..65535.
void strip_range(int coldest, int hottest, int& min_range, int& max_range);
// AD of a marker at yy pixels below the strip's top of length pixels.
int level_at(int min_range, int max_range, int yy, int length);
// Both levels moved by the same AD step; false when that would leave
// 0..65535 (the levels are stored as unsigned 16-bit values).
bool shift_levels(int& low, int& high, int step);
// "%d" of the truncated value above 100.0, else "%.1f".
QString temp_text(float value);
}  // namespace palette_bar

class WndIRPalette : public QQuickPaintedItem {
    Q_OBJECT

public:
    enum DragPart { kPartNone = 0, kPartHigh = 1, kPartLow = 2, kPartBoth = 3 };

    explicit WndIRPalette(QQuickItem* parent = nullptr);
    ~WndIRPalette() override;

    void paint(QPainter* painter) override;

    Q_INVOKABLE QObject* get_palette_wnd() { return this; }
    void set_ir_wnd(WndIRShow* p_ir_wnd);
    Q_INVOKABLE void update_palette_info();
    Q_INVOKABLE void update_palette_levelspan_only();
    void update_adjust(int n_type, int pi, int n_min_range, int n_max_range, int n_level, int n_level_span,
                       float f_level_temp, float f_level_span_temp);
    Q_INVOKABLE void set_palette_range(int n_level, int n_level_span, float f_level_temp, float f_level_span_temp);
    Q_INVOKABLE void set_color_index(int n_clr);
    Q_INVOKABLE void set_palette_auto(bool b_auto) { m_auto_range = b_auto; }

    // Used by the source: the bar re-reads what it shows.
    void refresh() { update_palette_info(); }
    // The analysis whose own palette the bar shows, or null for the frame.
    void* shown_ana() const { return m_ana; }

    // For the page and tests.
    int palette() const { return m_pi; }
    int min_range() const { return m_min_range; }
    int max_range() const { return m_max_range; }
    int level() const { return m_level; }
    int level_span() const { return m_level_span; }
    float low_pos() const { return m_low_pos; }
    float high_pos() const { return m_high_pos; }
    bool is_auto() const { return m_auto_range; }
    float level_temp() const { return m_level_temp; }
    float level_span_temp() const { return m_level_span_temp; }
    // Length of the strip in pixels.
    int strip_length() const { return static_cast<int>(height()) - 75; }

signals:
    void sig_palette_change_btn(bool b_ana);
    void sig_set_palette_range(float f_level, float f_levelspan);
    void sig_set_palette_clr(int n_clr_id);
    void sig_set_palette_auto();

protected:
    void geometryChanged(const QRectF& new_geometry, const QRectF& old_geometry) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hoverMoveEvent(QHoverEvent* event) override;

private:
    void* frame() const;
    bool read_range(bool full, int& low, int& high, int& pal, int& coldest, int& hottest);
    float temp_of(int ad) const;
    void load_image(int palette);
    void drag_to(int y);
    void recompute_positions();
    // Writes the range to the analysis or the frame; repaints the picture.
    bool write_low(int ad);
    bool write_high(int ad);
    bool write_both(int low, int high);
    void set_auto();
    void repaint_picture() const;

    QPointer<WndIRShow> m_ir_wnd;
    void* m_ana = nullptr;
    QString m_ana_alias;
    QMap<int, QString> m_images;
    QImage m_image;
    int m_pi = 0;
    int m_min_range = 15180;
    int m_max_range = 16458;
    int m_level = 15500;
    int m_level_span = 16139;
    float m_level_temp = 10.0f;
    float m_level_span_temp = 30.0f;
    float m_low_pos = 0.75f;
    float m_high_pos = 0.25f;
    int m_last_x = 0;
    int m_last_y = 0;
    int m_cursor_shape = Qt::ArrowCursor;
    bool m_dragging = false;
    bool m_auto_range = true;
    int m_drag_part = kPartNone;
};
