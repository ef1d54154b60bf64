// What the two temperature tables share: the binding to a source's frame
// document, the refresh timer started and stopped by the QML, and the
// buffer of the frame's temperatures.
#pragma once

#include <QPointer>
#include <QQuickPaintedItem>

#include <cstdint>
#include <vector>

#include "sources/ir_base.h"

class TableIRTempBase : public QQuickPaintedItem {
    Q_OBJECT

public:
    explicit TableIRTempBase(QQuickItem* parent = nullptr);
    ~TableIRTempBase() override;

    Q_INVOKABLE QObject* get_this() { return this; }
    // Refreshes every n-th timer tick from now on (n below 1 is ignored).
    Q_INVOKABLE void start_temp_info(int n);
    Q_INVOKABLE void stop_temp_info();

    // Bound by the source; the table reads the source's frame document at
    // each refresh.
    void bind_source(bool enabled, IRBase* source);

    bool is_refreshing() const { return m_refresh_timer != 0; }
    int refresh_interval() const { return m_interval; }
    int data_width() const { return m_width; }
    int data_height() const { return m_height; }
    int rotation() const { return m_rotation; }
    const std::vector<float>& temps() const { return m_temps; }
    // Runs one refresh now, as a timer tick that is due does.
    void refresh_now() { refresh(); }

protected:
    void timerEvent(QTimerEvent* event) override;
    // One due refresh.
    virtual void refresh() = 0;
    // Milliseconds between two ticks.
    virtual int tick_ms() const = 0;
    // The size of the data changed.
    virtual void size_changed() {}
    // Reads the size (shown or stored), the rotation and all temperatures of
    // the frame into the buffer; false when there is nothing to read.
    bool read_frame(bool show_resolution);
    void* frame() const;

    int m_rotation = 0;
    int m_width = 1024;
    int m_height = 1024;
    std::vector<float> m_temps;

private:
    int m_refresh_timer = 0;
    int m_interval = 1;
    int m_ticks = 0;
    bool m_enabled = false;
    QPointer<IRBase> m_source;
};

// The buffer index of the value shown at row r, column c of a table of the
// shown width w and height h at a rotation (RotationAngle 0..4); the buffer
// holds the stored, unrotated picture.
int64_t temp_table_index(int rotation, int w, int h, int r, int c);
