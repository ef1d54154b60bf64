// The exported functions: handle checks, then the renderer.
#include "markpen.h"

#include "basekit.h"
#include "handle_registry.h"
#include "paint_handle.h"
#include "raw_enum.h"

namespace markpen::detail {

PaintHandle::PaintHandle(void* frame_handle, std::unique_ptr<FrameSource> source,
                         std::unique_ptr<FrameSource> edit_target)
    : _VYBaseObject(kPaintTag),
      frame(frame_handle),
      renderer(std::move(source)),
      editor(std::move(edit_target))
{
    editor.set_renderer(&renderer);
    char directory[256] = {0};
    int length = sizeof directory;
    if (vy_get_exe_path(directory, &length) == 0) {
        log_open_ = logline_init(directory, 7, 200);
    }
}

PaintHandle::~PaintHandle()
{
    if (log_open_) {
        logline_uninit();
    }
}

bool create_paint_handle(void*& handle, void* frame, std::unique_ptr<FrameSource> source,
                         std::unique_ptr<FrameSource> edit_target)
{
    void* created = nullptr;
    if (!vy::create_handle<PaintHandle>(&created, frame, std::move(source),
                                        std::move(edit_target))) {
        return false;
    }
    handle = created;
    return true;
}

PaintHandle* paint_handle(void* handle)
{
    if (!_VYBaseObject::is_valid_handle(handle, kPaintTag)) {
        return nullptr;
    }
    return static_cast<PaintHandle*>(static_cast<_VYBaseObject*>(handle));
}

}  // namespace markpen::detail

using markpen::detail::PaintHandle;
using markpen::detail::PictureFormat;
using markpen::detail::SavePath;

namespace {

PaintHandle* checked(void* handle, const char* function)
{
    PaintHandle* object = markpen::detail::paint_handle(handle);
    if (object == nullptr) {
        logline_print(4, markpen::detail::kModule, __FILE__, __LINE__, function, "%s",
                      "not a paint handle");
    }
    return object;
}

SavePath narrow_path(const std::string& path)
{
    return {markpen::detail::from_local_8bit(path), false};
}

SavePath wide_path(const std::wstring& path)
{
    return {QString::fromStdWString(path), true};
}

}  // namespace

bool markpen_init(void*& handle, void* frame)
{
    return markpen::detail::create_paint_handle(handle, frame,
                                                markpen::detail::make_thermframe_source(frame),
                                                markpen::detail::make_thermframe_source(frame));
}

bool markpen_uninit(void*& handle)
{
    void* raw = handle;
    if (!vy::destroy_handle(&raw, markpen::detail::kPaintTag)) {
        return false;
    }
    handle = nullptr;
    return true;
}

bool markpen_set_all_ana_show(void* handle, bool show)
{
    PaintHandle* paint = checked(handle, "markpen_set_all_ana_show");
    if (paint == nullptr) {
        return false;
    }
    paint->show_analyses = show;
    return true;
}

bool markpen_set_logo(const std::string& path)
{
    return markpen::detail::set_logo(markpen::detail::from_local_8bit(path));
}

bool markpen_clear_logo()
{
    markpen::detail::clear_logo();
    return true;
}

bool markpen_set_image_size(void* handle, uint16_t width, uint16_t height)
{
    PaintHandle* paint = checked(handle, "markpen_set_image_size");
    if (paint == nullptr || !paint->renderer.set_image_size(width, height)) {
        return false;
    }
    paint->image_width = width;
    paint->image_height = height;
    uint32_t none = 0;
    if (paint->wnd_width.compare_exchange_strong(none, width)) {
        paint->wnd_height = height;
    }
    return true;
}

bool markpen_set_wnd_size(void* handle, uint16_t width, uint16_t height)
{
    PaintHandle* paint = checked(handle, "markpen_set_wnd_size");
    if (paint == nullptr || !paint->renderer.set_window_size(width, height)) {
        return false;
    }
    paint->wnd_width = width;
    paint->wnd_height = height;
    return true;
}

bool markpen_get_wnd_size(void* handle, uint16_t& width, uint16_t& height)
{
    PaintHandle* paint = checked(handle, "markpen_get_wnd_size");
    if (paint == nullptr) {
        return false;
    }
    width = static_cast<uint16_t>(paint->wnd_width.load());
    height = static_cast<uint16_t>(paint->wnd_height.load());
    return true;
}

bool markpen_set_rotation_angle(void* handle, RotationAngle angle)
{
    PaintHandle* paint = checked(handle, "markpen_set_rotation_angle");
    return paint != nullptr && paint->renderer.set_rotation(vy::raw_enum(angle));
}

bool markpen_get_rotation_angle(void* handle, RotationAngle& angle)
{
    PaintHandle* paint = checked(handle, "markpen_get_rotation_angle");
    if (paint == nullptr) {
        return false;
    }
    angle = static_cast<RotationAngle>(paint->renderer.rotation());
    return true;
}

bool markpen_set_zoom_factor(void* handle, ImageZoomFactor zoom)
{
    PaintHandle* paint = checked(handle, "markpen_set_zoom_factor");
    return paint != nullptr && paint->renderer.set_zoom(vy::raw_enum(zoom));
}

bool markpen_get_zoom_factor(void* handle, ImageZoomFactor& zoom)
{
    PaintHandle* paint = checked(handle, "markpen_get_zoom_factor");
    if (paint == nullptr) {
        return false;
    }
    zoom = static_cast<ImageZoomFactor>(paint->renderer.zoom());
    return true;
}

bool markpen_update(void* handle, bool reload, bool /*unused*/)
{
    PaintHandle* paint = checked(handle, "markpen_update");
    if (paint == nullptr) {
        return false;
    }
    paint->renderer.set_overlay(paint->editor.in_progress_ana());
    paint->renderer.refresh(reload);
    if (paint->show_analyses) {
        paint->renderer.render_all(true);
    }
    return true;
}

bool markpen_get_bits(void* handle, unsigned char* buffer, unsigned int& length)
{
    PaintHandle* paint = checked(handle, "markpen_get_bits");
    return paint != nullptr && paint->renderer.get_bits(buffer, length);
}

bool markpen_get_org_bits(void* handle, unsigned char* buffer, unsigned int& length)
{
    PaintHandle* paint = checked(handle, "markpen_get_org_bits");
    return paint != nullptr && paint->renderer.get_output_bits(buffer, length);
}

bool markpen_save_jpg_file(void* handle, const std::string& path, const std::string& caption,
                           bool draw, bool append)
{
    PaintHandle* paint = checked(handle, "markpen_save_jpg_file");
    return paint != nullptr &&
           paint->renderer.save_picture(narrow_path(path), caption, draw, append, PictureFormat::jpeg);
}

bool markpen_save_png_file(void* handle, const std::string& path, const std::string& caption,
                           bool draw, bool append)
{
    PaintHandle* paint = checked(handle, "markpen_save_png_file");
    return paint != nullptr &&
           paint->renderer.save_picture(narrow_path(path), caption, draw, append, PictureFormat::png);
}

bool markpen_save_jpg_file_w(void* handle, const std::wstring& path, const std::string& caption,
                             bool draw, bool append)
{
    PaintHandle* paint = checked(handle, "markpen_save_jpg_file_w");
    return paint != nullptr &&
           paint->renderer.save_picture(wide_path(path), caption, draw, append, PictureFormat::jpeg);
}

bool markpen_save_png_file_w(void* handle, const std::wstring& path, const std::string& caption,
                             bool draw, bool append)
{
    PaintHandle* paint = checked(handle, "markpen_save_png_file_w");
    return paint != nullptr &&
           paint->renderer.save_picture(wide_path(path), caption, draw, append, PictureFormat::png);
}

bool markpen_save_sgcc_file(void* handle, const std::string& path, const std::string& time,
                            const std::string& caption)
{
    PaintHandle* paint = checked(handle, "markpen_save_sgcc_file");
    return paint != nullptr && paint->renderer.save_grid_picture(narrow_path(path), time, caption);
}

bool markpen_save_sgcc_file_w(void* handle, const std::wstring& path, const std::string& time,
                              const std::string& caption)
{
    PaintHandle* paint = checked(handle, "markpen_save_sgcc_file_w");
    return paint != nullptr && paint->renderer.save_grid_picture(wide_path(path), time, caption);
}

bool markpen_save_sgcc_file_ex(void* handle, const std::string& path, const std::string&,
                               const std::string&, bool, bool)
{
    PaintHandle* paint = checked(handle, "markpen_save_sgcc_file_ex");
    return paint != nullptr && paint->renderer.save_grid_window(narrow_path(path));
}

bool markpen_save_sgcc_file_ex_w(void* handle, const std::wstring& path, const std::string&,
                                 const std::string&, bool, bool)
{
    PaintHandle* paint = checked(handle, "markpen_save_sgcc_file_ex_w");
    return paint != nullptr && paint->renderer.save_grid_window(wide_path(path));
}

// --- Mouse editor ------------------------------------------------------------------

namespace {

using markpen::detail::ShapeEditor;

// The add modes are only entered while analysis objects are shown.
bool enter_add_mode(void* handle, int mode, const char* function)
{
    PaintHandle* paint = checked(handle, function);
    if (paint == nullptr) {
        return false;
    }
    if (paint->show_analyses) {
        paint->editor.set_mode(mode);
    }
    return true;
}

using MouseEvent = void (ShapeEditor::*)(int, int);

bool forward_mouse(void* handle, int x, int y, MouseEvent event, const char* function)
{
    PaintHandle* paint = checked(handle, function);
    if (paint == nullptr) {
        return false;
    }
    if (paint->show_analyses) {
        (paint->editor.*event)(x, y);
    }
    return true;
}

}  // namespace

bool markpen_add_null_ana(void* handle)
{
    return enter_add_mode(handle, markpen::detail::kAddNone, "markpen_add_null_ana");
}

bool markpen_add_point_ana(void* handle)
{
    return enter_add_mode(handle, markpen::detail::kAddPoint, "markpen_add_point_ana");
}

bool markpen_add_line_ana(void* handle)
{
    return enter_add_mode(handle, markpen::detail::kAddLine, "markpen_add_line_ana");
}

bool markpen_add_ellipse_ana(void* handle)
{
    return enter_add_mode(handle, markpen::detail::kAddEllipse, "markpen_add_ellipse_ana");
}

bool markpen_add_rect_ana(void* handle)
{
    return enter_add_mode(handle, markpen::detail::kAddRect, "markpen_add_rect_ana");
}

bool markpen_add_poly_ana(void* handle)
{
    return enter_add_mode(handle, markpen::detail::kAddPolygon, "markpen_add_poly_ana");
}

bool markpen_add_polyline_ana(void* handle)
{
    return enter_add_mode(handle, markpen::detail::kAddPolyline, "markpen_add_polyline_ana");
}

bool markpen_set_delete_ana(void* handle)
{
    PaintHandle* paint = checked(handle, "markpen_set_delete_ana");
    if (paint == nullptr) {
        return false;
    }
    paint->editor.set_mode(markpen::detail::kAddDelete);
    return true;
}

bool markpen_is_delete_ana(void* handle, bool& on)
{
    PaintHandle* paint = checked(handle, "markpen_is_delete_ana");
    if (paint == nullptr) {
        return false;
    }
    on = paint->editor.mode() == markpen::detail::kAddDelete;
    return true;
}

bool markpen_has_added_ana(void* handle, bool& on)
{
    PaintHandle* paint = checked(handle, "markpen_has_added_ana");
    if (paint == nullptr) {
        return false;
    }
    const int mode = paint->editor.mode();
    on = mode >= markpen::detail::kAddPoint && mode <= markpen::detail::kAddPolyline;
    return true;
}

bool markpen_get_added_ana(void* handle, std::string& text)
{
    PaintHandle* paint = checked(handle, "markpen_get_added_ana");
    if (paint == nullptr) {
        return false;
    }
    text = paint->editor.added_ana();
    return true;
}

bool markpen_get_mouse_down_ana_str(void* handle, AnaType& code, std::string& text)
{
    PaintHandle* paint = checked(handle, "markpen_get_mouse_down_ana_str");
    if (paint == nullptr) {
        return false;
    }
    int32_t hit = markpen::detail::kNoHit;
    paint->editor.hit(hit, text);
    code = static_cast<AnaType>(hit);
    return true;
}

bool markpen_mouse_down(void* handle, int x, int y)
{
    return forward_mouse(handle, x, y, &ShapeEditor::mouse_down, "markpen_mouse_down");
}

bool markpen_mouse_move(void* handle, int x, int y)
{
    return forward_mouse(handle, x, y, &ShapeEditor::mouse_move, "markpen_mouse_move");
}

bool markpen_mouse_up(void* handle, int x, int y)
{
    return forward_mouse(handle, x, y, &ShapeEditor::mouse_up, "markpen_mouse_up");
}

bool markpen_mouse_double_clicked(void* handle, int /*x*/, int /*y*/)
{
    PaintHandle* paint = checked(handle, "markpen_mouse_double_clicked");
    if (paint == nullptr) {
        return false;
    }
    if (paint->show_analyses) {
        paint->editor.mouse_double_clicked();
    }
    return true;
}

bool markpen_set_analysis_mode(bool keep)
{
    markpen::detail::set_keep_add_mode(keep);
    return true;
}
