// The simplified temperature table: a preview of whole-degree numbers, as
// many as fit readably into its size and at most 120 x 90, drawn by its own
// paint thread so that the GUI thread never draws the numbers nor waits for
// them.
#pragma once

#include "views/table_ir_temp_base.h"

#include <QImage>
#include <QSize>

class ThreadPaintTemp;

class WndTableIRTempSimplified : public TableIRTempBase {
    Q_OBJECT
    // Columns and rows of numbers shown (0 before the first picture).
    Q_PROPERTY(int n_grid_columns READ grid_columns NOTIFY sig_grid_changed)
    Q_PROPERTY(int n_grid_rows READ grid_rows NOTIFY sig_grid_changed)

public:
    explicit WndTableIRTempSimplified(QQuickItem* parent = nullptr);
    ~WndTableIRTempSimplified() override;

    void paint(QPainter* painter) override;

    // The picture the paint thread finished last (null before the first).
    QImage front() const;
    // Frames handed to the thread and frames dropped while it was busy.
    int handed_over() const { return m_handed_over; }
    int grid_columns() const { return m_grid.width(); }
    int grid_rows() const { return m_grid.height(); }

signals:
    void sig_update();
    void sig_grid_changed();

protected:
    void refresh() override;
    int tick_ms() const override { return 300; }
    void size_changed() override;
    void geometryChanged(const QRectF& new_geometry, const QRectF& old_geometry) override;

private:
    ThreadPaintTemp* m_thread = nullptr;
    QImage m_picture;
    QSize m_grid{0, 0};
    int m_handed_over = 0;
};
