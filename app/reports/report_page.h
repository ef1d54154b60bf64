// One page of a report layout: the components that lie on it (not owned),
// where the designer shows it, and its off-screen canvas.
#pragma once

#include <QList>
#include <QObject>
#include <QPixmap>
#include <QRect>

#include <map>

class QPainter;
class ReportComBase;
class ReportData;

// Orders components by id, that is by creation, so that "the first selected
// component" is the same on every run.
struct ReportComIdLess {
    bool operator()(const ReportComBase* a, const ReportComBase* b) const;
};

// The selection of a document: component -> rectangle, in key order.
using ReportSelection = std::map<ReportComBase*, QRect, ReportComIdLess>;

class ReportPage : public QObject {
    Q_OBJECT

public:
    explicit ReportPage(ReportData* owner, QObject* parent = nullptr);

    bool remove_com(ReportComBase* com);
    void append_com(ReportComBase* com) { m_coms.append(com); }
    // Adds every component meeting the rectangle to the selection; answers
    // their common type, or -1 when none was added or the types differ.
    int select_in_rect(const QRect& rect, ReportSelection& selection);
    void draw_page(QPainter* painter);

    const QList<ReportComBase*>& coms() const { return m_coms; }
    const QRect& view_rect() const { return m_view_rect; }
    void set_view_rect(const QRect& rect) { m_view_rect = rect; }
    void set_canvas(const QPixmap& canvas) { m_canvas = canvas; }

private:
    QList<ReportComBase*> m_coms;
    ReportData* m_owner = nullptr;
    QRect m_view_rect;
    QPixmap m_canvas;
};
