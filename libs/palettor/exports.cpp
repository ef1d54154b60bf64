// The exported functions: check the handle, then hand over to the object.
#include "imaging.h"
#include "raw_enum.h"

using palettor::detail::Imaging;
using palettor::detail::kTag;
using palettor::detail::Window;

namespace {

Imaging* object_of(const void* handle)
{
    if (!_VYBaseObject::is_valid_handle(handle, kTag)) {
        return nullptr;
    }
    return static_cast<Imaging*>(static_cast<_VYBaseObject*>(const_cast<void*>(handle)));
}

}  // namespace

bool palettor_init(void** out, bool flag)
{
    return vy::create_handle<Imaging>(out, flag);
}

bool palettor_uninit(void** handle)
{
    if (handle == nullptr) {
        return false;
    }
    return vy::destroy_handle(handle, kTag);
}

bool palettor_is_valid_handle(const void* handle)
{
    return object_of(handle) != nullptr;
}

bool palettor_ad_to_pixel(void* handle, const uint16_t* ad, uint16_t width, uint16_t height, uint16_t left,
                          uint16_t top, uint16_t right, uint16_t bottom, uint32_t* bits, bool compact)
{
    Imaging* o = object_of(handle);
    return o && o->ad_to_pixel(ad, width, height, Window{left, top, right, bottom}, bits, compact);
}

bool palettor_ad_to_pixel_ex(void* handle, const uint16_t* ad, uint16_t width, uint16_t height,
                             const LineSpan* spans, int32_t count, uint32_t* bits)
{
    Imaging* o = object_of(handle);
    return o && o->ad_to_pixel_ex(ad, width, height, spans, count, bits);
}

bool palettor_ad_to_thumbnail_pixel(void* handle, const uint16_t* ad, uint16_t width, uint16_t height,
                                    uint16_t out_width, uint16_t out_height, uint32_t* bits)
{
    Imaging* o = object_of(handle);
    return o && o->ad_to_thumbnail(ad, width, height, out_width, out_height, bits);
}

bool palettor_clr_index_to_pixel(void* handle, const uint8_t* index, uint16_t width, uint16_t height, uint16_t left,
                                 uint16_t top, uint16_t right, uint16_t bottom, uint32_t* bits)
{
    Imaging* o = object_of(handle);
    return o && o->index_to_pixel(index, width, height, Window{left, top, right, bottom}, bits);
}

bool palettor_clr_index_to_thumbnail_pixel(void* handle, const uint8_t* index, uint16_t width, uint16_t height,
                                           uint16_t out_width, uint16_t out_height, uint32_t* bits)
{
    Imaging* o = object_of(handle);
    return o && o->index_to_thumbnail(index, width, height, out_width, out_height, bits);
}

bool palettor_calc_max_min_avg_of_ad(void* handle, const uint16_t* ad, uint16_t width, uint16_t height,
                                     uint16_t left, uint16_t top, uint16_t right, uint16_t bottom, tagPAD* max,
                                     tagPAD* min, uint16_t* avg)
{
    Imaging* o = object_of(handle);
    return o && o->calc_statistics(ad, width, height, Window{left, top, right, bottom}, max, min, avg);
}

bool palettor_calc_max_min_avg_of_ad_ex(void* handle, const uint16_t* ad, uint16_t width, uint16_t height,
                                        const LineSpan* spans, int32_t count, tagPAD* max, tagPAD* min,
                                        uint16_t* avg)
{
    Imaging* o = object_of(handle);
    return o && o->calc_statistics_ex(ad, width, height, spans, count, max, min, avg);
}

bool palettor_calc_pal_no_of_ad(void* handle)
{
    Imaging* o = object_of(handle);
    return o && o->recompute();
}

bool palettor_auto_adjust(void* handle)
{
    Imaging* o = object_of(handle);
    return o && o->auto_adjust();
}

bool palettor_auto_adjust_fpga(void* handle, uint16_t low, uint16_t high)
{
    Imaging* o = object_of(handle);
    return o && o->auto_adjust_fpga(low, high);
}

bool palettor_set_range(void* handle, uint16_t low, uint16_t high)
{
    Imaging* o = object_of(handle);
    return o && o->set_range(low, high);
}

bool palettor_set_low_of_range(void* handle, uint16_t value)
{
    Imaging* o = object_of(handle);
    return o && o->set_range_end(true, value);
}

bool palettor_set_high_of_range(void* handle, uint16_t value)
{
    Imaging* o = object_of(handle);
    return o && o->set_range_end(false, value);
}

bool palettor_get_range(void* handle, uint16_t* low, uint16_t* high)
{
    Imaging* o = object_of(handle);
    if (o == nullptr) {
        return false;
    }
    o->get_range(low, high);
    return true;
}

bool palettor_get_auto_range(void* handle, uint16_t* low, uint16_t* high)
{
    Imaging* o = object_of(handle);
    if (o == nullptr) {
        return false;
    }
    o->get_auto_range(low, high);
    return true;
}

bool palettor_get_ad_threshold(void* handle, uint16_t* threshold)
{
    Imaging* o = object_of(handle);
    if (o == nullptr) {
        return false;
    }
    if (threshold != nullptr) {
        o->get_ad_threshold(threshold);
    }
    return true;
}

bool palettor_set_ad_threshold_percentage(void* handle, float fraction)
{
    Imaging* o = object_of(handle);
    if (o == nullptr) {
        return false;
    }
    o->set_threshold_fraction(fraction);
    return true;
}

bool palettor_get_biggerthan_pixel_count(void* handle, uint16_t low, uint16_t high, int32_t* count)
{
    Imaging* o = object_of(handle);
    return o && count != nullptr && o->pixel_count(low, high, count);
}

bool palettor_reset(void* handle)
{
    Imaging* o = object_of(handle);
    if (o == nullptr) {
        return false;
    }
    o->reset();
    return true;
}

bool palettor_set_palette(void* handle, PALETTE palette)
{
    Imaging* o = object_of(handle);
    return o && o->set_palette(vy::raw_enum(palette));
}

bool palettor_get_palette(void* handle, int32_t* palette)
{
    Imaging* o = object_of(handle);
    if (o == nullptr || palette == nullptr) {
        return false;
    }
    *palette = o->palette();
    return true;
}

bool palettor_set_algorithm_mode(void* handle, int32_t mode)
{
    Imaging* o = object_of(handle);
    return o && o->set_algorithm_mode(mode);
}

bool palettor_get_algorithm_mode(void* handle, int32_t* mode)
{
    Imaging* o = object_of(handle);
    if (o == nullptr || mode == nullptr) {
        return false;
    }
    *mode = o->algorithm_mode();
    return true;
}

bool vy_set_imaging_type(void* handle, int32_t type)
{
    Imaging* o = object_of(handle);
    if (o == nullptr) {
        return false;
    }
    o->set_imaging_type(type);
    return true;
}

bool palettor_get_imaging_type(void* handle, int32_t* type)
{
    Imaging* o = object_of(handle);
    if (o == nullptr || type == nullptr) {
        return false;
    }
    *type = o->imaging_type();
    return true;
}

bool palettor_set_fire_fighting(void* handle, bool on)
{
    Imaging* o = object_of(handle);
    if (o == nullptr) {
        return false;
    }
    o->set_fire_fighting(on);
    return true;
}

bool palettor_enable_image_process(void* handle, bool on)
{
    Imaging* o = object_of(handle);
    if (o == nullptr) {
        return false;
    }
    o->enable_image_process(on);
    return true;
}

bool palettor_enable_image_stabilization(void* handle, bool on)
{
    Imaging* o = object_of(handle);
    if (o == nullptr) {
        return false;
    }
    o->enable_stabilization(on);
    return true;
}

bool palettor_init_image_process(void* handle)
{
    Imaging* o = object_of(handle);
    return o && o->init_image_process();
}

bool palettor_set_stabilization_value(void* handle, int32_t small_step, int32_t mid_step, float factor)
{
    if (object_of(handle) == nullptr) {
        return false;
    }
    palettor::detail::set_stabilization_tables(small_step, mid_step, factor);
    return true;
}

bool palettor_add_isotherm(void* handle, IsothermRecord record, int32_t* id)
{
    return palettor_add_isotherm_ex(handle, record.low, record.high, record.colour, record.mode, id);
}

bool palettor_add_isotherm_ex(void* handle, uint16_t low, uint16_t high, uint32_t colour, uint8_t mode, int32_t* id)
{
    Imaging* o = object_of(handle);
    return o && id != nullptr && o->add_isotherm(IsothermRecord{low, high, colour, mode}, id);
}

bool palettor_update_isotherm(void* handle, int32_t id, const IsothermRecord* record)
{
    if (record == nullptr) {
        return false;
    }
    return palettor_update_isotherm_ex(handle, id, record->low, record->high, record->colour, record->mode);
}

bool palettor_update_isotherm_ex(void* handle, int32_t id, uint16_t low, uint16_t high, uint32_t colour, uint8_t mode)
{
    Imaging* o = object_of(handle);
    return o && o->update_isotherm(id, IsothermRecord{low, high, colour, mode});
}

bool palettor_delete_isotherm(void* handle, int32_t id)
{
    Imaging* o = object_of(handle);
    return o && o->delete_isotherm(id);
}

bool palettor_delete_all_isotherm(void* handle)
{
    Imaging* o = object_of(handle);
    return o && o->delete_all_isotherms();
}

bool palettor_get_isotherm(void* handle, uint8_t index, int32_t* id, IsothermRecord* record)
{
    Imaging* o = object_of(handle);
    return o && o->get_isotherm(index, id, record);
}

bool palettor_get_isotherm_count(void* handle, uint8_t* count)
{
    Imaging* o = object_of(handle);
    if (o == nullptr || count == nullptr) {
        return false;
    }
    *count = static_cast<uint8_t>(o->isotherm_count());
    return true;
}
