// The object behind a paint handle.
#pragma once

#include "paint_renderer.h"
#include "shape_editor.h"
#include "vy_base_object.h"

#include <atomic>
#include <memory>

namespace markpen::detail {

constexpr const char* kPaintTag = "markpen.paint";

class PaintHandle : public _VYBaseObject {
public:
    // The renderer draws from `source`; the editor writes into `edit_target`.
    PaintHandle(void* frame, std::unique_ptr<FrameSource> source,
                std::unique_ptr<FrameSource> edit_target);
    ~PaintHandle() override;

    void* const frame;
    std::atomic<uint32_t> image_width{0};
    std::atomic<uint32_t> image_height{0};
    std::atomic<uint32_t> wnd_width{0};
    std::atomic<uint32_t> wnd_height{0};
    PaintRenderer renderer;
    // Declared after the renderer so that it is destroyed first: it keeps a
    // pointer to the renderer.
    ShapeEditor editor;
    std::atomic<bool> show_analyses{true};

private:
    bool log_open_ = false;
};

// Creates a paint handle drawing from `source` (tests give their own); the
// editor writes into `edit_target`, when given.
bool create_paint_handle(void*& handle, void* frame, std::unique_ptr<FrameSource> source,
                         std::unique_ptr<FrameSource> edit_target = nullptr);
PaintHandle* paint_handle(void* handle);

}  // namespace markpen::detail
