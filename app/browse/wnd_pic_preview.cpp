#include "browse/wnd_pic_preview.h"

#include "browse/thread_image_loading.h"

#include <QPainter>
#include <QPainterPath>
#include <QUrl>

namespace {

const QColor kPlaceholderLine(0x66, 0xC0, 0xF4);
const QColor kBadgeBack(37, 37, 38, 128);

// The placeholders and badges are drawn here rather than loaded: a framed
// landscape for a picture, a film strip for a recording.
void draw_picture_glyph(QPainter* p, const QRectF& r)
{
    p->drawRoundedRect(r, r.width() / 10, r.width() / 10);
    QPainterPath hills;
    hills.moveTo(r.left() + r.width() * 0.1, r.bottom() - r.height() * 0.15);
    hills.lineTo(r.left() + r.width() * 0.4, r.top() + r.height() * 0.45);
    hills.lineTo(r.left() + r.width() * 0.6, r.top() + r.height() * 0.65);
    hills.lineTo(r.left() + r.width() * 0.72, r.top() + r.height() * 0.55);
    hills.lineTo(r.right() - r.width() * 0.1, r.bottom() - r.height() * 0.15);
    p->drawPath(hills);
    const qreal sun = r.width() * 0.12;
    p->drawEllipse(QPointF(r.right() - r.width() * 0.28, r.top() + r.height() * 0.28), sun, sun);
}

void draw_recording_glyph(QPainter* p, const QRectF& r)
{
    p->drawRoundedRect(r, r.width() / 10, r.width() / 10);
    const qreal hole = r.width() / 10;
    for (int i = 0; i < 4; ++i) {
        const qreal x = r.left() + r.width() * (0.12 + 0.22 * i);
        p->drawRect(QRectF(x, r.top() + hole * 0.5, hole, hole));
        p->drawRect(QRectF(x, r.bottom() - hole * 1.5, hole, hole));
    }
    QPainterPath play;
    play.moveTo(r.center() + QPointF(-r.width() * 0.12, -r.height() * 0.18));
    play.lineTo(r.center() + QPointF(r.width() * 0.18, 0));
    play.lineTo(r.center() + QPointF(-r.width() * 0.12, r.height() * 0.18));
    play.closeSubpath();
    p->drawPath(play);
}

void draw_glyph(QPainter* p, const QRectF& r, bool jpg, qreal pen_width)
{
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    p->setPen(QPen(kPlaceholderLine, pen_width));
    p->setBrush(Qt::NoBrush);
    if (jpg) {
        draw_picture_glyph(p, r);
    } else {
        draw_recording_glyph(p, r);
    }
    p->restore();
}

}  // namespace

WndPicPreview::WndPicPreview(QQuickItem* parent)
    : QQuickPaintedItem(parent)
{
    connect(ThreadImageLoading::instance(), &ThreadImageLoading::sig_thumbnail_done, this,
            &WndPicPreview::on_thumbnail_done, Qt::QueuedConnection);
}

WndPicPreview::~WndPicPreview()
{
    if (!m_path.isEmpty()) {
        ThreadImageLoading::instance()->detach(m_path);
    }
}

void WndPicPreview::set_pic_path(const QString& path)
{
    const QString local = path.startsWith(QLatin1String("file:")) ? QUrl(path).toLocalFile() : path;
    if (local == m_path) {
        return;
    }
    ThreadImageLoading* loader = ThreadImageLoading::instance();
    if (!m_path.isEmpty()) {
        loader->detach(m_path);
    }
    m_path = local;
    if (!m_path.isEmpty()) {
        loader->attach(m_path);
        loader->request(m_path, m_jpg);
    }
    emit sig_change_pic_path();
    update();
}

void WndPicPreview::set_jpg(bool jpg)
{
    if (jpg == m_jpg) {
        return;
    }
    m_jpg = jpg;
    if (!m_path.isEmpty()) {
        ThreadImageLoading* loader = ThreadImageLoading::instance();
        loader->attach(m_path);
        loader->detach(m_path);
        loader->refresh(m_path, m_jpg);
    }
    update();
}

QString WndPicPreview::get_pic_path() const
{
    return m_path;
}

void WndPicPreview::update_pic_preview()
{
    if (!m_path.isEmpty()) {
        ThreadImageLoading::instance()->refresh(m_path, m_jpg);
    }
}

void WndPicPreview::on_thumbnail_done(const QString& path)
{
    if (path == m_path) {
        update();
    }
}

void WndPicPreview::paint(QPainter* painter)
{
    const int w = int(width());
    const int h = int(height());
    const bool drawn = !m_path.isEmpty() && ThreadImageLoading::instance()->draw_cached(painter, w, h, m_path);
    if (!drawn) {
        const int side = qMin(128, qMin(w, h) - 8);
        if (side > 0) {
            draw_glyph(painter, QRectF((w - side) / 2, (h - side) / 2, side, side * 0.8), m_jpg, 2);
        }
        return;
    }
    if (w < kBadgeMinWidth) {
        return;
    }
    painter->fillRect(QRect(1, h - 29, m_jpg ? 27 : 28, 28), kBadgeBack);
    draw_glyph(painter, QRectF(4, h - 24, 20, 18), m_jpg, 1.5);
}
