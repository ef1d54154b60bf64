#include "message_guard.h"
#include "markpen.h"
#include "shell/data_common.h"
#include "shell/h_translator.h"
#include "shell/qml_registration.h"

#include <QImageReader>
#include <QSignalSpy>
#include <QtTest>

class TranslatorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup() { m_guard.verify(); }

    void translator_loads_every_language_data();
    void translator_loads_every_language();
    void translator_same_file_twice_signals_twice();
    void translator_unknown_file_discards_and_is_silent();
    void edition_fixed_values();

private:
    roadtest::MessageGuard m_guard;
};

void TranslatorTest::initTestCase()
{
    m_guard.install();
    init_app_resources();
    QCoreApplication::installTranslator(HTranslator::instance());
}

void TranslatorTest::cleanupTestCase()
{
    DataCommon::destroy();
    HTranslator::destroy();
}

void TranslatorTest::translator_loads_every_language_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::newRow("simplified") << "language/PyravueCN.qm" << QString::fromUtf8("红外分析处理软件");
    QTest::newRow("english") << "language/PyravueEN.qm" << "Infrared analysis and processing software";
    QTest::newRow("traditional") << "language/PyravueHK.qm" << QString::fromUtf8("紅外分析處理軟體");
    QTest::newRow("russian") << "language/PyravueRU.qm"
                             << QString::fromUtf8("Программа анализа и обработки тепловизионных изображений");
    QTest::newRow("hungarian") << "language/PyravueHU.qm" << QString::fromUtf8("Infravörös elemző és feldolgozó szoftver");
}

void TranslatorTest::translator_loads_every_language()
{
    QFETCH(QString, file);
    QFETCH(QString, title);
    DataCommon* common = DataCommon::instance();
    QSignalSpy translator_spy(HTranslator::instance(), &HTranslator::sig_language_changed);
    QSignalSpy common_spy(common, &DataCommon::sig_language_changed);
    QVERIFY(HTranslator::instance()->load(file));
    QCOMPARE(translator_spy.count(), 1);
    QCOMPARE(common_spy.count(), 1);
    QCOMPARE(common->software_title(), title);
    QCOMPARE(common->property("strSettingSofwareName").toString(), QStringLiteral("Korvane ") + title);
}

void TranslatorTest::translator_same_file_twice_signals_twice()
{
    QSignalSpy spy(HTranslator::instance(), &HTranslator::sig_language_changed);
    QVERIFY(HTranslator::instance()->load(QStringLiteral("language/PyravueEN.qm")));
    QVERIFY(HTranslator::instance()->load(QStringLiteral("language/PyravueEN.qm")));
    QCOMPARE(spy.count(), 2);
}

void TranslatorTest::translator_unknown_file_discards_and_is_silent()
{
    QVERIFY(HTranslator::instance()->load(QStringLiteral("language/PyravueEN.qm")));
    QCOMPARE(DataCommon::instance()->software_title(), QStringLiteral("Infrared analysis and processing software"));
    QSignalSpy spy(HTranslator::instance(), &HTranslator::sig_language_changed);
    for (const char* name : {"language/PyravueXX.qm", "", "../etc/passwd", "images/pyravue.svg"}) {
        QVERIFY(!HTranslator::instance()->load(QString::fromLatin1(name)));
    }
    QCOMPARE(spy.count(), 0);
    // The English messages are gone: the source texts show.
    QCOMPARE(DataCommon::instance()->software_title(), QString::fromUtf8("红外分析处理软件"));
}

void TranslatorTest::edition_fixed_values()
{
    DataCommon* common = DataCommon::instance();
    QCOMPARE(common->property("nSettingSoftwareVersion").toInt(), 2);
    QCOMPARE(common->property("nSettingPlayerVersion").toInt(), 2);
    QCOMPARE(common->property("nSettingImageVersion").toInt(), 1);
    QCOMPARE(common->property("nSettingResearchVersion").toInt(), 0);
    QCOMPARE(common->property("bIsEnableDetectRule").toBool(), false);
    QCOMPARE(common->property("bIsEnableReportEdit").toBool(), true);
    QVERIFY(!common->is_null_company());
    QVERIFY(!common->software_about().isEmpty());
    // The window icon and the overlay logo are in the resources, and the
    // logo reads as a picture.
    QVERIFY(QFile::exists(QUrl(common->software_icon()).path().prepend(QLatin1Char(':'))));
    QImageReader logo(QStringLiteral(":/images/logo_kor.png"));
    logo.setDecideFormatFromContent(true);
    const QImage picture = logo.read();
    QVERIFY2(!picture.isNull(), qPrintable(logo.errorString()));
    QVERIFY(markpen_set_logo(":/images/logo_kor.png"));
}

QTEST_MAIN(TranslatorTest)
#include "translator_test.moc"
