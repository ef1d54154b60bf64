// The report values that come straight from a picture's frame document and
// its picture container: temperatures, parameters, analysis objects and
// the storage time. The still-picture view and the batch runs both read
// them this way; they differ in where the frame comes from.
#pragma once

#include "reports/report_picture.h"

class FrameReportPicture : public ReportPicture {
public:
    bool read_emissivity(float& value) const override;
    bool read_distance(float& value) const override;
    bool read_ambient_temperature(float& value) const override;
    bool read_relative_humidity(float& value) const override;
    bool read_reference_temperature(float& value) const override;
    bool read_max_temperature(float& value) const override;
    bool read_min_temperature(float& value) const override;
    bool read_avg_temperature(float& value) const override;
    QVector<ReportAnalysis> analyses_of_kind(int kind) const override;
    QString storage_time() const override;

protected:
    // The frame document of the open picture, null when there is none.
    virtual void* frame_document() const = 0;
    // The picture container object that holds it.
    virtual void* picture_handle() const = 0;
};
