// The small glyphs of the view tools' painted buttons (isotherm editor,
// temperature-table scroll bars), drawn with the painter in the tools'
// light blue so that no picture files are needed.
#pragma once

#include <QRect>

class QPainter;

enum class ToolIcon {
    Add, Clear, Import, Save, Edit, Colour, Checked, Unchecked, Delete,
    ArrowLeft, ArrowRight, ArrowUp, ArrowDown,
};

void draw_tool_icon(QPainter& painter, const QRect& rect, ToolIcon icon);
