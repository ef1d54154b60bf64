// Batch analysis: one set of analysis objects added to many pictures, each
// saved again under its own name. The savers write a temporary file beside
// the picture and rename it over the original only when it is complete, so
// a failed or interrupted save leaves the user's picture as it was.
#include "reports/thread_print_report.h"

#include "markpen.h"
#include "picfold.h"
#include "reports/report_log.h"
#include "sources/ir_base.h"
#include "sources/ir_image.h"
#include "thermframe.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <string>

namespace {

QString one_decimal(float value) { return QString::asprintf("%.1f", static_cast<double>(value)); }

// Every analysis object of the frame, kind by kind from points to polylines.
QJsonArray anas_of(void* frame)
{
    QJsonArray list;
    for (AnaType type : {ANA_POINT, ANA_LINE, ANA_ELLIPSE, ANA_RECT, ANA_POLYGON, ANA_POLYLINE}) {
        int32_t count = 0;
        if (!thermframe_get_anas_count(frame, type, count)) continue;
        for (int32_t i = 0; i < count; ++i) {
            void* ana = nullptr;
            std::string str;
            if (!thermframe_get_ana(frame, type, i, ana) || ana == nullptr ||
                !thermframe_get_ana_str_from_handle(frame, ana, str)) {
                continue;
            }
            std::string alias;
            thermframe_ana_get_alias(ana, alias);
            ShowTextType text_type = ShowTextType(0);
            thermframe_ana_get_text_type(ana, text_type);
            uint16_t x = 0, y = 0, ad = 0;
            float max = 0.0f, min = 0.0f, avg = 0.0f;
            thermframe_ana_get_max_temp(ana, x, y, ad, max);
            QJsonObject entry{{"ana_alias", QString::fromStdString(alias)},
                              {"ana_str", QString::fromStdString(str)},
                              {"ana_zoom_str", QString::fromStdString(str)},
                              {"show_max", (text_type & 1) != 0},
                              {"max", one_decimal(max)}};
            if (type != ANA_POINT) {
                thermframe_ana_get_min_temp(ana, x, y, ad, min);
                thermframe_ana_get_avg_temp(ana, ad, avg);
                entry.insert("show_min", (text_type & 2) != 0);
                entry.insert("show_avg", (text_type & 4) != 0);
                entry.insert("min", one_decimal(min));
                entry.insert("avg", one_decimal(avg));
            }
            list.append(entry);
        }
    }
    return list;
}

}  // namespace

int ThreadPrintReport::slot_batch_anas(const QJsonArray& arr_file, const QJsonArray& arr_anas)
{
    m_stop = false;
    qCDebug(lc_report) << "bathanas file:" << arr_file;
    qCDebug(lc_report) << "bathanas anas:" << arr_anas;
    void* handle = nullptr;
    picfold_init(handle);
    emit sig_batch_anas_init(arr_file.size());
    int status = 0;
    for (int i = 0; i < arr_file.size(); ++i) {
        if (stopping()) {
            status = kStopped;
            break;
        }
        emit sig_batch_anas_info(apply_anas(handle, arr_file.at(i).toString(), arr_anas));
        emit sig_batch_anas_progress(i + 1);
    }
    picfold_uninit(handle);
    emit sig_batch_anas_end(status);
    return 0;
}

QString ThreadPrintReport::apply_anas(void* handle, const QString& path, const QJsonArray& arr_anas)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const bool png = info.suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0;
    void* frame = nullptr;
    // The frame document is asked for with every picture: loading may give
    // the container a new one.
    if (handle == nullptr || !picfold_load_file_w(handle, path.toStdWString(), false) ||
        !picfold_get_ir_data(handle, frame) || frame == nullptr) {
        return tr("File %1 non-infrared image!").arg(name);
    }
    bool sgcc = false;
    picfold_is_sgcc_file(handle, sgcc);
    thermframe_isotherm_update_all(frame);
    thermframe_set_palette_type(frame, PALETTE_TYPE_AUTO_EVERY_FRAME);
    picfold_set_use_temperature_para(handle, true);
    for (const QJsonValue& value : arr_anas) {
        const QJsonObject record = value.toObject();
        void* ana = nullptr;
        if (thermframe_add_ana(frame, record.value("ana_str").toString().toStdString(), ana) && ana != nullptr) {
            thermframe_ana_set_alias(ana, record.value("ana_alias").toString().toStdString());
        }
    }
    QJsonObject user_data = IRImage::read_user_data(frame);
    if (sgcc) IRImage::apply_view_settings_to(frame, user_data);
    user_data.insert("VYAnas", anas_of(frame));
    user_data.insert("VYZoomFactor", 1);
    QByteArray bytes = QJsonDocument(user_data).toJson(QJsonDocument::Compact);
    thermframe_set_user_data(frame, reinterpret_cast<unsigned char*>(bytes.data()), static_cast<uint32_t>(bytes.size()));
    const std::string gps = IRBase::get_gps_text(user_data).toStdString();
    bool saved = false;
    if (sgcc) {
        void* paint = nullptr;
        std::string time;
        picfold_get_storage_time(handle, time);
        saved = picfold_get_ir_paint(handle, paint) && markpen_save_sgcc_file_w(paint, path.toStdWString(), time, gps);
    } else if (png) {
        saved = picfold_save_png_file_w(handle, path.toStdWString(), gps, true, true);
    } else {
        saved = picfold_save_jpg_file_w(handle, path.toStdWString(), gps, true, true);
    }
    if (!saved) qCWarning(lc_report) << "batch analysis: cannot save" << path;
    return saved ? tr("File %1 modification and analysis successful!").arg(name)
                 : tr("File %1 modification analysis failed!!").arg(name);
}
