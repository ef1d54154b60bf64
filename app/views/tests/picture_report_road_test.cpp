// Road test of the picture window's report, national-grid pictures, palette
// bar and temperature image: the real main window, offscreen, driven by
// mouse and keys as a user would.
#include "message_guard.h"
#include "office.h"
#include "office_test_support.h"
#include "opened_urls.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "shell/data_config.h"
#include "sources/ir_base.h"
#include "test_folders.h"
#include "thermframe.h"
#include "reports/report_field_values.h"
#include "views/wnd_ir_palette.h"
#include "views/wnd_ir_show.h"
#include "views/wnd_table_ir_temp_simplified.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QQmlProperty>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

using roadtest::RoadWindow;

namespace {

const char kTest[] = "picture_window_report";

QString sample_path(const char* name) { return QDir::current().absoluteFilePath(QStringLiteral("samples/") + name); }

// The picture window shown by the client area.
QObject* current_wnd(QObject* client)
{
    QVariant shown;
    QMetaObject::invokeMethod(client, "current_wnd", Q_RETURN_ARG(QVariant, shown));
    return shown.value<QObject*>();
}

bool open_picture(QObject* client, const QString& path)
{
    QVariant ok;
    return QMetaObject::invokeMethod(client, "open_picture", Q_RETURN_ARG(QVariant, ok), Q_ARG(QVariant, path)) &&
           ok.toBool();
}

template <class T>
T* child_of(QObject* wnd, const char* name)
{
    return wnd->findChild<T*>(QLatin1String(name));
}

// The picture as the view paints it, pixel by pixel: for each row of the
// palette bar's strip (row 0 the hottest colour) that the picture uses, the
// coldest and the hottest temperature painted in that colour.
using Rendering = QMap<int, QPair<float, float>>;

Rendering rendering_of(WndIRShow* view, int palette)
{
    static const char* const kStrips[] = {"clr_iron", "clr_rainbow", "clr_feather", "clr_gray", "clr_cwfeather"};
    const QImage strip(QStringLiteral(":/images/%1.png").arg(QLatin1String(kStrips[palette % 5])));
    QMap<QRgb, int> row_of;
    for (int r = strip.height() - 1; r >= 0; --r) row_of.insert(strip.pixel(strip.width() / 2, r) & 0xFFFFFF, r);
    IRBase* source = view->source();
    void* frame = source->get_ir_data();
    uint16_t w = 0, h = 0;
    thermframe_get_show_resolution(frame, w, h);
    QImage painted(w, h, QImage::Format_RGB32);
    source->set_show_size(w, h);
    {
        QPainter p(&painted);
        source->paint(&p);
    }
    source->set_show_size(int(view->width()), int(view->height()));
    Rendering rows;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const auto row = row_of.constFind(painted.pixel(x, y) & 0xFFFFFF);
            float t = 0.0f;
            if (row == row_of.constEnd() || !thermframe_get_temp_from_position(frame, uint16_t(x), uint16_t(y), t)) {
                continue;
            }
            auto it = rows.find(*row);
            if (it == rows.end()) {
                rows.insert(*row, qMakePair(t, t));
            } else {
                it->first = std::min(it->first, t);
                it->second = std::max(it->second, t);
            }
        }
    }
    return rows;
}

// The bar's two labels are the temperatures where the picture's colours
// reach the strip's ends: the hottest colour begins at the high label, the
// coldest colour used (one of the strip's last rows) ends at the low label,
// within one palette step.
void check_ends(const Rendering& rows, const WndIRPalette* bar, const char* step)
{
    const float low = palette_bar::temp_text(bar->level_temp()).toFloat();
    const float high = palette_bar::temp_text(bar->level_span_temp()).toFloat();
    const float tolerance = 1.5f * (high - low) / 162.0f + 0.05f;
    QVERIFY2(!rows.isEmpty() && rows.firstKey() == 0, step);
    QVERIFY2(std::fabs(rows.first().first - high) <= tolerance,
             qPrintable(QString("%1: hottest colour from %2, label %3").arg(step).arg(rows.first().first).arg(high)));
    QVERIFY2(rows.lastKey() >= 155, qPrintable(QString("%1: coldest row %2").arg(step).arg(rows.lastKey())));
    QVERIFY2(std::fabs(rows.last().second - low) <= tolerance,
             qPrintable(QString("%1: coldest colour up to %2, label %3").arg(step).arg(rows.last().second).arg(low)));
}

// The table on screen shows the numbers of the picture it was last handed.
bool shows_numbers(QQuickWindow* window, QQuickItem* table)
{
    // The offscreen platform keeps what a window shows in its backing store,
    // which only the screen's grab reads.
    QImage shown = window->grabWindow();
    if (shown.isNull()) shown = window->screen()->grabWindow(window->winId()).toImage();
    const QRect area = table->mapRectToScene(QRectF(0, 0, table->width(), table->height())).toRect();
    const QRgb background = qRgb(7, 16, 23) & 0xFFFFFF;
    for (int y = area.top(); y < std::min(shown.height(), area.top() + 40); ++y) {
        for (int x = area.left(); x < std::min(shown.width(), area.right()); ++x) {
            if ((shown.pixel(x, y) & 0xFFFFFF) != background) return true;
        }
    }
    return false;
}

bool same_rendering(const Rendering& a, const Rendering& b)
{
    if (a.keys() != b.keys()) return false;
    for (auto it = a.begin(); it != a.end(); ++it) {
        const auto other = b.value(it.key());
        if (std::fabs(it->first - other.first) > 0.05f || std::fabs(it->second - other.second) > 0.05f) return false;
    }
    return true;
}

}  // namespace

class PictureReportRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_opened, "open");
    }
    void cleanup() { m_guard.verify(); }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    void picture_window_report();
    void picture_window_sgcc_is_read_only();
    void picture_window_temperature_image();
    void picture_window_palette_bar_matches_colours();

private:
    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
    OpenedUrls m_opened;
};

// Opens the main window wide enough for the whole analysis toolbar.
struct MainWindow {
    AppShell shell;
    std::unique_ptr<RoadWindow> road;
    QObject* client = nullptr;

    bool open()
    {
        if (!shell.load_main_window()) return false;
        road = std::make_unique<RoadWindow>(shell.main_window());
        if (!road->show(QSize(1600, 900))) return false;
        client = road->find_object("wnd_client");
        return client != nullptr;
    }
    // Opens a picture as the start page does: the window that shows it.
    QObject* show(const QString& path) { return open_picture(client, path) ? current_wnd(client) : nullptr; }
};

WndIRShow* view_of(QObject* wnd)
{
    return wnd != nullptr ? qvariant_cast<WndIRShow*>(wnd->property("wndIRShow")) : nullptr;
}

void PictureReportRoadTest::picture_window_report()
{
    const QString sample = sample_path("sample.jpg");
    if (!QFile::exists(sample)) QSKIP("samples were not generated");
    QTemporaryDir out;
    QVERIFY(out.isValid());
    MainWindow main;
    QVERIFY(main.open());
    RoadWindow& road = *main.road;
    QObject* wnd = main.show(sample);
    QVERIFY(wnd != nullptr);
    auto* view = view_of(wnd);
    QVERIFY(view != nullptr);
    road.save_screen(kTest, "1-opened");

    // The report button opens the save dialog in the report folder.
    DataConfig::instance()->set_report_save_path(out.path());
    // Qt's file dialog says this of the offscreen platform.
    m_guard.expect(QRegularExpression("does not support propagateSizeHints"));
    QVERIFY(RoadWindow::click(child_of<QQuickItem>(wnd, "btn_report")));
    auto* files = main.shell.main_window()->property("dialogFile").value<QObject*>();
    QVERIFY(files != nullptr);
    QCOMPARE(files->property("curItem").value<QObject*>(), wnd);
    QObject* dialog = files->property("dialog").value<QObject*>();
    QVERIFY(dialog != nullptr && dialog->property("visible").toBool());
    QCOMPARE(QDir(dialog->property("folder").toUrl().toLocalFile()), QDir(out.path()));
    QVERIFY(dialog->property("nameFilters").toStringList().join(';').contains("(*.doc)"));
    QVERIFY(QMetaObject::invokeMethod(dialog, "close"));

    // A document chosen there is written and offered for opening.
    const QString folder = out.filePath("reports #1");
    QVERIFY(QDir().mkpath(folder));
    const QString document = folder + "/pump report.doc";
    files->setProperty("folder", QUrl::fromLocalFile(folder));
    QVERIFY(QMetaObject::invokeMethod(files, "sig_accepted", Q_ARG(QVariant, QVariant::fromValue(wnd)),
                                      Q_ARG(int, files->property("nPurpose").toInt()),
                                      Q_ARG(QVariant, QVariantList{QUrl::fromLocalFile(document)})));
    QVERIFY(QFile::exists(document));
    QCOMPARE(QDir(DataConfig::instance()->get_report_save_path()), QDir(folder));
    auto* box = wnd->findChild<QQuickWindow*>("message_box_report");
    QVERIFY(box != nullptr);
    QTRY_VERIFY(box->isVisible());
    QCOMPARE(box->property("strText").toString(), QCoreApplication::translate("ItemWndIRImage", "是否打开报告？"));
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QTRY_VERIFY(box->findChild<QQuickItem*>("message_box_ok")->height() > 0);
    RoadWindow::save_screen(box, kTest, "2-report-question");
    QVERIFY(RoadWindow::click(box->findChild<QQuickItem*>("message_box_ok")));
    QTRY_COMPARE(m_opened.urls.size(), 1);
    QCOMPARE(m_opened.urls[0], QUrl::fromLocalFile(document));

    // The office layer reads the document back: the picture and the
    // picture's own texts are in it.
    void* doc = nullptr;
    QVERIFY(office_doc_open_w(doc, document.toStdWString()));
    office_doc_uninit(doc);
    ReportFieldValues values;
    QVERIFY(view->source()->fill_report_info(values));
    QCOMPARE(values.texts[ReportFieldValues::kTitle], QString("sample"));
    const QDomDocument body = office_test::dom_of(office_test::read_parts(document).value("word/document.xml"));
    const QString text = office_test::text_of(body);
    for (int field : {ReportFieldValues::kTitle, ReportFieldValues::kEmissivity, ReportFieldValues::kPictureMax}) {
        QVERIFY(!values.texts[size_t(field)].isEmpty());
        QVERIFY2(text.contains(values.texts[size_t(field)]), qPrintable(values.texts[size_t(field)]));
    }
    QCOMPARE(int(office_test::elements(body, office_test::kWp, "inline").size()), 1);
    QList<QByteArray> pages;
    if (office_test::pdf_pages(document, out.path(), pages)) {
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages[0].contains(values.texts[ReportFieldValues::kTitle].toUtf8()));
    } else {
        qInfo("soffice and pdftotext are not installed: the report is not checked in a reader");
    }

    // A document that cannot be written is reported as a failure.
    m_guard.expect(QRegularExpression("report: cannot save"));
    QVariant result;
    QVERIFY(QMetaObject::invokeMethod(wnd, "export_report", Q_RETURN_ARG(QVariant, result),
                                      Q_ARG(QVariant, QUrl::fromLocalFile(out.filePath("missing/r.doc")).toString())));
    QCOMPARE(result.toInt(), 1);
    QTRY_VERIFY(box->isVisible());
    QCOMPARE(box->property("strText").toString(), QCoreApplication::translate("ItemWndIRImage", "报告打印失败！！"));
    QVERIFY(!QFile::exists(out.filePath("missing/r.doc")));
    RoadWindow::save_screen(box, kTest, "3-report-failed");
    QVERIFY(RoadWindow::click(box->findChild<QQuickItem*>("message_box_ok")));
    QCOMPARE(m_opened.urls.size(), 1);

    // The report layout chosen in the settings instead of the template: its
    // marks take the picture's texts.
    const QString layout = out.filePath("layout.xml");
    QFile layout_file(layout);
    QVERIFY(layout_file.open(QIODevice::WriteOnly));
    layout_file.write(R"(<Report version="1"><Printer width="794" height="1123" scale="1" dpi="96" page="1"/>
<ReportCom count="1"><ComMark version="1" page="0" x="20" y="50" width="300" height="30" font="">
<Mark type="0">Picture </Mark><Mark type="5" mark="DocumentTitle" ir_id="0" ana_id="-1" ana_id_minus="-1"/>
</ComMark></ReportCom></Report>)");
    layout_file.close();
    DataConfig::instance()->set_report_template(1, layout);
    QVERIFY(DataConfig::instance()->set_report_template_selected(1));
    const QString from_layout = out.filePath("from layout.doc");
    QVERIFY(QMetaObject::invokeMethod(wnd, "export_report", Q_RETURN_ARG(QVariant, result),
                                      Q_ARG(QVariant, QUrl::fromLocalFile(from_layout).toString())));
    QCOMPARE(result.toInt(), 0);
    QVERIFY(office_test::text_of(office_test::dom_of(office_test::read_parts(from_layout).value("word/document.xml")))
                .contains("Picture sample"));
    QVERIFY(RoadWindow::click(box->findChild<QQuickItem*>("message_box_cancel")));
    QCOMPARE(m_opened.urls.size(), 1);

    // A document named after the layout it is made from, or after the
    // picture, is refused and the file stays as it was.
    const QString picture = view->source()->get_file_path();
    for (const QString& target : {layout, picture}) {
        QFile source(target);
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QByteArray bytes = source.readAll();
        source.close();
        m_guard.expect(QRegularExpression("report refused"));
        QVERIFY(QMetaObject::invokeMethod(wnd, "export_report", Q_RETURN_ARG(QVariant, result),
                                          Q_ARG(QVariant, QUrl::fromLocalFile(target).toString())));
        QCOMPARE(result.toInt(), 5);
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(box->property("strText").toString(),
                 QCoreApplication::translate("ItemWndIRImage", "不能保存到本次操作正在读取的文件：%1").arg(target));
        // The box grows for the long name.
        QTRY_COMPARE(box->contentItem()->width(), qreal(box->width()));
        if (target == layout) RoadWindow::save_screen(box, kTest, "4-report-refused");
        QVERIFY(RoadWindow::click(box->findChild<QQuickItem*>("message_box_ok")));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QCOMPARE(source.readAll(), bytes);
    }

    // A template of neither kind is refused before anything is written.
    m_guard.expect(QRegularExpression("neither a layout nor a template"));
    DataConfig::instance()->set_report_template(1, out.filePath("template.txt"));
    QVERIFY(QMetaObject::invokeMethod(wnd, "export_report", Q_RETURN_ARG(QVariant, result),
                                      Q_ARG(QVariant, QUrl::fromLocalFile(out.filePath("t.doc")).toString())));
    QCOMPARE(result.toInt(), 3);
    QCOMPARE(box->property("strText").toString(), QCoreApplication::translate("ItemWndIRImage", "报告模板添加失败！"));
    QVERIFY(!QFile::exists(out.filePath("t.doc")));
    QVERIFY(RoadWindow::click(box->findChild<QQuickItem*>("message_box_ok")));
}

void PictureReportRoadTest::picture_window_sgcc_is_read_only()
{
    const QString sgcc = sample_path("sample_sgcc.jpg");
    if (!QFile::exists(sgcc)) QSKIP("samples were not generated");
    MainWindow main;
    QVERIFY(main.open());
    QObject* wnd = main.show(sgcc);
    QVERIFY(wnd != nullptr);
    auto* view = view_of(wnd);
    QVERIFY(view->is_sgcc_image());
    QCOMPARE(view->get_ir_property().value("bSgcc").toBool(), true);
    QQuickItem* emiss = child_of<QQuickItem>(wnd, "input_strSettingEmiss");
    QVERIFY(emiss->isVisible() && !emiss->isEnabled());
    QVERIFY(!child_of<QQuickItem>(wnd, "input_strSettingKeyEnviromentReference")->isVisible());
    QVERIFY(!child_of<QQuickItem>(wnd, "btn_default_param")->isVisible());
    // Its site data stays shown; only the voice note is hidden.
    QVERIFY(child_of<QQuickItem>(wnd, "content_ir_pic_setting")->isVisible());
    QVERIFY(!child_of<QQuickItem>(wnd, "row_voice_note")->isVisible());
    // Typing into the field changes nothing.
    void* frame = view->source()->get_ir_data();
    float before = 0.0f, after = 0.0f;
    QVERIFY(thermframe_get_emiss(frame, before));
    QVERIFY(RoadWindow::click(emiss));
    main.road->key_click(Qt::Key_0);
    main.road->key_click(Qt::Key_Period);
    main.road->key_click(Qt::Key_3);
    QVERIFY(thermframe_get_emiss(frame, after));
    QCOMPARE(after, before);
    main.road->save_screen(kTest, "4-sgcc");

    // An ordinary picture in the same window is editable again.
    QVERIFY(open_picture(main.client, sample_path("sample_wall.jpg")));
    QCOMPARE(view->get_ir_property().value("bSgcc").toBool(), false);
    QVERIFY(emiss->isEnabled());
    QVERIFY(child_of<QQuickItem>(wnd, "btn_default_param")->isVisible());
}

void PictureReportRoadTest::picture_window_temperature_image()
{
    const QString sample = sample_path("sample.jpg");
    if (!QFile::exists(sample)) QSKIP("samples were not generated");
    QTemporaryDir out;
    const QString copy = out.filePath("copy.jpg");
    QVERIFY(QFile::copy(sample, copy));
    MainWindow main;
    QVERIFY(main.open());
    // Two picture windows: each source is named by its window's number.
    QObject* first = main.show(sample);
    QVERIFY(first != nullptr);
    QObject* second = main.show(copy);
    QVERIFY(second != nullptr);
    QVERIFY(first != second);
    const int number = second->property("mn_index_type").toInt();
    QCOMPARE(number, first->property("mn_index_type").toInt() + 1);
    auto* view = view_of(second);
    QCOMPARE(view->source()->get_ir_name(), IRBase::tr("Image ") + QString::number(number));
    QCOMPARE(view_of(first)->source()->get_ir_name(),
             IRBase::tr("Image ") + QString::number(number - 1));

    // The temperature image of the second window, at its opening size and
    // at a small one.
    QVERIFY(RoadWindow::click(child_of<QQuickItem>(second, "btn_temp_preview")));
    auto* loader = child_of<QObject>(second, "loader_temp_simplified");
    auto* window = qobject_cast<QQuickWindow*>(loader->property("item").value<QObject*>());
    QVERIFY(window != nullptr && window->isVisible());
    QVERIFY(window->title().startsWith(QCoreApplication::translate("ItemWndIRImage", "图片分析 ") + QString::number(number) + " - "));
    auto* table = window->findChild<WndTableIRTempSimplified*>("wnd_table_ir_temp_simplified");
    QVERIFY(table != nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(table->front().size() == table->size().toSize(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(shows_numbers(window, table), 20000);
    RoadWindow::save_screen(window, kTest, "5-temperature-image");
    window->resize(520, 360);
    QTRY_VERIFY_WITH_TIMEOUT(table->width() == 520 && table->front().size() == table->size().toSize() &&
                                 shows_numbers(window, table),
                             20000);
    RoadWindow::save_screen(window, kTest, "6-temperature-image-small");
    window->close();
}

void PictureReportRoadTest::picture_window_palette_bar_matches_colours()
{
    const QString sample = sample_path("sample.jpg");
    if (!QFile::exists(sample)) QSKIP("samples were not generated");
    QTemporaryDir out;
    MainWindow main;
    QVERIFY(main.open());
    RoadWindow& road = *main.road;
    QObject* wnd = main.show(sample);
    QVERIFY(wnd != nullptr);
    auto* view = view_of(wnd);
    auto* bar = child_of<WndIRPalette>(wnd, "wnd_ir_palette");
    QVERIFY(view != nullptr && bar != nullptr);
    QVERIFY(RoadWindow::click(child_of<QQuickItem>(wnd, "btn_clear_ana")));
    const Rendering opened = rendering_of(view, bar->palette());
    check_ends(opened, bar, "opened");

    // Another palette from the palette menu changes the colours, not where
    // they fall.
    QVERIFY(RoadWindow::click(child_of<QQuickItem>(wnd, "btn_palette")));
    QVERIFY(RoadWindow::click(road.find_item("palette_row_1")));
    QCOMPARE(bar->palette(), 1);
    const Rendering rainbow = rendering_of(view, 1);
    check_ends(rainbow, bar, "rainbow");
    QVERIFY(same_rendering(rainbow, opened));
    const QString labels = palette_bar::temp_text(bar->level_temp()) + palette_bar::temp_text(bar->level_span_temp());
    road.save_screen(kTest, "7-palette");

    // Saved and opened again: the same colours under the same labels.
    const QString target = out.filePath("saved.jpg");
    QVERIFY(view->save_as_image_to_file(target));
    wnd = main.show(target);
    QVERIFY(wnd != nullptr);
    view = view_of(wnd);
    bar = child_of<WndIRPalette>(wnd, "wnd_ir_palette");
    QCOMPARE(bar->palette(), 1);
    QCOMPARE(palette_bar::temp_text(bar->level_temp()) + palette_bar::temp_text(bar->level_span_temp()), labels);
    QVERIFY(same_rendering(rendering_of(view, 1), rainbow));
    road.save_screen(kTest, "8-palette-reopened");

    // A lower emissivity typed into the panel: the same colours now stand
    // for higher temperatures, and the labels say so.
    QQuickItem* emiss = child_of<QQuickItem>(wnd, "input_strSettingEmiss");
    QVERIFY(RoadWindow::click(emiss));
    road.key_click(Qt::Key_A, Qt::ControlModifier);
    road.key_click(Qt::Key_0);
    road.key_click(Qt::Key_Period);
    road.key_click(Qt::Key_5);
    float emissivity = 0.0f;
    QVERIFY(thermframe_get_emiss(view->source()->get_ir_data(), emissivity));
    QCOMPARE(emissivity, 0.5f);
    QVERIFY(bar->level_span_temp() > rainbow.first().first + 10.0f);
    check_ends(rendering_of(view, 1), bar, "emissivity");
    road.save_screen(kTest, "9-palette-emissivity");

    // A national-grid picture keeps its imaging in its own record.
    wnd = main.show(sample_path("sample_sgcc.jpg"));
    QVERIFY(wnd != nullptr);
    view = view_of(wnd);
    bar = child_of<WndIRPalette>(wnd, "wnd_ir_palette");
    QVERIFY(view->is_sgcc_image());
    const Rendering sgcc = rendering_of(view, bar->palette());
    check_ends(sgcc, bar, "national grid");
    const QString sgcc_target = out.filePath("saved national grid.jpg");
    QVERIFY(view->save_as_sgcc_image_to_file(sgcc_target));
    wnd = main.show(sgcc_target);
    QVERIFY(wnd != nullptr);
    view = view_of(wnd);
    bar = child_of<WndIRPalette>(wnd, "wnd_ir_palette");
    QVERIFY(view->is_sgcc_image());
    const Rendering sgcc_reopened = rendering_of(view, bar->palette());
    check_ends(sgcc_reopened, bar, "national grid reopened");
    QVERIFY(same_rendering(sgcc_reopened, sgcc));
}

QTEST_MAIN(PictureReportRoadTest)
#include "picture_report_road_test.moc"
