// The six analysis shapes: their pixel sets, hit tests and own palettes.
#pragma once

#include "ana.h"

#include <memory>

namespace framekit {
namespace detail {

class IRPoint : public Ana {
public:
    IRPoint() : Ana("point", ANA_POINT) {}
    bool node_count_valid(std::size_t count) const override { return count == 1; }
    int hit_test(int x, int y) override;

protected:
    bool rebuild(const std::vector<tagVYPoint>& nodes) override;
    void collect_pixels(uint16_t width, uint16_t height, PixelSet* out) const override;
};

class IRLine : public Ana {
public:
    IRLine() : Ana("line", ANA_LINE) {}
    bool node_count_valid(std::size_t count) const override { return count == 2; }
    int hit_test(int x, int y) override;

    // 0.0 puts the cursor on the first node, 1.0 on the second.
    bool set_cursor_scale(float scale);
    float cursor_scale() const { return cursor_scale_.load(); }
    tagVYPoint cursor() const;

    std::atomic<uint8_t> show_cursor{0};
    std::atomic<uint8_t> show_cursor_temp{0};

protected:
    bool rebuild(const std::vector<tagVYPoint>& nodes) override;
    void collect_pixels(uint16_t width, uint16_t height, PixelSet* out) const override;
    void save_extra(std::vector<uint8_t>* out) const override;
    void set_extra_info(const tagVYAnaInfo& info) override;
    void get_extra_info(tagVYAnaInfo* info) const override;

private:
    // Under the node lock.
    void place_cursor(float scale);

    std::vector<tagVYPoint> points_;
    tagVYPoint cursor_{0, 0};
    std::atomic<float> cursor_scale_{0.5f};
};

// Rectangle, ellipse and polygon: row runs and an own palette.
class AreaAna : public Ana {
public:
    using Ana::Ana;
    bool supports_own_palette() const override { return true; }

protected:
    void collect_pixels(uint16_t width, uint16_t height, PixelSet* out) const override;
    bool refresh_own_palette(const PlaneView& plane, const PixelSet& set) override;
    bool paint_own_pixels(const PlaneView& plane, const PixelSet& set, uint32_t* pixels) override;
    // Whether (x, y) lies on a pixel of the runs; `strict` leaves out both ends.
    bool on_runs(int x, int y, bool strict) const;

    std::vector<tagVYRun> runs_;
};

class IRRect : public AreaAna {
public:
    IRRect() : AreaAna("rect", ANA_RECT) {}
    bool node_count_valid(std::size_t count) const override { return count == 2; }
    int hit_test(int x, int y) override;

protected:
    bool rebuild(const std::vector<tagVYPoint>& nodes) override;
    void collect_pixels(uint16_t width, uint16_t height, PixelSet* out) const override;
    bool refresh_own_palette(const PlaneView& plane, const PixelSet& set) override;
    bool paint_own_pixels(const PlaneView& plane, const PixelSet& set, uint32_t* pixels) override;
};

class IREllipse : public AreaAna {
public:
    IREllipse() : AreaAna("ellipse", ANA_ELLIPSE) {}
    bool node_count_valid(std::size_t count) const override { return count == 2; }
    int hit_test(int x, int y) override;

protected:
    bool rebuild(const std::vector<tagVYPoint>& nodes) override;

private:
    uint16_t box_width_ = 0;
    uint16_t box_height_ = 0;
};

class IRPoly : public AreaAna {
public:
    IRPoly() : AreaAna("poly", ANA_POLYGON) {}
    bool node_count_valid(std::size_t count) const override { return count > 2; }
    int hit_test(int x, int y) override;
    uint32_t hit_position() const override { return hit_position_.load(); }

protected:
    bool rebuild(const std::vector<tagVYPoint>& nodes) override;

private:
    std::atomic<uint32_t> hit_position_{0};
};

class IRPolyline : public Ana {
public:
    IRPolyline() : Ana("polyline", ANA_POLYLINE) {}
    bool node_count_valid(std::size_t count) const override { return count >= 2; }
    int hit_test(int x, int y) override;
    uint32_t hit_position() const override { return hit_position_.load(); }

protected:
    bool rebuild(const std::vector<tagVYPoint>& nodes) override;
    void collect_pixels(uint16_t width, uint16_t height, PixelSet* out) const override;

private:
    std::vector<tagVYPoint> points_;
    std::atomic<uint32_t> hit_position_{0};
};

// The shape for an analysis type, without nodes; null for an unknown type.
std::unique_ptr<Ana> make_ana(AnaType type);

// Row runs of the polygon through the nodes (scanline fill; an edge covers
// the rows from its lower y up to, not including, its upper y).
std::vector<tagVYRun> fill_polygon(const std::vector<tagVYPoint>& nodes);

}  // namespace detail
}  // namespace framekit
