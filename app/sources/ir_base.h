// The common base of the picture sources behind one IR view: the source
// library object, the picture the view paints, the companion items of the
// view, the alarm snapshot and the operations on analysis objects and
// parameters that every source shares. A source never keeps the frame
// document or painter of its picture: it asks get_ir_data / get_ir_paint
// each time and does nothing when the answer is null.
#pragma once

#include "vytypes.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QString>

#include <atomic>
#include <string>
#include <vector>

struct AnaInfoRecord;
struct ReportFieldValues;
class QPainter;
class QRect;
class QSound;
class WarningCondition;
class WndChartArea;
class WndChartLine;
class WndIRIsotherm;
class WndIRPalette;
class WndIRShow;
class WndPlayerProgressBar;
class WndTableIRTemp;
class WndTableIRTempSimplified;
class WndVideoEdit;

class IRBase : public QObject {
    Q_OBJECT

public:
    explicit IRBase(WndIRShow* owner);
    ~IRBase() override;

    // --- Virtual interface shared by every source --------------------------------
    virtual bool draw_frame_info(QPainter* painter);
    virtual void* get_ir_handle() const { return m_h_ir; }
    virtual void* get_ir_data() const { return nullptr; }
    virtual void* get_ir_paint() const { return nullptr; }
    virtual void set_player_progress_bar(WndPlayerProgressBar* bar);
    virtual bool open_file(const QString& path);
    virtual bool open_net_device(const QString& sn, const QString& ip, const QString& discover_mac,
                                 int stream_id);
    virtual bool save_anas_to_user_data(QJsonObject& user_data);
    virtual bool save_image_to_file();
    virtual bool save_image_to_png();
    virtual bool save_as_image_to_file(const QString& path);
    virtual bool save_as_sgcc_image_to_file(const QString& path);
    virtual QString copy_to_path(const QString& target_base);
    virtual bool set_use_temperature_para(bool on);
    virtual bool copy_image_to_clipboard();
    virtual int print_report(const QString& document_path);
    virtual bool fill_report_info(ReportFieldValues& values);
    virtual bool add_source_property(QJsonObject& json);
    virtual bool update_image_size();
    virtual bool is_show_mouse_temp() const { return m_b_show_mouse_temp; }
    virtual QString get_file_path() const { return m_str_file_path; }
    virtual QString get_file_name() const { return QString(); }
    virtual QString get_ir_name() const { return QString(); }
    virtual bool start_capture() { return false; }
    virtual void stop_capture() {}
    virtual bool is_connected() const { return false; }
    virtual bool temperature_correct() { return false; }
    virtual int get_len_pos() { return 0; }
    virtual bool set_len_pos(uint16_t position);
    virtual bool motor_forward() { return false; }
    virtual bool motor_reverse() { return false; }
    virtual bool motor_stop() { return false; }
    virtual bool zoom_motor_forward() { return false; }
    virtual bool zoom_motor_reverse() { return false; }
    virtual bool zoom_motor_stop() { return false; }
    virtual bool add_file(const QString& path);
    virtual bool delete_file(const QString& path);
    virtual bool restart_play() { return false; }
    virtual void update_ctrl_with_trend() {}
    virtual void set_source_property(const QJsonObject& json);
    virtual void set_player_mode(int mode);
    virtual bool clear_file_list() { return false; }
    virtual bool swap_file(int from, int to);
    virtual bool remove_mark(int frame);
    virtual int insert_mark(const QString& text);
    virtual bool update_mark(int frame, const QString& text);
    virtual QJsonArray get_all_mark() const { return QJsonArray(); }
    virtual void update_frame_rate() {}
    virtual QJsonObject get_user_data() const { return QJsonObject(); }
    virtual bool is_wait_cold() const { return false; }
    // Switches the camera's lens and measuring range by hand; false when the
    // camera refuses (a source without a camera has none to switch).
    virtual bool set_len_and_meas_range(int len_type, int range);
    // Sets one key of the picture's user data, keeping the others: in the
    // frame document, or where the source keeps the user data it saves.
    virtual void set_user_data_value(const QString& key, const QJsonValue& value);

    // The view that owns the source (companion items repaint it).
    WndIRShow* owner_view() const { return m_p_wnd_ir_show; }

    // --- Painting and sizes --------------------------------------------------------
    bool paint(QPainter* painter);
    bool paint_in_rect(QPainter* painter, const QRect& rect);
    bool set_show_size(int width, int height);
    bool read_ir_size();
    uint16_t get_ir_width() const { return m_n_ir_width; }
    uint16_t get_ir_height() const { return m_n_ir_height; }
    // The shown picture (what paint draws); for tests and report pictures.
    const QImage& shown_image() const { return m_image_ir; }

    // --- Timer and alarms ----------------------------------------------------------
    void start_timer();
    void stop_timer();
    bool is_timer_running() const { return m_n_timer_id > 0; }
    void check_warning_and_snap();
    bool apply_ana_warnings();
    // True from the tick that found an analysis alarmed to the tick that
    // found none: the alarm sound is played, again each time it ends.
    bool is_warning_sound_on() const { return m_b_warning_sound_on; }

    // --- Companion items ------------------------------------------------------------
    void set_line_chart(WndChartLine* chart) { m_p_chart_line = chart; }
    void set_area_chart(WndChartArea* chart) { m_p_chart_area = chart; }
    void set_palette_wnd(WndIRPalette* palette) { m_p_wnd_palette = palette; }
    void set_table_ir_temp(WndTableIRTemp* table);
    void set_simple_table_ir_temp(WndTableIRTempSimplified* table);
    void set_wnd_isotherm(WndIRIsotherm* isotherm);
    void set_video_edit_wnd(WndVideoEdit* edit);
    WndVideoEdit* video_edit_wnd() const { return m_p_wnd_video_edit; }

    // --- Analysis objects ------------------------------------------------------------
    bool add_point();
    bool add_line();
    bool add_rect();
    bool add_ellipse();
    bool add_poly();
    bool add_polyline();
    bool add_null();
    void mouse_down(int x, int y);
    void mouse_move(int x, int y);
    void mouse_up(int x, int y);
    void mouse_double_clicked(int x, int y);
    bool delete_ana();
    bool delete_all_ana();
    bool move_ana_position(int key);
    QString get_ana_alias() const;
    bool set_ana_alias(const QString& alias);
    bool save_ana_info_to_file(const QString& path);
    bool load_ana_info_from_file(const QString& path);
    bool load_detect_rule_anas(const QString& json_text);
    bool load_detect_rule_formula(int rule_id);
    bool take_added_ana();
    bool add_ana_to_charts(void* handle);
    bool remove_ana_from_charts(void* handle);
    bool update_ana_in_charts(void* handle);
    bool clear_charts();
    // The selected object as the view last saw it (null: none).
    void* current_ana() const { return m_p_cur_ana; }
    bool is_ana_changed() const { return m_b_ana_changed; }

    // --- Parameters and properties ----------------------------------------------------
    bool set_ir_property(const QJsonObject& json);
    QJsonObject get_ir_property();
    QJsonObject get_ir_param_info() const;
    QJsonObject get_ir_temp_info() const;
    bool set_ana_property(const QJsonObject& json);
    QJsonObject get_cur_ana_property() const;
    QJsonObject get_cur_ana_temp_info() const;
    QJsonObject get_cur_ana_param_info() const;
    QJsonObject get_sensor_temp() const;
    QString get_mouse_temp_text(int x, int y) const;
    bool rorate_90_degrees(bool clockwise);
    QJsonArray get_array_len_type() const;
    QJsonArray get_array_meas_range(int len_type) const;
    int get_imaging_algorithm_mode() const;
    bool set_imaging_algorithm_mode(int mode);
    static QString get_gps_text(const QJsonObject& user_data);
    // Sets the frame's palette and keeps its imaging (automatic or the range).
    static bool set_frame_palette(void* frame, PALETTE palette);
    bool open_report();

    // --- Flags the view reads ---------------------------------------------------------
    int ir_type() const { return m_n_ir_type; }
    bool is_normal_image() const { return m_b_normal_image; }
    bool is_sgcc_image() const { return m_b_sgcc_image; }
    void set_wnd_index(int index) { m_n_wnd_index = index; }
    void set_wnd_type_index(int index) { m_n_wnd_type_index = index; }
    WarningCondition* warning_condition() const { return m_p_warning_condition; }

protected:
    void timerEvent(QTimerEvent* event) override;
    // Writes the picture that a copy puts on the clipboard as a PNG file: a
    // recording or a camera saves its current frame as a snapshot does.
    virtual bool save_clipboard_png(const QString& path);
    // The selected analysis of the frame document, or null.
    void* selected_ana() const;
    void refresh_palette_bar() const;
    // The line-profile and histogram charts re-read their objects on a timer
    // of their own: a source whose frames change starts it when it opens.
    void start_chart_refresh() const;
    // Per shown frame: the bar follows the frame's range while it is automatic.
    void refresh_palette_levels() const;
    void repaint_owner() const;

    void* m_h_ir = nullptr;
    void* m_p_cur_ana = nullptr;
    int m_n_ir_type = 0;
    int m_n_wnd_index = 0;
    int m_n_wnd_type_index = 0;
    QImage m_image_normal;
    QImage m_image_ir;
    bool m_b_show_mouse_temp = false;
    QString m_str_file_path;
    std::string m_str_added_ana;
    WndTableIRTempSimplified* m_p_table_simple = nullptr;
    WndTableIRTemp* m_p_table_full = nullptr;
    WndIRPalette* m_p_wnd_palette = nullptr;
    WndChartLine* m_p_chart_line = nullptr;
    WndChartArea* m_p_chart_area = nullptr;
    WndIRShow* m_p_wnd_ir_show = nullptr;
    WndPlayerProgressBar* m_p_progress_bar = nullptr;
    WndIRIsotherm* m_p_wnd_isotherm = nullptr;
    WndVideoEdit* m_p_wnd_video_edit = nullptr;
    QString m_str_report_path;
    uint16_t m_n_ir_width = 0;
    uint16_t m_n_ir_height = 0;
    WarningCondition* m_p_warning_condition = nullptr;
    int m_n_timer_id = 0;
    // Made at the first alarm: most sources never sound one.
    QSound* m_sound_warning = nullptr;
    bool m_b_warning_sound_on = false;
    // Set once per alarm episode; the camera's show thread and the GUI
    // thread may both evaluate, so the flag is taken by exchange.
    std::atomic<bool> m_b_warning_snapped{false};
    // Written on the GUI thread, read by a camera's frame thread.
    std::atomic<bool> m_b_auto_temp_range{false};
    int m_n_len_type = 3;
    int m_n_meas_range = 1;
    int m_n_meas_range_next = 1;
    int m_n_range_count = 0;
    bool m_b_range_set = false;
    int m_n_range_wait = 0;
    bool m_b_normal_image = false;
    bool m_b_sgcc_image = false;
    bool m_b_ana_changed = false;

private:
    void update_warning_sound(bool alarmed);
    template <class AddMode>
    bool add_shape(AddMode add_mode);
    bool apply_ana_info_record(void* frame, const AnaInfoRecord& record, bool& changed_existing);
};
