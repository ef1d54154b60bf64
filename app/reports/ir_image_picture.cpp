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

void* IrImagePicture::frame_document() const { return m_source->get_ir_data(); }
void* IrImagePicture::picture_handle() const { return m_source->get_ir_handle(); }

QString IrImagePicture::user_data_string(const QString& key) const { return m_source->get_user_data_string(key); }
QString IrImagePicture::preset_text() const { return m_source->get_preset_text(); }
QString IrImagePicture::latitude_text() const { return m_source->get_latitude_text(); }
QString IrImagePicture::longitude_text() const { return m_source->get_longitude_text(); }
QString IrImagePicture::altitude_text() const { return m_source->get_altitude_text(); }
