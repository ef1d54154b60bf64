// Reads the worksheets of a legacy binary workbook as rows of cell texts.
// The file is outside input: libgsf reads its compound file, and FreeXL
// parses the records of the workbook stream, rewrapped by our own writer.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class XlsReader {
public:
    XlsReader() = default;
    ~XlsReader();
    XlsReader(const XlsReader&) = delete;
    XlsReader& operator=(const XlsReader&) = delete;

    // False (with a log line) when the file is no readable workbook.
    bool open(const QString& path);
    void close();
    bool is_open() const { return m_handle != nullptr; }

    int sheet_count() const;
    // Appends the rows of worksheet index (from 0) to rows: every row as wide
    // as the sheet's used columns, numbers as their text. A sheet of at most
    // one cell adds nothing. False for a sheet that does not exist.
    bool read_sheet(int index, QList<QStringList>& rows) const;

private:
    const void* m_handle = nullptr;
};
