// The isotherm editor: a strip under the picture that edits the isotherm
// bands of the frame (temperature intervals the renderer paints in a fixed
// colour) on its own temperature axis, and saves and loads them as an
// isotherm file. Every change goes to the frame document at once and the
// picture is repainted.
#pragma once

#include "views/isotherm_axis.h"
#include "views/isotherm_band.h"

#include <QColor>
#include <QPointer>
#include <QQuickPaintedItem>

#include <memory>
#include <vector>

#include "sources/ir_base.h"

class WndIRIsotherm : public QQuickPaintedItem {
    Q_OBJECT

public:
    // Ids of the buttons and fields of the top row (0: none).
    enum HoverId {
        kNone = 0,
        kAxisMinDown = 1, kAxisMinUp = 2, kAxisMaxDown = 3, kAxisMaxUp = 4,
        kBandLowDown = 5, kBandLowUp = 6, kBandHighDown = 7, kBandHighUp = 8,
        kAdd = 9, kImport = 10, kSave = 11, kDeleteBand = 12, kClear = 13,
        kColour = 14, kEditRange = 15, kTransparent = 16,
    };
    // What a drag in the band row moves.
    enum DragMode { kDragNone = 0, kDragStart = 1, kDragEnd = 2, kDragBand = 3 };

    static const uint32_t kBandColours[13];

    explicit WndIRIsotherm(QQuickItem* parent = nullptr);
    ~WndIRIsotherm() override;

    void paint(QPainter* painter) override;

    // Bound by the source (IRBase::set_wnd_isotherm).
    void set_source(IRBase* source);
    IRBase* source() const { return m_ir; }

    Q_INVOKABLE QObject* get_wnd_isotherm() { return this; }
    Q_INVOKABLE bool save_to(const QString& str_path);
    Q_INVOKABLE bool import_to(const QString& str_path);
    Q_INVOKABLE bool delete_all_isotherm();
    Q_INVOKABLE bool change_item_clr(int n_id_item, const QString& str_clr);
    Q_INVOKABLE bool change_cur_item_clr(const QString& str_clr);
    Q_INVOKABLE bool change_item_range(int n_id_item, float f_min, float f_max);
    Q_INVOKABLE bool change_cur_item_range(float f_min, float f_max);
    Q_INVOKABLE bool change_item_transparent(int n_id_item, bool b_tran);
    Q_INVOKABLE void update_axis_range(bool b_reset);

    // For the page and tests.
    Q_INVOKABLE int band_count() const { return static_cast<int>(m_bands.size()); }
    Q_INVOKABLE int cur_band_id() const { return m_cur_band != nullptr ? m_cur_band->id : 0; }
    const std::vector<std::unique_ptr<IsothermBand>>& bands() const { return m_bands; }
    const IsothermAxis& axis() const { return m_axis; }
    int hover_id() const { return m_hover_id; }
    int repeat_factor() const { return m_repeat_factor; }
    // Item rectangles of the top-row buttons, the Min (false) and Max
    // (true) fields and the band strip.
    QRect button_rect(int id) const;
    QRect field_rect(bool max_field) const;
    QRect band_row() const;
    // Runs the action of a button or field, as a press on it does.
    bool run_action(int id);

public slots:
    void slot_language_changed() { update(); }

signals:
    void sig_show_tool_tip(bool b_show, const QString& str_tip, int n_x, int n_y);
    void sig_import_isotherm();
    void sig_save_isotherm();
    void sig_change_isotherm_color(const QColor& clr);
    void sig_change_isotherm_temp(const QString& str_min, const QString& str_max);
    void sig_pop_menu(int n_id_item, bool b_tran, const QString& s_min, const QString& s_max);
    void sig_update();

protected:
    void geometryChanged(const QRectF& new_geometry, const QRectF& old_geometry) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hoverMoveEvent(QHoverEvent* event) override;
    void hoverLeaveEvent(QHoverEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void* frame() const;
    void repaint_picture() const;
    void relayout();
    IsothermBand* band_by_id(int id) const;
    // Adds a band to the frame document and the list; false when the frame
    // refuses it.
    bool add_band(float low, float span, bool transparent, uint32_t colour);
    bool add_new_band();
    bool push_band(IsothermBand& band) const;
    void delete_cur_band();
    void free_bands();
    void update_marker();
    int hit_band(int x, int y, IsothermBand*& band) const;
    int hit_button(int x, int y) const;
    QString tip_of(int id) const;
    void drag_band(int x);
    void stop_repeat();
    void shown_range(float& low, float& high) const;

    void paint_buttons(QPainter& p) const;
    void paint_info(QPainter& p) const;
    void paint_bands(QPainter& p) const;
    void paint_axis(QPainter& p) const;

    IsothermAxis m_axis;
    int m_hover_id = kNone;
    int m_drag_mode = kDragNone;
    IsothermBand* m_hover_band = nullptr;
    int m_marker_x = 0;
    IsothermBand* m_cur_band = nullptr;
    std::vector<std::unique_ptr<IsothermBand>> m_bands;
    int m_colour_counter = 0;
    int m_next_id = 1;
    bool m_pressed = false;
    int m_last_x = 0;
    int m_last_y = 0;
    int m_repeat_timer = 0;
    int m_repeat_ticks = 0;
    int m_repeat_factor = 1;
    QPointer<IRBase> m_ir;
};
