// The picture component: an IR, visible-light or logo picture on a page,
// with the analysis objects of an IR picture edited as in the picture view,
// and the value source of every data mark that names its picture number.
#pragma once

#include "reports/report_com_base.h"
#include "reports/report_mark_entry.h"
#include "reports/report_picture.h"

#include <QJsonArray>

#include <memory>

class ReportComImage : public ReportComBase {
    Q_OBJECT

public:
    // Production: the component makes its picture from the still-picture
    // source. Tests pass a picture of their own.
    explicit ReportComImage(ReportData* owner, QObject* parent = nullptr);
    ReportComImage(ReportData* owner, std::unique_ptr<ReportPicture> picture, QObject* parent = nullptr);
    ~ReportComImage() override;

    bool mouse_down(int x, int y) override;
    bool mouse_move(int x, int y) override;
    bool mouse_up(int x, int y) override;
    bool mouse_double_clicked(int x, int y) override;
    void draw_com(QPainter* painter, bool selected, bool hovered) override;
    void apply_com_rect() override;
    bool move_hit_com_size(int hit_code, int dx, int dy) override;
    bool hit_test_com(int x, int y, bool selected, int& hit_code) override;
    bool set_ir_setting(const QJsonObject& json) override;

    bool open_file(const QString& path);
    void set_ir_number(int n);
    void set_vi_number(int n);
    void set_logo(bool on);
    // A file the writers can embed: a visible picture's own file, an IR
    // picture saved as a temporary picture; empty when there is none.
    QString get_picture_file();
    bool get_ana_info_list(QJsonArray& list);
    QJsonObject get_pic_property();
    QString get_mark_value(const ReportMarkEntry& entry);
    bool add_ana(int shape);
    bool end_add_ana();
    bool delete_all_ana();
    bool delete_ana();
    void fit_to_picture();
    // Drops the analysis list read for mark values; the next value reads
    // the picture again.
    void forget_values() { m_values_valid = false; }

    bool is_ir() const { return m_is_ir; }
    bool is_loaded() const { return m_loaded; }
    bool is_logo() const { return m_is_logo; }
    const QString& file_path() const { return m_file_path; }
    int ir_number() const { return m_ir_number; }
    int vi_number() const { return m_vi_number; }
    float aspect() const { return m_aspect; }
    ReportPicture* picture() const { return m_picture.get(); }
    // The label drawn on the picture: "IR1", "VI1" or "LOGO".
    QString label() const;

private:
    // Analyses in report order: by kind (rectangle, line, ellipse, polygon,
    // polyline, point), within a kind by alias, one per alias.
    const QVector<ReportAnalysis>& ordered_analyses();
    QString picture_value(int mark_type);
    QString analysis_value(const ReportMarkEntry& entry);
    // Makes (width, height) aspect-true, the larger or the smaller box.
    void aspect_size(int& width, int& height, bool larger) const;

    std::unique_ptr<ReportPicture> m_picture;
    bool m_is_ir = false;
    bool m_adding_shape = false;
    bool m_loaded = false;
    bool m_is_logo = false;
    QString m_file_path;
    float m_aspect = 0.75f;
    int m_ir_number = -1;
    int m_vi_number = -1;
    bool m_values_valid = false;
    QVector<ReportAnalysis> m_ordered;
};
