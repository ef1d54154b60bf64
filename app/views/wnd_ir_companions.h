// The items a view binds beside itself: palette bar, isotherm editor,
// temperature tables, clip editor and player progress bar. The clip editor
// and the progress bar are built on these interfaces later; until then
// every call does nothing.
#pragma once

#include "views/wnd_ir_isotherm.h"
#include "views/wnd_ir_palette.h"
#include "views/wnd_table_ir_temp.h"
#include "views/wnd_table_ir_temp_simplified.h"

class IRBase;
class WndIRShow;

class WndVideoEdit {
public:
    virtual ~WndVideoEdit() = default;
    virtual void set_source(IRBase* source) { (void)source; }
};

class WndPlayerProgressBar {
public:
    virtual ~WndPlayerProgressBar() = default;
    virtual void set_source(IRBase* source) { (void)source; }
};
