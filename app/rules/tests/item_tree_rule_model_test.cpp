// The rule tree: rules share their type, voltage and part nodes, inserts
// expand the way to a new rule, rows follow expansion, under the model tester.
#include "message_guard.h"
#include "rule_db_fixture.h"
#include "rules/data_sql.h"
#include "rules/item_tree_rule_model.h"

#include <QAbstractItemModelTester>
#include <QtTest>

class ItemTreeRuleModelTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void init() { QVERIFY(m_db.start()); }
    void cleanup()
    {
        m_db.stop();
        m_guard.verify();
    }
    void tree_shares_upper_nodes();
    void tree_insert_expands_existing_way();
    void tree_remove_and_clear();

private:
    static QStringList shown(const ItemTreeRuleModel& model)
    {
        QStringList rows;
        for (int r = 0; r < model.rowCount(); ++r) {
            const QModelIndex i = model.index(r);
            rows << QString(i.data(ItemTreeRuleModel::TreeLevel).toInt(), '.') +
                        i.data(ItemTreeRuleModel::TreeName).toString();
        }
        return rows;
    }
    roadtest::MessageGuard m_guard;
    RuleDbFixture m_db;
};

void ItemTreeRuleModelTest::tree_shares_upper_nodes()
{
    DataSql* sql = DataSql::instance();
    const int s2 = sql->insert_detect_rule(0, "A", "110kV", "P", "S2", "");
    sql->insert_detect_rule(0, "A", "110kV", "P", "S1", "");
    sql->insert_detect_rule(0, "B", "110kV", "P", "S1", "");
    sql->insert_detect_rule(1, "C", "35kV", "Q", "S", "");
    ItemTreeRuleModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.init_rule_tree(0);
    QCOMPARE(shown(model), (QStringList{"A", "B"}));
    QCOMPARE(model.get_object_height(), 40);
    const int a = model.find_object(0, "A");
    model.set_object_expand(a);
    const int volt = model.find_object(a, "110kV");
    model.set_object_expand(volt);
    const int part = model.find_object(volt, "P");
    model.set_object_expand(part);
    QCOMPARE(shown(model), (QStringList{"A", ".110kV", "..P", "...S1", "...S2", "B"}));
    const int shape = model.find_object(part, "S2");
    QCOMPARE(model.get_node_info(shape).value("TreeID").toInt(), s2);
    QCOMPARE(model.get_node_info(shape).value("str_grandparent").toString(), QStringLiteral("110kV"));
    QCOMPARE(model.get_parent(shape), part);
    QCOMPARE(model.get_node_info(a).value("TreeID").toInt(), 0);
    model.set_object_expand(a);
    QCOMPARE(shown(model), (QStringList{"A", "B"}));
    model.init_rule_tree(2);
    QVERIFY(model.is_empty());
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(model.get_node_info(shape).isEmpty());
}

void ItemTreeRuleModelTest::tree_insert_expands_existing_way()
{
    ItemTreeRuleModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.insert_detect_item(1, "A", "110kV", "P", "S1", false);
    QCOMPARE(shown(model), QStringList{"A"});
    const int s2 = model.insert_detect_item(2, "A", "110kV", "P", "S2", true);
    QCOMPARE(shown(model), (QStringList{"A", ".110kV", "..P", "...S1", "...S2"}));
    // The same rule again finds its node and adds none.
    QCOMPARE(model.insert_detect_item(2, "A", "110kV", "P", "S2", true), s2);
    QCOMPARE(model.rowCount(), 5);
    model.insert_detect_item(3, "A", "220kV", "P", "S", true);
    QCOMPARE(shown(model), (QStringList{"A", ".110kV", "..P", "...S1", "...S2", ".220kV", "..P", "...S"}));
}

void ItemTreeRuleModelTest::tree_remove_and_clear()
{
    ItemTreeRuleModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const int shape = model.insert_detect_item(1, "A", "110kV", "P", "S1", true);
    model.insert_detect_item(2, "B", "110kV", "P", "S1", true);
    const int volt = model.find_object(model.find_object(0, "A"), "110kV");
    QVERIFY(model.remove_object(volt, "P"));
    QVERIFY(model.get_node_info(shape).isEmpty());
    QCOMPARE(shown(model), (QStringList{"A", ".110kV", "B", ".110kV", "..P", "...S1"}));
    QVERIFY(!model.remove_object(volt, "P"));
    QVERIFY(!model.remove_object(shape, "x"));
    QVERIFY(model.remove_object(0, "A"));
    QCOMPARE(model.find_object(volt, "P"), 0);
    model.clear_all();
    QVERIFY(model.is_empty());
}

QTEST_GUILESS_MAIN(ItemTreeRuleModelTest)
#include "item_tree_rule_model_test.moc"
