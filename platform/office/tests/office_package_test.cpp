// Packages: what a saved document holds, hostile packages, and saving safely.
#include "office.h"
#include "office_test_support.h"

#include <quazip/quazipnewinfo.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace office_test;

namespace {

void write_zip(const QString& path, const QList<QPair<QString, QByteArray>>& entries)
{
    QuaZip zip(path);
    ASSERT_TRUE(zip.open(QuaZip::mdCreate));
    for (const auto& e : entries) {
        QuaZipFile file(&zip);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly, QuaZipNewInfo(e.first)));
        file.write(e.second);
        file.close();
    }
    zip.close();
}

const QByteArray kTypes =
    "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>";
const QByteArray kRels =
    "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"word/document.xml\"/></Relationships>";
const QByteArray kDocument =
    "<?xml version=\"1.0\"?><w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
    "<w:body><w:p><w:bookmarkStart w:id=\"0\" w:name=\"A\"/><w:bookmarkEnd w:id=\"0\"/></w:p></w:body></w:document>";

TEST(OfficePackage, blank_document_is_a_complete_package)
{
    QTemporaryDir dir;
    void* doc = nullptr;
    ASSERT_TRUE(office_doc_init(doc));
    const QString path = dir.filePath(QStringLiteral("blank.docx"));
    ASSERT_TRUE(office_doc_save_w(doc, wide(path)));
    ASSERT_TRUE(office_doc_uninit(doc));
    EXPECT_EQ(doc, nullptr);
    EXPECT_FALSE(office_doc_uninit(doc));

    QuaZip zip(path);
    ASSERT_TRUE(zip.open(QuaZip::mdUnzip));
    ASSERT_TRUE(zip.goToFirstFile());
    EXPECT_EQ(zip.getCurrentFileName(), QStringLiteral("[Content_Types].xml"));
    zip.close();

    const auto parts = read_parts(path);
    for (auto it = parts.cbegin(); it != parts.cend(); ++it) {
        QDomDocument dom;
        EXPECT_TRUE(dom.setContent(it.value(), true)) << it.key().toStdString();
    }
    const QDomDocument types = dom_of(parts.value(QStringLiteral("[Content_Types].xml")));
    bool main_typed = false;
    for (const QDomElement& o : elements(types, types.documentElement().namespaceURI(), QStringLiteral("Override"))) {
        if (o.attribute(QStringLiteral("PartName")) == QLatin1String("/word/document.xml")) {
            main_typed = o.attribute(QStringLiteral("ContentType")).endsWith(QLatin1String("document.main+xml"));
        }
    }
    EXPECT_TRUE(main_typed);
    EXPECT_TRUE(parts.value(QStringLiteral("_rels/.rels")).contains("Target=\"word/document.xml\""));
    const QDomDocument body = dom_of(parts.value(QStringLiteral("word/document.xml")));
    EXPECT_EQ(elements(body, kW, QStringLiteral("sectPr")).size(), 1u);
}

TEST(OfficePackage, hostile_packages_are_refused)
{
    QTemporaryDir dir;
    const QByteArray deep = "<?xml version=\"1.0\"?><w:document xmlns:w=\"http://schemas.openxmlformats.org/"
                            "wordprocessingml/2006/main\"><w:body>"
                            + QByteArray("<w:p>").repeated(300) + QByteArray("</w:p>").repeated(300)
                            + "</w:body></w:document>";
    const QByteArray dtd = "<?xml version=\"1.0\"?><!DOCTYPE w:document [<!ENTITY a \"aaaa\">]>" + kDocument.mid(21);
    const struct {
        const char* name;
        QList<QPair<QString, QByteArray>> entries;
    } cases[] = {
        {"parent folder in a name", {{"[Content_Types].xml", kTypes}, {"_rels/.rels", kRels}, {"../word/document.xml", kDocument}}},
        {"absolute name", {{"[Content_Types].xml", kTypes}, {"_rels/.rels", kRels}, {"/word/document.xml", kDocument}}},
        {"no content types", {{"_rels/.rels", kRels}, {"word/document.xml", kDocument}}},
        {"no main part", {{"[Content_Types].xml", kTypes}, {"_rels/.rels", kRels}}},
        {"no relationships", {{"[Content_Types].xml", kTypes}, {"word/document.xml", kDocument}}},
        {"truncated main part", {{"[Content_Types].xml", kTypes}, {"_rels/.rels", kRels}, {"word/document.xml", kDocument.left(80)}}},
        {"document type", {{"[Content_Types].xml", kTypes}, {"_rels/.rels", kRels}, {"word/document.xml", dtd}}},
        {"nesting too deep", {{"[Content_Types].xml", kTypes}, {"_rels/.rels", kRels}, {"word/document.xml", deep}}},
        {"no body", {{"[Content_Types].xml", kTypes}, {"_rels/.rels", kRels}, {"word/document.xml", "<?xml version=\"1.0\"?><x/>"}}},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".docx"));
        write_zip(path, c.entries);
        void* doc = nullptr;
        EXPECT_FALSE(office_doc_open_w(doc, wide(path))) << c.name;
        EXPECT_EQ(doc, nullptr) << c.name;
    }
    // Not a package at all, a truncated zip, and a missing file.
    QFile junk(dir.filePath(QStringLiteral("junk.docx")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("PK\x03\x04 not really a zip");
    junk.close();
    write_zip(dir.filePath(QStringLiteral("whole.docx")), {{"[Content_Types].xml", kTypes}, {"_rels/.rels", kRels},
                                                            {"word/document.xml", kDocument}});
    QFile whole(dir.filePath(QStringLiteral("whole.docx")));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QFile cut(dir.filePath(QStringLiteral("cut.docx")));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.readAll().left(200));
    cut.close();
    for (const char* name : {"junk.docx", "cut.docx", "missing.docx"}) {
        void* doc = nullptr;
        EXPECT_FALSE(office_doc_open_w(doc, wide(dir.filePath(QLatin1String(name))))) << name;
        EXPECT_EQ(doc, nullptr);
    }
    void* doc = nullptr;
    ASSERT_TRUE(office_doc_open_w(doc, wide(dir.filePath(QStringLiteral("whole.docx")))));
    bool exists = false;
    EXPECT_TRUE(office_doc_has_bookmark(doc, "a", exists));
    EXPECT_TRUE(exists);
    office_doc_uninit(doc);
}

TEST(OfficePackage, foreign_content_and_parts_survive_a_round_trip)
{
    QTemporaryDir dir;
    const QByteArray document =
        "<?xml version=\"1.0\"?><w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
        "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\" xmlns:x14=\"urn:example:extra\" "
        "mc:Ignorable=\"x14\"><w:body><w:p x14:paraId=\"1A\"><x14:note x14:v=\"kept\"/><w:r><w:t>Value: </w:t></w:r>"
        "<w:bookmarkStart w:id=\"7\" w:name=\"Value\"/><w:r><w:t>old</w:t></w:r><w:bookmarkEnd w:id=\"7\"/></w:p>"
        "<w:sectPr/></w:body></w:document>";
    const QString source = dir.filePath(QStringLiteral("source.docx"));
    write_zip(source, {{"[Content_Types].xml", kTypes}, {"_rels/.rels", kRels}, {"word/document.xml", document},
                       {"customXml/item1.xml", "<data>unchanged</data>"}});
    void* doc = nullptr;
    ASSERT_TRUE(office_doc_open_w(doc, wide(source)));
    ASSERT_TRUE(office_doc_set_bookmark_text(doc, "Value", "new"));
    const QString saved = dir.filePath(QStringLiteral("saved.docx"));
    ASSERT_TRUE(office_doc_save_w(doc, wide(saved)));
    office_doc_uninit(doc);

    const auto parts = read_parts(saved);
    EXPECT_EQ(parts.value(QStringLiteral("customXml/item1.xml")), QByteArray("<data>unchanged</data>"));
    QDomDocument dom;
    ASSERT_TRUE(dom.setContent(parts.value(QStringLiteral("word/document.xml")), true));
    const auto notes = elements(dom, QStringLiteral("urn:example:extra"), QStringLiteral("note"));
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].attributeNS(QStringLiteral("urn:example:extra"), QStringLiteral("v")), QStringLiteral("kept"));
    EXPECT_EQ(text_of(dom), QStringLiteral("Value: new"));
    // A later bookmark gets an id past the ones the document had.
    ASSERT_TRUE(office_doc_open_w(doc, wide(saved)));
    int box = -1;
    ASSERT_TRUE(office_doc_add_text_box(doc, 0, 0, 10, 10, box));
    ASSERT_TRUE(office_box_add_bookmark(doc, box, "Later"));
    ASSERT_TRUE(office_doc_save_w(doc, wide(saved)));
    office_doc_uninit(doc);
    EXPECT_TRUE(read_parts(saved).value(QStringLiteral("word/document.xml")).contains("w:id=\"8\" w:name=\"Later\""));
}

TEST(OfficePackage, failed_saves_leave_nothing_behind)
{
    QTemporaryDir dir;
    void* doc = nullptr;
    ASSERT_TRUE(office_doc_init(doc));

    // A folder no file can be made in: read-only for a user, and a
    // read-only file system where the tests run as root.
    QString locked = dir.filePath(QStringLiteral("locked"));
    if (::geteuid() == 0) {
        locked = QStringLiteral("/proc");
    } else {
        ASSERT_TRUE(QDir().mkdir(locked));
        ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    }
    EXPECT_FALSE(office_doc_save_w(doc, wide(locked + QStringLiteral("/report.docx"))));
    EXPECT_TRUE(QDir(locked).entryList({QStringLiteral("*report.docx*")}, QDir::AllEntries | QDir::Hidden).isEmpty());
    EXPECT_FALSE(office_doc_save_w(doc, wide(dir.filePath(QStringLiteral("no/such/folder/report.docx")))));

    // A target that cannot be replaced: the temporary file goes again.
    const QString taken = dir.filePath(QStringLiteral("taken.docx"));
    ASSERT_TRUE(QDir().mkdir(taken));
    EXPECT_FALSE(office_doc_save_w(doc, wide(taken)));
    QStringList left = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    left.removeAll(QStringLiteral("locked"));
    EXPECT_EQ(left, QStringList{QStringLiteral("taken.docx")});

    // An existing file is replaced whole.
    const QString target = dir.filePath(QStringLiteral("report.docx"));
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    EXPECT_TRUE(office_doc_save_w(doc, wide(target)));
    EXPECT_FALSE(read_parts(target).isEmpty());
    office_doc_uninit(doc);
    if (::geteuid() != 0) {
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

// A link stays a link, the file it points to gets the document, and the
// partial file of a save killed long ago goes; a recent one may belong to a
// save still running.
TEST(OfficePackage, save_keeps_a_link_and_clears_stale_partial_files)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir().mkdir(dir.filePath(QStringLiteral("real"))));
    const QString real = dir.filePath(QStringLiteral("real/report.docx"));
    const QString link = dir.filePath(QStringLiteral("report.docx"));
    ASSERT_TRUE(QFile::link(real, link));
    QFile stale(dir.filePath(QStringLiteral("real/.report.docx.Ab12Cd")));
    QFile recent(dir.filePath(QStringLiteral("real/.report.docx.Ef34Gh")));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly) && recent.open(QIODevice::WriteOnly));
    ASSERT_TRUE(stale.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    stale.close();
    recent.close();

    void* doc = nullptr;
    ASSERT_TRUE(office_doc_init(doc));
    EXPECT_TRUE(office_doc_save_w(doc, wide(link)));
    office_doc_uninit(doc);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_FALSE(read_parts(real).isEmpty());
    EXPECT_FALSE(stale.exists());
    EXPECT_TRUE(recent.exists());
}

// A new document is readable by others, as files saved by other programs;
// a replaced one keeps the permissions its owner gave it.
TEST(OfficePackage, saved_documents_get_usual_or_kept_permissions)
{
    QTemporaryDir dir;
    const QString fresh = dir.filePath(QStringLiteral("fresh.docx"));
    const QString kept = dir.filePath(QStringLiteral("kept.docx"));
    const QFileDevice::Permissions chosen = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                            QFile::WriteUser | QFile::ReadGroup | QFile::WriteGroup;
    void* doc = nullptr;
    ASSERT_TRUE(office_doc_init(doc));
    ASSERT_TRUE(office_doc_save_w(doc, wide(kept)));
    ASSERT_TRUE(QFile::setPermissions(kept, chosen));
    EXPECT_TRUE(office_doc_save_w(doc, wide(fresh)));
    EXPECT_TRUE(office_doc_save_w(doc, wide(kept)));
    office_doc_uninit(doc);
    EXPECT_TRUE(QFile::permissions(fresh) & QFile::ReadOther);
    EXPECT_EQ(QFile::permissions(kept), chosen);
}

TEST(OfficePackage, foreign_and_freed_handles_are_refused)
{
    int box = -1;
    int local = 0;
    void* foreign = &local;
    EXPECT_FALSE(office_doc_add_text_box(nullptr, 0, 0, 10, 10, box));
    EXPECT_FALSE(office_doc_add_text_box(foreign, 0, 0, 10, 10, box));
    void* doc = nullptr;
    ASSERT_TRUE(office_doc_init(doc));
    void* copy = doc;
    ASSERT_TRUE(office_doc_uninit(doc));
    EXPECT_FALSE(office_doc_save_w(copy, L"/tmp/never.docx"));
    EXPECT_EQ(box, -1);
}

}  // namespace
