// One word-processing document held in memory: the package's parts, the
// main part as an element tree and the places content is written to.
#pragma once

#include "package.h"
#include "xml_tree.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <QHash>

#include <deque>
#include <memory>

namespace office::detail {

struct RunFont {
    QString family;
    double point_size = 0.0;  // <= 0 keeps the size of the surrounding text
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// A place that holds paragraphs: the content of a text box or a table cell.
struct TextPlace {
    XmlNode* holder = nullptr;
    // Room for a picture in EMU; 0 where a side is not bounded.
    qint64 room_cx = 0;
    qint64 room_cy = 0;
    bool has_font = false;
    RunFont font;
    int alignment = -1;
};

struct TableRef {
    XmlNode* table = nullptr;
    // The drawing that holds the table once it is placed on the page.
    XmlNode* anchor = nullptr;
    int rows = 0;
    int columns = 0;
    std::deque<TextPlace> cells;  // row-major
};

// Alignments as the exported functions number them.
enum Alignment { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2, kAlignJustify = 3 };

constexpr int kMaxTableRows = 1000;
constexpr int kMaxTableColumns = 63;  // the format's own column limit
constexpr int kMaxBookmarkName = 40;

class WordDocument {
public:
    WordDocument() = default;
    WordDocument(const WordDocument&) = delete;
    WordDocument& operator=(const WordDocument&) = delete;

    bool create_blank(QString& error);
    // Opens a document or template package; a legacy binary file is first
    // converted by an installed soffice.
    bool open(const QString& path, QString& error);
    bool save(const QString& path, QString& error);

    // Positions and sizes in points relative to the page.
    int add_text_box(int left, int top, int width, int height, QString& error);
    int add_table(int rows, int columns, QString& error);
    bool set_table_position(int table, int left, int top, QString& error);
    bool set_column_width(int table, int column, int width, QString& error);
    // exact: the row keeps its height; else it grows with its content.
    bool set_row_height(int table, int row, int height, bool exact, QString& error);
    TextPlace* box(int id);
    TextPlace* cell(int table, int row, int column);

    bool append_text(TextPlace& place, const QString& text);
    bool add_bookmark_here(TextPlace& place, const QString& name, QString& error);
    bool bookmark_all(TextPlace& place, const QString& name, QString& error);
    bool add_picture(TextPlace& place, const QString& path, QString& error);
    void set_font(TextPlace& place, const RunFont& font);
    void set_alignment(TextPlace& place, int alignment);

    QStringList bookmark_names() const;
    bool has_bookmark(const QString& name) const;
    bool set_bookmark_text(const QString& name, const QString& text, QString& error);
    bool set_bookmark_picture(const QString& name, const QString& path, QString& error);

    // A page break, then the body of page; page is left empty. What the
    // document held before and the page's content become final: they go to
    // the spool, their boxes, tables and bookmarks can no longer be written
    // (their bookmark names still count), so that a document of many pages
    // holds no more in memory than one page and the spool's bookkeeping.
    bool append_document(WordDocument& page, QString& error);

private:
    struct Picture {
        QString rel_id;
        qint64 cx = 0;
        qint64 cy = 0;
        QString part;
    };

    bool adopt_package(QString& error);
    XmlNode* add_box_shape(qint64 left, qint64 top, qint64 width, qint64 height, bool grow);
    void fit_table_shape(TableRef& ref);
    bool check_namespaces(QString& error);
    void scan_ids();
    XmlNode* anchor_paragraph();
    XmlNode* last_paragraph(XmlNode* holder);
    XmlNode* find_bookmark_start(const QString& name) const;
    XmlNode* find_bookmark_end(const QString& id) const;
    bool valid_new_bookmark(const QString& name, QString& error) const;
    std::unique_ptr<XmlNode> make_text_run(const QString& text, const XmlNode* run_properties) const;
    bool embed_picture(const QString& path, Picture& picture, QString& error);
    std::unique_ptr<XmlNode> make_picture_run(const Picture& picture, qint64 room_cx, qint64 room_cy);
    bool replace_bookmark_content(const QString& name, std::unique_ptr<XmlNode> run, QString& error);
    void room_at(const XmlNode* node, qint64& cx, qint64& cy) const;
    QString new_rel_id();
    QString new_media_name(const QString& suffix);
    TableRef* live_table(int table);
    bool spool(const QByteArray& bytes, PartPiece& piece, QString& error);
    bool copy_page_parts(const WordDocument& page, const QVector<Relationship>& sources,
                         QHash<QString, QString>& rel_map, QString& error);
    QByteArray body_text(QStringList& names) const;
    void clear_body();
    QStringList bookmark_names_in_tree() const;
    qint64 text_width_twips() const;

    Package package_;
    QString main_part_;
    QVector<Relationship> rels_;
    std::unique_ptr<XmlNode> root_;
    XmlNode* body_ = nullptr;
    std::deque<TextPlace> boxes_;
    std::deque<TableRef> tables_;
    long long next_bookmark_id_ = 0;
    long long next_drawing_id_ = 1;
    // Numbers of the next relationship id and media name, kept as they are
    // used so that neither walks what was written before.
    long long highest_rel_ = 0;
    int next_media_ = 1;
    // The body's finished content in order, before what the tree holds, and
    // the names of the bookmarks in it (lower-case and as written).
    QVector<PartPiece> frozen_;
    QSet<QString> frozen_keys_;
    QStringList frozen_names_;
    // Set when content could not be kept; the document then refuses to save.
    QString lost_;
};

}  // namespace office::detail
