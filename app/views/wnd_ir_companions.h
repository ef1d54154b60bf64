// The items a view binds beside itself: palette bar, isotherm editor,
// temperature tables and clip editor (the player progress bar has its own
// header). Each is built on this interface later; until then every call
// does nothing.
#pragma once

class IRBase;
class WndIRShow;

class WndIRPalette {
public:
    virtual ~WndIRPalette() = default;
    virtual void set_ir_wnd(WndIRShow* view) { (void)view; }
    virtual void set_color_index(int palette) { (void)palette; }
    // The bar re-reads the range, palette and analysis it shows.
    virtual void refresh() {}
    // The analysis whose own palette the bar shows, or null for the picture.
    virtual void* shown_ana() const { return nullptr; }
};

class WndIRIsotherm {
public:
    virtual ~WndIRIsotherm() = default;
    virtual void set_source(IRBase* source) { (void)source; }
    virtual void update_axis_range(bool first_opening) { (void)first_opening; }
};

class WndTableIRTemp {
public:
    virtual ~WndTableIRTemp() = default;
    virtual void set_source(void* h_ir, void* frame) { (void)h_ir, (void)frame; }
};

class WndTableIRTempSimplified {
public:
    virtual ~WndTableIRTempSimplified() = default;
    virtual void set_source(void* h_ir, void* frame) { (void)h_ir, (void)frame; }
};

class WndVideoEdit {
public:
    virtual ~WndVideoEdit() = default;
    virtual void set_source(IRBase* source) { (void)source; }
};
