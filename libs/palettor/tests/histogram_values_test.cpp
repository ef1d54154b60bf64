// Index values of the histogram computation (algorithm mode 1) against a
// reference that follows its formulas step by step, on small hand-made
// histograms chosen to lead it through each way of cutting the range into
// segments and each weight correction; and the temporal smoothing of its map.
#include "palettor_test_util.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kMax = 162;

// A one-row frame built from (AD, count) pairs.
struct Scene {
    std::vector<uint16_t> ad;
    std::vector<uint32_t> hist = std::vector<uint32_t>(65536, 0);
    int fmin = 65535, fmax = 0;

    void put(int value, int count)
    {
        for (int i = 0; i < count; ++i) {
            ad.push_back(static_cast<uint16_t>(value));
        }
        hist[value] += static_cast<uint32_t>(count);
        if (count > 0) {
            fmin = std::min(fmin, value);
            fmax = std::max(fmax, value);
        }
    }
    // A triangular bump: `height` pixels at `centre`, falling linearly to
    // nothing `half` ADs away on each side.
    void bump(int centre, int height, int half)
    {
        for (int d = centre - half + 1; d < centre + half; ++d) {
            put(d, height * (half - std::abs(d - centre)) / half);
        }
    }
    // `count` pixels at every AD of [first, last].
    void flat(int first, int last, int count)
    {
        for (int d = first; d <= last; ++d) {
            put(d, count);
        }
    }
};

struct Segment {
    int first, last;
};

// Expected map of the histogram computation over `probe` (ADs), and the
// branches it went through.
struct Expected {
    std::vector<int> indexes;
    std::set<std::string> path;
};

Expected expected_histogram(const Scene& s, int low, int high, const std::vector<uint16_t>& probe)
{
    Expected out;
    auto bin = [&](int d) { return d >= 0 && d < 65536 ? s.hist[d] : 0u; };
    // Level list.
    int n = 1, last_level = low;
    uint64_t sum = 0;
    for (int d = low; d < s.fmax && d != 65535; ++d) {
        sum += s.hist[d];
        if (sum > 10) {
            ++n;
            last_level = d + 1;
            sum = 0;
        }
    }
    if (last_level != high) {
        ++n;
    }
    if (high - low < 10) {
        high = low + 10;
        out.path.insert("widened");
    }
    // Span, base and top.
    int span, base, top;
    if (n < 40) {
        top = static_cast<int>(static_cast<float>(n) * 60 / 163 + 103);
        base = top - n;
        span = n;
        out.path.insert("few levels");
    } else if (n < 163) {
        span = std::min(n + n / 2, 162);
        top = std::min(static_cast<int>(static_cast<float>(span) * 60 / 163 + 103), 162);
        base = top - span;
        out.path.insert("some levels");
    } else {
        span = 163;
        base = 0;
        top = 162;
        out.path.insert("many levels");
    }
    const int lo = std::max(s.fmin, low), hi = std::min(s.fmax, high);
    if (lo != hi) {
        base = std::max(base + (lo - low) * span / (high - low), 0);
        span = (hi - lo) * span / (high - low);
        top = std::min(base + span, 162);
    }
    // Segments.
    auto largest = [&](int first, int last) {
        int at = first;
        for (int d = first; d <= last; ++d) {
            if (bin(d) > bin(at)) {
                at = d;
            }
        }
        return at;
    };
    const int p = largest(low, high - 1);
    int c = low - 1, d = high + 1;
    for (int x = p; x >= low; --x) {
        if (bin(x) <= 0.02 * bin(p)) {
            c = x;
            break;
        }
    }
    for (int x = p; x <= high; ++x) {
        if (bin(x) <= 0.02 * bin(p)) {
            d = x;
            break;
        }
    }
    const int q = largest(d, high);
    std::vector<Segment> seg;
    if (bin(q) < 1000) {
        const int r = largest(low, c);
        if (bin(r) >= 500) {
            int c2 = low - 1, e2 = c;
            for (int x = r; x >= low; --x) {
                if (bin(x) < 0.1 * bin(r)) {
                    c2 = x;
                    break;
                }
            }
            for (int x = r; x < c; ++x) {
                if (bin(x) < 0.1 * bin(r)) {
                    e2 = x;
                    break;
                }
            }
            if (c - e2 >= 10) {
                seg = std::vector<Segment>{{low, c2}, {c2, e2}, {e2, c}, {c, d}, {d, high}};
                out.path.insert("cold peak apart");
            } else {
                seg = std::vector<Segment>{{low, c2}, {c2, d}, {d, high}};
                out.path.insert("cold peak close");
            }
        } else {
            seg = std::vector<Segment>{{low, c}, {c, d}, {d, high}};
            out.path.insert("one peak");
        }
    } else {
        int f = d - 1, g = high + 1;
        for (int x = q; x >= d; --x) {
            if (bin(x) < 0.1 * bin(q)) {
                f = x;
                break;
            }
        }
        for (int x = q; x <= high; ++x) {
            if (bin(x) < 0.1 * bin(q)) {
                g = x;
                break;
            }
        }
        if (std::abs(d - f) <= 2) {
            seg = std::vector<Segment>{{low, c}, {c, g}, {g, high}};
            out.path.insert("hot peak adjoining");
        } else {
            seg = std::vector<Segment>{{low, c}, {c, d}, {d, f}, {f, g}, {g, high}};
            out.path.insert("hot peak apart");
        }
    }
    // End to end, each at least one AD long, and kept inside the range: a
    // shoulder not found (low - 1, high + 1) ends its segment at the range's
    // end, so AD high itself takes top.
    for (std::size_t i = 0; i < seg.size(); ++i) {
        seg[i].first = i == 0 ? low : seg[i - 1].last;
        seg[i].last = std::clamp(seg[i].last, seg[i].first, high);
    }
    // Weights.
    const std::size_t k = seg.size();
    std::vector<float> cs(k), ws(k), w(k);
    float cs_sum = 0, ws_sum = 0;
    for (std::size_t i = 0; i < k; ++i) {
        uint64_t pixels = 0;
        for (int x = seg[i].first; x < seg[i].last; ++x) {
            pixels += s.hist[x];
        }
        cs[i] = static_cast<float>(pixels);
        ws[i] = static_cast<float>(seg[i].last - seg[i].first);
        cs_sum += cs[i];
        ws_sum += ws[i];
    }
    for (std::size_t i = 0; i < k; ++i) {
        cs[i] /= cs_sum;
        ws[i] /= ws_sum;
        if (high - low >= 400) {
            w[i] = i < 2 ? 0.3f * cs[i] + 0.7f * ws[i] : 0.5f * cs[i] + 0.5f * ws[i];
        } else {
            w[i] = i + 1 < k ? ws[i] : 0.4f * cs[i] + 0.6f * ws[i];
        }
    }
    out.path.insert(high - low >= 400 ? "wide range" : "narrow range");
    auto last_treatment = [&](bool width_test) {
        const float share = cs[k - 1];
        if (share < 0.001f) {
            w[k - 1] = 0;
            out.path.insert("last dropped");
        } else if (share < 0.01f && width_test) {
            w[k - 1] /= 3.1111112f - 111.111115f * share;
            out.path.insert("last under 1 %");
        } else if (share < 0.02f && width_test) {
            w[k - 1] /= 2 - (share - 0.01f) / 0.01f;
            out.path.insert("last under 2 %");
        }
    };
    if (k == 5) {
        if (high - low >= 400) {
            w[1] /= 2;
            w[2] /= 2;
        } else {
            w[0] /= 3;
            w[1] /= 3;
        }
        last_treatment(ws[4] > 0.333f * (ws[1] + ws[2] + ws[3]));
    } else {
        if (cs[0] < 0.01f) {
            w[0] /= 10.889f - 888.9f * cs[0];
            out.path.insert("first under 1 %");
        } else if (cs[0] < 0.05f) {
            w[0] /= 2 - (cs[0] - 0.01f) / 0.04f;
            out.path.insert("first under 5 %");
        }
        last_treatment(ws[2] > 0.333f * ws[1]);
        const float wd = high - low < 163 ? 40.0f
                                          : std::min(std::trunc(40.0f * ((high - low - 163) / 163.0f + 1)), 70.0f);
        const int second = seg[1].last - seg[1].first;
        if (high - seg[2].first > 1.8f * static_cast<float>(second) && static_cast<float>(second) < wd) {
            const float by = high - low <= 600 ? 5.0f : 3.0f;
            w[0] /= by;
            w[1] /= by;
            out.path.insert("narrow middle");
        }
    }
    float w_sum = 0;
    for (float x : w) {
        w_sum += x;
    }
    // Allocation.
    std::vector<int> map(65536, -1);
    int running = base;
    for (std::size_t i = 0; i < k; ++i) {
        const int allocated = static_cast<int>(w[i] / w_sum * static_cast<float>(span));
        const uint32_t cap = i + 1 == k ? 30 : 200;
        float total = 0;
        for (int x = seg[i].first; x <= seg[i].last; ++x) {
            total += static_cast<float>(std::min(s.hist[x], cap));
        }
        float cumulative = 0;
        for (int x = seg[i].first; x <= seg[i].last; ++x) {
            cumulative += static_cast<float>(std::min(s.hist[x], cap));
            map[x] = static_cast<int>(static_cast<float>(allocated) * cumulative / total + static_cast<float>(running));
        }
        running = std::min(running + allocated, 162);
    }
    for (int x = 0; x < seg.front().first; ++x) {
        map[x] = base;
    }
    for (int x = seg.back().last; x < 65536; ++x) {
        map[x] = top;
    }
    for (uint16_t a : probe) {
        out.indexes.push_back(map[a]);
    }
    return out;
}

std::vector<uint16_t> probe_of(int first, int last)
{
    std::vector<uint16_t> probe;
    for (int d = std::max(first, 0); d <= std::min(last, 65535); ++d) {
        probe.push_back(static_cast<uint16_t>(d));
    }
    return probe;
}

void histogram_statistics(void* h, const Scene& s)
{
    ASSERT_LE(s.ad.size(), 65535u) << "a frame row holds at most 65535 pixels";
    statistics(h, s.ad, static_cast<int>(s.ad.size()), 1);
}

struct HistCase {
    const char* name;
    Scene scene;
    int low, high;  // the imaging range
};

std::vector<HistCase> hist_cases()
{
    std::vector<HistCase> cases;
    {
        HistCase c{"one peak, sparse tails", {}, 1000, 1300};
        c.scene.flat(1000, 1040, 1);
        c.scene.bump(1100, 300, 12);
        c.scene.flat(1140, 1300, 1);
        cases.push_back(c);
    }
    {
        HistCase c{"cold peak apart from the main one", {}, 2000, 2600};
        c.scene.flat(2000, 2600, 12);
        c.scene.bump(2080, 700, 6);
        c.scene.bump(2300, 2000, 10);
        cases.push_back(c);
    }
    {
        HistCase c{"cold peak close to the main one", {}, 3000, 3300};
        c.scene.flat(3000, 3300, 2);
        c.scene.bump(3150, 600, 4);
        c.scene.bump(3170, 2500, 12);
        cases.push_back(c);
    }
    {
        HistCase c{"hot peak right beside the main one", {}, 4000, 4900};
        c.scene.flat(4000, 4900, 11);
        c.scene.bump(4300, 3000, 10);
        c.scene.bump(4320, 1500, 10);
        cases.push_back(c);
    }
    {
        HistCase c{"hot peak apart from the main one", {}, 5000, 5350};
        c.scene.flat(5000, 5350, 3);
        c.scene.bump(5100, 3000, 15);
        c.scene.bump(5250, 1200, 8);
        cases.push_back(c);
    }
    {
        HistCase c{"range wider than the scene", {}, 900, 1800};
        c.scene.flat(1000, 1600, 4);
        c.scene.bump(1200, 900, 30);
        c.scene.bump(1450, 60, 5);  // bins the last segment caps at 30
        cases.push_back(c);
    }
    {
        HistCase c{"range narrower than 10 AD", {}, 6000, 6005};
        c.scene.flat(6000, 6012, 20);
        c.scene.bump(6003, 200, 3);
        cases.push_back(c);
    }
    return cases;
}

}  // namespace

TEST(histogram_values, histogram_computation_follows_its_formulas)
{
    std::set<std::string> covered;
    for (const HistCase& c : hist_cases()) {
        SCOPED_TRACE(c.name);
        Handle h;
        ASSERT_TRUE(palettor_set_algorithm_mode(h, 1));
        histogram_statistics(h, c.scene);
        // Fire-fighting imaging makes the histogram computation use the
        // imaging range instead of the automatic one.
        ASSERT_TRUE(vy_set_imaging_type(h, 255));
        ASSERT_TRUE(palettor_set_range(h, static_cast<uint16_t>(c.low), static_cast<uint16_t>(c.high)));
        const std::vector<uint16_t> probe = probe_of(c.low - 5, std::max(c.high, c.low + 10) + 5);
        const Expected expected = expected_histogram(c.scene, c.low, c.high, probe);
        covered.insert(expected.path.begin(), expected.path.end());
        EXPECT_EQ(indexes_of(h, probe), expected.indexes);
    }
    for (const char* branch :
         {"one peak", "cold peak apart", "cold peak close", "hot peak adjoining", "hot peak apart", "few levels",
          "some levels", "many levels", "wide range", "narrow range", "widened", "first under 1 %",
          "first under 5 %", "last dropped", "narrow middle"}) {
        EXPECT_EQ(covered.count(branch), 1u) << "no case goes through " << branch;
    }
}

// With stabilization on, each new map moves a sixteenth of the way from the
// smoothed map towards the frame's own map.
TEST(histogram_values, stabilization_smooths_the_map_over_frames)
{
    Scene frames[3];
    frames[0].flat(7000, 7400, 6);
    frames[0].bump(7100, 800, 25);
    frames[1].flat(7000, 7400, 6);
    frames[1].bump(7300, 800, 25);
    frames[2].flat(7000, 7400, 4);
    frames[2].bump(7200, 1500, 10);
    const std::vector<uint16_t> probe = probe_of(6950, 7450);
    Handle h;
    ASSERT_TRUE(palettor_set_algorithm_mode(h, 1));
    std::vector<float> smoothed;
    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE(testing::Message() << "frame " << frame);
        ASSERT_TRUE(palettor_enable_image_stabilization(h, true));
        histogram_statistics(h, frames[frame]);
        uint16_t low = 0, high = 0;
        palettor_get_auto_range(h, &low, &high);
        ASSERT_TRUE(palettor_calc_pal_no_of_ad(h));
        ASSERT_GE(low, 6950);
        ASSERT_LE(high, 7450);
        const std::vector<int> own = expected_histogram(frames[frame], low, high, probe).indexes;
        std::vector<int> expected(probe.size());
        if (smoothed.empty()) {
            smoothed.assign(own.begin(), own.end());
        }
        for (std::size_t i = 0; i < probe.size(); ++i) {
            if (frame > 0) {
                smoothed[i] += (static_cast<float>(own[i]) - smoothed[i]) / 16.0f;
            }
            expected[i] = static_cast<int>(smoothed[i]);
        }
        if (frame > 0) {
            ASSERT_NE(expected, own) << "the frames must differ for the smoothing to show";
        }
        // Read the map back without the picture filter stabilization adds.
        ASSERT_TRUE(palettor_enable_image_stabilization(h, false));
        EXPECT_EQ(indexes_of(h, probe), expected);
    }
}
