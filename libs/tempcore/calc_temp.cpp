#include "calc_temp.h"

#include "logline.h"

#include <cmath>

namespace tempcore {
namespace detail {
namespace {

// Saturated water-vapour value times 100 for ambient -39..67 degrees Celsius.
constexpr int kVapour[107] = {
    2,     3,     3,     3,     4,     4,     5,     7,     10,    15,    25,    34,    41,
    48,    56,    61,    67,    74,    81,    89,    98,    108,   118,   128,   140,   152,
    166,   181,   198,   215,   234,   254,   275,   299,   324,   353,   381,   413,   447,
    484,   518,   554,   592,   633,   676,   722,   770,   822,   876,   933,   994,   1057,
    1125,  1196,  1271,  1350,  1434,  1522,  1614,  1722,  1814,  1922,  2036,  2155,  2280,
    2411,  2549,  2700,  2845,  3004,  3170,  3345,  3528,  3719,  3919,  4122,  4337,  4560,
    4791,  5031,  5280,  5537,  5802,  6076,  6359,  6649,  6947,  7253,  7567,  7887,  8214,
    8547,  8885,  9229,  9577,  9928,  10282, 10639, 10996, 11353, 11709, 12062, 12411, 12756,
    13093, 13422, 13750};

constexpr double kKelvin = static_cast<double>(273.15f);

bool differs(float held, float value)
{
    return !(std::fabs(held - value) < 0.001f);
}

float model_value(double t, double emissivity, double tau, double ambient_term, float coefficient,
                  float offset, bool fahrenheit)
{
    double tk = t + kKelvin;
    double w = tk * tk * tk * tk - ambient_term * (1.0 - emissivity * tau);
    if (w < 0.0) {
        return kInvalidTemperature;
    }
    double value = std::pow(w / (emissivity * tau), 0.25) - kKelvin;
    float result = static_cast<float>(value) * coefficient + offset;
    return fahrenheit ? result * 1.8f + 32.0f : result;
}

void apply(const ModelSnapshot& model, float emissivity, double tau, float coefficient,
           float offset, const float* temperatures, int count, float* out)
{
    double e = emissivity;
    double ak = static_cast<double>(model.ambient) + kKelvin;
    // The reflected term without the (1 - e * tau) factor; it is the same for
    // every value of the run.
    double ambient_term = ak * ak * ak * ak * std::pow(e, static_cast<double>(0.6f));
    bool fahrenheit = model.unit == 1;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && std::fabs(temperatures[i] - temperatures[i - 1]) < 0.0001f) {
            out[i] = out[i - 1];
            continue;
        }
        out[i] = model_value(temperatures[i], e, tau, ambient_term, coefficient, offset, fahrenheit);
    }
}

}  // namespace

double vapour_of_ambient(float ambient)
{
    double index = std::trunc(static_cast<double>(ambient) + 39.0);
    if (!(index >= 0.0)) {
        index = 0.0;
    }
    if (index > 106.0) {
        index = 106.0;
    }
    return kVapour[static_cast<int>(index)] / 100.0;
}

double transmittance(double humidity, double vapour, double distance)
{
    double x = (humidity * vapour + static_cast<double>(1.1106f)) * distance / 100000.0;
    if (x < static_cast<double>(0.165f)) {
        return std::exp(static_cast<double>(-0.598f) * std::sqrt(x));
    }
    return static_cast<double>(0.784f) *
           std::pow(static_cast<double>(0.165f) / x, static_cast<double>(0.122f));
}

void apply_model(const ModelSnapshot& model, float coefficient, float offset,
                 const float* temperatures, int count, float* out)
{
    apply(model, model.emissivity, model.tau, coefficient, offset, temperatures, count, out);
}

CalcTemp::CalcTemp()
{
    set_ambient(25.0f);
}

bool CalcTemp::set_unit(int unit)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (unit == unit_) {
        return false;
    }
    unit_ = unit;
    return true;
}

bool CalcTemp::set_emissivity(float emissivity)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (!differs(emissivity_, emissivity)) {
        return false;
    }
    emissivity_ = emissivity;
    return true;
}

bool CalcTemp::set_distance(float distance)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (!differs(distance_, distance)) {
        return false;
    }
    distance_ = distance;
    update_transmittance();
    return true;
}

bool CalcTemp::set_ambient(float ambient)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (!differs(ambient_, ambient)) {
        return false;
    }
    ambient_ = ambient;
    vapour_ = vapour_of_ambient(ambient);
    update_transmittance();
    return true;
}

bool CalcTemp::set_humidity(float humidity)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (!differs(humidity_, humidity)) {
        return false;
    }
    humidity_ = humidity;
    update_transmittance();
    return true;
}

void CalcTemp::update_transmittance()
{
    tau_ = transmittance(humidity_, vapour_, distance_);
}

ModelSnapshot CalcTemp::snapshot() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return ModelSnapshot{unit_, emissivity_, distance_, ambient_, humidity_, vapour_, tau_};
}

void CalcTemp::calc_temperature(float coefficient, float offset, const float* temperatures,
                                int count, float* out) const
{
    apply_model(snapshot(), coefficient, offset, temperatures, count, out);
}

bool CalcTemp::calc_temperature(float coefficient, float offset, const float* temperatures,
                                int count, float* out, float emissivity, float distance) const
{
    if (!(emissivity > 0.0f && emissivity <= 1.0f) || !(distance >= 0.0f && distance <= 100000.0f)) {
        logline_print(LOGLINE_ERROR, "calctemp", __FILE__, __LINE__, "CalcTemp::calc_temperature",
                      "emiss = %.02f or distance = %.00f is error", emissivity, distance);
        for (int i = 0; i < count; ++i) {
            out[i] = 0.0f;
        }
        return false;
    }
    ModelSnapshot model = snapshot();
    double tau = transmittance(model.humidity, model.vapour, distance);
    apply(model, emissivity, tau, coefficient, offset, temperatures, count, out);
    return true;
}

}  // namespace detail
}  // namespace tempcore
