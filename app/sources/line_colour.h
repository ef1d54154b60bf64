// Line colours of analysis objects are stored with red in the low byte
// (0x00BBGGRR); a QColor has red first, so every crossing exchanges red and
// blue. Colours written back carry 0xFF in the top byte.
#pragma once

#include <QColor>

#include <cstdint>

inline uint32_t to_stored_colour(const QColor& colour)
{
    return 0xFF000000u | (static_cast<uint32_t>(colour.blue()) << 16) |
           (static_cast<uint32_t>(colour.green()) << 8) | static_cast<uint32_t>(colour.red());
}

inline QColor from_stored_colour(uint32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
