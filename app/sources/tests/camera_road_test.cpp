// A user's roads with live cameras in the real main window. The cameras page
// lists the simulated cameras, which answer discovery asked by unicast on
// their loopback addresses (PYRAVUE_DISCOVERY_ADDRESSES).
// - Two cameras: a double click opens the second, the record button writes
//   five seconds of AVI (counted in frames), a second click stops it, and
//   the tab closes.
// - The controls: the user sets the measuring range, switches the automatic
//   range on and sees it switch back, takes the other lens with its second
//   range, presses F3, holds F5, and shows the sensor temperatures; the
//   camera records every command it receives.
// - The picture: Ctrl+C copies it, rotation is refused while recording, the
//   palette bar keeps to the picture's extremes across a range change and
//   back, the pan-tilt panel leaves the alarm panel room, and an alarmed
//   object keeps its alarm colour frame after frame.
// - A cooled camera shows the cooling label until the camera found again at
//   its address reports a ready detector.
#include "head_simulator.h"
#include "message_guard.h"
#include "picture_pixels.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "shell/data_common.h"
#include "shell/data_config.h"
#include "sources/handle_ids.h"
#include "sources/ir_net_device.h"
#include "sources/source_settings.h"
#include "test_camera.h"
#include "test_folders.h"
#include "thermframe.h"
#include "views/wnd_ir_palette.h"
#include "views/wnd_ir_show.h"

#include <QClipboard>
#include <QPainter>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>


using roadtest::RoadWindow;

class CameraRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        // The edition with live cameras, as a user starts it.
        qputenv("PYRAVUE_EDITION", "0");
    }
    void cleanup() { m_guard.verify(); }
    void edition_names();
    void discover_open_record_close();
    void controls_reach_the_camera();
    void picture_copy_rotation_palette_panels_alarm();
    void cooling_label_hides_when_the_detector_is_ready();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

namespace {

constexpr int kRecordFrames = 5 * kTestCameraFps;
constexpr int kAviHeaderBytes = 2048;

uint32_t u32_at(const QByteArray& bytes, int at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | uint8_t(bytes[at + i]);
    }
    return value;
}

// The frame chunks written so far after the header, whole ones only: the
// writer is unbuffered, so this counts a file that is still being written.
struct AviChunks {
    int count = 0;
    uint32_t first_length = 0;
    bool same_lengths = true;
};

AviChunks walk_frames(const QString& path)
{
    AviChunks chunks;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(kAviHeaderBytes)) {
        return chunks;
    }
    const qint64 size = file.size();
    for (qint64 at = kAviHeaderBytes; at + 8 <= size;) {
        const QByteArray head = file.read(8);
        if (head.size() != 8 || head.left(4) != "00db") {
            break;
        }
        const uint32_t length = u32_at(head, 4);
        const qint64 next = at + 8 + length + (length & 1);
        if (next > size || !file.seek(next)) {
            break;
        }
        if (chunks.count == 0) {
            chunks.first_length = length;
        }
        chunks.same_lengths = chunks.same_lengths && length == chunks.first_length;
        ++chunks.count;
        at = next;
    }
    return chunks;
}

// Whether an item below this one (in the item tree) ends its text so.
bool shows_text(QQuickItem* item, const QString& ending)
{
    for (QQuickItem* child : item->childItems()) {
        if (child->property("text").toString().endsWith(ending) || shows_text(child, ending)) {
            return true;
        }
    }
    return false;
}

// The cells of the cameras page that show this address.
QList<QQuickItem*> cells_showing(const RoadWindow& road, const QString& address)
{
    QList<QQuickItem*> cells;
    for (int i = 0;; ++i) {
        QQuickItem* cell = road.find_item(QString("device_cell_%1").arg(i));
        if (cell == nullptr) {
            return cells;
        }
        if (shows_text(cell, ": " + address)) {
            cells << cell;
        }
    }
}

// The payloads of one command as the camera received them, in order.
QList<QByteArray> received(camsim::CameraSim& camera, int main_cmd, int vice_cmd)
{
    QList<QByteArray> payloads;
    for (const camsim::RequestRecord& r : camera.requests()) {
        if (r.main_cmd == main_cmd && r.vice_cmd == vice_cmd) {
            payloads << QByteArray(reinterpret_cast<const char*>(r.payload.data()), int(r.payload.size()));
        }
    }
    return payloads;
}

QByteArray lens_and_range(int lens, int range)
{
    return QByteArray(1, char(lens)) + QByteArray(1, char(range));
}

// The camera's recordings: every frame, without a time limit, into folder
// as file_type (0 .irv, 1 H.264, 2 AVI).
void record_every_frame(WndIRShow* view, const QString& folder, int file_type)
{
    DataConfig* config = DataConfig::instance();
    const QString sn = view->get_capture_sn();
    config->set_record_path(sn, folder);
    config->set_record_file_type(sn, file_type);
    config->set_record_frequency(sn, 0);
    config->set_record_unlimit(sn, true);
}

// The camera window of a simulated camera, opened from the title bar: its
// view and its connected source, or null.
IRNetDevice* open_camera_window(const RoadWindow& road, const camsim::CameraSim& camera, WndIRShow*& view)
{
    const QString address = QString::fromStdString(camera.address());
    view = nullptr;
    if (!QMetaObject::invokeMethod(road.find_object("title_bar"), "open_net_device_wnd", Q_ARG(QVariant, address),
                                   Q_ARG(QVariant, QString("camsim")), Q_ARG(QVariant, QString())) ||
        !RoadWindow::wait_for([&] { return (view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"))); })) {
        return nullptr;
    }
    auto* source = qobject_cast<IRNetDevice*>(view->source());
    return source != nullptr && source->is_connected() ? source : nullptr;
}

// The frame's coldest and hottest temperatures.
bool frame_extremes(void* frame, float& coldest, float& hottest)
{
    uint16_t x = 0, y = 0, ad = 0;
    return thermframe_get_min_temp(frame, x, y, ad, coldest) && thermframe_get_max_temp(frame, x, y, ad, hottest);
}


}  // namespace

void CameraRoadTest::edition_names()
{
    QCOMPARE(DataCommon::edition_from(""), 2);
    QCOMPARE(DataCommon::edition_from("0"), 0);
    QCOMPARE(DataCommon::edition_from(" 1\n"), 1);
    m_guard.expect(QRegularExpression("unknown edition"));
    QCOMPARE(DataCommon::edition_from("7"), 2);
    m_guard.expect(QRegularExpression("unknown edition"));
    QCOMPARE(DataCommon::edition_from("research"), 2);
}

void CameraRoadTest::discover_open_record_close()
{
    camsim::CameraSim first;
    camsim::CameraSim second;
    std::string error;
    QVERIFY2(start_test_camera(first, &error, true), error.c_str());
    QVERIFY2(start_test_camera(second, &error, true), error.c_str());
    const QString first_address = QString::fromStdString(first.address());
    const QString second_address = QString::fromStdString(second.address());
    QVERIFY(first_address != second_address);
    qputenv("PYRAVUE_DISCOVERY_ADDRESSES", (first_address + "," + second_address).toLatin1());

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 860)));
    QObject* title = road.find_object("title_bar");
    QVERIFY(title != nullptr);
    // The cameras page, from its title button.
    QQuickItem* camera_button = road.find_item("page_camera");
    QVERIFY(camera_button != nullptr && camera_button->isVisible());
    QVERIFY(RoadWindow::click(camera_button));
    QVERIFY(RoadWindow::wait_for([&] { return road.find_object("area_device_preview") != nullptr; }));

    QVERIFY(RoadWindow::wait_for([&] {
        return !cells_showing(road, first_address).isEmpty() && !cells_showing(road, second_address).isEmpty();
    }));
    QCOMPARE(cells_showing(road, first_address).size(), 1);
    QCOMPARE(cells_showing(road, second_address).size(), 1);
    QVERIFY(!road.save_screen("camera_road", "1-two-cameras").isEmpty());

    // A double click opens the second camera; the first is left alone.
    QVERIFY(RoadWindow::double_click(cells_showing(road, second_address)[0]));
    WndIRShow* view = nullptr;
    QVERIFY(RoadWindow::wait_for([&] { return (view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"))); }));
    auto* source = qobject_cast<IRNetDevice*>(view->source());
    QVERIFY(source != nullptr && source->is_connected());
    QVERIFY(second.stats().connections > 0);
    QCOMPARE(first.stats().connections, uint64_t(0));
    QCOMPARE(view->n_pixel_width(), 160);
    const uint64_t shown = second.stats().temperature_frames;
    QVERIFY(RoadWindow::wait_for([&] { return second.stats().temperature_frames >= shown + 5; }));
    QVERIFY(!road.save_screen("camera_road", "2-open").isEmpty());

    // Five seconds of AVI: every frame of the camera, 125 of them.
    QTemporaryDir records;
    QVERIFY(records.isValid());
    record_every_frame(view, records.path(), 2);
    QQuickItem* record = road.find_item("btn_record");
    QVERIFY(record != nullptr);
    QVERIFY(RoadWindow::click(record));
    QVERIFY(source->is_recording());
    QString avi;
    QVERIFY(RoadWindow::wait_for([&] {
        const QFileInfoList days = QDir(records.path()).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
        const QFileInfoList files =
            days.isEmpty() ? QFileInfoList() : QDir(days[0].filePath()).entryInfoList({"*.avi"}, QDir::Files);
        avi = files.isEmpty() ? QString() : files[0].filePath();
        return !avi.isEmpty();
    }));
    QVERIFY(RoadWindow::wait_for([&] { return walk_frames(avi).count >= kRecordFrames; }, 30000));
    QVERIFY(!road.save_screen("camera_road", "3-recording").isEmpty());
    QVERIFY(RoadWindow::click(record));
    QVERIFY(!source->is_recording());
    QObject* toolbar = road.find_object("toolbar_net_device");
    QVERIFY(!toolbar->property("bRecording").toBool());
    QCOMPARE(road.find_object("text_record_time")->property("text").toString(), QString("00:00:00"));

    // The file is complete: its header, its index and its chunks agree.
    const AviChunks chunks = walk_frames(avi);
    QVERIFY(chunks.count >= kRecordFrames);
    QVERIFY(chunks.same_lengths);
    QFile file(avi);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.left(4), QByteArray("RIFF"));
    QCOMPARE(u32_at(bytes, 4), uint32_t(bytes.size() - 8));
    QCOMPARE(int(u32_at(bytes, 48)), chunks.count);
    const uint32_t width = u32_at(bytes, 64);
    // A negative height: the rows are stored top first.
    const int32_t height = int32_t(u32_at(bytes, 68));
    QCOMPARE(chunks.first_length, width * uint32_t(std::abs(height)) * 4);
    const int index_at = bytes.indexOf("idx1", kAviHeaderBytes + chunks.count * int(8 + chunks.first_length) - 1);
    QVERIFY(index_at > 0);
    QCOMPARE(int(u32_at(bytes, index_at + 4)), chunks.count * 16);
    QCOMPARE(index_at + 8 + chunks.count * 16, bytes.size());

    // The user closes the tab: the window, its threads and its stream end.
    QVERIFY(close_first_tab(road));
    QVERIFY(!road.save_screen("camera_road", "4-closed").isEmpty());
    first.stop();
    second.stop();
}

void CameraRoadTest::controls_reach_the_camera()
{
    camsim::CameraSim camera;
    std::string error;
    QVERIFY2(start_test_camera(camera, &error, true), error.c_str());
    const QString address = QString::fromStdString(camera.address());
    qputenv("PYRAVUE_DISCOVERY_ADDRESSES", address.toLatin1());

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 860)));
    QQuickWindow* window = road.window();
    QVERIFY(window != nullptr);

    // The cameras page asks the listed address and shows what answered.
    QVERIFY(RoadWindow::click(road.find_item("page_camera")));
    QVERIFY(RoadWindow::wait_for([&] { return cells_showing(road, address).size() == 1; }));
    QQuickItem* cell = cells_showing(road, address)[0];
    // Hovering the cell shows the camera's address.
    QVERIFY(RoadWindow::move_to(cell, QPointF(120, 90)));
    QQuickItem* tip = road.find_item("tip_device_address");
    QVERIFY(RoadWindow::wait_for([&] { return tip->isVisible(); }));
    QVERIFY(shows_text(tip, address));
    QVERIFY(!road.save_screen("camera_road", "5-found-on-loopback").isEmpty());
    QVERIFY(RoadWindow::double_click(cell));
    WndIRShow* view = nullptr;
    QVERIFY(RoadWindow::wait_for([&] { return (view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"))); }));
    auto* source = qobject_cast<IRNetDevice*>(view->source());
    QVERIFY(source != nullptr && source->is_connected());
    const uint64_t shown = camera.stats().temperature_frames;
    QVERIFY(RoadWindow::wait_for([&] { return camera.stats().temperature_frames >= shown + 5; }));

    // The status bar describes the camera; the property column has the lens
    // and range lists and neither voice notes nor "restore defaults".
    QQuickItem* status = road.find_item("status_text");
    QVERIFY(RoadWindow::wait_for([&] { return status->property("text").toString().contains("160 x 120"); }));
    QVERIFY(road.find_item("ir_lens_setting")->isVisible());
    QVERIFY(!road.find_item("content_ir_pic_setting")->isVisible());
    QVERIFY(!road.find_item("btn_default_param")->isVisible());
    QQuickItem* range_combo = road.find_item("combo_meas_range");
    QCOMPARE(range_combo->property("strCurText").toString(), QString("-20 - 150"));

    // A range chosen by hand reaches the camera.
    QVERIFY(RoadWindow::click(range_combo));
    QVERIFY(!road.save_screen("camera_road", "6-range-list").isEmpty());
    QVERIFY(RoadWindow::click(road.find_item("combo_meas_range_item_1")));
    QCOMPARE(received(camera, 163, 128), QList<QByteArray>{lens_and_range(0, 1)});
    QCOMPARE(source->current_range(), 1);
    QCOMPARE(range_combo->property("strCurText").toString(), QString("100 - 650"));

    // Automatic: the picture stays below 150 degrees, so after 52 frames the
    // camera is switched back to its first range.
    // The switch is announced from the frame thread; it is counted here.
    QList<int> switched;
    QObject counter;
    QObject::connect(view, &WndIRShow::sig_start_check_temp_range, &counter,
                     [&switched](int range) { switched << range; }, Qt::QueuedConnection);
    QVERIFY(RoadWindow::click(road.find_item("check_auto_range")));
    QVERIFY(road.find_item("check_auto_range")->property("checked").toBool());
    QVERIFY(RoadWindow::wait_for([&] { return received(camera, 163, 128).size() == 2; }));
    QCOMPARE(received(camera, 163, 128).last(), lens_and_range(0, 0));
    QVERIFY(RoadWindow::wait_for([&] { return switched.size() == 1; }));
    QCOMPARE(switched.at(0), 0);
    QVERIFY(RoadWindow::wait_for([&] {
        return range_combo->property("strCurText").toString() == "-20 - 150" &&
               !road.find_item("text_auto_range")->isVisible();
    }));
    QCOMPARE(source->current_range(), 0);
    QVERIFY(!road.save_screen("camera_road", "7-auto-range").isEmpty());

    // The other lens ("13mm wide") takes its first range, then its second:
    // the camera offers every range the calibration lists for it.
    QVERIFY(RoadWindow::click(road.find_item("combo_len_type")));
    QVERIFY(RoadWindow::click(road.find_item("combo_len_type_item_1")));
    QCOMPARE(received(camera, 163, 128).last(), lens_and_range(1, 0));
    QVERIFY(RoadWindow::click(range_combo));
    QCOMPARE(range_combo->property("listText").toStringList(), (QStringList{"-20 - 150", "100 - 650"}));
    QVERIFY(RoadWindow::click(road.find_item("combo_meas_range_item_1")));
    QCOMPARE(received(camera, 163, 128).size(), 4);
    QCOMPARE(received(camera, 163, 128).last(), lens_and_range(1, 1));
    QCOMPARE(range_combo->property("nCurIndex").toInt(), 1);
    QCOMPARE(int(camera.model().lens_index), 1);
    QCOMPARE(int(camera.model().meas_range), 1);
    QVERIFY(!road.find_object("message_box_net_device")->property("visible").toBool());
    QVERIFY(!road.save_screen("camera_road", "7a-second-lens-second-range").isEmpty());

    // F3 corrects; F5 held (the keyboard repeating it) turns the focus motor
    // once and stops it once at the release; F6 turns it the other way.
    QTest::keyClick(window, Qt::Key_F3);
    QVERIFY(RoadWindow::wait_for([&] { return received(camera, 164, 139).size() == 1; }));
    QTest::keyPress(window, Qt::Key_F5);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier, QString(), true);
        QCoreApplication::sendEvent(window, &repeat);
    }
    QTest::keyRelease(window, Qt::Key_F5);
    QVERIFY(RoadWindow::wait_for([&] { return received(camera, 164, 132).size() == 1; }));
    QCOMPARE(received(camera, 164, 131).size(), 1);
    QCOMPARE(received(camera, 164, 139).size(), 1);
    QTest::keyPress(window, Qt::Key_F6);
    QTest::keyRelease(window, Qt::Key_F6);
    QVERIFY(RoadWindow::wait_for([&] { return received(camera, 164, 132).size() == 2; }));
    QCOMPARE(received(camera, 164, 130).size(), 1);

    // While another page shows, the keys leave the camera alone: back on its
    // tab, F6 reaches the camera after no correction (one link, in order).
    QVERIFY(RoadWindow::click(road.find_item("page_camera")));
    QVERIFY(!road.find_item("wnd_ir_net_device")->isVisible());
    QTest::keyClick(window, Qt::Key_F3);
    QVERIFY(RoadWindow::click(road.find_item("doc_tab_0")));
    QVERIFY(road.find_item("wnd_ir_net_device")->isVisible());
    QTest::keyClick(window, Qt::Key_F6);
    QVERIFY(RoadWindow::wait_for([&] { return received(camera, 164, 132).size() == 3; }));
    QCOMPARE(received(camera, 164, 139).size(), 1);

    // Ctrl+T shows the sensor temperatures over the picture.
    // The user comes back to the main window from the message box.
    window->requestActivate();
    QVERIFY(RoadWindow::wait_for([&] { return QGuiApplication::focusWindow() == window; }));
    QTest::keyClick(window, Qt::Key_T, Qt::ControlModifier);
    QQuickItem* sensor = road.find_item("text_sensor_temp");
    QVERIFY(sensor->isVisible());
    QVERIFY(sensor->property("text").toString().contains(QChar(0x2103)));
    QVERIFY(!road.save_screen("camera_road", "8-sensor-temperatures").isEmpty());

    QVERIFY(close_first_tab(road));
    camera.stop();
}

void CameraRoadTest::picture_copy_rotation_palette_panels_alarm()
{
    camsim::CameraSim camera;
    std::string error;
    QVERIFY2(start_test_camera(camera, &error), error.c_str());
    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 860)));
    WndIRShow* view = nullptr;
    IRNetDevice* source = open_camera_window(road, camera, view);
    QVERIFY(source != nullptr);
    const uint64_t shown = camera.stats().temperature_frames;
    QVERIFY(RoadWindow::wait_for([&] { return camera.stats().temperature_frames >= shown + 5; }));

    // Ctrl+C puts the picture on the clipboard.
    QGuiApplication::clipboard()->clear();
    QVERIFY(QGuiApplication::clipboard()->image().isNull());
    road.key_click(Qt::Key_C, Qt::ControlModifier);
    const QImage copied = QGuiApplication::clipboard()->image();
    QVERIFY(!copied.isNull());
    QVERIFY2(copied.width() >= 160 && copied.height() >= 120,
             qPrintable(QString("%1 x %2").arg(copied.width()).arg(copied.height())));

    // Rotation is refused while recording, with the reason; afterwards it
    // turns the picture and back.
    QTemporaryDir records;
    QVERIFY(records.isValid());
    record_every_frame(view, records.path(), 0);
    QQuickItem* record = road.find_item("btn_record");
    QVERIFY(RoadWindow::click(record));
    QVERIFY(source->is_recording());
    QObject* message = road.find_object("message_box_net_device");
    QVERIFY(RoadWindow::click(road.find_item("btn_rotate_left")));
    QVERIFY(message->property("visible").toBool());
    QCOMPARE(message->property("strText").toString(),
             QCoreApplication::translate("ItemToolbarNetDevice", "录像中，无法翻转图像！"));
    QCOMPARE(view->n_pixel_width(), 160);
    QCOMPARE(view->n_pixel_height(), 120);
    QVERIFY(!road.save_screen("camera_road", "9-rotation-refused").isEmpty());
    if (auto* box = qobject_cast<QQuickWindow*>(message)) {
        QVERIFY(!RoadWindow::save_screen(box, "camera_road", "9a-rotation-refused-message").isEmpty());
    }
    QVERIFY(QMetaObject::invokeMethod(message, "finish", Q_ARG(QVariant, 1)));
    QVERIFY(RoadWindow::click(record));
    QVERIFY(!source->is_recording());
    QVERIFY(RoadWindow::click(road.find_item("btn_rotate_left")));
    QCOMPARE(view->n_pixel_width(), 120);
    QCOMPARE(view->n_pixel_height(), 160);
    QVERIFY(!message->property("visible").toBool());
    QVERIFY(!road.save_screen("camera_road", "10-rotated").isEmpty());
    QVERIFY(RoadWindow::click(road.find_item("btn_rotate_right")));
    QCOMPARE(view->n_pixel_width(), 160);

    // The measuring range to 100 - 650 and back: the palette bar reads the
    // picture's coldest and hottest temperatures again.
    auto* palette = qobject_cast<WndIRPalette*>(road.find_item("wnd_ir_palette"));
    QVERIFY(palette != nullptr);
    const auto bar_on_extremes = [&] {
        float coldest = 0.0f, hottest = 0.0f;
        return frame_extremes(source->get_ir_data(), coldest, hottest) &&
               std::fabs(palette->level_temp() - coldest) < 0.2f && std::fabs(palette->level_span_temp() - hottest) < 0.2f;
    };
    QVERIFY(RoadWindow::wait_for(bar_on_extremes));
    QQuickItem* range_combo = road.find_item("combo_meas_range");
    // Below its range the picture is one flat colour; the bar is looked at
    // once the picture is back in the first range.
    for (int range : {1, 0}) {
        QVERIFY(RoadWindow::click(range_combo));
        QVERIFY(RoadWindow::click(road.find_item(QString("combo_meas_range_item_%1").arg(range))));
        QCOMPARE(source->current_range(), range);
        const uint64_t now = camera.stats().temperature_frames;
        QVERIFY(RoadWindow::wait_for([&] { return camera.stats().temperature_frames >= now + 5; }));
    }
    float coldest = 0.0f, hottest = 0.0f;
    QVERIFY2(RoadWindow::wait_for(bar_on_extremes),
             qPrintable(QString("bar %1 - %2, picture %3 - %4")
                            .arg(palette->level_temp())
                            .arg(palette->level_span_temp())
                            .arg(frame_extremes(source->get_ir_data(), coldest, hottest) ? coldest : -999.0f)
                            .arg(hottest)));
    QVERIFY(!road.save_screen("camera_road", "11-range-and-back").isEmpty());

    // A pan-tilt head answers: its panel and the whole alarm panel show.
    headsim::HeadSimulator head;
    QVERIFY(head.start());
    QQuickItem* ptz = road.find_item("ptz_ctrl");
    QVariant connected;
    QVERIFY(QMetaObject::invokeMethod(ptz, "connect_ptz", Q_RETURN_ARG(QVariant, connected),
                                      Q_ARG(QVariant, QString("127.0.0.1:%1").arg(head.port()))));
    QVERIFY(connected.toBool());
    QVERIFY(ptz->isVisible());
    QQuickItem* alarms = road.find_item("area_warning");
    QVERIFY(alarms->isVisible());
    QQuickItem* add_alarm = road.find_item("btn_add_warning");
    QVERIFY(add_alarm != nullptr && add_alarm->isVisible());
    const QRectF ptz_rect = ptz->mapRectToScene(QRectF(0, 0, ptz->width(), ptz->height()));
    const QRectF alarm_rect = alarms->mapRectToScene(QRectF(0, 0, alarms->width(), alarms->height()));
    const QRectF add_rect = add_alarm->mapRectToScene(QRectF(0, 0, add_alarm->width(), add_alarm->height()));
    QVERIFY(alarm_rect.height() >= 150);
    QVERIFY2(alarm_rect.bottom() <= ptz_rect.top() + 0.5, qPrintable(QString("%1 %2").arg(alarm_rect.bottom()).arg(ptz_rect.top())));
    QVERIFY(!add_rect.intersects(ptz_rect));
    QVERIFY(!road.save_screen("camera_road", "12-pan-tilt-and-alarms").isEmpty());
    // The window in Russian and Hungarian, the longest texts.
    for (int language : {3, 4}) {
        QVERIFY(QMetaObject::invokeMethod(road.window(), "set_language", Q_ARG(QVariant, language)));
        QVERIFY(!road.save_screen("camera_road", QString("12-language-%1").arg(language)).isEmpty());
    }
    QVERIFY(QMetaObject::invokeMethod(road.window(), "set_language", Q_ARG(QVariant, 1)));

    // A rectangle alarmed whatever it sees keeps the alarm colour on every
    // frame shown, across the alarm timer's ticks.
    const QPointF centre(view->width() / 2, view->height() / 2);
    QVERIFY(RoadWindow::click(road.find_item("btn_clear_ana")));
    QVERIFY(RoadWindow::click(road.find_item("btn_add_rect")));
    QVERIFY(RoadWindow::drag(view, centre - QPointF(60, 40), centre + QPointF(60, 40)));
    void* box = nullptr;
    QVERIFY(thermframe_get_ana(source->get_ir_data(), ANA_RECT, 0, box));
    std::string alias;
    QVERIFY(thermframe_ana_get_alias(box, alias));
    const QString formula = QString::fromStdString(alias) + ":Max > -100";
    const QJsonArray rows{QJsonObject{{"n_ana_a_handle", analysis_ids().id_of(box)}, {"str_formula", formula}}};
    QCOMPARE(view->add_warning_condition(1, rows, formula), formula);
    QVERIFY(QMetaObject::invokeMethod(alarms, "rebuild_list"));
    QVERIFY(RoadWindow::wait_for([&] {
        bool on = false;
        return thermframe_ana_get_warning(box, on) && on;
    }));
    const QRgb alarm = QColor(source_settings::warning_color(1)).rgb();
    const int top = int(centre.y() - 40);
    const int x0 = int(centre.x() - 50);
    const int x1 = int(centre.x() + 50);
    int frames = 0;
    int missing = 0;
    QImage canvas(view->size().toSize(), QImage::Format_RGB32);
    QObject counter;
    QObject::connect(source, &IRNetDevice::sig_update_ctrl_with_frame, &counter, [&] {
        ++frames;
        QPainter painter(&canvas);
        source->paint(&painter);
        painter.end();
        if (roadtest::pixels_of_colour(canvas, alarm, x0, x1, top) < (x1 - x0) / 2) {
            ++missing;
        }
    }, Qt::QueuedConnection);
    QVERIFY(RoadWindow::wait_for([&] { return frames >= 50; }, 60000));
    QObject::disconnect(source, nullptr, &counter, nullptr);
    QCOMPARE(missing, 0);
    QVERIFY(RoadWindow::move_to(view, QPointF(5, 5)));
    QVERIFY(!road.save_screen("camera_road", "13-alarm-colour").isEmpty());

    QVERIFY(close_first_tab(road));
    camera.stop();
}

void CameraRoadTest::cooling_label_hides_when_the_detector_is_ready()
{
    // A camera whose hardware has a cooled detector that never reports ready.
    camsim::CamsimOptions options = test_camera_options();
    options.hardware = "3.0.1";
    camsim::CameraSim camera;
    std::string error;
    QVERIFY2(camera.start(options, &error), error.c_str());

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 860)));
    WndIRShow* view = nullptr;
    IRNetDevice* source = open_camera_window(road, camera, view);
    QVERIFY(source != nullptr);
    QQuickItem* cooling = road.find_item("text_wait_cold");
    QVERIFY(cooling->isVisible());
    QVERIFY(source->is_wait_cold());
    QVERIFY(!road.save_screen("camera_road", "14-cooling").isEmpty());

    // The camera found again at its address has an uncooled detector, ready
    // as soon as it streams: the label goes at the window's next tick.
    camera.stop();
    QVERIFY(RoadWindow::wait_for([&] { return !source->is_connected(); }));
    options.address = camera.address();
    options.hardware = "2.0.1";
    QVERIFY2(camera.start(options, &error), error.c_str());
    QVERIFY(RoadWindow::wait_for([&] { return source->is_connected(); }, 30000));
    QVERIFY(!source->is_wait_cold());
    QVERIFY(RoadWindow::wait_for([&] { return !cooling->isVisible(); }));
    QVERIFY(!road.save_screen("camera_road", "15-detector-ready").isEmpty());

    QVERIFY(close_first_tab(road));
    camera.stop();
}

QTEST_MAIN(CameraRoadTest)
#include "camera_road_test.moc"
