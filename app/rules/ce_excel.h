// The rule sheet's workbook: written and read in-process in the legacy
// binary format, with the operations and the 1-based rows and columns that
// the rule exchange uses. One object serves one thread.
#pragma once

#include "rules/xls_reader.h"
#include "rules/xls_writer.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class CEexcel : public QObject {
    Q_OBJECT
public:
    explicit CEexcel(QObject* parent = nullptr);
    ~CEexcel() override;

    // A new workbook with one empty sheet to write.
    bool create_workbook();
    // Opens a workbook to read; false when the file is no readable workbook.
    bool open_workbook(const QString& path);
    int get_sheet_count() const;
    // Index 1 is the first sheet.
    void select_sheet(int index);
    // Row and column from 1. False, with the cell unchanged, when there is no
    // new workbook, the cell lies outside the format or the text is longer
    // than a cell holds.
    bool set_cell_text(int row, int column, const QString& text);
    // Appends the rows of sheet index (from 1) to rows; nothing for a
    // missing sheet.
    void read_sheet(int index, QList<QStringList>& rows);
    // Saves the new workbook at path (replacing a file there) and closes it;
    // false when there is no workbook or the file could not be written.
    bool save_as(const QString& path);
    void close_workbook();
    void release();

private:
    std::unique_ptr<XlsWriter> m_writer;
    std::unique_ptr<XlsReader> m_reader;
    int m_sheet = 0;
};
