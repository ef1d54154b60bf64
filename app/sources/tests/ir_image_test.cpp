// The still-picture source over the generated samples: opening, painting,
// plain images, saving and copying paths, parameters, nudging under
// rotation and the picture user data.
#include "browse/model_ir_info.h"
#include "markpen.h"
#include "message_guard.h"
#include "picfold.h"
#include "sources/ir_image.h"
#include "sources/source_settings.h"
#include "test_folders.h"
#include "thermframe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QJsonDocument>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString sample(const QString& name) { return QDir::current().absoluteFilePath("samples/" + name); }

int32_t count_all(void* doc)
{
    int32_t count = -1;
    thermframe_get_anas_count(doc, ANA_ALL, count);
    return count;
}

quint32 crc32_of(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray head_of(const QString& path, int bytes)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(bytes) : QByteArray();
}

}  // namespace

class IRImageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        if (!QFile::exists(sample("sample.jpg"))) QSKIP("samples were not generated");
        QVERIFY(m_dir.isValid());
    }
    void cleanup() { m_guard.verify(); }

    void open_every_sample_data();
    void open_every_sample();
    void painted_bits_equal_markpen_output();
    void plain_images_open_without_temperatures_data();
    void plain_images_open_without_temperatures();
    void unreadable_files_keep_the_previous_picture();
    void png_copy_path_data();
    void png_copy_path();
    void save_as_format_follows_suffix_data();
    void save_as_format_follows_suffix();
    void copy_to_path_onto_itself_and_elsewhere();
    void reopening_replaces_drawn_objects();
    void parameter_change_updates_object_temperatures();
    void arrow_keys_follow_rotation_data();
    void arrow_keys_follow_rotation();
    void rotation_steps();
    void user_data_parsing_data();
    void user_data_parsing();
    void weather_and_texts_survive_saving();
    void gps_text_data();
    void gps_text();
    void copies_to_the_clipboard();
    void national_grid_view_keeps_its_imaging_data();
    void national_grid_view_keeps_its_imaging();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
    QTemporaryDir m_dir;
};

void IRImageTest::open_every_sample_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("sgcc");
    QTest::newRow("jpeg") << "sample.jpg" << false;
    QTest::newRow("png") << "sample.png" << false;
    QTest::newRow("national grid") << "sample_sgcc.jpg" << true;
}

void IRImageTest::open_every_sample()
{
    QFETCH(QString, file);
    QFETCH(bool, sgcc);
    IRImage source(nullptr);
    QVERIFY(source.open_file(sample(file)));
    QVERIFY(!source.is_normal_image());
    QCOMPARE(source.is_sgcc_image(), sgcc);
    QCOMPARE(int(source.get_ir_width()), 640);
    QCOMPARE(int(source.get_ir_height()), 512);
    QVERIFY(sgcc || count_all(source.get_ir_data()) > 0);
    const QJsonObject property = source.get_ir_property();
    QCOMPARE(property.value("strSettingResolution").toString(), QString("640 x 512"));
    QVERIFY(property.contains("strSettingMaxTemp"));
    QCOMPARE(property.contains("strSettingTempRange"), !sgcc);
    QCOMPARE(property.value("bSgcc").toBool(), sgcc);
    QCOMPARE(source.get_file_path(), sample(file));
    // The picture window names the device as the start page does.
    ModelIRInfo info;
    const QString device = info.get_ir_image_info(sample(file)).value("strSettingMac").toString();
    QVERIFY(!device.isEmpty());
    QCOMPARE(property.value("strSettingMac").toString(), device);
}

void IRImageTest::painted_bits_equal_markpen_output()
{
    IRImage source(nullptr);
    QVERIFY(source.open_file(sample("sample.jpg")));
    QVERIFY(source.set_show_size(800, 600));
    QImage shown(800, 600, QImage::Format_RGB32);
    shown.fill(Qt::magenta);
    {
        QPainter painter(&shown);
        QVERIFY(source.paint(&painter));
    }
    void* pen = source.get_ir_paint();
    QVERIFY(markpen_update(pen, true, true));
    unsigned int length = 0;
    QVERIFY(markpen_get_bits(pen, nullptr, length));
    QCOMPARE(length, 800u * 600u * 4u);
    QImage expected(800, 600, QImage::Format_RGB32);
    QVERIFY(markpen_get_bits(pen, expected.bits(), length));
    QCOMPARE(shown, expected);
    // The same size again keeps the buffer.
    const uchar* bits = source.shown_image().constBits();
    QVERIFY(source.set_show_size(800, 600));
    QCOMPARE(source.shown_image().constBits(), bits);
}

void IRImageTest::plain_images_open_without_temperatures_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("jpeg") << "JPG";
    QTest::newRow("png") << "PNG";
}

void IRImageTest::plain_images_open_without_temperatures()
{
    QFETCH(QString, format);
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 30));
    const QString path = m_dir.filePath("plain." + format.toLower());
    QVERIFY(picture.save(path, format.toLatin1().constData()));
    IRImage source(nullptr);
    QVERIFY(source.open_file(path));
    QVERIFY(source.is_normal_image());
    QVERIFY(!source.is_sgcc_image());
    QCOMPARE(int(source.get_ir_width()), 120);
    QCOMPARE(int(source.get_ir_height()), 80);
    QVERIFY(source.set_show_size(240, 160));
    QImage shown(240, 160, QImage::Format_RGB32);
    {
        QPainter painter(&shown);
        QVERIFY(source.paint(&painter));
    }
    QVERIFY(qAbs(QColor(shown.pixel(100, 100)).green() - 200) < 8);
    QVERIFY(!source.save_image_to_file());
    QVERIFY(source.get_user_data().isEmpty());

    // After an IR picture, a plain one leaves nothing of it to measure or edit.
    IRImage after(nullptr);
    QVERIFY(after.open_file(sample("sample.jpg")));
    QVERIFY(after.open_file(path));
    QVERIFY(after.get_ir_data() == nullptr);
    QVERIFY(after.get_ir_property().isEmpty());
    QVERIFY(!after.add_rect());
    QVERIFY(!after.rorate_90_degrees(true));
}

void IRImageTest::unreadable_files_keep_the_previous_picture()
{
    IRImage source(nullptr);
    QVERIFY(source.open_file(sample("sample.jpg")));
    // Neither picfold nor Qt reads it.
    const QString junk = m_dir.filePath("junk.jpg");
    QFile f(junk);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a picture at all");
    f.close();
    m_guard.expect(QRegularExpression("Not a JPEG file"));
    m_guard.expect(QRegularExpression("plain image refused.*junk.jpg"));
    QVERIFY(!source.open_file(junk));
    // A PNG whose header claims 30000 x 30000 pixels is refused before it
    // is decoded.
    QImage tiny(1, 1, QImage::Format_RGB32);
    tiny.fill(Qt::red);
    const QString huge = m_dir.filePath("huge.png");
    QVERIFY(tiny.save(huge, "PNG"));
    QFile h(huge);
    QVERIFY(h.open(QIODevice::ReadWrite));
    QByteArray png = h.readAll();
    // IHDR: length at 8, type at 12, width at 16, height at 20, CRC at 29.
    for (int at : {16, 20}) {
        png[at] = 0; png[at + 1] = 0; png[at + 2] = char(0x75); png[at + 3] = char(0x30);
    }
    const quint32 crc = crc32_of(png.mid(12, 17));
    for (int i = 0; i < 4; ++i) png[29 + i] = char((crc >> (24 - 8 * i)) & 0xFF);
    QVERIFY(h.seek(0));
    h.write(png);
    h.close();
    m_guard.expect(QRegularExpression("plain image refused.*huge.png.*30000"));
    QVERIFY(!source.open_file(huge));
    QVERIFY(!source.is_normal_image());
    QCOMPARE(source.get_file_path(), sample("sample.jpg"));
    QCOMPARE(int(source.get_ir_width()), 640);
}

void IRImageTest::png_copy_path_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("png");
    QTest::newRow("dotted folder") << "/d/a.b/pic.jpg" << "/d/a.b/pic.png";
    QTest::newRow("several dots") << "/d/x/pic.v2.final.jpg" << "/d/x/pic.v2.final.png";
    QTest::newRow("no suffix") << "/d/x/pic" << "/d/x/pic.png";
    QTest::newRow("dotted folder, no suffix") << "/d/x.y/pic" << "/d/x.y/pic.png";
}

void IRImageTest::png_copy_path()
{
    QFETCH(QString, picture);
    QFETCH(QString, png);
    QCOMPARE(IRImage::png_path_for(picture), png);
}

void IRImageTest::save_as_format_follows_suffix_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("png");
    QTest::newRow("png") << "x.png" << true;
    QTest::newRow("PNG") << "x.PNG" << true;
    QTest::newRow("bmp as jpeg") << "x.bmp" << false;
    QTest::newRow("dotted name") << "a.b.c.jpg" << false;
}

void IRImageTest::save_as_format_follows_suffix()
{
    QFETCH(QString, name);
    QFETCH(bool, png);
    IRImage source(nullptr);
    QVERIFY(source.open_file(sample("sample.jpg")));
    const QString path = m_dir.filePath(name);
    QVERIFY(source.save_as_image_to_file(path));
    const QByteArray head = head_of(path, 4);
    QCOMPARE(head.startsWith("\x89PNG"), png);
    QCOMPARE(head.startsWith("\xFF\xD8"), !png);
    IRImage again(nullptr);
    QVERIFY(again.open_file(path));
    QVERIFY(!again.is_normal_image());
}

void IRImageTest::copy_to_path_onto_itself_and_elsewhere()
{
    const QString folder = m_dir.filePath("copy");
    QVERIFY(QDir().mkpath(folder));
    const QString picture = folder + "/pic.jpg";
    QVERIFY(QFile::copy(sample("sample.jpg"), picture));
    const qint64 size = QFileInfo(picture).size();
    IRImage source(nullptr);
    QVERIFY(source.open_file(picture));
    // Onto itself, written plainly and in another spelling: untouched.
    QCOMPARE(source.copy_to_path(folder + "/pic"), folder + "/pic.jpg");
    const QString other = folder + "/../copy/./pic";
    QCOMPARE(source.copy_to_path(other), other + ".jpg");
    QCOMPARE(QFileInfo(picture).size(), size);
    // Elsewhere: the folder is made and the bytes arrive whole.
    const QString target = m_dir.filePath("out.d/deeper/copy");
    QCOMPARE(source.copy_to_path(target), target + ".jpg");
    QCOMPARE(head_of(target + ".jpg", int(size)), head_of(picture, int(size)));
    // Over an existing file.
    QCOMPARE(source.copy_to_path(target), target + ".jpg");
    QCOMPARE(QFileInfo(target + ".jpg").size(), size);
    QCOMPARE(QDir(m_dir.filePath("out.d/deeper")).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void IRImageTest::reopening_replaces_drawn_objects()
{
    IRImage source(nullptr);
    QVERIFY(source.open_file(sample("sample.jpg")));
    void* doc = source.get_ir_data();
    const int32_t stored = count_all(doc);
    QVERIFY(thermframe_add_ana(doc, "P:7,7;-"));
    QCOMPARE(count_all(doc), stored + 1);
    QVERIFY(source.open_file(sample("sample.jpg")));
    QCOMPARE(count_all(source.get_ir_data()), stored);
    QCOMPARE(source.current_ana(), nullptr);
}

void IRImageTest::parameter_change_updates_object_temperatures()
{
    IRImage source(nullptr);
    QVERIFY(source.open_file(sample("sample.jpg")));
    void* doc = source.get_ir_data();
    if (!thermframe_set_emiss(doc, 0.95f) || !thermframe_set_emiss(doc, 0.9f)) {
        QSKIP("the sample picture has no calibration data and keeps its own parameters");
    }
    QVERIFY(source.set_ir_property(QJsonObject{{"strSettingEmiss", "0.6"}, {"strSettingDist", "8"}}));
    for (AnaType type : {ANA_POINT, ANA_LINE, ANA_ELLIPSE, ANA_RECT, ANA_POLYGON, ANA_POLYLINE}) {
        void* ana = nullptr;
        if (!thermframe_get_ana(doc, type, 0, ana)) continue;
        uint16_t x = 0, y = 0, ad = 0;
        float t = 0.0f, expected = 0.0f;
        QVERIFY(thermframe_ana_get_max_temp(ana, x, y, ad, t));
        QVERIFY(thermframe_get_temp_from_ad(doc, ad, expected));
        QCOMPARE(t, expected);
    }
}

void IRImageTest::arrow_keys_follow_rotation_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    const int keys[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down};
    const char* names[] = {"left", "up", "right", "down"};
    const int steps[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    const struct { int rotation; int offset; const char* name; } rotations[] = {
        {ROTATION_NONE, 0, "0"}, {ROTATION_90, 3, "90"}, {ROTATION_270, 1, "270"}, {ROTATION_180, 2, "180"}};
    for (const auto& r : rotations) {
        for (int k = 0; k < 4; ++k) {
            const int i = (k + r.offset) % 4;
            QTest::addRow("%s %s", r.name, names[k]) << r.rotation << keys[k] << steps[i][0] << steps[i][1];
        }
    }
}

void IRImageTest::arrow_keys_follow_rotation()
{
    QFETCH(int, rotation);
    QFETCH(int, key);
    QFETCH(int, dx);
    QFETCH(int, dy);
    IRImage source(nullptr);
    QVERIFY(source.open_file(sample("sample.jpg")));
    void* doc = source.get_ir_data();
    QVERIFY(source.delete_all_ana());
    void* ana = nullptr;
    QVERIFY(thermframe_add_ana(doc, "R:100,100;150,140;-", ana));
    std::string text;
    QVERIFY(thermframe_get_ana_str_from_handle(doc, ana, text));
    QVERIFY(thermframe_ana_set_select(doc, text));
    QVERIFY(thermframe_set_rotation_angle(doc, static_cast<RotationAngle>(rotation)));
    QVERIFY(source.move_ana_position(key));
    std::vector<tagVYPoint> nodes;
    QVERIFY(thermframe_ana_get_node(ana, nodes));
    QCOMPARE(int(nodes[0].x) - 100, dx);
    QCOMPARE(int(nodes[0].y) - 100, dy);
    QVERIFY(!source.move_ana_position(Qt::Key_Home));
}

void IRImageTest::rotation_steps()
{
    IRImage source(nullptr);
    QVERIFY(source.open_file(sample("sample.jpg")));
    void* doc = source.get_ir_data();
    RotationAngle angle = ROTATION_NONE;
    const RotationAngle clockwise[] = {ROTATION_90, ROTATION_180, ROTATION_270, ROTATION_NONE};
    for (RotationAngle expected : clockwise) {
        QVERIFY(source.rorate_90_degrees(true));
        QVERIFY(thermframe_get_rotation_angle(doc, angle));
        QCOMPARE(int(angle), int(expected));
    }
    QVERIFY(source.rorate_90_degrees(true));
    QCOMPARE(int(source.get_ir_width()), 512);
    QVERIFY(source.rorate_90_degrees(false));
    QVERIFY(thermframe_get_rotation_angle(doc, angle));
    QCOMPARE(int(angle), int(ROTATION_NONE));
    QCOMPARE(int(source.get_ir_width()), 640);
}

void IRImageTest::user_data_parsing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("site");
    QTest::addColumn<bool>("empty");
    QTest::newRow("object") << QByteArray("{\"site\":\"a\"}") << "a" << false;
    QTest::newRow("cut at NUL") << QByteArray("{\"site\":\"b\"}\0garbage", 20) << "b" << false;
    QTest::newRow("array") << QByteArray("[1,2]") << "" << true;
    QTest::newRow("broken") << QByteArray("{\"site\":") << "" << true;
    QTest::newRow("nothing") << QByteArray() << "" << true;
}

void IRImageTest::user_data_parsing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, site);
    QFETCH(bool, empty);
    const QJsonObject parsed = IRImage::parse_user_data(bytes);
    QCOMPARE(parsed.isEmpty(), empty);
    QCOMPARE(parsed.value("site").toString(), site);
}

void IRImageTest::weather_and_texts_survive_saving()
{
    IRImage source(nullptr);
    QVERIFY(source.open_file(sample("sample.jpg")));
    QCOMPARE(source.get_user_data().value("site").toString().isEmpty(), false);
    source.set_source_property(QJsonObject{{"strSettingWeather", 3}, {"strSettingVoltage", "110"},
                                           {"strSettingPicText", "north gate"}});
    QJsonObject properties;
    QVERIFY(source.add_source_property(properties));
    QCOMPARE(properties.value("strSettingWeather").toInt(), 3);
    QCOMPARE(source.get_user_data().value("VYWeather").toString(), QString("Drizzle"));
    for (int weather : {0, 9}) {
        source.set_source_property(QJsonObject{{"strSettingWeather", weather}});
        QCOMPARE(source.get_user_data().value("VYWeather").toString(), QString());
        properties = QJsonObject();
        source.add_source_property(properties);
        QCOMPARE(properties.value("strSettingWeather").toInt(), 0);
    }
    // Saved and reopened: the texts, the objects and the other keys stay.
    const QString path = m_dir.filePath("texts.jpg");
    QVERIFY(source.save_as_image_to_file(path));
    IRImage again(nullptr);
    QVERIFY(again.open_file(path));
    QCOMPARE(again.get_user_data_string("VYVoltage"), QString("110"));
    QCOMPARE(again.get_user_data_string("VYDescriptionText"), QString("north gate"));
    QCOMPARE(again.get_user_data().value("VYAnas").toArray().size(), int(count_all(again.get_ir_data())));
}

void IRImageTest::gps_text_data()
{
    QTest::addColumn<QString>("lng");
    QTest::addColumn<QString>("lng_dir");
    QTest::addColumn<QString>("lat");
    QTest::addColumn<QString>("lat_dir");
    QTest::addColumn<QString>("text");
    QTest::newRow("valid") << "120.5" << "E" << "30.25" << "N" << "lng(E):120.500 lat(N):30.250";
    QTest::newRow("lower case kept") << "1" << "w" << "2" << "n" << "lng(w):1.000 lat(n):2.000";
    QTest::newRow("latitude 91") << "1" << "E" << "91.0" << "N" << "";
    QTest::newRow("direction X") << "1" << "E" << "2" << "X" << "";
    QTest::newRow("not a number") << "abc" << "E" << "2" << "N" << "";
}

void IRImageTest::gps_text()
{
    QFETCH(QString, lng);
    QFETCH(QString, lng_dir);
    QFETCH(QString, lat);
    QFETCH(QString, lat_dir);
    QFETCH(QString, text);
    const QJsonObject user{{"VYLongitudeDegree", lng}, {"VYLongitudeDirection", lng_dir},
                           {"VYLatitudeDegree", lat}, {"VYLatitudeDirection", lat_dir}};
    QCOMPARE(IRBase::get_gps_text(user), text);
}

void IRImageTest::copies_to_the_clipboard()
{
    const QString file = source_settings::config_path() + "clipboad.png";
    QFile::remove(file);
    IRImage plain(nullptr);
    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(m_dir.filePath("clip.png"), "PNG"));
    QVERIFY(plain.open_file(m_dir.filePath("clip.png")));
    QVERIFY(plain.copy_image_to_clipboard());
    QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(60, 40));
    QVERIFY(!QFile::exists(file));

    IRImage source(nullptr);
    QVERIFY(source.open_file(sample("sample.jpg")));
    QVERIFY(source.copy_image_to_clipboard());
    QVERIFY(QFile::exists(file));
    QCOMPARE(QGuiApplication::clipboard()->image().size(), QImage(file).size());
    QVERIFY(QGuiApplication::clipboard()->image().width() >= 640);
}

void IRImageTest::national_grid_view_keeps_its_imaging_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("stored");
    QTest::newRow("manual range") << int(PALETTE_TYPE_MANUAL) << 0;
    QTest::newRow("automatic once") << int(PALETTE_TYPE_AUTO_ONCE) << 1;
    QTest::newRow("continuous automatic") << int(PALETTE_TYPE_AUTO_EVERY_FRAME) << IRImage::kAutoImagingContinuous;
}

// The imaging in force when a national-grid picture is saved is the one it
// opens with, palette and range included.
void IRImageTest::national_grid_view_keeps_its_imaging()
{
    QFETCH(int, type);
    QFETCH(int, stored);
    IRImage source(nullptr);
    QVERIFY(source.open_file(sample("sample_sgcc.jpg")));
    void* frame = source.get_ir_data();
    QVERIFY(IRBase::set_frame_palette(frame, PAL_RAINBOW));
    if (type == PALETTE_TYPE_MANUAL) {
        QVERIFY(thermframe_set_imaging_range(frame, 16000, 21000));
    }
    QVERIFY(thermframe_set_palette_type(frame, static_cast<PaletteType>(type)));
    uint16_t low = 0, high = 0;
    QVERIFY(thermframe_get_imaging_range(frame, low, high));
    const QString target = m_dir.filePath(QString("view %1.jpg").arg(type));
    QVERIFY(source.save_as_sgcc_image_to_file(target));
    QCOMPARE(source.get_user_data().value("VYAutoImaging").toInt(), stored);

    IRImage reopened(nullptr);
    QVERIFY(reopened.open_file(target));
    void* again = reopened.get_ir_data();
    PaletteType type_again = PALETTE_TYPE_MANUAL;
    QVERIFY(thermframe_get_palette_type(again, type_again));
    QCOMPARE(int(type_again), type);
    PALETTE palette = PAL_IRON;
    QVERIFY(thermframe_get_palette(again, palette));
    QCOMPARE(int(palette), int(PAL_RAINBOW));
    uint16_t low_again = 0, high_again = 0;
    QVERIFY(thermframe_get_imaging_range(again, low_again, high_again));
    QCOMPARE(low_again, low);
    QCOMPARE(high_again, high);
}

QTEST_MAIN(IRImageTest)
#include "ir_image_test.moc"
