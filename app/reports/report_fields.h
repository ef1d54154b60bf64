// The vocabulary of report fields (mark types and their keys), the grammar
// of a data-mark placeholder and its parser, and the display names of font
// families, shared by the text, data-mark and table components.
#pragma once

#include "reports/report_mark_entry.h"

#include <QString>

namespace report_fields {

// Mark types of the fields.
enum MarkType {
    kAnalyzeName = 1,
    kAnalyzeMaxTemperature = 2,
    kAnalyzeMinTemperature = 3,
    kAnalyzeAvgTemperature = 4,
    kDocumentTitle = 5,
    kRecordingDate = 6,
    kRecordingTime = 7,
    kRunningVoltage = 8,
    kLoadCurrent = 9,
    kEmissivity = 10,
    kRecordingDistances = 11,
    kAmbientTemperature = 12,
    kRelativeHumidity = 13,
    kFullscreenMaxTemperature = 14,
    kFullscreenMinTemperature = 15,
    kFullscreenAvgTemperature = 16,
    kMeasurementPointTemperature = 17,
    kNormalPointTemperature = 18,
    kTemperatureRise = 19,
    kTemperatureDifference = 20,
    kRelativeTemperatureDifference = 21,
    kUltrasonicDetectResult = 22,
    kInfraredDetectResult = 23,
    kIntegrateDetectResult = 24,
    kDeviceArea = 25,
    kSubstationName = 26,
    kDeviceType = 27,
    kDeviceName = 28,
    kPhase = 29,
    kParPosition = 30,
    kWeather = 31,
    kWindSpeed = 32,
    kDesMark = 33,
    kPresetText = 34,
    kLatitude = 35,
    kLongitude = 36,
    kAltitude = 37,
    kAnalyzeMinusMaxTemperature = 100,
};

// Results of parse_mark_text.
constexpr int kParsed = 0;
constexpr int kNoPlaceholder = 1;
constexpr int kUnbalancedBraces = -2;
constexpr int kBadPlaceholder = -3;

// The mark type of a key ("DeviceName" 28), 0 for any other text.
int mark_type_of_key(const QString& key);
// The key of a mark type, empty for an unknown one.
QString key_of_mark_type(int mark_type);

// One placeholder without braces (IR1DeviceName, IR1Analyze2MaxTemperature,
// IR1Analyze2Minus3MaxTemperature, IR1AnalyzeName2) into an entry.
bool parse_mark_key(const QString& placeholder, ReportMarkEntry& entry);

// A whole mark text into literal and placeholder entries: kParsed,
// kNoPlaceholder (no braces, no entries), kUnbalancedBraces, or
// kBadPlaceholder with the failing placeholder in error.
int parse_mark_text(const QString& text, ReportMarkEntries& entries, QString& error);

// The concatenation of the entries' values: what a mark shows.
QString joined_values(const ReportMarkEntries& entries);

// The Chinese name of a family given by its English name when the interface
// is Chinese; any other family unchanged.
QString font_family_display_name(const QString& family);
QString font_family_display_name(const QString& family, bool chinese);

}  // namespace report_fields
