// The source of a live network camera: the camera stream (wirereel) that
// ModelIRInfo connected, a frame thread that pulls every announced frame
// into the frame document and runs the per-frame work (repaint, alarms,
// automatic measuring range), and the camera's controls. When the link
// drops the owner view starts the reconnection, which reopens the same
// stream. The trend charts know the camera by the id of its stream handle.
#pragma once

#include "sources/ir_base.h"

#include <QMutex>
#include <QString>

#include <atomic>
#include <map>
#include <vector>

class QTimer;
class ThreadCapture;
class ThreadDeleteIRV;
class ThreadNetDeviceShow;
class ThreadRealCapture;

class IRNetDevice : public IRBase {
    Q_OBJECT

public:
    // A measuring range of a lens: its id and temperature span.
    struct RangeInfo {
        int range = 0;
        int16_t min_temp = 0;
        int16_t max_temp = 0;
    };

    explicit IRNetDevice(WndIRShow* owner);
    ~IRNetDevice() override;

    void* get_ir_handle() const override { return m_stream; }
    void* get_ir_data() const override;
    void* get_ir_paint() const override;
    // stream_id: the id of a connected stream in camera_streams(), which
    // this source takes and owns from then on.
    bool open_net_device(const QString& sn, const QString& ip, const QString& discover_mac, int stream_id) override;
    // The same with the stream itself (the reconnection hands it back).
    bool open_stream(const QString& sn, const QString& ip, const QString& discover_mac, void* stream);
    bool save_as_image_to_file(const QString& path) override;
    bool save_as_sgcc_image_to_file(const QString& path) override;
    bool add_source_property(QJsonObject& json) override;
    QString get_file_name() const override { return m_sn; }
    QString get_ir_name() const override { return m_sn; }
    bool is_connected() const override { return m_connected.load(); }
    bool temperature_correct() override;
    int get_len_pos() override;
    bool set_len_pos(uint16_t position) override;
    bool motor_forward() override;
    bool motor_reverse() override;
    bool motor_stop() override;
    bool zoom_motor_forward() override;
    bool zoom_motor_reverse() override;
    bool zoom_motor_stop() override;
    void update_frame_rate() override;
    bool is_wait_cold() const override;
    bool set_len_and_meas_range(int len_type, int range) override;
    virtual bool close_device();
    // Recording (from the view's record button): refused with a status -1
    // message when no folder is set or its disk is short of space.
    bool start_capture() override;
    void stop_capture() override;
    bool is_recording() const;

    void* stream() const { return m_stream; }
    int trend_id() const { return m_n_trend_id.load(); }
    // How the lens is adjusted (0 none, 1 electric focus, 2 continuous
    // magnification).
    int len_adjust_method() const;
    bool supports_len_pos() const;
    int frame_rate() const { return m_frame_rate.load(); }
    int current_range() const;
    // The per-frame work of the frame thread.
    void process_frame();
    // The range rule: the first range whose maximum minus 0.5 is above the
    // frame's maximum, else the last; -1 for an empty list.
    static int choose_range(const std::vector<RangeInfo>& ranges, float frame_max);
    // One frame of the automatic range: true when it switched.
    bool check_temp_range(float frame_max);
    void set_auto_temp_range(bool on) { m_b_auto_temp_range = on; }
    void set_lens_ranges(int lens_type, int current_range, const std::vector<RangeInfo>& ranges);
    // The hardware version's major number: the text before the first "."
    // as a decimal integer (0 when it is not one).
    static int major_version(const QString& version);

signals:
    void sig_update_ctrl_with_frame();
    void sig_start_capture();
    void sig_stop_capture();
    void sig_capture_status(const QString& str_text, int n_status);
    void sig_delete_old_video(const QString& path, const QString& current_file);

public slots:
    void slot_stop_capture();

private slots:
    void slot_update_ctrl_with_frame();
    void slot_update_len_pos();

private:
    static void on_received_one_frame(void* user, uint16_t* frame, uint16_t width, uint16_t height);
    static void cb_disconnected(void* user);
    void on_cb_disconnected();
    void load_lens_ranges();
    // Stops the callbacks of the stream and frees it.
    void release_stream();
    void create_record_thread(bool real);
    void destroy_record_thread();
    // Takes the stream out of the trend registry and its charts.
    void leave_trends();

    void* m_stream = nullptr;
    ThreadNetDeviceShow* m_thread_show = nullptr;
    QTimer* m_timer_len_pos = nullptr;
    ThreadCapture* m_thread_capture = nullptr;
    // Guards the per-frame recorder: the frame thread never wakes one that
    // is being made or deleted.
    mutable QMutex m_record_mutex;
    ThreadRealCapture* m_thread_real_capture = nullptr;
    bool m_real_capture = false;
    ThreadDeleteIRV* m_delete_irv = nullptr;
    std::atomic<bool> m_connected{false};
    // No frame has reached the palette bar yet (GUI thread only).
    bool m_first_frame = true;
    // The camera's hardware says its detector is cooled: only such a detector
    // waits before its temperatures can be trusted.
    std::atomic<bool> m_b_cooled{false};
    std::atomic<bool> m_closing{false};
    QString m_sn;
    QString m_ip;
    QString m_discover_mac;
    // Guards the lens and range fields between the frame thread's automatic
    // switch and a switch by hand, each held across its call to the camera.
    mutable QMutex m_range_mutex;
    std::map<int, std::vector<RangeInfo>> m_len_ranges;
    int m_tick_count = 0;
    std::atomic<int> m_frame_count{0};
    std::atomic<int> m_frame_rate{0};
    std::atomic<int> m_n_trend_id{0};
};
