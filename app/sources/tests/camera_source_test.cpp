// The camera source's rules (measuring-range choice and confirmation,
// hardware version), the discovery reply parser, and a road test of a live
// camera in the real main window: open, watch, lose the camera, get it back.
#include "camera_sim.h"
#include "charts/manager_chart_trend.h"
#include "message_guard.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "shell/data_config.h"
#include "sources/discovery_client.h"
#include "sources/handle_ids.h"
#include "sources/ir_net_device.h"
#include "sources/net_dev_discover.h"
#include "sources/wnd_ir_reconnect.h"
#include "test_camera.h"
#include "test_folders.h"
#include "thermframe.h"
#include "views/wnd_ir_show.h"
#include "wirereel.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using roadtest::RoadWindow;

class CameraSourceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void range_choice_data();
    void range_choice();
    void range_switches_after_the_same_choice_stood();
    void major_version();
    void discovery_replies_data();
    void discovery_replies();
    void discovery_reports_an_address_once_per_search();
    void discovery_plan_data();
    void discovery_plan();
    void reconnection_target_address();
    void failed_open_leaves_nothing_behind();
    void hand_set_range_reaches_the_camera();
    void camera_open_watch_drop_and_reconnect();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

namespace {

const std::vector<IRNetDevice::RangeInfo> kRanges = {{0, -20, 150}, {1, 100, 650}, {2, 300, 1200}};

// A text of the camera window's control bar in the language shown.
QString toolbar_text(const char* source)
{
    return QCoreApplication::translate("ItemToolbarNetDevice", source);
}

}  // namespace

void CameraSourceTest::range_choice_data()
{
    QTest::addColumn<float>("frame_max");
    QTest::addColumn<int>("range");
    QTest::newRow("well inside the first") << 30.0f << 0;
    QTest::newRow("max - 0.5 exactly is not inside") << 149.5f << 1;
    QTest::newRow("just below max - 0.5") << 149.4f << 0;
    QTest::newRow("above every range: the last") << 5000.0f << 2;
}

void CameraSourceTest::range_choice()
{
    QFETCH(float, frame_max);
    QFETCH(int, range);
    QCOMPARE(IRNetDevice::choose_range(kRanges, frame_max), range);
    QCOMPARE(IRNetDevice::choose_range({}, frame_max), -1);
}

void CameraSourceTest::range_switches_after_the_same_choice_stood()
{
    IRNetDevice camera(nullptr);
    camera.set_lens_ranges(3, 0, kRanges);
    // Off: never switches.
    for (int i = 0; i < 200; ++i) {
        QVERIFY(!camera.check_temp_range(400.0f));
    }
    camera.set_auto_temp_range(true);
    // A choice that alternates never stands long enough.
    for (int i = 0; i < 200; ++i) {
        QVERIFY(!camera.check_temp_range(i % 2 == 0 ? 400.0f : 900.0f));
    }
    QCOMPARE(camera.current_range(), 0);
    // The first sighting and 51 confirmations: the 52nd frame switches.
    int switched_at = 0;
    for (int i = 1; i <= 60 && switched_at == 0; ++i) {
        if (camera.check_temp_range(400.0f)) {
            switched_at = i;
        }
    }
    QCOMPARE(switched_at, 52);
    QCOMPARE(camera.current_range(), 1);
    // A lens type without ranges keeps its range.
    camera.set_lens_ranges(7, 1, {});
    for (int i = 0; i < 100; ++i) {
        QVERIFY(!camera.check_temp_range(5000.0f));
    }
}

void CameraSourceTest::major_version()
{
    QCOMPARE(IRNetDevice::major_version("3.1.0"), 3);
    QCOMPARE(IRNetDevice::major_version("13.0"), 13);
    QCOMPARE(IRNetDevice::major_version("7"), 7);
    QCOMPARE(IRNetDevice::major_version("x.1"), 0);
}

void CameraSourceTest::discovery_replies_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("sn");
    QTest::addColumn<QString>("software");
    QTest::addColumn<QString>("sys");
    QTest::addColumn<QString>("mac");
    QTest::newRow("all keys") << QByteArray("SN01;software ver:2.1;sys ver:5;discover mac:02:00:00:00:00:01")
                              << "SN01" << "2.1" << "5" << "02:00:00:00:00:01";
    QTest::newRow("no separator") << QByteArray("SN02") << "SN02" << "" << "" << "";
    QTest::newRow("a value with a colon sets nothing") << QByteArray("SN03;software ver:2:1") << "SN03" << ""
                                                       << "" << "";
    QTest::newRow("first part with a colon") << QByteArray("sys ver:9;x") << "sys ver:9" << "" << "9" << "";
}

void CameraSourceTest::discovery_replies()
{
    QFETCH(QByteArray, text);
    const NetDevDiscover::DeviceRecord record = NetDevDiscover::parse_reply("10.0.0.7", 1, text);
    QCOMPARE(record.ip, QString("10.0.0.7"));
    QCOMPARE(record.connect_type, 1);
    QTEST(record.sn, "sn");
    QTEST(record.software_ver, "software");
    QTEST(record.sys_ver, "sys");
    QTEST(record.discover_mac, "mac");
}

void CameraSourceTest::discovery_reports_an_address_once_per_search()
{
    NetDevDiscover discover;
    QSignalSpy found(&discover, &NetDevDiscover::sig_discover_net_dev_info);
    const auto reply = [](const char* ip) { return NetDevDiscover::parse_reply(ip, 0, "SN;sys ver:1"); };
    discover.take_reply(reply("10.0.0.1"));
    discover.take_reply(reply("10.0.0.1"));
    // One camera on two cards: two devices.
    discover.take_reply(reply("10.0.1.1"));
    QCOMPARE(found.count(), 2);
    QCOMPARE(found[1][0].toJsonObject().value("DevIP").toString(), QString("10.0.1.1"));
    discover.search_net_dev();
    discover.take_reply(reply("10.0.0.1"));
    QCOMPARE(found.count(), 3);
}

void CameraSourceTest::discovery_plan_data()
{
    QTest::addColumn<QByteArray>("no_broadcast");
    QTest::addColumn<QByteArray>("addresses");
    QTest::addColumn<bool>("broadcast");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QStringList>("refused");
    QTest::newRow("nothing set") << QByteArray() << QByteArray() << true << QStringList() << QStringList();
    QTest::newRow("no broadcast") << QByteArray("1") << QByteArray() << false << QStringList() << QStringList();
    QTest::newRow("flag 0") << QByteArray("0") << QByteArray(" ") << true << QStringList() << QStringList();
    QTest::newRow("loopback list") << QByteArray() << QByteArray("127.0.0.20, 127.0.0.21 127.0.0.20") << false
                                   << QStringList{"127.0.0.20", "127.0.0.21"} << QStringList();
    QTest::newRow("a card address is refused")
        << QByteArray() << QByteArray("127.0.0.20,192.0.2.2") << false << QStringList{"127.0.0.20"}
        << QStringList{"192.0.2.2"};
    QTest::newRow("only refused ones: nobody asked, no broadcast")
        << QByteArray() << QByteArray("10.1.1.1 localhost 127.1 ::1 127.0.0.300") << false << QStringList()
        << QStringList{"10.1.1.1", "localhost", "127.1", "::1", "127.0.0.300"};
}

void CameraSourceTest::discovery_plan()
{
    QFETCH(QByteArray, no_broadcast);
    QFETCH(QByteArray, addresses);
    const DiscoveryPlan plan = discovery_plan_from(no_broadcast, addresses);
    QTEST(plan.broadcast, "broadcast");
    QTEST(plan.addresses, "asked");
    QTEST(plan.refused, "refused");
}

void CameraSourceTest::reconnection_target_address()
{
    WndIRReconnect panel;
    const QByteArray mac = "discover mac:02:00:00:00:00:07";
    // A link-local camera is reached where discovery finds the same serial
    // number and MAC; another serial number with that MAC is ignored.
    panel.start_reconnect(nullptr, "169.254.3.4", "SN7", "02:00:00:00:00:07");
    QCOMPARE(panel.target().address, QString());
    panel.take_discovery_reply("10.1.1.9", "SN8;" + mac);
    QCOMPARE(panel.target().address, QString());
    panel.take_discovery_reply("10.1.1.7", "SN7;" + mac);
    QCOMPARE(panel.target().address, QString("10.1.1.7"));
    // Any other camera keeps its own address.
    panel.start_reconnect(nullptr, "192.168.1.20", "SN7", "02:00:00:00:00:07");
    panel.take_discovery_reply("10.1.1.7", "SN7;" + mac);
    QCOMPARE(panel.target().address, QString("192.168.1.20"));
    // The panel text cycles one, two, three dots.
    for (const char* dots : {".", "..", "...", "."}) {
        panel.slot_connect_log("x");
        QCOMPARE(panel.log_text(), QString("x") + dots);
    }
}

void CameraSourceTest::failed_open_leaves_nothing_behind()
{
    // A stream that never connected has no picture: the open fails, and
    // neither the stream nor its registration with the charts stays.
    void* stream = nullptr;
    QVERIFY(wirereel_init(&stream));
    const int id = library_ids().id_of(stream);
    IRNetDevice camera(nullptr);
    m_guard.expect(QRegularExpression("failed get_ir_resolution"));
    QVERIFY(!camera.open_stream("SNX", "127.0.0.1", QString(), stream));
    QVERIFY(!camera.is_connected());
    QCOMPARE(camera.get_ir_data(), nullptr);
    QCOMPARE(ManagerChartTrend::instance()->find_ir_source(id), nullptr);
    void* doc = nullptr;
    QVERIFY(!wirereel_get_ir_data(stream, doc));
}

// A lens and range set by hand go to the camera; one the camera's lens does
// not have is refused, sends nothing and changes nothing.
void CameraSourceTest::hand_set_range_reaches_the_camera()
{
    camsim::CameraSim camera;
    std::string error;
    QVERIFY2(start_test_camera(camera, &error), error.c_str());
    void* stream = nullptr;
    QVERIFY(wirereel_init(&stream));
    QVERIFY(wirereel_connect(stream, camera.address().c_str()));
    IRNetDevice source(nullptr);
    QVERIFY(source.open_stream("camsim", QString::fromStdString(camera.address()), QString(), stream));
    auto range_commands = [&] {
        QList<QPair<int, int>> sent;
        for (const camsim::RequestRecord& r : camera.requests()) {
            if (r.main_cmd == 163 && r.vice_cmd == 128 && r.payload.size() == 2) {
                sent << qMakePair(int(r.payload[0]), int(r.payload[1]));
            }
        }
        return sent;
    };
    auto lens_and_range = [](int lens, int range) {
        return QJsonObject{{"strSettingLenTypeIndex", lens}, {"strSettingTempRangeIndex", range}};
    };

    m_guard.expect(QRegularExpression("failed vy_nd_plus_set_len_and_meas_range"));
    QVERIFY(!source.set_ir_property(lens_and_range(0, 7)));
    QCOMPARE(source.current_range(), 0);
    QVERIFY(range_commands().isEmpty());

    QVERIFY(source.set_ir_property(lens_and_range(0, 1)));
    QCOMPARE(range_commands(), (QList<QPair<int, int>>{{0, 1}}));
    QCOMPARE(source.current_range(), 1);
    QCOMPARE(source.get_ir_property().value("strSettingTempRangeIndex").toInt(), 1);
    QCOMPARE(int(camera.model().meas_range), 1);
}

void CameraSourceTest::camera_open_watch_drop_and_reconnect()
{
    camsim::CamsimOptions options;
    options.address = "auto";
    options.source = "pattern";
    options.width = 160;
    options.height = 120;
    options.fps = 25;
    camsim::CameraSim camera;
    std::string error;
    QVERIFY2(camera.start(options, &error), error.c_str());
    const QString address = QString::fromStdString(camera.address());

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 860)));
    QObject* title = road.find_object("title_bar");
    QVERIFY(QMetaObject::invokeMethod(title, "open_net_device_wnd", Q_ARG(QVariant, address),
                                      Q_ARG(QVariant, QString("camsim")), Q_ARG(QVariant, QString())));
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    QVERIFY(view != nullptr);
    auto* source = qobject_cast<IRNetDevice*>(view->source());
    QVERIFY(source != nullptr);
    QVERIFY(source->is_connected());
    QCOMPARE(view->n_pixel_width(), 160);

    // Frames arrive, are shown and carry temperatures.
    uint16_t x = 0, y = 0, ad = 0;
    float max_temp = 0.0f;
    QVERIFY(RoadWindow::wait_for([&] {
        return thermframe_get_max_temp(source->get_ir_data(), x, y, ad, max_temp) && max_temp > 40.0f &&
               source->frame_rate() > 5;
    }));
    QVERIFY(!road.save_screen("camera", "1-live").isEmpty());

    // Recording is refused until a folder is chosen; the settings panel
    // stores every choice for this camera.
    QTemporaryDir records;
    DataConfig* config = DataConfig::instance();
    const QString sn = view->get_capture_sn();
    QObject* toolbar = road.find_object("toolbar_net_device");
    QObject* record_time = road.find_object("text_record_time");
    QObject* message = road.find_object("message_box_net_device");
    QVERIFY(toolbar != nullptr && record_time != nullptr && message != nullptr);
    config->set_record_path(sn, QString());
    QVERIFY(QMetaObject::invokeMethod(toolbar, "toggle_record"));
    QVERIFY(!source->is_recording());
    QCOMPARE(message->property("strText").toString(), toolbar_text("录像保存路径不能为空"));
    QVERIFY(QMetaObject::invokeMethod(message, "finish", Q_ARG(QVariant, 1)));

    QVERIFY(RoadWindow::click(road.find_item("btn_record_setting")));
    QQuickItem* panel_settings = road.find_item("panel_record_setting");
    QVERIFY(panel_settings != nullptr && panel_settings->isVisible());
    // A folder with a space and a "#" comes back from the dialog encoded.
    QVERIFY(QDir(records.path()).mkpath("a #1"));
    const QString folder = records.filePath("a #1");
    QVERIFY(QMetaObject::invokeMethod(panel_settings, "set_folder",
                                      Q_ARG(QVariant, QUrl::fromLocalFile(folder).toString(QUrl::FullyEncoded))));
    QCOMPARE(config->get_record_path(sn), folder);
    QVERIFY(road.find_item("text_record_free_space")->property("text").toString().contains("GB("));
    const std::vector<std::pair<const char*, int>> choices = {
        {"combo_record_type", 2}, {"combo_record_rate", 0}, {"combo_record_size", 1}};
    for (const auto& [combo, index] : choices) {
        QVERIFY(RoadWindow::click(road.find_item(combo)));
        QVERIFY(RoadWindow::click(road.find_item(QString("%1_item_%2").arg(combo).arg(index))));
    }
    QCOMPARE(config->get_record_file_type(sn), 2);
    QCOMPARE(config->get_record_frequency(sn), 0);
    QCOMPARE(config->get_record_file_size(sn), QString("200MB"));
    // The minutes field follows the unlimited check.
    QQuickItem* minutes = road.find_item("input_record_minutes");
    if (config->get_record_unlimit(sn)) {
        QVERIFY(RoadWindow::click(road.find_item("check_record_unlimited")));
    }
    QVERIFY(!config->get_record_unlimit(sn));
    QVERIFY(minutes->parentItem()->isEnabled());
    QVERIFY(RoadWindow::click(road.find_item("check_record_unlimited")));
    QVERIFY(!minutes->parentItem()->isEnabled());
    QVERIFY(config->get_record_unlimit(sn));
    QVERIFY(!road.save_screen("camera", "1a-record-settings").isEmpty());
    QVERIFY(RoadWindow::click(road.find_item("btn_record_setting_close")));
    QVERIFY(!panel_settings->isVisible());

    // Five seconds of AVI from the record button, rolled into a day folder.
    QVERIFY(QMetaObject::invokeMethod(toolbar, "toggle_record"));
    QVERIFY(source->is_recording());
    QVERIFY(RoadWindow::wait_for([&] { return record_time->property("text").toString() >= "00:00:05"; }));
    QVERIFY(!road.save_screen("camera", "1b-recording").isEmpty());
    QVERIFY(QMetaObject::invokeMethod(toolbar, "toggle_record"));
    QVERIFY(!source->is_recording());
    QVERIFY(!toolbar->property("bRecording").toBool());
    const QFileInfoList days = QDir(folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(days.size(), 1);
    const QFileInfoList avis = QDir(days[0].filePath()).entryInfoList({"*.avi"}, QDir::Files);
    QCOMPARE(avis.size(), 1);
    QFile avi(avis[0].filePath());
    QVERIFY(avi.open(QIODevice::ReadOnly));
    QCOMPARE(avi.read(4), QByteArray("RIFF"));
    QVERIFY(avi.size() > 25 * 160 * 120 * 4);

    // The camera goes away: the panel shows and the view is reconnected by
    // itself once the camera is back at its address.
    auto* panel = qobject_cast<WndIRReconnect*>(road.find_item("wnd_ir_reconnect"));
    QVERIFY(panel != nullptr);
    camera.stop();
    QVERIFY(RoadWindow::wait_for([&] { return panel->isVisible() && !source->is_connected(); }));
    QVERIFY(RoadWindow::wait_for([&] { return panel->log_text().startsWith("Connecting infrared device"); }));
    QVERIFY(!road.save_screen("camera", "2-reconnecting").isEmpty());
    options.address = address.toStdString();
    QVERIFY2(camera.start(options, &error), error.c_str());
    QVERIFY(RoadWindow::wait_for([&] { return !panel->isVisible() && source->is_connected(); }, 30000));
    QVERIFY(RoadWindow::wait_for([&] { return source->frame_rate() > 5; }));
    QVERIFY(!road.save_screen("camera", "3-reconnected").isEmpty());

    // Closing the tab ends the window, its threads and its stream.
    QVERIFY(QMetaObject::invokeMethod(title, "remove_tab_sheet", Q_ARG(QVariant, 0)));
    QVERIFY(RoadWindow::wait_for([&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return road.find_item("wnd_ir_net_device") == nullptr;
    }));
    camera.stop();
}

QTEST_MAIN(CameraSourceTest)
#include "camera_source_test.moc"
