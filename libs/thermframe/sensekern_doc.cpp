// The frame document maker over a sensekern frame, used by the picture,
// player and camera source layers.
#include "thermframe.h"

#include "handle_registry.h"
#include "raw_enum.h"
#include "registry.h"
#include "sensekern.h"
#include "tf_log.h"

#include <exception>
#include <mutex>

namespace thermframe {
namespace detail {
namespace {

class SensekernDoc : public FrameDoc {
public:
    explicit SensekernDoc(void* sensekern) : sensekern_(sensekern)
    {
        uint16_t w = 0;
        uint16_t h = 0;
        if (sensekern_get_resolution(sensekern_, &w, &h)) {
            width = w;
            height = h;
        }
        wnd_width = w;
        wnd_height = h;
    }

    void* sensekern_handle() override { return sensekern_; }

    bool set_auto_imaging(bool on) override { return sensekern_set_auto_imaging(sensekern_, on); }

    bool set_zoom_factor(ImageZoomFactor factor) override
    {
        return sensekern_set_zoom_factor(sensekern_, vy::pass_enum(factor)) &&
               tell(THERMFRAME_VIEW_ZOOM, vy::raw_enum(factor), 0);
    }

    bool set_rotation_angle(RotationAngle angle) override
    {
        if (angle < ROTATION_UNSET || angle > ROTATION_180_ALT) {
            return false;
        }
        return refit([&] { rotation = angle; }) &&
               tell(THERMFRAME_VIEW_ROTATION, static_cast<int32_t>(angle), 0);
    }

    bool set_wnd_show_resolution(uint16_t w, uint16_t h) override
    {
        if (w == 0 || h == 0) {
            return false;
        }
        return refit([&] {
                   wnd_width = w;
                   wnd_height = h;
               }) &&
               tell(THERMFRAME_VIEW_WINDOW, w, h);
    }

    void set_view_hook(ThermframeViewHook hook, void* user)
    {
        std::lock_guard<std::mutex> guard(hook_lock_);
        hook_ = hook;
        hook_user_ = user;
    }

private:
    // Window nodes and label boxes depend on the rotation and the window
    // size, so both are recomputed after either changes.
    template <class Change>
    bool refit(Change change)
    {
        {
            VyLockGuard guard(registry_lock);
            if (!guard) {
                return false;
            }
            change();
            const bool turned = rotation == ROTATION_90 || rotation == ROTATION_270;
            const uint16_t show_w = turned ? height.load() : width.load();
            const uint16_t show_h = turned ? width.load() : height.load();
            scale_x = show_w == 0 ? 1.0f : static_cast<float>(wnd_width) / show_w;
            scale_y = show_h == 0 ? 1.0f : static_cast<float>(wnd_height) / show_h;
            for (auto& kind : anas) {
                for (AnaEntry* entry : kind.second) {
                    rebuild_geometry(*this, *entry);
                }
            }
        }
        relayout(*this);
        return true;
    }

    // Runs after the change with no document lock held: the hook calls into
    // the painter, which reads this document again.
    bool tell(ThermframeViewChange change, int32_t a, int32_t b)
    {
        ThermframeViewHook hook = nullptr;
        void* user = nullptr;
        {
            std::lock_guard<std::mutex> guard(hook_lock_);
            hook = hook_;
            user = hook_user_;
        }
        if (hook != nullptr) {
            hook(user, change, a, b);
        }
        return true;
    }

    void* sensekern_;
    std::mutex hook_lock_;
    ThermframeViewHook hook_ = nullptr;
    void* hook_user_ = nullptr;
};

}  // namespace
}  // namespace detail
}  // namespace thermframe

bool thermframe_doc_init(void*& doc, void* sensekern)
{
    doc = nullptr;
    if (sensekern == nullptr) {
        return false;
    }
    try {
        return vy::create_handle<thermframe::detail::SensekernDoc>(&doc, sensekern);
    } catch (const std::exception& e) {
        TF_ERROR("thermframe_doc_init", "%s", e.what());
        return false;
    }
}

bool thermframe_doc_set_view_hook(void* doc, ThermframeViewHook hook, void* user)
{
    auto* maker = dynamic_cast<thermframe::detail::SensekernDoc*>(thermframe::detail::doc_of(doc));
    if (maker == nullptr) {
        return false;
    }
    maker->set_view_hook(hook, user);
    return true;
}

bool thermframe_doc_uninit(void*& doc)
{
    return vy::destroy_handle(&doc, thermframe::detail::kDocTag);
}
