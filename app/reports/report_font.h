// The font record of a text-bearing report component and its JSON form for
// the property panels, with the one rule by which a panel's JSON changes a
// font (shared by texts, data marks and table cells).
#pragma once

#include <QFont>
#include <QJsonObject>
#include <QString>

#include <cstdint>

struct ReportFont {
    uint8_t bold = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    QString family;
    float point_size = 0.0f;
    int flags = 0;
};

namespace report_font {

// Left, centred and right alignment, each with word wrap.
constexpr int kFlagsLeft = 0x1001;
constexpr int kFlagsCentre = 0x1004;
constexpr int kFlagsRight = 0x1002;

// The font of a new text, mark or cell: the default family at 10.5 points.
QFont default_font();
// The record of a font as the panels show it (family by its display name).
ReportFont from_qfont(const QFont& font, int flags);
// {"bBold", "bItalic", "bUnderline", "sFamily", "fPonitSize", "nFlags"}.
QJsonObject to_json(const ReportFont& font);
// Applies each key present: bold, italic, underline, family, the whole part
// of the point size, and alignment 0/1/2 (left/centred/right); another
// alignment value, or a size below 1 or absurdly large, changes nothing.
void apply_json(const QJsonObject& json, QFont& font, int& flags);

}  // namespace report_font
