// Exports of the two-point, outer and bad-pixel corrections.
#include "camlink.h"

#include "export_guard.h"

using camlink::detail::DevCap;
namespace reg = camlink::detail::reg;

namespace {

bool read_pair(void* handle, uint16_t first_register, uint16_t second_register, uint16_t* first, uint16_t* second)
{
    return DC_WITH(handle, {
        return first != nullptr && second != nullptr && d.read_register(first_register, first) &&
               d.read_register(second_register, second);
    });
}

bool write_word(void* handle, uint16_t address, uint16_t value)
{
    return DC_WITH(handle, { return d.write_register(address, value); });
}

bool read_word(void* handle, uint16_t address, uint16_t* value)
{
    return DC_WITH(handle, { return value != nullptr && d.read_register(address, value); });
}

}  // namespace

bool vy_dc_two_pts_correct(void* handle, int32_t which)
{
    return DC_WITH(handle, { return d.two_pts_correct(which); });
}

bool vy_dc_calc_k(void* handle)
{
    return DC_WITH(handle, { return d.calc_k(); });
}

bool vy_dc_write_k(void* handle)
{
    return DC_WITH(handle, { return d.write_k(); });
}

bool vy_dc_calc_outer_correct(void* handle, float temperature)
{
    return DC_WITH(handle, { return d.calc_outer_correct(temperature); });
}

bool vy_dc_apply_outer_correct(void* handle, bool on)
{
    return DC_WITH(handle, { return d.apply_outer_correct(on); });
}

bool vy_dc_delete_outer_correct(void* handle, int32_t lens, int32_t range)
{
    return DC_WITH(handle, { return d.detector().delete_outer_correct(lens, range); });
}

bool vy_dc_has_outer_correct(void* handle, int32_t lens, int32_t range, bool* has)
{
    return DC_WITH(handle, { return has != nullptr && d.detector().has_outer_correct(lens, range, has); });
}

bool vy_dc_add_bad_pt(void* handle, uint16_t x, uint16_t y)
{
    return DC_WITH(handle, { return d.detector().add_bad_pt(x, y); });
}

bool vy_dc_update_bad_pts(void* handle)
{
    return DC_WITH(handle, { return d.update_bad_pts(); });
}

bool vy_dc_bad_pts_op_of_fpga(void* handle, int32_t op)
{
    return DC_WITH(handle, { return d.bad_pts_op_of_fpga(op); });
}

bool vy_dc_set_bad_pts_threshold(void* handle, uint16_t threshold)
{
    return write_word(handle, reg::kBadThreshold, threshold);
}

bool vy_dc_get_bad_pts_threshold(void* handle, uint16_t* threshold)
{
    return read_word(handle, reg::kBadThreshold, threshold);
}

bool vy_dc_disable_repair_bad_pts(void* handle)
{
    return DC_WITH(handle, {
        d.disable_repair_bad_pts();
        return true;
    });
}

bool vy_dc_modify_bad_repairs_algorithm(void* handle, bool strict, int32_t threshold)
{
    return DC_WITH(handle, {
        d.modify_bad_repairs_algorithm(strict, threshold);
        return true;
    });
}

bool vy_dc_set_org_data_threshold(void* handle, uint16_t threshold)
{
    return write_word(handle, reg::kOrgThreshold, threshold);
}

bool vy_dc_get_org_data_threshold(void* handle, uint16_t* threshold)
{
    return read_word(handle, reg::kOrgThreshold, threshold);
}

bool vy_dc_get_org_data_range(void* handle, uint16_t* low, uint16_t* high)
{
    return read_pair(handle, reg::kOrgRangeLow, reg::kOrgRangeHigh, low, high);
}

bool vy_dc_get_ad_num_beyond(void* handle, uint16_t* first, uint16_t* second)
{
    if (!DC_WITH(handle, { return d.is_fire_alg(); })) {
        return false;
    }
    return read_pair(handle, reg::kAdNumBeyond, reg::kTiming, first, second);
}
