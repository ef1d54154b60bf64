#include "basekit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// A smooth detector-like plane: a gradient, a warm spot and a little noise.
std::vector<uint16_t> frame_plane(int width, int height, uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<uint16_t> plane(width * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int spot = (x - width / 3) * (x - width / 3) + (y - height / 2) * (y - height / 2) < 400 ? 900 : 0;
            plane[y * width + x] = static_cast<uint16_t>(16000 + x * 2 + y + spot + random() % 8);
        }
    }
    return plane;
}

std::vector<uint8_t> hl_compress(const std::vector<uint16_t>& plane, int* result)
{
    uint32_t length = vy_high_low_bound(static_cast<int>(plane.size()));
    std::vector<uint8_t> out(length);
    *result = vy_high_low_compress(plane.data(), static_cast<int>(plane.size()), out.data(), &length);
    out.resize(*result == VY_OK ? length : 0);
    return out;
}

std::vector<uint8_t> lz_compress(const std::string& text, uint32_t* bits)
{
    std::vector<uint8_t> out(text.size());
    EXPECT_EQ(VY_OK, vy_lz77_compress(text.data(), static_cast<int>(text.size()), out.data(), bits));
    out.resize((*bits + 7) / 8);
    return out;
}

std::string sample_script()
{
    std::string script;
    for (int i = 0; i < 40; ++i) {
        script += "function section_" + std::to_string(i) + "(ad)\n  return ad * 0.0" +
                  std::to_string(i + 10) + " - 273.15\nend\n";
    }
    return script;
}

}  // namespace

TEST(HighLowCodec, frame_round_trip_and_integrity_layout)
{
    std::vector<uint16_t> plane = frame_plane(160, 120, 7);
    int result = 0;
    std::vector<uint8_t> packed = hl_compress(plane, &result);
    ASSERT_EQ(VY_OK, result);
    const std::size_t n = plane.size();
    EXPECT_LT(packed.size(), 2 * n);
    // The low bytes come first; after them the run counts sum to N.
    for (std::size_t i = 0; i < n; ++i) {
        ASSERT_EQ(plane[i] & 0xFF, packed[i]);
    }
    std::size_t sum = 0;
    for (std::size_t i = n; i < packed.size(); i += 2) {
        sum += packed[i];
    }
    EXPECT_EQ(n, sum);

    std::vector<uint16_t> back(n, 0);
    ASSERT_EQ(VY_OK, vy_high_low_uncompress(static_cast<uint32_t>(packed.size()), packed.data(),
                                            back.data(), static_cast<int>(n)));
    EXPECT_EQ(plane, back);
}

TEST(HighLowCodec, long_flat_runs_and_extremes)
{
    std::vector<uint16_t> plane(1000, 0);
    plane[500] = 65535;
    int result = 0;
    std::vector<uint8_t> packed = hl_compress(plane, &result);
    ASSERT_EQ(VY_OK, result);
    std::vector<uint16_t> back(plane.size());
    ASSERT_EQ(VY_OK, vy_high_low_uncompress(static_cast<uint32_t>(packed.size()), packed.data(),
                                            back.data(), static_cast<int>(back.size())));
    EXPECT_EQ(plane, back);
}

TEST(HighLowCodec, random_data_that_would_not_shrink_is_refused)
{
    std::mt19937 random(3);
    std::vector<uint16_t> plane(4096);
    for (uint16_t& v : plane) {
        v = static_cast<uint16_t>(random());
    }
    int result = 0;
    hl_compress(plane, &result);
    EXPECT_EQ(VY_ERR_NOT_SHRINK, result);

    uint32_t length = 10;
    std::vector<uint16_t> flat(100, 16384);
    std::vector<uint8_t> small(10);
    EXPECT_EQ(VY_ERR_CAPACITY, vy_high_low_compress(flat.data(), 100, small.data(), &length));
    EXPECT_EQ(102u, length);
}

TEST(HighLowCodec, truncated_and_corrupted_streams_fail_without_writing)
{
    std::vector<uint16_t> plane = frame_plane(64, 48, 11);
    int result = 0;
    std::vector<uint8_t> packed = hl_compress(plane, &result);
    ASSERT_EQ(VY_OK, result);
    const int n = static_cast<int>(plane.size());
    std::vector<uint16_t> back(n, 0xABCD);
    const std::vector<uint16_t> untouched = back;

    for (uint32_t cut : {0u, 1u, static_cast<uint32_t>(n), static_cast<uint32_t>(packed.size() - 1),
                         static_cast<uint32_t>(packed.size() - 2)}) {
        EXPECT_NE(VY_OK, vy_high_low_uncompress(cut, packed.data(), back.data(), n)) << cut;
    }
    std::vector<uint8_t> corrupt = packed;
    corrupt[n] = 255;  // first run now too long
    EXPECT_NE(VY_OK, vy_high_low_uncompress(static_cast<uint32_t>(corrupt.size()), corrupt.data(),
                                            back.data(), n));
    corrupt = packed;
    corrupt[n] = 0;
    EXPECT_NE(VY_OK, vy_high_low_uncompress(static_cast<uint32_t>(corrupt.size()), corrupt.data(),
                                            back.data(), n));
    EXPECT_EQ(untouched, back);
}

TEST(Lz77Codec, script_round_trip)
{
    std::string script = sample_script();
    uint32_t bits = 0;
    std::vector<uint8_t> packed = lz_compress(script, &bits);
    EXPECT_LT(packed.size(), script.size() / 2);
    std::vector<char> back(script.size());
    uint32_t length = static_cast<uint32_t>(back.size());
    ASSERT_EQ(VY_OK, vy_lz77_uncompress(packed.data(), bits, back.data(), &length));
    EXPECT_EQ(script, std::string(back.data(), length));
}

TEST(Lz77Codec, incompressible_input_fails_rather_than_overflow)
{
    std::mt19937 random(5);
    std::vector<uint8_t> noise(2000);
    for (uint8_t& b : noise) {
        b = static_cast<uint8_t>(random());
    }
    // Guard bytes past the declared capacity must stay untouched.
    std::vector<uint8_t> out(noise.size() + 64, 0xEE);
    uint32_t bits = 0;
    EXPECT_EQ(VY_ERR_CAPACITY, vy_lz77_compress(noise.data(), static_cast<int>(noise.size()),
                                                out.data(), &bits));
    for (std::size_t i = noise.size(); i < out.size(); ++i) {
        ASSERT_EQ(0xEE, out[i]);
    }
}

TEST(Lz77Codec, truncated_corrupted_and_small_capacity)
{
    std::string script = sample_script();
    uint32_t bits = 0;
    std::vector<uint8_t> packed = lz_compress(script, &bits);
    std::vector<char> back(script.size() + 16, 0);

    uint32_t length = static_cast<uint32_t>(script.size() - 1);
    EXPECT_EQ(VY_ERR_CAPACITY, vy_lz77_uncompress(packed.data(), bits, back.data(), &length));
    EXPECT_EQ(0, back[script.size() - 1]);

    length = static_cast<uint32_t>(back.size());
    EXPECT_NE(VY_OK, vy_lz77_uncompress(packed.data(), bits - 3, back.data(), &length));

    // A match that reaches before the start of the output.
    uint8_t bad[3] = {0x00, 0x10, 0x00};  // flag 0, distance 1 with nothing produced
    length = static_cast<uint32_t>(back.size());
    EXPECT_EQ(VY_ERR_DATA, vy_lz77_uncompress(bad, 17, back.data(), &length));
}
