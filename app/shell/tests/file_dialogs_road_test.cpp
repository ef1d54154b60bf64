// Road test of the file dialogs, on a QApplication as the program runs, so
// that every purpose shows Qt's own file dialog widget. In one run of the
// main window an open dialog comes first (recordings added to the play
// list), then every save dialog: each shows its mode, an empty file-name
// box and the suffix of its filter, and follows a change of filter. A name
// typed without suffix gets it; replacing a file asks first; a clip named
// after its own source recording is refused and the recording stays as it
// was; a clip named "*.H264" leaves its ".h264" file and nothing else.
// The camera's recording folder is left to the camera road tests: it needs
// a live camera.
#include "message_guard.h"
#include "road_window.h"
#include "shell/app_shell.h"
#include "shell/data_config.h"
#include "shell/shown_file_dialog.h"
#include "sources/ir_player.h"
#include "test_folders.h"
#include "test_recordings.h"
#include "views/wnd_ir_show.h"
#include "views/wnd_video_edit_progress.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

using roadtest::RoadWindow;

namespace {

const char kTest[] = "file_dialogs";

QFileDialog* wait_dialog()
{
    QFileDialog* dialog = nullptr;
    RoadWindow::wait_for([&] { return (dialog = shown_file_dialog::shown()) != nullptr; });
    return dialog;
}

QLineEdit* name_box(QFileDialog* dialog) { return dialog->findChild<QLineEdit*>("fileNameEdit"); }

QByteArray bytes_of(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Answers the next message box of Qt's dialog with Yes once it shows, and
// keeps its text.
class ReplaceAnswer : public QObject {
public:
    ReplaceAnswer()
    {
        connect(&m_poll, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            text = box->text();
            m_poll.stop();
            box->button(QMessageBox::Yes)->click();
        });
        m_poll.start(10);
    }
    QString text;

private:
    QTimer m_poll;
};

// The user picks the filter at `index` with the keyboard, as Qt's dialog
// hears of a choice only from the user.
void choose_filter(QFileDialog* dialog, int index)
{
    auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    types->setFocus();
    while (types->currentIndex() < index) QTest::keyClick(types, Qt::Key_Down);
}

// The offscreen platform's notes on showing Qt's widget dialogs say nothing
// about the program; every other message goes on to the guard.
QtMessageHandler g_guard_handler = nullptr;
void skip_offscreen_notes(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    static const QRegularExpression notes(
        QStringLiteral("^This plugin does not support (propagateSizeHints|raise|grabbing the keyboard)"));
    if (type == QtWarningMsg && notes.match(text).hasMatch()) return;
    g_guard_handler(type, context, text);
}

// The user types `name` into the file-name box and presses Enter.
void type_name(QFileDialog* dialog, const QString& name)
{
    QLineEdit* box = name_box(dialog);
    box->setFocus();
    QTest::keyClicks(box, name);
    QTest::keyClick(box, Qt::Key_Return);
}

}  // namespace

class FileDialogsRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_guard.install();
        g_guard_handler = qInstallMessageHandler(skip_offscreen_notes);
    }
    void cleanupTestCase() { qInstallMessageHandler(g_guard_handler); }
    void cleanup() { m_guard.verify(); }
    void file_dialogs_each_purpose_in_one_run();

private:
    // Shows the dialog of one purpose by `trigger` and checks its state.
    QFileDialog* show(const char* purpose, const std::function<bool()>& trigger, QFileDialog::AcceptMode mode,
                      QFileDialog::FileMode files, const QString& suffix);
    void close(QFileDialog* dialog, QQuickWindow* window);

    roadtest::TestFolders m_folders;
    roadtest::MessageGuard m_guard;
    int m_step = 0;
};

QFileDialog* FileDialogsRoadTest::show(const char* purpose, const std::function<bool()>& trigger,
                                       QFileDialog::AcceptMode mode, QFileDialog::FileMode files,
                                       const QString& suffix)
{
    if (!trigger()) {
        qWarning("%s: the dialog was not asked for", purpose);
        return nullptr;
    }
    QFileDialog* dialog = wait_dialog();
    if (dialog == nullptr) {
        qWarning("%s: no dialog", purpose);
        return nullptr;
    }
    const QString step = QString("%1-%2").arg(++m_step, 2, 10, QChar('0')).arg(purpose);
    dialog->grab().save(RoadWindow::screens_dir() + "/" + kTest + "-" + step + ".png");
    const bool ok = dialog->acceptMode() == mode && dialog->fileMode() == files &&
                    dialog->defaultSuffix() == suffix && name_box(dialog) != nullptr && name_box(dialog)->text().isEmpty();
    if (!ok) {
        qWarning() << purpose << "shows mode" << dialog->acceptMode() << dialog->fileMode() << "suffix"
                   << dialog->defaultSuffix() << "name" << name_box(dialog)->text();
        return nullptr;
    }
    return dialog;
}

void FileDialogsRoadTest::close(QFileDialog* dialog, QQuickWindow* window)
{
    dialog->reject();
    QTRY_VERIFY(shown_file_dialog::shown() == nullptr);
    // A button that opens its dialog on the press never sees the release.
    // On a desktop the dialog deactivates the window, which ends the
    // button's grab; the offscreen platform activates no window.
    if (QQuickItem* grabber = window->mouseGrabberItem()) grabber->ungrabMouse();
}

void FileDialogsRoadTest::file_dialogs_each_purpose_in_one_run()
{
    const QString sample_irv = QDir::current().absoluteFilePath("samples/sample.irv");
    const QString sample_jpg = QDir::current().absoluteFilePath("samples/sample.jpg");
    if (!QFile::exists(sample_irv) || !QFile::exists(sample_jpg)) QSKIP("samples were not generated");
    QVERIFY(qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr);
    QTemporaryDir out;
    QVERIFY(out.isValid());
    const QString first = out.filePath("pump a.irv");
    const QString second = out.filePath("pump b.irv");
    QVERIFY(roadtest::write_recording_part(sample_irv, first, 0, 80));
    QVERIFY(roadtest::write_recording_part(sample_irv, second, 80, 70));
    const QString picture = out.filePath("pump.jpg");
    QVERIFY(QFile::copy(sample_jpg, picture));
    DataConfig* config = DataConfig::instance();
    for (auto set : {&DataConfig::set_irv_open_path, &DataConfig::set_clip_video_path, &DataConfig::set_image_save_path,
                     &DataConfig::set_ana_path, &DataConfig::set_report_save_path, &DataConfig::set_isotherm_path})
        (config->*set)(out.path());

    AppShell shell;
    QVERIFY(shell.load_main_window());
    RoadWindow road(shell.main_window());
    QVERIFY(road.show(QSize(1280, 860)));
    QObject* start_page = road.find_object("start_page");
    QVERIFY(QMetaObject::invokeMethod(start_page, "open_file", Q_ARG(QVariant, first), Q_ARG(QVariant, false)));
    QTRY_VERIFY(road.find_item("wnd_ir_player") != nullptr && road.find_item("wnd_ir_player")->isVisible());
    auto* view = qobject_cast<WndIRShow*>(road.find_item("wnd_ir_show"));
    auto* player = qobject_cast<IRPlayer*>(view->source());
    QVERIFY(player != nullptr);

    // Open several: the second recording joins the play list.
    QFileDialog* dialog = show("open-recordings", [&] { return RoadWindow::click(road.find_item("btn_play_list_add")); },
                               QFileDialog::AcceptOpen, QFileDialog::ExistingFiles, QString());
    QVERIFY(dialog != nullptr);
    QCOMPARE(QDir(dialog->directory()), QDir(out.path()));
    type_name(dialog, "pump b.irv");
    QTRY_COMPARE(player->play_list(), QStringList({first, second}));
    QTRY_COMPARE(player->get_file_path(), second);

    // The clip's save dialog: Save, nothing chosen, ".irv". The recording
    // just opened typed as the name is asked about, then refused.
    QVERIFY(RoadWindow::click(road.find_item("btn_video_edit")));
    QTRY_VERIFY(road.find_item("wnd_video_edit")->isVisible());
    const QByteArray second_bytes = bytes_of(second);
    const auto clip_dialog = [&] { return RoadWindow::click(road.find_item("btn_clip_save")); };
    dialog = show("clip", clip_dialog, QFileDialog::AcceptSave, QFileDialog::AnyFile, "irv");
    QVERIFY(dialog != nullptr);
    {
        ReplaceAnswer answer;
        m_guard.expect(QRegularExpression("clip refused"));
        type_name(dialog, "pump b");
        QVERIFY(answer.text.contains("pump b.irv"));
    }
    QQuickWindow* box = road.find_window("message_box_player");
    QTRY_VERIFY(box->isVisible());
    QVERIFY2(box->property("strText").toString().contains("pump b.irv"), qPrintable(box->property("strText").toString()));
    // The box grows for the long name.
    QTRY_COMPARE(box->contentItem()->width(), qreal(box->width()));
    QTRY_COMPARE(box->contentItem()->height(), qreal(box->height()));
    RoadWindow::save_screen(box, kTest, "clip-refused");
    box->setVisible(false);
    QCOMPARE(bytes_of(second), second_bytes);

    // "*.H264" chosen: the suffix follows in lower case, and the clip named
    // in capitals is written in lower case with nothing else beside it.
    dialog = show("clip-again", clip_dialog, QFileDialog::AcceptSave, QFileDialog::AnyFile, "irv");
    QVERIFY(dialog != nullptr);
    auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    QVERIFY(types != nullptr && types->count() == 3);
    choose_filter(dialog, 1);
    QCOMPARE(dialog->defaultSuffix(), QString("h264"));
    const QStringList before = QDir(out.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    auto* progress = qobject_cast<WndVideoEditProgress*>(road.find_item("video_edit_progress"));
    progress->set_frame_pause_ms(0);
    QSignalSpy done(progress, &WndVideoEditProgress::sig_record_ok);
    type_name(dialog, "clip3.H264");
    QVERIFY(done.wait(60000));
    QTRY_VERIFY(box->isVisible());
    box->setVisible(false);
    QStringList after = QStringList(before) << "clip3.h264";
    after.sort();
    QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), after);
    QCOMPARE(bytes_of(second), second_bytes);

    // The alarm snapshots' folder, beside the player.
    QQuickItem* player_wnd = road.find_item("wnd_ir_player");
    dialog = show("snapshot-folder", [&] { return RoadWindow::click(player_wnd->findChild<QQuickItem*>("btn_snap_path")); },
                  QFileDialog::AcceptOpen, QFileDialog::Directory, QString());
    QVERIFY(dialog != nullptr);
    close(dialog, road.window());

    // A picture: save as, with the PNG filter, a name without suffix.
    QVariant opened;
    QVERIFY(QMetaObject::invokeMethod(road.find_object("wnd_client"), "open_picture", Q_RETURN_ARG(QVariant, opened),
                                      Q_ARG(QVariant, picture)));
    QVERIFY(opened.toBool());
    QTRY_VERIFY(road.find_item("wnd_ir_image") != nullptr && road.find_item("wnd_ir_image")->isVisible());
    // The player's window has the same tools: the picture's are asked for.
    QQuickItem* picture_wnd = road.find_item("wnd_ir_image");
    const auto in_picture = [picture_wnd](const char* name) { return picture_wnd->findChild<QQuickItem*>(name); };
    dialog = show("picture-save-as", [&] { return RoadWindow::click(in_picture("btn_save_to")); },
                  QFileDialog::AcceptSave, QFileDialog::AnyFile, "jpg");
    QVERIFY(dialog != nullptr);
    types = dialog->findChild<QComboBox*>("fileTypeCombo");
    QCOMPARE(types->count(), 3);
    choose_filter(dialog, 2);
    QCOMPARE(dialog->defaultSuffix(), QString("png"));
    type_name(dialog, "copy_png");
    QTRY_VERIFY(QFile::exists(out.filePath("copy_png.png")));
    QCOMPARE(bytes_of(out.filePath("copy_png.png")).left(4), QByteArray("\x89PNG"));
    QVERIFY(!QFile::exists(out.filePath("copy_png")));

    // The analysis export: ".as"; a second export of the same name asks.
    const auto export_ana = [&] { return RoadWindow::click(in_picture("btn_export_ana")); };
    dialog = show("analysis-export", export_ana, QFileDialog::AcceptSave, QFileDialog::AnyFile, "as");
    QVERIFY(dialog != nullptr);
    type_name(dialog, "objs");
    QTRY_VERIFY(QFile::exists(out.filePath("objs.as")));
    dialog = show("analysis-export-again", export_ana, QFileDialog::AcceptSave, QFileDialog::AnyFile, "as");
    QVERIFY(dialog != nullptr);
    {
        ReplaceAnswer answer;
        type_name(dialog, "objs");
        QVERIFY(answer.text.contains("objs.as"));
    }
    QTRY_VERIFY(shown_file_dialog::shown() == nullptr);

    // A full path typed into another folder: the next dialog of the
    // analysis files opens there, with nothing chosen.
    QVERIFY(QDir(out.path()).mkdir("other"));
    dialog = show("analysis-export-elsewhere", export_ana, QFileDialog::AcceptSave, QFileDialog::AnyFile, "as");
    QVERIFY(dialog != nullptr);
    type_name(dialog, out.filePath("other/far"));
    QTRY_VERIFY(QFile::exists(out.filePath("other/far.as")));
    dialog = show("analysis-import", [&] { return RoadWindow::click(in_picture("btn_import_ana")); },
                  QFileDialog::AcceptOpen, QFileDialog::ExistingFile, QString());
    QVERIFY(dialog != nullptr);
    QCOMPARE(QDir(dialog->directory()), QDir(out.filePath("other")));
    close(dialog, road.window());

    // The isotherm export: ".is".
    QVERIFY(RoadWindow::click(in_picture("btn_isotherm")));
    QObject* isotherm = nullptr;
    QTRY_VERIFY((isotherm = picture_wnd->findChild<QObject*>("wnd_ir_isotherm")) != nullptr);
    dialog = show("isotherm-export", [&] { return QMetaObject::invokeMethod(isotherm, "sig_save_isotherm"); },
                  QFileDialog::AcceptSave, QFileDialog::AnyFile, "is");
    QVERIFY(dialog != nullptr);
    type_name(dialog, "iso1");
    QTRY_VERIFY(QFile::exists(out.filePath("iso1.is")));

    // The picture's report: ".doc".
    dialog = show("picture-report", [&] { return RoadWindow::click(in_picture("btn_report")); },
                  QFileDialog::AcceptSave, QFileDialog::AnyFile, "doc");
    QVERIFY(dialog != nullptr);
    close(dialog, road.window());

    // A national-grid picture is saved only as one: its one filter, ".jpg".
    const QString sgcc = out.filePath("pump grid.jpg");
    QVERIFY(QFile::copy(QDir::current().absoluteFilePath("samples/sample_sgcc.jpg"), sgcc));
    QVERIFY(QMetaObject::invokeMethod(road.find_object("wnd_client"), "open_picture", Q_RETURN_ARG(QVariant, opened),
                                      Q_ARG(QVariant, sgcc)));
    QVERIFY(opened.toBool());
    dialog = show("sgcc-save-as", [&] { return RoadWindow::click(in_picture("btn_save_to")); },
                  QFileDialog::AcceptSave, QFileDialog::AnyFile, "jpg");
    QVERIFY(dialog != nullptr);
    QCOMPARE(dialog->nameFilters().size(), 1);
    type_name(dialog, "grid copy");
    QTRY_VERIFY(QFile::exists(out.filePath("grid copy.jpg")));

    // The batch report of the start page's pictures: ".doc".
    QObject* report = road.find_object("wnd_report");
    const QVariantMap record{{"strPicPath", picture}, {"strPicName", "pump.jpg"}};
    QVERIFY(QMetaObject::invokeMethod(road.window(), "show_report_wnd", Q_ARG(QVariant, QVariantList{record})));
    QTRY_VERIFY(report->property("visible").toBool());
    dialog = show("batch-report", [&] { return RoadWindow::click(road.find_item("report_print")); },
                  QFileDialog::AcceptSave, QFileDialog::AnyFile, "doc");
    QVERIFY(dialog != nullptr);
    close(dialog, road.window());
    QVERIFY(RoadWindow::click(road.find_item("report_exit")));
    QTRY_VERIFY(!report->property("visible").toBool());

    // The report designer: its save as offers ".doc" first, ".xml" and
    // ".dot" by filter.
    QVERIFY(RoadWindow::click(road.find_item("page_report_edit")));
    dialog = show("designer-save-as", [&] { return RoadWindow::click(road.find_item("btn_report_1302")); },
                  QFileDialog::AcceptSave, QFileDialog::AnyFile, "doc");
    QVERIFY(dialog != nullptr);
    choose_filter(dialog, 1);
    QCOMPARE(dialog->defaultSuffix(), QString("xml"));
    close(dialog, road.window());
    dialog = show("designer-open", [&] { return RoadWindow::click(road.find_item("btn_report_1300")); },
                  QFileDialog::AcceptOpen, QFileDialog::ExistingFile, QString());
    QVERIFY(dialog != nullptr);
    close(dialog, road.window());

    // The folder dialogs: detection-rule export and alarm snapshots.
    QObject* files = road.find_object("file_dialog");
    dialog = show("rule-export-folder", [&] {
        return QMetaObject::invokeMethod(files, "show_export_rule_zip_path", Q_ARG(QVariant, QVariant()),
                                         Q_ARG(QVariant, 0), Q_ARG(QVariant, out.path()));
    }, QFileDialog::AcceptOpen, QFileDialog::Directory, QString());
    QVERIFY(dialog != nullptr);
    close(dialog, road.window());
}

QTEST_MAIN(FileDialogsRoadTest)
#include "file_dialogs_road_test.moc"
