// The stripe filter and its worker pool.
#include "noise_pool.h"

#include <gtest/gtest.h>

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

}  // namespace

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
    std::vector<uint16_t> reference = striped(97, 41, 3000);
    std::vector<uint16_t> original = reference;
    ASSERT_TRUE(NoisePool::filter_single(reference.data(), 97, 41));
    EXPECT_NE(original, reference);
    for (unsigned workers : {1u, 2u, 5u, 64u}) {
        NoisePool pool(workers);
        ASSERT_TRUE(pool.start());
        EXPECT_EQ(workers, pool.worker_count());
        std::vector<uint16_t> plane = original;
        ASSERT_TRUE(pool.filter(plane.data(), 97, 41));
        EXPECT_EQ(reference, plane) << workers << " workers";
        plane = original;
        ASSERT_TRUE(pool.filter(plane.data(), 97, 41));
        EXPECT_EQ(reference, plane) << workers << " workers, second pass";
        pool.stop();
        pool.stop();
    }
    EXPECT_EQ(255u, NoisePool(1000).worker_count());
}
