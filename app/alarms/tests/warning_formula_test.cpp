// Formula text of alarm conditions: temperatures put into whole tokens only,
// negative values that cannot make a comment, alias renames that leave
// longer aliases alone, and the aliases of detection-rule formulas.
#include "alarms/warning_formula.h"

#include <QtTest>

class WarningFormulaTest : public QObject {
    Q_OBJECT

private slots:
    void temperatures_into_tokens_data();
    void temperatures_into_tokens();
    void rename_whole_tokens_data();
    void rename_whole_tokens();
    void rule_formula_aliases();
    void number_only_text();
};

void WarningFormulaTest::temperatures_into_tokens_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("alias");
    QTest::addColumn<double>("max");
    QTest::addColumn<QString>("expected");
    QTest::newRow("rounded") << "R01:Max > 50" << "R01" << 52.34 << "52.3 > 50";
    QTest::newRow("negative in brackets") << "R01:Max > 50" << "R01" << -5.0 << "(-5.0) > 50";
    QTest::newRow("negative after minus") << "R02:Max-R01:Max > 1" << "R01" << -5.0 << "R02:Max-(-5.0) > 1";
    QTest::newRow("every feature") << "R01:Max+R01:Min+R01:Avg" << "R01" << 3.0 << "3.0+1.0+2.0";
    QTest::newRow("longer alias before") << "BR01:Max > 1" << "R01" << 9.0 << "BR01:Max > 1";
    QTest::newRow("longer feature") << "R01:Maximum > 1" << "R01" << 9.0 << "R01:Maximum > 1";
    QTest::newRow("underscore joins") << "x_R01:Max > 1" << "R01" << 9.0 << "x_R01:Max > 1";
    QTest::newRow("brackets and phase marks") << "math.max(R01:Max,$R01:Max)" << "R01" << 9.0
                                              << "math.max(9.0,$9.0)";
    QTest::newRow("case sensitive") << "r01:Max > 1 and R01:max > 1" << "R01" << 9.0
                                    << "r01:Max > 1 and R01:max > 1";
    QTest::newRow("non-ASCII alias") << "\u70ed1:Max > 1" << "\u70ed1" << 9.0 << "9.0 > 1";
    QTest::newRow("non-ASCII neighbour") << "\u70edR01:Max > 1" << "R01" << 9.0 << "\u70edR01:Max > 1";
}

void WarningFormulaTest::temperatures_into_tokens()
{
    QFETCH(QString, formula);
    QFETCH(QString, alias);
    QFETCH(double, max);
    QFETCH(QString, expected);
    QByteArray text = formula.toUtf8();
    QVERIFY(warning_formula::put_temperatures(text, alias.toUtf8(), max, 1.0, 2.0));
    QCOMPARE(QString::fromUtf8(text), expected);
}

void WarningFormulaTest::rename_whole_tokens_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("now");
    QTest::addColumn<QString>("expected");
    QTest::newRow("renamed") << "R01:Max > 50" << "R01" << "R05" << "R05:Max > 50";
    QTest::newRow("every token") << "math.abs(R01:Max-R01:Min) > 5" << "R01" << "hot"
                                 << "math.abs(hot:Max-hot:Min) > 5";
    QTest::newRow("prefix of an alias") << "R01:Max > 50" << "R0" << "R9" << "R01:Max > 50";
    QTest::newRow("suffix of an alias") << "R01:Max > 50" << "1" << "X" << "R01:Max > 50";
    QTest::newRow("suffix, other token whole") << "BR01:Max > R01:Min" << "R01" << "R7" << "BR01:Max > R7:Min";
    QTest::newRow("phase mark") << "$R01:Max > 50" << "R01" << "R02" << "$R02:Max > 50";
    QTest::newRow("case sensitive") << "r01:Max > 50" << "R01" << "R02" << "r01:Max > 50";
    QTest::newRow("empty before") << "R01:Max > 50" << "" << "R02" << "R01:Max > 50";
}

void WarningFormulaTest::rename_whole_tokens()
{
    QFETCH(QString, formula);
    QFETCH(QString, before);
    QFETCH(QString, now);
    QFETCH(QString, expected);
    QCOMPARE(warning_formula::rename_alias(formula, before, now), expected);
}

void WarningFormulaTest::rule_formula_aliases()
{
    QCOMPARE(warning_formula::rule_aliases("math.abs(R01:Max-R02:Max) > 5"), QStringList({"R01", "R02"}));
    QCOMPARE(warning_formula::rule_aliases("R01:Max > 50 or R03:Max > 60"), QStringList({"R01", "R03"}));
    QCOMPARE(warning_formula::rule_aliases(" P1 :Max > 1"), QStringList({"P1"}));
    QCOMPARE(warning_formula::rule_aliases("EnvTemp > 3"), QStringList());
    QCOMPARE(warning_formula::rule_aliases(":Max"), QStringList({""}));
}

void WarningFormulaTest::number_only_text()
{
    QVERIFY(warning_formula::is_number_only("52.3 > 50 and math.abs((-5.0)-1.0) > 2"));
    QVERIFY(!warning_formula::is_number_only("52.3 > R09:Max"));
    QVERIFY(!warning_formula::is_number_only("math.max() > 1"));
}

QTEST_MAIN(WarningFormulaTest)
#include "warning_formula_test.moc"
