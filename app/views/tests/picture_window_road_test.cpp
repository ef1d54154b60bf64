// Road test of the picture window: the real main window, offscreen, driven
// by mouse and keys as a user would: open a sample picture, draw one object
// of each kind, move and resize one by its grips, change the emissivity in
// the property panel, rotate, save as JPEG and reopen.
#include "message_guard.h"
#include "parameter_probe.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "sources/ir_base.h"
#include "test_folders.h"
#include "thermframe.h"
#include "views/wnd_ir_show.h"

#include <QDir>
#include <QFile>
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

}  // namespace

class PictureWindowRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void picture_window_open_draw_measure_rotate_save_reopen();

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
    QCOMPARE(emiss->property("text").toString(), QString("0.5"));
    float emissivity = 0.0f;
    QVERIFY(thermframe_get_emiss(frame, emissivity));
    const bool follows = picture_follows_parameters(sample);
    if (follows) {
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

    // Save as JPEG through the function the save dialog calls, then reopen.
    const std::map<std::string, AnaState> saved = anas_of(frame);
    const QString target = out.filePath("saved picture.v2.jpg");
    QVERIFY(QMetaObject::invokeMethod(road.find_object("wnd_ir_image"), "save_picture_as",
                                      Q_RETURN_ARG(QVariant, ok), Q_ARG(QVariant, QUrl::fromLocalFile(target).toString()),
                                      Q_ARG(QVariant, false)));
    QVERIFY(ok.toBool());
    QVERIFY(QFile::exists(target));

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
    // hide and the property panel is covered.
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

QTEST_MAIN(PictureWindowRoadTest)
#include "picture_window_road_test.moc"
