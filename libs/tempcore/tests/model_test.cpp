// The radiometric model and the AD-to-temperature table against an
// independent double-precision computation of the same formulas.
#include "engine_fixture.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace {

// Saturated water-vapour values of the ambient temperatures the cases use.
double vapour(double ambient)
{
    static const std::map<int, double> values = {
        {-50, 0.02}, {-39, 0.02}, {0, 4.84}, {25, 22.80}, {80, 137.50}, {67, 137.50}};
    return values.at(static_cast<int>(ambient));
}

struct Params {
    int unit;
    double emissivity;
    double distance;
    double ambient;
    double humidity;
};

double reference_model(double t, const Params& p, double emissivity, double distance)
{
    double x = (p.humidity * vapour(p.ambient) + 1.1106) * distance / 100000.0;
    double tau = x < 0.165 ? std::exp(-0.598 * std::sqrt(x)) : 0.784 * std::pow(0.165 / x, 0.122);
    double w = std::pow(t + 273.15, 4) -
               std::pow(p.ambient + 273.15, 4) * std::pow(emissivity, 0.6) * (1 - emissivity * tau);
    if (w < 0) {
        return 99999.0;
    }
    double value = std::pow(w / (emissivity * tau), 0.25) - 273.15;
    return p.unit == 1 ? value * 1.8 + 32 : value;
}

// Blackbody temperature of an AD value from the adjusted table (samples
// every 10 degrees from 0).
double blackbody(const std::vector<uint16_t>& adj, int v)
{
    for (std::size_t i = 0; i + 1 < adj.size(); ++i) {
        if (v >= adj[i] && v < adj[i + 1]) {
            return i * 10.0 + (v - adj[i]) * 10.0 / (adj[i + 1] - adj[i]);
        }
    }
    return std::numeric_limits<double>::quiet_NaN();
}

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override { tctest::make_synthetic(engine.h()); }
    float lookup(uint16_t ad, bool limited = false)
    {
        float out = -1;
        bool ok = limited ? vy_at_get_temperature_from_ad(engine.h(), &ad, 1, &out)
                          : vy_at_get_no_limited_temperature_from_ad(engine.h(), &ad, 1, &out);
        EXPECT_TRUE(ok);
        return out;
    }
    tctest::Engine engine;
};

TEST_F(ModelTest, model_table_matches_reference)
{
    const Params cases[] = {
        {0, 0.95, 3, 25, 0.5},     // defaults
        {0, 0.5, 2000, 67, 0.9},   // long distance: the second transmittance branch
        {1, 0.8, 50, -39, 0.3},    // Fahrenheit
        {0, 1.0, 10, 0, 1.0},
    };
    for (const Params& p : cases) {
        ASSERT_TRUE(vy_at_set_temperature_para(engine.h(), p.unit, static_cast<float>(p.emissivity),
                                               static_cast<float>(p.distance),
                                               static_cast<float>(p.ambient),
                                               static_cast<float>(p.humidity), 0, 0));
        std::vector<uint16_t> adj = tctest::adjusted_table(engine.h());
        ASSERT_EQ(adj.size(), 11u);
        for (int v = adj.front(); v < adj.back(); v += 97) {
            double expected = reference_model(blackbody(adj, v), p, p.emissivity, p.distance);
            EXPECT_NEAR(lookup(static_cast<uint16_t>(v)), expected, 0.01 + 1e-5 * std::fabs(expected))
                << "AD " << v << " emissivity " << p.emissivity << " distance " << p.distance;
        }
    }
}

TEST_F(ModelTest, ambient_outside_the_vapour_table_uses_its_ends)
{
    for (auto pair : {std::make_pair(80.0, 67.0), std::make_pair(-50.0, -39.0)}) {
        ASSERT_TRUE(vy_at_set_env_temp(engine.h(), static_cast<float>(pair.first)));
        std::vector<uint16_t> adj = tctest::adjusted_table(engine.h());
        int v = adj[5];
        // The vapour value of the table's end, the ambient itself in the radiation.
        Params p{0, 0.95, 3, pair.first, 0.5};
        double x = (0.5 * vapour(pair.second) + 1.1106) * 3 / 100000.0;
        double tau = std::exp(-0.598 * std::sqrt(x));
        double w = std::pow(50 + 273.15, 4) -
                   std::pow(p.ambient + 273.15, 4) * std::pow(0.95, 0.6) * (1 - 0.95 * tau);
        double expected = w < 0 ? 99999.0 : std::pow(w / (0.95 * tau), 0.25) - 273.15;
        EXPECT_NEAR(lookup(static_cast<uint16_t>(v)), expected, 0.01) << "ambient " << pair.first;
    }
}

TEST_F(ModelTest, table_ends_and_limits)
{
    std::vector<uint16_t> adj = tctest::adjusted_table(engine.h());
    EXPECT_EQ(lookup(9999), lookup(10000));
    EXPECT_EQ(lookup(40000), lookup(37999));
    EXPECT_FLOAT_EQ(lookup(static_cast<uint16_t>(adj.front() - 1)), 0.0f);  // T0, not modelled
    EXPECT_FLOAT_EQ(lookup(adj.back()), 150.0f);                            // the range maximum

    // Corrected radiation below zero: 99999, and the limited lookup gives the maximum.
    ASSERT_TRUE(vy_at_set_temperature_para(engine.h(), 0, 0.1f, 3, 300, 0.5f, 0, 0));
    EXPECT_EQ(lookup(adj[0]), 99999.0f);
    EXPECT_EQ(lookup(adj[0], true), 150.0f);

    // Fahrenheit limits are converted and truncated: 5 -> 41, 33 -> 91.4 -> 91.
    ASSERT_TRUE(vy_at_set_temperature_para(engine.h(), 1, 0.95f, 3, 25, 0.5f, 0, 0));
    ASSERT_TRUE(vy_at_set_sample_range(engine.h(), 0, 0, 5, 33));
    ASSERT_TRUE(vy_at_set_len_type_and_meas_range(engine.h(), 0, 0));
    ASSERT_TRUE(vy_at_calc_base_temp(engine.h()));
    EXPECT_FLOAT_EQ(lookup(0, true), 41.0f);
    EXPECT_FLOAT_EQ(lookup(65535, true), 91.0f);
    EXPECT_FLOAT_EQ(lookup(0, false), 32.0f);
}

TEST_F(ModelTest, inverse_lookup)
{
    std::vector<uint16_t> adj = tctest::adjusted_table(engine.h());
    uint16_t ad = 0;
    ASSERT_TRUE(vy_at_get_ad_from_temperature(engine.h(), -100.0f, &ad));
    EXPECT_EQ(ad, adj.front());
    ASSERT_TRUE(vy_at_get_ad_from_temperature(engine.h(), 1000.0f, &ad));
    EXPECT_EQ(ad, adj.back());
    // A temperature of the table maps back to its own AD value.
    int v = adj[4] + 37;
    ASSERT_TRUE(vy_at_get_ad_from_temperature(engine.h(), lookup(static_cast<uint16_t>(v)), &ad));
    EXPECT_EQ(ad, v);
    // Equally far from two entries: the higher AD.
    bool tie_seen = false;
    for (int k = adj[2]; k < adj[8] && !tie_seen; ++k) {
        float low = lookup(static_cast<uint16_t>(k));
        float high = lookup(static_cast<uint16_t>(k + 1));
        float middle = (low + high) / 2;
        if (middle - low == high - middle && low < middle && middle < high) {
            ASSERT_TRUE(vy_at_get_ad_from_temperature(engine.h(), middle, &ad));
            EXPECT_EQ(ad, k + 1);
            tie_seen = true;
        }
    }
    EXPECT_TRUE(tie_seen);
    EXPECT_FALSE(vy_at_get_ad_from_temperature(engine.h(), 20.0f, nullptr));
}

TEST_F(ModelTest, parameter_checks_leave_values_unchanged)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* name;
        bool (*call)(void*, float);
        float value;
    };
    const Case refused[] = {
        {"emissivity 0", vy_at_set_emiss, 0.0f},     {"emissivity 1.01", vy_at_set_emiss, 1.01f},
        {"emissivity NaN", vy_at_set_emiss, nan},    {"distance 0", vy_at_set_dist, 0.0f},
        {"distance NaN", vy_at_set_dist, nan},       {"distance 100001", vy_at_set_dist, 100001.0f},
        {"ambient 300.5", vy_at_set_env_temp, 300.5f}, {"ambient NaN", vy_at_set_env_temp, nan},
        {"ambient -274", vy_at_set_env_temp, -274.0f}, {"humidity 0", vy_at_set_rel_hum, 0.0f},
        {"humidity NaN", vy_at_set_rel_hum, nan},    {"modify 301", vy_at_set_modify_temp, 301.0f},
        {"modify NaN", vy_at_set_modify_temp, nan},
        {"reference 300", vy_at_set_enviroment_reference_temperature, 300.0f},
        {"reference NaN", vy_at_set_enviroment_reference_temperature, nan},
    };
    for (const Case& c : refused) {
        EXPECT_FALSE(c.call(engine.h(), c.value)) << c.name;
    }
    // The combined setter refuses only what breaks the model.
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(vy_at_set_temperature_para(engine.h(), 0, 0.0f, 3, 25, 0.5f, 0, 0));
    EXPECT_FALSE(vy_at_set_temperature_para(engine.h(), 0, -0.5f, 3, 25, 0.5f, 0, 0));
    EXPECT_FALSE(vy_at_set_temperature_para(engine.h(), 0, nan, 3, 25, 0.5f, 0, 0));
    EXPECT_FALSE(vy_at_set_temperature_para(engine.h(), 0, 0.9f, nan, 25, 0.5f, 0, 0));
    EXPECT_FALSE(vy_at_set_temperature_para(engine.h(), 0, 0.9f, -1, 25, 0.5f, 0, 0));
    EXPECT_FALSE(vy_at_set_temperature_para(engine.h(), 0, 0.9f, 3, inf, 0.5f, 0, 0));
    EXPECT_FALSE(vy_at_set_temperature_para(engine.h(), 0, 0.9f, 3, 25, -0.5f, 0, 0));
    EXPECT_FALSE(vy_at_set_temperature_para(engine.h(), 0, 0.9f, 3, 25, 0.5f, 301, 0));
    EXPECT_FALSE(vy_at_set_temperature_para(engine.h(), 0, 0.9f, 3, 25, 0.5f, nan, 0));
    int unit;
    float e, d, a, h, m, r;
    ASSERT_TRUE(vy_at_get_temperature_para(engine.h(), &unit, &e, &d, &a, &h, &m, &r));
    EXPECT_EQ(unit, 0);
    EXPECT_FLOAT_EQ(e, 0.95f);
    EXPECT_FLOAT_EQ(d, 3.0f);
    EXPECT_FLOAT_EQ(a, 25.0f);
    EXPECT_FLOAT_EQ(h, 0.5f);
    EXPECT_FLOAT_EQ(m, 0.0f);
    EXPECT_FLOAT_EQ(r, 0.0f);
    std::vector<uint16_t> adj = tctest::adjusted_table(engine.h());
    EXPECT_TRUE(std::isfinite(lookup(adj[5])));
}

// Values the single setters refuse are set by the combined setter without
// range checks, as long as the model can compute with them.
TEST_F(ModelTest, combined_setter_takes_values_outside_the_single_setters_ranges)
{
    struct Case {
        const char* name;
        float e, d, a, h, m;
    };
    const Case accepted[] = {
        {"emissivity 1.5", 1.5f, 3, 25, 0.5f, 0},     {"distance 0", 0.9f, 0, 25, 0.5f, 0},
        {"distance 200000", 0.9f, 200000, 25, 0.5f, 0}, {"ambient 400", 0.9f, 3, 400, 0.5f, 0},
        {"ambient -300", 0.9f, 3, -300, 0.5f, 0},     {"humidity 0", 0.9f, 3, 25, 0.0f, 0},
        {"humidity 2", 0.9f, 3, 25, 2.0f, 0},         {"modify -400", 0.9f, 3, 25, 0.5f, -400},
    };
    for (const Case& c : accepted) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(vy_at_set_temperature_para(engine.h(), 0, c.e, c.d, c.a, c.h, c.m, 0));
        float e, d, a, h, m;
        ASSERT_TRUE(vy_at_get_temperature_para(engine.h(), nullptr, &e, &d, &a, &h, &m, nullptr));
        EXPECT_FLOAT_EQ(e, c.e);
        EXPECT_FLOAT_EQ(d, c.d);
        EXPECT_FLOAT_EQ(a, c.a);
        EXPECT_FLOAT_EQ(h, c.h);
        EXPECT_FLOAT_EQ(m, c.m);
        ASSERT_TRUE(vy_at_set_temperature_para(engine.h(), 0, 0.95f, 3, 25, 0.5f, 0, 0));
    }
}

TEST_F(ModelTest, modify_temperature_moves_the_anchor)
{
    std::vector<uint16_t> before = tctest::adjusted_table(engine.h());
    ASSERT_TRUE(vy_at_set_modify_temp(engine.h(), 10.0f));
    std::vector<uint16_t> after = tctest::adjusted_table(engine.h());
    // The base AD now stands for 40 degrees instead of 30.
    EXPECT_LT(after[4], before[4]);
    EXPECT_EQ(after[4], 0x4000);
    float m = 0;
    ASSERT_TRUE(vy_at_get_temperature_para(engine.h(), nullptr, nullptr, nullptr, nullptr, nullptr, &m, nullptr));
    EXPECT_FLOAT_EQ(m, 10.0f);

    // Only values above 300 are refused: a low one anchors at the first sample.
    ASSERT_TRUE(vy_at_set_modify_temp(engine.h(), -301.0f));
    ASSERT_TRUE(vy_at_get_temperature_para(engine.h(), nullptr, nullptr, nullptr, nullptr, nullptr, &m, nullptr));
    EXPECT_FLOAT_EQ(m, -301.0f);
    EXPECT_EQ(tctest::adjusted_table(engine.h())[0], 0x4000);
}

TEST_F(ModelTest, explicit_parameters_leave_the_shared_model_alone)
{
    std::vector<uint16_t> adj = tctest::adjusted_table(engine.h());
    std::vector<uint16_t> ad = {adj[1], static_cast<uint16_t>(adj[3] + 50), adj[7], 0, 65535};
    std::vector<float> shared(ad.size());
    ASSERT_TRUE(vy_at_get_temperature_from_ad(engine.h(), ad.data(), static_cast<int>(ad.size()), shared.data()));

    std::vector<float> out(ad.size());
    ASSERT_TRUE(vy_at_get_temperature_from_ad_ex(engine.h(), ad.data(), static_cast<int>(ad.size()),
                                                 0.6f, 1500.0f, out.data()));
    Params p{0, 0.95, 3, 25, 0.5};
    for (std::size_t i = 0; i < 3; ++i) {
        double expected = reference_model(blackbody(adj, ad[i]), p, 0.6, 1500.0);
        EXPECT_NEAR(out[i], std::min(150.0, std::max(-20.0, expected)), 0.01) << "AD " << ad[i];
    }
    EXPECT_NEAR(out[3], std::min(150.0, std::max(-20.0, reference_model(0, p, 0.6, 1500))), 0.01);
    EXPECT_NEAR(out[4], std::min(150.0, std::max(-20.0, reference_model(100, p, 0.6, 1500))), 0.01);

    float d = 0, e = 0;
    ASSERT_TRUE(vy_at_get_temperature_para(engine.h(), nullptr, &e, &d, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FLOAT_EQ(d, 3.0f);
    EXPECT_FLOAT_EQ(e, 0.95f);
    std::vector<float> again(ad.size());
    ASSERT_TRUE(vy_at_get_temperature_from_ad(engine.h(), ad.data(), static_cast<int>(ad.size()), again.data()));
    EXPECT_EQ(again, shared);

    // An emissivity outside (0, 1] leaves 0.0 for every value, inside the
    // range's limits; a distance outside (0, 100000] is refused.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (float bad : {0.0f, -0.3f, 1.5f, nan}) {
        std::fill(out.begin(), out.end(), 99.0f);
        EXPECT_TRUE(vy_at_get_temperature_from_ad_ex(engine.h(), ad.data(), static_cast<int>(ad.size()), bad,
                                                     3.0f, out.data()))
            << bad;
        EXPECT_EQ(out, std::vector<float>(ad.size(), 0.0f)) << bad;
    }
    EXPECT_FALSE(vy_at_get_temperature_from_ad_ex(engine.h(), ad.data(), 1, 0.9f, 0.0f, out.data()));
    EXPECT_FALSE(vy_at_get_temperature_from_ad_ex(engine.h(), nullptr, 1, 0.9f, 3.0f, out.data()));
    EXPECT_FALSE(vy_at_get_temperature_from_ad(engine.h(), ad.data(), 1, nullptr));
}

}  // namespace
