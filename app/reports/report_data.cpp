#include "reports/report_data.h"

#include "reports/picture_number_pool.h"
#include "reports/report_com_image.h"
#include "reports/report_com_mark.h"
#include "reports/report_com_table.h"
#include "reports/report_com_text.h"
#include "reports/report_data_owner.h"
#include "reports/report_log.h"
#include "reports/report_picture.h"
#include "reports/report_settings.h"
#include "reports/report_word_writer.h"

#include <QPainter>
#include <QGuiApplication>
#include <QScreen>

Q_LOGGING_CATEGORY(lc_report, "pyravue.report")

ReportData::ReportData(ReportDataOwner* owner, QObject* parent) : QObject(parent), m_owner(owner)
{
    picture_number_pool::refill();
}

ReportData::~ReportData() { clear_all(); }

// --- Life cycle and geometry ---------------------------------------------------------

void ReportData::reset_from_printer()
{
    const QSize page = report_settings::printer_page_size();
    set_page_size(page.width(), page.height());
    clear_all();
    add_page();
}

void ReportData::set_page_size(int width, int height)
{
    m_page_width = qMax(1, width);
    m_page_height = qMax(1, height);
}

ReportPage* ReportData::add_page()
{
    auto* page = new ReportPage(this);
    m_pages.append(page);
    return page;
}

void ReportData::clear_all()
{
    qDeleteAll(m_pages);
    m_pages.clear();
    m_current_page = -1;
    clear_coms();
}

void ReportData::clear_coms()
{
    m_selection.clear();
    m_selection_key.clear();
    m_selection_type = -1;
    m_hit_code = ReportComBase::kHitNothing;
    m_hit_com = nullptr;
    m_current_com = nullptr;
    m_logo_counter = 0;
    const QList<ReportComBase*> coms = m_coms;
    m_coms.clear();
    for (ReportComBase* com : coms) forget_com(com);
    qDeleteAll(coms);
}

void ReportData::release_all()
{
    m_selection.clear();
    clear_all();
}

void ReportData::layout_pages(int scroll_x, int scroll_y, const QRect& view)
{
    const int gap = static_cast<int>(m_zoom * 24.0f);
    const int width = static_cast<int>(m_page_width * m_zoom);
    const int height = static_cast<int>(m_page_height * m_zoom);
    const int64_t total_height = int64_t(m_pages.size()) * (height + gap) + gap;
    const int64_t total_width = int64_t(width) + 2 * gap;
    const int top = total_height < view.height() ? static_cast<int>((view.height() - total_height) / 2) : 0;
    const int left = total_width < view.width() ? static_cast<int>((view.width() - total_width) / 2) : 0;
    for (int i = 0; i < m_pages.size(); ++i) {
        m_pages.at(i)->set_view_rect(
            QRect(left - scroll_x + gap, top - scroll_y + gap + i * (height + gap), width, height));
        if (width > 0 && height > 0) m_pages.at(i)->set_canvas(QPixmap(width, height));
    }
}

int ReportData::page_at(int x, int y)
{
    m_current_page = -1;
    for (int i = 0; i < m_pages.size(); ++i) {
        if (m_pages.at(i)->view_rect().contains(x, y)) {
            m_current_page = i;
            break;
        }
    }
    return m_current_page;
}

bool ReportData::item_to_page(int& x, int& y) const
{
    if (m_current_page < 0 || m_current_page >= m_pages.size()) return false;
    x -= m_pages.at(m_current_page)->view_rect().x();
    y -= m_pages.at(m_current_page)->view_rect().y();
    return true;
}

bool ReportData::page_to_item(int& x, int& y) const
{
    if (m_current_page < 0 || m_current_page >= m_pages.size()) return false;
    x += m_pages.at(m_current_page)->view_rect().x();
    y += m_pages.at(m_current_page)->view_rect().y();
    return true;
}

bool ReportData::clamp_to_page(int& x, int& y) const
{
    x = qBound(0, x, m_page_width - 1);
    y = qBound(0, y, m_page_height - 1);
    return true;
}

void ReportData::normalize_corners(int& x1, int& y1, int& x2, int& y2)
{
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
}

void ReportData::draw_pages(QPainter* painter)
{
    for (ReportPage* page : m_pages) page->draw_page(painter);
}

// --- Components ----------------------------------------------------------------------

void ReportData::set_picture_factory(std::function<std::unique_ptr<ReportPicture>()> factory)
{
    m_picture_factory = std::move(factory);
}

ReportComBase* ReportData::create_com(int type, int page, const QRect& rect)
{
    ReportComBase* com = nullptr;
    switch (type) {
    case ReportComBase::kTypePicture:
        com = m_picture_factory ? new ReportComImage(this, m_picture_factory()) : new ReportComImage(this);
        break;
    case ReportComBase::kTypeTable: com = new ReportComTable(this); break;
    case ReportComBase::kTypeMark: com = new ReportComMark(this); break;
    case ReportComBase::kTypeText: com = new ReportComText(this); break;
    default: return nullptr;
    }
    com->init_com(page, rect);
    return com;
}

void ReportData::register_com(ReportComBase* com)
{
    m_coms.append(com);
    m_handle_of.insert(com, m_handles.add(com));
}

void ReportData::forget_com(ReportComBase* com)
{
    m_handles.remove_object(com);
    m_handle_of.remove(com);
}

ReportComBase* ReportData::com_of_handle(qint64 handle) const
{
    if (handle <= 0 || handle > INT_MAX) return nullptr;
    return m_handles.get(static_cast<int>(handle));
}

qint64 ReportData::handle_of(const ReportComBase* com) const { return m_handle_of.value(com, 0); }

bool ReportData::add_com_in_rect(int type, int x1, int y1, int x2, int y2)
{
    if (m_current_page < 0 || m_current_page >= m_pages.size() || m_coms.size() >= kMaxComs) return false;
    clamp_to_page(x1, y1);
    clamp_to_page(x2, y2);
    ReportComBase* com = create_com(type, m_current_page, QRect(x1, y1, x2 - x1 + 1, y2 - y1 + 1));
    if (com == nullptr) return false;
    register_com(com);
    m_pages.at(m_current_page)->append_com(com);
    if (type == ReportComBase::kTypeText) edit_com_text(com, com->rect(), QString());
    return true;
}

ReportComBase* ReportData::add_com(int page, int type, int x, int y, int width, int height)
{
    if (page < 0 || page >= m_pages.size() || m_coms.size() >= kMaxComs) return nullptr;
    x = qBound(0, x, m_page_width - 1);
    y = qBound(0, y, m_page_height - 1);
    ReportComBase* com = create_com(type, page, QRect(x, y, width, height));
    if (com == nullptr) return nullptr;
    register_com(com);
    m_pages.at(page)->append_com(com);
    return com;
}

bool ReportData::delete_cur_com()
{
    m_selection_type = -1;
    m_selection_key.clear();
    m_hit_code = ReportComBase::kHitPage;
    m_hit_com = nullptr;
    m_current_com = nullptr;
    const ReportSelection selected = m_selection;
    m_selection.clear();
    for (const auto& item : selected) {
        ReportComBase* com = item.first;
        m_coms.removeOne(com);
        if (com->page() >= 0 && com->page() < m_pages.size()) m_pages.at(com->page())->remove_com(com);
        forget_com(com);
        delete com;
    }
    return true;
}

// --- Selection and hit state ---------------------------------------------------------

bool ReportData::hit_test(int x, int y)
{
    const int page = page_at(x, y);
    if (page < 0 || page >= m_pages.size()) {
        m_hit_code = ReportComBase::kHitNothing;
        m_hit_com = nullptr;
        return true;
    }
    item_to_page(x, y);
    for (int i = m_coms.size() - 1; i >= 0; --i) {
        ReportComBase* com = m_coms.at(i);
        if (com->page() != page) continue;
        int code = ReportComBase::kHitNothing;
        if (!com->hit_test_com(x, y, is_selected(com), code)) continue;
        const bool body = code == ReportComBase::kHitSelected || code == ReportComBase::kHitUnselected;
        m_hit_code = m_ana_tool >= 1 && body ? ReportComBase::kHitNothing : code;
        m_hit_com = com;
        return true;
    }
    m_hit_code = ReportComBase::kHitPage;
    m_hit_com = nullptr;
    return false;
}

void ReportData::emit_selection_changed()
{
    qCDebug(lc_report) << "set_cur_hit_com :" << m_selection.size();
    if (m_owner != nullptr) m_owner->update_com_property(static_cast<int>(m_selection.size()), m_selection_type);
}

void ReportData::set_cur_hit_com()
{
    if (m_hit_code == ReportComBase::kHitPage) {
        if (m_selection.empty()) return;
        m_selection.clear();
        m_selection_key.clear();
        m_selection_type = -1;
        emit_selection_changed();
        return;
    }
    if (m_hit_com != nullptr && is_selected(m_hit_com)) return;
    m_selection.clear();
    m_selection_key.clear();
    m_selection_type = -1;
    if (m_hit_com != nullptr) {
        m_hit_com->reset_work_rect();
        m_selection.emplace(m_hit_com, QRect());
        m_selection_key = QString::number(m_hit_com->id()) + ",";
        m_selection_type = m_hit_com->type();
    }
    emit_selection_changed();
}

bool ReportData::select_in_rect(const QRect& rect)
{
    if (m_current_page < 0 || m_current_page >= m_pages.size()) return false;
    ReportSelection selection;
    const int type = m_pages.at(m_current_page)->select_in_rect(rect, selection);
    const QString key = selection_key(selection);
    if (key != m_selection_key) {
        m_selection = selection;
        m_selection_key = key;
        m_selection_type = type;
        if (m_owner != nullptr) m_owner->update_com_property(static_cast<int>(m_selection.size()), m_selection_type);
    }
    return true;
}

bool ReportData::is_selected(const ReportComBase* com) const
{
    return m_selection.count(const_cast<ReportComBase*>(com)) == 1;
}

QRect ReportData::selection_rect() const
{
    QRect united;
    for (const auto& item : m_selection) united = united.united(item.first->rect());
    return united;
}

QString ReportData::selection_key(const ReportSelection& selection)
{
    QString key;
    for (const auto& item : selection) key += QString::number(item.first->id()) + ",";
    return key;
}

ReportComBase* ReportData::first_selected() const
{
    return m_selection.empty() ? nullptr : m_selection.begin()->first;
}

// --- Mouse forwarding ---------------------------------------------------------------------

void ReportData::cell_font_check()
{
    if (m_hit_com == nullptr) {
        m_current_com = nullptr;
        m_cell_font_key.clear();
        return;
    }
    if (m_hit_com->type() == ReportComBase::kTypeTable) {
        const QString key = m_hit_com->get_hit_cell_key();
        if (key != m_cell_font_key) {
            m_cell_font_key = key;
            if (m_owner != nullptr) m_owner->update_com_table_font(!key.isEmpty());
        }
    } else {
        m_cell_font_key.clear();
        if (m_owner != nullptr) m_owner->update_com_table_font(false);
    }
}

bool ReportData::mouse_down(int x, int y)
{
    if (m_hit_com == nullptr) {
        cell_font_check();
        return false;
    }
    item_to_page(x, y);
    if (m_hit_com->type() == ReportComBase::kTypePicture && m_ana_tool >= 1) {
        static_cast<ReportComImage*>(m_hit_com)->add_ana(m_ana_tool - 1);
    }
    const bool result = m_hit_com->mouse_down(x, y);
    m_current_com = m_hit_com;
    cell_font_check();
    return result;
}

bool ReportData::mouse_right_down(int x, int y)
{
    if (m_hit_com == nullptr) {
        cell_font_check();
        return false;
    }
    item_to_page(x, y);
    const bool result = m_hit_com->mouse_right_down(x, y);
    m_current_com = m_hit_com;
    cell_font_check();
    return result;
}

bool ReportData::mouse_move(int x, int y)
{
    if (m_hit_com == nullptr) return false;
    item_to_page(x, y);
    return m_hit_com->mouse_move(x, y);
}

bool ReportData::mouse_up(int x, int y)
{
    if (m_hit_com == nullptr) return false;
    item_to_page(x, y);
    m_hit_com->mouse_up(x, y);
    if (m_hit_com->type() == ReportComBase::kTypePicture && m_ana_tool >= 1) {
        m_ana_tool = 0;
        static_cast<ReportComImage*>(m_hit_com)->end_add_ana();
        return true;
    }
    return false;
}

bool ReportData::mouse_double_clicked(int x, int y)
{
    if (m_hit_com == nullptr) return false;
    item_to_page(x, y);
    return m_hit_com->mouse_double_clicked(x, y);
}

// --- Moving and aligning -----------------------------------------------------------------

bool ReportData::move_hit_com(int hit_code, int dx, int dy)
{
    if (m_hit_com == nullptr) return false;
    if (hit_code == ReportComBase::kHitSelected || hit_code == ReportComBase::kHitUnselected) {
        move_selection(dx, dy);
        return true;
    }
    return m_hit_com->move_hit_com_size(hit_code, dx, dy);
}

void ReportData::move_selection(int dx, int dy)
{
    for (const auto& item : m_selection) item.first->set_work_rect(item.first->work_rect().translated(dx, dy));
}

void ReportData::apply_selection_rects()
{
    for (const auto& item : m_selection) item.first->apply_com_rect();
    if (!m_selection.empty() && m_owner != nullptr) m_owner->update_com_position();
}

bool ReportData::move_cur_com_pos(int op, int value)
{
    const QRect bounds = selection_rect();
    for (const auto& item : m_selection) {
        ReportComBase* com = item.first;
        switch (op) {
        case 0: com->shift_x(value); break;
        case 1: com->shift_y(value); break;
        case 2: com->set_width(value); break;
        case 3: com->set_height(value); break;
        case 4: com->align_left_to(bounds.left()); break;
        case 5: com->align_right_to(bounds.right()); break;
        case 6: com->align_top_to(bounds.top()); break;
        case 7: com->align_bottom_to(bounds.bottom()); break;
        case 8: com->align_centre_y_to(bounds.center().y()); break;
        case 9: com->align_centre_x_to(bounds.center().x()); break;
        default: break;
        }
    }
    return true;
}

// --- Property panels -----------------------------------------------------------------------

namespace {

QJsonObject font_property(const ReportFont& font, int text_kind)
{
    QJsonObject json = report_font::to_json(font);
    json.insert("nText", text_kind);
    return json;
}

}  // namespace

QJsonObject ReportData::get_cur_com_font_property() const
{
    const ReportComBase* com = first_selected();
    if (com == nullptr) return QJsonObject();
    if (com->type() == ReportComBase::kTypeText) return font_property(com->get_com_font(), 1);
    if (com->type() == ReportComBase::kTypeMark) return font_property(com->get_com_font(), 0);
    return QJsonObject();
}

QJsonObject ReportData::get_hit_com_font_property() const
{
    if (m_hit_com == nullptr || m_hit_com->type() != ReportComBase::kTypeTable) return QJsonObject();
    return font_property(m_hit_com->get_com_font(), 2);
}

QJsonObject ReportData::get_cur_com_general_setting() const
{
    const QRect bounds = selection_rect();
    if (bounds.isEmpty()) return QJsonObject();
    QJsonObject json;
    json.insert("nPageWidth", m_page_width);
    json.insert("nPageHeight", m_page_height);
    json.insert("nX", bounds.x());
    json.insert("nY", bounds.y());
    json.insert("nW", bounds.width());
    json.insert("nH", bounds.height());
    return json;
}

QJsonObject ReportData::get_cur_com_ir_property() const
{
    ReportComBase* com = first_selected();
    if (com == nullptr || com->type() != ReportComBase::kTypePicture) return QJsonObject();
    return static_cast<ReportComImage*>(com)->get_pic_property();
}

QJsonObject ReportData::get_cur_com_mark_property() const
{
    ReportComBase* com = first_selected();
    if (com == nullptr || com->type() != ReportComBase::kTypeMark) return QJsonObject();
    return static_cast<ReportComMark*>(com)->get_mark_property();
}

QJsonArray ReportData::get_mark_ir_info() const
{
    QJsonArray list;
    for (ReportComBase* com : m_coms) {
        if (com->type() != ReportComBase::kTypePicture) continue;
        auto* picture = static_cast<ReportComImage*>(com);
        if (picture->ir_number() >= 0) picture->get_ana_info_list(list);
    }
    return list;
}

bool ReportData::set_com_font_setting(const QJsonObject& json)
{
    if (m_selection_type == ReportComBase::kTypeText || m_selection_type == ReportComBase::kTypeMark) {
        for (const auto& item : m_selection) {
            const int type = item.first->type();
            if (type == ReportComBase::kTypeText || type == ReportComBase::kTypeMark) item.first->set_font_setting(json);
        }
        return true;
    }
    return m_current_com != nullptr && m_current_com->set_font_setting(json);
}

bool ReportData::set_com_ir_setting(const QJsonObject& json)
{
    if (m_selection_type != ReportComBase::kTypePicture) return false;
    for (const auto& item : m_selection) {
        if (item.first->type() == ReportComBase::kTypePicture) item.first->set_ir_setting(json);
    }
    return true;
}

int ReportData::update_com_mark(const QString& text)
{
    ReportComBase* com = first_selected();
    if (m_selection_type != ReportComBase::kTypeMark || com == nullptr) return -1;
    return com->update_mark_text(text);
}

int ReportData::update_hit_com_mark(const QString& text)
{
    if (m_hit_com == nullptr || m_hit_com->type() != ReportComBase::kTypeTable) return -1;
    return m_hit_com->update_mark_text(text);
}

QString ReportData::get_update_com_err() const
{
    const ReportComBase* com = first_selected();
    if (m_selection_type != ReportComBase::kTypeMark || com == nullptr) return QString();
    return com->get_mark_error();
}

QString ReportData::get_update_hit_com_err() const
{
    if (m_hit_com == nullptr || m_hit_com->type() != ReportComBase::kTypeTable) return QString();
    return m_hit_com->get_mark_error();
}

// --- Marks and analyses ------------------------------------------------------------------------

QString ReportData::get_mark_value(const ReportMarkEntry& entry) const
{
    // The picture whose number is the entry's own: a mark names one picture,
    // never a neighbour that happens to have a larger number.
    if (entry.ir_id < 0) return QString();
    for (ReportComBase* com : m_coms) {
        if (com->type() != ReportComBase::kTypePicture) continue;
        auto* picture = static_cast<ReportComImage*>(com);
        if (picture->ir_number() == entry.ir_id) return picture->get_mark_value(entry);
    }
    return QString();
}

void ReportData::refresh_all_marks()
{
    // The pictures are read again once per refresh, not once per mark.
    for (ReportComBase* com : m_coms) {
        if (com->type() == ReportComBase::kTypePicture) static_cast<ReportComImage*>(com)->forget_values();
    }
    for (ReportComBase* com : m_coms) com->refresh_marks();
}

bool ReportData::delete_ana()
{
    for (const auto& item : m_selection) {
        if (item.first->type() == ReportComBase::kTypePicture) static_cast<ReportComImage*>(item.first)->delete_ana();
    }
    return true;
}

bool ReportData::delete_all_ana()
{
    for (const auto& item : m_selection) {
        if (item.first->type() == ReportComBase::kTypePicture) {
            static_cast<ReportComImage*>(item.first)->delete_all_ana();
        }
    }
    return true;
}

// --- Editors ------------------------------------------------------------------------------------

bool ReportData::edit_com_text(ReportComBase* com, const QRect& rect, const QString& text)
{
    int x = rect.left();
    int y = rect.top();
    if (!page_to_item(x, y)) return false;
    if (m_owner != nullptr) {
        m_owner->add_com_text(x, y, rect.width(), rect.height(), text, handle_of(com),
                              report_font::to_json(com->get_com_font()));
    }
    return true;
}

bool ReportData::edit_table_text(ReportComBase* com, const QRect& cell_rect, const QString& text,
                                 const QJsonObject& font)
{
    int x = cell_rect.left();
    int y = cell_rect.top();
    if (!page_to_item(x, y)) return false;
    if (m_owner != nullptr) {
        m_owner->change_table_text(x, y, cell_rect.width(), cell_rect.height(), text, handle_of(com), font);
    }
    return true;
}

// --- Word export ----------------------------------------------------------------------------------

void ReportData::set_word_writer(std::unique_ptr<ReportWordWriter> writer) { m_word = std::move(writer); }

int ReportData::word_dpi() const
{
    if (m_word) return m_word->dpi();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? qRound(screen->logicalDotsPerInchX()) : 96;
}

bool ReportData::write_table(ReportComTable* table, bool as_template)
{
    ReportWordItem* item = m_word->add_table(table->rows(), table->columns());
    if (item == nullptr) return false;
    const QRect& rect = table->rect();
    m_word->set_table_position(item, rect.left(), rect.top(), rect.width(), rect.height());
    QVector<int> widths;
    QVector<int> heights;
    for (int j = 0; j < table->columns(); ++j) widths.append(table->column_width(j));
    for (int i = 0; i < table->rows(); ++i) heights.append(table->row_height(i));
    m_word->set_table_sizes(item, widths, heights);
    for (int i = 0; i < table->rows(); ++i) {
        for (int j = 0; j < table->columns(); ++j) {
            const ReportCell* cell = table->cell(i, j);
            if (cell == nullptr) continue;
            if (as_template && !cell->entries.isEmpty()) {
                m_word->set_cell_marks(item, i + 1, j + 1, cell->entries);
            } else {
                m_word->set_cell_text(item, i + 1, j + 1, cell->text);
            }
            m_word->set_cell_font(item, i + 1, j + 1, cell->font, cell->flags);
        }
    }
    return true;
}

bool ReportData::write_picture(ReportComImage* picture, bool as_template)
{
    const QRect& rect = picture->rect();
    ReportWordItem* box = m_word->add_text_box(rect.left(), rect.top(), rect.width(), rect.height());
    if (box == nullptr) return false;
    if (as_template && !picture->is_logo()) {
        const QString name = picture->is_ir() ? QString("IRPicture%1").arg(picture->ir_number() + 1)
                                              : QString("VIPicture%1").arg(picture->vi_number() + 1);
        m_word->bookmark_text_box(box, name);
    } else {
        const QString file = picture->get_picture_file();
        if (!file.isEmpty()) m_word->add_text_box_picture(box, file);
    }
    return true;
}

bool ReportData::save_word(const QString& path, bool as_template)
{
    if (!m_word || !m_word->open_word()) return false;
    for (int page = 0; page < m_pages.size(); ++page) {
        for (ReportComBase* com : m_coms) {
            if (com->page() == page && com->type() == ReportComBase::kTypeTable) {
                write_table(static_cast<ReportComTable*>(com), as_template);
            }
        }
    }
    for (int page = 0; page < m_pages.size(); ++page) {
        for (ReportComBase* com : m_coms) {
            if (com->page() != page) continue;
            const QRect& rect = com->rect();
            if (com->type() == ReportComBase::kTypePicture) {
                write_picture(static_cast<ReportComImage*>(com), as_template);
            } else if (com->type() == ReportComBase::kTypeMark) {
                auto* mark = static_cast<ReportComMark*>(com);
                ReportWordItem* box = m_word->add_text_box(rect.left(), rect.top(), rect.width(), rect.height());
                if (box == nullptr) continue;
                if (as_template && !mark->entries().isEmpty()) {
                    m_word->set_text_box_marks(box, mark->entries());
                } else {
                    m_word->set_text_box_text(box, mark->value_text());
                }
                m_word->set_text_box_font(box, mark->font(), Qt::AlignLeft);
            } else if (com->type() == ReportComBase::kTypeText) {
                auto* text = static_cast<ReportComText*>(com);
                ReportWordItem* box = m_word->add_text_box(rect.left(), rect.top(), rect.width(), rect.height());
                if (box == nullptr) continue;
                m_word->set_text_box_text(box, text->text());
                m_word->set_text_box_font(box, text->font(), text->flags());
            }
        }
    }
    const bool saved = m_word->save_document(path);
    m_word->close_word();
    return saved;
}
