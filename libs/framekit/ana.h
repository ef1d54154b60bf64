// Analysis object: the common part of the six measuring shapes.
#pragma once

#include "framekit.h"
#include "vy_base_object.h"
#include "vy_lock.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace framekit {
namespace detail {

// The plane an analysis measures: AD values, and for national-grid frames the
// temperatures the extremes are taken from.
struct PlaneView {
    const uint16_t* ad = nullptr;
    uint16_t width = 0;
    uint16_t height = 0;
    const float* temps = nullptr;
};

struct AnaStats {
    tagPAD hottest{};
    tagPAD coldest{};
    uint16_t avg = 0;
};

// The pixels of a shape that lie inside a frame: a point list (point, line,
// polyline) or row runs (rectangle, ellipse, polygon), in visiting order.
struct PixelSet {
    bool is_runs = false;
    std::vector<tagVYPoint> points;
    std::vector<tagVYRun> runs;

    uint64_t size() const;
    template <class Visit>
    void for_each(Visit visit) const
    {
        if (is_runs) {
            for (const tagVYRun& run : runs) {
                for (int x = run.first_x; x <= run.last_x; ++x) {
                    visit(static_cast<uint16_t>(x), run.y);
                }
            }
        } else {
            for (const tagVYPoint& p : points) {
                visit(p.x, p.y);
            }
        }
    }
};

// Keeps the runs of a list that fall inside a width x height frame, cut to it.
void clip_runs(const std::vector<tagVYRun>& runs, uint16_t width, uint16_t height,
               std::vector<tagVYRun>* out);
void clip_points(const std::vector<tagVYPoint>& points, uint16_t width, uint16_t height,
                 std::vector<tagVYPoint>* out);

// Extremes and average of a pixel set: the first pixel starts both extremes,
// a strictly greater value replaces the hottest, else a strictly smaller one
// the coldest. With temperatures, non-finite values are skipped and the
// results are converted to national-grid AD. False when no pixel counts.
bool measure(const PixelSet& set, const PlaneView& plane, AnaStats* out);

class Ana : public _VYBaseObject {
public:
    Ana(const char* tag, AnaType type);
    ~Ana() override;

    AnaType type() const { return type_; }

    // Replaces the nodes; the shape's geometry is rebuilt first, so a refused
    // node list leaves the object as it was.
    bool set_nodes(const tagVYPoint* nodes, std::size_t count);
    bool get_nodes(std::vector<tagVYPoint>* nodes) const;
    tagVYPoint anchor() const;
    virtual bool node_count_valid(std::size_t count) const = 0;

    // Statistics over the frame plane; the own palette, when used, is refreshed.
    bool recompute(const PlaneView& plane);
    AnaStats stats() const;
    void set_stats(const AnaStats& stats);

    bool pixels(uint16_t width, uint16_t height, PixelSet* out) const;
    virtual int hit_test(int x, int y) = 0;
    virtual uint32_t hit_position() const { return 0; }

    // Own palette (rectangle, ellipse and polygon only).
    virtual bool supports_own_palette() const { return false; }
    bool switch_own_palette(bool on);
    void* own_imaging() const { return own_imaging_.load(); }
    bool recolour_own_pixels(const PlaneView& plane, uint32_t* pixels);

    // Saved analysis record of the anas buffer, appended to out.
    void save_record(std::vector<uint8_t>* out) const;
    bool set_info(const tagVYAnaInfo& info);
    bool get_info(tagVYAnaInfo* info) const;

    std::string alias() const;
    void set_alias(const std::string& text);
    std::string description() const;
    void set_description(const std::string& text);

    std::atomic<uint16_t> hit_range{10};
    std::atomic<uint8_t> show_max_point{0};
    std::atomic<uint8_t> show_min_point{0};
    std::atomic<uint32_t> show_text_type{SHOW_TEXT_MAX};
    std::atomic<uint32_t> text_location{0};
    std::atomic<uint8_t> show_alias{0};
    std::atomic<uint8_t> visible{1};
    std::atomic<uint8_t> can_move{1};
    std::atomic<uint8_t> show_description{0};
    std::atomic<uint32_t> display_value1{1};
    std::atomic<uint32_t> display_value2{0};
    std::atomic<uint32_t> line_color{0xFFFF00};
    std::atomic<uint8_t> self_para_flag{0};
    std::atomic<float> self_para1{0.95f};
    std::atomic<float> self_para2{3.0f};
    std::atomic<uint8_t> use_own_palette{0};

protected:
    // Builds the shape's geometry for new nodes without touching the object
    // and commits it; called under the node lock. False refuses the nodes.
    virtual bool rebuild(const std::vector<tagVYPoint>& nodes) = 0;
    // The shape's pixels inside the frame; called under the node lock.
    virtual void collect_pixels(uint16_t width, uint16_t height, PixelSet* out) const = 0;
    virtual bool refresh_own_palette(const PlaneView& plane, const PixelSet& set);
    virtual bool paint_own_pixels(const PlaneView& plane, const PixelSet& set, uint32_t* pixels);
    // Extra bytes of the saved record and extra fields of the info record.
    virtual void save_extra(std::vector<uint8_t>*) const {}
    virtual void set_extra_info(const tagVYAnaInfo&) {}
    virtual void get_extra_info(tagVYAnaInfo*) const {}

    // Copies of the nodes for hit tests, taken under the node lock.
    std::vector<tagVYPoint> nodes_copy() const;

    mutable VyLock node_lock_{"ana node lock"};
    std::vector<tagVYPoint> nodes_;
    tagVYPoint anchor_{0, 0};

private:
    AnaType type_;
    std::atomic<void*> own_imaging_{nullptr};
    mutable VyLock stats_lock_{"ana statistics lock"};
    AnaStats stats_;
    mutable VyLock text_lock_{"ana text lock"};
    std::string alias_;
    std::string description_;
};

}  // namespace detail
}  // namespace framekit
