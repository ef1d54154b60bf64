// Road test of the detection-rule page: add a rule with a formula and a
// sample picture with an analysis, export it, delete it, import it back;
// and, in the main window of the edition with rules, apply a rule to a
// picture's alarm panel.
#include "message_guard.h"
#include "road_window.h"
#include "rules/data_sql.h"
#include "rules/sql_connection_pool.h"
#include "shell/app_shell.h"
#include "shell/data_config.h"
#include "shell/h_translator.h"
#include "test_folders.h"
#include "views/wnd_ir_show.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QQmlApplicationEngine>
#include <QQmlProperty>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using roadtest::RoadWindow;

namespace {

// Delegates of views have a visual parent but no QObject parent.
QQuickItem* find_visual(QQuickItem* item, const QString& name)
{
    if (item == nullptr) {
        return nullptr;
    }
    if (item->objectName() == name && item->isVisible()) {
        return item;
    }
    for (QQuickItem* child : item->childItems()) {
        if (QQuickItem* found = find_visual(child, name)) {
            return found;
        }
    }
    return nullptr;
}

QVariant call(QObject* object, const char* function, const QVariant& arg = QVariant())
{
    QVariant result;
    if (arg.isValid()) {
        QMetaObject::invokeMethod(object, function, Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, arg));
    } else {
        QMetaObject::invokeMethod(object, function, Q_RETURN_ARG(QVariant, result));
    }
    return result;
}

}  // namespace

class DetectRuleRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void rule_page_add_export_delete_import();
    void rule_chosen_in_main_window_fills_alarm_panel();
    void formula_levels_survive_exchange_data();
    void formula_levels_survive_exchange();

private:
    QQuickItem* visual(const QString& name) const { return find_visual(m_road->window()->contentItem(), name); }
    void type_into(const QString& field, const QString& text);
    // The rule page alone in a window of its own, driven through m_road.
    bool show_rule_page(AppShell& shell, RoadWindow& road);
    int rule_count() { return DataSql::instance()->get_detect_rule_from_substation_type(1).size(); }

    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
    RoadWindow* m_road = nullptr;
};

bool DetectRuleRoadTest::show_rule_page(AppShell& shell, RoadWindow& road)
{
    m_road = &road;
    return road.load(shell.engine(), QUrl("qrc:/qml/rules/ItemPageDetectRule.qml"), 1300, 860) &&
           road.show(QSize(1300, 860));
}

void DetectRuleRoadTest::type_into(const QString& field, const QString& text)
{
    QQuickItem* edit = m_road->find_item(field + "_edit");
    QVERIFY(edit != nullptr);
    QVERIFY(RoadWindow::click(edit));
    QTRY_VERIFY(edit->hasActiveFocus());
    // Text arrives as an input method commits it, Chinese included.
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(m_road->window()->focusObject(), &commit);
    QCOMPARE(edit->property("text").toString(), text);
}

void DetectRuleRoadTest::rule_page_add_export_delete_import()
{
    QVERIFY(m_folders.is_valid());
    AppShell shell;
    // Sample pictures live beside the user's database, never in the program
    // directory, which may be read-only.
    const QString pictures =
        QFileInfo(SqlConnectionPool::instance()->database_path()).absolutePath() + "/RuleImage";
    QCOMPARE(DataSql::instance()->rule_image_dir(), pictures);
    QVERIFY(pictures.startsWith(m_folders.home() + "/"));
    QVERIFY(!pictures.startsWith(QCoreApplication::applicationDirPath()));
    const QString sample = m_folders.home() + QString::fromUtf8("/样例 #1.jpg");
    QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/samples/sample.jpg", sample));
    QTemporaryDir out;

    RoadWindow road;
    QVERIFY(show_rule_page(shell, road));
    QObject* area = road.find_object("area_detect_rule");
    QVERIFY(area != nullptr);
    QVERIFY(!road.save_screen("rule_page", "empty").isEmpty());

    // Kind 1, then the menu of the empty tree offers only "add".
    QVERIFY(RoadWindow::click(visual("rule_kind_1")));
    QQuickItem* tree = road.find_item("rule_tree");
    QVERIFY(RoadWindow::click_at(tree, QPointF(50, 300), Qt::RightButton));
    QTRY_VERIFY(road.find_item("rule_tree_menu")->isVisible());
    QVERIFY(visual("rule_menu_add") && !visual("rule_menu_clear") && !visual("rule_menu_delete"));
    QVERIFY(RoadWindow::click(visual("rule_menu_add")));
    QQuickItem* add = road.find_item("wnd_add_detect_rule");
    QTRY_VERIFY(add->isVisible());

    // OK with the part empty names only the part, and adds nothing.
    QVERIFY(RoadWindow::click(visual("add_rule_kind_1")));
    type_into("add_rule_type", QString::fromUtf8("变压器 <b>"));
    type_into("add_rule_vol", "110kV");
    QVERIFY(RoadWindow::click(visual("add_rule_ok")));
    QCOMPARE(road.find_object("add_rule_tip")->property("text").toString(), QString::fromUtf8("设备部位不能为空！"));
    QCOMPARE(rule_count(), 0);
    type_into("add_rule_part", QString::fromUtf8("套管"));
    type_into("add_rule_shape", "A/B");
    type_into("add_rule_judge", QString::fromUtf8("温差大于 10K"));
    QVERIFY(!road.save_screen("rule_page", "add_rule").isEmpty());
    QVERIFY(RoadWindow::click(visual("add_rule_ok")));
    QTRY_VERIFY(!add->isVisible());
    QCOMPARE(rule_count(), 1);

    // The new rule stands expanded in the tree; choosing it shows its panel.
    QQuickItem* shape_row = visual("rule_tree_row_A/B");
    QVERIFY(shape_row != nullptr);
    QVERIFY(RoadWindow::click_at(shape_row, QPointF(80, 10)));
    QTRY_VERIFY(QQmlProperty::read(area, "mn_cur_id_rule").toInt() > 0);
    const qint64 id = QQmlProperty::read(area, "mn_cur_id_rule").toLongLong();
    QCOMPARE(road.find_object("rule_judge")->property("text").toString(), QString::fromUtf8("温差大于 10K"));

    // A sample picture and a rectangle analysis drawn on it, saved.
    call(area, "slot_picture_chosen", QUrl::fromLocalFile(sample).toString());
    QTRY_VERIFY(QQmlProperty::read(area, "mb_show_picture").toBool());
    auto* view = qobject_cast<WndIRShow*>(road.find_item("rule_ir_show"));
    QVERIFY(view != nullptr && view->isVisible());
    QVERIFY(RoadWindow::click(visual("rule_tool_rect")));
    QVERIFY(RoadWindow::drag(view, QPointF(60, 60), QPointF(180, 140)));
    QTRY_VERIFY(view->get_anas_json().contains("ana_str"));
    QVERIFY(RoadWindow::click(visual("rule_save_picture")));
    QTRY_VERIFY(road.find_item("rule_message")->isVisible());
    QCOMPARE(road.find_item("rule_message")->property("ms_text").toString(), QString::fromUtf8("图片信息保存成功！"));
    QVERIFY(RoadWindow::click(visual("rule_message_yes")));
    const QJsonObject saved = DataSql::instance()->get_detect_rule_info(static_cast<int>(id));
    const QString stored_picture = saved.value("str_file_path").toString();
    QCOMPARE(stored_picture, pictures + QString::fromUtf8("/1/变压器 <b>/110kV/套管/A%2FB.jpg"));
    QVERIFY(QFile::exists(stored_picture));
    QVERIFY(saved.value("anas").toArray().size() == 1);

    // A formula.
    QVERIFY(RoadWindow::click(visual("rule_add_formula")));
    QTRY_VERIFY(road.find_item("wnd_edit_formula")->isVisible());
    QVERIFY(RoadWindow::click(visual("formula_degree_1")));
    type_into("formula_text", "R01:Max > 40");
    type_into("formula_des", QString::fromUtf8("热点"));
    QVERIFY(RoadWindow::click(visual("formula_ok")));
    QTRY_VERIFY(!road.find_item("wnd_edit_formula")->isVisible());
    QTRY_VERIFY(visual("rule_formula_row_0") != nullptr);
    QCOMPARE(DataSql::instance()->get_detect_rule_formula(static_cast<int>(id)).size(), 1);
    QVERIFY(!road.save_screen("rule_page", "rule").isEmpty());

    // Export: the window runs the job for the folder the dialog gave.
    QVERIFY(RoadWindow::click(visual("rule_export")));
    QObject* exporter = road.find_object("wnd_export_rule");
    QTRY_VERIFY(exporter->property("visible").toBool());
    call(exporter, "slot_folder_chosen", QUrl::fromLocalFile(out.path()).toString());
    QTRY_VERIFY_WITH_TIMEOUT(!exporter->property("mb_start_processing").toBool(), 30000);
    QCOMPARE(call(road.find_object("export_log"), "first_text").toString(), QString::fromUtf8("诊断规则包导出成功！"));
    const QStringList packages = QDir(out.path()).entryList(QDir::Files);
    QCOMPARE(packages.size(), 1);
    QVERIFY(!road.save_screen("rule_page", "exported").isEmpty());
    QVERIFY(RoadWindow::click(visual("wnd_export_rule_close")));
    QTRY_VERIFY(!exporter->property("visible").toBool());

    // Delete the rule from its menu.
    QVERIFY(RoadWindow::click_at(visual("rule_tree_row_A/B"), QPointF(80, 10), Qt::RightButton));
    QTRY_VERIFY(visual("rule_menu_delete") != nullptr);
    QVERIFY(RoadWindow::click(visual("rule_menu_delete")));
    QTRY_VERIFY(road.find_item("rule_message")->property("mb_question").toBool());
    QVERIFY(RoadWindow::click(visual("rule_message_yes")));
    QTRY_COMPARE(road.find_item("rule_message")->property("ms_text").toString(), QString::fromUtf8("删除数据成功！"));
    QVERIFY(RoadWindow::click(visual("rule_message_yes")));
    QCOMPARE(rule_count(), 0);
    QVERIFY(!QFile::exists(stored_picture));
    QCOMPARE(QQmlProperty::read(area, "mn_cur_id_rule").toInt(), -1);

    // Import the package back: the rule, its formula and picture return.
    QVERIFY(RoadWindow::click(visual("rule_import")));
    QObject* importer = road.find_object("wnd_import_rule");
    QTRY_VERIFY(importer->property("visible").toBool());
    call(importer, "slot_package_chosen", QUrl::fromLocalFile(out.filePath(packages[0])).toString());
    QTRY_VERIFY_WITH_TIMEOUT(!importer->property("mb_start_processing").toBool(), 30000);
    QCOMPARE(call(road.find_object("import_log"), "first_text").toString(), QString::fromUtf8("诊断规则包导入成功！"));
    QVERIFY(!road.save_screen("rule_page", "imported").isEmpty());
    QVERIFY(RoadWindow::click(visual("wnd_import_rule_close")));
    QCOMPARE(rule_count(), 1);
    QVERIFY(QFile::exists(stored_picture));

    // The rebuilt tree is collapsed: open it down to the rule.
    for (const char* name : {"变压器 <b>", "110kV", "套管"}) {
        QTRY_VERIFY(visual("rule_tree_row_" + QString::fromUtf8(name)) != nullptr);
        QVERIFY(RoadWindow::click_at(visual("rule_tree_row_" + QString::fromUtf8(name)), QPointF(80, 10)));
    }
    QTRY_VERIFY(visual("rule_tree_row_A/B") != nullptr);
    QVERIFY(RoadWindow::click_at(visual("rule_tree_row_A/B"), QPointF(80, 10)));
    QTRY_VERIFY(QQmlProperty::read(area, "mn_cur_id_rule").toInt() > 0);
    QTRY_VERIFY(QQmlProperty::read(area, "mb_show_picture").toBool());
    QTRY_VERIFY(visual("rule_formula_row_0") != nullptr);
    QVERIFY(!road.save_screen("rule_page", "back").isEmpty());
    m_road = nullptr;
}

void DetectRuleRoadTest::rule_chosen_in_main_window_fills_alarm_panel()
{
    qputenv("PYRAVUE_EDITION", "rules");
    AppShell shell;
    qunsetenv("PYRAVUE_EDITION");
    DataSql* sql = DataSql::instance();
    const int id = sql->insert_detect_rule(2, "T", "10kV", "P", "S", "");
    QVERIFY(id > 0);
    sql->modify_detect_rule(id, "", "[{\"ana_alias\":\"R01\",\"ana_str\":\"R:10,10;90,90;-0\"}]");
    sql->insert_rule_formula(QJsonObject{{"detect_rules_id", id}, {"fault_degree_id", 1}, {"formula", "R01:Max > 1"}});
    sql->insert_rule_formula(QJsonObject{{"detect_rules_id", id}, {"fault_degree_id", 3}, {"formula", "R01:Avg > 500"}});
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    m_road = &road;
    QVERIFY(road.show());
    // Room for the alarm list under the picture's properties.
    QVERIFY(QMetaObject::invokeMethod(road.window(), "show_normal"));
    road.window()->resize(1280, 960);

    // The title bar leads to the rule page in this edition.
    QQuickItem* title = road.find_item("title_bar");
    auto* rule_tab = title->findChild<QQuickItem*>("page_detect_rule");
    QVERIFY(rule_tab != nullptr && rule_tab->isVisible());
    QVERIFY(RoadWindow::click(rule_tab));
    QTRY_VERIFY(road.find_item("detect_rule_page")->isVisible());
    QVERIFY(!road.save_screen("rule_select", "rule_page").isEmpty());
    // An exchange window covers the whole main window, title bar included.
    QObject* exporter = road.find_object("wnd_export_rule");
    QVERIFY(QMetaObject::invokeMethod(exporter, "show_wnd"));
    auto* layer = qobject_cast<QQuickItem*>(exporter);
    QVERIFY(layer != nullptr && layer->parentItem() == road.window()->contentItem());
    QCOMPARE(layer->size(), road.window()->contentItem()->size());
    QVERIFY(!road.save_screen("rule_select", "export_layer").isEmpty());
    layer->setVisible(false);

    // A picture with an analysis of its own, which the rule replaces.
    const QString sample = QCoreApplication::applicationDirPath() + "/samples/sample.jpg";
    QMetaObject::invokeMethod(title, "open_picture_wnd", Q_ARG(QVariant, sample),
                              Q_ARG(QVariant, QFileInfo(sample).absolutePath()));
    QQuickItem* picture = road.find_item("wnd_ir_image");
    QTRY_VERIFY(picture != nullptr && picture->isVisible());
    auto* view = qobject_cast<WndIRShow*>(picture->property("wndIRShow").value<QObject*>());
    QVERIFY(view != nullptr);
    QTRY_VERIFY(view->source() != nullptr);
    QVERIFY(view->load_detect_rule_anas("[{\"ana_alias\":\"P09\",\"ana_str\":\"P:5,5;-0\"}]"));

    // The alarm panel's button opens the selection window.
    QQuickItem* load = visual("btn_load_detect_rule");
    QVERIFY(load != nullptr);
    QVERIFY(RoadWindow::click(load));
    QObject* select = road.find_object("wnd_rule_select");
    QVERIFY(select != nullptr);
    QTRY_VERIFY(select->property("visible").toBool());
    QQuickItem* ok = visual("select_ok");
    QVERIFY(ok != nullptr && !ok->isEnabled());
    QVERIFY(RoadWindow::click(visual("select_kind_2")));
    // A rule added on the rule page shows in the selection tree at once.
    const int added = sql->insert_detect_rule(2, "Added", "35kV", "P", "S", "");
    QVERIFY(QMetaObject::invokeMethod(road.find_object("wnd_add_detect_rule"), "sig_insert_detect_rule",
                                      Q_ARG(QVariant, added), Q_ARG(int, 2), Q_ARG(QString, "Added"),
                                      Q_ARG(QString, "35kV"), Q_ARG(QString, "P"), Q_ARG(QString, "S")));
    QTRY_VERIFY(visual("rule_tree_row_Added") != nullptr);
    for (const char* name : {"T", "10kV", "P"}) {
        QTRY_VERIFY(visual(QStringLiteral("rule_tree_row_") + name) != nullptr);
        QVERIFY(RoadWindow::click_at(visual(QStringLiteral("rule_tree_row_") + name), QPointF(80, 10)));
    }
    QTRY_VERIFY(visual("rule_tree_row_S") != nullptr);
    QVERIFY(RoadWindow::click_at(visual("rule_tree_row_S"), QPointF(80, 10)));
    QTRY_VERIFY(ok->isEnabled());
    QVERIFY(!road.save_screen("rule_select", "chosen").isEmpty());
    // A rule that does not exist and has no formulas cannot be chosen.
    QMetaObject::invokeMethod(select, "update_fault_ctrl", Q_ARG(QVariant, 9999));
    QTRY_VERIFY(!ok->isEnabled());
    QMetaObject::invokeMethod(select, "update_fault_ctrl", Q_ARG(QVariant, id));
    QTRY_VERIFY(ok->isEnabled());

    QVERIFY(RoadWindow::click(ok));
    QQuickItem* question = road.find_item("rule_select_message");
    QTRY_VERIFY(question->isVisible() && question->property("mb_question").toBool());
    QVERIFY(RoadWindow::click(visual("rule_message_yes")));
    QTRY_VERIFY(!select->property("visible").toBool());

    // The rule's analysis replaced the picture's, its two formulas are the
    // panel's conditions, listed at once.
    const QString anas = view->get_anas_json();
    QVERIFY2(anas.contains("R01") && !anas.contains("P09"), qPrintable(anas));
    QCOMPARE(view->get_warning_condition().size(), 2);
    QTRY_VERIFY(visual("warning_row_1") != nullptr);
    QCOMPARE(visual("warning_row_0")->property("strFormula").toString(), QString("R01:Max > 1"));
    QCOMPARE(visual("warning_row_0")->property("nDegree").toInt(), 1);
    QVERIFY(visual("warning_row_1")->property("nDegree").toInt() != 1);
    QVERIFY(!road.save_screen("rule_select", "applied").isEmpty());

    // The snapshot folder dialog starts in a stored folder whose name holds
    // URL-special characters.
    QTemporaryDir snaps;
    const QString odd = snaps.filePath("snap #1 50%");
    QVERIFY(QDir().mkpath(odd));
    DataConfig::instance()->set_warn_save_path(odd);
    m_guard.expect(QRegularExpression(QStringLiteral("does not support propagateSizeHints")));
    QVERIFY(RoadWindow::click(visual("btn_snap_path")));
    QObject* folder_dialog = road.find_object("dialog_warn_path");
    QVERIFY(folder_dialog != nullptr);
    QObject* dialog = folder_dialog->property("item").value<QObject*>();
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->property("folder").toUrl(), QUrl::fromLocalFile(odd));
    QCOMPARE(dialog->property("folder").toUrl().toLocalFile(), odd);
    QVERIFY(QMetaObject::invokeMethod(dialog, "reject"));
    QTRY_VERIFY(folder_dialog->property("item").value<QObject*>() == nullptr);

    sql->delete_all_rule(2);
    m_road = nullptr;
}

void DetectRuleRoadTest::formula_levels_survive_exchange_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("urgent");
    QTest::addColumn<QString>("general");
    QTest::newRow("english") << "language/PyravueEN.qm" << "Urgent" << "General";
    QTest::newRow("russian") << "language/PyravueRU.qm" << QString::fromUtf8("Срочно") << QString::fromUtf8("Обычно");
}

void DetectRuleRoadTest::formula_levels_survive_exchange()
{
    // Formulas added through the dialog in an interface language keep their
    // levels through an export, a delete and an import.
    QFETCH(QString, language);
    QFETCH(QString, urgent);
    QFETCH(QString, general);
    AppShell shell;
    QVERIFY(HTranslator::instance()->load(language));
    DataSql* sql = DataSql::instance();
    // Alone in the database, so that the export writes one package.
    for (int kind = 0; kind < 3; ++kind) {
        sql->delete_all_rule(kind);
    }
    const int id = sql->insert_detect_rule(0, "T", "110kV", "P", "S", "");
    QVERIFY(id > 0);
    QTemporaryDir out;
    RoadWindow road;
    QVERIFY(show_rule_page(shell, road));
    QObject* area = road.find_object("area_detect_rule");
    QVERIFY(area != nullptr);
    call(area, "update_fault_ctrl", id);

    // Urgent and general, the first and last levels the dialog offers.
    for (int choice : {0, 3}) {
        QVERIFY(RoadWindow::click(visual("rule_add_formula")));
        QTRY_VERIFY(road.find_item("wnd_edit_formula")->isVisible());
        QVERIFY(RoadWindow::click(visual(QStringLiteral("formula_degree_%1").arg(choice))));
        // The dialog keeps the last formula typed.
        road.find_object("formula_text")->setProperty("text", QString());
        type_into("formula_text", QStringLiteral("R01:Max > %1").arg(choice));
        QVERIFY(RoadWindow::click(visual("formula_ok")));
        QTRY_VERIFY(!road.find_item("wnd_edit_formula")->isVisible());
    }
    QTRY_VERIFY(visual("rule_formula_row_1") != nullptr);
    QCOMPARE(visual("rule_formula_row_0")->property("degree_text").toString(), urgent);
    QCOMPARE(visual("rule_formula_row_1")->property("degree_text").toString(), general);

    QVERIFY(RoadWindow::click(visual("rule_export")));
    QObject* exporter = road.find_object("wnd_export_rule");
    call(exporter, "slot_folder_chosen", QUrl::fromLocalFile(out.path()).toString());
    QTRY_VERIFY_WITH_TIMEOUT(!exporter->property("mb_start_processing").toBool(), 30000);
    QVERIFY(RoadWindow::click(visual("wnd_export_rule_close")));
    const QStringList packages = QDir(out.path()).entryList(QDir::Files);
    QCOMPARE(packages.size(), 1);
    QVERIFY(sql->delete_all_rule(0));
    QVERIFY(RoadWindow::click(visual("rule_import")));
    QObject* importer = road.find_object("wnd_import_rule");
    call(importer, "slot_package_chosen", QUrl::fromLocalFile(out.filePath(packages[0])).toString());
    QTRY_VERIFY_WITH_TIMEOUT(!importer->property("mb_start_processing").toBool(), 30000);
    QVERIFY(RoadWindow::click(visual("wnd_import_rule_close")));

    const QJsonArray rules = sql->get_detect_rule_from_substation_type(0);
    QCOMPARE(rules.size(), 1);
    const int back = rules.at(0).toObject().value("n_id").toInt();
    QMap<QString, int> levels;
    for (const QJsonValue& value : sql->get_detect_rule_formula(back)) {
        levels.insert(value.toObject().value("str_formula").toString(), value.toObject().value("n_id_degree").toInt());
    }
    QCOMPARE(levels, (QMap<QString, int>{{"R01:Max > 0", 1}, {"R01:Max > 3", 4}}));
    call(area, "update_fault_ctrl", back);
    QTRY_VERIFY(visual("rule_formula_row_1") != nullptr);
    QCOMPARE(visual("rule_formula_row_0")->property("degree_text").toString(), urgent);
    QVERIFY(!road.save_screen("rule_levels", QString::fromLatin1(QTest::currentDataTag())).isEmpty());
    sql->delete_all_rule(0);
    m_road = nullptr;
}

QTEST_MAIN(DetectRuleRoadTest)
#include "detect_rule_road_test.moc"
