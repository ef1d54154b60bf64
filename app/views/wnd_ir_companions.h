// The items a view binds beside itself: the palette bar, isotherm editor
// and temperature tables (from their own headers), and the clip editor,
// which is built on this interface later; until then its calls do nothing.
// The player progress bar has its own header.
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
