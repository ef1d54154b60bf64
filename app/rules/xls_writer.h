// Writes one worksheet of text cells as a legacy binary workbook: BIFF8
// records in the "Workbook" stream of a compound file. Every cell is a shared
// string in a cell formatted as text, so digits keep their leading zeros.
#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <utility>

class XlsWriter {
public:
    // Limits of the format.
    static constexpr int kMaxRows = 65536;
    static constexpr int kMaxColumns = 256;
    // The format holds 32767 characters in a cell, but FreeXL, which reads
    // the sheets back, follows a shared string over at most two records;
    // a longer text would come back damaged, so it is refused here.
    static constexpr int kMaxTextLength = 8221;

    // Sets a cell (row and column from 0); an empty text clears it. False,
    // with nothing changed, outside the format's rows and columns or for a
    // text longer than a cell holds: a text is never cut.
    bool set_text(int row, int column, const QString& text);
    bool is_empty() const { return m_cells.empty(); }
    void clear() { m_cells.clear(); }

    // The BIFF8 workbook stream of the sheet.
    QByteArray workbook_stream() const;
    // The whole file: the stream inside a compound file.
    bool file_bytes(QByteArray& out) const;
    // A compound file of the one stream `name`, written by libgsf.
    static bool compound_file(QByteArray stream, const char* name, QByteArray& out);
    // Writes the file through a temporary file renamed over path when
    // complete; false (and no file) on failure.
    bool save(const QString& path) const;

private:
    std::map<std::pair<int, int>, QString> m_cells;  // (row, column), row-major order
};
