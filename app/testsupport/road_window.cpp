#include "road_window.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QScreen>
#include <QWheelEvent>
#include <QtQuickTest/quicktest.h>
#include <QtTest>

namespace roadtest {

RoadWindow::RoadWindow(QQuickWindow* window) : m_window(window) {}

RoadWindow::~RoadWindow()
{
    // The item root goes before the window it was put into.
    m_owned_root.reset();
    m_owned_window.reset();
}

bool RoadWindow::load(QQmlEngine* engine, const QUrl& url, int width, int height)
{
    QQmlComponent component(engine, url);
    if (component.isError()) {
        qWarning("RoadWindow: %s", qPrintable(component.errorString()));
        return false;
    }
    QObject* root = component.create();
    if (root == nullptr) {
        qWarning("RoadWindow: %s", qPrintable(component.errorString()));
        return false;
    }
    m_owned_root.reset(root);
    if (auto* window = qobject_cast<QQuickWindow*>(root)) {
        m_window = window;
        return true;
    }
    auto* item = qobject_cast<QQuickItem*>(root);
    if (item == nullptr) {
        qWarning("RoadWindow: the root of %s is neither a window nor an item", qPrintable(url.toString()));
        return false;
    }
    m_owned_window.reset(new QQuickWindow());
    m_window = m_owned_window.get();
    const int w = item->width() > 0 ? int(item->width()) : width;
    const int h = item->height() > 0 ? int(item->height()) : height;
    item->setParentItem(m_window->contentItem());
    item->setSize(QSizeF(w, h));
    m_window->resize(w, h);
    return true;
}

bool RoadWindow::show(const QSize& size)
{
    if (m_window == nullptr) {
        return false;
    }
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.data())) {
        return false;
    }
    if (size.isValid()) {
        m_window->resize(size);
        QQuickWindow* window = m_window.data();
        return wait_for([window, size] { return window->contentItem()->size() == QSizeF(size); });
    }
    return true;
}

QObject* RoadWindow::find_object(const QString& name) const
{
    if (m_window == nullptr) {
        return nullptr;
    }
    if (QObject* found = m_window->findChild<QObject*>(name)) {
        return found;
    }
    // Items made by a Repeater or created from a component have a visual
    // parent but no object parent, so the item tree is searched as well.
    QList<QQuickItem*> pending{m_window->contentItem()};
    while (!pending.isEmpty()) {
        QQuickItem* item = pending.takeFirst();
        if (item->objectName() == name) {
            return item;
        }
        if (QObject* found = item->findChild<QObject*>(name, Qt::FindDirectChildrenOnly)) {
            return found;
        }
        pending.append(item->childItems());
    }
    return nullptr;
}

QQuickItem* RoadWindow::find_item(const QString& name) const
{
    return qobject_cast<QQuickItem*>(find_object(name));
}

QQuickWindow* RoadWindow::find_window(const QString& name) const
{
    return qobject_cast<QQuickWindow*>(find_object(name));
}

namespace {

bool polish_pending(const QQuickItem* item)
{
    for (; item != nullptr; item = item->parentItem()) {
        if (QQuickTest::qIsPolishScheduled(item)) {
            return true;
        }
    }
    return false;
}

bool scene_point(QQuickItem* item, const QPointF& point, QQuickWindow** window, QPoint* scene)
{
    if (item == nullptr || item->window() == nullptr) {
        return false;
    }
    // A resize reaches the window's content through the event loop, and
    // positioners lay out their children when the window is next polished;
    // until then an item's place is the old one.
    QQuickWindow* holder = item->window();
    if (!RoadWindow::wait_for([item, holder] {
            return holder->contentItem()->size() == QSizeF(holder->size()) && !polish_pending(item);
        })) {
        return false;
    }
    *window = item->window();
    *scene = item->mapToScene(point).toPoint();
    return true;
}

QPointF centre(QQuickItem* item)
{
    return QPointF(item->width() / 2, item->height() / 2);
}

}  // namespace

bool RoadWindow::click(QQuickItem* item, Qt::MouseButton button)
{
    return item != nullptr && click_at(item, centre(item), button);
}

bool RoadWindow::click_at(QQuickItem* item, const QPointF& point, Qt::MouseButton button)
{
    QQuickWindow* window = nullptr;
    QPoint scene;
    if (!scene_point(item, point, &window, &scene)) {
        return false;
    }
    QTest::mouseMove(window, scene);
    QTest::mouseClick(window, button, Qt::NoModifier, scene);
    return true;
}

bool RoadWindow::double_click(QQuickItem* item)
{
    QQuickWindow* window = nullptr;
    QPoint scene;
    if (item == nullptr || !scene_point(item, centre(item), &window, &scene)) {
        return false;
    }
    QTest::mouseMove(window, scene);
    // A double click as Qt Quick sees it: press, release, press, double-click
    // event, release.
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, scene);
    QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, scene);
    return true;
}

QString RoadWindow::shown_tool_tip() const
{
    if (m_window == nullptr) {
        return QString();
    }
    const QList<QQuickItem*> layers = m_window->contentItem()->childItems();
    for (const QQuickItem* layer : layers) {
        const bool tip = layer->objectName() == QLatin1String("hover_tip") ||
                         layer->objectName() == QLatin1String("tool_tip");
        if (tip && layer->isVisible() && !layer->childItems().isEmpty()) {
            return layer->childItems().constFirst()->property("text").toString();
        }
    }
    return QString();
}

bool RoadWindow::move_to(QQuickItem* item, const QPointF& point)
{
    QQuickWindow* window = nullptr;
    QPoint scene;
    if (!scene_point(item, point, &window, &scene)) {
        return false;
    }
    QTest::mouseMove(window, scene);
    return true;
}

bool RoadWindow::reveal(QQuickItem* flick, QQuickItem* item)
{
    if (flick == nullptr || item == nullptr || flick->window() == nullptr) {
        return false;
    }
    // Still, and laid out: positioners place their children at the next polish.
    auto settled = [flick, item] { return !flick->property("moving").toBool() && !polish_pending(item); };
    for (int turn = 0; turn < 40; ++turn) {
        if (!wait_for(settled)) {
            return false;
        }
        const QRectF shown = flick->mapRectToScene(QRectF(0, 0, flick->width(), flick->height()));
        const QRectF at = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
        if (shown.contains(at)) {
            return true;
        }
        const QPointF centre = shown.center();
        QWheelEvent wheel(centre, flick->window()->mapToGlobal(centre.toPoint()), QPoint(),
                          QPoint(0, at.top() < shown.top() ? 120 : -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(flick->window(), &wheel);
    }
    return false;
}

bool RoadWindow::drag(QQuickItem* item, const QPointF& from, const QPointF& to)
{
    QQuickWindow* window = nullptr;
    QPoint start;
    QPoint end;
    if (!scene_point(item, from, &window, &start) || !scene_point(item, to, &window, &end)) {
        return false;
    }
    QTest::mouseMove(window, start);
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, start);
    // Each step is handled before the next, as the event loop does for a
    // user: a drag that resizes or moves the window sees its new geometry.
    const int steps = 5;
    for (int i = 1; i <= steps; ++i) {
        QTest::mouseMove(window, start + (end - start) * i / steps);
        wait_for([window] { return window->contentItem()->size() == QSizeF(window->size()); });
    }
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, end);
    return true;
}

void RoadWindow::key_click(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(m_window.data(), key, modifiers);
}

void RoadWindow::key_press(Qt::Key key, Qt::KeyboardModifiers modifiers, bool autorepeat)
{
    if (!autorepeat) {
        QTest::keyPress(m_window.data(), key, modifiers);
        return;
    }
    QKeyEvent event(QEvent::KeyPress, key, modifiers, QString(), true);
    QCoreApplication::sendEvent(m_window.data(), &event);
}

void RoadWindow::key_release(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyRelease(m_window.data(), key, modifiers);
}

bool RoadWindow::wait_for(const std::function<bool()>& condition, int timeout_ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeout_ms) {
            return false;
        }
        // Runs the event loop for a moment: the condition is met by events.
        QTest::qWait(10);
    }
    return true;
}

QString RoadWindow::screens_dir()
{
    return QStringLiteral(PYRAVUE_SCREENS_DIR);
}

QString RoadWindow::save_screen(QQuickWindow* window, const QString& test, const QString& step)
{
    if (window == nullptr) {
        return QString();
    }
    // The offscreen platform's backing store does not hand its picture to the
    // software renderer's grab; its screen grab reads the same backing store.
    QImage picture = window->grabWindow();
    if (picture.isNull() && window->screen() != nullptr) {
        picture = window->screen()->grabWindow(window->winId()).toImage();
    }
    if (picture.isNull()) {
        qWarning("RoadWindow: the window gave no picture for %s-%s", qPrintable(test), qPrintable(step));
        return QString();
    }
    QDir().mkpath(screens_dir());
    const QString path = screens_dir() + QLatin1Char('/') + test + QLatin1Char('-') + step + QStringLiteral(".png");
    if (!picture.save(path)) {
        qWarning("RoadWindow: cannot write %s", qPrintable(path));
        return QString();
    }
    return path;
}

QString RoadWindow::save_screen(const QString& test, const QString& step) const
{
    return save_screen(m_window.data(), test, step);
}

}  // namespace roadtest
