// The common controls and styles load without a QML warning, and their
// behaviour as a user meets it.
#include "message_guard.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "shell/h_translator.h"
#include "test_folders.h"

#include <QQmlProperty>
#include <QtTest>

using roadtest::RoadWindow;

class CommonQmlTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_shell.reset(); }
    void cleanup() { m_guard.verify(); }

    void common_tool_button_checking();
    void common_texts_follow_language();
    void common_message_box_returns_choice();
    void common_tooltip_stays_inside();
    void common_dialogs_open_with_their_settings();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
    std::unique_ptr<AppShell> m_shell;
    std::unique_ptr<RoadWindow> m_road;
};

void CommonQmlTest::initTestCase()
{
    m_guard.install();
    m_shell = std::make_unique<AppShell>();
    QVERIFY(m_shell->load_main_window(QUrl::fromLocalFile(QStringLiteral(PYRAVUE_TEST_DIR "/common_controls.qml"))));
    m_road = std::make_unique<RoadWindow>(m_shell->main_window());
    QVERIFY(m_road->show());
    QVERIFY(!m_road->save_screen(QStringLiteral("common_controls"), QStringLiteral("all")).isEmpty());
}

void CommonQmlTest::common_tool_button_checking()
{
    QQuickWindow* window = m_road->window();
    QQuickItem* sticky = m_road->find_item(QStringLiteral("tool_sticky"));
    QQuickItem* toggle = m_road->find_item(QStringLiteral("tool_toggle"));
    QQuickItem* disabled = m_road->find_item(QStringLiteral("tool_disabled"));
    QVERIFY(sticky && toggle && disabled);

    // Without bNotUncheck a checked button stays checked and is silent.
    QVERIFY(RoadWindow::click(sticky));
    QCOMPARE(window->property("nPresses").toInt(), 1);
    QVERIFY(window->property("bLastChecked").toBool());
    QVERIFY(RoadWindow::click(sticky));
    QCOMPARE(window->property("nPresses").toInt(), 1);
    QVERIFY(sticky->property("bChecked").toBool());
    QCOMPARE(window->property("nReleases").toInt(), 2);

    // An ordinary checkable button toggles both ways.
    QVERIFY(RoadWindow::click(toggle));
    QVERIFY(RoadWindow::click(toggle));
    QCOMPARE(window->property("nPresses").toInt(), 3);
    QVERIFY(!toggle->property("bChecked").toBool());
    QVERIFY(!window->property("bLastChecked").toBool());

    // A disabled one does nothing.
    QVERIFY(RoadWindow::click(disabled));
    QCOMPARE(window->property("nPresses").toInt(), 3);
}

void CommonQmlTest::common_texts_follow_language()
{
    QObject* bound = m_road->find_object(QStringLiteral("bound_text"));
    QVERIFY(bound != nullptr);
    QVERIFY(HTranslator::instance()->load(QStringLiteral("language/PyravueRU.qm")));
    QCOMPARE(bound->property("text").toString(), QString::fromUtf8("Настройки"));
    QVERIFY(HTranslator::instance()->load(QStringLiteral("language/PyravueEN.qm")));
    QCOMPARE(bound->property("text").toString(), QStringLiteral("Settings"));
    // A toolbar button's tooltip is looked up in the current language.
    QQuickItem* tip = m_road->find_item(QStringLiteral("tip"));
    QQuickItem* toggle = m_road->find_item(QStringLiteral("tool_toggle"));
    QVERIFY(RoadWindow::move_to(toggle, QPointF(5, 5)));
    QVERIFY(RoadWindow::wait_for([&] { return tip->isVisible(); }));
    QCOMPARE(tip->property("strShown").toString(), QStringLiteral("Show maximum temperature"));
    QVERIFY(RoadWindow::move_to(m_road->window()->contentItem(), QPointF(600, 380)));
    QVERIFY(!tip->isVisible());

    QVERIFY(HTranslator::instance()->load(QStringLiteral("language/PyravueCN.qm")));
    QCOMPARE(bound->property("text").toString(), QString::fromUtf8("设置"));
}

void CommonQmlTest::common_message_box_returns_choice()
{
    QQuickWindow* box = m_road->find_window(QStringLiteral("box"));
    QVERIFY(box != nullptr);
    QSignalSpy returned(box, SIGNAL(sig_return(int, int, QVariant)));
    QVERIFY(QMetaObject::invokeMethod(box, "show_choose_box", Q_ARG(QVariant, QVariant()),
                                      Q_ARG(QVariant, QStringLiteral("delete?"))));
    QVERIFY(QTest::qWaitForWindowExposed(box));
    RoadWindow box_road(box);
    QVERIFY(box_road.find_item(QStringLiteral("message_box_cancel"))->isVisible());
    QVERIFY(RoadWindow::click(box_road.find_item(QStringLiteral("message_box_cancel"))));
    QCOMPARE(returned.count(), 1);
    QCOMPARE(returned.at(0).at(0).toInt(), 0);
    QCOMPARE(returned.at(0).at(1).toInt(), 1);
    QVERIFY(!box->isVisible());
    QCOMPARE(box->property("nType").toInt(), -1);

    QVERIFY(QMetaObject::invokeMethod(box, "show_message_box", Q_ARG(QVariant, QStringLiteral("done"))));
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QVERIFY(!box_road.find_item(QStringLiteral("message_box_cancel"))->isVisible());
    QVERIFY(RoadWindow::click(box_road.find_item(QStringLiteral("message_box_ok"))));
    QCOMPARE(returned.count(), 2);
    QCOMPARE(returned.at(1).at(0).toInt(), 1);
    QCOMPARE(returned.at(1).at(1).toInt(), 0);
}

void CommonQmlTest::common_tooltip_stays_inside()
{
    QQuickItem* tip = m_road->find_item(QStringLiteral("tip"));
    QVERIFY(tip != nullptr);
    // Near the bottom-right corner the tip is pulled back inside the window.
    RoadWindow::move_to(m_road->window()->contentItem(), QPointF(635, 395));
    QVERIFY(QMetaObject::invokeMethod(tip, "show_tip", Q_ARG(QVariant, QStringLiteral("a long tooltip text"))));
    QVERIFY(tip->isVisible());
    QVERIFY(tip->x() + tip->width() <= 640);
    QVERIFY(tip->y() + tip->height() <= 400);
    // An empty text shows nothing new.
    QVERIFY(QMetaObject::invokeMethod(tip, "hide_tip"));
    QVERIFY(QMetaObject::invokeMethod(tip, "show_tip", Q_ARG(QVariant, QString())));
    QVERIFY(!tip->isVisible());
}

void CommonQmlTest::common_dialogs_open_with_their_settings()
{
    QObject* files = m_road->find_object(QStringLiteral("file_dialog"));
    QVERIFY(files != nullptr);
    QVERIFY(HTranslator::instance()->load(QStringLiteral("language/PyravueEN.qm")));
    // The offscreen platform says so when Qt's dialog window is shown.
    m_guard.expect(QRegularExpression(QStringLiteral("does not support propagateSizeHints")));
    QTemporaryDir odd_names;
    const QString start = odd_names.filePath(QStringLiteral("a #b %20 c"));
    QVERIFY(QDir().mkpath(start));
    QVERIFY(QMetaObject::invokeMethod(files, "show_save_report_path", Q_ARG(QVariant, QVariant()),
                                      Q_ARG(QVariant, 5), Q_ARG(QVariant, start)));
    QCOMPARE(files->property("nPurpose").toInt(), 5);
    QObject* dialog = files->property("dialog").value<QObject*>();
    QVERIFY(dialog != nullptr);
    QVERIFY(dialog->property("visible").toBool());
    QCOMPARE(dialog->property("title").toString(), QStringLiteral("Save report"));
    QCOMPARE(dialog->property("nameFilters").toStringList(),
             QStringList({QStringLiteral("Word document (*.doc)"), QStringLiteral("Report layout (*.xml)"),
                          QStringLiteral("Word template (*.dot)")}));
    QVERIFY(!dialog->property("selectExisting").toBool());
    QCOMPARE(dialog->property("folder").toUrl().toLocalFile(), start);
    QVERIFY(QMetaObject::invokeMethod(dialog, "close"));

    QObject* colours = m_road->find_object(QStringLiteral("color_dialog"));
    QVERIFY(colours != nullptr);
    m_guard.expect(QRegularExpression(QStringLiteral("does not support propagateSizeHints")));
    QVERIFY(QMetaObject::invokeMethod(colours, "show_color_dialog", Q_ARG(QVariant, QVariant()),
                                      Q_ARG(QVariant, QColor(0x12, 0x34, 0x56))));
    QObject* picker = colours->property("dialog").value<QObject*>();
    QVERIFY(picker != nullptr && picker->property("visible").toBool());
    QCOMPARE(picker->property("color").value<QColor>(), QColor(0x12, 0x34, 0x56));
    QVERIFY(!picker->property("showAlphaChannel").toBool());
    QVERIFY(QMetaObject::invokeMethod(picker, "close"));
}

QTEST_MAIN(CommonQmlTest)
#include "common_qml_test.moc"
