// The layout reader for printing: scaling to the printer page, refused
// components, marks, pictures and tables, and refused files.
#include "hostile_layouts.h"
#include "reports/report_xml.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QString write_file(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

const char* const kLayout = R"(<Report version="1">
<Printer width="%1" height="400" scale="1.5" dpi="96" page="2"/>
<ReportCom count="99">
 <ComText version="1" page="0" x="10" y="20" width="100" height="30" flags="4" font="Serif,12">Hello <b>all</b></ComText>
 <ComText version="2" page="0" x="1" y="2" width="3" height="4" flags="4">refused</ComText>
 <ComMark version="1" page="1" x="0" y="0" width="50" height="50" font="">
  <Text>Current: </Text><Mark type="1" mark="LoadCurrent" ir_id="0" ana_id="0" ana_id_minus="0"/>
  <Mark type="0"></Mark><Other>skipped</Other>
 </ComMark>
 <ComPic version="1" x="0" y="0" width="10" height="10" file="1" ir="0" mark="VIPicture2"/>
 <ComPic version="1" x="0" y="0" width="10" height="10" file="0" ir="1" mark=""/>
 <ComTable version="1" x="4" y="6" width="200" height="40" rows="2" columns="2">
  <Width><Item column="0" width="120"/><Item column="1" width="80"/><Item width="5"/></Width>
  <Height><Item row="0" height="20"/><Item row="1" height="20"/></Height>
  <Cells>
   <Item row="0" column="1" flags="2" font="Sans,9"><Mark type="8" mark="IR1RunningVoltage" ir_id="0" ana_id="-1" ana_id_minus="-1"/></Item>
   <Item row="1"><Text>no column</Text></Item>
  </Cells>
 </ComTable>
 <Unknown/>
</ReportCom>
</Report>)";

}  // namespace

class ReportXmlTest : public QObject {
    Q_OBJECT

private slots:
    // A layout page as wide as the printer page reads unscaled; half as
    // wide doubles every x and width; heights follow the height ratio.
    void components_are_read_and_scaled_data()
    {
        QTest::addColumn<int>("layout_width");
        QTest::addColumn<int>("factor");
        QTest::newRow("same width") << 600 << 1;
        QTest::newRow("half width") << 300 << 2;
    }
    void components_are_read_and_scaled()
    {
        QFETCH(int, layout_width);
        QFETCH(int, factor);
        QTemporaryDir dir;
        const QString path = write_file(dir.filePath("l.xml"), QString(kLayout).arg(layout_width).toUtf8());
        ReportXml xml(QSize(600, 800));
        QVERIFY(xml.load_file(path));
        PrinterInfo printer;
        QVERIFY(xml.read_printer(&printer));
        QCOMPARE(printer.width, layout_width);
        QCOMPARE(printer.page, 2);
        QCOMPARE(printer.scale, 1.5f);
        QVERIFY(xml.read_com_list());
        QCOMPARE(xml.com_count(), 7);

        int type = -1;
        QVERIFY(xml.get_com_type(0, &type));
        QCOMPARE(type, int(ReportXml::kText));
        ReportTextInfo text;
        QVERIFY(xml.read_com_text(&text));
        QCOMPARE(text.x, 10 * factor);
        QCOMPARE(text.width, 100 * factor);
        QCOMPARE(text.y, 40);
        QCOMPARE(text.height, 60);
        QCOMPARE(text.text, QString("Hello all"));
        QCOMPARE(text.font, QString("Serif,12"));
        QCOMPARE(text.flags, 4);

        // A version it does not know is refused; the next one still reads.
        QVERIFY(xml.get_com_type(1, &type));
        ReportTextInfo refused;
        QVERIFY(!xml.read_com_text(&refused));
        QVERIFY(!xml.read_com_text(nullptr));

        QVERIFY(xml.get_com_type(2, &type));
        QCOMPARE(type, int(ReportXml::kMark));
        ReportTextInfo mark;
        QVERIFY(xml.read_com_mark(&mark));
        QCOMPARE(mark.text, QString("Current: {LoadCurrent} "));
        QVERIFY(mark.has_marks);
        QCOMPARE(mark.marks.size(), 2);
        QCOMPARE(mark.marks[0].text, QString("LoadCurrent"));
        QCOMPARE(mark.marks[0].type, 1);
        QCOMPARE(mark.marks[1].text, QString(" "));
        QCOMPARE(mark.flags, 1);
        QCOMPARE(mark.page, 1);

        QVERIFY(xml.get_com_type(3, &type));
        QCOMPARE(type, int(ReportXml::kPic));
        ReportPicInfo picture;
        QVERIFY(xml.read_com_pic(&picture));
        QCOMPARE(picture.picture_number, 2);
        QVERIFY(!picture.ir);
        QVERIFY(picture.from_file);
        QVERIFY(xml.get_com_type(4, &type));
        ReportPicInfo empty;
        QVERIFY(xml.read_com_pic(&empty));
        QCOMPARE(empty.picture_number, 0);
        QVERIFY(empty.ir);

        QVERIFY(xml.get_com_type(5, &type));
        QCOMPARE(type, int(ReportXml::kTable));
        ReportTableInfo table;
        QVERIFY(xml.read_com_table(&table));
        QCOMPARE(table.x, 4 * factor);
        QCOMPARE(table.rows, 2);
        // Column widths stay in layout pixels, whatever the ratio.
        QCOMPARE(table.column_widths, (QMap<int, int>{{0, 120}, {1, 80}}));
        QCOMPARE(table.row_heights, (QMap<int, int>{{0, 20}, {1, 20}}));
        QCOMPARE(table.cells.size(), 1);
        QCOMPARE(table.cells[0].column, 1);
        QCOMPARE(table.cells[0].flags, 2);
        QCOMPARE(table.cells[0].text, QString("{IR1RunningVoltage}"));
        QCOMPARE(table.cells[0].marks[0].type, 8);

        QVERIFY(xml.get_com_type(6, &type));
        QCOMPARE(type, int(ReportXml::kNone));
        QVERIFY(!xml.get_com_type(7, &type));
        QVERIFY(!xml.get_com_type(-1, &type));
    }

    void logo_is_written_beside_the_program_data()
    {
        QTemporaryDir dir;
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        const QByteArray layout = "<Report version=\"1\"><Printer width=\"10\" height=\"10\"/><ReportCom>"
                                  "<ComPic version=\"1\" mark=\"LOGO\" imagebase64=\"" + png.toBase64() + "\"/>"
                                  "<ComPic version=\"1\" mark=\"LOGO\" imagebase64=\"bm90IGFuIGltYWdl\"/>"
                                  "</ReportCom></Report>";
        ReportXml xml(QSize(10, 10));
        xml.set_logo_folder(dir.path());
        QVERIFY(xml.load_file(write_file(dir.filePath("l.xml"), layout)));
        QVERIFY(xml.read_printer());
        QVERIFY(xml.read_com_list());
        int type = 0;
        ReportPicInfo logo;
        QVERIFY(xml.get_com_type(0, &type) && xml.read_com_pic(&logo));
        QVERIFY(logo.logo);
        QCOMPARE(QImage(logo.logo_path).size(), QSize(8, 6));
        ReportPicInfo broken;
        QVERIFY(xml.get_com_type(1, &type) && xml.read_com_pic(&broken));
        QVERIFY(broken.logo);
        QVERIFY(broken.logo_path.isEmpty());
    }

    void refused_files_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<bool>("printer");
        QTest::addColumn<QString>("warning");
        for (const hostile_layouts::Layout& layout : hostile_layouts::all()) {
            QTest::newRow(layout.name) << layout.bytes << false << false << layout.warning;
        }
        QTest::newRow("not well-formed") << QByteArray("<Report version=\"1\"><Printer") << false << false << QString();
        QTest::newRow("version 2") << QByteArray("<Report version=\"2\"/>") << false << false << QString();
        QTest::newRow("no printer") << QByteArray("<Report version=\"1\"><ReportCom/></Report>") << true << false << QString();
        QTest::newRow("printer width 0")
            << QByteArray("<Report version=\"1\"><Printer width=\"0\" height=\"5\"/></Report>") << true << false << QString();
        QTest::newRow("printer height missing")
            << QByteArray("<Report version=\"1\"><Printer width=\"5\"/></Report>") << true << false << QString();
    }
    void refused_files()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, loads);
        QFETCH(bool, printer);
        QFETCH(QString, warning);
        QTemporaryDir dir;
        ReportXml xml(QSize(600, 800));
        if (!warning.isEmpty()) QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
        QCOMPARE(xml.load_file(write_file(dir.filePath("l.xml"), bytes)), loads);
        if (!loads) return;
        QCOMPARE(xml.read_printer(), printer);
        // The ratios stay as they were.
        QCOMPARE(xml.ratio_x(), 1.0f);
        QVERIFY(!xml.read_com_list() || bytes.contains("ReportCom"));
        QVERIFY(!ReportXml(QSize(1, 1)).load_file(dir.filePath("missing.xml")));
    }

    void gb18030_text()
    {
        QCOMPARE(gb18030_to_qstring(QByteArray("\xd6\xd0\xce\xc4")), QString::fromUtf8("中文"));
    }
};

QTEST_MAIN(ReportXmlTest)
#include "report_xml_test.moc"
