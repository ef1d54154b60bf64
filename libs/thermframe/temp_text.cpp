#include "temp_text.h"

#include "vytypes.h"

#include <cstdio>

namespace thermframe {
namespace detail {
namespace {

// Values from 100 up lose their decimal so that hot labels stay short.
void append(std::string& text, const char* lead, float value)
{
    char piece[64];
    std::snprintf(piece, sizeof(piece), value >= 100.0f ? "%s%.0f" : "%s%.1f", lead,
                  static_cast<double>(value));
    text += piece;
}

}  // namespace

std::string format_temp_text(bool point, int mask, const LabelTemps& temps)
{
    std::string text;
    if (mask == 0) {
        return text;
    }
    if (point) {
        append(text, " ", temps.max);
        return text;
    }
    const bool max_written = (mask & SHOW_TEXT_MAX) != 0;
    if (max_written) {
        append(text, " Max:", temps.max);
    }
    if (mask & SHOW_TEXT_MIN) {
        append(text, max_written ? "-Min:" : " Min:", temps.min);
    }
    if (mask & SHOW_TEXT_AVG) {
        append(text, max_written ? "-Avg:" : " Avg:", temps.avg);
    }
    return text;
}

}  // namespace detail
}  // namespace thermframe
