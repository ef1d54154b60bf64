#include "text_layout_check.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QRectF>

#include <cmath>

namespace roadtest {

namespace {

// A pixel of rounding is not a fault.
constexpr qreal kSlack = 1.5;

// Values of Text's enumerations.
constexpr int kElideNone = 3;
constexpr int kNoWrap = 0;
constexpr int kAlignRight = 0x2;
constexpr int kAlignHCenter = 0x4;

bool is_text(const QQuickItem* item) { return item->inherits("QQuickText"); }

bool is_positioner(const QQuickItem* item)
{
    return item->inherits("QQuickBasePositioner") || item->inherits("QQuickLayout");
}

bool is_scroller(const QQuickItem* item) { return item->inherits("QQuickFlickable"); }

QString shown_text(const QQuickItem* text) { return text->property("text").toString().trimmed(); }

// Shown means visible, not transparent, and not wholly clipped away (rows
// scrolled out of a list are not shown).
bool is_shown(const QQuickItem* item)
{
    if (!item->isVisible() || item->width() <= 0 || item->height() <= 0) {
        return false;
    }
    QRectF area = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
    for (const QQuickItem* up = item; up != nullptr; up = up->parentItem()) {
        if (up->opacity() < 0.01) {
            return false;
        }
        if (up != item && up->clip()) {
            area &= up->mapRectToScene(QRectF(0, 0, up->width(), up->height()));
        }
    }
    if (item->window() != nullptr) {
        area &= QRectF(QPointF(0, 0), item->window()->size());
    }
    return area.width() > 0.5 && area.height() > 0.5;
}

// Where a Text draws its glyphs, in its own coordinates: as wide as its
// text needs unless it elides or wraps, placed by its alignment.
// A text whose font shrinks to its box.
bool fits_by_font(const QQuickItem* text) { return text->property("fontSizeMode").toInt() != 0; }

QRectF drawn_rect(const QQuickItem* text)
{
    const qreal width = text->width();
    const bool fits_by_itself = text->property("elide").toInt() != kElideNone ||
                                text->property("wrapMode").toInt() != kNoWrap || fits_by_font(text);
    qreal drawn = width;
    if (!fits_by_itself) {
        drawn = std::max(width, text->implicitWidth());
    } else if (text->property("wrapMode").toInt() != kNoWrap) {
        // A word longer than the line still runs past it.
        drawn = std::max(width, text->property("contentWidth").toReal() + text->property("leftPadding").toReal() +
                                    text->property("rightPadding").toReal());
    }
    const int align = text->property("effectiveHorizontalAlignment").toInt();
    qreal left = 0;
    if (align & kAlignRight) {
        left = width - drawn;
    } else if (align & kAlignHCenter) {
        left = (width - drawn) / 2;
    }
    return QRectF(left, 0, drawn, text->height());
}

QString name_of(const QQuickItem* item)
{
    QStringList names;
    for (const QQuickItem* up = item; up != nullptr && names.size() < 3; up = up->parentItem()) {
        if (!up->objectName().isEmpty()) {
            names.prepend(up->objectName());
        }
    }
    if (names.isEmpty()) {
        names << QString::fromLatin1(item->metaObject()->className());
    }
    return names.join(QLatin1Char('/'));
}

QString describe(const QQuickItem* item)
{
    if (is_text(item)) {
        return QStringLiteral("%1 \"%2\"").arg(name_of(item), shown_text(item));
    }
    // A control: its first text names it.
    const QList<QQuickItem*> children = item->childItems();
    for (const QQuickItem* child : children) {
        if (is_text(child) && !shown_text(child).isEmpty()) {
            return QStringLiteral("%1 \"%2\"").arg(name_of(item), shown_text(child));
        }
    }
    return name_of(item);
}

// A box holds its text: a parent that draws or clips, not a positioner
// (whose size follows its children) and not a scrolled content item.
bool is_box(const QQuickItem* item)
{
    return item != nullptr && item->width() > 0 && !is_positioner(item) && item->parentItem() != nullptr &&
           !is_scroller(item->parentItem()) && item->window() != nullptr && item != item->window()->contentItem();
}

// What an item draws (in the box's coordinates) stays within the box's width.
void check_inside_box(const QString& what, const QRectF& drawn, const QQuickItem* box, QStringList& faults)
{
    if (drawn.left() < -kSlack || drawn.right() > box->width() + kSlack) {
        faults << QStringLiteral("wider than its box: %1 spans %2..%3 in %4 of width %5")
                      .arg(what)
                      .arg(drawn.left())
                      .arg(drawn.right())
                      .arg(name_of(box))
                      .arg(box->width());
    }
}

void check_text(const QQuickItem* text, QStringList& faults)
{
    if (shown_text(text).isEmpty()) {
        return;
    }
    const bool elides = text->property("elide").toInt() != kElideNone;
    const bool wraps = text->property("wrapMode").toInt() != kNoWrap;
    if (!elides && !wraps && !fits_by_font(text) && text->implicitWidth() > text->width() + kSlack) {
        faults << QStringLiteral("cut: %1 needs %2 px, has %3")
                      .arg(describe(text))
                      .arg(std::ceil(text->implicitWidth()))
                      .arg(text->width());
        return;
    }
    const QQuickItem* box = text->parentItem();
    if (!is_box(box)) {
        return;
    }
    check_inside_box(describe(text), text->mapRectToItem(box, drawn_rect(text)), box, faults);
}

// What a child of a positioner covers: its own rectangle and the glyphs of
// the texts inside it that no clipping item holds back.
void add_drawn_texts(const QQuickItem* item, const QQuickItem* positioner, QRectF& extent)
{
    if (item->clip()) {
        return;
    }
    const QList<QQuickItem*> children = item->childItems();
    for (const QQuickItem* child : children) {
        // Raised children are layers meant to cover (tips, popups).
        if (!child->isVisible() || child->opacity() < 0.01 || child->z() > 0) {
            continue;
        }
        if (is_text(child) && !shown_text(child).isEmpty()) {
            extent |= child->mapRectToItem(positioner, drawn_rect(child));
        }
        add_drawn_texts(child, positioner, extent);
    }
}

void check_positioner(const QQuickItem* positioner, QStringList& faults)
{
    QList<const QQuickItem*> shown;
    QList<QRectF> extents;
    const QList<QQuickItem*> children = positioner->childItems();
    for (const QQuickItem* child : children) {
        if (!is_shown(child)) {
            continue;
        }
        QRectF extent = child->mapRectToItem(positioner, QRectF(0, 0, child->width(), child->height()));
        if (is_text(child)) {
            extent |= child->mapRectToItem(positioner, drawn_rect(child));
        } else {
            add_drawn_texts(child, positioner, extent);
        }
        shown << child;
        extents << extent;
    }
    // A row that runs past the box holding it covers what lies beside it.
    const QQuickItem* box = positioner->parentItem();
    if (is_box(box) && !extents.isEmpty()) {
        QRectF all;
        for (const QRectF& extent : extents) {
            all |= extent;
        }
        check_inside_box(name_of(positioner), positioner->mapRectToItem(box, all), box, faults);
    }
    for (int i = 0; i < extents.size(); ++i) {
        for (int j = i + 1; j < extents.size(); ++j) {
            const QRectF both = extents[i] & extents[j];
            if (both.width() > kSlack && both.height() > kSlack) {
                faults << QStringLiteral("overlap: %1 and %2 share %3 x %4 px")
                              .arg(describe(shown[i]), describe(shown[j]))
                              .arg(both.width())
                              .arg(both.height());
            }
        }
    }
}

void walk(const QQuickItem* item, QStringList& faults)
{
    if (!item->isVisible() || item->opacity() < 0.01) {
        return;
    }
    if (is_shown(item)) {
        if (is_text(item)) {
            check_text(item, faults);
        }
        if (is_positioner(item)) {
            check_positioner(item, faults);
        }
    }
    const QList<QQuickItem*> children = item->childItems();
    for (const QQuickItem* child : children) {
        walk(child, faults);
    }
}

}  // namespace

QStringList find_text_faults(QQuickItem* root)
{
    QStringList faults;
    if (root != nullptr) {
        walk(root, faults);
    }
    faults.removeDuplicates();
    return faults;
}

}  // namespace roadtest
