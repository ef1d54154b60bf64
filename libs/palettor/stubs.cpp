// Temporary stubs: every export refuses until the imaging object lands.
#include "palettor.h"

bool palettor_init(void** out, bool flag)
{
    return false;
}

bool palettor_uninit(void** handle)
{
    return false;
}

bool palettor_is_valid_handle(const void* handle)
{
    return false;
}

bool palettor_ad_to_pixel(void* handle, const uint16_t* ad, uint16_t width, uint16_t height, uint16_t left, uint16_t top, uint16_t right, uint16_t bottom, uint32_t* bits, bool compact)
{
    return false;
}

bool palettor_ad_to_pixel_ex(void* handle, const uint16_t* ad, uint16_t width, uint16_t height, const LineSpan* spans, int32_t count, uint32_t* bits)
{
    return false;
}

bool palettor_ad_to_thumbnail_pixel(void* handle, const uint16_t* ad, uint16_t width, uint16_t height, uint16_t out_width, uint16_t out_height, uint32_t* bits)
{
    return false;
}

bool palettor_clr_index_to_pixel(void* handle, const uint8_t* index, uint16_t width, uint16_t height, uint16_t left, uint16_t top, uint16_t right, uint16_t bottom, uint32_t* bits)
{
    return false;
}

bool palettor_clr_index_to_thumbnail_pixel(void* handle, const uint8_t* index, uint16_t width, uint16_t height, uint16_t out_width, uint16_t out_height, uint32_t* bits)
{
    return false;
}

bool palettor_calc_max_min_avg_of_ad(void* handle, const uint16_t* ad, uint16_t width, uint16_t height, uint16_t left, uint16_t top, uint16_t right, uint16_t bottom, tagPAD* max, tagPAD* min, uint16_t* avg)
{
    return false;
}

bool palettor_calc_max_min_avg_of_ad_ex(void* handle, const uint16_t* ad, uint16_t width, uint16_t height, const LineSpan* spans, int32_t count, tagPAD* max, tagPAD* min, uint16_t* avg)
{
    return false;
}

bool palettor_calc_pal_no_of_ad(void* handle)
{
    return false;
}

bool palettor_auto_adjust(void* handle)
{
    return false;
}

bool palettor_auto_adjust_fpga(void* handle, uint16_t low, uint16_t high)
{
    return false;
}

bool palettor_set_range(void* handle, uint16_t low, uint16_t high)
{
    return false;
}

bool palettor_set_low_of_range(void* handle, uint16_t value)
{
    return false;
}

bool palettor_set_high_of_range(void* handle, uint16_t value)
{
    return false;
}

bool palettor_get_range(void* handle, uint16_t* low, uint16_t* high)
{
    return false;
}

bool palettor_get_auto_range(void* handle, uint16_t* low, uint16_t* high)
{
    return false;
}

bool palettor_get_ad_threshold(void* handle, uint16_t* threshold)
{
    return false;
}

bool palettor_set_ad_threshold_percentage(void* handle, float fraction)
{
    return false;
}

bool palettor_get_biggerthan_pixel_count(void* handle, uint16_t low, uint16_t high, int32_t* count)
{
    return false;
}

bool palettor_reset(void* handle)
{
    return false;
}

bool palettor_set_palette(void* handle, PALETTE palette)
{
    return false;
}

bool palettor_get_palette(void* handle, int32_t* palette)
{
    return false;
}

bool palettor_set_algorithm_mode(void* handle, int32_t mode)
{
    return false;
}

bool palettor_get_algorithm_mode(void* handle, int32_t* mode)
{
    return false;
}

bool vy_set_imaging_type(void* handle, int32_t type)
{
    return false;
}

bool palettor_get_imaging_type(void* handle, int32_t* type)
{
    return false;
}

bool palettor_set_fire_fighting(void* handle, bool on)
{
    return false;
}

bool palettor_enable_image_process(void* handle, bool on)
{
    return false;
}

bool palettor_enable_image_stabilization(void* handle, bool on)
{
    return false;
}

bool palettor_init_image_process(void* handle)
{
    return false;
}

bool palettor_set_stabilization_value(void* handle, int32_t small_step, int32_t mid_step, float factor)
{
    return false;
}

bool palettor_add_isotherm(void* handle, IsothermRecord record, int32_t* id)
{
    return false;
}

bool palettor_add_isotherm_ex(void* handle, uint16_t low, uint16_t high, uint32_t colour, uint8_t mode, int32_t* id)
{
    return false;
}

bool palettor_update_isotherm(void* handle, int32_t id, const IsothermRecord* record)
{
    return false;
}

bool palettor_update_isotherm_ex(void* handle, int32_t id, uint16_t low, uint16_t high, uint32_t colour, uint8_t mode)
{
    return false;
}

bool palettor_delete_isotherm(void* handle, int32_t id)
{
    return false;
}

bool palettor_delete_all_isotherm(void* handle)
{
    return false;
}

bool palettor_get_isotherm(void* handle, uint8_t index, int32_t* id, IsothermRecord* record)
{
    return false;
}

bool palettor_get_isotherm_count(void* handle, uint8_t* count)
{
    return false;
}
