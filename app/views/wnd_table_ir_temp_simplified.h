// The simplified temperature table: a dense preview of whole-degree numbers
// sampled on a 120 x 90 grid, drawn by its own paint thread so that the GUI
// thread never draws the numbers nor waits for them.
#pragma once

#include "views/table_ir_temp_base.h"

#include <QImage>

class ThreadPaintTemp;

class WndTableIRTempSimplified : public TableIRTempBase {
    Q_OBJECT

public:
    explicit WndTableIRTempSimplified(QQuickItem* parent = nullptr);
    ~WndTableIRTempSimplified() override;

    void paint(QPainter* painter) override;

    // The picture the paint thread finished last (null before the first).
    QImage front() const;
    // Frames handed to the thread and frames dropped while it was busy.
    int handed_over() const { return m_handed_over; }

signals:
    void sig_update();

protected:
    void refresh() override;
    int tick_ms() const override { return 300; }
    void size_changed() override;

private:
    ThreadPaintTemp* m_thread = nullptr;
    QImage m_picture;
    int m_handed_over = 0;
};
