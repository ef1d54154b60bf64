// Road test of the picture window: the real main window, offscreen, driven
// by mouse and keys as a user would: open a sample picture, draw one object
// of each kind, move and resize one by its grips, change the emissivity in
// the property panel, rotate, save as JPEG and reopen; step through a folder
// of pictures, read the cursor temperature, keep site data with a picture,
// edit the selected object, export and import its analysis objects, and
// reach every analysis tool at 1280 x 800 in every language; add objects in
// the "Multiple" mode, use every box of the object panel, show an SGCC
// picture's site data, cover a plain picture's tools, keep a voice note when
// recording cannot start, and follow rotations, saves, failed openings and
// language switches in the labels and the status bar.
#include "message_guard.h"
#include "parameter_probe.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "shell/data_config.h"
#include "sources/ir_base.h"
#include "sources/ir_image.h"
#include "test_folders.h"
#include "thermframe.h"
#include "views/wnd_ir_show.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QQmlProperty>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <string>

using roadtest::RoadWindow;

namespace {

const char kTest[] = "picture_window";

struct AnaState {
    std::string alias;
    float max = 0.0f;
};

// Every object of the document by analysis string, with alias and maximum.
std::map<std::string, AnaState> anas_of(void* frame)
{
    std::map<std::string, AnaState> all;
    for (AnaType type : {ANA_POINT, ANA_LINE, ANA_ELLIPSE, ANA_RECT, ANA_POLYGON, ANA_POLYLINE}) {
        int32_t count = 0;
        thermframe_get_anas_count(frame, type, count);
        for (int32_t i = 0; i < count; ++i) {
            void* ana = nullptr;
            std::string text;
            if (!thermframe_get_ana(frame, type, i, ana) || !thermframe_get_ana_str_from_handle(frame, ana, text)) {
                continue;
            }
            AnaState state;
            thermframe_ana_get_alias(ana, state.alias);
            uint16_t x = 0, y = 0, ad = 0;
            thermframe_ana_get_max_temp(ana, x, y, ad, state.max);
            all[text] = state;
        }
    }
    return all;
}

int count_of(void* frame, AnaType type)
{
    int32_t count = -1;
    thermframe_get_anas_count(frame, type, count);
    return count;
}

void* only_ana(void* frame, AnaType type)
{
    void* ana = nullptr;
    thermframe_get_ana(frame, type, 0, ana);
    return ana;
}

std::vector<tagVYPoint> nodes_of(void* ana)
{
    std::vector<tagVYPoint> nodes;
    thermframe_ana_get_node(ana, nodes);
    return nodes;
}

// Clicks at each point, then double-clicks at the last to finish the shape.
void click_nodes(QQuickItem* item, const std::vector<QPointF>& points)
{
    for (const QPointF& p : points) {
        RoadWindow::click_at(item, p);
    }
    const QPoint scene = item->mapToScene(points.back()).toPoint();
    QTest::mouseDClick(item->window(), Qt::LeftButton, Qt::NoModifier, scene);
}

// Replaces the text of a field by typing, as a user does.
void type_into(RoadWindow& road, QQuickItem* input, const QString& text)
{
    QVERIFY(input != nullptr);
    QVERIFY(RoadWindow::reveal(road.find_item("flick_property"), input));
    QVERIFY(RoadWindow::click(input));
    road.key_click(Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) road.key_click(Qt::Key_Backspace);
    for (const QChar c : text) QTest::keyClick(road.window(), c.toLatin1());
}

// The shared file dialog answers as if the user chose path there; Qt's own
// dialog closes as it does on a choice.
void answer_dialog(QObject* dialog, QObject* caller, int purpose, const QString& path)
{
    QObject* shown = dialog->property("dialog").value<QObject*>();
    QVERIFY(shown != nullptr && shown->property("visible").toBool());
    QVERIFY(QMetaObject::invokeMethod(shown, "close"));
    QVERIFY(QQmlProperty::write(dialog, "folder", QUrl::fromLocalFile(QFileInfo(path).path())));
    QVERIFY(QMetaObject::invokeMethod(dialog, "sig_accepted", Q_ARG(QVariant, QVariant::fromValue(caller)),
                                      Q_ARG(int, purpose), Q_ARG(QVariant, QVariantList{QUrl::fromLocalFile(path)})));
}

// The view's part of the window as drawn now. The offscreen platform hands
// its picture to the screen's grab, not to the window's.
QImage view_pixels(RoadWindow& road, QQuickItem* view)
{
    QQuickWindow* window = road.window();
    const QImage shot = window->screen()->grabWindow(window->winId()).toImage();
    return shot.copy(view->mapRectToScene(QRectF(0, 0, view->width(), view->height())).toRect());
}

// Opens the settings window by its button, chooses the add mode and closes it.
void choose_add_mode(RoadWindow& road, bool b_multiple)
{
    QQuickWindow* setting = road.find_window("wnd_setting");
    QVERIFY(setting != nullptr);
    QVERIFY(RoadWindow::click(road.find_item("btn_setting")));
    QVERIFY(RoadWindow::wait_for([&] { return setting->isVisible(); }));
    QVERIFY(QTest::qWaitForWindowExposed(setting));
    RoadWindow setting_road(setting);
    QVERIFY(RoadWindow::click(setting_road.find_item(b_multiple ? "radio_add_multi" : "radio_add_single")));
    QCOMPARE(DataConfig::instance()->get_add_ana_mode(), b_multiple ? 0 : 1);
    QVERIFY(RoadWindow::click(setting_road.find_item("setting_exit")));
    QVERIFY(RoadWindow::wait_for([&] { return !setting->isVisible(); }));
    // The window system gives the main window back the keys; offscreen, ask.
    road.window()->requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(road.window()));
}

// Opens a picture the way the start page and the open dialog do.
bool open_picture(QObject* client, const QString& path)
{
    QVariant ok;
    return QMetaObject::invokeMethod(client, "open_picture", Q_RETURN_ARG(QVariant, ok), Q_ARG(QVariant, path)) &&
           ok.toBool();
}

bool checked(RoadWindow& road, const char* name) { return road.find_item(name)->property("bChecked").toBool(); }

// Clicks a box of the object panel, scrolled into sight first.
bool click_box(RoadWindow& road, const char* name)
{
    QQuickItem* box = road.find_item(name);
    return box != nullptr && box->isVisible() && RoadWindow::reveal(road.find_item("flick_property"), box) &&
           RoadWindow::click(box);
}

QByteArray tone(int bytes)
{
    QByteArray note(bytes, '\0');
    for (int i = 0; i < bytes; ++i) note[i] = static_cast<char>((i * 5) % 256 - 128);
    return note;
}

uint32_t stored_sound_length(void* frame)
{
    uint32_t length = 0;
    return thermframe_get_sound_data(frame, nullptr, length) ? length : 0;
}

// Purposes of the shared file dialog.
constexpr int kSaveImage = 0;
constexpr int kImportAna = 2;
constexpr int kExportAna = 3;

}  // namespace

class PictureWindowRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void picture_window_open_draw_measure_rotate_save_reopen();
    void picture_window_folder_cursor_site_data_and_objects();
    void analysis_toolbar_reachable_in_every_language();
    void picture_window_add_modes_and_object_panel();
    void picture_window_sgcc_plain_voice_note_status_and_language();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

void PictureWindowRoadTest::picture_window_open_draw_measure_rotate_save_reopen()
{
    const QString sample = QDir::current().absoluteFilePath("samples/sample.jpg");
    if (!QFile::exists(sample)) QSKIP("samples were not generated");
    QTemporaryDir out;
    QVERIFY(out.isValid());

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    // Wide enough that the whole picture shows beside the parameter panel.
    QVERIFY(road.show(QSize(1280, 860)));
    QObject* client = road.find_object("wnd_client");
    QVERIFY(client != nullptr);

    // Opening goes the way the start page and the open dialog go.
    QVariant ok;
    QVERIFY(QMetaObject::invokeMethod(client, "open_picture", Q_RETURN_ARG(QVariant, ok), Q_ARG(QVariant, sample)));
    QVERIFY(ok.toBool());
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    QVERIFY(view != nullptr && view->source() != nullptr);
    QCOMPARE(view->source()->get_file_path(), sample);
    QVERIFY(road.find_item("wnd_ir_image")->isVisible());
    QCOMPARE(view->n_pixel_width(), 640);
    QCOMPARE(view->width(), 640.0);
    void* frame = view->source()->get_ir_data();
    road.save_screen(kTest, "1-opened");

    // Start from an empty picture, then draw one object of each kind.
    QVERIFY(RoadWindow::click(road.find_item("btn_clear_ana")));
    QCOMPARE(count_of(frame, ANA_ALL), 0);
    QVERIFY(RoadWindow::click(road.find_item("btn_add_point")));
    QVERIFY(RoadWindow::click_at(view, QPointF(100, 100)));
    QCOMPARE(count_of(frame, ANA_POINT), 1);
    QVERIFY(!road.find_item("btn_add_point")->property("bChecked").toBool());

    QVERIFY(RoadWindow::click(road.find_item("btn_add_line")));
    QVERIFY(RoadWindow::drag(view, QPointF(150, 60), QPointF(320, 70)));
    QCOMPARE(count_of(frame, ANA_LINE), 1);

    QVERIFY(RoadWindow::click(road.find_item("btn_add_rect")));
    QVERIFY(RoadWindow::drag(view, QPointF(60, 200), QPointF(200, 300)));
    QCOMPARE(count_of(frame, ANA_RECT), 1);

    QVERIFY(RoadWindow::click(road.find_item("btn_add_ellipse")));
    QVERIFY(RoadWindow::drag(view, QPointF(480, 140), QPointF(520, 180)));
    QCOMPARE(count_of(frame, ANA_ELLIPSE), 1);

    QVERIFY(RoadWindow::click(road.find_item("btn_add_polygon")));
    click_nodes(view, {QPointF(300, 320), QPointF(400, 320), QPointF(380, 420)});
    QCOMPARE(count_of(frame, ANA_POLYGON), 1);

    QVERIFY(RoadWindow::click(road.find_item("btn_add_polyline")));
    click_nodes(view, {QPointF(450, 300), QPointF(520, 360), QPointF(600, 330)});
    QCOMPARE(count_of(frame, ANA_POLYLINE), 1);
    QCOMPARE(count_of(frame, ANA_ALL), 6);
    road.save_screen(kTest, "2-drawn");

    // Select the rectangle by its body, move it, then pull its corner grip.
    void* rect = only_ana(frame, ANA_RECT);
    const std::vector<tagVYPoint> before = nodes_of(rect);
    QVERIFY(RoadWindow::drag(view, QPointF(130, 250), QPointF(150, 270)));
    QCOMPARE(view->source()->current_ana(), rect);
    std::vector<tagVYPoint> moved = nodes_of(rect);
    QCOMPARE(int(moved[0].x) - int(before[0].x), 20);
    QCOMPARE(int(moved[0].y) - int(before[0].y), 20);
    QVERIFY(RoadWindow::drag(view, QPointF(moved[1].x, moved[1].y), QPointF(moved[1].x + 30, moved[1].y + 20)));
    std::vector<tagVYPoint> resized = nodes_of(rect);
    QCOMPARE(resized[0].x, moved[0].x);
    QVERIFY(std::abs(int(resized[1].x) - int(moved[1].x) - 30) <= 1);
    QVERIFY(std::abs(int(resized[1].y) - int(moved[1].y) - 20) <= 1);
    // The panel shows the selected object's temperatures.
    QVERIFY(road.find_item("text_ana_temp")->property("text").toString().contains("["));
    road.save_screen(kTest, "3-moved-resized");

    // Arrow keys nudge the selected object by one pixel.
    road.key_click(Qt::Key_Right);
    QCOMPARE(int(nodes_of(rect)[0].x), int(resized[0].x) + 1);

    // Emissivity typed into the property panel changes every temperature.
    uint16_t x = 0, y = 0, ad = 0;
    float max_before = 0.0f;
    QVERIFY(thermframe_ana_get_max_temp(rect, x, y, ad, max_before));
    QQuickItem* emiss = road.find_item("input_strSettingEmiss");
    QVERIFY(emiss != nullptr);
    QVERIFY(RoadWindow::click(emiss));
    road.key_click(Qt::Key_A, Qt::ControlModifier);
    road.key_click(Qt::Key_0);
    road.key_click(Qt::Key_Period);
    road.key_click(Qt::Key_5);
    float emissivity = 0.0f;
    QVERIFY(thermframe_get_emiss(frame, emissivity));
    const bool follows = picture_follows_parameters(sample);
    if (follows) {
        QCOMPARE(emiss->property("text").toString(), QString("0.5"));
        QCOMPARE(emissivity, 0.5f);
        float max_after = 0.0f;
        QVERIFY(thermframe_ana_get_max_temp(rect, x, y, ad, max_after));
        float expected = 0.0f;
        QVERIFY(thermframe_get_temp_from_ad(frame, ad, expected));
        QCOMPARE(max_after, expected);
        QVERIFY2(max_after > max_before + 1.0f, qPrintable(QString("%1 -> %2").arg(max_before).arg(max_after)));
    } else {
        // A picture without calibration data keeps its own parameters: the
        // typed value is refused and nothing changes.
        qInfo("sample picture has no calibration data: emissivity refused");
        QCOMPARE(emissivity, 0.95f);
        // The field gets the picture's value back once it is left.
        road.key_click(Qt::Key_Return);
        QCOMPARE(emiss->property("text").toString(), QString("0.95"));
    }
    road.save_screen(kTest, "4-emissivity");

    // Rotate right: the view turns to portrait.
    QVERIFY(RoadWindow::click(road.find_item("btn_rotate_right")));
    RotationAngle angle = ROTATION_NONE;
    QVERIFY(thermframe_get_rotation_angle(frame, angle));
    QCOMPARE(int(angle), int(ROTATION_90));
    QCOMPARE(view->n_pixel_width(), 512);
    QCOMPARE(view->width(), 512.0);
    road.save_screen(kTest, "5-rotated");

    // Save as: the dialog starts in the picture save path and keeps the
    // folder chosen; the picture goes there as an ordinary JPEG.
    const std::map<std::string, AnaState> saved = anas_of(frame);
    const QString target = out.filePath("saved picture.v2.jpg");
    DataConfig::instance()->set_image_save_path(QDir::currentPath());
    m_guard.expect(QRegularExpression("does not support propagateSizeHints"));
    QVERIFY(RoadWindow::click(road.find_item("btn_save_to")));
    auto* dialogs = shell.main_window()->property("dialogFile").value<QObject*>();
    QVERIFY(dialogs != nullptr);
    QObject* qt_dialog = dialogs->property("dialog").value<QObject*>();
    QVERIFY(qt_dialog != nullptr);
    QCOMPARE(qt_dialog->property("folder").toUrl().toLocalFile(), QDir::currentPath());
    answer_dialog(dialogs, road.find_object("wnd_ir_image"), kSaveImage, target);
    QVERIFY(QFile::exists(target));
    QCOMPARE(DataConfig::instance()->get_image_save_path(), out.path());

    QVERIFY(QMetaObject::invokeMethod(client, "open_picture", Q_RETURN_ARG(QVariant, ok), Q_ARG(QVariant, sample)));
    QVERIFY(QMetaObject::invokeMethod(client, "open_picture", Q_RETURN_ARG(QVariant, ok), Q_ARG(QVariant, target)));
    QVERIFY(ok.toBool());
    // Another folder opens in a tab of its own.
    QVariant shown;
    QVERIFY(QMetaObject::invokeMethod(client, "current_wnd", Q_RETURN_ARG(QVariant, shown)));
    QObject* second = shown.value<QObject*>();
    QVERIFY(second != nullptr);
    auto in_second = [second](const char* name) { return second->findChild<QQuickItem*>(name); };
    view = qvariant_cast<WndIRShow*>(second->property("wndIRShow"));
    QVERIFY(view != nullptr);
    QCOMPARE(view->source()->get_file_path(), target);
    frame = view->source()->get_ir_data();
    QVERIFY(thermframe_get_emiss(frame, emissivity));
    QCOMPARE(emissivity, follows ? 0.5f : 0.95f);
    const std::map<std::string, AnaState> reopened = anas_of(frame);
    QCOMPARE(reopened.size(), saved.size());
    for (const auto& entry : saved) {
        const auto it = reopened.find(entry.first);
        QVERIFY2(it != reopened.end(), entry.first.c_str());
        QCOMPARE(it->second.alias, entry.second.alias);
        QCOMPARE(it->second.max, entry.second.max);
    }
    road.save_screen(kTest, "6-reopened");

    // An ordinary picture opens without temperatures: the picture operations
    // hide, and the analysis toolbar and the property panel are covered, so
    // no tool reaches the temperatures the picture lacks.
    QImage ordinary(400, 300, QImage::Format_RGB32);
    ordinary.fill(QColor(40, 90, 160));
    const QString plain = out.filePath("ordinary.png");
    QVERIFY(ordinary.save(plain, "PNG"));
    QVERIFY(QMetaObject::invokeMethod(client, "open_picture", Q_RETURN_ARG(QVariant, ok), Q_ARG(QVariant, plain)));
    QVERIFY(ok.toBool());
    QVERIFY(view->is_show_normal_image());
    QVERIFY(in_second("cover_plain_image")->isVisible());
    QVERIFY(!in_second("btn_rotate_right")->isVisible());
    QVERIFY(!in_second("btn_save")->isVisible());
    QCOMPARE(view->width(), 400.0);
    QCOMPARE(in_second("input_strSettingEmiss")->property("text").toString(), QString());
    QVERIFY(in_second("cover_plain_toolbar")->isVisible());
    QVERIFY(!in_second("btn_batch_ana")->isVisible());
    QVERIFY(RoadWindow::click(in_second("btn_isotherm")));
    QVERIFY(!in_second("btn_isotherm")->property("bChecked").toBool());
    QVERIFY(RoadWindow::click(in_second("btn_copy_temp")));
    QVERIFY(!in_second("wnd_copy_temp")->isVisible());
    QVERIFY(RoadWindow::move_to(in_second("cover_plain_toolbar"), QPointF(20, 10)));
    QVERIFY(RoadWindow::wait_for([&] {
        for (QQuickItem* tip : second->findChildren<QQuickItem*>("text_cover_tip")) {
            if (tip->isVisible()) return true;
        }
        return false;
    }));
    road.save_screen(kTest, "7-plain");

    // A file nobody can read says so and keeps the picture shown.
    const QString junk = out.filePath("junk.jpg");
    QFile bad(junk);
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    m_guard.expect(QRegularExpression("Not a JPEG file"));
    m_guard.expect(QRegularExpression("plain image refused"));
    QVERIFY(QMetaObject::invokeMethod(client, "open_picture", Q_RETURN_ARG(QVariant, ok), Q_ARG(QVariant, junk)));
    QVERIFY(!ok.toBool());
    QVERIFY(in_second("text_tip")->isVisible());
    QCOMPARE(view->get_file_path(), plain);
    road.save_screen(kTest, "8-unreadable");
}

void PictureWindowRoadTest::picture_window_folder_cursor_site_data_and_objects()
{
    const QDir samples(QDir::current().absoluteFilePath("samples"));
    if (!samples.exists("sample.jpg")) QSKIP("samples were not generated");
    // A folder of three different pictures, in name order.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QStringList names{"1 cabinet.jpg", "2 wall.jpg", "3 pipes.png"};
    const QStringList sources{"sample.jpg", "sample_wall.jpg", "sample.png"};
    for (int i = 0; i < names.size(); ++i) {
        QVERIFY(QFile::copy(samples.filePath(sources[i]), folder.filePath(names[i])));
    }

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 800)));

    // Opening from the start page shows the folder in the strip.
    QVERIFY(QMetaObject::invokeMethod(road.find_object("start_page"), "open_file",
                                      Q_ARG(QVariant, folder.filePath(names[0])), Q_ARG(QVariant, true)));
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    QVERIFY(view != nullptr && view->source() != nullptr);
    QQuickItem* counter = road.find_item("text_pic");
    QCOMPARE(counter->property("text").toString(), QString("1 / 3 - 1 cabinet.jpg"));
    QCOMPARE(road.find_item("list_ir_pic")->property("mn_preview_count").toInt(), 3);
    // The status bar tells the picture's resolution.
    QVERIFY(road.find_item("status_text")->property("text").toString().contains("640"));
    road.save_screen(kTest, "9-folder");

    // Next, previous, the arrow keys and the thumbnails step through it.
    auto shown = [&] { return QFileInfo(view->get_file_path()).fileName(); };
    auto hottest = [&] {
        float t = 0.0f;
        uint16_t x = 0, y = 0, ad = 0;
        thermframe_get_max_temp(view->source()->get_ir_data(), x, y, ad, t);
        return t;
    };
    const float first_max = hottest();
    QVERIFY(RoadWindow::click(road.find_item("btn_pic_next")));
    QCOMPARE(shown(), names[1]);
    QCOMPARE(counter->property("text").toString(), QString("2 / 3 - 2 wall.jpg"));
    QVERIFY(hottest() != first_max);
    road.key_click(Qt::Key_Right);
    QCOMPARE(counter->property("text").toString(), QString("3 / 3 - 3 pipes.png"));
    road.key_click(Qt::Key_Right);
    QCOMPARE(shown(), names[2]);
    road.key_click(Qt::Key_Left);
    QCOMPARE(shown(), names[1]);
    QVERIFY(RoadWindow::click(road.find_item("btn_pic_previous")));
    QVERIFY(RoadWindow::click(road.find_item("btn_pic_previous")));
    QCOMPARE(counter->property("text").toString(), QString("1 / 3 - 1 cabinet.jpg"));
    QVERIFY(RoadWindow::click(road.find_item("pic_thumb_2")));
    QCOMPARE(shown(), names[2]);
    QVERIFY(RoadWindow::click(road.find_item("pic_thumb_0")));
    QCOMPARE(hottest(), first_max);
    void* frame = view->source()->get_ir_data();

    // The cursor temperature follows the pointer.
    QVERIFY(RoadWindow::click(road.find_item("btn_mouse_temp")));
    QVERIFY(RoadWindow::move_to(view, QPointF(201, 150)));
    QVERIFY(RoadWindow::move_to(view, QPointF(200, 150)));
    float at_pixel = 0.0f;
    QVERIFY(thermframe_get_temp_from_position(frame, 200, 150, at_pixel));
    QQuickItem* tip = road.find_item("text_mouse_temp");
    QTRY_VERIFY(road.find_item("mouse_temp_tip")->isVisible());
    QCOMPARE(tip->property("text").toString(), QString::asprintf("[200,150]%.1f", at_pixel));
    QCOMPARE(view->source()->get_mouse_temp_text(200, 150), tip->property("text").toString());
    road.save_screen(kTest, "10-cursor-temperature");

    // Site data typed into the panel is saved with the picture and comes
    // back when it opens again.
    QQuickItem* flick = road.find_item("flick_property");
    QQuickItem* weather = road.find_item("combo_weather");
    QVERIFY(RoadWindow::reveal(flick, weather));
    QVERIFY(RoadWindow::click(weather));
    QVERIFY(RoadWindow::reveal(flick, road.find_item("weather_3")));
    QVERIFY(RoadWindow::click(road.find_item("weather_3")));
    const std::vector<std::pair<QString, QString>> site{{"strSettingWindSpeed", "3.5"}, {"strSettingVoltage", "110"},
                                                        {"strSettingCurrent", "250"}, {"strSettingPicText", "north gate"}};
    for (const auto& field : site) type_into(road, road.find_item("input_" + field.first), field.second);
    road.save_screen(kTest, "11-site-data");
    QVERIFY(RoadWindow::click(road.find_item("btn_save")));
    // The keys step pictures again once a button was used after typing.
    road.key_click(Qt::Key_Right);
    QCOMPARE(shown(), names[1]);
    QCOMPARE(road.find_item("input_strSettingVoltage")->property("text").toString(), QString());
    QVERIFY(RoadWindow::click(road.find_item("btn_pic_previous")));
    for (const auto& field : site) {
        QCOMPARE(road.find_item("input_" + field.first)->property("text").toString(), field.second);
    }
    QCOMPARE(road.find_item("content_ir_pic_setting")->property("mn_weather").toInt(), 3);
    const QJsonObject user_data = view->source()->get_user_data();
    QCOMPARE(user_data.value("VYWeather").toString(), QString("Drizzle"));
    QCOMPARE(user_data.value("VYLoadCurrent").toString(), QString("250"));
    road.save_screen(kTest, "12-site-data-reopened");

    // Emissivity 5 is refused where it is typed, and the field gets the
    // picture's value back when it is left.
    frame = view->source()->get_ir_data();
    float emissivity_before = 0.0f;
    QVERIFY(thermframe_get_emiss(frame, emissivity_before));
    QQuickItem* emiss = road.find_item("input_strSettingEmiss");
    const QString shown_before = emiss->property("text").toString();
    type_into(road, emiss, "5");
    QVERIFY(road.find_item("text_param_error")->isVisible());
    float emissivity = 0.0f;
    QVERIFY(thermframe_get_emiss(frame, emissivity));
    QCOMPARE(emissivity, emissivity_before);
    road.save_screen(kTest, "13-emissivity-refused");
    road.key_click(Qt::Key_Return);
    QCOMPARE(emiss->property("text").toString(), shown_before);
    // The value shown is the picture's own again: nothing is refused now.
    QVERIFY(!road.find_item("text_param_error")->isVisible());

    // Select the rectangle: its panel gives it an emissivity of its own and
    // a new name; an empty, a long or a taken name is refused there.
    void* rect = only_ana(frame, ANA_RECT);
    const std::vector<tagVYPoint> corners = nodes_of(rect);
    QVERIFY(RoadWindow::click_at(view, QPointF(corners[0].x + 6, corners[0].y + 6)));
    QCOMPARE(view->source()->current_ana(), rect);
    QQuickItem* own = road.find_item("check_ana_self_para");
    QVERIFY(RoadWindow::reveal(flick, own));
    QVERIFY(RoadWindow::click(own));
    type_into(road, road.find_item("input_strSettingAnaEmiss"), "0.5");
    bool has_own = false;
    float own_emiss = 0.0f, own_dist = 0.0f;
    QVERIFY(thermframe_ana_get_self_para(rect, has_own, own_emiss, own_dist));
    QVERIFY(has_own);
    QCOMPARE(own_emiss, 0.5f);
    const std::vector<std::pair<QString, QString>> names_refused{
        {"", "别名不能为空！"}, {"a name over twenty chars", "别名过长！"}, {"hot spot", "别名重复！"}};
    QQuickItem* alias = road.find_item("input_ana_alias");
    for (const auto& refused : names_refused) {
        type_into(road, alias, refused.first);
        QVERIFY(RoadWindow::click(road.find_item("btn_ana_rename")));
        QCOMPARE(road.find_item("text_alias_error")->property("text").toString(),
                 QCoreApplication::translate("ItemContentIRAnaSetting", refused.second.toUtf8().constData()));
    }
    type_into(road, alias, "cabinet door");
    QVERIFY(RoadWindow::click(road.find_item("btn_ana_rename")));
    QVERIFY(!road.find_item("text_alias_error")->isVisible());
    std::string renamed;
    QVERIFY(thermframe_ana_get_alias(rect, renamed));
    QCOMPARE(QString::fromStdString(renamed), QString("cabinet door"));
    QVERIFY(road.find_item("text_ana_temp")->property("text").toString().startsWith("cabinet door"));
    road.save_screen(kTest, "14-object-panel");

    // Export the objects, clear them, import them again.
    QTemporaryDir ana_dir;
    QVERIFY(ana_dir.isValid());
    DataConfig::instance()->set_ana_path(ana_dir.path());
    auto* dialogs = shell.main_window()->property("dialogFile").value<QObject*>();
    QObject* wnd = road.find_object("wnd_ir_image");
    const std::map<std::string, AnaState> before = anas_of(frame);
    const QString ana_file = ana_dir.filePath("cabinet.as");
    m_guard.expect(QRegularExpression("does not support propagateSizeHints"));
    QVERIFY(RoadWindow::click(road.find_item("btn_export_ana")));
    QCOMPARE(dialogs->property("dialog").value<QObject*>()->property("folder").toUrl().toLocalFile(), ana_dir.path());
    answer_dialog(dialogs, wnd, kExportAna, ana_file);
    QCOMPARE(QFileInfo(ana_file).size(), qint64(28 + 2172 * before.size()));
    QVERIFY(RoadWindow::click(road.find_item("btn_clear_ana")));
    QCOMPARE(count_of(frame, ANA_ALL), 0);
    // The import's open dialog is a new dialog window of its own.
    m_guard.expect(QRegularExpression("does not support propagateSizeHints"));
    QVERIFY(RoadWindow::click(road.find_item("btn_import_ana")));
    answer_dialog(dialogs, wnd, kImportAna, ana_file);
    const std::map<std::string, AnaState> after = anas_of(frame);
    QCOMPARE(after.size(), before.size());
    for (const auto& entry : before) {
        const auto it = after.find(entry.first);
        QVERIFY2(it != after.end(), entry.first.c_str());
        QCOMPARE(it->second.alias, entry.second.alias);
    }
    road.save_screen(kTest, "15-analysis-imported");
}

void PictureWindowRoadTest::analysis_toolbar_reachable_in_every_language()
{
    const QString sample = QDir::current().absoluteFilePath("samples/sample.jpg");
    if (!QFile::exists(sample)) QSKIP("samples were not generated");
    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 800)));
    QVERIFY(open_picture(road.find_object("wnd_client"), sample));
    const QStringList tools{"btn_add_point", "btn_add_line", "btn_add_rect", "btn_add_ellipse", "btn_add_polygon",
                            "btn_add_polyline", "btn_delete_ana", "btn_clear_ana", "btn_import_ana", "btn_export_ana",
                            "btn_mouse_temp", "btn_max_point", "btn_min_point", "btn_chart_line", "btn_chart_area",
                            "btn_isotherm", "btn_palette", "btn_imaging", "btn_copy_temp", "btn_temp_table",
                            "btn_temp_preview", "btn_batch_ana"};
    QQuickItem* view_area = road.find_item("area_ir_show");
    QQuickItem* panel = road.find_item("area_property_ir");
    for (int language : {0, 1, 2, 3, 4}) {
        QVERIFY(QMetaObject::invokeMethod(road.window(), "set_language", Q_ARG(QVariant, language)));
        // Every tool lies whole inside the view's area, clear of the panel.
        QVERIFY(RoadWindow::wait_for([&] {
            const QRectF area = view_area->mapRectToScene(QRectF(0, 0, view_area->width(), view_area->height()));
            const qreal panel_left = panel->mapToScene(QPointF(0, 0)).x();
            for (const QString& name : tools) {
                QQuickItem* tool = road.find_item(name);
                const QRectF at = tool->mapRectToScene(QRectF(0, 0, tool->width(), tool->height()));
                if (!tool->isVisible() || !area.contains(at) || at.right() > panel_left) return false;
            }
            return true;
        }));
        road.save_screen(kTest, QString("16-toolbar-language-%1").arg(language));
    }
    // The last tools answer a click: the imaging menu opens and enhances.
    QVERIFY(RoadWindow::click(road.find_item("btn_imaging")));
    QVERIFY(road.find_item("menu_imaging")->isVisible());
    road.save_screen(kTest, "17-imaging-menu");
    QVERIFY(RoadWindow::click(road.find_item("menu_imaging_blur")));
    QVERIFY(!road.find_item("menu_imaging")->isVisible());
    QVERIFY(road.find_item("menu_imaging")->property("bBlur").toBool());
}

void PictureWindowRoadTest::picture_window_add_modes_and_object_panel()
{
    const QString sample = QDir::current().absoluteFilePath("samples/sample.jpg");
    if (!QFile::exists(sample)) QSKIP("samples were not generated");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString picture = folder.filePath("panel.jpg");
    QVERIFY(QFile::copy(sample, picture));

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 860)));
    QVERIFY(open_picture(road.find_object("wnd_client"), picture));
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    QVERIFY(view != nullptr && view->source() != nullptr);
    void* frame = view->source()->get_ir_data();
    QVERIFY(RoadWindow::click(road.find_item("btn_clear_ana")));

    // "Multiple": the point button stays down and each click adds a point.
    choose_add_mode(road, true);
    QVERIFY(RoadWindow::click(road.find_item("btn_add_point")));
    for (const QPointF& at : {QPointF(80, 80), QPointF(170, 80), QPointF(260, 80)}) {
        QVERIFY(RoadWindow::click_at(view, at));
        QVERIFY(checked(road, "btn_add_point"));
    }
    QCOMPARE(count_of(frame, ANA_POINT), 3);
    road.save_screen(kTest, "18-multiple-points");
    // Releasing the button ends the mode: a click only selects.
    QVERIFY(RoadWindow::click(road.find_item("btn_add_point")));
    QVERIFY(RoadWindow::click_at(view, QPointF(350, 80)));
    QCOMPARE(count_of(frame, ANA_POINT), 3);
    choose_add_mode(road, false);

    QVERIFY(RoadWindow::click(road.find_item("btn_add_rect")));
    QVERIFY(RoadWindow::drag(view, QPointF(60, 200), QPointF(200, 300)));
    QVERIFY(!checked(road, "btn_add_rect"));
    QVERIFY(RoadWindow::click(road.find_item("btn_add_ellipse")));
    QVERIFY(RoadWindow::drag(view, QPointF(400, 150), QPointF(520, 250)));
    QVERIFY(RoadWindow::click(road.find_item("btn_add_line")));
    QVERIFY(RoadWindow::drag(view, QPointF(300, 400), QPointF(500, 400)));
    void* rect = only_ana(frame, ANA_RECT);
    void* ellipse = only_ana(frame, ANA_ELLIPSE);
    void* line = only_ana(frame, ANA_LINE);
    QVERIFY(rect != nullptr && ellipse != nullptr && line != nullptr);
    auto select = [&](const QPointF& at, void* ana) {
        return RoadWindow::click_at(view, at) && view->source()->current_ana() == ana;
    };
    const QPointF at_rect(66, 206), at_ellipse(460, 200), at_line(400, 400);

    // The "Own parameters" box shows the selected object's own state.
    QVERIFY(select(at_ellipse, ellipse));
    QVERIFY(!checked(road, "check_ana_self_para"));
    QVERIFY(click_box(road, "check_ana_self_para"));
    QVERIFY(checked(road, "check_ana_self_para"));
    QVERIFY(select(at_rect, rect));
    QVERIFY(!checked(road, "check_ana_self_para"));
    QVERIFY(!road.find_item("input_strSettingAnaEmiss")->isEnabled());
    QVERIFY(click_box(road, "check_ana_self_para"));
    QVERIFY(road.find_item("input_strSettingAnaEmiss")->isEnabled());
    type_into(road, road.find_item("input_strSettingAnaEmiss"), "0.6");
    bool own = false;
    float own_emiss = 0.0f, own_dist = 0.0f;
    QVERIFY(thermframe_ana_get_self_para(rect, own, own_emiss, own_dist));
    QVERIFY(own);
    QCOMPARE(own_emiss, 0.6f);
    QVERIFY(select(at_ellipse, ellipse));
    QVERIFY(checked(road, "check_ana_self_para"));
    QVERIFY(thermframe_ana_get_self_para(ellipse, own, own_emiss, own_dist));
    QCOMPARE(road.find_item("input_strSettingAnaEmiss")->property("text").toString(),
             QString::asprintf("%.2f", own_emiss));
    QVERIFY(click_box(road, "check_ana_self_para"));
    QVERIFY(thermframe_ana_get_self_para(ellipse, own, own_emiss, own_dist));
    QVERIFY(!own);
    QVERIFY(!checked(road, "check_ana_self_para"));
    road.save_screen(kTest, "19-own-parameters");

    // The hottest and coldest spots of the rectangle are drawn when ticked.
    QVERIFY(select(at_rect, rect));
    QVERIFY(!road.find_item("check_ana_cursor")->isVisible());
    const QImage plain_rect = view_pixels(road, view);
    QVERIFY(click_box(road, "check_ana_max_point"));
    QVERIFY(click_box(road, "check_ana_min_point"));
    bool on = false;
    QVERIFY(thermframe_ana_is_show_max(rect, on) && on);
    QVERIFY(thermframe_ana_is_show_min(rect, on) && on);
    QVERIFY(checked(road, "check_ana_max_point") && checked(road, "check_ana_min_point"));
    QVERIFY(RoadWindow::wait_for([&] { return view_pixels(road, view) != plain_rect; }));
    road.save_screen(kTest, "20-max-min-points");

    // An own palette for the rectangle: the palette menu now colours it only.
    PALETTE frame_palette = PAL_IRON;
    QVERIFY(thermframe_get_palette(frame, frame_palette));
    QVERIFY(click_box(road, "check_ana_self_palette"));
    QVERIFY(thermframe_ana_has_self_palette(rect, on) && on);
    QVERIFY(RoadWindow::wait_for([&] { return road.find_item("area_ir_show")->property("bPaletteAna").toBool(); }));
    QVERIFY(RoadWindow::click(road.find_item("btn_palette")));
    QVERIFY(RoadWindow::click(road.find_item("palette_row_3")));
    PALETTE palette = PAL_IRON;
    QVERIFY(thermframe_ana_get_palette(rect, palette));
    QCOMPARE(int(palette), 3);
    PALETTE after = PAL_IRON;
    QVERIFY(thermframe_get_palette(frame, after));
    QCOMPARE(after, frame_palette);
    road.save_screen(kTest, "21-own-palette");

    // A line has the cursor box and no palette box; the cursor is drawn.
    QVERIFY(select(at_line, line));
    QVERIFY(!road.find_item("check_ana_self_palette")->isVisible());
    const QImage plain_line = view_pixels(road, view);
    QVERIFY(click_box(road, "check_ana_cursor"));
    QVERIFY(thermframe_ana_is_show_cursor(line, on) && on);
    QVERIFY(checked(road, "check_ana_cursor"));
    QVERIFY(RoadWindow::wait_for([&] { return view_pixels(road, view) != plain_line; }));
    road.save_screen(kTest, "22-line-cursor");

    // The colour swatch opens the main window's colour dialog; the chosen
    // colour becomes the line's.
    m_guard.expect(QRegularExpression("does not support propagateSizeHints"));
    QVERIFY(click_box(road, "btn_ana_line_color"));
    QObject* colours = shell.main_window()->property("dialogColor").value<QObject*>();
    QVERIFY(colours != nullptr);
    QObject* shown = colours->property("dialog").value<QObject*>();
    QVERIFY(shown != nullptr && shown->property("visible").toBool());
    QVERIFY(QMetaObject::invokeMethod(shown, "close"));
    road.window()->requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(road.window()));
    QVERIFY(QMetaObject::invokeMethod(colours, "sig_change_color",
                                      Q_ARG(QVariant, QVariant::fromValue<QObject*>(road.find_item("content_ir_ana_setting"))),
                                      Q_ARG(QColor, QColor(255, 0, 0))));
    QCOMPARE(view->source()->get_cur_ana_property().value("strSettingAnaLineColor").toString(), QString("#ff0000"));
    QCOMPARE(road.find_item("btn_ana_line_color")->property("color").value<QColor>(), QColor(255, 0, 0));

    // A point has only the box that shows its temperature.
    void* point = nullptr;
    QVERIFY(thermframe_get_ana(frame, ANA_POINT, 0, point));
    const std::vector<tagVYPoint> spot = nodes_of(point);
    QVERIFY(select(QPointF(spot[0].x, spot[0].y), point));
    for (const char* name : {"check_ana_max_point", "check_ana_min", "check_ana_cursor", "check_ana_self_palette"}) {
        QVERIFY2(!road.find_item(name)->isVisible(), name);
    }
    QVERIFY(road.find_item("check_ana_max")->isVisible());
    road.save_screen(kTest, "23-point-panel");

    // Wind speed and current take numbers from 0 with one decimal.
    for (const char* key : {"strSettingWindSpeed", "strSettingCurrent"}) {
        QQuickItem* field = road.find_item(QString("input_") + key);
        type_into(road, field, "-a2.75");
        QCOMPARE(field->property("text").toString(), QString("2.7"));
    }
    const QJsonObject site = view->source()->get_user_data();
    QCOMPARE(site.value("VYWindSpeed").toString(), QString("2.7"));
    QCOMPARE(site.value("VYLoadCurrent").toString(), QString("2.7"));

    // The simplified table's title says the grid of numbers it shows.
    QVERIFY(RoadWindow::click(road.find_item("btn_temp_preview")));
    QQuickWindow* preview = road.find_window("wnd_ir_temp_simplified");
    QVERIFY(preview != nullptr);
    QQuickItem* table = preview->findChild<QQuickItem*>("wnd_table_ir_temp_simplified");
    QVERIFY(table != nullptr);
    QVERIFY(RoadWindow::wait_for([&] { return table->property("n_grid_columns").toInt() > 0; }, 60000));
    const int columns = table->property("n_grid_columns").toInt();
    const int rows = table->property("n_grid_rows").toInt();
    QVERIFY(columns < 120 && rows < 90);
    QVERIFY2(preview->title().contains(QString("%1 x %2").arg(columns).arg(rows)), qPrintable(preview->title()));
    QVERIFY(QTest::qWaitForWindowExposed(preview));
    RoadWindow::save_screen(preview, kTest, "24-temp-preview-title");
    preview->close();
}

void PictureWindowRoadTest::picture_window_sgcc_plain_voice_note_status_and_language()
{
    const QDir samples(QDir::current().absoluteFilePath("samples"));
    if (!samples.exists("sample.jpg")) QSKIP("samples were not generated");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QStringList names{"1 note.jpg", "2 junk.jpg", "3 wall.jpg"};
    QVERIFY(QFile::copy(samples.filePath("sample.jpg"), folder.filePath(names[0])));
    QFile junk(folder.filePath(names[1]));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    QVERIFY(QFile::copy(samples.filePath("sample_wall.jpg"), folder.filePath(names[2])));

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    // Tall enough that the whole property column shows without scrolling.
    QVERIFY(road.show(QSize(1280, 1000)));
    QObject* client = road.find_object("wnd_client");
    QVERIFY(open_picture(client, folder.filePath(names[0])));
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    QVERIFY(view != nullptr);
    auto* picture = qobject_cast<IRImage*>(view->source());
    QVERIFY(picture != nullptr);
    QQuickItem* status = road.find_item("status_text");
    QQuickItem* counter = road.find_item("text_pic");
    QQuickItem* flick = road.find_item("flick_property");

    // Record a voice note from an input standing in for the microphone.
    QBuffer microphone;
    microphone.setData(tone(12000));
    picture->audio_tool().use_devices(&microphone, nullptr);
    QQuickItem* record = road.find_item("btn_audio_record");
    QVERIFY(RoadWindow::reveal(flick, record));
    QVERIFY(RoadWindow::click(record));
    QVERIFY(checked(road, "btn_audio_record"));
    emit microphone.readyRead();
    QVERIFY(RoadWindow::click(record));
    QVERIFY(!checked(road, "btn_audio_record"));
    QCOMPARE(road.find_item("text_sound_time")->property("text").toString(), QString("00:01"));
    QVERIFY(road.find_item("btn_audio_play")->isEnabled());
    QVERIFY(RoadWindow::click(road.find_item("btn_save")));
    QCOMPARE(stored_sound_length(picture->get_ir_data()), 12000u);

    // Without an input, Record says so, counts nothing and the picture keeps
    // its note through Record, Record again and Save.
    QTemporaryDir no_devices;
    QVERIFY(no_devices.isValid());
    QFile missing(no_devices.filePath("no microphone/input"));
    picture->audio_tool().use_devices(&missing, nullptr);
    for (int attempt = 0; attempt < 2; ++attempt) {
        m_guard.expect(QRegularExpression("recording did not start"));
        QVERIFY(RoadWindow::click(record));
        QVERIFY(!checked(road, "btn_audio_record"));
        QVERIFY(road.find_item("text_audio_error")->isVisible());
        QCOMPARE(road.find_item("text_sound_time")->property("text").toString(), QString("00:01"));
    }
    road.save_screen(kTest, "25-voice-note-no-input");
    QVERIFY(RoadWindow::click(road.find_item("btn_save")));
    QVERIFY(RoadWindow::click(road.find_item("pic_thumb_2")));
    QVERIFY(RoadWindow::click(road.find_item("pic_thumb_0")));
    QCOMPARE(QFileInfo(view->get_file_path()).fileName(), names[0]);
    QCOMPARE(stored_sound_length(picture->get_ir_data()), 12000u);
    QCOMPARE(picture->audio_tool().sound_length(), 12000u);
    QVERIFY(!road.find_item("text_audio_error")->isVisible());
    QCOMPARE(road.find_item("text_sound_time")->property("text").toString(), QString("00:01"));

    // The status bar follows a rotation and a save.
    QVERIFY(status->property("text").toString().contains("640 x 512"));
    QVERIFY(RoadWindow::click(road.find_item("btn_rotate_right")));
    QVERIFY(status->property("text").toString().contains("512 x 640"));
    road.save_screen(kTest, "26-status-rotated");
    QVERIFY(RoadWindow::click(road.find_item("btn_save")));
    const QString changed = QFileInfo(view->get_file_path()).lastModified().toString("yyyy-MM-dd hh:mm:ss");
    QVERIFY2(status->property("text").toString().contains(changed), qPrintable(status->property("text").toString()));
    QVERIFY(RoadWindow::click(road.find_item("btn_rotate_left")));
    QVERIFY(status->property("text").toString().contains("640 x 512"));

    // Switching the language with an object selected renames the labels of
    // the panel and of the status bar at once.
    void* hot = nullptr;
    QVERIFY(thermframe_get_ana_handle_from_alias(picture->get_ir_data(), "hot spot", hot));
    const std::vector<tagVYPoint> hot_nodes = nodes_of(hot);
    QVERIFY(!hot_nodes.empty());
    QVERIFY(RoadWindow::click_at(view, QPointF(hot_nodes[0].x, hot_nodes[0].y)));
    QVERIFY(view->source()->current_ana() != nullptr);
    const QString alias = view->source()->get_ana_alias();
    for (int language : {3, 1}) {
        QVERIFY(QMetaObject::invokeMethod(road.window(), "set_language", Q_ARG(QVariant, language)));
        const QString max_label = QCoreApplication::translate("ItemAreaPropertyIR", "最高温: ");
        const QString ana_label = QCoreApplication::translate("ItemAreaPropertyIR", "最高");
        const QString resolution = QCoreApplication::translate("ItemCommonText", "分辨率");
        QVERIFY(max_label != QString::fromUtf8("最高温: "));
        QVERIFY(RoadWindow::wait_for([&] {
            return road.find_item("text_max_temp")->property("text").toString().startsWith(max_label) &&
                   road.find_item("text_ana_temp")->property("text").toString().startsWith(alias + "  " + ana_label) &&
                   status->property("text").toString().startsWith(resolution);
        }));
        road.save_screen(kTest, QString("27-labels-language-%1").arg(language));
    }

    // A failed opening leaves the strip, the counter and the picture alone.
    m_guard.expect(QRegularExpression("Not a JPEG file"));
    m_guard.expect(QRegularExpression("plain image refused"));
    QVERIFY(RoadWindow::click(road.find_item("pic_thumb_1")));
    QVERIFY(road.find_item("text_tip")->isVisible());
    QCOMPARE(road.find_item("list_ir_pic")->property("nCurIndex").toInt(), 0);
    QCOMPARE(counter->property("text").toString(), QString("1 / 3 - 1 note.jpg"));
    QCOMPARE(QFileInfo(view->get_file_path()).fileName(), names[0]);
    road.save_screen(kTest, "28-failed-open");
    QVERIFY(RoadWindow::click(road.find_item("pic_thumb_0")));

    // An SGCC picture shows its site data; it keeps no voice note.
    QVERIFY(view->set_ir_property(QJsonObject{{"strSettingWeather", 2}, {"strSettingVoltage", "220"},
                                              {"strSettingWindSpeed", "1.5"}, {"strSettingPicText", "feeder 7"}}));
    QTemporaryDir other;
    QVERIFY(other.isValid());
    const QString sgcc = other.filePath("grid.jpg");
    QVERIFY(view->save_as_sgcc_image_to_file(sgcc));
    QVERIFY(open_picture(client, sgcc));
    QVariant current;
    QVERIFY(QMetaObject::invokeMethod(client, "current_wnd", Q_RETURN_ARG(QVariant, current)));
    QObject* second = current.value<QObject*>();
    QVERIFY(second != nullptr);
    auto in_second = [second](const char* name) { return second->findChild<QQuickItem*>(name); };
    auto* sgcc_view = qvariant_cast<WndIRShow*>(second->property("wndIRShow"));
    QVERIFY(sgcc_view != nullptr && sgcc_view->is_sgcc_image());
    QVERIFY(in_second("content_ir_pic_setting")->isVisible());
    QCOMPARE(in_second("content_ir_pic_setting")->property("mn_weather").toInt(), 2);
    QCOMPARE(in_second("input_strSettingVoltage")->property("text").toString(), QString("220"));
    QCOMPARE(in_second("input_strSettingWindSpeed")->property("text").toString(), QString("1.5"));
    QCOMPARE(in_second("input_strSettingPicText")->property("text").toString(), QString("feeder 7"));
    QVERIFY(!in_second("row_voice_note")->isVisible());
    QVERIFY(!in_second("cover_plain_toolbar")->isVisible());
    QVERIFY(in_second("btn_batch_ana")->isVisible());
    QVERIFY(RoadWindow::reveal(in_second("flick_property"), in_second("input_strSettingPicText")));
    road.save_screen(kTest, "29-sgcc-site-data");
}

QTEST_MAIN(PictureWindowRoadTest)
#include "picture_window_road_test.moc"
