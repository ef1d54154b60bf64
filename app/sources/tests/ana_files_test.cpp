// Analysis strings and the analysis-info file: nodes, rescaling, splitting,
// formatting, the zoom crop, and the file's round trip, truncation and
// identity against the frame document's own analysis-object file.
#include "message_guard.h"
#include "picfold.h"
#include "sources/ana_info_file.h"
#include "sources/ana_string.h"
#include "sources/ir_image.h"
#include "test_folders.h"
#include "thermframe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Two-digit coordinates: 150 nodes still fit the 1023 characters of one
// analysis string.
std::string polygon_of(int nodes, int step, int range = 90)
{
    std::string text = "A:";
    for (int i = 0; i < nodes; ++i) {
        text += std::to_string(10 + (i * step) % range) + "," + std::to_string(10 + (i * 7) % range) + ";";
    }
    return text + "-";
}

QString sample(const char* name) { return QDir::current().absoluteFilePath(QString("samples/") + name); }

}  // namespace

class AnaFilesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }

    void rescale_table_data();
    void rescale_table();
    void split_keeps_long_polygons_whole();
    void format_node_counts_data();
    void format_node_counts();
    void zoom_crop_maps_rectangle();
    void info_file_round_trip_and_truncation();
    void info_file_and_frame_file_refuse_each_other();
    void info_file_loads_rescaled_into_picture();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
    QTemporaryDir m_dir;
};

void AnaFilesTest::rescale_table_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<float>("sx");
    QTest::addColumn<float>("sy");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("out");
    QTest::newRow("double") << "R:10,20;30,41;-R1" << 2.0f << 2.0f << true << "R:20,40;60,82;-";
    QTest::newRow("truncated") << "L:3,3;5,5;-" << 0.5f << 0.5f << true << "L:1,1;2,2;-";
    QTest::newRow("detection rule 384x288") << "P:100,100;-" << 0.6f << 0.6f << true << "P:60,60;-";
    QTest::newRow("tiny factor refused") << "P:1,1;-" << 0.00001f << 1.0f << false << "";
    QTest::newRow("unknown letter refused") << "X:1,1;-" << 1.0f << 1.0f << false << "";
    QTest::newRow("beyond 16 bits refused") << "P:40000,1;-" << 2.0f << 1.0f << false << "";
    QTest::newRow("no nodes refused") << "R:-" << 1.0f << 1.0f << false << "";
}

void AnaFilesTest::rescale_table()
{
    QFETCH(QString, in);
    QFETCH(float, sx);
    QFETCH(float, sy);
    QFETCH(bool, ok);
    QFETCH(QString, out);
    std::string result = "untouched";
    QCOMPARE(ana_string::rescale(in.toStdString(), result, sx, sy), ok);
    QCOMPARE(QString::fromStdString(result), ok ? out : QString("untouched"));
}

void AnaFilesTest::split_keeps_long_polygons_whole()
{
    // 150 nodes make a string of several hundred characters: far beyond a
    // 128-byte piece buffer.
    const std::string big = polygon_of(150, 37);
    QVERIFY(big.size() > 800);
    std::vector<std::string> parts;
    QVERIFY(ana_string::split("P:1,2;-" + big + "L:1,1;9,9;-", parts));
    QCOMPARE(parts.size(), size_t(3));
    QCOMPARE(parts[1], big);
    std::string doubled;
    QVERIFY(ana_string::rescale(big, doubled, 1.0f, 1.0f));
    QCOMPARE(doubled, big);
    QVERIFY(!ana_string::split("P:1,2;-Q:", parts));
}

void AnaFilesTest::format_node_counts_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("nodes");
    QTest::addColumn<bool>("ok");
    QTest::newRow("point 1") << int(ANA_POINT) << 1 << true;
    QTest::newRow("point 2") << int(ANA_POINT) << 2 << false;
    QTest::newRow("line 2") << int(ANA_LINE) << 2 << true;
    QTest::newRow("rect 3") << int(ANA_RECT) << 3 << false;
    QTest::newRow("polygon 150") << int(ANA_POLYGON) << 150 << true;
    QTest::newRow("polyline 151") << int(ANA_POLYLINE) << 151 << false;
    QTest::newRow("polygon 1") << int(ANA_POLYGON) << 1 << false;
    QTest::newRow("unknown kind") << 60 << 1 << false;
}

void AnaFilesTest::format_node_counts()
{
    QFETCH(int, type);
    QFETCH(int, nodes);
    QFETCH(bool, ok);
    std::vector<tagVYPoint> points(static_cast<size_t>(nodes), tagVYPoint{3, 4});
    std::string out;
    QCOMPARE(ana_string::format(static_cast<AnaType>(type), points, out), ok);
    if (ok && type == ANA_POINT) QCOMPARE(out, std::string("P:3,4;-"));
}

void AnaFilesTest::zoom_crop_maps_rectangle()
{
    float scale = 0.0f;
    int dx = -1, dy = -1;
    ana_string::zoom_crop(384, 288, 2, scale, dx, dy);
    std::vector<tagVYPoint> nodes;
    QVERIFY(ana_string::parse_nodes("R:100,80;150,120;-", nodes));
    for (tagVYPoint& n : nodes) {
        n.x = static_cast<uint16_t>((n.x - dx) * scale);
        n.y = static_cast<uint16_t>((n.y - dy) * scale);
    }
    std::string out;
    QVERIFY(ana_string::format(ANA_RECT, nodes, out));
    QCOMPARE(out, std::string("R:8,16;108,96;-"));
    ana_string::zoom_crop(640, 480, 3, scale, dx, dy);
    QCOMPARE(scale, 1.0f);
    QCOMPARE(dx, 0);
}

void AnaFilesTest::info_file_round_trip_and_truncation()
{
    AnaInfoFile file;
    file.width = 320;
    file.height = 240;
    AnaInfoRecord a;
    a.str = polygon_of(150, 13);
    a.alias = "polygon of 150";
    a.line_clr = 0x00112233;
    a.text_type = 7;
    a.self_para = true;
    a.emissivity = 0.61f;
    a.distance = 7.5f;
    a.self_palette = true;
    a.palette = 4;
    a.palette_low = 1000;
    a.palette_high = 9000;
    AnaInfoRecord b;
    b.str = "P:5,6;-";
    b.alias = std::string(150, 'x');  // longer than its field: cut, not overrun
    file.records = {a, b};
    const QString path = m_dir.filePath("round.ana");
    QVERIFY(ana_info_file::write(path, file));
    QCOMPARE(QFileInfo(path).size(), qint64(28 + 2 * 2172));

    AnaInfoFile back;
    QVERIFY(ana_info_file::read(path, back));
    QCOMPARE(back.width, uint16_t(320));
    QCOMPARE(back.records.size(), size_t(2));
    QCOMPARE(back.records[0].str, a.str);
    QCOMPARE(back.records[0].alias, a.alias);
    QCOMPARE(back.records[0].line_clr, a.line_clr);
    QCOMPARE(int(back.records[0].text_type), 7);
    QCOMPARE(back.records[0].emissivity, 0.61f);
    QCOMPARE(back.records[0].distance, 7.5f);
    QCOMPARE(int(back.records[0].palette), 4);
    QCOMPARE(back.records[0].palette_high, uint16_t(9000));
    QCOMPARE(back.records[1].alias, std::string(99, 'x'));

    // A file cut inside its second record keeps the first.
    QFile cut(path);
    QVERIFY(cut.resize(28 + 2172 + 100));
    QVERIFY(ana_info_file::read(path, back));
    QCOMPARE(back.records.size(), size_t(1));
    // A header alone, or less, or a zero picture size.
    QVERIFY(cut.resize(27));
    QVERIFY(!ana_info_file::read(path, back));
    QVERIFY(!ana_info_file::read(m_dir.filePath("missing.ana"), back));
}

void AnaFilesTest::info_file_and_frame_file_refuse_each_other()
{
    if (!QFile::exists(sample("sample.jpg"))) QSKIP("samples were not generated");
    void* h = nullptr;
    QVERIFY(picfold_init(h));
    QVERIFY(picfold_load_file_w(h, sample("sample.jpg").toStdWString(), true));
    void* doc = nullptr;
    QVERIFY(picfold_get_ir_data(h, doc));
    const QString theirs = m_dir.filePath("frame.anas");
    QVERIFY(thermframe_save_anas_to_file(doc, theirs.toStdString()));
    AnaInfoFile file;
    QVERIFY(!ana_info_file::read(theirs, file));

    AnaInfoFile ours;
    ours.width = 640;
    ours.height = 512;
    AnaInfoRecord r;
    r.str = "P:1,1;-";
    ours.records = {r};
    const QString mine = m_dir.filePath("info.ana");
    QVERIFY(ana_info_file::write(mine, ours));
    int32_t before = 0, after = 0;
    thermframe_get_anas_count(doc, ANA_ALL, before);
    QVERIFY(!thermframe_load_anas_from_file(doc, mine.toStdString()));
    thermframe_get_anas_count(doc, ANA_ALL, after);
    QCOMPARE(after, before);
    picfold_uninit(h);
}

void AnaFilesTest::info_file_loads_rescaled_into_picture()
{
    if (!QFile::exists(sample("sample.jpg"))) QSKIP("samples were not generated");
    IRImage source(nullptr);
    QVERIFY(source.open_file(sample("sample.jpg")));
    void* doc = source.get_ir_data();
    // Written at 320 x 256, loaded into the 640 x 512 picture: doubled.
    AnaInfoFile file;
    file.width = 320;
    file.height = 256;
    AnaInfoRecord rect;
    rect.str = "R:10,20;100,120;-";
    rect.alias = "moved";
    AnaInfoRecord poly;
    poly.str = polygon_of(150, 3, 40);  // still two digits when doubled
    poly.alias = "big";
    file.records = {rect, poly};
    const QString path = m_dir.filePath("scaled.ana");
    QVERIFY(ana_info_file::write(path, file));
    QVERIFY(source.delete_all_ana());
    QVERIFY(source.load_ana_info_from_file(path));
    void* ana = nullptr;
    QVERIFY(thermframe_get_ana_handle_from_alias(doc, "moved", ana));
    std::vector<tagVYPoint> nodes;
    QVERIFY(thermframe_ana_get_node(ana, nodes));
    QCOMPARE(int(nodes[1].x), 200);
    QCOMPARE(int(nodes[1].y), 240);
    QVERIFY(thermframe_get_ana_handle_from_alias(doc, "big", ana));
    QVERIFY(thermframe_ana_get_node(ana, nodes));
    QCOMPARE(nodes.size(), size_t(150));

    // Loading again moves the objects of the same alias instead of doubling them.
    QVERIFY(source.load_ana_info_from_file(path));
    int32_t count = 0;
    QVERIFY(thermframe_get_anas_count(doc, ANA_ALL, count));
    QCOMPARE(count, 2);

    // Saving and loading the picture's objects at its own size keeps them.
    const QString again = m_dir.filePath("again.ana");
    QVERIFY(source.save_ana_info_to_file(again));
    AnaInfoFile back;
    QVERIFY(ana_info_file::read(again, back));
    QCOMPARE(back.width, uint16_t(640));
    QCOMPARE(back.records.size(), size_t(2));
    QVERIFY(source.delete_all_ana());
    QVERIFY(!source.save_ana_info_to_file(m_dir.filePath("empty.ana")));
    QVERIFY(!QFile::exists(m_dir.filePath("empty.ana")));
}

QTEST_MAIN(AnaFilesTest)
#include "ana_files_test.moc"
