// The calibration model a picture or recording stores so that its
// temperatures can be computed again for new parameters, and the stored
// display settings.
#include "engine_stock.h"
#include "frame.h"
#include "picture_block.h"

#include "palettor.h"
#include "tempcore.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace sensekern {
namespace detail {
namespace {

// The stored table was made with the model at the stored parameters; an
// engine that gives other temperatures (another model version, damaged
// data) must not replace it.
constexpr float kModelTolerance = 0.05f;

// The ADs and stored temperatures a model must reproduce: the table's
// first, middle and last entry, or for a national-grid picture the
// detector's ADs of its coldest, hottest and first pixel with the matrix.
std::vector<std::pair<uint16_t, float>> check_points(const LoadedFrame& data)
{
    std::vector<std::pair<uint16_t, float>> points;
    if (!data.model_plane.empty()) {
        if (data.model_plane.size() != data.matrix.size() || data.matrix.empty()) {
            return points;
        }
        auto range = std::minmax_element(data.matrix.begin(), data.matrix.end());
        for (std::size_t i : {std::size_t{0}, static_cast<std::size_t>(range.first - data.matrix.begin()),
                              static_cast<std::size_t>(range.second - data.matrix.begin())}) {
            const float t = data.params.unit == 1 ? data.matrix[i] * 1.8f + 32.0f : data.matrix[i];
            points.emplace_back(data.model_plane[i], t);
        }
        return points;
    }
    const Table& table = data.table;
    if (!table.empty()) {
        const std::size_t last = table.values.size() - 1;
        for (std::size_t i : {std::size_t{0}, last / 2, last}) {
            points.emplace_back(static_cast<uint16_t>(table.first + i), table.values[i]);
        }
    }
    return points;
}

bool agrees(void* engine, const std::vector<std::pair<uint16_t, float>>& points)
{
    for (const auto& point : points) {
        float t = 0.0f;
        if (!vy_at_get_temperature_from_ad(engine, &point.first, 1, &t) || !std::isfinite(t) ||
            std::fabs(t - point.second) > kModelTolerance) {
            return false;
        }
    }
    return !points.empty();
}

bool same_params(void* engine, const Params& p)
{
    int unit = 0;
    Params now;
    return vy_at_get_temperature_para(engine, &unit, &now.emissivity, &now.distance, &now.ambient, &now.humidity,
                                      &now.modify, &now.reference) &&
           unit == p.unit && now.emissivity == p.emissivity && now.distance == p.distance &&
           now.ambient == p.ambient && now.humidity == p.humidity && now.modify == p.modify &&
           now.reference == p.reference;
}

// vy_at_set_temperature_para keeps a held value that is within 0.001 of the
// new one, as a user's setting should; a picture's stored parameters must be
// taken as they are, whatever the engine held before. Such a near value is
// first moved well away, so that the second call stores the stored one.
bool set_params_exactly(void* engine, const Params& p)
{
    int unit = 0;
    Params now;
    if (!vy_at_get_temperature_para(engine, &unit, &now.emissivity, &now.distance, &now.ambient, &now.humidity,
                                    &now.modify, &now.reference)) {
        return false;
    }
    bool near = false;
    Params away = p;
    auto apart = [&near](float held, float target, float step, float* out) {
        if (held != target && std::fabs(held - target) < 0.001f) {
            *out = target + step;
            near = true;
        }
    };
    apart(now.emissivity, p.emissivity, p.emissivity > 0.5f ? -0.5f : 0.5f, &away.emissivity);
    apart(now.distance, p.distance, 1.0f, &away.distance);
    apart(now.ambient, p.ambient, p.ambient > 0.0f ? -1.0f : 1.0f, &away.ambient);
    apart(now.humidity, p.humidity, p.humidity > 0.5f ? -0.5f : 0.5f, &away.humidity);
    apart(now.modify, p.modify, p.modify > 0.0f ? -1.0f : 1.0f, &away.modify);
    if (near && !vy_at_set_temperature_para(engine, p.unit, away.emissivity, away.distance, away.ambient,
                                            away.humidity, away.modify, away.reference)) {
        return false;
    }
    return vy_at_set_temperature_para(engine, p.unit, p.emissivity, p.distance, p.ambient, p.humidity, p.modify,
                                      p.reference);
}

}  // namespace

bool Frame::adopt_model(const LoadedFrame& data, const char* function)
{
    const Model& m = data.model;
    const Params& p = data.params;
    const bool reuse = calib_ != nullptr && model_.present() && model_.calibration == m.calibration &&
                       model_.lens == m.lens && model_.range == m.range;
    // An engine of the stock was made from this very model at these
    // parameters and needs nothing more.
    void* engine = reuse ? calib_ : take_engine(m, p);
    const bool kept = !reuse && engine != nullptr;
    // A reused engine stays as made only while its inputs stay the same to the bit.
    bool as_made = kept || !reuse ||
                   (engine_as_made_ && std::memcmp(m.sensors, model_.sensors, sizeof(m.sensors)) == 0);
    bool ok = true;
    if (!reuse && !kept) {
        ok = vy_at_init(&engine) &&
             vy_at_load_calibrate_data_from_bytes(engine, m.calibration.data(),
                                                  static_cast<uint32_t>(m.calibration.size())) &&
             vy_at_set_len_type_and_meas_range(engine, static_cast<LenType>(m.lens), static_cast<MeasRange>(m.range));
    }
    if (ok && !kept && (!reuse || !std::equal(m.sensors, m.sensors + 5, model_.sensors))) {
        ok = apply_sensors(engine, m.lens, m.range, m.sensors);
        as_made = as_made && !reuse;
    }
    if (ok && !kept && !same_params(engine, p)) {
        ok = set_params_exactly(engine, p);
        as_made = as_made && !reuse;
    }
    ok = ok && agrees(engine, check_points(data));
    if (!ok) {
        SK_LOG(function, "the stored calibration model is not used: the frame converts with its stored table only");
        if (engine != nullptr) {
            vy_at_uninit(&engine);
        }
        if (reuse) {
            calib_ = nullptr;
            model_ = Model();
            engine_as_made_ = false;
        }
        return false;
    }
    if (!reuse) {
        drop_engine();
        engine_params_ = p;
    }
    calib_ = engine;
    model_ = m;
    engine_as_made_ = as_made;
    std::copy(m.sensors, m.sensors + 5, sensors_);
    return true;
}

bool Frame::model(Model* out)
{
    if (calib_ == nullptr) {
        return false;
    }
    tagLenInfo current{};
    if (!vy_at_get_cur_len_range_info(calib_, &current) || current.range_count == 0) {
        return false;
    }
    Model m;
    if (model_.present()) {
        m.calibration = model_.calibration;
    } else {
        int length = 0;
        if (!vy_at_save_calibrate_data_to_buffer(calib_, nullptr, &length) || length <= 0) {
            return false;
        }
        m.calibration.resize(static_cast<std::size_t>(length));
        if (!vy_at_save_calibrate_data_to_buffer(calib_, m.calibration.data(), &length)) {
            return false;
        }
        m.calibration.resize(static_cast<std::size_t>(length));
    }
    m.lens = current.len_type;
    m.range = current.ranges[0].meas_range;
    std::copy(sensors_, sensors_ + 5, m.sensors);
    *out = std::move(m);
    return true;
}

bool Frame::view(View* out)
{
    int32_t palette = 0;
    int32_t type = 0;
    View v;
    if (!palettor_get_palette(imaging_, &palette) || !palettor_get_imaging_type(imaging_, &type)) {
        return false;
    }
    const bool range = type == PALETTOR_IMAGING_AUTO ? palettor_get_auto_range(imaging_, &v.low, &v.high)
                                                     : palettor_get_range(imaging_, &v.low, &v.high);
    if (!range || palette < 0 || palette >= PAL_COUNT) {
        return false;
    }
    v.present = true;
    v.palette = static_cast<uint8_t>(palette);
    v.imaging = static_cast<uint8_t>(type);
    *out = v;
    return true;
}

// --- records ----------------------------------------------------------------------------

void write_model(ByteWriter& w, const Model& m)
{
    w.u32(static_cast<uint32_t>(m.lens));
    w.u32(static_cast<uint32_t>(m.range));
    for (float s : m.sensors) {
        w.f32(s);
    }
    w.u32(static_cast<uint32_t>(m.calibration.size()));
    w.raw(m.calibration.data(), m.calibration.size());
}

bool read_model(ByteReader& in, Model* out)
{
    Model m;
    m.lens = static_cast<int32_t>(in.u32());
    m.range = static_cast<int32_t>(in.u32());
    for (float& s : m.sensors) {
        s = in.f32();
        if (!std::isfinite(s)) {
            return false;
        }
    }
    const uint32_t length = in.u32();
    const uint8_t* p = length != 0 && length <= kMaxCalibrationBytes ? in.span(length) : nullptr;
    if (p == nullptr || m.lens < 0 || m.lens > 255 || m.range < 0 || m.range > 255) {
        return false;
    }
    m.calibration.assign(p, p + length);
    *out = std::move(m);
    return true;
}

void write_view(ByteWriter& w, const View& v)
{
    w.u8(v.palette);
    w.u8(v.imaging);
    w.u16(v.low);
    w.u16(v.high);
}

bool read_view(ByteReader& in, View* out)
{
    View v;
    v.palette = in.u8();
    v.imaging = in.u8();
    v.low = in.u16();
    v.high = in.u16();
    if (!in.ok() || v.palette >= PAL_COUNT ||
        (v.imaging != PALETTOR_IMAGING_AUTO && v.imaging != PALETTOR_IMAGING_MANUAL && v.imaging != PALETTOR_IMAGING_FIRE_FIGHTING)) {
        return false;
    }
    v.present = true;
    *out = v;
    return true;
}

}  // namespace detail
}  // namespace sensekern

bool sensekern_get_stored_view(void* handle, PALETTE* palette, int32_t* imaging, uint16_t* low, uint16_t* high)
{
    using namespace sensekern::detail;
    return with_frame(handle, "sensekern_get_stored_view", [&](Frame& f) {
        const View& v = f.stored_view();
        if (!v.present) {
            return false;
        }
        put(palette, static_cast<PALETTE>(v.palette));
        put(imaging, static_cast<int32_t>(v.imaging));
        put(low, v.low);
        put(high, v.high);
        return true;
    });
}
