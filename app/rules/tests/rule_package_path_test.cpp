// Entry names and picture paths made from outside text stay inside the
// rule-picture folder, and distinct texts give distinct paths.
#include "message_guard.h"
#include "rules/rule_package_path.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class RulePackagePathTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void entry_name_safety_data();
    void entry_name_safety();
    void picture_entry_names();
    void components_never_meet();
    void rule_picture_target_refuses_dot_names();
    void stays_inside_follows_links();

private:
    roadtest::MessageGuard m_guard;
};

void RulePackagePathTest::entry_name_safety_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");
    QTest::newRow("plain") << "0/变压器/110kV/套管/S1.jpg" << true;
    QTest::newRow("folder entry") << "0/A/" << true;
    QTest::newRow("dots inside a name") << "0/a..b/x.jpg" << true;
    QTest::newRow("parent") << "../x.jpg" << false;
    QTest::newRow("parent inside") << "0/../../x.jpg" << false;
    QTest::newRow("dot") << "0/./x.jpg" << false;
    QTest::newRow("absolute") << "/etc/x.jpg" << false;
    QTest::newRow("drive") << "C:/x.jpg" << false;
    QTest::newRow("drive relative") << "C:x.jpg" << false;
    QTest::newRow("backslash") << "0\\..\\x.jpg" << false;
    QTest::newRow("empty component") << "0//x.jpg" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("only slash") << "/" << false;
    QTest::newRow("nul") << QString("0/a") + QChar(0) + "b.jpg" << false;
    QTest::newRow("newline") << "0/a\nb.jpg" << false;
}

void RulePackagePathTest::entry_name_safety()
{
    QFETCH(QString, name);
    QFETCH(bool, safe);
    QCOMPARE(RulePackagePath::is_safe_entry_name(name), safe);
    const QString target = RulePackagePath::entry_target(QStringLiteral("/pics"), name);
    QCOMPARE(target.isEmpty(), !safe || name.endsWith('/'));
    if (!target.isEmpty()) {
        QVERIFY(target.startsWith(QStringLiteral("/pics/")));
    }
}

void RulePackagePathTest::picture_entry_names()
{
    const QString dir = QStringLiteral("/app/RuleImage");
    struct Case {
        const char* stored;
        int kind;
        const char* entry;
    };
    const Case cases[] = {
        {"/app/RuleImage/0/A/110kV/P/S1.jpg", 0, "0/A/110kV/P/S1.jpg"},
        {"/app/RuleImage/../secret/2/x.jpg", 2, "2/x.jpg"},
        {"/elsewhere/1/A/B.jpg", 1, "1/A/B.jpg"},
        {"/elsewhere/pics/B.jpg", 1, "1/B.jpg"},
        {"/elsewhere/1/../../B.jpg", 1, "1/B.jpg"},
        {"/elsewhere/..", 1, ""},
    };
    for (const Case& c : cases) {
        QCOMPARE(RulePackagePath::picture_entry_name(QString::fromUtf8(c.stored), c.kind, dir),
                 QString::fromUtf8(c.entry));
    }
}

void RulePackagePathTest::components_never_meet()
{
    const QStringList texts = {"a/b", "a%2Fb", "a\\b", "a%5Cb", "a:b", "a%3Ab", "a%b", "a%25b", "a\nb", "a%0Ab",
                               "ab", ".a", "..a", "a."};
    QSet<QString> seen;
    for (const QString& text : texts) {
        const QString component = RulePackagePath::encode_component(text);
        QVERIFY2(!component.isEmpty(), qPrintable(text));
        QVERIFY2(!component.contains('/') && !component.contains('\\') && !component.contains(':'),
                 qPrintable(component));
        QVERIFY2(!seen.contains(component), qPrintable(text));
        seen.insert(component);
    }
    QCOMPARE(RulePackagePath::encode_component("a/b"), QStringLiteral("a%2Fb"));
    QCOMPARE(RulePackagePath::encode_component("a%b"), QStringLiteral("a%25b"));
}

void RulePackagePathTest::rule_picture_target_refuses_dot_names()
{
    QCOMPARE(RulePackagePath::rule_picture_target("/p", 1, "变压器", "110kV", "A/B", "S"),
             QStringLiteral("/p/1/变压器/110kV/A%2FB/S"));
    for (const QString& bad : {QString(), QStringLiteral("."), QStringLiteral("..")}) {
        QVERIFY(RulePackagePath::rule_picture_target("/p", 0, "T", bad, "P", "S").isEmpty());
        QVERIFY(RulePackagePath::rule_picture_target("/p", 0, "T", "V", "P", bad).isEmpty());
    }
}

void RulePackagePathTest::stays_inside_follows_links()
{
    QTemporaryDir dir;
    const QString root = dir.filePath("RuleImage");
    QVERIFY(QDir().mkpath(root + "/0"));
    QVERIFY(QDir().mkpath(dir.filePath("outside")));
    QVERIFY(QFile::link(dir.filePath("outside"), root + "/0/link"));
    QVERIFY(RulePackagePath::stays_inside(root + "/0/new/deeper/x.jpg", root));
    QVERIFY(!RulePackagePath::stays_inside(root + "/0/link/x.jpg", root));
    QVERIFY(!RulePackagePath::stays_inside(root + "/../outside/x.jpg", root));
    QVERIFY(!RulePackagePath::stays_inside(root, root));
    QVERIFY(!RulePackagePath::stays_inside(root + "/x.jpg", dir.filePath("missing")));
}

QTEST_GUILESS_MAIN(RulePackagePathTest)
#include "rule_package_path_test.moc"
