// The report layout document: its pages and components, the selection and
// what lies under the mouse, the property panels' JSON, mark refresh, the
// layout file and the export through a word-processor document writer.
// Lives on the GUI thread, owned by the item that shows it.
#pragma once

#include "reports/report_mark_entry.h"
#include "reports/report_page.h"
#include "shell/handle_table.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>

class ReportComBase;
class ReportComImage;
class ReportComTable;
class ReportDataOwner;
class ReportPicture;
class ReportWordWriter;

class ReportData : public QObject {
    Q_OBJECT

public:
    // Page size of a document made before any printer was asked.
    static constexpr int kDefaultPageWidth = 300;
    static constexpr int kDefaultPageHeight = 400;
    // Components a document holds at most; a file with more is refused.
    static constexpr int kMaxComs = 5000;

    explicit ReportData(ReportDataOwner* owner, QObject* parent = nullptr);
    ~ReportData() override;

    // --- Life cycle and geometry ---------------------------------------------------
    void reset_from_printer();
    // Sets the page size (device pixels); callers without a printer use it.
    void set_page_size(int width, int height);
    ReportPage* add_page();
    void clear_all();
    void clear_coms();
    void release_all();
    void layout_pages(int scroll_x, int scroll_y, const QRect& view);
    int page_at(int x, int y);
    bool item_to_page(int& x, int& y) const;
    bool page_to_item(int& x, int& y) const;
    bool clamp_to_page(int& x, int& y) const;
    static void normalize_corners(int& x1, int& y1, int& x2, int& y2);
    void draw_pages(QPainter* painter);

    // --- Components ------------------------------------------------------------------
    ReportComBase* create_com(int type, int page, const QRect& rect);
    bool add_com_in_rect(int type, int x1, int y1, int x2, int y2);
    ReportComBase* add_com(int page, int type, int x, int y, int width, int height);
    bool delete_cur_com();
    // The component of a handle id given to the QML, or null.
    ReportComBase* com_of_handle(qint64 handle) const;
    qint64 handle_of(const ReportComBase* com) const;

    // --- Selection and hit state -------------------------------------------------------
    bool hit_test(int x, int y);
    void set_cur_hit_com();
    bool select_in_rect(const QRect& rect);
    bool is_selected(const ReportComBase* com) const;
    QRect selection_rect() const;
    static QString selection_key(const ReportSelection& selection);

    // --- Mouse forwarding (item points) -------------------------------------------------
    bool mouse_down(int x, int y);
    bool mouse_right_down(int x, int y);
    bool mouse_move(int x, int y);
    bool mouse_up(int x, int y);
    bool mouse_double_clicked(int x, int y);

    // --- Moving and aligning -------------------------------------------------------------
    bool move_hit_com(int hit_code, int dx, int dy);
    void move_selection(int dx, int dy);
    void apply_selection_rects();
    bool move_cur_com_pos(int op, int value);

    // --- Property panels -------------------------------------------------------------------
    QJsonObject get_cur_com_font_property() const;
    QJsonObject get_hit_com_font_property() const;
    QJsonObject get_cur_com_general_setting() const;
    QJsonObject get_cur_com_ir_property() const;
    QJsonObject get_cur_com_mark_property() const;
    QJsonArray get_mark_ir_info() const;
    bool set_com_font_setting(const QJsonObject& json);
    bool set_com_ir_setting(const QJsonObject& json);
    int update_com_mark(const QString& text);
    int update_hit_com_mark(const QString& text);
    QString get_update_com_err() const;
    QString get_update_hit_com_err() const;

    // --- Marks and analyses ------------------------------------------------------------------
    QString get_mark_value(const ReportMarkEntry& entry) const;
    void refresh_all_marks();
    void set_ana_tool(int tool) { m_ana_tool = tool; }
    int ana_tool() const { return m_ana_tool; }
    bool delete_ana();
    bool delete_all_ana();

    // --- Editors ----------------------------------------------------------------------------------
    bool edit_com_text(ReportComBase* com, const QRect& rect, const QString& text);
    bool edit_table_text(ReportComBase* com, const QRect& cell_rect, const QString& text, const QJsonObject& font);

    // --- Files -------------------------------------------------------------------------------------
    bool open_layout(const QString& path);
    // The layout of a file's bytes; what open_layout does after reading.
    bool open_layout_bytes(const QByteArray& bytes);
    bool save_layout(const QString& path);
    bool save_word(const QString& path, bool as_template);
    // The writer of save_word; without one save_word fails.
    void set_word_writer(std::unique_ptr<ReportWordWriter> writer);
    ReportWordWriter* word_writer() const { return m_word.get(); }
    // Screen dots per inch written into layout files.
    int word_dpi() const;
    // Pictures of new picture components; tests give fakes, production
    // leaves it unset (the still-picture source).
    void set_picture_factory(std::function<std::unique_ptr<ReportPicture>()> factory);

    // --- State ------------------------------------------------------------------------------------
    int page_width() const { return m_page_width; }
    int page_height() const { return m_page_height; }
    float zoom() const { return m_zoom; }
    void set_zoom(float zoom) { m_zoom = zoom; }
    const QList<ReportPage*>& pages() const { return m_pages; }
    const QList<ReportComBase*>& coms() const { return m_coms; }
    const ReportSelection& selection() const { return m_selection; }
    int selection_type() const { return m_selection_type; }
    const QString& selection_key_text() const { return m_selection_key; }
    int hit_code() const { return m_hit_code; }
    ReportComBase* hit_com() const { return m_hit_com; }
    ReportComBase* current_com() const { return m_current_com; }
    int current_page() const { return m_current_page; }

private:
    void cell_font_check();
    void emit_selection_changed();
    ReportComBase* first_selected() const;
    void register_com(ReportComBase* com);
    void forget_com(ReportComBase* com);
    bool write_table(ReportComTable* table, bool as_template);
    bool write_picture(ReportComImage* picture, bool as_template);

    ReportDataOwner* m_owner = nullptr;
    std::unique_ptr<ReportWordWriter> m_word;
    std::function<std::unique_ptr<ReportPicture>()> m_picture_factory;
    int m_page_width = kDefaultPageWidth;
    int m_page_height = kDefaultPageHeight;
    float m_zoom = 1.0f;
    QList<ReportPage*> m_pages;
    QList<ReportComBase*> m_coms;
    int m_selection_type = -1;
    QString m_selection_key;
    ReportSelection m_selection;
    int m_hit_code = 101;
    ReportComBase* m_hit_com = nullptr;
    int m_current_page = -1;
    QString m_cell_font_key;
    ReportComBase* m_current_com = nullptr;
    int m_ana_tool = 0;
    float m_scale_x = 1.0f;
    float m_scale_y = 1.0f;
    int m_logo_counter = 0;
    HandleTable<ReportComBase> m_handles;
    QHash<const ReportComBase*, int> m_handle_of;
};
