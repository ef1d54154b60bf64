#include "basekit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <unistd.h>

TEST(Program, exe_path_is_the_test_binary_directory)
{
    char buffer[256];
    int length = sizeof(buffer);
    ASSERT_EQ(VY_OK, vy_get_exe_path(buffer, &length));
    std::string dir(buffer);
    EXPECT_EQ(static_cast<int>(dir.size()), length);
    EXPECT_NE('/', dir.back());
    EXPECT_EQ(0, access((dir + "/basekit_tests").c_str(), X_OK));
    length = 3;
    EXPECT_EQ(VY_ERR_CAPACITY, vy_get_exe_path(buffer, &length));
    EXPECT_EQ(static_cast<int>(dir.size()), length);
}

TEST(Program, national_grid_ad_is_monotonic_and_clamped)
{
    uint16_t low = 0, mid = 0, high = 0, clamp = 0;
    ASSERT_EQ(VY_OK, vy_get_ad_from_temp_national_grid(-20.0f, &low));
    ASSERT_EQ(VY_OK, vy_get_ad_from_temp_national_grid(-19.975f, &mid));
    ASSERT_EQ(VY_OK, vy_get_ad_from_temp_national_grid(650.0f, &high));
    EXPECT_EQ(low + 1, mid);
    EXPECT_LT(mid, high);
    ASSERT_EQ(VY_OK, vy_get_ad_from_temp_national_grid(1e9f, &clamp));
    EXPECT_EQ(65535, clamp);
    ASSERT_EQ(VY_OK, vy_get_ad_from_temp_national_grid(-500.0f, &clamp));
    EXPECT_EQ(0, clamp);
    EXPECT_NE(VY_OK, vy_get_ad_from_temp_national_grid(std::nanf(""), &clamp));
}

TEST(Program, timeval_to_msec)
{
    tagTimeVal time{4000000000u, 999999};
    int64_t msec = 0;
    ASSERT_EQ(VY_OK, vy_timeval_to_msec(&time, &msec));
    EXPECT_EQ(4000000000999LL, msec);
}
