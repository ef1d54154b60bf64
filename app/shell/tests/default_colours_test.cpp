#include "shell/default_colours.h"

#include <QtTest>

class DefaultColoursTest : public QObject {
    Q_OBJECT

private slots:
    void colours_wrap_modulo_13_data();
    void colours_wrap_modulo_13();
};

void DefaultColoursTest::colours_wrap_modulo_13_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::newRow("first") << 0 << "#02f1ff";
    QTest::newRow("last") << 12 << "#87cefa";
    QTest::newRow("wraps") << 13 << "#02f1ff";
    QTest::newRow("wraps twice") << 28 << "#9d369c";
    QTest::newRow("negative") << -1 << "#87cefa";
    QTest::newRow("most negative") << INT_MIN << "#9d369c";
}

void DefaultColoursTest::colours_wrap_modulo_13()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    const QColor colour = default_colour(index);
    QCOMPARE(colour.name(), name);
    QCOMPARE(colour.alpha(), 255);
}

QTEST_GUILESS_MAIN(DefaultColoursTest)
#include "default_colours_test.moc"
