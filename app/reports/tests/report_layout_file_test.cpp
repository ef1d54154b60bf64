// The XML layout file: every component kind saved and loaded field by field,
// scaling to another page size, damaged files refused with the open layout
// kept, skipped elements, logos in the user's data folder, saves that fail.
#include "hostile_layouts.h"
#include "fake_report_picture.h"
#include "message_guard.h"
#include "reports/report_com_image.h"
#include "reports/report_com_mark.h"
#include "reports/report_com_table.h"
#include "reports/report_com_text.h"
#include "reports/report_data.h"
#include "reports/report_settings.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void use_fakes(ReportData& data)
{
    data.set_picture_factory([] { return std::make_unique<FakeReportPicture>(std::make_shared<FakePictureData>()); });
}

void one_page(ReportData& data, int width, int height)
{
    data.set_page_size(width, height);
    data.clear_all();
    data.add_page();
    use_fakes(data);
}

template <class T>
T* add(ReportData& data, int type, const QRect& rect)
{
    return static_cast<T*>(data.add_com(0, type, rect.x(), rect.y(), rect.width(), rect.height()));
}

QByteArray read_all(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write_all(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every component of a document as text, field by field, in list order.
QStringList describe(const ReportData& data)
{
    QStringList lines;
    for (ReportComBase* com : data.coms()) {
        const QRect& r = com->rect();
        QString line = QString("%1 p%2 %3,%4 %5x%6").arg(com->type()).arg(com->page()).arg(r.x()).arg(r.y())
                           .arg(r.width()).arg(r.height());
        if (auto* text = qobject_cast<ReportComText*>(com)) {
            line += QString(" text[%1] flags %2 font %3").arg(text->text()).arg(text->flags()).arg(text->font().toString());
        } else if (auto* mark = qobject_cast<ReportComMark*>(com)) {
            line += QString(" mark[%1] show[%2] entries %3 font %4").arg(mark->mark_text(), mark->show_text())
                        .arg(mark->entries().size()).arg(mark->font().toString());
        } else if (auto* table = qobject_cast<ReportComTable*>(com)) {
            line += QString(" grid %1x%2").arg(table->rows()).arg(table->columns());
            for (int j = 0; j < table->columns(); ++j) line += QString(" w%1").arg(table->column_width(j));
            for (int i = 0; i < table->rows(); ++i) line += QString(" h%1").arg(table->row_height(i));
            for (int i = 0; i < table->rows(); ++i) {
                for (int j = 0; j < table->columns(); ++j) {
                    const ReportCell* cell = table->cell(i, j);
                    line += QString(" [%1|%2|%3|%4]").arg(cell->mark_text, cell->text).arg(cell->flags)
                                .arg(cell->font.toString());
                }
            }
        } else if (auto* picture = qobject_cast<ReportComImage*>(com)) {
            line += QString(" %1 ir %2 vi %3 loaded %4").arg(picture->label()).arg(picture->ir_number())
                        .arg(picture->vi_number()).arg(picture->is_loaded());
        }
        lines << line;
    }
    return lines;
}

// A layout with every component kind and the awkward contents of each.
void build_every_kind(ReportData& data, const QString& logo_path)
{
    auto* text = add<ReportComText>(data, ReportComBase::kTypeText, QRect(10, 20, 300, 60));
    text->set_text(QString::fromUtf8("报告 <&> \"quoted\"\nsecond line"));
    text->set_flags(report_font::kFlagsCentre);
    QFont font = text->font();
    font.setBold(true);
    font.setPointSize(14);
    text->set_font(font);
    auto* mark = add<ReportComMark>(data, ReportComBase::kTypeMark, QRect(10, 100, 10, 10));
    mark->update_mark_text(" {IR1DeviceType}{IR1Analyze2Minus1MaxTemperature} end");
    auto* plain = add<ReportComMark>(data, ReportComBase::kTypeMark, QRect(10, 150, 10, 10));
    plain->update_mark_text("plain mark");
    auto* table = add<ReportComTable>(data, ReportComBase::kTypeTable, QRect(10, 200, 300, 100));
    table->set_column_width(0, 120);
    table->set_row_height(1, 40);
    table->set_cell_mark(0, 0, "Max {IR1FullscreenMaxTemperature}");
    table->set_cell_mark(2, 1, QString::fromUtf8("温度"));
    table->set_cell_font(1, 1, QFont("DejaVu Serif", 9).toString(), report_font::kFlagsRight);
    auto* ir = add<ReportComImage>(data, ReportComBase::kTypePicture, QRect(320, 20, 206, 156));
    ir->set_ir_number(0);
    ir->open_file("/pictures/first.jpg");
    auto* second = add<ReportComImage>(data, ReportComBase::kTypePicture, QRect(320, 200, 206, 156));
    second->open_file("/pictures/second.jpg");
    auto* logo = add<ReportComImage>(data, ReportComBase::kTypePicture, QRect(320, 400, 106, 56));
    logo->open_file(logo_path);
    logo->set_logo(true);
    data.refresh_all_marks();
}

const char* const kSmallLayout =
    "<?xml version = '1.0' encoding='UTF-8'?>\n"
    "<Report version=\"1\">\n"
    "    <Printer width=\"%1\" height=\"%2\" scale=\"1\" dpi=\"96\" page=\"1\"/>\n"
    "    <ReportCom count=\"9\">\n"
    "        <ComText version=\"1\" type=\"4\" page=\"0\" x=\"10\" y=\"20\" width=\"100\" height=\"50\" font=\"\" flags=\"4097\"><Text>kept</Text></ComText>\n"
    "        <ComText version=\"2\" type=\"4\" page=\"0\" x=\"10\" y=\"20\" width=\"100\" height=\"50\"><Text>newer version</Text></ComText>\n"
    "        <ComText type=\"4\" page=\"0\" x=\"10\" y=\"20\" width=\"100\" height=\"50\"><Text>no version</Text></ComText>\n"
    "        <ComText version=\"1\" type=\"4\" page=\"1\" x=\"10\" y=\"20\" width=\"100\" height=\"50\"><Text>page 1</Text></ComText>\n"
    "        <ComVideo version=\"1\" type=\"5\" page=\"0\"/>\n"
    "        <ComMark version=\"1\" type=\"3\" x=\"5\" y=\"5\" width=\"1\" height=\"1\" font=\"\"><Mark type=\"0\">Lit </Mark><Mark type=\"1\" mark=\"IR1DeviceType\"/><Mark type=\"0\"> </Mark></ComMark>\n"
    "        <ComTable version=\"1\" type=\"2\" page=\"0\" x=\"100\" y=\"300\" width=\"200\" height=\"81\" rows=\"3\" columns=\"2\">"
    "<Width><Width column=\"0\" width=\"60\"/><Width width=\"70\"/></Width><Height><Height row=\"2\" height=\"10\"/></Height>"
    "<Cells><Cell row=\"0\" column=\"1\" flags=\"4100\"><Text>cell</Text></Cell><Cell row=\"1\"><Text>no column</Text></Cell>"
    "<Cell row=\"9\" column=\"9\"><Text>outside</Text></Cell></Cells></ComTable>\n"
    "        <ComPic version=\"1\" type=\"1\" page=\"0\" x=\"100\" y=\"500\" width=\"106\" height=\"86\" file=\"1\" ir=\"0\" mark=\"VIPicture3\" imagebase64=\"\"/>\n"
    "        <ComPic version=\"1\" type=\"1\" page=\"0\" x=\"999999999\" y=\"-50\" width=\"2147483647\" height=\"-5\" file=\"0\" ir=\"1\" mark=\"\" imagebase64=\"\"/>\n"
    "    </ReportCom>\n"
    "</Report>\n";

}  // namespace

class ReportLayoutFileTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_guard.install();
        QVERIFY(m_dir.isValid());
    }
    void cleanup() { m_guard.verify(); }

    void every_kind_round_trips();
    void written_form();
    void elements_are_read_as_the_format_says();
    void scaled_to_another_page();
    void damaged_files_keep_the_open_layout_data();
    void damaged_files_keep_the_open_layout();
    void logos_go_to_the_data_folder();
    void failed_saves_report_failure();
    void sample_pictures_round_trip();

private:
    roadtest::MessageGuard m_guard;
    QTemporaryDir m_dir;
};

void ReportLayoutFileTest::every_kind_round_trips()
{
    const QString logo_path = m_dir.filePath("logo.png");
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::red);
    QVERIFY(logo.save(logo_path));
    ReportData saved(nullptr);
    one_page(saved, 600, 800);
    build_every_kind(saved, logo_path);
    const QString path = m_dir.filePath("every.xml");
    QVERIFY(saved.save_layout(path));

    ReportData loaded(nullptr);
    one_page(loaded, 600, 800);
    QVERIFY(loaded.open_layout(path));
    QCOMPARE(loaded.pages().size(), 1);
    QStringList expected = describe(saved);
    QStringList got = describe(loaded);
    QCOMPARE(got.size(), expected.size());
    // The second picture was a file of its own; a layout keeps only its
    // number, and IR picture 1 is the sample beside the program.
    expected[5].replace("loaded 1", "loaded 0");
    for (int i = 0; i < expected.size(); ++i) QCOMPARE(got.at(i), expected.at(i));
    auto* reloaded_logo = qobject_cast<ReportComImage*>(loaded.coms().last());
    QVERIFY(reloaded_logo->is_logo());
    QImage copy(reloaded_logo->file_path());
    QCOMPARE(copy.size(), QSize(40, 20));
    QCOMPARE(copy.pixelColor(5, 5), QColor(Qt::red));
}

void ReportLayoutFileTest::written_form()
{
    ReportData data(nullptr);
    one_page(data, 600, 800);
    data.set_zoom(1.0f);
    const QString path = m_dir.filePath("empty.xml");
    QVERIFY(data.save_layout(path));
    const QString text = QString::fromUtf8(read_all(path));
    QVERIFY(text.startsWith("<?xml version = '1.0' encoding='UTF-8'?>\n<Report version=\"1\">\n    <Printer "));
    QVERIFY(text.contains("scale=\"1\""));
    QVERIFY(text.contains("<ReportCom count=\"0\"/>"));
    auto* mark = add<ReportComMark>(data, ReportComBase::kTypeMark, QRect(5, 5, 1, 1));
    mark->update_mark_text("a{IR2Analyze3MaxTemperature}");
    QVERIFY(data.save_layout(path));
    const QString marked = QString::fromUtf8(read_all(path));
    QVERIFY(marked.contains("<Mark type=\"0\">a</Mark>"));
    QVERIFY(marked.contains("mark=\"IR2Analyze3MaxTemperature\""));
    QVERIFY(marked.contains("ir_id=\"1\""));
    QVERIFY(marked.contains("ana_id=\"2\""));
    QVERIFY(marked.contains("ana_id_minus=\"-1\""));
}

void ReportLayoutFileTest::elements_are_read_as_the_format_says()
{
    const QString path = m_dir.filePath("small.xml");
    QVERIFY(write_all(path, QString(kSmallLayout).arg(600).arg(800).toUtf8()));
    ReportData data(nullptr);
    one_page(data, 600, 800);
    QVERIFY(data.open_layout(path));
    QCOMPARE(data.coms().size(), 5);
    auto* text = qobject_cast<ReportComText*>(data.coms().at(0));
    QCOMPARE(text->text(), QString("kept"));
    auto* mark = qobject_cast<ReportComMark*>(data.coms().at(1));
    QCOMPARE(mark->mark_text(), QString("Lit {IR1DeviceType} "));
    QCOMPARE(mark->entries().size(), 3);
    auto* table = qobject_cast<ReportComTable*>(data.coms().at(2));
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->column_width(0), 60);
    QCOMPARE(table->column_width(1), 100);
    QCOMPARE(table->row_height(2), 27);
    QCOMPARE(table->cell(0, 1)->text, QString("cell"));
    QCOMPARE(table->cell(0, 1)->flags, report_font::kFlagsCentre);
    QVERIFY(table->cell(1, 0)->text.isEmpty());
    auto* picture = qobject_cast<ReportComImage*>(data.coms().at(3));
    QCOMPARE(picture->vi_number(), 2);
    QVERIFY(!picture->is_loaded());
    // Absurd geometry is clamped into the page and cut to a sane size.
    QCOMPARE(data.coms().at(4)->rect(), QRect(599, 0, 1 << 16, 1));
}

void ReportLayoutFileTest::scaled_to_another_page()
{
    const QString path = m_dir.filePath("scaled.xml");
    QVERIFY(write_all(path, QString(kSmallLayout).arg(300).arg(400).toUtf8()));
    ReportData data(nullptr);
    one_page(data, 600, 800);
    QVERIFY(data.open_layout(path));
    QCOMPARE(data.coms().at(0)->rect(), QRect(20, 40, 200, 100));
    auto* table = qobject_cast<ReportComTable*>(data.coms().at(2));
    QCOMPARE(table->rect().topLeft(), QPoint(200, 600));
    QCOMPARE(table->column_width(0), 60);
}

void ReportLayoutFileTest::damaged_files_keep_the_open_layout_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("warning");
    const QByteArray good = QString(kSmallLayout).arg(600).arg(800).toUtf8();
    for (int cut : {0, 1, 30, 60, 120, 400, good.size() / 2, good.size() - 12}) {
        QTest::newRow(qPrintable(QString("cut at %1").arg(cut))) << good.left(cut) << QString();
    }
    QTest::newRow("not xml") << QByteArray("\x89PNG\r\n\x1a\n binary") << QString();
    QTest::newRow("root version text") << QByteArray(good).replace("<Report version=\"1\"", "<Report version=\"one\"") << QString();
    QTest::newRow("root version 2") << QByteArray(good).replace("<Report version=\"1\"", "<Report version=\"2\"") << QString();
    QTest::newRow("no printer") << QByteArray(good).replace("<Printer ", "<Printing ") << QString();
    QTest::newRow("printer width text") << QByteArray(good).replace("width=\"600\"", "width=\"wide\"") << QString();
    QTest::newRow("printer height 0") << QByteArray(good).replace("height=\"800\"", "height=\"0\"") << QString();
    QTest::newRow("no component list") << QByteArray(good).replace("ReportCom ", "ReportComs ")
                                                          .replace("</ReportCom>", "</ReportComs>") << QString();
    for (const hostile_layouts::Layout& layout : hostile_layouts::all()) {
        QTest::newRow(layout.name) << layout.bytes << layout.warning;
    }
    QTest::newRow("too large") << QByteArray(65 << 20, ' ') << QString("open_layout: file too large");
}

void ReportLayoutFileTest::damaged_files_keep_the_open_layout()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, warning);
    ReportData data(nullptr);
    one_page(data, 600, 800);
    auto* text = add<ReportComText>(data, ReportComBase::kTypeText, QRect(1, 2, 30, 40));
    text->set_text("open layout");
    const QStringList before = describe(data);
    const QString path = m_dir.filePath("damaged.xml");
    QVERIFY(write_all(path, bytes));
    if (!warning.isEmpty()) m_guard.expect(QRegularExpression(warning));
    QVERIFY(!data.open_layout(path));
    QCOMPARE(describe(data), before);
    QCOMPARE(data.pages().size(), 1);
    m_guard.expect(QRegularExpression("open_layout: cannot read"));
    QVERIFY(!data.open_layout(m_dir.filePath("missing.xml")));
    QCOMPARE(describe(data), before);
}

void ReportLayoutFileTest::logos_go_to_the_data_folder()
{
    const QString logo_path = m_dir.filePath("logo2.png");
    QImage logo(8, 8, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    QVERIFY(logo.save(logo_path));
    ReportData data(nullptr);
    one_page(data, 600, 800);
    auto* picture = add<ReportComImage>(data, ReportComBase::kTypePicture, QRect(0, 0, 50, 50));
    picture->open_file(logo_path);
    picture->set_logo(true);
    const QString path = m_dir.filePath("logo.xml");
    QVERIFY(data.save_layout(path));
    QVERIFY(data.open_layout(path));
    auto* loaded = qobject_cast<ReportComImage*>(data.coms().at(0));
    QVERIFY(loaded->is_logo());
    QVERIFY(loaded->file_path().startsWith(report_settings::config_path()));
    QVERIFY(!loaded->file_path().startsWith(QCoreApplication::applicationDirPath()));
    // A logo that does not decode leaves the picture without a file.
    QByteArray bytes = read_all(path);
    const int at = bytes.indexOf("imagebase64=\"") + 13;
    bytes.insert(at, "AAAA");
    QVERIFY(write_all(path, bytes));
    QVERIFY(data.open_layout(path));
    QVERIFY(!qobject_cast<ReportComImage*>(data.coms().at(0))->is_loaded());
}

void ReportLayoutFileTest::failed_saves_report_failure()
{
    ReportData data(nullptr);
    one_page(data, 600, 800);
    add<ReportComText>(data, ReportComBase::kTypeText, QRect(1, 2, 30, 40));
    const QString blocker = m_dir.filePath("a-file");
    QVERIFY(write_all(blocker, "x"));
    m_guard.expect(QRegularExpression("save_layout: cannot write"));
    QVERIFY(!data.save_layout(blocker + "/layout.xml"));
    // A save over an existing layout replaces it whole, leaving no
    // temporary file beside it.
    const QString path = m_dir.filePath("replace.xml");
    QVERIFY(write_all(path, "old"));
    QVERIFY(data.save_layout(path));
    QVERIFY(read_all(path).startsWith("<?xml"));
    QDir dir(m_dir.path());
    for (const QString& name : dir.entryList(QDir::Files)) QVERIFY2(!name.startsWith("replace.xml."), qPrintable(name));
}

void ReportLayoutFileTest::sample_pictures_round_trip()
{
    const QString sample = QDir::current().absoluteFilePath("samples/sample.jpg");
    if (!QFile::exists(sample)) QSKIP("samples were not generated");
    ReportData data(nullptr);
    data.set_page_size(600, 800);
    data.clear_all();
    data.add_page();
    auto* picture = add<ReportComImage>(data, ReportComBase::kTypePicture, QRect(10, 10, 326, 246));
    QVERIFY(picture->open_file(sample));
    QVERIFY(picture->is_ir());
    auto* mark = add<ReportComMark>(data, ReportComBase::kTypeMark, QRect(10, 300, 10, 10));
    QCOMPARE(mark->update_mark_text("{IR1FullscreenMaxTemperature}/{IR1Emissivity}/{IR1RecordingDate}"), 0);
    QVERIFY(mark->show_text().contains(QChar(0x2103)));
    const QStringList parts = mark->show_text().split('/');
    QCOMPARE(parts.size(), 3);
    QVERIFY(!parts.at(1).isEmpty());
    QVERIFY(QRegularExpression("^\\d{4}-\\d{2}-\\d{2}$").match(parts.at(2)).hasMatch());
    QImage page(600, 800, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        picture->draw_com(&painter, false, false);
        mark->draw_com(&painter, false, false);
    }
    QDir().mkpath("../screens");
    page.save("../screens/reports_layout_file-sample.png");
    const QString path = m_dir.filePath("sample.xml");
    QVERIFY(data.save_layout(path));
    ReportData loaded(nullptr);
    loaded.set_page_size(600, 800);
    loaded.clear_all();
    loaded.add_page();
    QVERIFY(loaded.open_layout(path));
    auto* reloaded = qobject_cast<ReportComImage*>(loaded.coms().at(0));
    QCOMPARE(reloaded->ir_number(), 0);
    auto* reloaded_mark = qobject_cast<ReportComMark*>(loaded.coms().at(1));
    QCOMPARE(reloaded_mark->mark_text(), mark->mark_text());
    // Picture 1 of a loaded layout is the sample picture beside the program,
    // for IR and for visible light.
    QVERIFY(reloaded->is_loaded());
    QVERIFY(reloaded_mark->show_text().contains(QChar(0x2103)));
    const QString visible = m_dir.filePath("visible.xml");
    QVERIFY(write_all(visible, QString(kSmallLayout).arg(600).arg(800).replace("VIPicture3", "VIPicture1").toUtf8()));
    QVERIFY(loaded.open_layout(visible));
    auto* vi = qobject_cast<ReportComImage*>(loaded.coms().at(3));
    QVERIFY(vi->is_loaded());
    QVERIFY(!vi->is_ir());
    QCOMPARE(vi->label(), QString("VI1"));
}

QTEST_MAIN(ReportLayoutFileTest)
#include "report_layout_file_test.moc"
