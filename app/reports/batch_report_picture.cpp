#include "reports/batch_report_picture.h"

#include "picfold.h"
#include "sources/ir_image.h"
#include "thermframe.h"

#include <QJsonArray>

#include <string>

BatchReportPicture::BatchReportPicture(void* handle) : m_handle(handle) {}

bool BatchReportPicture::open_file(const QString& path)
{
    m_frame = nullptr;
    m_path.clear();
    m_sgcc = false;
    m_user_data = QJsonObject();
    if (!picfold_load_file_w(m_handle, path.toStdWString(), true)) return false;
    m_path = path;
    void* frame = nullptr;
    // A loaded picture without a frame document is written with empty values.
    if (!picfold_get_ir_data(m_handle, frame) || frame == nullptr) return true;
    m_frame = frame;
    thermframe_delete_all_ana(m_frame);
    picfold_add_anas_saved_in_file(m_handle);
    m_user_data = IRImage::read_user_data(m_frame);
    picfold_is_sgcc_file(m_handle, m_sgcc);
    if (m_sgcc) add_user_data_anas();
    return true;
}

void BatchReportPicture::add_user_data_anas()
{
    for (const QJsonValue& value : m_user_data.value("VYAnas").toArray()) {
        const QJsonObject record = value.toObject();
        void* ana = nullptr;
        if (!thermframe_add_ana(m_frame, record.value("ana_str").toString().toStdString(), ana) || ana == nullptr) {
            continue;
        }
        thermframe_ana_set_alias(ana, record.value("ana_alias").toString().toStdString());
        const int type = (record.value("show_max").toBool() ? 1 : 0) + (record.value("show_min").toBool() ? 2 : 0) +
                         (record.value("show_avg").toBool() ? 4 : 0);
        thermframe_ana_set_text_type(ana, static_cast<ShowTextType>(type));
    }
}

int BatchReportPicture::width() const
{
    uint16_t w = 0, h = 0;
    return m_frame != nullptr && thermframe_get_resolution(m_frame, w, h) ? w : 0;
}

int BatchReportPicture::height() const
{
    uint16_t w = 0, h = 0;
    return m_frame != nullptr && thermframe_get_resolution(m_frame, w, h) ? h : 0;
}

QString BatchReportPicture::user_data_string(const QString& key) const { return m_user_data.value(key).toString(); }
QString BatchReportPicture::preset_text() const { return IRImage::preset_text_of(m_user_data); }
QString BatchReportPicture::latitude_text() const { return IRImage::latitude_text_of(m_user_data); }
QString BatchReportPicture::longitude_text() const { return IRImage::longitude_text_of(m_user_data); }
QString BatchReportPicture::altitude_text() const { return IRImage::altitude_text_of(m_user_data); }
