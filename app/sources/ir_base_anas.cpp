// Analysis objects of a source: add modes, the mouse protocol, selection,
// deletion, nudging, aliases, the analysis-info file and detection-rule
// objects.
#include "sources/ir_base.h"

#include "alarms/warning_condition.h"
#include "basekit.h"
#include "charts/wnd_chart_area.h"
#include "charts/wnd_chart_line.h"
#include "markpen.h"
#include "rules/data_sql.h"
#include "sources/ana_info_file.h"
#include "sources/ana_string.h"
#include "sources/source_settings.h"
#include "thermframe.h"
#include "views/wnd_ir_companions.h"
#include "views/wnd_ir_show.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

const AnaType kKindOrder[] = {ANA_POINT, ANA_LINE, ANA_ELLIPSE, ANA_RECT, ANA_POLYGON, ANA_POLYLINE};

std::string ana_string_of(void* frame, void* ana)
{
    std::string text;
    if (ana == nullptr || !thermframe_get_ana_str_from_handle(frame, ana, text)) {
        text.clear();
    }
    return text;
}

}  // namespace

// --- Adding shapes ------------------------------------------------------------------------

bool IRBase::take_added_ana()
{
    void* painter = get_ir_paint();
    std::string text;
    if (!markpen_get_added_ana(painter, text) || text.empty() || text == m_str_added_ana) {
        return false;
    }
    m_b_ana_changed = true;
    void* handle = nullptr;
    if (!thermframe_get_ana_handle_from_str(get_ir_data(), text, handle) || handle == nullptr) {
        return false;
    }
    add_ana_to_charts(handle);
    m_str_added_ana = text;
    repaint_owner();
    return true;
}

template <class AddMode>
bool IRBase::add_shape(AddMode add_mode)
{
    void* painter = get_ir_paint();
    bool had_shape = false;
    markpen_has_added_ana(painter, had_shape);
    const bool result = add_mode(painter);
    if (had_shape) {
        take_added_ana();
    }
    return result;
}

bool IRBase::add_point() { return add_shape(markpen_add_point_ana); }
bool IRBase::add_line() { return add_shape(markpen_add_line_ana); }
bool IRBase::add_rect() { return add_shape(markpen_add_rect_ana); }
bool IRBase::add_ellipse() { return add_shape(markpen_add_ellipse_ana); }
bool IRBase::add_poly() { return add_shape(markpen_add_poly_ana); }
bool IRBase::add_polyline() { return add_shape(markpen_add_polyline_ana); }
bool IRBase::add_null() { return add_shape(markpen_add_null_ana); }

// --- Mouse -------------------------------------------------------------------------------

void IRBase::mouse_move(int x, int y) { markpen_mouse_move(get_ir_paint(), x, y); }

void IRBase::mouse_down(int x, int y)
{
    void* painter = get_ir_paint();
    markpen_mouse_move(painter, x, y);
    markpen_mouse_down(painter, x, y);
    void* selected = selected_ana();
    if (selected != m_p_cur_ana) {
        m_p_cur_ana = selected;
        if (m_p_wnd_ir_show != nullptr) {
            m_p_wnd_ir_show->notify_cur_ana(selected);
        }
    }
    if (m_p_wnd_palette != nullptr) {
        bool own = false;
        void* shown = selected != nullptr && thermframe_ana_has_self_palette(selected, own) && own
                          ? selected
                          : nullptr;
        if (shown != m_p_wnd_palette->shown_ana()) {
            m_p_wnd_palette->refresh();
        }
    }
}

void IRBase::mouse_up(int x, int y)
{
    m_b_ana_changed = false;
    void* frame = get_ir_data();
    const std::string before = m_p_cur_ana != nullptr ? ana_string_of(frame, m_p_cur_ana) : std::string();
    markpen_mouse_up(get_ir_paint(), x, y);
    if (m_p_cur_ana != nullptr) {
        const std::string after = ana_string_of(frame, m_p_cur_ana);
        if (after != before) {
            m_b_ana_changed = true;
            if (m_p_wnd_ir_show != nullptr) {
                emit m_p_wnd_ir_show->sig_update_ana_temp_info();
            }
            update_ana_in_charts(m_p_cur_ana);
            check_warning_and_snap();
        }
    }
    if (take_added_ana() && source_settings::add_ana_mode() != 0 && m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_toolbar_ir_unchecked_ana_btn();
    }
}

void IRBase::mouse_double_clicked(int x, int y)
{
    void* painter = get_ir_paint();
    bool adding = false;
    markpen_has_added_ana(painter, adding);
    markpen_mouse_double_clicked(painter, x, y);
    if (adding && take_added_ana() && source_settings::add_ana_mode() != 0 &&
        m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_toolbar_ir_unchecked_ana_btn();
    }
}

// --- Charts --------------------------------------------------------------------------------

bool IRBase::add_ana_to_charts(void* handle)
{
    AnaType type = ANA_ALL;
    if (m_p_chart_line == nullptr || m_p_chart_area == nullptr ||
        !thermframe_ana_get_type(handle, type) || type == ANA_POINT) {
        return false;
    }
    if (type == ANA_LINE || type == ANA_POLYLINE) {
        m_p_chart_line->add_ana(handle, m_h_ir, m_str_file_path, true);
    }
    m_p_chart_area->add_ana(handle, m_h_ir, m_str_file_path, true);
    return true;
}

bool IRBase::remove_ana_from_charts(void* handle)
{
    AnaType type = ANA_ALL;
    if (m_p_chart_line == nullptr || m_p_chart_area == nullptr ||
        !thermframe_ana_get_type(handle, type) || type == ANA_POINT) {
        return false;
    }
    if (type == ANA_LINE || type == ANA_POLYLINE) {
        m_p_chart_line->remove_ana(handle, m_p_chart_line->is_enable_ana(handle));
    }
    m_p_chart_area->remove_ana(handle, m_p_chart_area->is_enable_ana(handle));
    return true;
}

bool IRBase::update_ana_in_charts(void* handle)
{
    if (m_p_chart_line == nullptr || m_p_chart_area == nullptr) {
        return false;
    }
    m_p_chart_line->update_ana_temp(handle, m_p_chart_line->is_enable_ana(handle));
    m_p_chart_area->update_ana_temp(handle, m_p_chart_area->is_enable_ana(handle));
    return true;
}

bool IRBase::clear_charts()
{
    if (m_p_chart_line == nullptr || m_p_chart_area == nullptr) {
        return false;
    }
    m_p_chart_line->remove_all_ana(true);
    m_p_chart_area->remove_all_ana(true);
    return true;
}

// --- Deleting, nudging, aliases -------------------------------------------------------------

bool IRBase::delete_ana()
{
    void* frame = get_ir_data();
    void* handle = selected_ana();
    const std::string text = ana_string_of(frame, handle);
    if (handle == nullptr || text.empty()) {
        return false;
    }
    if (m_p_wnd_palette != nullptr && m_p_wnd_palette->shown_ana() != nullptr) {
        m_p_wnd_palette->refresh();
    }
    remove_ana_from_charts(handle);
    if (!thermframe_delete_ana(frame, text)) {
        return false;
    }
    if (m_p_warning_condition != nullptr) {
        m_p_warning_condition->delete_condition_of_ana(handle);
        m_p_warning_condition->check_warning_condition();
        if (m_p_wnd_ir_show != nullptr) {
            emit m_p_wnd_ir_show->sig_update_ana_alias(true);
        }
    }
    m_p_cur_ana = nullptr;
    return true;
}

bool IRBase::delete_all_ana()
{
    void* frame = get_ir_data();
    if (frame == nullptr) {
        return false;
    }
    clear_charts();
    thermframe_delete_all_ana(frame);
    if (m_p_wnd_palette != nullptr && m_p_wnd_palette->shown_ana() != nullptr) {
        m_p_wnd_palette->refresh();
    }
    m_p_cur_ana = nullptr;
    if (m_p_warning_condition != nullptr) {
        m_p_warning_condition->clear_condition();
        if (m_p_wnd_ir_show != nullptr) {
            emit m_p_wnd_ir_show->sig_update_ana_alias(true);
        }
    }
    return true;
}

bool IRBase::move_ana_position(int key)
{
    if (key < Qt::Key_Left || key > Qt::Key_Down) {
        return false;
    }
    void* handle = selected_ana();
    if (handle == nullptr) {
        return false;
    }
    RotationAngle angle = ROTATION_NONE;
    thermframe_get_rotation_angle(get_ir_data(), angle);
    int offset = 0;
    switch (angle) {
    case ROTATION_90: offset = 3; break;
    case ROTATION_270: offset = 1; break;
    case ROTATION_180:
    case ROTATION_180_ALT: offset = 2; break;
    default: break;
    }
    static const int kSteps[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    const int index = (key - Qt::Key_Left + offset) % 4;
    return thermframe_ana_move_position(handle, kSteps[index][0], kSteps[index][1]);
}

QString IRBase::get_ana_alias() const
{
    std::string alias;
    void* handle = selected_ana();
    if (handle == nullptr || !thermframe_ana_get_alias(handle, alias)) {
        return QString();
    }
    return QString::fromStdString(alias);
}

bool IRBase::set_ana_alias(const QString& alias)
{
    void* handle = selected_ana();
    if (handle == nullptr) {
        return false;
    }
    std::string old_alias;
    thermframe_ana_get_alias(handle, old_alias);
    if (!thermframe_ana_set_alias(handle, alias.toStdString())) {
        return false;
    }
    if (m_p_warning_condition != nullptr) {
        m_p_warning_condition->replace_ana_alias(alias, QString::fromStdString(old_alias));
    }
    refresh_palette_bar();
    if (m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_update_ana_alias(false);
    }
    return true;
}

// --- Analysis-info file ----------------------------------------------------------------------

bool IRBase::save_ana_info_to_file(const QString& path)
{
    void* frame = get_ir_data();
    int32_t total = 0;
    if (!thermframe_get_anas_count(frame, ANA_ALL, total) || total <= 0) {
        return false;
    }
    AnaInfoFile file;
    if (!thermframe_get_resolution(frame, file.width, file.height)) {
        return false;
    }
    AnaInfoRecord record;
    for (AnaType type : kKindOrder) {
        int32_t count = 0;
        thermframe_get_anas_count(frame, type, count);
        for (int32_t i = 0; i < count; ++i) {
            void* ana = nullptr;
            if (!thermframe_get_ana(frame, type, i, ana) || ana == nullptr) {
                continue;
            }
            record.str = ana_string_of(frame, ana);
            record.alias.clear();
            thermframe_ana_get_alias(ana, record.alias);
            thermframe_ana_get_line_clr(ana, record.line_clr);
            ShowTextType text_type = SHOW_TEXT_MAX;
            if (thermframe_ana_get_text_type(ana, text_type)) {
                record.text_type = static_cast<uint8_t>(text_type);
            }
            thermframe_ana_is_show_max(ana, record.show_max);
            thermframe_ana_is_show_min(ana, record.show_min);
            thermframe_ana_has_self_palette(ana, record.self_palette);
            if (record.self_palette) {
                PaletteType palette_type = PALETTE_TYPE_MANUAL;
                thermframe_ana_get_palette_type(ana, palette_type);
                record.palette_auto = palette_type != PALETTE_TYPE_MANUAL;
                PALETTE palette = PAL_IRON;
                thermframe_ana_get_palette(ana, palette);
                record.palette = static_cast<uint8_t>(palette);
                thermframe_ana_get_palette_param(ana, record.palette_low, record.palette_high);
            }
            thermframe_ana_is_show_cursor(ana, record.show_cursor);
            thermframe_ana_get_self_para(ana, record.self_para, record.emissivity, record.distance);
            file.records.push_back(record);
        }
    }
    return ana_info_file::write(path, file);
}

bool IRBase::apply_ana_info_record(void* frame, const AnaInfoRecord& record, bool& changed_existing)
{
    void* ana = nullptr;
    if (!record.alias.empty() && thermframe_get_ana_handle_from_alias(frame, record.alias, ana) &&
        ana != nullptr) {
        AnaType existing = ANA_ALL;
        AnaType incoming = ANA_ALL;
        thermframe_ana_get_type(ana, existing);
        vy_parse_ana_type_of_char(record.str[0], &incoming);
        changed_existing = true;
        if (existing == incoming) {
            if (!thermframe_update_ana_size(frame, ana_string_of(frame, ana), record.str)) {
                return false;
            }
            thermframe_get_ana_handle_from_alias(frame, record.alias, ana);
        } else {
            remove_ana_from_charts(ana);
            thermframe_delete_ana(frame, ana_string_of(frame, ana));
            ana = nullptr;
        }
    }
    if (ana == nullptr) {
        if (!thermframe_add_ana(frame, record.str, ana) || ana == nullptr) {
            return false;
        }
        if (!record.alias.empty()) {
            thermframe_ana_set_alias(ana, record.alias);
        }
        add_ana_to_charts(ana);
    }
    thermframe_ana_set_line_clr(ana, record.line_clr);
    thermframe_ana_set_text_type(ana, static_cast<ShowTextType>(record.text_type & 7));
    thermframe_ana_show_max(ana, record.show_max);
    thermframe_ana_show_min(ana, record.show_min);
    thermframe_ana_set_self_palette(ana, record.self_palette);
    if (record.self_palette) {
        if (record.palette_auto) {
            thermframe_ana_auto_palette(ana);
        } else {
            thermframe_ana_set_palette_param(ana, record.palette_low, record.palette_high);
        }
        if (record.palette < PAL_COUNT) {
            thermframe_ana_set_palette(ana, static_cast<PALETTE>(record.palette));
        }
    }
    thermframe_ana_show_cursor(ana, record.show_cursor);
    // Stored parameters are checked like typed ones: a broken file cannot
    // put an emissivity of 0 or NaN on an object.
    if (record.self_para && record.emissivity > 0.0f && record.emissivity <= 1.0f &&
        record.distance > 0.0f && record.distance < 1e6f) {
        thermframe_ana_set_self_para(ana, true, record.emissivity, record.distance);
    }
    return true;
}

bool IRBase::load_ana_info_from_file(const QString& path)
{
    void* frame = get_ir_data();
    if (frame == nullptr) {
        return false;
    }
    AnaInfoFile file;
    if (!ana_info_file::read(path, file)) {
        return false;
    }
    uint16_t width = 0;
    uint16_t height = 0;
    thermframe_get_resolution(frame, width, height);
    const bool scale = width != file.width || height != file.height;
    const float sx = static_cast<float>(width) / file.width;
    const float sy = static_cast<float>(height) / file.height;
    bool changed_existing = false;
    for (AnaInfoRecord& record : file.records) {
        if (record.str.empty()) {
            continue;
        }
        if (scale) {
            std::string scaled;
            // A string that cannot be rescaled would land in the wrong place:
            // the record is skipped.
            if (!ana_string::rescale(record.str, scaled, sx, sy)) {
                continue;
            }
            record.str = scaled;
        }
        apply_ana_info_record(frame, record, changed_existing);
    }
    refresh_palette_bar();
    if (changed_existing) {
        if (m_p_warning_condition != nullptr) {
            m_p_warning_condition->clear_condition();
        }
        if (m_p_wnd_ir_show != nullptr) {
            emit m_p_wnd_ir_show->sig_update_ana_alias(true);
        }
    }
    return true;
}

// --- Detection rules --------------------------------------------------------------------------

bool IRBase::load_detect_rule_anas(const QString& json_text)
{
    void* frame = get_ir_data();
    if (frame == nullptr) {
        return false;
    }
    const QJsonArray array = QJsonDocument::fromJson(json_text.toUtf8()).array();
    uint16_t width = 640;
    uint16_t height = 480;
    thermframe_get_resolution(frame, width, height);
    const bool scale = width != 640 || height != 480;
    clear_charts();
    thermframe_delete_all_ana(frame);
    for (const QJsonValue& value : array) {
        const QJsonObject item = value.toObject();
        std::string text = item.value(QStringLiteral("ana_str")).toString().toStdString();
        if (text.empty()) {
            continue;
        }
        if (scale) {
            std::string scaled;
            if (!ana_string::rescale(text, scaled, width / 640.0f, height / 480.0f)) {
                continue;
            }
            text = scaled;
        }
        void* ana = nullptr;
        if (thermframe_add_ana(frame, text, ana) && ana != nullptr) {
            thermframe_ana_set_alias(ana, item.value(QStringLiteral("ana_alias")).toString().toStdString());
            add_ana_to_charts(ana);
        }
    }
    refresh_palette_bar();
    m_p_cur_ana = nullptr;
    if (m_p_wnd_ir_show != nullptr) {
        m_p_wnd_ir_show->notify_cur_ana(nullptr);
    }
    return true;
}

bool IRBase::load_detect_rule_formula(int rule_id)
{
    if (m_p_warning_condition == nullptr) {
        return false;
    }
    m_p_warning_condition->load_detect_rule_formula(DataSql::instance()->get_detect_rule_formula(rule_id));
    return true;
}
