// Frame lifecycle, handle checks, sizes, settings and plain frame data.
#include "frame_fixture.h"

using fk_test::Frame;

TEST(Frame, lifecycle_and_handle_checks)
{
    for (int kind : {1, 0}) {
        void* handle = nullptr;
        ASSERT_TRUE(vy_ad_init(&handle, 0, kind));
        ASSERT_NE(nullptr, handle);
        void* copy = handle;
        EXPECT_TRUE(vy_ad_uninit(&handle));
        EXPECT_EQ(nullptr, handle);
        // A freed handle is refused and never read.
        EXPECT_FALSE(vy_ad_uninit(&copy));
        EXPECT_FALSE(vy_ad_set_resolution(copy, 8, 8));
    }
    // Kind 1 ignores the mode: a plain frame, without an index plane.
    void* plain = nullptr;
    ASSERT_TRUE(vy_ad_init(&plain, 1, 1));
    ASSERT_TRUE(vy_ad_set_resolution(plain, 4, 4));
    uint8_t index[16];
    EXPECT_FALSE(vy_ad_get_clr_index(plain, index));
    EXPECT_TRUE(vy_ad_uninit(&plain));

    void* national = nullptr;
    ASSERT_TRUE(vy_ad_init_ex(&national));
    EXPECT_TRUE(vy_ad_uninit(&national));

    int foreign = 0;
    uint16_t w = 0;
    uint16_t h = 0;
    EXPECT_FALSE(vy_ad_get_resolution(&foreign, &w, &h));
    EXPECT_FALSE(vy_ad_get_resolution(nullptr, &w, &h));
    EXPECT_FALSE(vy_ad_init(nullptr, 0, 1));
    EXPECT_FALSE(vy_ad_uninit(nullptr));
}

TEST(Frame, resolution_limits_and_same_size)
{
    Frame f;
    ASSERT_TRUE(f.ok());
    // Below 3x3 the statistics window would wrap; huge sizes are capped.
    for (auto size : std::vector<std::pair<int, int>>{{0, 0}, {2, 10}, {10, 2}, {16385, 4}, {4096, 4097}}) {
        EXPECT_FALSE(vy_ad_set_resolution(f.h(), static_cast<uint16_t>(size.first), static_cast<uint16_t>(size.second)))
            << size.first << "x" << size.second;
    }
    uint16_t w = 1;
    uint16_t h = 1;
    ASSERT_TRUE(vy_ad_get_resolution(f.h(), &w, &h));
    EXPECT_EQ(0, w);
    EXPECT_EQ(0, h);
    // Without a resolution every data operation fails.
    std::vector<uint16_t> plane = fk_test::gradient_plane(8, 6);
    EXPECT_FALSE(vy_ad_get_data(f.h(), plane.data()));

    ASSERT_TRUE(vy_ad_set_resolution(f.h(), 8, 6));
    vy_ad_set_data_checked(f.h(), fk_test::bytes_of(plane).data(), static_cast<uint32_t>(plane.size() * 2));
    // The same size again keeps the buffers and their content.
    ASSERT_TRUE(vy_ad_set_resolution(f.h(), 8, 6));
    std::vector<uint16_t> back(plane.size());
    ASSERT_TRUE(vy_ad_get_data(f.h(), back.data()));
    EXPECT_EQ(plane, back);
    EXPECT_FALSE(vy_ad_get_resolution(f.h(), nullptr, &h));
}

TEST(Frame, rotation_and_zoom_factor_ranges)
{
    Frame f;
    ASSERT_TRUE(f.ok());
    uint32_t value = 99;
    ASSERT_TRUE(vy_ad_get_zoom_factor(f.h(), &value));
    EXPECT_EQ(1u, value);
    ASSERT_TRUE(vy_ad_get_rotation_angle(f.h(), &value));
    EXPECT_EQ(0u, value);
    struct Case {
        int value;
        bool zoom_ok;
        bool rotation_ok;
    };
    for (const Case& c : std::vector<Case>{{-1, false, false}, {0, true, true}, {1, true, true}, {5, true, true},
                                           {6, true, false}, {17, true, false}, {18, false, false}}) {
        EXPECT_EQ(c.zoom_ok, vy_ad_set_zoom_factor(f.h(), c.value)) << c.value;
        EXPECT_EQ(c.rotation_ok, vy_ad_set_rotation_angle(f.h(), c.value)) << c.value;
    }
    ASSERT_TRUE(vy_ad_get_zoom_factor(f.h(), &value));
    EXPECT_EQ(17u, value);
    ASSERT_TRUE(vy_ad_get_rotation_angle(f.h(), &value));
    EXPECT_EQ(5u, value);
}

TEST(Frame, plain_data_position_and_statistics)
{
    Frame f;
    ASSERT_TRUE(f.ok());
    const int width = 12;
    const int height = 9;
    ASSERT_TRUE(vy_ad_set_resolution(f.h(), width, height));
    std::vector<uint16_t> plane = fk_test::gradient_plane(width, height);
    plane[4 * width + 5] = 30000;  // hottest inside the one-pixel border
    plane[0] = 65535;              // on the border: left out of the frame statistics
    plane[7 * width + 2] = 100;
    std::vector<uint8_t> bytes = fk_test::bytes_of(plane);
    EXPECT_FALSE(vy_ad_set_data_checked(f.h(), bytes.data(), static_cast<uint32_t>(bytes.size() - 1)));
    ASSERT_TRUE(vy_ad_set_data_checked(f.h(), bytes.data(), static_cast<uint32_t>(bytes.size())));

    uint16_t ad = 0;
    ASSERT_TRUE(vy_ad_get_ad_from_position(f.h(), 5, 4, &ad));
    EXPECT_EQ(30000, ad);
    ad = 7;
    ASSERT_TRUE(vy_ad_get_ad_from_position(f.h(), width, 0, &ad));
    EXPECT_EQ(0, ad);

    uint16_t record[3];
    ASSERT_TRUE(vy_ad_get_max_ad(f.h(), record));
    fk_test::expect_pad(tagPAD{5, 4, 30000}, record, "hottest");
    ASSERT_TRUE(vy_ad_get_min_ad(f.h(), record));
    fk_test::expect_pad(tagPAD{2, 7, 100}, record, "coldest");
    uint16_t x = 0;
    uint16_t y = 0;
    ASSERT_TRUE(vy_ad_get_max_ad_ex(f.h(), &x, nullptr, &ad));
    EXPECT_EQ(5, x);
    EXPECT_EQ(30000, ad);

    // One pixel of the statistics window lies at or above 30000.
    uint8_t result = 9;
    ASSERT_TRUE(vy_ad_compare_count_of_temperature(f.h(), 1, 0, 0, 0, 0, 30000, 0, &result));
    EXPECT_EQ(1, result);
    ASSERT_TRUE(vy_ad_compare_count_of_temperature(f.h(), 0, 0, 1, 0, 0, 30000, 0, &result));
    EXPECT_EQ(0, result);
    ASSERT_TRUE(vy_ad_compare_count_of_temperature(f.h(), 0, 0, 2, 0, 0, 30000, 0, &result));
    EXPECT_EQ(1, result);

    ASSERT_TRUE(vy_ad_set_eigenvalue(f.h(), (9u << 16) | 3u, 500, (1u << 16) | 2u, 7, 42));
    ASSERT_TRUE(vy_ad_get_min_ad_ex(f.h(), &x, &y, &ad));
    EXPECT_EQ(2, x);
    EXPECT_EQ(1, y);
    EXPECT_EQ(7, ad);
    uint16_t avg = 0;
    ASSERT_TRUE(vy_ad_get_avg_ad(f.h(), &avg));
    EXPECT_EQ(42, avg);
}

TEST(Frame, colouring_and_parameter_block)
{
    Frame f;
    ASSERT_TRUE(f.ok());
    const int width = 10;
    const int height = 8;
    ASSERT_TRUE(vy_ad_set_resolution(f.h(), width, height));
    std::vector<uint8_t> bytes = fk_test::bytes_of(fk_test::gradient_plane(width, height));
    vy_ad_set_data_checked(f.h(), bytes.data(), static_cast<uint32_t>(bytes.size()));
    std::vector<uint32_t> pixels(width * height, 0);
    ASSERT_TRUE(vy_ad_get_bits(f.h(), pixels.data()));
    for (uint32_t p : pixels) {
        EXPECT_EQ(0xFF000000u, p & 0xFF000000u);
    }
    // A window must lie inside the frame and the size must be the frame's.
    EXPECT_FALSE(vy_ad_get_bits_ex(f.h(), pixels.data(), width + 1, height, 0, 0, 3, 3));
    EXPECT_FALSE(vy_ad_get_bits_ex(f.h(), pixels.data(), width, height, 0, 0, width, 3));
    EXPECT_TRUE(vy_ad_get_bits_ex(f.h(), pixels.data(), width, height, 1, 1, 3, 3));
    EXPECT_FALSE(vy_ad_get_thumbnail_bits(f.h(), 0, 2, pixels.data()));
    // Plain frames have no index plane.
    EXPECT_FALSE(vy_ad_get_clr_index(f.h(), reinterpret_cast<uint8_t*>(pixels.data())));

    void* imaging = nullptr;
    ASSERT_TRUE(vy_ad_get_handle_of_imaging(f.h(), &imaging));
    EXPECT_NE(nullptr, imaging);

    ASSERT_TRUE(vy_ad_set_zoom_factor(f.h(), 3));
    ASSERT_TRUE(vy_ad_set_rotation_angle(f.h(), 2));
    uint32_t length = 0;
    ASSERT_TRUE(vy_ad_save_imaging_para_to_buffer(f.h(), nullptr, &length));
    EXPECT_EQ(32u, length);
    uint8_t block[40];
    std::memset(block, 0xAB, sizeof(block));
    length = 31;
    EXPECT_FALSE(vy_ad_save_imaging_para_to_buffer(f.h(), block, &length));
    EXPECT_EQ(0xAB, block[0]);
    length = sizeof(block);
    ASSERT_TRUE(vy_ad_save_imaging_para_to_buffer(f.h(), block, &length));
    EXPECT_EQ(32u, length);
    EXPECT_EQ(3, block[0]);
    EXPECT_EQ(2, block[1]);
    for (int i = 9; i < 32; ++i) {
        EXPECT_EQ(0xFF, block[i]) << i;
    }
    EXPECT_EQ(0xAB, block[32]);
}
