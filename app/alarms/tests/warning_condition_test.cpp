// Alarm conditions over a frame with a hot (60 degrees) and a cold (-5
// degrees) half: building conditions from the dialog's rows and from
// detection rules, evaluating them, degrees, warning text, renames, deletes,
// and checks on a thread while the GUI thread edits.
#include "alarm_frame.h"
#include "alarms/warning_condition.h"
#include "message_guard.h"
#include "rule_db_fixture.h"
#include "rules/data_sql.h"
#include "sources/handle_ids.h"
#include "sources/ir_image.h"
#include "test_folders.h"
#include "thermframe.h"
#include "views/wnd_ir_show.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cmath>
#include <thread>

namespace {

QJsonObject row(void* a, void* b, const QString& formula)
{
    QJsonObject r;
    r.insert("n_ana_a_handle", analysis_ids().id_of(a));
    r.insert("n_ana_b_handle", b != nullptr ? analysis_ids().id_of(b) : -1);
    r.insert("str_formula", formula);
    return r;
}

// The picture source with its own conditions, counting the snapshots it
// saves (two episodes within one second would share a file name).
class CountingPicture : public IRImage {
public:
    CountingPicture() : IRImage(nullptr) {}
    bool save_as_image_to_file(const QString& path) override
    {
        saves.fetch_add(1);
        return IRImage::save_as_image_to_file(path);
    }
    std::atomic<int> saves{0};
};

QVariantList hits_of(const WarningCondition& condition)
{
    QVariantList hits;
    condition.get_hit_condition_index(hits);
    return hits;
}

}  // namespace

class WarningConditionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void rows_join_into_one_condition();
    void evaluation_data();
    void evaluation();
    void degrees_hits_and_warning_text();
    void detection_rule_formulas();
    void rename_keeps_conditions_working();
    void deleted_object_takes_its_conditions();
    void delete_out_of_range_is_refused();
    void conditions_over_their_budget_are_taken_out();
    void no_frame_and_no_conditions();
    void names_for_the_dialog();
    void checks_on_a_thread_while_the_gui_edits();
    void one_snapshot_per_episode_on_a_picture();
    void view_without_conditions_answers_empty();
    void detection_rule_from_the_database();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
    std::unique_ptr<AlarmFrame> m_frame;
    void* m_hot = nullptr;   // R01, left half
    void* m_cold = nullptr;  // R02, right half
    void* m_point = nullptr; // P01, left half
};

void WarningConditionTest::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("pyravue.alarm.debug=false"));
    m_guard.install();
}

void WarningConditionTest::init()
{
    m_frame.reset(new AlarmFrame);
    if (!m_frame->set_temperatures(60.0f, -5.0f)) QSKIP("the sample calibration did not load");
    m_hot = m_frame->add("R:10,10;40,40;-", "R01");
    m_cold = m_frame->add("R:100,10;140,40;-", "R02");
    m_point = m_frame->add("P:20,60;-", "P01");
    QVERIFY(m_hot && m_cold && m_point);
    QVERIFY(std::fabs(AlarmFrame::max_of(m_hot) - 60.0f) < 0.2f);
    QVERIFY(std::fabs(AlarmFrame::max_of(m_cold) + 5.0f) < 0.2f);
}

void WarningConditionTest::cleanup()
{
    m_frame.reset();
    m_guard.verify();
}

void WarningConditionTest::rows_join_into_one_condition()
{
    WarningCondition condition(m_frame->doc());
    QVERIFY(!condition.add_warning_condition(1, QJsonArray(), "x"));
    QCOMPARE(condition.get_warning_condition().size(), 0);

    const QJsonArray rows{row(m_hot, nullptr, "R01:Max > 50"),
                          row(m_hot, m_cold, "math.abs(R01:Max-R02:Max) > 5")};
    QVERIFY(condition.add_warning_condition(2, rows, "ignored"));
    const QString joined = "R01:Max > 50 and math.abs(R01:Max-R02:Max) > 5";
    QCOMPARE(condition.get_warning_condition(), QJsonArray({joined}));
    const QJsonObject entry = condition.get_warning_condition_info().at(0).toObject();
    QCOMPARE(entry.value("fault_id").toInt(), 2);
    QCOMPARE(entry.value("fault_formula").toString(), joined);
    QCOMPARE(entry.value("warning").toBool(), false);
    QVERIFY(condition.check_warning_condition());
    QVERIFY(condition.get_warning_condition_info().at(0).toObject().value("warning").toBool());
}

void WarningConditionTest::evaluation_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<bool>("with_cold");
    QTest::addColumn<bool>("met");
    QTest::newRow("above") << "R01:Max > 55" << false << true;
    QTest::newRow("not above") << "R01:Max > 65" << false << false;
    QTest::newRow("negative value") << "R02:Max < -4" << true << true;
    QTest::newRow("difference with a negative") << "math.abs(R01:Max-R02:Max) > 60" << true << true;
    QTest::newRow("minus before a negative") << "R01:Max-R02:Max > 64" << true << true;
    QTest::newRow("min and avg") << "R01:Min > 55 and R02:Avg < 0" << true << true;
    QTest::newRow("decimal comma threshold") << "R01:Max < 60,5" << false << true;
    QTest::newRow("decimal comma, other side") << "R01:Max > 60,5" << false << false;
    QTest::newRow("ambient temperature") << "R01:Max > EnvTemp and R02:Max < EnvTemp" << true << true;
    QTest::newRow("three-phase max") << "$R01:Max > 50" << false << false;
    QTest::newRow("three-phase difference") << "&R01:Max > 0" << false << false;
    QTest::newRow("object outside the list") << "R01:Max > 50 and R02:Max < 0" << false << false;
    QTest::newRow("misspelt feature") << "R01:max > 50" << false << false;
    QTest::newRow("empty call") << "R01:Max > 50 or math.max()" << false << false;
    QTest::newRow("not a boolean") << "R01:Max" << false << false;
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("loops") << "R01:Max > 1 and (function(x) while true do end end)(1)" << false << false;
}

void WarningConditionTest::evaluation()
{
    QFETCH(QString, formula);
    QFETCH(bool, with_cold);
    QFETCH(bool, met);
    WarningCondition condition(m_frame->doc());
    QVERIFY(condition.add_warning_condition(1, {row(m_hot, with_cold ? m_cold : nullptr, formula)}, formula));
    QCOMPARE(condition.check_warning_condition(), met);
    QCOMPARE(hits_of(condition), met ? QVariantList{0} : QVariantList{});
}

void WarningConditionTest::degrees_hits_and_warning_text()
{
    WarningCondition condition(m_frame->doc());
    QVERIFY(condition.add_warning_condition(2, {row(m_hot, nullptr, "R01:Max > 50")}, ""));
    QVERIFY(condition.add_warning_condition(1, {row(m_cold, nullptr, "R02:Max > 50")}, ""));
    QVERIFY(condition.add_warning_condition(1, {row(m_hot, m_point, "R01:Max > 0 and P01:Max > 0")}, ""));
    QVERIFY(condition.check_warning_condition());
    QCOMPARE(hits_of(condition), (QVariantList{0, 2}));
    std::map<void*, int> anas;
    anas[m_cold] = 7;  // the caller's map is replaced, not merged
    QVERIFY(condition.get_warning_anas(anas));
    QCOMPARE(anas, (std::map<void*, int>{{m_hot, 1}, {m_point, 1}}));
    QCOMPARE(condition.get_warning_text(), QString("1. R01:Max > 50\n2. R01:Max > 0 and P01:Max > 0"));

    // The met indices describe the last check until the next one, at the
    // conditions' new positions.
    QVERIFY(condition.delete_warning_condition(0));
    QCOMPARE(hits_of(condition), QVariantList{1});
    QCOMPARE(condition.get_warning_text(), QString("1. R01:Max > 0 and P01:Max > 0"));
    QVERIFY(condition.check_warning_condition());
    QCOMPARE(hits_of(condition), QVariantList{1});
    QCOMPARE(condition.get_warning_text(), QString("1. R01:Max > 0 and P01:Max > 0"));
}

void WarningConditionTest::detection_rule_formulas()
{
    WarningCondition condition(m_frame->doc());
    QVERIFY(condition.add_warning_condition(1, {row(m_hot, nullptr, "R01:Max > 0")}, ""));
    const auto rule = [](int degree, const QString& formula) {
        return QJsonObject{{"n_id_degree", degree}, {"str_formula", formula}, {"n_id", 99}};
    };
    QVERIFY(condition.load_detect_rule_formula({rule(1, "R01:Max > 50 or R03:Max > 60"), rule(2, "$R01:Max > 50"),
                                                rule(3, "R01:Max > 50"), rule(4, "math.abs(R01:Max-R02:Max) > 60"),
                                                rule(0, "R02:Max > 50")}));
    const QJsonArray info = condition.get_warning_condition_info();
    QCOMPARE(info.size(), 5);
    const int degrees[] = {1, 1, 2, 2, 2};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(info.at(i).toObject().value("fault_id").toInt(), degrees[i]);
    }
    // R03 names no object, so the first is never met, even though R01 is hot.
    QVERIFY(condition.check_warning_condition());
    QCOMPARE(hits_of(condition), (QVariantList{2, 3}));
    std::map<void*, int> anas;
    condition.get_warning_anas(anas);
    QCOMPARE(anas, (std::map<void*, int>{{m_hot, 2}, {m_cold, 2}}));

    QVERIFY(condition.load_detect_rule_formula(QJsonArray()));
    QCOMPARE(condition.get_warning_condition().size(), 0);
    QVariantList none;
    QVERIFY(!condition.get_hit_condition_index(none));
}

void WarningConditionTest::rename_keeps_conditions_working()
{
    WarningCondition condition(m_frame->doc());
    QVERIFY(condition.add_warning_condition(1, {row(m_hot, nullptr, "R01:Max > 50")}, ""));
    QVERIFY(condition.add_warning_condition(1, {row(m_cold, nullptr, "R02:Max < 0")}, ""));
    QVERIFY(thermframe_ana_set_alias(m_hot, "R05"));
    condition.replace_ana_alias("R05", "R01");
    condition.replace_ana_alias("R9", "R0");
    QCOMPARE(condition.get_warning_condition(), (QJsonArray{"R05:Max > 50", "R02:Max < 0"}));
    QCOMPARE(condition.get_warning_condition_info().at(0).toObject().value("fault_formula").toString(),
             QString("R05:Max > 50"));
    QVERIFY(condition.check_warning_condition());
    QCOMPARE(hits_of(condition), (QVariantList{0, 1}));
}

void WarningConditionTest::deleted_object_takes_its_conditions()
{
    WarningCondition condition(m_frame->doc());
    QVERIFY(condition.add_warning_condition(1, {row(m_hot, nullptr, "R01:Max > 50")}, ""));
    QVERIFY(condition.add_warning_condition(2, {row(m_hot, m_cold, "R01:Max > R02:Max")}, ""));
    QVERIFY(condition.add_warning_condition(2, {row(m_point, nullptr, "P01:Max > 50")}, ""));
    QVERIFY(condition.check_warning_condition());
    condition.delete_condition_of_ana(m_cold);
    QCOMPARE(condition.get_warning_condition(), (QJsonArray{"R01:Max > 50", "P01:Max > 50"}));
    QCOMPARE(condition.get_warning_condition_info().at(1).toObject().value("fault_id").toInt(), 2);
    QCOMPARE(hits_of(condition), QVariantList{});

    // An object deleted in the frame but not yet here is simply not met.
    std::string text;
    QVERIFY(thermframe_get_ana_str_from_handle(m_frame->doc(), m_point, text));
    QVERIFY(thermframe_delete_ana(m_frame->doc(), text));
    QVERIFY(condition.check_warning_condition());
    QCOMPARE(hits_of(condition), QVariantList{0});
}

void WarningConditionTest::conditions_over_their_budget_are_taken_out()
{
    // Every reading of the clock costs one unit: a check reads it once to
    // start, before each condition and once at the end.
    int readings = 0;
    WarningCondition condition(m_frame->doc());
    condition.set_check_budget(4, [&readings] { return static_cast<qint64>(++readings); });
    for (int i = 0; i < 5; ++i) {
        QVERIFY(condition.add_warning_condition(1, {row(m_hot, nullptr, "R01:Max > 50")}, ""));
    }
    m_guard.expect(QRegularExpression("need more than .* a check"));
    QVERIFY(!condition.check_warning_condition());
    QVERIFY(condition.is_over_budget());
    QCOMPARE(readings, 6);
    QCOMPARE(hits_of(condition), QVariantList{});
    QVERIFY(!condition.get_warning_condition_info().at(0).toObject().value("warning").toBool());
    // Taken out, the conditions are not evaluated again.
    QVERIFY(!condition.check_warning_condition());
    QCOMPARE(readings, 6);

    // Changed conditions within the budget are checked again.
    QVERIFY(condition.delete_warning_condition(4));
    QVERIFY(condition.delete_warning_condition(3));
    QVERIFY(!condition.is_over_budget());
    readings = 0;
    QVERIFY(condition.check_warning_condition());
    QCOMPARE(readings, 5);
    QCOMPARE(hits_of(condition), (QVariantList{0, 1, 2}));
}

void WarningConditionTest::delete_out_of_range_is_refused()
{
    WarningCondition condition(m_frame->doc());
    QVERIFY(condition.add_warning_condition(1, {row(m_hot, nullptr, "R01:Max > 50")}, ""));
    for (int index : {-1, 1, 1000}) {
        m_guard.expect(QRegularExpression("no condition at index"));
        QVERIFY(!condition.delete_warning_condition(index));
    }
    QCOMPARE(condition.get_warning_condition().size(), 1);
    QVERIFY(condition.delete_warning_condition(0));
    QCOMPARE(condition.get_warning_condition_info().size(), 0);
}

void WarningConditionTest::no_frame_and_no_conditions()
{
    WarningCondition condition;
    QVariantList kept{42};
    QVERIFY(!condition.get_hit_condition_index(kept));
    QCOMPARE(kept, QVariantList{42});
    QCOMPARE(condition.get_warning_text(), QString());
    QVERIFY(condition.add_warning_condition(1, {row(m_hot, nullptr, "R01:Max > 50")}, ""));
    QVERIFY(!condition.check_warning_condition());
    QCOMPARE(condition.get_warning_condition_anas().size(), 0);
    condition.set_frame(m_frame->doc());
    QVERIFY(condition.check_warning_condition());
    condition.set_warning_snap_path("/tmp/snaps");
    QCOMPARE(condition.get_warning_snap_path(), QString("/tmp/snaps"));
    condition.clear_condition();
    QCOMPARE(hits_of(condition), QVariantList{});
    QVERIFY(!condition.check_warning_condition());
}

void WarningConditionTest::names_for_the_dialog()
{
    WarningCondition condition(m_frame->doc());
    const QJsonArray names = condition.get_warning_condition_anas();
    QCOMPARE(names.size(), 1 + 3 + 3);
    const QJsonObject point = names.at(0).toObject();
    QCOMPARE(point.value("s_ana_name").toString(), QString("P01:Max"));
    QCOMPARE(point.value("n_ana_temp_type").toInt(), 1);
    QCOMPARE(point.value("n_ana_type").toInt(), 0);
    QCOMPARE(point.value("n_ana_handle").toInt(), analysis_ids().id_of(m_point));
    const char* const features[] = {"R01:Max", "R01:Min", "R01:Avg"};
    for (int i = 0; i < 3; ++i) {
        const QJsonObject rect = names.at(1 + i).toObject();
        QCOMPARE(rect.value("s_ana_name").toString(), QString(features[i]));
        QCOMPARE(rect.value("n_ana_temp_type").toInt(), 1 << i);
        QCOMPARE(rect.value("n_ana_type").toInt(), 30);
        QCOMPARE(rect.value("n_ana_index").toInt(), 0);
    }
    QCOMPARE(names.at(4).toObject().value("n_ana_index").toInt(), 1);
}

// The frame thread of a camera checks after every frame while the user edits
// the conditions and objects; run under the sanitizers this shows races and
// freed memory.
void WarningConditionTest::checks_on_a_thread_while_the_gui_edits()
{
    WarningCondition condition(m_frame->doc());
    std::atomic<bool> stop{false};
    std::atomic<int> checks{0};
    std::thread frame_thread([&] {
        while (!stop.load()) {
            condition.check_warning_condition();
            std::map<void*, int> anas;
            condition.get_warning_anas(anas);
            QVariantList hits;
            condition.get_hit_condition_index(hits);
            condition.get_warning_text();
            condition.get_warning_snap_path();
            condition.get_warning_condition_info();
            checks.fetch_add(1);
        }
    });
    for (int i = 0; i < 200; ++i) {
        void* extra = m_frame->add("R:50,50;60,60;-", "X" + std::to_string(i));
        QVERIFY(extra != nullptr);
        condition.add_warning_condition(1, {row(m_hot, extra, QString("R01:Max > X%1:Max").arg(i))}, "");
        condition.add_warning_condition(2, {row(m_cold, nullptr, "R02:Max < 0")}, "");
        condition.replace_ana_alias("hot", "R01");
        condition.replace_ana_alias("R01", "hot");
        condition.set_warning_snap_path(QString::number(i));
        condition.get_warning_condition_anas();
        if (i % 3 == 0) {
            condition.delete_warning_condition(0);
        }
        std::string text;
        QVERIFY(thermframe_get_ana_str_from_handle(m_frame->doc(), extra, text));
        QVERIFY(thermframe_delete_ana(m_frame->doc(), text));
        condition.delete_condition_of_ana(extra);
        if (i % 50 == 49) {
            condition.clear_condition();
            condition.set_frame(i % 100 == 99 ? nullptr : m_frame->doc());
        }
        if (i == 120) {
            condition.load_detect_rule_formula({QJsonObject{{"n_id_degree", 1}, {"str_formula", "R02:Max < 0"}}});
        }
    }
    // Let the checks see the final state at least once before stopping.
    const int seen = checks.load();
    QVERIFY(QTest::qWaitFor([&] { return checks.load() > seen + 1; }, 10000));
    stop.store(true);
    frame_thread.join();
    QVERIFY(checks.load() > 0);
}

// A met condition is saved once however many checks see it, also when the
// frame thread and the GUI thread check at once; a check that finds nothing
// met ends the episode.
void WarningConditionTest::one_snapshot_per_episode_on_a_picture()
{
    const QString sample = QDir::current().absoluteFilePath("samples/sample.jpg");
    if (!QFile::exists(sample)) QSKIP("samples were not generated");
    QTemporaryDir snaps;
    CountingPicture picture;
    QVERIFY(picture.open_file(sample));
    WarningCondition* condition = picture.warning_condition();
    QVERIFY(condition != nullptr);
    void* hot = nullptr;
    QVERIFY(thermframe_add_ana(picture.get_ir_data(), "R:300,220;340,250;-", hot));
    std::string alias;
    QVERIFY(thermframe_ana_get_alias(hot, alias));
    const QString met = QString::fromStdString(alias) + ":Max > 50";
    QVERIFY(condition->add_warning_condition(1, {row(hot, nullptr, met)}, met));
    condition->set_warning_snap_path(snaps.path());

    std::thread frame_thread([&] {
        for (int i = 0; i < 50; ++i) picture.check_warning_and_snap();
    });
    for (int i = 0; i < 50; ++i) picture.check_warning_and_snap();
    frame_thread.join();
    QCOMPARE(picture.saves.load(), 1);
    QCOMPARE(QDir(snaps.path()).entryList(QDir::Files).size(), 1);

    QVERIFY(condition->delete_warning_condition(0));
    picture.check_warning_and_snap();
    QVERIFY(condition->add_warning_condition(1, {row(hot, nullptr, met)}, met));
    picture.check_warning_and_snap();
    picture.check_warning_and_snap();
    QCOMPARE(picture.saves.load(), 2);

    // Opening a picture again starts without conditions.
    QVERIFY(picture.open_file(sample));
    QCOMPARE(condition->get_warning_condition().size(), 0);
}

void WarningConditionTest::view_without_conditions_answers_empty()
{
    WndIRShow view;
    QCOMPARE(view.add_warning_condition(1, {row(m_hot, nullptr, "R01:Max > 1")}, "R01:Max > 1"), QString());
    QVERIFY(!view.delete_warning_condition(0));
    view.clear_condition();
    QVERIFY(view.get_warning_condition().isEmpty());
    QVERIFY(view.get_warning_condition_info().isEmpty());
    QVERIFY(view.get_warning_condition_anas().isEmpty());
    QVERIFY(!view.load_detect_rule_formula(1));
    view.set_warning_snap_path("/tmp");
    QCOMPARE(view.get_warning_snap_path(), QString());

    // A picture view forwards to its source's conditions.
    QVERIFY(view.init_wnd(1));
    QCOMPARE(view.add_warning_condition(2, {row(m_hot, nullptr, "R01:Max > 1")}, "text"), QString("text"));
    QCOMPARE(view.get_warning_condition(), QJsonArray{"R01:Max > 1"});
    view.set_warning_snap_path(QUrl::fromLocalFile("/tmp/snap folder").toString());
    QCOMPARE(view.get_warning_snap_path(), QString("/tmp/snap folder"));
    m_guard.expect(QRegularExpression("no condition at index"));
    QVERIFY(!view.delete_warning_condition(3));
    QVERIFY(view.delete_warning_condition(0));
}

// The way the alarm panel applies a rule: its objects, then its formulas as
// the rule database hands them out.
void WarningConditionTest::detection_rule_from_the_database()
{
    const QString sample = QDir::current().absoluteFilePath("samples/sample.jpg");
    if (!QFile::exists(sample)) QSKIP("samples were not generated");
    RuleDbFixture db;
    QVERIFY(db.start());
    DataSql* sql = DataSql::instance();
    const int rule = sql->insert_detect_rule(1, "breaker", "110kV", "connector", "R:1,1;2,2;-", "hot joint");
    QVERIFY(rule > 0);
    const auto formula = [rule](int degree, const QString& text) {
        return QJsonObject{{"detect_rules_id", rule}, {"fault_degree_id", degree}, {"formula", text}};
    };
    QVERIFY(sql->insert_rule_formula(formula(2, "R01:Max > 50")) > 0);
    QVERIFY(sql->insert_rule_formula(formula(3, "math.abs(R01:Max-R02:Max) > 1000")) > 0);

    WndIRShow view;
    QVERIFY(view.init_wnd(1));
    QVERIFY(view.open_file(sample));
    const QJsonArray anas{QJsonObject{{"ana_str", "R:300,220;340,250;-"}, {"ana_alias", "R01"}},
                          QJsonObject{{"ana_str", "R:10,10;60,60;-"}, {"ana_alias", "R02"}}};
    QVERIFY(view.load_detect_rule_anas(QString::fromUtf8(QJsonDocument(anas).toJson())));
    QVERIFY(view.load_detect_rule_formula(rule));
    const QJsonArray info = view.get_warning_condition_info();
    QCOMPARE(info.size(), 2);
    QCOMPARE(info.at(0).toObject().value("fault_id").toInt(), 1);
    QCOMPARE(info.at(0).toObject().value("fault_formula").toString(), QString("R01:Max > 50"));
    QCOMPARE(info.at(0).toObject().value("warning").toBool(), true);
    QCOMPARE(info.at(1).toObject().value("fault_id").toInt(), 2);
    QCOMPARE(info.at(1).toObject().value("warning").toBool(), false);
    db.stop();
}

QTEST_MAIN(WarningConditionTest)
#include "warning_condition_test.moc"
