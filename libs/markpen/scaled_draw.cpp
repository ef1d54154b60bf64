// Nearest-pixel scaling with the raster painter's own 16.16 sampling.
#include "scaled_draw.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace markpen::detail {

bool draw_scaled(const QImage& source, QImage& target)
{
    if (source.isNull() || target.isNull() || source.format() != QImage::Format_RGB32 ||
        target.format() != QImage::Format_RGB32) {
        return false;
    }
    const int sw = source.width(), sh = source.height();
    const int tw = target.width(), th = target.height();
    // The painter steps through the source in 16.16 fixed point from the
    // centre of the first target pixel; sizes past its precision go to it.
    if (tw > 0x7fff || th > 0x7fff || sw > 0x7fff || sh > 0x7fff) {
        return false;
    }
    const double sx = static_cast<double>(sw) / tw;
    const double sy = static_cast<double>(sh) / th;
    const int ix = static_cast<int>(0x10000 * sx);
    const int iy = static_cast<int>(0x10000 * sy);
    const uint32_t basex = static_cast<uint32_t>(static_cast<int>(std::ceil(0.5 * sx * 0x10000)) - 1);
    uint32_t srcy = static_cast<uint32_t>(static_cast<int>(std::ceil(0.5 * sy * 0x10000)) - 1);
    // Where the painter's last row or column would fall outside the source
    // it drops a row or reads past a line: leave those sizes to it.
    const uint32_t last_x = (basex + static_cast<uint32_t>(ix) * static_cast<uint32_t>(tw - 1)) >> 16;
    const uint32_t last_y = (srcy + static_cast<uint32_t>(iy) * static_cast<uint32_t>(th - 1)) >> 16;
    if (last_x >= static_cast<uint32_t>(sw) || last_y >= static_cast<uint32_t>(sh)) {
        return false;
    }
    const size_t row_bytes = static_cast<size_t>(tw) * 4;
    const qsizetype line = target.bytesPerLine();
    uchar* bits = target.bits();
    int sampled_row = -1;
    const uchar* sampled = nullptr;
    for (int y = 0; y < th; ++y, srcy += static_cast<uint32_t>(iy)) {
        uchar* out = bits + static_cast<qsizetype>(y) * line;
        const int row = static_cast<int>(srcy >> 16);
        if (row == sampled_row) {
            std::memcpy(out, sampled, row_bytes);
        } else {
            const auto* in = reinterpret_cast<const uint32_t*>(source.constScanLine(row));
            auto* pixels = reinterpret_cast<uint32_t*>(out);
            uint32_t srcx = basex;
            for (int x = 0; x < tw; ++x, srcx += static_cast<uint32_t>(ix)) {
                pixels[x] = in[srcx >> 16];
            }
            sampled_row = row;
        }
        sampled = out;
    }
    return true;
}

}  // namespace markpen::detail
