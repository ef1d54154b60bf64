#include "shell/global_function.h"

#include "shell/shell_log.h"
#include "shell/shown_file_dialog.h"
#include "rules/sql_connection_pool.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QStorageInfo>

float get_disk_free_space_gb(const QString& path)
{
    const QStorageInfo storage(path);
    if (path.isEmpty() || !storage.isValid() || !storage.isReady()) {
        qCDebug(lcShell, "ERROR: no free space known for %s", qPrintable(path));
        return -1.0f;
    }
    const double k = 1.0 / 1024.0;
    return float(double(storage.bytesFree()) * k * k * k);
}

int choose_screen(const QVector<QRect>& screens, const QRect& window)
{
    int best = 0;
    qint64 best_area = 0;
    for (int i = 0; i < screens.size(); ++i) {
        const QRect common = screens.at(i).intersected(window);
        const qint64 area = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        if (area > best_area) {
            best_area = area;
            best = i;
        }
    }
    return best;
}

namespace {

QScreen* screen_for(int x, int y, int width, int height)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty()) {
        return nullptr;
    }
    QVector<QRect> rects;
    for (QScreen* screen : screens) {
        rects.append(screen->geometry());
    }
    return screens.at(choose_screen(rects, QRect(x, y, width, height)));
}

}  // namespace

GlobalFunction::GlobalFunction(QObject* parent) : QObject(parent) {}

bool GlobalFunction::set_mysql_heart()
{
    return SqlConnectionPool::instance()->heartbeat();
}

QPoint GlobalFunction::get_mouse_pos() const
{
    return QPoint(m_mouse_x, m_mouse_y);
}

QRect GlobalFunction::get_screen_rect(int n_x, int n_y, int n_width, int n_height) const
{
    QScreen* screen = screen_for(n_x, n_y, n_width, n_height);
    return screen == nullptr ? QRect() : screen->availableGeometry();
}

QRect GlobalFunction::get_screen_true_rect(int n_x, int n_y, int n_width, int n_height) const
{
    QScreen* screen = screen_for(n_x, n_y, n_width, n_height);
    return screen == nullptr ? QRect() : screen->geometry();
}

QString GlobalFunction::get_software_version() const
{
    const QString version = QStringLiteral(PYRAVUE_VERSION);
    qCDebug(lcShell, "get_software_version %s", qPrintable(version));
    return version;
}

QString GlobalFunction::get_dist_free_space(const QString& str_disk) const
{
    const float free_gb = get_disk_free_space_gb(str_disk);
    if (free_gb < 0) {
        return tr("未知");
    }
    return QString::asprintf("%.2f", double(free_gb)) + QStringLiteral("GB(") + str_disk + QLatin1Char(')');
}

QString GlobalFunction::local_path_of_url(const QUrl& url) const
{
    return url.isLocalFile() ? url.toLocalFile() : url.toString();
}

QUrl GlobalFunction::url_of_local_path(const QString& path) const
{
    return path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path);
}

QUrl GlobalFunction::folder_of_url(const QUrl& url) const
{
    return url.isLocalFile() ? QUrl::fromLocalFile(QFileInfo(url.toLocalFile()).path())
                             : url.adjusted(QUrl::RemoveFilename | QUrl::StripTrailingSlash);
}

bool GlobalFunction::prepare_file_dialog(const QString& file_name) const
{
    return shown_file_dialog::prepare(file_name);
}

QJsonArray GlobalFunction::get_support_font_family() const
{
    QJsonArray families;
    for (const QString& family : QFontDatabase().families()) {
        families.append(family);
    }
    return families;
}

bool GlobalFunction::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_mouse_x = mouse->x();
        m_mouse_y = mouse->y();
        break;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat()) {
            break;
        }
        auto start = [this](bool& held, void (GlobalFunction::*signal)()) {
            if (!held) {
                held = true;
                emit(this->*signal)();
            }
        };
        switch (key->key()) {
        case Qt::Key_Escape: start(m_held_escape, &GlobalFunction::sig_exit_btn); break;
        case Qt::Key_F3: start(m_held_f3, &GlobalFunction::sig_correct); break;
        case Qt::Key_F5: start(m_held_f5, &GlobalFunction::sig_motor_reverse); break;
        case Qt::Key_F6: start(m_held_f6, &GlobalFunction::sig_motor_forward); break;
        default: break;
        }
        break;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat()) {
            break;
        }
        auto stop_motor = [this](bool& held) {
            if (held) {
                held = false;
                emit sig_motor_stop();
            }
        };
        switch (key->key()) {
        case Qt::Key_Escape: m_held_escape = false; break;
        case Qt::Key_F3: m_held_f3 = false; break;
        case Qt::Key_F5: stop_motor(m_held_f5); break;
        case Qt::Key_F6: stop_motor(m_held_f6); break;
        default: break;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
