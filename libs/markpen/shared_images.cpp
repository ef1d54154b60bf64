// Pictures shared by every paint handle: the palette strips, loaded once
// from the library's resources, and the user's logo. Handles draw from
// several threads, so the logo is swapped under a mutex and handed out as a
// (cheap, implicitly shared) copy.
#include "paint_renderer.h"

#include "basekit.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageReader>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <unistd.h>

static void init_strip_resources()
{
    Q_INIT_RESOURCE(markpen_strips);
}

namespace markpen::detail {

namespace {

const char* const kStripResources[10] = {
    ":/images/clr_iron.png",         ":/images/clr_rainbow.png",
    ":/images/clr_feather.png",      ":/images/clr_gray.png",
    ":/images/clr_cwfeather.png",    ":/images/clr_iron_reverse.png",
    ":/images/clr_rainbow_reverse.png", ":/images/clr_feather_reverse.png",
    ":/images/clr_gray_reverse.png", ":/images/clr_cwfeather_reverse.png",
};

struct Strips {
    std::once_flag once;
    QImage images[PAL_COUNT];
};

Strips& strips()
{
    static Strips instance;
    return instance;
}

std::mutex& logo_mutex()
{
    static std::mutex instance;
    return instance;
}

QImage& logo_image()
{
    static QImage instance;
    return instance;
}

}  // namespace

QImage palette_strip(int palette)
{
    Strips& all = strips();
    std::call_once(all.once, [&all] {
        init_strip_resources();
        for (int i = 0; i < 10; ++i) {
            if (!all.images[i].load(QString::fromLatin1(kStripResources[i]))) {
                MARKPEN_LOG(4, "palette_strip", "strip %s missing", kStripResources[i]);
            }
        }
    });
    if (palette < 0 || palette >= PAL_COUNT) {
        return QImage();
    }
    return all.images[palette];
}

bool set_logo(const QString& path)
{
    QImage picture;
    QString error;
    int fd = -1;
    QFile file;
    if (path.startsWith(QLatin1String(":/"))) {
        // A picture compiled into the calling program's resources (its
        // default logo): no file on disk, and nothing that could block.
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        picture = reader.read();
        error = reader.errorString();
    } else if (vy_open_input_file(QFile::encodeName(path).constData(), &fd, nullptr) != VY_OK) {
        error = QString::fromLocal8Bit(std::strerror(errno));
    } else if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error = file.errorString();
    } else {
        QImageReader reader(&file);
        reader.setDecideFormatFromContent(true);
        picture = reader.read();
        error = reader.errorString();
    }
    std::lock_guard<std::mutex> guard(logo_mutex());
    logo_image() = picture;
    if (picture.isNull()) {
        MARKPEN_LOG(4, "set_logo", "cannot read logo %s: %s", path.toUtf8().constData(),
                    error.toUtf8().constData());
        return false;
    }
    return true;
}

void clear_logo()
{
    std::lock_guard<std::mutex> guard(logo_mutex());
    logo_image() = QImage();
}

QImage logo()
{
    std::lock_guard<std::mutex> guard(logo_mutex());
    return logo_image();
}

QString from_local_8bit(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

bool fonts_available()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        static std::once_flag warned;
        std::call_once(warned, [] {
            MARKPEN_LOG(4, "fonts_available", "%s", "no QGuiApplication: texts and panels are not drawn");
        });
        return false;
    }
    // The panel font names a family that Linux does not have: point it at
    // the CJK family fontconfig has (wqy from install-deps), once.
    static std::once_flag substituted;
    std::call_once(substituted, [] {
        const QString family = QString::fromUtf8("\xe5\xbe\xae\xe8\xbd\xaf\xe9\x9b\x85\xe9\xbb\x91");
        if (!QFontDatabase().families().contains(family)) {
            QFont::insertSubstitutions(family, {QStringLiteral("WenQuanYi Micro Hei"),
                                                QStringLiteral("Noto Sans CJK SC")});
        }
    });
    return true;
}

}  // namespace markpen::detail
