// What a layout document tells the item that shows it: the item turns each
// call into its signal to the QML. Components cross to the QML only as their
// handle id in the document, which the document checks when it comes back.
#pragma once

#include <QJsonObject>
#include <QString>

class ReportDataOwner {
public:
    virtual ~ReportDataOwner() = default;

    virtual void update_com_property(int selected_count, int selection_type) = 0;
    virtual void update_com_table_font(bool has_cell) = 0;
    virtual void update_com_position() = 0;
    virtual void add_com_text(int x, int y, int width, int height, const QString& text, qint64 com,
                              const QJsonObject& font) = 0;
    virtual void change_table_text(int x, int y, int width, int height, const QString& text, qint64 com,
                                   const QJsonObject& font) = 0;
};
