// Exports of the device object, its frames, isotherms, imaging switches and
// control-word switches.
#include "camlink.h"

#include "export_guard.h"
#include "framekit.h"
#include "handle_registry.h"
#include "palettor.h"

using camlink::detail::DevCap;
namespace reg = camlink::detail::reg;

namespace {

bool set_control_bits(void* handle, uint16_t clear, uint16_t set)
{
    return DC_WITH(handle, { return d.update_control_word(clear, set); });
}

}  // namespace

bool vy_dc_init(void** handle)
{
    return vy_dc_init_ex(handle, 0, 0);
}

bool vy_dc_init_ex(void** handle, int32_t flag, int32_t)
{
    return camlink::detail::create_device(handle, flag, camlink::detail::DeviceOptions());
}

bool vy_dc_init_cpu(void**, int32_t)
{
    return false;
}

bool vy_dc_uninit(void** handle)
{
    if (handle == nullptr) {
        return false;
    }
    DevCap* device = camlink::detail::device_of(*handle);
    // The threads are stopped while the device is still registered, so a
    // refused uninit (from the frame callback) leaves it fully working.
    if (device == nullptr || !device->shutdown()) {
        return false;
    }
    return vy::destroy_handle(handle, camlink::detail::kTag);
}

bool vy_dc_capture_one_frame(void* handle)
{
    return DC_WITH(handle, { return d.capture_one_frame(); });
}

bool vy_dc_set_cb_one_frame_received(void* handle, VyDcFrameCallback callback, void* user)
{
    return DC_WITH(handle, {
        d.set_frame_callback(callback, user);
        return true;
    });
}

bool vy_dc_set_cb_temp_correct_started(void* handle, VyDcCorrectCallback callback, void* user)
{
    return DC_WITH(handle, {
        d.set_correct_callbacks(false, callback, user);
        return true;
    });
}

bool vy_dc_set_cb_temp_correct_finished(void* handle, VyDcCorrectCallback callback, void* user)
{
    return DC_WITH(handle, {
        d.set_correct_callbacks(true, callback, user);
        return true;
    });
}

bool vy_dc_set_frame_cache_count(void* handle, uint16_t count)
{
    return DC_WITH(handle, { return d.set_frame_cache_count(count); });
}

bool vy_dc_open_infrared_capture(void* handle)
{
    return DC_WITH(handle, { return d.open_infrared_capture(); });
}

bool vy_dc_close_infrared_capture(void* handle)
{
    return set_control_bits(handle, 0, 0x2000);
}

bool vy_dc_get_capture_resolution(void* handle, uint16_t* width, uint16_t* height)
{
    return DC_WITH(handle, { return vy_ad_get_resolution(d.frame(), width, height); });
}

bool vy_dc_add_isotherm(void* handle, float low, float high, uint32_t colour, uint8_t mode, int32_t* id)
{
    return DC_WITH(handle, { return d.add_isotherm(low, high, colour, mode, id); });
}

bool vy_dc_update_isotherm(void* handle, int32_t id, float low, float high, uint32_t colour, uint8_t mode)
{
    return DC_WITH(handle, { return d.update_isotherm(id, low, high, colour, mode); });
}

bool vy_dc_delete_isotherm(void* handle, int32_t id)
{
    return DC_WITH(handle, { return d.delete_isotherm(id); });
}

bool vy_dc_open_3_isotherm(void* handle)
{
    DC_WITH(handle, {
        d.write_register(244, 1);
        return palettor_set_fire_fighting(d.imaging(), true);
    });
    return false;
}

bool vy_dc_close_3_isotherm(void* handle)
{
    DC_WITH(handle, {
        d.write_register(244, 0);
        return palettor_set_fire_fighting(d.imaging(), false);
    });
    return false;
}

bool vy_dc_update_3_isotherm(void* handle, const VyDcThreeIsotherm* record)
{
    DC_WITH(handle, {
        if (record == nullptr) {
            return false;
        }
        const uint16_t colour_registers[3] = {200, 204, 208};
        const uint16_t ad_registers[4] = {228, 232, 236, 240};
        for (int i = 0; i < 3; ++i) {
            d.write_register(colour_registers[i], record->colour[i]);
        }
        for (int i = 0; i < 4; ++i) {
            d.write_register(ad_registers[i], record->ad[i]);
        }
        return true;
    });
    return false;
}

bool vy_dc_get_isotherm_related_ad(void* handle, uint16_t* low, uint16_t* high)
{
    return DC_WITH(handle, { return low != nullptr && high != nullptr && d.isotherm_related_ad(low, high); });
}

bool vy_dc_set_isotherm_index_percent(void* handle, float a, float b)
{
    return DC_WITH(handle, {
        if (!(a > 0 && a < 1 && b >= 0 && b <= 1) || !d.is_fire_alg()) {
            DC_ERROR("DevCap::set_isotherm_index_percent", "percent %.02f %.02f is error", a, b);
            return false;
        }
        int value = (static_cast<int>(b * 255) << 8) + static_cast<int>((1 - a) * 255);
        return d.write_register(reg::kIsothermPercent, static_cast<uint16_t>(value));
    });
}

bool vy_dc_set_imaging_process_status(void* handle, bool first, bool second)
{
    return DC_WITH(handle, { return d.set_imaging_process_status(first, second); });
}

bool vy_dc_set_stabilization_value(void* handle, uint8_t small_step, uint8_t mid_step, float factor)
{
    return DC_WITH(handle, { return palettor_set_stabilization_value(d.imaging(), small_step, mid_step, factor); });
}

bool vy_dc_is_fpga_fire_alg(void* handle, bool* fire)
{
    return DC_WITH(handle, {
        if (fire == nullptr) {
            return false;
        }
        *fire = d.is_fire_alg();
        return true;
    });
}

bool vy_dc_get_hardware_version(void* handle, char* buffer, uint32_t* length)
{
    return DC_WITH(handle, { return d.hardware_version(d.version_word(), buffer, length); });
}

bool vy_dc_get_fpga_compile_time(void* handle, char* buffer, uint32_t* length)
{
    return DC_WITH(handle, {
        uint16_t word = 0;
        return d.read_register(reg::kCompileTime, &word) && d.hardware_version(word, buffer, length);
    });
}

bool vy_dc_get_detector_resolution(void* handle, uint16_t* width, uint16_t* height)
{
    return DC_WITH(handle, { return width != nullptr && height != nullptr && d.get_detector_resolution(width, height); });
}

bool vy_dc_reset_fpga(void* handle)
{
    return DC_WITH(handle, { return d.reset_fpga(); });
}

bool vy_dc_enable_fixed_reset_fpga(void* handle)
{
    return DC_WITH(handle, {
        d.set_fixed_reset(true);
        return true;
    });
}

bool vy_dc_disable_fixed_reset_fpga(void* handle)
{
    return DC_WITH(handle, {
        d.set_fixed_reset(false);
        return true;
    });
}

bool vy_dc_enable_reboot_sys(void* handle)
{
    return DC_WITH(handle, { return d.set_capture_switch(true); });
}

bool vy_dc_disable_reboot_sys(void* handle)
{
    return DC_WITH(handle, { return d.set_capture_switch(false); });
}

bool vy_dc_shutter_down(void* handle)
{
    return set_control_bits(handle, 0, 0x1);
}

bool vy_dc_shutter_up(void* handle)
{
    return set_control_bits(handle, 0x1, 0);
}

bool vy_dc_buzzer_on(void* handle)
{
    return set_control_bits(handle, 0, 0x10);
}

bool vy_dc_buzzer_off(void* handle)
{
    return set_control_bits(handle, 0x10, 0);
}

bool vy_dc_lasor_on(void* handle)
{
    return set_control_bits(handle, 0, 0x8);
}

bool vy_dc_lasor_off(void* handle)
{
    return set_control_bits(handle, 0x8, 0);
}

bool vy_dc_wiper_on(void* handle)
{
    return set_control_bits(handle, 0, 0xC000);
}

bool vy_dc_wiper_off(void* handle)
{
    return set_control_bits(handle, 0xC000, 0x4000);
}

bool vy_dc_read_len_type_from_fpga(void* handle, int32_t* lens)
{
    return DC_WITH(handle, {
        uint16_t word = 0;
        if (lens == nullptr || !d.read_register(reg::kControl, &word)) {
            return false;
        }
        switch (word & 0x1C00) {
        case 0xC00:
            *lens = 1;
            return true;
        case 0x1000:
            *lens = 4;
            return true;
        case 0x1400:
            *lens = 3;
            return true;
        case 0x1800:
            *lens = 2;
            return true;
        case 0x1C00:
            *lens = -1;
            return true;
        default:
            DC_ERROR("DevCap::read_len_type_from_fpga", "len bits = %x is error", word & 0x1C00);
            return false;
        }
    });
}

bool vy_dc_set_back_light(void* handle, uint8_t level)
{
    if (level > 7) {
        return false;
    }
    return set_control_bits(handle, 0xE000, static_cast<uint16_t>(level << 13));
}
