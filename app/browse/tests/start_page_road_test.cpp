// Road test of the start page in the real main window: start with a stored
// folder of samples whose names carry URL-special and non-ASCII characters,
// see its thumbnails, select (the status bar describes the file), change
// folder in the tree, open a picture.
#include "browse/thread_image_loading.h"
#include "message_guard.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "shell/data_config.h"
#include "shell/h_translator.h"
#include "sources/ir_base.h"
#include "test_folders.h"
#include "views/wnd_ir_show.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QQmlProperty>
#include <QtTest>

using roadtest::RoadWindow;

class StartPageRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { m_guard.verify(); }
    void start_page_browse_and_open();
    void stored_folder_in_view_and_names_as_tips();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
    QString m_root;
    QStringList m_names;
};

void StartPageRoadTest::initTestCase()
{
    m_guard.install();
    QVERIFY(m_folders.is_valid());
    m_root = m_folders.home() + QString::fromUtf8("/热像 50% #a?");
    QVERIFY(QDir().mkpath(m_root + "/sub folder"));
    QVERIFY(QDir().mkpath(m_root + "/empty"));
    const QString samples = QCoreApplication::applicationDirPath() + "/samples/";
    const QList<QPair<QString, QString>> copies = {
        {"sample.jpg", QString::fromUtf8("a 现场 #1.jpg")},
        {"sample.png", "b 50% ?.png"},
        {"sample_sgcc.jpg", "c grid.JPG"},
        {"sample.irv", QString::fromUtf8("d 录像.irv")},
        {"sample.png", "sub folder/e.png"},
    };
    for (const auto& copy : copies) {
        QVERIFY(QFile::copy(samples + copy.first, m_root + "/" + copy.second));
    }
    m_names = QStringList{QString::fromUtf8("a 现场 #1.jpg"), "b 50% ?.png", "c grid.JPG",
                          QString::fromUtf8("d 录像.irv")};
    // The folder of the last run, in English.
    const QString config = m_folders.config_home() + "/KorvaneIrReportEU/config";
    QVERIFY(QDir().mkpath(config));
    QFile file(config + "/config.json");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(QJsonObject{{"path_preview", m_root}, {"language_type", 1}}).toJson());
}

void StartPageRoadTest::start_page_browse_and_open()
{
    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show());
    QObject* page = road.find_object("start_page");
    QObject* grid_area = road.find_object("area_pic_preview");
    QObject* client = road.find_object("wnd_client");
    QVERIFY(page && grid_area && client);

    // The stored preview folder opens the tree down to it and fills the grid,
    // without a click.
    QTRY_COMPARE(QQmlProperty::read(road.find_object("area_computer_path"), "ms_select_path").toString(), m_root);
    QCOMPARE(QQmlProperty::read(grid_area, "strCurPath").toString(), m_root);
    QCOMPARE(QQmlProperty::read(page, "strPreviewPath").toString(), m_root);
    QCOMPARE(QQmlProperty::read(grid_area, "nPictures").toInt(), 3);
    QCOMPARE(QQmlProperty::read(grid_area, "nVideos").toInt(), 1);

    // Every tile gets its thumbnail, the recording's included.
    ThreadImageLoading* loader = ThreadImageLoading::instance();
    for (const QString& name : m_names) {
        QTRY_VERIFY_WITH_TIMEOUT(loader->is_cached(m_root + "/" + name), 30000);
    }
    QQuickItem* cell0 = road.find_item("preview_cell_0");
    QQuickItem* cell3 = road.find_item("preview_cell_3");
    QVERIFY(cell0 && cell3);
    QCOMPARE(cell0->findChild<QObject*>("tile")->property("str_pic_path").toString(), m_root + "/" + m_names[0]);
    QVERIFY(!road.save_screen("start_page", "thumbnails").isEmpty());

    // Shift-click with no earlier click selects from the first file on.
    QTest::mouseClick(road.window(), Qt::LeftButton, Qt::ShiftModifier,
                      cell3->mapToScene(QPointF(20, 20)).toPoint());
    QTRY_COMPARE(QQmlProperty::read(grid_area, "nSelected").toInt(), 4);
    QObject* status = road.find_object("status_text");
    QCOMPARE(status->property("text").toString(), QString("4 files selected"));
    QVERIFY(RoadWindow::click(cell0));
    QTRY_COMPARE(QQmlProperty::read(grid_area, "nSelected").toInt(), 1);
    // The status bar describes the one selected file, labelled.
    const QString info = status->property("text").toString();
    QVERIFY2(info.startsWith("Size: ") && info.contains(" - Resolution: 640 x 512 - Taken: ") &&
                 info.contains(" - Lens type: "),
             qPrintable(info));
    QVERIFY(!road.save_screen("start_page", "selected").isEmpty());

    // The report menu of a right press: a recording alone is no report...
    QQuickWindow* box = road.find_window("message_box");
    QQuickItem* menu = road.find_item("report_menu");
    QVERIFY(box && menu);
    auto report_from = [&](QQuickItem* cell) {
        return RoadWindow::click(cell, Qt::RightButton) && RoadWindow::wait_for([menu] { return menu->isVisible(); }) &&
               RoadWindow::click(road.find_item("report_menu_mouse")) &&
               RoadWindow::wait_for([box] { return box->isVisible(); });
    };
    QVERIFY(report_from(cell3));
    QCOMPARE(box->property("strText").toString(), QString("No infrared picture is selected"));
    QCOMPARE(QQmlProperty::read(grid_area, "nSelected").toInt(), 1);
    box->setVisible(false);
    // ...while a picture goes to the report window with its decoded path.
    QVERIFY(RoadWindow::click(cell0));
    QObject* report = road.find_object("wnd_report");
    QVERIFY(report != nullptr);
    QVERIFY(RoadWindow::click(cell0, Qt::RightButton) && RoadWindow::wait_for([menu] { return menu->isVisible(); }) &&
            RoadWindow::click(road.find_item("report_menu_mouse")));
    QTRY_VERIFY(report->property("visible").toBool());
    const QVariantList records = QQmlProperty::read(report, "m_arr_report").toList();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].toMap().value("strPicPath").toString(), m_root + "/" + m_names[0]);
    QCOMPARE(records[0].toMap().value("strPicName").toString(), m_names[0]);
    QVERIFY(!box->isVisible());
    report->setProperty("visible", false);

    // A folder chosen in the tree fills the grid; its thumbnails replace
    // the old folder's, which leave the cache.
    QQuickItem* sub = road.find_item("tree_node_" + m_root + "/sub folder");
    QVERIFY(sub != nullptr);
    QVERIFY(RoadWindow::click(sub));
    QTRY_COMPARE(QQmlProperty::read(grid_area, "strCurPath").toString(), m_root + "/sub folder");
    QCOMPARE(QQmlProperty::read(grid_area, "nPictures").toInt(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(loader->is_cached(m_root + "/sub folder/e.png"), 30000);
    QTRY_VERIFY(!loader->is_cached(m_root + "/" + m_names[0]));
    QVERIFY(!road.save_screen("start_page", "sub_folder").isEmpty());

    // Back to the first folder, and open its first picture.
    QVERIFY(RoadWindow::click(road.find_item("tree_node_" + m_root)));
    QTRY_COMPARE(QQmlProperty::read(grid_area, "strCurPath").toString(), m_root);
    QTRY_VERIFY(road.find_item("preview_cell_0") != nullptr);
    QQuickItem* first = road.find_item("preview_cell_0");
    QVERIFY(RoadWindow::double_click(first));
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    QVERIFY(view != nullptr);
    QTRY_VERIFY(view->source() != nullptr);
    QCOMPARE(view->source()->get_file_path(), m_root + "/" + m_names[0]);
    QVERIFY(road.find_item("wnd_ir_image")->isVisible());
    QVERIFY(!road.find_item("start_page")->isVisible());
    QVERIFY(!road.save_screen("start_page", "opened").isEmpty());

    // The folder joined the recent folders and is the stored preview folder.
    const QJsonArray history = DataConfig::instance()->get_browsing_history();
    QVERIFY(!history.isEmpty());
    QCOMPARE(history[0].toObject().value("strSettingHistoryPath").toString(), m_root);
    QCOMPARE(DataConfig::instance()->get_preview_path(), m_root);

    // Back on the start page, a recent folder takes the tree and the grid
    // there from another folder.
    QVERIFY(RoadWindow::click(road.find_item("page_file_preview")));
    QTRY_VERIFY(road.find_item("start_page")->isVisible());
    QQuickItem* home = road.find_item("tree_node_" + m_folders.home());
    QVERIFY(home != nullptr);
    // Scrolled up to the home folder's node, as the wheel would.
    road.find_item("tree_flick")->setProperty("contentY", home->y());
    QVERIFY(RoadWindow::click(home));
    QTRY_COMPARE(QQmlProperty::read(grid_area, "strCurPath").toString(), m_folders.home());
    QQuickItem* recent = road.find_item("history_entry_0");
    QVERIFY(recent != nullptr);
    // The recent folders follow a long tree (the temporary folder's): scroll
    // down to them.
    QQuickItem* flick = road.find_item("tree_flick");
    const qreal below = recent->mapToItem(flick->property("contentItem").value<QQuickItem*>(), QPointF()).y();
    flick->setProperty("contentY", below - 60);
    QVERIFY(RoadWindow::click(recent));
    QTRY_COMPARE(QQmlProperty::read(grid_area, "strCurPath").toString(), m_root);
    QCOMPARE(QQmlProperty::read(road.find_object("path_history"), "strCurPath").toString(), m_root);
    QCOMPARE(DataConfig::instance()->get_preview_path(), m_root);
    QVERIFY(!road.save_screen("start_page", "history").isEmpty());

    // The desktop node, made before the language was loaded, speaks the
    // language chosen, and follows a change.
    QQuickItem* desktop =
        road.find_item("tree_node_" + QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    QVERIFY(desktop != nullptr);
    auto desktop_text = [desktop] {
        return desktop->findChild<QQuickItem*>("tree_node_text")->property("text").toString().mid(3);
    };
    QCOMPARE(desktop_text(), QString("Desktop"));
    QVERIFY(QMetaObject::invokeMethod(road.window(), "set_language", Q_ARG(QVariant, 0)));
    QCOMPARE(desktop_text(), QString::fromUtf8("桌面"));
    road.find_item("tree_flick")->setProperty("contentY", 0);
    QVERIFY(!road.save_screen("start_page", "chinese").isEmpty());
    QVERIFY(QMetaObject::invokeMethod(road.window(), "set_language", Q_ARG(QVariant, 1)));
    QCOMPARE(desktop_text(), QString("Desktop"));

    // "Open picture..." is the shared file dialog, in the folder browsed;
    // the picture chosen opens in that folder's picture tab.
    m_guard.expect(QRegularExpression(QStringLiteral("does not support propagateSizeHints")));
    QVERIFY(RoadWindow::click(road.find_item("btn_open_picture")));
    QObject* files = road.find_object("file_dialog");
    QObject* dialog = files->property("dialog").value<QObject*>();
    QVERIFY(dialog != nullptr && dialog->property("visible").toBool());
    QCOMPARE(dialog->property("folder").toUrl(), QUrl::fromLocalFile(m_root));
    QVERIFY(QMetaObject::invokeMethod(dialog, "close"));
    const QVariantList urls{QUrl::fromLocalFile(m_root + "/" + m_names[1])};
    QVERIFY(QMetaObject::invokeMethod(files, "sig_accepted", Q_ARG(QVariant, QVariant::fromValue<QObject*>(client)),
                                      Q_ARG(int, files->property("nPurpose").toInt()), Q_ARG(QVariant, urls)));
    QTRY_COMPARE(view->source()->get_file_path(), m_root + "/" + m_names[1]);
    QVERIFY(road.find_item("wnd_ir_image")->isVisible());
}

void StartPageRoadTest::stored_folder_in_view_and_names_as_tips()
{
    // The stored folder below a long row of sibling folders.
    const QString deep = m_folders.home() + "/deep";
    for (int i = 0; i < 80; ++i) {
        QVERIFY(QDir().mkpath(deep + QStringLiteral("/a%1").arg(i, 2, 10, QLatin1Char('0'))));
    }
    const QString target = deep + "/zz target";
    QVERIFY(QDir().mkpath(target));
    QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/samples/sample.jpg", target + "/x.jpg"));
    QFile file(m_folders.config_home() + "/KorvaneIrReportEU/config/config.json");
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QJsonDocument(QJsonObject{{"path_preview", target}, {"language_type", 1}}).toJson());
    file.close();

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show());
    QTRY_COMPARE(QQmlProperty::read(road.find_object("area_computer_path"), "ms_select_path").toString(), target);
    QQuickItem* flick = road.find_item("tree_flick");
    QQuickItem* node = road.find_item("tree_node_" + target);
    QVERIFY(flick != nullptr && node != nullptr);
    auto in_view = [flick, node] {
        const qreal y = node->mapToItem(flick, QPointF()).y();
        return y >= 0 && y + node->height() <= flick->height();
    };
    QTRY_VERIFY(in_view());
    QVERIFY(!road.save_screen("start_page", "stored_in_view").isEmpty());

    // Resting on a picture shows its name.
    QQuickItem* cell = nullptr;
    QTRY_VERIFY((cell = road.find_item("preview_cell_0")) != nullptr);
    QVERIFY(RoadWindow::move_to(cell, QPointF(30, 30)));
    QTRY_COMPARE(road.shown_tool_tip(), QString("x.jpg"));
    QVERIFY(!road.save_screen("start_page", "name_tip").isEmpty());
}

QTEST_MAIN(StartPageRoadTest)
#include "start_page_road_test.moc"
