// Road test of the main window: the real main.qml with the real start-up
// objects, offscreen, driven by mouse the way a user would.
#include "message_guard.h"
#include "road_window.h"
#include "rules/sql_connection_pool.h"
#include "shell/app_shell.h"
#include "shell/data_common.h"
#include "shell/data_config.h"
#include "test_folders.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlApplicationEngine>
#include <QScreen>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using roadtest::RoadWindow;

namespace {

// Stands for an item whose destructor still uses the configuration (an
// import job, a recording thread joined in a destructor).
class ConfigUser : public QQuickItem {
    Q_OBJECT
public:
    static bool s_config_alive_at_destruction;
    static int s_destroyed;
    ~ConfigUser() override
    {
        s_config_alive_at_destruction = DataConfig::has_instance();
        if (s_config_alive_at_destruction) {
            DataConfig::instance()->get_record_path(QStringLiteral("CAM"));
        }
        ++s_destroyed;
    }
};
bool ConfigUser::s_config_alive_at_destruction = false;
int ConfigUser::s_destroyed = 0;

QString text_of(RoadWindow& road, const char* name)
{
    QObject* object = road.find_object(QString::fromLatin1(name));
    return object == nullptr ? QString() : object->property("text").toString();
}

}  // namespace

class MainWindowRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void main_window_languages_settings_about_and_exit();
    void main_window_tabs_open_reuse_and_close();
    void main_window_status_bar_resize_and_widths();
    void main_window_heartbeat_stamps_database();
    void title_bar_tabs_drag_and_narrow_window();
    void edition_text_names_edition_and_rules();
    void shutdown_destroys_items_before_services();

private:
    QString config_file() const
    {
        return m_folders.config_home() + QStringLiteral("/KorvaneIrReportEU/config/config.json");
    }

    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

void MainWindowRoadTest::main_window_languages_settings_about_and_exit()
{
    QFile::remove(config_file());
    auto shell = std::make_unique<AppShell>();
    QVERIFY(shell->load_main_window());
    RoadWindow road(shell->main_window());
    QVERIFY(road.show());
    QQuickWindow* window = road.window();
    QVERIFY(window->flags().testFlag(Qt::FramelessWindowHint));
    // Maximised onto its screen at start.
    QCOMPARE(window->property("nWndType").toInt(), 1);
    QCOMPARE(window->width(), window->screen()->availableGeometry().width());

    // A fresh machine: English, on the start page.
    QCOMPARE(text_of(road, "software_name"), QStringLiteral("Korvane Infrared analysis and processing software"));
    QVERIFY(road.find_item(QStringLiteral("start_page"))->isVisible());
    QCOMPARE(text_of(road, "text_open_picture"), QString::fromUtf8("Open picture…"));
    QVERIFY(!road.save_screen(QStringLiteral("main_window"), QStringLiteral("english")).isEmpty());

    // Settings by mouse: switch to simplified Chinese.
    QQuickWindow* setting = road.find_window(QStringLiteral("wnd_setting"));
    QVERIFY(setting != nullptr);
    QVERIFY(RoadWindow::click(road.find_item(QStringLiteral("btn_setting"))));
    QVERIFY(RoadWindow::wait_for([&] { return setting->isVisible(); }));
    QVERIFY(QTest::qWaitForWindowExposed(setting));
    RoadWindow setting_road(setting);
    QVERIFY(!setting_road.save_screen(QStringLiteral("main_window"), QStringLiteral("settings-english")).isEmpty());
    QVERIFY(RoadWindow::click(setting_road.find_item(QStringLiteral("radio_language_0"))));
    QCOMPARE(DataConfig::instance()->get_language_type(), 0);
    QVERIFY(RoadWindow::wait_for([&] {
        return text_of(road, "software_name") == QString::fromUtf8("Korvane 红外分析处理软件");
    }));
    QVERIFY(!setting_road.save_screen(QStringLiteral("main_window"), QStringLiteral("settings-chinese")).isEmpty());
    // Add mode multiple is stored (and written) at once.
    QVERIFY(RoadWindow::click(setting_road.find_item(QStringLiteral("radio_add_multi"))));
    QCOMPARE(DataConfig::instance()->get_add_ana_mode(), 0);
    QVERIFY(QFile::exists(config_file()));
    QVERIFY(RoadWindow::click(setting_road.find_item(QStringLiteral("setting_exit"))));
    QVERIFY(RoadWindow::wait_for([&] { return !setting->isVisible(); }));
    QCOMPARE(text_of(road, "text_open_picture"), QString::fromUtf8("打开图片…"));
    QVERIFY(!road.save_screen(QStringLiteral("main_window"), QStringLiteral("chinese")).isEmpty());

    // About by mouse, closed by its own button.
    QQuickWindow* about = road.find_window(QStringLiteral("wnd_about"));
    QVERIFY(about != nullptr);
    QVERIFY(RoadWindow::click(road.find_item(QStringLiteral("btn_about"))));
    QVERIFY(RoadWindow::wait_for([&] { return about->isVisible(); }));
    QVERIFY(QTest::qWaitForWindowExposed(about));
    RoadWindow about_road(about);
    QVERIFY(text_of(about_road, "about_name").startsWith(QString::fromUtf8("Korvane 红外分析处理软件 v1.")));
    QVERIFY(!about_road.save_screen(QStringLiteral("main_window"), QStringLiteral("about")).isEmpty());
    QVERIFY(RoadWindow::click(about_road.find_item(QStringLiteral("about_close"))));
    QVERIFY(RoadWindow::wait_for([&] { return !about->isVisible(); }));

    // The close button ends the run; leaving writes config.json.
    QSignalSpy close_exe(window, SIGNAL(sig_close_exe()));
    QVERIFY(RoadWindow::click(road.find_item(QStringLiteral("btn_close"))));
    QCOMPARE(close_exe.count(), 1);
    QVERIFY(RoadWindow::wait_for([&] { return !window->isVisible(); }));
    QVERIFY(!window->property("visible").toBool());
    shell.reset();
    QFile file(config_file());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject saved = QJsonDocument::fromJson(file.readAll()).object();
    QCOMPARE(saved.value(QStringLiteral("language_type")).toInt(-1), 0);
    QCOMPARE(saved.value(QStringLiteral("add_ana_mode")).toInt(-1), 0);
    QVERIFY(saved.contains(QStringLiteral("path_browsing_history")));
}

void MainWindowRoadTest::main_window_tabs_open_reuse_and_close()
{
    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show());
    DataConfig::instance()->set_language_type(1);
    QVERIFY(QMetaObject::invokeMethod(road.window(), "load_language_config"));
    QObject* title = road.find_object(QStringLiteral("title_bar"));
    QObject* client = road.find_object(QStringLiteral("wnd_client"));
    auto tabs = [title] {
        QVariant count;
        QMetaObject::invokeMethod(title, "tab_count", Q_RETURN_ARG(QVariant, count));
        return count.toInt();
    };
    // Pictures in two folders.
    QTemporaryDir pictures;
    QVERIFY(pictures.isValid());
    QVERIFY(QDir(pictures.path()).mkpath("a") && QDir(pictures.path()).mkpath("b"));
    QImage plain(64, 48, QImage::Format_RGB32);
    plain.fill(Qt::darkCyan);
    for (const char* name : {"a/1.png", "a/2.png", "b/3.png"}) {
        QVERIFY(plain.save(pictures.filePath(name)));
    }
    auto open_picture = [title, &pictures](const char* name, const char* folder) {
        QMetaObject::invokeMethod(title, "open_picture_wnd", Q_ARG(QVariant, pictures.filePath(name)),
                                  Q_ARG(QVariant, pictures.filePath(folder)));
    };
    open_picture("a/1.png", "a");
    open_picture("a/2.png", "a");
    QCOMPARE(tabs(), 1);
    open_picture("b/3.png", "b");
    QCOMPARE(tabs(), 2);
    // The recording does not exist: its player tab opens and says so.
    m_guard.expect(QRegularExpression("recording refused"));
    QMetaObject::invokeMethod(title, "open_player_wnd", Q_ARG(QVariant, QStringLiteral("/v/r.irv")),
                              Q_ARG(QVariant, QStringLiteral("/v")));
    QCOMPARE(tabs(), 3);
    QCOMPARE(title->property("nCurId").toInt(), 3);
    QQuickItem* tab0 = road.find_item(QStringLiteral("doc_tab_0"));
    QVERIFY(tab0 != nullptr);
    QCOMPARE(tab0->property("ms_text").toString(), QStringLiteral("Picture analysis1"));
    QQuickItem* doc3 = road.find_item(QStringLiteral("wnd_ir_player"));
    QVERIFY(doc3 != nullptr && doc3->isVisible());
    QVERIFY(!doc3->property("strTip").toString().isEmpty());
    QVERIFY(!road.find_item(QStringLiteral("start_page"))->isVisible());
    QVERIFY(!road.save_screen(QStringLiteral("main_window"), QStringLiteral("tabs")).isEmpty());

    // A language change renames the tabs at once.
    DataConfig::instance()->set_language_type(0);
    QVERIFY(QMetaObject::invokeMethod(road.window(), "load_language_config"));
    QCOMPARE(tab0->property("ms_text").toString(), QString::fromUtf8("图片分析1"));

    // Closing the current last tab makes the one before it current; closing
    // the only tab shows the file preview page.
    auto close_tab = [&](int at, int left) {
        // The tab items are remade by the repeater: look them up afresh.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QQuickItem* tab = road.find_item(QStringLiteral("doc_tab_") + QString::number(at));
        // Two clicks on one spot in a row would be a double click: each
        // close lands a few pixels from the one before.
        const QPointF spot = left % 2 == 0 ? QPointF(2, 2) : QPointF(9, 9);
        return tab != nullptr && RoadWindow::click_at(tab->findChild<QQuickItem*>(QStringLiteral("tab_close")), spot) &&
               RoadWindow::wait_for([&] { return tabs() == left; });
    };
    QVERIFY(close_tab(2, 2));
    QCOMPARE(title->property("nCurId").toInt(), 2);
    QVERIFY(close_tab(0, 1));
    QCOMPARE(title->property("nCurId").toInt(), 2);
    QVERIFY(close_tab(0, 0));
    QCOMPARE(title->property("nCurId").toInt(), -1);
    QVERIFY(RoadWindow::wait_for([&] {
        QVariant count;
        QMetaObject::invokeMethod(client, "wnd_count", Q_RETURN_ARG(QVariant, count));
        return count.toInt() == 0;
    }));
    QVERIFY(road.find_item(QStringLiteral("start_page"))->isVisible());
}

void MainWindowRoadTest::main_window_status_bar_resize_and_widths()
{
    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show());
    QQuickWindow* window = road.window();
    DataConfig::instance()->set_language_type(1);
    QVERIFY(QMetaObject::invokeMethod(window, "load_language_config"));

    // Status bar: an IR picture of the start page, a missing key, several
    // files, a record without kind, and a language change.
    QObject* status = road.find_object(QStringLiteral("status_bar"));
    QVariantMap record{{QStringLiteral("nFileType"), 1}, {QStringLiteral("strSize"), QStringLiteral("1.2MB")},
                       {QStringLiteral("strSettingResolution"), QStringLiteral("640x512")},
                       {QStringLiteral("strSettingSnapTime"), QStringLiteral("2026-01-02 03:04:05")},
                       {QStringLiteral("strSettingChangeTime"), QStringLiteral("2026-01-03 00:00:00")},
                       {QStringLiteral("strSettingMac"), QStringLiteral("CAM-7")}};
    QVERIFY(QMetaObject::invokeMethod(status, "update_preview_file_info", Q_ARG(QVariant, record)));
    QCOMPARE(text_of(road, "status_text"),
             QStringLiteral("Size: 1.2MB - Resolution: 640x512 - Taken: 2026-01-02 03:04:05 - "
                            "Modified: 2026-01-03 00:00:00 - Device: CAM-7 - Lens type: Unknown"));
    QVERIFY(!road.save_screen(QStringLiteral("main_window"), QStringLiteral("status")).isEmpty());
    DataConfig::instance()->set_language_type(0);
    QVERIFY(QMetaObject::invokeMethod(window, "load_language_config"));
    QVERIFY(text_of(road, "status_text").startsWith(QString::fromUtf8("大小：1.2MB - 分辨率：640x512")));
    record.insert(QStringLiteral("nCurFileCount"), 3);
    QVERIFY(QMetaObject::invokeMethod(status, "update_preview_file_info", Q_ARG(QVariant, record)));
    QCOMPARE(text_of(road, "status_text"), QString::fromUtf8("已选择3个文件"));
    QVERIFY(QMetaObject::invokeMethod(status, "update_ir_wnd_image_info", Q_ARG(QVariant, QVariantMap())));
    QCOMPARE(text_of(road, "status_text"), QString());

    // Russian widens the settings window and the page buttons.
    QQuickWindow* setting = road.find_window(QStringLiteral("wnd_setting"));
    QCOMPARE(setting->width(), 500);
    QCOMPARE(setting->height(), 320 + 5 * 30);
    DataConfig::instance()->set_language_type(3);
    QCOMPARE(setting->width(), 650);
    QVERIFY(road.find_item(QStringLiteral("page_file_preview"))->width() >= 130);
    QCOMPARE(road.find_item(QStringLiteral("btn_setting"))->width(), 200.0);

    // Restore, then drag the corner: never below 800 x 600.
    QVERIFY(QMetaObject::invokeMethod(window, "show_normal"));
    QCOMPARE(window->property("nWndType").toInt(), 0);
    QCOMPARE(window->width(), 1000);
    QQuickItem* corner = road.find_item(QStringLiteral("resize_corner"));
    QVERIFY(RoadWindow::drag(corner, QPointF(10, 10), QPointF(-600, -500)));
    QCOMPARE(window->size(), QSize(800, 600));
    QVERIFY(RoadWindow::drag(corner, QPointF(10, 10), QPointF(60, 30)));
    QCOMPARE(window->size(), QSize(850, 620));
}

void MainWindowRoadTest::main_window_heartbeat_stamps_database()
{
    AppShell shell;
    QVERIFY(shell.load_main_window());
    const QString path = SqlConnectionPool::instance()->database_path();
    QVERIFY(QFileInfo(path).isFile());
    auto stamp = [&path] {
        QString value;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("heartbeat_check"));
            db.setDatabaseName(path);
            if (db.open()) {
                QSqlQuery query(QStringLiteral("SELECT heartbeat_time FROM t_heartbeat WHERE id = 1"), db);
                if (query.next()) {
                    value = query.value(0).toString();
                }
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("heartbeat_check"));
        return value;
    };
    const QString start = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    // The main window's 10-second keep-alive, fired once.
    QObject* timer = RoadWindow(shell.main_window()).find_object(QStringLiteral("heart_timer"));
    QVERIFY(timer != nullptr);
    QVERIFY(timer->property("running").toBool());
    QCOMPARE(timer->property("interval").toInt(), 10000);
    QVERIFY(QMetaObject::invokeMethod(timer, "triggered"));
    const QString after = stamp();
    QVERIFY2(after >= start && QDateTime::fromString(after, QStringLiteral("yyyy-MM-dd HH:mm:ss")).isValid(),
             qPrintable(after));
}

void MainWindowRoadTest::title_bar_tabs_drag_and_narrow_window()
{
    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show());
    QQuickWindow* window = road.window();
    DataConfig::instance()->set_language_type(3);
    QVERIFY(QMetaObject::invokeMethod(window, "load_language_config"));
    QObject* title = road.find_object(QStringLiteral("title_bar"));
    QTemporaryDir pictures;
    QImage plain(64, 48, QImage::Format_RGB32);
    plain.fill(Qt::darkCyan);
    QVERIFY(QDir(pictures.path()).mkpath("a") && QDir(pictures.path()).mkpath("b"));
    for (const char* name : {"a/1.png", "b/2.png"}) {
        QVERIFY(plain.save(pictures.filePath(name)));
        QMetaObject::invokeMethod(title, "open_picture_wnd", Q_ARG(QVariant, pictures.filePath(name)),
                                  Q_ARG(QVariant, QFileInfo(pictures.filePath(name)).absolutePath()));
    }

    // Two tabs of one kind keep the Part's width and still read apart: the
    // number stays in sight, the whole name is the tool tip.
    for (int at = 0; at < 2; ++at) {
        QQuickItem* tab = road.find_item(QStringLiteral("doc_tab_%1").arg(at));
        QVERIFY(tab != nullptr);
        QCOMPARE(tab->width(), 80.0);
        const QString name = tab->property("ms_text").toString();
        QVERIFY(name.endsWith(QString::number(at + 1)));
        QQuickItem* label = nullptr;
        for (QQuickItem* child : tab->childItems()) {
            if (child->inherits("QQuickText")) {
                label = child;
            }
        }
        QVERIFY(label != nullptr && label->property("truncated").toBool());
        QVERIFY(RoadWindow::move_to(tab, QPointF(20, 10)));
        QTRY_COMPARE(road.shown_tool_tip(), name);
    }
    QVERIFY(!road.save_screen(QStringLiteral("title_bar"), QStringLiteral("tabs-russian")).isEmpty());

    // At 800 pixels the software name gives way to the tabs.
    QVERIFY(QMetaObject::invokeMethod(window, "show_normal"));
    window->resize(800, 600);
    QQuickItem* name = road.find_item(QStringLiteral("software_name"));
    QQuickItem* last = road.find_item(QStringLiteral("doc_tab_1"));
    const qreal tabs_end = last->mapToItem(road.find_item(QStringLiteral("title_bar")), QPointF(last->width(), 0)).x();
    const qreal name_start = name->mapToItem(road.find_item(QStringLiteral("title_bar")), QPointF()).x();
    QVERIFY2(!name->isVisible() || name_start >= tabs_end, qPrintable(QStringLiteral("%1 < %2").arg(name_start).arg(tabs_end)));
    QVERIFY(!road.save_screen(QStringLiteral("title_bar"), QStringLiteral("narrow")).isEmpty());

    // Closing the last tabs leaves no document's line in the status bar.
    QObject* status = road.find_object(QStringLiteral("status_bar"));
    const QVariantMap shown{{QStringLiteral("nFileType"), 1}, {QStringLiteral("strSettingResolution"), "64 x 48"}};
    QVERIFY(QMetaObject::invokeMethod(status, "update_ir_wnd_image_info", Q_ARG(QVariant, shown)));
    QVERIFY(!text_of(road, "status_text").isEmpty());
    QVERIFY(QMetaObject::invokeMethod(title, "remove_tab_sheet", Q_ARG(QVariant, 1)));
    QVERIFY(QMetaObject::invokeMethod(title, "remove_tab_sheet", Q_ARG(QVariant, 0)));
    QTRY_VERIFY(road.find_item(QStringLiteral("start_page"))->isVisible());
    QCOMPARE(text_of(road, "status_text"), QString());

    // Dragging the maximised window by its title bar restores it under the
    // pointer, which keeps its relative place while the drag goes on.
    QVERIFY(QMetaObject::invokeMethod(window, "show_maximized"));
    window->setProperty("nLastWidth", window->width() / 2);
    const int x0 = window->x();
    const qreal wide = window->width();
    // Left of the window buttons, above the tabs.
    const QPoint press(430, 12);
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, press);
    QTest::mouseMove(window, press + QPoint(10, 0));
    QCOMPARE(window->property("nWndType").toInt(), 0);
    QCOMPARE(window->width(), int(wide / 2));
    // The pointer, 10 pixels on, stands at the same share of the window.
    const int pointer = x0 + press.x() + 10;
    QCOMPARE(pointer - window->x(), int(press.x() * window->width() / wide));
    const int local = pointer - window->x();
    QTest::mouseMove(window, QPoint(local + 5, 10));
    QCOMPARE(window->x(), pointer + 5 - local);
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, QPoint(local + 5, 10));
}

void MainWindowRoadTest::edition_text_names_edition_and_rules()
{
    const struct {
        const char* text;
        int edition;
        bool rules;
    } cases[] = {
        {"", 2, false}, {"rules", 2, true}, {"0,rules", 0, true}, {" rules , 1 ", 1, true}, {"0", 0, false},
        {"rulesx", 2, false}, {"7,rules", 2, true},
    };
    for (const auto& c : cases) {
        if (QByteArray(c.text).contains("x") || QByteArray(c.text).contains("7")) {
            m_guard.expect(QRegularExpression(QStringLiteral("unknown edition")));
        }
        QCOMPARE(DataCommon::edition_from(c.text), c.edition);
        QCOMPARE(DataCommon::detect_rule_from(c.text), c.rules);
    }
}

void MainWindowRoadTest::shutdown_destroys_items_before_services()
{
    qmlRegisterType<ConfigUser>("RoadTest.ConfigUser", 1, 0, "ConfigUser");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString qml = dir.filePath(QStringLiteral("window.qml"));
    QFile file(qml);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("import QtQuick 2.15\nimport QtQuick.Window 2.15\nimport RoadTest.ConfigUser 1.0\n"
               "Window { visible: true; width: 100; height: 100; ConfigUser {} ConfigUser {} }\n");
    file.close();
    ConfigUser::s_destroyed = 0;
    {
        AppShell shell;
        QVERIFY(shell.load_main_window(QUrl::fromLocalFile(qml)));
    }
    QCOMPARE(ConfigUser::s_destroyed, 2);
    QVERIFY(ConfigUser::s_config_alive_at_destruction);
    // And the services are gone afterwards; nothing recreated them.
    QVERIFY(!DataConfig::has_instance());
}

QTEST_MAIN(MainWindowRoadTest)
#include "main_window_road_test.moc"
