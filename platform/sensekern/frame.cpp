// The frame object: its AD plane in framekit, its temperature source
// (tempcore calibration, or the table a loaded picture carries) and its
// environment parameters.
#include "frame.h"

#include "basekit.h"
#include "engine_stock.h"
#include "handle_registry.h"
#include "palettor.h"
#include "tempcore.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace sensekern {
namespace detail {
namespace {

float to_unit(float celsius_or_f, int32_t from, int32_t to)
{
    if (from == to) {
        return celsius_or_f;
    }
    return to == 1 ? celsius_or_f * 1.8f + 32.0f : (celsius_or_f - 32.0f) / 1.8f;
}

}  // namespace

Frame::Frame() : _VYBaseObject(kFrameTag)
{
    if (!vy_ad_init(&ad_, 0, 1)) {
        ad_ = nullptr;
        return;
    }
    if (!vy_ad_get_handle_of_imaging(ad_, &imaging_)) {
        vy_ad_uninit(&ad_);
    }
}

Frame::~Frame()
{
    if (ad_ != nullptr) {
        vy_ad_uninit(&ad_);
    }
    drop_engine();
}

void Frame::drop_engine()
{
    if (calib_ != nullptr && engine_as_made_ && model_.present()) {
        give_back_engine(calib_, std::move(model_), engine_params_);
        calib_ = nullptr;
    } else if (calib_ != nullptr) {
        vy_at_uninit(&calib_);
    }
    model_ = Model();
    engine_as_made_ = false;
}

Frame* frame_of(void* handle)
{
    if (!_VYBaseObject::is_valid_handle(handle, kFrameTag)) {
        return nullptr;
    }
    return static_cast<Frame*>(static_cast<_VYBaseObject*>(handle));
}

bool valid_size(uint32_t width, uint32_t height)
{
    return width >= VY_AD_MIN_SIDE && height >= VY_AD_MIN_SIDE && width <= SENSEKERN_MAX_SIDE &&
           height <= SENSEKERN_MAX_SIDE;
}

// --- calibration -------------------------------------------------------------------

namespace {

// Selects a lens and range on an engine and computes its table for the
// sensor readings.
bool select_on(void* engine, int32_t lens, int32_t range, const float sensors[5])
{
    return vy_at_set_len_type_and_meas_range(engine, lens, range) && apply_sensors(engine, lens, range, sensors);
}

}  // namespace

bool apply_sensors(void* engine, int32_t lens, int32_t range, const float s[5])
{
    int environment = 0;
    if (!vy_at_update_temperature_sensor(engine, s[0], s[1], s[2], s[3], s[4], &environment)) {
        return false;
    }
    // The readings may have moved the engine to its other calibration
    // environment; lens and range are then taken from there. Where that
    // environment lacks them the engine goes back to the one that has them,
    // so that selection and environment agree and the frame keeps a model.
    if (!vy_at_set_len_type_and_meas_range(engine, lens, range) &&
        !(vy_at_set_calibrate_enviroment(engine, 1 - environment) &&
          vy_at_set_len_type_and_meas_range(engine, lens, range))) {
        return false;
    }
    return vy_at_calc_base_temp(engine);
}

bool Frame::load_calibration(const char* path)
{
    void* engine = nullptr;
    if (path == nullptr || !vy_at_init(&engine)) {
        return false;
    }
    unsigned char count = 0;
    bool ok = vy_at_load_calibrate_data_from_file(engine, path) &&
              vy_at_get_supported_lens_info(engine, nullptr, &count) && count > 0;
    if (ok) {
        std::vector<tagLenInfo> lenses(count);
        ok = vy_at_get_supported_lens_info(engine, lenses.data(), &count) && lenses[0].range_count > 0 &&
             select_on(engine, lenses[0].len_type, lenses[0].ranges[0].meas_range, sensors_);
    }
    // The environment the frame had so far carries over.
    Params keep;
    ok = ok && get_params(&keep) &&
         vy_at_set_temperature_para(engine, keep.unit, keep.emissivity, keep.distance, keep.ambient, keep.humidity,
                                    keep.modify, keep.reference);
    if (!ok) {
        SK_LOG("Frame::load_calibration", "calibration data %s can not be used", path);
        vy_at_uninit(&engine);
        return false;
    }
    // The engine is the file's now, not one made from a picture's model.
    drop_engine();
    calib_ = engine;
    table_ = Table();
    matrix_.clear();
    para_record_.clear();
    return true;
}

bool Frame::select_len_and_range(int32_t lens, int32_t range)
{
    if (calib_ == nullptr) {
        SK_LOG("Frame::select_len_and_range", "no calibration data is loaded");
        return false;
    }
    engine_as_made_ = false;
    if (!select_on(calib_, lens, range, sensors_)) {
        SK_LOG("Frame::select_len_and_range", "lens %d range %d can not be selected", lens, range);
        return false;
    }
    return true;
}

bool Frame::set_sensors(const float s[5])
{
    for (int i = 0; i < 5; ++i) {
        if (!std::isfinite(s[i])) {
            return false;
        }
    }
    std::copy(s, s + 5, sensors_);
    if (calib_ == nullptr) {
        return true;
    }
    engine_as_made_ = false;
    tagLenInfo current{};
    if (!vy_at_get_cur_len_range_info(calib_, &current) || current.range_count == 0) {
        int environment = 0;
        return vy_at_update_temperature_sensor(calib_, s[0], s[1], s[2], s[3], s[4], &environment) &&
               vy_at_calc_base_temp(calib_);
    }
    return apply_sensors(calib_, current.len_type, current.ranges[0].meas_range, s);
}

// --- plane ------------------------------------------------------------------------------

bool Frame::set_plane(const uint16_t* ad, uint16_t width, uint16_t height, const char* function, Plane* own)
{
    if (ad == nullptr || !valid_size(width, height)) {
        SK_LOG(function, "frame %ux%u is refused", static_cast<unsigned>(width), static_cast<unsigned>(height));
        return false;
    }
    if ((width != width_ || height != height_) && !vy_ad_set_resolution(ad_, width, height)) {
        return false;
    }
    std::size_t n = static_cast<std::size_t>(width) * height;
    if (!vy_ad_set_data_checked(ad_, reinterpret_cast<const uint8_t*>(ad), static_cast<uint32_t>(2 * n))) {
        SK_LOG(function, "frame data is refused");
        width_ = height_ = 0;
        plane_.clear();
        return false;
    }
    width_ = width;
    height_ = height;
    if (own != nullptr && own->size() == n && own->data() == ad) {
        plane_.swap(*own);
    } else {
        plane_.assign(ad, ad + n);
    }
    matrix_.clear();
    stored_view_ = View();
    return true;
}

bool Frame::commit(LoadedFrame&& data, bool with_anas, const char* function)
{
    const bool modelled = data.model.present() && adopt_model(data, function);
    Plane& plane = modelled && !data.model_plane.empty() ? data.model_plane : data.plane;
    if (!set_plane(plane.data(), data.width, data.height, function, &plane)) {
        return false;
    }
    if (!modelled) {
        drop_engine();
    }
    stored_view_ = data.view;
    if (!modelled) {
        matrix_ = std::move(data.matrix);
    }
    params_ = data.params;
    table_ = modelled ? Table() : std::move(data.table);
    para_record_ = std::move(data.para_record);
    lens_ = data.lens;
    lenses_ = std::move(data.lenses);
    has_lens_ = data.has_lens;
    mac_ = data.mac;
    time_ = data.time;
    attached_ = std::move(data.attached);
    if (!with_anas) {
        return true;
    }
    vy_ad_delete_all_ana(ad_);
    ana_texts_.clear();
    for (AnaRecord& r : data.anas) {
        tagVYAnaInfo info = r.info;
        info.alias = r.alias.empty() ? nullptr : &r.alias[0];
        info.des = r.des.empty() ? nullptr : &r.des[0];
        info.cursor = r.has_cursor ? &r.cursor : nullptr;
        if (!vy_ad_add_ana(ad_, r.text.c_str(), &info)) {
            SK_LOG(function, "analysis %s of the file is skipped", r.text.c_str());
            continue;
        }
        remember_text(r.text);
    }
    return true;
}

// --- temperatures -----------------------------------------------------------------------

bool Frame::convert(const uint16_t* ad, std::size_t count, float* out, bool own, float emissivity,
                    float distance)
{
    if (count > static_cast<std::size_t>(VY_AD_MAX_PIXELS)) {
        return false;
    }
    int n = static_cast<int>(count);
    if (calib_ != nullptr) {
        if (own) {
            engine_as_made_ = false;
            return vy_at_get_temperature_from_ad_ex(calib_, ad, n, emissivity, distance, out);
        }
        return vy_at_get_temperature_from_ad(calib_, ad, n, out);
    }
    if (table_.empty()) {
        SK_LOG("Frame::convert", "the frame has no calibration and no temperature table");
        return false;
    }
    // A stored table holds the temperatures at the parameters of the picture;
    // other own parameters could only be honoured with the calibration.
    if (own && (std::fabs(emissivity - params_.emissivity) > 1e-6f ||
                std::fabs(distance - params_.distance) > 1e-6f)) {
        SK_LOG("Frame::convert", "own parameters %.2f, %.2f need the calibration data", emissivity, distance);
        return false;
    }
    const std::size_t last = table_.values.size() - 1;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t k = ad[i] < table_.first ? 0 : std::min<std::size_t>(ad[i] - table_.first, last);
        out[i] = table_.values[k];
    }
    return apply_table_unit(out, count, table_.unit);
}

bool Frame::apply_table_unit(float* values, std::size_t count, int32_t from) const
{
    if (from != params_.unit) {
        for (std::size_t i = 0; i < count; ++i) {
            values[i] = to_unit(values[i], from, params_.unit);
        }
    }
    return true;
}

bool Frame::pixel_temperature(uint16_t x, uint16_t y, uint16_t ad, float* out)
{
    if (!matrix_.empty() && x < width_ && y < height_) {
        // The exact temperatures of a national-grid picture, kept in Celsius.
        *out = to_unit(matrix_[static_cast<std::size_t>(y) * width_ + x], 0, params_.unit);
        return true;
    }
    return convert(&ad, 1, out);
}

bool Frame::all_temperatures(float* out)
{
    if (matrix_.empty()) {
        return convert(plane_.data(), plane_.size(), out);
    }
    for (std::size_t i = 0; i < matrix_.size(); ++i) {
        out[i] = to_unit(matrix_[i], 0, params_.unit);
    }
    return true;
}

bool Frame::ana_self_para(const char* ana, bool* own, float* emissivity, float* distance)
{
    uint8_t flag = 0;
    uint32_t e_bits = 0;
    uint32_t d_bits = 0;
    if (!vy_ana_get_self_para(ad_, ana, &flag, &e_bits, &d_bits)) {
        return false;
    }
    *own = flag != 0;
    std::memcpy(emissivity, &e_bits, 4);
    std::memcpy(distance, &d_bits, 4);
    return true;
}

bool Frame::ana_temperature(const char* ana, uint16_t x, uint16_t y, uint16_t ad, float* out)
{
    bool own = false;
    float e = 0.0f;
    float d = 0.0f;
    if (!ana_self_para(ana, &own, &e, &d)) {
        return false;
    }
    return own ? convert(&ad, 1, out, true, e, d) : pixel_temperature(x, y, ad, out);
}

bool Frame::ad_from_temperature(float t, uint16_t* ad)
{
    if (calib_ != nullptr) {
        return vy_at_get_ad_from_temperature(calib_, t, ad);
    }
    if (table_.empty() || !std::isfinite(t)) {
        return false;
    }
    // The nearest table entry; tables are small and not always monotonic.
    float target = to_unit(t, params_.unit, table_.unit);
    std::size_t best = 0;
    float best_diff = std::fabs(table_.values[0] - target);
    for (std::size_t i = 1; i < table_.values.size(); ++i) {
        float diff = std::fabs(table_.values[i] - target);
        if (diff < best_diff) {
            best = i;
            best_diff = diff;
        }
    }
    *ad = static_cast<uint16_t>(table_.first + best);
    return true;
}

bool Frame::make_table(uint16_t first, uint16_t last, Table* out)
{
    if (last < first) {
        return false;
    }
    std::vector<uint16_t> ads(static_cast<std::size_t>(last - first) + 1);
    for (std::size_t i = 0; i < ads.size(); ++i) {
        ads[i] = static_cast<uint16_t>(first + i);
    }
    Params p;
    if (!get_params(&p)) {
        return false;
    }
    out->first = first;
    out->unit = p.unit;
    out->values.resize(ads.size());
    return convert(ads.data(), ads.size(), out->values.data());
}

// --- parameters -----------------------------------------------------------------------------

bool Frame::get_params(Params* out)
{
    if (calib_ == nullptr) {
        *out = params_;
        return true;
    }
    int unit = 0;
    bool ok = vy_at_get_temperature_para(calib_, &unit, &out->emissivity, &out->distance, &out->ambient,
                                         &out->humidity, &out->modify, &out->reference);
    out->unit = unit;
    return ok;
}

bool Frame::set_param(Param which, float value)
{
    if (!std::isfinite(value)) {
        return false;
    }
    if (calib_ != nullptr) {
        engine_as_made_ = false;
        switch (which) {
        case Param::emissivity: return vy_at_set_emiss(calib_, value);
        case Param::distance: return vy_at_set_dist(calib_, value);
        case Param::ambient: return vy_at_set_env_temp(calib_, value);
        case Param::humidity: return vy_at_set_rel_hum(calib_, value);
        case Param::modify: return vy_at_set_modify_temp(calib_, value);
        case Param::reference: return vy_at_set_enviroment_reference_temperature(calib_, value);
        }
        return false;
    }
    float* field = nullptr;
    switch (which) {
    case Param::emissivity: field = &params_.emissivity; break;
    case Param::distance: field = &params_.distance; break;
    case Param::ambient: field = &params_.ambient; break;
    case Param::humidity: field = &params_.humidity; break;
    case Param::modify: field = &params_.modify; break;
    case Param::reference: field = &params_.reference; break;
    }
    // The temperatures of a stored table belong to its parameters: a change
    // would leave them wrong, so it is refused; the same value is accepted.
    if (!table_.empty() && *field != value) {
        SK_LOG("Frame::set_param", "the frame has no calibration data: its temperatures can not follow a new parameter");
        return false;
    }
    *field = value;
    return true;
}

bool Frame::set_unit(int32_t unit)
{
    if (unit != 0 && unit != 1) {
        return false;
    }
    if (calib_ != nullptr) {
        engine_as_made_ = false;
        return vy_at_set_temperature_unit(calib_, unit);
    }
    params_.unit = unit;
    return true;
}

bool Frame::para_record(std::vector<uint8_t>* out)
{
    if (calib_ == nullptr) {
        *out = para_record_;
        return true;
    }
    int length = 48;
    out->assign(48, 0);
    return vy_at_save_temperature_para_to_buffer(calib_, out->data(), &length) && length == 48;
}

bool Frame::lens_info(tagLenInfo* info)
{
    if (calib_ != nullptr) {
        return vy_at_get_cur_len_range_info(calib_, info);
    }
    if (!has_lens_) {
        return false;
    }
    *info = lens_;
    return true;
}

bool Frame::supported_lens_info(tagLenInfo* items, unsigned char* count)
{
    if (calib_ != nullptr) {
        return vy_at_get_supported_lens_info(calib_, items, count);
    }
    if (items == nullptr) {
        *count = static_cast<unsigned char>(lenses_.size());
        return true;
    }
    if (*count != lenses_.size()) {
        return false;
    }
    std::copy(lenses_.begin(), lenses_.end(), items);
    return true;
}

void Frame::mac_texts(MacTexts* out)
{
    if (calib_ == nullptr) {
        *out = mac_;
        return;
    }
    char texts[kMacTexts][SENSEKERN_MAC_TEXT_CAPACITY] = {};
    vy_at_get_mac_info(calib_, texts[0], texts[1], texts[2], texts[3], texts[4]);
    for (int i = 0; i < kMacTexts; ++i) {
        texts[i][SENSEKERN_MAC_TEXT_CAPACITY - 1] = '\0';
        (*out)[i] = texts[i];
    }
}

bool copy_out(const std::vector<uint8_t>& bytes, uint8_t* buffer, uint32_t* length)
{
    if (bytes.size() > UINT32_MAX) {
        return false;
    }
    uint32_t capacity = *length;
    *length = static_cast<uint32_t>(bytes.size());
    if (buffer == nullptr) {
        return true;
    }
    if (capacity < bytes.size()) {
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), buffer);
    return true;
}

void copy_mac_texts(const MacTexts& texts, char* productor, char* mac_type, char* mac_sn, char* detector_sn,
                    char* date_time)
{
    char* outs[kMacTexts] = {productor, mac_type, mac_sn, detector_sn, date_time};
    for (int i = 0; i < kMacTexts; ++i) {
        if (outs[i] != nullptr) {
            std::size_t n = std::min<std::size_t>(texts[i].size(), SENSEKERN_MAC_TEXT_CAPACITY - 1);
            std::memcpy(outs[i], texts[i].data(), n);
            outs[i][n] = '\0';
        }
    }
}

// --- analysis texts -----------------------------------------------------------------------

bool canonical_key(const char* text, std::string* key)
{
    AnaType type;
    if (text == nullptr || text[0] == '\0' || vy_parse_ana_type_of_char(text[0], &type) != VY_OK) {
        return false;
    }
    tagVYPoint nodes[VY_ANA_MAX_POLY_NODES];
    int count = VY_ANA_MAX_POLY_NODES;
    if (vy_parse_pts_from_ana_str(text, nodes, &count) != VY_OK) {
        return false;
    }
    char buffer[VY_ANA_STR_CAPACITY];
    int length = VY_ANA_STR_CAPACITY;
    if (vy_format_ana_str(type, nodes, count, buffer, &length) != VY_OK) {
        return false;
    }
    key->assign(buffer, static_cast<std::size_t>(length));
    return true;
}

std::string Frame::text_of_key(const std::string& key) const
{
    auto it = ana_texts_.find(key);
    return it == ana_texts_.end() ? key : it->second;
}

void Frame::remember_text(const std::string& text)
{
    std::string key;
    if (canonical_key(text.c_str(), &key)) {
        ana_texts_[key] = text;
    }
}

void Frame::forget_text(const std::string& text)
{
    std::string key;
    if (canonical_key(text.c_str(), &key)) {
        ana_texts_.erase(key);
    }
}

}  // namespace detail
}  // namespace sensekern
