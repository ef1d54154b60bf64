// A word-processor writer that records every call as one line of text, for
// tests of what the layouts ask a writer to do.
#pragma once

#include "reports/report_word_writer.h"

#include <QStringList>

#include <memory>
#include <vector>

class RecordingWordWriter : public ReportWordWriter {
public:
    explicit RecordingWordWriter(QStringList* calls) : m_calls(calls) {}

    bool open_word() override { return log("open_word") && m_opens; }
    bool add_page_document() override { return log("add_page_document"); }
    ReportWordItem* add_text_box(int left, int top, int width, int height) override
    {
        log(QString("add_text_box %1 %2 %3 %4").arg(left).arg(top).arg(width).arg(height));
        return item();
    }
    ReportWordItem* add_table(int rows, int columns) override
    {
        log(QString("add_table %1 %2").arg(rows).arg(columns));
        return item();
    }
    bool set_table_position(ReportWordItem*, int x, int y, int, int) override
    {
        return log(QString("set_table_position %1 %2").arg(x).arg(y));
    }
    bool set_table_sizes(ReportWordItem*, const QVector<int>& widths, const QVector<int>& heights) override
    {
        return log(QString("set_table_sizes %1 %2").arg(join(widths), join(heights)));
    }
    bool set_table_sizes(ReportWordItem*, const QMap<int, int>&, const QMap<int, int>&) override
    {
        return log("set_table_sizes map");
    }
    bool set_cell_text(ReportWordItem*, int row, int column, const QString& text) override
    {
        return log(QString("set_cell_text %1 %2 %3").arg(row).arg(column).arg(text));
    }
    bool set_cell_marks(ReportWordItem*, int row, int column, const ReportMarkEntries& entries) override
    {
        return log(QString("set_cell_marks %1 %2 %3").arg(row).arg(column).arg(entries.size()));
    }
    bool set_cell_font(ReportWordItem*, int row, int column, const QFont&, int flags) override
    {
        return log(QString("set_cell_font %1 %2 %3").arg(row).arg(column).arg(flags));
    }
    bool set_text_box_text(ReportWordItem*, const QString& text) override { return log("set_text_box_text " + text); }
    bool set_text_box_marks(ReportWordItem*, const ReportMarkEntries& entries) override
    {
        return log(QString("set_text_box_marks %1").arg(entries.size()));
    }
    bool set_text_box_font(ReportWordItem*, const QFont&, int flags) override
    {
        return log(QString("set_text_box_font %1").arg(flags));
    }
    bool bookmark_text_box(ReportWordItem*, const QString& name) override { return log("bookmark_text_box " + name); }
    bool add_text_box_picture(ReportWordItem*, const QString& path) override
    {
        return log("add_text_box_picture " + path);
    }
    bool append_page_document() override { return log("append_page_document"); }
    bool save_document(const QString& path) override { return log("save_document " + path) && m_saves; }
    bool close_word() override { return log("close_word"); }
    QString unique_bookmark_name(const QString& base) override { return base; }
    int dpi() const override { return 96; }

    bool m_opens = true;
    bool m_saves = true;

private:
    bool log(const QString& line)
    {
        m_calls->append(line);
        return true;
    }
    ReportWordItem* item()
    {
        m_items.push_back(std::make_unique<ReportWordItem>());
        return m_items.back().get();
    }
    static QString join(const QVector<int>& values)
    {
        QStringList texts;
        for (int v : values) texts << QString::number(v);
        return texts.join(",");
    }

    QStringList* m_calls;
    std::vector<std::unique_ptr<ReportWordItem>> m_items;
};
