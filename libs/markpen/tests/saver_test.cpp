#include "renderer_fixture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace markpen::detail;
using namespace markpen::test;

namespace {

QByteArray read_all(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write_all(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Every entry of the folder, hidden ones too: no temporary file may stay.
QStringList entries(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

SavePath narrow(const QString& path)
{
    return {path, false};
}

struct Saving : RendererFixture {
    QTemporaryDir dir;
    Saving(uint16_t w = 64, uint16_t h = 48) { set_frame(w, h); }
};

TEST(saver, jpeg_is_written_beside_and_appended_before_it_replaces)
{
    Saving s;
    ASSERT_TRUE(s.renderer->set_rotation(ROTATION_90));
    const QString path = s.dir.filePath("picture.jpg");
    write_all(path, "OLD");
    ASSERT_TRUE(s.renderer->save_picture(narrow(path), "caption", true, true, PictureFormat::jpeg));
    const QByteArray bytes = read_all(path);
    EXPECT_TRUE(bytes.endsWith("RADIOMETRIC-BLOCK"));
    QImage saved;
    ASSERT_TRUE(saved.loadFromData(bytes, "JPG"));
    EXPECT_EQ(saved.size(), QSize(48, 64));
    // The data went to a temporary file in the same folder, then renamed.
    ASSERT_EQ(s.frame->appended.size(), 1u);
    const QString appended = QString::fromStdString(s.frame->appended[0]);
    EXPECT_TRUE(appended.startsWith("temp:" + s.dir.path() + "/.picture.jpg.")) << appended.toStdString();
    EXPECT_EQ(entries(s.dir), QStringList{"picture.jpg"});
}

// The partial file of a save killed long ago goes at the next save of the
// same picture; a recent one may belong to a save still running.
TEST(saver, stale_partial_files_of_the_same_picture_go)
{
    Saving s;
    const QString path = s.dir.filePath("picture.jpg");
    QFile stale(s.dir.filePath(".picture.jpg.Ab12Cd"));
    QFile recent(s.dir.filePath(".picture.jpg.Ef34Gh"));
    QFile other(s.dir.filePath(".other.jpg.Ab12Cd"));
    for (QFile* file : {&stale, &recent, &other}) {
        ASSERT_TRUE(file->open(QIODevice::WriteOnly));
        if (file != &recent) {
            ASSERT_TRUE(file->setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
        }
        file->close();
    }
    ASSERT_TRUE(s.renderer->save_picture(narrow(path), "", false, false, PictureFormat::jpeg));
    EXPECT_EQ(entries(s.dir), (QStringList{".other.jpg.Ab12Cd", ".picture.jpg.Ef34Gh", "picture.jpg"}));
}

// A name of 240 bytes (80 CJK signs) saves: the temporary file beside it
// has a cut name, short enough for the one its data is appended through.
TEST(saver, long_names_save)
{
    Saving s;
    QString name;
    for (int i = 0; i < 80; ++i) {
        name += QChar(0x6E29);
    }
    ASSERT_EQ(name.toUtf8().size(), 240);
    const QString path = s.dir.filePath(name + ".jpg");
    ASSERT_TRUE(s.renderer->save_picture(narrow(path), "", true, true, PictureFormat::jpeg));
    EXPECT_TRUE(read_all(path).endsWith("RADIOMETRIC-BLOCK"));
    EXPECT_EQ(entries(s.dir), QStringList{name + ".jpg"});
    ASSERT_EQ(s.frame->appended.size(), 1u);
    const QString appended = QString::fromStdString(s.frame->appended[0]);
    const QByteArray temporary = QFile::encodeName(QFileInfo(appended).fileName());
    EXPECT_LE(temporary.size() + 8, 255) << temporary.constData();
}

TEST(saver, failed_append_leaves_the_original_intact)
{
    Saving s;
    const QString path = s.dir.filePath("radiometric.jpg");
    write_all(path, "ORIGINAL RADIOMETRIC PICTURE");
    s.frame->append_ok = false;
    EXPECT_FALSE(s.renderer->save_picture(narrow(path), "", true, true, PictureFormat::jpeg));
    EXPECT_EQ(read_all(path), QByteArray("ORIGINAL RADIOMETRIC PICTURE"));
    EXPECT_EQ(entries(s.dir), QStringList{"radiometric.jpg"});
    EXPECT_FALSE(s.renderer->save_grid_picture(narrow(path), "20240101000000", ""));
    EXPECT_FALSE(s.renderer->save_grid_window(narrow(path)));
    EXPECT_EQ(read_all(path), QByteArray("ORIGINAL RADIOMETRIC PICTURE"));
    EXPECT_EQ(entries(s.dir), QStringList{"radiometric.jpg"});
}

TEST(saver, bare_png_holds_the_turned_frame)
{
    Saving s(6, 4);
    ASSERT_TRUE(s.renderer->set_rotation(ROTATION_180));
    s.frame->anas.push_back([] {
        FakeAna a;
        a.type = ANA_RECT;
        a.text = "R:0,0;5,3;-";
        return a;
    }());
    const QString path = s.dir.filePath("bare.png");
    ASSERT_TRUE(s.renderer->save_picture(narrow(path), "", false, false, PictureFormat::png));
    EXPECT_TRUE(s.frame->appended.empty());
    QImage saved(path);
    ASSERT_EQ(saved.size(), QSize(6, 4));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(pixel(saved, 5 - x, 3 - y), RendererFixture::pixel_of(x, y));
        }
    }
}

TEST(saver, drawn_png_shows_outlines_and_the_bar)
{
    Saving s(640, 480);
    FakeAna a;
    a.type = ANA_LINE;
    a.text = "L:10,400;300,400;-";
    a.colour = 0x00ff00ff;
    s.frame->anas = {a};
    const QString path = s.dir.filePath("drawn.png");
    ASSERT_TRUE(s.renderer->save_picture(narrow(path), "", true, true, PictureFormat::png));
    EXPECT_EQ(s.frame->appended.size(), 1u);
    QImage saved(path);
    ASSERT_EQ(saved.size(), QSize(640, 480));
    EXPECT_EQ(pixel(saved, 100, 400), 0x00ff00ffu);
    EXPECT_EQ(pixel(saved, 627, 36), palette_strip(PAL_IRON).pixel(13, 0) & 0xffffff);
}

TEST(saver, grid_savers_sizes_and_blocks)
{
    Saving s(64, 48);
    ASSERT_TRUE(s.renderer->set_window_size(200, 150));
    ASSERT_TRUE(s.renderer->refresh(true));
    const QString grid = s.dir.filePath("grid.jpg");
    const QString window = s.dir.filePath("window.jpg");
    ASSERT_TRUE(s.renderer->save_grid_picture(narrow(grid), "20240506070809", "c"));
    ASSERT_TRUE(s.renderer->save_grid_window({window, true}));
    EXPECT_EQ(QImage(grid).size(), QSize(64, 48));
    EXPECT_EQ(QImage(window).size(), QSize(200, 150));
    ASSERT_EQ(s.frame->appended.size(), 2u);
    EXPECT_EQ(s.frame->appended[0].rfind("sgcc:", 0), 0u);
    EXPECT_EQ(s.frame->appended[1].rfind("sgcc_w:", 0), 0u);
}

TEST(saver, refusals_create_no_file)
{
    RendererFixture fresh;
    QTemporaryDir dir;
    const QString path = dir.filePath("never.jpg");
    EXPECT_FALSE(fresh.renderer->save_picture(narrow(path), "", true, false, PictureFormat::jpeg));
    EXPECT_FALSE(fresh.renderer->save_grid_picture(narrow(path), "", ""));
    EXPECT_FALSE(fresh.renderer->save_grid_window(narrow(path)));
    EXPECT_TRUE(entries(dir).isEmpty());

    PaintRenderer frameless(nullptr);
    ASSERT_TRUE(frameless.set_image_size(8, 8));
    EXPECT_FALSE(frameless.save_picture(narrow(path), "", false, false, PictureFormat::jpeg));
    EXPECT_TRUE(entries(dir).isEmpty());

    Saving s;
    EXPECT_FALSE(s.renderer->save_picture(narrow(s.dir.filePath("missing/x.jpg")), "", false, false,
                                          PictureFormat::jpeg));
    EXPECT_FALSE(s.renderer->save_picture(narrow(""), "", false, false, PictureFormat::jpeg));
    // A folder in the way: nothing replaced, nothing left behind.
    ASSERT_TRUE(QDir(s.dir.path()).mkdir("taken.jpg"));
    EXPECT_FALSE(s.renderer->save_picture(narrow(s.dir.filePath("taken.jpg")), "", false, false,
                                          PictureFormat::jpeg));
    EXPECT_TRUE(entries(s.dir).isEmpty());
}

TEST(saver, a_link_keeps_pointing_at_the_saved_picture)
{
    Saving s;
    const QString real = s.dir.filePath("real.jpg");
    const QString link = s.dir.filePath("link.jpg");
    write_all(real, "OLD");
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(s.renderer->save_picture(narrow(link), "", false, true, PictureFormat::jpeg));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(read_all(real).endsWith("RADIOMETRIC-BLOCK"));
    QStringList expected{"link.jpg", "real.jpg"};
    EXPECT_EQ(entries(s.dir), expected);
}

TEST(saver, wide_paths_and_permissions)
{
    Saving s;
    const QString path = s.dir.filePath(QString::fromUtf8("图像 1.jpg"));
    write_all(path, "X");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadGroup));
    ASSERT_TRUE(s.renderer->save_picture({path, true}, "", false, true, PictureFormat::jpeg));
    ASSERT_EQ(s.frame->appended.size(), 1u);
    EXPECT_EQ(s.frame->appended[0].rfind("temp_w:", 0), 0u);
    EXPECT_TRUE(read_all(path).endsWith("RADIOMETRIC-BLOCK"));
    EXPECT_EQ(QFile::permissions(path) & 0x7777,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                  QFileDevice::WriteUser | QFileDevice::ReadGroup);
}

}  // namespace
