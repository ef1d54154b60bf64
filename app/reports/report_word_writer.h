// What the report layouts ask of a word-processor document writer: one call
// per piece of content, geometry in page pixels (the writer converts them
// with its dpi), cells numbered from 1. Every object a writer hands out stays
// its own and is valid until close_word; null or false mean failure.
#pragma once

#include "reports/report_mark_entry.h"

#include <QFont>
#include <QMap>
#include <QString>
#include <QVector>

#include <cstdint>

namespace report_word {

// Points of a page-pixel length: pixels x 72 / dpi, the product taken in 64
// bits (a large layout value times 72 leaves 32 bits), truncated toward
// zero; with a dpi of 0 or less the pixels unchanged.
inline int points_from_pixels(int pixels, int dpi)
{
    if (dpi <= 0) return pixels;
    return static_cast<int>(static_cast<double>(static_cast<int64_t>(pixels) * 72) / dpi);
}

// Paragraph alignment of a component's Qt alignment flags, tested left,
// centre, right in that order: 0 left, 1 centred, 2 right; -1 for none.
// Left is written as left, not as justified.
inline int paragraph_alignment(int flags)
{
    if (flags & 0x1) return 0;
    if (flags & 0x4) return 1;
    if (flags & 0x2) return 2;
    return -1;
}

}  // namespace report_word

// A text box or table inside the writer's document.
class ReportWordItem {
public:
    virtual ~ReportWordItem() = default;
};

class ReportWordWriter {
public:
    virtual ~ReportWordWriter() = default;

    // Starts a document; false when no document can be made.
    virtual bool open_word() = 0;
    // A second document for one more page; see append_page_document.
    virtual bool add_page_document() = 0;
    virtual ReportWordItem* add_text_box(int left, int top, int width, int height) = 0;
    virtual ReportWordItem* add_table(int rows, int columns) = 0;
    virtual bool set_table_position(ReportWordItem* table, int x, int y, int width, int height) = 0;
    // Sizes by item number from 1 in vector order ...
    virtual bool set_table_sizes(ReportWordItem* table, const QVector<int>& column_widths,
                                 const QVector<int>& row_heights) = 0;
    // ... or by 0-based index.
    virtual bool set_table_sizes(ReportWordItem* table, const QMap<int, int>& column_widths,
                                 const QMap<int, int>& row_heights) = 0;
    virtual bool set_cell_text(ReportWordItem* table, int row, int column, const QString& text) = 0;
    // Types the literal entries and puts a bookmark named after its field key
    // at each data mark.
    virtual bool set_cell_marks(ReportWordItem* table, int row, int column, const ReportMarkEntries& entries) = 0;
    virtual bool set_cell_font(ReportWordItem* table, int row, int column, const QFont& font, int flags) = 0;
    virtual bool set_text_box_text(ReportWordItem* box, const QString& text) = 0;
    virtual bool set_text_box_marks(ReportWordItem* box, const ReportMarkEntries& entries) = 0;
    virtual bool set_text_box_font(ReportWordItem* box, const QFont& font, int flags) = 0;
    virtual bool bookmark_text_box(ReportWordItem* box, const QString& name) = 0;
    virtual bool add_text_box_picture(ReportWordItem* box, const QString& path) = 0;
    // Appends the page document to the main one after a page break.
    virtual bool append_page_document() = 0;
    // Saves the main document; false when it was not written.
    virtual bool save_document(const QString& path) = 0;
    // Closes everything; harmless when nothing is open.
    virtual bool close_word() = 0;
    virtual QString unique_bookmark_name(const QString& base) = 0;
    // Screen dots per inch of the pixel-to-point conversion.
    virtual int dpi() const = 0;
};
