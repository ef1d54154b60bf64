// Road test of every window and dialog of the program in each of its five
// languages: each is opened in the real main window (the edition with every
// page) and fails the test when any visible text is cut without an elision,
// sticks out of its box, or when controls of one row or column overlap.
#include "message_guard.h"
#include "road_window.h"
#include "rules/data_sql.h"
#include "shell/app_shell.h"
#include "shell/data_config.h"
#include "test_folders.h"
#include "text_layout_check.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonObject>
#include <QQmlProperty>
#include <QtTest>

#include <functional>

using roadtest::RoadWindow;

namespace {

QVariant call(QObject* object, const char* function, const QVariantList& args = {})
{
    QVariant result;
    QGenericArgument a[4];
    for (int i = 0; i < args.size() && i < 4; ++i) {
        a[i] = Q_ARG(QVariant, args[i]);
    }
    QMetaObject::invokeMethod(object, function, Q_RETURN_ARG(QVariant, result), a[0], a[1], a[2], a[3]);
    return result;
}

// Everything a user sees: the main window and every other window shown.
QStringList faults_in_shown_windows()
{
    QStringList faults;
    const QWindowList windows = QGuiApplication::topLevelWindows();
    for (QWindow* window : windows) {
        auto* quick = qobject_cast<QQuickWindow*>(window);
        if (quick == nullptr || !quick->isVisible()) {
            continue;
        }
        const QStringList found = roadtest::find_text_faults(quick->contentItem());
        for (const QString& fault : found) {
            faults << quick->objectName() + QStringLiteral(": ") + fault;
        }
    }
    return faults;
}

}  // namespace

class LanguageRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void every_window_whole_in_every_language();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

void LanguageRoadTest::every_window_whole_in_every_language()
{
    QVERIFY(m_folders.is_valid());
    // A folder with a picture and a recording for the start page and the tabs.
    const QString files = m_folders.home() + QStringLiteral("/files");
    QVERIFY(QDir().mkpath(files));
    const QString samples = QCoreApplication::applicationDirPath() + QStringLiteral("/samples/");
    QVERIFY(QFile::copy(samples + "sample.jpg", files + "/sample.jpg"));
    QVERIFY(QFile::copy(samples + "sample.irv", files + "/sample.irv"));

    qputenv("PYRAVUE_EDITION", "0,rules");
    AppShell shell;
    qunsetenv("PYRAVUE_EDITION");
    DataConfig::instance()->set_preview_path(files);
    DataSql* sql = DataSql::instance();
    const int rule = sql->insert_detect_rule(0, QStringLiteral("变压器"), "110kV", QStringLiteral("套管"),
                                             QStringLiteral("A"), QStringLiteral("温差大于 10K"));
    QVERIFY(rule > 0);
    for (int degree = 1; degree <= 4; ++degree) {
        QVERIFY(sql->insert_rule_formula(QJsonObject{{"detect_rules_id", rule},
                                                     {"fault_degree_id", degree},
                                                     {"formula", QStringLiteral("R01:Max > %1").arg(40 + degree)},
                                                     {"des_of_formula", QStringLiteral("热点")}}) > 0);
    }
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show());
    QQuickWindow* window = road.window();
    QVERIFY(QMetaObject::invokeMethod(window, "show_normal"));
    window->resize(1280, 860);
    QObject* title = road.find_object(QStringLiteral("title_bar"));
    QVERIFY(title != nullptr);
    call(title, "open_picture_wnd", {files + "/sample.jpg", files});
    call(title, "open_player_wnd", {files + "/sample.irv", files});
    QTRY_VERIFY(road.find_item(QStringLiteral("wnd_ir_player")) != nullptr);

    QObject* area = road.find_object(QStringLiteral("area_detect_rule"));
    QVERIFY(area != nullptr);
    auto dialog = [&road](const char* name) { return road.find_object(QString::fromLatin1(name)); };
    auto hide = [](QObject* object) { object->setProperty("visible", false); };

    // Each step shows one window or page, and hides what it showed after
    // the check.
    struct Step {
        const char* name;
        std::function<void()> show;
        std::function<void()> hide;
    };
    const QList<Step> steps = {
        {"start_page", [&] { call(title, "show_id", {-1}); }, [] {}},
        {"settings", [&] { dialog("wnd_setting")->setProperty("visible", true); },
         [&] { hide(dialog("wnd_setting")); }},
        {"about", [&] { dialog("wnd_about")->setProperty("visible", true); }, [&] { hide(dialog("wnd_about")); }},
        {"message", [&] { call(window, "show_message", {QStringLiteral("…")}); },
         [&] { hide(dialog("message_box")); }},
        {"cameras", [&] { call(title, "show_id", {-2}); }, [] {}},
        {"report_designer", [&] { call(title, "show_id", {-4}); }, [] {}},
        {"picture", [&] { call(title, "set_cur_tab_sheet", {0}); }, [] {}},
        {"alarm_condition",
         [&] {
             call(title, "set_cur_tab_sheet", {0});
             QVERIFY(RoadWindow::click(road.find_item(QStringLiteral("btn_add_warning"))));
         },
         [&] { hide(road.find_window(QStringLiteral("wnd_warning_condition"))); }},
        {"temp_range", [&] { call(dialog("wnd_temp_range"), "show_range", {"10.0", "20.0"}); },
         [&] { hide(dialog("wnd_temp_range")); }},
        {"recording", [&] { call(title, "set_cur_tab_sheet", {1}); }, [] {}},
        {"video_edit", [&] { call(dialog("wnd_video_edit"), "show_editor"); }, [&] { hide(dialog("wnd_video_edit")); }},
        {"rule_page",
         [&] {
             call(title, "show_id", {-3});
             call(area, "update_fault_ctrl", {rule});
         },
         [] {}},
        {"add_rule", [&] { call(dialog("wnd_add_detect_rule"), "show_wnd"); },
         [&] { hide(dialog("wnd_add_detect_rule")); }},
        {"edit_formula",
         [&] {
             QMetaObject::invokeMethod(dialog("wnd_edit_formula"), "show_wnd", Q_ARG(QVariant, true),
                                       Q_ARG(QVariant, rule), Q_ARG(QVariant, 1), Q_ARG(QVariant, QString()),
                                       Q_ARG(QVariant, QString()), Q_ARG(QVariant, QString()),
                                       Q_ARG(QVariant, QString()), Q_ARG(QVariant, QString()));
         },
         [&] { hide(dialog("wnd_edit_formula")); }},
        {"rule_export", [&] { call(dialog("wnd_export_rule"), "show_wnd"); }, [&] { hide(dialog("wnd_export_rule")); }},
        {"rule_import", [&] { call(dialog("wnd_import_rule"), "show_wnd"); }, [&] { hide(dialog("wnd_import_rule")); }},
        {"rule_select",
         [&] {
             QObject* select = dialog("wnd_rule_select");
             call(select, "show_setting", {QVariant()});
             call(select, "update_fault_ctrl", {rule});
         },
         [&] { hide(dialog("wnd_rule_select")); }},
        {"report",
         [&] {
             call(window, "show_report_wnd",
                  {QVariantList{QVariantMap{{"strPicPath", files + "/sample.jpg"}, {"strPicName", "sample.jpg"}}}});
         },
         [&] { hide(dialog("wnd_report")); }},
        {"batch_analysis", [&] { call(window, "show_batch_ana_wnd", {QVariantList(), files}); },
         [&] { hide(dialog("wnd_batch_ana")); }},
    };

    QStringList faults;
    for (int language = 0; language < 5; ++language) {
        DataConfig::instance()->set_language_type(language);
        QVERIFY(QMetaObject::invokeMethod(window, "load_language_config"));
        for (const Step& step : steps) {
            step.show();
            // Bindings and layouts settle in the event loop.
            QCoreApplication::processEvents();
            QVERIFY(window->isVisible());
            const QString where = QStringLiteral("language %1, %2: ").arg(language).arg(step.name);
            const QStringList found = faults_in_shown_windows();
            for (const QString& fault : found) {
                faults << where + fault;
            }
            // Pictures of the longest texts (Russian) and of English; every
            // language is checked all the same.
            if (language == 1 || language == 3 || !found.isEmpty()) {
                QVERIFY(!road.save_screen(QStringLiteral("languages"),
                                          QStringLiteral("%1-%2").arg(language).arg(step.name))
                             .isEmpty());
            }
            step.hide();
        }
    }
    for (const QString& fault : faults) {
        qInfo().noquote() << fault;
    }
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 texts are not whole").arg(faults.size())));
    sql->delete_all_rule(0);
}

QTEST_MAIN(LanguageRoadTest)
#include "language_road_test.moc"
