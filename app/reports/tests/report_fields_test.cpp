// The data-mark grammar: placeholders and whole mark texts into entries,
// the panel's font JSON and the display names of font families.
#include "message_guard.h"
#include "reports/report_fields.h"
#include "reports/report_font.h"
#include "reports/report_template.h"
#include "reports/report_word_writer.h"

#include <QStandardPaths>
#include <QtTest>

class ReportFieldsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_guard.install();
    }
    void cleanup() { m_guard.verify(); }

    void placeholders_data();
    void placeholders();
    void mark_texts_data();
    void mark_texts();
    void font_json_changes_only_what_it_names();
    void family_names_follow_the_language();
    void template_kinds_data();
    void template_kinds();
    void points_and_alignment_for_writers();

private:
    roadtest::MessageGuard m_guard;
};

void ReportFieldsTest::placeholders_data()
{
    QTest::addColumn<QString>("placeholder");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<int>("ir");
    QTest::addColumn<int>("ana");
    QTest::addColumn<int>("minus");
    QTest::addColumn<int>("type");
    QTest::newRow("picture field") << "IR1DeviceName" << true << 0 << -1 << -1 << 28;
    QTest::newRow("analysis field") << "IR1Analyze2MaxTemperature" << true << 0 << 1 << -1 << 2;
    QTest::newRow("difference") << "IR1Analyze2Minus3MaxTemperature" << true << 0 << 1 << 2 << 100;
    QTest::newRow("second analysis 0") << "IR1Analyze2Minus0MaxTemperature" << true << 0 << 1 << -1 << 100;
    QTest::newRow("number after key") << "IR1AnalyzeName2" << true << 0 << 1 << -1 << 1;
    QTest::newRow("digits around key read together") << "IR1DeviceName2" << true << 11 << -1 << -1 << 28;
    QTest::newRow("picture 0") << "IR0Phase" << true << -1 << -1 << -1 << 29;
    QTest::newRow("huge number") << "IR99999999999Phase" << true << -1 << -1 << -1 << 29;
    QTest::newRow("two-digit picture") << "IR12Analyze10AvgTemperature" << true << 11 << 9 << -1 << 4;
    QTest::newRow("no analysis number") << "IR1AnalyzeName" << false << 0 << 0 << 0 << 0;
    QTest::newRow("no tail") << "IR1Analyze2Minus" << false << 0 << 0 << 0 << 0;
    QTest::newRow("empty analysis tail") << "IR1Analyze2" << false << 0 << 0 << 0 << 0;
    QTest::newRow("wrong prefix") << "VI1DeviceName" << false << 0 << 0 << 0 << 0;
    QTest::newRow("case matters") << "IR1Devicename" << false << 0 << 0 << 0 << 0;
    QTest::newRow("no number") << "IRDeviceName" << false << 0 << 0 << 0 << 0;
    QTest::newRow("empty") << "" << false << 0 << 0 << 0 << 0;
    QTest::newRow("prefix only") << "IR" << false << 0 << 0 << 0 << 0;
}

void ReportFieldsTest::placeholders()
{
    QFETCH(QString, placeholder);
    QFETCH(bool, taken);
    ReportMarkEntry entry;
    QCOMPARE(report_fields::parse_mark_key(placeholder, entry), taken);
    if (!taken) return;
    QFETCH(int, ir);
    QFETCH(int, ana);
    QFETCH(int, minus);
    QFETCH(int, type);
    QCOMPARE(entry.mark, placeholder);
    QCOMPARE(entry.ir_id, ir);
    QCOMPARE(entry.ana_id, ana);
    QCOMPARE(entry.ana_id_minus, minus);
    QCOMPARE(entry.mark_type, type);
}

void ReportFieldsTest::mark_texts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("error");
    // Each entry as "mark/type".
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("mixed") << "Temperature: {IR1Analyze1MaxTemperature} at {IR1RecordingTime}" << 0 << ""
                           << QStringList{"Temperature: /0", "IR1Analyze1MaxTemperature/2", " at /0",
                                          "IR1RecordingTime/7"};
    QTest::newRow("no braces") << "abc" << 1 << "" << QStringList{};
    QTest::newRow("unbalanced") << "{IR1DeviceName" << -2 << "" << QStringList{};
    QTest::newRow("bad prefix") << "x{VI1DeviceName}" << -3 << "VI1DeviceName" << QStringList{};
    QTest::newRow("bad key") << "{IR1Devicename}" << -3 << "IR1Devicename" << QStringList{};
    QTest::newRow("reversed braces") << "}{" << 0 << "" << QStringList{"}/0"};
    QTest::newRow("brace inside literal") << "a}b{c" << 0 << "" << QStringList{"a}b/0", "c/0"};
    QTest::newRow("adjacent marks") << "{IR1DeviceType}{IR1Phase}" << 0 << ""
                                    << QStringList{"IR1DeviceType/27", "IR1Phase/29"};
    QTest::newRow("empty braces") << "a{}b" << -3 << "" << QStringList{};
}

void ReportFieldsTest::mark_texts()
{
    QFETCH(QString, text);
    QFETCH(int, result);
    QFETCH(QString, error);
    QFETCH(QStringList, entries);
    ReportMarkEntries parsed;
    QString failed;
    QCOMPARE(report_fields::parse_mark_text(text, parsed, failed), result);
    QCOMPARE(failed, error);
    QStringList described;
    for (const ReportMarkEntry& entry : parsed) {
        described << entry.mark + "/" + QString::number(entry.mark_type);
        if (!entry.is_field()) QCOMPARE(entry.value, entry.mark);
    }
    QCOMPARE(described, entries);
}

void ReportFieldsTest::font_json_changes_only_what_it_names()
{
    QFont font = report_font::default_font();
    int flags = report_font::kFlagsLeft;
    report_font::apply_json(QJsonObject{{"fPonitSize", 12.7}, {"bBold", true}, {"nFlags", 1}}, font, flags);
    QCOMPARE(font.pointSizeF(), 12.0);
    QVERIFY(font.weight() > QFont::Medium);
    QCOMPARE(flags, report_font::kFlagsCentre);
    const ReportFont record = report_font::from_qfont(font, flags);
    QCOMPARE(record.point_size, 12.0f);
    QCOMPARE(record.bold, uint8_t(1));
    // An unknown alignment, or a size Qt would refuse, changes nothing.
    report_font::apply_json(QJsonObject{{"nFlags", 5}, {"fPonitSize", 0.0}, {"bItalic", true}}, font, flags);
    QCOMPARE(flags, report_font::kFlagsCentre);
    QCOMPARE(font.pointSizeF(), 12.0);
    QVERIFY(font.italic());
    QVERIFY(!font.underline());
    const QJsonObject json = report_font::to_json(report_font::from_qfont(font, flags));
    QCOMPARE(json.keys(), (QStringList{"bBold", "bItalic", "bUnderline", "fPonitSize", "nFlags", "sFamily"}));
}

void ReportFieldsTest::family_names_follow_the_language()
{
    QCOMPARE(report_fields::font_family_display_name("SimSun", false), QString("SimSun"));
    QCOMPARE(report_fields::font_family_display_name("SimSun", true), QString::fromUtf8("宋体"));
    QCOMPARE(report_fields::font_family_display_name("STXinwei", true), QString::fromUtf8("华文新魏"));
    QCOMPARE(report_fields::font_family_display_name("simsun", true), QString("simsun"));
    QCOMPARE(report_fields::font_family_display_name("DejaVu Sans", true), QString("DejaVu Sans"));
}

void ReportFieldsTest::template_kinds_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("kind");
    QTest::newRow("layout") << "/r/a.xml" << int(ReportTemplateKind::kLayout);
    QTest::newRow("upper case") << "/r/A.DOT" << int(ReportTemplateKind::kWordTemplate);
    QTest::newRow("dot in a folder") << "/reports.old/t.dot" << int(ReportTemplateKind::kWordTemplate);
    QTest::newRow("two suffixes") << "/r/t.xml.dot" << int(ReportTemplateKind::kWordTemplate);
    QTest::newRow("folder named .xml") << "/r/x.xml/t" << int(ReportTemplateKind::kUnknown);
    QTest::newRow("document") << "/r/t.docx" << int(ReportTemplateKind::kUnknown);
    QTest::newRow("empty") << "" << int(ReportTemplateKind::kUnknown);
}

void ReportFieldsTest::template_kinds()
{
    QFETCH(QString, path);
    QFETCH(int, kind);
    QCOMPARE(int(report_template_kind(path)), kind);
}

void ReportFieldsTest::points_and_alignment_for_writers()
{
    QCOMPARE(report_word::points_from_pixels(96, 96), 72);
    QCOMPARE(report_word::points_from_pixels(192, 96), 144);
    QCOMPARE(report_word::points_from_pixels(1, 96), 0);
    QCOMPARE(report_word::points_from_pixels(-1, 96), 0);
    QCOMPARE(report_word::points_from_pixels(50, 0), 50);
    // 2^31 / 72 pixels and more would wrap in 32 bits.
    QCOMPARE(report_word::points_from_pixels(40000000, 96), 30000000);
    QCOMPARE(report_word::points_from_pixels(2147483647, 72), 2147483647);
    QCOMPARE(report_word::paragraph_alignment(0x1 | 0x4), 0);
    QCOMPARE(report_word::paragraph_alignment(0x1004), 1);
    QCOMPARE(report_word::paragraph_alignment(0x1002), 2);
    QCOMPARE(report_word::paragraph_alignment(0x1000), -1);
}

QTEST_GUILESS_MAIN(ReportFieldsTest)
#include "report_fields_test.moc"
