// Seeds of the office package reader, written by the office layer itself: a
// blank document, a page with every kind of content, and a filled template.
#include "office.h"
#include "seed_writer.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <string>

namespace {

bool copy_seed(const QString& path, const std::string& dir, const std::string& name)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    return seeds::write_seed(dir, name, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/fuzz_office_package";
    QTemporaryDir temp;
    bool ok = true;

    void* doc = nullptr;
    ok = ok && office_doc_init(doc);
    const QString blank = temp.filePath(QStringLiteral("blank.docx"));
    ok = ok && office_doc_save_w(doc, blank.toStdWString()) && copy_seed(blank, dir, "blank.docx");

    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(0xff336699);
    const QString picture = temp.filePath(QStringLiteral("p.png"));
    ok = ok && image.save(picture, "PNG");
    int box = -1;
    int table = -1;
    ok = ok && office_doc_add_text_box(doc, 10, 10, 100, 40, box) && office_box_append_text(doc, box, "text\tbox")
         && office_box_add_bookmark(doc, box, "DeviceType") && office_box_add_picture_w(doc, box, picture.toStdWString())
         && office_doc_add_table(doc, 2, 2, table) && office_table_set_position(doc, table, 20, 200)
         && office_cell_append_text(doc, table, 0, 0, "cell") && office_cell_add_bookmark(doc, table, 1, 1, "Phase");
    const QString full = temp.filePath(QStringLiteral("full.docx"));
    ok = ok && office_doc_save_w(doc, full.toStdWString()) && copy_seed(full, dir, "full.docx");

    ok = ok && office_doc_set_bookmark_text(doc, "Phase", "A") && office_doc_set_bookmark_picture_w(doc, "DeviceType", picture.toStdWString());
    const QString filled = temp.filePath(QStringLiteral("filled.docx"));
    ok = ok && office_doc_save_w(doc, filled.toStdWString()) && copy_seed(filled, dir, "filled.docx");
    office_doc_uninit(doc);
    return ok ? 0 : 1;
}
