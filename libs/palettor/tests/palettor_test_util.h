// Helpers shared by the palettor tests.
#pragma once

#include "palettor.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

// An imaging handle for the length of a test.
class Handle {
public:
    explicit Handle(bool flag = false) { EXPECT_TRUE(palettor_init(&h_, flag)); }
    ~Handle()
    {
        if (h_ != nullptr) {
            palettor_uninit(&h_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    void* get() const { return h_; }
    operator void*() const { return h_; }

private:
    void* h_ = nullptr;
};

// Entries 0..255 of the table clr_index_to_pixel uses (alpha removed).
inline std::vector<uint32_t> index_table(void* h)
{
    std::vector<uint8_t> index(256);
    for (int i = 0; i < 256; ++i) {
        index[i] = static_cast<uint8_t>(i);
    }
    std::vector<uint32_t> bits(256);
    EXPECT_TRUE(palettor_clr_index_to_pixel(h, index.data(), 256, 1, 0, 0, 255, 0, bits.data()));
    for (uint32_t& b : bits) {
        EXPECT_EQ(b & 0xFF000000u, 0xFF000000u);
        b &= 0x00FFFFFFu;
    }
    return bits;
}

// A frame of width x height with every pixel `value`.
inline std::vector<uint16_t> flat_frame(int width, int height, uint16_t value)
{
    return std::vector<uint16_t>(static_cast<size_t>(width) * height, value);
}

// Statistics over the whole frame; asserts success.
inline void statistics(void* h, const std::vector<uint16_t>& ad, int width, int height)
{
    tagPAD max{}, min{};
    uint16_t avg = 0;
    ASSERT_TRUE(palettor_calc_max_min_avg_of_ad(h, ad.data(), width, height, 0, 0, width - 1, height - 1, &max,
                                                &min, &avg));
}

// Palette indexes the current map gives the ADs, read back through the
// colours of a plain picture (no filters) and the palette in use, whose
// entries must be distinct for this to work.
inline std::vector<int> indexes_of(void* h, const std::vector<uint16_t>& ads)
{
    const std::vector<uint32_t> table = index_table(h);
    std::map<uint32_t, int> lookup;
    for (int i = 0; i < 163; ++i) {
        lookup.emplace(table[i], i);
    }
    EXPECT_TRUE(palettor_enable_image_process(h, false));
    std::vector<uint32_t> bits(ads.size());
    EXPECT_TRUE(palettor_ad_to_pixel(h, ads.data(), static_cast<uint16_t>(ads.size()), 1, 0, 0,
                                     static_cast<uint16_t>(ads.size() - 1), 0, bits.data(), false));
    std::vector<int> out;
    for (uint32_t b : bits) {
        auto it = lookup.find(b & 0x00FFFFFFu);
        out.push_back(it == lookup.end() ? -1 : it->second);
    }
    return out;
}
