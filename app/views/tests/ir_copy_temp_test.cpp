// Temperatures copied as text: the picture block and its matrix (also under
// rotation), an analysis block, the humidity figure and empty lists.
#include "message_guard.h"
#include "small_frame.h"
#include "views/ir_copy_temp.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

namespace {

QString fixed(float value, int decimals) { return QString::asprintf("%.*f", decimals, value); }

// The matrix as the clipboard holds it: "\r\n", then rows of "%.01f\t".
QString matrix(const std::vector<float>& values, int row_width)
{
    QString text = "\r\n";
    for (size_t i = 0; i < values.size(); ++i) {
        text += fixed(values[i], 1) + "\t";
        if ((i + 1) % static_cast<size_t>(row_width) == 0) text += "\r\n";
    }
    return text;
}

}  // namespace

class IRCopyTempTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }

    void copy_temp_matrix_4x2()
    {
        const float values[8] = {1.0f, 2.25f, -3.05f, 100.0f, 5.5f, 6.0f, 7.0f, 8.0f};
        std::string text;
        IRCopyTemp::append_matrix(values, 8, 4, text);
        QCOMPARE(QString::fromStdString(text), QString("\r\n1.0\t2.2\t-3.0\t100.0\t\r\n5.5\t6.0\t7.0\t8.0\t\r\n"));
    }

    void copy_temp_picture_block_and_rotated()
    {
        // The frame library's smallest frames are 3 pixels high.
        SmallFrame frame(4, 3);
        QVERIFY(frame.doc() != nullptr);
        // 0.29 x 100 is 28.999998 in floats: the figure is rounded, not cut.
        QVERIFY(thermframe_set_rel_hum(frame.doc(), 0.29f));
        const std::vector<float> temps = frame.temps();
        float emissivity = 0, distance = 0, env = 0;
        thermframe_get_emiss(frame.doc(), emissivity);
        thermframe_get_dist(frame.doc(), distance);
        thermframe_get_env_temp(frame.doc(), env);
        uint16_t x = 0, y = 0, ad = 0;
        float max = 0, min = 0;
        thermframe_get_max_temp(frame.doc(), x, y, ad, max);
        thermframe_get_min_temp(frame.doc(), x, y, ad, min);
        auto block = [&](const QString& resolution) {
            return "Infrared overall temperature\t\r\nResolution( width, height )\t" + resolution + "\r\n" +
                   "Maximum temperature\t" + fixed(max, 1) + "\r\nMinimum temperature\t" + fixed(min, 1) +
                   "\r\nEmissivity\t" + fixed(emissivity, 2) + "\r\nDistance\t" + fixed(distance, 1) +
                   "m\r\nEnvironment temperature\t" + fixed(env, 1) + "\r\nRelative humidity\t29%\t" +
                   matrix(temps, 4) + "\r\n\r\n\r\n";
        };
        IRCopyTemp copy;
        QCOMPARE(copy.build_text({QString()}, frame.doc()), block("4,3"));
        // Turned by 90 degrees the header shows 3 x 4, but the stored matrix
        // keeps rows of the stored width.
        QVERIFY(thermframe_set_rotation_angle(frame.doc(), ROTATION_90));
        QCOMPARE(copy.build_text({QString()}, frame.doc()), block("3,4"));

        QVERIFY(copy.copy_temp_of_frame({QString()}, frame.doc()));
        QCOMPARE(QGuiApplication::clipboard()->text(), block("3,4"));
        QVERIFY(copy.copy_temp_of_frame({}, frame.doc()));
        QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    }

    void copy_temp_analysis_blocks()
    {
        SmallFrame frame(8, 6);
        void* point = nullptr;
        void* rect = nullptr;
        QVERIFY(thermframe_add_ana(frame.doc(), "P:2,3;-", point));
        QVERIFY(thermframe_add_ana(frame.doc(), "R:1,1;4,3;-", rect));
        QVERIFY(thermframe_ana_set_alias(point, "P1"));
        QVERIFY(thermframe_ana_set_alias(rect, "R1"));
        IRCopyTemp copy;
        const QString text = copy.build_text({"P:2,3;-", "R:1,1;4,3;-", "Z:9,9;-"}, frame.doc());
        const QStringList blocks = text.split("\r\n\r\n\r\n");
        QCOMPARE(blocks.size(), 4);
        // A point: its position and one temperature, none of the three.
        QVERIFY(blocks[0].startsWith("P1\r\nPosition(X,Y)\t2,3\r\nTemperature\t"));
        QVERIFY(!blocks[0].contains("Maximum temperature"));
        QVERIFY(blocks[0].contains("\r\nEmissivity\t"));
        // A rectangle: its size and a matrix four values wide.
        QVERIFY(blocks[1].startsWith("R1\r\n(width, height)\t4,3\r\nMaximum temperature\t"));
        QVERIFY(blocks[1].contains("Average temperature\t"));
        uint32_t count = 12;
        std::vector<float> rect_temps(count);
        QVERIFY(thermframe_ana_get_all_temp(rect, rect_temps.data(), count));
        QCOMPARE(count, 12u);
        QVERIFY(text.contains("%\t" + matrix(rect_temps, 4) + "\r\n\r\n\r\n"));
        // An unknown object adds nothing.
        QCOMPARE(blocks[2], QString());
    }

private:
    roadtest::MessageGuard m_guard;
};

QTEST_MAIN(IRCopyTempTest)
#include "ir_copy_temp_test.moc"
