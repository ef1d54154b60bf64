// What the file dialogs decide: the suffix a save takes from its filter,
// and which targets are files the saving operation reads from.
#include "shell/save_target.h"
#include "shell/shown_file_dialog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class FileDialogRulesTest : public QObject {
    Q_OBJECT

private slots:
    void dialog_suffix_of_filter_data();
    void dialog_suffix_of_filter();
    void dialog_no_widget_dialog_without_qapplication();
    void save_target_names_a_source_data();
    void save_target_names_a_source();
    void save_target_first_clash_among_parts();
};

void FileDialogRulesTest::dialog_suffix_of_filter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("one pattern") << QString::fromUtf8("红外图片 (*.png)") << "png";
    QTest::newRow("capitals are written in lower case") << QString::fromUtf8("红外视频H264 (*.H264)") << "h264";
    QTest::newRow("first of several") << "Report template (*.xml *.dot)"
                                      << "xml";
    QTest::newRow("parentheses in the description") << "Layout (new) (*.xml)"
                                                    << "xml";
    QTest::newRow("bare patterns") << "*.is"
                                   << "is";
    QTest::newRow("any file") << "All (*)" << QString();
    QTest::newRow("any suffix") << "All (*.*)" << QString();
    QTest::newRow("empty") << QString() << QString();
}

void FileDialogRulesTest::dialog_suffix_of_filter()
{
    QFETCH(QString, filter);
    QFETCH(QString, suffix);
    QCOMPARE(shown_file_dialog::suffix_of_filter(filter), suffix);
}

void FileDialogRulesTest::dialog_no_widget_dialog_without_qapplication()
{
    // The tests run on QGuiApplication: there is no widget to prepare.
    QVERIFY(shown_file_dialog::shown() == nullptr);
    QVERIFY(!shown_file_dialog::prepare(QString()));
}

void FileDialogRulesTest::save_target_names_a_source_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("source");
    QTest::newRow("the source") << "rec.irv" << true;
    QTest::newRow("through ..") << "sub/../rec.irv" << true;
    QTest::newRow("through a link") << "link.irv" << true;
    QTest::newRow("through a linked folder") << "linked/rec.irv" << true;
    QTest::newRow("other case is another file here") << "rec.IRV" << false;
    QTest::newRow("a new file") << "new.irv" << false;
    QTest::newRow("a new file in a new folder") << "none/rec.irv" << false;
    QTest::newRow("no target") << QString() << false;
}

void FileDialogRulesTest::save_target_names_a_source()
{
    QFETCH(QString, target);
    QFETCH(bool, source);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath("rec.irv"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("x") == 1);
    file.close();
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    QVERIFY(QFile::link(dir.filePath("rec.irv"), dir.filePath("link.irv")));
    QVERIFY(QFile::link(dir.path(), dir.filePath("linked")));
    const QStringList sources{QString(), dir.filePath("other.irv"), dir.filePath("rec.irv")};
    const QString path = target.isEmpty() ? target : dir.filePath(target);
    QCOMPARE(save_target::is_source(path, sources), source);
    // A relative name counts from the working folder.
    QVERIFY(QDir::setCurrent(dir.path()));
    QCOMPARE(save_target::is_source(target, sources), source);
}

void FileDialogRulesTest::save_target_first_clash_among_parts()
{
    const QStringList sources{"/r/a.irv", "/r/a_03.irv"};
    QCOMPARE(save_target::source_among({"/r/b.irv", "/r/a_02.irv", "/r/a_03.irv", "/r/a.irv"}, sources),
             QString("/r/a_03.irv"));
    QCOMPARE(save_target::source_among({"/r/b.irv"}, sources), QString());
    QVERIFY(save_target::refusal_message("/r/a.irv").contains("/r/a.irv"));
}

QTEST_MAIN(FileDialogRulesTest)
#include "file_dialog_rules_test.moc"
