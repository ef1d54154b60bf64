#include "views/tool_icons.h"

#include <QPainter>
#include <QPolygon>

namespace {

const QColor kGlyph(102, 192, 244);

void triangle(QPainter& p, const QPoint& a, const QPoint& b, const QPoint& c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawPolygon(QPolygon({a, b, c}));
}

}  // namespace

void draw_tool_icon(QPainter& p, const QRect& r, ToolIcon icon)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(kGlyph, 1.6);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QPoint c = r.center();
    switch (icon) {
    case ToolIcon::Add:
        p.drawLine(r.left(), c.y(), r.right(), c.y());
        p.drawLine(c.x(), r.top(), c.x(), r.bottom());
        break;
    case ToolIcon::Clear:
    case ToolIcon::Delete:
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
        break;
    case ToolIcon::Import:
        p.drawLine(c.x(), r.top(), c.x(), r.bottom() - 3);
        p.drawLine(c.x() - 3, r.bottom() - 6, c.x(), r.bottom() - 3);
        p.drawLine(c.x() + 3, r.bottom() - 6, c.x(), r.bottom() - 3);
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        break;
    case ToolIcon::Save:
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.drawRect(QRect(r.left() + 3, r.top(), r.width() - 7, r.height() / 3));
        break;
    case ToolIcon::Edit:
        p.drawLine(r.bottomLeft(), r.topRight());
        p.drawLine(r.left(), r.bottom(), r.left() + 4, r.bottom());
        break;
    case ToolIcon::Colour: {
        const int w = r.width() / 2, h = r.height() / 2;
        p.fillRect(QRect(r.left(), r.top(), w, h), QColor(0xF4, 0x4F, 0x1F));
        p.fillRect(QRect(r.left() + w, r.top(), w, h), QColor(0xF7, 0xF0, 0x58));
        p.fillRect(QRect(r.left(), r.top() + h, w, h), QColor(0x01, 0xFD, 0xDA));
        p.fillRect(QRect(r.left() + w, r.top() + h, w, h), QColor(0x9D, 0x36, 0x9C));
        break;
    }
    case ToolIcon::Checked:
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.drawLine(r.left() + 2, c.y(), c.x() - 1, r.bottom() - 2);
        p.drawLine(c.x() - 1, r.bottom() - 2, r.right() - 2, r.top() + 2);
        break;
    case ToolIcon::Unchecked:
        p.drawRect(r.adjusted(0, 0, -1, -1));
        break;
    case ToolIcon::ArrowLeft:
        triangle(p, QPoint(r.right(), r.top()), QPoint(r.right(), r.bottom()), QPoint(r.left(), c.y()));
        break;
    case ToolIcon::ArrowRight:
        triangle(p, QPoint(r.left(), r.top()), QPoint(r.left(), r.bottom()), QPoint(r.right(), c.y()));
        break;
    case ToolIcon::ArrowUp:
        triangle(p, QPoint(r.left(), r.bottom()), QPoint(r.right(), r.bottom()), QPoint(c.x(), r.top()));
        break;
    case ToolIcon::ArrowDown:
        triangle(p, QPoint(r.left(), r.top()), QPoint(r.right(), r.top()), QPoint(c.x(), r.bottom()));
        break;
    }
    p.restore();
}
