// The AD-to-temperature table, its lookups and the parameter setters that
// rebuild it.
#include "ad_temp.h"

#include "logline.h"

#include <algorithm>
#include <cmath>

namespace tempcore {
namespace detail {
namespace {

// Range limits of the limited lookup in the table's unit.
struct Limits {
    float low;
    float high;
};

Limits range_limits(const RangeRecord& range, int unit)
{
    if (unit == 1) {
        return {std::trunc(to_fahrenheit(range.min_temp)), std::trunc(to_fahrenheit(range.max_temp))};
    }
    return {static_cast<float>(range.min_temp), static_cast<float>(range.max_temp)};
}

bool finite_in(float v, float low, float high)
{
    return v >= low && v <= high;
}

}  // namespace

bool ADTemp::update_ad_temp_table()
{
    VyLockGuard tables(tables_lock_);
    if (!tables) {
        return false;
    }
    return rebuild_table_locked();
}

bool ADTemp::rebuild_table_locked()
{
    std::size_t n = adjusted_.size();
    if (n == 0) {
        TC_LOG("update_ad_temp_table", "adjusted ad table is empty");
        return false;
    }
    // Right after a selection the adjusted table holds zeros until the base
    // temperature has been computed; a table built from it would be garbage.
    if (!adjusted_valid_) {
        TC_LOG("update_ad_temp_table", "adjusted ad table is not computed yet");
        return false;
    }
    int t0 = current_.first_temp;
    int t1 = current_.last_temp;
    if (n < 2 || t1 <= t0) {
        TC_LOG("update_ad_temp_table", "samples = %zu from %d to %d can not make a table", n, t0, t1);
        return false;
    }
    ModelSnapshot model = model_.snapshot();
    float coefficient;
    float offset;
    if (!refresh_dist_coefficient(model.distance, model.ambient, &coefficient, &offset)) {
        return false;
    }
    dist_coefficient_ = coefficient;
    dist_offset_ = offset;

    bool fahrenheit = model.unit == 1;
    float g = static_cast<float>(t1 - t0) / static_cast<float>(n - 1);
    float low = fahrenheit ? to_fahrenheit(static_cast<float>(t0)) : static_cast<float>(t0);
    float high = fahrenheit ? to_fahrenheit(current_.max_temp) : current_.max_temp;

    int first = table_index(adjusted_[0]);
    for (int i = 0; i < first; ++i) {
        table_[i] = low;
    }
    std::vector<float> blackbody;
    std::vector<float> values;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        int a = adjusted_[i];
        int b = adjusted_[i + 1];
        if (b <= a) {
            continue;
        }
        blackbody.resize(static_cast<std::size_t>(b - a));
        for (int v = a; v < b; ++v) {
            blackbody[v - a] = static_cast<float>(t0) + static_cast<float>(i) * g +
                               static_cast<float>(v - a) * g / static_cast<float>(b - a);
        }
        values.resize(blackbody.size());
        apply_model(model, coefficient, offset, blackbody.data(), static_cast<int>(blackbody.size()),
                    values.data());
        for (int v = a; v < b; ++v) {
            table_[table_index(v)] = values[v - a];
        }
    }
    for (int i = table_index(adjusted_[n - 1]); i < kTableSize; ++i) {
        table_[i] = high;
    }
    ++table_generation_;
    return true;
}

bool ADTemp::get_temperature(const uint16_t* ad, int count, float* out, bool limited)
{
    if (ad == nullptr || out == nullptr) {
        TC_LOG("get_temperature", "addr of data = %p, or addr of dst temperature data = %p",
               static_cast<const void*>(ad), static_cast<void*>(out));
        return false;
    }
    int unit = model_.snapshot().unit;
    VyLockGuard tables(tables_lock_);
    if (!tables) {
        return false;
    }
    const float* table = lookup_table_locked(limited, unit);
    for (int i = 0; i < count; ++i) {
        out[i] = table[ad[i]];
    }
    return true;
}

const float* ADTemp::lookup_table_locked(bool limited, int unit)
{
    LookupCache& c = lookup_;
    if (c.generation != table_generation_) {
        c.full.resize(65536);
        for (int ad = 0; ad < 65536; ++ad) {
            c.full[ad] = table_[table_index(ad)];
        }
        c.generation = table_generation_;
        c.limited_valid = false;
    }
    if (!limited) {
        return c.full.data();
    }
    Limits limits = range_limits(current_, unit);
    if (!c.limited_valid || c.low != limits.low || c.high != limits.high) {
        c.limited.resize(65536);
        for (int ad = 0; ad < 65536; ++ad) {
            float v = c.full[ad];
            v = v < limits.low ? limits.low : v;
            c.limited[ad] = v > limits.high ? limits.high : v;
        }
        c.low = limits.low;
        c.high = limits.high;
        c.limited_valid = true;
    }
    return c.limited.data();
}

bool ADTemp::get_temperature_ex(const uint16_t* ad, int count, float emissivity, float distance,
                                float* out)
{
    VyLockGuard tables(tables_lock_);
    if (!tables) {
        return false;
    }
    std::size_t n = adjusted_.size();
    if (ad == nullptr || out == nullptr || n < 5 || !adjusted_valid_) {
        TC_LOG("get_temperature_ex",
               "addr of data = %p, or addr of dst temperature data = %p, adjusted ad table's count = %zu",
               static_cast<const void*>(ad), static_cast<void*>(out), n);
        return false;
    }
    if (!(distance > 0.0f && distance <= 100000.0f)) {
        TC_LOG("get_temperature_ex", "distance = %.02f is error", distance);
        return false;
    }
    int t0 = current_.first_temp;
    int t1 = current_.last_temp;
    if (t1 <= t0) {
        TC_LOG("get_temperature_ex", "sample temperatures %d to %d are error", t0, t1);
        return false;
    }
    // The given distance serves this call only; the shared model and the
    // table's distance coefficient stay as they are for other threads.
    ModelSnapshot model = model_.snapshot();
    float coefficient;
    float offset;
    if (!refresh_dist_coefficient(distance, model.ambient, &coefficient, &offset)) {
        return false;
    }
    Limits limits = range_limits(current_, model.unit);
    float g = static_cast<float>(t1 - t0) / static_cast<float>(n - 1);
    std::vector<float> blackbody(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (int k = 0; k < count; ++k) {
        int v = ad[k];
        // The adjusted table is strictly increasing once computed.
        std::size_t i = static_cast<std::size_t>(
            std::lower_bound(adjusted_.begin(), adjusted_.end(), v) - adjusted_.begin());
        if (i == n) {
            blackbody[k] = static_cast<float>(t1);
        } else if (i == 0) {
            blackbody[k] = static_cast<float>(t0);
        } else {
            blackbody[k] = static_cast<float>(t0) + static_cast<float>(i - 1) * g +
                           static_cast<float>(v - adjusted_[i - 1]) * g /
                               static_cast<float>(adjusted_[i] - adjusted_[i - 1]);
        }
    }
    // An emissivity outside (0, 1] leaves 0.0 for every value (logged by the
    // model), which is then limited like any other.
    model_.calc_temperature(coefficient, offset, blackbody.data(), count, out, emissivity, distance);
    for (int k = 0; k < count; ++k) {
        float value = out[k] < limits.low ? limits.low : out[k];
        out[k] = value > limits.high ? limits.high : value;
    }
    return true;
}

bool ADTemp::get_ad_from_temp(float temperature, uint16_t* ad)
{
    VyLockGuard tables(tables_lock_);
    if (!tables) {
        return false;
    }
    if (adjusted_.empty() || ad == nullptr) {
        TC_LOG("get_ad_from_temp", "para ad is null or adjusted ad table's count = %d is empty",
               static_cast<int>(adjusted_.size()));
        return false;
    }
    if (std::isnan(temperature)) {
        TC_LOG("get_ad_from_temp", "temperature is not a number");
        return false;
    }
    uint16_t first_ad = adjusted_.front();
    uint16_t last_ad = adjusted_.back();
    if (temperature < table_[table_index(first_ad)]) {
        *ad = first_ad;
        return true;
    }
    if (temperature > table_[table_index(last_ad)]) {
        *ad = last_ad;
        return true;
    }
    int k = 0;
    while (k < kTableSize && table_[k] < temperature) {
        ++k;
    }
    int index;
    if (k == kTableSize) {
        index = kTableSize - 1;
    } else if (k == 0) {
        index = 0;
    } else {
        index = (temperature - table_[k - 1] < table_[k] - temperature) ? k - 1 : k;
    }
    *ad = static_cast<uint16_t>(kTableFirstAd + index);
    return true;
}

bool ADTemp::set_param(Param which, float value)
{
    switch (which) {
    case Param::emissivity:
        if (!(value > 0.0f && value <= 1.0f)) {
            TC_LOG("set_emiss", "emiss = %.02f is error", value);
            return false;
        }
        break;
    case Param::distance:
        if (!(value > 0.0f && value <= 100000.0f)) {
            TC_LOG("set_dist", "distance = %.02f is error", value);
            return false;
        }
        break;
    case Param::ambient:
        if (!finite_in(value, kAbsoluteZero, 300.0f)) {
            TC_LOG("set_env_temp", "env temperature = %.02f is error", value);
            return false;
        }
        break;
    case Param::humidity:
        if (!(value > 0.0f && value <= 1.0f)) {
            TC_LOG("set_rel_hum", "relative humidity  = %.02f is error", value);
            return false;
        }
        break;
    }
    VyLockGuard env(env_lock_);
    if (!env) {
        return false;
    }
    bool changed = false;
    switch (which) {
    case Param::emissivity: changed = model_.set_emissivity(value); break;
    case Param::distance: changed = model_.set_distance(value); break;
    case Param::ambient: changed = model_.set_ambient(value); break;
    case Param::humidity: changed = model_.set_humidity(value); break;
    }
    return changed ? update_ad_temp_table() : true;
}

bool ADTemp::set_unit(int unit)
{
    VyLockGuard env(env_lock_);
    if (!env) {
        return false;
    }
    return model_.set_unit(unit) ? update_ad_temp_table() : true;
}

bool ADTemp::set_modify_locked(float modify)
{
    float base;
    float detector;
    {
        std::lock_guard<std::mutex> readings(readings_lock_);
        base = base_temp_;
        detector = detector_at_base_;
    }
    VyLockGuard tables(tables_lock_);
    if (!tables) {
        return false;
    }
    if (!update_adjusted_locked(base, detector, modify)) {
        return false;
    }
    return rebuild_table_locked();
}

bool ADTemp::set_modify_temp(float modify)
{
    {
        std::lock_guard<std::mutex> readings(readings_lock_);
        if (std::fabs(modify - modify_temp_) < 0.001f) {
            return true;
        }
    }
    // Only values above 300 are refused; a low one selects the first sample
    // as the anchor (update_adjusted_locked). NaN and infinities are refused.
    if (!(modify <= 300.0f) || !std::isfinite(modify)) {
        TC_LOG("set_modify_temp", "modify temperature = %.02f is error", modify);
        return false;
    }
    if (std::fabs(modify) < 0.001f) {
        modify = 0.0f;
    }
    VyLockGuard env(env_lock_);
    if (!env) {
        return false;
    }
    return set_modify_locked(modify);
}

bool ADTemp::set_reference_temp(float reference)
{
    if (!(reference > kAbsoluteZero && reference < 300.0f)) {
        return false;
    }
    std::lock_guard<std::mutex> readings(readings_lock_);
    reference_temp_ = reference;
    return true;
}

bool ADTemp::set_temperature_para(int unit, float e, float d, float ambient, float humidity,
                                  float modify, float reference)
{
    if (!(modify <= 300.0f) || !std::isfinite(modify)) {
        TC_LOG("set_temperature_para", "modify temperature = %.02f is error", modify);
        return false;
    }
    // The model values are otherwise taken as given; only what breaks the
    // model outright is refused: a NaN or infinity anywhere, an emissivity of
    // 0 or below, which the model divides by, and a negative distance or
    // humidity, which put the root of a negative number into the
    // transmittance.
    if (!(e > 0.0f) || !std::isfinite(e) || !(d >= 0.0f) || !std::isfinite(d) || !std::isfinite(ambient) ||
        !(humidity >= 0.0f) || !std::isfinite(humidity)) {
        TC_LOG("set_temperature_para",
               "emiss = %.02f, distance = %.02f, env temperature = %.02f or relative humidity = %.02f is error",
               e, d, ambient, humidity);
        return false;
    }
    if (std::fabs(modify) < 0.001f) {
        modify = 0.0f;
    }
    set_reference_temp(reference);
    VyLockGuard env(env_lock_);
    if (!env) {
        return false;
    }
    bool changed = model_.set_unit(unit);
    changed = model_.set_emissivity(e) || changed;
    changed = model_.set_distance(d) || changed;
    changed = model_.set_ambient(ambient) || changed;
    changed = model_.set_humidity(humidity) || changed;
    float held_modify;
    {
        std::lock_guard<std::mutex> readings(readings_lock_);
        held_modify = modify_temp_;
    }
    if (std::fabs(held_modify - modify) >= 0.001f) {
        if (!set_modify_locked(modify)) {
            TC_LOG("set_temperature_para", "modify temperature = %.02f, update adjusted table failed",
                   modify);
            return false;
        }
        return true;
    }
    return changed ? update_ad_temp_table() : true;
}

void ADTemp::get_temperature_para(int* unit, float* e, float* d, float* ambient, float* humidity,
                                  float* modify, float* reference)
{
    ModelSnapshot model = model_.snapshot();
    if (unit != nullptr) *unit = model.unit;
    if (e != nullptr) *e = model.emissivity;
    if (d != nullptr) *d = model.distance;
    if (ambient != nullptr) *ambient = model.ambient;
    if (humidity != nullptr) *humidity = model.humidity;
    std::lock_guard<std::mutex> readings(readings_lock_);
    if (modify != nullptr) *modify = modify_temp_;
    if (reference != nullptr) *reference = reference_temp_;
}

}  // namespace detail
}  // namespace tempcore
