// The imaging object behind a palettor handle and what its source files share.
#pragma once

#include "handle_registry.h"
#include "logline.h"
#include "palette_tables.h"
#include "palettor.h"
#include "sharpen_blur.h"
#include "vy_base_object.h"
#include "vy_lock.h"
#include "window_counts.h"

#include <atomic>
#include <memory>
#include <vector>

namespace palettor::detail {

constexpr char kTag[] = "imaging";
constexpr char kModule[] = "imaging";
constexpr int kMapSize = 65536;
constexpr int kFullTableSize = 2000;
constexpr int kIndexTableSize = 256;
constexpr int kIsothermBase = 180;
constexpr int kFireIsothermBase = 163;
constexpr int kRampSize = 30;
constexpr int kMaxIndex = 162;
constexpr int kNoPalette = 18;
// Bands that fit the full colour table: 180 + 30 * 60 = 1980 <= 2000.
constexpr int kMaxIsotherms = (kFullTableSize - kIsothermBase) / kRampSize;
// Bands that fit the fire table's isotherm entries 163..255.
constexpr int kMaxFireIsotherms = (kFireTableSize - kFireIsothermBase) / kRampSize;

#define IMAGING_LOG(level, function, ...) \
    logline_print(level, ::palettor::detail::kModule, __FILE__, __LINE__, function, __VA_ARGS__)

struct Segment {
    int32_t first;
    int32_t last;
};

struct Window {
    int left, top, right, bottom;
};

// The window is inside a width x height frame, corners in order.
bool window_ok(int width, int height, const Window& w);

class ColourLookup;
class FilteredPictureCache;

class Imaging : public _VYBaseObject {
public:
    explicit Imaging(bool flag);
    ~Imaging() override;

    // --- pictures (pictures.cpp)
    bool ad_to_pixel(const uint16_t* ad, int width, int height, const Window& win, uint32_t* bits, bool compact);
    bool ad_to_pixel_ex(const uint16_t* ad, int width, int height, const LineSpan* spans, int count, uint32_t* bits);
    bool ad_to_thumbnail(const uint16_t* ad, int width, int height, int out_width, int out_height, uint32_t* bits);
    bool index_to_pixel(const uint8_t* index, int width, int height, const Window& win, uint32_t* bits);
    bool index_to_thumbnail(const uint8_t* index, int width, int height, int out_width, int out_height,
                            uint32_t* bits);

    // --- statistics (statistics.cpp)
    bool calc_statistics(const uint16_t* ad, int width, int height, const Window& win, tagPAD* max, tagPAD* min,
                         uint16_t* avg);
    bool calc_statistics_ex(const uint16_t* ad, int width, int height, const LineSpan* spans, int count,
                            tagPAD* max, tagPAD* min, uint16_t* avg);
    bool pixel_count(uint16_t low, uint16_t high, int32_t* out);

    // --- ranges and index maps (index_map.cpp, index_histogram.cpp)
    bool recompute();
    bool auto_adjust();
    bool auto_adjust_fpga(uint16_t low, uint16_t high);
    bool set_range(uint16_t low, uint16_t high);
    bool set_range_end(bool low_end, uint16_t value);
    void get_range(uint16_t* low, uint16_t* high);
    void get_auto_range(uint16_t* low, uint16_t* high);
    void get_ad_threshold(uint16_t* out);
    void set_threshold_fraction(float fraction);
    void reset();

    // --- palette and modes (imaging.cpp)
    bool set_palette(int palette);
    int palette() const { return palette_; }
    bool set_algorithm_mode(int mode);
    int algorithm_mode();
    void set_imaging_type(int type) { imaging_type_ = type; }
    int imaging_type() const { return imaging_type_; }
    void set_fire_fighting(bool on);
    void enable_image_process(bool on);
    void enable_stabilization(bool on);
    bool init_image_process();

    // --- isotherms (isotherms.cpp)
    bool add_isotherm(const IsothermRecord& record, int32_t* id);
    bool update_isotherm(int32_t id, const IsothermRecord& record);
    bool delete_isotherm(int32_t id);
    bool delete_all_isotherms();
    bool get_isotherm(int index, int32_t* id, IsothermRecord* out);
    int isotherm_count();

private:
    // Histogram of a window into histogram_, with its first hottest and
    // coldest pixel in row order and its sum (stats lock held). With a pool
    // the rows are dealt out in strips among its members.
    void window_histogram(const uint16_t* ad, int width, const Window& win, WorkerPool* pool, tagPAD* max,
                          tagPAD* min, uint64_t* sum);
    // Workers of the CPU filter engine, which the other passes over a frame
    // may share; 1 without one (map lock held).
    int cpu_workers() const;
    // Zeroes what the last frame counted (stats lock held); the rest of the
    // histogram is zero already.
    void clear_histogram();

    // The filtered path of ad_to_pixel and the 8-bit index picture it
    // filters (colour-table and map locks held).
    bool filtered_picture(const uint16_t* ad, int width, int height, const Window& win, uint32_t* bits,
                          bool compact);
    // With a pool, in strips shared among its members; ad_copy and
    // map_copy, where given, take copies of the plane and the map.
    uint8_t* index_picture(const uint16_t* ad, int width, int height, WorkerPool* pool = nullptr,
                           uint16_t* ad_copy = nullptr, uint16_t* map_copy = nullptr);

    // Index computations; each takes the map lock itself.
    bool check_ranges(const char* function, int low, int high);
    bool store_range(int type, uint16_t low, uint16_t high);
    bool calc_automatic(int low, int high);
    bool calc_fire_fighting(int low, int high);
    bool calc_manual(int low, int high);
    bool calc_histogram(int low, int high);
    // Shared walk of the band and manual mappings (map lock held): writes
    // the whole map, `fill` where no AD walked decides. narrow_mapping writes
    // the whole map too.
    template <class IndexOf>
    void walk_present(int low, int high, int top, uint16_t fill, IndexOf index_of);
    // present_ = the ADs in [first, last] the histogram holds, in order;
    // returns the sum of their counts, each capped at cap (map and
    // statistics locks held).
    uint64_t collect_present(int first, int last, uint32_t cap);
    void narrow_mapping(int low, int high);
    void smooth_map(float factor);
    // The fullest AD in [alow, ahigh), eased towards the last frame's peak
    // under stabilization and remembered. *raw_peak, where asked, takes the
    // peak as it stood where the histogram first fell below half of a peak
    // over raw_limit pixels (map and statistics locks held).
    int eased_peak(int alow, int ahigh, bool stabilization, uint32_t raw_limit, int* raw_peak);
    void split_points(int z, int ahigh, int start, int64_t body, int* s1, int* s2, int* s3);
    void build_segments(int low, int high);
    void allocate_segments(int low, int high);
    bool overlay_isotherms();
    // Position of the band with this id (isotherm lock held).
    bool isotherm_index(int32_t id, const char* function, size_t* index);
    bool computes() { return compute_ || algorithm_mode() == 1; }

    // Colour ramps (colour-table lock held).
    void build_ramp(size_t index);
    void build_all_ramps();

    bool compute_;
    bool wide_scene_ = false;
    uint32_t wide_count_ = 0;
    uint32_t narrow_count_ = 0;
    uint8_t band_i0_ = 0;
    uint8_t band_i1_ = 0;
    std::atomic<int> palette_{kNoPalette};
    std::atomic<int> imaging_type_{0};

    VyLock main_lock_{"imaging main"};
    int algorithm_mode_ = 0;

    uint16_t range_low_ = 0xFFFF;
    uint16_t range_high_ = 0;
    uint16_t auto_low_ = 0xFFFF;
    uint16_t auto_high_ = 0;
    uint16_t frame_min_ = 0;
    uint16_t frame_max_ = 0;
    std::atomic<float> threshold_fraction_{0.4f};
    uint16_t ad_threshold_ = 0;

    VyLock table_lock_{"imaging colour table"};
    std::vector<uint32_t> full_table_;
    std::vector<uint32_t> index_table_;

    VyLock stats_lock_{"imaging statistics"};
    ScratchVector<uint32_t> histogram_;
    ScratchVector<uint32_t> partials_;  // three more histograms, zero between calls
    uint32_t counted_low_ = 0;           // histogram_ is zero outside these ADs
    uint32_t counted_high_ = kMapSize - 1;
    SharedHistogram shared_counts_;

    VyLock map_lock_{"imaging map"};
    ScratchVector<uint16_t> map_;
    std::vector<float> smoothed_map_;
    std::vector<uint16_t> present_;
    int32_t hist_span_ = 0;
    int32_t hist_base_ = 0;
    int32_t hist_top_ = 0;
    ScratchVector<uint16_t> clipped_;
    std::vector<Segment> segments_;

    VyLock isotherm_lock_{"imaging isotherms"};
    std::vector<IsothermRecord> isotherms_;
    std::vector<int32_t> isotherm_ids_;
    int32_t next_isotherm_id_ = 1;

    // 32-bit: a 640 x 512 frame has more pixels than 16 bits count.
    uint32_t trimmed_low_ = 0;
    uint32_t trimmed_high_ = 0;
    uint16_t width_ = 0;
    uint16_t height_ = 0;
    uint16_t split_z_ = 0, split_s1_ = 0, split_s2_ = 0, split_s3_ = 0;
    ScratchVector<uint8_t> index_buffer_;
    uint16_t peak_ad_ = 0;
    // Both under the colour-table and map locks.
    std::unique_ptr<ColourLookup> lookup_;
    std::unique_ptr<FilteredPictureCache> picture_cache_;

    std::unique_ptr<ImageSharpenBlur> engine_;
    std::atomic<bool> stabilization_{false};
    std::atomic<bool> first_frame_{true};
    VyLock process_lock_{"imaging processing"};
    std::atomic<bool> image_process_{true};
    std::atomic<bool> fire_fighting_{false};
    bool log_open_ = false;
};

}  // namespace palettor::detail
