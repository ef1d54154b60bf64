#include "reports/frame_report_picture.h"

#include "picfold.h"
#include "thermframe.h"

#include <string>

bool FrameReportPicture::read_emissivity(float& value) const { return thermframe_get_emiss(frame_document(), value); }
bool FrameReportPicture::read_distance(float& value) const { return thermframe_get_dist(frame_document(), value); }
bool FrameReportPicture::read_ambient_temperature(float& value) const
{
    return thermframe_get_env_temp(frame_document(), value);
}
bool FrameReportPicture::read_relative_humidity(float& value) const
{
    return thermframe_get_rel_hum(frame_document(), value);
}
bool FrameReportPicture::read_reference_temperature(float& value) const
{
    return thermframe_get_enviroment_reference_temperature(frame_document(), value);
}

bool FrameReportPicture::read_max_temperature(float& value) const
{
    uint16_t x = 0, y = 0, ad = 0;
    return thermframe_get_max_temp(frame_document(), x, y, ad, value);
}

bool FrameReportPicture::read_min_temperature(float& value) const
{
    uint16_t x = 0, y = 0, ad = 0;
    return thermframe_get_min_temp(frame_document(), x, y, ad, value);
}

bool FrameReportPicture::read_avg_temperature(float& value) const
{
    uint16_t ad = 0;
    return thermframe_get_avg_temp(frame_document(), ad, value);
}

QVector<ReportAnalysis> FrameReportPicture::analyses_of_kind(int kind) const
{
    QVector<ReportAnalysis> analyses;
    void* doc = frame_document();
    const AnaType type = static_cast<AnaType>(kind);
    int32_t count = 0;
    if (doc == nullptr || !thermframe_get_anas_count(doc, type, count)) return analyses;
    for (int32_t i = 0; i < count; ++i) {
        void* ana = nullptr;
        if (!thermframe_get_ana(doc, type, i, ana) || ana == nullptr) continue;
        ReportAnalysis analysis;
        analysis.kind = kind;
        std::string alias;
        analysis.alias_ok = thermframe_ana_get_alias(ana, alias);
        analysis.alias = QString::fromStdString(alias);
        uint16_t x = 0, y = 0, ad = 0;
        analysis.max_ok = thermframe_ana_get_max_temp(ana, x, y, ad, analysis.max);
        analysis.min_ok = thermframe_ana_get_min_temp(ana, x, y, ad, analysis.min);
        analysis.avg_ok = thermframe_ana_get_avg_temp(ana, ad, analysis.avg);
        analyses.append(analysis);
    }
    return analyses;
}

QString FrameReportPicture::storage_time() const
{
    std::string text;
    if (picture_handle() == nullptr || !picfold_get_storage_time(picture_handle(), text)) {
        return QString();
    }
    return QString::fromStdString(text);
}

