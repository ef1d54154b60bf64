// The picture component over a picture of known values: picture numbers,
// roles, the analysis order, every report field of a data mark, the fitting
// and resizing of the box, and a picture's report record.
#include "fake_report_picture.h"
#include "message_guard.h"
#include "reports/picture_number_pool.h"
#include "reports/report_com_image.h"
#include "reports/report_data.h"
#include "reports/report_field_values.h"
#include "reports/report_fields.h"
#include "shell/data_config.h"

#include <QStandardPaths>
#include <QtTest>

namespace {

const QString kDegree = QString(QChar(0x2103));

struct PictureLayout {
    ReportData data{nullptr};
    std::shared_ptr<FakePictureData> next = std::make_shared<FakePictureData>();
    PictureLayout()
    {
        data.set_page_size(800, 1000);
        data.clear_all();
        data.add_page();
        data.set_picture_factory([this] { return std::make_unique<FakeReportPicture>(next); });
    }
    ReportComImage* add(const QRect& rect, std::shared_ptr<FakePictureData> picture = nullptr)
    {
        if (picture) next = picture;
        auto* com = static_cast<ReportComImage*>(
            data.add_com(0, ReportComBase::kTypePicture, rect.x(), rect.y(), rect.width(), rect.height()));
        next = std::make_shared<FakePictureData>();
        return com;
    }
};

QString value_of(ReportComImage* picture, const QString& placeholder)
{
    ReportMarkEntry entry;
    if (!report_fields::parse_mark_key(placeholder, entry)) return "(refused)";
    return picture->get_mark_value(entry);
}

// Rectangles R2 (80) and R1 (30), a point P1 (50), an ellipse E1 (20.5)
// and a second rectangle named R1 read later (35) that replaces the first.
QVector<ReportAnalysis> sample_analyses()
{
    return {fake_analysis(30, "R2", 80.0f, 10.0f, 45.0f), fake_analysis(30, "R1", 30.0f, 5.0f, 12.5f),
            fake_analysis(0, "P1", 50.0f, 50.0f, 50.0f), fake_analysis(20, "E1", 20.5f, 1.0f, 2.0f),
            fake_analysis(30, "R1", 35.0f, 6.0f, 13.5f)};
}

}  // namespace

class ReportPictureValuesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_guard.install();
    }
    void cleanup() { m_guard.verify(); }

    void numbers_follow_roles();
    void field_values_data();
    void field_values();
    void missing_reads_give_empty_texts();
    void extremes_against_the_reference_data();
    void extremes_against_the_reference();
    void analysis_rows_and_properties();
    void box_fits_the_picture_and_resizes_aspect_true();
    void analyses_under_the_mouse_are_not_moved();
    void report_record_of_a_picture();
    void report_record_marks();

private:
    roadtest::MessageGuard m_guard;
};

void ReportPictureValuesTest::numbers_follow_roles()
{
    PictureLayout layout;
    ReportComImage* first = layout.add(QRect(0, 0, 206, 156));
    ReportComImage* second = layout.add(QRect(0, 200, 206, 156));
    QVERIFY(first->open_file("/a.jpg"));
    QVERIFY(second->open_file("/b.jpg"));
    QCOMPARE(first->label(), QString("IR1"));
    QCOMPARE(second->label(), QString("IR2"));
    layout.data.select_in_rect(QRect());
    layout.data.page_at(-1, -1);
    // Deleting the first gives its number back to the next picture.
    layout.data.add_page();
    layout.data.clear_coms();
    QVERIFY(picture_number_pool::is_free(picture_number_pool::kIR, 0));
    ReportComImage* third = layout.add(QRect(0, 0, 206, 156));
    QVERIFY(third->open_file("/c.jpg"));
    QCOMPARE(third->label(), QString("IR1"));
    // A visible picture gives the IR number back and takes a VI number.
    auto visible = std::make_shared<FakePictureData>();
    visible->visible = true;
    ReportComImage* fourth = layout.add(QRect(300, 0, 206, 156), visible);
    QVERIFY(fourth->open_file("/v.jpg"));
    QCOMPARE(fourth->label(), QString("VI1"));
    QCOMPARE(fourth->ir_number(), -1);
    fourth->set_logo(true);
    QCOMPARE(fourth->label(), QString("LOGO"));
    QVERIFY(picture_number_pool::is_free(picture_number_pool::kVI, 0));
    // A file that does not open leaves the component as it was.
    visible->opens = false;
    QVERIFY(!fourth->open_file("/other.jpg"));
    QCOMPARE(fourth->file_path(), QString("/v.jpg"));
    QVERIFY(fourth->is_logo());
}

void ReportPictureValuesTest::field_values_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("placeholder");
    QTest::addColumn<QString>("value");
    const QString six = "/pictures/s1-s2-s3-s4-s5-s6.jpg";
    QTest::newRow("title") << six << "IR1DocumentTitle" << "s1s2s3s4s5s6";
    QTest::newRow("substation") << six << "IR1SubstationName" << "s1";
    QTest::newRow("area") << six << "IR1DeviceArea" << "s2";
    QTest::newRow("type") << six << "IR1DeviceType" << "s3";
    QTest::newRow("name") << six << "IR1DeviceName" << "s4";
    QTest::newRow("position") << six << "IR1ParPosition" << "s5";
    QTest::newRow("phase") << six << "IR1Phase" << "s6";
    QTest::newRow("two parts title") << "/p/s1-s2.jpg" << "IR1DocumentTitle" << "s1-s2";
    QTest::newRow("two parts name") << "/p/s1-s2.jpg" << "IR1DeviceName" << "";
    QTest::newRow("empty part") << "/p/a--b-c-d-e.jpg" << "IR1DeviceArea" << "";
    QTest::newRow("empty part title") << "/p/a--b-c-d-e.jpg" << "IR1DocumentTitle" << "abcde";
    QTest::newRow("dots in folder") << "/p.q/x-y.old.jpg" << "IR1DocumentTitle" << "x-y";
    QTest::newRow("date") << six << "IR1RecordingDate" << "2026-03-14";
    QTest::newRow("time") << six << "IR1RecordingTime" << "09:30:15";
    QTest::newRow("emissivity") << six << "IR1Emissivity" << "0.95";
    QTest::newRow("distance") << six << "IR1RecordingDistances" << "5.0";
    QTest::newRow("ambient") << six << "IR1AambientTemperature" << "25.0" + kDegree;
    QTest::newRow("humidity") << six << "IR1RelativeHumidity" << "65%";
    QTest::newRow("max above 100") << six << "IR1FullscreenMaxTemperature" << "123" + kDegree;
    QTest::newRow("min") << six << "IR1FullscreenMinTemperature" << "12.2" + kDegree;
    QTest::newRow("avg") << six << "IR1FullscreenAvgTemperature" << "40.5" + kDegree;
    QTest::newRow("voltage") << six << "IR1RunningVoltage" << "110 kV";
    QTest::newRow("current") << six << "IR1LoadCurrent" << "";
    QTest::newRow("wind") << six << "IR1WindSpeed" << "3 m/s";
    QTest::newRow("weather in Chinese") << six << "IR1Weather" << QString::fromUtf8("多云");
    QTest::newRow("description") << six << "IR1DesMark" << "note";
    QTest::newRow("preset") << six << "IR1PresetText" << "preset";
    QTest::newRow("latitude") << six << "IR1Latitude" << "30.5N";
    QTest::newRow("longitude") << six << "IR1Longitude" << "120.1E";
    QTest::newRow("altitude") << six << "IR1Altitude" << "12";
    QTest::newRow("detection result") << six << "IR1InfraredDetectResult" << "";
    // Analyses in report order: R1 (35, the later one), R2, E1, P1.
    QTest::newRow("first analysis") << six << "IR1AnalyzeName1" << "R1";
    QTest::newRow("its maximum") << six << "IR1Analyze1MaxTemperature" << "35.0" + kDegree;
    QTest::newRow("second analysis") << six << "IR1Analyze2MinTemperature" << "10.0" + kDegree;
    QTest::newRow("third") << six << "IR1Analyze3AvgTemperature" << "2.0" + kDegree;
    QTest::newRow("fourth") << six << "IR1AnalyzeName4" << "P1";
    QTest::newRow("past the last") << six << "IR1AnalyzeName5" << "";
    QTest::newRow("difference") << six << "IR1Analyze2Minus1MaxTemperature" << "45.0" + kDegree;
    QTest::newRow("difference to nothing") << six << "IR1Analyze2Minus0MaxTemperature" << "80.0" + kDegree;
    QTest::newRow("hottest") << six << "IR1MeasurementPointTemperature" << "80.0" + kDegree;
    QTest::newRow("coolest") << six << "IR1NormalPointTemperature" << "20.5" + kDegree;
}

void ReportPictureValuesTest::field_values()
{
    QFETCH(QString, path);
    QFETCH(QString, placeholder);
    QFETCH(QString, value);
    DataConfig::instance()->set_language_type(0);
    PictureLayout layout;
    auto data = std::make_shared<FakePictureData>();
    data->analyses = sample_analyses();
    data->user_data = {{"VYVoltage", "110"}, {"VYWindSpeed", "3"}, {"VYWeather", "Cloudy"},
                       {"VYDescriptionText", "note"}, {"preset", "preset"}, {"latitude", "30.5N"},
                       {"longitude", "120.1E"}, {"altitude", "12"}};
    ReportComImage* picture = layout.add(QRect(0, 0, 206, 156), data);
    QVERIFY(picture->open_file(path));
    QCOMPARE(value_of(picture, placeholder), value);
}

void ReportPictureValuesTest::missing_reads_give_empty_texts()
{
    PictureLayout layout;
    auto data = std::make_shared<FakePictureData>();
    data->values_ok = false;
    data->storage_time = "not a time";
    data->user_data = {{"VYWeather", "sunny"}};
    DataConfig::instance()->set_language_type(1);
    ReportComImage* picture = layout.add(QRect(0, 0, 206, 156), data);
    for (const char* placeholder : {"IR1Emissivity", "IR1RecordingDistances", "IR1AambientTemperature",
                                       "IR1RelativeHumidity", "IR1FullscreenMaxTemperature", "IR1RecordingDate",
                                       "IR1Weather", "IR1MeasurementPointTemperature"}) {
        QVERIFY(picture->open_file("/p/x.jpg"));
        QCOMPARE(value_of(picture, placeholder), QString());
    }
    // Without a picture nothing has a value.
    ReportComImage* empty = layout.add(QRect(300, 0, 206, 156));
    QCOMPARE(value_of(empty, "IR1DocumentTitle"), QString());
}

void ReportPictureValuesTest::extremes_against_the_reference_data()
{
    QTest::addColumn<QList<float>>("maxima");
    QTest::addColumn<float>("reference");
    QTest::addColumn<QStringList>("texts");  // rise, difference, relative
    QTest::newRow("reference 20") << QList<float>{80.0f, 30.0f} << 20.0f
                                  << QStringList{"60.0" + kDegree, "50.0" + kDegree, "83%"};
    QTest::newRow("no reference") << QList<float>{80.0f, 30.0f} << -999.0f
                                  << QStringList{"80.0" + kDegree, "50.0" + kDegree, "62%"};
    QTest::newRow("reference above") << QList<float>{80.0f} << 90.0f
                                     << QStringList{"-10.0" + kDegree, "0.0" + kDegree, ""};
    QTest::newRow("no analyses") << QList<float>{} << 20.0f << QStringList{"", "", ""};
}

void ReportPictureValuesTest::extremes_against_the_reference()
{
    QFETCH(QList<float>, maxima);
    QFETCH(float, reference);
    QFETCH(QStringList, texts);
    PictureLayout layout;
    auto data = std::make_shared<FakePictureData>();
    for (int i = 0; i < maxima.size(); ++i) data->analyses << fake_analysis(10, QString("L%1").arg(i), maxima.at(i));
    data->reference = reference;
    ReportComImage* picture = layout.add(QRect(0, 0, 206, 156), data);
    QVERIFY(picture->open_file("/p/x.jpg"));
    QCOMPARE(value_of(picture, "IR1TemperatureRise"), texts.at(0));
    QCOMPARE(value_of(picture, "IR1TemperatureDifference"), texts.at(1));
    QCOMPARE(value_of(picture, "IR1RelativeTemperatureDifference"), texts.at(2));
}

void ReportPictureValuesTest::analysis_rows_and_properties()
{
    PictureLayout layout;
    auto data = std::make_shared<FakePictureData>();
    data->analyses = sample_analyses();
    ReportComImage* picture = layout.add(QRect(0, 0, 206, 156), data);
    QJsonArray rows;
    QVERIFY(!picture->get_ana_info_list(rows));
    QCOMPARE(picture->get_pic_property(), (QJsonObject{{"bFile", false}}));
    QVERIFY(picture->open_file("/p/x.jpg"));
    QVERIFY(picture->get_ana_info_list(rows));
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows.at(0).toObject().value("strIRName").toString(), QString("IR01"));
    QCOMPARE(rows.at(0).toObject().value("nType").toInt(), -1);
    QCOMPARE(rows.at(1).toObject().value("strAnaName").toString(), QString("R1"));
    QCOMPARE(rows.at(3).toObject().value("nType").toInt(), 20);
    QCOMPARE(rows.at(4).toObject().value("nAnaID").toInt(), 3);
    QCOMPARE(layout.data.get_mark_ir_info().size(), 5);
    const QJsonObject property = picture->get_pic_property();
    QVERIFY(property.value("bIR").toBool());
    QVERIFY(property.contains("strSettingEmiss"));
    QVERIFY(picture->set_ir_setting(QJsonObject{{"strSettingEmiss", 0.5}}));
    QCOMPARE(value_of(picture, "IR1Emissivity"), QString("0.50"));
}

void ReportPictureValuesTest::box_fits_the_picture_and_resizes_aspect_true()
{
    PictureLayout layout;
    auto data = std::make_shared<FakePictureData>();  // 320 x 240
    ReportComImage* picture = layout.add(QRect(10, 10, 406, 200), data);
    QVERIFY(picture->open_file("/p/x.jpg"));
    QCOMPARE(picture->rect(), QRect(10, 10, 406, 306));
    // Dragging the right handle 100 to the right enlarges both ways.
    QVERIFY(picture->move_hit_com_size(ReportComBase::kHitRight, 100, 0));
    QCOMPARE(picture->work_rect(), QRect(10, 10, 506, 381));
    picture->reset_work_rect();
    // The top-left corner dragged inwards keeps the bottom-right corner.
    QVERIFY(picture->move_hit_com_size(ReportComBase::kHitTopLeft, 100, 0));
    QCOMPARE(picture->work_rect().bottomRight(), picture->rect().bottomRight());
    QCOMPARE(picture->work_rect().width(), 306);
    QCOMPARE(picture->work_rect().height(), 231);
    // A picture without a size keeps its box instead of dividing by zero.
    auto sizeless = std::make_shared<FakePictureData>();
    sizeless->width = 0;
    ReportComImage* other = layout.add(QRect(10, 400, 100, 100), sizeless);
    QVERIFY(other->open_file("/p/y.jpg"));
    QCOMPARE(other->rect(), QRect(10, 400, 100, 100));
    QCOMPARE(other->aspect(), 0.75f);
}

void ReportPictureValuesTest::analyses_under_the_mouse_are_not_moved()
{
    PictureLayout layout;
    auto data = std::make_shared<FakePictureData>();
    ReportComImage* picture = layout.add(QRect(10, 10, 326, 246), data);
    QVERIFY(picture->open_file("/p/x.jpg"));
    int code = 0;
    QVERIFY(picture->hit_test_com(100, 100, false, code));
    QCOMPARE(code, 30);
    data->kind_under_mouse = 30;
    QVERIFY(picture->hit_test_com(100, 100, false, code));
    QCOMPARE(code, 101);
    // The document arms a shape on press and ends it on release.
    layout.data.layout_pages(24, 24, QRect(0, 0, 100, 100));
    layout.data.set_ana_tool(3);
    data->kind_under_mouse = 100;
    layout.data.hit_test(100, 100);
    QCOMPARE(layout.data.hit_code(), 101);
    QVERIFY(layout.data.mouse_down(100, 100));
    QCOMPARE(data->shape_added, 2);
    data->ana_changed = true;
    QVERIFY(layout.data.mouse_up(120, 120));
    QCOMPARE(data->shape_added, -1);
    QCOMPARE(layout.data.ana_tool(), 0);
    QCOMPARE(data->mouse_ups, 1);
}

void ReportPictureValuesTest::report_record_of_a_picture()
{
    FakePictureData raw;
    raw.path = "/x/SubA-Area1-Breaker-B01-Top-A.jpg";
    raw.max = 100.0f;
    raw.reference = 20.0f;
    raw.analyses = {fake_analysis(30, "R2", 80.0f, 100.0f, 101.0f), fake_analysis(30, "R1", 30.0f, 1.0f, 2.0f),
                    fake_analysis(0, "P1", 100.0f, 3.0f, 4.0f)};
    for (int i = 0; i < 12; ++i) raw.analyses << fake_analysis(10, QString("L%1").arg(i, 2, 10, QChar('0')), 40.0f);
    raw.user_data = {{"VYWeather", "Sunny"}};
    FakeReportPicture picture(std::make_shared<FakePictureData>(raw));
    ReportFieldValues values;
    QVERIFY(report_field_values::fill_report_info(picture, values, true));
    using V = ReportFieldValues;
    QCOMPARE(values.texts[V::kTitle], QString("SubAArea1BreakerB01TopA"));
    QCOMPARE(values.texts[V::kDeviceType], QString("Breaker"));
    QCOMPARE(values.texts[V::kPhase], QString("A"));
    QCOMPARE(values.texts[V::kPictureMax], "100.0" + kDegree);
    QCOMPARE(values.texts[V::kWeather], QString::fromUtf8("晴朗"));
    QCOMPARE(values.texts[V::kRelativeHumidity], QString("65%"));
    // Rectangles first (by alias), then lines, ellipses, polygons,
    // polylines and points: ten reach the four arrays.
    QCOMPARE(values.ana_names[0], QString("R1"));
    QCOMPARE(values.ana_names[1], QString("R2"));
    QCOMPARE(values.ana_names[2], QString("L00"));
    QCOMPARE(values.ana_names[9], QString("L07"));
    QCOMPARE(values.ana_min[1], QString("100.0"));
    QCOMPARE(values.ana_avg[1], QString("101"));
    QCOMPARE(values.kind_names[V::kLine][11], QString("L11"));
    QCOMPARE(values.kind_names[V::kPoint][0], QString("P1"));
    QCOMPARE(values.kind_max[V::kPoint][0], QString("100"));
    QCOMPARE(values.texts[V::kMeasurementPoint], "100.0" + kDegree);
    QCOMPARE(values.texts[V::kNormalPoint], "30.0" + kDegree);
    QCOMPARE(values.texts[V::kTemperatureRise], "80.0" + kDegree);
    QCOMPARE(values.texts[V::kRelativeDifference], QString("87%"));

    // English interface: the weather stays as stored; a reference above the
    // hottest leaves rise, difference and relative empty.
    raw.reference = 150.0f;
    raw.analyses = {fake_analysis(30, "R", 80.0f)};
    FakeReportPicture hot(std::make_shared<FakePictureData>(raw));
    ReportFieldValues english;
    QVERIFY(report_field_values::fill_report_info(hot, english, false));
    QCOMPARE(english.texts[V::kWeather], QString("Sunny"));
    QVERIFY(english.texts[V::kTemperatureRise].isEmpty());
    QVERIFY(english.texts[V::kTemperatureDifference].isEmpty());
    QCOMPARE(english.texts[V::kMeasurementPoint], "80.0" + kDegree);

    // A word stored in Chinese reads in the English interface's language.
    raw.user_data = {{"VYWeather", QString::fromUtf8("小雨")}};
    FakeReportPicture drizzle(std::make_shared<FakePictureData>(raw));
    ReportFieldValues translated;
    QVERIFY(report_field_values::fill_report_info(drizzle, translated, false));
    QCOMPARE(translated.texts[V::kWeather], QString("Drizzle"));
}

void ReportPictureValuesTest::report_record_marks()
{
    ReportFieldValues values;
    values.ana_max[0] = "130";
    values.ana_max[1] = "45.0";
    values.ana_names[0] = "R1";
    values.texts[ReportFieldValues::kDeviceType] = "Breaker";
    using report_field_values::mark_value;
    QCOMPARE(mark_value(values, 0, 0, 1, 100), "85.0" + kDegree);
    QCOMPARE(mark_value(values, 0, 1, 0, 100), "85.0" + kDegree);
    QCOMPARE(mark_value(values, 0, 0, 2, 100), QString());
    QCOMPARE(mark_value(values, 0, 0, -1, 1), QString("R1"));
    QCOMPARE(mark_value(values, 0, 10, -1, 1), QString());
    QCOMPARE(mark_value(values, 0, 0, -1, 2), "130" + kDegree);
    QCOMPARE(mark_value(values, 0, 1, -1, 3), QString());
    QCOMPARE(mark_value(values, 0, -1, -1, 27), QString("Breaker"));
    QCOMPARE(mark_value(values, 1, -1, -1, 27), QString());
    QCOMPARE(mark_value(values, 0, -1, -1, 99), QString());
}

QTEST_MAIN(ReportPictureValuesTest)
#include "report_picture_values_test.moc"
