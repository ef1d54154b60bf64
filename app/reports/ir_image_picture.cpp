#include "reports/ir_image_picture.h"

#include "markpen.h"
#include "picfold.h"
#include "sources/ir_image.h"
#include "thermframe.h"

#include <string>

IrImagePicture::IrImagePicture() : m_owned(std::make_unique<IRImage>(nullptr)), m_source(m_owned.get()) {}

IrImagePicture::IrImagePicture(IRImage* source) : m_source(source) {}

IrImagePicture::~IrImagePicture() = default;

bool IrImagePicture::open_file(const QString& path) { return m_source->open_file(path); }
QString IrImagePicture::file_path() const { return m_source->get_file_path(); }
bool IrImagePicture::is_visible_picture() const { return m_source->is_normal_image(); }
bool IrImagePicture::is_sgcc_picture() const { return m_source->is_sgcc_image(); }
int IrImagePicture::width() const { return m_source->get_ir_width(); }
int IrImagePicture::height() const { return m_source->get_ir_height(); }

void IrImagePicture::paint_in_rect(QPainter* painter, const QRect& rect) { m_source->paint_in_rect(painter, rect); }
void IrImagePicture::set_show_size(int width, int height) { m_source->set_show_size(width, height); }
void IrImagePicture::mouse_down(int x, int y) { m_source->mouse_down(x, y); }
void IrImagePicture::mouse_move(int x, int y) { m_source->mouse_move(x, y); }
void IrImagePicture::mouse_up(int x, int y) { m_source->mouse_up(x, y); }
void IrImagePicture::mouse_double_clicked(int x, int y) { m_source->mouse_double_clicked(x, y); }
bool IrImagePicture::is_ana_changed() const { return m_source->is_ana_changed(); }

void IrImagePicture::add_shape(int shape)
{
    switch (shape) {
    case 0: m_source->add_point(); break;
    case 1: m_source->add_line(); break;
    case 2: m_source->add_rect(); break;
    case 3: m_source->add_ellipse(); break;
    default: break;
    }
}

void IrImagePicture::end_add_shape() { m_source->add_null(); }
bool IrImagePicture::delete_ana() { return m_source->delete_ana(); }
bool IrImagePicture::delete_all_ana() { return m_source->delete_all_ana(); }

bool IrImagePicture::ana_kind_at(int x, int y, int& kind)
{
    void* doc = m_source->get_ir_data();
    uint16_t w = 0;
    uint16_t h = 0;
    uint16_t ww = 0;
    uint16_t wh = 0;
    if (!thermframe_get_show_resolution(doc, w, h) || !markpen_get_wnd_size(m_source->get_ir_paint(), ww, wh) ||
        ww == 0 || wh == 0 || w == 0 || h == 0) {
        return false;
    }
    kind = 100;
    // A point in the margin left of or above the picture hits no object.
    if (x < 0 || y < 0) return true;
    const int64_t px = qMin<int64_t>(int64_t(w) * x / ww, w - 1);
    const int64_t py = qMin<int64_t>(int64_t(h) * y / wh, h - 1);
    uint16_t fx = static_cast<uint16_t>(px);
    uint16_t fy = static_cast<uint16_t>(py);
    thermframe_pt_direction_to_abs(doc, fx, fy);
    AnaType type = ANA_ALL;
    std::string str;
    if (thermframe_get_hit_ana_str(doc, fx, fy, type, str)) kind = type;
    return true;
}

bool IrImagePicture::set_ir_property(const QJsonObject& json) { return m_source->set_ir_property(json); }
QJsonObject IrImagePicture::get_ir_property() { return m_source->get_ir_property(); }
bool IrImagePicture::save_as_image_to_file(const QString& path) { return m_source->save_as_image_to_file(path); }
bool IrImagePicture::save_as_sgcc_image_to_file(const QString& path)
{
    return m_source->save_as_sgcc_image_to_file(path);
}

bool IrImagePicture::read_emissivity(float& value) const { return thermframe_get_emiss(m_source->get_ir_data(), value); }
bool IrImagePicture::read_distance(float& value) const { return thermframe_get_dist(m_source->get_ir_data(), value); }
bool IrImagePicture::read_ambient_temperature(float& value) const
{
    return thermframe_get_env_temp(m_source->get_ir_data(), value);
}
bool IrImagePicture::read_relative_humidity(float& value) const
{
    return thermframe_get_rel_hum(m_source->get_ir_data(), value);
}
bool IrImagePicture::read_reference_temperature(float& value) const
{
    return thermframe_get_enviroment_reference_temperature(m_source->get_ir_data(), value);
}

bool IrImagePicture::read_max_temperature(float& value) const
{
    uint16_t x = 0, y = 0, ad = 0;
    return thermframe_get_max_temp(m_source->get_ir_data(), x, y, ad, value);
}

bool IrImagePicture::read_min_temperature(float& value) const
{
    uint16_t x = 0, y = 0, ad = 0;
    return thermframe_get_min_temp(m_source->get_ir_data(), x, y, ad, value);
}

bool IrImagePicture::read_avg_temperature(float& value) const
{
    uint16_t ad = 0;
    return thermframe_get_avg_temp(m_source->get_ir_data(), ad, value);
}

QVector<ReportAnalysis> IrImagePicture::analyses_of_kind(int kind) const
{
    QVector<ReportAnalysis> analyses;
    void* doc = m_source->get_ir_data();
    const AnaType type = static_cast<AnaType>(kind);
    int32_t count = 0;
    if (doc == nullptr || !thermframe_get_anas_count(doc, type, count)) return analyses;
    for (int32_t i = 0; i < count; ++i) {
        void* ana = nullptr;
        if (!thermframe_get_ana(doc, type, i, ana) || ana == nullptr) continue;
        ReportAnalysis analysis;
        analysis.kind = kind;
        std::string alias;
        analysis.alias_ok = thermframe_ana_get_alias(ana, alias);
        analysis.alias = QString::fromStdString(alias);
        uint16_t x = 0, y = 0, ad = 0;
        analysis.max_ok = thermframe_ana_get_max_temp(ana, x, y, ad, analysis.max);
        analysis.min_ok = thermframe_ana_get_min_temp(ana, x, y, ad, analysis.min);
        analysis.avg_ok = thermframe_ana_get_avg_temp(ana, ad, analysis.avg);
        analyses.append(analysis);
    }
    return analyses;
}

QString IrImagePicture::storage_time() const
{
    std::string text;
    if (m_source->get_ir_handle() == nullptr || !picfold_get_storage_time(m_source->get_ir_handle(), text)) {
        return QString();
    }
    return QString::fromStdString(text);
}

QString IrImagePicture::user_data_string(const QString& key) const { return m_source->get_user_data_string(key); }
QString IrImagePicture::preset_text() const { return m_source->get_preset_text(); }
QString IrImagePicture::latitude_text() const { return m_source->get_latitude_text(); }
QString IrImagePicture::longitude_text() const { return m_source->get_longitude_text(); }
QString IrImagePicture::altitude_text() const { return m_source->get_altitude_text(); }
