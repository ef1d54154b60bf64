// The radiometric model: corrects a blackbody temperature for emissivity,
// atmospheric transmittance and the reflected ambient radiation.
#pragma once

#include <mutex>

namespace tempcore {
namespace detail {

// Result of the model where the corrected radiation is negative.
constexpr float kInvalidTemperature = 99999.0f;

double vapour_of_ambient(float ambient);
double transmittance(double humidity, double vapour, double distance);

// The model's values at one moment, so that a long computation runs without
// holding the model's lock.
struct ModelSnapshot {
    int unit;
    float emissivity;
    float distance;
    float ambient;
    float humidity;
    double vapour;
    double tau;
};

// Applies the model to a run of blackbody temperatures. An input within
// 0.0001 of the previous one reuses the previous result.
void apply_model(const ModelSnapshot& model, float coefficient, float offset,
                 const float* temperatures, int count, float* out);

class CalcTemp {
public:
    CalcTemp();

    // Each setter returns whether the held value changed.
    bool set_unit(int unit);
    bool set_emissivity(float emissivity);
    bool set_distance(float distance);
    bool set_ambient(float ambient);
    bool set_humidity(float humidity);

    ModelSnapshot snapshot() const;

    // The model with the held emissivity and transmittance.
    void calc_temperature(float coefficient, float offset, const float* temperatures, int count,
                          float* out) const;
    // The model with its own emissivity and distance; the held values are
    // only read. Out-of-range parameters leave 0.0 in every output.
    bool calc_temperature(float coefficient, float offset, const float* temperatures, int count,
                          float* out, float emissivity, float distance) const;

private:
    void update_transmittance();

    mutable std::mutex lock_;
    int unit_ = 0;
    float emissivity_ = 0.95f;
    float distance_ = 3.0f;
    float ambient_ = 0.0f;
    float humidity_ = 0.5f;
    double vapour_ = 0.0;
    double tau_ = 1.0;
};

}  // namespace detail
}  // namespace tempcore
