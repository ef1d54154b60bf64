// The word-processor document writer of the report layouts: each call writes
// one piece of content into an in-process document (text boxes, tables,
// fonts, bookmarks, pictures), geometry converted from screen pixels to
// points with the writer's dpi. Used by one thread at a time.
#pragma once

#include "reports/report_word_writer.h"

#include <QMap>
#include <QObject>

#include <memory>
#include <unordered_map>

class ReportWord : public QObject, public ReportWordWriter {
public:
    // The screen's dpi; GUI thread only.
    explicit ReportWord(QObject* parent = nullptr);
    // A dpi taken beforehand, for a writer on another thread.
    explicit ReportWord(int dpi, QObject* parent = nullptr);
    ~ReportWord() override;

    bool open_word() override;
    bool add_page_document() override;
    ReportWordItem* add_text_box(int left, int top, int width, int height) override;
    ReportWordItem* add_table(int rows, int columns) override;
    bool set_table_position(ReportWordItem* table, int x, int y, int width, int height) override;
    bool set_table_sizes(ReportWordItem* table, const QVector<int>& column_widths,
                         const QVector<int>& row_heights) override;
    bool set_table_sizes(ReportWordItem* table, const QMap<int, int>& column_widths,
                         const QMap<int, int>& row_heights) override;
    bool set_cell_text(ReportWordItem* table, int row, int column, const QString& text) override;
    bool set_cell_marks(ReportWordItem* table, int row, int column, const ReportMarkEntries& entries) override;
    bool set_cell_font(ReportWordItem* table, int row, int column, const QFont& font, int flags) override;
    bool set_text_box_text(ReportWordItem* box, const QString& text) override;
    bool set_text_box_marks(ReportWordItem* box, const ReportMarkEntries& entries) override;
    bool set_text_box_font(ReportWordItem* box, const QFont& font, int flags) override;
    bool bookmark_text_box(ReportWordItem* box, const QString& name) override;
    bool add_text_box_picture(ReportWordItem* box, const QString& path) override;
    bool append_page_document() override;
    bool save_document(const QString& path) override;
    bool close_word() override;
    QString unique_bookmark_name(const QString& base) override;
    int dpi() const override { return m_dpi; }

    void set_dpi(int dpi) { m_dpi = dpi; }

private:
    struct Item;

    Item* item_of(ReportWordItem* item, bool table) const;
    ReportWordItem* keep(std::unique_ptr<Item> item);
    void* target() const { return m_page != nullptr ? m_page : m_main; }
    bool write_marks(Item* item, int row, int column, const ReportMarkEntries& entries);
    bool write_font(Item* item, int row, int column, const QFont& font, int flags);

    void* m_main = nullptr;
    void* m_page = nullptr;
    // Items stay allocated until close_word, so that a stale pointer never
    // names a newer item; each knows the document generation it belongs to,
    // as a freed document's address can come back for the next page.
    std::unordered_map<const ReportWordItem*, std::unique_ptr<Item>> m_items;
    quint64 m_main_generation = 0;
    quint64 m_page_generation = 0;
    QMap<QString, int> m_bookmarks;
    int m_dpi = 120;
};
