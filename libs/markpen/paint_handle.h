// The object behind a paint handle.
#pragma once

#include "paint_renderer.h"
#include "vy_base_object.h"

#include <atomic>
#include <memory>

namespace markpen::detail {

constexpr const char* kPaintTag = "markpen.paint";

class PaintHandle : public _VYBaseObject {
public:
    PaintHandle(void* frame, std::unique_ptr<FrameSource> source);
    ~PaintHandle() override;

    void* const frame;
    std::atomic<uint32_t> image_width{0};
    std::atomic<uint32_t> image_height{0};
    std::atomic<uint32_t> wnd_width{0};
    std::atomic<uint32_t> wnd_height{0};
    // The mouse editor will sit beside the renderer and hand it the shape
    // being drawn through set_overlay on every update.
    PaintRenderer renderer;
    std::atomic<bool> show_analyses{true};

private:
    bool log_open_ = false;
};

// Creates a paint handle drawing from `source` (tests give their own).
bool create_paint_handle(void*& handle, void* frame, std::unique_ptr<FrameSource> source);
PaintHandle* paint_handle(void* handle);

}  // namespace markpen::detail
