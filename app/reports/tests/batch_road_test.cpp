// Road test of the batch windows in the real main window, offscreen: select
// pictures on the start page, print their report and open it, then apply
// the analyses of an open picture to the other pictures.
#include "batch_pictures.h"
#include "message_guard.h"
#include "opened_urls.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "sources/ir_image.h"
#include "test_folders.h"
#include "views/wnd_ir_show.h"

#include "office_test_support.h"

#include <QDesktopServices>
#include <QDir>
#include <QQmlProperty>
#include <QSignalSpy>
#include <QtTest>

using roadtest::RoadWindow;
using batch_pictures::Expected;

namespace {

const char kTest[] = "batch_windows";

QVariant call(QObject* object, const char* method, const QVariant& a = QVariant(), const QVariant& b = QVariant())
{
    QVariant result;
    if (b.isValid()) {
        QMetaObject::invokeMethod(object, method, Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, a), Q_ARG(QVariant, b));
    } else if (a.isValid()) {
        QMetaObject::invokeMethod(object, method, Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, a));
    } else {
        QMetaObject::invokeMethod(object, method, Q_RETURN_ARG(QVariant, result));
    }
    return result;
}

QStringList aliases_in(const QString& path)
{
    void* handle = nullptr;
    void* doc = nullptr;
    QStringList aliases;
    if (picfold_init(handle) && picfold_load_file_w(handle, path.toStdWString(), false) &&
        picfold_get_ir_data(handle, doc)) {
        for (const QJsonValue& value : IRImage::read_user_data(doc).value("VYAnas").toArray()) {
            aliases << value.toObject().value("ana_alias").toString();
        }
    }
    picfold_uninit(handle);
    return aliases;
}

}  // namespace

class BatchRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        QVERIFY(m_folders.is_valid());
        m_root = m_folders.home() + QString::fromUtf8("/现场 #1");
        QVERIFY(QDir().mkpath(m_root));
        QVERIFY(batch_pictures::make_pictures(m_root, 3, m_pictures));
        QDesktopServices::setUrlHandler("file", &m_opened, "open");
    }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler("file"); }
    void cleanup() { m_guard.verify(); }
    void report_and_batch_analysis();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
    OpenedUrls m_opened;
    QString m_root;
    std::vector<Expected> m_pictures;
};

void BatchRoadTest::report_and_batch_analysis()
{
    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 800)));
    QObject* page = road.find_object("start_page");
    QObject* grid = road.find_object("area_pic_preview");
    QObject* report = road.find_object("wnd_report");
    QObject* batching = road.find_object("batching_file");
    QVERIFY(page && grid && report && batching);

    // Select the three pictures and ask for their report.
    QVERIFY(QQmlProperty::write(page, "strPreviewPath", m_root));
    QTRY_COMPARE(QQmlProperty::read(grid, "nPictures").toInt(), 3);
    QTRY_VERIFY(road.find_item("preview_cell_2") != nullptr);
    QVERIFY(RoadWindow::click(road.find_item("preview_cell_0")));
    QTest::mouseClick(road.window(), Qt::LeftButton, Qt::ShiftModifier,
                      road.find_item("preview_cell_2")->mapToScene(QPointF(20, 20)).toPoint());
    QTRY_COMPARE(QQmlProperty::read(grid, "nSelected").toInt(), 3);
    QQuickItem* menu = road.find_item("report_menu");
    QVERIFY(RoadWindow::click(road.find_item("preview_cell_2"), Qt::RightButton));
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(RoadWindow::click(road.find_item("report_menu_mouse")));
    QTRY_VERIFY(report->property("visible").toBool());
    QCOMPARE(QQmlProperty::read(report, "m_arr_report").toList().size(), 3);
    QVERIFY(!road.find_item("report_open")->isEnabled());
    QVERIFY(!road.save_screen(kTest, "report_window").isEmpty());

    // The document chosen in the save dialog: the job runs, the buttons and
    // the close button wait for it, the progress climbs to the end.
    QSignalSpy progress(batching, SIGNAL(sig_report_progress(int)));
    const QString out = m_root + "/report 1.doc";
    call(report, "start_report", QUrl::fromLocalFile(out).toString(), QUrl::fromLocalFile(m_root).toString());
    QVERIFY(report->property("mb_start_processing").toBool());
    QVERIFY(!road.find_item("report_print")->isEnabled());
    QVERIFY(!road.find_item("wnd_report_close")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!report->property("mb_start_processing").toBool(), 60000);
    QCOMPARE(progress.size(), 4);
    QCOMPARE(progress.last().at(0).toInt(), 90);
    QObject* log = road.find_object("report_log");
    QCOMPARE(QQmlProperty::read(log, "mn_value").toInt(), 100);
    // Three pictures printed, "saving", and the end line.
    QCOMPARE(QQmlProperty::read(log, "count").toInt(), 5);
    QVERIFY(road.find_item("report_open")->isEnabled());
    QVERIFY(!road.save_screen(kTest, "report_done").isEmpty());
    const QDomDocument body = office_test::dom_of(office_test::read_parts(out).value("word/document.xml"));
    const QString text = office_test::text_of(body);
    for (const Expected& picture : m_pictures) QVERIFY2(text.contains(picture.title), qPrintable(text));

    // Open the result: the desktop is asked for the document itself.
    QVERIFY(RoadWindow::click(road.find_item("report_open")));
    QTRY_COMPARE(m_opened.urls.size(), 1);
    QCOMPARE(m_opened.urls[0], QUrl::fromLocalFile(out));
    QVERIFY(RoadWindow::click(road.find_item("report_exit")));
    QTRY_VERIFY(!report->property("visible").toBool());

    // Open the first picture, give it analyses of its own (they replace the
    // stored one) and apply them to the other two.
    QVERIFY(RoadWindow::double_click(road.find_item("preview_cell_0")));
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    QVERIFY(view != nullptr);
    QTRY_VERIFY(view->source() != nullptr);
    QVERIFY(view->load_ana_from_string(R"([{"ana_alias":"Spot","ana_str":"P:30,30;-"},{"ana_alias":"Box","ana_str":"R:5,5;40,30;-"}])"));
    QObject* batch = road.find_object("wnd_batch_ana");
    QVERIFY(RoadWindow::click(road.find_item("btn_batch_ana")));
    QTRY_VERIFY(batch->property("visible").toBool());
    QCOMPARE(QQmlProperty::read(batch, "anaCount").toInt(), 2);
    // The picture dialog starts in the picture's folder.
    QCOMPARE(QUrl(batch->property("m_str_path").toString()).toLocalFile(),
             QFileInfo(m_pictures[0].path).absolutePath());
    QVERIFY(!road.save_screen(kTest, "batch_window").isEmpty());
    call(batch, "start_batch", QVariantList{QUrl::fromLocalFile(m_pictures[1].path).toString(),
                                            QUrl::fromLocalFile(m_pictures[2].path).toString()});
    QTRY_VERIFY_WITH_TIMEOUT(!batch->property("mb_start_processing").toBool(), 60000);
    QCOMPARE(QQmlProperty::read(road.find_object("batch_ana_log"), "count").toInt(), 3);
    QVERIFY(!road.save_screen(kTest, "batch_done").isEmpty());
    for (int i = 1; i < 3; ++i) {
        const QStringList aliases = aliases_in(m_pictures[size_t(i)].path);
        QVERIFY2(aliases.contains("Spot") && aliases.contains("Box") && aliases.contains("R1"), qPrintable(aliases.join(',')));
    }
    QVERIFY(RoadWindow::click(road.find_item("batch_ana_exit")));
    QTRY_VERIFY(!batch->property("visible").toBool());
}

QTEST_MAIN(BatchRoadTest)
#include "batch_road_test.moc"
