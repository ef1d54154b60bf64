// The font of analysis-object labels: markpen draws them with it and
// thermframe's layout measures them with it, so a label is placed at the size
// it is drawn. Header only; its users link Qt Gui.
#pragma once

#include <QFont>

namespace vy {

// The painter's default (the application) font at 18 pixels.
inline QFont label_font()
{
    QFont font;
    font.setPixelSize(18);
    return font;
}

}  // namespace vy
