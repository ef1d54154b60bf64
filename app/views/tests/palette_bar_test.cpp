// The palette bar: strip ranges and level arithmetic within 0..65535, the
// temperature texts, dragging the markers over a real picture, and a
// recording's frames moving the range only while it is automatic.
#include "item_events.h"
#include "message_guard.h"
#include "sources/ir_base.h"
#include "sources/ir_player.h"
#include "thermframe.h"
#include "views/wnd_ir_palette.h"
#include "views/wnd_ir_show.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

class PaletteBarTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }

    void palette_bar_strip_range_data()
    {
        QTest::addColumn<int>("coldest");
        QTest::addColumn<int>("hottest");
        QTest::addColumn<int>("min_range");
        QTest::addColumn<int>("max_range");
        QTest::newRow("widened") << 15000 << 16000 << 14500 << 16500;
        QTest::newRow("clamped at 0") << 1000 << 5000 << 0 << 7000;
        QTest::newRow("clamped at 65535") << 60000 << 65000 << 57500 << 65535;
        QTest::newRow("flat") << 300 << 300 << 300 << 300;
    }

    void palette_bar_strip_range()
    {
        QFETCH(int, coldest);
        QFETCH(int, hottest);
        int lo = -1, hi = -1;
        palette_bar::strip_range(coldest, hottest, lo, hi);
        QTEST(lo, "min_range");
        QTEST(hi, "max_range");
    }

    void palette_bar_levels_stay_in_16_bits()
    {
        int low = 10, high = 400;
        QVERIFY(!palette_bar::shift_levels(low, high, 11));
        QCOMPARE(low, 10);
        QCOMPARE(high, 400);
        QVERIFY(palette_bar::shift_levels(low, high, 10));
        QCOMPARE(low, 0);
        low = 65000;
        high = 65535;
        QVERIFY(!palette_bar::shift_levels(low, high, -1));
        QCOMPARE(palette_bar::level_at(0, 7000, 0, 100), 7000);
        QCOMPARE(palette_bar::level_at(0, 7000, 100, 100), 0);
        QCOMPARE(palette_bar::level_at(0, 65535, 1, 3), 43690);
    }

    void palette_bar_temperature_texts_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("above 100 truncated") << 123.4f << "123";
        QTest::newRow("just below") << 99.9f << "99.9";
        QTest::newRow("negative") << -12.24f << "-12.2";
    }

    void palette_bar_temperature_texts()
    {
        QFETCH(float, value);
        QTEST(palette_bar::temp_text(value), "text");
    }

    void palette_bar_drags_over_a_picture()
    {
        WndIRPalette bar;
        bar.setSize(QSizeF(36, 575));
        QCOMPARE(bar.low_pos(), 0.75f);
        QCOMPARE(bar.high_pos(), 0.25f);

        const QString sample = QDir::current().absoluteFilePath("samples/sample.jpg");
        if (!QFile::exists(sample)) QSKIP("samples were not generated");
        WndIRShow view;
        QVERIFY(view.init_wnd(1));
        view.set_palette_wnd(&bar);
        QVERIFY(view.open_file(sample));
        void* doc = view.source()->get_ir_data();
        QSignalSpy routed(&bar, &WndIRPalette::sig_palette_change_btn);
        bar.update_palette_info();
        QCOMPARE(routed.count(), 1);
        QCOMPARE(routed.at(0).at(0).toBool(), false);
        uint16_t low = 0, high = 0;
        QVERIFY(thermframe_get_imaging_range(doc, low, high));
        QCOMPARE(bar.level(), int(low));
        QCOMPARE(bar.level_span(), int(high));
        QVERIFY(bar.min_range() <= low && high <= bar.max_range());

        // The high marker moves up by 20 pixels and the frame follows.
        const int length = bar.strip_length();
        const int high_y = 25 + static_cast<int>(bar.high_pos() * length);
        item_events::press(&bar, QPoint(18, high_y));
        item_events::move(&bar, QPoint(18, high_y - 20));
        item_events::release(&bar, QPoint(18, high_y - 20));
        QVERIFY(thermframe_get_imaging_range(doc, low, high));
        QCOMPARE(int(high), bar.level_span());
        QCOMPARE(bar.level_span(), palette_bar::level_at(bar.min_range(), bar.max_range(), high_y - 20 - 25, length));

        // Onto the low marker, or to the strip's top row, is refused.
        const int before = bar.level_span();
        const int top_y = 25 + static_cast<int>(bar.high_pos() * length);
        const int low_y = 25 + static_cast<int>(bar.low_pos() * length);
        item_events::press(&bar, QPoint(18, top_y));
        item_events::move(&bar, QPoint(18, low_y - 3));
        item_events::move(&bar, QPoint(18, 25));
        item_events::release(&bar, QPoint(18, 25));
        QCOMPARE(bar.level_span(), before);

        // Dragging the strip between the markers moves both levels.
        const int mid_y = (25 + static_cast<int>(bar.high_pos() * length) + 25 + static_cast<int>(bar.low_pos() * length)) / 2;
        const int level_before = bar.level();
        item_events::press(&bar, QPoint(18, mid_y));
        item_events::move(&bar, QPoint(18, mid_y + 30));
        item_events::release(&bar, QPoint(18, mid_y + 30));
        QVERIFY(bar.level() < level_before);
        QVERIFY(thermframe_get_imaging_range(doc, low, high));
        QCOMPARE(int(low), bar.level());
        QCOMPARE(int(high), bar.level_span());

        // The bottom box switches back to the automatic range.
        item_events::click(&bar, QPoint(18, 575 - 10));
        PaletteType type = PALETTE_TYPE_MANUAL;
        QVERIFY(thermframe_get_palette_type(doc, type));
        QVERIFY(bar.is_auto());
        QVERIFY(type != PALETTE_TYPE_MANUAL);

        // A palette change loads its strip.
        bar.set_color_index(3);
        QCOMPARE(bar.palette(), 3);
        bar.set_color_index(42);
        QCOMPARE(bar.palette(), 3);
    }

    void palette_bar_follows_recording_frames_only_while_automatic()
    {
        const QString sample = QDir::current().absoluteFilePath("samples/sample.irv");
        if (!QFile::exists(sample)) QSKIP("samples were not generated");
        WndIRPalette bar;
        bar.setSize(QSizeF(36, 575));
        WndIRShow view;
        QVERIFY(view.init_wnd(2));
        view.set_palette_wnd(&bar);
        QVERIFY(view.open_file(sample));
        auto* player = qobject_cast<IRPlayer*>(view.source());
        QVERIFY(player != nullptr);
        void* doc = player->get_ir_data();

        // A range set by hand: a frame shown leaves the bar alone even when
        // the frame's range differs; stopping reads the bar anew.
        QVERIFY(thermframe_set_palette_type(doc, PALETTE_TYPE_MANUAL));
        bar.update_palette_info();
        QVERIFY(!bar.is_auto());
        const int low = bar.level();
        const int high = bar.level_span();
        QVERIFY(thermframe_set_imaging_range(doc, uint16_t(low), uint16_t(high - 500)));
        player->slot_update_ctrl_with_frame(10);
        QCOMPARE(bar.level_span(), high);
        QVERIFY(player->stop());
        uint16_t doc_low = 0, doc_high = 0;
        QVERIFY(thermframe_get_imaging_range(doc, doc_low, doc_high));
        QCOMPARE(bar.level_span(), int(doc_high));

        // Automatic, imaged on every frame as a live camera's frames are:
        // every frame shown moves the bar to the frame's range.
        QVERIFY(thermframe_set_palette_type(doc, PALETTE_TYPE_AUTO_EVERY_FRAME));
        bar.update_palette_info();
        QVERIFY(bar.is_auto());
        QVERIFY(thermframe_set_imaging_range(doc, uint16_t(low), uint16_t(high - 700)));
        player->slot_update_ctrl_with_frame(20);
        QCOMPARE(bar.level_span(), high - 700);
    }

private:
    roadtest::MessageGuard m_guard;
};

QTEST_MAIN(PaletteBarTest)
#include "palette_bar_test.moc"
