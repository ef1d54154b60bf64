// The overview of a zoomed picture: the visible frame for the view's ratios,
// dragging it within the picture, and the margins of a turned picture.
#include "item_events.h"
#include "message_guard.h"
#include "small_frame.h"
#include "views/wnd_ir_thumbnail.h"

#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

class ThumbnailTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_guard.install(); }
    void cleanup() { m_guard.verify(); }

    void thumbnail_frame_and_drag()
    {
        SmallFrame frame(64, 48);
        QVERIFY(frame.doc() != nullptr);
        WndIRThumbnail thumbnail;
        thumbnail.setSize(QSizeF(160, 120));
        thumbnail.set_frame(frame.doc());
        QVERIFY(!thumbnail.update_ir_thumbnail());
        QSignalSpy moved(&thumbnail, &WndIRThumbnail::sig_wnd_assist_move);

        // The whole picture visible: the frame covers it and does not move.
        thumbnail.do_scale(0.0f, 1.0f, 0.0f, 1.0f);
        QCOMPARE(thumbnail.visible_rect(), QRect(0, 0, 159, 119));
        item_events::press(&thumbnail, QPoint(80, 60));
        item_events::move(&thumbnail, QPoint(120, 90));
        item_events::release(&thumbnail, QPoint(120, 90));
        QCOMPARE(moved.count(), 0);

        // Half the width visible: a drag far right stops at 0.5.
        thumbnail.do_scale(0.0f, 0.5f, 0.0f, 0.5f);
        QCOMPARE(thumbnail.visible_rect(), QRect(0, 0, 79, 59));
        item_events::press(&thumbnail, QPoint(40, 30));
        item_events::move(&thumbnail, QPoint(400, 30));
        item_events::release(&thumbnail, QPoint(400, 30));
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.at(0).at(0).toFloat(), 0.5f);
        QCOMPARE(moved.at(0).at(1).toFloat(), 0.0f);
        QCOMPARE(thumbnail.visible_rect().left(), 80);

        // Turned by a quarter, the picture lies between x 35 and width - 35.
        QVERIFY(thermframe_set_rotation_angle(frame.doc(), ROTATION_90));
        QCOMPARE(thumbnail.target_rect(), QRect(35, 0, 90, 120));
        thumbnail.do_scale(0.0f, 1.0f, 0.0f, 1.0f);
        QCOMPARE(thumbnail.visible_rect(), QRect(35, 0, 89, 119));
        // A new picture size is noticed once.
        QVERIFY(thumbnail.update_ir_thumbnail() == false);
        QImage shown(160, 120, QImage::Format_RGB32);
        shown.fill(Qt::black);
        QPainter painter(&shown);
        thumbnail.paint(&painter);
        painter.end();
        QCOMPARE(shown.pixel(10, 60), qRgb(0, 0, 0));
        QVERIFY(shown.pixel(80, 60) != qRgb(0, 0, 0));
    }

private:
    roadtest::MessageGuard m_guard;
};

QTEST_MAIN(ThumbnailTest)
#include "thumbnail_test.moc"
