#include "shell/handle_table.h"

#include <QtTest>

namespace {
struct Thing {
    int value = 0;
};
}  // namespace

class HandleTableTest : public QObject {
    Q_OBJECT

private slots:
    void handles_ids_are_checked();
    void handles_ids_are_not_reused();
    void handles_remove_object();
};

void HandleTableTest::handles_ids_are_checked()
{
    HandleTable<Thing> table;
    Thing a;
    Thing b;
    const int id_a = table.add(&a);
    const int id_b = table.add(&b);
    QVERIFY(id_a > 0);
    QVERIFY(id_b > 0);
    QVERIFY(id_a != id_b);
    QCOMPARE(table.get(id_a), &a);
    QCOMPARE(table.get(id_b), &b);
    // Forged, zero and negative ids find nothing.
    for (int id : {0, -1, id_b + 1, INT_MAX}) {
        QVERIFY2(table.get(id) == nullptr, qPrintable(QString::number(id)));
    }
    QCOMPARE(table.add(nullptr), 0);
    QCOMPARE(table.size(), 2);
}

void HandleTableTest::handles_ids_are_not_reused()
{
    HandleTable<Thing> table;
    Thing first;
    const int old_id = table.add(&first);
    QCOMPARE(table.take(old_id), &first);
    QCOMPARE(table.take(old_id), nullptr);
    QVERIFY(!table.contains(old_id));
    // An object made at the same address later is not reachable by the old id.
    Thing second;
    const int new_id = table.add(&second);
    QVERIFY(new_id != old_id);
    QCOMPARE(table.get(old_id), nullptr);
}

void HandleTableTest::handles_remove_object()
{
    HandleTable<Thing> table;
    Thing a;
    Thing b;
    const int id1 = table.add(&a);
    const int id2 = table.add(&a);
    const int id3 = table.add(&b);
    QCOMPARE(table.remove_object(&a), 2);
    QVERIFY(!table.contains(id1));
    QVERIFY(!table.contains(id2));
    QCOMPARE(table.get(id3), &b);
    QCOMPARE(table.remove_object(&a), 0);
}

QTEST_GUILESS_MAIN(HandleTableTest)
#include "handle_table_test.moc"
