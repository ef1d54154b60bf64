// Writes the ten palette strips that markpen draws in the palette bar of
// exported pictures: palettes 0 to 9, each a vertical PNG 27 pixels wide with
// the hot end of the palette at the top (the grey strip is one row shorter).
//
// Usage: palette_strips <output folder>
#include "palette_tables.h"

#include <QDir>
#include <QImage>

#include <cstdio>

namespace {

constexpr int kStripWidth = 27;
constexpr int kStripHeight = 165;
constexpr int kGrayStripHeight = 164;

const char* const kNames[10] = {
    "clr_iron.png",         "clr_rainbow.png",         "clr_feather.png",
    "clr_gray.png",         "clr_cwfeather.png",       "clr_iron_reverse.png",
    "clr_rainbow_reverse.png", "clr_feather_reverse.png", "clr_gray_reverse.png",
    "clr_cwfeather_reverse.png",
};

QImage make_strip(int palette)
{
    using namespace palettor::detail;
    int table = 0;
    bool reversed = false;
    palette_source(palette, &table, &reversed);
    const int height = (palette == 3 || palette == 8) ? kGrayStripHeight : kStripHeight;
    QImage strip(kStripWidth, height, QImage::Format_RGB32);
    const int last = kPaletteSize - 1;
    for (int row = 0; row < height; ++row) {
        // Row 0 shows the entry drawn for the highest AD of the range.
        const int level = ((height - 1 - row) * last + (height - 1) / 2) / (height - 1);
        const int index = reversed ? last - level : level;
        const QRgb colour = 0xff000000u | kStoredPalettes[table][index];
        QRgb* line = reinterpret_cast<QRgb*>(strip.scanLine(row));
        for (int x = 0; x < kStripWidth; ++x) {
            line[x] = colour;
        }
    }
    return strip;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: palette_strips <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) {
        std::fprintf(stderr, "palette_strips: cannot create %s\n", argv[1]);
        return 1;
    }
    for (int palette = 0; palette < 10; ++palette) {
        const QString path = folder.filePath(QString::fromLatin1(kNames[palette]));
        if (!make_strip(palette).save(path, "PNG")) {
            std::fprintf(stderr, "palette_strips: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
