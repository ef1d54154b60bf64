#include "shell/default_colours.h"

namespace {

const QRgb kDefaultColours[kDefaultColourCount] = {
    0xFF02F1FF, 0xFFF7F058, 0xFF9D369C, 0xFFFE8A8A, 0xFFF44F1F, 0xFF6EE1F4, 0xFF01FDDA,
    0xFFB0C4DE, 0xFFDE9E8E, 0xFFFC9FEF, 0xFFE0E0E0, 0xFF8DCEF8, 0xFF87CEFA,
};

}  // namespace

QColor default_colour(int index)
{
    int entry = index % kDefaultColourCount;
    if (entry < 0) {
        entry += kDefaultColourCount;
    }
    return QColor::fromRgba(kDefaultColours[entry]);
}
