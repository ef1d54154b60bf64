// Index values of the automatic, fire-fighting and manual computations
// against a reference that follows their formulas step by step, on small
// hand-made histograms; and the spread of every computation over a realistic
// scene; and what stabilization changes in them.
#include "palettor_test_util.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr int kW = 64;
constexpr int kH = 16;

// A frame built from (AD, pixel count) pairs, with 30 pixels at `floor` so
// that the automatic range starts there, and H/2 + 1 pixels at `ceiling` so
// that it ends there. The counts trimmed off both ends are then exactly those.
struct HandFrame {
    std::vector<uint16_t> ad;
    std::vector<uint32_t> hist = std::vector<uint32_t>(65536, 0);
    int alow = 0, ahigh = 0;
    int64_t trimmed_low = 0, trimmed_high = 0;
};

HandFrame hand_frame(uint16_t floor, uint16_t ceiling, const std::vector<std::pair<uint16_t, int>>& levels)
{
    HandFrame f;
    auto put = [&](uint16_t value, int count) {
        for (int i = 0; i < count; ++i) {
            f.ad.push_back(value);
        }
        f.hist[value] += static_cast<uint32_t>(count);
    };
    put(floor, 30);
    put(ceiling, kH / 2 + 1);
    int used = 30 + kH / 2 + 1;
    for (const auto& level : levels) {
        put(level.first, level.second);
        used += level.second;
    }
    // The rest of the frame: a level well inside the range.
    const uint16_t fill = levels.empty() ? static_cast<uint16_t>((floor + ceiling) / 2) : levels.front().first;
    put(fill, kW * kH - used);
    f.alow = floor;
    f.ahigh = ceiling;
    f.trimmed_low = 30;
    f.trimmed_high = kH / 2 + 1;
    return f;
}

struct Splits {
    int z, s1, s2, s3, peak, raw_peak;
};

// Split points of the automatic (offset from the raw peak) or fire-fighting
// (offset 450) computation on a first frame, or with the peak `eased` to
// where stabilization moved it.
Splits split_points(const HandFrame& f, bool fire, int eased = -1)
{
    Splits s{};
    uint32_t largest = 0;
    s.peak = f.alow;
    s.raw_peak = f.alow;
    bool fixed = false;
    for (int d = f.alow; d < f.ahigh; ++d) {
        if (f.hist[d] > largest) {
            largest = f.hist[d];
            s.peak = d;
        }
        if (!fixed && largest > static_cast<uint32_t>(kW / 2) && 0.5 * largest > f.hist[d]) {
            s.raw_peak = s.peak;
            fixed = true;
        }
    }
    if (eased >= 0) {
        s.peak = eased;
    }
    int64_t body = int64_t{kW} * kH - f.trimmed_high - f.trimmed_low;
    for (int d = f.alow; d <= f.alow + 9; ++d) {
        body -= f.hist[d];
    }
    s.z = f.alow + 10;
    const int offset = fire ? 450 : std::clamp((s.raw_peak - 16384) / 2 + 450, 100, 600);
    s.s1 = f.ahigh;
    for (int d = s.z; d <= f.ahigh; ++d) {
        body -= f.hist[d];
        if (d >= s.peak + offset) {
            s.s1 = d;
            break;
        }
    }
    const int64_t third = body / 3;
    int64_t sum = 0;
    s.s3 = f.ahigh;
    for (int d = f.ahigh; d > s.s1; --d) {
        sum += f.hist[d];
        if (sum >= third) {
            s.s3 = d;
            break;
        }
    }
    sum = 0;
    s.s2 = s.s1;
    for (int d = s.s3 - 1; d > s.s1; --d) {
        sum += f.hist[d];
        if (sum >= third) {
            s.s2 = d;
            break;
        }
    }
    if (!fire) {
        s.s1 = std::max(s.s1, s.z);
        s.s2 = std::max(s.s2, s.s1);
        s.s3 = std::max(s.s3, s.s2);
    }
    return s;
}

int above_one(const HandFrame& f, int first, int end)
{
    int k = 0;
    for (int d = first; d < end; ++d) {
        k += f.hist[d] > 1 ? 1 : 0;
    }
    return k;
}

int weight(int count, int extent)
{
    return static_cast<int>(static_cast<float>(count) / (static_cast<float>(extent) / 3000.0f + 1.0f));
}

// Expected index of every present AD of [alow, ahigh] on a first frame of the
// automatic computation (imaging type 0, range = automatic range, wider than
// 162) in algorithm mode 0 or 2, or of the fire-fighting computation with the
// imaging range equal to the automatic range.
std::map<int, int> expected_band_indexes(const HandFrame& f, int mode, bool fire, int eased_peak = -1)
{
    const int low = f.alow, high = f.ahigh;
    const Splits s = split_points(f, fire, eased_peak);
    int w0 = s.s1 - s.z;
    int w1 = weight(above_one(f, s.s1, s.s2), s.s3 - low);
    const int w2 = weight(above_one(f, s.s2, s.s3), high - low);
    const int w3 = weight(above_one(f, s.s3, high + 1), high - low);
    const bool narrow = 16384 - s.raw_peak <= 600 || high - low <= 255;
    if (!fire && !narrow) {  // a first wide frame sets the wide-scene state
        w0 /= 4;
        w1 /= 8;
    }
    const int n = w0 + w1 + w2 + w3;
    const int top = 162, span = 163, p = span - 10;
    int i0 = 0, i1 = 0, i2 = 0, i3 = 0;
    if (n > 0) {
        i0 = p * w0 / n;
        i1 = p * w1 / n;
        i2 = p * w2 / n;
        i3 = span - i0 - i1 - i2 - 10;
    }
    uint64_t total = 0;
    for (int d = low; d <= high; ++d) {
        total += std::min<uint32_t>(f.hist[d], kH);
    }
    std::map<int, int> out;
    uint64_t running = 0;
    for (int d = low; d <= high; ++d) {
        if (f.hist[d] == 0) {
            continue;
        }
        if (d >= high) {
            out[d] = top;  // at or above high: the top of the bar
            break;
        }
        running += std::min<uint32_t>(f.hist[d], kH);
        if (d <= low) {
            out[d] = 0;  // the fill (bottom 0)
            continue;
        }
        int index;
        if (d <= s.z) {
            index = (d - low) * 10 / (s.z - low);
        } else if (d <= s.s1) {
            index = 10 + (d - s.z) * i0 / (s.s1 - s.z);
        } else if (d <= s.s2) {
            index = 10 + i0 + (d - s.s1) * i1 / (s.s2 - s.s1);
        } else if (d <= s.s3) {
            index = 10 + i0 + i1 + (d - s.s2) * i2 / (s.s3 - s.s2);
        } else {
            index = 10 + i0 + i1 + i2 + (d - s.s3) * i3 / (high - s.s3);
        }
        if (fire) {
            index &= 0xFF;
        }
        if (mode == 2) {
            const int64_t share = static_cast<int64_t>(running * 163 / total);
            index = static_cast<int>(0.6 * static_cast<double>(share) + 0.4 * index);
        }
        index = std::min(index, top);
        out[d] = index >= 163 ? 162 : index;
    }
    return out;
}

// Expected index of every present AD of the manual computation.
std::map<int, int> expected_manual_indexes(const HandFrame& f, int low, int high)
{
    int fmin = 65535, fmax = 0;
    for (int d = 0; d < 65536; ++d) {
        if (f.hist[d] != 0) {
            fmin = std::min(fmin, d);
            fmax = std::max(fmax, d);
        }
    }
    const int h = low + static_cast<int>(10.0f * static_cast<float>(high - low) / static_cast<float>(f.ahigh - f.alow));
    int top = 162;
    if (fmax < high) {
        top = (163 - (high - fmax) * 153 / (high - h)) & 0xFF;
        top = top >= 163 ? 162 : top;
    }
    std::map<int, int> out;
    for (int d = fmin; d <= fmax; ++d) {
        if (f.hist[d] == 0) {
            continue;
        }
        if (d >= high) {
            out[d] = top;
            continue;
        }
        if (d <= low) {
            out[d] = 0;  // below the range: the bottom of the bar
            continue;
        }
        int index = d <= h ? (d - low) * 9 / (h - low) : ((d - h) * 154 / (high - h) + 9) & 0xFF;
        index = std::min(index, top);
        out[d] = index >= 163 ? 162 : index;
    }
    return out;
}

// The colours ad_to_pixel paints index 0..162 with: the fire table in
// algorithm mode 2, else the palette.
std::vector<uint32_t> colour_table(void* h, int mode)
{
    if (mode != 2) {
        return index_table(h);
    }
    EXPECT_TRUE(palettor_set_fire_fighting(h, true));
    std::vector<uint32_t> table = index_table(h);
    EXPECT_TRUE(palettor_set_fire_fighting(h, false));
    return table;
}

std::map<int, int> computed(void* h, int mode, const std::map<int, int>& expected)
{
    std::vector<uint16_t> ads;
    for (const auto& e : expected) {
        ads.push_back(static_cast<uint16_t>(e.first));
    }
    const std::vector<uint32_t> table = colour_table(h, mode);
    std::vector<uint32_t> bits(ads.size());
    EXPECT_TRUE(palettor_ad_to_pixel(h, ads.data(), static_cast<uint16_t>(ads.size()), 1, 0, 0,
                                     static_cast<uint16_t>(ads.size() - 1), 0, bits.data(), false));
    std::map<int, int> out;
    for (std::size_t i = 0; i < ads.size(); ++i) {
        const auto it = std::find(table.begin(), table.begin() + 163, bits[i] & 0xFFFFFFu);
        out[ads[i]] = it == table.begin() + 163 ? -1 : static_cast<int>(it - table.begin());
    }
    return out;
}

// Histograms of a few dozen levels that lead the automatic computation
// through its branches: a narrow scene (raw peak near 16384), a wide one
// (raw peak far below), a peak whose offset is clamped at 600, split points
// that collapse onto each other, and levels that fill every band.
struct HandCase {
    const char* name;
    uint16_t floor, ceiling;
    std::vector<std::pair<uint16_t, int>> levels;
};

std::vector<HandCase> hand_cases()
{
    std::vector<HandCase> cases;
    {
        HandCase c{"narrow scene", 15800, 17200, {}};
        c.levels.push_back({16200, 0});  // the fill
        for (int i = 0; i < 30; ++i) {
            c.levels.push_back({static_cast<uint16_t>(15820 + i * 45), 2 + i % 5});
        }
        cases.push_back(c);
    }
    {
        HandCase c{"wide scene", 8000, 20000, {}};
        c.levels.push_back({9000, 0});
        for (int i = 0; i < 36; ++i) {
            c.levels.push_back({static_cast<uint16_t>(8100 + i * 320), 1 + (i * 7) % 6});
        }
        cases.push_back(c);
    }
    {
        HandCase c{"offset clamped at 600", 16000, 19000, {}};
        c.levels.push_back({17800, 0});
        for (int i = 0; i < 24; ++i) {
            c.levels.push_back({static_cast<uint16_t>(16050 + i * 120), 3});
        }
        cases.push_back(c);
    }
    {
        HandCase c{"split points collapse", 12000, 12400, {}};
        c.levels.push_back({12390, 0});
        c.levels.push_back({12100, 2});
        c.levels.push_back({12200, 1});
        cases.push_back(c);
    }
    return cases;
}

void prepare(void* h, const HandFrame& f, int mode)
{
    ASSERT_TRUE(palettor_set_algorithm_mode(h, mode));
    ASSERT_TRUE(palettor_enable_image_process(h, false));
    statistics(h, f.ad, kW, kH);
    uint16_t low = 0, high = 0;
    palettor_get_auto_range(h, &low, &high);
    ASSERT_EQ(low, f.alow);
    ASSERT_EQ(high, f.ahigh);
}

}  // namespace

TEST(index_values, automatic_computation_follows_its_formulas)
{
    for (const HandCase& c : hand_cases()) {
        const HandFrame f = hand_frame(c.floor, c.ceiling, c.levels);
        for (int mode : {0, 2}) {
            SCOPED_TRACE(testing::Message() << c.name << ", mode " << mode);
            Handle h;
            prepare(h, f, mode);
            ASSERT_TRUE(palettor_calc_pal_no_of_ad(h));
            const std::map<int, int> expected = expected_band_indexes(f, mode, false);
            EXPECT_EQ(computed(h, mode, expected), expected);
        }
    }
}

TEST(index_values, fire_fighting_computation_follows_its_formulas)
{
    for (const HandCase& c : hand_cases()) {
        SCOPED_TRACE(c.name);
        const HandFrame f = hand_frame(c.floor, c.ceiling, c.levels);
        Handle h;
        prepare(h, f, 0);
        ASSERT_TRUE(vy_set_imaging_type(h, 255));
        ASSERT_TRUE(palettor_set_range(h, static_cast<uint16_t>(f.alow), static_cast<uint16_t>(f.ahigh)));
        const std::map<int, int> expected = expected_band_indexes(f, 0, true);
        // The fire-fighting map indexes the palette as the others do.
        ASSERT_TRUE(palettor_set_fire_fighting(h, false));
        EXPECT_EQ(computed(h, 0, expected), expected);
    }
}

TEST(index_values, manual_computation_follows_its_formulas)
{
    const HandFrame f = hand_frame(15000, 19000, [] {
        std::vector<std::pair<uint16_t, int>> levels = {{16500, 0}};
        for (int i = 0; i < 40; ++i) {
            levels.push_back({static_cast<uint16_t>(15050 + i * 97), 1 + i % 4});
        }
        return levels;
    }());
    struct Range {
        const char* name;
        int low, high;
    };
    const Range ranges[] = {
        {"inside the scene", 15600, 18200},    // ADs below low and above high
        {"wider than the scene", 14000, 21000}, // top below 162
        {"the automatic range", 15000, 19000},
        {"narrow", 16000, 16300},
    };
    for (const Range& r : ranges) {
        SCOPED_TRACE(r.name);
        Handle h;
        prepare(h, f, 0);
        ASSERT_TRUE(palettor_set_range(h, static_cast<uint16_t>(r.low), static_cast<uint16_t>(r.high)));
        const std::map<int, int> expected = expected_manual_indexes(f, r.low, r.high);
        EXPECT_EQ(computed(h, 0, expected), expected);
    }
}

// Stabilization moves the peak a twentieth of the way from the remembered
// one to the frame's own; the fire-fighting computation smooths nothing else,
// so its second map follows the formulas with the eased peak.
TEST(index_values, stabilization_eases_the_peak)
{
    const auto frame = [](uint16_t peak) {
        std::vector<std::pair<uint16_t, int>> levels = {{peak, 0}};
        for (int i = 0; i < 30; ++i) {
            levels.push_back({static_cast<uint16_t>(8100 + i * 390), 1 + (i * 5) % 4});
        }
        return hand_frame(8000, 20000, levels);
    };
    const HandFrame first = frame(9000), second = frame(13000);
    for (bool stabilization : {false, true}) {
        SCOPED_TRACE(stabilization ? "stabilized" : "not stabilized");
        Handle h;
        ASSERT_TRUE(palettor_enable_image_stabilization(h, stabilization));
        prepare(h, first, 0);
        ASSERT_TRUE(vy_set_imaging_type(h, 255));
        ASSERT_TRUE(palettor_set_range(h, static_cast<uint16_t>(first.alow), static_cast<uint16_t>(first.ahigh)));
        prepare(h, second, 0);
        ASSERT_TRUE(palettor_set_range(h, static_cast<uint16_t>(second.alow), static_cast<uint16_t>(second.ahigh)));
        const int peak = stabilization ? 9000 + (13000 - 9000) / 20 : 13000;
        const std::map<int, int> expected = expected_band_indexes(second, 0, true, peak);
        ASSERT_TRUE(palettor_enable_image_stabilization(h, false));  // read the map unfiltered
        EXPECT_EQ(computed(h, 0, expected), expected);
    }
}

// In algorithm mode 2 with stabilization each new automatic map moves a
// thirtieth of the way from the smoothed map towards the frame's own map
// (that of a twin object without stabilization, the peak being the same).
TEST(index_values, stabilization_smooths_the_mode_2_map)
{
    const auto frame = [](int shift) {
        std::vector<std::pair<uint16_t, int>> levels = {{9000, 0}};
        for (int i = 0; i < 36; ++i) {
            levels.push_back({static_cast<uint16_t>(8100 + shift + i * 320), 1 + (i * 7) % 6});
        }
        return hand_frame(8000, 20000, levels);
    };
    const HandFrame frames[] = {frame(0), frame(150), frame(-60)};
    std::map<int, int> probe;
    for (int d = 7990; d <= 20010; ++d) {
        probe[d] = 0;
    }
    Handle plain, stabilized;
    ASSERT_TRUE(palettor_enable_image_stabilization(stabilized, true));
    std::map<int, float> smoothed;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(testing::Message() << "frame " << i);
        prepare(plain, frames[i], 2);
        prepare(stabilized, frames[i], 2);
        ASSERT_TRUE(palettor_calc_pal_no_of_ad(plain));
        ASSERT_TRUE(palettor_calc_pal_no_of_ad(stabilized));
        const std::map<int, int> own = computed(plain, 2, probe);
        if (i == 0) {
            const std::map<int, int> first = expected_band_indexes(frames[0], 2, false);
            for (const auto& e : first) {
                ASSERT_EQ(own.at(e.first), e.second) << "AD " << e.first;
            }
        }
        std::map<int, int> expected;
        for (const auto& e : own) {
            float& value = smoothed.emplace(e.first, static_cast<float>(e.second)).first->second;
            value += (static_cast<float>(e.second) - value) / 30.0f;
            expected[e.first] = static_cast<int>(value);
        }
        if (i > 0) {
            ASSERT_NE(expected, own) << "the frames must differ for the smoothing to show";
        }
        ASSERT_TRUE(palettor_enable_image_stabilization(stabilized, false));  // read the map unfiltered
        EXPECT_EQ(computed(stabilized, 2, probe), expected);
        ASSERT_TRUE(palettor_enable_image_stabilization(stabilized, true));
    }
}

// Automatic imaging of a narrow range of 40 AD or more: slope w / r.
TEST(index_values, automatic_narrow_range_with_slope)
{
    std::vector<uint16_t> ad(kW * kH);
    for (std::size_t i = 0; i < ad.size(); ++i) {
        ad[i] = static_cast<uint16_t>(2000 + i % 121);  // automatic range [2000, 2120]
    }
    Handle h;
    ASSERT_TRUE(palettor_enable_image_process(h, false));
    statistics(h, ad, kW, kH);
    uint16_t low = 0, high = 0;
    palettor_get_auto_range(h, &low, &high);
    ASSERT_TRUE(palettor_calc_pal_no_of_ad(h));
    const int r = high - low;
    ASSERT_GE(r, 40);
    ASSERT_LE(r, 162);
    const int w = std::min(r + r / 4, 163);
    const float slope = static_cast<float>(w) / static_cast<float>(r);
    const int base = (103 + w * 60 / 163 - w) & 0xFF;
    std::vector<uint16_t> probe;
    std::vector<int> expected;
    for (int d = low - 2; d <= high + 2; ++d) {
        probe.push_back(static_cast<uint16_t>(d));
        if (d < low) {
            expected.push_back(base);
        } else if (d < high) {
            expected.push_back(std::min(base + static_cast<int>(static_cast<float>(d - low) * slope), 162));
        } else {
            expected.push_back(std::min(base + w - 1, 162));
        }
    }
    EXPECT_EQ(indexes_of(h, probe), expected);
}

// A 640 x 512 scene of a real kind (gradient, noise, warm object, hot spot):
// every computation spreads it over most of the palette, and a stabilized
// histogram computation keeps a second identical frame's map.
TEST(index_values, a_realistic_scene_uses_most_of_the_palette)
{
    const int w = 640, hgt = 512;
    std::vector<uint16_t> ad(static_cast<std::size_t>(w) * hgt);
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 6.0);
    for (int y = 0; y < hgt; ++y) {
        for (int x = 0; x < w; ++x) {
            double v = 15500.0 + 1800.0 * x / w + 700.0 * y / hgt + noise(random);
            const double r2 = (x - 400.0) * (x - 400.0) + (y - 200.0) * (y - 200.0);
            v += 2500.0 * std::exp(-r2 / (2 * 60.0 * 60.0));
            if ((x - 120) * (x - 120) + (y - 420) * (y - 420) < 64) {
                v += 9000.0;  // hot spot
            }
            ad[static_cast<std::size_t>(y) * w + x] = static_cast<uint16_t>(std::clamp(v, 0.0, 65535.0));
        }
    }
    struct Computation {
        const char* name;
        int mode, type;
        bool stabilization;
    };
    const Computation computations[] = {
        {"automatic", 0, 0, false},       {"automatic, mode 2", 2, 0, false},
        {"fire fighting", 0, 255, false}, {"manual", 0, 1, false},
        {"histogram", 1, 0, false},       {"histogram, stabilized", 1, 0, true},
    };
    for (const Computation& c : computations) {
        SCOPED_TRACE(c.name);
        Handle h;
        ASSERT_TRUE(palettor_set_algorithm_mode(h, c.mode));
        ASSERT_TRUE(palettor_enable_image_stabilization(h, c.stabilization));
        ASSERT_TRUE(palettor_enable_image_process(h, false));
        ASSERT_TRUE(vy_set_imaging_type(h, c.type));
        const std::vector<uint32_t> table = colour_table(h, c.mode);
        std::vector<uint32_t> first;
        for (int frame = 0; frame < 2; ++frame) {
            statistics(h, ad, w, hgt);
            uint16_t low = 0, high = 0;
            palettor_get_auto_range(h, &low, &high);
            if (c.type != 0) {
                ASSERT_TRUE(palettor_set_range(h, low, high));
            }
            ASSERT_TRUE(palettor_calc_pal_no_of_ad(h));
            std::vector<uint32_t> bits(ad.size());
            ASSERT_TRUE(palettor_ad_to_pixel(h, ad.data(), w, hgt, 0, 0, w - 1, hgt - 1, bits.data(), false));
            std::set<uint32_t> used;
            for (uint32_t b : bits) {
                used.insert(b & 0xFFFFFFu);
            }
            std::set<uint32_t> palette_used;
            for (uint32_t colour : used) {
                if (std::find(table.begin(), table.begin() + 163, colour) != table.begin() + 163) {
                    palette_used.insert(colour);
                }
            }
            EXPECT_GE(palette_used.size(), 110u) << "frame " << frame;
            if (frame == 0) {
                first = bits;
            } else if (c.stabilization) {
                EXPECT_EQ(bits, first) << "an unchanged scene keeps its colours";
            }
        }
    }
}
