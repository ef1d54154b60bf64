// Drives a real window of the program in a road test: finds its items by
// objectName, sends mouse and key events the way a user would, waits on
// conditions and saves screenshots to build/screens/<test>-<step>.png.
#pragma once

#include <QPointF>
#include <QPointer>
#include <QSize>
#include <QQuickItem>
#include <QQuickWindow>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QQmlEngine;

namespace roadtest {

class RoadWindow {
public:
    // Drives a window that already exists (such as the main window that
    // AppShell loaded).
    explicit RoadWindow(QQuickWindow* window = nullptr);
    ~RoadWindow();

    RoadWindow(const RoadWindow&) = delete;
    RoadWindow& operator=(const RoadWindow&) = delete;

    // Loads a QML file into the engine: a Window root is driven as it is, an
    // Item root is put into a window of its own size (width x height when the
    // item has none). False (with the QML errors as warnings) on failure.
    bool load(QQmlEngine* engine, const QUrl& url, int width = 800, int height = 600);

    QQuickWindow* window() const { return m_window; }

    // Shows the window and waits until it is exposed; a valid size is given to
    // the window first (the offscreen screen is only 800 x 600).
    bool show(const QSize& size = QSize());

    // The object of that objectName below the window (items, nested windows,
    // other QML objects), or null.
    QObject* find_object(const QString& name) const;
    QQuickItem* find_item(const QString& name) const;
    QQuickWindow* find_window(const QString& name) const;

    // The text of the tool tip shown over the window's content (the tips of
    // controls live there), or an empty text.
    QString shown_tool_tip() const;

    // Mouse on an item, at a point in the item's coordinates (its centre by
    // default). The events go to the window that holds the item.
    static bool click(QQuickItem* item, Qt::MouseButton button = Qt::LeftButton);
    static bool click_at(QQuickItem* item, const QPointF& point, Qt::MouseButton button = Qt::LeftButton);
    static bool double_click(QQuickItem* item);
    static bool move_to(QQuickItem* item, const QPointF& point);
    // Press at from, move in steps to to, release there (item coordinates).
    static bool drag(QQuickItem* item, const QPointF& from, const QPointF& to);
    // Turns the wheel over a scrolled area (a Flickable) until the item lies
    // whole inside it.
    static bool reveal(QQuickItem* flick, QQuickItem* item);

    // Keys to the window that has the focus item (this window by default).
    void key_click(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void key_press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool autorepeat = false);
    void key_release(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // Processes events until the condition holds or timeout_ms passed.
    static bool wait_for(const std::function<bool()>& condition, int timeout_ms = 10000);

    // Renders the window and writes <screens>/<test>-<step>.png; answers the
    // path, or an empty text when the picture could not be taken or written.
    static QString save_screen(QQuickWindow* window, const QString& test, const QString& step);
    QString save_screen(const QString& test, const QString& step) const;

    // The folder screenshots go to (build/screens of the build tree).
    static QString screens_dir();

private:
    QPointer<QQuickWindow> m_window;
    std::unique_ptr<QQuickWindow> m_owned_window;
    std::unique_ptr<QObject> m_owned_root;
};

}  // namespace roadtest
