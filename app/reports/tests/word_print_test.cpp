// The template filler: bookmarks filled or refused, pages gathered after
// page breaks, and the built-in templates holding every field.
#include "reports/word_print.h"

#include "office.h"
#include "office_test_support.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace office_test;

namespace {

// A template holding the given bookmarks, each in a cell of its own.
QString make_template(const QString& path, const QStringList& names)
{
    void* doc = nullptr;
    office_doc_init(doc);
    int table = -1;
    office_doc_add_table(doc, names.size(), 1, table);
    for (int i = 0; i < names.size(); ++i) {
        office_cell_add_bookmark(doc, table, i, 0, names[i].toStdString());
    }
    office_doc_save_w(doc, path.toStdWString());
    office_doc_uninit(doc);
    return path;
}

int page_breaks(const QDomDocument& body)
{
    int breaks = 0;
    for (const QDomElement& br : elements(body, kW, QStringLiteral("br"))) {
        breaks += br.attributeNS(kW, QStringLiteral("type")) == QLatin1String("page");
    }
    return breaks;
}

}  // namespace

class WordPrintTest : public QObject {
    Q_OBJECT

private slots:
    void bookmarks_are_filled_or_refused()
    {
        QTemporaryDir dir;
        const QString dot = make_template(dir.filePath(QStringLiteral("t.dot")), {"IRPicture1", "DeviceName"});
        const QString picture = write_picture(dir.filePath(QStringLiteral("ir.png")), 64, 48, "PNG");
        WordPrint print;
        QVERIFY(!print.new_document(dot));
        QVERIFY(!print.save_document(dir.filePath(QStringLiteral("early.doc"))));
        QVERIFY(!print.set_bookmark_text(QStringLiteral("DeviceName"), QStringLiteral("x")));
        QVERIFY(print.open_application());
        QVERIFY(print.new_document(dot));
        QVERIFY(!print.insert_bookmark_picture(QStringLiteral("IRPicture"), picture));
        QVERIFY(print.insert_bookmark_picture(QStringLiteral("IRPicture1"), picture));
        // A place that exists but a picture that cannot be read: failure, not success.
        QVERIFY(!print.insert_bookmark_picture(QStringLiteral("IRPicture1"), dir.filePath(QStringLiteral("none.png"))));
        QVERIFY(print.set_bookmark_text(QStringLiteral("DeviceName"), QStringLiteral("主变 A")));
        QVERIFY(!print.set_bookmark_text(QStringLiteral("SubstationName"), QStringLiteral("absent")));
        const QString out = dir.filePath(QStringLiteral("one.doc"));
        print.append_page_document();
        QVERIFY(print.save_document(out));
        const QDomDocument body = dom_of(read_parts(out).value(QStringLiteral("word/document.xml")));
        QCOMPARE(text_of(body), QStringLiteral("主变 A"));
        QCOMPARE(elements(body, kWp, QStringLiteral("inline")).size(), size_t(1));
        QCOMPARE(page_breaks(body), 0);

        QFile junk(dir.filePath(QStringLiteral("junk.dot")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("neither a package nor a legacy file");
        junk.close();
        QVERIFY(!print.new_document(junk.fileName()));
        QVERIFY(print.close_application());
        QVERIFY(print.close_application());
    }

    void three_pictures_make_three_pages()
    {
        QTemporaryDir dir;
        const QString dot = make_template(dir.filePath(QStringLiteral("t.dot")), {"DeviceName"});
        WordPrint print;
        QVERIFY(print.open_application());
        for (int i = 1; i <= 3; ++i) {
            QVERIFY(print.new_document(dot));
            QVERIFY(print.set_bookmark_text(QStringLiteral("DeviceName"), QStringLiteral("picture %1").arg(i)));
            print.append_page_document();
        }
        const QString out = dir.filePath(QStringLiteral("three.doc"));
        QVERIFY(print.save_document(out));
        const QDomDocument body = dom_of(read_parts(out).value(QStringLiteral("word/document.xml")));
        QCOMPARE(text_of(body), QStringLiteral("picture 1picture 2picture 3"));
        QCOMPARE(page_breaks(body), 2);
    }

    void built_in_templates_hold_every_field_and_picture_place()
    {
        const QStringList fields = {
            "DocumentTitle", "SubstationName", "DeviceArea", "DeviceName", "DeviceType", "Phase", "RunningVoltage",
            "LoadCurrent", "RecordingDate", "RecordingTime", "Emissivity", "RecordingDistances", "AambientTemperature",
            "RelativeHumidity", "FullscreenMaxTemperature", "FullscreenMinTemperature", "FullscreenAvgTemperature",
            "IR1Weather", "IR1WindSpeed", "IR1Longitude", "IR1Latitude", "IR1Altitude", "IR1DesMark", "IR1PresetText",
            "AnalyzeName1", "AnalyzeTemperature5"};
        QTemporaryDir dir;
        const QString picture = write_picture(dir.filePath(QStringLiteral("p.png")), 640, 480, "PNG");
        for (const char* name : {"DefaultDot", "DefaultDotEn", "DefaultDotHk"}) {
            for (const QString& suffix : {QString(), QStringLiteral("VI")}) {
                const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name)
                                     + suffix + QStringLiteral(".dot");
                WordPrint print;
                QVERIFY(print.open_application());
                // Two pictures, each on a page of its own, every field filled
                // with a short value of its own.
                for (int page = 0; page < 2; ++page) {
                    QVERIFY2(print.new_document(path), qPrintable(path));
                    for (int i = 0; i < fields.size(); ++i) {
                        QVERIFY2(print.set_bookmark_text(fields[i], value_of(i)), qPrintable(path + " " + fields[i]));
                    }
                    QVERIFY(print.insert_bookmark_picture(QStringLiteral("IRPicture"), picture));
                    QCOMPARE(print.insert_bookmark_picture(QStringLiteral("VIPicture"), picture), !suffix.isEmpty());
                    print.append_page_document();
                }
                const QString out = dir.filePath(QLatin1String(name) + suffix + QStringLiteral(".doc"));
                QVERIFY(print.save_document(out));
                const QDomDocument body = dom_of(read_parts(out).value(QStringLiteral("word/document.xml")));
                QCOMPARE(page_breaks(body), 1);
                QCOMPARE(int(elements(body, kWp, QStringLiteral("inline")).size()), suffix.isEmpty() ? 2 : 4);
                if (QLatin1String(name) == QLatin1String("DefaultDot") && !suffix.isEmpty()) {
                    check_in_reader(out, dir.path(), fields);
                }
            }
        }
    }

private:
    static QString value_of(int field) { return QStringLiteral("#%1#").arg(field, 2, 10, QLatin1Char('0')); }

    // Where a reader is installed: two pages, each showing every value.
    static void check_in_reader(const QString& document, const QString& folder, const QStringList& fields)
    {
        QList<QByteArray> pages;
        if (!pdf_pages(document, folder, pages)) {
            qInfo("soffice and pdftotext are not installed: the filled report is not checked in a reader");
            return;
        }
        QCOMPARE(pages.size(), 2);
        for (const QByteArray& page : pages) {
            for (int i = 0; i < fields.size(); ++i) {
                QVERIFY2(page.contains(value_of(i).toUtf8()), qPrintable(fields[i]));
            }
        }
    }
};

QTEST_MAIN(WordPrintTest)
#include "word_print_test.moc"
