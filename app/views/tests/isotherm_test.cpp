// The isotherm file and editor: round trip, refused files that keep the
// bands shown, the axis's round steps, clamping of bands and the actions of
// the editor's buttons.
#include "item_events.h"
#include "message_guard.h"
#include "sources/ir_base.h"
#include "thermframe.h"
#include "views/isotherm_axis.h"
#include "views/isotherm_file.h"
#include "views/wnd_ir_isotherm.h"
#include "views/wnd_ir_show.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

QByteArray u32(uint32_t v)
{
    QByteArray out;
    for (int i = 0; i < 4; ++i) out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    return out;
}

QByteArray f32(float f)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &f, 4);
    return u32(bits);
}

QByteArray header(uint32_t version, uint32_t count)
{
    return u32(IsothermFile::kMagic1) + u32(IsothermFile::kMagic2) + u32(version) + u32(count);
}

QByteArray band(float low, float span, char flag, uint32_t colour)
{
    return f32(low) + f32(span) + QByteArray(1, flag) + u32(colour);
}

bool write_file(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

int32_t frame_band_count(void* doc)
{
    int32_t count = -1;
    thermframe_isotherm_get_count(doc, count);
    return count;
}

}  // namespace

class IsothermTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        QVERIFY(m_dir.isValid());
    }
    void cleanup() { m_guard.verify(); }

    void isotherm_file_round_trip_and_sizes()
    {
        const QString path = m_dir.filePath("one.is");
        const std::vector<IsothermFileBand> one{{12.0f, 2.0f, false, 0x02F1FF}};
        QVERIFY(IsothermFile::write(path, one));
        QCOMPARE(QFileInfo(path).size(), 29);
        std::vector<IsothermFileBand> read;
        QVERIFY(IsothermFile::read(path, read));
        QCOMPARE(read.size(), size_t(1));
        QCOMPARE(read[0].low, 12.0f);
        QCOMPARE(read[0].span, 2.0f);
        QCOMPARE(read[0].transparent, false);
        QCOMPARE(read[0].colour, 0x02F1FFu);
        QCOMPARE(IsothermFile::serialise(one).left(8), QByteArray::fromHex("35CC8ED67E405F7B"));

        QVERIFY(IsothermFile::write(m_dir.filePath("none.is"), {}));
        QCOMPARE(QFileInfo(m_dir.filePath("none.is")).size(), 16);
    }

    void isotherm_file_refusals_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = band(10.0f, 2.0f, 0, 0xFF0000);
        QTest::newRow("short header") << header(1, 0).left(12);
        QTest::newRow("wrong magic") << (u32(1) + header(1, 1).mid(4) + good);
        QTest::newRow("version 2") << (header(2, 1) + good);
        QTest::newRow("truncated band") << (header(1, 2) + good + good.left(7));
        QTest::newRow("huge count") << (header(1, 0xFFFFFFFFu) + good);
        QTest::newRow("count past the bands") << (header(1, 3) + good + good);
        QTest::newRow("NaN low") << (header(1, 1) + band(std::numeric_limits<float>::quiet_NaN(), 2.0f, 0, 0));
        QTest::newRow("infinite span") << (header(1, 1) + band(1.0f, std::numeric_limits<float>::infinity(), 0, 0));
        QTest::newRow("flag 7") << (header(1, 1) + band(1.0f, 2.0f, 7, 0));
    }

    void isotherm_file_refusals()
    {
        QFETCH(QByteArray, bytes);
        std::vector<IsothermFileBand> kept{{1.0f, 1.0f, true, 1}};
        QString error;
        QVERIFY(!IsothermFile::parse(bytes, kept, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(kept.size(), size_t(1));
    }

    void isotherm_axis_steps_data()
    {
        QTest::addColumn<float>("min");
        QTest::addColumn<float>("max");
        QTest::addColumn<int>("length");
        QTest::addColumn<float>("step");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<QString>("first_label");
        QTest::newRow("initial") << -1.0f << 56.0f << 600 << 5.0f << 52 << "0";
        // A minimum above 0 starts the labels one step above it.
        QTest::newRow("tenths") << 20.0f << 21.0f << 500 << 0.2f << 100 << "20.2";
        QTest::newRow("hundreds") << 0.0f << 2000.0f << 800 << 100.0f << 40 << "0";
        QTest::newRow("negative") << -45.5f << -20.0f << 400 << 5.0f << 78 << "-45";
    }

    void isotherm_axis_steps()
    {
        QFETCH(float, min);
        QFETCH(float, max);
        QFETCH(int, length);
        QFETCH(float, step);
        QFETCH(int, pixels);
        QFETCH(QString, first_label);
        IsothermAxis axis;
        axis.min = min;
        axis.max = max;
        QVERIFY(axis.layout(length));
        QCOMPARE(axis.step, step);
        QCOMPARE(axis.px_per_step, pixels);
        QVERIFY(!axis.labels.empty());
        QCOMPARE(axis.labels.front().text, first_label);
    }

    void isotherm_axis_refuses_nonsense()
    {
        IsothermAxis axis;
        axis.max = std::numeric_limits<float>::quiet_NaN();
        QVERIFY(!axis.layout(600));
        axis.max = axis.min;
        QVERIFY(!axis.layout(600));
        axis.max = std::numeric_limits<float>::infinity();
        QVERIFY(!axis.layout(600));
        axis.min = -1e30f;
        axis.max = 1e30f;
        QVERIFY(axis.layout(600));
    }

    void isotherm_band_clamps()
    {
        IsothermAxis axis;
        QVERIFY(axis.layout(590));
        IsothermBand below;
        below.low = -5.0f;
        below.span = 10.0f;
        axis.place(below);
        QCOMPARE(below.low, -1.0f);
        QCOMPARE(below.span, 6.0f);
        QCOMPARE(below.px_start, 0);
        IsothermBand past;
        past.low = 60.0f;
        past.span = 0.05f;
        axis.place(past);
        QCOMPARE(past.low, 56.0f - kIsothermMinSpan);
        QCOMPARE(past.span, kIsothermMinSpan);
        QVERIFY(past.px_end - past.px_start >= 4);
    }

    void isotherm_editor_on_a_picture()
    {
        const QString sample = QDir::current().absoluteFilePath("samples/sample.jpg");
        if (!QFile::exists(sample)) QSKIP("samples were not generated");
        WndIRShow view;
        QVERIFY(view.init_wnd(1));
        WndIRIsotherm editor;
        editor.setSize(QSizeF(700, 75));
        view.set_wnd_isotherm(&editor);
        QVERIFY(view.open_file(sample));
        void* doc = view.source()->get_ir_data();
        thermframe_isotherm_delete_all(doc);

        // New bands are placed above the last one, in the colours in turn.
        QVERIFY(editor.run_action(WndIRIsotherm::kAdd));
        QVERIFY(editor.run_action(WndIRIsotherm::kAdd));
        QCOMPARE(editor.band_count(), 2);
        QCOMPARE(frame_band_count(doc), 2);
        const IsothermBand& first = *editor.bands()[0];
        const IsothermBand& second = *editor.bands()[1];
        QCOMPARE(second.low, first.low + first.span + 1.0f);
        QCOMPARE(first.colour, WndIRIsotherm::kBandColours[0]);
        QCOMPARE(second.colour, WndIRIsotherm::kBandColours[1]);

        // A range backwards gives the narrowest band at its start.
        item_events::click(&editor, QPoint((second.px_start + second.px_end) / 2 + 5, editor.band_row().center().y()));
        QCOMPARE(editor.cur_band_id(), second.id);
        QVERIFY(editor.change_cur_item_range(30.0f, 25.0f));
        QCOMPARE(second.low, 30.0f);
        QCOMPARE(second.span, kIsothermMinSpan);
        QVERIFY(!editor.change_cur_item_range(std::numeric_limits<float>::quiet_NaN(), 1.0f));
        // A band ending past the axis widens it.
        const float old_max = editor.axis().max;
        QVERIFY(editor.change_cur_item_range(old_max + 5.0f, old_max + 8.0f));
        QCOMPARE(editor.axis().max, old_max + 8.0f);
        // Its fields hold "125.6" between their arrows, side by side.
        QVERIFY(editor.change_cur_item_range(120.0f, 125.6f));
        QFont field_font;
        field_font.setPixelSize(10);
        const QRect max_field = editor.field_rect(true);
        QVERIFY(max_field.width() - 14 >= QFontMetrics(field_font).horizontalAdvance("125.6"));
        QVERIFY(editor.field_rect(false).right() < max_field.left());

        // Save, then refused imports keep both bands, a good one replaces them.
        const QString saved = m_dir.filePath("two.is");
        QVERIFY(editor.save_to(QUrl::fromLocalFile(saved).toString()));
        QCOMPARE(QFileInfo(saved).size(), 16 + 2 * 13);
        const QString bad = m_dir.filePath("bad.is");
        QVERIFY(write_file(bad, header(1, 1000) + band(1, 1, 0, 0)));
        m_guard.expect(QRegularExpression("isotherm file refused"));
        QVERIFY(!editor.import_to(bad));
        QVERIFY(write_file(bad, header(1, 1) + band(std::nanf(""), 1, 0, 0)));
        m_guard.expect(QRegularExpression("isotherm file refused"));
        QVERIFY(!editor.import_to(bad));
        QCOMPARE(editor.band_count(), 2);
        QCOMPARE(frame_band_count(doc), 2);
        QVERIFY(write_file(bad, header(1, 1) + band(20.0f, 3.0f, 1, 0x123456)));
        QVERIFY(editor.import_to(bad));
        QCOMPARE(editor.band_count(), 1);
        QCOMPARE(frame_band_count(doc), 1);
        QCOMPARE(editor.bands()[0]->colour, 0x123456u);
        QVERIFY(editor.bands()[0]->transparent);
        QVERIFY(editor.import_to(saved));
        QCOMPARE(editor.band_count(), 2);

        // The start edge dragged below the axis: the band keeps its end.
        {
            const IsothermBand& band = *editor.bands()[0];
            const float end = band.low + band.span;
            const int row_y = editor.band_row().center().y();
            item_events::press(&editor, QPoint(band.px_start + 5, row_y));
            item_events::move(&editor, QPoint(2, row_y));
            item_events::release(&editor, QPoint(2, row_y));
            QCOMPARE(band.low, editor.axis().min);
            QCOMPARE(band.low + band.span, end);
            QVERIFY(band.px_end - band.px_start >= 4);
        }

        // Axis arrows: one press changes the end by the repeat factor.
        const float min_before = editor.axis().min;
        QVERIFY(editor.run_action(WndIRIsotherm::kAxisMinDown));
        QCOMPARE(editor.axis().min, min_before - 1.0f);

        // The save button offers nothing to save without bands.
        QVERIFY(editor.delete_all_isotherm());
        QCOMPARE(frame_band_count(doc), 0);
        QSignalSpy save(&editor, &WndIRIsotherm::sig_save_isotherm);
        editor.run_action(WndIRIsotherm::kSave);
        QCOMPARE(save.count(), 0);
    }

private:
    QTemporaryDir m_dir;
    roadtest::MessageGuard m_guard;
};

QTEST_MAIN(IsothermTest)
#include "isotherm_test.moc"
