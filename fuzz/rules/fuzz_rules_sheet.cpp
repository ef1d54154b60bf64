// A rule sheet from a package: every worksheet read as rows of texts.
#include "rules/xls_reader.h"

#include <QFile>
#include <QTemporaryFile>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // FreeXL reads files only.
    QTemporaryFile file;
    if (!file.open() || file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
                            static_cast<qint64>(size)) {
        return 0;
    }
    file.close();
    XlsReader reader;
    if (reader.open(file.fileName())) {
        QList<QStringList> rows;
        for (int i = 0; i < reader.sheet_count() && i < 16; ++i) {
            reader.read_sheet(i, rows);
        }
    }
    return 0;
}
