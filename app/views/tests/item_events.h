// Mouse events sent straight to a painted item that sits in no window, as
// the window would deliver them (item coordinates).
#pragma once

#include <QCoreApplication>
#include <QMouseEvent>
#include <QQuickItem>

namespace item_events {

inline void send(QQuickItem* item, QEvent::Type type, const QPoint& pos,
                 Qt::MouseButtons buttons = Qt::LeftButton)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, item->mapToScene(pos), pos, button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(item, &event);
}
inline void press(QQuickItem* item, const QPoint& pos) { send(item, QEvent::MouseButtonPress, pos); }
inline void move(QQuickItem* item, const QPoint& pos) { send(item, QEvent::MouseMove, pos); }
inline void release(QQuickItem* item, const QPoint& pos) { send(item, QEvent::MouseButtonRelease, pos, Qt::NoButton); }
inline void click(QQuickItem* item, const QPoint& pos)
{
    press(item, pos);
    release(item, pos);
}

}  // namespace item_events
