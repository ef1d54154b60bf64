// The frame document maker over a sensekern frame, used by the picture,
// player and camera source layers.
#include "thermframe.h"

#include "handle_registry.h"
#include "registry.h"
#include "sensekern.h"
#include "tf_log.h"

#include <QGuiApplication>

#include <exception>

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
        if (QGuiApplication::instance() != nullptr) {
            label_metrics.reset(new QFontMetrics(QGuiApplication::font()));
        }
    }

    void* sensekern_handle() override { return sensekern_; }

    bool set_auto_imaging(bool on) override { return sensekern_set_auto_imaging(sensekern_, on); }

    bool set_zoom_factor(ImageZoomFactor factor) override
    {
        return sensekern_set_zoom_factor(sensekern_, factor);
    }

    bool set_rotation_angle(RotationAngle angle) override
    {
        if (angle < ROTATION_UNSET || angle > ROTATION_180_ALT) {
            return false;
        }
        return refit([&] { rotation = angle; });
    }

    bool set_wnd_show_resolution(uint16_t w, uint16_t h) override
    {
        if (w == 0 || h == 0) {
            return false;
        }
        return refit([&] {
            wnd_width = w;
            wnd_height = h;
        });
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

    void* sensekern_;
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

bool thermframe_doc_uninit(void*& doc)
{
    return vy::destroy_handle(&doc, thermframe::detail::kDocTag);
}
