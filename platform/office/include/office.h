// office: word-processing documents (.docx, .dotx) written and read in-process.
//
// A document handle holds one document in memory: a blank A4 page made by
// office_doc_init, or a document or template read by office_doc_open_w. Text
// boxes and tables are added to it and addressed by small numbers (from 0, in
// the order of adding) that stay valid for the handle's life; cells are
// addressed from 0. Positions and sizes are points; boxes and positioned
// tables are placed relative to the page. Text arrives as UTF-8; a line feed
// starts a new line and a tab is kept as a tab.
//
// Every function takes the document first (but init and open) and returns
// true on success; a null, foreign or freed handle returns false and touches
// nothing, and every refusal writes a log line. A handle is used by one
// thread at a time.
#pragma once

#include "vyapi.h"

#include <string>
#include <vector>

struct OfficeFont {
    std::string family;        // UTF-8; empty keeps the family of the surrounding text
    double point_size = 0.0;   // 0 or less keeps the size
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

enum OfficeAlignment {
    OFFICE_ALIGN_LEFT = 0,
    OFFICE_ALIGN_CENTER = 1,
    OFFICE_ALIGN_RIGHT = 2,
    OFFICE_ALIGN_JUSTIFY = 3,
};

VY_API bool office_doc_init(void*& doc);
// Opens a package (recognised by its content, whatever its name); a legacy
// binary document is converted first when soffice is installed and refused
// otherwise. A refused file leaves the caller's variable null.
VY_API bool office_doc_open_w(void*& doc, const std::wstring& path);
// Frees the document and clears the caller's variable.
VY_API bool office_doc_uninit(void*& doc);

// A text box at (left, top) of width x height, without border or fill, in
// front of the text.
VY_API bool office_doc_add_text_box(void* doc, int left, int top, int width, int height, int& box);
VY_API bool office_box_append_text(void* doc, int box, const std::string& text);
// An empty bookmark at the end of the box's text.
VY_API bool office_box_add_bookmark(void* doc, int box, const std::string& name);
// A bookmark over all the box holds.
VY_API bool office_box_bookmark_text(void* doc, int box, const std::string& name);
// The picture at the end of the box's text, in its own size or scaled down
// to fit the box.
VY_API bool office_box_add_picture_w(void* doc, int box, const std::wstring& path);
// Applies to the text written so far and to the text written later.
VY_API bool office_box_set_font(void* doc, int box, const OfficeFont& font);
VY_API bool office_box_set_alignment(void* doc, int box, int alignment);

// A plain grid with single borders and a fixed layout, flowing with the text
// until office_table_set_position places it on the page.
VY_API bool office_doc_add_table(void* doc, int rows, int columns, int& table);
VY_API bool office_table_set_position(void* doc, int table, int left, int top);
VY_API bool office_table_set_column_width(void* doc, int table, int column, int width);
// An exact row height.
VY_API bool office_table_set_row_height(void* doc, int table, int row, int height);
// A row at least that high, growing with what its cells hold.
VY_API bool office_table_set_min_row_height(void* doc, int table, int row, int height);
VY_API bool office_cell_append_text(void* doc, int table, int row, int column, const std::string& text);
VY_API bool office_cell_add_bookmark(void* doc, int table, int row, int column, const std::string& name);
VY_API bool office_cell_add_picture_w(void* doc, int table, int row, int column, const std::wstring& path);
VY_API bool office_cell_set_font(void* doc, int table, int row, int column, const OfficeFont& font);
VY_API bool office_cell_set_alignment(void* doc, int table, int row, int column, int alignment);

// Bookmark names are 1 to 40 letters, digits and _, starting with a letter,
// unique in a document and compared without regard to case.
VY_API bool office_doc_bookmark_names(void* doc, std::vector<std::string>& names);
VY_API bool office_doc_has_bookmark(void* doc, const std::string& name, bool& exists);
// Replaces what the bookmark holds; false (changing nothing) without it.
VY_API bool office_doc_set_bookmark_text(void* doc, const std::string& name, const std::string& text);
VY_API bool office_doc_set_bookmark_picture_w(void* doc, const std::string& name, const std::wstring& path);

// Appends a page break and then the body of page, with its pictures and
// with its drawings and bookmarks renumbered (a bookmark whose name doc
// already has is dropped); page is freed and the caller's variable cleared,
// also on failure. What doc held and the page's content are then final:
// they wait in a temporary file until the save, so that a report of
// thousands of pages takes the memory of one; their boxes, tables and
// bookmarks can no longer be written to (their bookmark names are still
// listed and still taken). Content added to doc later follows them.
VY_API bool office_doc_append(void* doc, void*& page);

// Writes the whole document into a temporary file beside path and renames
// it over path; on failure path is untouched and nothing is left behind.
VY_API bool office_doc_save_w(void* doc, const std::wstring& path);
