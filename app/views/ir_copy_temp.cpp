#include "views/ir_copy_temp.h"

#include "picfold.h"
#include "thermframe.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <charconv>
#include <cmath>
#include <vector>

Q_LOGGING_CATEGORY(lc_copy_temp, "pyravue.view.copytemp")

namespace {

constexpr char kEnd[] = "\r\n";
// A picture larger than this is not copied (the text alone would exceed the
// clipboard's sense).
constexpr uint64_t kMaxCells = 16u << 20;

void append_fixed(std::string& text, float value, int decimals)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec == std::errc()) {
        text.append(buffer, result.ptr);
    } else {
        text.append(std::isnan(value) ? "nan" : "inf");
    }
}

void append_int(std::string& text, long long value) { text += std::to_string(value); }

}  // namespace

IRCopyTemp::~IRCopyTemp()
{
    if (m_h_picture != nullptr) picfold_uninit(m_h_picture);
}

std::string IRCopyTemp::label(const char* source)
{
    return QCoreApplication::translate("IRCopyTemp", source).toStdString();
}

void IRCopyTemp::append_matrix(const float* values, size_t count, int row_width, std::string& text)
{
    text += kEnd;
    text.reserve(text.size() + count * 7);
    for (size_t i = 0; i < count; ++i) {
        append_fixed(text, values[i], 1);
        text += '\t';
        if (row_width > 0 && (i + 1) % static_cast<size_t>(row_width) == 0) text += kEnd;
    }
}

void IRCopyTemp::append_conditions(void* frame, float emissivity, float distance, std::string& text)
{
    float env = 0.0f, humidity = 0.0f;
    thermframe_get_env_temp(frame, env);
    thermframe_get_rel_hum(frame, humidity);
    text += label(QT_TRANSLATE_NOOP("IRCopyTemp", "Emissivity")) + "\t";
    append_fixed(text, emissivity, 2);
    text += kEnd;
    text += label(QT_TRANSLATE_NOOP("IRCopyTemp", "Distance")) + "\t";
    append_fixed(text, distance, 1);
    text += std::string("m") + kEnd;
    text += label(QT_TRANSLATE_NOOP("IRCopyTemp", "Environment temperature")) + "\t";
    append_fixed(text, env, 1);
    text += kEnd;
    // Humidity is kept as a fraction: 0.55 is 55 %, not 54.
    text += label(QT_TRANSLATE_NOOP("IRCopyTemp", "Relative humidity")) + "\t";
    append_int(text, std::isfinite(humidity) ? std::lround(humidity * 100.0f) : 0);
    text += "%\t";
}

void IRCopyTemp::append_picture_block(void* frame, std::string& text)
{
    uint16_t show_w = 0, show_h = 0, w = 0, h = 0, x = 0, y = 0, ad = 0;
    float max = 0.0f, min = 0.0f, emissivity = 0.0f, distance = 0.0f;
    thermframe_get_show_resolution(frame, show_w, show_h);
    thermframe_get_max_temp(frame, x, y, ad, max);
    thermframe_get_min_temp(frame, x, y, ad, min);
    thermframe_get_emiss(frame, emissivity);
    thermframe_get_dist(frame, distance);
    text += label(QT_TRANSLATE_NOOP("IRCopyTemp", "Infrared overall temperature")) + "\t" + kEnd;
    text += label(QT_TRANSLATE_NOOP("IRCopyTemp", "Resolution( width, height )")) + "\t";
    append_int(text, show_w);
    text += ',';
    append_int(text, show_h);
    text += kEnd;
    text += label(QT_TRANSLATE_NOOP("IRCopyTemp", "Maximum temperature")) + "\t";
    append_fixed(text, max, 1);
    text += kEnd;
    text += label(QT_TRANSLATE_NOOP("IRCopyTemp", "Minimum temperature")) + "\t";
    append_fixed(text, min, 1);
    text += kEnd;
    append_conditions(frame, emissivity, distance, text);
    // The matrix is stored unrotated: its rows are as wide as the stored
    // picture, whatever the rotation of the view.
    if (!thermframe_get_resolution(frame, w, h)) return;
    const uint64_t cells = static_cast<uint64_t>(w) * h;
    if (cells == 0 || cells > kMaxCells) return;
    std::vector<float> temps(cells, 0.0f);
    if (!thermframe_get_all_temp(frame, temps.data())) return;
    append_matrix(temps.data(), temps.size(), w, text);
}

void IRCopyTemp::append_ana_block(void* frame, const std::string& item, std::string& text)
{
    void* ana = nullptr;
    if (!thermframe_get_ana_handle_from_str(frame, item, ana) || ana == nullptr) {
        qCDebug(lc_copy_temp) << "failed thermframe_get_ana_handle_from_str";
        return;
    }
    uint32_t count = 0;
    if (!thermframe_ana_get_all_temp(ana, nullptr, count)) {
        qCDebug(lc_copy_temp) << "failed thermframe_ana_get_all_temp";
        return;
    }
    if (count == 0 || count > kMaxCells) return;
    // The temperatures are read once, with the count of this call: an object
    // edited meanwhile cannot make the matrix read past its buffer.
    std::vector<float> temps(count, 0.0f);
    if (!thermframe_ana_get_all_temp(ana, temps.data(), count)) return;
    temps.resize(std::min<size_t>(temps.size(), count));

    std::vector<tagVYPoint> nodes;
    AnaType type = ANA_POINT;
    std::string alias;
    thermframe_ana_get_node(ana, nodes);
    thermframe_ana_get_type(ana, type);
    thermframe_ana_get_alias(ana, alias);
    text += alias + kEnd;
    if (type == ANA_RECT && nodes.size() >= 2) {
        text += label(QT_TRANSLATE_NOOP("IRCopyTemp", "(width, height)")) + "\t";
        append_int(text, std::abs(nodes[0].x - nodes[1].x) + 1);
        text += ',';
        append_int(text, std::abs(nodes[0].y - nodes[1].y) + 1);
        text += kEnd;
    } else if (type == ANA_LINE) {
        uint16_t cx = 0, cy = 0;
        float cursor = 0.0f;
        thermframe_ana_get_temperature_of_cursor(ana, cx, cy, cursor);
        text += label(QT_TRANSLATE_NOOP("IRCopyTemp", "Pixels number")) + "\t";
        append_int(text, static_cast<long long>(temps.size()));
        text += kEnd;
        text += label(QT_TRANSLATE_NOOP("IRCopyTemp", "Cursor(X,Y),Temperature")) + "\t(";
        append_int(text, cx);
        text += ',';
        append_int(text, cy);
        text += "),";
        append_fixed(text, cursor, 1);
        text += kEnd;
    } else if (type == ANA_POINT && !nodes.empty()) {
        text += label(QT_TRANSLATE_NOOP("IRCopyTemp", "Position(X,Y)")) + "\t";
        append_int(text, nodes[0].x);
        text += ',';
        append_int(text, nodes[0].y);
        text += kEnd;
    }
    uint16_t x = 0, y = 0, ad = 0;
    float max = 0.0f, min = 0.0f, avg = 0.0f;
    thermframe_ana_get_max_temp(ana, x, y, ad, max);
    if (type == ANA_POINT) {
        text += label(QT_TRANSLATE_NOOP("IRCopyTemp", "Temperature")) + "\t";
        append_fixed(text, max, 1);
        text += kEnd;
    } else {
        thermframe_ana_get_min_temp(ana, x, y, ad, min);
        thermframe_ana_get_avg_temp(ana, ad, avg);
        for (const auto& line : {std::make_pair(QT_TRANSLATE_NOOP("IRCopyTemp", "Maximum temperature"), max),
                                 std::make_pair(QT_TRANSLATE_NOOP("IRCopyTemp", "Minimum temperature"), min),
                                 std::make_pair(QT_TRANSLATE_NOOP("IRCopyTemp", "Average temperature"), avg)}) {
            text += label(line.first) + "\t";
            append_fixed(text, line.second, 1);
            text += kEnd;
        }
    }
    bool own = false;
    float emissivity = 0.0f, distance = 0.0f;
    if (!thermframe_ana_get_self_para(ana, own, emissivity, distance) || !own) {
        thermframe_get_emiss(frame, emissivity);
        thermframe_get_dist(frame, distance);
    }
    append_conditions(frame, emissivity, distance, text);
    int row_width = 100;
    if (nodes.size() == 1) row_width = nodes[0].x + 1;
    else if (nodes.size() == 2) row_width = std::abs(nodes[0].x - nodes[1].x) + 1;
    append_matrix(temps.data(), temps.size(), row_width, text);
}

void IRCopyTemp::build_temp_text(void* frame, const std::string& item, std::string& text)
{
    if (item.empty()) {
        append_picture_block(frame, text);
    } else {
        append_ana_block(frame, item, text);
    }
}

QString IRCopyTemp::build_text(const QStringList& items, void* frame)
{
    std::string text;
    for (const QString& item : items) {
        build_temp_text(frame, item.toStdString(), text);
        text += "\r\n\r\n\r\n";
    }
    return QString::fromStdString(text);
}

bool IRCopyTemp::copy_temp_of_frame(const QStringList& items, void* frame)
{
    const QString text = build_text(items, frame);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
    return true;
}

bool IRCopyTemp::copy_temp_to_clipboard(const QStringList& items, const QString& picture_path)
{
    if (m_h_picture == nullptr && !picfold_init(m_h_picture)) return false;
    if (!picfold_load_file_w(m_h_picture, picture_path.toStdWString(), true)) {
        qCWarning(lc_copy_temp) << "cannot load" << picture_path;
        return false;
    }
    void* frame = nullptr;
    picfold_get_ir_data(m_h_picture, frame);
    picfold_add_anas_saved_in_file(m_h_picture);
    return copy_temp_of_frame(items, frame);
}
