// The program's default series colours: the isotherm band editor and the
// area, line and trend charts pick entry index modulo 13.
#pragma once

#include <QColor>

constexpr int kDefaultColourCount = 13;

// Entry index modulo 13 (a negative index counts from the end), fully opaque.
QColor default_colour(int index);
