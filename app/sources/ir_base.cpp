#include "sources/ir_base.h"

#include "alarms/warning_condition.h"
#include "charts/wnd_chart_area.h"
#include "charts/wnd_chart_line.h"
#include "markpen.h"
#include "sources/handle_ids.h"
#include "sources/line_colour.h"
#include "sources/source_settings.h"
#include "thermframe.h"
#include "views/wnd_ir_companions.h"
#include "views/wnd_ir_show.h"

#include <QClipboard>
#include <QColor>
#include <QGuiApplication>
#include <QPixmap>
#include <QDateTime>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QPainter>
#include <QRegularExpression>
#include <QSound>
#include <QTimerEvent>

#include <map>

Q_LOGGING_CATEGORY(lc_source, "pyravue.source")

HandleIds& analysis_ids()
{
    static HandleIds ids;
    return ids;
}

HandleIds& library_ids()
{
    static HandleIds ids;
    return ids;
}

// Outside any namespace, as the resource initialiser requires.
static void init_sounds() { Q_INIT_RESOURCE(pyravue_sounds); }

IRBase::IRBase(WndIRShow* owner) : m_p_wnd_ir_show(owner) {}

IRBase::~IRBase() = default;

// --- Constant bodies of the virtual interface ------------------------------------------

bool IRBase::draw_frame_info(QPainter*) { return false; }
void IRBase::set_player_progress_bar(WndPlayerProgressBar*) {}
bool IRBase::open_file(const QString&) { return false; }
bool IRBase::open_net_device(const QString&, const QString&, const QString&, int) { return false; }
bool IRBase::save_anas_to_user_data(QJsonObject&) { return false; }
bool IRBase::save_image_to_file() { return false; }
bool IRBase::save_image_to_png() { return false; }
bool IRBase::save_as_image_to_file(const QString&) { return false; }
bool IRBase::save_as_sgcc_image_to_file(const QString&) { return false; }
QString IRBase::copy_to_path(const QString&) { return QString(); }
bool IRBase::set_use_temperature_para(bool) { return false; }
int IRBase::print_report(const QString&) { return -1; }
bool IRBase::fill_report_info(ReportFieldValues&) { return false; }
bool IRBase::add_source_property(QJsonObject&) { return false; }
bool IRBase::set_len_pos(uint16_t) { return false; }
bool IRBase::set_len_and_meas_range(int, int) { return false; }
bool IRBase::add_file(const QString&) { return false; }
bool IRBase::delete_file(const QString&) { return false; }
void IRBase::set_source_property(const QJsonObject&) {}
void IRBase::set_player_mode(int) {}
bool IRBase::swap_file(int, int) { return false; }
bool IRBase::remove_mark(int) { return false; }
int IRBase::insert_mark(const QString&) { return -1; }
bool IRBase::update_mark(int, const QString&) { return false; }

bool IRBase::copy_image_to_clipboard()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    if (m_b_normal_image) {
        clipboard->setPixmap(QPixmap::fromImage(m_image_ir));
        return true;
    }
    // The picture goes through a PNG file in the configuration folder so the
    // clipboard gets what a saved copy would show.
    const QString path = source_settings::config_path() + "clipboad.png";
    if (!save_clipboard_png(path)) {
        return false;
    }
    QPixmap pixmap;
    if (!pixmap.load(path, "PNG")) {
        return false;
    }
    clipboard->setPixmap(pixmap);
    return true;
}

bool IRBase::save_clipboard_png(const QString& path)
{
    return save_as_image_to_file(path);
}

// --- Painting and sizes ---------------------------------------------------------------

namespace {

bool render_into(void* painter, QImage& image)
{
    if (painter == nullptr || !markpen_update(painter, true, true)) {
        return false;
    }
    unsigned int length = 0;
    if (!markpen_get_bits(painter, nullptr, length) || length == 0) {
        return false;
    }
    if (static_cast<qint64>(image.sizeInBytes()) < static_cast<qint64>(length)) {
        qCDebug(lc_source) << "Err: ir wnd size ( m_image_ir.byteCount() < dw_len_bits ) ";
        return false;
    }
    return markpen_get_bits(painter, image.bits(), length);
}

}  // namespace

bool IRBase::paint(QPainter* painter)
{
    if (m_image_ir.isNull() || painter == nullptr) {
        return false;
    }
    if (!m_b_normal_image && !render_into(get_ir_paint(), m_image_ir)) {
        return false;
    }
    painter->drawImage(0, 0, m_image_ir);
    draw_frame_info(painter);
    return true;
}

bool IRBase::paint_in_rect(QPainter* painter, const QRect& rect)
{
    if (m_image_ir.isNull() || painter == nullptr) {
        return false;
    }
    if (!m_b_normal_image && !render_into(get_ir_paint(), m_image_ir)) {
        return false;
    }
    painter->drawImage(rect, m_image_ir);
    draw_frame_info(painter);
    return true;
}

bool IRBase::update_image_size()
{
    uint16_t width = 0;
    uint16_t height = 0;
    markpen_get_wnd_size(get_ir_paint(), width, height);
    if (width == 0 || height == 0) {
        return true;
    }
    if (m_image_ir.isNull() || m_image_ir.width() != width || m_image_ir.height() != height) {
        m_image_ir = QImage(width, height, QImage::Format_RGB32);
    }
    return true;
}

bool IRBase::set_show_size(int width, int height)
{
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) {
        return false;
    }
    if (m_b_normal_image) {
        if (!m_image_normal.isNull()) {
            m_image_ir = m_image_normal.scaled(width, height, Qt::IgnoreAspectRatio,
                                               Qt::FastTransformation);
            if (m_image_ir.isNull()) {
                qCDebug(lc_source) << "set_show_size" << width << height;
            }
        }
        return true;
    }
    if (!thermframe_set_wnd_show_resolution(get_ir_data(), static_cast<uint16_t>(width),
                                            static_cast<uint16_t>(height))) {
        return false;
    }
    if (m_image_ir.isNull() || m_image_ir.width() != width || m_image_ir.height() != height) {
        m_image_ir = QImage(width, height, QImage::Format_RGB32);
    }
    return true;
}

bool IRBase::read_ir_size()
{
    uint16_t width = 0;
    uint16_t height = 0;
    if (!thermframe_get_show_resolution(get_ir_data(), width, height)) {
        return false;
    }
    m_n_ir_width = width;
    m_n_ir_height = height;
    return true;
}

// --- Timer and alarms ------------------------------------------------------------------

void IRBase::start_timer()
{
    if (m_n_timer_id < 1) {
        m_n_timer_id = startTimer(500, Qt::CoarseTimer);
    }
}

void IRBase::stop_timer()
{
    if (m_n_timer_id > 0) {
        killTimer(m_n_timer_id);
    }
    // Cleared so that start_timer can start it again.
    m_n_timer_id = 0;
}

void IRBase::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_n_timer_id) {
        return;
    }
    update_warning_sound(apply_ana_warnings());
    QVariantList hits;
    if (m_p_warning_condition != nullptr && m_p_warning_condition->get_hit_condition_index(hits) &&
        m_p_wnd_ir_show != nullptr) {
        emit m_p_wnd_ir_show->sig_warning_condition(hits);
    }
    update_frame_rate();
}

void IRBase::update_warning_sound(bool alarmed)
{
    m_b_warning_sound_on = alarmed;
    if (!alarmed) {
        if (m_sound_warning != nullptr) {
            m_sound_warning->stop();
        }
        return;
    }
    if (m_sound_warning == nullptr) {
        init_sounds();
        m_sound_warning = new QSound(QStringLiteral(":/sounds/warning.wav"), this);
    }
    if (m_sound_warning->isFinished()) {
        m_sound_warning->play();
    }
}

bool IRBase::apply_ana_warnings()
{
    if (m_p_warning_condition == nullptr) {
        return false;
    }
    void* frame = get_ir_data();
    std::map<void*, int> anas;
    if (!m_p_warning_condition->get_warning_anas(anas) && !anas.empty()) {
        return false;
    }
    thermframe_ana_clear_warning(frame);
    bool marked = false;
    for (const auto& entry : anas) {
        if (!thermframe_ana_is_valid(frame, entry.first)) {
            continue;
        }
        thermframe_ana_set_warning(entry.first, true);
        const QColor colour(source_settings::warning_color(entry.second));
        thermframe_ana_set_warning_line_clr(entry.first, to_stored_colour(colour));
        thermframe_ana_add_warning_count(frame);
        marked = true;
    }
    // The painter draws a warned object in its alarm colour on even counts
    // only and in its own colour on odd ones; an object keeps the alarm
    // colour for as long as its condition holds, so the count stays even.
    uint32_t count = 0;
    if (marked && thermframe_ana_get_warning_count(frame, count) && count % 2 != 0) {
        thermframe_ana_add_warning_count(frame);
    }
    return marked;
}

void IRBase::check_warning_and_snap()
{
    if (m_p_warning_condition == nullptr) {
        return;
    }
    if (!m_p_warning_condition->check_warning_condition()) {
        m_b_warning_snapped.store(false);
        return;
    }
    if (m_b_warning_snapped.load()) {
        return;
    }
    const QString folder = m_p_warning_condition->get_warning_snap_path();
    if (folder.isEmpty()) {
        return;
    }
    // Exactly one evaluation of an episode wins the flag and writes the file.
    if (m_b_warning_snapped.exchange(true)) {
        return;
    }
    // The name comes from the camera: keep it to characters safe in a file name.
    QString name = get_file_name();
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    name.replace(QStringLiteral(".."), QStringLiteral("_"));
    const QString path = folder + "/" + name + "-" +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")) +
                         ".png";
    // The warning text joins the picture's user data instead of replacing it.
    set_user_data_value(QStringLiteral("VYWarningText"), m_p_warning_condition->get_warning_text());
    save_as_image_to_file(path);
}

void IRBase::set_user_data_value(const QString& key, const QJsonValue& value)
{
    void* frame = get_ir_data();
    QJsonObject user_data;
    uint32_t length = 0;
    if (thermframe_get_user_data(frame, nullptr, length) && length > 0 && length <= (16u << 20)) {
        QByteArray bytes(static_cast<int>(length), '\0');
        if (thermframe_get_user_data(frame, reinterpret_cast<unsigned char*>(bytes.data()), length)) {
            const int nul = bytes.indexOf('\0');
            user_data = QJsonDocument::fromJson(nul < 0 ? bytes : bytes.left(nul)).object();
        }
    }
    user_data.insert(key, value);
    QByteArray json = QJsonDocument(user_data).toJson(QJsonDocument::Compact);
    thermframe_set_user_data(frame, reinterpret_cast<unsigned char*>(json.data()),
                             static_cast<uint32_t>(json.size()));
}

// --- Companion items -------------------------------------------------------------------

void IRBase::set_table_ir_temp(WndTableIRTemp* table)
{
    m_p_table_full = table;
    if (table != nullptr) {
        table->bind_source(true, this);
    }
}

void IRBase::set_simple_table_ir_temp(WndTableIRTempSimplified* table)
{
    m_p_table_simple = table;
    if (table != nullptr) {
        table->bind_source(true, this);
    }
}

void IRBase::set_wnd_isotherm(WndIRIsotherm* isotherm)
{
    m_p_wnd_isotherm = isotherm;
    if (isotherm != nullptr) {
        isotherm->set_source(this);
    }
}

void IRBase::set_video_edit_wnd(WndVideoEdit* edit)
{
    m_p_wnd_video_edit = edit;
    if (edit != nullptr) {
        edit->set_source(this);
    }
}

void IRBase::refresh_palette_bar() const
{
    if (m_p_wnd_palette != nullptr) {
        m_p_wnd_palette->refresh();
    }
}

void IRBase::start_chart_refresh() const
{
    if (m_p_chart_line != nullptr) {
        m_p_chart_line->start_refresh_timer();
    }
    if (m_p_chart_area != nullptr) {
        m_p_chart_area->start_refresh_timer();
    }
}

void IRBase::refresh_palette_levels() const
{
    if (m_p_wnd_palette != nullptr) {
        m_p_wnd_palette->update_palette_levelspan_only();
    }
}

void IRBase::repaint_owner() const
{
    if (m_p_wnd_ir_show != nullptr) {
        m_p_wnd_ir_show->update();
    }
}

void* IRBase::selected_ana() const
{
    void* ana = nullptr;
    if (!thermframe_get_select_ana(get_ir_data(), ana)) {
        return nullptr;
    }
    return ana;
}
