// Frame objects: the plain frame, the indexed frame of raw AD frames and the
// national-grid frame of temperatures.
#pragma once

#include "anas.h"
#include "noise_pool.h"
#include "stock_vector.h"
#include "vy_base_object.h"
#include "vy_lock.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace framekit {
namespace detail {

constexpr const char* kFrameTag = "ad_data";
// Each side at most this, so a doubled side still fits in 16 bits.
constexpr uint16_t kMaxSide = VY_AD_MAX_SIDE;

// Frame statistics: hottest and coldest pixel and the average AD.
struct FrameStats {
    tagPAD hottest{};
    tagPAD coldest{};
    uint16_t avg = 0;
};

// Replaces a two-pixel frame of the plane by its nearest inner values.
void fix_ad_border(uint16_t* plane, std::size_t width, std::size_t height);
// Replaces the outer rows and columns of an index plane by their inner neighbours.
void fix_index_border(uint8_t* plane, std::size_t width, std::size_t height);
// Compresses a plane with the high/low codec, or stores it raw (type 0) when
// it would not shrink. `out` must hold 2 x count bytes.
bool compress_plane(const uint16_t* plane, std::size_t count, vybase::StockVector<uint8_t>* out, uint32_t* type,
                    uint32_t* length);
bool valid_frame_size(uint16_t width, uint16_t height);

class ADData : public _VYBaseObject {
public:
    ADData();
    ~ADData() override;

    virtual bool init();

    bool set_resolution(uint16_t width, uint16_t height);
    bool get_resolution(uint16_t* width, uint16_t* height);

    // Frame data. `length` is the number of readable bytes at `frame`.
    virtual bool set_ad_data(const uint8_t* frame, std::size_t length);
    // The length a frame announces in its own header (for callers without one).
    virtual std::size_t announced_frame_length(const uint8_t* frame);
    virtual bool get_ad_data(uint16_t* out);
    bool get_ad_from_pos(uint16_t x, uint16_t y, uint16_t* ad);
    bool save_to_buffer(uint8_t* buffer, uint32_t* length);
    bool load_from_buffer(const uint8_t* buffer, std::size_t length);
    virtual bool load_national_grid_data_from_buffer(const uint8_t* buffer, std::size_t length);

    FrameStats stats();
    void set_stats(const FrameStats& stats);

    // Colouring.
    virtual bool get_bits(uint32_t* pixels);
    virtual bool get_bits_ex(uint32_t* pixels, uint16_t width, uint16_t height, uint16_t x0, uint16_t y0,
                             uint16_t x1, uint16_t y1);
    virtual bool get_clr_index(uint8_t* out);
    virtual bool get_clr_index_window(uint8_t* out, uint16_t x0, uint16_t y0, uint16_t x1, uint16_t y1);
    virtual bool bits_by_clr_index(const uint8_t* index, uint32_t* pixels);
    virtual bool bits_by_clr_index_pro(const uint8_t* index, uint16_t width, uint16_t height,
                                       uint32_t* pixels);
    virtual bool thumbnail_bits(uint16_t out_width, uint16_t out_height, uint32_t* pixels);
    void* imaging() const { return imaging_; }

    // Settings.
    bool set_rotation_angle(int32_t angle);
    uint32_t rotation_angle() const { return rotation_.load(); }
    bool set_zoom_factor(int32_t factor);
    uint32_t zoom_factor() const { return zoom_.load(); }
    virtual void set_fire_fighting(bool) {}
    bool enable_super_resolution(bool on);
    bool is_super_resolution() const { return super_.load(); }
    bool get_data_super_resolution(uint16_t* out);
    bool enable_erase_noise(bool on);

    // Geometry and measurement.
    bool zoom(uint16_t width, uint16_t height);
    bool repair_pt(uint16_t x, uint16_t y, uint16_t ad);
    bool reapply();
    bool get_line_temperature(uint16_t x1, uint16_t y1, uint16_t x2, uint16_t y2, FrameStats* out);
    bool get_rect_temperature(uint16_t x1, uint16_t y1, uint16_t x2, uint16_t y2, FrameStats* out);
    bool compare_count_of_temperature(int32_t relation, uint32_t limit_below, uint32_t limit_above,
                                      uint32_t threshold_ad, bool* result);
    bool save_imaging_para(uint8_t* buffer, uint32_t* length);
    bool save_anas(uint8_t* buffer, uint32_t* length);

    // Analyses.
    Anas& anas() { return anas_; }
    bool add_ana(const char* text, const tagVYAnaInfo& info);
    bool add_anas(const char* text);
    bool delete_anas(const char* text);
    void delete_all_anas();
    bool update_ana_size(const char* old_text, const char* new_text);
    bool update_ana_size(const char* text, const tagVYPoint* nodes, std::size_t count);
    virtual bool apply_self_palette_of_ana(const char* text, bool on);
    virtual bool get_ad_of_ana(const char* text, uint16_t* out);
    bool get_pos_of_ana(const char* text, tagVYPoint* out);
    bool pixel_count_of_ana(const char* text, uint32_t* count);

protected:
    // Class name for log lines ("ADData", "ADIndexData", ...).
    virtual const char* class_name() const { return "ADData"; }
    // Whether analyses are measured when they are added or moved.
    virtual bool measures_on_edit() const { return true; }
    // Resizes the planes; called under the data, buffer and index locks.
    virtual bool resize_locked(uint16_t width, uint16_t height);
    // Told when the AD plane is replaced by anything but the class's own
    // loader; under the data lock.
    virtual void plane_replaced_locked() {}
    // Brings the AD plane up to date with the stored frame; under the data lock.
    virtual bool refresh_ad_locked() { return true; }
    // The plane measured and coloured: the 2x plane while super resolution is
    // on. Under the data lock; ad is null before the resolution is set.
    virtual PlaneView view_locked();
    // After a new AD plane: the 2x view, the frame statistics into the record
    // (when `store` is set) and every analysis. Under the data lock.
    bool after_new_plane_locked(bool store, const char* function);
    bool frame_stats_locked(const PlaneView& view, bool store, const char* function);
    void upscale_locked();
    // Measures an analysis just added or moved, where the class measures on edit.
    void measure_edited_ana(const AnaPtr& ana);
    // Reads the plane a saved buffer should hold; under the data lock.
    bool native_plane_locked(std::vector<uint16_t>* plane);
    // The frame's palettor handle, made by init and freed by the destructor.
    void* imaging_ = nullptr;

    Anas anas_;
    std::atomic<uint32_t> zoom_{1};
    std::atomic<uint32_t> rotation_{0};

    VyLock data_lock_{"frame data lock"};
    VyLock stats_lock_{"frame statistics lock"};
    VyLock buffer_lock_{"frame buffer lock"};
    VyLock index_lock_{"frame index lock"};

    uint16_t width_ = 0;
    uint16_t height_ = 0;
    std::size_t pixels_ = 0;
    vybase::StockVector<uint16_t> ad_;
    vybase::StockVector<uint8_t> compressed_;
    uint32_t compressed_length_ = 0;
    uint32_t compress_type_ = 3;
    // An indexed frame in normal mode keeps only the compressed plane and
    // decodes the AD plane when something reads it.
    bool ad_stale_ = false;
    FrameStats stats_;

    std::atomic<bool> super_{false};
    std::vector<uint16_t> source_;
    std::vector<uint16_t> upscaled_;
    std::vector<uint8_t> index_;
    NoisePool pool_;
    std::atomic<bool> noise_{false};

private:
    bool logline_started_ = false;
};

class ADIndexData : public ADData {
public:
    bool init() override;
    bool set_ad_data(const uint8_t* frame, std::size_t length) override;
    std::size_t announced_frame_length(const uint8_t* frame) override;
    bool get_ad_data(uint16_t* out) override;
    bool get_bits(uint32_t* pixels) override;
    bool get_bits_ex(uint32_t* pixels, uint16_t width, uint16_t height, uint16_t x0, uint16_t y0, uint16_t x1,
                     uint16_t y1) override;
    bool get_clr_index(uint8_t* out) override;
    bool get_clr_index_window(uint8_t* out, uint16_t x0, uint16_t y0, uint16_t x1, uint16_t y1) override;
    bool bits_by_clr_index(const uint8_t* index, uint32_t* pixels) override;
    bool bits_by_clr_index_pro(const uint8_t* index, uint16_t width, uint16_t height,
                               uint32_t* pixels) override;
    bool thumbnail_bits(uint16_t out_width, uint16_t out_height, uint32_t* pixels) override;
    void set_fire_fighting(bool on) override { fire_fighting_.store(on); }
    bool apply_self_palette_of_ana(const char*, bool) override { return false; }
    bool get_ad_of_ana(const char*, uint16_t*) override { return false; }

protected:
    const char* class_name() const override { return "ADIndexData"; }
    bool measures_on_edit() const override { return false; }
    bool resize_locked(uint16_t width, uint16_t height) override;
    bool refresh_ad_locked() override;

private:
    bool set_normal_frame(const uint8_t* frame, std::size_t length);
    bool set_fire_frame(const uint8_t* frame, std::size_t length);
    // Decodes the stored AD plane into out (pixels_ values), by its type.
    bool decode_stored_locked(uint16_t* out);

    std::atomic<bool> fire_fighting_{false};
};

class NationalGridData : public ADData {
public:
    bool load_national_grid_data_from_buffer(const uint8_t* buffer, std::size_t length) override;

protected:
    const char* class_name() const override { return "NationalGridData"; }
    bool resize_locked(uint16_t width, uint16_t height) override;
    PlaneView view_locked() override;
    void plane_replaced_locked() override { temps_valid_ = false; }

private:
    std::vector<float> temps_;
    // The temperatures stand for the AD plane until it is resized.
    bool temps_valid_ = false;
};

}  // namespace detail
}  // namespace framekit
