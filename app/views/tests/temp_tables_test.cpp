// The temperature tables: the buffer index under rotation, cell texts,
// scroll bars of items too small for a track, the full table over a frame,
// and the simplified table's paint thread (square pictures included).
#include "item_events.h"
#include "message_guard.h"
#include "small_frame.h"
#include "thermframe.h"
#include "views/thread_paint_temp.h"
#include "views/wnd_table_ir_temp.h"
#include "views/wnd_table_ir_temp_simplified.h"

#include <QtTest>

#include <cmath>

namespace {

// A source whose frame document is a small frame of the test's own.
class FrameSource : public IRBase {
public:
    explicit FrameSource(void* doc) : IRBase(nullptr), m_doc(doc) {}
    void* get_ir_data() const override { return m_doc; }

private:
    void* m_doc;
};

int lit_pixels(const QImage& image)
{
    int lit = 0;
    const QRgb background = qRgb(7, 16, 23);
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) lit += (line[x] & 0xFFFFFF) != (background & 0xFFFFFF);
    }
    return lit;
}

}  // namespace

class TempTablesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }

    void temp_table_index_under_rotation_data()
    {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("index");
        // A picture shown 4 wide and 3 high.
        QTest::newRow("none") << 0 << 1 << 2 << 6;
        QTest::newRow("90 at the corner") << 1 << 0 << 0 << 9;
        QTest::newRow("90") << 1 << 2 << 1 << 8;
        QTest::newRow("270") << 2 << 0 << 0 << 2;
        QTest::newRow("180") << 3 << 0 << 0 << 11;
        QTest::newRow("180 other") << 4 << 2 << 3 << 0;
    }

    void temp_table_index_under_rotation()
    {
        QFETCH(int, rotation);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, index);
        QCOMPARE(temp_table_index(rotation, 4, 3, row, column), int64_t(index));
    }

    void temp_table_value_texts()
    {
        // 99.95 is just below in floats: one decimal, as below 100.
        QCOMPARE(WndTableIRTemp::value_text(99.95f), QString("99.9"));
        QCOMPARE(WndTableIRTemp::value_text(100.0f), QString("100"));
        QCOMPARE(WndTableIRTemp::value_text(-3.24f), QString("-3.2"));
    }

    void temp_table_scroll_bars_in_small_items()
    {
        // Views shorter than the buttons and thumb, or content that fits
        // exactly, must lay out without dividing by zero.
        for (int length : {10, 84, 85, 120}) {
            TableScrollBar bar;
            bar.content = 500;
            bar.position = 40;
            bar.layout(length, true);
            QVERIFY(bar.thumb >= 0);
            QVERIFY(std::isfinite(bar.ratio));
            bar.thumb_top(length);
            QVERIFY(bar.position >= 0 && bar.position <= std::max(0, bar.overflow()));
        }
        TableScrollBar fits;
        fits.content = 300;
        fits.layout(300, false);
        QCOMPARE(fits.thumb_top(300), 0);
        QVERIFY(!fits.scroll_by(10));
    }

    void temp_table_full_over_a_frame()
    {
        SmallFrame frame(40, 30);
        QVERIFY(frame.doc() != nullptr);
        FrameSource source(frame.doc());
        WndTableIRTemp table;
        table.setSize(QSizeF(500, 400));
        table.bind_source(true, &source);
        table.refresh_now();
        QCOMPARE(table.data_width(), 40);
        QCOMPARE(table.data_height(), 30);
        const std::vector<float> temps = frame.temps();
        QCOMPARE(table.cell_text(2, 3), WndTableIRTemp::value_text(temps[2 * 40 + 3]));
        QVERIFY(table.vertical().needed);
        QVERIFY(table.horizontal().needed);

        // The down button scrolls by 6 pixels, the track below by a page.
        item_events::press(&table, QPoint(495, 375));
        item_events::release(&table, QPoint(495, 375));
        QCOMPARE(table.vertical().position, 6);
        QCOMPARE(table.hit_region(495, 300), int(WndTableIRTemp::kTrackBelow));
        item_events::click(&table, QPoint(495, 300));
        QCOMPARE(table.vertical().position, table.vertical().overflow());
        // The content follows a drag on the table.
        item_events::press(&table, QPoint(200, 200));
        item_events::move(&table, QPoint(150, 230));
        item_events::release(&table, QPoint(150, 230));
        QCOMPARE(table.horizontal().position, 50);
        QCOMPARE(table.vertical().position, table.vertical().overflow() - 30);

        // Rotated, the same cell reads another pixel of the stored picture.
        QVERIFY(thermframe_set_rotation_angle(frame.doc(), ROTATION_90));
        table.refresh_now();
        QCOMPARE(table.data_width(), 30);
        QCOMPARE(table.cell_text(0, 0), WndTableIRTemp::value_text(temps[static_cast<size_t>(
                                            temp_table_index(ROTATION_90, 30, 40, 0, 0))]));

        QVERIFY(thermframe_set_rotation_angle(frame.doc(), ROTATION_NONE));
        // Large enough for everything: no bars, presses beside the cells do nothing.
        WndTableIRTemp whole;
        whole.setSize(QSizeF(40 * 35 + 60, 30 * 20 + 40));
        whole.bind_source(true, &source);
        whole.refresh_now();
        QVERIFY(!whole.vertical().needed && !whole.horizontal().needed);
        item_events::click(&whole, QPoint(int(whole.width()) - 5, 10));
        QCOMPARE(whole.vertical().position, 0);

        // Every fifth tick refreshes.
        table.start_temp_info(5);
        QVERIFY(table.is_refreshing());
        QCOMPARE(table.refresh_interval(), 5);
        table.start_temp_info(0);
        QCOMPARE(table.refresh_interval(), 5);
        table.stop_temp_info();
        QVERIFY(!table.is_refreshing());
    }

    void temp_table_simplified_draws_square_pictures()
    {
        SmallFrame frame(64, 64);
        QVERIFY(frame.doc() != nullptr);
        FrameSource source(frame.doc());
        WndTableIRTempSimplified table;
        table.setSize(QSizeF(640, 640));
        table.bind_source(true, &source);
        table.refresh_now();
        QCOMPARE(table.handed_over(), 1);
        QVERIFY(QTest::qWaitFor([&] { return !table.front().isNull(); }, 10000));
        QCOMPARE(table.front().size(), QSize(640, 640));
        QVERIFY(lit_pixels(table.front()) > 0);
        // A smaller window gets the last frame laid out again for its size.
        table.setSize(QSizeF(300, 200));
        QVERIFY(QTest::qWaitFor([&] { return table.front().size() == QSize(300, 200); }, 10000));
        QVERIFY(lit_pixels(table.front()) > 0);
    }

    // Every number has a cell of its own with empty pixels before the next,
    // whatever the temperatures and the window size; the whole picture is
    // sampled, at most 120 x 90 numbers.
    void temp_table_simplified_numbers_never_touch_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<float>("coldest");
        QTest::addColumn<float>("hottest");
        QTest::addColumn<QSize>("view");
        QTest::newRow("room, default window") << 640 << 512 << 18.4f << 37.9f << QSize(1200, 900);
        QTest::newRow("furnace, small window") << 384 << 288 << -40.0f << 1487.0f << QSize(420, 300);
        QTest::newRow("large picture, large window") << 1280 << 1024 << -9.9f << 125.0f << QSize(2500, 1400);
        QTest::newRow("tiny picture") << 8 << 6 << 20.0f << 21.0f << QSize(1200, 900);
    }
    void temp_table_simplified_numbers_never_touch()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(float, coldest);
        QFETCH(float, hottest);
        QFETCH(QSize, view);
        // Widest and narrowest numbers side by side.
        std::vector<float> temps(static_cast<size_t>(width) * static_cast<size_t>(height));
        for (size_t i = 0; i < temps.size(); ++i) temps[i] = (i / 3) % 2 == 0 ? coldest : hottest;
        const ThreadPaintTemp::Layout layout = ThreadPaintTemp::layout_for(width, height, coldest, hottest, view);
        QVERIFY(layout.columns >= 1 && layout.columns <= 120);
        QVERIFY(layout.rows >= 1 && layout.rows <= 90);
        QVERIFY(layout.columns * layout.pitch_x <= view.width());
        QVERIFY(layout.rows * layout.pitch_y <= view.height());
        // The samples reach the far edges of the picture.
        QVERIFY((layout.columns + 1) * layout.step >= width);
        QVERIFY((layout.rows + 1) * layout.step >= height || layout.rows == 90);
        QImage back(view, QImage::Format_RGB32);
        back.fill(QColor(7, 16, 23));
        ThreadPaintTemp::draw_numbers(back, temps.data(), width, height, layout);
        for (int c = 1; c < layout.columns; ++c) {
            const int start = c * layout.pitch_x;
            QCOMPARE(lit_pixels(back.copy(start - ThreadPaintTemp::kGap, 0, ThreadPaintTemp::kGap, back.height())), 0);
        }
        for (int r = 0; r < layout.rows; ++r) {
            for (int c = 0; c < layout.columns; ++c) {
                QVERIFY2(lit_pixels(back.copy(c * layout.pitch_x, r * layout.pitch_y, layout.pitch_x, layout.pitch_y)) > 0,
                         qPrintable(QString("cell %1, %2 is empty").arg(r).arg(c)));
            }
        }
    }

    void temp_table_paint_thread_quits_while_idle_and_busy()
    {
        std::vector<float> temps(1024 * 768, 25.0f);
        for (int round = 0; round < 20; ++round) {
            ThreadPaintTemp thread;
            thread.start();
            if (round % 2 == 1) thread.hand_over(temps.data(), 1024, 768, QImage());
            thread.quit_and_wait();
            QVERIFY(thread.isFinished());
        }
    }

private:
    roadtest::MessageGuard m_guard;
};

QTEST_MAIN(TempTablesTest)
#include "temp_tables_test.moc"
