// The vector row lookup of the colouring against the plain loop.
#include "filter_rows.h"
#include "lookup_rows.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace palettor::detail;

namespace {

// Lengths around the vector steps: empty, tails only, whole steps, steps and tails.
const size_t kCounts[] = {0, 1, 15, 16, 17, 63, 64, 65, 640, 1000};

}  // namespace

TEST(lookup_rows, index_row_matches_the_map_up_to_the_last_ad)
{
    if (!avx512_rows()) {
        GTEST_SKIP() << "no AVX-512";
    }
    std::mt19937 random(6);
    // Exactly 65,536 entries: AD 65535 reads the last one.
    std::vector<uint16_t> map(65536);
    for (uint16_t& m : map) {
        m = static_cast<uint16_t>(random());
    }
    for (size_t count : kCounts) {
        SCOPED_TRACE(count);
        std::vector<uint16_t> ad(count);
        for (size_t i = 0; i < count; ++i) {
            ad[i] = static_cast<uint16_t>(i % 5 == 0 ? 65535 - i % 3 : random());
        }
        std::vector<uint8_t> want(count), got(count + 1, 0xA5);
        for (size_t i = 0; i < count; ++i) {
            want[i] = static_cast<uint8_t>(map[ad[i]] & 0xFF);
        }
        index_row_avx512(ad.data(), count, map.data(), got.data());
        EXPECT_EQ(std::vector<uint8_t>(got.begin(), got.begin() + count), want);
        EXPECT_EQ(got[count], 0xA5);
    }
}
