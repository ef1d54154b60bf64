// The items a view binds beside itself: the palette bar, isotherm editor,
// temperature tables and the clip editor. The player progress bar has its
// own header.
#pragma once

#include "views/wnd_ir_isotherm.h"
#include "views/wnd_ir_palette.h"
#include "views/wnd_table_ir_temp.h"
#include "views/wnd_table_ir_temp_simplified.h"
#include "views/wnd_video_edit.h"

