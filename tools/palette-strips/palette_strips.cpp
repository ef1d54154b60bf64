// Writes the ten palette strips that markpen draws in the palette bar of
// exported pictures: palettes 0 to 9, each a vertical PNG 27 pixels wide with
// the hot end of the palette at the top (the grey strip is one row shorter).
// With --horizontal it writes the strips of the program's palette menu
// instead: <name>_hor.png, 100 x 20 pixels, the cold end at the left.
//
// Usage: palette_strips <output folder> [--horizontal]
#include "palette_tables.h"

#include <QByteArray>
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

QImage make_horizontal_strip(int palette)
{
    constexpr int kWidth = 100;
    constexpr int kHeight = 20;
    const QImage vertical = make_strip(palette);
    QImage strip(kWidth, kHeight, QImage::Format_RGB32);
    const int rows = vertical.height();
    for (int x = 0; x < kWidth; ++x) {
        const int row = rows - 1 - (x * (rows - 1) + (kWidth - 1) / 2) / (kWidth - 1);
        const QRgb colour = vertical.pixel(0, row);
        for (int y = 0; y < kHeight; ++y) {
            strip.setPixel(x, y, colour);
        }
    }
    return strip;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool horizontal = argc == 3 && QByteArray(argv[2]) == "--horizontal";
    if (argc != 2 && !horizontal) {
        std::fprintf(stderr, "usage: palette_strips <output folder> [--horizontal]\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) {
        std::fprintf(stderr, "palette_strips: cannot create %s\n", argv[1]);
        return 1;
    }
    for (int palette = 0; palette < 10; ++palette) {
        QString name = QString::fromLatin1(kNames[palette]);
        if (horizontal) {
            name.replace(QLatin1String(".png"), QLatin1String("_hor.png"));
        }
        const QString path = folder.filePath(name);
        const QImage strip = horizontal ? make_horizontal_strip(palette) : make_strip(palette);
        if (!strip.save(path, "PNG")) {
            std::fprintf(stderr, "palette_strips: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
