// The report texts of one picture: 30 field texts, the first ten analyses
// (name, maximum, minimum, average) and up to twelve names and maxima per
// analysis kind. The single-picture report and the batch report fill one per
// picture; layout marks of the first picture read their texts from it.
#pragma once

#include <QString>

#include <array>

class ReportPicture;

struct ReportFieldValues {
    static constexpr int kTextCount = 30;
    static constexpr int kAnalysisCount = 10;
    static constexpr int kKindCount = 6;
    static constexpr int kKindAnalysisCount = 12;

    // Text numbers.
    enum Text {
        kTitle = 0,
        kSubstationName = 1,
        kDeviceArea = 2,
        kPartPosition = 3,
        kDeviceType = 4,
        kDeviceName = 5,
        kPhase = 6,
        kCaptureDate = 7,
        kCaptureTime = 8,
        kEmissivity = 9,
        kDistance = 10,
        kAmbientTemperature = 11,
        kRelativeHumidity = 12,
        kRunningVoltage = 13,
        kLoadCurrent = 14,
        kWeather = 15,
        kWindSpeed = 16,
        kTextNote = 17,
        kPresetText = 18,
        kLongitude = 19,
        kLatitude = 20,
        kAltitude = 21,
        kPictureMax = 22,
        kPictureMin = 23,
        kPictureAvg = 24,
        kTemperatureRise = 25,
        kTemperatureDifference = 26,
        kRelativeDifference = 27,
        kMeasurementPoint = 28,
        kNormalPoint = 29,
    };
    // Kinds of the per-kind arrays: rectangle, line, point, ellipse, polygon,
    // polyline.
    enum Kind { kRect = 0, kLine = 1, kPoint = 2, kEllipse = 3, kPolygon = 4, kPolyline = 5 };

    std::array<QString, kTextCount> texts;
    std::array<QString, kAnalysisCount> ana_names;
    std::array<QString, kAnalysisCount> ana_max;
    std::array<QString, kAnalysisCount> ana_min;
    std::array<QString, kAnalysisCount> ana_avg;
    std::array<std::array<QString, kKindAnalysisCount>, kKindCount> kind_names;
    std::array<std::array<QString, kKindAnalysisCount>, kKindCount> kind_max;
};

namespace report_field_values {

// Fills the record from the picture; weather words in the interface
// language. False only when the picture has no IR data.
bool fill_report_info(const ReportPicture& picture, ReportFieldValues& values, bool chinese);
// The text of a layout mark from the record: only picture number 0 is
// served; analysis numbers 0 ... 9.
QString mark_value(const ReportFieldValues& values, int ir_id, int ana_id, int ana_id_minus, int mark_type);

}  // namespace report_field_values
