// Every processor path of the stripe filter and of the resampling gives the
// bytes of the plain path.
#include "frame_resample.h"
#include "kernel_path_guard.h"
#include "noise_pool.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using framekit::detail::NoisePool;

namespace {

// Stripes and noise from a fixed seed, with flat patches, both extremes and
// single-pixel spikes.
std::vector<uint16_t> nonsense_plane(int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> noise(-12, 12);
    std::vector<uint16_t> plane(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int value = 20000 + (x % 7 == 0 ? 9 : 0) + (y % 3 == 0 ? 5 : 0) + noise(random);
            if (x < width / 4 && y < height / 3) {
                value = 0;  // a patch at the lowest AD
            } else if (x > 3 * width / 4 && y > 2 * height / 3) {
                value = 65535 - (x + y) % 3;  // and near the highest
            } else if ((x * 31 + y * 17) % 97 == 0) {
                value = (x + y) % 2 ? 65535 : 0;  // spikes
            }
            plane[static_cast<std::size_t>(y) * width + x] = static_cast<uint16_t>(value);
        }
    }
    return plane;
}

struct Outputs {
    std::vector<uint16_t> single;
    std::vector<uint16_t> pooled;
    std::vector<uint16_t> larger;
    std::vector<uint16_t> smaller;
    bool operator==(const Outputs& o) const
    {
        return single == o.single && pooled == o.pooled && larger == o.larger && smaller == o.smaller;
    }
};

Outputs run_kernels(const std::vector<uint16_t>& plane, int width, int height)
{
    Outputs out;
    out.single = plane;
    EXPECT_TRUE(NoisePool::filter_single(out.single.data(), static_cast<uint16_t>(width),
                                         static_cast<uint16_t>(height)));
    out.pooled = plane;
    NoisePool pool(3);
    EXPECT_TRUE(pool.start());
    EXPECT_TRUE(pool.filter(out.pooled.data(), static_cast<uint16_t>(width), static_cast<uint16_t>(height)));
    pool.stop();
    out.larger.resize(static_cast<std::size_t>(2 * width + 1) * (2 * height + 3));
    framekit::detail::resample_bilinear(plane.data(), width, height, out.larger.data(), 2 * width + 1,
                                        2 * height + 3);
    out.smaller.resize(static_cast<std::size_t>(width / 3 + 1) * (height / 2 + 1));
    framekit::detail::resample_bilinear(plane.data(), width, height, out.smaller.data(), width / 3 + 1,
                                        height / 2 + 1);
    return out;
}

TEST(kernel_paths, stripe_filter_and_resampling_give_the_plain_bytes)
{
    vytest::KernelPathGuard guard;
    ASSERT_EQ(vybase::force_kernel_path(vybase::KernelPath::plain), vybase::KernelPath::plain);
    struct Size {
        int width;
        int height;
    };
    for (const Size size : {Size{33, 9}, Size{97, 31}, Size{640, 48}, Size{641, 17}}) {
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
        const std::vector<uint16_t> plane = nonsense_plane(size.width, size.height, 7u + size.width);
        vybase::force_kernel_path(vybase::KernelPath::plain);
        const Outputs plain = run_kernels(plane, size.width, size.height);
        EXPECT_NE(plain.single, plane);  // the filter did change something
        for (vybase::KernelPath path : vybase::kernel_paths()) {
            SCOPED_TRACE(vybase::kernel_path_name(path));
            ASSERT_EQ(vybase::force_kernel_path(path), path);
            EXPECT_TRUE(run_kernels(plane, size.width, size.height) == plain);
        }
    }
}

}  // namespace
