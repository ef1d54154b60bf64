#include "doc_stack.h"

#include "markpen.h"
#include "sensekern.h"
#include "thermframe.h"

#include <QString>

#include <ctime>

namespace docstack {

DocStack::~DocStack()
{
    // The painter reads the document and the document the frame: freed in
    // the reverse order of their making.
    if (painter_ != nullptr) {
        markpen_uninit(painter_);
    }
    if (doc_ != nullptr) {
        thermframe_doc_set_view_hook(doc_, nullptr, nullptr);
        thermframe_doc_uninit(doc_);
    }
    if (frame_ != nullptr) {
        sensekern_uninit(&frame_);
    }
}

bool DocStack::init(const char*)
{
    if (!sensekern_init(&frame_) || !thermframe_doc_init(doc_, frame_) || !markpen_init(painter_, doc_)) {
        return false;
    }
    return thermframe_doc_set_view_hook(
        doc_, [](void* user, ThermframeViewChange change, int32_t a, int32_t b) { on_view_change(user, change, a, b); },
        this);
}

void DocStack::on_view_change(void* user, int change, int32_t a, int32_t b)
{
    auto* self = static_cast<DocStack*>(user);
    switch (change) {
    case THERMFRAME_VIEW_ROTATION:
        markpen_set_rotation_angle(self->painter_, static_cast<RotationAngle>(a));
        break;
    case THERMFRAME_VIEW_ZOOM:
        markpen_set_zoom_factor(self->painter_, static_cast<ImageZoomFactor>(a));
        break;
    case THERMFRAME_VIEW_WINDOW:
        markpen_set_wnd_size(self->painter_, static_cast<uint16_t>(a), static_cast<uint16_t>(b));
        break;
    default:
        break;
    }
}

bool DocStack::sync_image_size()
{
    uint16_t w = 0;
    uint16_t h = 0;
    if (!thermframe_get_resolution(doc_, w, h)) {
        return false;
    }
    if (w == width_ && h == height_) {
        return true;
    }
    width_ = w;
    height_ = h;
    if (!markpen_set_image_size(painter_, w, h)) {
        return false;
    }
    // The document's window scale follows the new picture size; the painter
    // keeps its window (the picture size when none was set yet).
    uint16_t wnd_w = 0;
    uint16_t wnd_h = 0;
    return markpen_get_wnd_size(painter_, wnd_w, wnd_h) && thermframe_set_wnd_show_resolution(doc_, wnd_w, wnd_h);
}

bool DocStack::read_parameters(Parameters* p)
{
    return thermframe_get_emiss(doc_, p->emissivity) && thermframe_get_dist(doc_, p->distance) &&
           thermframe_get_env_temp(doc_, p->ambient) && thermframe_get_rel_hum(doc_, p->humidity) &&
           thermframe_get_enviroment_reference_temperature(doc_, p->reference) &&
           thermframe_get_modify_temp(doc_, p->modify);
}

bool DocStack::apply_parameters(const Parameters& p)
{
    Parameters now;
    if (read_parameters(&now) && now == p) {
        return true;
    }
    return thermframe_set_emiss(doc_, p.emissivity) && thermframe_set_dist(doc_, p.distance) &&
           thermframe_set_env_temp(doc_, p.ambient) && thermframe_set_rel_hum(doc_, p.humidity) &&
           thermframe_set_enviroment_reference_temperature(doc_, p.reference) &&
           thermframe_set_modify_temp(doc_, p.modify);
}

std::string utf8_of(const std::wstring& text)
{
    if (text.find(L'\0') != std::wstring::npos) {
        return std::string();
    }
    return QString::fromStdWString(text).toUtf8().toStdString();
}

bool is_recording(const std::string& path)
{
    void* reader = nullptr;
    if (path.empty() || !sensekern_record_open(&reader, path.c_str())) {
        return false;
    }
    uint32_t count = 0;
    tagTimeVal time{};
    const bool ok = sensekern_record_get_info(reader, &count, nullptr, nullptr, nullptr) && count != 0 &&
                    sensekern_record_get_frame_time(reader, 0, &time);
    sensekern_record_close(&reader);
    return ok;
}

std::string storage_time_text(uint32_t seconds)
{
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) {
        return std::string();
    }
    char text[32];
    std::strftime(text, sizeof(text), "%Y%m%d%H%M%S", &local);
    return text;
}

}  // namespace docstack
