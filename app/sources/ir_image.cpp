#include "sources/ir_image.h"

#include "alarms/warning_condition.h"
#include "charts/wnd_chart_area.h"
#include "charts/wnd_chart_base.h"
#include "charts/wnd_chart_line.h"
#include "markpen.h"
#include "picfold.h"
#include "shell/input_file.h"
#include "sources/ana_string.h"
#include "thermframe.h"
#include "views/wnd_ir_companions.h"
#include "views/wnd_ir_show.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QTemporaryFile>

#include <cstdio>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

IRImage::IRImage(WndIRShow* owner) : IRBase(owner)
{
    m_n_ir_type = 1;
    picfold_init(m_h_ir);
    thermframe_set_palette_type(get_ir_data(), PALETTE_TYPE_AUTO_EVERY_FRAME);
    picfold_set_use_temperature_para(m_h_ir, true);
    // Pictures take alarm conditions too: they are checked after each edit.
    // A child object, so it goes with the source.
    m_p_warning_condition = new WarningCondition(get_ir_data(), this);
}

IRImage::~IRImage()
{
    m_audio_tool.clear_sound();
    picfold_uninit(m_h_ir);
}

// A plain picture has no frame document: picfold still holds the picture
// opened before it, which must not be measured or edited in its place.
void* IRImage::get_ir_data() const
{
    if (m_b_normal_image) {
        return nullptr;
    }
    void* frame = nullptr;
    picfold_get_ir_data(m_h_ir, frame);
    return frame;
}

void* IRImage::get_ir_paint() const
{
    if (m_b_normal_image) {
        return nullptr;
    }
    void* painter = nullptr;
    picfold_get_ir_paint(m_h_ir, painter);
    return painter;
}

bool IRImage::set_use_temperature_para(bool on) { return picfold_set_use_temperature_para(m_h_ir, on); }

QString IRImage::get_ir_name() const { return IRBase::tr("Image ") + QString::number(m_n_wnd_type_index); }

// --- Opening ----------------------------------------------------------------------------------

bool IRImage::load_plain_image(const QString& path)
{
    // The size is read from the header first, so a picture claiming a huge
    // size is refused before any memory is taken for it.
    QImageReader reader(path);
    if (!reader.canRead()) {
        reader.setFileName(path);
        reader.setFormat("JPG");
    }
    const QSize size = reader.size();
    if (!size.isValid() || static_cast<qint64>(size.width()) * size.height() > kMaxPlainPixels ||
        size.width() > 0xFFFF || size.height() > 0xFFFF) {
        qCWarning(lc_source) << "plain image refused:" << path << size;
        return false;
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        return false;
    }
    m_b_normal_image = true;
    m_b_sgcc_image = false;
    m_image_normal = image.convertToFormat(QImage::Format_RGB32);
    m_str_file_path = path;
    m_n_ir_width = static_cast<uint16_t>(m_image_normal.width());
    m_n_ir_height = static_cast<uint16_t>(m_image_normal.height());
    m_image_ir = m_image_normal;
    m_p_cur_ana = nullptr;
    reset_warning_conditions();
    return true;
}

void IRImage::reset_warning_conditions()
{
    if (m_p_warning_condition == nullptr) {
        return;
    }
    // The objects the conditions named belong to the picture shown before.
    m_p_warning_condition->clear_condition();
    m_p_warning_condition->set_frame(get_ir_data());
    m_warned_anas.clear();
    if (m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_update_ana_alias(true);
    }
    if (m_b_normal_image) {
        stop_timer();
    } else {
        start_timer();
    }
}

void IRImage::timerEvent(QTimerEvent* event)
{
    IRBase::timerEvent(event);
    // A picture is painted only when something changes: the alarm marks
    // are such a change.
    std::map<void*, int> warned;
    if (m_p_warning_condition != nullptr && m_p_warning_condition->get_warning_anas(warned) &&
        warned != m_warned_anas) {
        m_warned_anas = warned;
        repaint_owner();
    }
}

bool IRImage::open_file(const QString& path)
{
    if (!picfold_load_file_w(m_h_ir, path.toStdWString(), true)) {
        return load_plain_image(path);
    }
    void* frame = get_ir_data();
    picfold_is_sgcc_file(m_h_ir, m_b_sgcc_image);
    m_b_normal_image = false;
    m_image_normal = QImage();
    thermframe_isotherm_update_all(frame);
    thermframe_set_palette_type(frame, PALETTE_TYPE_AUTO_EVERY_FRAME);
    picfold_set_use_temperature_para(m_h_ir, true);
    m_str_file_path = path;
    if (!read_ir_size()) {
        qCDebug(lc_source) << "failed thermframe_get_resolution";
        return false;
    }
    update_image_size();
    load_user_data();
    if (load_sound_data()) {
        m_audio_tool.set_sound_bytes(reinterpret_cast<unsigned char*>(m_sound_bytes.data()), m_sound_length);
    } else {
        m_audio_tool.clear_sound();
    }
    if (m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_update_sound_sec(m_audio_tool.sound_seconds());
    }
    load_stored_anas();
    reset_warning_conditions();
    if (m_p_chart_line != nullptr) {
        m_p_chart_line->start_refresh_timer();
    }
    if (m_p_wnd_isotherm != nullptr) {
        m_p_wnd_isotherm->update_axis_range(m_b_first_opening);
    }
    m_b_first_opening = false;
    return true;
}

void IRImage::load_stored_anas()
{
    void* frame = get_ir_data();
    if (frame == nullptr) {
        return;
    }
    thermframe_delete_all_ana(frame);
    clear_charts();
    std::string anas;
    std::vector<std::string> single;
    if (picfold_add_anas_saved_in_file(m_h_ir) && picfold_get_anas_saved_in_file(m_h_ir, anas)) {
        ana_string::split(anas, single);
        for (const std::string& text : single) {
            void* handle = nullptr;
            if (thermframe_get_ana_handle_from_str(frame, text, handle) && handle != nullptr) {
                add_ana_to_charts(handle);
            }
        }
    }
    if (m_b_sgcc_image) {
        for (const QJsonValue& value : m_user_data.value("VYAnas").toArray()) {
            const QJsonObject record = value.toObject();
            void* handle = nullptr;
            if (!thermframe_add_ana(frame, record.value("ana_str").toString().toStdString(), handle) ||
                handle == nullptr) {
                continue;
            }
            thermframe_ana_set_alias(handle, record.value("ana_alias").toString().toStdString());
            const int mask = (record.value("show_max").toBool() ? SHOW_TEXT_MAX : 0) |
                             (record.value("show_min").toBool() ? SHOW_TEXT_MIN : 0) |
                             (record.value("show_avg").toBool() ? SHOW_TEXT_AVG : 0);
            thermframe_ana_set_text_type(handle, static_cast<ShowTextType>(mask));
            add_ana_to_charts(handle);
        }
    }
    m_p_cur_ana = nullptr;
    if (m_p_wnd_ir_show != nullptr) {
        m_p_wnd_ir_show->notify_cur_ana(nullptr);
        emit m_p_wnd_ir_show->sig_update_ir_param_info();
        emit m_p_wnd_ir_show->sig_update_ir_temp_info();
    }
}

// --- Saving ------------------------------------------------------------------------------------

void IRImage::put_user_data_into_frame(bool with_sound)
{
    void* frame = get_ir_data();
    save_anas_to_user_data(m_user_data);
    QByteArray json = QJsonDocument(m_user_data).toJson(QJsonDocument::Compact);
    thermframe_set_user_data(frame, reinterpret_cast<unsigned char*>(json.data()),
                             static_cast<uint32_t>(json.size()));
    if (with_sound) {
        thermframe_set_sound_data(frame, m_audio_tool.sound_bytes(), m_audio_tool.sound_length());
    }
}

bool IRImage::save_picture(const QString& path, bool png, bool append)
{
    if (m_b_normal_image || path.isEmpty()) {
        return false;
    }
    put_user_data_into_frame(true);
    const std::string gps = get_gps_text(m_user_data).toStdString();
    const std::wstring target = path.toStdWString();
    return png ? picfold_save_png_file_w(m_h_ir, target, gps, true, append)
               : picfold_save_jpg_file_w(m_h_ir, target, gps, true, append);
}

namespace {

bool is_png_path(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0;
}

}  // namespace

bool IRImage::save_image_to_file()
{
    qCDebug(lc_source) << "save_image_to_file," << m_str_file_path;
    if (m_b_normal_image || m_str_file_path.isEmpty()) {
        return false;
    }
    if (m_b_sgcc_image) {
        return save_as_sgcc_image_to_file(m_str_file_path);
    }
    return save_picture(m_str_file_path, is_png_path(m_str_file_path), true);
}

QString IRImage::png_path_for(const QString& picture_path)
{
    const QFileInfo info(picture_path);
    return info.path() + "/" + info.completeBaseName() + ".png";
}

bool IRImage::save_image_to_png()
{
    const QString target = png_path_for(m_str_file_path);
    qCDebug(lc_source) << "save_image_to_png," << target;
    if (m_str_file_path.isEmpty()) {
        return false;
    }
    return save_picture(target, true, false);
}

bool IRImage::save_as_image_to_file(const QString& path)
{
    return save_picture(path, is_png_path(path), true);
}

bool IRImage::save_clipboard_png(const QString& path)
{
    return picfold_save_png_file_w(m_h_ir, path.toStdWString(), get_gps_text(get_user_data()).toStdString(), true,
                                   false);
}

bool IRImage::save_as_sgcc_image_to_file(const QString& path)
{
    if (m_b_normal_image || path.isEmpty()) {
        return false;
    }
    store_view_settings();
    put_user_data_into_frame(false);
    std::string time;
    if (!picfold_get_storage_time(m_h_ir, time)) {
        time.clear();
    }
    return markpen_save_sgcc_file_w(get_ir_paint(), path.toStdWString(), time,
                                    get_gps_text(m_user_data).toStdString());
}

QString IRImage::copy_to_path(const QString& target_base)
{
    const QFileInfo source(m_str_file_path);
    if (m_str_file_path.isEmpty() || target_base.isEmpty() || !source.exists()) {
        return QString();
    }
    const QString target = target_base + "." + source.suffix();
    const QFileInfo target_info(target);
    // Another spelling of the same file (a "..", a link) is the same file:
    // copying it onto itself would remove it first.
    if (target_info.exists() && target_info.canonicalFilePath() == source.canonicalFilePath()) {
        return target;
    }
    const QString folder = target_info.absolutePath();
    if (!QDir().mkpath(folder)) {
        return QString();
    }
    // Copy to a temporary file beside the target and rename it over the
    // target only when complete, so a failed copy keeps an older file.
    QTemporaryFile temp(folder + "/.copy-XXXXXX");
    temp.setAutoRemove(true);
    QFile in;
    if (!temp.open() || !open_input_file(in, m_str_file_path)) {
        return QString();
    }
    char buffer[1 << 16];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof(buffer));
        if (got < 0) return QString();
        if (got == 0) break;
        if (temp.write(buffer, got) != got) return QString();
    }
    if (!temp.flush()) {
        return QString();
    }
    temp.setPermissions(source.permissions());
    temp.close();
    if (std::rename(QFile::encodeName(temp.fileName()).constData(),
                    QFile::encodeName(target).constData()) != 0) {
        return QString();
    }
    temp.setAutoRemove(false);
    return target;
}
