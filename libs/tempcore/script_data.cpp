// The calibration script: its storage and functions, the sensor readings
// with the environment switch, the base temperature and the drift-compensated
// (adjusted) AD table.
#include "ad_temp.h"

#include "basekit.h"
#include "logline.h"

#include <cmath>
#include <cstring>

namespace tempcore {
namespace detail {
namespace {

constexpr float kFixedThirdArgument = -273.0f;
constexpr int kMaxSections = 64;
constexpr int kMinAdStep = 10;

// v + 0.05 rounded to a whole number, as a signed 16-bit value.
int nearest(double v)
{
    double r = std::nearbyint(v + 0.05);
    if (!(r >= -32768.0)) {
        return -32768;
    }
    return r > 32767.0 ? 32767 : static_cast<int>(r);
}

bool whole_number(double v, double low, double high, int* out)
{
    double t = std::trunc(v);
    if (!(t >= low && t <= high)) {
        return false;
    }
    *out = static_cast<int>(t);
    return true;
}

// Copies `items` to a caller's array of *count entries; a null array asks for
// the count only. *count is the number of entries held on return.
template <class T>
bool copy_out(const std::vector<T>& items, int* count, T* values, const char* function)
{
    int n = static_cast<int>(items.size());
    if (values != nullptr && (count == nullptr || *count < n)) {
        logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, function, "capacity is less than %d entries", n);
        if (count != nullptr) {
            *count = n;
        }
        return false;
    }
    if (values != nullptr) {
        std::memcpy(values, items.data(), items.size() * sizeof(T));
    }
    if (count != nullptr) {
        *count = n;
    }
    return true;
}

}  // namespace

bool ADTemp::run_script(const char* name, const double* args, int arg_count, double* results,
                        int result_count, bool* present)
{
    std::lock_guard<std::mutex> guard(script_lock_);
    *present = script_.loaded() && script_text_.find(name) != std::string::npos;
    if (!*present) {
        return false;
    }
    std::string error;
    if (!script_.call(name, args, arg_count, results, result_count, &error)) {
        TC_LOG("run_script", "script function %s failed: %s", name, error.c_str());
        return false;
    }
    return true;
}

void ADTemp::script_arguments(bool third_is_fixed, double args[7])
{
    std::lock_guard<std::mutex> readings(readings_lock_);
    for (int i = 0; i < 5; ++i) {
        args[i] = sensors_[i];
    }
    if (third_is_fixed) {
        args[2] = kFixedThirdArgument;
    }
    args[5] = current_lens_.load();
    args[6] = current_range_.load();
}

bool ADTemp::refresh_dist_coefficient(float distance, float ambient, float* coefficient,
                                      float* offset)
{
    double args[4] = {distance, static_cast<double>(current_lens_.load()),
                      static_cast<double>(current_range_.load()), ambient};
    double results[2];
    bool present;
    if (run_script("get_dist_coff", args, 4, results, 2, &present)) {
        *coefficient = static_cast<float>(results[0]);
        *offset = static_cast<float>(results[1]);
        if (std::isfinite(*coefficient) && std::isfinite(*offset)) {
            return true;
        }
        TC_LOG("get_dist_coff", "distance coefficient %f or offset %f is error", results[0],
               results[1]);
        return false;
    }
    if (present) {
        return false;
    }
    TC_LOG("get_dist_coff", "can not find %s", "get_dist_coff");
    *coefficient = 1.0f;
    *offset = 0.0f;
    return true;
}

bool ADTemp::run_ad_compensation()
{
    double args[7];
    script_arguments(true, args);
    double result;
    bool present;
    if (run_script("get_ad_compensation", args, 7, &result, 1, &present)) {
        int value;
        if (!whole_number(result, -32768.0, 32767.0, &value)) {
            TC_LOG("get_ad_compensation", "ad compensation = %f is error", result);
            return false;
        }
        ad_compensation_.store(static_cast<int16_t>(value));
        return true;
    }
    if (present) {
        return false;
    }
    ad_compensation_.store(0);
    return true;
}

float ADTemp::read_switch_temp()
{
    double result;
    bool present;
    if (run_script("get_switch_temp_of_calibrate_enviroment", nullptr, 0, &result, 1, &present) &&
        std::isfinite(result)) {
        return static_cast<float>(result);
    }
    return kAbsoluteZero;
}

int ADTemp::update_temperature_sensor(const float sensors[5])
{
    std::lock_guard<std::mutex> readings(readings_lock_);
    for (int i = 0; i < 5; ++i) {
        sensors_[i] = sensors[i];
    }
    int environment = environment_.load();
    if (!calibrating_.load()) {
        if (environment == 0 && sensors[0] < switch_temp_ - 2.0f) {
            environment = 1;
        } else if (environment == 1 && sensors[0] > switch_temp_ + 2.0f) {
            environment = 0;
        }
        environment_.store(environment);
    }
    return environment;
}

void ADTemp::get_sensor_temp(float* out[8])
{
    float calibration;
    {
        VyLockGuard tables(tables_lock_);
        calibration = current_.detector_temp;
    }
    std::lock_guard<std::mutex> readings(readings_lock_);
    const float values[8] = {sensors_[0], sensors_[1], sensors_[2], sensors_[3], sensors_[4],
                             base_temp_, detector_at_base_, calibration};
    for (int i = 0; i < 8; ++i) {
        if (out[i] != nullptr) {
            *out[i] = values[i];
        }
    }
}

bool ADTemp::calc_base_temp()
{
    VyLockGuard base_guard(calib_base_lock_);
    if (!base_guard) {
        return false;
    }
    double args[7];
    script_arguments(true, args);
    double b;
    bool present;
    auto fail = [&]() {
        std::lock_guard<std::mutex> readings(readings_lock_);
        base_temp_ = 0.0f;
        return false;
    };
    if (!run_script("calc_base_temp", args, 7, &b, 1, &present)) {
        if (!present) {
            TC_LOG("calculate_base_temp", "can not find %s", "calc_base_temp");
        }
        return fail();
    }
    VyLockGuard tables(tables_lock_);
    if (!tables) {
        return false;
    }
    if (!(b >= current_.first_temp && b <= current_.last_temp)) {
        TC_LOG("calculate_base_temp", "base temperature is error %.02f", b);
        return fail();
    }
    float modify;
    {
        std::lock_guard<std::mutex> readings(readings_lock_);
        modify = modify_temp_;
    }
    if (!update_adjusted_locked(static_cast<float>(b), static_cast<float>(args[0]), modify)) {
        return false;
    }
    return rebuild_table_locked();
}

bool ADTemp::update_adjusted_ad_table(float base, float detector, float modify)
{
    VyLockGuard tables(tables_lock_);
    if (!tables) {
        return false;
    }
    return update_adjusted_locked(base, detector, modify);
}

bool ADTemp::update_adjusted_locked(float base, float detector, float modify)
{
    static const char* const kFn = "ADTemp::update_adjusted_ad_table";
    const std::vector<uint16_t>& sample = current_.samples;
    std::size_t n = adjusted_.size();
    if (n == 0 || sample.size() != n) {
        return false;
    }
    int t0 = current_.first_temp;
    int t1 = current_.last_temp;
    // Guards the divisions below: (T1 - T0) / (n - 1) must be a whole step
    // of at least one degree.
    if (n < 2 || t1 <= t0 || static_cast<unsigned>(t1 - t0) / static_cast<unsigned>(n - 1) == 0) {
        logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                      "samples = %zu from %d to %d can not be adjusted", n, t0, t1);
        return false;
    }
    if (!std::isfinite(base) || !std::isfinite(detector) || !std::isfinite(modify)) {
        logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                      "base = %f, detector = %f or modify = %f is error", base, detector, modify);
        return false;
    }
    float x = base + modify;
    if (x < t0 || x > t1) {
        x = static_cast<float>(t0);
    }
    float s = static_cast<float>(static_cast<unsigned>(t1 - t0) / static_cast<unsigned>(n - 1));
    int si = nearest(s);

    double args[7];
    script_arguments(false, args);
    double number;
    bool present;
    int sections;
    if (!run_script("get_numbers_of_section", args, 7, &number, 1, &present) ||
        !whole_number(number, 2, kMaxSections, &sections)) {
        // One section leaves no boundary to search; the algorithm needs two.
        logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                      present ? "number of sections is error" : "can not find %s",
                      "get_numbers_of_section");
        return false;
    }
    std::vector<double> bounds_raw(static_cast<std::size_t>(sections - 1));
    std::vector<double> coffs_raw(static_cast<std::size_t>(sections));
    double division;
    if (!run_script("vals_of_section", args, 7, bounds_raw.data(), sections - 1, &present)) {
        logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn, "can not find %s",
                      "vals_of_section");
        return false;
    }
    if (!run_script("coff_of_ad_compensation", args, 7, coffs_raw.data(), sections, &present)) {
        logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn, "can not find %s",
                      "coff_of_ad_compensation");
        return false;
    }
    if (!run_script("division_temp", args, 7, &division, 1, &present)) {
        logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn, "can not find %s",
                      "division_temp");
        return false;
    }
    std::vector<int> bounds(bounds_raw.size());
    for (std::size_t i = 0; i < bounds.size(); ++i) {
        if (!whole_number(bounds_raw[i], -1e6, 1e6, &bounds[i])) {
            logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                          "section value %f is error", bounds_raw[i]);
            return false;
        }
    }
    std::vector<float> coffs(coffs_raw.size());
    for (std::size_t i = 0; i < coffs.size(); ++i) {
        coffs[i] = static_cast<float>(coffs_raw[i]);
        // Each coefficient divides on the way down.
        if (!std::isfinite(coffs[i]) || coffs[i] == 0.0f) {
            logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                          "section coefficient %f is error", coffs_raw[i]);
            return false;
        }
    }
    uint16_t held_version;
    {
        VyLockGuard version_guard(base_ad_lock_);
        held_version = version_;
    }
    if (held_version <= 2 && coffs.size() > 2) {
        coffs[1] = coffs[2];
    }
    int dv;
    if (!whole_number(division, -1e6, 1e6, &dv)) {
        logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                      "division temperature %f is error", division);
        return false;
    }
    // A division temperature outside the samples is taken at their edge.
    dv = dv < t0 ? t0 : (dv > t1 ? t1 : dv);

    std::size_t k = bounds.size();
    for (std::size_t j = 0; j < bounds.size(); ++j) {
        if (bounds[j] >= dv) {
            k = j + 1;
            break;
        }
    }
    uint32_t m32 = static_cast<uint32_t>(n - 1) * static_cast<uint32_t>(dv - t0) /
                   static_cast<uint32_t>(t1 - t0);
    std::size_t m = m32 > n - 1 ? n - 1 : m32;

    // Worked in 32 bits; a result that leaves 0..65535 is refused below
    // rather than wrapped.
    std::vector<long> adj(n);
    adj[m] = sample[m];
    float dt = detector_type_.load() == 0 ? current_.detector_temp - detector
                                          : detector - current_.detector_temp;
    float kb = current_.base_ad_compensation / 1000.0f;
    {
        std::size_t j = k - 1;
        float c = coffs[k - 1];
        float f = kb;
        float t = static_cast<float>(si) * (static_cast<float>(m) - 1.0f) + t0;
        for (std::size_t i = m; i-- > 0;) {
            if (t < bounds[j]) {
                j = j > 0 ? j - 1 : 0;
                c = coffs[j];
            }
            f /= c;
            long d = nearest(static_cast<double>(dt) * f);
            long w = static_cast<long>(sample[i + 1]) - sample[i] - d;
            adj[i] = adj[i + 1] - (w < kMinAdStep ? kMinAdStep : w);
            t -= si;
        }
    }
    {
        std::size_t j = k;
        float c = coffs[k];
        float f = kb;
        float t = static_cast<float>(si) * static_cast<float>(m) + t0;
        for (std::size_t i = m + 1; i < n; ++i) {
            if (j < bounds.size() && bounds[j] <= t) {
                ++j;
                c = coffs[j];
            }
            f *= c;
            long d = nearest(static_cast<double>(dt) * f);
            long w = static_cast<long>(sample[i]) - sample[i - 1] - d;
            adj[i] = adj[i - 1] + (w < kMinAdStep ? kMinAdStep : w);
            t += si;
        }
    }
    std::size_t h = static_cast<std::size_t>(static_cast<float>(n - 1) * (x - t0) /
                                             static_cast<float>(t1 - t0));
    h = h > n - 2 ? n - 2 : h;
    long ax = adj[h] + static_cast<long>(std::trunc(
                           (x - (static_cast<float>(h) * s + t0)) *
                               static_cast<float>(adj[h + 1] - adj[h]) / s +
                           0.5f));
    VyLockGuard base_ad(base_ad_lock_);
    if (!base_ad) {
        return false;
    }
    long shift = static_cast<long>(base_ad_) - ax;
    for (std::size_t i = 0; i < n; ++i) {
        long v = adj[i] + shift;
        if (v < 0 || v > 65535) {
            logline_print(LOGLINE_ERROR, "ad_temp", __FILE__, __LINE__, kFn,
                          "adjusted ad = %ld of sample %zu is out of range", v, i);
            return false;
        }
        adj[i] = v;
    }
    for (std::size_t i = 0; i < n; ++i) {
        adjusted_[i] = static_cast<uint16_t>(adj[i]);
    }
    adjusted_valid_ = true;
    {
        std::lock_guard<std::mutex> readings(readings_lock_);
        base_temp_ = base;
        detector_at_base_ = detector;
        modify_temp_ = modify;
    }
    section_bounds_ = std::move(bounds);
    section_coffs_ = std::move(coffs);
    return true;
}

bool ADTemp::get_adjusted_ad_table(int* count, uint16_t* values)
{
    VyLockGuard tables(tables_lock_);
    return tables && copy_out(adjusted_, count, values, "ADTemp::get_adjusted_ad_table");
}

bool ADTemp::get_ad_compensation_coff(int* count, float* values)
{
    VyLockGuard tables(tables_lock_);
    return tables && copy_out(section_coffs_, count, values, "ADTemp::get_ad_compensation_coff");
}

bool ADTemp::set_script_data(const char* text, int length)
{
    if (text == nullptr || length <= 0) {
        TC_LOG("set_script_data", "addr of script data is 0, or length = %d", length);
        return false;
    }
    if (static_cast<uint32_t>(length) > kMaxScriptBytes) {
        TC_LOG("set_script_data", "script of %d bytes is larger than %u", length, kMaxScriptBytes);
        return false;
    }
    std::string candidate(text, static_cast<std::size_t>(length));
    {
        std::lock_guard<std::mutex> guard(script_lock_);
        if (candidate == script_text_) {
            TC_LOG("set_script_data", "script data is same");
            return true;
        }
    }
    // The compressed form must not be larger than the script: the loader
    // refuses such data, so it is refused here already.
    std::vector<uint8_t> compressed(static_cast<std::size_t>(length));
    uint32_t bits = 0;
    if (vy_lz77_compress(text, length, compressed.data(), &bits) != VY_OK) {
        TC_LOG("set_script_data", "compress script data failed");
        return false;
    }
    compressed.resize((static_cast<std::size_t>(bits) + 7) / 8);
    // Run the script now, so that the functions the interpreter holds are
    // always those of the text the presence test reads.
    ScriptRunner runner;
    std::string error;
    if (!runner.load(candidate, &error)) {
        TC_LOG("set_script_data", "calibrate script failed: %s", error.c_str());
        return false;
    }
    {
        std::lock_guard<std::mutex> guard(script_lock_);
        script_.swap(runner);
        script_text_ = std::move(candidate);
        compressed_script_ = std::move(compressed);
        script_bits_ = bits;
    }
    float switch_temp = read_switch_temp();
    std::lock_guard<std::mutex> readings(readings_lock_);
    switch_temp_ = switch_temp;
    return true;
}

bool ADTemp::get_script_data(void* buffer, int* length, bool compressed)
{
    if (length == nullptr) {
        TC_LOG("get_script_data", "addr of length is 0");
        return false;
    }
    std::lock_guard<std::mutex> guard(script_lock_);
    const void* source = compressed ? static_cast<const void*>(compressed_script_.data())
                                    : static_cast<const void*>(script_text_.data());
    int size = static_cast<int>(compressed ? compressed_script_.size() : script_text_.size());
    int capacity = *length;
    *length = size;
    if (buffer == nullptr) {
        return true;
    }
    if (capacity < size) {
        TC_LOG("get_script_data", "buffer of %d bytes is too small for %d", capacity, size);
        return false;
    }
    if (size > 0) {
        std::memcpy(buffer, source, static_cast<std::size_t>(size));
    }
    return true;
}

}  // namespace detail
}  // namespace tempcore
