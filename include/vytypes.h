// Shared enumerations and records of the Pyravue libraries and program.
#pragma once

#include <stdint.h>

// Kind of analysis object. ANA_ALL counts every kind.
enum AnaType {
    ANA_POINT = 0,
    ANA_LINE = 10,
    ANA_ELLIPSE = 20,
    ANA_RECT = 30,
    ANA_POLYGON = 40,
    ANA_POLYLINE = 50,
    ANA_ALL = 100,
};

// Node limits of the analysis kinds that take a variable number of nodes.
enum { VY_ANA_MIN_POLY_NODES = 2, VY_ANA_MAX_POLY_NODES = 150 };

// Palette number shared by thermframe, markpen and palettor; 18 and above are refused.
enum PALETTE {
    PAL_IRON = 0,
    PAL_RAINBOW = 1,
    PAL_FEATHER = 2,
    PAL_GRAY = 3,
    PAL_CWFEATHER = 4,
    PAL_IRON_REVERSED = 5,
    PAL_RAINBOW_REVERSED = 6,
    PAL_FEATHER_REVERSED = 7,
    PAL_GRAY_REVERSED = 8,
    PAL_CWFEATHER_REVERSED = 9,
    PAL_COUNT = 18,
};

enum PaletteType {
    PALETTE_TYPE_MANUAL = 1,
    PALETTE_TYPE_AUTO_ONCE = 2,
    PALETTE_TYPE_AUTO_EVERY_FRAME = 3,
};

// Bit mask of the temperatures shown in an analysis object's label.
enum ShowTextType {
    SHOW_TEXT_MAX = 1,
    SHOW_TEXT_MIN = 2,
    SHOW_TEXT_AVG = 4,
};

// -1 is "not set" in the renderer and is drawn like ROTATION_NONE.
enum RotationAngle {
    ROTATION_UNSET = -1,
    ROTATION_NONE = 0,
    ROTATION_90 = 1,
    ROTATION_270 = 2,
    ROTATION_180 = 3,
    ROTATION_180_ALT = 4,
};

enum ImageZoomFactor { ZOOM_FACTOR_MIN = 1, ZOOM_FACTOR_MAX = 16 };

enum TemperatureUnit { TEMP_UNIT_CELSIUS = 0, TEMP_UNIT_FAHRENHEIT = 1 };

enum ImagingAlgorithmMode {
    IMAGING_ALGORITHM_0 = 0,
    IMAGING_ALGORITHM_1 = 1,
    IMAGING_ALGORITHM_2 = 2,
    IMAGING_ALGORITHM_3 = 3,
};

// Lens type: 0..5 in the lens operations, 0..6 accepted by the calibration loader.
// Measuring range id 0..3 per calibration environment.
// The exports with C linkage take both as int32_t; the typed C++ exports of
// camlink name the enumerations, which their mangled symbols carry.
#ifdef __cplusplus
enum LenType : int32_t { LEN_TYPE_FIRST = 0, LEN_TYPE_LAST = 5, LEN_TYPE_LAST_LOADED = 6 };
enum MeasRange : int32_t { MEAS_RANGE_FIRST = 0, MEAS_RANGE_LAST = 3 };
#else
typedef int32_t LenType;
typedef int32_t MeasRange;
#endif
typedef int32_t IRDetectorType;

enum LenAdjustMethod {
    LEN_ADJUST_MANUAL = 0,
    LEN_ADJUST_ELECTRIC = 1,
    LEN_ADJUST_CONTINUOUS = 2,
};

#pragma pack(push, 2)
// One node of an analysis object, in image coordinates.
struct tagVYPoint {
    uint16_t x;
    uint16_t y;
};

// A position with its AD value.
struct tagPAD {
    uint16_t x;
    uint16_t y;
    uint16_t ad;
};

// One row run of an area shape: pixels first_x..last_x inclusive on row y.
struct tagVYRun {
    uint16_t y;
    uint16_t first_x;
    uint16_t last_x;
};
#pragma pack(pop)

static_assert(sizeof(tagVYPoint) == 4, "tagVYPoint is two u16");
static_assert(sizeof(tagPAD) == 6, "tagPAD is three u16");
static_assert(sizeof(tagVYRun) == 6, "tagVYRun is three u16");

struct tagMeasRangeInfo {
    int32_t meas_range;
    int16_t min_temp;
    int16_t max_temp;
};

// One lens with up to four measuring ranges (natural layout, 72 bytes).
struct tagLenInfo {
    int32_t len_type;
    char serial[16];
    char description[16];
    unsigned char range_count;
    tagMeasRangeInfo ranges[4];
};
static_assert(sizeof(tagLenInfo) == 72, "tagLenInfo is stored and exchanged as 72 bytes");

// Time of a recorded frame: seconds since the epoch and microseconds.
struct tagTimeVal {
    uint32_t sec;
    uint32_t usec;
};
static_assert(sizeof(tagTimeVal) == 8, "tagTimeVal is two u32");

// Longest single analysis-object string, terminator included.
enum { VY_ANA_STR_CAPACITY = 1024 };
