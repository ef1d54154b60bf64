// The designer item driven by mouse events in an offscreen window: adding
// every kind of component, moving, resizing, the rubber band and aligning,
// the scroll bars at their edges, the layout files through a temporary file
// and the component ids the QML hands back.
#include "fake_report_picture.h"
#include "message_guard.h"
#include "recording_word_writer.h"
#include "road_window.h"
#include "reports/report_com_image.h"
#include "reports/report_com_table.h"
#include "reports/report_com_text.h"
#include "reports/wnd_report_client.h"
#include "shell/qml_registration.h"

#include <QDesktopServices>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <unistd.h>

namespace {

// A designer item in an offscreen window with pages of a known size.
struct Designer {
    QQuickWindow window;
    WndReportClient* item = nullptr;
    std::shared_ptr<FakePictureData> picture = std::make_shared<FakePictureData>();

    explicit Designer(const QSize& size = QSize(600, 400), int pages = 1, const QSize& page = QSize(400, 500))
    {
        item = new WndReportClient(window.contentItem());
        ReportData* data = item->document();
        data->set_page_size(page.width(), page.height());
        data->clear_all();
        for (int i = 0; i < pages; ++i) data->add_page();
        auto shared = picture;
        data->set_picture_factory([shared] { return std::make_unique<FakeReportPicture>(shared); });
        item->edit_tool().set_dpi(96);
        window.resize(size);
        resize(size);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    void resize(const QSize& size) { item->setSize(QSizeF(size)); }
    ReportData* data() const { return item->document(); }
    // An item point of a page point on the first page.
    QPoint at(int x, int y) const { return data()->pages().at(0)->view_rect().topLeft() + QPoint(x, y); }
    QPoint at(const QPoint& page_point) const { return at(page_point.x(), page_point.y()); }
    void drag(const QPoint& from, const QPoint& to)
    {
        QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, from);
        const QPoint step = (to - from) / 4;
        for (int i = 1; i < 4; ++i) QTest::mouseMove(&window, from + step * i);
        QTest::mouseMove(&window, to);
        QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, to);
    }
    ReportComBase* add(int type, const QRect& rect) const
    {
        return data()->add_com(0, type, rect.x(), rect.y(), rect.width(), rect.height());
    }
    // The item point of a resize handle of a selected component.
    QPoint handle_point(ReportComBase* com, int code) const
    {
        const QRect around = com->rect().adjusted(-12, -12, 12, 12);
        for (int y = around.top(); y <= around.bottom(); ++y) {
            for (int x = around.left(); x <= around.right(); ++x) {
                const QPoint point = at(x, y);
                data()->hit_test(point.x(), point.y());
                if (data()->hit_code() == code) return point;
            }
        }
        return QPoint(-1, -1);
    }
};

QByteArray read_file(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class ReportDesignerTest : public QObject {
    Q_OBJECT

public slots:
    void open_url(const QUrl& url) { m_opened << url; }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        init_app_resources();
        m_guard.install();
    }
    void cleanup() { m_guard.verify(); }

    void registered_item_loads_in_qml();
    void drawing_adds_each_kind_and_returns_to_select();
    void small_drags_add_nothing();
    void drag_moves_and_grip_resizes();
    void band_selects_and_aligns();
    void analysis_drawn_on_a_picture();
    void right_press_shows_menu_and_table_changes();
    void handles_from_qml_are_checked();
    void scroll_geometry_edges();
    void arrows_tracks_wheel_and_thumb();
    void arrow_held_repeats();
    void tiny_and_empty_sizes_paint();
    void file_names();
    void layouts_save_and_reopen();
    void layouts_replace_the_file_whole();
    void reports_by_kind();

private:
    roadtest::MessageGuard m_guard;
    QList<QUrl> m_opened;
};

void ReportDesignerTest::registered_item_loads_in_qml()
{
    qmlRegisterType<WndReportClient>("VY.WndReportClient", 1, 0, "WndReportClient");
    QQmlEngine engine;
    QQmlComponent component(&engine);
    // The editor's answer comes back with the id the signal carried.
    component.setData("import QtQuick 2.15\nimport VY.WndReportClient 1.0\n"
                      "WndReportClient {\n"
                      "  width: 600; height: 400\n"
                      "  property bool applied: false\n"
                      "  onSig_add_com_text: applied = get_this().set_com_text(item_com, str_text + 'typed')\n"
                      "}\n",
                      QUrl());
    std::unique_ptr<QObject> object(component.create());
    QVERIFY2(object != nullptr, qPrintable(component.errorString()));
    auto* item = qobject_cast<WndReportClient*>(object.get());
    QVERIFY(item != nullptr);
    QCOMPARE(item->document()->pages().size(), 1);
    QVERIFY(item->vertical_bar().shown());

    QQuickWindow window;
    item->setParentItem(window.contentItem());
    window.resize(600, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(item->add_com_text());
    const QPoint origin = item->document()->pages().at(0)->view_rect().topLeft();
    QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, origin + QPoint(30, 30));
    QTest::mouseMove(&window, origin + QPoint(80, 60));
    QTest::mouseMove(&window, origin + QPoint(130, 70));
    QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, origin + QPoint(130, 70));
    QVERIFY(object->property("applied").toBool());
    QCOMPARE(static_cast<ReportComText*>(item->document()->coms().last())->text(), QString("typed"));
    item->setParentItem(nullptr);
}

void ReportDesignerTest::drawing_adds_each_kind_and_returns_to_select()
{
    Designer designer;
    QSignalSpy ends(designer.item, &WndReportClient::sig_add_com_end);
    QSignalSpy texts(designer.item, &WndReportClient::sig_add_com_text);
    struct Case {
        bool (WndReportClient::*choose)();
        int type;
        QRect drawn;  // page coordinates, dragged from bottom right to top left
    };
    const Case cases[] = {
        {&WndReportClient::add_com_pic, ReportComBase::kTypePicture, QRect(20, 20, 120, 90)},
        {&WndReportClient::add_com_table, ReportComBase::kTypeTable, QRect(20, 150, 200, 80)},
        {&WndReportClient::add_com_text, ReportComBase::kTypeText, QRect(250, 20, 100, 40)},
    };
    for (const Case& c : cases) {
        QVERIFY((designer.item->*c.choose)());
        QVERIFY(designer.item->edit_tool().mode() != ReportEditTool::kSelect);
        designer.drag(designer.at(c.drawn.bottomRight()), designer.at(c.drawn.topLeft()));
        ReportComBase* added = designer.data()->coms().last();
        QCOMPARE(added->type(), c.type);
        QCOMPARE(designer.item->edit_tool().last_added(), c.drawn);
        QCOMPARE(designer.item->edit_tool().mode(), int(ReportEditTool::kSelect));
    }
    QCOMPARE(designer.data()->coms().size(), 3);
    QCOMPARE(ends.size(), 3);
    QVERIFY(!roadtest::RoadWindow::save_screen(&designer.window, "report_designer_item", "three_kinds").isEmpty());

    // The text component asks for its editor at its place in the item; the id
    // it carries brings the typed text back.
    QCOMPARE(texts.size(), 1);
    const QList<QVariant> text = texts.at(0);
    QCOMPARE(QPoint(text.at(0).toInt(), text.at(1).toInt()), designer.at(250, 20));
    QVERIFY(designer.item->set_com_text(text.at(5).toLongLong(), "Site 7 <b>"));
    QCOMPARE(static_cast<ReportComText*>(designer.data()->coms().last())->text(), QString("Site 7 <b>"));

    // A mark is a square of 8 pixels plus a 10.5 point line at 96 dpi.
    QVERIFY(designer.item->add_com_mark());
    designer.drag(designer.at(300, 300), designer.at(310, 320));
    QCOMPARE(designer.data()->coms().last()->type(), int(ReportComBase::kTypeMark));
    QCOMPARE(designer.item->edit_tool().last_added(), QRect(310, 320, 22, 22));
    QCOMPARE(ends.size(), 4);
    designer.item->edit_tool().set_dpi(0);
    QCOMPARE(designer.item->edit_tool().mark_side(), 8);
}

void ReportDesignerTest::small_drags_add_nothing()
{
    Designer designer;
    QSignalSpy ends(designer.item, &WndReportClient::sig_add_com_end);
    const QList<QPair<QPoint, QPoint>> drags = {
        {QPoint(50, 50), QPoint(54, 54)},   // 4 x 4
        {QPoint(50, 50), QPoint(60, 50)},   // 10 x 0
        {QPoint(50, 50), QPoint(50, 90)},   // 0 x 40
    };
    for (const auto& drag : drags) {
        QVERIFY(designer.item->add_com_pic());
        designer.drag(designer.at(drag.first), designer.at(drag.second));
        QCOMPARE(designer.item->edit_tool().mode(), int(ReportEditTool::kSelect));
    }
    QCOMPARE(designer.data()->coms().size(), 0);
    QCOMPARE(ends.size(), drags.size());

    // A press beside the page is ignored: nothing added, the mode kept.
    QVERIFY(designer.item->add_com_table());
    designer.drag(QPoint(5, 5), QPoint(60, 60));
    QCOMPARE(designer.data()->coms().size(), 0);
    QCOMPARE(designer.item->edit_tool().mode(), int(ReportEditTool::kTable));
    QCOMPARE(ends.size(), drags.size());
}

void ReportDesignerTest::drag_moves_and_grip_resizes()
{
    Designer designer;
    QSignalSpy positions(designer.item, &WndReportClient::sig_update_com_position);
    ReportComBase* picture = designer.add(ReportComBase::kTypePicture, QRect(40, 40, 100, 80));
    QVERIFY(picture != nullptr);

    designer.drag(designer.at(80, 70), designer.at(110, 90));
    QCOMPARE(picture->rect(), QRect(70, 60, 100, 80));
    QCOMPARE(positions.size(), 1);
    QVERIFY(designer.data()->is_selected(picture));

    const QPoint grip = designer.handle_point(picture, ReportComBase::kHitBottomRight);
    QVERIFY(grip.x() >= 0);
    designer.drag(grip, grip + QPoint(40, 20));
    QCOMPARE(picture->rect().topLeft(), QPoint(70, 60));
    QVERIFY(picture->rect().width() > 100);
    QCOMPARE(positions.size(), 2);

    // The hover over a grip shows the resize cursor.
    QTest::mouseMove(&designer.window, designer.handle_point(picture, ReportComBase::kHitRight));
    QTRY_COMPARE(designer.item->cursor().shape(), Qt::SplitHCursor);
}

void ReportDesignerTest::band_selects_and_aligns()
{
    Designer designer;
    QSignalSpy properties(designer.item, &WndReportClient::sig_update_com_property);
    ReportComBase* first = designer.add(ReportComBase::kTypeText, QRect(40, 40, 80, 30));
    ReportComBase* second = designer.add(ReportComBase::kTypeText, QRect(90, 120, 60, 30));
    // The band shows dashed while the button is down.
    QTest::mousePress(&designer.window, Qt::LeftButton, Qt::NoModifier, designer.at(20, 20));
    QTest::mouseMove(&designer.window, designer.at(100, 100));
    QTest::mouseMove(&designer.window, designer.at(200, 200));
    QVERIFY(!roadtest::RoadWindow::save_screen(&designer.window, "report_designer_item", "band").isEmpty());
    QTest::mouseRelease(&designer.window, Qt::LeftButton, Qt::NoModifier, designer.at(200, 200));
    QCOMPARE(designer.data()->selection().size(), size_t(2));
    QVERIFY(!properties.isEmpty());
    QCOMPARE(properties.last().at(0).toInt(), 2);
    QCOMPARE(properties.last().at(1).toInt(), int(ReportComBase::kTypeText));

    QVERIFY(designer.item->move_cur_com_pos(4, 0));
    QCOMPARE(first->rect().left(), 40);
    QCOMPARE(second->rect().left(), 40);
    QVERIFY(designer.item->move_cur_com_pos(7, 0));
    QCOMPARE(first->rect().bottom(), second->rect().bottom());
    QVERIFY(designer.item->move_cur_com_pos(2, 50));
    QCOMPARE(first->rect().width(), 50);
    // Sizes of nothing are refused and change nothing.
    for (const int size : {0, -5}) {
        for (const int op : {2, 3}) {
            m_guard.expect(QRegularExpression("move_cur_com_pos: refused size"));
            QVERIFY(!designer.item->move_cur_com_pos(op, size));
        }
    }
    QCOMPARE(first->rect().width(), 50);
    QCOMPARE(second->rect().height(), 30);

    // A press on the empty page clears the selection.
    QTest::mouseClick(&designer.window, Qt::LeftButton, Qt::NoModifier, designer.at(300, 300));
    QCOMPARE(designer.data()->selection().size(), size_t(0));
    QCOMPARE(properties.last().at(0).toInt(), 0);
}

void ReportDesignerTest::analysis_drawn_on_a_picture()
{
    Designer designer;
    QSignalSpy ends(designer.item, &WndReportClient::sig_add_com_end);
    ReportComBase* picture = designer.add(ReportComBase::kTypePicture, QRect(40, 40, 200, 150));
    QVERIFY(designer.item->add_rect());
    designer.drag(designer.at(60, 60), designer.at(120, 100));
    // The rectangle went to the picture, which did not move, and the tool
    // is back to none.
    QCOMPARE(designer.picture->mouse_ups, 1);
    QCOMPARE(picture->rect(), QRect(40, 40, 200, 150));
    QCOMPARE(ends.size(), 1);
    QCOMPARE(designer.data()->ana_tool(), 0);
    QVERIFY(designer.item->delete_all_ana());

    // Choosing a component kind drops a chosen analysis tool.
    QVERIFY(designer.item->add_point());
    QCOMPARE(designer.data()->ana_tool(), 1);
    QVERIFY(designer.item->add_com_pic());
    QCOMPARE(designer.data()->ana_tool(), 0);
    QVERIFY(designer.item->add_null());
}

void ReportDesignerTest::right_press_shows_menu_and_table_changes()
{
    Designer designer;
    QSignalSpy menus(designer.item, &WndReportClient::sig_show_com_menu);
    auto* table = static_cast<ReportComTable*>(designer.add(ReportComBase::kTypeTable, QRect(20, 20, 200, 80)));
    designer.add(ReportComBase::kTypePicture, QRect(20, 200, 100, 80));
    const int rows = table->rows();

    QTest::mouseClick(&designer.window, Qt::RightButton, Qt::NoModifier, designer.at(30, 30));
    QCOMPARE(menus.size(), 1);
    QCOMPARE(menus.at(0).at(0).toInt(), int(ReportComBase::kTypeTable));
    QVERIFY(designer.item->com_table_change(1));
    QCOMPARE(table->rows(), rows + 1);
    QVERIFY(designer.item->com_table_change(7));
    QCOMPARE(table->rows(), rows + 1);

    QTest::mouseClick(&designer.window, Qt::RightButton, Qt::NoModifier, designer.at(40, 220));
    QCOMPARE(menus.size(), 2);
    const QList<QVariant> picture = menus.at(1);
    QCOMPARE(picture.at(0).toInt(), int(ReportComBase::kTypePicture));
    QCOMPARE(picture.at(1).toBool(), false);
    QVERIFY(!designer.item->com_table_change(0));
    QVERIFY(designer.item->com_open_file("file:///pictures/a%20b.jpg"));
    QCOMPARE(designer.picture->opened, QString("/pictures/a b.jpg"));
}

void ReportDesignerTest::handles_from_qml_are_checked()
{
    Designer designer;
    ReportComBase* text = designer.add(ReportComBase::kTypeText, QRect(20, 20, 80, 30));
    ReportComBase* table = designer.add(ReportComBase::kTypeTable, QRect(20, 100, 200, 80));
    const qint64 text_id = designer.data()->handle_of(text);
    const qint64 table_id = designer.data()->handle_of(table);
    QVERIFY(text_id > 0 && table_id > 0);

    // Forged, foreign-kind and stale ids reach nothing and say so.
    const qint64 bad_ids[] = {0, -1, table_id, qint64(1) << 40, qint64(text_id) + (qint64(1) << 32)};
    for (qint64 id : bad_ids) {
        m_guard.expect(QRegularExpression("set_com_text: no text component"));
        QVERIFY(!designer.item->set_com_text(id, "x"));
    }
    m_guard.expect(QRegularExpression("set_table_com_text: no table"));
    QVERIFY(!designer.item->set_table_com_text(text_id, "x"));
    QCOMPARE(static_cast<ReportComText*>(text)->text(), QString());

    QTest::mouseClick(&designer.window, Qt::LeftButton, Qt::NoModifier, designer.at(30, 30));
    QVERIFY(designer.item->delete_cur_com());
    m_guard.expect(QRegularExpression("set_com_text: no text component"));
    QVERIFY(!designer.item->set_com_text(text_id, "after delete"));
}

void ReportDesignerTest::scroll_geometry_edges()
{
    // Three pages of 400 x 500: 3 x 524 + 24 = 1596 pixels of content.
    Designer designer(QSize(600, 400), 3);
    const ReportScrollAxis& bar = designer.item->vertical_bar();
    QVERIFY(bar.shown());
    QVERIFY(!designer.item->horizontal_bar().shown());
    QCOMPARE(bar.content(), 1597);
    QCOMPARE(bar.visible(), 400);
    QCOMPARE(bar.thumb(), 50);
    QCOMPARE(bar.ratio(), float(1197) / float(316));

    QWheelEvent wheel(QPointF(300, 200), QPointF(300, 200), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    for (int i = 0; i < 6; ++i) QCoreApplication::sendEvent(designer.item, &wheel);
    QCOMPARE(bar.offset(), 720);

    // Growing keeps the offset; shrinking below it returns it to 0.
    designer.resize(QSize(600, 500));
    QCOMPARE(bar.offset(), 720);
    designer.resize(QSize(600, 1200));
    QCOMPARE(bar.offset(), 0);

    // Narrow: both bars, each less the other's strip.
    designer.resize(QSize(300, 400));
    QVERIFY(designer.item->horizontal_bar().shown());
    QCOMPARE(bar.visible(), 383);
    QCOMPARE(designer.item->horizontal_bar().visible(), 283);
    QCOMPARE(designer.item->client_rect(), QRect(0, 0, 283, 383));

    // Content only a little taller than the view: a long thumb, ratio 1.
    designer.resize(QSize(600, 1500));
    QCOMPARE(bar.ratio(), 1.0f);
    QCOMPARE(bar.thumb(), 2 * 1500 - 1597 - 34);
}

void ReportDesignerTest::arrows_tracks_wheel_and_thumb()
{
    Designer designer(QSize(600, 400), 3);
    const ReportScrollAxis& bar = designer.item->vertical_bar();
    struct Case {
        QPoint point;
        int area;
        int offset_after;
    };
    // Track steps are 1597 / 20 = 79 pixels; arrows 6.
    const Case cases[] = {
        {QPoint(590, 370), WndReportClient::kAreaDown, 6},
        {QPoint(590, 300), WndReportClient::kAreaDownTrack, 85},
        {QPoint(590, 10), WndReportClient::kAreaUp, 79},
        {QPoint(590, 25), WndReportClient::kAreaUpTrack, 0},
        {QPoint(590, 10), WndReportClient::kAreaUp, 0},
        {QPoint(590, 395), WndReportClient::kAreaNone, 0},
        {QPoint(300, 395), WndReportClient::kAreaNone, 0},
    };
    for (const Case& c : cases) {
        QCOMPARE(designer.item->area_at(c.point.x(), c.point.y()), c.area);
        QTest::mouseClick(&designer.window, Qt::LeftButton, Qt::NoModifier, c.point);
        QCOMPARE(bar.offset(), c.offset_after);
    }

    // The thumb drags by its ratio and stops at the end.
    QCOMPARE(designer.item->area_at(590, 40), int(WndReportClient::kAreaVThumb));
    QTest::mousePress(&designer.window, Qt::LeftButton, Qt::NoModifier, QPoint(590, 40));
    QTest::mouseMove(&designer.window, QPoint(590, 50));
    QCOMPARE(bar.offset(), int(10 * bar.ratio()));
    QTest::mouseMove(&designer.window, QPoint(590, 399));
    QCOMPARE(bar.offset(), bar.max_offset());
    QTest::mouseRelease(&designer.window, Qt::LeftButton, Qt::NoModifier, QPoint(590, 399));

    // Pages follow the offset.
    QCOMPARE(designer.data()->pages().at(0)->view_rect().top(), 24 - bar.max_offset());
    QVERIFY(!roadtest::RoadWindow::save_screen(&designer.window, "report_designer_item", "scrolled_to_end").isEmpty());
}

void ReportDesignerTest::arrow_held_repeats()
{
    Designer designer(QSize(600, 400), 3);
    const ReportScrollAxis& bar = designer.item->vertical_bar();
    QTest::mousePress(&designer.window, Qt::LeftButton, Qt::NoModifier, QPoint(590, 370));
    QCOMPARE(bar.offset(), 6);
    QTRY_VERIFY(bar.offset() >= 18);
    QTest::mouseRelease(&designer.window, Qt::LeftButton, Qt::NoModifier, QPoint(590, 370));
    const int stopped = bar.offset();
    // After the release no timer is left to scroll further.
    QTest::mousePress(&designer.window, Qt::LeftButton, Qt::NoModifier, QPoint(590, 10));
    QTest::mouseRelease(&designer.window, Qt::LeftButton, Qt::NoModifier, QPoint(590, 10));
    QCOMPARE(bar.offset(), stopped - 6);
}

void ReportDesignerTest::tiny_and_empty_sizes_paint()
{
    const QSize sizes[] = {QSize(60, 60), QSize(17, 17), QSize(1, 1), QSize(0, 0), QSize(100, 84), QSize(100, 85)};
    for (const QSize& size : sizes) {
        Designer designer(QSize(200, 200), 2);
        designer.resize(size);
        const ReportScrollAxis& bar = designer.item->vertical_bar();
        QVERIFY(bar.ratio() >= 0.0f);
        QVERIFY(bar.thumb() >= 0);
        QImage image(qMax(1, size.width()), qMax(1, size.height()), QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        designer.item->paint(&painter);
        painter.end();
        // A click and a drag on whatever part lies there change nothing badly.
        for (int y = 0; y < size.height(); y += 7) {
            const int area = designer.item->area_at(size.width() - 3, y);
            QVERIFY(area >= WndReportClient::kAreaNone && area <= WndReportClient::kAreaRight);
        }
        if (size.width() > 0 && size.height() > 0) {
            designer.drag(QPoint(size.width() - 3, size.height() / 2), QPoint(size.width() - 3, size.height()));
            QVERIFY(bar.offset() >= 0 && bar.offset() <= bar.max_offset());
        }
    }
    // A zoom of nothing gives pages of no size.
    Designer designer;
    designer.data()->set_zoom(0.0f);
    designer.resize(QSize(500, 300));
    QImage image(500, 300, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    designer.item->paint(&painter);
}

void ReportDesignerTest::file_names()
{
    Designer designer;
    const QList<QPair<QString, QString>> cases = {
        {"", ""},
        {"/home/u/report.xml", "report.xml"},
        {"C:\\reports\\site.xml", "site.xml"},
        {"C:/reports\\site.xml", "reports\\site.xml"},
        {"plain.xml", "plain.xml"},
        {"/home/u/", ""},
    };
    for (const auto& c : cases) QCOMPARE(designer.item->get_file_name(c.first), c.second);
    QCOMPARE(designer.item->get_dot_name(), QString());
}

void ReportDesignerTest::layouts_save_and_reopen()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("my layout.xml");
    const QString url = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    QVERIFY(url.contains("%20"));

    Designer designer;
    QVERIFY(!designer.item->save_dot());
    designer.add(ReportComBase::kTypeTable, QRect(20, 20, 200, 80));
    designer.add(ReportComBase::kTypeText, QRect(250, 20, 100, 40));
    designer.add(ReportComBase::kTypeMark, QRect(20, 300, 22, 22));
    QCOMPARE(designer.item->save_word_dot(url), 3);
    QCOMPARE(designer.item->layout_path(), path);
    QCOMPARE(designer.item->get_dot_name(), QString("my layout.xml"));
    const QByteArray saved = read_file(path);
    QVERIFY(saved.contains("<Report"));

    Designer reopened;
    QSignalSpy properties(reopened.item, &WndReportClient::sig_update_com_property);
    QVERIFY(reopened.item->open_word_dot(url));
    QCOMPARE(properties.size(), 1);
    QCOMPARE(properties.at(0).at(0).toInt(), 0);
    QCOMPARE(reopened.data()->coms().size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(reopened.data()->coms().at(i)->type(), designer.data()->coms().at(i)->type());
        QCOMPARE(reopened.data()->coms().at(i)->rect(), designer.data()->coms().at(i)->rect());
    }
    // Saving the reopened layout writes the same file again.
    QVERIFY(reopened.item->save_dot());
    QCOMPARE(read_file(path), saved);

    // A file that is not a layout leaves the open one and its path alone.
    const QString junk = dir.filePath("junk.xml");
    QFile file(junk);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<not a layout");
    file.close();
    m_guard.expect(QRegularExpression("open_word_dot: cannot open"));
    const bool opened = reopened.item->open_word_dot(QUrl::fromLocalFile(junk).toString());
    QVERIFY(!opened);
    QCOMPARE(reopened.item->layout_path(), path);
    QCOMPARE(reopened.data()->coms().size(), 3);
}

void ReportDesignerTest::layouts_replace_the_file_whole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("kept.xml");
    const QString link = dir.filePath("kept-link.xml");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("old layout");
    file.close();
    // A second name of the same file: a write in place would change it too.
    QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);

    Designer designer;
    designer.add(ReportComBase::kTypeText, QRect(20, 20, 80, 30));
    QCOMPARE(designer.item->save_word_dot(path), 3);
    QVERIFY(read_file(path).contains("<Report"));
    QCOMPARE(read_file(link), QByteArray("old layout"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);

    // A save that cannot finish leaves the old file and reports failure.
    const QString folder_path = dir.filePath("folder.xml");
    QVERIFY(QDir().mkdir(folder_path));
    m_guard.expect(QRegularExpression("save_layout: cannot write"));
    QCOMPARE(designer.item->save_word_dot(folder_path), 0);
    QCOMPARE(designer.item->layout_path(), path);
}

void ReportDesignerTest::reports_by_kind()
{
    QTemporaryDir dir;
    Designer designer;
    QStringList calls;
    designer.data()->set_word_writer(std::make_unique<RecordingWordWriter>(&calls));
    designer.add(ReportComBase::kTypeText, QRect(20, 20, 80, 30));
    QVERIFY(!designer.item->open_report());

    m_guard.expect(QRegularExpression("save_word_dot: unknown kind"));
    QCOMPARE(designer.item->save_word_dot(dir.filePath("a.txt")), 0);
    QVERIFY(designer.item->report_path().isEmpty());
    QVERIFY(designer.item->layout_path().isEmpty());

    const QString doc = dir.filePath("site.DOC");
    QCOMPARE(designer.item->save_word_dot(QUrl::fromLocalFile(doc).toString()), 1);
    QCOMPARE(designer.item->report_path(), doc);
    QVERIFY(calls.contains("open_word"));
    const QString dot = dir.filePath("site.dot");
    QCOMPARE(designer.item->save_word_dot(dot), 2);
    QCOMPARE(designer.item->report_path(), dot);

    QDesktopServices::setUrlHandler("file", this, "open_url");
    QVERIFY(designer.item->open_report());
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(dot)});
}

QTEST_MAIN(ReportDesignerTest)
#include "report_designer_test.moc"
