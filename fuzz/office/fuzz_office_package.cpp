// The package reader of the office layer, and the bookmark and page
// operations on what it accepts. The input goes through a file, as the
// reader takes a path; legacy binary input is skipped, as it would start a
// converter program.
#include "office.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString path = QDir::temp().filePath(QStringLiteral("fuzz_office_%1.docx").arg(::getpid()));
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    if (bytes.startsWith(QByteArray::fromHex("D0CF11E0"))) {
        return 0;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        return 0;
    }
    file.close();
    void* doc = nullptr;
    if (office_doc_open_w(doc, path.toStdWString())) {
        std::vector<std::string> names;
        office_doc_bookmark_names(doc, names);
        if (!names.empty()) {
            office_doc_set_bookmark_text(doc, names.front(), "value\nline");
        }
        void* main = nullptr;
        if (office_doc_init(main)) {
            office_doc_append(main, doc);
            office_doc_uninit(main);
        }
        office_doc_uninit(doc);
    }
    QFile::remove(path);
    return 0;
}
