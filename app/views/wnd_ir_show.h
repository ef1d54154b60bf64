// The QML item that shows one IR source (still picture, recording or live
// camera): turns QML calls into operations of its source, mouse and hover
// events into the analysis-editing protocol, and relays the source's
// signals. It keeps no picture data; the source paints everything.
//
// Handles never reach the QML as pointers: analysis objects and library
// objects travel as small ids of handle tables, checked on every call.
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QPointer>
#include <QQuickPaintedItem>
#include <QVariantList>

class IRBase;
class IRCopyTemp;
class IRPlayer;
class WndChartArea;
class WndChartLine;
class WndIRIsotherm;
class WndIRPalette;
class WndIRReconnect;
class WndTableIRTemp;
class WndTableIRTempSimplified;
class WndVideoEdit;

class WndIRShow : public QQuickPaintedItem {
    Q_OBJECT
    Q_PROPERTY(int n_wnd_type READ n_wnd_type WRITE set_n_wnd_type)
    Q_PROPERTY(int n_pixel_width READ n_pixel_width NOTIFY sig_update_rotate)
    Q_PROPERTY(int n_pixel_height READ n_pixel_height NOTIFY sig_update_rotate)

public:
    explicit WndIRShow(QQuickItem* parent = nullptr);
    ~WndIRShow() override;

    void paint(QPainter* painter) override;

    int n_wnd_type() const { return 0; }
    void set_n_wnd_type(int type) { init_wnd(type); }
    int n_pixel_width() const;
    int n_pixel_height() const;

    IRBase* source() const { return m_ir; }

    // Id of an analysis handle for the QML (0 for null), and back: null when
    // the id is unknown or the object no longer lives in the frame document.
    int ana_id(void* handle) const;
    void* ana_from_id(int id) const;

    Q_INVOKABLE QObject* get_ir_show() { return this; }
    Q_INVOKABLE bool init_wnd(int n_type);
    Q_INVOKABLE bool open_file(const QString& str_file_path);
    // A live camera: n_id_ir is the id of the stream ModelIRInfo connected.
    Q_INVOKABLE bool open_net_device(const QString& str_sn, const QString& str_ip, const QString& str_discover_mac,
                                     int n_id_ir);
    Q_INVOKABLE bool is_connected();
    Q_INVOKABLE int get_len_adjust_method();
    Q_INVOKABLE bool get_ir_support_len_pos();
    Q_INVOKABLE bool temperature_correct();
    Q_INVOKABLE int get_len_pos();
    Q_INVOKABLE bool set_len_pos(int n_pos);
    Q_INVOKABLE bool motor_forward();
    Q_INVOKABLE bool motor_reverse();
    Q_INVOKABLE bool motor_stop();
    Q_INVOKABLE bool zoom_motor_forward();
    Q_INVOKABLE bool zoom_motor_reverse();
    Q_INVOKABLE bool zoom_motor_stop();
    Q_INVOKABLE bool set_wnd_index(int n_index);
    Q_INVOKABLE bool set_wnd_type_index(int n_index);
    Q_INVOKABLE bool add_null();
    Q_INVOKABLE bool add_point();
    Q_INVOKABLE bool add_line();
    Q_INVOKABLE bool add_rect();
    Q_INVOKABLE bool add_ellipse();
    Q_INVOKABLE bool add_poly();
    Q_INVOKABLE bool add_polyline();
    Q_INVOKABLE bool delete_ana();
    Q_INVOKABLE bool delete_all_ana();
    Q_INVOKABLE bool save_image_to_file();
    Q_INVOKABLE bool save_image_to_png();
    Q_INVOKABLE bool save_as_image_to_file(const QString& str_new_file_path);
    Q_INVOKABLE bool save_as_sgcc_image_to_file(const QString& str_new_file_path);
    Q_INVOKABLE bool move_ana_position(int n_type);
    Q_INVOKABLE bool save_ana_info_to_file(const QString& str_file_path);
    Q_INVOKABLE bool load_ana_info_from_file(const QString& str_file_path);
    Q_INVOKABLE bool copy_image_to_clipboard();
    Q_INVOKABLE bool set_enable_imaging_blur(bool b_enable);
    Q_INVOKABLE bool set_ana_alias(const QString& str_alias);
    Q_INVOKABLE bool set_ana_property(const QJsonObject& json_info);
    Q_INVOKABLE bool set_ir_property(const QJsonObject& json_info);
    Q_INVOKABLE QString get_ana_alias();
    Q_INVOKABLE bool load_ana_from_string(const QString& str_anas);
    Q_INVOKABLE QString get_anas_json();
    Q_INVOKABLE QJsonArray get_all_anas_json();
    Q_INVOKABLE QString copy_to_path(const QString& str_path_no_ext);
    Q_INVOKABLE int get_imaging_algorithm_mode();
    Q_INVOKABLE bool set_imaging_algorithm_mode(int n_mode);
    Q_INVOKABLE QJsonObject get_sensor_temp();
    Q_INVOKABLE QJsonObject get_ir_property();
    Q_INVOKABLE QJsonObject get_ir_temp_info();
    Q_INVOKABLE QJsonObject get_ir_param_info();
    Q_INVOKABLE QJsonObject get_cur_ana_property();
    Q_INVOKABLE QJsonObject get_cur_ana_temp_info();
    Q_INVOKABLE QJsonObject get_cur_ana_param_info();
    Q_INVOKABLE int get_cur_ana_palette();
    Q_INVOKABLE int print_report(const QString& str_report_path);
    Q_INVOKABLE bool open_report();
    Q_INVOKABLE bool is_show_normal_image();
    Q_INVOKABLE bool is_sgcc_image();
    // A picture's voice note is being recorded (the record command started
    // the audio input).
    Q_INVOKABLE bool is_recording_sound();
    Q_INVOKABLE bool is_wait_cold();
    Q_INVOKABLE bool set_paint_wnd_size(int n_width, int n_height);
    Q_INVOKABLE bool rorate_90_degrees(bool b_clockwise);
    Q_INVOKABLE QJsonArray get_array_len_type();
    Q_INVOKABLE QJsonArray get_array_meas_range(int n_len_type);
    Q_INVOKABLE QString get_capture_sn();
    // Recording of a live camera (the record button).
    Q_INVOKABLE bool start_capture();
    Q_INVOKABLE void stop_capture();
    Q_INVOKABLE int get_ir_handle();
    Q_INVOKABLE int get_ir_paint_handle();
    Q_INVOKABLE int get_ir_data_handle();
    Q_INVOKABLE QString get_file_path();
    // Copying temperatures: the choices of the dialog, then the copy of the
    // ticked ones (0 the whole picture, else an analysis id).
    Q_INVOKABLE QJsonArray get_copy_temp_ana_info();
    Q_INVOKABLE bool copy_temp(const QVariantList& arr);

    // Alarm conditions of the source (alarms/wnd_ir_show_alarms.cpp): false,
    // an empty array or an empty text when the source has none.
    Q_INVOKABLE QString add_warning_condition(int n_type, const QJsonArray& arr, const QString& str_condition);
    Q_INVOKABLE bool delete_warning_condition(int n_row);
    Q_INVOKABLE void clear_condition();
    Q_INVOKABLE QJsonArray get_warning_condition();
    Q_INVOKABLE QJsonArray get_warning_condition_info();
    Q_INVOKABLE QJsonArray get_warning_condition_anas();
    Q_INVOKABLE bool load_detect_rule_anas(const QString& str_anas);
    Q_INVOKABLE bool load_detect_rule_formula(int n_id_rule);
    Q_INVOKABLE QString get_warning_snap_path();
    Q_INVOKABLE void set_warning_snap_path(const QString& str_path);

    // Recordings (a source of kind 2; every call fails on other sources).
    // Player controls: 0 play or resume, 1 pause, 2 stop.
    Q_INVOKABLE bool set_player_ctrl(int n_ctrl);
    Q_INVOKABLE bool set_player_speed(double f_speed);
    Q_INVOKABLE bool set_player_mode(int n_mode);
    Q_INVOKABLE bool is_playing();
    Q_INVOKABLE bool set_player_progress_bar(QObject* bar);
    Q_INVOKABLE bool add_file(const QString& str_path);
    Q_INVOKABLE bool delete_file(const QString& str_path);
    Q_INVOKABLE bool clear_file_list();
    Q_INVOKABLE bool swap_file(int n_from, int n_to);
    Q_INVOKABLE bool restart_play();
    Q_INVOKABLE int insert_mark(const QString& str_text);
    Q_INVOKABLE bool remove_mark(int n_frame);
    Q_INVOKABLE bool update_mark(int n_frame, const QString& str_text);
    Q_INVOKABLE QJsonArray get_all_mark();
    Q_INVOKABLE QString get_file_name();

    // Companion items (the charts, palette bar, isotherm editor, tables and
    // clip editor bind themselves through these once they are built).
    void set_line_chart(WndChartLine* chart);
    void set_area_chart(WndChartArea* chart);
    Q_INVOKABLE void set_palette_wnd(WndIRPalette* palette);
    Q_INVOKABLE void set_table_ir_temp(WndTableIRTemp* table);
    Q_INVOKABLE void set_simple_table_ir_temp(WndTableIRTempSimplified* table);
    Q_INVOKABLE void set_wnd_isotherm(WndIRIsotherm* isotherm);
    Q_INVOKABLE void set_video_edit_wnd(WndVideoEdit* edit);

    // Used by the source: the selected object changed (null: none).
    void notify_cur_ana(void* handle);

    // Camera link: the reconnection panel binds itself; a camera source
    // whose link dropped starts it (on the stream's thread); the panel
    // reopens the same stream once the camera answers.
    void set_reconnect(WndIRReconnect* reconnect);
    void start_reconnect(void* stream, const QString& ip, const QString& sn, const QString& mac);
    bool reopen_net_device(const QString& sn, const QString& ip, const QString& mac, void* stream);

signals:
    void sig_update_sound_sec(int n_sec);
    void sig_update_ir_param_info();
    void sig_show_wait_cold_wnd();
    void sig_start_check_temp_range(int n_temp_range);
    void sig_end_check_temp_range();
    void sig_update_len_pos(int n_pos);
    void sig_capture_status(const QString& str_text, int n_status);
    void sig_stop_capture();
    void sig_update_ir_temp_info();
    void sig_update_ana_alias(bool b_delete);
    void sig_update_ana_temp_info();
    void sig_update_cur_ana(int n_cur_ana);
    void sig_update_temp_tooltip(int n_pt_x, int n_pt_y, const QString& str_tooltip);
    void sig_show_trend_chart_menu(int n_id_ir, int n_id_ana, bool b_pt_ana);
    void sig_update();
    void sig_warning_condition(const QVariantList& lst_condition);
    void sig_update_rotate();
    void sig_toolbar_ir_unchecked_ana_btn();
    // Recordings.
    void sig_update_player_progress_init(int n_frames);
    void sig_update_player_progress_cur(int n_frame);
    void sig_update_player_play_start();
    void sig_update_player_play_stop();
    void sig_add_file_player_list(const QString& str_path);
    void sig_change_player_file(const QString& str_path);
    void sig_start_trend_analysis();
    void sig_stop_trend_analysis();

protected:
    void geometryChanged(const QRectF& new_geometry, const QRectF& old_geometry) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void hoverEnterEvent(QHoverEvent* event) override;
    void hoverMoveEvent(QHoverEvent* event) override;

private:
    void* frame() const;
    void repaint() { update(); }
    // Maps a view point to a point of the stored picture; false when the
    // window size is unknown.
    bool to_picture_point(int x, int y, uint16_t& px, uint16_t& py) const;
    void update_cursor(int x, int y);
    // The source as a recording player, or null.
    IRPlayer* player() const;

    IRBase* m_ir = nullptr;
    QPointer<WndIRReconnect> m_reconnect;
    IRCopyTemp* m_copy_temp = nullptr;
};

// The cursor for a thermframe hit code at a rotation (0..4).
Qt::CursorShape cursor_for_hit_code(int hit_code, int rotation);
