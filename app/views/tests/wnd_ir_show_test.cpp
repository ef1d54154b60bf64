// The IR view item and its picture source headless: opening every sample,
// painting, properties, parameters, rotation, saving and the analysis-info
// file, checked through the libraries underneath.
#include "message_guard.h"
#include "parameter_probe.h"
#include "sources/ir_image.h"
#include "test_folders.h"
#include "thermframe.h"
#include "views/wnd_ir_show.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QJsonDocument>
#include <QQuickWindow>
#include <QtTest>

namespace {

QString sample(const char* name) { return QDir::current().absoluteFilePath(QString("samples/") + name); }

}  // namespace

class WndIRShowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        if (!QFile::exists(sample("sample.jpg"))) QSKIP("samples were not generated");
    }
    void cleanup() { m_guard.verify(); }

    void property_table_data();
    void property_table();
    void humidity_reads_as_truncated_percent();
    void own_parameters_of_an_object_are_checked();
    void cursor_table_data();
    void cursor_table();
    void kinds_and_empty_answers_without_source();
    void url_paths_are_local_paths();
    void analysis_lists_as_json();
    void ids_of_analyses_are_checked();
    void drag_past_the_edge_is_clamped();

private:
    // A view of kind 1 with the sample opened at 640 x 512.
    bool open_view(WndIRShow& view, const char* name = "sample.jpg")
    {
        view.setSize(QSizeF(640, 512));
        return view.init_wnd(1) && view.open_file(sample(name));
    }

    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
};

void WndIRShowTest::property_table_data()
{
    QTest::addColumn<QString>("json");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("shown");
    QTest::newRow("emissivity 0.5") << R"({"strSettingEmiss":"0.5"})" << true << "strSettingEmiss" << "0.50";
    QTest::newRow("emissivity 1.5 refused") << R"({"strSettingEmiss":"1.5"})" << false << "strSettingEmiss" << "0.95";
    QTest::newRow("emissivity 0 refused") << R"({"strSettingEmiss":"0"})" << false << "strSettingEmiss" << "0.95";
    QTest::newRow("emissivity nan refused") << R"({"strSettingEmiss":"nan"})" << false << "strSettingEmiss" << "0.95";
    QTest::newRow("emissivity empty refused") << R"({"strSettingEmiss":""})" << false << "strSettingEmiss" << "0.95";
    QTest::newRow("emissivity text refused") << R"({"strSettingEmiss":"abc"})" << false << "strSettingEmiss" << "0.95";
    QTest::newRow("distance 0 refused") << R"({"strSettingDist":"0"})" << false << "strSettingDist" << "3.0";
    QTest::newRow("distance 12.5") << R"({"strSettingDist":"12.5"})" << true << "strSettingDist" << "12.5";
    QTest::newRow("humidity 45") << R"({"strSettingRelHum":"45"})" << true << "strSettingRelHum" << "45";
    QTest::newRow("humidity 101 refused") << R"({"strSettingRelHum":"101"})" << false << "strSettingRelHum" << "50";
    QTest::newRow("humidity 0.456 refused") << R"({"strSettingRelHum":"0.456"})" << false << "strSettingRelHum" << "50";
    QTest::newRow("ambient empty refused") << R"({"strSettingTemp":""})" << false << "strSettingTemp" << "25.0";
    QTest::newRow("palette kept, emissivity refused")
        << R"({"strSettingPalette":2,"strSettingEmiss":"1.5"})" << false << "strSettingPalette" << "2";
}

void WndIRShowTest::property_table()
{
    QFETCH(QString, json);
    QFETCH(bool, accepted);
    QFETCH(QString, key);
    QFETCH(QString, shown);
    if (accepted && !picture_follows_parameters(sample("sample.jpg"))) {
        QSKIP("the sample picture has no calibration data and keeps its own parameters");
    }
    WndIRShow view;
    QVERIFY(open_view(view));
    QCOMPARE(view.set_ir_property(QJsonDocument::fromJson(json.toUtf8()).object()), accepted);
    const QJsonValue value = view.get_ir_property().value(key);
    QCOMPARE(value.isString() ? value.toString() : QString::number(value.toInt()), shown);
}

void WndIRShowTest::humidity_reads_as_truncated_percent()
{
    WndIRShow view;
    QVERIFY(open_view(view));
    if (!thermframe_set_rel_hum(view.source()->get_ir_data(), 0.456f)) {
        QSKIP("the sample picture has no calibration data and keeps its own parameters");
    }
    QCOMPARE(view.get_ir_param_info().value("strSettingRelHum").toString(), QString("45"));
}

void WndIRShowTest::own_parameters_of_an_object_are_checked()
{
    WndIRShow view;
    QVERIFY(open_view(view));
    // Nothing selected: refused, nothing changed.
    QVERIFY(!view.set_ana_property(QJsonObject{{"strSettingAnaEmiss", "0.7"}}));
    void* doc = view.source()->get_ir_data();
    void* ana = nullptr;
    QVERIFY(thermframe_add_ana(doc, "R:20,20;80,60;-", ana));
    QVERIFY(thermframe_ana_set_select(doc, "R:20,20;80,60;-"));
    bool own = false;
    float emissivity = 0.0f, distance = 0.0f;
    QVERIFY(thermframe_ana_get_self_para(ana, own, emissivity, distance));
    for (const char* bad : {"1.5", "0", "-1", "", "nan", "x"}) {
        QVERIFY2(!view.set_ana_property(QJsonObject{{"strSettingAnaEmiss", bad}}), bad);
        QVERIFY2(!view.set_ana_property(QJsonObject{{"strSettingAnaDist", bad[0] == '1' ? "0" : bad}}), bad);
    }
    bool own_after = true;
    float e = 0.0f, d = 0.0f;
    QVERIFY(thermframe_ana_get_self_para(ana, own_after, e, d));
    QCOMPARE(own_after, own);
    QCOMPARE(e, emissivity);
    QVERIFY(view.set_ana_property(QJsonObject{{"strSettingAnaDefaultParam", false}}));
    QVERIFY(view.set_ana_property(QJsonObject{{"strSettingAnaLineColor", "#102030"}}));
    QCOMPARE(view.get_cur_ana_property().value("strSettingAnaLineColor").toString(), QString("#102030"));
}

void WndIRShowTest::cursor_table_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("cursor");
    QTest::newRow("point body") << 0 << 0 << int(Qt::SizeAllCursor);
    QTest::newRow("polyline body") << 51 << 0 << int(Qt::SizeAllCursor);
    QTest::newRow("line end") << 11 << 0 << int(Qt::SizeBDiagCursor);
    QTest::newRow("rect corner 33") << 33 << 0 << int(Qt::SizeBDiagCursor);
    QTest::newRow("rect corner 31") << 31 << 0 << int(Qt::SizeFDiagCursor);
    QTest::newRow("rect top edge") << 32 << 0 << int(Qt::SizeVerCursor);
    QTest::newRow("rect top edge at 90") << 32 << 1 << int(Qt::SizeHorCursor);
    QTest::newRow("rect top edge at 270") << 36 << 2 << int(Qt::SizeHorCursor);
    QTest::newRow("rect top edge at 180") << 36 << 3 << int(Qt::SizeVerCursor);
    QTest::newRow("rect side") << 34 << 0 << int(Qt::SizeHorCursor);
    QTest::newRow("rect side at 90") << 38 << 1 << int(Qt::SizeVerCursor);
    QTest::newRow("nothing") << 100 << 0 << int(Qt::CrossCursor);
    QTest::newRow("unknown 53") << 53 << 0 << int(Qt::CrossCursor);
}

void WndIRShowTest::cursor_table()
{
    QFETCH(int, code);
    QFETCH(int, rotation);
    QFETCH(int, cursor);
    QCOMPARE(int(cursor_for_hit_code(code, rotation)), cursor);
}

void WndIRShowTest::kinds_and_empty_answers_without_source()
{
    WndIRShow detect_rule;
    QVERIFY(!detect_rule.init_wnd(4));
    QVERIFY(detect_rule.source() == nullptr);
    QVERIFY(!detect_rule.open_file(sample("sample.jpg")));
    QVERIFY(!detect_rule.delete_ana());
    QCOMPARE(detect_rule.get_anas_json(), QString());
    QVERIFY(detect_rule.get_ir_property().isEmpty());
    QCOMPARE(detect_rule.print_report("x"), -1);
    QCOMPARE(detect_rule.get_ir_handle(), 0);
    QCOMPARE(detect_rule.n_pixel_width(), 0);
    QImage canvas(10, 10, QImage::Format_RGB32);
    canvas.fill(Qt::blue);
    QPainter painter(&canvas);
    detect_rule.paint(&painter);
    painter.end();
    QCOMPARE(canvas.pixel(5, 5), QColor(Qt::blue).rgb());

    // A second kind never replaces the source.
    WndIRShow view;
    QVERIFY(view.init_wnd(1));
    IRBase* first = view.source();
    QVERIFY(view.init_wnd(2));
    QCOMPARE(view.source(), first);
}

void WndIRShowTest::url_paths_are_local_paths()
{
    WndIRShow view;
    QVERIFY(open_view(view));
    QTemporaryDir dir;
    const QString path = dir.filePath("with space #1.png");
    QVERIFY(view.save_as_image_to_file(QUrl::fromLocalFile(path).toString()));
    QVERIFY(QFile::exists(path));
    WndIRShow again;
    again.setSize(QSizeF(320, 256));
    QVERIFY(again.init_wnd(1));
    QVERIFY(again.open_file(QUrl::fromLocalFile(path).toString()));
    QCOMPARE(again.get_file_path(), path);
}

void WndIRShowTest::analysis_lists_as_json()
{
    WndIRShow view;
    QVERIFY(open_view(view));
    QVERIFY(view.load_ana_from_string(""));
    QCOMPARE(view.get_anas_json(), QString());
    QVERIFY(view.load_ana_from_string(R"([{"ana_alias":"b","ana_str":"P:5,5;-"},)"
                                      R"({"ana_alias":"a","ana_str":"R:10,10;50,50;-"},)"
                                      R"({"ana_alias":"c","ana_str":""}])"));
    const QJsonArray listed = QJsonDocument::fromJson(view.get_anas_json().toUtf8()).array();
    QCOMPARE(listed.size(), 2);
    // Rectangles come before points in the list order.
    QCOMPARE(listed[0].toObject().value("ana_alias").toString(), QString("a"));
    const QJsonArray sorted = view.get_all_anas_json();
    QCOMPARE(sorted.size(), 2);
    QCOMPARE(sorted[0].toObject().value("ana_alias").toString(), QString("a"));
    QCOMPARE(sorted[1].toObject().value("ana_str").toString(), QString("P:5,5;-"));

    // Loading again while an object is selected leaves nothing pointing at
    // the objects it replaced.
    view.source()->mouse_down(30, 10);
    view.source()->mouse_up(30, 10);
    QVERIFY(view.source()->current_ana() != nullptr);
    QVERIFY(view.load_ana_from_string(R"([{"ana_alias":"d","ana_str":"L:1,1;20,20;-"}])"));
    QCOMPARE(view.source()->current_ana(), nullptr);
    QVERIFY(view.get_ana_alias().isEmpty());
}

void WndIRShowTest::ids_of_analyses_are_checked()
{
    WndIRShow view;
    QVERIFY(open_view(view));
    void* doc = view.source()->get_ir_data();
    void* ana = nullptr;
    QVERIFY(thermframe_add_ana(doc, "P:9,9;-", ana));
    const int id = view.ana_id(ana);
    QVERIFY(id > 0);
    QCOMPARE(view.ana_id(ana), id);
    QCOMPARE(view.ana_from_id(id), ana);
    QVERIFY(view.ana_from_id(id + 1000) == nullptr);
    QVERIFY(thermframe_delete_ana(doc, "P:9,9;-"));
    QVERIFY(view.ana_from_id(id) == nullptr);
    QCOMPARE(view.ana_id(nullptr), 0);
}

void WndIRShowTest::drag_past_the_edge_is_clamped()
{
    QQuickWindow window;
    window.resize(700, 600);
    WndIRShow view(window.contentItem());
    QVERIFY(open_view(view));
    QVERIFY(view.delete_all_ana());
    QVERIFY(view.add_line());
    QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(690, 100), QPointF(690, 100), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(690, 100), QPointF(690, 100), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &release);
    void* ana = nullptr;
    int32_t lines = 0;
    QVERIFY(thermframe_get_anas_count(view.source()->get_ir_data(), ANA_LINE, lines));
    QCOMPARE(lines, 1);
    QVERIFY(thermframe_get_ana(view.source()->get_ir_data(), ANA_LINE, 0, ana));
    std::vector<tagVYPoint> nodes;
    QVERIFY(thermframe_ana_get_node(ana, nodes));
    QCOMPARE(int(nodes.back().x), 639);
}

QTEST_MAIN(WndIRShowTest)
#include "wnd_ir_show_test.moc"
