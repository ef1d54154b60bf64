#include "views/wnd_ir_show.h"

#include "charts/wnd_chart_area.h"
#include "charts/wnd_chart_line.h"
#include "markpen.h"
#include "sources/handle_ids.h"
#include "sources/ir_image.h"
#include "sources/ir_net_device.h"
#include "sources/source_settings.h"
#include "sources/ir_player.h"
#include "thermframe.h"
#include "views/ir_copy_temp.h"
#include "views/qml_path.h"
#include "views/wnd_ir_companions.h"
#include "sources/wnd_ir_reconnect.h"

#include <QCursor>
#include <QJsonDocument>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <map>

namespace {

QString local_path(const QString& text) { return local_path_from_qml(text); }

const AnaType kListOrder[] = {ANA_RECT, ANA_LINE, ANA_ELLIPSE, ANA_POLYGON, ANA_POLYLINE, ANA_POINT};

}  // namespace

Qt::CursorShape cursor_for_hit_code(int hit_code, int rotation)
{
    const bool turned = rotation == ROTATION_90 || rotation == ROTATION_270;
    switch (hit_code) {
    case 0: case 10: case 20: case 30: case 40: case 41: case 50: case 51:
        return Qt::SizeAllCursor;
    case 11: case 12: case 13: case 14: case 22: case 33: case 37: case 42: case 52:
        return Qt::SizeBDiagCursor;
    case 21: case 31: case 35:
        return Qt::SizeFDiagCursor;
    case 32: case 36:
        return turned ? Qt::SizeHorCursor : Qt::SizeVerCursor;
    case 34: case 38:
        return turned ? Qt::SizeVerCursor : Qt::SizeHorCursor;
    default:
        return Qt::CrossCursor;
    }
}

WndIRShow::WndIRShow(QQuickItem* parent) : QQuickPaintedItem(parent)
{
    setAcceptHoverEvents(true);
    setAcceptedMouseButtons(Qt::AllButtons);
    setFlag(ItemAcceptsInputMethod, true);
    connect(this, &WndIRShow::sig_update, this, [this] { update(); }, Qt::QueuedConnection);
    m_copy_temp = new IRCopyTemp;
}

WndIRShow::~WndIRShow()
{
    delete m_copy_temp;
    m_copy_temp = nullptr;
    delete m_ir;
    m_ir = nullptr;
}

void* WndIRShow::frame() const { return m_ir != nullptr ? m_ir->get_ir_data() : nullptr; }

int WndIRShow::n_pixel_width() const { return m_ir != nullptr ? m_ir->get_ir_width() : 0; }
int WndIRShow::n_pixel_height() const { return m_ir != nullptr ? m_ir->get_ir_height() : 0; }

int WndIRShow::ana_id(void* handle) const { return analysis_ids().id_of(handle); }

void* WndIRShow::ana_from_id(int id) const
{
    void* handle = analysis_ids().handle_of(id);
    return handle != nullptr && thermframe_ana_is_valid(frame(), handle) ? handle : nullptr;
}

void WndIRShow::notify_cur_ana(void* handle) { emit sig_update_cur_ana(ana_id(handle)); }

void WndIRShow::paint(QPainter* painter)
{
    if (m_ir != nullptr) {
        m_ir->paint(painter);
    }
}

void WndIRShow::geometryChanged(const QRectF& new_geometry, const QRectF& old_geometry)
{
    if (m_ir != nullptr) {
        m_ir->set_show_size(static_cast<int>(new_geometry.width()), static_cast<int>(new_geometry.height()));
    }
    QQuickPaintedItem::geometryChanged(new_geometry, old_geometry);
}

bool WndIRShow::init_wnd(int n_type)
{
    if (m_ir != nullptr) {
        return true;
    }
    switch (n_type) {
    case 1:
        m_ir = new IRImage(this);
        return true;
    case 2:
        m_ir = new IRPlayer(this);
        return true;
    case 3:
        m_ir = new IRNetDevice(this);
        return true;
    default:
        return false;
    }
}

bool WndIRShow::open_net_device(const QString& str_sn, const QString& str_ip, const QString& str_discover_mac,
                                int n_id_ir)
{
    if (m_ir == nullptr || !m_ir->open_net_device(str_sn, str_ip, str_discover_mac, n_id_ir)) {
        return false;
    }
    m_ir->set_show_size(static_cast<int>(width()), static_cast<int>(height()));
    emit sig_update_rotate();
    repaint();
    return true;
}

bool WndIRShow::reopen_net_device(const QString& sn, const QString& ip, const QString& mac, void* stream)
{
    auto* camera = qobject_cast<IRNetDevice*>(m_ir);
    if (camera == nullptr || !camera->open_stream(sn, ip, mac, stream)) {
        return false;
    }
    camera->set_show_size(static_cast<int>(width()), static_cast<int>(height()));
    repaint();
    return true;
}

void WndIRShow::set_reconnect(WndIRReconnect* reconnect)
{
    m_reconnect = reconnect;
}

void WndIRShow::start_reconnect(void* stream, const QString& ip, const QString& sn, const QString& mac)
{
    if (m_reconnect != nullptr) {
        m_reconnect->start_reconnect(stream, ip, sn, mac);
    }
}

bool WndIRShow::is_connected() { return m_ir != nullptr && m_ir->is_connected(); }

int WndIRShow::get_len_adjust_method()
{
    auto* camera = qobject_cast<IRNetDevice*>(m_ir);
    return camera != nullptr ? camera->len_adjust_method() : 0;
}

bool WndIRShow::get_ir_support_len_pos()
{
    auto* camera = qobject_cast<IRNetDevice*>(m_ir);
    return camera != nullptr && camera->supports_len_pos();
}
bool WndIRShow::temperature_correct() { return m_ir != nullptr && m_ir->temperature_correct(); }
int WndIRShow::get_len_pos() { return m_ir != nullptr ? m_ir->get_len_pos() : 0; }
bool WndIRShow::set_len_pos(int n_pos)
{
    return m_ir != nullptr && n_pos >= 0 && n_pos <= 0xffff && m_ir->set_len_pos(static_cast<uint16_t>(n_pos));
}
bool WndIRShow::motor_forward() { return m_ir != nullptr && m_ir->motor_forward(); }
bool WndIRShow::motor_reverse() { return m_ir != nullptr && m_ir->motor_reverse(); }
bool WndIRShow::motor_stop() { return m_ir != nullptr && m_ir->motor_stop(); }
bool WndIRShow::zoom_motor_forward() { return m_ir != nullptr && m_ir->zoom_motor_forward(); }
bool WndIRShow::zoom_motor_reverse() { return m_ir != nullptr && m_ir->zoom_motor_reverse(); }
bool WndIRShow::zoom_motor_stop() { return m_ir != nullptr && m_ir->zoom_motor_stop(); }

bool WndIRShow::open_file(const QString& str_file_path)
{
    if (m_ir == nullptr || !m_ir->open_file(local_path(str_file_path))) {
        return false;
    }
    m_ir->set_show_size(static_cast<int>(width()), static_cast<int>(height()));
    emit sig_update_rotate();
    repaint();
    return true;
}

bool WndIRShow::set_wnd_index(int n_index)
{
    if (m_ir == nullptr) return false;
    m_ir->set_wnd_index(n_index);
    return true;
}

bool WndIRShow::set_wnd_type_index(int n_index)
{
    if (m_ir == nullptr) return false;
    m_ir->set_wnd_type_index(n_index);
    return true;
}

bool WndIRShow::add_null() { return m_ir != nullptr && m_ir->add_null(); }
bool WndIRShow::add_point() { return m_ir != nullptr && m_ir->add_point(); }
bool WndIRShow::add_line() { return m_ir != nullptr && m_ir->add_line(); }
bool WndIRShow::add_rect() { return m_ir != nullptr && m_ir->add_rect(); }
bool WndIRShow::add_ellipse() { return m_ir != nullptr && m_ir->add_ellipse(); }
bool WndIRShow::add_poly() { return m_ir != nullptr && m_ir->add_poly(); }
bool WndIRShow::add_polyline() { return m_ir != nullptr && m_ir->add_polyline(); }

bool WndIRShow::delete_ana()
{
    if (m_ir == nullptr || !m_ir->delete_ana()) return false;
    emit sig_update_cur_ana(0);
    repaint();
    return true;
}

bool WndIRShow::delete_all_ana()
{
    if (m_ir == nullptr || !m_ir->delete_all_ana()) return false;
    emit sig_update_cur_ana(0);
    repaint();
    return true;
}

bool WndIRShow::save_image_to_file() { return m_ir != nullptr && m_ir->save_image_to_file(); }
bool WndIRShow::save_image_to_png() { return m_ir != nullptr && m_ir->save_image_to_png(); }

bool WndIRShow::save_as_image_to_file(const QString& str_new_file_path)
{
    return m_ir != nullptr && m_ir->save_as_image_to_file(local_path(str_new_file_path));
}

bool WndIRShow::save_as_sgcc_image_to_file(const QString& str_new_file_path)
{
    return m_ir != nullptr && m_ir->save_as_sgcc_image_to_file(local_path(str_new_file_path));
}

bool WndIRShow::move_ana_position(int n_type)
{
    if (m_ir == nullptr || !m_ir->move_ana_position(n_type)) return false;
    emit sig_update_ana_temp_info();
    repaint();
    return true;
}

bool WndIRShow::save_ana_info_to_file(const QString& str_file_path)
{
    if (m_ir == nullptr || !m_ir->save_ana_info_to_file(local_path(str_file_path))) return false;
    repaint();
    return true;
}

bool WndIRShow::load_ana_info_from_file(const QString& str_file_path)
{
    if (m_ir == nullptr || !m_ir->load_ana_info_from_file(local_path(str_file_path))) return false;
    repaint();
    return true;
}

bool WndIRShow::copy_image_to_clipboard() { return m_ir != nullptr && m_ir->copy_image_to_clipboard(); }

bool WndIRShow::set_enable_imaging_blur(bool b_enable)
{
    if (m_ir == nullptr) return false;
    if (thermframe_enable_image_process(frame(), b_enable)) repaint();
    return true;
}

bool WndIRShow::set_ana_alias(const QString& str_alias)
{
    if (m_ir == nullptr || !m_ir->set_ana_alias(str_alias)) return false;
    repaint();
    return true;
}

bool WndIRShow::set_ana_property(const QJsonObject& json_info)
{
    if (m_ir == nullptr || !m_ir->set_ana_property(json_info)) return false;
    repaint();
    return true;
}

bool WndIRShow::set_ir_property(const QJsonObject& json_info)
{
    if (m_ir == nullptr || !m_ir->set_ir_property(json_info)) return false;
    repaint();
    return true;
}

QString WndIRShow::get_ana_alias() { return m_ir != nullptr ? m_ir->get_ana_alias() : QString(); }

bool WndIRShow::load_ana_from_string(const QString& str_anas)
{
    void* doc = frame();
    if (m_ir == nullptr) return false;
    const QJsonArray array = QJsonDocument::fromJson(str_anas.toUtf8()).array();
    // Through the source, so that nothing keeps pointing at a deleted object.
    m_ir->delete_all_ana();
    for (const QJsonValue& value : array) {
        const QJsonObject item = value.toObject();
        const std::string text = item.value("ana_str").toString().toStdString();
        void* ana = nullptr;
        if (!text.empty() && thermframe_add_ana(doc, text, ana) && ana != nullptr) {
            thermframe_ana_set_alias(ana, item.value("ana_alias").toString().toStdString());
        }
    }
    repaint();
    return true;
}

QString WndIRShow::get_anas_json()
{
    void* doc = frame();
    QJsonArray array;
    for (AnaType type : kListOrder) {
        int32_t count = 0;
        thermframe_get_anas_count(doc, type, count);
        for (int32_t i = 0; i < count; ++i) {
            std::string text, alias;
            if (!thermframe_get_ana(doc, type, i, text)) continue;
            thermframe_ana_get_alias(doc, text, alias);
            array.append(QJsonObject{{"ana_alias", QString::fromStdString(alias)},
                                     {"ana_str", QString::fromStdString(text)}});
        }
    }
    return array.isEmpty() ? QString() : QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

QJsonArray WndIRShow::get_all_anas_json()
{
    const QJsonArray listed = QJsonDocument::fromJson(get_anas_json().toUtf8()).array();
    std::map<QString, QJsonObject> by_alias;
    for (const QJsonValue& value : listed) {
        const QJsonObject item = value.toObject();
        by_alias.emplace(item.value("ana_alias").toString(), item);
    }
    QJsonArray array;
    for (const auto& entry : by_alias) array.append(entry.second);
    return array;
}

QString WndIRShow::copy_to_path(const QString& str_path_no_ext)
{
    return m_ir != nullptr ? m_ir->copy_to_path(local_path(str_path_no_ext)) : QString();
}

int WndIRShow::get_imaging_algorithm_mode() { return m_ir != nullptr ? m_ir->get_imaging_algorithm_mode() : 0; }

bool WndIRShow::set_imaging_algorithm_mode(int n_mode)
{
    if (m_ir == nullptr || !m_ir->set_imaging_algorithm_mode(n_mode)) return false;
    repaint();
    return true;
}

QJsonObject WndIRShow::get_sensor_temp() { return m_ir != nullptr ? m_ir->get_sensor_temp() : QJsonObject(); }
QJsonObject WndIRShow::get_ir_property() { return m_ir != nullptr ? m_ir->get_ir_property() : QJsonObject(); }
QJsonObject WndIRShow::get_ir_temp_info() { return m_ir != nullptr ? m_ir->get_ir_temp_info() : QJsonObject(); }
QJsonObject WndIRShow::get_ir_param_info() { return m_ir != nullptr ? m_ir->get_ir_param_info() : QJsonObject(); }
QJsonObject WndIRShow::get_cur_ana_property() { return m_ir != nullptr ? m_ir->get_cur_ana_property() : QJsonObject(); }
QJsonObject WndIRShow::get_cur_ana_temp_info() { return m_ir != nullptr ? m_ir->get_cur_ana_temp_info() : QJsonObject(); }
QJsonObject WndIRShow::get_cur_ana_param_info() { return m_ir != nullptr ? m_ir->get_cur_ana_param_info() : QJsonObject(); }

int WndIRShow::get_cur_ana_palette()
{
    void* ana = nullptr;
    PALETTE palette = PAL_IRON;
    if (m_ir == nullptr || !thermframe_get_select_ana(frame(), ana) || ana == nullptr ||
        !thermframe_ana_get_palette(ana, palette)) {
        return 0;
    }
    return palette;
}

int WndIRShow::print_report(const QString& str_report_path)
{
    return m_ir != nullptr ? m_ir->print_report(local_path(str_report_path)) : -1;
}

bool WndIRShow::open_report() { return m_ir != nullptr && m_ir->open_report(); }
bool WndIRShow::is_show_normal_image() { return m_ir != nullptr && m_ir->is_normal_image(); }
bool WndIRShow::is_sgcc_image() { return m_ir != nullptr && m_ir->is_sgcc_image(); }
bool WndIRShow::is_recording_sound()
{
    auto* picture = qobject_cast<IRImage*>(m_ir);
    return picture != nullptr && picture->audio_tool().is_recording();
}
bool WndIRShow::is_wait_cold() { return m_ir != nullptr && m_ir->is_wait_cold(); }

bool WndIRShow::set_paint_wnd_size(int n_width, int n_height)
{
    return m_ir != nullptr && m_ir->set_show_size(n_width, n_height);
}

bool WndIRShow::rorate_90_degrees(bool b_clockwise)
{
    if (m_ir == nullptr || !m_ir->rorate_90_degrees(b_clockwise)) return false;
    repaint();
    return true;
}

QJsonArray WndIRShow::get_array_len_type() { return m_ir != nullptr ? m_ir->get_array_len_type() : QJsonArray(); }

QJsonArray WndIRShow::get_array_meas_range(int n_len_type)
{
    return m_ir != nullptr ? m_ir->get_array_meas_range(n_len_type) : QJsonArray();
}

QString WndIRShow::get_capture_sn() { return m_ir != nullptr ? m_ir->get_ir_name() : QString(); }
bool WndIRShow::start_capture() { return m_ir != nullptr && m_ir->start_capture(); }

void WndIRShow::stop_capture()
{
    if (m_ir != nullptr) {
        m_ir->stop_capture();
    }
}
int WndIRShow::get_ir_handle() { return m_ir != nullptr ? library_ids().id_of(m_ir->get_ir_handle()) : 0; }
int WndIRShow::get_ir_paint_handle() { return m_ir != nullptr ? library_ids().id_of(m_ir->get_ir_paint()) : 0; }
int WndIRShow::get_ir_data_handle() { return m_ir != nullptr ? library_ids().id_of(frame()) : 0; }
QString WndIRShow::get_file_path() { return m_ir != nullptr ? m_ir->get_file_path() : QString(); }

// --- Copying temperatures -----------------------------------------------------------------------

QJsonArray WndIRShow::get_copy_temp_ana_info()
{
    QJsonArray array;
    void* doc = frame();
    if (m_ir == nullptr || doc == nullptr) return array;
    array.append(QJsonObject{{"h_ana", 0}, {"name", tr("Infrared overall temperature")}});
    for (AnaType type : {ANA_POINT, ANA_LINE, ANA_ELLIPSE, ANA_RECT, ANA_POLYGON, ANA_POLYLINE}) {
        int32_t count = 0;
        thermframe_get_anas_count(doc, type, count);
        for (int32_t i = 0; i < count; ++i) {
            void* ana = nullptr;
            std::string alias;
            if (!thermframe_get_ana(doc, type, i, ana) || ana == nullptr) continue;
            thermframe_ana_get_alias(ana, alias);
            array.append(QJsonObject{{"h_ana", ana_id(ana)},
                                     {"name", QString::fromStdString(alias) + tr(" temperature")}});
        }
    }
    return array;
}

bool WndIRShow::copy_temp(const QVariantList& arr)
{
    void* doc = frame();
    if (m_ir == nullptr || doc == nullptr) return false;
    QStringList items;
    for (const QVariant& value : arr) {
        const int id = value.toInt();
        if (id == 0) {
            items.append(QString());
            continue;
        }
        std::string text;
        void* ana = ana_from_id(id);
        if (ana != nullptr && thermframe_get_ana_str_from_handle(doc, ana, text)) {
            items.append(QString::fromStdString(text));
        }
    }
    if (m_ir->is_sgcc_image()) {
        return m_copy_temp->copy_temp_of_frame(items, doc);
    }
    // The analyses and parameters as shown go through a snapshot of the
    // picture, which is loaded again the way the file reader sees it.
    const QString snapshot = source_settings::config_path() + QStringLiteral("snap_ir.jpg");
    if (!m_ir->save_as_image_to_file(snapshot)) return false;
    return m_copy_temp->copy_temp_to_clipboard(items, snapshot);
}

// --- Companion items ----------------------------------------------------------------------------

void WndIRShow::set_line_chart(WndChartLine* chart)
{
    if (m_ir != nullptr) m_ir->set_line_chart(chart);
    if (chart != nullptr) chart->set_ir_wnd(this);
}

void WndIRShow::set_area_chart(WndChartArea* chart)
{
    if (m_ir != nullptr) m_ir->set_area_chart(chart);
    if (chart != nullptr) chart->set_ir_wnd(this);
}

void WndIRShow::set_palette_wnd(WndIRPalette* palette)
{
    if (m_ir != nullptr) m_ir->set_palette_wnd(palette);
    if (palette != nullptr) palette->set_ir_wnd(this);
}

void WndIRShow::set_table_ir_temp(WndTableIRTemp* table) { if (m_ir != nullptr) m_ir->set_table_ir_temp(table); }
void WndIRShow::set_simple_table_ir_temp(WndTableIRTempSimplified* table) { if (m_ir != nullptr) m_ir->set_simple_table_ir_temp(table); }
void WndIRShow::set_wnd_isotherm(WndIRIsotherm* isotherm) { if (m_ir != nullptr) m_ir->set_wnd_isotherm(isotherm); }
void WndIRShow::set_video_edit_wnd(WndVideoEdit* edit) { if (m_ir != nullptr) m_ir->set_video_edit_wnd(edit); }

// --- Mouse and hover ------------------------------------------------------------------------------

void WndIRShow::mousePressEvent(QMouseEvent* event)
{
    if (m_ir == nullptr) {
        return;
    }
    forceActiveFocus();
    const int x = event->pos().x();
    const int y = event->pos().y();
    if (event->button() == Qt::LeftButton) {
        m_ir->mouse_down(x, y);
        repaint();
    } else if (event->button() == Qt::RightButton) {
        m_ir->add_null();
        emit sig_toolbar_ir_unchecked_ana_btn();
        uint16_t px = 0, py = 0;
        if (m_ir->ir_type() > 1 && to_picture_point(x, y, px, py)) {
            AnaType type = ANA_ALL;
            void* ana = nullptr;
            if (thermframe_get_hit_ana(frame(), px, py, type, ana) && ana != nullptr) {
                emit sig_show_trend_chart_menu(get_ir_handle(), ana_id(ana), type == ANA_POINT);
            }
        }
    }
    event->accept();
}

void WndIRShow::mouseMoveEvent(QMouseEvent* event)
{
    if (m_ir == nullptr) {
        return;
    }
    const int w = static_cast<int>(width());
    const int h = static_cast<int>(height());
    const int x = std::max(0, std::min(event->pos().x(), w - 1));
    const int y = std::max(0, std::min(event->pos().y(), h - 1));
    m_ir->mouse_move(x, y);
    repaint();
}

void WndIRShow::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_ir == nullptr || event->button() != Qt::LeftButton) {
        return;
    }
    m_ir->mouse_up(event->pos().x(), event->pos().y());
    repaint();
}

void WndIRShow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_ir == nullptr) {
        return;
    }
    m_ir->mouse_double_clicked(event->pos().x(), event->pos().y());
}

void WndIRShow::hoverEnterEvent(QHoverEvent* event)
{
    setCursor(Qt::CrossCursor);
    QQuickPaintedItem::hoverEnterEvent(event);
}

void WndIRShow::hoverMoveEvent(QHoverEvent* event)
{
    if (m_ir == nullptr) {
        return;
    }
    const int x = event->pos().x();
    const int y = event->pos().y();
    m_ir->mouse_move(x, y);
    const QString text = m_ir->get_mouse_temp_text(x, y);
    if (!text.isEmpty()) {
        emit sig_update_temp_tooltip(x, y, text);
    }
    bool adding = false;
    markpen_has_added_ana(m_ir->get_ir_paint(), adding);
    if (adding) {
        repaint();
    } else {
        update_cursor(x, y);
    }
}

bool WndIRShow::to_picture_point(int x, int y, uint16_t& px, uint16_t& py) const
{
    uint16_t w = 640, h = 480, ww = 0, wh = 0;
    if (m_ir == nullptr || x < 0 || y < 0) return false;
    thermframe_get_show_resolution(frame(), w, h);
    if (!markpen_get_wnd_size(m_ir->get_ir_paint(), ww, wh) || ww == 0 || wh == 0 || w == 0 || h == 0) {
        return false;
    }
    px = static_cast<uint16_t>(std::min<int64_t>(static_cast<int64_t>(w) * x / ww, w - 1));
    py = static_cast<uint16_t>(std::min<int64_t>(static_cast<int64_t>(h) * y / wh, h - 1));
    return thermframe_pt_direction_to_abs(frame(), px, py);
}

void WndIRShow::update_cursor(int x, int y)
{
    uint16_t px = 0, py = 0;
    if (!to_picture_point(x, y, px, py)) return;
    RotationAngle rotation = ROTATION_NONE;
    if (!thermframe_get_rotation_angle(frame(), rotation)) rotation = ROTATION_NONE;
    AnaType code = ANA_ALL;
    std::string text;
    if (!thermframe_get_hit_ana_str(frame(), px, py, code, text)) return;
    setCursor(cursor_for_hit_code(code, rotation));
}
