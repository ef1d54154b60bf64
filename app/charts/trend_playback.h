// What a recording player offers the trend charts beyond the IR source
// interface: whether it plays, which frame it shows, and a jump to a frame
// of one of its files (the double-click on a trend point). Every call comes
// from the GUI thread.
//
// A player source implements it beside IRBase:
//   class IRPlayer : public IRBase, public TrendPlayback { ... };
// and talks to the registry from its own code:
//   const int h = library_ids().id_of(m_h_ir);
//   ManagerChartTrend::instance()->register_ir_source(h, this);   // constructor
//   ManagerChartTrend::instance()->notify_trend_frame(h, frame);  // each frame played,
//                                                                 // where it is shown
//   ManagerChartTrend::instance()->restart_trend_of_ir(h);        // play, next file
//   ManagerChartTrend::instance()->add_trend_gap(h);              // seek, stop, end
//   ManagerChartTrend::instance()->add_mark(h, path, frame, text); // and delete_mark, update_mark
//   ManagerChartTrend::instance()->remove_ir_from_charts(h);      // teardown, on the GUI thread,
//   ManagerChartTrend::instance()->unregister_ir_source(h);       // after the thread is joined
// A camera source does the same without this interface, passing frame 0.
#pragma once

#include <QString>

class TrendPlayback {
public:
    virtual ~TrendPlayback() = default;
    virtual bool is_playing() const = 0;
    virtual int shown_frame() const = 0;
    // Stops playback, opens file when it is not the current one and shows
    // frame; GUI thread.
    virtual bool show_trend_frame(const QString& file, int frame) = 0;
};
