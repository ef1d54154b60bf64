// The stripe filter and its worker pool.
#include "noise_pool.h"
#include "spare_processors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

using framekit::detail::NoisePool;

namespace {

std::vector<uint16_t> striped(int width, int height, uint16_t base)
{
    std::vector<uint16_t> plane(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Every fourth column and every fifth row a little brighter.
            plane[static_cast<std::size_t>(y) * width + x] =
                static_cast<uint16_t>(base + (x % 4 == 0 ? 6 : 0) + (y % 5 == 0 ? 4 : 0) + (x * 3 + y) % 3);
        }
    }
    return plane;
}

// The filter as defined, pixel by pixel: per column (16 left and right) and
// per row (4 up and down) the mean of the neighbour differences below the
// threshold, truncated, both added with saturation.
std::vector<uint16_t> defined_filter(std::vector<uint16_t> plane, int width, int height)
{
    const int column_threshold = width == 640 ? 10 : 20;
    const int row_threshold = width == 640 ? 15 : 25;
    auto at = [&](int x, int y) { return static_cast<int>(plane[static_cast<std::size_t>(y) * width + x]); };
    std::vector<int> columns(width, 0), rows(height, 0);
    for (int c = 16; c < width - 16; ++c) {
        long long sum = 0, count = 0;
        for (int y = 0; y < height; ++y) {
            for (int k = -16; k <= 16; ++k) {
                const int d = at(c + k, y) - at(c, y);
                if (k != 0 && std::abs(d) < column_threshold) {
                    sum += d;
                    ++count;
                }
            }
        }
        columns[c] = count ? static_cast<int>(sum / count) : 0;
    }
    for (int r = 4; r < height - 4; ++r) {
        long long sum = 0, count = 0;
        for (int x = 0; x < width; ++x) {
            for (int k = -4; k <= 4; ++k) {
                const int d = at(x, r + k) - at(x, r);
                if (k != 0 && std::abs(d) < row_threshold) {
                    sum += d;
                    ++count;
                }
            }
        }
        rows[r] = count ? static_cast<int>(sum / count) : 0;
    }
    std::vector<uint16_t> out(plane.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            out[static_cast<std::size_t>(y) * width + x] =
                static_cast<uint16_t>(std::clamp(at(x, y) + columns[x] + rows[y], 0, 65535));
        }
    }
    return out;
}

}  // namespace

TEST(NoisePool, noisy_planes_follow_the_definition)
{
    // Differences around both thresholds, on the 640-wide thresholds and the others.
    struct Case {
        int width, height, spread;
        uint16_t base;
    };
    for (const Case& c : {Case{640, 24, 30, 20000}, Case{77, 19, 50, 40}, Case{35, 9, 12, 65500}}) {
        SCOPED_TRACE(c.width);
        std::mt19937 random(5);
        std::uniform_int_distribution<int> value(0, c.spread);
        std::vector<uint16_t> plane(static_cast<std::size_t>(c.width) * c.height);
        for (std::size_t i = 0; i < plane.size(); ++i) {
            plane[i] = static_cast<uint16_t>(c.base + value(random) + (i % 7 == 0 ? 9 : 0));
        }
        const std::vector<uint16_t> expected = defined_filter(plane, c.width, c.height);
        ASSERT_TRUE(NoisePool::filter_single(plane.data(), static_cast<uint16_t>(c.width),
                                             static_cast<uint16_t>(c.height)));
        EXPECT_EQ(plane, expected);
    }
}

TEST(NoisePool, constant_plane_unchanged_and_small_planes_refused)
{
    NoisePool pool(3);
    ASSERT_TRUE(pool.start());
    ASSERT_TRUE(pool.start());
    for (uint16_t value : {0, 1234, 65535}) {
        std::vector<uint16_t> plane(64 * 20, value);
        ASSERT_TRUE(pool.filter(plane.data(), 64, 20));
        EXPECT_EQ(std::vector<uint16_t>(64 * 20, value), plane);
    }
    std::vector<uint16_t> narrow = striped(32, 20, 100);
    std::vector<uint16_t> copy = narrow;
    EXPECT_FALSE(pool.filter(narrow.data(), 32, 20));
    EXPECT_FALSE(pool.filter(narrow.data(), 33, 8));
    EXPECT_EQ(copy, narrow);
    EXPECT_FALSE(pool.filter(nullptr, 64, 20));

    NoisePool idle(2);
    std::vector<uint16_t> plane = striped(64, 20, 100);
    EXPECT_FALSE(idle.filter(plane.data(), 64, 20));
}

TEST(NoisePool, saturates_at_the_ends_of_the_range)
{
    const int width = 64;
    const int height = 20;
    // Low end: bright columns crossed by black rows, whose pixels on a bright
    // column get a negative correction. High end: a plane at the top of the
    // range between brighter columns and rows, corrected upwards.
    std::vector<uint16_t> low(width * height);
    std::vector<uint16_t> high(width * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            low[y * width + x] = static_cast<uint16_t>(y % 7 == 3 ? 0 : (x % 4 == 0 ? 8 : 0));
            high[y * width + x] = static_cast<uint16_t>(65535 - (x % 4 == 0 ? 0 : 6) - (y % 5 == 0 ? 0 : 4));
        }
    }
    ASSERT_TRUE(NoisePool::filter_single(low.data(), width, height));
    ASSERT_TRUE(NoisePool::filter_single(high.data(), width, height));
    int low_zeros = 0;
    int high_tops = 0;
    for (std::size_t i = 0; i < low.size(); ++i) {
        // A wrap would put values near the other end of the range.
        EXPECT_LT(low[i], 1000) << i;
        EXPECT_GT(high[i], 64000) << i;
        low_zeros += low[i] == 0;
        high_tops += high[i] == 65535;
    }
    EXPECT_GT(low_zeros, 0);
    EXPECT_GT(high_tops, 0);
}

TEST(NoisePool, workers_agree_with_the_single_pass)
{
    vybase::assume_spare_processors();  // the workers share frames however busy the machine
    // A small plane is filtered by the caller alone; the larger ones are
    // shared by two and by four members, in shares that end mid-vector.
    struct Size {
        uint16_t width, height;
    };
    for (const Size size : {Size{97, 41}, Size{700, 300}, Size{650, 513}}) {
        SCOPED_TRACE(size.width);
        std::vector<uint16_t> reference = striped(size.width, size.height, 3000);
        const std::vector<uint16_t> original = reference;
        ASSERT_TRUE(NoisePool::filter_single(reference.data(), size.width, size.height));
        EXPECT_NE(original, reference);
        for (unsigned workers : {1u, 2u, 5u, 64u}) {
            NoisePool pool(workers);
            ASSERT_TRUE(pool.start());
            EXPECT_EQ(workers, pool.worker_count());
            for (int pass = 0; pass < 3; ++pass) {
                std::vector<uint16_t> plane = original;
                ASSERT_TRUE(pool.filter(plane.data(), size.width, size.height));
                EXPECT_EQ(reference, plane) << workers << " workers, pass " << pass;
            }
            pool.stop();
            pool.stop();
        }
    }
    EXPECT_EQ(255u, NoisePool(1000).worker_count());
    EXPECT_LE(NoisePool().worker_count(), 4u);
}

namespace {

// The corrected plane by the filter's formulas: per column (16 .. w - 17) and
// per row (4 .. h - 5) the truncated mean of the neighbour differences under
// the threshold, both added to every pixel.
std::vector<uint16_t> reference_filter(const std::vector<uint16_t>& plane, int w, int h)
{
    const int column_threshold = w == 640 ? 10 : 20;
    const int row_threshold = w == 640 ? 15 : 25;
    auto at = [&](int x, int y) { return static_cast<int>(plane[static_cast<std::size_t>(y) * w + x]); };
    // Truncated mean of the differences under the threshold between each
    // pixel of a line and its neighbours up to `reach` across the line.
    auto correction = [&](bool column, int line, int reach, int threshold) {
        int64_t sum = 0, count = 0;
        for (int along = 0; along < (column ? h : w); ++along) {
            const int pixel = column ? at(line, along) : at(along, line);
            for (int k = -reach; k <= reach; ++k) {
                const int d = (column ? at(line + k, along) : at(along, line + k)) - pixel;
                if (k != 0 && std::abs(d) < threshold) {
                    sum += d;
                    ++count;
                }
            }
        }
        return count == 0 ? 0 : static_cast<int>(static_cast<int8_t>(sum / count));
    };
    std::vector<int> column(w, 0), row(h, 0);
    for (int c = 16; c <= w - 17; ++c) {
        column[c] = correction(true, c, 16, column_threshold);
    }
    for (int r = 4; r <= h - 5; ++r) {
        row[r] = correction(false, r, 4, row_threshold);
    }
    std::vector<uint16_t> out(plane.size());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            out[static_cast<std::size_t>(y) * w + x] = static_cast<uint16_t>(at(x, y) + column[x] + row[y]);
        }
    }
    return out;
}

// Mean absolute difference between neighbouring column means: the strength
// of column stripes.
double column_stripes(const std::vector<uint16_t>& plane, int w, int h)
{
    std::vector<double> mean(w, 0.0);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            mean[x] += plane[static_cast<std::size_t>(y) * w + x];
        }
        mean[x] /= h;
    }
    double total = 0.0;
    for (int x = 17; x < w - 17; ++x) {
        total += std::abs(mean[x] - mean[x - 1]);
    }
    return total / (w - 34);
}

}  // namespace

// Planted column stripes (and a row stripe) on a gradient: the corrections are
// those of the formulas, and the stripes come out weaker.
TEST(NoisePool, planted_stripes_get_their_corrections_and_are_reduced)
{
    const int w = 96, h = 24;
    std::vector<uint16_t> plane(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int v = 3000 + x / 8 + y / 6;
            if (x % 7 == 3) {
                v += 9;  // bright columns
            } else if (x % 11 == 5) {
                v -= 6;  // dark columns
            }
            if (y == 11) {
                v += 12;  // a bright row
            }
            plane[static_cast<std::size_t>(y) * w + x] = static_cast<uint16_t>(v);
        }
    }
    const std::vector<uint16_t> expected = reference_filter(plane, w, h);
    for (unsigned workers : {1u, 3u}) {
        SCOPED_TRACE(workers);
        NoisePool pool(workers);
        ASSERT_TRUE(pool.start());
        std::vector<uint16_t> filtered = plane;
        ASSERT_TRUE(pool.filter(filtered.data(), w, h));
        EXPECT_EQ(filtered, expected);
        EXPECT_LT(column_stripes(filtered, w, h), 0.5 * column_stripes(plane, w, h));
    }
}
