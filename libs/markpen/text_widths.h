// Widths of the texts drawn over pictures, shared by every paint handle: a
// picture repainted or opened again draws the same labels, and shaping a text
// costs more than drawing it.
#pragma once

#include <QFontMetrics>
#include <QString>

namespace markpen::detail {

// metrics.horizontalAdvance(text), where metrics are those of the font whose
// QFont::key() is font_key; the widths of the last font asked for are
// remembered (at most 4096 texts).
int text_width(const QString& font_key, const QFontMetrics& metrics, const QString& text);

}  // namespace markpen::detail
