// What the designer's QML calls: tools, component properties, layout files
// and Word reports.
#include "reports/wnd_report_client.h"

#include "reports/report_com_image.h"
#include "reports/report_com_table.h"
#include "reports/report_com_text.h"
#include "reports/report_log.h"
#include "views/qml_path.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool WndReportClient::set_mode(int mode)
{
    m_data.set_ana_tool(0);
    m_tool.set_mode(mode);
    return true;
}

bool WndReportClient::set_ana_tool(int tool)
{
    m_data.set_ana_tool(tool);
    return true;
}

bool WndReportClient::add_com_select() { return set_mode(ReportEditTool::kSelect); }
bool WndReportClient::add_com_pic() { return set_mode(ReportEditTool::kPicture); }
bool WndReportClient::add_com_table() { return set_mode(ReportEditTool::kTable); }
bool WndReportClient::add_com_mark() { return set_mode(ReportEditTool::kMark); }
bool WndReportClient::add_com_text() { return set_mode(ReportEditTool::kText); }
bool WndReportClient::add_point() { return set_ana_tool(1); }
bool WndReportClient::add_line() { return set_ana_tool(2); }
bool WndReportClient::add_rect() { return set_ana_tool(3); }
bool WndReportClient::add_ellipse() { return set_ana_tool(4); }

bool WndReportClient::delete_ana()
{
    m_data.delete_ana();
    update();
    return true;
}

bool WndReportClient::delete_all_ana()
{
    m_data.delete_all_ana();
    update();
    return true;
}

bool WndReportClient::delete_cur_com()
{
    if (!m_data.delete_cur_com()) return false;
    m_data.refresh_all_marks();
    update();
    return true;
}

// --- Layout files and reports -------------------------------------------------------------

bool WndReportClient::save_dot()
{
    if (m_layout_path.isEmpty()) return false;
    return m_data.save_layout(m_layout_path);
}

bool WndReportClient::open_word_dot(QString str_dot_path)
{
    const QString path = local_path_from_qml(str_dot_path);
    if (path.isEmpty() || !m_data.open_layout(path)) {
        qCWarning(lc_report) << "open_word_dot: cannot open" << path;
        return false;
    }
    m_layout_path = path;
    emit sig_update_com_property(0, 0);
    // The file may bring another page count or page size.
    update_scroll_geometry();
    layout_pages();
    update();
    return true;
}

int WndReportClient::save_word_dot(QString str_dot_path)
{
    const QString path = local_path_from_qml(str_dot_path);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("doc")) {
        if (!m_data.save_word(path, false)) return 0;
        m_report_path = path;
        return 1;
    }
    if (suffix == QLatin1String("dot")) {
        if (!m_data.save_word(path, true)) return 0;
        m_report_path = path;
        return 2;
    }
    if (suffix == QLatin1String("xml")) {
        if (!m_data.save_layout(path)) return 0;
        m_layout_path = path;
        return 3;
    }
    qCWarning(lc_report) << "save_word_dot: unknown kind of file" << path;
    return 0;
}

QString WndReportClient::get_dot_name() const { return get_file_name(m_layout_path); }

QString WndReportClient::get_file_name(QString str_path) const
{
    if (str_path.isEmpty()) return QString();
    int cut = str_path.lastIndexOf(QLatin1Char('/'));
    if (cut < 0) cut = str_path.lastIndexOf(QLatin1Char('\\'));
    return str_path.mid(cut + 1);
}

bool WndReportClient::open_report()
{
    if (m_report_path.isEmpty()) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(m_report_path).absoluteFilePath()));
}

// --- The pressed component ------------------------------------------------------------------

ReportComBase* WndReportClient::pressed_com() const
{
    ReportComBase* com = m_data.current_com();
    return com != nullptr && com->type() == ReportComBase::kTypePicture ? com : nullptr;
}

bool WndReportClient::com_set_logo(bool b_logo)
{
    qCDebug(lc_report) << "WndReportClient::com_set_logo" << b_logo;
    auto* picture = static_cast<ReportComImage*>(pressed_com());
    if (picture == nullptr) return false;
    const bool before = picture->is_logo();
    picture->set_logo(b_logo);
    if (picture->is_logo() != before) update();
    return true;
}

bool WndReportClient::com_open_file(QString str_file_path)
{
    qCDebug(lc_report) << "WndReportClient::com_open_file" << str_file_path;
    auto* picture = static_cast<ReportComImage*>(pressed_com());
    if (picture == nullptr) return false;
    if (picture->open_file(local_path_from_qml(str_file_path))) {
        if (picture->ir_number() >= 0) m_data.refresh_all_marks();
        update();
    }
    return true;
}

bool WndReportClient::com_table_change(int n_type)
{
    ReportComBase* com = m_data.hit_com();
    if (com == nullptr || com->type() != ReportComBase::kTypeTable) return false;
    auto* table = static_cast<ReportComTable*>(com);
    bool changed = false;
    switch (n_type) {
    case 0: changed = table->insert_row(true); break;
    case 1: changed = table->insert_row(false); break;
    case 2: changed = table->insert_column(true); break;
    case 3: changed = table->insert_column(false); break;
    case 4: changed = table->delete_row(); break;
    case 5: changed = table->delete_column(); break;
    default: break;
    }
    if (changed) update();
    return true;
}

QString WndReportClient::get_com_table_cell_mark() const
{
    const ReportComBase* com = m_data.hit_com();
    if (com == nullptr || com->type() != ReportComBase::kTypeTable) return QString();
    return static_cast<const ReportComTable*>(com)->selected_cell_mark();
}

// --- Properties ---------------------------------------------------------------------------------

QJsonObject WndReportClient::get_hit_com_font_property() const { return m_data.get_hit_com_font_property(); }
QJsonObject WndReportClient::get_cur_com_font_property() const { return m_data.get_cur_com_font_property(); }
QJsonObject WndReportClient::get_cur_com_mark_property() const { return m_data.get_cur_com_mark_property(); }
QJsonObject WndReportClient::get_cur_com_ir_property() const { return m_data.get_cur_com_ir_property(); }
QJsonObject WndReportClient::get_cur_com_general_setting() const { return m_data.get_cur_com_general_setting(); }
QJsonArray WndReportClient::get_mark_ir_info() const { return m_data.get_mark_ir_info(); }

bool WndReportClient::set_com_text(qlonglong item_com, QString str_text)
{
    // The id comes back from the QML: it must still name a text component.
    ReportComBase* com = m_data.com_of_handle(item_com);
    if (com == nullptr || com->type() != ReportComBase::kTypeText) {
        qCWarning(lc_report) << "set_com_text: no text component" << item_com;
        return false;
    }
    static_cast<ReportComText*>(com)->set_text(str_text);
    update();
    return true;
}

bool WndReportClient::set_table_com_text(qlonglong item_com, QString str_text)
{
    ReportComBase* com = m_data.com_of_handle(item_com);
    if (com == nullptr || com->type() != ReportComBase::kTypeTable) {
        qCWarning(lc_report) << "set_table_com_text: no table" << item_com;
        return false;
    }
    if (static_cast<ReportComTable*>(com)->set_selected_cell_text(str_text)) update();
    return true;
}

bool WndReportClient::set_com_font_setting(QJsonObject json_info)
{
    if (!m_data.set_com_font_setting(json_info)) return false;
    update();
    return true;
}

bool WndReportClient::set_com_ir_setting(QJsonObject json_info)
{
    if (!m_data.set_com_ir_setting(json_info)) return false;
    m_data.refresh_all_marks();
    update();
    return true;
}

int WndReportClient::update_com_mark(QString str_mark)
{
    const int result = m_data.update_com_mark(str_mark);
    if (result >= 0) update();
    return result;
}

int WndReportClient::update_hit_com_mark(QString str_mark)
{
    const int result = m_data.update_hit_com_mark(str_mark);
    if (result >= 0) update();
    return result;
}

QString WndReportClient::get_update_com_err() const { return m_data.get_update_com_err(); }
QString WndReportClient::get_update_hit_com_err() const { return m_data.get_update_hit_com_err(); }

bool WndReportClient::move_cur_com_pos(int n_type, int n_pos)
{
    // A component of no width or height could no longer be hit or drawn.
    if ((n_type == 2 || n_type == 3) && n_pos < 1) {
        qCWarning(lc_report) << "move_cur_com_pos: refused size" << n_type << n_pos;
        return false;
    }
    if (!m_data.move_cur_com_pos(n_type, n_pos)) return false;
    update();
    return true;
}
