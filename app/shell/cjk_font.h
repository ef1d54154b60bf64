// The font for Chinese text drawn by the program itself (overlays burnt into
// pictures and clips): an installed family that covers simplified Chinese,
// else the application's default family (none without a GUI application).
#pragma once

#include <QFont>
#include <QString>

QString cjk_font_family();
QFont cjk_font(int pixel_size);
