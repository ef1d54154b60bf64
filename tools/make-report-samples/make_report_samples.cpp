// Writes the report sample pictures into the program directory: the IR
// sample picture copied as Temp-ir.png and a visible-light picture of a
// switch cabinet drawn as Temp-vi.jpg.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>

namespace {

QImage visible_cabinet()
{
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient wall(0, 0, 0, 480);
    wall.setColorAt(0.0, QColor(196, 200, 204));
    wall.setColorAt(1.0, QColor(150, 154, 160));
    painter.fillRect(image.rect(), wall);
    painter.fillRect(QRect(120, 60, 400, 380), QColor(90, 104, 118));
    painter.setPen(QPen(QColor(40, 44, 50), 3));
    painter.drawRect(QRect(120, 60, 400, 380));
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < 12; ++i) {
            painter.fillRect(QRect(150 + i * 30, 110 + row * 170, 18, 80), QColor(230, 230, 225));
        }
        painter.fillRect(QRect(140, 200 + row * 170, 360, 10), QColor(184, 115, 51));
    }
    return image;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: make-report-samples <samples folder> <program folder>\n");
        return 1;
    }
    const QString samples = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);
    const QString ir = target + "/Temp-ir.png";
    QFile::remove(ir);
    if (!QFile::copy(samples + "/sample.png", ir)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(samples + "/sample.png"));
        return 1;
    }
    if (!visible_cabinet().save(target + "/Temp-vi.jpg", "JPEG", 90)) {
        std::fprintf(stderr, "cannot write Temp-vi.jpg\n");
        return 1;
    }
    return 0;
}
