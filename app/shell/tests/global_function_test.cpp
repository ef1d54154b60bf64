#include "message_guard.h"
#include "shell/global_function.h"

#include <QDir>
#include <QSignalSpy>
#include <QWindow>
#include <QtTest>

class GlobalFunctionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { m_guard.verify(); }

    void keys_held_function_key_gives_one_start_and_one_stop();
    void keys_press_again_after_release();
    void keys_mouse_position_is_remembered();
    void screens_choice_data();
    void screens_choice();
    void free_space_of_folder_and_missing_path();
    void folder_urls_keep_every_character();

private:
    roadtest::MessageGuard m_guard;
    GlobalFunction m_global;
    QWindow m_window;
};

void GlobalFunctionTest::initTestCase()
{
    m_guard.install();
    qApp->installEventFilter(&m_global);
    m_window.resize(200, 100);
    m_window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_window));
}

void GlobalFunctionTest::keys_held_function_key_gives_one_start_and_one_stop()
{
    QSignalSpy reverse(&m_global, &GlobalFunction::sig_motor_reverse);
    QSignalSpy forward(&m_global, &GlobalFunction::sig_motor_forward);
    QSignalSpy stop(&m_global, &GlobalFunction::sig_motor_stop);
    QTest::keyPress(&m_window, Qt::Key_F5);
    // Auto-repeat while held, and a second press before the release.
    for (int i = 0; i < 20; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier, QString(), true);
        QCoreApplication::sendEvent(&m_window, &repeat);
    }
    QTest::keyPress(&m_window, Qt::Key_F5);
    QCOMPARE(reverse.count(), 1);
    QCOMPARE(stop.count(), 0);
    QTest::keyRelease(&m_window, Qt::Key_F5);
    QCOMPARE(stop.count(), 1);
    // A release without a press stops nothing.
    QTest::keyRelease(&m_window, Qt::Key_F5);
    QCOMPARE(stop.count(), 1);

    QTest::keyPress(&m_window, Qt::Key_F6);
    QTest::keyRelease(&m_window, Qt::Key_F6);
    QCOMPARE(forward.count(), 1);
    QCOMPARE(stop.count(), 2);
    QCOMPARE(reverse.count(), 1);
}

void GlobalFunctionTest::keys_press_again_after_release()
{
    QSignalSpy correct(&m_global, &GlobalFunction::sig_correct);
    QSignalSpy exit(&m_global, &GlobalFunction::sig_exit_btn);
    QSignalSpy stop(&m_global, &GlobalFunction::sig_motor_stop);
    QTest::keyClick(&m_window, Qt::Key_F3);
    QTest::keyClick(&m_window, Qt::Key_F3);
    QTest::keyPress(&m_window, Qt::Key_Escape);
    QTest::keyPress(&m_window, Qt::Key_Escape);
    QTest::keyRelease(&m_window, Qt::Key_Escape);
    QTest::keyClick(&m_window, Qt::Key_Escape);
    QTest::keyClick(&m_window, Qt::Key_A);
    QCOMPARE(correct.count(), 2);
    QCOMPARE(exit.count(), 2);
    // Releasing F3 or Escape is silent.
    QCOMPARE(stop.count(), 0);
}

void GlobalFunctionTest::keys_mouse_position_is_remembered()
{
    QTest::mouseMove(&m_window, QPoint(37, 21));
    QCOMPARE(m_global.get_mouse_pos(), QPoint(37, 21));
}

void GlobalFunctionTest::screens_choice_data()
{
    QTest::addColumn<QVector<QRect>>("screens");
    QTest::addColumn<QRect>("window");
    QTest::addColumn<int>("chosen");
    const QVector<QRect> two{QRect(0, 0, 1000, 800), QRect(1000, 0, 1000, 800)};
    QTest::newRow("inside the first") << two << QRect(100, 100, 400, 300) << 0;
    QTest::newRow("inside the second") << two << QRect(1200, 100, 400, 300) << 1;
    QTest::newRow("60 % on the second") << two << QRect(600, 0, 1000, 500) << 1;
    QTest::newRow("exactly half each") << two << QRect(500, 0, 1000, 500) << 0;
    QTest::newRow("outside every screen") << two << QRect(5000, 5000, 100, 100) << 0;
    QTest::newRow("touching edge only") << two << QRect(2000, 0, 100, 100) << 0;
    QTest::newRow("empty window") << two << QRect(1200, 100, 0, 0) << 0;
    QTest::newRow("no screens") << QVector<QRect>() << QRect(0, 0, 10, 10) << 0;
    QTest::newRow("third stacked below")
        << QVector<QRect>{QRect(0, 0, 1000, 800), QRect(1000, 0, 1000, 800), QRect(0, 800, 2000, 600)}
        << QRect(900, 700, 200, 400) << 2;
}

void GlobalFunctionTest::screens_choice()
{
    QFETCH(QVector<QRect>, screens);
    QFETCH(QRect, window);
    QFETCH(int, chosen);
    QCOMPARE(choose_screen(screens, window), chosen);
}

void GlobalFunctionTest::folder_urls_keep_every_character()
{
    QCOMPARE(m_global.local_path_of_url(QUrl("file:///tmp/a%20%231/%25")), QString("/tmp/a #1/%"));
    const QString path = "/tmp/录像 #2";
    QCOMPARE(m_global.local_path_of_url(m_global.url_of_local_path(path)), path);
    QVERIFY(m_global.url_of_local_path(QString()).isEmpty());
}

void GlobalFunctionTest::free_space_of_folder_and_missing_path()
{
    const float free_gb = get_disk_free_space_gb(QDir::tempPath());
    QVERIFY(free_gb >= 0);
    const QString text = m_global.get_dist_free_space(QDir::tempPath());
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d+\\.\\d\\dGB\\(")).match(text).hasMatch(), qPrintable(text));
    QVERIFY(text.endsWith(QStringLiteral("GB(") + QDir::tempPath() + QLatin1Char(')')));
    for (const QString& missing : {QStringLiteral("/no/such/folder/anywhere"), QString()}) {
        QCOMPARE(get_disk_free_space_gb(missing), -1.0f);
        // The source text, as no translation is loaded here.
        QCOMPARE(m_global.get_dist_free_space(missing), QStringLiteral("未知"));
    }
    QVERIFY(!m_global.get_software_version().isEmpty());
    QCOMPARE(m_global.get_software_version().split(QLatin1Char('.')).size(), 4);
    QVERIFY(!m_global.get_support_font_family().isEmpty());
}

QTEST_MAIN(GlobalFunctionTest)
#include "global_function_test.moc"
