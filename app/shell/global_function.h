// Services the QML cannot do by itself, and the application-wide event filter
// that turns the function keys of the live camera view into signals.
#pragma once

#include <QJsonArray>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QUrl>
#include <QVector>

class QEvent;

// Free space of the volume that holds path, in gigabytes (all free bytes of
// the volume, not only those available to this user); -1 when the path names
// no mounted volume. Safe on any thread.
float get_disk_free_space_gb(const QString& path);

// Index of the screen that holds the largest part of window; on a tie the
// lower index, and 0 when no screen overlaps (or there is none).
int choose_screen(const QVector<QRect>& screens, const QRect& window);

class GlobalFunction : public QObject {
    Q_OBJECT

public:
    explicit GlobalFunction(QObject* parent = nullptr);

    // Database keep-alive; the main window calls it every 10 seconds.
    Q_INVOKABLE bool set_mysql_heart();
    Q_INVOKABLE QPoint get_mouse_pos() const;
    // Available (without task bars) and full geometry of the screen chosen
    // for the rectangle.
    Q_INVOKABLE QRect get_screen_rect(int n_x, int n_y, int n_width, int n_height) const;
    Q_INVOKABLE QRect get_screen_true_rect(int n_x, int n_y, int n_width, int n_height) const;
    // The program's version from the build, four numbers joined by dots.
    Q_INVOKABLE QString get_software_version() const;
    // "12.35GB(path)", or the translation of "unknown".
    Q_INVOKABLE QString get_dist_free_space(const QString& str_disk) const;
    Q_INVOKABLE QJsonArray get_support_font_family() const;
    // A folder chosen in a dialog as a local path, and a local folder as the
    // URL a dialog starts at; every character kept ("#", "%", spaces).
    Q_INVOKABLE QString local_path_of_url(const QUrl& url) const;
    Q_INVOKABLE QUrl url_of_local_path(const QString& path) const;
    // The folder that holds a chosen file, as a URL.
    Q_INVOKABLE QUrl folder_of_url(const QUrl& url) const;
    // Gives the file dialog shown now its file name and, for a save, the
    // default suffix of the chosen filter (shown_file_dialog::prepare).
    Q_INVOKABLE bool prepare_file_dialog(const QString& file_name) const;

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void sig_correct();
    void sig_motor_forward();
    void sig_motor_reverse();
    void sig_motor_stop();
    void sig_exit_btn();
    // Declared for the QML; no key drives them.
    void sig_key_left(bool b_start);
    void sig_key_right(bool b_start);
    void sig_key_up(bool b_start);
    void sig_key_down(bool b_start);

private:
    int m_mouse_x = 0;
    int m_mouse_y = 0;
    // Held keys: each gives one signal at its press however long it is held.
    bool m_held_f3 = false;
    bool m_held_f5 = false;
    bool m_held_f6 = false;
    bool m_held_escape = false;
};
