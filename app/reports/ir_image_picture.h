// The report picture over the still-picture source: the source draws and
// edits, the frame document and the picture container give the values.
#pragma once

#include "reports/frame_report_picture.h"

#include <memory>

class IRImage;

class IrImagePicture : public FrameReportPicture {
public:
    // A picture source of its own.
    IrImagePicture();
    // Reads the values of a source that someone else owns and keeps alive.
    explicit IrImagePicture(IRImage* source);
    ~IrImagePicture() override;

    bool open_file(const QString& path) override;
    QString file_path() const override;
    bool is_visible_picture() const override;
    bool is_sgcc_picture() const override;
    int width() const override;
    int height() const override;

    void paint_in_rect(QPainter* painter, const QRect& rect) override;
    void set_show_size(int width, int height) override;
    void mouse_down(int x, int y) override;
    void mouse_move(int x, int y) override;
    void mouse_up(int x, int y) override;
    void mouse_double_clicked(int x, int y) override;
    bool is_ana_changed() const override;
    void add_shape(int shape) override;
    void end_add_shape() override;
    bool delete_ana() override;
    bool delete_all_ana() override;
    bool ana_kind_at(int x, int y, int& kind) override;

    bool set_ir_property(const QJsonObject& json) override;
    QJsonObject get_ir_property() override;
    bool save_as_image_to_file(const QString& path) override;
    bool save_as_sgcc_image_to_file(const QString& path) override;

    QString user_data_string(const QString& key) const override;
    QString preset_text() const override;
    QString latitude_text() const override;
    QString longitude_text() const override;
    QString altitude_text() const override;

    IRImage* source() const { return m_source; }

protected:
    void* frame_document() const override;
    void* picture_handle() const override;

private:
    std::unique_ptr<IRImage> m_owned;
    IRImage* m_source = nullptr;
};
