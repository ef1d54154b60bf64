// The report picture of the batch runs: one picture at a time loaded into a
// picture container that the job owns, off the GUI thread. It only gives
// report values: it draws nothing and edits nothing.
#pragma once

#include "reports/frame_report_picture.h"

#include <QJsonObject>

class BatchReportPicture : public FrameReportPicture {
public:
    // handle: a picture container object that stays the caller's.
    explicit BatchReportPicture(void* handle);

    // Loads the picture with its stored view and analysis objects (a
    // national-grid picture also gets the objects of its user data); the
    // frame document is asked for anew with every picture.
    bool open_file(const QString& path) override;
    QString file_path() const override { return m_path; }
    bool is_visible_picture() const override { return m_frame == nullptr; }
    bool is_sgcc_picture() const override { return m_sgcc; }
    int width() const override;
    int height() const override;

    void paint_in_rect(QPainter*, const QRect&) override {}
    void set_show_size(int, int) override {}
    void mouse_down(int, int) override {}
    void mouse_move(int, int) override {}
    void mouse_up(int, int) override {}
    void mouse_double_clicked(int, int) override {}
    bool is_ana_changed() const override { return false; }
    void add_shape(int) override {}
    void end_add_shape() override {}
    bool delete_ana() override { return false; }
    bool delete_all_ana() override { return false; }
    bool ana_kind_at(int, int, int&) override { return false; }
    bool set_ir_property(const QJsonObject&) override { return false; }
    QJsonObject get_ir_property() override { return QJsonObject(); }
    bool save_as_image_to_file(const QString&) override { return false; }
    bool save_as_sgcc_image_to_file(const QString&) override { return false; }

    QString user_data_string(const QString& key) const override;
    QString preset_text() const override;
    QString latitude_text() const override;
    QString longitude_text() const override;
    QString altitude_text() const override;

protected:
    void* frame_document() const override { return m_frame; }
    void* picture_handle() const override { return m_handle; }

private:
    void add_user_data_anas();

    void* m_handle = nullptr;
    void* m_frame = nullptr;
    QString m_path;
    bool m_sgcc = false;
    QJsonObject m_user_data;
};
