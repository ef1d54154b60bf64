// Exports of the detector settings, the temperature correction and the
// motors.
#include "camlink.h"

#include "export_guard.h"

using camlink::detail::DevCap;
using camlink::detail::MeasPara;
using camlink::detail::Motor;

bool vy_dc_set_len_and_meas_range(void* handle, int32_t lens, int32_t range)
{
    return DC_WITH(handle, { return d.set_len_and_meas_range(lens, range); });
}

bool vy_dc_set_meas_para(void* handle, int32_t lens, int32_t range, uint16_t vsk, uint16_t gfid, uint8_t gain,
                         uint16_t integral)
{
    return DC_WITH(handle, { return d.set_meas_para(lens, range, MeasPara{vsk, gfid, gain, integral}); });
}

bool vy_dc_get_meas_para(void* handle, int32_t lens, int32_t range, uint16_t* vsk, uint16_t* gfid, uint8_t* gain,
                         uint16_t* integral)
{
    return DC_WITH(handle, {
        MeasPara para;
        if (vsk == nullptr || gfid == nullptr || gain == nullptr || integral == nullptr ||
            !d.detector().get_meas_para(lens, range, &para)) {
            return false;
        }
        *vsk = para.vsk;
        *gfid = para.gfid;
        *gain = para.gain;
        *integral = para.integral;
        return true;
    });
}

bool vy_dc_set_dac(void* handle, LenType lens, MeasRange range, int16_t dac)
{
    return DC_WITH(handle, { return d.set_dac(lens, range, dac); });
}

bool vy_dc_get_dac(void* handle, LenType lens, MeasRange range, int16_t& dac)
{
    return DC_WITH(handle, {
        uint16_t value = 0;
        if (!d.detector().get_dac(lens, range, &value)) {
            return false;
        }
        dac = static_cast<int16_t>(value);
        return true;
    });
}

bool vy_dc_set_ndac(void* handle, LenType lens, MeasRange range, uint16_t index, uint16_t fine)
{
    return DC_WITH(handle, { return d.set_ndac(lens, range, index, fine); });
}

bool vy_dc_get_ndac(void* handle, LenType lens, MeasRange range, uint16_t& index, uint16_t& fine)
{
    return DC_WITH(handle, { return d.get_ndac(lens, range, &index, &fine); });
}

bool vy_dc_set_left_edge(void* handle, uint16_t edge)
{
    return DC_WITH(handle, { return d.set_left_edge(edge, true); });
}

bool vy_dc_get_left_edge(void* handle, uint16_t* edge)
{
    return DC_WITH(handle, {
        if (edge == nullptr) {
            return false;
        }
        *edge = d.detector().left_edge();
        return true;
    });
}

bool vy_dc_set_top_edge(void* handle, uint16_t edge)
{
    return DC_WITH(handle, { return d.set_top_edge(edge, true); });
}

bool vy_dc_get_top_dege(void* handle, uint16_t* edge)
{
    return DC_WITH(handle, {
        if (edge == nullptr) {
            return false;
        }
        *edge = d.detector().top_edge();
        return true;
    });
}

bool vy_dc_set_reverse_type(void* handle, int32_t lens, uint8_t type)
{
    return DC_WITH(handle, { return d.set_reverse_type(lens, type); });
}

bool vy_dc_get_reverse_type(void* handle, int32_t lens, uint8_t* type)
{
    return DC_WITH(handle, { return type != nullptr && d.detector().get_reverse_type(lens, type); });
}

bool vy_dc_set_output_data_type(void* handle, uint8_t type)
{
    return DC_WITH(handle, { return d.set_output_data_type(type); });
}

bool vy_dc_set_shift_compensation(void* handle, int32_t lens, int32_t range, uint16_t value)
{
    return DC_WITH(handle, { return d.detector().set_shift_compensation(lens, range, value); });
}

bool vy_dc_get_shift_compensation(void* handle, int32_t lens, int32_t range, uint16_t* value)
{
    return DC_WITH(handle, { return value != nullptr && d.detector().get_shift_compensation(lens, range, value); });
}

bool vy_dc_add_len(void* handle, int32_t lens)
{
    return DC_WITH(handle, { return d.detector().add_len(lens); });
}

bool vy_dc_delete_len(void* handle, int32_t lens)
{
    return DC_WITH(handle, { return d.detector().delete_len(lens); });
}

bool vy_dc_is_support_len(void* handle, int32_t lens)
{
    return DC_WITH(handle, { return d.detector().has_len(lens); });
}

bool vy_dc_get_supported_lens(void* handle, int32_t* lenses, uint32_t* count)
{
    return DC_WITH(handle, {
        if (count == nullptr) {
            return false;
        }
        std::vector<int32_t> types = d.detector().lens_types();
        uint32_t capacity = *count;
        *count = static_cast<uint32_t>(types.size());
        if (lenses == nullptr) {
            return true;
        }
        if (capacity < types.size()) {
            return false;
        }
        std::copy(types.begin(), types.end(), lenses);
        return true;
    });
}

bool vy_dc_save_detector_cfg_to_file(void* handle, const char* path)
{
    return DC_WITH(handle, { return d.save_detector_file(path); });
}

bool vy_dc_temperature_correct(void* handle)
{
    return DC_WITH(handle, { return d.temperature_correct(); });
}

bool vy_dc_set_temperature_interval_of_correct(void* handle, float interval)
{
    return DC_WITH(handle, { return d.set_temperature_interval(interval); });
}

bool vy_dc_set_disable_temperature_correct_flag(void* handle, bool disable)
{
    return DC_WITH(handle, {
        d.set_disable_temperature_correct(disable);
        return true;
    });
}

bool vy_dc_get_temperature_sensor(void* handle, float* t1, float* t2, float* t3, float* t4)
{
    return DC_WITH(handle, {
        return t1 != nullptr && t2 != nullptr && t3 != nullptr && t4 != nullptr &&
               d.get_temperature_sensor(t1, t2, t3, t4);
    });
}

bool vy_dc_get_cur_environment(void* handle, int32_t* environment)
{
    return DC_WITH(handle, {
        if (environment == nullptr) {
            return false;
        }
        *environment = d.environment();
        return true;
    });
}

bool vy_dc_motor_forward(void* handle)
{
    return DC_WITH(handle, { return d.update_control_word(0x6, 0x2); });
}

bool vy_dc_motor_backward(void* handle)
{
    return DC_WITH(handle, { return d.update_control_word(0x6, 0x4); });
}

bool vy_dc_motor_stop(void* handle)
{
    return DC_WITH(handle, { return d.update_control_word(0x6, 0); });
}

bool vy_dc_zoom_motor_forward(void* handle)
{
    return DC_WITH(handle, { return d.update_control_word(0x180, 0x100); });
}

bool vy_dc_zoom_motor_backward(void* handle)
{
    return DC_WITH(handle, { return d.update_control_word(0x180, 0x80); });
}

bool vy_dc_zoom_motor_stop(void* handle)
{
    return DC_WITH(handle, { return d.update_control_word(0x180, 0); });
}

bool vy_dc_get_motor_location(void* handle, bool* first, bool* second)
{
    return DC_WITH(handle, {
        uint16_t status = 0;
        if (first == nullptr || second == nullptr ||
            !d.read_register(camlink::detail::reg::kStatus, &status)) {
            return false;
        }
        *first = (status & 0x8000) != 0;
        *second = (status & 0x4000) != 0;
        return true;
    });
}

bool vy_dc_auto_focus(void* handle, uint16_t x, uint16_t y, uint16_t width, uint16_t height)
{
    return DC_WITH(handle, { return d.auto_focus(x, y, width, height); });
}

bool vy_dc_is_auto_focus(void* handle, bool* running)
{
    return DC_WITH(handle, { return running != nullptr && d.is_auto_focus(running); });
}

bool vy_dc_set_auto_focus_precision(void* handle, int32_t precision)
{
    return DC_WITH(handle, {
        d.set_auto_focus_precision(precision);
        return true;
    });
}

bool vy_dc_auto_focus_by_software(void* handle, bool on)
{
    return DC_WITH(handle, {
        d.set_auto_focus_by_software(on);
        return true;
    });
}

bool vy_dc_get_len_pos(void* handle, uint16_t* position)
{
    return DC_WITH(handle, { return position != nullptr && d.get_motor_pos(Motor::focus, position); });
}

bool vy_dc_get_zoom_pos(void* handle, uint16_t* position)
{
    return DC_WITH(handle, { return position != nullptr && d.get_motor_pos(Motor::zoom, position); });
}

bool vy_dc_set_len_pos(void* handle, uint16_t position)
{
    return DC_WITH(handle, { return d.set_motor_pos(Motor::focus, position); });
}

bool vy_dc_set_zoom_pos(void* handle, uint16_t position)
{
    return DC_WITH(handle, { return d.set_motor_pos(Motor::zoom, position); });
}
