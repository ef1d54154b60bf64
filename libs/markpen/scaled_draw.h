// The frame's picture drawn scaled over a whole window picture, pixel for
// pixel as QPainter::drawImage(target.rect(), source) draws it, but with each
// repeated row copied instead of sampled again.
#pragma once

#include <QImage>

namespace markpen::detail {

// Writes every pixel of target from source (both RGB32, neither null) and
// returns true; false, with target untouched, where the painter's sampling
// would leave pixels out or reach past the source, for the painter to draw.
bool draw_scaled(const QImage& source, QImage& target);

}  // namespace markpen::detail
