// Batch report printing: one document with a report per picture in list
// order, read back from the written package; pictures that fail, stop,
// refused templates and a report that cannot be saved.
#include "batch_pictures.h"
#include "reports/batching_file.h"
#include "reports/report_bookmarks.h"
#include "reports/report_field_values.h"
#include "reports/thread_print_report.h"
#include "shell/save_target.h"

#include "office_test_support.h"
#include "test_folders.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>

using namespace office_test;
using batch_pictures::Expected;

namespace {

const QString kDegree = QString(QChar(0x2103));

// The texts of a document's pages in order: every w:t, split at page breaks.
void collect_pages(const QDomNode& node, QStringList& pages)
{
    for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling()) {
        const QDomElement e = child.toElement();
        if (e.isNull()) continue;
        if (e.namespaceURI() == kW && e.localName() == QLatin1String("t")) {
            pages.last() += e.text();
        } else if (e.namespaceURI() == kW && e.localName() == QLatin1String("br") &&
                   e.attributeNS(kW, QStringLiteral("type")) == QLatin1String("page")) {
            pages.append(QString());
        } else {
            collect_pages(e, pages);
        }
    }
}

QStringList pages_of(const QString& document)
{
    const QDomDocument body = dom_of(read_parts(document).value(QStringLiteral("word/document.xml")));
    QStringList pages{QString()};
    collect_pages(body, pages);
    return pages;
}

int pictures_in(const QString& document)
{
    const QDomDocument body = dom_of(read_parts(document).value(QStringLiteral("word/document.xml")));
    return int(elements(body, kA, QStringLiteral("blip")).size());
}

// Whether some table cell of the document holds the whole text in a row
// that grows with it (no exact height to cut it).
bool whole_in_growing_cell(const QString& document, const QString& text)
{
    const QDomDocument body = dom_of(read_parts(document).value(QStringLiteral("word/document.xml")));
    for (const QDomElement& cell : elements(body, kW, QStringLiteral("tc"))) {
        QString cell_text;
        for (const QDomElement& t : elements(cell, kW, QStringLiteral("t"))) cell_text += t.text();
        if (!cell_text.contains(text)) continue;
        const QDomElement row = cell.parentNode().toElement();
        for (const QDomElement& height : elements(row, kW, QStringLiteral("trHeight"))) {
            if (height.attributeNS(kW, QStringLiteral("hRule")) == QLatin1String("exact")) return false;
        }
        return true;
    }
    return false;
}

// A layout on a page of the given size: a heading, the title and first
// analysis maximum as data marks, a table whose cell shows the voltage, and
// picture place 1.
QString write_layout(const QString& path, const QSize& page)
{
    const QString xml = QString(R"(<Report version="1">
<Printer width="%1" height="%2" scale="1" dpi="96" page="1"/>
<ReportCom count="4">
 <ComText version="1" page="0" x="20" y="10" width="300" height="30" flags="4" font="">Inspection report</ComText>
 <ComMark version="1" page="0" x="20" y="50" width="300" height="30" font="">
  <Mark type="0">Title </Mark><Mark type="5" mark="IR1DocumentTitle" ir_id="0" ana_id="-1" ana_id_minus="-1"/>
  <Mark type="0"> max </Mark><Mark type="2" mark="IR1Analyze1MaxTemperature" ir_id="0" ana_id="0" ana_id_minus="-1"/>
 </ComMark>
 <ComTable version="1" page="0" x="20" y="100" width="300" height="40" rows="1" columns="2">
  <Width><Item column="0" width="150"/><Item column="1" width="150"/></Width>
  <Height><Item row="0" height="40"/></Height>
  <Cells>
   <Item row="0" column="0" flags="1" font=""><Text>Voltage</Text></Item>
   <Item row="0" column="1" flags="1" font=""><Mark type="8" mark="IR1RunningVoltage" ir_id="0" ana_id="-1" ana_id_minus="-1"/></Item>
  </Cells>
 </ComTable>
 <ComPic version="1" page="0" x="20" y="160" width="320" height="240" file="1" ir="1" mark="IRPicture1"/>
</ReportCom>
</Report>)").arg(page.width()).arg(page.height());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(xml.toUtf8()) > 0 ? path : QString();
}

// Receives the worker's signals on the test thread.
class Collector : public QObject {
public:
    explicit Collector(ThreadPrintReport& worker)
    {
        connect(&worker, &ThreadPrintReport::sig_report_progress, this, [this](int n) { progress << n; },
                Qt::QueuedConnection);
        connect(&worker, &ThreadPrintReport::sig_report_info, this, [this](const QString& s) { info << s; },
                Qt::QueuedConnection);
        connect(&worker, &ThreadPrintReport::sig_report_end, this, [this](int n) { status = n; },
                Qt::QueuedConnection);
    }
    QList<int> progress;
    QStringList info;
    int status = -1;
};

BatchReportSettings settings_for(const QString& custom = QString())
{
    BatchReportSettings settings;
    const QString dot = QCoreApplication::applicationDirPath() + "/DefaultDotEn.dot";
    settings.template_selected = custom.isEmpty() ? 0 : 1;
    settings.template_path = custom.isEmpty() ? dot : custom;
    settings.template_path_vi = custom.isEmpty() ? QCoreApplication::applicationDirPath() + "/DefaultDotEnVI.dot" : custom;
    settings.chinese = false;
    settings.page_size = QSize(700, 1000);
    settings.logo_folder = QDir::tempPath();
    return settings;
}

// Runs a print job the way the program does: queued onto the worker's thread.
int print(ThreadPrintReport& worker, Collector& collector, const QString& out, const QJsonArray& records,
          const BatchReportSettings& settings)
{
    QMetaObject::invokeMethod(
        &worker, [&worker, out, records, settings] { worker.slot_print_report(out, records, settings); },
        Qt::QueuedConnection);
    [&] { QTRY_VERIFY_WITH_TIMEOUT(collector.status >= 0, 120000); }();
    return collector.status;
}

}  // namespace

class BatchReportTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(batch_pictures::make_pictures(m_dir.path(), 10, m_pictures));
        QFile bad(m_dir.filePath("bad.jpg"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("not a picture at all");
        bad.close();
        m_layout = write_layout(m_dir.filePath("layout.xml"), settings_for().page_size);
        QVERIFY(!m_layout.isEmpty());
    }

    // Ten pictures, the sixth list entry unreadable: it is reported and
    // skipped, the others each fill one page in list order.
    void ten_pictures_one_page_each_data()
    {
        QTest::addColumn<bool>("layout");
        QTest::addColumn<int>("bad_at");
        QTest::newRow("layout") << true << 5;
        QTest::newRow("template") << false << 5;
        // A first picture that cannot be loaded leaves no empty first page.
        QTest::newRow("layout, first unreadable") << true << 0;
        QTest::newRow("template, first unreadable") << false << 0;
    }
    void ten_pictures_one_page_each()
    {
        QFETCH(bool, layout);
        QFETCH(int, bad_at);
        QJsonArray records = batch_pictures::records_of(m_pictures);
        records.insert(bad_at, batch_pictures::record_of(m_dir.filePath("bad.jpg"), "bad.jpg"));
        const QString out = m_dir.filePath(QString("report-%1-%2.doc").arg(layout).arg(bad_at));
        ThreadPrintReport worker;
        Collector collector(worker);
        QCOMPARE(print(worker, collector, out, records, settings_for(layout ? m_layout : QString())),
                 int(ThreadPrintReport::kPrinted));
        QVERIFY(collector.info.contains("File bad.jpg non-infrared image!"));
        QCOMPARE(collector.info.filter("is printed.").size(), 10);
        QCOMPARE(collector.info.last(), QString("Saving file."));
        // 10 + 80 x (i + 1) / 11 after each of the eleven entries.
        QCOMPARE(collector.progress.first(), 10);
        QCOMPARE(collector.progress.last(), 90);
        QCOMPARE(collector.progress.size(), 12);

        const QStringList pages = pages_of(out);
        QCOMPARE(pages.size(), 10);
        QCOMPARE(pictures_in(out), 10);
        for (int i = 0; i < 10; ++i) {
            const Expected& picture = m_pictures[size_t(i)];
            const QString& page = pages[i];
            QVERIFY2(page.contains(picture.title), qPrintable(page));
            QVERIFY2(page.contains(picture.voltage), qPrintable(page));
            if (layout) {
                QVERIFY2(page.contains("Inspection report"), qPrintable(page));
                QVERIFY2(page.contains("Title " + picture.title + " max " + picture.analysis_max + kDegree),
                         qPrintable(page));
            } else {
                QVERIFY2(page.contains(picture.analysis_max + kDegree), qPrintable(page));
            }
            // No other picture's title on this page.
            for (int j = 0; j < 10; ++j) {
                if (j != i) QVERIFY(!page.contains(m_pictures[size_t(j)].title + " "));
            }
        }
    }

    // A long device type, device name and title are written whole into
    // cells whose rows grow with them, in the built-in template and in a
    // layout whose table rows are one line high.
    void long_values_appear_whole_data()
    {
        QTest::addColumn<bool>("layout");
        QTest::newRow("template") << false;
        QTest::newRow("layout") << true;
    }
    void long_values_appear_whole()
    {
        QFETCH(bool, layout);
        QTemporaryDir dir;
        const QString type = "CoolingFanAssemblyOfTheNorthTransformerBayUnitThree";
        const QString device = "HighVoltageBushingConnectorOfTheUpperTerminalPhaseSide";
        const QString name = "Substation-Area-" + type + "-" + device + "-Position-A.jpg";
        const QString path = dir.filePath(name);
        QVERIFY(QFile::copy(m_pictures[0].path, path));
        const QString table = QString(R"(<Report version="1">
<Printer width="700" height="1000" scale="1" dpi="96" page="1"/>
<ReportCom count="1">
 <ComTable version="1" page="0" x="20" y="20" width="400" height="60" rows="3" columns="2">
  <Width><Item column="0" width="100"/><Item column="1" width="300"/></Width>
  <Height><Item row="0" height="20"/><Item row="1" height="20"/><Item row="2" height="20"/></Height>
  <Cells>
   <Item row="0" column="0" flags="1" font=""><Text>Title</Text></Item>
   <Item row="0" column="1" flags="1" font=""><Mark type="5" mark="IR1DocumentTitle" ir_id="0" ana_id="-1" ana_id_minus="-1"/></Item>
   <Item row="1" column="0" flags="1" font=""><Text>Device name</Text></Item>
   <Item row="1" column="1" flags="1" font=""><Mark type="28" mark="IR1DeviceName" ir_id="0" ana_id="-1" ana_id_minus="-1"/></Item>
   <Item row="2" column="0" flags="1" font=""><Text>Device type</Text></Item>
   <Item row="2" column="1" flags="1" font=""><Mark type="27" mark="IR1DeviceType" ir_id="0" ana_id="-1" ana_id_minus="-1"/></Item>
  </Cells>
 </ComTable>
</ReportCom>
</Report>)");
        const QString layout_path = dir.filePath("long.xml");
        QFile file(layout_path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(table.toUtf8()) > 0);
        file.close();
        ThreadPrintReport worker;
        Collector collector(worker);
        const QString out = dir.filePath("long.doc");
        QJsonArray records;
        records.append(batch_pictures::record_of(path, name));
        QCOMPARE(print(worker, collector, out, records, settings_for(layout ? layout_path : QString())),
                 int(ThreadPrintReport::kPrinted));
        const QString title = "SubstationArea" + type + device + "PositionA";
        QVERIFY(whole_in_growing_cell(out, title));
        QVERIFY(whole_in_growing_cell(out, device));
        // The template's "DeviceName" joins area, type, name and position.
        QVERIFY(whole_in_growing_cell(out, layout ? type : "Area" + type + device + "Position"));
    }

    // A stop request after the fifth picture ends the job before the sixth;
    // no document is written (nor any partial one).
    void stop_mid_batch_writes_nothing()
    {
        const QString out = m_dir.filePath("stopped.doc");
        ThreadPrintReport worker;
        Collector collector(worker);
        int printed = 0;
        // Direct: runs on the worker's thread right after the fifth picture.
        connect(&worker, &ThreadPrintReport::sig_report_info, &worker, [&](const QString& info) {
            if (info.endsWith("is printed.") && ++printed == 5) worker.request_stop();
        }, Qt::DirectConnection);
        QCOMPARE(print(worker, collector, out, batch_pictures::records_of(m_pictures), settings_for(m_layout)),
                 int(ThreadPrintReport::kStopped));
        QCOMPARE(collector.info.filter("is printed.").size(), 5);
        QVERIFY(!QFile::exists(out));
        QCOMPARE(QDir(m_dir.path()).entryList({"stopped*"}, QDir::Files | QDir::Hidden).size(), 0);
    }

    // "name-ir.jpg" with only "name-vi.png" beside it: the visible-light
    // template variant, with the PNG in its place.
    void companion_picture_in_the_template()
    {
        QTemporaryDir dir;
        const QString ir = dir.filePath("site-ir.jpg");
        QVERIFY(QFile::copy(m_pictures[0].path, ir));
        QImage visible(64, 48, QImage::Format_RGB32);
        visible.fill(Qt::gray);
        QVERIFY(visible.save(dir.filePath("site-vi.png")));
        ThreadPrintReport worker;
        Collector collector(worker);
        const QString out = dir.filePath("site.doc");
        QJsonArray records;
        records.append(batch_pictures::record_of(ir, "site-ir.jpg"));
        QCOMPARE(print(worker, collector, out, records, settings_for()), int(ThreadPrintReport::kPrinted));
        QCOMPARE(pictures_in(out), 2);
    }

    // The program closing while a job runs: the worker quits before its next
    // picture and joins; nothing is written.
    void quit_mid_batch_writes_nothing()
    {
        const QString out = m_dir.filePath("quit.doc");
        auto worker = std::make_unique<ThreadPrintReport>();
        Collector collector(*worker);
        ThreadPrintReport* w = worker.get();
        std::atomic<int> printed{0};
        // Direct: after the second picture the job holds on the worker's
        // thread until the program's close has begun, however fast it runs.
        connect(w, &ThreadPrintReport::sig_report_info, w, [&printed, w](const QString& info) {
            if (!info.endsWith("is printed.") || ++printed != 2) return;
            while (!w->quitting()) QThread::yieldCurrentThread();
        }, Qt::DirectConnection);
        const QJsonArray records = batch_pictures::records_of(m_pictures);
        const BatchReportSettings settings = settings_for(m_layout);
        QMetaObject::invokeMethod(
            w, [w, out, records, settings] { w->slot_print_report(out, records, settings); }, Qt::QueuedConnection);
        QTRY_VERIFY_WITH_TIMEOUT(printed.load() == 2, 60000);
        worker.reset();
        QTRY_COMPARE(collector.status, int(ThreadPrintReport::kStopped));
        QCOMPARE(printed.load(), 2);
        QVERIFY(!QFile::exists(out));
    }

    void job_failures_data()
    {
        QTest::addColumn<QString>("custom");
        QTest::addColumn<bool>("pictures");
        QTest::addColumn<QString>("out");
        QTest::addColumn<int>("status");
        QTest::newRow("custom template of another kind") << "report.doc" << true << "a.doc"
                                                         << int(ThreadPrintReport::kTemplateWrong);
        QTest::newRow("custom template without suffix") << "report" << true << "b.doc"
                                                        << int(ThreadPrintReport::kTemplateWrong);
        QTest::newRow("layout that is not one") << "bad.xml" << true << "c.doc"
                                                << int(ThreadPrintReport::kTemplateFileFailed);
        QTest::newRow("no picture loads") << "" << false << "d.doc" << int(ThreadPrintReport::kNoPicture);
        QTest::newRow("no picture loads, layout") << "layout.xml" << false << "e.doc"
                                                  << int(ThreadPrintReport::kNoPicture);
        // Saving into a folder that does not exist: failure, not success.
        QTest::newRow("report cannot be saved") << "layout.xml" << true << "none/f.doc"
                                                << int(ThreadPrintReport::kSaveFailed);
    }
    void job_failures()
    {
        QFETCH(QString, custom);
        QFETCH(bool, pictures);
        QFETCH(QString, out);
        QFETCH(int, status);
        QFile bad_layout(m_dir.filePath("bad.xml"));
        QVERIFY(bad_layout.open(QIODevice::WriteOnly));
        bad_layout.write("<Report version=\"1\"><Printer width=\"0\" height=\"10\"/><ReportCom/></Report>");
        bad_layout.close();
        QJsonArray records;
        records.append(batch_pictures::record_of(m_dir.filePath("bad.jpg"), "bad.jpg"));
        if (pictures) records.append(batch_pictures::record_of(m_pictures[0].path, m_pictures[0].name));
        ThreadPrintReport worker;
        Collector collector(worker);
        const QString template_path = custom.isEmpty() ? QString() : m_dir.filePath(custom);
        QCOMPARE(print(worker, collector, m_dir.filePath(out), records, settings_for(template_path)), status);
        QVERIFY(!QFile::exists(m_dir.filePath(out)));
    }

    // A report never replaces the layout it is printed from or a picture
    // it prints, whatever name was chosen: the file stays as it was.
    void report_refused_onto_what_it_reads_data()
    {
        QTest::addColumn<bool>("layout");
        QTest::newRow("the layout") << true;
        QTest::newRow("a picture") << false;
    }
    void report_refused_onto_what_it_reads()
    {
        QFETCH(bool, layout);
        const QString target = layout ? m_dir.filePath("layout.xml") : m_pictures[0].path;
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();
        QJsonArray records;
        records.append(batch_pictures::record_of(m_pictures[0].path, m_pictures[0].name));
        ThreadPrintReport worker;
        Collector collector(worker);
        QCOMPARE(print(worker, collector, target, records, settings_for(m_dir.filePath("layout.xml"))),
                 int(ThreadPrintReport::kSaveFailed));
        QCOMPARE(collector.info, QStringList{save_target::refusal_message(target)});
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }

    // The bookmarks of one page: name parts, differences between every two
    // analyses (and no more), kind lists.
    void bookmarks_of_one_page()
    {
        using V = ReportFieldValues;
        ReportFieldValues values;
        values.texts[V::kDeviceArea] = "A1";
        values.texts[V::kDeviceType] = "T1";
        values.texts[V::kDeviceName] = "N1";
        values.texts[V::kPartPosition] = "P1";
        values.texts[V::kTitle] = "S1A1T1N1P1B2";
        values.ana_names = {"R1", "R2", "R3"};
        values.ana_max = {"35.0", "20.0", "200"};
        values.kind_names[V::kLine][0] = "L1";
        values.kind_max[V::kLine][0] = "12.5";
        QMap<QString, QString> set;
        report_bookmarks::write_values(values, [&set](const QString& name, const QString& text) { set[name] = text; });
        const QList<QPair<QString, QString>> expected = {
            {"DeviceName", "A1T1N1P1"},
            {"DeviceName9", "A1T1N1P1"},
            {"IR1DeviceName3", "A1T1N1P1"},
            {"DeviceType", "N1"},
            {"DocumentTitle", "S1A1T1N1P1B2"},
            {"AnalyzeTemperature3", "200" + kDegree},
            {"IR1Analyze1Minus2MaxTemperature", "15.0" + kDegree},
            {"IR1Analyze1Minus3MaxTemperature5", "165" + kDegree},
            {"IR1Analyze3Minus2MaxTemperature", "180" + kDegree},
            {"IR1Analyze2Name1", "R2"},
            {"LineAnalyzeName1", "L1"},
            {"LineAnalyzeTemperature1", "12.5"},
        };
        for (const auto& pair : expected) QCOMPARE(set.value(pair.first, "(none)"), pair.second);
        for (const char* absent : {"IR1Analyze1Minus4MaxTemperature", "IR1Analyze1Minus1MaxTemperature",
                                   "AnalyzeName4", "PointAnalyzeName1", "LineAnalyzeName2"}) {
            QVERIFY2(!set.contains(absent), absent);
        }
    }

    // The QML item: a job from a dialog's file: URL with the configuration's
    // template, relayed back on the GUI thread.
    void batching_file_runs_a_job()
    {
        BatchingFile item;
        QCOMPARE(item.stop_report(), -1);
        QVERIFY(item.open_report());
        QSignalSpy progress(&item, SIGNAL(sig_report_progress(int)));
        QSignalSpy end(&item, SIGNAL(sig_report_end(int)));
        const QString out = m_dir.filePath(QString::fromUtf8("报告 #1.doc"));
        QJsonArray records;
        records.append(batch_pictures::record_of(m_pictures[0].path, m_pictures[0].name));
        QCOMPARE(item.start_report(QUrl::fromLocalFile(out).toString(), records), 0);
        QCOMPARE(item.report_path(), out);
        QVERIFY(end.wait(60000));
        QCOMPARE(end.at(0).at(0).toInt(), int(ThreadPrintReport::kPrinted));
        QCOMPARE(progress.size(), 2);
        QVERIFY(pages_of(out).first().contains(m_pictures[0].title));
        QCOMPARE(item.stop_report(), 0);
    }

private:
    // Before anything reads the configuration.
    roadtest::TestFolders m_folders;
    QTemporaryDir m_dir;
    std::vector<Expected> m_pictures;
    QString m_layout;
};

QTEST_MAIN(BatchReportTest)
#include "batch_report_test.moc"
