// The renderer of one paint handle: the frame's picture, the window picture
// the program shows (rotated and scaled) and the image-size output picture
// of exports, with the overlays, panels and picture savers drawn on them.
#pragma once

#include "frame_source.h"
#include "logline.h"
#include "shape_raster.h"
#include "vy_lock.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class QPainter;

namespace markpen::detail {

constexpr const char* kModule = "markpen";

#define MARKPEN_LOG(level, function, ...) \
    logline_print(level, ::markpen::detail::kModule, __FILE__, __LINE__, function, __VA_ARGS__)

// Largest picture side the renderer makes; larger sizes are refused.
constexpr int kMaxSide = 16384;

enum class PictureFormat { jpeg = 0, png = 1 };

// A path as the 8-bit or the wide exports received it; the appended data
// goes through the matching thermframe form.
struct SavePath {
    QString name;
    bool wide = false;
};

// Scale and sizes that the coordinate services read, kept apart from the
// pictures so that the mouse editor never waits on a drawing.
struct Geometry {
    double scale_x = 1.0;
    double scale_y = 1.0;
    int image_width = 0;   // of the source picture, 0 while it is null
    int image_height = 0;
    int rotation = ROTATION_UNSET;
};

// A text box or panel element as it was drawn; tests read these to check
// the layout without depending on the glyphs of the installed fonts.
struct DrawnItem {
    std::string kind;  // "label", "cursor", "max", "min", "mark", "high", "low", "strip", ...
    QString text;
    QRect box;
};

class PaintRenderer {
public:
    explicit PaintRenderer(std::unique_ptr<FrameSource> source);
    ~PaintRenderer();
    PaintRenderer(const PaintRenderer&) = delete;
    PaintRenderer& operator=(const PaintRenderer&) = delete;

    bool set_image_size(uint16_t width, uint16_t height);
    bool set_window_size(uint16_t width, uint16_t height);
    bool set_rotation(int angle);
    int rotation() const;
    bool set_zoom(int zoom);
    int zoom() const { return zoom_.load(); }

    void set_overlay(const std::string& text);
    bool refresh(bool reload);
    bool render_all(bool scale);

    // length: capacity on entry, bytes needed on return; too small: false.
    bool get_bits(uint8_t* buffer, uint32_t& length);
    bool get_output_bits(uint8_t* buffer, uint32_t& length);
    bool image_size(uint32_t& width, uint32_t& height);

    // Coordinate services.
    Geometry geometry() const;
    void rotate_point(uint16_t& x, uint16_t& y) const;
    void rotate_point(int32_t& x, int32_t& y) const;
    void to_window(int32_t& x, int32_t& y) const;
    void to_image(int32_t& x, int32_t& y) const;
    bool fit_radius(int32_t x, int32_t y, int32_t& r) const;
    bool clamp_point(int32_t& x, int32_t& y) const;
    bool keep_box_inside(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) const;

    // Savers; each runs under the lock from start to end.
    bool save_picture(const SavePath& path, const std::string& caption, bool draw, bool append,
                      PictureFormat format);
    bool save_grid_picture(const SavePath& path, const std::string& time,
                           const std::string& caption);
    bool save_grid_window(const SavePath& path);

    // Internal steps, exposed for tests; the caller holds no lock and the
    // step takes none, so tests call them on a renderer no one else uses.
    void compose(QImage& target);
    void draw_shapes(QImage& target, bool scale);
    void draw_texts(QImage& target, bool scale);
    void draw_info_panel(QImage& target, bool window_flag, const std::string& time,
                         const std::string& caption, bool grid);
    void record_items(std::vector<DrawnItem>* sink) { sink_ = sink; }
    const QImage& window_picture();
    const QImage& output_picture();

private:

    // compose() into one of the renderer's pictures, which is owed black
    // while blank: a draw that covers every pixel spares the fill.
    void compose(QImage& target, bool& blank);
    void recompute_scale();
    void publish_geometry();
    void load_frame_pixels();
    std::string to_view(const std::string& text, bool scale) const;
    struct CursorView {
        int32_t cx = 0, cy = 0;
        float t = 0;
        int32_t x[2] = {0, 0}, y[2] = {0, 0};
    };
    bool cursor_view(const std::string& text, bool scale, CursorView& view);
    void draw_cursor_tick(const std::string& text, RasterTarget& target, bool scale);
    void draw_extreme_mark(uint16_t x, uint16_t y, bool hot, RasterTarget& target, bool scale);
    void draw_object_extremes(const std::string& text, RasterTarget& target, bool scale);
    void draw_frame_extremes(RasterTarget& target, bool scale);
    void draw_labels(QPainter& painter, const QImage& target, bool scale);
    void draw_cursor_label(QPainter& painter, const QImage& target, const std::string& text,
                           bool scale);
    void draw_extreme_texts(QPainter& painter, const QImage& target, bool scale);
    void draw_temp_marks(QPainter& painter, bool scale);
    void draw_palette_bar(QPainter& painter, const QImage& target, bool window_flag);
    void draw_logo(QPainter& painter, const QImage& target);
    void draw_caption_box(QPainter& painter, const std::string& caption);
    void draw_grid_panel(QPainter& painter, const QImage& target, const std::string& time,
                         const std::string& caption);
    // Calls `visit` for every shown object in drawing order (types 0 to 50,
    // then index) with the colour it is drawn in.
    using ShownVisitor =
        std::function<void(AnaType type, int32_t index, const std::string& text, uint32_t colour)>;
    void for_each_shown(const ShownVisitor& visit);
    bool uses_colour(const std::string& text, uint32_t warning_count, uint32_t& colour);
    bool write_picture(const QImage& picture, const SavePath& path, PictureFormat format,
                       int append_kind);
    void scaled(int32_t& x, int32_t& y, bool scale) const;
    void note(const char* kind, const QString& text, const QRect& box);

    VyLock lock_{"PaintRenderer"};
    std::unique_ptr<FrameSource> frame_;
    QImage source_;
    QImage window_;
    QImage output_;
    // Pictures whose pixels are undefined and stand for black (settle()).
    bool source_blank_ = false;
    bool window_blank_ = false;
    bool output_blank_ = false;
    std::vector<uint8_t> frame_bits_;
    uint32_t frame_bits_length_ = 0;
    std::string overlay_ana_;
    uint32_t image_width_ = 0;
    uint32_t image_height_ = 0;
    double scale_x_ = 1.0;
    double scale_y_ = 1.0;
    std::atomic<int> zoom_{1};
    std::atomic<int> rotation_{ROTATION_UNSET};
    mutable std::mutex geometry_mutex_;
    Geometry geometry_;
    std::vector<DrawnItem>* sink_ = nullptr;
};

// Fills a picture that is still owed black (blank) with it.
void settle(QImage& picture, bool& blank);

// Process-wide pictures of the panels.
bool set_logo(const QString& path);
void clear_logo();
QImage logo();
// The strip of a palette number; null for numbers without one.
QImage palette_strip(int palette);
// Text as the platform's 8-bit forms: UTF-8 here.
QString from_local_8bit(const std::string& text);
// True when texts can be drawn: fonts need a QGuiApplication.
bool fonts_available();

}  // namespace markpen::detail
