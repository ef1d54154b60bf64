// Whole-frame exports: temperatures, parameters, colour, recording, buffers.
#include "thermframe.h"

#include "export_guard.h"
#include "rotation.h"
#include "sensekern.h"
#include "tempcore.h"

#include <cstring>
#include <new>

using thermframe::detail::ByteBuffer;
using thermframe::detail::FrameDoc;
using thermframe::detail::pass_enum;
using thermframe::detail::raw_enum;
using thermframe::detail::with_doc;
using thermframe::detail::with_sensekern;

namespace {

constexpr size_t kMacTextCapacity = 1024;

// Forwarding without the sensekern lock.
template <class Call>
bool forward(void* handle, const char* function, Call call)
{
    return with_doc(handle, function, [&](FrameDoc& doc) { return call(doc.sensekern_handle()); });
}

template <class Call>
bool forward_locked(void* handle, const char* function, Call call)
{
    return with_doc(handle, function, [&](FrameDoc& doc) { return with_sensekern(doc, call); });
}

void to_display(FrameDoc& doc, uint16_t& x, uint16_t& y)
{
    thermframe::detail::abs_to_direction(doc.rotation.load(), doc.width.load(), doc.height.load(),
                                         x, y);
}

bool set_buffer(void* handle, const char* function, ByteBuffer FrameDoc::*member,
                const unsigned char* data, uint32_t length)
{
    if (data == nullptr && length != 0) {
        return false;
    }
    return with_doc(handle, function, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.buffers_lock);
        if (!guard) {
            return false;
        }
        ByteBuffer& buffer = doc.*member;
        if (buffer.capacity < length) {
            std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[length]);
            if (!block) {
                TF_ERROR(function, "no memory for %u bytes", length);
                return false;
            }
            buffer.data = std::move(block);
            buffer.capacity = length;
        }
        if (length != 0) {
            std::memcpy(buffer.data.get(), data, length);
        }
        buffer.length = length;
        return true;
    });
}

bool get_buffer(void* handle, const char* function, ByteBuffer FrameDoc::*member,
                unsigned char* out, uint32_t& length)
{
    return with_doc(handle, function, [&](FrameDoc& doc) {
        VyLockGuard guard(doc.buffers_lock);
        if (!guard) {
            return false;
        }
        const ByteBuffer& buffer = doc.*member;
        const uint32_t capacity = length;
        length = buffer.length;
        if (out == nullptr) {
            return true;
        }
        if (capacity < buffer.length) {
            return false;
        }
        if (buffer.length != 0) {
            std::memcpy(out, buffer.data.get(), buffer.length);
        }
        return true;
    });
}

// Copies of the attached buffers, so that sensekern never reads a block
// that another thread is replacing.
struct AttachedCopy {
    std::vector<unsigned char> third;
    std::vector<unsigned char> sound;
    std::vector<unsigned char> user;
};

bool copy_attached(FrameDoc& doc, AttachedCopy& copy)
{
    VyLockGuard guard(doc.buffers_lock);
    if (!guard) {
        return false;
    }
    auto take = [](const ByteBuffer& b, std::vector<unsigned char>& out) {
        out.assign(b.data.get(), b.data.get() + (b.data ? b.length : 0));
    };
    take(doc.extra, copy.third);
    take(doc.sound, copy.sound);
    take(doc.user, copy.user);
    return true;
}

const unsigned char* bytes(const std::vector<unsigned char>& v)
{
    return v.empty() ? nullptr : v.data();
}

uint32_t size32(const std::vector<unsigned char>& v)
{
    return static_cast<uint32_t>(v.size());
}

bool read_para(void* handle, const char* function, int slot, float& value)
{
    return forward(handle, function, [&](void* sk) {
        float* p[6] = {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
        p[slot] = &value;
        return sensekern_get_temperature_para(sk, p[0], p[1], p[2], p[3], p[4], p[5], nullptr);
    });
}

bool read_resolution(FrameDoc& doc, uint16_t& width, uint16_t& height)
{
    uint16_t w = 0;
    uint16_t h = 0;
    if (!sensekern_get_resolution(doc.sensekern_handle(), &w, &h)) {
        return false;
    }
    doc.width = w;
    doc.height = h;
    width = w;
    height = h;
    return true;
}

bool mac_texts(void* handle, const char* function, std::string* a, std::string* b,
               std::string* c, std::string* sn)
{
    return forward(handle, function, [&](void* sk) {
        std::vector<char> texts(4 * kMacTextCapacity, '\0');
        char* buffers[4] = {a ? &texts[0] : nullptr, b ? &texts[kMacTextCapacity] : nullptr,
                            c ? &texts[2 * kMacTextCapacity] : nullptr,
                            sn ? &texts[3 * kMacTextCapacity] : nullptr};
        if (!sensekern_get_mac_info(sk, buffers[0], buffers[1], buffers[2], buffers[3], nullptr)) {
            return false;
        }
        std::string* outs[4] = {a, b, c, sn};
        for (int i = 0; i < 4; ++i) {
            if (outs[i] != nullptr) {
                outs[i]->assign(buffers[i], strnlen(buffers[i], kMacTextCapacity));
            }
        }
        return true;
    });
}

// Imaging changes are manual: automatic imaging is switched off first and
// the document's palette type follows only when sensekern accepts.
template <class Call>
bool set_range(void* handle, const char* function, Call call)
{
    return with_doc(handle, function, [&](FrameDoc& doc) {
        doc.set_auto_imaging(false);
        if (!call(doc.sensekern_handle())) {
            return false;
        }
        doc.palette_type = PALETTE_TYPE_MANUAL;
        return true;
    });
}

}  // namespace

bool thermframe_get_temp_from_position(void* handle, uint16_t x, uint16_t y, float& t)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        thermframe::detail::direction_to_abs(doc.rotation.load(), doc.width.load(),
                                             doc.height.load(), x, y);
        return with_sensekern(doc, [&](void* sk) {
            uint16_t ad;
            return sensekern_get_temperature_and_ad_from_position(sk, x, y, &ad, &t);
        });
    });
}

bool thermframe_get_temp_from_ad(void* handle, uint16_t ad, float& t)
{
    return forward(handle, __func__,
                   [&](void* sk) { return sensekern_get_temperature_from_ad(sk, &ad, 1, &t); });
}

bool thermframe_get_temp_from_ad(void* handle, uint16_t* ads, uint32_t count, float* temps)
{
    if (ads == nullptr || temps == nullptr) {
        return false;
    }
    return forward(handle, __func__, [&](void* sk) {
        return sensekern_get_temperature_from_ad(sk, ads, count, temps);
    });
}

bool thermframe_get_ad_from_temp(void* handle, float t, uint16_t& ad)
{
    return forward(handle, __func__,
                   [&](void* sk) { return sensekern_get_ad_from_temperature(sk, t, &ad); });
}

namespace {

template <class Query>
bool extreme(void* handle, const char* function, Query query, uint16_t& x, uint16_t& y,
             uint16_t& ad, float& t)
{
    return with_doc(handle, function, [&](FrameDoc& doc) {
        tagPAD pad{};
        float value = 0.0f;
        if (!with_sensekern(doc, [&](void* sk) { return query(sk, &pad, &value); })) {
            return false;
        }
        to_display(doc, pad.x, pad.y);
        x = pad.x;
        y = pad.y;
        ad = pad.ad;
        t = value;
        return true;
    });
}

}  // namespace

bool thermframe_get_max_temp(void* handle, uint16_t& x, uint16_t& y, uint16_t& ad, float& t)
{
    return extreme(handle, __func__, sensekern_get_max_temperature, x, y, ad, t);
}

bool thermframe_get_min_temp(void* handle, uint16_t& x, uint16_t& y, uint16_t& ad, float& t)
{
    return extreme(handle, __func__, sensekern_get_min_temperature, x, y, ad, t);
}

bool thermframe_get_avg_temp(void* handle, uint16_t& ad, float& t)
{
    return forward_locked(handle, __func__,
                          [&](void* sk) { return sensekern_get_avg_temperature(sk, &ad, &t); });
}

bool thermframe_get_all_temp(void* handle, float* temps)
{
    if (temps == nullptr) {
        return false;
    }
    return forward_locked(handle, __func__,
                          [&](void* sk) { return sensekern_get_all_pixel_temperature(sk, temps); });
}

bool thermframe_get_line_temperature(void* handle, uint16_t x1, uint16_t y1, uint16_t x2,
                                     uint16_t y2, tagPAD* max_position, float* max,
                                     tagPAD* min_position, float* min, uint16_t* avg_ad, float* avg)
{
    return forward(handle, __func__, [&](void* sk) {
        return sensekern_get_line_temperature(sk, x1, y1, x2, y2, max_position, max, min_position,
                                              min, avg_ad, avg);
    });
}

bool thermframe_get_rect_temperature(void* handle, uint16_t x1, uint16_t y1, uint16_t x2,
                                     uint16_t y2, tagPAD* max_position, float* max,
                                     tagPAD* min_position, float* min, uint16_t* avg_ad, float* avg)
{
    return forward(handle, __func__, [&](void* sk) {
        return sensekern_get_rect_temperature(sk, x1, y1, x2, y2, max_position, max, min_position,
                                              min, avg_ad, avg);
    });
}

bool thermframe_get_line_temperature_ex(void* handle, uint16_t x1, uint16_t y1, uint16_t x2,
                                        uint16_t y2, uint16_t* max_x, uint16_t* max_y,
                                        uint16_t* max_ad, float* max, uint16_t* min_x,
                                        uint16_t* min_y, uint16_t* min_ad, float* min,
                                        uint16_t* avg_ad, float* avg)
{
    return forward(handle, __func__, [&](void* sk) {
        return sensekern_get_line_temperature_ex(sk, x1, y1, x2, y2, max_x, max_y, max_ad, max,
                                                 min_x, min_y, min_ad, min, avg_ad, avg);
    });
}

bool thermframe_get_rect_temperature_ex(void* handle, uint16_t x1, uint16_t y1, uint16_t x2,
                                        uint16_t y2, uint16_t* max_x, uint16_t* max_y,
                                        uint16_t* max_ad, float* max, uint16_t* min_x,
                                        uint16_t* min_y, uint16_t* min_ad, float* min,
                                        uint16_t* avg_ad, float* avg)
{
    return forward(handle, __func__, [&](void* sk) {
        return sensekern_get_rect_temperature_ex(sk, x1, y1, x2, y2, max_x, max_y, max_ad, max,
                                                 min_x, min_y, min_ad, min, avg_ad, avg);
    });
}

bool thermframe_get_emiss(void* handle, float& value) { return read_para(handle, __func__, 0, value); }
bool thermframe_get_dist(void* handle, float& value) { return read_para(handle, __func__, 1, value); }
bool thermframe_get_env_temp(void* handle, float& value) { return read_para(handle, __func__, 2, value); }
bool thermframe_get_rel_hum(void* handle, float& value) { return read_para(handle, __func__, 3, value); }
bool thermframe_get_modify_temp(void* handle, float& value) { return read_para(handle, __func__, 4, value); }

bool thermframe_get_enviroment_reference_temperature(void* handle, float& value)
{
    return read_para(handle, __func__, 5, value);
}

bool thermframe_get_temperature_unit(void* handle, TemperatureUnit& unit)
{
    return forward(handle, __func__, [&](void* sk) {
        return sensekern_get_temperature_para(sk, nullptr, nullptr, nullptr, nullptr, nullptr,
                                              nullptr, &unit);
    });
}

bool thermframe_set_emiss(void* handle, float value)
{
    return forward(handle, __func__, [&](void* sk) { return sensekern_set_emiss(sk, value); });
}

bool thermframe_set_dist(void* handle, float value)
{
    return forward(handle, __func__, [&](void* sk) { return sensekern_set_dist(sk, value); });
}

bool thermframe_set_env_temp(void* handle, float value)
{
    return forward(handle, __func__, [&](void* sk) { return sensekern_set_env_temp(sk, value); });
}

bool thermframe_set_rel_hum(void* handle, float value)
{
    return forward(handle, __func__, [&](void* sk) { return sensekern_set_rel_hum(sk, value); });
}

bool thermframe_set_modify_temp(void* handle, float value)
{
    return forward(handle, __func__, [&](void* sk) { return sensekern_set_modify_temp(sk, value); });
}

bool thermframe_set_enviroment_reference_temperature(void* handle, float value)
{
    return forward(handle, __func__, [&](void* sk) {
        return sensekern_set_enviroment_reference_temperature(sk, value);
    });
}

bool thermframe_set_temperature_unit(void* handle, TemperatureUnit unit)
{
    return forward(handle, __func__,
                   [&](void* sk) { return sensekern_set_temperature_unit(sk, pass_enum(unit)); });
}

bool thermframe_get_sensor_temp(void* handle, float* s1, float* s2, float* s3, float* s4,
                                float* s5, float* s6, float* s7, float* s8)
{
    return forward(handle, __func__, [&](void* sk) {
        void* calibration = nullptr;
        if (!sensekern_get_handle_of_ad_temp(sk, &calibration)) {
            return false;
        }
        return vy_at_get_sensor_temp(calibration, s1, s2, s3, s4, s5, s6, s7, s8);
    });
}

bool thermframe_get_supported_lens_info(void* handle, tagLenInfo* items, unsigned char* count)
{
    if (count == nullptr) {
        return false;
    }
    return forward(handle, __func__,
                   [&](void* sk) { return sensekern_get_supported_lens_info(sk, items, count); });
}

bool thermframe_get_cur_len_range_info(void* handle, tagLenInfo* info)
{
    if (info == nullptr) {
        return false;
    }
    return forward(handle, __func__,
                   [&](void* sk) { return sensekern_get_cur_len_range_info(sk, info); });
}

bool thermframe_get_mac_info(void* handle, std::string& a, std::string& b, std::string& c)
{
    return mac_texts(handle, __func__, &a, &b, &c, nullptr);
}

bool thermframe_get_detector_sn(void* handle, std::string& sn)
{
    return mac_texts(handle, __func__, nullptr, nullptr, nullptr, &sn);
}

bool thermframe_get_resolution(void* handle, uint16_t& width, uint16_t& height)
{
    return with_doc(handle, __func__,
                    [&](FrameDoc& doc) { return read_resolution(doc, width, height); });
}

bool thermframe_get_show_resolution(void* handle, uint16_t& width, uint16_t& height)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        if (!read_resolution(doc, width, height)) {
            return false;
        }
        const int32_t rotation = doc.rotation.load();
        if (rotation == ROTATION_90 || rotation == ROTATION_270) {
            std::swap(width, height);
        }
        return true;
    });
}

bool thermframe_set_wnd_show_resolution(void* handle, uint16_t width, uint16_t height)
{
    return with_doc(handle, __func__,
                    [&](FrameDoc& doc) { return doc.set_wnd_show_resolution(width, height); });
}

bool thermframe_get_rotation_angle(void* handle, RotationAngle& angle)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        angle = static_cast<RotationAngle>(doc.rotation.load());
        return true;
    });
}

bool thermframe_set_rotation_angle(void* handle, RotationAngle angle)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        const int32_t raw = raw_enum(angle);
        if (raw < ROTATION_UNSET || raw > ROTATION_180_ALT) {
            return false;
        }
        return doc.set_rotation_angle(static_cast<RotationAngle>(raw));
    });
}

bool thermframe_get_zoom_factor(void* handle, ImageZoomFactor& factor)
{
    return forward(handle, __func__, [&](void* sk) { return sensekern_get_zoom_factor(sk, &factor); });
}

bool thermframe_set_zoom_factor(void* handle, ImageZoomFactor factor)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) { return doc.set_zoom_factor(pass_enum(factor)); });
}

bool thermframe_pt_abs_to_direction(void* handle, uint16_t& x, uint16_t& y)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        to_display(doc, x, y);
        return true;
    });
}

bool thermframe_pt_direction_to_abs(void* handle, uint16_t& x, uint16_t& y)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        thermframe::detail::direction_to_abs(doc.rotation.load(), doc.width.load(),
                                             doc.height.load(), x, y);
        return true;
    });
}

bool thermframe_get_bits(void* handle, unsigned char* buffer, uint32_t& length)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        return with_sensekern(doc, [&](void* sk) {
            // The size is read again here: the frame may have changed its
            // resolution since the caller last asked.
            uint16_t w = 0;
            uint16_t h = 0;
            if (!read_resolution(doc, w, h)) {
                return false;
            }
            const uint64_t needed = static_cast<uint64_t>(w) * h * 4;
            if (needed > UINT32_MAX) {
                return false;
            }
            const uint32_t capacity = length;
            length = static_cast<uint32_t>(needed);
            if (buffer == nullptr) {
                return true;
            }
            if (capacity < needed) {
                TF_ERROR("thermframe_get_bits", "buffer of %u bytes for a %ux%u frame", capacity,
                         w, h);
                return false;
            }
            uint32_t sensekern_capacity = capacity;
            return sensekern_get_bits(sk, buffer, &sensekern_capacity);
        });
    });
}

bool thermframe_get_palette(void* handle, PALETTE& palette)
{
    return forward(handle, __func__, [&](void* sk) { return sensekern_get_palette(sk, &palette); });
}

bool thermframe_set_palette(void* handle, PALETTE palette)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        doc.set_auto_imaging(false);
        return sensekern_set_palette(doc.sensekern_handle(), pass_enum(palette));
    });
}

bool thermframe_get_palette_type(void* handle, PaletteType& type)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        type = static_cast<PaletteType>(doc.palette_type.load());
        return true;
    });
}

bool thermframe_set_palette_type(void* handle, PaletteType type)
{
    return with_doc(handle, __func__, [&](FrameDoc& doc) {
        switch (raw_enum(type)) {
        case PALETTE_TYPE_MANUAL:
            doc.set_auto_imaging(false);
            doc.palette_type = PALETTE_TYPE_MANUAL;
            return true;
        case PALETTE_TYPE_AUTO_ONCE:
            doc.set_auto_imaging(false);
            if (!sensekern_auto_imaging(doc.sensekern_handle())) {
                return false;
            }
            doc.palette_type = PALETTE_TYPE_AUTO_ONCE;
            return true;
        case PALETTE_TYPE_AUTO_EVERY_FRAME:
            if (!doc.set_auto_imaging(true)) {
                return false;
            }
            doc.palette_type = PALETTE_TYPE_AUTO_EVERY_FRAME;
            return true;
        default:
            return false;
        }
    });
}

bool thermframe_get_imaging_range(void* handle, uint16_t& low, uint16_t& high)
{
    return forward(handle, __func__,
                   [&](void* sk) { return sensekern_get_imaging_range(sk, &low, &high); });
}

bool thermframe_set_imaging_range(void* handle, uint16_t low, uint16_t high)
{
    return set_range(handle, __func__,
                     [&](void* sk) { return sensekern_set_imaging_range(sk, low, high); });
}

bool thermframe_set_low_of_imaging_range(void* handle, uint16_t low)
{
    return set_range(handle, __func__,
                     [&](void* sk) { return sensekern_set_low_of_imaging_range(sk, low); });
}

bool thermframe_set_high_of_imaging_range(void* handle, uint16_t high)
{
    return set_range(handle, __func__,
                     [&](void* sk) { return sensekern_set_high_of_imaging_range(sk, high); });
}

bool thermframe_get_imaging_algorithm_mode(void* handle, ImagingAlgorithmMode* mode)
{
    if (mode == nullptr) {
        return false;
    }
    return forward(handle, __func__,
                   [&](void* sk) { return sensekern_get_imaging_algorithm_mode(sk, mode); });
}

bool thermframe_set_imaging_algorithm_mode(void* handle, ImagingAlgorithmMode mode)
{
    return forward(handle, __func__,
                   [&](void* sk) { return sensekern_set_imaging_algorithm_mode(sk, pass_enum(mode)); });
}

bool thermframe_enable_image_process(void* handle, bool on)
{
    return forward(handle, __func__, [&](void* sk) { return sensekern_enable_image_process(sk, on); });
}

bool thermframe_enable_image_stabilization(void* handle)
{
    return forward(handle, __func__, [&](void* sk) { return sensekern_enable_image_stabilization(sk); });
}

bool thermframe_disable_image_stabilization(void* handle)
{
    return forward(handle, __func__,
                   [&](void* sk) { return sensekern_disable_image_stabilization(sk); });
}

namespace {

bool set_flag(void* handle, const char* function, std::atomic<bool> FrameDoc::*flag, bool on)
{
    return with_doc(handle, function, [&](FrameDoc& doc) {
        (doc.*flag) = on;
        return true;
    });
}

bool get_flag(void* handle, const char* function, std::atomic<bool> FrameDoc::*flag, bool& on)
{
    return with_doc(handle, function, [&](FrameDoc& doc) {
        on = (doc.*flag).load();
        return true;
    });
}

}  // namespace

bool thermframe_show_max(void* handle, bool on) { return set_flag(handle, __func__, &FrameDoc::show_max, on); }
bool thermframe_show_min(void* handle, bool on) { return set_flag(handle, __func__, &FrameDoc::show_min, on); }
bool thermframe_is_show_max(void* handle, bool& on) { return get_flag(handle, __func__, &FrameDoc::show_max, on); }
bool thermframe_is_show_min(void* handle, bool& on) { return get_flag(handle, __func__, &FrameDoc::show_min, on); }

bool thermframe_set_use_default_imaging_para_open_file(void* handle, bool on)
{
    return set_flag(handle, __func__, &FrameDoc::use_default_imaging, on);
}

bool thermframe_is_use_default_imaging_para_open_file(void* handle, bool& on)
{
    return get_flag(handle, __func__, &FrameDoc::use_default_imaging, on);
}

bool thermframe_set_sound_data(void* handle, unsigned char* data, uint32_t length)
{
    return set_buffer(handle, __func__, &FrameDoc::sound, data, length);
}

bool thermframe_get_sound_data(void* handle, unsigned char* buffer, uint32_t& length)
{
    return get_buffer(handle, __func__, &FrameDoc::sound, buffer, length);
}

bool thermframe_set_user_data(void* handle, unsigned char* data, uint32_t length)
{
    return set_buffer(handle, __func__, &FrameDoc::user, data, length);
}

bool thermframe_get_user_data(void* handle, unsigned char* buffer, uint32_t& length)
{
    return get_buffer(handle, __func__, &FrameDoc::user, buffer, length);
}

bool thermframe_start_record(void* handle, std::string& path, void*& record)
{
    return forward_locked(handle, __func__,
                          [&](void* sk) { return sensekern_start_record(sk, path.c_str(), &record); });
}

bool thermframe_start_record_w(void* handle, std::wstring& path, void*& record)
{
    return forward_locked(handle, __func__, [&](void* sk) {
        return sensekern_start_record_w(sk, path.c_str(), &record);
    });
}

bool thermframe_record_one_frame(void* handle, void* record, uint16_t mark_length, void* mark)
{
    return forward_locked(handle, __func__, [&](void* sk) {
        return sensekern_record_one_frame(sk, record, mark_length, mark);
    });
}

bool thermframe_stop_record(void* handle, void*& record, uint32_t note_length, void* note)
{
    return forward_locked(handle, __func__, [&](void* sk) {
        return sensekern_stop_record(sk, &record, note_length, note);
    });
}

bool thermframe_get_record_file_length(void* handle, void* record, uint32_t& length)
{
    return forward_locked(handle, __func__, [&](void* sk) {
        return sensekern_get_record_file_length(sk, record, &length);
    });
}

namespace {

template <class Call>
bool append(void* handle, const char* function, Call call)
{
    return with_doc(handle, function, [&](FrameDoc& doc) {
        AttachedCopy copy;
        if (!copy_attached(doc, copy)) {
            return false;
        }
        return with_sensekern(doc, [&](void* sk) { return call(sk, copy); });
    });
}

}  // namespace

bool thermframe_append_temperature_to_file(void* handle, std::string path)
{
    return append(handle, __func__, [&](void* sk, const AttachedCopy& c) {
        return sensekern_append_temperature_to_file(sk, path.c_str(), bytes(c.third), size32(c.third),
                                                    bytes(c.sound), size32(c.sound), bytes(c.user),
                                                    size32(c.user));
    });
}

bool thermframe_append_temperature_to_file_w(void* handle, std::wstring path)
{
    return append(handle, __func__, [&](void* sk, const AttachedCopy& c) {
        return sensekern_append_temperature_to_file_w(sk, path.c_str(), bytes(c.third),
                                                      size32(c.third), bytes(c.sound),
                                                      size32(c.sound), bytes(c.user), size32(c.user));
    });
}

bool thermframe_append_sgcc_to_file(void* handle, std::string path)
{
    return append(handle, __func__, [&](void* sk, const AttachedCopy& c) {
        return sensekern_append_temperature_to_national_grid_file(sk, path.c_str(), bytes(c.user),
                                                                  size32(c.user));
    });
}

bool thermframe_append_sgcc_to_file_w(void* handle, std::wstring path)
{
    return append(handle, __func__, [&](void* sk, const AttachedCopy& c) {
        return sensekern_append_temperature_to_national_grid_file_w(sk, path.c_str(), bytes(c.user),
                                                                    size32(c.user));
    });
}

bool thermframe_set_anas_scale(void*, const double&, const double&)
{
    return false;
}
