// The frame object behind a sensekern handle and what the source files share.
#pragma once

#include "byte_io.h"
#include "framekit.h"
#include "logline.h"
#include "sensekern.h"
#include "stock_vector.h"
#include "vy_base_object.h"
#include "vy_lock.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#define SK_LOG(function, ...) \
    logline_print(LOGLINE_ERROR, "sensekern", __FILE__, __LINE__, function, __VA_ARGS__)

namespace sensekern {
namespace detail {

constexpr const char* kFrameTag = "sensekern_frame";
constexpr const char* kRecordTag = "sensekern_record";
constexpr const char* kReaderTag = "sensekern_record_reader";

// Environment parameters of a frame without a calibration of its own (a
// loaded picture or recording frame); with a calibration tempcore holds them.
struct Params {
    float emissivity = 0.95f;
    float distance = 3.0f;
    float ambient = 25.0f;
    float humidity = 0.5f;
    float modify = 0.0f;
    float reference = -1000.0f;
    int32_t unit = 0;
};

// AD-to-temperature table of a frame without calibration: values[ad - first]
// in `unit`; ADs outside take the nearest end. Its values (up to 256 kB)
// are always written whole before they are read and come from the block
// stock, like the planes.
struct Table {
    uint16_t first = 0;
    int32_t unit = 0;
    vybase::StockVector<float> values;
    bool empty() const { return values.empty(); }
};

// A frame's AD values: always written whole before they are read, and kept
// in the block stock so that the next picture's plane reuses mapped pages.
using Plane = vybase::StockVector<uint16_t>;

constexpr int kMacTexts = 5;
using MacTexts = std::array<std::string, kMacTexts>;

// What a frame needs to rerun the calibration model for any parameters:
// the detector's calibration data (tempcore format, with its script), the
// lens and range in use and the sensor readings.
// Calibration data of a stored model: a header, five lenses of eight ranges
// and a script of at most 1 MiB compressed.
constexpr uint32_t kMaxCalibrationBytes = 2u << 20;

struct Model {
    std::vector<uint8_t> calibration;
    int32_t lens = 0;
    int32_t range = 0;
    float sensors[5] = {};
    bool present() const { return !calibration.empty(); }
};

// Display settings stored with a picture: palette, palettor imaging type
// (0 automatic, 1 manual, 255 fire-fighting) and the range in use.
struct View {
    bool present = false;
    uint8_t palette = 0;
    uint8_t imaging = 0;
    uint16_t low = 0;
    uint16_t high = 0;
};

// One analysis object as a picture stores it.
struct AnaRecord {
    std::string text;
    std::string alias;
    std::string des;
    tagVYAnaInfo info{};  // alias, des and cursor pointers unused here
    bool has_cursor = false;
    tagVYAnaCursor cursor{};
};

// Everything a picture, recording frame or national-grid block gives a
// frame, parsed and validated before the frame takes it.
struct LoadedFrame {
    uint16_t width = 0;
    uint16_t height = 0;
    Plane plane;
    Params params;
    Table table;
    std::vector<float> matrix;  // exact temperatures of a national-grid picture
    std::vector<uint8_t> para_record;
    tagLenInfo lens{};
    std::vector<tagLenInfo> lenses;
    bool has_lens = false;
    MacTexts mac;
    tagTimeVal time{};
    std::vector<AnaRecord> anas;
    std::array<std::vector<uint8_t>, 3> attached;
    Model model;
    // The detector's own plane of a national-grid picture with a model (the
    // plane above is the one derived from its temperature matrix).
    Plane model_plane;
    View view;
};

struct Isotherm {
    float low;
    float high;
    uint32_t colour;
    bool flag;
    int32_t id;  // palettor band id
};

class Frame : public _VYBaseObject {
public:
    Frame();
    ~Frame() override;

    bool ready() const { return ad_ != nullptr; }
    VyLock& lock() { return lock_; }

    // --- all below expect lock() to be held
    void* ad() const { return ad_; }
    void* imaging() const { return imaging_; }
    void* calibration() const { return calib_; }
    // The engine for a caller outside the library, who may change it: it is
    // then never kept for another frame.
    void* lend_calibration()
    {
        engine_as_made_ = false;
        return calib_;
    }
    uint16_t width() const { return width_; }
    uint16_t height() const { return height_; }
    bool has_plane() const { return width_ != 0; }
    const Plane& plane() const { return plane_; }
    tagTimeVal time() const { return time_; }
    void set_time(const tagTimeVal& t) { time_ = t; }
    std::atomic<int>& open_records() { return open_records_; }

    bool load_calibration(const char* path);
    bool select_len_and_range(int32_t lens, int32_t range);
    bool set_sensors(const float s[5]);
    // Replaces the plane (framekit statistics, analysis objects and imaging
    // follow); a plane of width x height given as `own` is taken over
    // instead of copied.
    bool set_plane(const uint16_t* ad, uint16_t width, uint16_t height, const char* function, Plane* own = nullptr);
    // Takes a parsed picture or recording frame.
    bool commit(LoadedFrame&& data, bool with_anas, const char* function);

    // Temperatures of ADs; own parameters when own is set.
    bool convert(const uint16_t* ad, std::size_t count, float* out, bool own = false,
                 float emissivity = 0.0f, float distance = 0.0f);
    // Temperature of one pixel (exact for national-grid pictures).
    bool pixel_temperature(uint16_t x, uint16_t y, uint16_t ad, float* out);
    // width x height temperatures, row by row.
    bool all_temperatures(float* out);
    bool ad_from_temperature(float t, uint16_t* ad);
    bool ana_temperature(const char* ana, uint16_t x, uint16_t y, uint16_t ad, float* out);
    // An object's own emissivity and distance (framekit keeps their float bits).
    bool ana_self_para(const char* ana, bool* own, float* emissivity, float* distance);

    bool get_params(Params* out);
    enum class Param { emissivity, distance, ambient, humidity, modify, reference };
    bool set_param(Param which, float value);
    bool set_unit(int32_t unit);
    // The conversion as a table for the ADs first..last (inclusive).
    bool make_table(uint16_t first, uint16_t last, Table* out);
    bool para_record(std::vector<uint8_t>* out);
    // The model of a frame with calibration data; false without one.
    bool model(Model* out);
    // The colouring in use, and the one a loaded picture stored.
    bool view(View* out);
    const View& stored_view() const { return stored_view_; }
    bool lens_info(tagLenInfo* info);
    bool supported_lens_info(tagLenInfo* items, unsigned char* count);
    void mac_texts(MacTexts* out);

    // Text as the caller added it, for the canonical key framekit reports.
    std::string text_of_key(const std::string& key) const;
    void remember_text(const std::string& text);
    void forget_text(const std::string& text);
    void forget_all_texts() { ana_texts_.clear(); }

    std::vector<uint8_t>& attached(int which) { return attached_[which]; }
    std::map<Isotherm*, std::unique_ptr<Isotherm>>& isotherms() { return isotherms_; }

private:
    // Makes the calibration engine of a loaded frame from its model, or
    // reuses the one made from the same calibration data (the frames of a
    // recording), checked against the frame's stored table. False (and the
    // frame converts with the table) when the model is refused or disagrees.
    bool adopt_model(const LoadedFrame& data, const char* function);
    bool apply_table_unit(float* values, std::size_t count, int32_t from) const;
    // Lets the engine go: into the engine stock when it is still as its
    // model made it, else released.
    void drop_engine();

    VyLock lock_{"sensekern frame lock"};
    void* ad_ = nullptr;       // framekit plain frame
    void* imaging_ = nullptr;  // its palettor handle (framekit owns it)
    void* calib_ = nullptr;    // tempcore engine, or null
    // The stored model calib_ was made from; empty for calibration data that
    // was loaded from a file.
    Model model_;
    // calib_ is still exactly what model_ at engine_params_ makes: nothing
    // changed it since (no parameter, unit, sensor or lens change, no
    // conversion with own parameters that runs its script, not lent out).
    bool engine_as_made_ = false;
    Params engine_params_;
    View stored_view_;
    float sensors_[5] = {25.0f, 25.0f, 25.0f, 25.0f, 25.0f};
    uint16_t width_ = 0;
    uint16_t height_ = 0;
    Plane plane_;
    std::vector<float> matrix_;
    Params params_;
    Table table_;
    std::vector<uint8_t> para_record_;
    tagLenInfo lens_{};
    std::vector<tagLenInfo> lenses_;
    bool has_lens_ = false;
    MacTexts mac_;
    tagTimeVal time_{};
    std::array<std::vector<uint8_t>, 3> attached_;
    std::map<Isotherm*, std::unique_ptr<Isotherm>> isotherms_;
    std::map<std::string, std::string> ana_texts_;
    std::atomic<int> open_records_{0};
};

// The live frame of a handle, or null (logged by the caller's result).
Frame* frame_of(void* handle);

// Runs body(frame) under the frame's lock; false for a bad handle, a lock
// taken twice by one thread, or an exception (logged).
template <class Body>
bool with_frame(void* handle, const char* function, Body body)
{
    Frame* frame = frame_of(handle);
    if (frame == nullptr) {
        return false;
    }
    VyLockGuard guard(frame->lock());
    if (!guard) {
        return false;
    }
    try {
        return body(*frame);
    } catch (const std::exception& e) {
        SK_LOG(function, "%s", e.what());
        return false;
    }
}

// Writes an optional out-parameter.
template <class T>
void put(T* out, T value)
{
    if (out != nullptr) {
        *out = value;
    }
}

// Answers bytes into a caller's buffer: *length is its capacity on entry and
// the size on return; a null buffer asks for the size only.
bool copy_out(const std::vector<uint8_t>& bytes, uint8_t* buffer, uint32_t* length);
// The identity texts into the caller's buffers of SENSEKERN_MAC_TEXT_CAPACITY
// bytes; null buffers are skipped.
void copy_mac_texts(const MacTexts& texts, char* productor, char* mac_type, char* mac_sn, char* detector_sn,
                    char* date_time);

// framekit keeps an object's line colour as 0x00RRGGBB; the frame document
// above and the picture block store colours with red in bits 0-7. The
// exchange of red and blue converts either way.
inline uint32_t swap_red_blue(uint32_t colour)
{
    return (colour & 0xFF00FF00u) | ((colour & 0xFFu) << 16) | ((colour >> 16) & 0xFFu);
}

// Canonical key of an analysis string (type and nodes, no alias part).
bool canonical_key(const char* text, std::string* key);

// --- files (file_io.cpp)
// Exactly size bytes at offset; false when the file ends before them.
bool read_all_at(int fd, uint64_t offset, uint8_t* out, std::size_t size);
// An input file opened through basekit's shared helper (regular files only,
// never waiting on a pipe): its descriptor and size, or -1, logged.
int open_input(const std::string& path, uint64_t* size, const char* function);
// Whole file into memory, refusing more than `cap` bytes.
bool read_file(const std::string& path, uint64_t cap, std::vector<uint8_t>* out, const char* function);
// A temporary file in the folder of the file that path names (a link is
// followed to its target), with that file's permissions when it exists: its
// descriptor (-1 on failure, logged), in *target the file to rename it over
// and in *temp its name.
int create_temp_beside(const std::string& path, std::string* target, std::string* temp, const char* function);
// Writes the bytes to a temporary file beside path and renames it over path
// (over the linked file when path is a link).
bool write_file_atomic(const std::string& path, const std::vector<uint8_t>& head,
                       const std::vector<uint8_t>& tail, const char* function);
std::string utf8_of_wide(const wchar_t* text);
uint32_t crc32_of(const uint8_t* data, std::size_t size);

// --- planes (shared by the picture and recording formats)
// Byte type (0 raw, 1 high/low), u32 length, the bytes.
void write_plane(std::vector<uint8_t>* out, const Plane& plane);
bool read_plane(ByteReader& in, uint32_t pixels, Plane* plane);
void write_params(ByteWriter& w, const Params& p);
bool read_params(ByteReader& in, Params* p);
bool valid_size(uint32_t width, uint32_t height);
// Stores sensor readings on an engine with lens and range selected and
// computes its tables, selecting lens and range again in the calibration
// environment the readings lead to (frame.cpp).
bool apply_sensors(void* engine, int32_t lens, int32_t range, const float sensors[5]);

}  // namespace detail
}  // namespace sensekern
