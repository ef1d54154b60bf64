// Exported pan-tilt functions.
#include "panmount.h"

#include "head_link.h"
#include "panmount_log.h"
#include "pelco_d.h"

#include "basekit.h"
#include "handle_registry.h"
#include "vy_base_object.h"

using namespace panmount::detail;

namespace {

constexpr char kHeadTag[] = "panmount.Head";

struct PtzHandle : _VYBaseObject {
    PtzHandle() : _VYBaseObject(kHeadTag)
    {
        char directory[256];
        int length = sizeof(directory);
        // The reference is taken even without a folder, to balance the destructor.
        logline_init(vy_get_exe_path(directory, &length) == VY_OK ? directory : nullptr, 7, 200);
    }
    ~PtzHandle() override
    {
        link.disconnect();
        logline_uninit();
    }

    HeadLink link;
};

HeadLink* link_of(void* handle, const char* function)
{
    if (!_VYBaseObject::is_valid_handle(handle, kHeadTag)) {
        PM_ERROR("%s: not a pan-tilt handle", function);
        return nullptr;
    }
    return &static_cast<PtzHandle*>(static_cast<_VYBaseObject*>(handle))->link;
}

bool valid_preset(int preset)
{
    if (preset < 1 || preset > 255) {
        PM_ERROR("preset %d is outside 1 to 255", preset);
        return false;
    }
    return true;
}

}  // namespace

bool vy_ptz_init(void** handle)
{
    if (!vy::create_handle<PtzHandle>(handle)) {
        return false;
    }
    if (!static_cast<PtzHandle*>(*handle)->link.ready()) {
        vy::destroy_handle(handle, kHeadTag);
        return false;
    }
    return true;
}

bool vy_ptz_connect(void* handle, const char* address, PtzStatusCallback callback, void* user)
{
    HeadLink* link = link_of(handle, __func__);
    return link != nullptr && link->connect(address, callback, user);
}

bool vy_ptz_disconnect(void* handle)
{
    HeadLink* link = link_of(handle, __func__);
    return link != nullptr && link->disconnect();
}

bool vy_ptz_direction(void* handle, int direction)
{
    HeadLink* link = link_of(handle, __func__);
    return link != nullptr && link->direction(direction);
}

bool vy_ptz_horizontal_speed(void* handle, int speed)
{
    HeadLink* link = link_of(handle, __func__);
    return link != nullptr && link->set_pan_speed(speed);
}

bool vy_ptz_vertical_speed(void* handle, int speed)
{
    HeadLink* link = link_of(handle, __func__);
    return link != nullptr && link->set_tilt_speed(speed);
}

bool vy_ptz_set_preset(void* handle, int preset)
{
    HeadLink* link = link_of(handle, __func__);
    return link != nullptr && valid_preset(preset) &&
           link->send(set_preset_frame(PANMOUNT_HEAD_ADDRESS, static_cast<uint8_t>(preset)));
}

bool vy_ptz_goto_preset(void* handle, int preset)
{
    HeadLink* link = link_of(handle, __func__);
    return link != nullptr && valid_preset(preset) &&
           link->send(goto_preset_frame(PANMOUNT_HEAD_ADDRESS, static_cast<uint8_t>(preset)));
}

bool vy_ptz_wiper_on(void* handle)
{
    HeadLink* link = link_of(handle, __func__);
    return link != nullptr && link->send(wiper_frame(PANMOUNT_HEAD_ADDRESS, true));
}

bool vy_ptz_wiper_off(void* handle)
{
    HeadLink* link = link_of(handle, __func__);
    return link != nullptr && link->send(wiper_frame(PANMOUNT_HEAD_ADDRESS, false));
}

bool vy_ptz_uninit(void** handle)
{
    if (handle == nullptr) {
        return false;
    }
    HeadLink* link = link_of(*handle, __func__);
    if (link == nullptr) {
        return false;
    }
    if (link->on_link_thread()) {
        PM_ERROR("uninit refused inside the status callback");
        return false;
    }
    return vy::destroy_handle(handle, kHeadTag);
}
