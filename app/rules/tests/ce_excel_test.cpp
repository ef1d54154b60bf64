// The rule sheet's workbook: what is written is read back cell for cell, the
// format's limits refuse instead of cutting, and another spreadsheet program
// opens the files.
#include "message_guard.h"
#include "rules/ce_excel.h"
#include "rules/xls_reader.h"
#include "rules/xls_writer.h"

#include <QProcess>
#include <QtEndian>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class CEexcelTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }
    void sheet_round_trip_keeps_texts();
    void sheet_long_texts_span_records();
    void sheet_limits_refuse_without_cutting();
    void sheet_short_rows_are_padded_and_one_cell_reads_empty();
    void sheet_failed_save_reports_and_leaves_nothing();
    void sheet_garbage_is_no_workbook();
    void sheet_directory_names_longer_than_their_field();
    void sheet_opens_in_office_suite();

private:
    roadtest::MessageGuard m_guard;
    QTemporaryDir m_dir;
};

void CEexcelTest::sheet_round_trip_keeps_texts()
{
    const QStringList texts = {QStringLiteral("0"), QStringLiteral("007"), QStringLiteral("变压器 套管 ℃"),
                               QStringLiteral("O'Brien \"x\"\r\nline"), QStringLiteral("[{\"a\":\"b\"}]"),
                               QString(QChar(0x1F525)) + QStringLiteral("𝄞")};
    CEexcel excel;
    QVERIFY(excel.create_workbook());
    excel.select_sheet(1);
    for (int i = 0; i < texts.size(); ++i) {
        QVERIFY(excel.set_cell_text(1, i + 1, texts[i]));
        QVERIFY(excel.set_cell_text(2, i + 1, texts[texts.size() - 1 - i]));
    }
    const QString path = m_dir.filePath(QStringLiteral("round.xls"));
    QVERIFY(excel.save_as(path));

    QVERIFY(excel.open_workbook(path));
    QCOMPARE(excel.get_sheet_count(), 1);
    QList<QStringList> rows{{QStringLiteral("kept")}};
    excel.read_sheet(1, rows);
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0], QStringList{QStringLiteral("kept")});
    QCOMPARE(rows[1], texts);
    QStringList reversed(texts.rbegin(), texts.rend());
    QCOMPARE(rows[2], reversed);
    QList<QStringList> none;
    excel.read_sheet(2, none);
    QVERIFY(none.isEmpty());
}

void CEexcelTest::sheet_long_texts_span_records()
{
    // Texts of a cell's full length and many of them make the shared string
    // table go on in continuation records, also in the middle of a text.
    XlsWriter writer;
    const QString longest(XlsWriter::kMaxTextLength, QChar(0x6C34));
    QVERIFY(writer.set_text(0, 0, longest));
    QStringList column;
    for (int i = 0; i < 3000; ++i) {
        column << QStringLiteral("规则%1").arg(i) +
                      (i % 1000 == 500 ? QString(XlsWriter::kMaxTextLength - 10, QChar(0x706B + i % 3))
                                       : QString(i % 7, QLatin1Char('x')));
        QVERIFY(writer.set_text(i + 1, 1, column.last()));
    }
    const QString path = m_dir.filePath(QStringLiteral("long.xls"));
    QVERIFY(writer.save(path));
    XlsReader reader;
    QVERIFY(reader.open(path));
    QList<QStringList> rows;
    QVERIFY(reader.read_sheet(0, rows));
    QCOMPARE(rows.size(), 3001);
    QCOMPARE(rows[0][0], longest);
    QCOMPARE(rows[0][1], QString());
    for (int i = 0; i < column.size(); ++i) {
        QCOMPARE(rows[i + 1][1], column[i]);
    }
}

void CEexcelTest::sheet_limits_refuse_without_cutting()
{
    CEexcel excel;
    QVERIFY(!excel.set_cell_text(1, 1, QStringLiteral("no workbook")));
    QVERIFY(excel.create_workbook());
    excel.select_sheet(1);
    QVERIFY(excel.set_cell_text(1, 1, QStringLiteral("kept")));
    struct Case {
        int row;
        int column;
        int length;
        bool accepted;
    };
    const Case cases[] = {{XlsWriter::kMaxRows, 256, 1, true},  {XlsWriter::kMaxRows + 1, 1, 1, false},
                          {1, 257, 1, false},                   {0, 1, 1, false},
                          {1, 0, 1, false},                     {1, 1, XlsWriter::kMaxTextLength + 1, false},
                          {2, 2, XlsWriter::kMaxTextLength, true}};
    for (const Case& c : cases) {
        if (!c.accepted) {
            m_guard.expect(QRegularExpression(QStringLiteral("sheet (cell outside|text longer)")));
        }
        QCOMPARE(excel.set_cell_text(c.row, c.column, QString(c.length, QLatin1Char('z'))), c.accepted);
    }
    const QString path = m_dir.filePath(QStringLiteral("limits.xls"));
    QVERIFY(excel.save_as(path));
    QVERIFY(excel.open_workbook(path));
    QList<QStringList> rows;
    excel.read_sheet(1, rows);
    QCOMPARE(rows.size(), XlsWriter::kMaxRows);
    QCOMPARE(rows[0].size(), 256);
    QCOMPARE(rows[0][0], QStringLiteral("kept"));
    QCOMPARE(rows[1][1].size(), XlsWriter::kMaxTextLength);
    QCOMPARE(rows.last().last(), QStringLiteral("z"));
}

void CEexcelTest::sheet_short_rows_are_padded_and_one_cell_reads_empty()
{
    XlsWriter writer;
    QVERIFY(writer.set_text(0, 0, QStringLiteral("a")));
    QVERIFY(writer.set_text(1, 3, QStringLiteral("d")));
    const QString path = m_dir.filePath(QStringLiteral("short.xls"));
    QVERIFY(writer.save(path));
    XlsReader reader;
    QVERIFY(reader.open(path));
    QList<QStringList> rows;
    QVERIFY(reader.read_sheet(0, rows));
    QCOMPARE(rows, (QList<QStringList>{{"a", "", "", ""}, {"", "", "", "d"}}));

    XlsWriter single;
    QVERIFY(single.set_text(0, 0, QStringLiteral("only")));
    QVERIFY(single.save(path));
    QVERIFY(reader.open(path));
    rows.clear();
    QVERIFY(reader.read_sheet(0, rows));
    QVERIFY(rows.isEmpty());
}

void CEexcelTest::sheet_failed_save_reports_and_leaves_nothing()
{
    CEexcel excel;
    QVERIFY(!excel.save_as(m_dir.filePath(QStringLiteral("none.xls"))));
    QVERIFY(excel.create_workbook());
    excel.select_sheet(1);
    QVERIFY(excel.set_cell_text(1, 1, QStringLiteral("x")));
    const QString path = m_dir.filePath(QStringLiteral("missing/folder/s.xls"));
    m_guard.expect(QRegularExpression(QStringLiteral("cannot write the sheet")));
    QVERIFY(!excel.save_as(path));
    QVERIFY(!QFile::exists(path));
}

void CEexcelTest::sheet_garbage_is_no_workbook()
{
    const QString path = m_dir.filePath(QStringLiteral("garbage.xls"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(5000, 'G'));
    file.close();
    CEexcel excel;
    m_guard.expect(QRegularExpression(QStringLiteral("cannot read the workbook")));
    QVERIFY(!excel.open_workbook(path));
    QCOMPARE(excel.get_sheet_count(), 0);
    QList<QStringList> rows;
    excel.read_sheet(1, rows);
    QVERIFY(rows.isEmpty());
}

// Every directory entry of the compound file claims a name longer than the
// 64 bytes its field holds: the file is refused, and nothing reads past a
// buffer on the way (the sanitizer watches the name conversions).
void CEexcelTest::sheet_directory_names_longer_than_their_field()
{
    XlsWriter writer;
    QVERIFY(writer.set_text(0, 0, QStringLiteral("名称")) && writer.set_text(1, 1, QStringLiteral("x")));
    QByteArray bytes;
    QVERIFY(writer.file_bytes(bytes));
    const int sector = 1 << qFromLittleEndian<quint16>(bytes.constData() + 30);
    const qint64 directory = (qint64(qFromLittleEndian<quint32>(bytes.constData() + 48)) + 1) * sector;
    QVERIFY(directory + sector <= bytes.size());
    for (int entry = 0; entry < sector / 128; ++entry) {
        qToLittleEndian<quint16>(0x4000, bytes.data() + directory + entry * 128 + 64);
    }
    const QString path = m_dir.filePath(QStringLiteral("long_names.xls"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    XlsReader reader;
    m_guard.expect(QRegularExpression(QStringLiteral("cannot read the workbook.*no workbook stream")));
    QVERIFY(!reader.open(path));
}

void CEexcelTest::sheet_opens_in_office_suite()
{
    const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    // soffice may be there with the word processor alone.
    if (office.isEmpty() ||
        !QFileInfo::exists(QFileInfo(QFileInfo(office).canonicalFilePath()).dir().filePath("libsclo.so"))) {
        QSKIP("soffice with its spreadsheet is not installed");
    }
    XlsWriter writer;
    const QList<QStringList> cells = {{"版本", "适用专业", "设备类型"}, {"0", "007", "变压器,套管"}};
    for (int r = 0; r < cells.size(); ++r) {
        for (int c = 0; c < cells[r].size(); ++c) {
            QVERIFY(writer.set_text(r, c, cells[r][c]));
        }
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("office.xls"));
    QVERIFY(writer.save(path));
    QProcess process;
    process.setWorkingDirectory(dir.path());
    // Its own profile folder, so that the conversion never meets a running
    // instance or the user's settings. Filter 76 writes UTF-8.
    process.start(office, {QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
                           QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                           QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), QStringLiteral("--outdir"),
                           dir.path(), path});
    QVERIFY(process.waitForFinished(120000));
    QFile csv(dir.filePath(QStringLiteral("office.csv")));
    QVERIFY2(csv.open(QIODevice::ReadOnly), qPrintable(process.readAllStandardError()));
    const QString text = QString::fromUtf8(csv.readAll());
    QCOMPARE(text.trimmed().split(QLatin1Char('\n')).size(), 2);
    QVERIFY2(text.startsWith(QStringLiteral("版本,适用专业,设备类型")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("0,007,\"变压器,套管\"")), qPrintable(text));
}

QTEST_GUILESS_MAIN(CEexcelTest)
#include "ce_excel_test.moc"
