// What an IR source asks of the analysis charts: the objects they follow and
// their refresh. The charts themselves are built on this interface later;
// until then every call does nothing.
#pragma once

#include <QString>

class WndIRShow;

class WndChartBase {
public:
    virtual ~WndChartBase() = default;

    // handle: analysis object; h_ir: the source library object; path: the
    // picture or recording file the object belongs to.
    virtual bool add_ana(void* handle, void* h_ir, const QString& path, bool enable)
    {
        (void)handle, (void)h_ir, (void)path, (void)enable;
        return false;
    }
    virtual bool remove_ana(void* handle, bool enabled)
    {
        (void)handle, (void)enabled;
        return false;
    }
    virtual bool update_ana_temp(void* handle, bool enabled)
    {
        (void)handle, (void)enabled;
        return false;
    }
    virtual bool is_enable_ana(void* handle) const
    {
        (void)handle;
        return false;
    }
    virtual bool remove_all_ana(bool update)
    {
        (void)update;
        return false;
    }
    // Starts the periodic refresh unless it runs.
    virtual void start_refresh() {}
    virtual void set_ir_show(WndIRShow* view) { m_p_wnd_ir_show = view; }
    WndIRShow* ir_show() const { return m_p_wnd_ir_show; }

private:
    WndIRShow* m_p_wnd_ir_show = nullptr;
};

// Line-profile chart of lines and polylines.
class WndChartLine : public WndChartBase {};
// Histogram chart of every kind but the point.
class WndChartArea : public WndChartBase {};
